#ifndef CASCLI_H
#define CASCLI_H

#include "CalculTorique.h"
#include "CorneePosterieure.h"

#include <QByteArray>
#include <QString>

class EcrivainJson;
class ListParam;

// One case of the command-line tool, as entered: the inputs held as the
// entry boxes of the page hold them (keratometry and induced astigmatism to
// 0.01, the spherical power as the list's text, 180 for the steep axis and
// 360 for the incision as the meridian 0); the calculation of the Calculate
// button; and the two outputs of its result, the text with the page's
// labels (Textes) and number formats, and one JSON object.
class CasCli {
public:
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
    // The cornea the lens is chosen on: the keratometry as given, or the
    // total cornea estimated from it.
    CorneePosterieure::Methode posterieure = CorneePosterieure::AUCUNE;
    QString langue = QStringLiteral("fr");

    int axe_K1() const;
    int axe_incision() const;

    // What one calculation gave.
    struct Resultat {
        int code = 0;        // check code; 0 when the result is shown
        bool faible = false; // low astigmatism (the question of code 3)
        double choix = 0;    // cylinder whose residual is shown
        CalculTorique::Avertissement alerte = CalculTorique::AUCUN;
        // With a method of the posterior cornea, the estimated total
        // cornea that the engine ran on.
        CorneePosterieure::Estimation totale;
    };

    // Runs the engine on the case and fills the record as the page's
    // snapshot would: at step 10 with the results when the checks pass, at
    // step 7 (no results) when one refuses, its code in the result. With a
    // method of the posterior cornea the engine runs on the estimated
    // cornea; the record keeps the keratometry as given.
    Resultat calculer(CalculTorique& moteur, ListParam& record) const;

    // The JSON object of the result, on one line; it starts with "line"
    // when a line of a file is given (from 1).
    void json(EcrivainJson& j, const CalculTorique& moteur, const Resultat& r, qint64 ligne = 0) const;
    QByteArray json(const CalculTorique& moteur, const Resultat& r, qint64 ligne = 0) const;
    // The text of the result, in the case's language.
    QString texte(const CalculTorique& moteur, const Resultat& r) const;
    // Title and plain text of a refused check, for the terminal.
    static QString message_refus(int code, const QString& langue);

    // The lens of the tool: the range of the calculation page.
    static const char* const MODELE;
};

#endif
