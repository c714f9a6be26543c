#include "LegendeK1.h"

// Placeholder: the legend is being written.
LegendeK1::LegendeK1() : QLabel(nullptr) {}
void LegendeK1::upd_etape_legende(int e) { etape_l = e; update(); }
void LegendeK1::paintEvent(QPaintEvent* e) { QLabel::paintEvent(e); }
