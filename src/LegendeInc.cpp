#include "LegendeInc.h"

// Placeholder: the legend is being written.
LegendeInc::LegendeInc() : QLabel(nullptr) {}
void LegendeInc::upd_etape_legende(int e) { etape_l = e; update(); }
void LegendeInc::paintEvent(QPaintEvent* e) { QLabel::paintEvent(e); }
