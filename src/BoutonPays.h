#ifndef BOUTONPAYS_H
#define BOUTONPAYS_H

#include "BoutonImage.h"

// Language flag: the flag picture at height 25; click_pays(code) on press.
class BoutonPays : public BoutonImage {
    Q_OBJECT
public:
    BoutonPays(const QPixmap& drapeau, const QString& pays);

    QString pays_p;

signals:
    void click_pays(QString pays);
};

#endif
