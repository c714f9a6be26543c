#ifndef BOUTONPERSO_H
#define BOUTONPERSO_H

#include "BoutonStyle.h"

// Styled button of the band buttons and dialog buttons: click() 100 ms after the press.
class BoutonPerso : public BoutonStyle {
    Q_OBJECT
public:
    BoutonPerso(int w, int h);
};

#endif
