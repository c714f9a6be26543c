#include "VEspace.h"

VEspace::VEspace(int hauteur) : QFrame(nullptr) {
    setFixedHeight(hauteur);
}
