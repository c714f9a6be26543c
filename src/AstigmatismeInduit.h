#ifndef ASTIGMATISMEINDUIT_H
#define ASTIGMATISMEINDUIT_H

#include <QList>
#include <QString>

// The astigmatism that the surgeon's incision induces, measured on past
// cases: for each operated eye, the post-operative corneal astigmatism minus
// the pre-operative one, as vectors on the double angle (a cylinder C whose
// steep meridian is at axis a becomes the point (C cos 2a, C sin 2a), so that
// axes 0 and 180 meet and two perpendicular cylinders of the same power
// cancel); then, over the eyes, the figures that refractive-surgery journals
// report:
//
//   - the arithmetic mean of the eyes' magnitudes, with its standard
//     deviation: how much the cornea changed in a typical eye, whatever the
//     direction;
//   - the centroid, the mean of the vectors, as a magnitude at an axis, with
//     the standard deviations of its two components: the part of the change
//     that the incision makes every time, the scatter cancelling out;
//   - the 95 % confidence ellipses of the centroid and of the data set.
//
// Standard deviations and the covariance matrix S use n - 1. Both ellipses
// are those of a bivariate normal distribution, {v : (v - m)' S^-1 (v - m)
// <= k}, centred on the centroid m, their semi-axes sqrt(k * l) along the
// eigenvectors of S (eigenvalues l):
//   - data set: k = 5.991, the 95 % quantile of chi-square with 2 degrees of
//     freedom (95 % of the eyes of such a distribution fall inside);
//   - centroid: k = T2 / n with T2 Hotelling's 95 % critical value,
//     2 (n - 1) / (n - 2) F(0.95; 2, n - 2), exact for the small series a
//     surgeon has (for 10 eyes it is 1.7 times the chi-square
//     approximation 5.991 / n, for 5 eyes 4.3 times; it tends to that
//     approximation for large n). With 2
//     numerator degrees of freedom the F quantile has the closed form
//     F(p; 2, v) = v / 2 * ((1 - p)^(-2 / v) - 1), so
//     T2 = (n - 1) * (0.05^(-2 / (n - 2)) - 1).
// The data set's ellipse is the region that holds 95 % of a normal
// population with the series' mean and covariance; it says how the eyes
// scatter, not where the next eye will fall.
// An ellipse needs S to be invertible: with 1 or 2 eyes, or eyes whose points
// all lie on one straight line, there is none (and Hotelling's value needs
// at least 3 eyes anyway). With a single eye the standard deviations are not
// defined either (NaN); with none, no figure is (NaN).
//
// Left and right eyes are mirror images: the same temporal incision is at
// 180 degrees in a right eye and at 0 in a left one, and an oblique one at
// 135 in one and 45 in the other. So that mirror-image eyes add up instead
// of cancelling, a series that holds both eyes mirrors its left eyes about
// the vertical axis before combining them (axis a becomes 180 - a: the point
// (x, y) becomes (x, -y)), as published analyses of both eyes do; the
// figures of the right eyes alone and of the left eyes alone are those of
// their own axes. (Mirror symmetry of fellow eyes, axis a of a left eye
// against 180 - a of the right: Guggenheim et al., "Axes of astigmatism in
// fellow eyes show mirror rather than direct symmetry", Ophthalmic Physiol
// Opt 2008;28:327-333. The double-angle plot with centroids and 95 %
// ellipses: Abulafia et al., J Cataract Refract Surg 2018;44:1169-1174.)
//
// Axes are whole degrees 0 to 179, counter-clockwise as seen on the screen; a
// vector of no magnitude (below a billionth of a dioptre, which is only the
// rounding of the arithmetic) is zero and has axis 0.
class AstigmatismeInduit {
public:
    // Keratometry of one measurement: flat and steep meridians in dioptres,
    // the steep one at `axe` (0 to 180, 180 being 0).
    struct Kerato {
        double k1 = 0, k2 = 0;
        int axe = 0;
    };

    // An astigmatism on the double-angle plane, in dioptres.
    struct Vecteur {
        double x = 0, y = 0;
        double D() const;
        int axe() const;
    };

    // The cylinder C at axis `axe` on the double angle (exact at the axes
    // that are multiples of 45 degrees).
    static Vecteur vecteur(double C, int axe);
    // Post-operative minus pre-operative corneal astigmatism.
    static Vecteur induit(const Kerato& pre, const Kerato& post);

    // One eye of the series, with its line in the file it came from.
    struct Oeil {
        qint64 ligne = 0;
        QString oeil; // "OD" or "OS"
        Kerato pre, post;
        Vecteur induit;
    };

    // A 95 % confidence ellipse on the double-angle plane: centre, semi-axes
    // in dioptres, and the direction of the major axis in degrees 0 to 180
    // counter-clockwise from the plane's x axis (the plot's 0 degree).
    struct Ellipse {
        bool valide = false;
        double x = 0, y = 0;
        double demi_grand = 0, demi_petit = 0;
        double orientation = 0;
    };

    struct Bilan {
        int n = 0;
        bool miroir = false;                    // left eyes mirrored before being combined with right ones
        double moyenne_D = 0, ecart_type_D = 0; // magnitudes
        Vecteur centroide;
        double ecart_type_x = 0, ecart_type_y = 0;
        Ellipse ellipse_centroide, ellipse_donnees;
        double quantile_centroide = 0; // k of each ellipse (0 when none)
        double quantile_donnees = 0;
    };

    // Adds an eye ("OD" or "OS"); its induced astigmatism is computed here.
    void ajouter(qint64 ligne, const QString& oeil, const Kerato& pre, const Kerato& post);
    const QList<Oeil>& yeux() const { return yeux_ai; }
    // Whether the series holds right and left eyes.
    bool deux_yeux() const { return droits > 0 && droits < yeux_ai.size(); }
    // The eyes' induced astigmatism as it enters the combined figures, in
    // the order of the eyes (left eyes mirrored when both eyes are in the
    // series).
    QList<Vecteur> combines() const;

    // The figures of the eyes added so far, combined, or of one eye alone
    // ("OD" or "OS"). With no eye every figure is NaN.
    Bilan bilan() const;
    Bilan bilan(const QString& oeil) const;
    // The same figures of any set of vectors on the double angle.
    static Bilan bilan(const QList<Vecteur>& vecteurs);

    // --- texts, shared by the command line and the plot's legend ---------
    enum Libelle {
        TITRE,             // "Astigmatisme induit chirurgicalement"
        SOUS_TITRE,        // what the plot shows
        YEUX,              // "Yeux" (count follows)
        MOYENNE,           // arithmetic mean of the magnitudes
        CENTROIDE,         // vector mean
        ECARTS_TYPES,      // standard deviations of the components x and y
        ECART_TYPE,        // "écart type"
        NON_CALCULABLE,    // a standard deviation of one eye
        ELLIPSE_CENTROIDE, // 95 % confidence ellipse of the centroid
        ELLIPSE_DONNEES,   // 95 % confidence ellipse of the data set
        DEMI_AXES,         // "demi-axes"
        SANS_ELLIPSE,      // why no ellipse is drawn
        PAR_OEIL,          // title of the list of eyes
        LIGNE,             // "Ligne" (of the file)
        MIROIR,            // left eyes mirrored before being combined
        YEUX_DROITS,       // "Yeux droits (OD)"
        YEUX_GAUCHES,      // "Yeux gauches (OS)"
        HORS_GRAPHIQUE,    // an ellipse reaches beyond the plot
    };
    static QString libelle(Libelle l, const QString& langue);
    // The label before its value: "Yeux : " in French, "Eyes: " in English.
    static QString avant_valeur(Libelle l, const QString& langue);
    // "0.42 D x 91 °"
    static QString texte_vecteur(const Vecteur& v);
    // "demi-axes 1.47 D et 0.59 D"
    static QString texte_ellipse(const Ellipse& e, const QString& langue);
    // "0.30 D", or "non calculable" / "not computable" for NaN.
    static QString texte_ecart(double D, const QString& langue);
    // The figures after their labels: "x 0.30 D, y 0.12 D" (ECARTS_TYPES)
    // and "0.52 D (écart type 0.21 D)" (MOYENNE).
    static QString texte_ecarts(const Bilan& b, const QString& langue);
    static QString texte_moyenne(const Bilan& b, const QString& langue);

private:
    QList<Oeil> yeux_ai;
    qsizetype droits = 0;
};

#endif
