#include "Verification.h"

#include "CalculTorique.h"
#include "ListParam.h"
#include "Textes.h"

namespace {

struct Limites {
    int code;
    double bas, haut;
    const char* fr;
    const char* en;
};

const Limites LIMITES[] = {
    {51, 30.0, 60.0, "de 30.00 à 60.00 D", "30.00 to 60.00 D"},
    {52, 30.0, 60.0, "de 30.00 à 60.00 D", "30.00 to 60.00 D"},
    {61, 5.0, 11.0, "de 5.00 à 11.00 mm", "5.00 to 11.00 mm"},
    {62, 5.0, 11.0, "de 5.00 à 11.00 mm", "5.00 to 11.00 mm"},
    {55, 0, 179, "un nombre entier de 0 à 180 ° (180 est 0)", "a whole number from 0 to 180 ° (180 is 0)"},
    {80, 0.0, 5.0, "de 0.00 à 5.00 D", "0.00 to 5.00 D"},
    {81, 0, 359, "un nombre entier de 0 à 360 ° (360 est 0)", "a whole number from 0 to 360 ° (360 is 0)"},
};

const Limites* limites_de(int code) {
    for (const Limites& l : LIMITES)
        if (l.code == code)
            return &l;
    return nullptr;
}

} // namespace

int Verification::code(const ListParam& p) {
    // Completeness: eye, spherical power, then the keratometry awaited.
    if (!p.enab_od_t && !p.enab_og_t)
        return 1;
    if (p.sph_ind_t == 0)
        return 10;
    if (p.etape_t == 3 && p.unit_ind_t == 1)
        return 31;
    if (p.etape_t == 3 && p.unit_ind_t == 2)
        return 32;
    if (p.etape_t == 5 && p.unit_ind_t == 1)
        return 53;
    if (p.etape_t == 5 && p.unit_ind_t == 2)
        return 54;
    // Ranges of the keratometry in the unit in use; the bounds pass. A
    // value that is not a number fails as well.
    if (p.unit_ind_t == 1 && !dans_limites(51, p.K1D_t))
        return 51;
    if (p.unit_ind_t == 1 && !dans_limites(52, p.K2D_t))
        return 52;
    if (p.unit_ind_t == 2 && !dans_limites(61, p.K1mm_t))
        return 61;
    if (p.unit_ind_t == 2 && !dans_limites(62, p.K2mm_t))
        return 62;
    // The other entries, holding a value typed beyond what they accept.
    if (!dans_limites(55, p.K2axe_t))
        return 55;
    if (!dans_limites(80, p.incD_t))
        return 80;
    if (!dans_limites(81, p.incaxe_t))
        return 81;
    // Plausibility of the computed astigmatism.
    if (p.astpre_D_t < 0 && p.etape_t > 6)
        return 2;
    if (CalculTorique::ecart_axes(p.astcross_axe_t, p.astpre_axe_t) > 45)
        return 4;
    if (CalculTorique::ecart_axes(p.astcross_axe_t, p.astpost_axe_t) > 45 && p.astpost_D_t > 0.1 &&
        p.etape_t > 9 && p.tcalc_D_t == 0.75)
        return 3;
    if (p.etape_t == 7)
        return 70;
    return 0;
}

namespace {

// The titles that name an entry are the entry's own name on the page, the
// sheet and the screen reader (Textes).
struct Texte {
    int code;
    bool avertissement;
    Textes::Paire titre;
    const char* texte_fr;
    const char* texte_en;
};

const Texte TEXTES[] = {
    {1,
     false,
     {"Oeil", "Eye"},
     "Vous devez choisir <b>l'oeil concerné</b> par le calcul.",
     "Please select the <b>eye concerned</b> by the calculation."},
    {10, false, Textes::PUISSANCE_SPHERIQUE,
     "Vous devez indiquer une <b>puissance sphérique</b> pour l'implant.<br>Elle est identique à celle "
     "calculée pour un implant non torique.",
     "Please enter the IOL <b>spherical power</b>.<br>It is the same as the one computed for a non-toric "
     "IOL."},
    {31, false, Textes::AXE_PLAT_K1,
     "Veuillez entrer une valeur de <b>puissance (D)</b> pour l'axe plat <b>K1</b>.",
     "Please enter a <b>power (D)</b> for flat axis <b>K1</b>."},
    {32, false, Textes::AXE_PLAT_K1,
     "Veuillez entrer une valeur de <b>rayon de courbure (mm)</b> pour l'axe plat <b>K1</b>.",
     "Please enter a <b>radius of curvature (mm)</b> for flat axis <b>K1</b>."},
    {53, false, Textes::AXE_ELEVE_K2,
     "Veuillez entrer une valeur de <b>puissance (D)</b> pour l'axe élevé <b>K2</b>.",
     "Please enter a <b>power (D)</b> for steep axis <b>K2</b>."},
    {54, false, Textes::AXE_ELEVE_K2,
     "Veuillez entrer une valeur de <b>rayon de courbure (mm)</b> pour l'axe élevé <b>K2</b>.",
     "Please enter a <b>radius of curvature (mm)</b> for steep axis <b>K2</b>."},
    {70, false, Textes::CALCULER,
     "Avant d'imprimer, vous devez effectuer le <b>calcul de l'implant torique</b> :<br>cliquez sur le "
     "bouton "
     "&laquo; Calculer ... &raquo; en bas à gauche.",
     "Before printing, you must launch the <b>toric IOL calculation</b> :<br>please click on the button "
     "&laquo; Calculation ... &raquo; down left."},
    {2,
     true,
     {"Axes K1 et K2", "Axis K1 and K2"},
     "K1 est l'axe plat et K2 est l'axe élevé.<br>Il faut : <b>K2 > K1</b>",
     "K1 is flat axis and K2 is steep axis.<br>Condition is : <b>K2 > K1</b>"},
    {4,
     true,
     {"Inversion astigmatisme", "Astigmatism inversion"},
     "Attention, l'incision induit une <b>inversion de l'astigmatisme</b>.<br>Vérifiez la valeur de "
     "l'astigmatisme induit chirurgicalement.",
     "Be careful, the incision induces an <b>astigmatism inversion</b>.<br>Please check the surgically "
     "induced astigmatism value."},
    {51, true, Textes::AXE_PLAT_K1,
     "La puissance indiquée pour K1 est en dehors des limites.<br>Il faut : <b>30.0 D &lt; K1 &lt; 60.0 "
     "D</b>",
     "The entered power for K1 is out of range.<br>Condition is : <b>30.0 D &lt; K1 &lt; 60.0 D</b>"},
    {52, true, Textes::AXE_ELEVE_K2,
     "La puissance indiquée pour K2 est en dehors des limites.<br>Il faut : <b>30.0 D &lt; K2 &lt; 60.0 "
     "D</b>",
     "The entered power for K2 is out of range.<br>Condition is : <b>30.0 D &lt; K2 &lt; 60.0 D</b>"},
    {61, true, Textes::AXE_PLAT_K1,
     "Le rayon indiqué pour K1 est en dehors des limites.<br>Il faut : <b>5.00 mm &lt; K1 &lt; 11.00 mm</b>",
     "The entered radius for K1 is out of range.<br>Condition is : <b>5.00 mm &lt; K1 &lt; 11.00 mm</b>"},
    {62, true, Textes::AXE_ELEVE_K2,
     "Le rayon indiqué pour K2 est en dehors des limites.<br>Il faut : <b>5.00 mm &lt; K2 &lt; 11.00 mm</b>",
     "The entered radius for K2 is out of range.<br>Condition is : <b>5.00 mm &lt; K2 &lt; 11.00 mm</b>"},
    {55, true, Textes::AXE_K2,
     "L'axe indiqué pour K2 est en dehors des limites.<br>Il faut : <b>un nombre entier de 0 à 180 °</b>",
     "The entered axis for K2 is out of range.<br>Condition is : <b>a whole number from 0 to 180 °</b>"},
    {80, true, Textes::ASTIGMATISME_INDUIT,
     "L'astigmatisme induit indiqué est en dehors des limites.<br>Il faut : <b>0.00 D ≤ astigmatisme induit "
     "≤ "
     "5.00 D</b>",
     "The entered induced astigmatism is out of range.<br>Condition is : <b>0.00 D ≤ induced astigmatism ≤ "
     "5.00 D</b>"},
    {81, true, Textes::POSITION_INCISION,
     "La position indiquée pour l'incision est en dehors des limites.<br>Il faut : <b>un nombre entier de 0 "
     "à "
     "360 °</b>",
     "The entered incision location is out of range.<br>Condition is : <b>a whole number from 0 to 360 "
     "°</b>"},
};

Verification::Message construire(bool avertissement, const QString& langue, const Textes::Paire& titre,
                                 const char* texte_fr, const char* texte_en) {
    Verification::Message m;
    if (!Textes::langue_connue(langue))
        return m;
    m.titre = titre.dans(langue);
    m.texte = Textes::selon(langue, texte_fr, texte_en);
    m.existe = true;
    m.avertissement = avertissement;
    return m;
}

} // namespace

bool Verification::dans_limites(int code, double valeur) {
    const Limites* l = limites_de(code);
    return !l || (valeur >= l->bas && valeur <= l->haut);
}

double Verification::plancher(int code) {
    const Limites* l = limites_de(code);
    return l ? l->bas : 0;
}

double Verification::plafond(int code) {
    const Limites* l = limites_de(code);
    return l ? l->haut : 0;
}

int Verification::code_kerato(int k, int unite) {
    return (unite == 2 ? 60 : 50) + (k == 2 ? 2 : 1);
}

QString Verification::limites(int code, const QString& langue) {
    const Limites* l = limites_de(code);
    return l ? Textes::selon(langue, l->fr, l->en) : QString();
}

Verification::Message Verification::message(int code, const QString& langue) {
    for (const Texte& t : TEXTES)
        if (t.code == code)
            return construire(t.avertissement, langue, t.titre, t.texte_fr, t.texte_en);
    return {};
}

Verification::Message Verification::question_astigmatisme_faible(const QString& langue) {
    return construire(
        false, langue, {"Astigmatisme faible", "Low astigmatism"},
        "L'astigmatisme pré-opératoire à corriger est faible,<br>un implant monofocal non-torique "
        "pourrait convenir.<br>Voulez-vous tout de même choisir un <b>implant torique pour ce "
        "patient ?</b>",
        "The pre-operative astigmatism to be corrected is low,<br>a monofocal non-toric IOL could be "
        "appropriate.<br>Do you still want to choose a <b>toric IOL for this patient ?</b>");
}
