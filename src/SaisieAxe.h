#ifndef SAISIEAXE_H
#define SAISIEAXE_H

#include "SaisieNombre.h"

#include <QSpinBox>

// A whole-degree entry box for a meridian (the steep axis, 0 to 179, or the
// incision location, 0 to 359) that holds the number typed, as typed, like
// SaisieDecimale: a number outside the circle is kept and shown as invalid
// by the page, never cut to the digits that fit. The full turn is the
// meridian 0: 180 typed in the steep-axis box, 360 in the incision box, are
// taken as 0 at once (and shown as 0 once the entry is left). A number with a
// fraction is no whole degree: it is kept on screen and the box holds
// NON_ENTIER, which every check refuses. The arrows step around the circle.
class SaisieAxe : public SaisieBoite<QSpinBox> {
    Q_OBJECT
    Q_PROPERTY(int minimum READ plancher)
    Q_PROPERTY(int maximum READ plafond)
public:
    // periode: 180 or 360.
    explicit SaisieAxe(int periode);

    // The value of a text that is a number but no whole degree.
    static constexpr int NON_ENTIER = -99999;

    int plancher() const { return 0; }
    int plafond() const { return periode - 1; }

    int valueFromText(const QString& texte) const override;
    QString textFromValue(int valeur) const override;
    void stepBy(int pas) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int periode;
    // The last number typed that is no whole degree, shown for NON_ENTIER.
    mutable QString non_entier;
};

#endif
