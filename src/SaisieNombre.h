#ifndef SAISIENOMBRE_H
#define SAISIENOMBRE_H

#include <QValidator>

class QAbstractSpinBox;

// What the two numeric entries of the page (SaisieDecimale, SaisieAxe)
// share: the reading of the keystrokes (LectureNombre: four digits before
// the point, two after it) and the look of an entry that holds a number
// outside its limits: red digits on a light red ground, inside a red frame
// (seen without colours too, as a thicker border).
class SaisieNombre {
public:
    static QValidator::State valider(QString& texte, int& pos);
    static void nettoyer(QString& texte);

    static void marquer(QAbstractSpinBox* entree, bool hors_limites);
    static bool marquee(const QAbstractSpinBox* entree);
    // Draws the frame; called by the entry's paintEvent after its own.
    static void peindre(QAbstractSpinBox* entree);
};

#endif
