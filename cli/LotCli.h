#ifndef LOTCLI_H
#define LOTCLI_H

#include "OptionsCli.h"

class QTextStream;

// A CSV file of cases, `torique --batch FILE.csv`: one row per case under a
// header naming the columns of a case (eye, seq, unit, k1, k2, axis, sia,
// incision, cyl; in any order, the optional ones may be left out), answered
// one row at a time with one JSON object per row that is not blank, each
// starting with "line", the row's line in the file. A row that cannot be
// read (a bad value, too many values, longer than 64 KB) gives
// {"line":N,"error":"..."} and the run goes on; the run stops at the first
// answer the output refused.
//
// Memory is bounded whatever the file: rows are read and answered by
// blocks of at most TAILLE_BLOC rows and OCTETS_BLOC bytes, the rows of a
// block computed on every core.
class LotCli {
public:
    static constexpr int TAILLE_BLOC = 2048;
    static constexpr qsizetype OCTETS_BLOC = 4 * 1024 * 1024;

    // Runs the batch of the request; `descripteur_sortie` is the standard
    // output's descriptor (-1 when none), which must not be the file read.
    // Returns the exit status: 0 every row computed and accepted, 1 a row
    // not, or the output refused an answer (the caller tells why), 2 the
    // file refused (cannot be read, no header).
    static int executer(const OptionsCli::Demande& demande, int descripteur_sortie, QTextStream& sortie,
                        QTextStream& erreurs);
};

#endif
