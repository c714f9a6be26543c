#ifndef MESSAGESCLI_H
#define MESSAGESCLI_H

#include <QByteArray>
#include <QList>
#include <QString>

// The words of the command-line tool that every mode shares: its refusals
// of bad usage, one line each naming what was refused and what is
// expected, the way it quotes the user's values, and its usage lines.
// Everything here is text: nothing is read or written.
class MessagesCli {
public:
    // The language of the messages: the value of --lang wherever it is given
    // ("--lang en" or "--lang=en", any case, blanks around), "fr" when it is
    // absent or neither "fr" nor "en".
    static QString langue_demandee(const QList<QByteArray>& arguments);

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
    // A value of the user quoted in a message: « x » in French, 'x' in
    // English, its first 40 characters at most (Textes::cite), so that no
    // message grows with what it quotes. A file name is quoted whole: the
    // system bounds its length, and the user must recognise it.
    static QString citation(const QString& valeur, const QString& langue);
    static QString citation_fichier(const QString& fichier, const QString& langue);

    // One line of the usage. The command is written in English, with FILE,
    // YYYY-MM-DD and NAME for what the user gives (FICHIER, AAAA-MM-JJ and
    // PAYS in French); the first line starts with "usage : " ("usage: "),
    // the others stand under it.
    static QString ligne_usage(const QString& commande, const QString& langue, bool premiere = false);
    // The words of a command in the language: FILE, YYYY-MM-DD and NAME.
    static QString mots_usage(QString commande, const QString& langue);

    // An output that needs the toolkit's painters asked of a tool built
    // without them (a sheet, a plot): not written.
    static QString sans_dessin(const QString& option, const QString& langue);

    // "The standard output could not be written. Reason: ...".
    static QString sortie_non_ecrite(const QString& raison, const QString& langue);
};

#endif
