#ifndef IDENTIFICATION_H
#define IDENTIFICATION_H

#include <QDate>
#include <QString>
#include <QStringList>

// The identification data of a calculation as texts, without any widget: the
// delivery countries and the way the sheet writes a date. The identification
// dialog, the sheet and the command-line tool all read them here.
class Identification {
public:
    // The 74 countries of the delivery list, in order; index 20 is "France".
    static const QStringList& liste_pays();
    static constexpr int INDEX_FRANCE = 20;
    // The planned date as the sheet writes it: "dddd d MMMM yyyy" with full
    // weekday and month names of the language ("fr" French, otherwise English).
    static QString texte_date(const QDate& d, const QString& langue);
};

#endif
