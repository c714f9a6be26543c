#include "Textes.h"

#include "CalculTorique.h"
#include "Version.h"

#include <QRegularExpression>

#include <iterator>

namespace {

struct Ligne {
    const char* fr;
    const char* en;
};

// Index for index with Textes::Cle; the texts made from others (a null
// line) are made in Textes::texte().
const Ligne TABLE[] = {
    {"oeil droit", "right eye"},
    {"oeil gauche", "left eye"},
    {nullptr, nullptr}, // OEIL_DROIT_OD
    {nullptr, nullptr}, // OEIL_GAUCHE_OS

    {"Puissance sphérique de l'implant (SEQ)", "IOL spherical power (SEQ)"},
    {"Puissance sphérique", "Spherical power"},
    {"Dioptries (D)", "Diopter (D)"},
    {"Millimètres (mm)", "Millimeter (mm)"},
    {"Axe plat", "Flat axis"},
    {"Axe élevé", "Steep axis"},
    {"Axe élévé", "Steep axis"},
    {nullptr, nullptr}, // AXE_PLAT_K1
    {nullptr, nullptr}, // AXE_ELEVE_K2
    {"Axe de K2", "K2 axis"},
    {"Astigmatisme pré-opératoire", "Pre-operative astigmatism"},
    {"Astigmatisme induit chirurgicalement", "Surgically induced astigmatism"},
    {"Position de l'incision", "Incision location"},
    {"Cylindre croisé (au plan cornéen)", "Crossed cylinder (at corneal plane)"},
    {"Calculer", "Calculation"},
    {"Puissance cylindrique idéale", "Ideal cylindrical power"},
    {"(idéale : ", "(ideal : "},
    {"Puissance cylindrique conseillée", "Recommended cylindrical power"},
    {"Orientation des marques de l'implant", "IOL axis of placement"},
    {"Implant torique Brevanta", "Brevanta toric IOL"},
    {"Astigmatisme résiduel prévu", "Estimated residual astigmatism"},
    {"Astigmatisme antérieur mesuré", "Measured anterior astigmatism"},
    {"Astigmatisme total estimé", "Estimated total astigmatism"},
    {"Face postérieure", "Posterior cornea"},
    {"estimé", "estimated"},

    {"Informations pré-opératoires", "Pre-operative information"},
    {"Implant torique calculé", "Computed toric IOL"},
    {"Prévisions post-opératoires", "Post-operative predictions"},

    {"Attention à l'inversion de l'astigmatisme (sur-correction)",
     "Be careful of astigmatism inversion (over-correcting)"},
    {"Attention, l'astigmatisme résiduel est élevé (sous-correction)",
     "Be careful, residual astigmatism is high (sub-correction)"},

    {"ID ou n° patient", "Patient ID or n°"},
    {"Etablissement", "Establishment"},
    {"Adresse de livraison", "Delivery address"},
    {"Calculateur Torique Brevanta", "Brevanta Toric Calculator"},
    {"Date de chirurgie prévue", "Surgery planned date"},

    {"Page précédente", "Previous page"},
    {"Nouveau calcul", "New calculation"},
    {"Enregistrer", "Save"},
};
static_assert(std::size(TABLE) == Textes::NB_CLES, "one line per key");

// The HTML entities of the texts, both ways. "&amp;" is made first and read
// last, so that an entity written out in a text ("&amp;lt;") stays one.
struct Entite {
    const char* entite;
    const char* texte;
    bool ecrite; // made by riche(); the others are only read
};
const Entite ENTITES[] = {
    {"&amp;", "&", true},    {"&lt;", "<", true},     {"&gt;", ">", true},     {"&laquo;", "«", true},
    {"&raquo;", "»", true},  {"&Eacute;", "É", true}, {"&eacute;", "é", true}, {"&Egrave;", "È", true},
    {"&egrave;", "è", true}, {"&nbsp;", " ", false},  {"&quot;", "\"", false},
};

} // namespace

QString Textes::selon(const QString& langue, const char* fr, const char* en) {
    if (langue == QLatin1String("fr"))
        return QString::fromUtf8(fr);
    if (langue == QLatin1String("en"))
        return QString::fromUtf8(en);
    return QString();
}

QString Textes::deux_points(const QString& langue) {
    return langue == QLatin1String("en") ? QStringLiteral(": ") : QStringLiteral(" : ");
}

bool Textes::langue_connue(const QString& langue) {
    return langue == QLatin1String("fr") || langue == QLatin1String("en");
}

QString Textes::texte(Cle cle, const QString& langue, Forme f) {
    if (cle < 0 || cle >= NB_CLES || !langue_connue(langue))
        return QString();
    QString t;
    switch (cle) {
    case OEIL_DROIT_OD:
        t = texte(OEIL_DROIT, langue, MAJUSCULES) + QStringLiteral(" (OD)");
        break;
    case OEIL_GAUCHE_OS:
        t = texte(OEIL_GAUCHE, langue, MAJUSCULES) + QStringLiteral(" (OS)");
        break;
    case AXE_PLAT_K1:
        t = texte(AXE_PLAT, langue) + QStringLiteral(" K1");
        break;
    case AXE_ELEVE_K2:
        t = texte(AXE_ELEVE, langue) + QStringLiteral(" K2");
        break;
    default:
        t = selon(langue, TABLE[cle].fr, TABLE[cle].en);
    }
    return forme(t, f);
}

QString Textes::forme(const QString& t, Forme f) {
    if (t.isNull())
        return t;
    // A blank before the colon, in English as well: the program's own style.
    const QString deux_points = QStringLiteral(" :");
    switch (f) {
    case TEXTE:
        return t;
    case LIBELLE:
        return t + deux_points;
    case TITRE:
        return t.toUpper() + deux_points;
    case TITRE_RICHE:
        return riche(t.toUpper()) + deux_points;
    case MAJUSCULES:
        return t.toUpper();
    case PARENTHESES:
        return QLatin1Char('(') + t + QLatin1Char(')');
    case RETOUR:
        return QStringLiteral("<<   ") + t;
    }
    return t;
}

QString Textes::Paire::dans(const QString& langue) const {
    if (cle >= 0)
        return texte(Cle(cle), langue);
    if (!fr || !en)
        return QString();
    return selon(langue, fr, en);
}

QString Textes::riche(const QString& texte) {
    QString r = texte;
    for (const Entite& e : ENTITES)
        if (e.ecrite)
            r.replace(QString::fromUtf8(e.texte), QString::fromUtf8(e.entite));
    return r;
}

QString Textes::brut(const QString& riche) {
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression balise(QStringLiteral("<[^<>]*[A-Za-z/][^<>]*>"));
    QString t = riche;
    t.replace(br, QStringLiteral("\n"));
    t.remove(balise);
    for (int i = int(std::size(ENTITES)) - 1; i >= 0; --i)
        t.replace(QString::fromUtf8(ENTITES[i].entite), QString::fromUtf8(ENTITES[i].texte));
    return t;
}

QString Textes::cite(const QString& valeur, int longueur_max) {
    QString v = longueur_max >= 0 ? valeur.left(longueur_max) : valeur;
    if (v.size() < valeur.size() && v.back().isHighSurrogate())
        v.chop(1);
    // Each character, those beyond the first plane as one: a control, a
    // format (bidirectional overrides among them), a line or paragraph
    // separator or half a pair becomes "?".
    QString cite;
    cite.reserve(v.size() + 3);
    for (qsizetype i = 0; i < v.size(); ++i) {
        char32_t u = v[i].unicode();
        qsizetype n = 1;
        if (v[i].isHighSurrogate() && i + 1 < v.size() && v[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(v[i], v[i + 1]);
            n = 2;
        }
        switch (QChar::category(u)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            cite += QLatin1Char('?');
            break;
        default:
            cite += QStringView(v).mid(i, n);
        }
        i += n - 1;
    }
    if (v.size() < valeur.size())
        cite += QStringLiteral("...");
    return cite;
}

QString Textes::D(double dioptries) {
    return CalculTorique::texte_D(dioptries) + QStringLiteral(" D");
}

QString Textes::degres(int axe) {
    return QString::number(axe) + QString::fromUtf8(" °");
}

QString Textes::calculateur_version(const QString& langue) {
    const QString nom = texte(CALCULATEUR, langue);
    return nom.isNull() ? nom : nom + QStringLiteral(" v" VERSION_TORIQUE);
}

QString Textes::implant(const QString& modele, double cylindre) {
    return modele + QStringLiteral(" T") + CalculTorique::texte_D(cylindre);
}
