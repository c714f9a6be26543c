#include "CalculTorique.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

// The loops over a whole profile run on the wide vector units where the
// processor has them: a division, a multiplication, an addition, a maximum
// give the same bits whatever the width, and nothing here can be fused into
// a multiply-add.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
#define TORIQUE_LARGEURS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define TORIQUE_LARGEURS
#endif

// Four meridians of a profile, in the compiler's own vector type (so that
// each width of TORIQUE_LARGEURS gets its instructions).
typedef double Quatre __attribute__((vector_size(4 * sizeof(double))));

void lire(Quatre& q, const double* v) {
    std::memcpy(&q, v, sizeof q);
}

// Maximum and minimum of a meridian profile, the search starting from 0 and
// 100 with strict comparisons, and the first meridian that reaches the
// maximum (-1 when nothing is above 0). The extremes are found eight values
// at a time, then the first meridian equal to the maximum: the same values
// and meridian as the one-by-one search, since a maximum is exact whatever
// the order and a value that is not a number never wins a comparison.
TORIQUE_LARGEURS void extremes(const double* v, double& pmax, double& pmin, int& axe) {
    constexpr int M = CalculTorique::NB_MERIDIENS;
    static_assert(M % 8 == 0, "profile read eight values at a time");
    // Two accumulators of each kind, so that a comparison need not wait for
    // the one before; max(x, acc) keeps acc unless x > acc.
    Quatre mx0 = {0, 0, 0, 0}, mx1 = mx0;
    Quatre mn0 = {100, 100, 100, 100}, mn1 = mn0;
    for (int i = 0; i < M; i += 8) {
        Quatre a, b;
        lire(a, v + i);
        lire(b, v + i + 4);
        mx0 = a > mx0 ? a : mx0;
        mx1 = b > mx1 ? b : mx1;
        mn0 = a < mn0 ? a : mn0;
        mn1 = b < mn1 ? b : mn1;
    }
    double mx = 0;
    double mn = 100;
    for (int k = 0; k < 4; ++k) {
        mx = std::max({mx, mx0[k], mx1[k]});
        mn = std::min({mn, mn0[k], mn1[k]});
    }
    axe = -1;
    if (mx > 0) {
        for (int i = 0; i < M; ++i)
            if (v[i] == mx) {
                axe = i;
                break;
            }
    } else {
        mx = 0;
    }
    pmax = mx;
    pmin = mn;
}

// Steepest and flattest meridian of a lens added to the cornea at the lens
// plane, (plat + C sin^2) + K, each value computed as profil_lentille()
// computes it, eight meridians at a time as in extremes().
TORIQUE_LARGEURS void bornes_profil(const double* s2, const double* K, double plat, double C, double& vmax,
                                    double& vmin) {
    constexpr int M = CalculTorique::NB_MERIDIENS;
    const double premier = (plat + C * s2[0]) + K[0];
    Quatre mx0 = {premier, premier, premier, premier};
    Quatre mx1 = mx0, mn0 = mx0, mn1 = mx0;
    for (int i = 0; i < M; i += 8) {
        Quatre s0, s1, k0, k1;
        lire(s0, s2 + i);
        lire(s1, s2 + i + 4);
        lire(k0, K + i);
        lire(k1, K + i + 4);
        const Quatre x0 = (plat + C * s0) + k0;
        const Quatre x1 = (plat + C * s1) + k1;
        mx0 = x0 > mx0 ? x0 : mx0;
        mx1 = x1 > mx1 ? x1 : mx1;
        mn0 = x0 < mn0 ? x0 : mn0;
        mn1 = x1 < mn1 ? x1 : mn1;
    }
    vmax = std::max({mx0[0], mx0[1], mx0[2], mx0[3], mx1[0], mx1[1], mx1[2], mx1[3]});
    vmin = std::min({mn0[0], mn0[1], mn0[2], mn0[3], mn1[0], mn1[1], mn1[2], mn1[3]});
}

// The two vergence conversions, 5 mm through aqueous of index 1.336, on a
// whole profile; division dominates the recalculation.
TORIQUE_LARGEURS void vers_plan_iol(const double* P, double* K, int n) {
    for (int i = 0; i < n; ++i)
        K[i] = P[i] / (1 - P[i] * 5 / 1336);
}

TORIQUE_LARGEURS void vers_plan_cornee(const double* X, double* P, int n) {
    for (int i = 0; i < n; ++i)
        P[i] = X[i] / (1 + X[i] * 5 / 1336);
}

// One lens on a whole profile: its power (flat meridian plus C sin^2) and
// the same added to the cornea at the lens plane. Multiplications and
// additions stay separate (the library is built without fused multiply-add).
TORIQUE_LARGEURS void profil_lentille(const double* s2, const double* K, double plat, double C, double* piol,
                                      double* somme, int n) {
    for (int i = 0; i < n; ++i) {
        piol[i] = plat + C * s2[i];
        somme[i] = piol[i] + K[i];
    }
}

// Axis of a maximum found on the 360 meridians, brought to 0..179; a search
// that found nothing above 0 leaves the axis unset (-1), taken as 0.
int axe_0_179(int axe) {
    if (axe < 0)
        return 0;
    return axe > 179 ? axe - 180 : axe;
}

// The residual at the corneal plane of a lens trial, from its sum with the
// cornea at the IOL plane (`retour` receives it carried back): the maximum
// minus the minimum, on the first meridian of the maximum; a residual of
// 0.01 D or less counts as none, on the crossed axis `axe_croise`.
double residu_cornee(const double* somme, double* retour, int axe_croise, int& axe) {
    vers_plan_cornee(somme, retour, CalculTorique::NB_MERIDIENS);
    double Pmax, Pmin;
    int axe_max;
    extremes(retour, Pmax, Pmin, axe_max);
    axe = axe_0_179(axe_max);
    const double residu = Pmax - Pmin;
    if (residu <= 0.01) {
        axe = axe_croise;
        return 0.0;
    }
    return residu;
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
    // A radius (or power) of 0 -- what an untouched entry box holds -- has no
    // keratometric counterpart: it stands for no value, never for an infinite
    // power that would turn every table into inf and nan.
    return valeur > 0 ? KERATO / valeur : 0;
}

double CalculTorique::arrondi_saisie(double valeur) {
    // What a two-decimal entry box keeps of a value it is given: its text to
    // two decimals, read back. The standard library reads it faster than the
    // toolkit (a batch file has millions of values), to the same double.
    const QByteArray t = QString::number(valeur, 'f', 2).toLatin1();
    double v = 0;
    std::from_chars(t.constData(), t.constData() + t.size(), v);
    return v;
}

void CalculTorique::calcul_astpre() {
    if (unit_ind == 2)
        astpre_D = kerato(K2mm) - kerato(K1mm);
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
    for (int i = 0; i < NB_MERIDIENS; ++i) {
        const double sa = Direct ? sin2_direct(i - K1axe) : s2[i - K1axe];
        const double sb = Direct ? sin2_direct(i - incaxe) : s2[i - incaxe];
        tab_Pcor[i] = astcross_K1D + astpre_D * sa;
        tab_Pinc[i] = astcross_incD - astcross_incD * sb;
        tab_Pcrossplancor[i] = tab_Pcor[i] + tab_Pinc[i];
    }
    double Pmax, Pmin;
    int axe_max;
    extremes(tab_Pcrossplancor, Pmax, Pmin, axe_max);
    astcross_D = Pmax - Pmin;
    astcross_K1D = Pmin;
    astcross_K2D = Pmax;
    astcross_axe = axe_0_179(axe_max);
}

void CalculTorique::calcul_astcross() {
    if (unit_ind == 2) {
        astcross_K1D = kerato(K1mm);
        astcross_K2D = kerato(K2mm);
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
    vers_plan_iol(tab_Pcrossplancor, tab_Kcornee_planIOL, NB_MERIDIENS);
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
        if (Direct) {
            for (int i = 0; i < NB_MERIDIENS; ++i) {
                piol[i] = plat + C * sin2_direct(i - a);
                somme[i] = piol[i] + tab_Kcornee_planIOL[i];
            }
        } else {
            // s2 + i - a for meridian i
            profil_lentille(s2 - a, tab_Kcornee_planIOL, plat, C, piol, somme, NB_MERIDIENS);
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
        int axe;
        const double residu = residu_cornee(vect2D_crossCyl_planIOL[n].constData(),
                                            vect2D_astPost_planCORNEE[n].data(), astcross_axe, axe);
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

double CalculTorique::residuel_tourne(int n, int degres) const {
    if (n < 0 || n >= nb_essais() || n >= vect2D_crossCyl_planIOL.size())
        return 0;
    const double C = tab_cyl[n];
    const int a = ((astcross_axe + degres) % 180 + 180) % 180;
    // The lens added to the cornea exactly as the trials add them, so that a
    // turn of 0 gives the trial's residual. The return to the corneal plane,
    // X / (1 + 5 X / 1336), grows with X: only the steepest and the flattest
    // meridian of the sum are carried back, not all 360 (a row of the batch
    // asks for 32 turned trials). The bounds 0 and 100 are those of the
    // trials' search.
    const double plat = SEQiol - C / 2;
    double Xmax, Xmin;
    if (sinus_directs) {
        double s2[NB_MERIDIENS];
        for (int i = 0; i < NB_MERIDIENS; ++i)
            s2[i] = sin2_direct(i - a);
        bornes_profil(s2, tab_Kcornee_planIOL, plat, C, Xmax, Xmin);
    } else {
        bornes_profil(table_sin2() - a, tab_Kcornee_planIOL, plat, C, Xmax, Xmin);
    }
    double Pmax, Pmin;
    vers_plan_cornee(&Xmax, &Pmax, 1);
    vers_plan_cornee(&Xmin, &Pmin, 1);
    const double residu = std::max(Pmax, 0.0) - std::min(Pmin, 100.0);
    return residu <= 0.01 ? 0.0 : residu;
}

double CalculTorique::residuel_tourne_max(int n, int degres) const {
    return std::max(residuel_tourne(n, degres), residuel_tourne(n, -degres));
}

double CalculTorique::residuel_place(double C, int axe_lentille, int& axe) const {
    const int a = (axe_lentille % 180 + 180) % 180;
    const double plat = p_sph - C / 2;
    double s2[NB_MERIDIENS], piol[NB_MERIDIENS], somme[NB_MERIDIENS], retour[NB_MERIDIENS];
    for (int i = 0; i < NB_MERIDIENS; ++i)
        s2[i] = sinus_directs ? sin2_direct(i - a) : sin2(i - a);
    profil_lentille(s2, tab_Kcornee_planIOL, plat, C, piol, somme, NB_MERIDIENS);
    return residu_cornee(somme, retour, astcross_axe, axe);
}

QString CalculTorique::texte_D(double v) {
    return QString::number(v, 'f', 2);
}

QString CalculTorique::texte_tperfect(double t) {
    return t >= 20.0 ? QString("> 20.0") : texte_D(t);
}
