#ifndef LISTPARAM_H
#define LISTPARAM_H

#include "CorneePosterieure.h"

#include <QDate>
#include <QString>

#include <memory>

class CalculTorique;

// One calculation carried from owner to owner: the inputs typed on the
// calculation page, the results it computed, the step reached and the
// identification data of the order form.
class ListParam {
public:
    ListParam();
    ListParam(const ListParam&) = delete;
    ListParam& operator=(const ListParam&) = delete;

    // What the entries of a calculation hold, as typed: the checks read them
    // as they are (an axis beyond its circle, a power beyond its limits),
    // the engine only the values that it can take.
    struct Entrees {
        bool od = false, og = false; // eye chosen
        int sph_ind = 0;             // index in the power list, 0 for " ----"
        QString puiss_sph = QStringLiteral("00.0");
        int unite = 1;         // 1 dioptres, 2 millimetres
        double K1 = 0, K2 = 0; // in that unit
        int K1axe = 0, K2axe = 90;
        double incD = 0;
        int incaxe = 0;
        // The cornea the lens is chosen on: the keratometry as typed, or
        // the total cornea estimated from it.
        CorneePosterieure::Methode posterieure = CorneePosterieure::AUCUNE;
    };
    // The fields that the checks and the engine read: the entries, the
    // keratometry in both units (K(D) = 337.5 / r(mm), an empty entry, 0,
    // staying 0 in the other unit as in the engine), the pre-operative and
    // crossed astigmatism that the engine computed, the step and, at the
    // result step (above 9), the recommended lens and the residual of the
    // cylinder `choix`; below it, no result. With a method of the posterior
    // cornea, the engine holds the estimated cornea: the pre-operative
    // astigmatism is still the keratometry's as typed, and the estimate
    // goes to `totale_t`.
    void lire_calcul(const Entrees& e, const CalculTorique& moteur, int etape, double choix = 0);

    QString langue_t;
    QString modele_iol_t;
    // Operated eye: "droit", "gauche" or "null". The string object is shared
    // with the calculation page and never modified in place; choosing an eye
    // makes the page point to a new string.
    std::shared_ptr<const QString> oeil_t;
    bool enab_od_t;
    bool enab_og_t;
    int sph_ind_t;
    QString puiss_sph_t;
    int unit_ind_t;
    double K1D_t;
    double K2D_t;
    double K1mm_t;
    double K2mm_t;
    int K1axe_t;
    int K2axe_t;
    double incD_t;
    int incaxe_t;
    // The astigmatism of the keratometry as typed (K2 - K1 in dioptres, on
    // the steep axis).
    double astpre_D_t;
    int astpre_axe_t;
    // The basis of the lens choice, and the cornea the calculation ran on:
    // with a method of the posterior cornea the estimated total cornea,
    // otherwise the keratometry's own figures (CorneePosterieure::estimer).
    CorneePosterieure::Methode posterieure_t = CorneePosterieure::AUCUNE;
    CorneePosterieure::Estimation totale_t;
    // The steep axis of the cornea the calculation ran on: the estimate's
    // with a method of the posterior cornea, the one typed otherwise.
    int axe_base_t() const;
    double astcross_D_t;
    int astcross_axe_t;
    double tcalc_D_t;
    double tperfect_D_t;
    int tcalc_axe_t;
    double astpost_D_t;
    int astpost_axe_t;
    double choix_torique_t;
    int etape_t;
    QString nom_chir_str_t;
    QString clinique_str_t;
    QString nom_pat_str_t;
    QDate date_dat_t;
    QString date_str_t;
    QString adresse1_str_t;
    QString adresse2_str_t;
    QString codepost_str_t;
    QString ville_str_t;
    int codepays_ind_t;
    QString codepays_str_t;
};

#endif
