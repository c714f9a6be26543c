#include "BoutonAide.h"

// Placeholder: the help button is being written.
BoutonAide::BoutonAide(int page, QString langue) : QLabel(nullptr), langue_aide(langue), page_start(page) {}
void BoutonAide::update_langue_aide(QString langue) { langue_aide = langue; }
void BoutonAide::update_page_aide(int page) { page_start = page; }
void BoutonAide::mousePressEvent(QMouseEvent*) { emit click_aide(page_start, langue_aide); }
