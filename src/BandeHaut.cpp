#include "BandeHaut.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BoutonPays.h"

#include <QHBoxLayout>

BandeHaut::BandeHaut() : QFrame(nullptr) {
    setObjectName("bande_haut");
    setFixedHeight(50);
    poser_fond("bandeau_haut_fr_965x50pix.png");

    francais = new BoutonPays(LecteurImages::pixmap("francais_01.png"), "fr");
    francais->setObjectName("francais");
    anglais = new BoutonPays(LecteurImages::pixmap("anglais_01.png"), "en");
    anglais->setObjectName("anglais");

    auto* cadre = new QFrame;
    auto* drapeaux = new QHBoxLayout(cadre);
    drapeaux->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    drapeaux->addWidget(francais);
    drapeaux->addWidget(anglais);

    auto* rangee = new QHBoxLayout(this);
    rangee->setSpacing(0);
    rangee->setContentsMargins(0, 0, 0, 6);
    rangee->addWidget(cadre);
}

void BandeHaut::update_langue_bh(QString langue) {
    langue_bh = langue;
    Accessibilite::preparer(this, langue);
    if (langue == "fr")
        poser_fond("bandeau_haut_fr_965x50pix.png");
    else if (langue == "en")
        poser_fond("bandeau_haut_uk_965x50pix.png");
}

void BandeHaut::poser_fond(const QString& fichier) {
    // Every page move sets the language again: the picture already in place
    // is not read a second time.
    if (fichier == fond_pose)
        return;
    fond_pose = fichier;
    pixbandeau = poser_image_fond(this, fichier);
    palBandeau = palette();
    brushBandeau = palBandeau.brush(backgroundRole());
}

QPixmap BandeHaut::poser_image_fond(QWidget* bande, const QString& fichier) {
    const QPixmap image = LecteurImages::pixmap(fichier);
    QPalette pal = bande->palette();
    // A missing picture leaves the band plain rather than painting a brush
    // without texture.
    pal.setBrush(bande->backgroundRole(), image.isNull() ? QBrush(Qt::white) : QBrush(image));
    bande->setPalette(pal);
    bande->setAutoFillBackground(true);
    return image;
}
