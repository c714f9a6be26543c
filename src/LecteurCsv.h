#ifndef LECTEURCSV_H
#define LECTEURCSV_H

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// Reads a CSV file one row at a time from any readable device (a file, a
// pipe, standard input), in constant memory whatever the input's size: a
// block of the input and the row being read are all it holds.
//
// The format is that of RFC 4180, read leniently:
// - fields are separated by commas, or by semicolons as spreadsheets write
//   them where the comma is the decimal point (given, or found on the first
//   line: DETECTE); rows end with LF or CRLF; a UTF-8 byte order mark at the
//   very start is skipped; bytes are decoded as UTF-8;
// - a field that starts with a double quote (blanks before it ignored) is
//   quoted: up to the closing quote, separators, line breaks and doubled
//   quotes ("" for one ") belong to the field; anything after the closing
//   quote up to the next separator is appended as it stands;
// - an unquoted field is taken as it stands, blanks included (the caller
//   trims what it wants trimmed);
// - trailing fields that are empty or blank are dropped, on every row alike
//   (header or data): "a,b,," gives two fields, like "a,b"; a blank line
//   gives a row without fields, which the caller may skip.
//
// Each row carries the number of the input line where it starts (1 for the
// first line), counting every line break of the input, those inside quoted
// fields included, so that a message can point at the line in an editor.
//
// A row longer than the bound (LONGUEUR_MAX bytes, its line end excluded,
// LF or CRLF alike) is not held whole: the reader hands it out with the
// state TropLongue and no fields as soon as the bound is passed, and the
// next call skips the rest of that input line first; reading goes on with
// the next line. An unclosed quote therefore costs at most one bounded row. A quoted field still open at the
// end of the input gives the state GuillemetNonFerme with the fields read so far.
class LecteurCsv {
public:
    static constexpr qsizetype LONGUEUR_MAX = 64 * 1024;

    enum Etat {
        Complete,          // a row read whole
        TropLongue,        // longer than the bound: no fields
        GuillemetNonFerme, // the input ended inside a quoted field
    };

    // A row as read: its fields kept as bytes, one after another, and
    // decoded only when asked, so that a reader feeding several threads
    // leaves the decoding to them.
    struct Ligne {
        qint64 numero = 0; // input line where the row starts, from 1
        Etat etat = Complete;
        QByteArray octets;     // the fields' bytes, unquoted, end to end
        QList<qsizetype> fins; // where each field ends in `octets`

        qsizetype taille() const { return fins.size(); }
        bool vide() const { return fins.isEmpty(); }
        QByteArrayView octets_champ(qsizetype i) const;
        QString champ(qsizetype i) const; // decoded from UTF-8
        QStringList champs() const;
    };

    // The separator found on the first line (see above).
    static constexpr char DETECTE = 0;

    // The device must be open for reading; the reader does not own it.
    explicit LecteurCsv(QIODevice* source, char separateur = ',');

    // The separator of the fields (once the first row is read, when it was
    // to be found).
    char separateur() const { return sep; }

    // Reads the next row into `ligne`; false once the input is over (or
    // could not be read further: see echec()).
    bool suivante(Ligne& ligne);

    // Whether reading stopped on an error of the device rather than at the
    // end of the input, and the device's reason.
    bool echec() const { return echec_lecture; }
    QString erreur() const { return raison; }

private:
    bool remplir();
    void detecter();

    QIODevice* source;
    QByteArray tampon;
    qsizetype position = 0, fin = 0;
    bool debut = true;   // nothing read yet: a byte order mark may come
    bool epuise = false; // the device has nothing more
    qint64 ligne_courante = 1;
    bool echec_lecture = false;
    QString raison;

    bool a_sauter = false; // the rest of a row found too long is still to skip
    char sep;
};

#endif
