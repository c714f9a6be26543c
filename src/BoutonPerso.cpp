#include "BoutonPerso.h"

BoutonPerso::BoutonPerso(int w, int h) : BoutonStyle(w, h, 100) {}
