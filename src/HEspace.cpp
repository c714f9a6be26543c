#include "HEspace.h"

HEspace::HEspace(int largeur) : QFrame(nullptr) {
    setFixedWidth(largeur);
}

void HEspace::setLargeur(int largeur) {
    setFixedWidth(largeur);
}
