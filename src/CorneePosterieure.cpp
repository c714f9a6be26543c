#include "CorneePosterieure.h"

#include "CalculTorique.h"
#include "Textes.h"

#include <cmath>

namespace {

// The regression's coefficients (Abulafia and Koch, JCRS 2016;42:663-671).
constexpr double X_CONSTANTE = 0.508;
constexpr double X_PENTE = 0.926;
constexpr double Y_CONSTANTE = 0.009;
constexpr double Y_PENTE = 0.932;

// The full pi: the regression is a published formula on real angles, not
// one of the meridian tables of the chain.
constexpr double PI_REGRESSION = 3.14159265358979323846;

} // namespace

int CorneePosterieure::Estimation::axe_K1() const {
    return (axe + 90) % 180;
}

CorneePosterieure::Estimation CorneePosterieure::abulafia_koch(double K1D, double K2D, int axe_K2) {
    const double C = K2D - K1D;
    const double double_angle = 2.0 * axe_K2 * PI_REGRESSION / 180.0;
    const double X = X_CONSTANTE + X_PENTE * C * std::cos(double_angle);
    const double Y = Y_CONSTANTE + Y_PENTE * C * std::sin(double_angle);

    Estimation e;
    e.cyl = std::hypot(X, Y);
    // atan2 gives the double angle in (-180, 180]; half of it, brought into
    // [0, 180) and rounded to the whole degree, 180 being the meridian 0.
    double axe = std::atan2(Y, X) * 90.0 / PI_REGRESSION;
    if (axe < 0)
        axe += 180.0;
    e.axe = static_cast<int>(std::lround(axe)) % 180;

    const double Km = (K1D + K2D) / 2.0;
    e.K1D = CalculTorique::arrondi_saisie(Km - e.cyl / 2.0);
    e.K2D = CalculTorique::arrondi_saisie(Km + e.cyl / 2.0);
    return e;
}

CorneePosterieure::Estimation CorneePosterieure::estimer(Methode m, double K1D, double K2D, int axe_K2) {
    if (m == ABULAFIA_KOCH)
        return abulafia_koch(K1D, K2D, axe_K2);
    Estimation e;
    e.cyl = K2D - K1D;
    e.axe = axe_K2;
    e.K1D = K1D;
    e.K2D = K2D;
    return e;
}

CorneePosterieure::Estimation CorneePosterieure::appliquer(Methode m, CalculTorique& moteur) {
    const bool mm = moteur.unit_ind == 2;
    const double K1D = mm ? CalculTorique::kerato(moteur.K1mm) : moteur.K1D;
    const double K2D = mm ? CalculTorique::kerato(moteur.K2mm) : moteur.K2D;
    const Estimation e = estimer(m, K1D, K2D, moteur.K2axe);
    if (m != ABULAFIA_KOCH)
        return e;
    moteur.unit_ind = 1;
    moteur.K1D = e.K1D;
    moteur.K2D = e.K2D;
    moteur.K2axe = e.axe;
    moteur.K1axe = e.axe_K1();
    return e;
}

QString CorneePosterieure::nom(Methode m) {
    return m == ABULAFIA_KOCH ? QStringLiteral("abulafia-koch") : QStringLiteral("none");
}

QString CorneePosterieure::titre(Methode m) {
    return m == ABULAFIA_KOCH ? QStringLiteral("Abulafia-Koch") : QString();
}

QString CorneePosterieure::astigmatisme(Methode m, const QString& langue) {
    const QString t = Textes::texte(Textes::ASTIGMATISME_TOTAL, langue);
    if (m == AUCUNE || t.isNull())
        return QString();
    return t + QStringLiteral(" (") + titre(m) + QLatin1Char(')');
}

bool CorneePosterieure::lire(const QString& texte, Methode& m) {
    const QString t = texte.trimmed().toLower();
    if (t.isEmpty() || t == nom(AUCUNE)) {
        m = AUCUNE;
        return true;
    }
    if (t == nom(ABULAFIA_KOCH)) {
        m = ABULAFIA_KOCH;
        return true;
    }
    return false;
}
