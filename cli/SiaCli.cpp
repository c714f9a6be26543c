#include "SiaCli.h"

#include "CsvCli.h"
#include "EcrivainJson.h"
#include "MessagesCli.h"
#include "Textes.h"
#include "Verification.h"

#include <QTextStream>

#include <cmath>

namespace {

using AI = AstigmatismeInduit;

const char* const COLONNES[] = {"eye", "k1_pre", "k2_pre", "axis_pre", "k1_post", "k2_post", "axis_post"};
constexpr int NB_COLONNES = 7;

QStringList colonnes() {
    QStringList l;
    for (const char* c : COLONNES)
        l << QLatin1String(c);
    return l;
}

// What the rows' columns accept, in the language of the messages, and the
// eye read as a batch file's eye column reads it.
struct Attendus {
    explicit Attendus(const QString& langue) : langue(langue) {
        for (const OptionsCli::Option* o : OptionsCli::colonnes())
            if (OptionsCli::colonne(*o) == QLatin1String(COLONNES[0]))
                oeil = o;
        texte_oeil = OptionsCli::attendu(*oeil, langue);
        axe = Textes::selon(langue, "un nombre entier de 0 à 180 (180 vaut 0)",
                            "a whole number from 0 to 180 (180 is 0)");
        k = Textes::selon(langue, "un nombre de dioptries de 30.00 à 60.00",
                          "a number of dioptres from 30.00 to 60.00");
        demande.cas.langue = langue;
    }
    QString langue;
    const OptionsCli::Option* oeil = nullptr;
    QString texte_oeil, axe, k;
    OptionsCli::Demande demande;
};

// Reads one row's values into the eye's keratometry; the first problem is
// the row's error.
bool lire_ligne(const CsvCli& csv, const LecteurCsv::Ligne& ligne, Attendus& a, AI::Kerato& pre,
                AI::Kerato& post, QString& erreur) {
    const QString& langue = a.langue;
    QString valeurs[NB_COLONNES];
    double* const k[] = {&pre.k1, &pre.k2, nullptr, &post.k1, &post.k2};
    int* const axes[] = {&pre.axe, &post.axe};
    for (int c = 0; c < NB_COLONNES; ++c) {
        const QString nom = QLatin1String(COLONNES[c]);
        const QString& v = valeurs[c] = csv.valeur(ligne, c);
        const QString& attendu = c == 0 ? a.texte_oeil : c % 3 == 0 ? a.axe : a.k;
        if (v.isEmpty()) {
            erreur = MessagesCli::valeur_absente(nom, attendu, langue);
            return false;
        }
        QString probleme;
        bool lue = true;
        if (c == 0) {
            lue = a.oeil->lire(*a.oeil, {v, QByteArray()}, a.demande, probleme);
        } else if (c % 3 == 0) {
            int axe = 0;
            lue = OptionsCli::entier(v, true, 0, 180, axe);
            *axes[c / 3 - 1] = axe % 180;
        } else {
            // The keratometry a keratometer gives, as the calculation's
            // checks accept it; a decimal comma in any file, as a
            // spreadsheet writes it in a quoted field.
            double d = 0;
            lue = OptionsCli::nombre(v, true, d) && Verification::dans_limites(Verification::K1_HORS_D, d);
            *k[c - 1] = d;
        }
        if (!lue) {
            erreur = MessagesCli::refus_valeur(nom, v, attendu, langue);
            return false;
        }
    }
    // K2 is the steep meridian: below K1 the columns are swapped or a value
    // is mistyped.
    for (int i = 0; i < 2; ++i) {
        const AI::Kerato& m = i == 0 ? pre : post;
        if (m.k2 < m.k1) {
            erreur = MessagesCli::refus_valeur(
                QLatin1String(COLONNES[3 * i + 2]), valeurs[3 * i + 2],
                Textes::selon(langue, "au moins %1 (%2), K2 étant le méridien le plus cambré",
                              "at least %1 (%2), K2 being the steep meridian")
                    .arg(QLatin1String(COLONNES[3 * i + 1]), Textes::cite(valeurs[3 * i + 1])),
                langue);
            return false;
        }
    }
    return true;
}

// The figures of a series, or of one eye of it, as text.
void figures(const AI::Bilan& b, const QString& langue, QTextStream& t) {
    t << AI::avant_valeur(AI::YEUX, langue) << b.n << '\n';
    if (b.miroir)
        t << AI::libelle(AI::MIROIR, langue) << '\n';
    t << AI::avant_valeur(AI::CENTROIDE, langue) << AI::texte_vecteur(b.centroide) << '\n';
    t << AI::avant_valeur(AI::ECARTS_TYPES, langue) << AI::texte_ecarts(b, langue) << '\n';
    t << AI::avant_valeur(AI::MOYENNE, langue) << AI::texte_moyenne(b, langue) << '\n';
    if (b.ellipse_centroide.valide) {
        t << AI::avant_valeur(AI::ELLIPSE_CENTROIDE, langue) << AI::texte_ellipse(b.ellipse_centroide, langue)
          << '\n';
        t << AI::avant_valeur(AI::ELLIPSE_DONNEES, langue) << AI::texte_ellipse(b.ellipse_donnees, langue)
          << '\n';
    } else {
        t << AI::libelle(AI::SANS_ELLIPSE, langue) << '\n';
    }
}

// A heading: "PAR OEIL :", "EACH EYE:".
QString titre(AI::Libelle l, const QString& langue) {
    return AI::avant_valeur(l, langue).toUpper().trimmed();
}

void vecteur_json(EcrivainJson& j, const AI::Vecteur& v) {
    j.cle("D").nombre(v.D()).cle("axis");
    if (std::isfinite(v.D()))
        j.entier(v.axe());
    else
        j.nul();
    j.cle("x").nombre(v.x).cle("y").nombre(v.y);
}

void kerato_json(EcrivainJson& j, const char* nom, const AI::Kerato& k) {
    const AI::Vecteur v = AI::vecteur(k.k2 - k.k1, k.axe);
    j.cle(nom).objet().cle("k1").nombre(k.k1).cle("k2").nombre(k.k2).cle("axis").entier(k.axe);
    j.cle("D").nombre(v.D()).fin();
}

void ellipse_json(EcrivainJson& j, const char* nom, const AI::Ellipse& e, double quantile) {
    j.cle(nom);
    if (!e.valide) {
        j.nul();
        return;
    }
    j.objet().cle("x").nombre(e.x).cle("y").nombre(e.y).cle("semi_major").nombre(e.demi_grand);
    j.cle("semi_minor").nombre(e.demi_petit).cle("orientation").nombre(e.orientation);
    j.cle("quantile").nombre(quantile).fin();
}

// The figures as members of an open object.
void figures_json(EcrivainJson& j, const AI::Bilan& b) {
    j.cle("count").entier(b.n);
    j.cle("mean").objet().cle("D").nombre(b.moyenne_D).cle("sd").nombre(b.ecart_type_D).fin();
    j.cle("centroid").objet();
    vecteur_json(j, b.centroide);
    j.cle("sd_x").nombre(b.ecart_type_x).cle("sd_y").nombre(b.ecart_type_y).fin();
    j.cle("ellipses").objet();
    ellipse_json(j, "centroid", b.ellipse_centroide, b.quantile_centroide);
    ellipse_json(j, "data", b.ellipse_donnees, b.quantile_donnees);
    j.fin();
}

} // namespace

QString SiaCli::en_tete() {
    return colonnes().join(QLatin1Char(','));
}

bool SiaCli::lire(CsvCli& csv, AstigmatismeInduit& serie, QList<Refus>& refus, QString& erreur) {
    const QString& langue = csv.langue();
    Attendus attendus(langue);
    LecteurCsv::Ligne ligne;
    int lignes = 0;
    while (csv.suivante(ligne)) {
        if (ligne.vide() && ligne.etat == LecteurCsv::Complete)
            continue; // a blank line
        if (++lignes > LIGNES_MAX) {
            erreur = MessagesCli::erreur(
                csv.nom_option(),
                Textes::selon(langue, "plus de %1 lignes dans %2", "more than %1 rows in %2")
                    .arg(LIGNES_MAX)
                    .arg(csv.cite()),
                Textes::selon(langue, "au plus %1 yeux", "at most %1 eyes").arg(LIGNES_MAX), langue);
            return false;
        }
        QString probleme = csv.probleme(ligne);
        AI::Kerato pre, post;
        if (probleme.isEmpty() && lire_ligne(csv, ligne, attendus, pre, post, probleme)) {
            serie.ajouter(ligne.numero, attendus.demande.cas.oeil, pre, post);
            continue;
        }
        refus.append({ligne.numero, probleme.toUtf8()});
    }
    if (csv.echec()) {
        erreur = csv.illisible();
        return false;
    }
    return true;
}

void SiaCli::texte(const AstigmatismeInduit& serie, const QString& langue, QTextStream& t) {
    t << AI::libelle(AI::TITRE, langue).toUpper() << '\n';
    figures(serie.bilan(), langue, t);
    if (serie.deux_yeux())
        for (const auto& [oeil, libelle] :
             {std::pair{"OD", AI::YEUX_DROITS}, std::pair{"OS", AI::YEUX_GAUCHES}}) {
            t << '\n' << titre(libelle, langue) << '\n';
            figures(serie.bilan(QLatin1String(oeil)), langue, t);
        }
    t << '\n' << titre(AI::PAR_OEIL, langue) << '\n';
    const QString ligne = AI::libelle(AI::LIGNE, langue), deux_points = Textes::deux_points(langue);
    for (const AI::Oeil& o : serie.yeux())
        t << ligne << ' ' << o.ligne << " (" << o.oeil << ')' << deux_points << AI::texte_vecteur(o.induit)
          << '\n';
}

void SiaCli::json(const AstigmatismeInduit& serie, const QList<Refus>& refus, EcrivainJson& j) {
    const AI::Bilan b = serie.bilan();
    j.objet();
    figures_json(j, b);
    j.cle("left_eyes_mirrored").booleen(b.miroir);
    j.cle("by_eye");
    if (serie.deux_yeux()) {
        j.objet();
        for (const char* oeil : {"OD", "OS"}) {
            j.cle(oeil).objet();
            figures_json(j, serie.bilan(QLatin1String(oeil)));
            j.fin();
        }
        j.fin();
    } else {
        j.nul();
    }
    j.cle("eyes").tableau();
    for (const AI::Oeil& o : serie.yeux()) {
        j.objet().cle("line").entier(o.ligne).cle("eye").chaine(o.oeil);
        kerato_json(j, "preop", o.pre);
        kerato_json(j, "postop", o.post);
        j.cle("sia").objet();
        vecteur_json(j, o.induit);
        j.fin().fin();
    }
    j.fin().cle("errors").tableau();
    for (const Refus& r : refus)
        j.objet().cle("line").entier(r.ligne).cle("error").chaine(QString::fromUtf8(r.erreur)).fin();
    j.fin().fin();
}

int SiaCli::executer(const OptionsCli::Demande& demande, int descripteur_sortie, const Graphique& graphique,
                     QTextStream& sortie, QTextStream& erreurs) {
    const QString& langue = demande.cas.langue;
    const QString option = demande.nom_du_mode();
    CsvCli csv(option, colonnes(), colonnes(), langue);
    QString erreur;
    if (!csv.preparer(demande.sia, demande.graphique, QLatin1String(OptionsCli::sortie(OptionsCli::SIA).nom),
                      descripteur_sortie, erreur)) {
        erreurs << erreur << '\n';
        return 2;
    }
    AstigmatismeInduit serie;
    QList<Refus> refus;
    if (!lire(csv, serie, refus, erreur)) {
        erreurs << erreur << '\n';
        return 2;
    }
    CsvCli::Sorties s;
    s.vide = serie.yeux().isEmpty();
    s.quoi = Textes::selon(langue, "un oeil", "one eye");
    s.option_graphique = QLatin1String(OptionsCli::sortie(OptionsCli::SIA).nom);
    if (graphique)
        s.graphique = [&](QTextStream& e) { return graphique(demande, serie, e); };
    s.json = [&](EcrivainJson& j) { json(serie, refus, j); };
    s.texte = [&](QTextStream& t) { texte(serie, langue, t); };
    return csv.conclure(demande, refus, s, sortie, erreurs);
}
