#include "SiaCli.h"

#include "EcritureFichier.h"
#include "FeuilleCalcul.h"
#include "GraphiqueAstigmatismeInduit.h"
#include "LecteurCsv.h"
#include "Textes.h"
#include "Verification.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cmath>

namespace {

const char* const COLONNES[] = {"eye", "k1_pre", "k2_pre", "axis_pre", "k1_post", "k2_post", "axis_post"};
constexpr int NB_COLONNES = 7;
const char* const EN_TETE = "eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post";

QString attendu_fichier(const QString& langue) {
    return ToriqueCli::fichier_csv(EN_TETE, langue);
}

// A series of past cases has at most this many rows; a file beyond is no
// such series, and is not held in memory.
constexpr int LIGNES_MAX = 100000;

// A number as a spreadsheet may write it: blanks around it, a decimal
// comma in a quoted field.
bool nombre(QString texte, double& v) {
    texte = texte.trimmed();
    if (!texte.contains(QLatin1Char('.')) && texte.count(QLatin1Char(',')) == 1)
        texte.replace(QLatin1Char(','), QLatin1Char('.'));
    return ToriqueCli::nombre(texte, v);
}

// What the rows' columns accept, in the language of the messages.
struct Attendus {
    explicit Attendus(const QString& langue)
        : langue(langue), oeil(ToriqueCli::attendu("eye", langue)), axe(ToriqueCli::attendu("axis", langue)),
          k(Textes::selon(langue, "un nombre de dioptries de 30.00 à 60.00",
                          "a number of dioptres from 30.00 to 60.00")) {
        cas.langue = langue;
    }
    QString langue, oeil, axe, k;
    ToriqueCli::Cas cas; // the eye read as the tool's --eye reads it
};

// Reads one row's values into the eye's keratometry; the first problem is
// the row's error.
bool lire_ligne(const QStringList& valeurs, Attendus& a, QString& oeil, AstigmatismeInduit::Kerato& pre,
                AstigmatismeInduit::Kerato& post, QString& erreur) {
    const QString& langue = a.langue;
    if (valeurs.size() > NB_COLONNES) {
        erreur = ToriqueCli::trop_de_valeurs(valeurs.size(), NB_COLONNES, EN_TETE, langue);
        return false;
    }
    double* const k[] = {&pre.k1, &pre.k2, nullptr, &post.k1, &post.k2};
    int* const axes[] = {&pre.axe, &post.axe};
    for (int c = 0; c < NB_COLONNES; ++c) {
        const QString nom = QLatin1String(COLONNES[c]);
        const QString v = valeurs.value(c).trimmed();
        if (v.isEmpty()) {
            const QString& attendu = c == 0 ? a.oeil : c % 3 == 0 ? a.axe : a.k;
            erreur = ToriqueCli::valeur_absente(nom, attendu, langue);
            return false;
        }
        if (c == 0) {
            if (!ToriqueCli::lire("eye", nom, v, a.cas, erreur))
                return false;
            oeil = a.cas.oeil;
        } else if (c % 3 == 0) {
            int axe;
            if (!ToriqueCli::entier(v, 0, 180, axe)) {
                erreur = ToriqueCli::refus_valeur(nom, v, a.axe, langue);
                return false;
            }
            *axes[c / 3 - 1] = axe % 180;
        } else {
            // The keratometry a keratometer gives, as the calculation's
            // checks accept it.
            double d;
            if (!nombre(v, d) || !Verification::dans_limites(Verification::K1_HORS_D, d)) {
                erreur = ToriqueCli::refus_valeur(nom, v, a.k, langue);
                return false;
            }
            *k[c - 1] = d;
        }
    }
    // K2 is the steep meridian: below K1 the columns are swapped or a value
    // is mistyped.
    for (int i = 0; i < 2; ++i) {
        const AstigmatismeInduit::Kerato& m = i == 0 ? pre : post;
        if (m.k2 < m.k1) {
            const QString k1 = QLatin1String(COLONNES[3 * i + 1]), k2 = QLatin1String(COLONNES[3 * i + 2]);
            erreur = ToriqueCli::refus_valeur(
                k2, valeurs[3 * i + 2],
                Textes::selon(langue, "au moins %1 (%2), K2 étant le méridien le plus cambré",
                              "at least %1 (%2), K2 being the steep meridian")
                    .arg(k1, valeurs[3 * i + 1].trimmed()),
                langue);
            return false;
        }
    }
    return true;
}

QJsonValue nombre_json(double v) {
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QJsonObject vecteur_json(const AstigmatismeInduit::Vecteur& v) {
    return {{"D", v.D()}, {"axis", v.axe()}, {"x", v.x}, {"y", v.y}};
}

QJsonObject kerato_json(const AstigmatismeInduit::Kerato& k) {
    const AstigmatismeInduit::Vecteur v = AstigmatismeInduit::vecteur(k.k2 - k.k1, k.axe);
    return {{"k1", k.k1}, {"k2", k.k2}, {"axis", k.axe}, {"D", v.D()}};
}

QJsonValue ellipse_json(const AstigmatismeInduit::Ellipse& e, double quantile) {
    if (!e.valide)
        return QJsonValue::Null;
    return QJsonObject{{"x", e.x},
                       {"y", e.y},
                       {"semi_major", e.demi_grand},
                       {"semi_minor", e.demi_petit},
                       {"orientation", e.orientation},
                       {"quantile", quantile}};
}

} // namespace

SiaCli::SiaCli(ToriqueCli& outil, const QString& langue) : langue_messages(langue) {
    outil.ajouter_option(
        {"--sia", true, attendu_fichier("fr"), attendu_fichier("en"), [this](const QString& v) {
             if (v.isEmpty())
                 return ToriqueCli::refus_valeur("--sia", v, attendu_fichier(langue_messages),
                                                 langue_messages);
             fichier = v;
             return QString();
         }});
    const char* const image_fr = "un nom de fichier en .pdf, .png ou .svg (PDF sans extension)";
    const char* const image_en = "a file name ending in .pdf, .png or .svg (PDF without one)";
    outil.ajouter_option({"--plot", true, QString::fromUtf8(image_fr), image_en, [=](const QString& v) {
                              if (!ToriqueCli::nom_de_fichier(v) || GraphiqueAstigmatismeInduit::format(v) ==
                                                                        GraphiqueAstigmatismeInduit::INCONNU)
                                  return ToriqueCli::refus_valeur(
                                      "--plot", v, Textes::selon(langue_messages, image_fr, image_en),
                                      langue_messages);
                              graphique = v;
                              return QString();
                          }});
    outil.ajouter_mode({"--sia",
                        {"--plot"},
                        usage("fr").trimmed(),
                        usage("en").trimmed(),
                        [this](bool json, const QString& l, QTextStream& sortie, QTextStream& erreurs) {
                            return executer(json, l, sortie, erreurs);
                        }});
}

bool SiaCli::demande_graphique(const QStringList& arguments) {
    for (const QString& a : arguments)
        if (a == "--plot" || a.startsWith("--plot="))
            return true;
    return false;
}

QString SiaCli::usage(const QString& langue) {
    return ToriqueCli::ligne_usage("torique --sia FILE.csv [--plot FILE.pdf|png|svg] [--lang fr|en] [--json]",
                                   langue);
}

bool SiaCli::lire(QIODevice& source, const QString& nom, const QString& langue, AstigmatismeInduit& serie,
                  QList<ErreurLigne>& refus, QString& erreur) {
    LecteurCsv lecteur(&source);
    LecteurCsv::Ligne ligne;
    if (!lecteur.suivante(ligne) || !ToriqueCli::est_en_tete(ligne, EN_TETE)) {
        erreur = lecteur.echec()
                     ? ToriqueCli::fichier_illisible("--sia", nom, lecteur.erreur(), EN_TETE, langue)
                     : ToriqueCli::erreur("--sia", ToriqueCli::sans_en_tete(nom, langue),
                                          attendu_fichier(langue), langue);
        return false;
    }
    Attendus attendus(langue);
    int lignes = 0;
    while (lecteur.suivante(ligne)) {
        if (!ligne.vide() || ligne.etat != LecteurCsv::Complete)
            if (++lignes > LIGNES_MAX) {
                erreur = ToriqueCli::erreur(
                    "--sia",
                    Textes::selon(langue, "plus de %1 lignes dans %2", "more than %1 rows in %2")
                        .arg(LIGNES_MAX)
                        .arg(ToriqueCli::citation(nom, langue)),
                    Textes::selon(langue, "au plus %1 yeux", "at most %1 eyes").arg(LIGNES_MAX), langue);
                return false;
            }
        QString probleme = ToriqueCli::ligne_incomplete(ligne, langue);
        if (probleme.isEmpty()) {
            if (ligne.vide())
                continue; // a blank line
            QString oeil;
            AstigmatismeInduit::Kerato pre, post;
            if (lire_ligne(ligne.champs(), attendus, oeil, pre, post, probleme)) {
                serie.ajouter(ligne.numero, oeil, pre, post);
                continue;
            }
        }
        refus.append({ligne.numero, probleme});
    }
    if (lecteur.echec()) {
        erreur = ToriqueCli::fichier_illisible("--sia", nom, lecteur.erreur(), EN_TETE, langue);
        return false;
    }
    return true;
}

QString SiaCli::texte(const AstigmatismeInduit& serie, const QString& langue) {
    using AI = AstigmatismeInduit;
    const AI::Bilan b = serie.bilan();
    const QString deux_points = QStringLiteral(" : ");
    QStringList t;
    t << AI::libelle(AI::TITRE, langue).toUpper();
    t << AI::libelle(AI::YEUX, langue) + deux_points + QString::number(b.n);
    t << AI::libelle(AI::CENTROIDE, langue) + deux_points + AI::texte_vecteur(b.centroide);
    t << AI::libelle(AI::ECARTS_TYPES, langue) + deux_points + AI::texte_ecarts(b, langue);
    t << AI::libelle(AI::MOYENNE, langue) + deux_points + AI::texte_moyenne(b, langue);
    if (b.ellipse_centroide.valide) {
        t << AI::libelle(AI::ELLIPSE_CENTROIDE, langue) + deux_points +
                 AI::texte_ellipse(b.ellipse_centroide, langue);
        t << AI::libelle(AI::ELLIPSE_DONNEES, langue) + deux_points +
                 AI::texte_ellipse(b.ellipse_donnees, langue);
    } else {
        t << AI::libelle(AI::SANS_ELLIPSE, langue);
    }
    t << QString() << AI::libelle(AI::PAR_OEIL, langue).toUpper() + QStringLiteral(" :");
    for (const AI::Oeil& o : serie.yeux())
        t << AI::libelle(AI::LIGNE, langue) + QStringLiteral(" %1 (%2)").arg(o.ligne).arg(o.oeil) +
                 deux_points + AI::texte_vecteur(o.induit);
    return t.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString SiaCli::json(const AstigmatismeInduit& serie, const QList<ErreurLigne>& refus) {
    const AstigmatismeInduit::Bilan b = serie.bilan();
    QJsonObject centroide = vecteur_json(b.centroide);
    centroide["sd_x"] = nombre_json(b.ecart_type_x);
    centroide["sd_y"] = nombre_json(b.ecart_type_y);
    QJsonArray yeux;
    for (const AstigmatismeInduit::Oeil& o : serie.yeux())
        yeux.append(QJsonObject{{"line", o.ligne},
                                {"eye", o.oeil},
                                {"preop", kerato_json(o.pre)},
                                {"postop", kerato_json(o.post)},
                                {"sia", vecteur_json(o.induit)}});
    QJsonArray erreurs;
    for (const ErreurLigne& e : refus)
        erreurs.append(QJsonObject{{"line", e.ligne}, {"error", e.erreur}});
    const QJsonObject o{
        {"count", b.n},
        {"mean", QJsonObject{{"D", b.moyenne_D}, {"sd", nombre_json(b.ecart_type_D)}}},
        {"centroid", centroide},
        {"ellipses", QJsonObject{{"centroid", ellipse_json(b.ellipse_centroide, b.quantile_centroide)},
                                 {"data", ellipse_json(b.ellipse_donnees, b.quantile_donnees)}}},
        {"eyes", yeux},
        {"errors", erreurs},
    };
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

int SiaCli::executer(bool en_json, const QString& langue, QTextStream& sortie, QTextStream& erreurs) {
    QFile f(fichier);
    QString erreur;
    if (!ToriqueCli::ouvrir_csv(f, "--sia", EN_TETE, langue, erreur)) {
        erreurs << erreur << '\n';
        return 2;
    }
    AstigmatismeInduit serie;
    QList<ErreurLigne> refus;
    if (!lire(f, fichier, langue, serie, refus, erreur)) {
        erreurs << erreur << '\n';
        return 2;
    }
    if (!en_json)
        for (const ErreurLigne& e : refus)
            erreurs << Textes::selon(langue, "ligne %1 : %2", "line %1: %2").arg(e.ligne).arg(e.erreur)
                    << '\n';
    if (serie.yeux().isEmpty()) {
        erreurs << ToriqueCli::erreur(
                       "--sia",
                       Textes::selon(langue, "aucune ligne valide dans %1", "no valid row in %1")
                           .arg(ToriqueCli::citation(fichier, langue)),
                       Textes::selon(langue, "au moins un oeil sous l'en-tête %1",
                                     "at least one eye under the header %1")
                           .arg(QLatin1String(EN_TETE)),
                       langue)
                << '\n';
        if (en_json)
            sortie << json(serie, refus) << '\n';
        return 1;
    }
    if (!graphique.isEmpty()) {
        const QByteArray octets = GraphiqueAstigmatismeInduit::rendre(
            GraphiqueAstigmatismeInduit::format(graphique), serie, langue);
        QString pourquoi;
        if (octets.isEmpty() || !EcritureFichier::ecrire(graphique, octets, &pourquoi)) {
            erreurs << FeuilleCalcul::message_non_ecrit(Textes::cite(graphique, -1), langue, pourquoi)
                    << '\n';
            return 1;
        }
    }
    sortie << (en_json ? json(serie, refus) + QLatin1Char('\n') : texte(serie, langue));
    return refus.isEmpty() ? 0 : 1;
}
