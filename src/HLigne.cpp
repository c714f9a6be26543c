#include "HLigne.h"

HLigne::HLigne() : QFrame(nullptr) {
    styler(this, 495);
}

void HLigne::styler(QFrame* ligne, int largeur) {
    ligne->setFrameShape(QFrame::HLine);
    QPalette pal = ligne->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 150, 195));
    ligne->setPalette(pal);
    ligne->setFixedWidth(largeur);
    ligne->setContentsMargins(5, 0, 0, 0);
}
