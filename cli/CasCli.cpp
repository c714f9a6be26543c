#include "CasCli.h"

#include "ChoixPuissance.h"
#include "EcrivainJson.h"
#include "ListParam.h"
#include "Textes.h"
#include "Verification.h"

#include <QStringList>

#include <memory>

const char* const CasCli::MODELE = "VELAN";

namespace {

// Keratometry of one meridian in both units, from the unit entered.
void kerato(const CasCli& cas, double valeur, double& D, double& mm) {
    if (cas.unite == 2) {
        mm = valeur;
        D = CalculTorique::kerato(valeur);
    } else {
        D = valeur;
        mm = CalculTorique::kerato(valeur);
    }
}

} // namespace

int CasCli::axe_K1() const {
    return axe + 90 >= 180 ? axe - 90 : axe + 90;
}

int CasCli::axe_incision() const {
    if (incision >= 0)
        return incision;
    return oeil == "OS" ? 0 : 180;
}

CasCli::Resultat CasCli::calculer(CalculTorique& m, ListParam& p) const {
    const CasCli& cas = *this;
    // The page's inputs, then the two stages it runs from step 7.
    m.unit_ind = cas.unite;
    kerato(cas, cas.k1, m.K1D, m.K1mm);
    kerato(cas, cas.k2, m.K2D, m.K2mm);
    m.K2axe = cas.axe;
    m.K1axe = cas.axe_K1();
    m.incD = cas.sia;
    m.incaxe = cas.axe_incision();
    m.p_sph = cas.seq;
    Resultat r;
    r.totale = CorneePosterieure::appliquer(cas.posterieure, m);
    m.calcul_astpre();
    m.calcul_astcross();

    // The snapshot taken when Calculate is pressed (step 7).
    p.langue_t = cas.langue;
    p.modele_iol_t = QLatin1String(MODELE);
    const bool droit = cas.oeil != "OS";
    p.oeil_t = std::make_shared<const QString>(droit ? QStringLiteral("droit") : QStringLiteral("gauche"));
    ListParam::Entrees e;
    e.od = droit;
    e.og = !droit;
    e.sph_ind = cas.sph_ind;
    e.puiss_sph = cas.seq_texte;
    e.unite = cas.unite;
    e.K1 = cas.k1;
    e.K2 = cas.k2;
    e.K1axe = cas.axe_K1();
    e.K2axe = cas.axe;
    e.incD = m.incD;
    e.incaxe = m.incaxe;
    e.posterieure = cas.posterieure;
    p.lire_calcul(e, m, 7);

    r.code = Verification::code(p);
    if (r.code == Verification::NON_CALCULE) // all entered, not yet calculated: Calculate goes on
        r.code = Verification::ACCEPTE;
    if (r.code != Verification::ACCEPTE)
        return r;

    // Results on screen (step 10), for the recommended or the picked cylinder.
    m.calcul_tcalc();
    r.choix = cas.cyl > 0 ? cas.cyl : m.tcalc_D;
    p.lire_calcul(e, m, 10, r.choix);
    r.alerte = CalculTorique::avertissement(m.astcross_axe, p.astpost_axe_t, p.astpost_D_t);
    // The print path's check: only the low-astigmatism question can remain.
    r.faible = Verification::code(p) == Verification::ASTIGMATISME_FAIBLE;
    return r;
}

void CasCli::json(EcrivainJson& j, const CalculTorique& m, const Resultat& r, qint64 ligne) const {
    double k1D, k1mm, k2D, k2mm;
    kerato(*this, k1, k1D, k1mm);
    kerato(*this, k2, k2D, k2mm);
    j.objet();
    if (ligne > 0)
        j.cle("line").entier(ligne);
    j.cle("eye").chaine(oeil).cle("seq").nombre(seq);
    j.cle("unit").chaine(unite == 2 ? QStringLiteral("mm") : QStringLiteral("D"));
    auto meridien = [&j](const char* nom, double D, double mm, int axe) {
        j.cle(nom).objet().cle("D").nombre(D).cle("mm").nombre(mm).cle("axis").entier(axe).fin();
    };
    meridien("k1", k1D, k1mm, axe_K1());
    meridien("k2", k2D, k2mm, axe);
    j.cle("sia").objet().cle("D").nombre(sia).cle("incision").entier(axe_incision()).fin();
    if (r.code != Verification::ACCEPTE) {
        const Verification::Message msg = Verification::message(r.code, langue);
        j.cle("check").objet().cle("code").entier(r.code);
        j.cle("title").chaine(msg.titre).cle("message").chaine(Textes::brut(msg.texte)).fin().fin();
        return;
    }
    auto cylindre = [&j](const char* nom, const char* quoi, double D, int axe) {
        j.cle(nom).objet().cle(quoi).nombre(D).cle("axis").entier(axe).fin();
    };
    // With an estimated cornea, "preop" stays the keratometry's own
    // astigmatism and the estimate that the chain ran on comes before it.
    if (posterieure == CorneePosterieure::AUCUNE) {
        cylindre("preop", "D", m.astpre_D, m.astpre_axe);
    } else {
        j.cle("posterior").objet().cle("method").chaine(CorneePosterieure::nom(posterieure));
        j.cle("cyl").nombre(r.totale.cyl).cle("axis").entier(r.totale.axe);
        j.cle("k1").nombre(r.totale.K1D).cle("k2").nombre(r.totale.K2D).fin();
        cylindre("preop", "D", k2D - k1D, axe);
    }
    cylindre("crossed", "D", m.astcross_D, m.astcross_axe);
    j.cle("ideal").nombre(m.tperfect_D);
    cylindre("recommended", "cyl", m.tcalc_D, m.tcalc_axe);
    j.cle("trials").tableau();
    for (int n = 0; n < m.nb_essais(); ++n) {
        j.objet().cle("cyl").nombre(m.tab_cyl[n]).cle("residual").nombre(m.tab_astpost_plancornee[n]);
        j.cle("axis").entier(m.tab_astpost_axe[n]);
        j.cle("rotated5").nombre(m.residuel_tourne_max(n, 5));
        j.cle("rotated10").nombre(m.residuel_tourne_max(n, 10)).fin();
    }
    j.fin();
    j.cle("chosen").objet().cle("model").chaine(Textes::implant(QLatin1String(MODELE), r.choix));
    j.cle("cyl").nombre(r.choix).cle("residual").nombre(m.residuel_D(r.choix));
    j.cle("axis").entier(m.residuel_axe(r.choix)).fin();
    j.cle("warning");
    if (r.alerte == CalculTorique::AUCUN)
        j.nul();
    else
        j.chaine(r.alerte == CalculTorique::INVERSION ? QStringLiteral("inversion") : QStringLiteral("high"));
    j.cle("low_astigmatism").booleen(r.faible);
    j.cle("check").objet().cle("code").entier(0).fin().fin();
}

QByteArray CasCli::json(const CalculTorique& m, const Resultat& r, qint64 ligne) const {
    EcrivainJson j;
    json(j, m, r, ligne);
    return j.octets();
}

QString CasCli::texte(const CalculTorique& m, const Resultat& r) const {
    const CasCli& cas = *this;
    using T = Textes;
    const QString& l = cas.langue;
    const QString unite = cas.unite == 2 ? QStringLiteral(" mm") : QStringLiteral(" D");
    // A row as the page and the sheet name it, then its value.
    auto rangee = [&l](T::Cle cle, const QString& valeur) {
        return T::texte(cle, l, T::LIBELLE) + QLatin1Char(' ') + valeur;
    };
    auto cylindre = [](double dioptries, int axe) { return T::D(dioptries) + " x " + T::degres(axe); };
    QStringList t;
    t << T::texte(cas.oeil == "OS" ? T::OEIL_GAUCHE_OS : T::OEIL_DROIT_OD, l);
    t << QString();
    t << T::texte(T::INFORMATIONS_PREOP, l, T::TITRE);
    t << rangee(T::PUISSANCE_SEQ, cas.seq_texte + " D");
    t << rangee(T::AXE_PLAT,
                "K1 " + CalculTorique::texte_D(cas.k1) + unite + " @ " + T::degres(cas.axe_K1()));
    t << rangee(T::AXE_ELEVE, "K2 " + CalculTorique::texte_D(cas.k2) + unite + " @ " + T::degres(cas.axe));
    // With an estimated cornea: the keratometry's own astigmatism, then the
    // estimate that the lens is chosen on, with its method.
    if (cas.posterieure == CorneePosterieure::AUCUNE) {
        t << rangee(T::ASTIGMATISME_PREOP, cylindre(m.astpre_D, m.astpre_axe));
    } else {
        double k1D, k1mm, k2D, k2mm;
        kerato(cas, cas.k1, k1D, k1mm);
        kerato(cas, cas.k2, k2D, k2mm);
        t << rangee(T::ASTIGMATISME_ANTERIEUR, cylindre(k2D - k1D, cas.axe));
        t << T::forme(CorneePosterieure::astigmatisme(cas.posterieure, l), T::LIBELLE) + QLatin1Char(' ') +
                 cylindre(r.totale.cyl, r.totale.axe);
    }
    t << rangee(T::ASTIGMATISME_INDUIT, "- " + T::D(cas.sia));
    t << rangee(T::POSITION_INCISION, T::degres(cas.axe_incision()));
    t << rangee(T::CYLINDRE_CROISE, cylindre(m.astcross_D, m.astcross_axe));
    t << QString();
    t << T::texte(T::IMPLANT_CALCULE, l, T::TITRE);
    t << rangee(T::PUISSANCE_CONSEILLEE, T::D(m.tcalc_D) + " " + T::texte(T::IDEALE_OUVERTURE, l) +
                                             CalculTorique::texte_tperfect(m.tperfect_D) + " D)");
    t << rangee(T::ORIENTATION_MARQUES, T::degres(m.tcalc_axe));
    t << QString();
    t << T::texte(T::PREVISIONS_POSTOP, l, T::TITRE);
    t << rangee(T::IMPLANT_BREVANTA, T::implant(QLatin1String(MODELE), r.choix));
    t << rangee(T::ASTIGMATISME_RESIDUEL, cylindre(m.residuel_D(r.choix), m.residuel_axe(r.choix)));
    if (r.alerte == CalculTorique::INVERSION)
        t << T::texte(T::INVERSION, l);
    else if (r.alerte == CalculTorique::ELEVE)
        t << T::texte(T::RESIDUEL_ELEVE, l);
    // Every power of the range side by side: its residual, and the larger
    // residual left if the lens turns by 5 or 10 degrees either way.
    t << QString();
    t << Textes::selon(
        l, "TOUTES LES PUISSANCES (résiduel prévu ; résiduel si rotation de l'implant de ±5° ou ±10°) :",
        "ALL POWERS (estimated residual; residual if the lens is rotated ±5° or ±10°) :");
    t << Textes::selon(l, "Cylindre", "Cylinder").leftJustified(10) +
             Textes::selon(l, "Résiduel", "Residual").leftJustified(18) +
             ChoixPuissance::rotation(5, l).leftJustified(18) + ChoixPuissance::rotation(10, l);
    for (int n = 0; n < m.nb_essais(); ++n) {
        QString ligne = m.gamme_tot.value(n).leftJustified(10) +
                        cylindre(m.tab_astpost_plancornee[n], m.tab_astpost_axe[n]).leftJustified(18) +
                        T::D(m.residuel_tourne_max(n, 5)).leftJustified(18) +
                        T::D(m.residuel_tourne_max(n, 10));
        if (m.tab_cyl[n] == m.tcalc_D)
            ligne += QStringLiteral("   ") + ChoixPuissance::marque(l);
        t << ligne;
    }
    if (r.faible) {
        const Verification::Message q = Verification::question_astigmatisme_faible(l);
        t << QString() << q.titre << Textes::brut(q.texte);
    }
    return t.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString CasCli::message_refus(int code, const QString& langue) {
    const Verification::Message msg = Verification::message(code, langue);
    return msg.titre + QLatin1Char('\n') + Textes::brut(msg.texte) + QLatin1Char('\n');
}
