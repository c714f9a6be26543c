#ifndef CORNEEPOSTERIEURE_H
#define CORNEEPOSTERIEURE_H

#include <QString>

class CalculTorique;

// The posterior corneal surface, which standard keratometry does not
// measure: it adds on average a few tenths of a dioptre of against-the-rule
// astigmatism, so that anterior keratometry overstates with-the-rule
// astigmatism and understates against-the-rule astigmatism.
//
// Abulafia and Koch estimate the total corneal astigmatism from standard
// keratometry by a linear regression on the double angle (A. Abulafia,
// D. D. Koch, L. Wang et al., "New regression formula for toric intraocular
// lens calculations", J Cataract Refract Surg 2016;42:663-671):
//
//   X  = C cos 2a,             Y  = C sin 2a   (C = K2 - K1, a the steep axis)
//   X' = 0.508 + 0.926 X,      Y' = 0.009 + 0.932 Y
//   C' = sqrt(X'^2 + Y'^2),    a' = atan2(Y', X') / 2, in [0, 180)
//
// The estimated cornea keeps the mean keratometry Km = (K1 + K2) / 2:
// K1' = Km - C'/2 and K2' = Km + C'/2 on the meridians a' + 90 and a'. A
// population regression: it does not hold for corneas after refractive
// surgery, keratoconus or irregular corneas.
class CorneePosterieure {
public:
    // The basis of the lens choice: the anterior keratometry as measured,
    // or the total cornea estimated by the regression above.
    enum Methode { AUCUNE = 0, ABULAFIA_KOCH = 1 };

    // The cornea the lens is chosen on, in dioptres.
    struct Estimation {
        double cyl = 0;     // C', dioptres, unrounded
        int axe = 0;        // a', whole degrees 0 to 179 (the steep meridian)
        double K1D = 0;     // K1', rounded to 0.01 as an entry box holds it
        double K2D = 0;     // K2', likewise
        int axe_K1() const; // a' + 90, brought into 0..179
    };

    // The estimate from K1 and K2 in dioptres and the steep axis (whole
    // degrees; 180 is the meridian 0).
    static Estimation abulafia_koch(double K1D, double K2D, int axe_K2);

    // The cornea of a method from K1 and K2 in dioptres and the steep axis:
    // for AUCUNE the keratometry's own figures (K2 - K1 on the steep axis),
    // for ABULAFIA_KOCH the estimate above.
    static Estimation estimer(Methode m, double K1D, double K2D, int axe_K2);

    // Puts the cornea of a method in the inputs of a calculation that holds
    // the keratometry as typed: nothing for AUCUNE; for ABULAFIA_KOCH, the
    // estimated K1' and K2' in dioptres (radii are turned into powers
    // first) on the estimated axes. Returns the estimate (the typed cornea's
    // own figures for AUCUNE).
    static Estimation appliquer(Methode m, CalculTorique& moteur);

    // The name of a method on the command line and in files ("none",
    // "abulafia-koch"), and back: false for another name (blanks around and
    // the case are ignored; an empty text is "none").
    static QString nom(Methode m);
    static bool lire(const QString& texte, Methode& m);
    // The name of a method as the page, the sheet and the terminal write
    // it ("Abulafia-Koch"); empty for AUCUNE.
    static QString titre(Methode m);
    // What the estimate is called there, with its method: "Astigmatisme
    // total estimé (Abulafia-Koch)"; null for AUCUNE or a language other
    // than "fr" and "en".
    static QString astigmatisme(Methode m, const QString& langue);
};

#endif
