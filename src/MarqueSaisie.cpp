#include "MarqueSaisie.h"

#include <QAbstractSpinBox>
#include <QPainter>
#include <QPalette>

namespace {
const char* const HORS_LIMITES = "hors_limites";
const QColor ROUGE(0xC0, 0x00, 0x00);
} // namespace

void MarqueSaisie::marquer(QAbstractSpinBox* e, bool hors) {
    if (marquee(e) == hors)
        return;
    e->setProperty(HORS_LIMITES, hors);
    if (hors) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::Text, ROUGE);
        pal.setColor(QPalette::Base, QColor(0xFF, 0xE0, 0xE0));
        e->setPalette(pal);
    } else {
        // Back to the palette of the row.
        e->setPalette(QPalette());
    }
    e->update();
}

bool MarqueSaisie::marquee(const QAbstractSpinBox* e) {
    return e->property(HORS_LIMITES).toBool();
}

void MarqueSaisie::peindre(QAbstractSpinBox* e) {
    if (!marquee(e))
        return;
    QPainter p(e);
    p.setPen(QPen(ROUGE, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(e->rect()).adjusted(1, 1, -1, -1));
}
