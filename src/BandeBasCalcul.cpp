#include "BandeBasCalcul.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonPerso.h"
#include "Dialogues.h"
#include "FenetreAide.h"
#include "HEspace.h"
#include "Textes.h"

#include <QHBoxLayout>
#include <QPixmap>

namespace {
const int espace_inter = 60;
const int hauteurBandeBasCalcul = 50;

QString texte_imprimer(const QString& langue) {
    return Textes::selon(langue, "Imprimer   >>", "Print   >>");
}

} // namespace

BandeBasCalcul::BandeBasCalcul() : QFrame(nullptr), langue_bc("fr") {
    setObjectName("bascalcul");
    aide = new BoutonAide(2, "fr");
    aide->setObjectName("aide");
    connect(aide, &BoutonAide::click_aide, this, &BandeBasCalcul::open_aide);
    espace_b0 = new HEspace(153);
    espace_b0->setObjectName("espace_b0");
    retour2 = new BoutonPerso(170, 30);
    retour2->setObjectName("retour2");
    retour2->setText(Textes::texte(Textes::PAGE_PRECEDENTE, "fr", Textes::RETOUR));
    espace_b3 = new HEspace(espace_inter);
    espace_b3->setObjectName("espace_b3");
    nouveau = new BoutonPerso(150, 30);
    nouveau->setObjectName("nouveau");
    nouveau->setText(Textes::texte(Textes::NOUVEAU_CALCUL, "fr"));
    espace_b2 = new HEspace(espace_inter);
    espace_b2->setObjectName("espace_b2");
    imprimer = new BoutonPerso(140, 30);
    imprimer->setObjectName("imprimer");
    imprimer->setText(texte_imprimer("fr"));
    frameBoutons = new QFrame;
    frameBoutons->setObjectName("frameBoutons");
    construire_boutons();
    espace_b1 = new HEspace(153);
    espace_b1->setObjectName("espace_b1");
    exit_calcul = new BoutonExit(30);
    exit_calcul->setObjectName("exit_calcul");
    construire_bande();

    setFixedHeight(hauteurBandeBasCalcul);
    QPalette palBandeau_bas;
    const QPixmap pixbandeau_bas = LecteurImages::pixmap("bandeau_bas_calcul_965x50pix.png");
    QBrush brushBandeau_bas(pixbandeau_bas);
    palBandeau_bas.setBrush(backgroundRole(), brushBandeau_bas);
    setPalette(palBandeau_bas);
    setAutoFillBackground(true);
}

BandeBasCalcul::~BandeBasCalcul() {
    delete fenaide;
}

// The three central buttons, with their spacers, in their own frame.
void BandeBasCalcul::construire_boutons() {
    delete layoutBoutons;
    layoutBoutons = new QHBoxLayout;
    layoutBoutons->setObjectName("layoutBoutons");
    layoutBoutons->addWidget(retour2);
    layoutBoutons->addWidget(espace_b3);
    layoutBoutons->addWidget(nouveau);
    layoutBoutons->addWidget(espace_b2);
    layoutBoutons->addWidget(imprimer);
    layoutBoutons->setSpacing(0);
    layoutBoutons->setContentsMargins(0, 0, 0, 11);
    layoutBoutons->setAlignment(Qt::AlignCenter);
    frameBoutons->setLayout(layoutBoutons);
}

// Help on the left, the buttons in the middle, exit on the right.
void BandeBasCalcul::construire_bande() {
    delete layoutBasCalcul;
    layoutBasCalcul = new QHBoxLayout;
    layoutBasCalcul->setObjectName("layoutBasCalcul");
    layoutBasCalcul->addWidget(aide);
    layoutBasCalcul->addWidget(espace_b0);
    layoutBasCalcul->addWidget(frameBoutons);
    layoutBasCalcul->addWidget(espace_b1);
    layoutBasCalcul->addWidget(exit_calcul);
    layoutBasCalcul->setSpacing(0);
    layoutBasCalcul->setContentsMargins(0, 8, 0, 0);
    layoutBasCalcul->setAlignment(Qt::AlignCenter);
    setLayout(layoutBasCalcul);
    Accessibilite::preparer(this, langue_bc);
}

void BandeBasCalcul::update_langue_bc(QString langue) {
    langue_bc = langue;
    if (Textes::langue_connue(langue)) {
        retour2->setText(Textes::texte(Textes::PAGE_PRECEDENTE, langue, Textes::RETOUR));
        nouveau->setText(Textes::texte(Textes::NOUVEAU_CALCUL, langue));
        imprimer->setText(texte_imprimer(langue));
    }
    aide->update_langue_aide(langue);
    Accessibilite::appliquer(this, langue);
}

void BandeBasCalcul::regenImprimer() {
    // The old button sent the click that led here: off the band now,
    // destroyed once that click has been handled.
    BoutonPerso* ancien = imprimer;
    layoutBoutons->removeWidget(ancien);
    ancien->hide();
    ancien->setObjectName("imprimer_ancien");
    ancien->deleteLater();
    imprimer = new BoutonPerso(140, 30);
    imprimer->setObjectName("imprimer");
    if (Textes::langue_connue(langue_bc))
        imprimer->setText(texte_imprimer(langue_bc));
    construire_boutons();
    construire_bande();
}

void BandeBasCalcul::open_aide(int page, QString langue) {
    // The last help window is kept until the next one opens.
    delete fenaide;
    fenaide = new FenetreAide(page, langue);
    fenaide->setObjectName("fenaide");
    fenaide->setAttribute(Qt::WA_DeleteOnClose, false);
    Dialogues::exec(fenaide);

    // The old help button sent the press being handled.
    BoutonAide* ancien = aide;
    layoutBasCalcul->removeWidget(ancien);
    ancien->hide();
    ancien->setObjectName("aide_ancien");
    ancien->deleteLater();
    aide = new BoutonAide(page, langue);
    aide->setObjectName("aide");
    connect(aide, &BoutonAide::click_aide, this, &BandeBasCalcul::open_aide);
    construire_bande();
}
