#include "ListParam.h"

#include "CalculTorique.h"

ListParam::ListParam()
    : modele_iol_t("null"), oeil_t(std::make_shared<const QString>("null")), enab_od_t(false),
      enab_og_t(false), sph_ind_t(0), puiss_sph_t("00.0"), unit_ind_t(1), K1D_t(0), K2D_t(0), K1mm_t(0),
      K2mm_t(0), K1axe_t(0), K2axe_t(90), incD_t(0), incaxe_t(0), astpre_D_t(0), astpre_axe_t(0),
      astcross_D_t(0), astcross_axe_t(0), tcalc_D_t(0), tperfect_D_t(0), tcalc_axe_t(0), astpost_D_t(0),
      astpost_axe_t(0), choix_torique_t(0), etape_t(0), date_dat_t(QDate::currentDate()), codepays_ind_t(0) {}

int ListParam::axe_base_t() const {
    return posterieure_t == CorneePosterieure::AUCUNE ? astpre_axe_t : totale_t.axe;
}

void ListParam::lire_calcul(const Entrees& e, const CalculTorique& m, int etape, double choix) {
    enab_od_t = e.od;
    enab_og_t = e.og;
    sph_ind_t = e.sph_ind;
    puiss_sph_t = e.puiss_sph;
    unit_ind_t = e.unite;
    const bool mm = e.unite == 2;
    K1D_t = mm ? CalculTorique::kerato(e.K1) : e.K1;
    K2D_t = mm ? CalculTorique::kerato(e.K2) : e.K2;
    K1mm_t = mm ? e.K1 : CalculTorique::kerato(e.K1);
    K2mm_t = mm ? e.K2 : CalculTorique::kerato(e.K2);
    K1axe_t = e.K1axe;
    K2axe_t = e.K2axe;
    incD_t = e.incD;
    incaxe_t = e.incaxe;
    posterieure_t = e.posterieure;
    totale_t = CorneePosterieure::estimer(e.posterieure, K1D_t, K2D_t, e.K2axe);
    const bool estimee = e.posterieure != CorneePosterieure::AUCUNE;
    // With an estimate, the engine ran on it: the keratometry's own
    // astigmatism is the one the engine computes from the entries.
    astpre_D_t = estimee ? K2D_t - K1D_t : m.astpre_D;
    astpre_axe_t = estimee ? e.K2axe : m.astpre_axe;
    astcross_D_t = m.astcross_D;
    astcross_axe_t = m.astcross_axe;
    etape_t = etape;
    const bool resultat = etape > 9;
    tcalc_D_t = resultat ? m.tcalc_D : 0;
    tperfect_D_t = resultat ? m.tperfect_D : 0;
    tcalc_axe_t = resultat ? m.tcalc_axe : 0;
    astpost_D_t = resultat ? m.residuel_D(choix) : 0;
    astpost_axe_t = resultat ? m.residuel_axe(choix) : 0;
    choix_torique_t = resultat ? choix : 0;
}
