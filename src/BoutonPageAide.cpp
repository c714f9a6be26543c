#include "BoutonPageAide.h"
#include "LecteurImages.h"

BoutonPageAide::BoutonPageAide(int s, QString langue)
    : BoutonImage(LecteurImages::pixmap(s == 0 ? "aide_prec_00.png" : "aide_suiv_00.png", 25)), sens(s),
      langue_aide(langue) {
    setObjectName(s == 0 ? "aide_precedente" : "aide_suivante");
    connect(this, &BoutonImage::presse, this, [this] { emit clicked(sens, langue_aide); });
}
