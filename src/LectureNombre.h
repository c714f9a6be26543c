#ifndef LECTURENOMBRE_H
#define LECTURENOMBRE_H

#include <QString>

// A number as it is typed into an entry box, keystroke after keystroke.
// The decimal comma of a French keyboard is the decimal point, and is
// written as one; blanks (a paste from a spreadsheet brings tabs and line
// ends) are dropped; a sign may lead. The text is then a number, or not yet
// one (empty, a lone sign or point: the next keystroke may make it one), or
// something that no keystroke can make a number of the box's format (too
// many digits, a letter), which the box refuses. Nothing is rounded, bounded
// or wrapped here: a number is taken as it stands.
class LectureNombre {
public:
    enum Etat { Refuse, Incomplet, Nombre };

    // Normalises texte in place (the cursor position follows the characters
    // removed) and says what it is: at most `chiffres` digits before the
    // point and `decimales` after it.
    static Etat lire(QString& texte, int& curseur, int chiffres, int decimales);

    // The value of a text that lire() has found to be a number.
    static double valeur(const QString& texte);
};

#endif
