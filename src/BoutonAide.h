#ifndef BOUTONAIDE_H
#define BOUTONAIDE_H

#include "BoutonImage.h"

// Help button of a bottom band: the help picture at height 30;
// click_aide(page, language) on press, for the band to open the help window
// at its own page in the language on screen.
class BoutonAide : public BoutonImage {
    Q_OBJECT
public:
    BoutonAide(int page, QString langue);
    void update_langue_aide(QString langue);
    void update_page_aide(int page);

    QString langue_aide;
    int page_start;

signals:
    void click_aide(int page, QString langue);
};

#endif
