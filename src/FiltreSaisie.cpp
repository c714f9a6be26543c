#include "FiltreSaisie.h"

#include "Identification.h"

QValidator::State FiltreSaisie::validate(QString& texte, int& position) const {
    const QString propre = Identification::sans_controles(texte);
    if (propre != texte) {
        position = std::min<int>(Identification::sans_controles(texte.left(position)).size(), propre.size());
        texte = propre;
    }
    return Acceptable;
}
