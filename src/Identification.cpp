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
