#include "BoutonAide.h"
#include "LecteurImages.h"

BoutonAide::BoutonAide(int page, QString langue)
    : BoutonImage(LecteurImages::pixmap("help228t.png", 30)), langue_aide(langue), page_start(page) {
    setObjectName("aide");
    connect(this, &BoutonImage::presse, this, [this] { emit click_aide(page_start, langue_aide); });
}

void BoutonAide::update_langue_aide(QString langue) {
    langue_aide = langue;
}

void BoutonAide::update_page_aide(int page) {
    page_start = page;
}
