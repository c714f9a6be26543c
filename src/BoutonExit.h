#ifndef BOUTONEXIT_H
#define BOUTONEXIT_H

#include "BoutonImage.h"

// Exit button: the exit picture scaled to height h; click_exit() on press.
class BoutonExit : public BoutonImage {
    Q_OBJECT
public:
    explicit BoutonExit(int h);

signals:
    void click_exit();
};

#endif
