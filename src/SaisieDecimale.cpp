#include "SaisieDecimale.h"

#include "LectureNombre.h"

#include <algorithm>

namespace {
// Beyond anything that can be typed (four digits before the point).
constexpr double ETENDUE = 9999.99;
} // namespace

SaisieDecimale::SaisieDecimale(double plancher, double plafond) : plancher_(plancher), plafond_(plafond) {
    setDecimals(2);
    // The toolkit bounds every value to its range: the range is wide
    // enough for anything that can be typed, the box's own limits are
    // checked by the page.
    setRange(-ETENDUE, ETENDUE);
}

double SaisieDecimale::valueFromText(const QString& texte) const {
    return LectureNombre::valeur(texte);
}

QString SaisieDecimale::textFromValue(double valeur) const {
    if (mesure)
        valeur = valeur <= minimum() ? plancher_ : plafond_;
    return QString::number(valeur, 'f', decimals());
}

void SaisieDecimale::stepBy(int pas) {
    // The text being typed is taken first, as the toolkit's box does.
    interpretText();
    setValue(std::clamp(value() + pas * singleStep(), plancher_, plafond_));
    selectAll();
}

QAbstractSpinBox::StepEnabled SaisieDecimale::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    StepEnabled e = StepNone;
    if (value() < plafond_)
        e |= StepUpEnabled;
    if (value() > plancher_)
        e |= StepDownEnabled;
    return e;
}
