#ifndef PAGECALCUL_H
#define PAGECALCUL_H

#include "CalculTorique.h"
#include "CorneePosterieure.h"
#include "ListParam.h"
#include "Textes.h"

#include <QFont>
#include <QFrame>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <memory>

class BoutonPersoVert;
class BoutonPlus;
class HEspace;
class HLigne;
class HLigneD;
class LegendeInc;
class LegendeK1;
class LegendeK2;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontMetrics;
class QLabel;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;
class ZoneDessin;

// The calculation page: inputs entered in guided steps on the left, the eye,
// the summary diagram and the post-operative predictions on the right. The
// optics are delegated to CalculTorique (member moteur); the page keeps the
// values it shows and hands them to the main window's snapshot.
class PageCalcul : public QFrame {
    Q_OBJECT
public:
    explicit PageCalcul(ListParam* param);
    ~PageCalcul() override;

    void transfertParam(ListParam* paramEnreg);
    void update_langue_c(QString langue);
    void update_text_unites(int u);
    void update_layoutBasGauche();
    void upd_etape(int e);

    // Optics stages (delegated to moteur) and their display.
    void update_astpre();
    void calcul_astcross();
    void update_astcross();
    void calcul_Kcornee_planIOL();
    void calcul_crossCyl_planIOL();
    void calcul_astPost_planCORNEE();
    void update_tcalc();
    void update_astpost();

    bool eventFilter(QObject* obj, QEvent* event) override;

    // Code of the checks of the Calculate button on the inputs on screen
    // (ACCEPTE when Calculate would show the result).
    int code_calcul();
    // The entries as they stand, for the checks and the snapshot.
    ListParam::Entrees entrees() const;

    // 1. Language and eye
    QString langue_c;
    BoutonPersoVert* oeil_droit = nullptr;
    BoutonPersoVert* oeil_gauche = nullptr;
    std::shared_ptr<const QString> oeil_c;
    bool enab_od = false;
    bool enab_og = false;
    bool ok_err = false;
    // 2. Spherical power
    QComboBox* combo_sph = nullptr;
    QString puiss_sph;
    double p_sph = 0;
    int sph_ind = 0;
    QFrame* sph = nullptr;
    QLabel *label_sph_1 = nullptr, *label_sph_2 = nullptr;
    // 3. Units
    QRadioButton *diop = nullptr, *mili = nullptr;
    int unit_ind = 1;
    QFrame* unites = nullptr;
    QLabel* label_unites = nullptr;
    bool change_unit_ind = false;
    // 4. K1 row. K1D and K1mm: the value typed in the unit it was typed in,
    // and its exact counterpart in the other unit (the same for K2).
    QDoubleSpinBox* spin_K1 = nullptr;
    double K1D = 0, K1mm = 0;
    QFrame* K1 = nullptr;
    QLabel *label_K1_1 = nullptr, *label_K1_11 = nullptr, *label_K1_2 = nullptr, *label_K1_22 = nullptr,
           *label_K1_3 = nullptr;
    int espaceInterK = 34, test_width_D = 0, test_width_mm = 0;
    // 5. K2 row
    QDoubleSpinBox* spin_K2 = nullptr;
    double K2D = 0, K2mm = 0;
    QFrame* K2 = nullptr;
    QLabel *label_K2_1 = nullptr, *label_K2_11 = nullptr, *label_K2_2 = nullptr, *label_K2_22 = nullptr,
           *label_K2_3 = nullptr;
    QSpinBox *spinaxe_K1 = nullptr, *spinaxe_K2 = nullptr;
    int K1axe = 0, K2axe = 90;
    // The axes the calculation runs on: the last ones typed that were
    // meridians.
    int K1axe_calcul = 0, K2axe_calcul = 90;
    // The basis of the lens choice, beside K1 where the flat axis is not
    // entered: the keratometry as typed, or the total cornea estimated from
    // it (usable with the pre-operative row). The entries keep what was
    // typed; `base` is the cornea the engine was last given.
    QCheckBox* posterieure_case = nullptr;
    CorneePosterieure::Methode posterieure = CorneePosterieure::AUCUNE;
    CorneePosterieure::Estimation base;
    // 6. Pre-operative astigmatism
    QFrame* astpre_D_frame = nullptr;
    QVBoxLayout* layoutAstpre_D = nullptr;
    double astpre_D = 0;
    QString astpre_D_str;
    QLabel* label_astpre_D = nullptr;
    QFrame* astpreD = nullptr;
    QLabel *label_astpre_1 = nullptr, *label_astpre_2 = nullptr;
    QFrame* astpre_axe_frame = nullptr;
    QVBoxLayout* layoutAstpre_axe = nullptr;
    int astpre_axe = 0;
    QString astpre_axe_str;
    QLabel* label_astpre_axe = nullptr;
    // Beside the pre-operative values, while they are the estimate.
    QLabel* label_astpre_estime = nullptr;
    // 7. Incision
    QDoubleSpinBox* spin_inc = nullptr;
    double incD = 0;
    QFrame* inc_D = nullptr;
    QSpinBox* spinaxe_inc = nullptr;
    int incaxe = 0;
    QFrame* inc_axe = nullptr;
    QLabel *label_inc_1 = nullptr, *label_inc_11 = nullptr, *label_inc_2 = nullptr, *label_inc_3 = nullptr,
           *label_inc_4 = nullptr;
    // 8. Crossed cylinder
    QFrame* astcross_D_frame = nullptr;
    QVBoxLayout* layoutAstcross_D = nullptr;
    double astcross_D = 0;
    QString astcross_D_str;
    QLabel* label_astcross_D = nullptr;
    QFrame* astcrossD = nullptr;
    QLabel *label_astcross_1 = nullptr, *label_astcross_2 = nullptr;
    QFrame* astcross_axe_frame = nullptr;
    QVBoxLayout* layoutAstcross_axe = nullptr;
    int astcross_axe = 0;
    QString astcross_axe_str;
    QLabel* label_astcross_axe = nullptr;
    // 9. Recommended power and lens axis
    QFrame* tcalc_D_frame = nullptr;
    QVBoxLayout* layoutTcalc_D = nullptr;
    double tcalc_D = 0;
    QString tcalc_D_str;
    QLabel* label_tcalc_D = nullptr;
    QFrame* cyl = nullptr;
    QLabel* label_cyl_1 = nullptr;
    double tperfect_D = 0;
    QString tperfect_D_str;
    QLabel* label_tperfect_D = nullptr;
    QFrame* tcalc_axe_frame = nullptr;
    QVBoxLayout* layoutTcalc_axe = nullptr;
    int tcalc_axe = 0;
    QString tcalc_axe_str;
    QLabel* label_tcalc_axe = nullptr;
    QFrame* axeiol = nullptr;
    QLabel *label_axeiol_1 = nullptr, *label_axeiol_2 = nullptr;
    HLigne* sep_u5 = nullptr;
    QFrame* autre = nullptr;
    QLabel* label_autre = nullptr;
    BoutonPlus* plus = nullptr;
    // 10. Lower-left area
    QVBoxLayout* layoutBasGauche = nullptr;
    QFrame* basGauche = nullptr;
    bool check_basGauche = false;
    QFrame* calculer = nullptr;
    BoutonPersoVert* calculer_bouton = nullptr;
    // 11. Diagram
    ZoneDessin* dessin = nullptr;
    QFrame *schema = nullptr, *legende_schema = nullptr;
    QLabel *label_legK1 = nullptr, *label_legK2 = nullptr, *label_legInc = nullptr;
    LegendeK1* dessK1 = nullptr;
    LegendeK2* dessK2 = nullptr;
    LegendeInc* dessInc = nullptr;
    // 12. Post-operative
    QFrame* astpost_D_frame = nullptr;
    QVBoxLayout* layoutAstpost_D = nullptr;
    double astpost_D = 0;
    QString astpost_D_str;
    QLabel* label_astpost_D = nullptr;
    QFrame* iolp = nullptr;
    QLabel* label_iolpost_1 = nullptr;
    QFrame* modele_frame = nullptr;
    QVBoxLayout* layoutModele = nullptr;
    double choix_torique = 0;
    QString choix_torique_str;
    QLabel* label_iolpost_3 = nullptr;
    QFrame* astpost_axe_frame = nullptr;
    QVBoxLayout* layoutAstpost_axe = nullptr;
    int astpost_axe = 0;
    QString astpost_axe_str;
    QLabel* label_astpost_axe = nullptr;
    QFrame* astpostD = nullptr;
    QLabel *label_astpost_1 = nullptr, *label_astpost_2 = nullptr;
    HLigneD* sep_u6 = nullptr;
    QFrame* attention = nullptr;
    QLabel* label_attention = nullptr;
    QFrame* attention_high = nullptr;
    QLabel* label_attention_high = nullptr;
    // 13. Calculation: the engine holds the meridian and trial tables; the
    // page keeps the toric range as shown in the choice dialog.
    CalculTorique moteur;
    QStringList gamme_tot;          // "+ 0.75 D" ... "+ 6.00 D"
    QList<double> gamme_double_tot; // 0.75 ... 6.00, index for index
    // 14. Page state
    int etape = 0;
    int test_police = 0;
    int test_width = 0;
    QFontMetrics* test_FM = nullptr;
    QString modele_iol;
    // A result was on screen and has been withdrawn because the inputs no
    // longer pass the checks; it comes back once they pass again.
    bool resultats_retires = false;
    // 15. Display widgets
    QLabel *od = nullptr, *og = nullptr;
    QLabel *odsch = nullptr, *odsch2 = nullptr;
    QLabel *titre_pre = nullptr, *titre_tor = nullptr, *titre_sch = nullptr, *titre_post = nullptr;
    int alignGauche = 280, alignDroite = 220;
    QFont fontunites, fontKgras, fontKnormal;
    HEspace *espace47_o1 = nullptr, *espace_sph1 = nullptr, *espace_u1 = nullptr, *espace_u2 = nullptr,
            *espace_K1_1 = nullptr, *espace_K1_2 = nullptr, *espace_K1_3 = nullptr, *espace_K2_1 = nullptr,
            *espace_K2_2 = nullptr, *espace_pre1 = nullptr, *espace_inc1 = nullptr, *espace_inc2 = nullptr,
            *espace_cross1 = nullptr, *espace_t1 = nullptr, *espace_or1 = nullptr, *espace_mod1 = nullptr,
            *espace_post1 = nullptr;

private:
    // Texts of a label in both languages, written grey or black by the
    // step pass.
    struct Bilingue {
        QString fr, en;
    };
    QHash<QLabel*, Bilingue> textes;

    bool langue_connue() const { return Textes::langue_connue(langue_c); }
    void ecrire(QLabel* label, bool noir);
    void ecrire_noir(std::initializer_list<QLabel*> labels);
    int mesurer(const QFont& font, const QString& texte);
    void regler_espaces(bool anglais);
    void ecrire_oeil();
    void moteur_entrees();
    void saisir_K(double valeur, double& K_D, double& K_mm);
    void choisir_oeil(bool gauche);
    // The K lines of the diagram on the meridians of the cornea the lens is
    // chosen on.
    void dessiner_axes_K();
    // What the pre-operative row says of its basis: "estimé" beside it,
    // the measured astigmatism in the boxes' tooltips and descriptions.
    void montrer_base();

    // Construction, one section at a time. The fonts of the eye buttons,
    // the titles, the value boxes and the eye shown in big letters serve
    // only there.
    struct Polices {
        QFont oeil, titre, ast, OD, oeil_2;
    };
    Polices choisir_polices();
    QLabel* etiquette(const char* nom, const QFont& f, const QString& fr = QString(),
                      const QString& en = QString());
    QLabel* etiquette(const char* nom, const QFont& f, Textes::Cle cle, Textes::Forme forme = Textes::LIBELLE,
                      const char* suite = "");
    QFrame* construire_titre(const char* nom_label, const char* nom_cadre, int largeur, QLabel*& lab,
                             bool centre_v, const Polices& polices);
    QFrame* construire_boite(const char* nom_cadre, const char* nom_layout, const char* nom_label,
                             QVBoxLayout*& lay, QLabel*& lab, int largeur, bool fond, const QString& texte,
                             const QFont& fontast);
    QFrame* construire_oeil(const QFont& fontoeil);
    void construire_espaces();
    void construire_puissance();
    void construire_unites();
    void construire_K();
    void construire_preop(const QFont& fontast);
    void construire_incision();
    void construire_croise(const QFont& fontast);
    void construire_implant(const QFont& fontast);
    void construire_basGauche();
    QFrame* construire_oeil_schema(const Polices& polices);
    void construire_schema();
    void construire_previsions(const QFont& fontast);
    void assembler(QFrame* gaucheCalcul, QFrame* droiteCalcul);

    // The stages of the step pass, in the order it runs them.
    void ecrire_textes_fixes();
    void etape_remise(int e);
    void etape_puissance();
    void etape_unites();
    void etape_K1();
    void etape_K2(int e);
    void etape_preop();
    void etape_croise();
    void etape_resultats();

    // After an input changed (the outermost input slot, once it is done):
    // the entries marked, the result withdrawn or given back.
    class Garde;
    int saisies_en_cours = 0;
    void apres_saisie();
    void suivre_verification();
    void basculer_resultats(int e);
    // Each numeric entry outside its limits shows it (colours, tooltip,
    // description for a screen reader); `textes` rewrites them all, after
    // a change of language.
    void marquer_saisies(bool textes = false);
    int marques[5] = {-1, -1, -1, -1, -1};
    // The entries refused (framed in red), in the order below, and what is
    // left on screen of the figures computed from them.
    enum { SAISIE_K1, SAISIE_K2, SAISIE_AXE, SAISIE_INCISION, SAISIE_INDUIT };
    bool refusees[5] = {false, false, false, false, false};
    void montrer_derives();
    // The record the checks of the page are run on, reused.
    std::unique_ptr<ListParam> controle;

signals:
    void verif();

public slots:
    void click_od();
    void click_og();
    void update_sph(int s);
    void update_unites(bool);
    void update_K1D(double k1);
    void update_K2D(double k2);
    void update_K1axe(int a1);
    void update_K2axe(int a2);
    void update_incD(double ki);
    void update_incaxe(int ai);
    void update_posterieure(bool estimee);
    void etape10();
    void click_plus();
};

#endif
