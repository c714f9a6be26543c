#ifndef VERIFICATION_H
#define VERIFICATION_H

#include <QString>

class ListParam;

// The checks made on a calculation before its result is shown and before the
// order form is printed, and the message of each check code in both
// languages. Free of widgets: the main window shows the messages, the
// command-line tool prints them.
class Verification {
public:
    // The check codes. 0 lets the calculation go on; the others name the
    // first check that stands in its way, in the order they are tried.
    enum Code {
        ACCEPTE = 0,
        SANS_OEIL = 1,           // no eye chosen
        SANS_PUISSANCE = 10,     // no spherical power
        K1_ATTENDU_D = 31,       // K1 awaited, in dioptres
        K1_ATTENDU_MM = 32,      // in millimetres
        K2_ATTENDU_D = 53,       // K2 awaited, in dioptres
        K2_ATTENDU_MM = 54,      // in millimetres
        K1_HORS_D = 51,          // K1 power outside 30.0..60.0 D
        K2_HORS_D = 52,          // K2 power outside it
        K1_HORS_MM = 61,         // K1 radius outside 5.00..11.00 mm
        K2_HORS_MM = 62,         // K2 radius outside it
        AXE_HORS = 55,           // steep axis not a whole degree 0..179
        INDUIT_HORS = 80,        // induced astigmatism outside 0.00..5.00 D
        INCISION_HORS = 81,      // incision location not a whole degree 0..359
        K2_SOUS_K1 = 2,          // K2 below K1
        AXE_TOURNE = 4,          // crossed axis more than 45 degrees from the steep axis of the
                                 // cornea the lens is chosen on (ListParam::axe_base_t)
        ASTIGMATISME_FAIBLE = 3, // even 0.75 D over-corrects (low astigmatism)
        NON_CALCULE = 70,        // everything entered, not calculated yet
    };

    // Code of the first failing check on the record, in the order of the
    // enumeration above: completeness (eye, power, K1 and K2 awaited), the
    // limits of the keratometry (only the unit in use; the bounds pass),
    // the entries holding a value typed that no entry may hold, then the
    // plausibility of the computed astigmatism. Axes are compared on the
    // 180-degree circle (CalculTorique::ecart_axes).
    static int code(const ListParam& p);

    // The range checks of the entries: K1_HORS_D, K2_HORS_D (K in dioptres),
    // K1_HORS_MM, K2_HORS_MM (K in millimetres), AXE_HORS (steep axis, whole
    // degrees 0..179), INDUIT_HORS (induced astigmatism, 0.00..5.00 D),
    // INCISION_HORS (incision location, whole degrees 0..359). The bounds
    // pass; a value that is not a number fails. Any other code has no
    // limits (always true).
    static bool dans_limites(int code, double valeur);
    // The bounds of that check (0 for a code without limits): what an entry
    // box of it accepts.
    static double plancher(int code);
    static double plafond(int code);
    // The code of the range check of K1 or K2 (1 or 2) in a unit (1 D, 2 mm).
    static Code code_kerato(int k, int unite);
    // What an entry of that check accepts, for its tooltip and its
    // description: "de 30.00 à 60.00 D", "0.00 to 5.00 D"... (empty for
    // another code or language).
    static QString limites(int code, const QString& langue);

    struct Message {
        bool existe = false;        // false for code 0, unknown codes and languages
        bool avertissement = false; // warning box; information box otherwise
        QString titre;
        QString texte; // rich text (Textes::brut() for a terminal)
    };
    // Message box of a code, "fr" or "en". ASTIGMATISME_FAIBLE is not a
    // message but the question below: it has no entry here.
    static Message message(int code, const QString& langue);

    // Title and rich text of the low-astigmatism question that
    // ASTIGMATISME_FAIBLE asks
    // (existe false for a language other than "fr" and "en").
    static Message question_astigmatisme_faible(const QString& langue);
};

#endif
