#ifndef FEUILLECLI_H
#define FEUILLECLI_H

#include "OptionsCli.h"

#include <QString>

class ListParam;
class QTextStream;

// The calculation sheet from the command line (--pdf and the identification
// options of OptionsCli): for a calculation that the checks accept, the same
// one-page A4 sheet as the window's PDF export. The texts are cleaned and
// bounded as in the identification dialog; the sheet is an order form and
// names its patient (--patient, not blank once cleaned, is required with
// --pdf: OptionsCli::REQUIS_FEUILLE); the country is a name of the
// dialog's list (by default "France" in French, "--------" in English, as
// on a first request); the date defaults to today.
//
// The sheet's pictures are read from the tool's own place, whatever the
// working folder: its folder, or `../share/calculateur-torique` beside it
// (where the package puts them). A sheet is written whole or not at all:
// when a picture cannot be read, or the file cannot be written whole
// (FeuilleCalcul, EcritureFichier), nothing is written, the reason goes to
// the error output and the status is 1. Drawing the sheet needs a
// QApplication (the diagrams are widgets).
class FeuilleCli {
public:
    // The folder of the pictures: the first of the tool's folder and
    // `../share/calculateur-torique` that holds the sheet's logo (the
    // second when neither does, so that the missing pictures are named
    // there).
    static QString dossier_images();

    // Writes the sheet of a computed case, its record completed with the
    // identification; 0 when written, 1 when not.
    static int ecrire(const OptionsCli::Demande& demande, ListParam& record, QTextStream& erreurs);
};

#endif
