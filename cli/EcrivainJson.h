#ifndef ECRIVAINJSON_H
#define ECRIVAINJSON_H

#include <QByteArray>
#include <QString>

#include <string>

class QTextStream;

// JSON text written piece by piece, in UTF-8, on one line:
//
//   EcrivainJson j;
//   j.objet().cle("line").entier(3).cle("eye").chaine("OD").fin();
//   j.texte() == {"line":3,"eye":"OD"}
//
// Commas between the members and the elements are put in by the writer.
// Numbers are the shortest text that reads back the same double, with ".0"
// on a whole number, and null when they are not finite.
//
// Hand-written rather than the toolkit's QJsonDocument: a batch writes one
// object per row, millions of them, which the toolkit would build as a tree
// of values and then serialise (several times slower); and the object of a
// series of 100,000 past cases would be held whole three times over (tree,
// document, text). This writer appends to one buffer, which it hands to the
// output by blocks when it is given one, so that memory does not grow with
// what is written.
class EcrivainJson {
public:
    EcrivainJson();
    // Written out to `sortie` whenever the buffer holds a block, and by
    // vider(); to the stream's device as bytes when it has one.
    explicit EcrivainJson(QTextStream& sortie);

    EcrivainJson& objet();   // {
    EcrivainJson& tableau(); // [
    EcrivainJson& fin();     // the } or ] of the innermost one open
    EcrivainJson& cle(const char* nom);
    EcrivainJson& nombre(double v);
    EcrivainJson& entier(qint64 v);
    EcrivainJson& chaine(const QString& t);
    EcrivainJson& booleen(bool v);
    EcrivainJson& nul();

    // What is written and not handed out yet.
    const std::string& texte() const { return tampon; }
    QByteArray octets() const { return QByteArray::fromStdString(tampon); }
    // Hands the buffer to the output; false when the output refused it.
    bool vider();

private:
    void avant_valeur();

    std::string tampon;
    QTextStream* sortie = nullptr;
    // Per level open: its closing bracket, and whether nothing is written
    // in it yet.
    char fermant[16] = {};
    bool premier[16] = {};
    int profondeur = 0;
    bool apres_cle = false;
};

#endif
