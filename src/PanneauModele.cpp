#include "PanneauModele.h"
#include "LecteurImages.h"

#include "VEspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PanneauModele::PanneauModele(QWidget* image, int ecart, Qt::Alignment alignement) : QFrame(nullptr) {
    const QString transparent("QFrame {background: transparent;}");
    setObjectName("panneau_modele");
    setFixedWidth(400);
    setStyleSheet("QFrame {background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7B7B7B, stop:0.2 "
                  "#7B7B7B, stop:1 #FFFFFF); color: #333333; border: 0px; border-radius: 10px;}");

    auto* titreModele = new QLabel;
    titreModele->setPixmap(LecteurImages::pixmap("velan_T_titre400x63.png"));
    image->setStyleSheet(transparent);
    auto* cadreImage = new QFrame;
    cadreImage->setFixedWidth(400);
    auto* layoutImage = new QHBoxLayout(cadreImage);
    layoutImage->setContentsMargins(0, 0, 0, 0);
    layoutImage->addWidget(image, 0, Qt::AlignCenter);

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

    auto* colonne = new QVBoxLayout(this);
    colonne->setSpacing(0);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setAlignment(alignement);
    const QList<QWidget*> elements{new VEspace(ecart), titreModele,   new VEspace(ecart), cadreImage,
                                   new VEspace(ecart), velan_texte_1, new VEspace(10),    velan_texte_2};
    for (QWidget* w : elements) {
        w->setStyleSheet(transparent);
        colonne->addWidget(w, 0, Qt::AlignHCenter);
    }
}

QPixmap PanneauModele::image_lentille() {
    return LecteurImages::pixmap("velan_T_image570x570.png", 250);
}
