#ifndef IDENTIFICATION_H
#define IDENTIFICATION_H

#include <QDate>
#include <QString>
#include <QStringList>

// The identification data of a calculation as texts, without any widget: the
// delivery countries, the way the sheet writes a date, and the cleaning of
// the texts typed for the order form. The identification
// dialog, the sheet and the command-line tool all read them here.
class Identification {
public:
    // The 74 countries of the delivery list, in order; index 20 is "France".
    static const QStringList& liste_pays();
    static constexpr int INDEX_FRANCE = 20;
    // The planned date as the sheet writes it: "dddd d MMMM yyyy" with full
    // weekday and month names of the language ("fr" French, otherwise English).
    static QString texte_date(const QDate& d, const QString& langue);
    // The date of the calculation as the sheet's header writes it, in the
    // sheet's language whatever the system's: "8 décembre 2026" ("fr"),
    // "8 December 2026" (otherwise).
    static QString texte_date_calcul(const QDate& d, const QString& langue);

    // An identification text as typed or pasted: line breaks, tabs, every
    // other control character (C0, DEL, C1), the line and paragraph
    // separators and the bidirectional controls (embeddings, overrides,
    // isolates and marks), which would split, move or reverse the text on
    // the order form, become one space (a run of them, one space).
    static QString sans_controles(const QString& texte);
    // The same with the blanks at both ends removed: the text the record,
    // the sheet and the command line keep.
    static QString texte_propre(const QString& texte);
};

#endif
