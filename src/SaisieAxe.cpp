#include "SaisieAxe.h"

#include "LectureNombre.h"
#include "MarqueSaisie.h"

#include <algorithm>
#include <cmath>

namespace {
// What can be typed: four digits, and a fraction of two, only to be shown
// as no whole degree (a refused point would turn 12.5 into 125).
constexpr int CHIFFRES = 4;
constexpr int DECIMALES = 2;
} // namespace

SaisieAxe::SaisieAxe(int periode) : periode(periode) {
    setRange(NON_ENTIER, 9999);
    setWrapping(true);
}

QValidator::State SaisieAxe::validate(QString& texte, int& pos) const {
    switch (LectureNombre::lire(texte, pos, CHIFFRES, DECIMALES)) {
    case LectureNombre::Nombre:
        return QValidator::Acceptable;
    case LectureNombre::Incomplet:
        return QValidator::Intermediate;
    default:
        return QValidator::Invalid;
    }
}

void SaisieAxe::fixup(QString& texte) const {
    int pos = 0;
    LectureNombre::lire(texte, pos, CHIFFRES, DECIMALES);
}

int SaisieAxe::valueFromText(const QString& texte) const {
    const double v = LectureNombre::valeur(texte);
    if (v != std::floor(v)) {
        non_entier = texte;
        return NON_ENTIER;
    }
    const int n = static_cast<int>(v);
    return n == periode ? 0 : n;
}

QString SaisieAxe::textFromValue(int valeur) const {
    if (mesure)
        valeur = valeur <= minimum() ? plancher() : plafond();
    if (valeur == NON_ENTIER)
        return non_entier;
    return QString::number(valeur);
}

void SaisieAxe::stepBy(int pas) {
    interpretText();
    const int avant = value();
    const int v = avant + pas * singleStep();
    int apres;
    if (avant < 0 || avant >= periode)
        apres = std::clamp(v, 0, periode - 1);
    else if (v >= periode) // past the top: to the top first, then round to 0
        apres = avant == periode - 1 ? 0 : periode - 1;
    else if (v < 0)
        apres = avant == 0 ? periode - 1 : 0;
    else
        apres = v;
    setValue(apres);
    selectAll();
}

QAbstractSpinBox::StepEnabled SaisieAxe::stepEnabled() const {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QSize SaisieAxe::sizeHint() const {
    mesure = true;
    const QSize s = QSpinBox::sizeHint();
    mesure = false;
    return s;
}

QSize SaisieAxe::minimumSizeHint() const {
    mesure = true;
    const QSize s = QSpinBox::minimumSizeHint();
    mesure = false;
    return s;
}

void SaisieAxe::paintEvent(QPaintEvent* event) {
    QSpinBox::paintEvent(event);
    MarqueSaisie::peindre(this);
}
