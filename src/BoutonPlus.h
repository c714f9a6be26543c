#ifndef BOUTONPLUS_H
#define BOUTONPLUS_H

#include "BoutonImage.h"

// Arrow button that opens the choice of another cylinder; clicked() on press.
class BoutonPlus : public BoutonImage {
    Q_OBJECT
public:
    BoutonPlus();

signals:
    void clicked();
};

#endif
