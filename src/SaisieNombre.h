#ifndef SAISIENOMBRE_H
#define SAISIENOMBRE_H

#include <QSize>
#include <QValidator>

class QAbstractSpinBox;
class QPaintEvent;

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

// The toolkit's box (QSpinBox, QDoubleSpinBox) with what both entries share:
// the keystrokes read as above, the frame of a number outside the limits,
// and the width of a box of the arrows' range.
template <class Boite> class SaisieBoite : public Boite {
public:
    QValidator::State validate(QString& texte, int& pos) const override {
        return SaisieNombre::valider(texte, pos);
    }
    void fixup(QString& texte) const override { SaisieNombre::nettoyer(texte); }
    QSize sizeHint() const override {
        mesure = true;
        const QSize s = Boite::sizeHint();
        mesure = false;
        return s;
    }
    QSize minimumSizeHint() const override {
        mesure = true;
        const QSize s = Boite::minimumSizeHint();
        mesure = false;
        return s;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        Boite::paintEvent(event);
        SaisieNombre::peindre(this);
    }
    // Set while the toolkit measures the box: textFromValue() then gives the
    // texts of the arrows' range, which stand for those of the typing range.
    mutable bool mesure = false;
};

#endif
