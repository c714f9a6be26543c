#include "AuditPrevisions.h"

#include "CalculTorique.h"
#include "Textes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A magnitude compared with a threshold: within it when it is no more than
// the rounding of the arithmetic above it (0.50 D reached through sines and
// square roots may come out a few units of the last place over).
constexpr double TOLERANCE = 1e-9;

} // namespace

AstigmatismeInduit::Vecteur AuditPrevisions::Astigmatisme::vecteur() const {
    return AstigmatismeInduit::vecteur(D, axe);
}

AuditPrevisions::Astigmatisme AuditPrevisions::refraction_cornee(double sph, double cyl, int axe,
                                                                 double vertex_mm) {
    const double d = vertex_mm / 1000.0;
    auto cornee = [d](double P) { return P / (1.0 - d * P); };
    const double C = cornee(sph + cyl) - cornee(sph);
    const int a = (axe % 180 + 180) % 180;
    Astigmatisme r;
    r.D = std::abs(C);
    if (C < 0)
        r.axe = (a + 90) % 180;
    else if (C > 0)
        r.axe = a;
    return r;
}

AuditPrevisions::Astigmatisme AuditPrevisions::prediction(const CalculTorique& saisie,
                                                          CorneePosterieure::Methode base, double cyl,
                                                          int axe_lentille) {
    CalculTorique moteur = saisie;
    CorneePosterieure::appliquer(base, moteur);
    moteur.calcul_astpre();
    moteur.calcul_astcross();
    moteur.calcul_Kcornee_planIOL();
    Astigmatisme r;
    r.D = moteur.residuel_place(cyl, axe_lentille, r.axe);
    return r;
}

void AuditPrevisions::ajouter(qint64 ligne, const QString& oeil, const Astigmatisme& actuel,
                              const Astigmatisme (&predit)[NB_BASES]) {
    Oeil o;
    o.ligne = ligne;
    o.oeil = oeil;
    o.actuel = actuel;
    const Vecteur a = actuel.vecteur();
    for (int b = 0; b < NB_BASES; ++b) {
        o.predit[b] = predit[b];
        const Vecteur p = predit[b].vecteur();
        o.erreur[b] = Vecteur{a.x - p.x + 0.0, a.y - p.y + 0.0};
    }
    yeux_ap.append(o);
}

QList<AuditPrevisions::Vecteur> AuditPrevisions::erreurs(CorneePosterieure::Methode base) const {
    QList<Vecteur> v;
    v.reserve(yeux_ap.size());
    for (const Oeil& o : yeux_ap)
        v.append(o.erreur[base]);
    return v;
}

QList<AuditPrevisions::Vecteur> AuditPrevisions::actuels() const {
    QList<Vecteur> v;
    v.reserve(yeux_ap.size());
    for (const Oeil& o : yeux_ap)
        v.append(o.actuel.vecteur());
    return v;
}

AuditPrevisions::Resume AuditPrevisions::resumer(const QList<Vecteur>& vecteurs) {
    Resume r;
    r.bilan = AstigmatismeInduit::bilan(vecteurs);
    const int n = r.bilan.n;
    if (n == 0) {
        r.mediane_D = std::numeric_limits<double>::quiet_NaN();
        std::fill(std::begin(r.dans), std::end(r.dans), r.mediane_D);
        return r;
    }
    QList<double> D;
    D.reserve(n);
    for (const Vecteur& v : vecteurs)
        D.append(v.D());
    for (int s = 0; s < NB_SEUILS; ++s) {
        const auto k =
            std::count_if(D.cbegin(), D.cend(), [&](double d) { return d <= SEUILS[s] + TOLERANCE; });
        r.dans[s] = 100.0 * double(k) / n;
    }
    std::sort(D.begin(), D.end());
    r.mediane_D = n % 2 ? D[n / 2] : (D[n / 2 - 1] + D[n / 2]) / 2.0;
    return r;
}

QString AuditPrevisions::libelle(Libelle l, const QString& langue) {
    static const Textes::Paire TEXTES[] = {
        {"Erreur de prédiction de l'astigmatisme résiduel", "Prediction error of the residual astigmatism"},
        {"Astigmatisme réfractif post-opératoire moins astigmatisme prédit, au plan cornéen, en angle double",
         "Post-operative refractive minus predicted astigmatism, at the corneal plane, on the double angle"},
        {"Kératométrie antérieure", "Anterior keratometry"},
        {"Cornée totale estimée (Abulafia-Koch)", "Estimated total cornea (Abulafia-Koch)"},
        {"Erreur absolue moyenne", "Mean absolute error"},
        {"Erreur absolue médiane", "Median absolute error"},
        {"Yeux à ±%1 près", "Eyes within ±%1"},
        {"* : la meilleure des deux bases sur la ligne", "* : the better of the two bases on the line"},
        {"Astigmatisme réfractif post-opératoire (plan cornéen)",
         "Post-operative refractive astigmatism (corneal plane)"},
        {"réel", "actual"},
        {"prédit", "predicted"},
        {"erreur", "error"},
    };
    static_assert(sizeof TEXTES / sizeof TEXTES[0] == ERREUR + 1, "one pair per label");
    return TEXTES[l].dans(langue == QLatin1String("en") ? "en" : "fr");
}

QString AuditPrevisions::base(CorneePosterieure::Methode m, const QString& langue) {
    return libelle(m == CorneePosterieure::ABULAFIA_KOCH ? BASE_TOTALE : BASE_AUCUNE, langue);
}

QString AuditPrevisions::dans(int s, const QString& langue) {
    return libelle(DANS, langue).arg(Textes::D(SEUILS[s]));
}

QString AuditPrevisions::pourcentage(double p, const QString& langue) {
    const double arrondi = std::round(p * 10) / 10;
    const QString t = QString::number(arrondi, 'f', arrondi == std::floor(arrondi) ? 0 : 1);
    return t + (langue == QLatin1String("en") ? QStringLiteral("%") : QStringLiteral(" %"));
}
