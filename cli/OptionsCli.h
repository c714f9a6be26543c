#ifndef OPTIONSCLI_H
#define OPTIONSCLI_H

#include "CasCli.h"
#include "Textes.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// The options of the command-line tool, each declared once, in one table
// (OptionsCli.cpp): its name, how the usage shows its value, the modes it
// belongs to, what it accepts in both languages, and the function that
// reads its value. The usage lines, the list of known options, the
// required options, the columns of a batch file and its header, and every
// refusal of a value are made from the table.
//
// Modes: a case (the default), a batch file (--batch), a file of past
// cases (--sia-file), a file of operated eyes and their outcome (--audit).
// An option that starts a mode may bear the name of an option of a case
// (--sia: the incision's induced astigmatism, or, as before --sia-file, a
// file of past cases): it starts its mode only when no other option of a
// case is given, and never takes a number for a file.
class OptionsCli {
public:
    enum Mode { CAS = 1, LOT = 2, SIA = 4, AUDIT = 8 };

    enum Drapeau {
        OBLIGATOIRE = 1,      // required for a case (and as a batch file's column)
        COLONNE = 2,          // an input of a case: a column of a batch file, named without "--"
        DEMARRE = 4,          // starts its mode
        ENTREE = 8,           // names a file that is read
        SORTIE = 16,          // names a file that is written ("-": the standard output)
        FEUILLE = 32,         // identification of the sheet: only with the sheet's file
        SANS_EFFET_LOT = 64,  // allowed with --batch, which it does not change
        IMMEDIAT = 128,       // acts alone, whatever else is given (--help, --version)
        REQUIS_FEUILLE = 256, // required with the sheet's file (the order form names its patient)
    };

    // A file named on the command line: as text for the messages, as the
    // bytes given to the system, and, for a file to write, the full name
    // made once against the folder the tool was started in (empty, with
    // the system's reason, when that folder is gone).
    // A file to write that is the standard output ("-", /dev/stdout, the
    // file the output is sent to) is the only thing written there; "-" is
    // written through the standard output's descriptor, after what it
    // already holds (a file opened by >> keeps its earlier lines).
    struct Fichier {
        QString nom;
        QByteArray octets;
        QString chemin;
        QString probleme;
        bool sortie_standard = false;
        int descripteur = -1; // "-": the standard output's
        bool donne() const { return !octets.isEmpty() || !nom.isEmpty(); }
        // Writes the file's bytes whole (EcritureFichier), with the system's
        // reason on failure.
        bool ecrire(const QByteArray& contenu, QString* raison) const;
    };

    // The identification of the sheet, as the dialog keeps it.
    struct Identite {
        QString chirurgien, etablissement, patient, adresse1, adresse2, codepost, ville;
        QDate date;
        int pays = -1;
    };

    struct Option;

    // What the command line asks for, once read.
    struct Demande {
        CasCli cas; // the case, or a row of a batch file
        int mode = CAS;
        bool json = false, aide = false, version = false;
        bool virgule_decimale = false; // "42,5" is 42.5 (options' values; rows of a file separated by ";")
        QByteArray depart;             // the folder the tool was started in (empty: gone)
        QString depart_perdu;          // then why
        Fichier lot, sia, audit, graphique, pdf;
        QByteArray format_graphique; // "pdf", "png" or "svg"
        Identite identite;
        QList<const Option*> donnees; // in the order given
        // The first option given that bears the flag (nullptr: none).
        const Option* premiere(int drapeau) const;
        // The option that started the mode, as given ("--sia" or
        // "--sia-file"), for the messages.
        QString nom_du_mode() const;
    };

    struct Valeur {
        QString texte;
        QByteArray octets;
    };

    // Reads a value into the request; false when it is refused, with the
    // problem in `probleme` when the usual refusal ("value x refused;
    // expected <attendu>") would not say it.
    using Lecteur = bool (*)(const Option& o, const Valeur& v, Demande& d, QString& probleme);

    struct Option {
        const char* nom;    // "--k1"
        const char* valeur; // as the usage shows it ("V"); nullptr: takes none
        int modes;          // where it may be given
        int drapeaux;
        Textes::Paire attendu; // %1: `borne`, or `complement()`
        Lecteur lire;
        int borne = 0;                     // length of a text
        QString (*complement)() = nullptr; // the header of a file, the list of countries
    };

    static const QList<Option>& table();
    // The rows named so ("--sia" has two).
    static QList<const Option*> nommees(const QString& nom);
    // What an option accepts, in the language.
    static QString attendu(const Option& o, const QString& langue);
    // The column of a batch file that an option of a case is ("k1").
    static QString colonne(const Option& o);
    // The options of a case, in the order of a batch file's columns, and
    // that header ("eye,seq,...").
    static const QList<const Option*>& colonnes();
    static QString en_tete_lot();
    // The option that starts a mode, as the usage shows it.
    static const Option& demarreur(int mode);
    // The file a mode writes: the sheet of a case, the plot of past cases.
    static const Option& sortie(int mode);
    // The known options, for the refusal of an unknown one.
    static QString liste(const QString& langue);
    // The usage of the tool (every mode), and of modes on one line:
    // "torique --batch FILE.csv [--lang fr|en]".
    static QString usage(const QString& langue);
    static QString usage(int modes, const QString& langue);
    // The options that start the modes, "--sia or --audit".
    static QString demarreurs(int modes, const QString& langue);

    // A finite number, blanks around it allowed, and with a decimal comma
    // when `virgule` ("42,5"); a whole number of bas..haut given as such or
    // without fraction (90, 90.0).
    static bool nombre(const QString& texte, bool virgule, double& v);
    static bool entier(const QString& texte, bool virgule, int bas, int haut, int& v);
};

#endif
