#ifndef BOUTONPERSOVERT_H
#define BOUTONPERSOVERT_H

#include "BoutonStyle.h"

// Styled button of the eye buttons and the calculate button: click() 50 ms after the press.
class BoutonPersoVert : public BoutonStyle {
    Q_OBJECT
public:
    BoutonPersoVert(int w, int h);
};

#endif
