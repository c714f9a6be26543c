#include "ToriqueCli.h"

#include "ChoixPuissance.h"
#include "LecteurCsv.h"
#include "ListParam.h"
#include "Textes.h"
#include "Verification.h"
#include "Version.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Options that describe one case, not allowed with --batch; the columns of
// a batch file, in this order.
const QStringList OPTIONS_CAS{"eye", "seq", "unit", "k1", "k2", "axis", "sia", "incision", "cyl"};
constexpr int NB_COLONNES = 9;
const char* const EN_TETE = "eye,seq,unit,k1,k2,axis,sia,incision,cyl";
const QStringList OBLIGATOIRES{"eye", "seq", "k1", "k2", "axis"};
const char* const USAGE_LOT = "torique --batch FILE.csv [--lang fr|en]";

// The lens of the tool: the range of the calculation page.
const char* const MODELE = "VELAN";

QString usage(const QString& langue) {
    return ToriqueCli::ligne_usage(
               "torique --eye OD|OS --seq P --k1 V --k2 V --axis A [--unit D|mm] [--sia V] "
               "[--incision A] [--cyl C] [--lang fr|en] [--json]",
               langue, true) +
           ToriqueCli::ligne_usage(USAGE_LOT, langue) + ToriqueCli::ligne_usage("torique --version", langue);
}

} // namespace

bool ToriqueCli::nombre(const QString& texte, double& v) {
    // A plain decimal number is read directly (a batch file has millions of
    // them): the same correctly rounded value as the toolkit's reading,
    // which takes every other form (a sign +, blanks, ...).
    const QString t = texte.trimmed();
    char ascii[32];
    const qsizetype n = t.size();
    bool simple = n > 0 && n <= qsizetype(sizeof ascii);
    for (qsizetype i = 0; simple && i < n; ++i) {
        const char16_t c = t[i].unicode();
        simple = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E';
        ascii[i] = char(c);
    }
    if (simple) {
        const auto r = std::from_chars(ascii, ascii + n, v);
        if (r.ec == std::errc() && r.ptr == ascii + n)
            return std::isfinite(v);
    }
    bool ok = false;
    v = t.toDouble(&ok);
    return ok && std::isfinite(v);
}

bool ToriqueCli::entier(const QString& texte, int bas, int haut, int& v) {
    double d;
    if (!nombre(texte, d) || d != std::floor(d) || d < bas || d > haut)
        return false;
    v = int(d);
    return true;
}

namespace {

// A value as a two-decimal entry box keeps it, within its range.
bool saisie(const QString& texte, double haut, double& v) {
    double d;
    if (!ToriqueCli::nombre(texte, d))
        return false;
    d = CalculTorique::arrondi_saisie(d) + 0.0; // no negative zero
    if (!(d >= 0.0 && d <= haut))
        return false;
    v = d;
    return true;
}

// --- JSON ---------------------------------------------------------------

// A number as JSON: the shortest text that reads back the same double,
// with ".0" on a whole number; null when not finite. Into a QByteArray or,
// for the objects of a batch, a std::string, whose appends cost less.
template <class Tampon> void ajouter_nombre(Tampon& s, double v) {
    if (!std::isfinite(v)) {
        s.append("null", 4);
        return;
    }
    // Below 1e15 the standard library's shortest text is the toolkit's
    // (QString::number(v, 'g', QLocale::FloatingPointShortest)), and much
    // faster; beyond, the toolkit writes whole numbers with trailing zeros.
    if (std::fabs(v) < 1e15) {
        char t[32];
        const auto r = std::to_chars(t, t + sizeof t, v);
        const QByteArrayView vue(t, r.ptr - t);
        s.append(t, r.ptr - t);
        if (!vue.contains('.') && !vue.contains('e'))
            s.append(".0", 2);
        return;
    }
    const QByteArray texte = QString::number(v, 'g', QLocale::FloatingPointShortest).toLatin1();
    s.append(texte.constData(), texte.size());
    if (!texte.contains('.') && !texte.contains('e'))
        s.append(".0", 2);
}

template <class Tampon> void ajouter_entier(Tampon& s, qint64 v) {
    char t[24];
    const auto r = std::to_chars(t, t + sizeof t, v);
    s.append(t, r.ptr - t);
}

// A text as a JSON string, in UTF-8.
QByteArray chaine_json(const QString& t) {
    // Plain printable ASCII (an eye, a lens model) as it stands.
    bool simple = true;
    for (const QChar c : t)
        simple = simple && c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'"' && c != u'\\';
    if (simple)
        return '"' + t.toLatin1() + '"';
    QString s;
    s.reserve(t.size() + 2);
    s += QLatin1Char('"');
    for (QChar c : t) {
        switch (c.unicode()) {
        case '"':
            s += QStringLiteral("\\\"");
            break;
        case '\\':
            s += QStringLiteral("\\\\");
            break;
        case '\n':
            s += QStringLiteral("\\n");
            break;
        case '\r':
            s += QStringLiteral("\\r");
            break;
        case '\t':
            s += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                s += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                s += c;
        }
    }
    s += QLatin1Char('"');
    return s.toUtf8();
}

QByteArray erreur_ligne_json(qint64 ligne, const QString& erreur) {
    QByteArray s = "{\"line\":";
    ajouter_entier(s, ligne);
    s += ",\"error\":";
    s += chaine_json(erreur);
    s += '}';
    return s;
}

// Keratometry of one meridian in both units, from the unit entered.
void kerato(const ToriqueCli::Cas& cas, double valeur, double& D, double& mm) {
    if (cas.unite == 2) {
        mm = valeur;
        D = CalculTorique::kerato(valeur);
    } else {
        D = valeur;
        mm = CalculTorique::kerato(valeur);
    }
}

} // namespace

QString ToriqueCli::attendu(const QString& option, const QString& langue) {
    struct Ligne {
        const char* option;
        const char* fr;
        const char* en;
    };
    static const Ligne LIGNES[] = {
        {"eye", "OD ou OS", "OD or OS"},
        {"seq", "une valeur de la liste, de 10.0 à 35.0 par pas de 0.5",
         "one of the list's values, 10.0 to 35.0 in steps of 0.5"},
        {"unit", "D ou mm", "D or mm"},
        {"k1", "un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"},
        {"k2", "un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"},
        {"axis", "un nombre entier de 0 à 180 (180 vaut 0)", "a whole number from 0 to 180 (180 is 0)"},
        {"sia", "un nombre de 0.00 à 5.00", "a number from 0.00 to 5.00"},
        {"incision", "un nombre entier de 0 à 360 (360 vaut 0)", "a whole number from 0 to 360 (360 is 0)"},
        {"cyl", "une puissance de la gamme : 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 ou 6.00",
         "a power of the range: 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 or 6.00"},
        {"lang", "fr ou en", "fr or en"},
    };
    if (option == QLatin1String("batch"))
        return fichier_csv(EN_TETE, langue);
    for (const Ligne& l : LIGNES)
        if (option == QLatin1String(l.option))
            return Textes::selon(langue, l.fr, l.en);
    return QString();
}

QString ToriqueCli::fichier_csv(const char* en_tete, const QString& langue) {
    return Textes::selon(langue, "un fichier CSV dont la première ligne est ",
                         "a CSV file whose first line is ") +
           QLatin1String(en_tete);
}

QString ToriqueCli::langue_demandee(const QStringList& arguments) {
    QString langue = "fr";
    for (int i = 0; i < arguments.size(); ++i) {
        QString valeur;
        if (arguments[i] == "--lang" && i + 1 < arguments.size())
            valeur = arguments[i + 1];
        else if (arguments[i].startsWith("--lang="))
            valeur = arguments[i].mid(7);
        valeur = valeur.trimmed().toLower();
        if (Textes::langue_connue(valeur))
            langue = valeur;
    }
    return langue;
}

QString ToriqueCli::erreur(const QString& nom, const QString& probleme, const QString& attendu,
                           const QString& langue) {
    const bool en = langue == "en";
    QString ligne;
    if (!nom.isEmpty())
        ligne = nom + (en ? QStringLiteral(": ") : QStringLiteral(" : "));
    return ligne + probleme + (en ? QStringLiteral("; expected ") : QStringLiteral(" ; attendu : ")) +
           attendu;
}

QString ToriqueCli::ligne_trop_longue(const QString& langue) {
    return Textes::selon(langue, "ligne de plus de %1 octets", "row longer than %1 bytes")
        .arg(LecteurCsv::LONGUEUR_MAX);
}

QString ToriqueCli::sans_en_tete(const QString& fichier, const QString& langue) {
    return Textes::selon(langue, "la première ligne de %1 n'est pas l'en-tête",
                         "the first line of %1 is not the header")
        .arg(citation(fichier, langue));
}

bool ToriqueCli::nom_de_fichier(const QString& valeur) {
    return !valeur.isEmpty() && valeur != QLatin1String("-");
}

bool ToriqueCli::ouvrir_csv(QFile& f, const QString& option, const char* en_tete, const QString& langue,
                            QString& erreur) {
    // A folder opens for reading on this system, and reads as nothing.
    const QString raison = QFileInfo(f.fileName()).isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR))
                           : f.open(QIODevice::ReadOnly)   ? QString()
                                                           : f.errorString();
    if (raison.isEmpty())
        return true;
    erreur = fichier_illisible(option, f.fileName(), raison, en_tete, langue);
    return false;
}

QString ToriqueCli::fichier_illisible(const QString& option, const QString& fichier, const QString& raison,
                                      const char* en_tete, const QString& langue) {
    return erreur(option,
                  Textes::selon(langue, "fichier %1 illisible (%2)", "cannot read file %1 (%2)")
                      .arg(citation(fichier, langue), raison),
                  fichier_csv(en_tete, langue), langue);
}

bool ToriqueCli::est_en_tete(const LecteurCsv::Ligne& ligne, const char* en_tete) {
    const QList<QByteArray> noms = QByteArray(en_tete).split(',');
    if (ligne.etat != LecteurCsv::Complete || ligne.taille() != noms.size())
        return false;
    for (int c = 0; c < noms.size(); ++c)
        if (ligne.champ(c).trimmed().compare(QLatin1String(noms[c]), Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

QString ToriqueCli::ligne_incomplete(const LecteurCsv::Ligne& ligne, const QString& langue) {
    if (ligne.etat == LecteurCsv::TropLongue)
        return erreur(QString(), ligne_trop_longue(langue),
                      Textes::selon(langue, "une ligne de %1 octets au plus", "a row of at most %1 bytes")
                          .arg(LecteurCsv::LONGUEUR_MAX),
                      langue);
    if (ligne.etat == LecteurCsv::GuillemetNonFerme)
        return erreur(QString(),
                      Textes::selon(langue, "valeur entre guillemets non fermée", "quoted value not closed"),
                      Textes::selon(langue, "un guillemet fermant", "a closing double quote"), langue);
    return QString();
}

QString ToriqueCli::citation(const QString& valeur, const QString& langue) {
    if (langue == "en")
        return QLatin1Char('\'') + Textes::cite(valeur) + QLatin1Char('\'');
    return QString::fromUtf8("« ") + Textes::cite(valeur) + QString::fromUtf8(" »");
}

QString ToriqueCli::refus_valeur(const QString& nom, const QString& valeur, const QString& attendu,
                                 const QString& langue) {
    return erreur(
        nom, Textes::selon(langue, "valeur %1 refusée", "value %1 refused").arg(citation(valeur, langue)),
        attendu, langue);
}

QString ToriqueCli::valeur_absente(const QString& nom, const QString& attendu, const QString& langue) {
    return erreur(nom, Textes::selon(langue, "valeur absente", "value missing"), attendu, langue);
}

QString ToriqueCli::trop_de_valeurs(qsizetype valeurs, int colonnes, const char* en_tete,
                                    const QString& langue) {
    return erreur(
        QString(), Textes::selon(langue, "%1 valeurs", "%1 values").arg(valeurs),
        Textes::selon(langue, "au plus %1 (%2)", "at most %1 (%2)").arg(colonnes).arg(QLatin1String(en_tete)),
        langue);
}

QString ToriqueCli::ligne_usage(const QString& commande, const QString& langue, bool premiere) {
    const bool en = langue == "en";
    const QString debut = en ? QStringLiteral("usage: ") : QStringLiteral("usage : ");
    QString ligne = commande;
    if (!en) {
        ligne.replace(QStringLiteral("FILE"), QStringLiteral("FICHIER"));
        ligne.replace(QStringLiteral("YYYY-MM-DD"), QStringLiteral("AAAA-MM-JJ"));
        ligne.replace(QStringLiteral("NAME"), QStringLiteral("PAYS"));
    }
    return (premiere ? debut : QString(debut.size(), QLatin1Char(' '))) + ligne + QLatin1Char('\n');
}

int ToriqueCli::Cas::axe_K1() const {
    return axe + 90 >= 180 ? axe - 90 : axe + 90;
}

int ToriqueCli::Cas::axe_incision() const {
    if (incision >= 0)
        return incision;
    return oeil == "OS" ? 0 : 180;
}

bool ToriqueCli::lire(const QString& option, const QString& nom, const QString& valeur, Cas& cas,
                      QString& erreur) {
    const QString v = valeur.trimmed();
    bool ok = false;
    if (option == QLatin1String("eye")) {
        const QString o = v.toUpper();
        ok = o == "OD" || o == "OS";
        if (ok)
            cas.oeil = o;
    } else if (option == QLatin1String("seq")) {
        double d;
        ok = nombre(v, d) && d * 2 == std::floor(d * 2) && d >= 10.0 && d <= 35.0;
        if (ok) {
            cas.seq_texte = QString::number(d, 'f', 1);
            nombre(cas.seq_texte, cas.seq);
            cas.sph_ind = int(d * 2) - 20 + 1;
        }
    } else if (option == QLatin1String("unit")) {
        if (v.compare("D", Qt::CaseInsensitive) == 0) {
            cas.unite = 1;
            ok = true;
        } else if (v.compare("mm", Qt::CaseInsensitive) == 0) {
            cas.unite = 2;
            ok = true;
        }
    } else if (option == QLatin1String("k1")) {
        ok = saisie(v, 99.99, cas.k1);
    } else if (option == QLatin1String("k2")) {
        ok = saisie(v, 99.99, cas.k2);
    } else if (option == QLatin1String("axis")) {
        // The full turn is the meridian 0, as in the steep-axis entry.
        ok = entier(v, 0, 180, cas.axe);
        if (ok)
            cas.axe %= 180;
    } else if (option == QLatin1String("sia")) {
        ok = saisie(v, 5.0, cas.sia);
    } else if (option == QLatin1String("incision")) {
        ok = entier(v, 0, 360, cas.incision);
        if (ok)
            cas.incision %= 360;
    } else if (option == QLatin1String("cyl")) {
        double d;
        if (nombre(v, d))
            for (int n = 1; n <= 8 && !ok; ++n)
                if (d == 0.75 * n) {
                    cas.cyl = d;
                    ok = true;
                }
    } else if (option == QLatin1String("lang")) {
        const QString l = v.toLower();
        ok = l == "fr" || l == "en";
        if (ok)
            cas.langue = l;
    }
    if (!ok)
        erreur = refus_valeur(nom, valeur, attendu(option, cas.langue), cas.langue);
    return ok;
}

ToriqueCli::Resultat ToriqueCli::calculer(const Cas& cas, CalculTorique& m, ListParam& p) {
    // The page's inputs, then the two stages it runs from step 7.
    m.unit_ind = cas.unite;
    kerato(cas, cas.k1, m.K1D, m.K1mm);
    kerato(cas, cas.k2, m.K2D, m.K2mm);
    m.K2axe = cas.axe;
    m.K1axe = cas.axe_K1();
    m.incD = cas.sia;
    m.incaxe = cas.axe_incision();
    m.p_sph = cas.seq;
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
    e.K1axe = m.K1axe;
    e.K2axe = m.K2axe;
    e.incD = m.incD;
    e.incaxe = m.incaxe;
    p.lire_calcul(e, m, 7);

    Resultat r;
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

QString ToriqueCli::json(const Cas& cas, const CalculTorique& m, const Resultat& r, qint64 ligne) {
    return QString::fromUtf8(json_utf8(cas, m, r, ligne));
}

QByteArray ToriqueCli::json_utf8(const Cas& cas, const CalculTorique& m, const Resultat& r, qint64 ligne) {
    double k1D, k1mm, k2D, k2mm;
    kerato(cas, cas.k1, k1D, k1mm);
    kerato(cas, cas.k2, k2D, k2mm);
    // Built piece by piece: a batch writes one such object per row.
    std::string s;
    s.reserve(2048);
    auto cle = [&s](const char* texte) { s += texte; };
    auto chaine = [&s](const QString& t) {
        const QByteArray b = chaine_json(t);
        s.append(b.constData(), b.size());
    };
    s += '{';
    if (ligne > 0) {
        cle("\"line\":");
        ajouter_entier(s, ligne);
        s += ',';
    }
    cle("\"eye\":");
    chaine(cas.oeil);
    cle(",\"seq\":");
    ajouter_nombre(s, cas.seq);
    cle(cas.unite == 2 ? ",\"unit\":\"mm\"" : ",\"unit\":\"D\"");
    auto meridien = [&](const char* nom, double D, double mm, int axe) {
        cle(nom);
        cle(":{\"D\":");
        ajouter_nombre(s, D);
        cle(",\"mm\":");
        ajouter_nombre(s, mm);
        cle(",\"axis\":");
        ajouter_entier(s, axe);
        s += '}';
    };
    meridien(",\"k1\"", k1D, k1mm, cas.axe_K1());
    meridien(",\"k2\"", k2D, k2mm, cas.axe);
    cle(",\"sia\":{\"D\":");
    ajouter_nombre(s, cas.sia);
    cle(",\"incision\":");
    ajouter_entier(s, cas.axe_incision());
    s += '}';
    auto cylindre = [&](const char* nom, const char* quoi, double D, int axe) {
        cle(nom);
        cle(":{\"");
        cle(quoi);
        cle("\":");
        ajouter_nombre(s, D);
        cle(",\"axis\":");
        ajouter_entier(s, axe);
        s += '}';
    };
    if (r.code == 0) {
        cylindre(",\"preop\"", "D", m.astpre_D, m.astpre_axe);
        cylindre(",\"crossed\"", "D", m.astcross_D, m.astcross_axe);
        cle(",\"ideal\":");
        ajouter_nombre(s, m.tperfect_D);
        cylindre(",\"recommended\"", "cyl", m.tcalc_D, m.tcalc_axe);
        cle(",\"trials\":[");
        for (int n = 0; n < m.nb_essais(); ++n) {
            cle(n > 0 ? ",{\"cyl\":" : "{\"cyl\":");
            ajouter_nombre(s, m.tab_cyl[n]);
            cle(",\"residual\":");
            ajouter_nombre(s, m.tab_astpost_plancornee[n]);
            cle(",\"axis\":");
            ajouter_entier(s, m.tab_astpost_axe[n]);
            cle(",\"rotated5\":");
            ajouter_nombre(s, m.residuel_tourne_max(n, 5));
            cle(",\"rotated10\":");
            ajouter_nombre(s, m.residuel_tourne_max(n, 10));
            s += '}';
        }
        s += ']';
        cle(",\"chosen\":{\"model\":");
        chaine(Textes::implant(QLatin1String(MODELE), r.choix));
        cle(",\"cyl\":");
        ajouter_nombre(s, r.choix);
        cle(",\"residual\":");
        ajouter_nombre(s, m.residuel_D(r.choix));
        cle(",\"axis\":");
        ajouter_entier(s, m.residuel_axe(r.choix));
        s += '}';
        cle(r.alerte == CalculTorique::INVERSION ? ",\"warning\":\"inversion\""
            : r.alerte == CalculTorique::ELEVE   ? ",\"warning\":\"high\""
                                                 : ",\"warning\":null");
        cle(r.faible ? ",\"low_astigmatism\":true" : ",\"low_astigmatism\":false");
        cle(",\"check\":{\"code\":0}}");
    } else {
        const Verification::Message msg = Verification::message(r.code, cas.langue);
        cle(",\"check\":{\"code\":");
        ajouter_entier(s, r.code);
        cle(",\"title\":");
        chaine(msg.titre);
        cle(",\"message\":");
        chaine(Textes::brut(msg.texte));
        cle("}}");
    }
    return QByteArray::fromStdString(s);
}

QString ToriqueCli::texte(const Cas& cas, const CalculTorique& m, const Resultat& r) {
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
    t << rangee(T::AXE_ELEVE_SAISIE,
                "K2 " + CalculTorique::texte_D(cas.k2) + unite + " @ " + T::degres(cas.axe));
    t << rangee(T::ASTIGMATISME_PREOP, cylindre(m.astpre_D, m.astpre_axe));
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

QString ToriqueCli::message_refus(int code, const QString& langue) {
    const Verification::Message msg = Verification::message(code, langue);
    return msg.titre + QLatin1Char('\n') + Textes::brut(msg.texte) + QLatin1Char('\n');
}

void ToriqueCli::ajouter_option(const Option& option) {
    options_supp << option;
}

void ToriqueCli::ajouter_traitement(const Traitement& traitement) {
    traitements << traitement;
}

void ToriqueCli::ajouter_mode(const Mode& mode) {
    modes << mode;
}

// The arguments as read: the case, and what came with it.
struct ToriqueCli::Lecture {
    Cas cas;
    const Mode* mode = nullptr; // the mode asked for, if any
    QSet<QString> vues;         // options given: "k1" for --k1, an added option by its name
    QStringList vues_dans_l_ordre;
    bool en_json = false;
    QString fichier;                // of --batch
    QList<const Option*> supp_vues; // added options given
};

int ToriqueCli::executer(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs) {
    Lecture l;
    // The language of the messages first, wherever it is given.
    l.cas.langue = langue_demandee(arguments);
    const QString& langue = l.cas.langue;
    if (arguments.contains("--help") || arguments.contains("-h")) {
        sortie << usage(langue);
        return 0;
    }
    if (arguments.contains("--version")) {
        sortie << "torique " VERSION_TORIQUE "\n";
        return 0;
    }
    if (arguments.isEmpty()) {
        erreurs << usage(langue);
        return 2;
    }
    l.mode = mode_demande(arguments);
    QString refus = lire_arguments(arguments, l);
    if (refus.isEmpty())
        refus = refus_ensemble(l);
    if (!refus.isEmpty()) {
        erreurs << refus << '\n';
        return 2;
    }
    if (l.mode)
        return l.mode->executer(l.en_json, langue, sortie, erreurs);
    if (l.vues.contains("batch"))
        return lot(l.fichier, langue, sortie, erreurs);
    return calculer_cas(l, sortie, erreurs);
}

const ToriqueCli::Mode* ToriqueCli::mode_demande(const QStringList& arguments) const {
    // A mode's option may bear the name of a case option (--sia: the
    // incision's induced astigmatism, or a file of past cases): it starts the
    // mode only when no other option of a case is given.
    auto donnee = [&arguments](const QString& nom) {
        for (const QString& a : arguments)
            if (a == nom || a.startsWith(nom + QLatin1Char('=')))
                return true;
        return false;
    };
    const Mode* mode = nullptr;
    for (const Mode& m : modes) {
        bool seul = donnee(m.nom);
        for (const QString& o : OPTIONS_CAS)
            seul = seul && ("--" + o == m.nom || !donnee("--" + o));
        if (seul)
            mode = &m;
    }
    return mode;
}

// Reads every option and its value into `l`; returns the line that refuses
// the first one not understood, or an empty text.
QString ToriqueCli::lire_arguments(const QStringList& arguments, Lecture& l) const {
    const QString& langue = l.cas.langue;
    auto autre_mode = [&](const QString& nom) {
        for (const Mode& m : modes)
            if (m.nom == nom && &m != l.mode)
                return true;
        return false;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        QString nom = arg, valeur;
        bool valeur_jointe = false;
        const int egal = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith("--") && egal > 2) {
            nom = arg.left(egal);
            valeur = arg.mid(egal + 1);
            valeur_jointe = true;
        }
        const QString option = nom.startsWith("--") ? nom.mid(2) : QString();
        const Option* supp = nullptr;
        for (const Option& o : options_supp)
            if (o.nom == nom && !autre_mode(nom))
                supp = &o;
        const bool connue =
            OPTIONS_CAS.contains(option) || option == "lang" || option == "json" || option == "batch";
        if (option.isEmpty() || (!connue && !supp)) {
            QString liste =
                QStringLiteral("--eye, --seq, --k1, --k2, --axis, --unit, --sia, --incision, --cyl, "
                               "--lang, --json, --batch");
            for (const Option& o : options_supp)
                if (!liste.split(QStringLiteral(", ")).contains(o.nom))
                    liste += QStringLiteral(", ") + o.nom;
            return erreur(Textes::cite(arg), Textes::selon(langue, "option inconnue", "unknown option"),
                          Textes::selon(langue, "", "one of ") + liste, langue);
        }
        const QString cle = supp ? nom : option;
        if (l.vues.contains(cle))
            return erreur(nom, Textes::selon(langue, "donnée plusieurs fois", "given more than once"),
                          Textes::selon(langue, "une seule fois", "it once"), langue);
        l.vues.insert(cle);
        l.vues_dans_l_ordre << cle;
        const bool avec_valeur = supp ? supp->avec_valeur : option != "json";
        if (!avec_valeur) {
            if (valeur_jointe)
                return refus_valeur(nom, valeur, Textes::selon(langue, "aucune valeur", "no value"), langue);
            if (option == "json")
                l.en_json = true;
            else
                l.supp_vues << supp;
            if (supp) {
                const QString probleme = supp->lire(QString());
                if (!probleme.isEmpty())
                    return probleme;
            }
            continue;
        }
        if (!valeur_jointe) {
            if (i + 1 >= arguments.size())
                return valeur_absente(nom,
                                      supp ? (langue == "en" ? supp->attendu_en : supp->attendu_fr)
                                           : attendu(option, langue),
                                      langue);
            valeur = arguments[++i];
        }
        QString probleme;
        if (supp) {
            probleme = supp->lire(valeur);
            l.supp_vues << supp;
        } else if (option == "batch") {
            l.fichier = valeur;
        } else {
            lire(option, nom, valeur, l.cas, probleme);
        }
        if (!probleme.isEmpty())
            return probleme;
    }
    return QString();
}

// The line that refuses options given together that do not go together, or
// a case with an option missing; an empty text when they may run.
QString ToriqueCli::refus_ensemble(const Lecture& l) const {
    const QString& langue = l.cas.langue;
    for (const Mode& m : modes)
        for (const QString& c : m.compagnes)
            if (l.vues.contains(c) && &m != l.mode)
                return erreur(c,
                              Textes::selon(langue, "seulement avec %1 et aucune option de cas",
                                            "only with %1 and no option of a case")
                                  .arg(m.nom),
                              langue == "en" ? m.usage_en : m.usage_fr, langue);
    auto sans_objet = [&langue](const QString& nom, const QString& avec, const QString& usage) {
        return erreur(nom, Textes::selon(langue, "sans objet avec %1", "not allowed with %1").arg(avec),
                      usage, langue);
    };
    if (l.mode) {
        for (const QString& o : l.vues_dans_l_ordre)
            if (o != "lang" && o != "json" && o != l.mode->nom && !l.mode->compagnes.contains(o))
                return sans_objet(o.startsWith("--") ? o : "--" + o, l.mode->nom,
                                  langue == "en" ? l.mode->usage_en : l.mode->usage_fr);
        return QString();
    }
    if (l.vues.contains("batch")) {
        const QString seul_lot = ligne_usage(USAGE_LOT, langue).trimmed();
        for (const QString& o : OPTIONS_CAS)
            if (l.vues.contains(o))
                return sans_objet("--" + o, "--batch", seul_lot);
        if (!l.supp_vues.isEmpty())
            return sans_objet(l.supp_vues.first()->nom, "--batch", seul_lot);
        return QString();
    }
    for (const QString& o : OBLIGATOIRES)
        if (!l.vues.contains(o))
            return erreur("--" + o,
                          Textes::selon(langue, "option obligatoire absente", "required option missing"),
                          attendu(o, langue), langue);
    // An option that only acts with another one is not ignored without it.
    for (const Option* o : l.supp_vues)
        if (!o->avec.isEmpty() && !l.vues.contains(o->avec)) {
            const Option* autre = nullptr;
            for (const Option& x : options_supp)
                if (x.nom == o->avec)
                    autre = &x;
            const QString suite =
                autre ? o->avec + " " + (langue == "en" ? autre->attendu_en : autre->attendu_fr) : o->avec;
            return erreur(o->nom,
                          Textes::selon(langue, "sans objet sans %1", "not allowed without %1").arg(o->avec),
                          suite, langue);
        }
    return QString();
}

// Computes the case read, runs the treatments added, and prints the result.
int ToriqueCli::calculer_cas(const Lecture& l, QTextStream& sortie, QTextStream& erreurs) const {
    CalculTorique moteur;
    ListParam record;
    const Resultat r = calculer(l.cas, moteur, record);
    if (r.code != 0) {
        erreurs << message_refus(r.code, l.cas.langue);
        if (l.en_json)
            sortie << json(l.cas, moteur, r) << '\n';
        return 1;
    }
    for (const Traitement& t : traitements) {
        const int statut = t(l.cas, record, erreurs);
        if (statut != 0)
            return statut;
    }
    sortie << (l.en_json ? json(l.cas, moteur, r) + QLatin1Char('\n') : texte(l.cas, moteur, r));
    return 0;
}

namespace {

// One row of a batch file and its answer.
struct Rangee {
    LecteurCsv::Ligne lue;
    ToriqueCli::Cas cas;
    ToriqueCli::Resultat resultat;
    QByteArray reponse;          // the JSON object, in UTF-8
    bool calcule = false;        // computed and accepted
    bool refus_a_ecrire = false; // refused by a check: answered by the writer
};

// Reads and computes one row. Runs on any thread: the texts of a check's
// refusal, read from shared tables, are left to the writer.
void repondre(Rangee& r, const QString& langue, CalculTorique& moteur, ListParam& record) {
    static const std::array<bool, NB_COLONNES> obligatoire = [] {
        std::array<bool, NB_COLONNES> o{};
        for (int c = 0; c < NB_COLONNES; ++c)
            o[c] = OBLIGATOIRES.contains(OPTIONS_CAS[c]);
        return o;
    }();
    const QStringList valeurs = r.lue.champs(); // decoded here, on the row's thread
    r.calcule = false;
    r.refus_a_ecrire = false;
    QString erreur = ToriqueCli::ligne_incomplete(r.lue, langue);
    if (erreur.isEmpty() && valeurs.size() > NB_COLONNES)
        erreur = ToriqueCli::trop_de_valeurs(valeurs.size(), NB_COLONNES, EN_TETE, langue);
    r.cas = ToriqueCli::Cas();
    r.cas.langue = langue;
    for (int c = 0; c < NB_COLONNES && erreur.isEmpty(); ++c) {
        const QString valeur = valeurs.value(c).trimmed();
        if (valeur.isEmpty()) {
            if (obligatoire[c])
                erreur = ToriqueCli::valeur_absente(OPTIONS_CAS[c],
                                                    ToriqueCli::attendu(OPTIONS_CAS[c], langue), langue);
            continue; // the default of the option
        }
        ToriqueCli::lire(OPTIONS_CAS[c], OPTIONS_CAS[c], valeur, r.cas, erreur);
    }
    if (!erreur.isEmpty()) {
        r.reponse = erreur_ligne_json(r.lue.numero, erreur);
        return;
    }
    r.resultat = ToriqueCli::calculer(r.cas, moteur, record);
    r.calcule = r.resultat.code == 0;
    if (r.calcule)
        r.reponse = ToriqueCli::json_utf8(r.cas, moteur, r.resultat, r.lue.numero);
    else
        r.refus_a_ecrire = true;
}

} // namespace

int ToriqueCli::lot(const QString& fichier, const QString& langue, QTextStream& sortie,
                    QTextStream& erreurs) {
    auto illisible = [&](const QString& raison) {
        erreurs << fichier_illisible("--batch", fichier, raison, EN_TETE, langue) << '\n';
    };
    QFile f(fichier);
    QString pas_ouvert;
    if (!ouvrir_csv(f, "--batch", EN_TETE, langue, pas_ouvert)) {
        erreurs << pas_ouvert << '\n';
        return 2;
    }
    // Row by row: the file may be of any size (or endless, like /dev/zero,
    // whose first row is no header), read and answered by blocks of rows.
    LecteurCsv lecteur(&f);
    LecteurCsv::Ligne rangee;
    if (!lecteur.suivante(rangee) || !est_en_tete(rangee, EN_TETE)) {
        if (lecteur.echec()) {
            illisible(lecteur.erreur());
            return 2;
        }
        erreurs << erreur("--batch", sans_en_tete(fichier, langue), attendu("batch", langue), langue) << '\n';
        return 2;
    }

    // Rows are answered by blocks: the rows of a block are computed on every
    // core, each part with an engine of its own, then written in order. A
    // block is small, so memory stays the same whatever the file's size.
    constexpr int TAILLE_BLOC = 2048;
    const int parts = std::clamp(QThread::idealThreadCount(), 1, 8);
    std::vector<Rangee> bloc(TAILLE_BLOC);
    bool tout_calcule = true;
    const CalculTorique sans_resultat; // a refused row prints only its inputs
    sortie.flush();
    QIODevice* appareil = sortie.device();
    for (;;) {
        int n = 0;
        while (n < TAILLE_BLOC && lecteur.suivante(bloc[n].lue))
            if (bloc[n].lue.etat != LecteurCsv::Complete || !bloc[n].lue.vide())
                ++n; // a blank line is no row
        if (n == 0)
            break;
        auto traiter_part = [&bloc, n, parts, &langue](int k) {
            CalculTorique moteur;
            // One record for the part: a row refused by a check stops at
            // step 7, where nothing of an earlier row's results is read.
            ListParam record;
            for (int i = n * k / parts; i < n * (k + 1) / parts; ++i)
                repondre(bloc[i], langue, moteur, record);
        };
        std::vector<std::thread> aides;
        for (int k = 1; k < parts && n >= 64; ++k)
            aides.emplace_back(traiter_part, k);
        if (aides.empty())
            for (int k = 0; k < parts; ++k)
                traiter_part(k);
        else
            traiter_part(0);
        for (std::thread& t : aides)
            t.join();
        for (int i = 0; i < n; ++i) {
            Rangee& r = bloc[i];
            if (r.refus_a_ecrire) // the check's message, read here only
                r.reponse = json_utf8(r.cas, sans_resultat, r.resultat, r.lue.numero);
            tout_calcule = tout_calcule && r.calcule;
            // The answers are UTF-8 already: to the stream's device as they
            // are, when it has one.
            if (appareil) {
                if (appareil->write(r.reponse) != r.reponse.size() || !appareil->putChar('\n'))
                    return 1;
            } else {
                sortie << QString::fromUtf8(r.reponse) << '\n';
            }
            r.reponse.clear();
            // An output that refuses what is written ends the run at once:
            // the caller tells why.
            if (sortie.status() != QTextStream::Ok)
                return 1;
        }
    }
    if (lecteur.echec()) {
        illisible(lecteur.erreur());
        return 1;
    }
    return tout_calcule ? 0 : 1;
}
