#ifndef BOUTONPAGEAIDE_H
#define BOUTONPAGEAIDE_H

#include "BoutonImage.h"

// Previous (sens 0) or next (sens 1) arrow of the help window, at height 25;
// clicked(sens, language) on press.
class BoutonPageAide : public BoutonImage {
    Q_OBJECT
public:
    BoutonPageAide(int sens, QString langue);

    int sens;
    QString langue_aide;

signals:
    void clicked(int sens, QString langue);
};

#endif
