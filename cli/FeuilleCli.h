#ifndef FEUILLECLI_H
#define FEUILLECLI_H

#include "ToriqueCli.h"

#include <QDate>
#include <QString>
#include <QStringList>

class QTextStream;

// The calculation sheet from the command line: adds to the `torique` tool
//
//   --pdf FILE  --patient T [--surgeon T] [--clinic T] [--date YYYY-MM-DD]
//               [--address1 T] [--address2 T] [--postcode T] [--city T]
//               [--country NAME]
//
// and writes, for a calculation that the checks accept, the same one-page A4
// sheet as the window's PDF export. The texts are cleaned and bounded as in
// the identification dialog (control characters become spaces, blanks at
// both ends go, then the length is checked); the sheet is an order form and
// names its patient: --pdf without --patient, or with one blank once
// cleaned, is bad usage (status 2). The country is a name of the
// dialog's list (by default "France" in French, "--------" in English, as
// on a first request); the date defaults to today. The identification
// options without --pdf, and "-" as the file, are bad usage. A file that
// cannot be written whole is reported on the error output with the
// system's reason and the tool ends with status 1 (FeuilleCalcul::ecrire_pdf
// leaves a file that was there as it was). Drawing the sheet needs a
// QApplication (the diagrams are widgets).
class FeuilleCli {
public:
    // Registers the options and the writing with the tool; the messages are
    // in `langue` ("fr" or "en").
    FeuilleCli(ToriqueCli& outil, const QString& langue);

    // Whether the arguments ask for a sheet (--pdf).
    static bool demande(const QStringList& arguments);
    // The usage line of the sheet's options.
    static QString usage(const QString& langue);

    QString fichier;
    QString chirurgien, etablissement, patient, adresse1, adresse2, codepost, ville;
    QDate date;
    int pays = -1;

    // Writes the sheet of a computed case, its record completed with the
    // identification; 0 when written (or not asked), 1 when the file could
    // not be written, 2 without a patient identifier.
    int ecrire(const ToriqueCli::Cas& cas, ListParam& record, QTextStream& erreurs);

private:
    QString langue_messages;
};

#endif
