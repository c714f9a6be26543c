#ifndef HLIGNED_H
#define HLIGNED_H

#include <QFrame>

// Blue horizontal rule between the rows of the right column (400 wide).
class HLigneD : public QFrame {
    Q_OBJECT
public:
    HLigneD();
};

#endif
