#include "Verification.h"

#include "ListParam.h"

// Placeholder: the checks are being written.
int Verification::code(const ListParam&) { return 0; }
Verification::Message Verification::message(int, const QString&) { return {}; }
