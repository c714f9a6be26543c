#include "LecteursCli.h"

#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "Identification.h"
#include "MessagesCli.h"

#include <QFileInfo>

#include <cmath>

using Option = OptionsCli::Option;
using Valeur = OptionsCli::Valeur;
using Demande = OptionsCli::Demande;

namespace {

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

// A file to read: opened later by its bytes.
bool fichier_lu(const Valeur& v, OptionsCli::Fichier& f) {
    if (v.octets.isEmpty())
        return false;
    f.nom = v.texte;
    f.octets = v.octets;
    return true;
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

} // namespace

bool LecteursCli::lire_oeil(const Option&, const Valeur& v, Demande& d, QString&) {
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

bool LecteursCli::lire_seq(const Option&, const Valeur& v, Demande& d, QString&) {
    double x;
    if (!OptionsCli::nombre(v.texte, d.virgule_decimale, x) || x * 2 != std::floor(x * 2) || x < 10.0 ||
        x > 35.0)
        return false;
    d.cas.seq_texte = QString::number(x, 'f', 1);
    d.cas.seq = x;
    d.cas.sph_ind = int(x * 2) - 20 + 1;
    return true;
}

bool LecteursCli::lire_unite(const Option&, const Valeur& v, Demande& d, QString&) {
    const QString u = v.texte.trimmed();
    if (u.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0)
        d.cas.unite = 1;
    else if (u.compare(QLatin1String("mm"), Qt::CaseInsensitive) == 0)
        d.cas.unite = 2;
    else
        return false;
    return true;
}

bool LecteursCli::lire_k1(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 99.99, d.cas.k1);
}

bool LecteursCli::lire_k2(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 99.99, d.cas.k2);
}

// The full turn is the meridian 0, as in the steep-axis and incision entries.
bool LecteursCli::lire_axe(const Option&, const Valeur& v, Demande& d, QString&) {
    if (!OptionsCli::entier(v.texte, d.virgule_decimale, 0, 180, d.cas.axe))
        return false;
    d.cas.axe %= 180;
    return true;
}

bool LecteursCli::lire_sia(const Option&, const Valeur& v, Demande& d, QString&) {
    return saisie(d, v, 5.0, d.cas.sia);
}

bool LecteursCli::lire_incision(const Option&, const Valeur& v, Demande& d, QString&) {
    if (!OptionsCli::entier(v.texte, d.virgule_decimale, 0, 360, d.cas.incision))
        return false;
    d.cas.incision %= 360;
    return true;
}

bool LecteursCli::lire_cyl(const Option&, const Valeur& v, Demande& d, QString&) {
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
bool LecteursCli::lire_posterieure(const Option&, const Valeur& v, Demande& d, QString&) {
    return CorneePosterieure::lire(v.texte, d.cas.posterieure);
}

bool LecteursCli::lire_langue(const Option&, const Valeur& v, Demande& d, QString&) {
    const QString l = v.texte.trimmed().toLower();
    if (!Textes::langue_connue(l))
        return false;
    d.cas.langue = l;
    return true;
}

bool LecteursCli::lire_json(const Option&, const Valeur&, Demande& d, QString&) {
    d.json = true;
    return true;
}

bool LecteursCli::lire_aide(const Option&, const Valeur&, Demande& d, QString&) {
    d.aide = true;
    return true;
}

bool LecteursCli::lire_version(const Option&, const Valeur&, Demande& d, QString&) {
    d.version = true;
    return true;
}

bool LecteursCli::lire_lot(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.lot);
}

bool LecteursCli::lire_fichier_sia(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.sia);
}

// --sia without the options of a case names a file of past cases, as it
// did before --sia-file; a number there is the induced astigmatism of a
// case whose options are missing, never a file's name.
bool LecteursCli::lire_sia_ou_fichier(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
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

bool LecteursCli::lire_audit(const Option&, const Valeur& v, Demande& d, QString&) {
    return fichier_lu(v, d.audit);
}

bool LecteursCli::lire_pdf(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    return fichier_ecrit(o, v, d, d.pdf, probleme);
}

// The plot's format, from the name's extension (.pdf, .png, .svg, in any
// case); PDF for a name without one, such as a device.
bool LecteursCli::lire_graphique(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    const QFileInfo info(v.texte);
    const QByteArray suffixe = info.suffix().toLower().toLatin1();
    if (info.fileName().isEmpty() ||
        !(suffixe.isEmpty() || suffixe == "pdf" || suffixe == "png" || suffixe == "svg"))
        return false;
    d.format_graphique = suffixe.isEmpty() ? QByteArray("pdf") : suffixe;
    return fichier_ecrit(o, v, d, d.graphique, probleme);
}

// The patient of the order form: an identifier that is not blank once
// cleaned.
bool LecteursCli::lire_patient(const Option& o, const Valeur& v, Demande& d, QString& probleme) {
    return lire_texte<&OptionsCli::Identite::patient>(o, v, d, probleme) && !d.identite.patient.isEmpty();
}

bool LecteursCli::lire_date(const Option&, const Valeur& v, Demande& d, QString&) {
    d.identite.date = QDate::fromString(v.texte.trimmed(), QStringLiteral("yyyy-MM-dd"));
    return d.identite.date.isValid();
}

bool LecteursCli::lire_pays(const Option&, const Valeur& v, Demande& d, QString&) {
    const QStringList& liste = Identification::liste_pays();
    for (int i = 0; i < liste.size(); ++i)
        if (liste[i].compare(v.texte.trimmed(), Qt::CaseInsensitive) == 0) {
            d.identite.pays = i;
            return true;
        }
    return false;
}

QString LecteursCli::pays() {
    return Identification::liste_pays().join(QStringLiteral(", "));
}

// The texts of the identification.
bool LecteursCli::lire_chirurgien(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::chirurgien>(o, v, d, p);
}

bool LecteursCli::lire_etablissement(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::etablissement>(o, v, d, p);
}

bool LecteursCli::lire_adresse1(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::adresse1>(o, v, d, p);
}

bool LecteursCli::lire_adresse2(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::adresse2>(o, v, d, p);
}

bool LecteursCli::lire_codepost(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::codepost>(o, v, d, p);
}

bool LecteursCli::lire_ville(const Option& o, const Valeur& v, Demande& d, QString& p) {
    return lire_texte<&OptionsCli::Identite::ville>(o, v, d, p);
}
