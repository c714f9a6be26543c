#ifndef SAISIES_H
#define SAISIES_H

#include <QString>

class ListParam;

namespace Saisies {

// The identification of a record as a surgeon types it in the dialog: the
// surgeon, the establishment and a delivery address in Paris, with the
// patient identifier and the country (its index in the list, its name)
// that the test gives. The date is left to the test.
void identification(ListParam& p, const QString& patient, int index_pays, const QString& pays);

} // namespace Saisies

#endif
