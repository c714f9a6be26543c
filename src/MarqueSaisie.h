#ifndef MARQUESAISIE_H
#define MARQUESAISIE_H

class QAbstractSpinBox;

// The look of an entry that holds a number outside its limits: red digits
// on a light red ground, inside a red frame (seen without colours too, as a
// thicker border).
class MarqueSaisie {
public:
    static void marquer(QAbstractSpinBox* entree, bool hors_limites);
    static bool marquee(const QAbstractSpinBox* entree);
    // Draws the frame; called by the entry's paintEvent after its own.
    static void peindre(QAbstractSpinBox* entree);
};

#endif
