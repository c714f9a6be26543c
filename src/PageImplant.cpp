#include "PageImplant.h"

#include "Accessibilite.h"
#include "PanneauModele.h"

#include "BandeLaterale.h"
#include "BoutonImplant.h"
#include "VEspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PageImplant::PageImplant() : QFrame(nullptr) {
    setObjectName("implant");
    setFixedHeight(550);

    titre = new QLabel;
    titre->setObjectName("titre");
    titre->setFont(QFont("Arial", 18, QFont::Bold));
    titre->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* titreInterieur = new QFrame;
    titreInterieur->setFixedSize(915, 50);
    titreInterieur->setStyleSheet(
        "QFrame {background: #FFFFFF; color: #006482; border-width: 0px; border-radius: 10px;}");
    auto* layoutTitreInterieur = new QHBoxLayout(titreInterieur);
    layoutTitreInterieur->setContentsMargins(0, 0, 0, 0);
    layoutTitreInterieur->addWidget(titre, 0, Qt::AlignHCenter);
    auto* cadreTitre = new QFrame;
    cadreTitre->setFixedHeight(50);
    auto* layoutTitre = new QHBoxLayout(cadreTitre);
    layoutTitre->setContentsMargins(0, 0, 0, 0);
    layoutTitre->addWidget(titreInterieur, 0, Qt::AlignCenter);

    velan = new BoutonImplant(PanneauModele::image_lentille(), "VELAN");
    velan->setObjectName("velan");
    auto* modele = new PanneauModele(velan, 20, Qt::AlignHCenter);
    velan_texte_1 = modele->velan_texte_1;
    velan_texte_2 = modele->velan_texte_2;

    auto* cadreModele = new QFrame;
    auto* layoutModele = new QHBoxLayout(cadreModele);
    layoutModele->setContentsMargins(0, 0, 0, 0);
    layoutModele->addWidget(modele, 0, Qt::AlignHCenter);

    auto* panneau = new QFrame;
    panneau->setObjectName("panneau_implant");
    panneau->setFixedSize(925, 550);
    QPalette pal = panneau->palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0xA0, 0xC2));
    pal.setColor(QPalette::Base, Qt::white);
    panneau->setPalette(pal);
    panneau->setAutoFillBackground(true);
    auto* colonne = new QVBoxLayout(panneau);
    colonne->setSpacing(0);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setAlignment(Qt::AlignTop);
    colonne->addWidget(new VEspace(20));
    colonne->addWidget(cadreTitre);
    colonne->addWidget(new VEspace(20));
    colonne->addWidget(cadreModele);

    auto* rangee = new QHBoxLayout(this);
    rangee->setSpacing(0);
    rangee->setContentsMargins(0, 0, 0, 0);
    rangee->setAlignment(Qt::AlignCenter);
    rangee->addWidget(new BandeLaterale(2, 1));
    rangee->addWidget(panneau);
    rangee->addWidget(new BandeLaterale(2, 2));
}

void PageImplant::update_langue_i(QString langue) {
    langue_i = langue;
    Accessibilite::preparer(this, langue);
    const bool fr = langue == "fr";
    if (!fr && langue != "en")
        return;
    titre->setText("<font color=\"#006482\">" +
                   QString(fr ? "Cliquez sur l'implant torique Brevanta de votre choix :"
                              : "Please select a Brevanta toric intraocular lens model :") +
                   "</font>");
    velan_texte_1->setText(fr ? "Acrylique hydrophobe TORIQUE" : "Hydrophobic acrylic TORIC");
    velan_texte_2->setText("Micro incision");
}
