#ifndef SIACLI_H
#define SIACLI_H

#include "AstigmatismeInduit.h"
#include "CsvCli.h"
#include "OptionsCli.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class EcrivainJson;
class QTextStream;

// The surgeon's induced astigmatism from past cases:
//
//   torique --sia FILE.csv [--plot FILE.pdf|png|svg] [--lang fr|en] [--json]
//
// The file has one row per operated eye under a header naming the columns
// eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post (in any order;
// keratometry in dioptres, 30.00 to 60.00, K2 not below K1; axes the steep
// meridian's, whole degrees 0 to 180, 180 being 0). A row that is not valid
// is answered with its line number and the reason, and does not count. The
// figures of the valid eyes (AstigmatismeInduit; left eyes mirrored when
// both eyes are there, with the figures of each eye alone) are printed as
// text in the language or as one JSON object; --plot draws the double-angle
// plot, through the function the program hands in (it needs the toolkit's
// painters).
//
// Exit status: 0 every row counted (and the plot written); 1 a row refused,
// no valid row, or the plot not written; 2 bad usage (a file that cannot be
// read, does not start with the header, or is also an output).
class SiaCli {
public:
    // The header of the file, in its documented order.
    static QString en_tete();

    // A series of past cases has at most this many rows; a file beyond is
    // no such series, and is not held in memory.
    static constexpr int LIGNES_MAX = 100000;

    using Refus = CsvCli::Refus;

    // Reads the rows of a file whose header is read into the series; the
    // rows refused go to `refus`. Returns false, with the message in
    // `erreur`, when the file is refused as a whole: it cannot be read to its
    // end, or it has more rows than a series of past cases.
    static bool lire(CsvCli& csv, AstigmatismeInduit& serie, QList<Refus>& refus, QString& erreur);

    // The two outputs of a series.
    static void texte(const AstigmatismeInduit& serie, const QString& langue, QTextStream& sortie);
    static void json(const AstigmatismeInduit& serie, const QList<Refus>& refus, EcrivainJson& j);

    // Draws the plot of the request's series to its file: 0 written, 1 not
    // (the reason on `erreurs`).
    using Graphique =
        std::function<int(const OptionsCli::Demande&, const AstigmatismeInduit&, QTextStream& erreurs)>;

    // Runs the mode; `descripteur_sortie` is the standard output's
    // descriptor (-1 when none), which must not be the file read.
    static int executer(const OptionsCli::Demande& demande, int descripteur_sortie,
                        const Graphique& graphique, QTextStream& sortie, QTextStream& erreurs);
};

#endif
