#ifndef SIACLI_H
#define SIACLI_H

#include "AstigmatismeInduit.h"
#include "ToriqueCli.h"

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;
class QTextStream;

// The surgeon's induced astigmatism from past cases: adds to the `torique`
// tool
//
//   torique --sia FILE.csv [--plot FILE.pdf|png|svg] [--lang fr|en] [--json]
//
// The file has one row per operated eye under the header
// eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post (keratometry in
// dioptres, 30.00 to 60.00, K2 not below K1; axes the steep meridian's,
// whole degrees 0 to 180, 180 being 0). A row that is not valid is answered
// with its line number and the reason, and does not count. The figures of
// the valid eyes (AstigmatismeInduit) are printed as text in the language or
// as one JSON object; --plot draws the double-angle plot.
//
// Exit status: 0 every row counted (and the plot written); 1 a row refused,
// no valid row, or the plot not written; 2 bad usage (options, a file that
// cannot be read or does not start with the header).
class SiaCli {
public:
    // Registers the options and the mode with the tool; option messages in
    // `langue`.
    SiaCli(ToriqueCli& outil, const QString& langue);

    // Whether the arguments ask for a plot (which needs a GUI application
    // for the fonts).
    static bool demande_graphique(const QStringList& arguments);
    // The usage line of the mode.
    static QString usage(const QString& langue);

    // A row that did not count.
    struct ErreurLigne {
        qint64 ligne;
        QString erreur;
    };

    // Reads the rows of an open source (the file `nom`) into the series; the
    // rows refused go to `refus`. Returns false, with the message in
    // `erreur`, when the file is refused as a whole: its first row is not the
    // header, it cannot be read to its end, or it has more rows than a
    // series of past cases (100,000).
    static bool lire(QIODevice& source, const QString& nom, const QString& langue, AstigmatismeInduit& serie,
                     QList<ErreurLigne>& refus, QString& erreur);

    // The two outputs of a series.
    static QString texte(const AstigmatismeInduit& serie, const QString& langue);
    static QString json(const AstigmatismeInduit& serie, const QList<ErreurLigne>& refus);

    int executer(bool json, const QString& langue, QTextStream& sortie, QTextStream& erreurs);

    QString fichier;
    QString graphique;

private:
    QString langue_messages;
};

#endif
