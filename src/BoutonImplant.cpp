#include "BoutonImplant.h"

BoutonImplant::BoutonImplant(const QPixmap& image, const QString& modele)
    : BoutonImage(image), modele_pix(modele) {
    connect(this, &BoutonImage::presse, this, [this] { emit click_modele(modele_pix); });
}
