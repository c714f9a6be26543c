#include "ListParam.h"

ListParam::ListParam()
    : modele_iol_t("null"), oeil_t(std::make_shared<const QString>("null")), enab_od_t(false),
      enab_og_t(false), sph_ind_t(0), puiss_sph_t("00.0"), unit_ind_t(1), K1D_t(0), K2D_t(0), K1mm_t(0),
      K2mm_t(0), K1axe_t(0), K2axe_t(90), incD_t(0), incaxe_t(0), astpre_D_t(0), astpre_axe_t(0),
      astcross_D_t(0), astcross_axe_t(0), tcalc_D_t(0), tperfect_D_t(0), tcalc_axe_t(0), astpost_D_t(0),
      astpost_axe_t(0), choix_torique_t(0), etape_t(0), date_dat_t(QDate::currentDate()), codepays_ind_t(0) {}
