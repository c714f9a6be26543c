#ifndef HLIGNE_H
#define HLIGNE_H

#include <QFrame>

// Blue horizontal rule between the rows of the left column (500 wide).
class HLigne : public QFrame {
    Q_OBJECT
public:
    HLigne();

    // Shared look of the rules: line shape, #0096C3, left margin 5.
    static void styler(QFrame* ligne, int largeur);
};

#endif
