#include "BoutonPageAide.h"

// Placeholder: the help arrows are being written.
BoutonPageAide::BoutonPageAide(int s, QString langue) : QLabel(nullptr), sens(s), langue_aide(langue) {}
void BoutonPageAide::mousePressEvent(QMouseEvent*) { emit clicked(sens, langue_aide); }
