#include "SaisieAxe.h"

#include "LectureNombre.h"

#include <algorithm>
#include <cmath>

SaisieAxe::SaisieAxe(int periode) : periode(periode) {
    setRange(NON_ENTIER, 9999);
    setWrapping(true);
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
