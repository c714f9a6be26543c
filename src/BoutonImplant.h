#ifndef BOUTONIMPLANT_H
#define BOUTONIMPLANT_H

#include "BoutonImage.h"

// Lens model button: the lens picture as given; click_modele(model name) on press.
class BoutonImplant : public BoutonImage {
    Q_OBJECT
public:
    BoutonImplant(const QPixmap& image, const QString& modele);

    QString modele_pix;

signals:
    void click_modele(QString modele);
};

#endif
