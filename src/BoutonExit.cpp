#include "BoutonExit.h"
#include "LecteurImages.h"

BoutonExit::BoutonExit(int h) : BoutonImage(LecteurImages::pixmap("exit_03.png", h)) {
    connect(this, &BoutonImage::presse, this, [this] { emit click_exit(); });
}
