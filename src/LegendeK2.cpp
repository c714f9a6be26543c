#include "LegendeK2.h"

// Placeholder: the legend is being written.
LegendeK2::LegendeK2() : QLabel(nullptr) {}
void LegendeK2::upd_etape_legende(int e) { etape_l = e; update(); }
void LegendeK2::paintEvent(QPaintEvent* e) { QLabel::paintEvent(e); }
