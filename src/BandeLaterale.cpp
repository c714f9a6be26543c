#include "BandeLaterale.h"

BandeLaterale::BandeLaterale(int, int cote) : QFrame(nullptr) {
    setFixedWidth(20);
    if (cote == 1)
        setStyleSheet("QFrame {background: #00A0C2; border-width: 0px; border-top-left-radius: 15px; "
                      "border-bottom-left-radius: 15px; margin-left: 5px;}");
    else if (cote == 2)
        setStyleSheet("QFrame {background: #00A0C2; border-width: 0px; border-top-right-radius: 15px; "
                      "border-bottom-right-radius: 15px; margin-right: 5px;}");
}
