#include "OptionsCli.h"

#include "AuditCli.h"
#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "Identification.h"
#include "MessagesCli.h"
#include "SiaCli.h"

#include <QFileInfo>

#include <charconv>
#include <cmath>

namespace {

using Option = OptionsCli::Option;
using Valeur = OptionsCli::Valeur;
using Demande = OptionsCli::Demande;

// --- reading the values ------------------------------------------------

// A value as a two-decimal entry box keeps it, within its range.
bool saisie(const Demande& d, const Valeur& v, double haut, double& valeur) {
    double x;
    if (!OptionsCli::nombre(v.texte, d.virgule_decimale, x))
        return false;
    x = CalculTorique::arrondi_saisie(x) + 0.0; // no negative zero
    if (!(x >= 0.0 && x <= haut))
        return false;
    valeur = x;
    return true;
}

bool lire_oeil(const Option&, const Valeur& v, Demande& d, QString&) {
    // Shared texts: a batch file reads millions of eyes.
    static const QString OD = QStringLiteral("OD"), OS = QStringLiteral("OS");
    const QString o = v.texte.trimmed();
    if (o.compare(OD, Qt::CaseInsensitive) == 0)
        d.cas.oeil = OD;
    else if (o.compare(OS, Qt::CaseInsensitive) == 0)
        d.cas.oeil = OS;
    else
        return false;
    return true;
}

bool lire_seq(const Option&, const Valeur& v, Demande& d, QString&) {
    double x;
    if (!OptionsCli::nombre(v.texte, d.virgule_decimale, x) || x * 2 != std::floor(x * 2) || x < 10.0 ||
        x > 35.0)
        return false;
    d.cas.seq_texte = QString::number(x, 'f', 1);
    d.cas.seq = x;
    d.cas.sph_ind = int(x * 2) - 20 + 1;
    return true;
}

bool lire_unite(const Option&, const Valeur& v, Demande& d, QString&) {
    const QString u = v.texte.trimmed();
    if (u.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0)
        d.cas.unite = 1;
    else if (u.compare(QLatin1String("mm"), Qt::CaseInsensitive) == 0)
        d.cas.unite = 2;
    else
        return false;
    return true;
}

bool lire_k1(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 99.99, d.cas.k1);
}

bool lire_k2(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 99.99, d.cas.k2);
}

// The full turn is the meridian 0, as in the steep-axis and incision entries.
bool lire_axe(const Option&, const Valeur& v, Demande& d, QString&) {
    if (!OptionsCli::entier(v.texte, d.virgule_decimale, 0, 180, d.cas.axe))
        return false;
    d.cas.axe %= 180;
    return true;
}

bool lire_sia(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 5.0, d.cas.sia);
}

bool lire_incision(const Option&, const Valeur& v, Demande& d, QString&) {
    if (!OptionsCli::entier(v.texte, d.virgule_decimale, 0, 360, d.cas.incision))
        return false;
    d.cas.incision %= 360;
    return true;
}

bool lire_cyl(const Option&, const Valeur& v, Demande& d, QString&) {
    double x;
    if (OptionsCli::nombre(v.texte, d.virgule_decimale, x))
        for (int n = 1; n <= 8; ++n)
            if (x == 0.75 * n) {
                d.cas.cyl = x;
                return true;
            }
    return false;
}

// The cornea the lens is chosen on; empty is the keratometry as given.
bool lire_posterieure(const Option&, const Valeur& v, Demande& d, QString&) {
    return CorneePosterieure::lire(v.texte, d.cas.posterieure);
}

bool lire_langue(const Option&, const Valeur& v, Demande& d, QString&) {
    const QString l = v.texte.trimmed().toLower();
    if (!Textes::langue_connue(l))
        return false;
    d.cas.langue = l;
    return true;
}

bool lire_json(const Option&, const Valeur&, Demande& d, QString&) {
    d.json = true;
    return true;
}

bool lire_aide(const Option&, const Valeur&, Demande& d, QString&) {
    d.aide = true;
    return true;
}

bool lire_version(const Option&, const Valeur&, Demande& d, QString&) {
    d.version = true;
    return true;
}

// A file to read: opened later by its bytes.
bool fichier_lu(const Valeur& v, OptionsCli::Fichier& f) {
    if (v.octets.isEmpty())
        return false;
    f.nom = v.texte;
    f.octets = v.octets;
    return true;
}

bool lire_lot(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.lot);
}

bool lire_fichier_sia(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.sia);
}

// --sia without the options of a case names a file of past cases, as it
// did before --sia-file; a number there is the induced astigmatism of a
// case whose options are missing, never a file's name.
bool lire_sia_ou_fichier(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    double x;
    if (!OptionsCli::nombre(v.texte, true, x))
        return fichier_lu(v, d.sia);
    const QString& langue = d.cas.langue;
    QStringList cas;
    for (const Option* c : OptionsCli::colonnes())
        if (c->drapeaux & OptionsCli::OBLIGATOIRE)
            cas << QLatin1String(c->nom);
    const Option& fichier = OptionsCli::demarreur(OptionsCli::SIA);
    probleme = MessagesCli::erreur(
        QLatin1String(o.nom),
        Textes::selon(langue,
                      "valeur %1 lue comme l'astigmatisme induit d'un cas, mais aucune option de cas "
                      "n'est donnée",
                      "value %1 read as the induced astigmatism of a case, but no option of a case is given")
            .arg(MessagesCli::citation(v.texte, langue)),
        Textes::selon(langue, "les options du cas avec elle (%1), ou un fichier de cas passés avec %2",
                      "the options of the case with it (%1), or a file of past cases with %2")
            .arg(cas.join(QStringLiteral(", ")),
                 MessagesCli::mots_usage(
                     QLatin1String(fichier.nom) + QLatin1Char(' ') + QLatin1String(fichier.valeur), langue)),
        langue);
    return false;
}

bool lire_audit(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.audit);
}

// A file to write: "-" is the standard output (the tool's caller names its
// descriptor); another name is made whole against the folder the tool was
// started in, once, and must be one that the toolkit, which writes it, can
// carry (UTF-8): it is never written under another name.
bool fichier_ecrit(const Option& o, const Valeur& v, Demande& d, OptionsCli::Fichier& f, QString& probleme) {
    if (v.octets.isEmpty())
        return false;
    f.nom = v.texte;
    f.octets = v.octets;
    if (v.octets == "-")
        return true;
    QByteArray complet = v.octets;
    if (!v.octets.startsWith('/')) {
        if (d.depart.isEmpty()) {
            f.probleme = d.depart_perdu; // said when the file is to be written
            return true;
        }
        complet = d.depart + '/' + v.octets;
    }
    f.chemin = QString::fromUtf8(complet);
    if (f.chemin.toUtf8() == complet)
        return true;
    const QString& langue = d.cas.langue;
    probleme = MessagesCli::erreur(
        QLatin1String(o.nom),
        Textes::selon(langue, "nom de fichier %1 hors UTF-8, que l'outil ne peut pas écrire sous ce nom",
                      "file name %1 is not UTF-8, and cannot be written under that name")
            .arg(MessagesCli::citation_fichier(f.chemin, langue)),
        Textes::selon(langue, "un nom de fichier en UTF-8", "a file name in UTF-8"), langue);
    return false;
}

bool lire_pdf(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    return fichier_ecrit(o, v, d, d.pdf, probleme);
}

// The plot's format, from the name's extension (.pdf, .png, .svg, in any
// case); PDF for a name without one, such as a device.
bool lire_graphique(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    const QFileInfo info(v.texte);
    const QByteArray suffixe = info.suffix().toLower().toLatin1();
    if (info.fileName().isEmpty() ||
        !(suffixe.isEmpty() || suffixe == "pdf" || suffixe == "png" || suffixe == "svg"))
        return false;
    d.format_graphique = suffixe.isEmpty() ? QByteArray("pdf") : suffixe;
    return fichier_ecrit(o, v, d, d.graphique, probleme);
}

// A text of the identification, on one line as the dialog keeps it, within
// the dialog's length.
template <QString OptionsCli::Identite::*champ>
bool lire_texte(const Option& o, const Valeur& v, Demande& d, QString&) {
    const QString propre = Identification::texte_propre(v.texte);
    if (propre.size() > o.borne)
        return false;
    d.identite.*champ = propre;
    return true;
}

// The patient of the order form: an identifier that is not blank once
// cleaned.
bool lire_patient(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    return lire_texte<&OptionsCli::Identite::patient>(o, v, d, probleme) && !d.identite.patient.isEmpty();
}

bool lire_date(const Option&, const Valeur& v, Demande& d, QString&) {
    d.identite.date = QDate::fromString(v.texte.trimmed(), QStringLiteral("yyyy-MM-dd"));
    return d.identite.date.isValid();
}

bool lire_pays(const Option&, const Valeur& v, Demande& d, QString&) {
    const QStringList& liste = Identification::liste_pays();
    for (int i = 0; i < liste.size(); ++i)
        if (liste[i].compare(v.texte.trimmed(), Qt::CaseInsensitive) == 0) {
            d.identite.pays = i;
            return true;
        }
    return false;
}

QString pays() {
    return Identification::liste_pays().join(QStringLiteral(", "));
}

using I = OptionsCli::Identite;
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
    {"--eye", "OD|OS", CAS, OBLIG, {"OD ou OS", "OD or OS"}, lire_oeil},
    {"--seq",
     "P",
     CAS,
     OBLIG,
     {"une valeur de la liste, de 10.0 à 35.0 par pas de 0.5",
      "one of the list's values, 10.0 to 35.0 in steps of 0.5"},
     lire_seq},
    {"--unit", "D|mm", CAS, COL, {"D ou mm", "D or mm"}, lire_unite},
    {"--k1", "V", CAS, OBLIG, {"un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"}, lire_k1},
    {"--k2", "V", CAS, OBLIG, {"un nombre de 0.00 à 99.99", "a number from 0.00 to 99.99"}, lire_k2},
    {"--axis",
     "A",
     CAS,
     OBLIG,
     {"un nombre entier de 0 à 180 (180 vaut 0)", "a whole number from 0 to 180 (180 is 0)"},
     lire_axe},
    {"--sia", "V", CAS, COL, {"un nombre de 0.00 à 5.00", "a number from 0.00 to 5.00"}, lire_sia},
    {"--incision",
     "A",
     CAS,
     COL,
     {"un nombre entier de 0 à 360 (360 vaut 0)", "a whole number from 0 to 360 (360 is 0)"},
     lire_incision},
    {"--cyl",
     "C",
     CAS,
     COL,
     {"une puissance de la gamme : 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 ou 6.00",
      "a power of the range: 0.75, 1.50, 2.25, 3.00, 3.75, 4.50, 5.25 or 6.00"},
     lire_cyl},
    {"--posterior",
     "none|abulafia-koch",
     CAS,
     COL,
     {"none ou abulafia-koch", "none or abulafia-koch"},
     lire_posterieure},
    {"--pdf",
     "FILE.pdf",
     CAS,
     OptionsCli::SORTIE,
     {"un nom de fichier PDF, ou - pour la sortie standard", "a PDF file name, or - for the standard output"},
     lire_pdf},
    {"--patient",
     "T",
     CAS,
     FEUILLE | OptionsCli::REQUIS_FEUILLE,
     {"un identifiant de 1 à %1 caractères", "an identifier of 1 to %1 characters"},
     lire_patient,
     19},
    {"--surgeon", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::chirurgien>, 25},
    {"--clinic", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::etablissement>, 25},
    {"--date", "YYYY-MM-DD", CAS, FEUILLE, {"une date AAAA-MM-JJ", "a date YYYY-MM-DD"}, lire_date},
    {"--address1", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::adresse1>, 40},
    {"--address2", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::adresse2>, 40},
    {"--postcode", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::codepost>, 7},
    {"--city", "T", CAS, FEUILLE, {TEXTE_FR, TEXTE_EN}, lire_texte<&I::ville>, 20},
    {"--country",
     "NAME",
     CAS,
     FEUILLE,
     {"un pays de la liste : %1", "a country of the list: %1"},
     lire_pays,
     0,
     pays},
    {"--batch",
     "FILE.csv",
     LOT,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     lire_lot,
     0,
     OptionsCli::en_tete_lot},
    {"--sia-file",
     "FILE.csv",
     SIA,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     lire_fichier_sia,
     0,
     SiaCli::en_tete},
    // The same without the options of a case (not shown in the usage).
    {"--sia",
     "FILE.csv",
     SIA,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     lire_sia_ou_fichier,
     0,
     SiaCli::en_tete},
    {"--audit",
     "FILE.csv",
     AUDIT,
     OptionsCli::DEMARRE | OptionsCli::ENTREE,
     {CSV_FR, CSV_EN},
     lire_audit,
     0,
     AuditCli::en_tete},
    {"--plot",
     "FILE.pdf|png|svg",
     SIA | AUDIT,
     OptionsCli::SORTIE,
     {"un nom de fichier en .pdf, .png ou .svg (PDF sans extension, ou - pour la sortie standard)",
      "a file name ending in .pdf, .png or .svg (PDF without one, or - for the standard output)"},
     lire_graphique},
    {"--lang", "fr|en", CAS | LOT | SIA | AUDIT, 0, {"fr ou en", "fr or en"}, lire_langue},
    {"--json",
     nullptr,
     CAS | SIA | AUDIT,
     OptionsCli::SANS_EFFET_LOT,
     {"aucune valeur", "no value"},
     lire_json},
    {"--help", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, lire_aide},
    {"-h", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, lire_aide},
    {"--version", nullptr, CAS, OptionsCli::IMMEDIAT, {"aucune valeur", "no value"}, lire_version},
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

bool OptionsCli::Demande::donnee(int drapeau) const {
    return premiere(drapeau) != nullptr;
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
