#ifndef CALCULTORIQUE_H
#define CALCULTORIQUE_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The toric optics, free of widgets: keratometry -> pre-operative
// astigmatism -> crossed cylinder at the corneal plane (360-meridian profile)
// -> conversion to the lens plane -> one trial per cylinder of the range ->
// back to the corneal plane -> recommended cylinder and residual astigmatism.
// The calculation page, the command-line tool, the sheet, the tests and the
// benchmarks all use this one class.
//
// Every angle is a whole number of degrees d (a difference of two axes) and is
// turned into radians as 2 * d * PI / 360 with the truncated PI below; the
// squared sines of all such differences are computed once, each entry with
// that same expression, so the tables give the very bits of the direct
// formula. Nothing is allocated by a recalculation once the row tables have
// their size.
class CalculTorique {
public:
    CalculTorique();

    static constexpr double PI = 3.141592653589; // truncated on purpose
    static constexpr double KERATO = 337.5;      // K(D) = 337.5 / r(mm)
    static constexpr int NB_MERIDIENS = 360;
    static constexpr int NB_ESSAIS_MAX = 10;

    // Distance of two axes on the 180-degree circle: min(d, 180 - d) with
    // d = |a - b| mod 180. Axes 179 and 0 are 1 degree apart.
    static int ecart_axes(int a, int b);

    // Warning raised by a residual: none, over-correction that inverts the
    // astigmatism (residual turned more than 45 degrees away from the crossed
    // cylinder and above 0.1 D), or a high residual left by under-correction
    // (within 45 degrees and above 1.0 D).
    enum Avertissement { AUCUN = 0, INVERSION = 1, ELEVE = 2 };
    static Avertissement avertissement(int astcross_axe, int astpost_axe, double astpost_D);

    // sin^2(2 * d * PI / 360) for a whole-degree difference d, -359 <= d <= 359:
    // from the table, or computed on the spot. Both give the same bits.
    static double sin2(int d);
    static double sin2_direct(int d);

    // Keratometric conversion K(D) = 337.5 / r(mm) (and back; 0 for a value
    // not above 0, which stands for nothing entered), and the
    // rounding to 0.01 that the entry boxes apply to what they are given.
    static double kerato(double valeur);
    static double arrondi_saisie(double valeur);

    // --- inputs ---------------------------------------------------------
    int unit_ind = 1; // 1 dioptres, 2 millimetres
    double K1D = 0, K2D = 0, K1mm = 0, K2mm = 0;
    int K1axe = 0, K2axe = 90;
    double incD = 0;
    int incaxe = 0;
    double p_sph = 0; // spherical equivalent of the lens (SEQ)
    // Computes every sine on the spot instead of reading the tables (same
    // results, slower); kept for the benchmark and the tests.
    bool sinus_directs = false;

    // --- results --------------------------------------------------------
    double astpre_D = 0;
    int astpre_axe = 0;
    double astcross_K1D = 0, astcross_K2D = 0, astcross_incD = 0;
    double astcross_D = 0;
    int astcross_axe = 0;
    double tperfect_D = 0;
    double SEQiol = 0;
    double tcalc_D = 0;
    int tcalc_axe = 0;
    // Residual of the recommended cylinder, as chosen by the choice rule.
    double astpost_D = 0;
    int astpost_axe = 0;

    int tab_deg[NB_MERIDIENS];
    double tab_Pcor[NB_MERIDIENS];
    double tab_Pinc[NB_MERIDIENS];
    double tab_Pcrossplancor[NB_MERIDIENS];
    double tab_Kcornee_planIOL[NB_MERIDIENS];

    QStringList gamme_tot;          // "+ 0.75 D" ... "+ 6.00 D"
    QList<double> gamme_double_tot; // 0.75 ... 6.00
    double tab_cyl[NB_ESSAIS_MAX];
    double tab_astpost_plancornee[NB_ESSAIS_MAX];
    int tab_astpost_axe[NB_ESSAIS_MAX];
    QVector<QVector<double>> vect2D_Piol_planiol;
    QVector<QVector<double>> vect2D_crossCyl_planIOL;
    QVector<QVector<double>> vect2D_astPost_planCORNEE;

    // --- stages, in the order the chain runs them -------------------------
    void calcul_astpre();             // astpre_D, astpre_axe
    void calcul_astcross();           // the three corneal tables, astcross_*
    void calcul_Kcornee_planIOL();    // tab_Kcornee_planIOL, tperfect_D
    void calcul_crossCyl_planIOL();   // tab_cyl, SEQiol, lens-plane rows
    void calcul_astPost_planCORNEE(); // residual per trial + choice rule
    // The lens part: the last three stages and tcalc_axe.
    void calcul_tcalc();
    // The whole chain.
    void calcul_tout();

    // Number of trials of the last calculation: the size of the range,
    // at most NB_ESSAIS_MAX.
    int nb_essais() const;

    // Residual of one cylinder of the range (exact value of gamme_double_tot)
    // from the last trials; -1 index when it is not in the range, and then a
    // residual of 0 at axis 0.
    int index_cylindre(double cylindre) const;
    double residuel_D(double cylindre) const;
    int residuel_axe(double cylindre) const;

    // Tolerance of trial n to a turn of the lens in the eye: the residual
    // magnitude it leaves when its flat meridian lies on the crossed axis
    // turned by `degres` (modulo 180) instead of on the crossed axis, with the
    // same 0.01 D snap as the trials; from the cornea and the spherical power
    // of the last calculation. 0 for a trial that is not in the range.
    double residuel_tourne(int n, int degres) const;
    // The larger of the two turns, by +degres and by -degres.
    double residuel_tourne_max(int n, int degres) const;
    // Residual at the corneal plane of a lens of cylinder C placed with its
    // flat meridian on `axe_lentille` (whole degrees, 180 being 0) instead of
    // on the crossed axis: the trials' computation on all 360 meridians, the
    // maximum minus the minimum with its first meridian as the axis, and the
    // same 0.01 D snap (then on the crossed axis). From the cornea of the last
    // calculation and the spherical power p_sph.
    double residuel_place(double C, int axe_lentille, int& axe) const;

    // Display texts shared by the page, the sheet and the command-line tool.
    static QString texte_D(double valeur);          // "2.00"
    static QString texte_tperfect(double tperfect); // "2.84" or "> 20.0"

private:
    template <bool Direct> void astcross_meridiens();
    template <bool Direct> void essais_lentille();
};

#endif
