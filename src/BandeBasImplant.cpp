#include "BandeBasImplant.h"

#include "Accessibilite.h"
#include "BandeHaut.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonPerso.h"
#include "Dialogues.h"
#include "FenetreAide.h"
#include "HEspace.h"
#include "Textes.h"

#include <QHBoxLayout>

BandeBasImplant::BandeBasImplant() : QFrame(nullptr) {
    setObjectName("basimplant");
    setFixedHeight(50);
    BandeHaut::poser_image_fond(this, "bandeau_bas_implant_965x50pix.png");

    // The help button opens the help window at its page like the other
    // bands' buttons.
    aide = new BoutonAide(2, "fr");
    connect(aide, &BoutonAide::click_aide, this, &BandeBasImplant::open_aide);
    retour1 = new BoutonPerso(170, 30);
    retour1->setObjectName("retour1");
    exit_implant = new BoutonExit(30);
    exit_implant->setObjectName("exit_implant");
    espace_b0 = new HEspace(358);
    espace_b1 = new HEspace(358);

    layoutBasImplant = new QHBoxLayout(this);
    layoutBasImplant->setSpacing(0);
    layoutBasImplant->setContentsMargins(0, 0, 0, 0);
    layoutBasImplant->setAlignment(Qt::AlignCenter);
    layoutBasImplant->addWidget(aide);
    layoutBasImplant->addWidget(espace_b1);
    layoutBasImplant->addWidget(retour1);
    layoutBasImplant->addWidget(espace_b0);
    layoutBasImplant->addWidget(exit_implant);
}

BandeBasImplant::~BandeBasImplant() {
    delete fenaide;
}

void BandeBasImplant::update_langue_bi(QString langue) {
    langue_bi = langue;
    Accessibilite::preparer(this, langue);
    if (!Textes::langue_connue(langue))
        return;
    retour1->setText(Textes::texte(Textes::PAGE_PRECEDENTE, langue, Textes::RETOUR));
    aide->update_langue_aide(langue);
}

void BandeBasImplant::open_aide(int page, QString langue) {
    delete fenaide;
    fenaide = new FenetreAide(page, langue);
    Dialogues::exec(fenaide);

    BoutonAide* ancien = aide;
    aide = new BoutonAide(page, langue);
    connect(aide, &BoutonAide::click_aide, this, &BandeBasImplant::open_aide);
    delete layoutBasImplant->replaceWidget(ancien, aide);
    ancien->hide();
    ancien->deleteLater();
    Accessibilite::preparer(this, langue_bi);
}
