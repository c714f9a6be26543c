#include "PageImplant.h"

#include "Accessibilite.h"
#include "BandeLaterale.h"
#include "BoutonImplant.h"
#include "VEspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PageImplant::PageImplant() : QFrame(nullptr) {
    setObjectName("implant");
    setFixedHeight(550);
    const QString transparent("QFrame {background: transparent;}");

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

    auto* titreModele = new QLabel;
    titreModele->setPixmap(QPixmap("velan_T_titre400x63.png"));
    QPixmap lentille("velan_T_image570x570.png");
    velan = new BoutonImplant(
        lentille.isNull() ? lentille : lentille.scaledToHeight(250, Qt::SmoothTransformation), "VELAN");
    velan->setObjectName("velan");
    velan->setStyleSheet(transparent);
    auto* cadreVelan = new QFrame;
    cadreVelan->setFixedWidth(400);
    auto* layoutVelan = new QHBoxLayout(cadreVelan);
    layoutVelan->setContentsMargins(0, 0, 0, 0);
    layoutVelan->addWidget(velan, 0, Qt::AlignCenter);
    velan_texte_1 = new QLabel;
    velan_texte_1->setObjectName("velan_texte_1");
    velan_texte_1->setFont(QFont("Arial", 16, QFont::Normal));
    velan_texte_1->setFixedSize(400, 20);
    velan_texte_1->setAlignment(Qt::AlignCenter);
    velan_texte_2 = new QLabel;
    velan_texte_2->setObjectName("velan_texte_2");
    velan_texte_2->setFont(QFont("Arial", 12, QFont::Normal));
    velan_texte_2->setFixedSize(400, 35);
    velan_texte_2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* modele = new QFrame;
    modele->setObjectName("panneau_modele");
    modele->setFixedWidth(400);
    modele->setStyleSheet(
        "QFrame {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7B7B7B, stop:0.2 "
        "#7B7B7B, stop:1 #FFFFFF); color: #333333; border: 0px; border-radius: 10px;}");
    auto* colonneModele = new QVBoxLayout(modele);
    colonneModele->setSpacing(0);
    colonneModele->setContentsMargins(0, 0, 0, 0);
    colonneModele->setAlignment(Qt::AlignHCenter);
    QList<QWidget*> elements{new VEspace(20), titreModele,   new VEspace(20), cadreVelan,
                             new VEspace(20), velan_texte_1, new VEspace(10), velan_texte_2};
    for (QWidget* w : elements) {
        w->setStyleSheet(transparent);
        colonneModele->addWidget(w, 0, Qt::AlignHCenter);
    }

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
