#ifndef TRADUCTIONBOITES_H
#define TRADUCTIONBOITES_H

#include <QString>

// The toolkit's own texts (the buttons of its question and input boxes, its
// file dialog, its print preview) come from one of its translation files at
// a time: the system's language at start, then the language of the page
// after each press of a flag, so that every box opened afterwards speaks
// the language of the page.
class TraductionBoites {
public:
    // Installs the toolkit's translation file of that name ("qt_fr",
    // "qt_en", "qt_fr_FR"...) from its translations folder, in place of the
    // one installed before; that one goes even when the file is missing
    // (the toolkit's texts are then its own, in English). True when the file
    // was read.
    static bool installer(const QString& nom);
    // The name of the file installed, empty when none is.
    static QString installee();
};

#endif
