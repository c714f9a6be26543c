#include "AuditCli.h"

#include "CsvCli.h"
#include "EcrivainJson.h"
#include "ListParam.h"
#include "MessagesCli.h"
#include "Textes.h"
#include "Verification.h"

#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using AP = AuditPrevisions;
using Methode = CorneePosterieure::Methode;
constexpr Methode BASES[] = {CorneePosterieure::AUCUNE, CorneePosterieure::ABULAFIA_KOCH};

// The columns: first those of a case, read by the options of the same name
// (and as they read a batch file's columns), then those of the outcome.
enum Colonne {
    OEIL,
    SEQ,
    UNITE,
    K1,
    K2,
    AXE,
    SIA,
    INCISION,
    CYL, // a case's
    AXE_LENTILLE,
    REF_SPH,
    REF_CYL,
    REF_AXE,
    VERTEX, // the outcome's
    NB_COLONNES
};
const char* const NOMS[NB_COLONNES] = {"eye",     "seq",     "unit",     "k1",    "k2",
                                       "axis",    "sia",     "incision", "cyl",   "lens_axis",
                                       "ref_sph", "ref_cyl", "ref_axis", "vertex"};
// Those that may be left empty: the unit (dioptres), the induced
// astigmatism (none), the incision (that of the eye), the vertex distance
// (12 mm); the refraction's axis when it has no cylinder.
bool facultative(int c) {
    return c == UNITE || c == SIA || c == INCISION || c == VERTEX || c == REF_AXE;
}

constexpr double VERTEX_DEFAUT = 12.0;
constexpr double SPHERE_MAX = 30.0;   // dioptres, either sign
constexpr double CYLINDRE_MAX = 10.0; // dioptres, either sign
constexpr double VERTEX_MAX = 20.0;   // millimetres

QStringList noms(bool obligatoires_seulement = false) {
    QStringList l;
    for (int c = 0; c < NB_COLONNES; ++c)
        if (!obligatoires_seulement || !facultative(c))
            l << QLatin1String(NOMS[c]);
    return l;
}

// One row read: the case, then the outcome.
struct Rangee {
    int axe_lentille = 0;
    double sph = 0, cyl = 0;
    int axe = -1; // -1: none given
    double vertex = VERTEX_DEFAUT;
};

// What the outcome's columns accept.
QString attendu(int c, const QString& langue) {
    switch (c) {
    case AXE_LENTILLE:
    case REF_AXE:
        return Textes::selon(langue, "un nombre entier de 0 à 180 (180 vaut 0)",
                             "a whole number from 0 to 180 (180 is 0)");
    case REF_SPH:
        return Textes::selon(langue, "un nombre de dioptries de -30.00 à 30.00",
                             "a number of dioptres from -30.00 to 30.00");
    case REF_CYL:
        return Textes::selon(langue, "un nombre de dioptries de -10.00 à 10.00",
                             "a number of dioptres from -10.00 to 10.00");
    default:
        return Textes::selon(langue, "un nombre de millimètres de 0 à 20",
                             "a number of millimetres from 0 to 20");
    }
}

// Reads one value of the outcome.
bool lire_issue(int c, const QString& v, bool virgule, Rangee& r) {
    switch (c) {
    case AXE_LENTILLE:
        if (!OptionsCli::entier(v, virgule, 0, 180, r.axe_lentille))
            return false;
        r.axe_lentille %= 180;
        return true;
    case REF_AXE:
        if (!OptionsCli::entier(v, virgule, 0, 180, r.axe))
            return false;
        r.axe %= 180;
        return true;
    case REF_SPH:
        return OptionsCli::nombre(v, virgule, r.sph) && std::abs(r.sph) <= SPHERE_MAX;
    case REF_CYL:
        return OptionsCli::nombre(v, virgule, r.cyl) && std::abs(r.cyl) <= CYLINDRE_MAX;
    default:
        return OptionsCli::nombre(v, virgule, r.vertex) && r.vertex >= 0 && r.vertex <= VERTEX_MAX;
    }
}

// The option of the batch column that each pre-operative column is (the
// same name), found once; nullptr for the outcome's columns.
const OptionsCli::Option* option_de(int c) {
    static const auto options = [] {
        std::array<const OptionsCli::Option*, NB_COLONNES> o{};
        for (const OptionsCli::Option* x : OptionsCli::colonnes())
            for (int k = 0; k <= CYL; ++k)
                if (OptionsCli::colonne(*x) == QLatin1String(NOMS[k]))
                    o[k] = x;
        return o;
    }();
    return options[c];
}

// Reads a row into the request's case and the outcome; the first problem
// is the row's error.
QString lire_ligne(const CsvCli& csv, const LecteurCsv::Ligne& ligne, OptionsCli::Demande& d, Rangee& r) {
    const QString& langue = csv.langue();
    for (int c = 0; c < NB_COLONNES; ++c) {
        const QString nom = QLatin1String(NOMS[c]);
        const QString v = csv.valeur(ligne, c);
        const OptionsCli::Option* o = option_de(c);
        auto texte_attendu = [&] { return o ? OptionsCli::attendu(*o, langue) : attendu(c, langue); };
        if (v.isEmpty()) {
            // A refraction with a cylinder has its axis.
            const bool absente = !facultative(c) || (c == REF_AXE && r.cyl != 0);
            if (absente)
                return MessagesCli::valeur_absente(nom, texte_attendu(), langue);
            continue;
        }
        QString probleme;
        const bool lue =
            o ? o->lire(*o, {v, QByteArray()}, d, probleme) : lire_issue(c, v, d.virgule_decimale, r);
        if (!lue)
            return !probleme.isEmpty() ? probleme
                                       : MessagesCli::refus_valeur(nom, v, texte_attendu(), langue);
    }
    return QString();
}

// "Title: text" of a check that refuses the case, on one line.
QString refus_verification(int code, const QString& langue) {
    return CasCli::message_refus(code, langue).trimmed().replace(QLatin1Char('\n'), QStringLiteral(" : "));
}

void astigmatisme_json(EcrivainJson& j, const char* nom, double D, int axe) {
    j.cle(nom).objet().cle("cyl").nombre(D).cle("axis").entier(axe).fin();
}

void centroide_json(EcrivainJson& j, const AP::Vecteur& v) {
    j.cle("centroid").objet().cle("magnitude").nombre(v.D()).cle("axis");
    if (std::isfinite(v.D()))
        j.entier(v.axe());
    else
        j.nul();
    j.fin();
}

void dans_json(EcrivainJson& j, const AP::Resume& r) {
    j.cle("within").objet();
    for (int s = 0; s < AP::NB_SEUILS; ++s)
        j.cle(QByteArray::number(AP::SEUILS[s], 'f', 2).constData()).nombre(r.dans[s]);
    j.fin();
}

// One line of the side-by-side text: the label, then each basis's figure,
// the better one marked with "*" (the lower value, or the higher when
// `plus_haut_mieux`); no mark when they are equal as printed.
void ligne_comparee(QTextStream& t, int largeur, const QString& libelle,
                    const QString (&textes)[AP::NB_BASES], const double (&valeurs)[AP::NB_BASES],
                    bool plus_haut_mieux) {
    constexpr int LARGEUR_COLONNE = 40;
    t << libelle.leftJustified(largeur);
    const bool egales = textes[0] == textes[1] || std::isnan(valeurs[0]) || std::isnan(valeurs[1]);
    for (int b = 0; b < AP::NB_BASES; ++b) {
        const bool meilleure =
            !egales && (plus_haut_mieux ? valeurs[b] > valeurs[1 - b] : valeurs[b] < valeurs[1 - b]);
        const QString cellule = (meilleure ? QStringLiteral("* ") : QStringLiteral("  ")) + textes[b];
        t << (b + 1 < AP::NB_BASES ? cellule.leftJustified(LARGEUR_COLONNE) : cellule);
    }
    t << '\n';
}

QString texte_vecteur(const AP::Vecteur& v, const QString& langue) {
    return std::isfinite(v.D()) ? AstigmatismeInduit::texte_vecteur(v)
                                : AstigmatismeInduit::libelle(AstigmatismeInduit::NON_CALCULABLE, langue);
}

} // namespace

QString AuditCli::en_tete() {
    return noms().join(QLatin1Char(','));
}

bool AuditCli::lire(CsvCli& csv, AuditPrevisions& audit, QList<Refus>& refus, QString& erreur) {
    const QString& langue = csv.langue();
    OptionsCli::Demande d;
    d.virgule_decimale = csv.virgule_decimale();
    CalculTorique moteur;
    ListParam record;
    LecteurCsv::Ligne ligne;
    int lignes = 0;
    while (csv.suivante(ligne)) {
        if (ligne.vide() && ligne.etat == LecteurCsv::Complete)
            continue; // a blank line
        if (++lignes > LIGNES_MAX) {
            erreur = MessagesCli::erreur(
                QLatin1String(OptionsCli::demarreur(OptionsCli::AUDIT).nom),
                Textes::selon(langue, "plus de %1 lignes dans %2", "more than %1 rows in %2")
                    .arg(LIGNES_MAX)
                    .arg(csv.cite()),
                Textes::selon(langue, "au plus %1 yeux", "at most %1 eyes").arg(LIGNES_MAX), langue);
            return false;
        }
        d.cas = CasCli();
        d.cas.langue = langue;
        Rangee r;
        QString probleme = csv.probleme(ligne);
        if (probleme.isEmpty())
            probleme = lire_ligne(csv, ligne, d, r);
        if (probleme.isEmpty()) {
            // The checks of the Calculate button, on the entries as typed.
            const CasCli::Resultat resultat = d.cas.calculer(moteur, record);
            if (resultat.code != Verification::ACCEPTE)
                probleme = refus_verification(resultat.code, langue);
        }
        if (!probleme.isEmpty()) {
            refus.append({ligne.numero, probleme.toUtf8()});
            continue;
        }
        AP::Astigmatisme predit[AP::NB_BASES];
        for (Methode b : BASES)
            predit[b] = AP::prediction(moteur, b, d.cas.cyl, r.axe_lentille);
        audit.ajouter(ligne.numero, d.cas.oeil,
                      AP::refraction_cornee(r.sph, r.cyl, std::max(r.axe, 0), r.vertex), predit);
    }
    if (csv.echec()) {
        erreur = csv.illisible();
        return false;
    }
    return true;
}

void AuditCli::texte(const AuditPrevisions& audit, const QString& langue, QTextStream& t) {
    using AI = AstigmatismeInduit;
    AP::Resume r[AP::NB_BASES];
    for (Methode b : BASES)
        r[b] = AP::resumer(audit.erreurs(b));
    t << AP::libelle(AP::TITRE, langue).toUpper() << '\n';
    t << AI::avant_valeur(AI::YEUX, langue) << audit.yeux().size() << "\n\n";
    const QString bases[AP::NB_BASES] = {AP::base(BASES[0], langue), AP::base(BASES[1], langue)};
    const double aucune[AP::NB_BASES] = {NAN, NAN};
    // The labels in a column as wide as the longest, two blanks after it.
    int largeur = 0;
    for (const QString& l : {AI::libelle(AI::CENTROIDE, langue), AI::libelle(AI::ECARTS_TYPES, langue),
                             AP::libelle(AP::ERREUR_MOYENNE, langue), AP::libelle(AP::ERREUR_MEDIANE, langue),
                             AP::dans(0, langue)})
        largeur = std::max(largeur, int(l.size()) + 2);
    ligne_comparee(t, largeur, QString(), bases, aucune, false);
    auto ligne = [&](const QString& libelle, auto texte, auto valeur, bool plus_haut_mieux = false) {
        QString textes[AP::NB_BASES];
        double valeurs[AP::NB_BASES];
        for (int b = 0; b < AP::NB_BASES; ++b) {
            textes[b] = texte(r[b]);
            valeurs[b] = valeur(r[b]);
        }
        ligne_comparee(t, largeur, libelle, textes, valeurs, plus_haut_mieux);
    };
    ligne(
        AI::libelle(AI::CENTROIDE, langue),
        [&](const AP::Resume& x) { return texte_vecteur(x.bilan.centroide, langue); },
        [](const AP::Resume& x) { return x.bilan.centroide.D(); });
    ligne(
        AI::libelle(AI::ECARTS_TYPES, langue),
        [&](const AP::Resume& x) { return AI::texte_ecarts(x.bilan, langue); },
        [](const AP::Resume& x) { return std::hypot(x.bilan.ecart_type_x, x.bilan.ecart_type_y); });
    ligne(
        AP::libelle(AP::ERREUR_MOYENNE, langue),
        [&](const AP::Resume& x) { return AI::texte_moyenne(x.bilan, langue); },
        [](const AP::Resume& x) { return x.bilan.moyenne_D; });
    ligne(
        AP::libelle(AP::ERREUR_MEDIANE, langue),
        [&](const AP::Resume& x) { return AI::texte_ecart(x.mediane_D, langue); },
        [](const AP::Resume& x) { return x.mediane_D; });
    for (int s = 0; s < AP::NB_SEUILS; ++s)
        ligne(
            AP::dans(s, langue), [&](const AP::Resume& x) { return AP::pourcentage(x.dans[s], langue); },
            [s](const AP::Resume& x) { return x.dans[s]; }, true);
    t << AP::libelle(AP::MEILLEURE, langue) << "\n\n";

    const QString deux_points = Textes::deux_points(langue);
    const AP::Resume reel = AP::resumer(audit.actuels());
    t << AP::libelle(AP::REEL, langue).toUpper() << '\n';
    t << AI::avant_valeur(AI::CENTROIDE, langue) << texte_vecteur(reel.bilan.centroide, langue) << '\n';
    t << AI::avant_valeur(AI::MOYENNE, langue) << AI::texte_moyenne(reel.bilan, langue) << '\n';
    for (int s = 0; s < AP::NB_SEUILS; ++s)
        t << AP::dans(s, langue) << deux_points << AP::pourcentage(reel.dans[s], langue) << '\n';

    t << '\n' << AI::avant_valeur(AI::PAR_OEIL, langue).toUpper().trimmed() << '\n';
    for (const AP::Oeil& o : audit.yeux()) {
        t << AI::libelle(AI::LIGNE, langue) << ' ' << o.ligne << " (" << o.oeil << ')' << deux_points;
        t << AP::libelle(AP::ACTUEL, langue) << ' ' << AI::texte_vecteur(o.actuel.vecteur());
        for (Methode b : BASES)
            t << " ; " << AP::base(b, langue) << deux_points << AP::libelle(AP::PREDIT, langue) << ' '
              << AI::texte_vecteur(o.predit[b].vecteur()) << ", " << AP::libelle(AP::ERREUR, langue) << ' '
              << AI::texte_vecteur(o.erreur[b]);
        t << '\n';
    }
}

void AuditCli::json(const AuditPrevisions& audit, const QList<Refus>& refus, EcrivainJson& j) {
    j.objet().cle("eyes").entier(audit.yeux().size());
    j.cle("methods").objet();
    for (Methode b : BASES) {
        const AP::Resume r = AP::resumer(audit.erreurs(b));
        j.cle(CorneePosterieure::nom(b).toLatin1().constData()).objet();
        centroide_json(j, r.bilan.centroide);
        j.cle("sd_x").nombre(r.bilan.ecart_type_x).cle("sd_y").nombre(r.bilan.ecart_type_y);
        j.cle("mean_abs").nombre(r.bilan.moyenne_D).cle("sd_abs").nombre(r.bilan.ecart_type_D);
        j.cle("median_abs").nombre(r.mediane_D);
        dans_json(j, r);
        j.fin();
    }
    j.fin();
    const AP::Resume reel = AP::resumer(audit.actuels());
    j.cle("actual").objet();
    centroide_json(j, reel.bilan.centroide);
    j.cle("mean_abs").nombre(reel.bilan.moyenne_D);
    dans_json(j, reel);
    j.fin();
    j.cle("rows").tableau();
    for (const AP::Oeil& o : audit.yeux()) {
        j.objet().cle("line").entier(o.ligne).cle("eye").chaine(o.oeil);
        astigmatisme_json(j, "actual", o.actuel.D, o.actuel.axe);
        j.cle("predicted").objet();
        for (Methode b : BASES)
            astigmatisme_json(j, CorneePosterieure::nom(b).toLatin1().constData(), o.predit[b].D,
                              o.predit[b].axe);
        j.fin().cle("error").objet();
        for (Methode b : BASES)
            astigmatisme_json(j, CorneePosterieure::nom(b).toLatin1().constData(), o.erreur[b].D(),
                              o.erreur[b].axe());
        j.fin().fin();
    }
    j.fin().cle("errors").tableau();
    for (const Refus& r : refus)
        j.objet().cle("line").entier(r.ligne).cle("message").chaine(QString::fromUtf8(r.erreur)).fin();
    j.fin().fin();
}

int AuditCli::executer(const OptionsCli::Demande& demande, int descripteur_sortie, const Graphique& graphique,
                       QTextStream& sortie, QTextStream& erreurs) {
    const QString& langue = demande.cas.langue;
    const QString option = QLatin1String(OptionsCli::demarreur(OptionsCli::AUDIT).nom);
    const QString option_graphique = QLatin1String(OptionsCli::sortie(OptionsCli::AUDIT).nom);
    CsvCli csv(option, noms(), noms(true), langue);
    QString erreur;
    AuditPrevisions audit;
    QList<Refus> refus;
    if (!csv.preparer(demande.audit, demande.graphique, option_graphique, descripteur_sortie, erreur) ||
        !lire(csv, audit, refus, erreur)) {
        erreurs << erreur << '\n';
        return 2;
    }
    CsvCli::Sorties s;
    s.vide = audit.yeux().isEmpty();
    s.quoi = Textes::selon(langue, "un oeil opéré", "one operated eye");
    s.option_graphique = option_graphique;
    if (graphique)
        s.graphique = [&](QTextStream& e) { return graphique(demande, audit, e); };
    s.json = [&](EcrivainJson& j) { json(audit, refus, j); };
    s.texte = [&](QTextStream& t) { texte(audit, langue, t); };
    return csv.conclure(demande, refus, s, sortie, erreurs);
}
