#include "ZoneDessin.h"

#include <QPushButton>

// Placeholder: the diagram is being written.
ZoneDessin::ZoneDessin(QString modele) : QLabel(nullptr), modele_dessin(modele) { setFixedSize(400, 290); }
void ZoneDessin::rotation_K1(int a) { angle_k1 = -a; update(); }
void ZoneDessin::rotation_K2(int a) { angle_k2 = -a; update(); }
void ZoneDessin::rotation_iol(int a) { angle_iol = -a - 90; angle_iol_vrai = a; update(); }
void ZoneDessin::incision(int a) { angle_inc = -a; update(); }
void ZoneDessin::oeil(int o) { flag_oeil = o; update(); }
void ZoneDessin::upd_etape_dessin(int e) { etape_d = e; update(); }
void ZoneDessin::show_iol() { show_flag = !show_flag; update(); }
void ZoneDessin::paintEvent(QPaintEvent* e) { QLabel::paintEvent(e); }
