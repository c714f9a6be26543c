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

using V = Verification;

const Limites LIMITES[] = {
    {V::K1_HORS_D, 30.0, 60.0, "de 30.00 à 60.00 D", "30.00 to 60.00 D"},
    {V::K2_HORS_D, 30.0, 60.0, "de 30.00 à 60.00 D", "30.00 to 60.00 D"},
    {V::K1_HORS_MM, 5.0, 11.0, "de 5.00 à 11.00 mm", "5.00 to 11.00 mm"},
    {V::K2_HORS_MM, 5.0, 11.0, "de 5.00 à 11.00 mm", "5.00 to 11.00 mm"},
    {V::AXE_HORS, 0, 179, "un nombre entier de 0 à 180 ° (180 est 0)",
     "a whole number from 0 to 180 ° (180 is 0)"},
    {V::INDUIT_HORS, 0.0, 5.0, "de 0.00 à 5.00 D", "0.00 to 5.00 D"},
    {V::INCISION_HORS, 0, 359, "un nombre entier de 0 à 360 ° (360 est 0)",
     "a whole number from 0 to 360 ° (360 is 0)"},
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
    const bool mm = p.unit_ind_t == 2;
    const bool unite_connue = p.unit_ind_t == 1 || mm;
    if (!p.enab_od_t && !p.enab_og_t)
        return SANS_OEIL;
    if (p.sph_ind_t == 0)
        return SANS_PUISSANCE;
    if (p.etape_t == 3 && unite_connue)
        return mm ? K1_ATTENDU_MM : K1_ATTENDU_D;
    if (p.etape_t == 5 && unite_connue)
        return mm ? K2_ATTENDU_MM : K2_ATTENDU_D;
    // Ranges of the keratometry in the unit in use; the bounds pass. A
    // value that is not a number fails as well.
    if (unite_connue) {
        if (!dans_limites(code_kerato(1, p.unit_ind_t), mm ? p.K1mm_t : p.K1D_t))
            return code_kerato(1, p.unit_ind_t);
        if (!dans_limites(code_kerato(2, p.unit_ind_t), mm ? p.K2mm_t : p.K2D_t))
            return code_kerato(2, p.unit_ind_t);
    }
    // The other entries, holding a value typed beyond what they accept.
    if (!dans_limites(AXE_HORS, p.K2axe_t))
        return AXE_HORS;
    if (!dans_limites(INDUIT_HORS, p.incD_t))
        return INDUIT_HORS;
    if (!dans_limites(INCISION_HORS, p.incaxe_t))
        return INCISION_HORS;
    // Plausibility of the computed astigmatism.
    if (p.astpre_D_t < 0 && p.etape_t > 6)
        return K2_SOUS_K1;
    // The crossed axis against the steep axis of the cornea it was
    // computed from (the estimated total cornea's, when the lens is chosen
    // on it).
    if (CalculTorique::ecart_axes(p.astcross_axe_t, p.axe_base_t()) > 45)
        return AXE_TOURNE;
    if (CalculTorique::ecart_axes(p.astcross_axe_t, p.astpost_axe_t) > 45 && p.astpost_D_t > 0.1 &&
        p.etape_t > 9 && p.tcalc_D_t == 0.75)
        return ASTIGMATISME_FAIBLE;
    if (p.etape_t == 7)
        return NON_CALCULE;
    return ACCEPTE;
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
    {V::SANS_OEIL,
     false,
     {"Oeil", "Eye"},
     "Vous devez choisir <b>l'oeil concerné</b> par le calcul.",
     "Please select the <b>eye concerned</b> by the calculation."},
    {V::SANS_PUISSANCE, false, Textes::PUISSANCE_SPHERIQUE,
     "Vous devez indiquer une <b>puissance sphérique</b> pour l'implant.<br>Elle est identique à celle "
     "calculée pour un implant non torique.",
     "Please enter the IOL <b>spherical power</b>.<br>It is the same as the one computed for a non-toric "
     "IOL."},
    {V::K1_ATTENDU_D, false, Textes::AXE_PLAT_K1,
     "Veuillez entrer une valeur de <b>puissance (D)</b> pour l'axe plat <b>K1</b>.",
     "Please enter a <b>power (D)</b> for flat axis <b>K1</b>."},
    {V::K1_ATTENDU_MM, false, Textes::AXE_PLAT_K1,
     "Veuillez entrer une valeur de <b>rayon de courbure (mm)</b> pour l'axe plat <b>K1</b>.",
     "Please enter a <b>radius of curvature (mm)</b> for flat axis <b>K1</b>."},
    {V::K2_ATTENDU_D, false, Textes::AXE_ELEVE_K2,
     "Veuillez entrer une valeur de <b>puissance (D)</b> pour l'axe élevé <b>K2</b>.",
     "Please enter a <b>power (D)</b> for steep axis <b>K2</b>."},
    {V::K2_ATTENDU_MM, false, Textes::AXE_ELEVE_K2,
     "Veuillez entrer une valeur de <b>rayon de courbure (mm)</b> pour l'axe élevé <b>K2</b>.",
     "Please enter a <b>radius of curvature (mm)</b> for steep axis <b>K2</b>."},
    {V::NON_CALCULE, false, Textes::CALCULER,
     "Avant d'imprimer, vous devez effectuer le <b>calcul de l'implant torique</b> :<br>cliquez sur le "
     "bouton "
     "&laquo; Calculer ... &raquo; en bas à gauche.",
     "Before printing, you must launch the <b>toric IOL calculation</b> :<br>please click on the button "
     "&laquo; Calculation ... &raquo; down left."},
    {V::K2_SOUS_K1,
     true,
     {"Axes K1 et K2", "Axis K1 and K2"},
     "K1 est l'axe plat et K2 est l'axe élevé.<br>Il faut : <b>K2 > K1</b>",
     "K1 is flat axis and K2 is steep axis.<br>Condition is : <b>K2 > K1</b>"},
    {V::AXE_TOURNE,
     true,
     {"Inversion astigmatisme", "Astigmatism inversion"},
     "Attention, l'incision induit une <b>inversion de l'astigmatisme</b>.<br>Vérifiez la valeur de "
     "l'astigmatisme induit chirurgicalement.",
     "Be careful, the incision induces an <b>astigmatism inversion</b>.<br>Please check the surgically "
     "induced astigmatism value."},
    {V::K1_HORS_D, true, Textes::AXE_PLAT_K1,
     "La puissance indiquée pour K1 est en dehors des limites.<br>Il faut : <b>30.0 D &lt; K1 &lt; 60.0 "
     "D</b>",
     "The entered power for K1 is out of range.<br>Condition is : <b>30.0 D &lt; K1 &lt; 60.0 D</b>"},
    {V::K2_HORS_D, true, Textes::AXE_ELEVE_K2,
     "La puissance indiquée pour K2 est en dehors des limites.<br>Il faut : <b>30.0 D &lt; K2 &lt; 60.0 "
     "D</b>",
     "The entered power for K2 is out of range.<br>Condition is : <b>30.0 D &lt; K2 &lt; 60.0 D</b>"},
    {V::K1_HORS_MM, true, Textes::AXE_PLAT_K1,
     "Le rayon indiqué pour K1 est en dehors des limites.<br>Il faut : <b>5.00 mm &lt; K1 &lt; 11.00 mm</b>",
     "The entered radius for K1 is out of range.<br>Condition is : <b>5.00 mm &lt; K1 &lt; 11.00 mm</b>"},
    {V::K2_HORS_MM, true, Textes::AXE_ELEVE_K2,
     "Le rayon indiqué pour K2 est en dehors des limites.<br>Il faut : <b>5.00 mm &lt; K2 &lt; 11.00 mm</b>",
     "The entered radius for K2 is out of range.<br>Condition is : <b>5.00 mm &lt; K2 &lt; 11.00 mm</b>"},
    {V::AXE_HORS, true, Textes::AXE_K2,
     "L'axe indiqué pour K2 est en dehors des limites.<br>Il faut : <b>un nombre entier de 0 à 180 °</b>",
     "The entered axis for K2 is out of range.<br>Condition is : <b>a whole number from 0 to 180 °</b>"},
    {V::INDUIT_HORS, true, Textes::ASTIGMATISME_INDUIT,
     "L'astigmatisme induit indiqué est en dehors des limites.<br>Il faut : <b>0.00 D ≤ astigmatisme induit "
     "≤ "
     "5.00 D</b>",
     "The entered induced astigmatism is out of range.<br>Condition is : <b>0.00 D ≤ induced astigmatism ≤ "
     "5.00 D</b>"},
    {V::INCISION_HORS, true, Textes::POSITION_INCISION,
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

Verification::Code Verification::code_kerato(int k, int unite) {
    if (unite == 2)
        return k == 2 ? K2_HORS_MM : K1_HORS_MM;
    return k == 2 ? K2_HORS_D : K1_HORS_D;
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
