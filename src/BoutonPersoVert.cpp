#include "BoutonPersoVert.h"

BoutonPersoVert::BoutonPersoVert(int w, int h) : BoutonStyle(w, h, 50) {}
