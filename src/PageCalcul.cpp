#include "PageCalcul.h"

#include "ListParam.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QSpinBox>

// Placeholder: the page is being written. It holds the entries that the
// main window's snapshot reads.
PageCalcul::PageCalcul(ListParam* param) : QFrame(nullptr) {
    transfertParam(param);
    combo_sph = new QComboBox(this);
    combo_sph->addItem(" ----");
    for (int i = 0; i <= 50; ++i)
        combo_sph->addItem(QString::number(10.0 + 0.5 * i, 'f', 1));
    combo_sph->setCurrentIndex(sph_ind);
    spin_K1 = new QDoubleSpinBox(this);
    spin_K2 = new QDoubleSpinBox(this);
    spin_K1->setValue(unit_ind == 1 ? K1D : K1mm);
    spin_K2->setValue(unit_ind == 1 ? K2D : K2mm);
}

PageCalcul::~PageCalcul() { delete test_FM; }

void PageCalcul::transfertParam(ListParam* p) {
    modele_iol = p->modele_iol_t;
    oeil_c = p->oeil_t;
    enab_od = p->enab_od_t;
    enab_og = p->enab_og_t;
    sph_ind = p->sph_ind_t;
    puiss_sph = p->puiss_sph_t;
    p_sph = puiss_sph.toDouble();
    unit_ind = p->unit_ind_t;
    K1D = p->K1D_t;
    K2D = p->K2D_t;
    K1mm = p->K1mm_t;
    K2mm = p->K2mm_t;
    K1axe = p->K1axe_t;
    K2axe = p->K2axe_t;
    incD = p->incD_t;
    incaxe = p->incaxe_t;
    astpre_D = p->astpre_D_t;
    astpre_axe = p->astpre_axe_t;
    astcross_D = p->astcross_D_t;
    astcross_axe = p->astcross_axe_t;
    tcalc_D = p->tcalc_D_t;
    tperfect_D = p->tperfect_D_t;
    tcalc_axe = p->tcalc_axe_t;
    astpost_D = p->astpost_D_t;
    astpost_axe = p->astpost_axe_t;
    choix_torique = p->choix_torique_t;
    etape = p->etape_t;
}

void PageCalcul::update_langue_c(QString langue) { langue_c = langue; }
void PageCalcul::update_text_unites(int) {}
void PageCalcul::update_layoutBasGauche() {}
void PageCalcul::upd_etape(int) {}
void PageCalcul::update_astpre() {}
void PageCalcul::calcul_astcross() {}
void PageCalcul::update_astcross() {}
void PageCalcul::calcul_Kcornee_planIOL() {}
void PageCalcul::calcul_crossCyl_planIOL() {}
void PageCalcul::calcul_astPost_planCORNEE() {}
void PageCalcul::update_tcalc() {}
void PageCalcul::update_astpost() {}
bool PageCalcul::eventFilter(QObject* o, QEvent* e) { return QFrame::eventFilter(o, e); }
void PageCalcul::click_od() {}
void PageCalcul::click_og() {}
void PageCalcul::update_sph(int) {}
void PageCalcul::update_unites(bool) {}
void PageCalcul::update_K1D(double) {}
void PageCalcul::update_K2D(double) {}
void PageCalcul::update_K1axe(int) {}
void PageCalcul::update_K2axe(int) {}
void PageCalcul::update_incD(double) {}
void PageCalcul::update_incaxe(int) {}
void PageCalcul::etape10() { emit verif(); }
void PageCalcul::click_plus() {}
