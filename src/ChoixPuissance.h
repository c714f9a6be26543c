#ifndef CHOIXPUISSANCE_H
#define CHOIXPUISSANCE_H

#include <QString>
#include <QStringList>

class CalculTorique;

// Texts that help the surgeon compare the powers of the range where one is
// picked: each power with the residual it leaves and what that residual
// becomes if the lens turns a little in the eye, the recommended power
// marked. A toric lens seldom stays exactly where it was placed, and a
// lower power often forgives a turn better.
class ChoixPuissance {
public:
    // Turn of the lens shown in the choice list, degrees either way.
    static constexpr int ROTATION = 5;

    // One item per trial of the last calculation, in the order of the range:
    //   "+ 3.00 D  →  0.10 D x 0 °  (si rotation ±5° : 0.33 D)"
    //   "+ 3.00 D  →  0.10 D x 0 °  (if rotated ±5°: 0.33 D)"
    // `gamme` holds the labels of the range ("+ 0.75 D" ...), index for
    // index with the trials; the item of the recommended cylinder ends with
    // the marking of the language.
    static QStringList items(const CalculTorique& moteur, const QStringList& gamme, const QString& langue);

    // "← conseillée" / "← recommended": what marks the recommended power.
    static QString marque(const QString& langue);

    // What a residual left by a turned lens is shown under, so that it
    // cannot be read as an axis: "si rotation ±5°" / "if rotated ±5°"
    // ("±5°" in another language).
    static QString rotation(int degres, const QString& langue);
};

#endif
