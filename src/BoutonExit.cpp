#include "BoutonExit.h"

BoutonExit::BoutonExit(int h) : BoutonImage(charger("exit_03.png", h)) {
    connect(this, &BoutonImage::presse, this, [this] { emit click_exit(); });
}
