#include "SaisieNombre.h"

#include "LectureNombre.h"

#include <QAbstractSpinBox>
#include <QPainter>
#include <QPalette>

namespace {
const char* const HORS_LIMITES = "hors_limites";
const QColor ROUGE(0xC0, 0x00, 0x00);
// What can be typed: four digits before the point (beyond every limit, so
// that a number too large is seen whole), two after it. An axis takes a
// fraction too, only to show it as no whole degree: a refused point would
// turn 12.5 into 125.
constexpr int CHIFFRES = 4;
constexpr int DECIMALES = 2;
} // namespace

QValidator::State SaisieNombre::valider(QString& texte, int& pos) {
    switch (LectureNombre::lire(texte, pos, CHIFFRES, DECIMALES)) {
    case LectureNombre::Nombre:
        return QValidator::Acceptable;
    case LectureNombre::Incomplet:
        return QValidator::Intermediate;
    default:
        return QValidator::Invalid;
    }
}

void SaisieNombre::nettoyer(QString& texte) {
    int pos = 0;
    LectureNombre::lire(texte, pos, CHIFFRES, DECIMALES);
}

void SaisieNombre::marquer(QAbstractSpinBox* e, bool hors) {
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

bool SaisieNombre::marquee(const QAbstractSpinBox* e) {
    return e->property(HORS_LIMITES).toBool();
}

void SaisieNombre::peindre(QAbstractSpinBox* e) {
    if (!marquee(e))
        return;
    QPainter p(e);
    p.setPen(QPen(ROUGE, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(e->rect()).adjusted(1, 1, -1, -1));
}
