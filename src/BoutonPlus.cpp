#include "BoutonPlus.h"
#include "LecteurImages.h"

BoutonPlus::BoutonPlus() : BoutonImage(LecteurImages::pixmap("fleche20.png")) {
    connect(this, &BoutonImage::presse, this, [this] { emit clicked(); });
}
