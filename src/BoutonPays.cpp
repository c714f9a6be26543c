#include "BoutonPays.h"

BoutonPays::BoutonPays(const QPixmap& drapeau, const QString& pays)
    : BoutonImage(drapeau.isNull() ? drapeau : drapeau.scaledToHeight(25, Qt::SmoothTransformation)),
      pays_p(pays) {
    connect(this, &BoutonImage::presse, this, [this] { emit click_pays(pays_p); });
}
