#ifndef TORIQUECLI_H
#define TORIQUECLI_H

#include "AuditCli.h"
#include "OptionsCli.h"
#include "SiaCli.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ListParam;
class QTextStream;

// The command-line tool `torique`: the calculation of the page without the
// window, for one eye given by options (CasCli), for a CSV file of cases
// (LotCli), the surgeon's induced astigmatism from past cases (SiaCli), or
// the audit of the predictions on operated eyes (AuditCli);
// the usage is OptionsCli::usage().
//
// The arguments are read against the table of options (OptionsCli), byte
// for byte: a file to read is opened by the bytes given; a file to write
// must have a name the toolkit can carry (UTF-8), and a relative one means
// the folder the tool was started in, resolved once. A refused check prints
// its message, and with --json the object without results.
//
// Exit status: 0 computed, 1 refused by a check (or, with --batch, any row
// not computed, or an output that refused what was written), 2 bad usage.
//
// A sheet or a plot written to the standard output ("-", /dev/stdout, or
// the file that the output is sent to) is all that the output carries: the
// text or JSON result is not printed, so that what is captured is the file
// whole. A terminal is not given one.
//
// The sheet (--pdf) and the plot (--plot) need the toolkit's painters,
// which this library does not link: the program hands in the functions that
// draw them (FeuilleCli, GraphiqueCli).
class ToriqueCli {
public:
    // Writes the sheet of a computed case, its record as the page's
    // snapshot holds it at the result step: 0 written, another status not
    // (the reason on `erreurs`). Run before anything is printed.
    using Feuille = std::function<int(const OptionsCli::Demande&, ListParam& record, QTextStream& erreurs)>;
    Feuille feuille;
    SiaCli::Graphique graphique;
    AuditCli::Graphique graphique_audit;
    // The standard output's descriptor: a file read must not be it, and a
    // file written there is alone on it (-1: none known; "-" is then
    // /dev/stdout).
    int descripteur_sortie = -1;

    // Takes the working folder as the one the tool was started in.
    ToriqueCli();

    // Runs the tool on its arguments (without the program name), as the
    // system gave them; returns the exit status.
    int executer(const QList<QByteArray>& arguments, QTextStream& sortie, QTextStream& erreurs);
    // The same with arguments in UTF-8.
    int executer(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs);

private:
    QString lire(const QList<QByteArray>& arguments, OptionsCli::Demande& d) const;
    QString refus_ensemble(const OptionsCli::Demande& d) const;
    QString prendre_sortie_standard(OptionsCli::Demande& d) const;
    int calculer_cas(const OptionsCli::Demande& d, QTextStream& sortie, QTextStream& erreurs) const;

    QByteArray depart;
    QString depart_perdu;
};

#endif
