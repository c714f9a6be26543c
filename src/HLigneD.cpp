#include "HLigneD.h"

#include "HLigne.h"

HLigneD::HLigneD() : QFrame(nullptr) {
    HLigne::styler(this, 395);
}
