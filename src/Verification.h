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
    // Code of the first failing check on the record; 0 when nothing stands
    // in the way, 70 when everything is entered but not yet calculated.
    // Codes, in the order they are tried: 1 no eye, 10 no spherical power,
    // 31/32 K1 awaited (D/mm), 53/54 K2 awaited (D/mm), 51/52 K1/K2 power
    // outside 30.0..60.0 D, 61/62 K1/K2 radius outside 5.00..11.00 mm (only
    // the unit in use; the bounds pass), 55 steep axis, 80 induced
    // astigmatism, 81 incision location outside their limits (a value typed
    // that no entry may hold), 2 K2 below K1, 4 crossed axis more than 45
    // degrees from the K2 axis, 3 even 0.75 D over-corrects (low
    // astigmatism), 70 not calculated yet. Axes are compared on the
    // 180-degree circle (CalculTorique::ecart_axes).
    static int code(const ListParam& p);

    // The range checks of the entries: 51, 52 (K in dioptres), 61, 62 (K in
    // millimetres), 55 (steep axis, whole degrees 0..179), 80 (induced
    // astigmatism, 0.00..5.00 D), 81 (incision location, whole degrees
    // 0..359). The bounds pass; a value that is not a number fails. Any
    // other code has no limits (always true).
    static bool dans_limites(int code, double valeur);
    // The bounds of that check (0 for a code without limits): what an entry
    // box of it accepts.
    static double plancher(int code);
    static double plafond(int code);
    // The code of the range check of K1 or K2 (1 or 2) in a unit (1 D, 2 mm).
    static int code_kerato(int k, int unite);
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
    // Message box of a code, "fr" or "en". Code 3 is not a message but the
    // low-astigmatism question (below): it has no entry here.
    static Message message(int code, const QString& langue);

    // Title and rich text of the low-astigmatism question that code 3 asks
    // (existe false for a language other than "fr" and "en").
    static Message question_astigmatisme_faible(const QString& langue);
};

#endif
