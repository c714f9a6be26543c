#ifndef AIDETEXTES_H
#define AIDETEXTES_H

// Texts of the eight help pages, in French and in English (rich text).

#include <QString>

namespace Dessin {

struct TexteAide {
    QString titre;
    QString corps;
};

// Page n (1 to 8) in the language "fr" or "en".
TexteAide texte_aide(int n, bool fr);

} // namespace Dessin

#endif
