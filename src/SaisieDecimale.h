#ifndef SAISIEDECIMALE_H
#define SAISIEDECIMALE_H

#include "SaisieNombre.h"

#include <QDoubleSpinBox>

// A two-decimal entry box (keratometry, induced astigmatism) that holds the
// number typed, as typed: a comma is the decimal point and shows as one, and
// a number outside what the box accepts is kept as it is (the page shows it
// as invalid and the checks refuse it) instead of being cut to the digits
// that fit. Only a keystroke that cannot lead to a number of the box's
// format is refused: a fifth digit before the point, a third after it, a
// letter. The arrows and the keys step within [plancher, plafond], stopping
// at its ends, as the toolkit's box does within its range; the width is
// that of a box of that range.
class SaisieDecimale : public SaisieBoite<QDoubleSpinBox> {
    Q_OBJECT
    // The range a screen reader is told: the arrows' one.
    Q_PROPERTY(double minimum READ plancher)
    Q_PROPERTY(double maximum READ plafond)
public:
    SaisieDecimale(double plancher, double plafond);

    double plancher() const { return plancher_; }
    double plafond() const { return plafond_; }

    double valueFromText(const QString& texte) const override;
    QString textFromValue(double valeur) const override;
    void stepBy(int pas) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    double plancher_, plafond_;
};

#endif
