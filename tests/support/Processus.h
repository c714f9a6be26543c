#ifndef PROCESSUS_H
#define PROCESSUS_H

// Running the programs of this build and poppler's tools from a test.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace Processus {

// What a run gave: its exit status (-1 when the program did not start,
// crashed or ran out of time, the reason then in `erreurs`), its standard
// output and its standard error.
struct Sortie {
    int statut = -1;
    QString sortie, erreurs;
};

// Runs a program in a folder (the current one when empty) and waits for its
// end at most `delai_ms`; a program still running then is killed.
// `dans_l_enfant` runs in the child before the program starts (a resource
// limit, a closed descriptor); `langue_systeme`, when given, is the locale
// of the run (LANG, LC_ALL, LC_TIME, LANGUAGE).
Sortie lancer(const QString& programme, const QStringList& args, const QString& dossier = QString(),
              int delai_ms = 60000, const std::function<void()>& dans_l_enfant = nullptr,
              const QString& langue_systeme = QString());

// The command-line tool of this build: in TORIQUE_BIN_DIR, else in the
// folder above the test's.
QString torique();

// A run measured: its exit status (-1 when it did not end by itself), its
// peak of resident memory, its processor time (all its threads) and the
// time from start to exit.
struct Mesure {
    int statut = -1;
    long pic_ko = 0;
    double cpu_s = 0;
    double duree_s = 0;
};

// Runs a program, its standard output to the file `sortie` and its error
// output to nothing, and measures it (for the benchmarks: the child's own
// figures, from the system).
Mesure mesurer(const QByteArray& programme, const QList<QByteArray>& args,
               const QByteArray& sortie = "/dev/null");

// The text of a PDF file as pdftotext reads it, empty when it cannot.
QString texte_pdf(const QString& fichier);

// The text without any blank: pdftotext breaks letter-spaced words apart.
QString sans_blancs(QString s);

// The header of a batch file, line break included.
extern const char* const EN_TETE_LOT;

// Row `n` of a batch file of ordinary cases, line break included: both eyes,
// the whole range of powers and axes, varied with `n`.
QByteArray ligne_lot(int n);

} // namespace Processus

#endif
