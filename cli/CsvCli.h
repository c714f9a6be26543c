#ifndef CSVCLI_H
#define CSVCLI_H

#include "LecteurCsv.h"
#include "OptionsCli.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

class EcrivainJson;
class QTextStream;

// A CSV file given to an option of the tool (--batch, --sia), as a
// spreadsheet saves it: opened by the bytes of its name, fields separated by
// commas or, as where the comma is the decimal point, by semicolons (then a
// decimal comma is read as the decimal point), its documented columns
// named on the first line in any order. A missing optional column is empty
// on every row; an unknown or repeated column, or a required one missing,
// refuses the file.
//
// The messages of the files and of their rows are here too.
class CsvCli {
public:
    // `colonnes`: the documented columns in their documented order, those
    // of `obligatoires` required.
    CsvCli(const QString& option, const QStringList& colonnes, const QStringList& obligatoires,
           const QString& langue);

    // The file opened, its header read, and no output that would replace
    // or feed it, neither the plot (`graphique`, given to the option
    // `option_graphique`; none when not given) nor the standard output.
    // False, with the line to print (a usage error), otherwise.
    bool preparer(const OptionsCli::Fichier& fichier, const OptionsCli::Fichier& graphique,
                  const QString& option_graphique, int descripteur_sortie, QString& erreur);
    // The refusal of a file in which no row counted.
    QString sans_ligne_valide(const QString& quoi) const;

    // A row that did not count, its error in UTF-8 (a file may have
    // 100,000 of them).
    struct Refus {
        qint64 ligne;
        QByteArray erreur;
    };

    // What a mode that reads a file of eyes gives once the file is read.
    struct Sorties {
        bool vide = true; // no row counted
        QString quoi;     // what a row is, for the refusal of a file without one ("one eye")
        QString option_graphique;
        // Draws the plot to its file (0 written); empty for a tool built
        // without drawing.
        std::function<int(QTextStream& erreurs)> graphique;
        std::function<void(EcrivainJson& j)> json;
        std::function<void(QTextStream& t)> texte;
    };
    // The end of such a mode: the rows refused as text (unless the JSON
    // object printed carries them), the plot when asked, then the JSON
    // object or the text; a plot on the standard output is alone there.
    // Returns the exit status: 0 every row counted, 1 otherwise or when the
    // plot was not written.
    int conclure(const OptionsCli::Demande& demande, const QList<Refus>& refus, const Sorties& s,
                 QTextStream& sortie, QTextStream& erreurs) const;

    bool suivante(LecteurCsv::Ligne& ligne) { return lecteur.suivante(ligne); }
    bool echec() const { return lecteur.echec(); }
    // The line to print when the file could not be read to its end.
    QString illisible() const;

    // The value of a documented column in a row, blanks around it dropped;
    // empty when the column is not in the file.
    QString valeur(const LecteurCsv::Ligne& ligne, int colonne) const;
    // Whether a decimal comma is the decimal point (a file separated by ";").
    bool virgule_decimale() const { return lecteur.separateur() == ';'; }
    // The error of a row that cannot be read whole (too long, a quote left
    // open) or has more values than the header has names; empty otherwise.
    QString probleme(const LecteurCsv::Ligne& ligne) const;

    // "un fichier CSV dont la première ligne est <en-tête>".
    QString attendu() const;
    // The file's name as the messages quote it, and the option that gave it.
    QString cite() const;
    const QString& nom_option() const { return option; }
    const QString& langue() const { return langue_m; }

private:
    // Opens the file; false, with the line to print, when it cannot be
    // read (a folder included).
    bool ouvrir(const OptionsCli::Fichier& fichier, QString& erreur);
    // Reads the first line as the header; false, with the line to print,
    // when it is not the header or names a column wrongly.
    bool lire_en_tete(QString& erreur);
    // Whether a file that is to be written is the one read: the same
    // device and inode, links followed. The standard output counts only
    // when it is a regular file (appended to, it would feed the reading).
    bool est_lu(const QString& chemin) const;
    bool est_lu(int descripteur) const;

    QString option, langue_m, nom;
    QStringList colonnes, obligatoires;
    QList<int> positions; // the field of each documented column, -1 when absent
    qsizetype nb_champs = 0;
    QFile f;
    LecteurCsv lecteur;
    dev_t peripherique = 0;
    ino_t inode = 0;
};

#endif
