#include "OptionsCli.h"

#include "AuditCli.h"
#include "EcritureFichier.h"
#include "LecteursCli.h"
#include "MessagesCli.h"
#include "SiaCli.h"

#include <charconv>
#include <cmath>

namespace {

using Option = OptionsCli::Option;
using L = LecteursCli;
constexpr int CAS = OptionsCli::CAS, LOT = OptionsCli::LOT, SIA = OptionsCli::SIA, AUDIT = OptionsCli::AUDIT;
constexpr int OBLIG = OptionsCli::OBLIGATOIRE | OptionsCli::COLONNE, COL = OptionsCli::COLONNE;
constexpr int FEUILLE = OptionsCli::FEUILLE;
const char* const TEXTE_FR = "un texte de %1 caractères au plus";
const char* const TEXTE_EN = "a text of at most %1 characters";
const char* const CSV_FR = "un fichier CSV dont la première ligne est %1";
const char* const CSV_EN = "a CSV file whose first line is %1";

// The options. Those of a case come first, in the order of a batch file's
// columns; required ones are shown first in the usage.
const QList<Option> TABLE{
    {"--eye", "OD|OS", CAS, OBLIG, {"OD ou OS", "OD or OS"}, L::lire_oeil},
    {"--seq",
     "P",
     CAS,
     OBLIG,
     {"une valeur de la liste, de 10.0 à 35.0 par pas de 0.5",
      "one of the list's values, 10.0 to 35.0 in steps of 0.5"},
     L::lire_seq},
    {"--unit", "D|mm", CAS, COL, {"D ou mm", "D or mm"}, L::lire_unite},
    {"--k1", "V", CAS, OBLIG, {"un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"}, L::lire_k1},
    {"--k2", "V", CAS, OBLIG, {"un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"}, L::lire_k2},
    {"--axis",
     "A",
     CAS,
     OBLIG,
     {"un nombre entier de 0 à 180 (180 vaut 0)", "a whole number from 0 to 180 (180 is 0)"},
     L::lire_axe},
    {"--sia", "V", CAS, COL, {"un nombre de 0.00 à 5.00", "a number from 0.00 to 5.00"}, L::lire_sia},
    {"--incision",
     "A",
     CAS,
     COL,
     {"un nombre entier de 0 à 360 (360 vaut 0)", "a whole number from 0 to 360 (360 is 0)"},
     L::lire_incision},
    {"--cyl",
     "C",
     CAS,
     COL,
     {"une puissance de la gamme : 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 ou 6.00",
      "a power of the range: 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 or 6.00"},
     L::lire_cyl},
    {"--posterior",
     "none|abulafia-koch",
     CAS,
     COL,
     {"none ou abulafia-koch", "none or abulafia-koch"},
     L::lire_posterieure},
    {"--pdf",
     "FILE.pdf",
     CAS,
     OptionsCli::SORTIE,
     {"un nom de fichier PDF, ou - pour la sortie standard", "a PDF file name, or - for the standard output"},
     L::lire_pdf},
    {"--patient",
     "T",
     CAS,
     FEUILLE | OptionsCli::REQUIS_FEUILLE,
     {"un identifiant de 1 à %1 caractères", "an identifier of 1 to %1 characters"},
     L::lire_patient,
     19},
    {"--surgeon", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_chirurgien, 25},
    {"--clinic", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_etablissement, 25},
    {"--date", "YYYY-MM-DD", CAS, FEUILLE, {"une date AAAA-MM-JJ", "a date YYYY-MM-DD"}, L::lire_date},
    {"--address1", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_adresse1, 40},
    {"--address2", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_adresse2, 40},
    {"--postcode", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_codepost, 7},
    {"--city", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, L::lire_ville, 20},
    {"--country",
     "NAME",
     CAS,
     FEUILLE,
     {"un pays de la liste : %1", "a country of the list: %1"},
     L::lire_pays,
     0,
     L::pays},
    {"--batch",
     "FILE.csv",
     LOT,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     L::lire_lot,
     0,
     OptionsCli::en_tete_lot},
    {"--sia-file",
     "FILE.csv",
     SIA,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     L::lire_fichier_sia,
     0,
     SiaCli::en_tete},
    // The same without the options of a case (not shown in the usage).
    {"--sia",
     "FILE.csv",
     SIA,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     L::lire_sia_ou_fichier,
     0,
     SiaCli::en_tete},
    {"--audit",
     "FILE.csv",
     AUDIT,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     L::lire_audit,
     0,
     AuditCli::en_tete},
    {"--plot",
     "FILE.pdf|png|svg",
     SIA | AUDIT,
     OptionsCli::SORTIE,
     {"un nom de fichier en .pdf, .png ou .svg (PDF sans extension, ou - pour la sortie standard)",
      "a file name ending in .pdf, .png or .svg (PDF without one, or - for the standard output)"},
     L::lire_graphique},
    {"--lang", "fr|en", CAS | LOT | SIA | AUDIT, 0, {"fr ou en", "fr or en"}, L::lire_langue},
    {"--json",
     nullptr,
     CAS | SIA | AUDIT,
     OptionsCli::SANS_EFFET_LOT,
     {"aucune valeur", "no value"},
     L::lire_json},
    {"--help", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, L::lire_aide},
    {"-h", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, L::lire_aide},
    {"--version", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, L::lire_version},
};

} // namespace

const QList<Option>& OptionsCli::table() {
    return TABLE;
}

QList<const Option*> OptionsCli::nommees(const QString& nom) {
    QList<const Option*> l;
    for (const Option& o : TABLE)
        if (nom == QLatin1String(o.nom))
            l << &o;
    return l;
}

QString OptionsCli::attendu(const Option& o, const QString& langue) {
    const QString t = o.attendu.dans(langue);
    if (o.complement)
        return t.arg(o.complement());
    if (o.borne > 0)
        return t.arg(o.borne);
    return t;
}

QString OptionsCli::colonne(const Option& o) {
    return QLatin1String(o.nom + 2);
}

const QList<const Option*>& OptionsCli::colonnes() {
    static const QList<const Option*> liste = [] {
        QList<const Option*> l;
        for (const Option& o : TABLE)
            if (o.drapeaux & COLONNE)
                l << &o;
        return l;
    }();
    return liste;
}

QString OptionsCli::en_tete_lot() {
    QStringList noms;
    for (const Option* o : colonnes())
        noms << colonne(*o);
    return noms.join(QLatin1Char(','));
}

const Option& OptionsCli::demarreur(int mode) {
    for (const Option& o : TABLE)
        if ((o.drapeaux & DEMARRE) && o.modes == mode)
            return o;
    return TABLE.first();
}

const Option& OptionsCli::sortie(int mode) {
    for (const Option& o : TABLE)
        if ((o.drapeaux & SORTIE) && (o.modes & mode))
            return o;
    return TABLE.first();
}

const Option* OptionsCli::Demande::premiere(int drapeau) const {
    for (const Option* o : donnees)
        if (o->drapeaux & drapeau)
            return o;
    return nullptr;
}

QString OptionsCli::Demande::nom_du_mode() const {
    const Option* o = premiere(DEMARRE);
    return QLatin1String(o ? o->nom : demarreur(mode).nom);
}

QString OptionsCli::liste(const QString& langue) {
    QStringList noms;
    for (const Option& o : TABLE)
        if (!(o.drapeaux & IMMEDIAT) && !noms.contains(QLatin1String(o.nom)))
            noms << QLatin1String(o.nom);
    return Textes::selon(langue, "", "one of ") + noms.join(QStringLiteral(", "));
}

namespace {

// The usage of a mode, in English: "torique --batch FILE.csv [--lang fr|en]".
QString commande(int mode) {
    const Option& debut = OptionsCli::demarreur(mode);
    QString ligne = QStringLiteral("torique ") + QLatin1String(debut.nom) + QLatin1Char(' ') +
                    QLatin1String(debut.valeur);
    for (const Option& o : TABLE)
        if ((o.modes & mode) && !(o.drapeaux & OptionsCli::DEMARRE))
            ligne += QStringLiteral(" [") + QLatin1String(o.nom) +
                     (o.valeur ? QLatin1Char(' ') + QLatin1String(o.valeur) : QString()) + QLatin1Char(']');
    return ligne;
}

} // namespace

QString OptionsCli::usage(int modes, const QString& langue) {
    QStringList lignes;
    for (int mode : {CAS, LOT, SIA, AUDIT})
        if (modes & mode)
            lignes << MessagesCli::ligne_usage(commande(mode), langue).trimmed();
    return lignes.join(Textes::selon(langue, " ou ", " or "));
}

QString OptionsCli::demarreurs(int modes, const QString& langue) {
    QStringList noms;
    for (int mode : {LOT, SIA, AUDIT})
        if (modes & mode)
            noms << QLatin1String(demarreur(mode).nom);
    return noms.join(Textes::selon(langue, " ou ", " or "));
}

QString OptionsCli::usage(const QString& langue) {
    // A case: its required options, then the others in brackets; the
    // sheet's options after its file.
    QString cas = QStringLiteral("torique"), options, feuille = QStringLiteral("torique --eye ...");
    for (const Option& o : TABLE) {
        if (!(o.modes & CAS) || (o.drapeaux & (IMMEDIAT | DEMARRE)))
            continue;
        const QString texte =
            QLatin1String(o.nom) + (o.valeur ? QLatin1Char(' ') + QLatin1String(o.valeur) : QString());
        if (o.drapeaux & (SORTIE | REQUIS_FEUILLE))
            feuille += QLatin1Char(' ') + texte;
        else if (o.drapeaux & FEUILLE)
            feuille += QStringLiteral(" [") + texte + QLatin1Char(']');
        else if (o.drapeaux & OBLIGATOIRE)
            cas += QLatin1Char(' ') + texte;
        else
            options += QStringLiteral(" [") + texte + QLatin1Char(']');
    }
    QString u =
        MessagesCli::ligne_usage(cas + options, langue, true) + MessagesCli::ligne_usage(feuille, langue);
    for (int mode : {LOT, SIA, AUDIT})
        u += MessagesCli::ligne_usage(commande(mode), langue);
    for (const Option& o : TABLE)
        if ((o.drapeaux & IMMEDIAT) && QByteArray(o.nom).startsWith("--"))
            u += MessagesCli::ligne_usage(QStringLiteral("torique ") + QLatin1String(o.nom), langue);
    return u;
}

bool OptionsCli::nombre(const QString& texte, bool virgule, double& v) {
    // A plain decimal number is read directly (a batch file has millions of
    // them): the same correctly rounded value as the toolkit's reading,
    // which takes every other form (a sign +, blanks, ...).
    QString t = texte.trimmed();
    if (virgule && !t.contains(QLatin1Char('.')) && t.count(QLatin1Char(',')) == 1)
        t.replace(QLatin1Char(','), QLatin1Char('.'));
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

bool OptionsCli::entier(const QString& texte, bool virgule, int bas, int haut, int& v) {
    double d;
    if (!nombre(texte, virgule, d) || d != std::floor(d) || d < bas || d > haut)
        return false;
    v = int(d);
    return true;
}

bool OptionsCli::Fichier::ecrire(const QByteArray& contenu, QString* raison) const {
    return descripteur >= 0 ? EcritureFichier::ecrire(descripteur, contenu, raison)
                            : EcritureFichier::ecrire(chemin, contenu, raison);
}
