#ifndef FILTRESAISIE_H
#define FILTRESAISIE_H

#include <QValidator>

// Keeps an identification field of the order form clean as it is typed or
// pasted, or set from the record: line breaks, tabs, other control
// characters and bidirectional controls become one space
// (Identification::sans_controles), the cursor staying after what was
// typed. Every text is acceptable; the blanks at both ends are removed only
// when the text is taken into the record.
class FiltreSaisie : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override;
};

#endif
