#ifndef PANNEAUMODELE_H
#define PANNEAUMODELE_H

#include <QFrame>

class QLabel;

// The lens model panel of the welcome and lens pages: a grey-to-white
// gradient frame, 400 wide, holding the product title, the lens picture (a
// plain picture on the welcome page, the model button on the lens page) and
// two caption lines, with gaps of the page's own size between them.
class PanneauModele : public QFrame {
    Q_OBJECT
public:
    PanneauModele(QWidget* image, int ecart, Qt::Alignment alignement);

    // The lens picture of the panels, scaled to its shown height.
    static QPixmap image_lentille();

    QLabel* velan_texte_1;
    QLabel* velan_texte_2;
};

#endif
