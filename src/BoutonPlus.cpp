#include "BoutonPlus.h"

BoutonPlus::BoutonPlus() : BoutonImage(QPixmap("fleche20.png")) {
    connect(this, &BoutonImage::presse, this, [this] { emit clicked(); });
}
