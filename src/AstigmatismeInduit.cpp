#include "AstigmatismeInduit.h"

#include "Textes.h"

#include <cmath>
#include <limits>

namespace {

// Below this magnitude (dioptres) a vector is the rounding of the arithmetic
// on equal keratometry, not an astigmatism.
constexpr double SEUIL_NUL = 1e-9;

// A covariance matrix whose determinant is this small against its squared
// trace is that of points on one line: no ellipse.
constexpr double SEUIL_ALIGNES = 1e-12;

double degres(double radians) {
    return radians * 180.0 / M_PI;
}

constexpr double KHI2_95 = 5.991464547107979; // -2 ln 0.05: chi-square, 2 degrees of freedom

// Hotelling's 95 % critical value for a mean of n bivariate points (n >= 3):
// 2 (n - 1) / (n - 2) * F(0.95; 2, n - 2), the F quantile in closed form.
double t2_hotelling_95(int n) {
    if (n < 3)
        return std::numeric_limits<double>::quiet_NaN();
    return (n - 1) * (std::pow(0.05, -2.0 / (n - 2)) - 1.0);
}

} // namespace

double AstigmatismeInduit::Vecteur::D() const {
    return std::hypot(x, y);
}

int AstigmatismeInduit::Vecteur::axe() const {
    if (!(D() >= SEUIL_NUL)) // nothing, or no figure at all
        return 0;
    // Half the angle on the plane, rounded to the degree, folded into 0..179.
    const long a = std::lround(degres(std::atan2(y, x)) / 2.0);
    return int(((a % 180) + 180) % 180);
}

AstigmatismeInduit::Vecteur AstigmatismeInduit::vecteur(double C, int axe) {
    // The double angle reduced to a quarter turn plus a remainder, so that
    // the cardinal directions (axes 0, 45, 90, 135) carry exact zeros and
    // ones rather than the rounding of cos(pi).
    int d = (2 * axe) % 360;
    if (d < 0)
        d += 360;
    double c = 1, s = 0;
    if (d % 90 != 0) {
        const double r = (d % 90) * M_PI / 180.0;
        c = std::cos(r);
        s = std::sin(r);
    }
    double x = c, y = s;
    switch (d / 90) {
    case 1:
        x = -s;
        y = c;
        break;
    case 2:
        x = -c;
        y = -s;
        break;
    case 3:
        x = s;
        y = -c;
        break;
    default:
        break;
    }
    return {C * x + 0.0, C * y + 0.0}; // no negative zero
}

AstigmatismeInduit::Vecteur AstigmatismeInduit::induit(const Kerato& pre, const Kerato& post) {
    const Vecteur a = vecteur(pre.k2 - pre.k1, pre.axe);
    const Vecteur b = vecteur(post.k2 - post.k1, post.axe);
    Vecteur v{b.x - a.x, b.y - a.y};
    if (v.D() < SEUIL_NUL)
        v = Vecteur{};
    return v;
}

void AstigmatismeInduit::ajouter(qint64 ligne, const QString& oeil, const Kerato& pre, const Kerato& post) {
    yeux_ai.append(Oeil{ligne, oeil, pre, post, induit(pre, post)});
    if (oeil != QLatin1String("OS"))
        ++droits;
}

QList<AstigmatismeInduit::Vecteur> AstigmatismeInduit::combines() const {
    const bool miroir = deux_yeux();
    QList<Vecteur> vecteurs;
    vecteurs.reserve(yeux_ai.size());
    for (const Oeil& o : yeux_ai)
        vecteurs.append(miroir && o.oeil == QLatin1String("OS") ? Vecteur{o.induit.x, -o.induit.y + 0.0}
                                                                : o.induit);
    return vecteurs;
}

AstigmatismeInduit::Bilan AstigmatismeInduit::bilan() const {
    Bilan b = bilan(combines());
    b.miroir = deux_yeux();
    return b;
}

AstigmatismeInduit::Bilan AstigmatismeInduit::bilan(const QString& oeil) const {
    QList<Vecteur> vecteurs;
    for (const Oeil& o : yeux_ai)
        if (o.oeil == oeil)
            vecteurs.append(o.induit);
    return bilan(vecteurs);
}

AstigmatismeInduit::Bilan AstigmatismeInduit::bilan(const QList<Vecteur>& vecteurs) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Bilan b;
    b.n = int(vecteurs.size());
    double sx = 0, sy = 0, sD = 0;
    for (const Vecteur& v : vecteurs) {
        sx += v.x;
        sy += v.y;
        sD += v.D();
    }
    if (b.n == 0) {
        b.moyenne_D = b.ecart_type_D = b.ecart_type_x = b.ecart_type_y = nan;
        b.centroide = {nan, nan};
        return b;
    }
    const double n = b.n;
    const double mx = sx / n, my = sy / n;
    b.moyenne_D = sD / n;
    b.centroide = {mx, my};
    if (b.centroide.D() < SEUIL_NUL)
        b.centroide = Vecteur{};

    if (b.n < 2) {
        b.ecart_type_D = b.ecart_type_x = b.ecart_type_y = nan;
        return b;
    }
    // Deviations from the means (two passes: no loss to cancellation).
    double vxx = 0, vyy = 0, vxy = 0, vD = 0;
    for (const Vecteur& v : vecteurs) {
        const double dx = v.x - mx, dy = v.y - my, dD = v.D() - b.moyenne_D;
        vxx += dx * dx;
        vyy += dy * dy;
        vxy += dx * dy;
        vD += dD * dD;
    }
    vxx /= n - 1;
    vyy /= n - 1;
    vxy /= n - 1;
    b.ecart_type_D = std::sqrt(vD / (n - 1));
    b.ecart_type_x = std::sqrt(vxx);
    b.ecart_type_y = std::sqrt(vyy);

    const double trace = vxx + vyy, det = vxx * vyy - vxy * vxy;
    if (b.n < 3 || !(trace > 0) || det <= SEUIL_ALIGNES * trace * trace)
        return b;
    // Eigenvalues of S; the smaller one from the determinant, which keeps
    // its precision when the ellipse is thin.
    const double l1 = trace / 2 + std::hypot((vxx - vyy) / 2, vxy);
    const double l2 = det / l1;
    double orientation = degres(std::atan2(2 * vxy, vxx - vyy)) / 2.0;
    if (orientation < 0)
        orientation += 180.0;
    auto ellipse = [&](double k) {
        return Ellipse{true, mx, my, std::sqrt(k * l1), std::sqrt(k * l2), orientation};
    };
    b.quantile_donnees = KHI2_95;
    b.quantile_centroide = t2_hotelling_95(b.n) / n;
    b.ellipse_donnees = ellipse(b.quantile_donnees);
    b.ellipse_centroide = ellipse(b.quantile_centroide);
    return b;
}

QString AstigmatismeInduit::libelle(Libelle l, const QString& langue) {
    static const Textes::Paire TEXTES[] = {
        Textes::ASTIGMATISME_INDUIT,
        {"Astigmatisme cornéen post-opératoire moins pré-opératoire, en angle double",
         "Post-operative minus pre-operative corneal astigmatism, on the double angle"},
        {"Yeux", "Eyes"},
        {"Moyenne arithmétique des valeurs absolues", "Arithmetic mean of the magnitudes"},
        {"Centroïde (moyenne vectorielle)", "Centroid (vector mean)"},
        {"Écarts types des composantes", "Standard deviations of the components"},
        {"écart type", "standard deviation"},
        {"non calculable", "not computable"},
        {"Ellipse de confiance à 95 % du centroïde", "95 % confidence ellipse of the centroid"},
        {"Ellipse de confiance à 95 % des données", "95 % confidence ellipse of the data set"},
        {"demi-axes", "semi-axes"},
        {"Ellipses de confiance non calculables : il faut au moins 3 yeux dont les points ne sont pas "
         "alignés",
         "Confidence ellipses not computable: they need at least 3 eyes whose points are not on one "
         "line"},
        {"Par oeil", "Each eye"},
        {"Ligne", "Line"},
        {"Yeux gauches (OS) en miroir des yeux droits (axe a changé en 180 - a) pour être combinés avec eux",
         "Left eyes (OS) mirrored onto right eyes (axis a taken as 180 - a) to be combined with them"},
        {"Yeux droits (OD)", "Right eyes (OD)"},
        {"Yeux gauches (OS)", "Left eyes (OS)"},
        {"dépasse du graphique", "reaches beyond the plot"},
    };
    static_assert(sizeof TEXTES / sizeof TEXTES[0] == HORS_GRAPHIQUE + 1, "one pair per label");
    return TEXTES[l].dans(langue == "en" ? "en" : "fr");
}

QString AstigmatismeInduit::avant_valeur(Libelle l, const QString& langue) {
    return libelle(l, langue) + Textes::deux_points(langue);
}

QString AstigmatismeInduit::texte_vecteur(const Vecteur& v) {
    return Textes::D(v.D()) + QStringLiteral(" x ") + Textes::degres(v.axe());
}

QString AstigmatismeInduit::texte_ellipse(const Ellipse& e, const QString& langue) {
    return libelle(DEMI_AXES, langue) + QStringLiteral(" ") + Textes::D(e.demi_grand) +
           Textes::selon(langue, " et ", " and ") + Textes::D(e.demi_petit);
}

QString AstigmatismeInduit::texte_ecart(double D, const QString& langue) {
    if (std::isnan(D))
        return libelle(NON_CALCULABLE, langue);
    return Textes::D(D);
}

QString AstigmatismeInduit::texte_ecarts(const Bilan& b, const QString& langue) {
    return QStringLiteral("x ") + texte_ecart(b.ecart_type_x, langue) + QStringLiteral(", y ") +
           texte_ecart(b.ecart_type_y, langue);
}

QString AstigmatismeInduit::texte_moyenne(const Bilan& b, const QString& langue) {
    return Textes::D(b.moyenne_D) + QStringLiteral(" (") + libelle(ECART_TYPE, langue) + QStringLiteral(" ") +
           texte_ecart(b.ecart_type_D, langue) + QStringLiteral(")");
}
