#ifndef TORIQUECLI_H
#define TORIQUECLI_H

#include "CalculTorique.h"
#include "LecteurCsv.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ListParam;
class QFile;
class QTextStream;

// The command-line tool `torique`: the calculation of the page without the
// window, for one eye given by options or for a CSV file of cases.
//
//   torique --eye OD|OS --seq P --k1 V --k2 V --axis A [--unit D|mm] [--sia V]
//           [--incision A] [--cyl C] [--lang fr|en] [--json]
//   torique --batch FILE.csv [--lang fr|en]
//   torique --version
//
// The inputs are held as the entry boxes of the page hold them (keratometry
// and induced astigmatism to 0.01, the spherical power as the list's text,
// 180 for the steep axis and 360 for the incision as the meridian 0), go
// through the checks of the Calculate button, and the result is printed
// with the page's labels (Textes) and number formats, or as one JSON object.
//
// A CSV file is read and answered one row at a time (LecteurCsv), in
// constant memory whatever its size: one JSON object per row that is not
// blank, each starting with "line", the row's line in the file; a row that
// cannot be read (a bad value, too many values, longer than 64 KB) gives
// {"line":N,"error":"..."} and the run goes on. The run stops at the first
// row whose answer the output refused.
//
// Exit status: 0 computed, 1 refused by a check (or, with --batch, any row
// not computed, or an output that refused what was written), 2 bad usage.
//
// Extension point: a tool built on this one (for instance one that also
// writes the calculation sheet) adds its options with ajouter_option() and
// its work with ajouter_traitement(); the treatment receives the case and the
// calculation record as the page's snapshot would hold it at the result step
// (calculer() gives the same record to any caller).
class ToriqueCli {
public:
    // One case as entered.
    struct Cas {
        QString oeil;          // "OD" or "OS"
        QString seq_texte;     // the list's text, e.g. "21.0"
        double seq = 0;        // its value
        int sph_ind = 0;       // its index in the page's list (1 = 10.0)
        int unite = 1;         // 1 dioptres, 2 millimetres
        double k1 = 0, k2 = 0; // in the unit, to 0.01
        int axe = 90;          // steep axis K2, 0 to 179; K1 follows at 90
        double sia = 0;        // induced astigmatism, to 0.01
        int incision = -1;     // 0 to 359; -1: 180 for OD, 0 for OS
        double cyl = 0;        // 0: the recommended cylinder
        QString langue = QStringLiteral("fr");
        int axe_K1() const;
        int axe_incision() const;
    };

    // What one calculation gave.
    struct Resultat {
        int code = 0;        // check code; 0 when the result is shown
        bool faible = false; // low astigmatism (the question of code 3)
        double choix = 0;    // cylinder whose residual is shown
        CalculTorique::Avertissement alerte = CalculTorique::AUCUN;
    };

    // Runs the engine on a case and fills the record as the page's snapshot
    // would: at step 10 with the results when the checks pass, at step 7
    // (no results) when one refuses, its code in the result.
    static Resultat calculer(const Cas& cas, CalculTorique& moteur, ListParam& record);

    // The two outputs of a case. The JSON object is one line; it starts with
    // "line" when a line of a file is given (from 1).
    static QString json(const Cas& cas, const CalculTorique& moteur, const Resultat& r, qint64 ligne = 0);
    static QByteArray json_utf8(const Cas& cas, const CalculTorique& moteur, const Resultat& r,
                                qint64 ligne = 0);
    static QString texte(const Cas& cas, const CalculTorique& moteur, const Resultat& r);
    // Title and plain text of a refused check, for the terminal.
    static QString message_refus(int code, const QString& langue);

    // Reads one option's value into the case. `nom` is the option as the
    // user wrote it ("--k1", or the column "k1" of a CSV file); the error is
    // one line naming it and the accepted values.
    static bool lire(const QString& option, const QString& nom, const QString& valeur, Cas& cas,
                     QString& erreur);
    // A finite number, blanks around it allowed; a whole number of bas..haut
    // given as such or without fraction (90, 90.0).
    static bool nombre(const QString& texte, double& v);
    static bool entier(const QString& texte, int bas, int haut, int& v);

    // --- messages, shared with the tools built on this one ----------------
    // The language of the messages: the value of --lang wherever it is given
    // ("--lang en" or "--lang=en", any case, blanks around), "fr" when it is
    // absent or neither "fr" nor "en".
    static QString langue_demandee(const QStringList& arguments);
    // One line telling what was refused and what is expected:
    //   "--k1 : <problème> ; attendu : <attendu>"
    //   "--k1: <problem>; expected <expected>"
    // Without a name (a row of a file), the problem starts the line.
    static QString erreur(const QString& nom, const QString& probleme, const QString& attendu,
                          const QString& langue);
    // A value refused: "--k1 : valeur « x » refusée ; attendu : ...".
    static QString refus_valeur(const QString& nom, const QString& valeur, const QString& attendu,
                                const QString& langue);
    // An option or a column without its value.
    static QString valeur_absente(const QString& nom, const QString& attendu, const QString& langue);
    // A row of a file with more values than its header has columns.
    static QString trop_de_valeurs(qsizetype valeurs, int colonnes, const char* en_tete,
                                   const QString& langue);
    // The problem of a CSV row longer than the reader holds, and of a file
    // whose first line is not the header.
    static QString ligne_trop_longue(const QString& langue);
    static QString sans_en_tete(const QString& fichier, const QString& langue);

    // Whether a value names a file the tool may write: not empty, and not
    // "-", which is no file (the standard output carries the result).
    static bool nom_de_fichier(const QString& valeur);

    // --- CSV files, shared by the modes that read one ---------------------
    // Opens the file given to `option` for reading; false, with the line to
    // print in `erreur`, when it cannot be read (a folder included).
    static bool ouvrir_csv(QFile& f, const QString& option, const char* en_tete, const QString& langue,
                           QString& erreur);
    // "--batch : fichier « x » illisible (raison) ; attendu : un fichier CSV
    // dont la première ligne est <en-tête>".
    static QString fichier_illisible(const QString& option, const QString& fichier, const QString& raison,
                                     const char* en_tete, const QString& langue);
    // Whether a row is the header: its names, in any case and with blanks
    // around them, are those of `en_tete` (comma-separated).
    static bool est_en_tete(const LecteurCsv::Ligne& ligne, const char* en_tete);
    // The error of a row the reader could not read whole (too long, a quote
    // left open); empty for a complete row.
    static QString ligne_incomplete(const LecteurCsv::Ligne& ligne, const QString& langue);
    // What a CSV file given to an option must be: "un fichier CSV dont la
    // première ligne est <en-tête>".
    static QString fichier_csv(const char* en_tete, const QString& langue);
    // What an option of a case (or the column of that name) accepts:
    // "eye", "seq", "unit", "k1", "k2", "axis", "sia", "incision", "cyl",
    // "lang", "batch"; empty for another name.
    static QString attendu(const QString& option, const QString& langue);
    // A value of the user quoted in a message: « x » in French, 'x' in
    // English (Textes::cite).
    static QString citation(const QString& valeur, const QString& langue);
    // One line of the usage. The command is written in English, with FILE,
    // YYYY-MM-DD and NAME for what the user gives (FICHIER, AAAA-MM-JJ and
    // PAYS in French); the first line starts with "usage : " ("usage: "),
    // the others stand under it.
    static QString ligne_usage(const QString& commande, const QString& langue, bool premiere = false);

    // Runs the tool on its arguments (without the program name); returns the
    // exit status.
    int executer(const QStringList& arguments, QTextStream& sortie, QTextStream& erreurs);

    // --- extension -------------------------------------------------------
    struct Option {
        QString nom;        // "--pdf"
        bool avec_valeur;   // takes the next argument (or --nom=valeur)
        QString attendu_fr; // accepted values, for the usage line
        QString attendu_en;
        // Takes the value; returns an empty text, or the problem.
        std::function<QString(const QString& valeur)> lire;
        // The option without which this one has no effect ("--pdf"): given
        // alone, it is bad usage.
        QString avec = QString();
    };
    void ajouter_option(const Option& option);
    // Run for a single case once computed and accepted, before anything is
    // printed; a status other than 0 stops the tool with that status. The
    // treatment may complete the record (the sheet adds the identification).
    using Traitement = std::function<int(const Cas& cas, ListParam& record, QTextStream& erreurs)>;
    void ajouter_traitement(const Traitement& traitement);
    // A mode of its own, started by an added option (for instance a file of
    // past cases): when that option is given without any option of a case,
    // the options are read as usual and the mode runs instead of a case; only
    // --lang, --json and its companion options (added too) may come with it,
    // and a companion without it is bad usage. The option may bear the name
    // of a case option, which it is whenever a case option is given. Its
    // function returns the exit status.
    struct Mode {
        QString nom;           // its option, "--sia"
        QStringList compagnes; // "--plot"
        QString usage_fr;      // its usage, for the refusals
        QString usage_en;
        std::function<int(bool json, const QString& langue, QTextStream& sortie, QTextStream& erreurs)>
            executer;
    };
    void ajouter_mode(const Mode& mode);

private:
    struct Lecture; // the arguments as read
    const Mode* mode_demande(const QStringList& arguments) const;
    QString lire_arguments(const QStringList& arguments, Lecture& l) const;
    QString refus_ensemble(const Lecture& l) const;
    int calculer_cas(const Lecture& l, QTextStream& sortie, QTextStream& erreurs) const;
    int lot(const QString& fichier, const QString& langue, QTextStream& sortie, QTextStream& erreurs);
    QList<Option> options_supp;
    QList<Traitement> traitements;
    QList<Mode> modes;
};

#endif
