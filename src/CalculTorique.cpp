#include "CalculTorique.h"

#include <cmath>
#include <cstdlib>

namespace {

// Differences of whole degrees met by the chain: a meridian 0..359 minus an
// axis 0..359.
constexpr int ECART_MAX = 359;

// The squared sine of every whole-degree difference, each entry computed
// with the very expression of the direct formula.
struct TableSin2 {
    double valeurs[2 * ECART_MAX + 1];
    TableSin2() {
        for (int d = -ECART_MAX; d <= ECART_MAX; ++d)
            valeurs[d + ECART_MAX] = CalculTorique::sin2_direct(d);
    }
};

// Pointer to the entry of difference 0, so that it is indexed by the
// difference itself.
const double* table_sin2() {
    static const TableSin2 table;
    return table.valeurs + ECART_MAX;
}

bool axe_dans_table(int axe) {
    return axe >= 0 && axe <= ECART_MAX;
}

// Axis of a maximum found on the 360 meridians, brought to 0..179; a search
// that found nothing above 0 leaves the axis unset (-1), taken as 0.
int axe_0_179(int axe) {
    if (axe < 0)
        return 0;
    return axe > 179 ? axe - 180 : axe;
}

} // namespace

CalculTorique::CalculTorique() {
    for (int i = 0; i < NB_MERIDIENS; ++i) {
        tab_deg[i] = i;
        tab_Pcor[i] = tab_Pinc[i] = tab_Pcrossplancor[i] = tab_Kcornee_planIOL[i] = 0;
    }
    for (int n = 0; n < NB_ESSAIS_MAX; ++n) {
        tab_cyl[n] = tab_astpost_plancornee[n] = 0;
        tab_astpost_axe[n] = 0;
    }
    for (int n = 1; n <= 8; ++n) {
        gamme_double_tot << 0.75 * n;
        gamme_tot << QString("+ %1 D").arg(0.75 * n, 0, 'f', 2);
    }
    table_sin2();
}

int CalculTorique::ecart_axes(int a, int b) {
    int d = std::abs(a - b) % 180;
    return std::min(d, 180 - d);
}

CalculTorique::Avertissement CalculTorique::avertissement(int astcross_axe, int astpost_axe,
                                                          double astpost_D) {
    const int ecart = ecart_axes(astcross_axe, astpost_axe);
    if (ecart > 45 && astpost_D > 0.1)
        return INVERSION;
    if (ecart <= 45 && astpost_D > 1.0)
        return ELEVE;
    return AUCUN;
}

double CalculTorique::sin2_direct(int d) {
    const double s = std::sin(2 * d * PI / 360);
    return s * s;
}

double CalculTorique::sin2(int d) {
    if (d < -ECART_MAX || d > ECART_MAX)
        return sin2_direct(d);
    return table_sin2()[d];
}

double CalculTorique::kerato(double valeur) {
    return KERATO / valeur;
}

double CalculTorique::arrondi_saisie(double valeur) {
    // What a two-decimal entry box keeps of a value it is given.
    return QString::number(valeur, 'f', 2).toDouble();
}

void CalculTorique::calcul_astpre() {
    if (unit_ind == 2)
        astpre_D = KERATO / K2mm - KERATO / K1mm;
    else
        astpre_D = K2D - K1D;
    astpre_axe = K2axe;
}

// The cornea (K1 along the K1 axis, K1 + astigmatism across it) plus the
// flattening of the incision along its own meridian, meridian by meridian;
// the crossed cylinder is the maximum minus the minimum of the sum, on the
// first meridian that reaches the maximum.
template <bool Direct> void CalculTorique::astcross_meridiens() {
    const double* s2 = table_sin2();
    double Pmax = 0;
    double Pmin = 100;
    int axe_max = -1;
    for (int i = 0; i < NB_MERIDIENS; ++i) {
        const int d = tab_deg[i];
        const double sa = Direct ? sin2_direct(d - K1axe) : s2[d - K1axe];
        const double sb = Direct ? sin2_direct(d - incaxe) : s2[d - incaxe];
        tab_Pcor[i] = astcross_K1D + astpre_D * sa;
        tab_Pinc[i] = astcross_incD - astcross_incD * sb;
        tab_Pcrossplancor[i] = tab_Pcor[i] + tab_Pinc[i];
        if (tab_Pcrossplancor[i] > Pmax) {
            Pmax = tab_Pcrossplancor[i];
            axe_max = d;
        }
        if (tab_Pcrossplancor[i] < Pmin)
            Pmin = tab_Pcrossplancor[i];
    }
    astcross_D = Pmax - Pmin;
    astcross_K1D = Pmin;
    astcross_K2D = Pmax;
    astcross_axe = axe_0_179(axe_max);
}

void CalculTorique::calcul_astcross() {
    if (unit_ind == 2) {
        astcross_K1D = KERATO / K1mm;
        astcross_K2D = KERATO / K2mm;
    } else {
        astcross_K1D = K1D;
        astcross_K2D = K2D;
    }
    astcross_incD = -incD;
    if (sinus_directs || !axe_dans_table(K1axe) || !axe_dans_table(incaxe))
        astcross_meridiens<true>();
    else
        astcross_meridiens<false>();
}

// The corneal vergence carried 5 mm through aqueous of index 1.336 to the
// lens plane; the ideal cylinder is read between the crossed axis and the
// meridian across it.
void CalculTorique::calcul_Kcornee_planIOL() {
    for (int i = 0; i < NB_MERIDIENS; ++i) {
        const double P = tab_Pcrossplancor[i];
        tab_Kcornee_planIOL[i] = P / (1 - P * 5 / 1336);
    }
    const int a = (astcross_axe % 180 + 180) % 180;
    int a90 = a + 90;
    if (a90 > 179)
        a90 -= 180;
    tperfect_D = tab_Kcornee_planIOL[a] - tab_Kcornee_planIOL[a90];
}

int CalculTorique::nb_essais() const {
    return std::min<int>(gamme_double_tot.size(), NB_ESSAIS_MAX);
}

namespace {
// Gives the row table n rows of 360 values; storage is kept when the size
// is already right.
void dimensionner(QVector<QVector<double>>& lignes, int n) {
    if (lignes.size() != n)
        lignes.resize(n);
    for (QVector<double>& ligne : lignes)
        if (ligne.size() != CalculTorique::NB_MERIDIENS)
            ligne.resize(CalculTorique::NB_MERIDIENS);
}
} // namespace

// Each cylinder of the range, its flat meridian (SEQ - C/2) on the crossed
// axis and its steep one (SEQ + C/2) across it, added to the converted cornea.
template <bool Direct> void CalculTorique::essais_lentille() {
    const int N = nb_essais();
    dimensionner(vect2D_Piol_planiol, N);
    dimensionner(vect2D_crossCyl_planIOL, N);
    const double* s2 = table_sin2();
    const int a = (astcross_axe % 180 + 180) % 180;
    for (int n = 0; n < N; ++n) {
        const double C = gamme_double_tot[n];
        tab_cyl[n] = C;
        SEQiol = p_sph;
        const double plat = SEQiol - C / 2;
        double* piol = vect2D_Piol_planiol[n].data();
        double* somme = vect2D_crossCyl_planIOL[n].data();
        for (int i = 0; i < NB_MERIDIENS; ++i) {
            const int ecart = tab_deg[i] - a;
            piol[i] = plat + C * (Direct ? sin2_direct(ecart) : s2[ecart]);
            somme[i] = piol[i] + tab_Kcornee_planIOL[i];
        }
    }
}

void CalculTorique::calcul_crossCyl_planIOL() {
    if (sinus_directs)
        essais_lentille<true>();
    else
        essais_lentille<false>();
}

// Each trial carried back to the corneal plane; its residual is the maximum
// minus the minimum, on the first meridian of the maximum (a residual of
// 0.01 D or less counts as none, on the crossed axis). The recommended
// cylinder is the last trial that lowers the best residual so far while
// keeping the crossed orientation, or that leaves 0.1 D or less whatever its
// orientation; when none does, the smallest cylinder.
void CalculTorique::calcul_astPost_planCORNEE() {
    const int N = nb_essais();
    dimensionner(vect2D_astPost_planCORNEE, N);
    tcalc_D = 0;
    double meilleur = 100;
    for (int n = 0; n < N; ++n) {
        tab_cyl[n] = gamme_double_tot[n];
        const double* X = vect2D_crossCyl_planIOL[n].constData();
        double* retour = vect2D_astPost_planCORNEE[n].data();
        for (int i = 0; i < NB_MERIDIENS; ++i)
            retour[i] = X[i] / (1 + X[i] * 5 / 1336);
        double Pmax = 0;
        double Pmin = 100;
        int axe_max = -1;
        for (int i = 0; i < NB_MERIDIENS; ++i) {
            if (retour[i] > Pmax) {
                Pmax = retour[i];
                axe_max = tab_deg[i];
            }
            if (retour[i] < Pmin)
                Pmin = retour[i];
        }
        int axe = axe_0_179(axe_max);
        double residu = Pmax - Pmin;
        if (residu <= 0.01) {
            residu = 0;
            axe = astcross_axe;
        }
        tab_astpost_plancornee[n] = residu;
        tab_astpost_axe[n] = axe;
        if ((residu < meilleur && ecart_axes(astcross_axe, axe) <= 45) || residu <= 0.1) {
            tcalc_D = tab_cyl[n];
            astpost_D = residu;
            astpost_axe = axe;
            meilleur = residu;
        }
    }
    if (tcalc_D == 0 && N > 0) {
        tcalc_D = tab_cyl[0];
        astpost_D = tab_astpost_plancornee[0];
        astpost_axe = tab_astpost_axe[0];
    }
}

void CalculTorique::calcul_tcalc() {
    calcul_Kcornee_planIOL();
    calcul_crossCyl_planIOL();
    calcul_astPost_planCORNEE();
    tcalc_axe = astcross_axe;
}

void CalculTorique::calcul_tout() {
    calcul_astpre();
    calcul_astcross();
    calcul_tcalc();
}

int CalculTorique::index_cylindre(double cylindre) const {
    const int k = gamme_double_tot.indexOf(cylindre);
    return k < nb_essais() ? k : -1;
}

double CalculTorique::residuel_D(double cylindre) const {
    const int k = index_cylindre(cylindre);
    return k < 0 ? 0.0 : tab_astpost_plancornee[k];
}

int CalculTorique::residuel_axe(double cylindre) const {
    const int k = index_cylindre(cylindre);
    return k < 0 ? 0 : tab_astpost_axe[k];
}

QString CalculTorique::texte_D(double v) {
    return QString::number(v, 'f', 2);
}

QString CalculTorique::texte_tperfect(double t) {
    return t >= 20.0 ? QString("> 20.0") : texte_D(t);
}
