#include "Identification.h"

#include <QLocale>

const QStringList& Identification::liste_pays() {
    static const QStringList pays{
        "--------",    "Algeria",       "Argentina",      "Australia",      "Austria",    "Belgium",
        "Brazil",      "Bulgaria",      "Cambodia",       "Chile",          "China",      "Colombia",
        "Costa Rica",  "Croatia",       "Czech Republic", "Denmark",        "Ecuador",    "Egypt",
        "Estonia",     "Finland",       "France",         "Georgia",        "Germany",    "Greece",
        "Guatemala",   "Hungary",       "India",          "Indonesia",      "Iran",       "Ireland",
        "Israel",      "Italy",         "Japan",          "Laos",           "Latvia",     "Lebanon",
        "Libya",       "Liechtenstein", "Lithuania",      "Luxembourg",     "Madagascar", "Malaysia",
        "Mexico",      "Monaco",        "Morocco",        "Netherlands",    "Norway",     "Panama",
        "Paraguay",    "Peru",          "Philippines",    "Poland",         "Portugal",   "Romania",
        "Russia",      "Saudi Arabia",  "Singapore",      "Slovakia",       "Slovenia",   "South Africa",
        "South Korea", "Spain",         "Sweden",         "Switzerland",    "Syria",      "Thailand",
        "Tunisia",     "Turkey",        "Ukraine",        "United Kingdom", "Uruguay",    "Venezuela",
        "Vietnam",     "Yougoslavia"};
    return pays;
}

QString Identification::texte_date(const QDate& d, const QString& langue) {
    const QLocale loc = langue == "fr" ? QLocale(QLocale::French, QLocale::France)
                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    return loc.toString(d, "dddd d MMMM yyyy");
}

QString Identification::texte_date_calcul(const QDate& d, const QString& langue) {
    const QLocale loc = langue == "fr" ? QLocale(QLocale::French, QLocale::France)
                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    return loc.toString(d, "d MMMM yyyy");
}

namespace {

bool controle(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        break;
    }
    // Bidi_Control: the Arabic letter mark, the left-to-right and
    // right-to-left marks, embeddings and overrides, isolates.
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString Identification::sans_controles(const QString& texte) {
    QString propre;
    propre.reserve(texte.size());
    bool dans_suite = false;
    for (const QChar c : texte) {
        if (controle(c.unicode())) {
            if (!dans_suite)
                propre += QLatin1Char(' ');
            dans_suite = true;
        } else {
            propre += c;
            dans_suite = false;
        }
    }
    return propre;
}

QString Identification::texte_propre(const QString& texte) {
    return sans_controles(texte).trimmed();
}
