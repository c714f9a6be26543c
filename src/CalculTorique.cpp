#include "CalculTorique.h"

// Placeholder: the engine is being written.
CalculTorique::CalculTorique() {
    for (int i = 0; i < NB_MERIDIENS; ++i)
        tab_deg[i] = i;
    for (int n = 1; n <= 8; ++n) {
        gamme_double_tot << 0.75 * n;
        gamme_tot << QString("+ %1 D").arg(0.75 * n, 0, 'f', 2);
    }
}
int CalculTorique::ecart_axes(int a, int b) {
    int d = std::abs(a - b) % 180;
    return std::min(d, 180 - d);
}
CalculTorique::Avertissement CalculTorique::avertissement(int, int, double) { return AUCUN; }
void CalculTorique::calcul_astpre() {}
void CalculTorique::calcul_astcross() {}
void CalculTorique::calcul_Kcornee_planIOL() {}
void CalculTorique::calcul_crossCyl_planIOL() {}
void CalculTorique::calcul_astPost_planCORNEE() {}
void CalculTorique::calcul_tcalc() {}
void CalculTorique::calcul_tout() {}
int CalculTorique::index_cylindre(double c) const { return gamme_double_tot.indexOf(c); }
double CalculTorique::residuel_D(double) const { return 0; }
int CalculTorique::residuel_axe(double) const { return 0; }
QString CalculTorique::texte_D(double v) { return QString::number(v, 'f', 2); }
QString CalculTorique::texte_tperfect(double t) { return t >= 20.0 ? QString("> 20.0") : texte_D(t); }
