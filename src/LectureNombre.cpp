#include "LectureNombre.h"

LectureNombre::Etat LectureNombre::lire(QString& texte, int& curseur, int chiffres, int decimales) {
    QString t;
    t.reserve(texte.size());
    for (int i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c.isSpace()) {
            if (i < curseur)
                --curseur;
            continue;
        }
        t += c == QLatin1Char(',') ? QLatin1Char('.') : c;
    }
    texte = t;

    // [sign] digits [point digits], read by hand: this runs on every
    // keystroke and the format is small.
    int i = 0;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        ++i;
    int avant = 0, apres = 0;
    while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128) {
        ++avant;
        ++i;
    }
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128) {
            ++apres;
            ++i;
        }
    }
    if (i != t.size() || avant > chiffres || apres > decimales)
        return Refuse;
    return avant + apres > 0 ? Nombre : Incomplet;
}

double LectureNombre::valeur(const QString& texte) {
    // The C locale reads "12." and ".5" as typed.
    return texte.toDouble() + 0.0; // no negative zero
}
