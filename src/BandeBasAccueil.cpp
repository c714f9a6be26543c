#include "BandeBasAccueil.h"

#include "Accessibilite.h"
#include "BandeHaut.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonPerso.h"
#include "Dialogues.h"
#include "FenetreAide.h"
#include "HEspace.h"
#include "VEspace.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

BandeBasAccueil::BandeBasAccueil() : QFrame(nullptr) {
    setObjectName("basaccueil");
    setFixedHeight(50);
    BandeHaut::poser_image_fond(this, "bandeau_bas_accueil_965x50pix.png");

    aide = new BoutonAide(1, "fr");
    connect(aide, &BoutonAide::click_aide, this, &BandeBasAccueil::open_aide);
    accepter = new BoutonPerso(200, 30);
    accepter->setObjectName("accepter");
    exit_accueil = new BoutonExit(30);
    exit_accueil->setObjectName("exit_accueil");
    espace_b0 = new HEspace(343);
    espace_b1 = new HEspace(343);
    espace_b2 = new VEspace(11);

    frameAccepter = new QFrame;
    layoutAccepter = new QVBoxLayout(frameAccepter);
    layoutAccepter->setSpacing(0);
    layoutAccepter->setContentsMargins(0, 0, 0, 0);
    layoutAccepter->setAlignment(Qt::AlignCenter);
    layoutAccepter->addWidget(accepter);
    layoutAccepter->addWidget(espace_b2);

    layoutBasAccueil = new QHBoxLayout(this);
    layoutBasAccueil->setSpacing(0);
    layoutBasAccueil->setContentsMargins(0, 8, 0, 0);
    layoutBasAccueil->setAlignment(Qt::AlignCenter);
    layoutBasAccueil->addWidget(aide);
    layoutBasAccueil->addWidget(espace_b1);
    layoutBasAccueil->addWidget(frameAccepter);
    layoutBasAccueil->addWidget(espace_b0);
    layoutBasAccueil->addWidget(exit_accueil);
}

BandeBasAccueil::~BandeBasAccueil() {
    delete fenaide;
}

void BandeBasAccueil::update_langue_ba(QString langue) {
    langue_ba = langue;
    Accessibilite::preparer(this, langue);
    if (langue == "fr")
        accepter->setText("Commencer le calcul   >>");
    else if (langue == "en")
        accepter->setText("Start calculation   >>");
    else
        return;
    aide->update_langue_aide(langue);
}

void BandeBasAccueil::open_aide(int page, QString langue) {
    // Only the latest help window is kept.
    delete fenaide;
    fenaide = new FenetreAide(page, langue);
    Dialogues::exec(fenaide);

    // The button whose press opened the window is replaced by a new one in
    // the same place; the old one goes once its press has been handled.
    BoutonAide* ancien = aide;
    aide = new BoutonAide(page, langue);
    connect(aide, &BoutonAide::click_aide, this, &BandeBasAccueil::open_aide);
    delete layoutBasAccueil->replaceWidget(ancien, aide);
    ancien->hide();
    ancien->deleteLater();
    Accessibilite::preparer(this, langue_ba);
}
