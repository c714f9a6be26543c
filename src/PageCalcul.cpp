#include "PageCalcul.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BandeLaterale.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "ChoixPuissance.h"
#include "Dialogues.h"
#include "HEspace.h"
#include "HLigne.h"
#include "HLigneD.h"
#include "LegendeInc.h"
#include "LegendeK1.h"
#include "LegendeK2.h"
#include "ListParam.h"
#include "SaisieAxe.h"
#include "SaisieDecimale.h"
#include "SaisieNombre.h"
#include "VEspace.h"
#include "Verification.h"
#include "ZoneDessin.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString
    STYLE_TITRE("QFrame {background: #00A0C2; color: #FFFFFF; border-width: 0px; border-radius: 5px; "
                "margin: 2px;}");
const QString
    STYLE_GRIS("QFrame {background: #AFAFAF; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");
const QString
    STYLE_ACTIF("QFrame {background: #969696; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");
const QString STYLE_RESULTAT("QFrame {background: #00A0C2; color: #FFFFFF; border-width: 0px; border-radius: "
                             "5px;}");
const QString
    STYLE_CONSEIL("QFrame {background: #F33D6B; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");

QString gris(const QString& t) {
    return "<font color=\"#AFAFAF\">" + t + "</font>";
}
QString noir(const QString& t) {
    return "<font color=\"#000000\">" + t + "</font>";
}
QString blanc(const QString& t) {
    return "<font color=\"#FFFFFF\">" + t + "</font>";
}

QString texte_D(double v) {
    return CalculTorique::texte_D(v) + " D";
}
QString texte_axe(int a) {
    return QString::number(a) + " °";
}

// A row of a column: fixed size, labels and entries side by side from the
// left margin of 8.
QFrame* rangee(const char* nom, int hauteur, int largeur, std::initializer_list<QWidget*> contenu,
               Qt::Alignment alignement = Qt::AlignLeft, int marge_gauche = 8) {
    auto* f = new QFrame;
    f->setObjectName(nom);
    f->setFixedHeight(hauteur);
    f->setFixedWidth(largeur);
    auto* l = new QHBoxLayout;
    l->setObjectName(QString(nom) + "_layout");
    l->setSpacing(0);
    l->setContentsMargins(marge_gauche, 0, 0, 0);
    l->setAlignment(alignement);
    for (QWidget* w : contenu)
        l->addWidget(w);
    f->setLayout(l);
    return f;
}

HEspace* espace(const char* nom, int largeur) {
    auto* e = new HEspace(largeur);
    e->setObjectName(nom);
    return e;
}

VEspace* vespace(const char* nom, int hauteur) {
    auto* e = new VEspace(hauteur);
    e->setObjectName(nom);
    return e;
}

template <class T> T* nomme(T* w, const char* nom) {
    w->setObjectName(nom);
    return w;
}

} // namespace

PageCalcul::PageCalcul(ListParam* param) : QFrame(nullptr) {
    // 1. Base, locale with a decimal point whatever the system, click focus.
    setObjectName("calcul");
    setLocale(QLocale(QLocale::English, QLocale::AnyTerritory));
    setFocusPolicy(Qt::ClickFocus);

    // 2. The record.
    transfertParam(param);
    controle = std::make_unique<ListParam>();

    // 3. Geometry.
    check_basGauche = false;
    change_unit_ind = false;
    const int hauteurCalcul = 550;
    const int largeurGauche = 500;
    const int largeurDroite = 400;
    const int hauteurLigne = 40;
    const int hauteurInter = 35;
    const int hauteurTitre = 30;
    alignGauche = 280;
    alignDroite = 220;
    espaceInterK = 34;
    setFixedHeight(hauteurCalcul);

    // 4. The toric range, as the choice dialog lists it.
    for (int n = 0; n < moteur.gamme_tot.size(); ++n) {
        gamme_tot << tr(qPrintable(moteur.gamme_tot.at(n)));
        gamme_double_tot << moteur.gamme_double_tot.at(n);
    }

    // 5. Colours, palettes, fonts.
    const QColor blanc_c(255, 255, 255), grisclair(150, 150, 150), grisGRIS(175, 175, 175),
        bleuci_2(0, 160, 194);
    QPalette palgrisclair;
    palgrisclair.setColor(QPalette::Window, grisclair);
    palgrisclair.setColor(QPalette::WindowText, blanc_c);
    QPalette palCalcul;
    palCalcul.setColor(QPalette::Window, bleuci_2);
    palCalcul.setColor(QPalette::Base, blanc_c);
    QPalette palSphList;
    palSphList.setColor(QPalette::Base, blanc_c);
    palSphList.setColor(QPalette::AlternateBase, grisGRIS);
    QPalette palbande;
    palbande.setColor(QPalette::Window, blanc_c);

    QFont fontoeil("Arial", 8, QFont::Normal);
    QFont fonttitre("Arial", 11, QFont::Bold);
    QFont fontast("Arial", 11, QFont::Bold);
    QFont fontOD("Arial", 26, QFont::Bold);
    QFont fontoeil_2("Arial", 14, QFont::Bold);
    fontunites = QFont("Arial", 8, QFont::Normal, true);
    fontKgras = QFont("Arial", 10, QFont::Bold);
    fontKnormal = QFont("Arial", 10, QFont::Normal);

    // 6. Font level, decided once on the widest French heading.
    auto niveau = [&](int n) {
        static const int tailles[8][3] = {{8, 7, 6},    {11, 10, 9}, {11, 10, 9}, {26, 24, 22},
                                          {14, 12, 11}, {8, 7, 6},   {10, 9, 8},  {10, 9, 8}};
        QFont* fonts[8] = {&fontoeil,   &fonttitre,  &fontast,   &fontOD,
                           &fontoeil_2, &fontunites, &fontKgras, &fontKnormal};
        for (int i = 0; i < 8; ++i)
            fonts[i]->setPointSize(tailles[i][n]);
    };
    const QString mesure_police = QString::fromUtf8("Orientation des marques de l'implant :");
    test_police = 0;
    if (mesurer(fontKgras, mesure_police) >= alignGauche) {
        niveau(1);
        test_police = 1;
        if (mesurer(fontKgras, mesure_police) >= alignGauche) {
            niveau(2);
            test_police = 2;
        }
    }
    test_width_D = mesurer(fontKnormal, " D");
    test_width_mm = mesurer(fontKnormal, " mm");

    auto label = [&](const char* nom, const QFont& f, const QString& fr = QString(),
                     const QString& en = QString()) {
        auto* l = new QLabel;
        l->setObjectName(nom);
        l->setFont(f);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (!fr.isNull())
            textes.insert(l, {fr, en.isNull() ? fr : en});
        return l;
    };

    // 7. Eye row.
    oeil_droit = nomme(new BoutonPersoVert(110, 25), "oeil_droit");
    oeil_droit->setText("OEIL DROIT (OD)");
    oeil_droit->setFont(fontoeil);
    connect(oeil_droit, &BoutonStyle::click, this, &PageCalcul::click_od);
    od = nomme(new QLabel, "od");
    od->setPixmap(LecteurImages::pixmap("oeil_bleu_30t.png"));
    od->setEnabled(enab_od);
    og = nomme(new QLabel, "og");
    og->setPixmap(LecteurImages::pixmap("oeil_bleu_30t.png"));
    og->setEnabled(enab_og);
    espace47_o1 = espace("espace47_o1", 47);
    oeil_gauche = nomme(new BoutonPersoVert(110, 25), "oeil_gauche");
    oeil_gauche->setText("OEIL GAUCHE (OS)");
    oeil_gauche->setFont(fontoeil);
    connect(oeil_gauche, &BoutonStyle::click, this, &PageCalcul::click_og);
    QFrame* oeil = rangee("oeil", hauteurLigne, largeurGauche,
                          {oeil_droit, espace("espace20_o1", 20), od, espace("espace75_o1", 75), espace47_o1,
                           og, espace("espace20_o2", 20), oeil_gauche},
                          Qt::AlignCenter, 0);
    espace47_o1->hide();

    // 8. Section titles.
    auto titre = [&](const char* nom_label, const char* nom_cadre, int largeur, QLabel*& lab, bool centre_v) {
        lab = new QLabel;
        lab->setObjectName(nom_label);
        lab->setFont(fonttitre);
        lab->setAlignment(centre_v ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignLeft);
        auto* cadre = new QFrame;
        cadre->setObjectName(nom_cadre);
        cadre->setFixedHeight(hauteurTitre);
        cadre->setFixedWidth(largeur);
        cadre->setStyleSheet(STYLE_TITRE);
        cadre->setFrameShape(QFrame::Box);
        auto* l = new QVBoxLayout;
        l->setSpacing(0);
        l->setContentsMargins(0, 0, 0, 0);
        l->setAlignment(Qt::AlignCenter);
        l->addWidget(lab);
        cadre->setLayout(l);
        return cadre;
    };
    QFrame* titre_preop = titre("titre_pre", "titre_preop", largeurGauche, titre_pre, true);
    QFrame* titre_toric = titre("titre_tor", "titre_toric", largeurGauche, titre_tor, false);
    QFrame* titre_schema = titre("titre_sch", "titre_schema", largeurDroite, titre_sch, false);
    QFrame* titre_postop = titre("titre_post", "titre_postop", largeurDroite, titre_post, false);

    // Alignment spacers, measured in French at construction.
    espace_sph1 = espace("espace_sph1", 0);
    espace_u1 = espace("espace_u1", 0);
    espace_u2 = espace("espace_u2", 26);
    espace_K1_1 = espace("espace_K1_1", 0);
    espace_K1_2 = espace("espace_K1_2", espaceInterK - test_width_D);
    espace_K2_1 = espace("espace_K2_1", 0);
    espace_K2_2 = espace("espace_K2_2", espaceInterK - test_width_D);
    espace_pre1 = espace("espace_pre1", 0);
    espace_inc1 = espace("espace_inc1", 0);
    espace_inc2 = espace("espace_inc2", 0);
    espace_cross1 = espace("espace_cross1", 0);
    espace_t1 = espace("espace_t1", 0);
    espace_or1 = espace("espace_or1", 0);
    espace_mod1 = espace("espace_mod1", 0);
    espace_post1 = espace("espace_post1", 0);
    regler_espaces(false);

    // 9, 10. Spherical power row.
    label_sph_1 =
        label("label_sph_1", fontKnormal, QString::fromUtf8("Puissance sphérique de l'implant (SEQ) :"),
              "IOL spherical power (SEQ) :");
    label_sph_2 = label("label_sph_2", fontKnormal, "&nbsp;D");
    combo_sph = nomme(new QComboBox, "combo_sph");
    auto* vue_sph = new QListView;
    vue_sph->setObjectName("combo_sph_vue");
    vue_sph->setAlternatingRowColors(true);
    combo_sph->setView(vue_sph);
    combo_sph->addItem(" ----");
    for (int i = 0; i <= 50; ++i)
        combo_sph->addItem(QString::number(10.0 + 0.5 * i, 'f', 1));
    combo_sph->setCurrentIndex(sph_ind);
    combo_sph->setFont(fontKnormal);
    combo_sph->setPalette(palSphList);
    combo_sph->setFixedWidth(QFontMetrics(fontKnormal).horizontalAdvance("20.0") + 30);
    connect(combo_sph, &QComboBox::currentIndexChanged, this, &PageCalcul::update_sph);
    combo_sph->installEventFilter(this);
    sph = rangee("sph", hauteurLigne, largeurGauche, {label_sph_1, espace_sph1, combo_sph, label_sph_2});

    // 11. Units row.
    label_unites = label("label_unites", fontunites, QString::fromUtf8("Données kératométriques en "),
                         "Keratometry data in ");
    diop = nomme(new QRadioButton, "diop");
    mili = nomme(new QRadioButton, "mili");
    // The row is laid out for radio buttons in a small dialog font; the
    // toolkit's default here (a 9-point sans) would push the row past its
    // 500 pixels and cut the units label, so they take the units label's
    // size, upright.
    QFont fontradio = fontunites;
    fontradio.setItalic(false);
    diop->setFont(fontradio);
    mili->setFont(fontradio);
    unites = rangee("unites", hauteurInter, largeurGauche, {label_unites, espace_u1, diop, espace_u2, mili});
    unites->setAutoFillBackground(true);
    connect(diop, &QRadioButton::toggled, this, &PageCalcul::update_unites);
    connect(mili, &QRadioButton::toggled, this, &PageCalcul::update_unites);

    // 12. Keratometry rows; every value is given before the connection.
    label_K1_1 = label("label_K1_1", fontKnormal, "Axe plat :", "Flat axis :");
    label_K1_11 = label("label_K1_11", fontKgras, "K1&nbsp;&nbsp;");
    label_K1_2 = label("label_K1_2", fontKnormal);
    label_K1_22 = label("label_K1_22", fontKnormal, "@&nbsp;&nbsp;");
    label_K1_3 = label("label_K1_3", fontKnormal, QString::fromUtf8("&nbsp;°"));
    // The entries hold what is typed (a comma is the decimal point, a
    // number beyond the limits is kept and shown as invalid); the arrows
    // keep to the toolkit's default range for K, 0 to 5 for the induced
    // astigmatism and the circle for the axes.
    spin_K1 = nomme(new SaisieDecimale(0.0, 99.99), "spin_K1");
    spin_K1->setFont(fontKnormal);
    spin_K1->setDecimals(2);
    spin_K1->setValue(0.0);
    spinaxe_K1 = nomme(new QSpinBox, "spinaxe_K1");
    spinaxe_K1->setFont(fontKnormal);
    spinaxe_K1->setRange(0, 180);
    spinaxe_K1->setWrapping(true);
    spinaxe_K1->setSingleStep(5);
    spinaxe_K1->setValue(K1axe);
    K1 = rangee("K1", 41, largeurGauche,
                {label_K1_1, espace_K1_1, label_K1_11, spin_K1, label_K1_2, espace_K1_2, label_K1_22,
                 spinaxe_K1, label_K1_3});
    // The flat axis follows the steep one and is never entered.
    espace_K1_2->hide();
    label_K1_22->hide();
    spinaxe_K1->hide();
    label_K1_3->hide();

    label_K2_1 = label("label_K2_1", fontKnormal, QString::fromUtf8("Axe élévé :"), "Steep axis :");
    label_K2_11 = label("label_K2_11", fontKgras, "K2&nbsp;&nbsp;");
    label_K2_2 = label("label_K2_2", fontKnormal);
    label_K2_22 = label("label_K2_22", fontKnormal, "@&nbsp;&nbsp;");
    label_K2_3 = label("label_K2_3", fontKnormal, QString::fromUtf8("&nbsp;°"));
    spin_K2 = nomme(new SaisieDecimale(0.0, 99.99), "spin_K2");
    spin_K2->setFont(fontKnormal);
    spin_K2->setDecimals(2);
    spin_K2->setValue(0.0);
    spinaxe_K2 = nomme(new SaisieAxe(180), "spinaxe_K2");
    spinaxe_K2->setFont(fontKnormal);
    spinaxe_K2->setSingleStep(5);
    spinaxe_K2->setValue(K2axe);
    K2 = rangee("K2", 36, largeurGauche,
                {label_K2_1, espace_K2_1, label_K2_11, spin_K2, label_K2_2, espace_K2_2, label_K2_22,
                 spinaxe_K2, label_K2_3});

    spinaxe_inc = nomme(new SaisieAxe(360), "spinaxe_inc");
    spinaxe_inc->setFont(fontKnormal);
    spinaxe_inc->setSingleStep(5);
    // The record's location (0 on a new record): a calculation resumed before
    // step 7 shows the location its eye button set, as when it was left.
    spinaxe_inc->setValue(incaxe);
    spin_inc = nomme(new SaisieDecimale(0.0, 5.0), "spin_inc");
    spin_inc->setFont(fontKnormal);
    spin_inc->setSingleStep(0.05);
    spin_inc->setDecimals(2);
    spin_inc->setValue(incD);

    connect(spin_K1, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_K1D);
    connect(spin_K2, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_K2D);
    connect(spinaxe_K1, &QSpinBox::valueChanged, this, &PageCalcul::update_K1axe);
    connect(spinaxe_K2, &QSpinBox::valueChanged, this, &PageCalcul::update_K2axe);
    connect(spinaxe_inc, &QSpinBox::valueChanged, this, &PageCalcul::update_incaxe);
    connect(spin_inc, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_incD);
    // The wheel never changes an entry, focused or not.
    for (QWidget* w :
         std::initializer_list<QWidget*>{spin_K1, spin_K2, spinaxe_K1, spinaxe_K2, spinaxe_inc, spin_inc})
        w->installEventFilter(this);

    // 13. The meridian table lives in the engine (moteur.tab_deg, 0 to 359).

    // 14. Value boxes.
    auto boite = [&](const char* nom_cadre, const char* nom_layout, const char* nom_label, QFrame*& cadre,
                     QVBoxLayout*& lay, QLabel*& lab, int largeur, bool palette, const QString& texte) {
        cadre = new QFrame;
        cadre->setObjectName(nom_cadre);
        cadre->setFixedSize(largeur, 24);
        if (palette) {
            cadre->setPalette(palgrisclair);
            cadre->setAutoFillBackground(true);
        }
        lab = new QLabel;
        lab->setObjectName(nom_label);
        lab->setFont(fontast);
        lab->setAlignment(Qt::AlignCenter);
        lab->setText(texte);
        lay = new QVBoxLayout;
        lay->setObjectName(nom_layout);
        lay->setSpacing(0);
        lay->setContentsMargins(0, 0, 0, 0);
        lay->setAlignment(Qt::AlignCenter);
        lay->addWidget(lab);
        cadre->setLayout(lay);
        return cadre;
    };
    astpre_D_str = CalculTorique::texte_D(astpre_D);
    astpre_axe_str = QString::number(astpre_axe);
    astcross_D_str = CalculTorique::texte_D(astcross_D);
    astcross_axe_str = QString::number(astcross_axe);
    tcalc_D_str = CalculTorique::texte_D(tcalc_D);
    tcalc_axe_str = QString::number(tcalc_axe);
    tperfect_D_str = CalculTorique::texte_tperfect(tperfect_D);
    astpost_D_str = CalculTorique::texte_D(astpost_D);
    astpost_axe_str = QString::number(astpost_axe);
    choix_torique_str = CalculTorique::texte_D(choix_torique);
    boite("astpre_D_frame", "layoutAstpre_D", "label_astpre_D", astpre_D_frame, layoutAstpre_D,
          label_astpre_D, 60, true, texte_D(astpre_D));
    boite("astpre_axe_frame", "layoutAstpre_axe", "label_astpre_axe", astpre_axe_frame, layoutAstpre_axe,
          label_astpre_axe, 50, true, texte_axe(astpre_axe));
    boite("astcross_D_frame", "layoutAstcross_D", "label_astcross_D", astcross_D_frame, layoutAstcross_D,
          label_astcross_D, 60, true, texte_D(astcross_D));
    boite("astcross_axe_frame", "layoutAstcross_axe", "label_astcross_axe", astcross_axe_frame,
          layoutAstcross_axe, label_astcross_axe, 50, true, texte_axe(astcross_axe));
    boite("tcalc_D_frame", "layoutTcalc_D", "label_tcalc_D", tcalc_D_frame, layoutTcalc_D, label_tcalc_D, 60,
          false, texte_D(tcalc_D));
    boite("tcalc_axe_frame", "layoutTcalc_axe", "label_tcalc_axe", tcalc_axe_frame, layoutTcalc_axe,
          label_tcalc_axe, 60, false, texte_axe(tcalc_axe));
    boite("astpost_D_frame", "layoutAstpost_D", "label_astpost_D", astpost_D_frame, layoutAstpost_D,
          label_astpost_D, 60, false, texte_D(astpost_D));
    boite("astpost_axe_frame", "layoutAstpost_axe", "label_astpost_axe", astpost_axe_frame, layoutAstpost_axe,
          label_astpost_axe, 50, false, texte_axe(astpost_axe));
    boite("modele_frame", "layoutModele", "label_iolpost_3", modele_frame, layoutModele, label_iolpost_3,
          QFontMetrics(fontKnormal).horizontalAdvance("  x  ") + 110, false,
          modele_iol + " T" + choix_torique_str);

    // Pre-operative, incision and crossed-cylinder rows.
    label_astpre_1 = label("label_astpre_1", fontKgras, QString::fromUtf8("Astigmatisme pré-opératoire :"),
                           "Pre-operative astigmatism :");
    label_astpre_2 = label("label_astpre_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    astpreD = rangee("astpreD", hauteurLigne, largeurGauche,
                     {label_astpre_1, espace_pre1, astpre_D_frame, label_astpre_2, astpre_axe_frame});
    label_inc_3 = label("label_inc_3", fontKnormal, "Position de l'incision :", "Incision location :");
    label_inc_4 = label("label_inc_4", fontKnormal, QString::fromUtf8("&nbsp;°"));
    inc_axe =
        rangee("inc_axe", hauteurLigne, largeurGauche, {label_inc_3, espace_inc2, spinaxe_inc, label_inc_4});
    label_inc_1 = label("label_inc_1", fontKnormal,
                        "Astigmatisme induit chirurgicalement :", "Surgically induced astigmatism :");
    label_inc_11 = label("label_inc_11", fontKnormal, "- ");
    label_inc_2 = label("label_inc_2", fontKnormal, "&nbsp;D");
    inc_D = rangee("inc_D", hauteurInter, largeurGauche,
                   {label_inc_1, espace_inc1, label_inc_11, spin_inc, label_inc_2});
    label_astcross_1 =
        label("label_astcross_1", fontKgras, QString::fromUtf8("Cylindre croisé (au plan cornéen) :"),
              "Crossed cylinder (at corneal plane) :");
    label_astcross_2 = label("label_astcross_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    astcrossD =
        rangee("astcrossD", hauteurLigne, largeurGauche,
               {label_astcross_1, espace_cross1, astcross_D_frame, label_astcross_2, astcross_axe_frame});

    // 15. Lower-left area: the calculate button, or the recommendation.
    basGauche = nomme(new QFrame, "basGauche");
    basGauche->setFixedWidth(largeurGauche);
    calculer_bouton = nomme(new BoutonPersoVert(160, 50), "calculer_bouton");
    calculer_bouton->setIcon(LecteurImages::icone("calculatrice.png"));
    calculer_bouton->setIconSize(QSize(32, 32));
    calculer_bouton->setFont(fontKgras);
    calculer_bouton->setText("   Calculer ...");
    calculer_bouton->setEnabled(false);
    connect(calculer_bouton, &BoutonStyle::click, this, &PageCalcul::etape10);
    calculer = nomme(new QFrame, "calculer");
    calculer->setFixedHeight(100);
    calculer->setFixedWidth(largeurGauche);
    {
        auto* l = new QVBoxLayout;
        l->setSpacing(0);
        l->setContentsMargins(0, 0, 0, 0);
        l->setAlignment(Qt::AlignCenter);
        l->addWidget(calculer_bouton);
        calculer->setLayout(l);
    }
    label_cyl_1 = label("label_cyl_1", fontKgras, QString::fromUtf8("Puissance cylindrique conseillée * :"),
                        "Recommended cylindrical power * :");
    label_tperfect_D = label("label_tperfect_D", fontKnormal);
    cyl = rangee("cyl", hauteurLigne, largeurGauche,
                 {label_cyl_1, espace_t1, tcalc_D_frame, espace("espace_t2", 20), label_tperfect_D});
    label_axeiol_1 =
        label("label_axeiol_1", fontKgras, QString::fromUtf8("Orientation des marques de l'implant :"),
              "IOL axis of placement :");
    label_axeiol_2 = label("label_axeiol_2", fontKnormal);
    axeiol = rangee("axeiol", hauteurInter, largeurGauche,
                    {label_axeiol_1, espace_or1, tcalc_axe_frame, espace("espace_or2", 20), label_axeiol_2});
    sep_u5 = nomme(new HLigne, "sep_u5");
    label_autre = label("label_autre", fontunites,
                        QString::fromUtf8("* Si vous souhaitez une puissance cylindrique différente de celle "
                                          "proposée, cliquez ici :&nbsp;&nbsp;&nbsp;"),
                        "* If you want to select a different cylindrical power from the suggestion, click "
                        "here :&nbsp;&nbsp;&nbsp;");
    plus = nomme(new BoutonPlus, "plus");
    connect(plus, &BoutonPlus::clicked, this, &PageCalcul::click_plus);
    autre = rangee("autre", hauteurTitre - 7, largeurGauche, {label_autre, plus},
                   Qt::AlignLeft | Qt::AlignBottom);
    // Children of the lower-left area from the start, so that the rows not
    // laid out at this step still belong to the page.
    for (QWidget* w : std::initializer_list<QWidget*>{calculer, cyl, axeiol, sep_u5, autre}) {
        w->setParent(basGauche);
        w->hide();
    }
    check_basGauche = true;
    update_layoutBasGauche();
    calculer_bouton->setText("   Calculer ...");
    calculer_bouton->setEnabled(false);

    // 16. Left column.
    auto* layoutGauche = new QVBoxLayout;
    layoutGauche->setObjectName("layoutGauche");
    layoutGauche->setSpacing(0);
    layoutGauche->setContentsMargins(0, 0, 0, 0);
    layoutGauche->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* w : std::initializer_list<QWidget*>{
             vespace("espace_g1", 5),     oeil,      vespace("espace_g2", 5),     titre_preop, sph,
             nomme(new HLigne, "sep_u0"), unites,    nomme(new HLigne, "sep_u1"), K1,          K2,
             nomme(new HLigne, "sep_u2"), astpreD,   nomme(new HLigne, "sep_u3"), inc_axe,     inc_D,
             nomme(new HLigne, "sep_u4"), astcrossD, vespace("espace_g3", 6),     titre_toric, basGauche})
        layoutGauche->addWidget(w);

    // 17. Right column.
    odsch = nomme(new QLabel(" "), "odsch");
    odsch->setFont(fontOD);
    odsch->setAlignment(Qt::AlignCenter);
    odsch2 = nomme(new QLabel(" "), "odsch2");
    odsch2->setFont(fontoeil_2);
    odsch2->setAlignment(Qt::AlignCenter);
    if (*oeil_c == "gauche") {
        odsch->setText(noir("OS"));
        odsch2->setText(noir("(oeil gauche)"));
    } else if (*oeil_c == "droit") {
        odsch->setText(noir("OD"));
        odsch2->setText(noir("(oeil droit)"));
    }
    QFrame* oeilsch =
        rangee("oeilsch", hauteurLigne, largeurDroite,
               {espace("espace_odsch1", largeurDroite / 2 - QFontMetrics(fontOD).horizontalAdvance("O")),
                odsch, espace("espace_odsch2", 20), odsch2});

    dessin = nomme(new ZoneDessin(modele_iol), "dessin");
    if (*oeil_c == "gauche")
        dessin->oeil(1);
    schema = nomme(new QFrame, "schema");
    schema->setFixedWidth(largeurDroite);
    {
        auto* l = new QVBoxLayout;
        l->setSpacing(0);
        l->setContentsMargins(0, 0, 0, 0);
        l->setAlignment(Qt::AlignCenter);
        l->addWidget(dessin);
        schema->setLayout(l);
    }
    label_legK1 = label("label_legK1", fontKnormal, "Axe plat : ", "Flat axis : ");
    label_legK2 = label("label_legK2", fontKnormal, QString::fromUtf8("Axe élevé : "), "Steep axis : ");
    label_legInc = label("label_legInc", fontKnormal, "Incision :");
    dessK1 = nomme(new LegendeK1, "dessK1");
    dessK2 = nomme(new LegendeK2, "dessK2");
    dessInc = nomme(new LegendeInc, "dessInc");
    legende_schema = rangee("legende_schema", hauteurInter, largeurDroite,
                            {label_legK1, dessK1, espace("espace_leg1", 20), label_legK2, dessK2,
                             espace("espace_leg2", 20), label_legInc, dessInc},
                            Qt::AlignCenter, 0);

    label_iolpost_1 =
        label("label_iolpost_1", fontKgras, "Implant torique Brevanta :", "Brevanta toric IOL :");
    iolp = rangee("iolp", hauteurLigne, largeurDroite, {label_iolpost_1, espace_mod1, modele_frame});
    label_astpost_1 = label("label_astpost_1", fontKgras, QString::fromUtf8("Astigmatisme résiduel prévu :"),
                            "Estimated residual astigmatism :");
    label_astpost_2 = label("label_astpost_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    astpostD = rangee("astpostD", hauteurInter, largeurDroite,
                      {label_astpost_1, espace_post1, astpost_D_frame, label_astpost_2, astpost_axe_frame});
    sep_u6 = nomme(new HLigneD, "sep_u6");
    auto* warning = nomme(new QLabel, "warning");
    warning->setPixmap(LecteurImages::pixmap("attention_20.png"));
    label_attention = label("label_attention", fontunites);
    attention = rangee("attention", hauteurTitre - 7, largeurDroite, {warning, label_attention},
                       Qt::AlignLeft | Qt::AlignBottom);
    auto* warning_2 = nomme(new QLabel, "warning_2");
    warning_2->setPixmap(LecteurImages::pixmap("attention_20.png"));
    label_attention_high = label("label_attention_high", fontunites);
    attention_high = rangee("attention_high", hauteurTitre - 7, largeurDroite,
                            {warning_2, label_attention_high}, Qt::AlignLeft | Qt::AlignBottom);

    auto* layoutDroite = new QVBoxLayout;
    layoutDroite->setObjectName("layoutDroite");
    layoutDroite->setSpacing(0);
    layoutDroite->setContentsMargins(0, 0, 0, 0);
    layoutDroite->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* w : std::initializer_list<QWidget*>{
             vespace("espace_d1", 5), oeilsch, vespace("espace_d2", 5), titre_schema, schema,
             vespace("espace_d3", 2), legende_schema, vespace("espace_d4", 1), titre_postop, iolp, astpostD,
             sep_u6, attention, attention_high})
        layoutDroite->addWidget(w);
    iolp->hide();
    astpostD->hide();
    sep_u6->hide();
    attention->hide();
    attention_high->hide();

    // 18. Two white columns on the blue panel, between the side bands.
    auto* gaucheCalcul = nomme(new QFrame, "gaucheCalcul");
    gaucheCalcul->setFixedHeight(hauteurCalcul - 10);
    gaucheCalcul->setFixedWidth(largeurGauche);
    gaucheCalcul->setPalette(palbande);
    gaucheCalcul->setAutoFillBackground(true);
    gaucheCalcul->setLayout(layoutGauche);
    auto* droiteCalcul = nomme(new QFrame, "droiteCalcul");
    droiteCalcul->setFixedHeight(hauteurCalcul - 10);
    droiteCalcul->setFixedWidth(largeurDroite);
    droiteCalcul->setPalette(palbande);
    droiteCalcul->setAutoFillBackground(true);
    droiteCalcul->setLayout(layoutDroite);
    auto* centreCalcul = nomme(new QFrame, "centreCalcul");
    centreCalcul->setFixedHeight(hauteurCalcul);
    centreCalcul->setFixedWidth(925);
    centreCalcul->setPalette(palCalcul);
    centreCalcul->setAutoFillBackground(true);
    auto* layoutPageCalcul = new QHBoxLayout;
    layoutPageCalcul->setObjectName("layoutPageCalcul");
    layoutPageCalcul->setSpacing(0);
    layoutPageCalcul->setContentsMargins(0, 0, 0, 0);
    layoutPageCalcul->setAlignment(Qt::AlignCenter);
    layoutPageCalcul->addWidget(gaucheCalcul);
    layoutPageCalcul->addWidget(espace("espace5_1", 5));
    layoutPageCalcul->addWidget(droiteCalcul);
    centreCalcul->setLayout(layoutPageCalcul);
    auto* layoutPageCalcul_Fin = new QHBoxLayout;
    layoutPageCalcul_Fin->setObjectName("layoutPageCalcul_Fin");
    layoutPageCalcul_Fin->setSpacing(0);
    layoutPageCalcul_Fin->setContentsMargins(0, 0, 0, 0);
    layoutPageCalcul_Fin->setAlignment(Qt::AlignCenter);
    layoutPageCalcul_Fin->addWidget(nomme(new BandeLaterale(3, 1), "bandeGaucheCalcul"));
    layoutPageCalcul_Fin->addWidget(centreCalcul);
    layoutPageCalcul_Fin->addWidget(nomme(new BandeLaterale(3, 2), "bandeDroiteCalcul"));
    setLayout(layoutPageCalcul_Fin);

    // 19. The record's step: texts, enabled rows and the remaining values.
    upd_etape(etape);
    Accessibilite::ordonner(this);
}

PageCalcul::~PageCalcul() {
    delete test_FM;
}

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

// ---------------------------------------------------------------------------
// Measurements and texts

int PageCalcul::mesurer(const QFont& font, const QString& texte) {
    delete test_FM;
    test_FM = new QFontMetrics(font);
    test_width = test_FM->horizontalAdvance(texte);
    return test_width;
}

// Every entry of a column starts at the same x: the spacer after a row's
// leading text makes up the difference between that text and the column's
// alignment.
void PageCalcul::regler_espaces(bool anglais) {
    struct Regle {
        HEspace* e;
        const QFont* f;
        const char* fr;
        const char* en;
        int align;
    };
    const Regle regles[] = {
        {espace_sph1, &fontKnormal,
         "Puissance sphérique de l'implant (SEQ) :", "IOL spherical power (SEQ) :", alignGauche},
        {espace_u1, &fontunites, "Données kératométriques en ", "Keratometry data in ", alignGauche - 20},
        {espace_K1_1, &fontKnormal, "Axe plat : K1 ", "Flat axis : K1 ", alignGauche},
        {espace_K2_1, &fontKnormal, "Axe élévé : K2 ", "Steep axis : K2 ", alignGauche},
        {espace_pre1, &fontKgras,
         "Astigmatisme pré-opératoire :", "Pre-operative astigmatism :", alignGauche},
        {espace_inc1, &fontKnormal, "Astigmatisme induit chirurgicalement : -",
         "Surgically induced astigmatism : -", alignGauche},
        {espace_inc2, &fontKnormal, "Position de l'incision :", "Incision location :", alignGauche},
        {espace_cross1, &fontKgras,
         "Cylindre croisé (au plan cornéen) :", "Crossed cylinder (at corneal plane) :", alignGauche},
        {espace_t1, &fontKgras,
         "Puissance cylindrique conseillée * :", "Recommended cylindrical power * :", alignGauche},
        {espace_or1, &fontKgras,
         "Orientation des marques de l'implant :", "IOL axis of placement :", alignGauche},
        {espace_mod1, &fontKgras, "Implant torique Brevanta :", "Brevanta toric IOL :", alignDroite},
        {espace_post1, &fontKgras,
         "Astigmatisme résiduel prévu :", "Estimated residual astigmatism :", alignDroite},
    };
    for (const Regle& r : regles)
        r.e->setLargeur(r.align - mesurer(*r.f, QString::fromUtf8(anglais ? r.en : r.fr)));
    espace_u2->setLargeur(anglais ? 33 : 26);
}

void PageCalcul::ecrire(QLabel* label, bool en_noir) {
    const auto it = textes.constFind(label);
    if (it == textes.constEnd())
        return;
    QString t = langue_c == "en" ? it->en : it->fr;
    // The grey English form of this heading has two blanks before the colon.
    if (!en_noir && label == label_astpre_1 && langue_c == "en")
        t = "Pre-operative astigmatism  :";
    label->setText(en_noir ? noir(t) : gris(t));
}

void PageCalcul::ecrire_oeil() {
    if (!langue_connue())
        return;
    if (*oeil_c == "droit")
        odsch2->setText(noir(selon_langue("(oeil droit)", "(right eye)")));
    else if (*oeil_c == "gauche")
        odsch2->setText(noir(selon_langue("(oeil gauche)", "(left eye)")));
}

void PageCalcul::update_langue_c(QString langue) {
    langue_c = langue;
    upd_etape(etape);
    Accessibilite::appliquer(this, langue);
    marquer_saisies(true);
}

void PageCalcul::update_text_unites(int u) {
    QString unite;
    if (u == 1) {
        espace_K1_2->setLargeur(espaceInterK - test_width_D);
        espace_K2_2->setLargeur(espaceInterK - test_width_D);
        unite = "&nbsp;D";
    } else if (u == 2) {
        espace_K1_2->setLargeur(espaceInterK - test_width_mm);
        espace_K2_2->setLargeur(espaceInterK - test_width_mm);
        unite = "&nbsp;mm";
    } else {
        return;
    }
    const QString arobase = "@&nbsp;&nbsp;";
    if (etape == 3) {
        label_K1_2->setText(noir(unite));
        label_K1_22->setText(gris(arobase));
        label_K2_2->setText(gris(unite));
        label_K2_22->setText(gris(arobase));
    }
    if (etape > 3) {
        label_K1_2->setText(noir(unite));
        label_K1_22->setText(noir(arobase));
        label_K2_2->setText(gris(unite));
        label_K2_22->setText(gris(arobase));
    }
    if (etape == 5) {
        label_K2_2->setText(noir(unite));
        label_K2_22->setText(gris(arobase));
    }
    if (etape > 5) {
        label_K2_2->setText(noir(unite));
        label_K2_22->setText(noir(arobase));
    }
}

void PageCalcul::update_layoutBasGauche() {
    delete layoutBasGauche;
    layoutBasGauche = new QVBoxLayout;
    layoutBasGauche->setObjectName("layoutBasGauche");
    layoutBasGauche->setSpacing(0);
    layoutBasGauche->setContentsMargins(0, 0, 0, 0);
    if (etape <= 9) {
        cyl->hide();
        axeiol->hide();
        sep_u5->hide();
        autre->hide();
        layoutBasGauche->setAlignment(Qt::AlignCenter);
        layoutBasGauche->addWidget(calculer);
        calculer->show();
        calculer_bouton->hide();
    } else {
        calculer->hide();
        layoutBasGauche->setAlignment(Qt::AlignLeft);
        for (QWidget* w : std::initializer_list<QWidget*>{cyl, axeiol, sep_u5, autre}) {
            layoutBasGauche->addWidget(w);
            w->show();
        }
    }
    basGauche->setLayout(layoutBasGauche);
}

// ---------------------------------------------------------------------------
// The step pass

void PageCalcul::upd_etape(int e) {
    const bool langue_ok = langue_connue();
    const bool anglais = langue_c == "en";

    // 1. Palettes of the units row.
    QPalette palbuttonsGRIS;
    palbuttonsGRIS.setColor(QPalette::Window, QColor(255, 255, 255));
    palbuttonsGRIS.setColor(QPalette::WindowText, QColor(175, 175, 175));
    palbuttonsGRIS.setColor(QPalette::ButtonText, QColor(175, 175, 175));
    palbuttonsGRIS.setColor(QPalette::Text, QColor(175, 175, 175));
    QPalette palbuttons;
    palbuttons.setColor(QPalette::Window, QColor(255, 255, 255));
    palbuttons.setColor(QPalette::WindowText, QColor(0, 0, 0));
    palbuttons.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    palbuttons.setColor(QPalette::Text, QColor(0, 0, 0));

    // 2. Reset: everything greyed and disabled.
    if (e >= 0) {
        if (langue_ok) {
            oeil_droit->setText(selon_langue("OEIL DROIT (OD)", "RIGHT EYE (OD)"));
            oeil_gauche->setText(selon_langue("OEIL GAUCHE (OS)", "LEFT EYE (OS)"));
            titre_pre->setText(blanc(
                selon_langue("INFORMATIONS PR&Eacute;-OP&Eacute;RATOIRES :", "PRE-OPERATIVE INFORMATION :")));
            titre_tor->setText(
                blanc(selon_langue("IMPLANT TORIQUE CALCUL&Eacute; :", "COMPUTED TORIC IOL :")));
            titre_sch->setText(blanc(selon_langue("SCHEMA BILAN :", "SUMMARY DIAGRAM :")));
            titre_post->setText(blanc(
                selon_langue("PR&Eacute;VISIONS POST-OP&Eacute;RATOIRES :", "POST-OPERATIVE PREDICTIONS :")));
            diop->setText(selon_langue("Dioptries (D)", "Diopter (D)"));
            mili->setText(selon_langue(QString::fromUtf8("Millimètres (mm)"), "Millimeter (mm)"));
            calculer_bouton->setText(selon_langue("   Calculer ...", "  Calculation ..."));
            label_attention->setText(
                "<font color=\"#FF0000\">" +
                selon_langue(QString::fromUtf8(
                                 "&nbsp;&nbsp;Attention à l'inversion de l'astigmatisme (sur-correction)"),
                             "&nbsp;&nbsp;Be careful of astigmatism inversion (over-correcting)") +
                "</font>");
            label_attention_high->setText(
                "<font color=\"#FF0000\">" +
                selon_langue(
                    QString::fromUtf8(
                        "&nbsp;&nbsp;Attention, l'astigmatisme résiduel est élevé (sous-correction)"),
                    "&nbsp;&nbsp;Be careful, residual astigmatism is high (sub-correction)") +
                "</font>");
            attention->hide();
            attention_high->hide();

            regler_espaces(anglais);
        }

        // Rows not usable at this step are disabled. A row that the stages
        // below enable again is not disabled in passing: that would take the
        // keyboard focus out of the entry being typed into, which then
        // rewrites its text and garbles the digits that follow.
        sph->setEnabled(e > 0);
        unites->setEnabled(e > 1);
        K1->setEnabled(e > 2);
        K2->setEnabled(e > 4);
        astpreD->setEnabled(e > 5);
        inc_axe->setEnabled(e > 5);
        inc_D->setEnabled(e > 6);
        astcrossD->setEnabled(e > 6);
        iolp->setEnabled(e == 10);
        astpostD->setEnabled(e == 10);
        unites->setPalette(palbuttonsGRIS);
        // A result withdrawn (the page back at the Calculate step) leaves
        // no lens and no residual on screen.
        if (e != 10) {
            iolp->hide();
            astpostD->hide();
            sep_u6->hide();
        }

        if (langue_ok) {
            for (auto it = textes.constBegin(); it != textes.constEnd(); ++it)
                ecrire(it.key(), false);
            label_K1_2->setText(gris("&nbsp;D"));
            label_K2_2->setText(gris("&nbsp;D"));
            label_tperfect_D->setText(gris(selon_langue(QString::fromUtf8("(idéale : "), "(ideal : ")) +
                                      tperfect_D_str + gris(" D)"));
        }
        for (QFrame* f : std::initializer_list<QFrame*>{astpre_D_frame, astpre_axe_frame, astcross_D_frame,
                                                        astcross_axe_frame, tcalc_D_frame, tcalc_axe_frame,
                                                        modele_frame, astpost_D_frame, astpost_axe_frame})
            f->setStyleSheet(STYLE_GRIS);
    }

    // 3. The eye is known: the spherical power.
    if (e > 0) {
        sph->setEnabled(true);
        if (langue_ok) {
            ecrire(label_sph_1, true);
            ecrire(label_sph_2, true);
        }
        ecrire_oeil();
        update_layoutBasGauche();
    }

    // 4. The power is known: the unit (selecting it may run a nested pass).
    if (e > 1) {
        unites->setEnabled(true);
        unites->setPalette(palbuttons);
        if (langue_ok)
            ecrire(label_unites, true);
        if (unit_ind == 1)
            diop->setChecked(true);
        else if (unit_ind == 2)
            mili->setChecked(true);
        update_layoutBasGauche();
    }

    // 5. K1.
    if (e > 2) {
        K1->setEnabled(true);
        spinaxe_K1->setEnabled(false);
        if (langue_ok) {
            ecrire(label_K1_1, true);
            ecrire(label_K1_11, true);
        }
        update_text_unites(unit_ind);
        update_layoutBasGauche();
    }

    // 6. K2, its axis not yet.
    if (e > 4) {
        K2->setEnabled(true);
        spinaxe_K2->setEnabled(e > 5); // its axis from step 7 on
        if (langue_ok) {
            ecrire(label_K2_1, true);
            ecrire(label_K2_11, true);
        }
        update_text_unites(unit_ind);
        update_layoutBasGauche();
    }

    // 7. The K2 axis, the incision location and the pre-operative values.
    if (e > 5) {
        spinaxe_K2->setEnabled(true);
        label_K2_3->setText(noir(QString::fromUtf8("&nbsp;°")));
        update_text_unites(unit_ind);
        // Only a value that differs is set: the text being typed (180 for
        // 0, a number out of limits) stays as typed.
        if (spinaxe_K2->value() != K2axe)
            spinaxe_K2->setValue(K2axe);
        astpreD->setEnabled(true);
        inc_axe->setEnabled(true);
        if (spinaxe_inc->value() != incaxe)
            spinaxe_inc->setValue(incaxe);
        if (Verification::dans_limites(55, K2axe)) {
            dessin->rotation_K1(K1axe);
            dessin->rotation_K2(K2axe);
        }
        if (Verification::dans_limites(81, incaxe))
            dessin->incision(incaxe);
        if (langue_ok) {
            for (QLabel* l :
                 std::initializer_list<QLabel*>{label_legK1, label_legK2, label_legInc, label_astpre_1,
                                                label_astpre_2, label_inc_3, label_inc_4})
                ecrire(l, true);
        }
        astpre_D_frame->setStyleSheet(STYLE_ACTIF);
        astpre_axe_frame->setStyleSheet(STYLE_ACTIF);
        update_astpre();
        update_layoutBasGauche();
    }

    // 8. The induced astigmatism, the crossed cylinder and the calculate button.
    if (e > 6) {
        inc_D->setEnabled(true);
        astcrossD->setEnabled(true);
        if (langue_ok) {
            for (QLabel* l : std::initializer_list<QLabel*>{label_inc_1, label_inc_11, label_inc_2,
                                                            label_astcross_1, label_astcross_2})
                ecrire(l, true);
        }
        astcross_D_frame->setStyleSheet(STYLE_ACTIF);
        astcross_axe_frame->setStyleSheet(STYLE_ACTIF);
        update_astcross();
        update_layoutBasGauche();
        calculer_bouton->show();
        calculer_bouton->setEnabled(true);
    }

    // 9. Results.
    if (e == 10) {
        iolp->show();
        iolp->setEnabled(true);
        astpostD->show();
        astpostD->setEnabled(true);
        sep_u6->show();
        if (langue_ok) {
            ecrire(label_iolpost_1, true);
            ecrire(label_astpost_1, true);
            ecrire(label_astpost_2, true);
        }
        modele_frame->setStyleSheet(STYLE_RESULTAT);
        astpost_D_frame->setStyleSheet(STYLE_RESULTAT);
        astpost_axe_frame->setStyleSheet(STYLE_RESULTAT);
        if (check_basGauche) {
            update_layoutBasGauche();
            if (langue_ok) {
                ecrire(label_cyl_1, true);
                ecrire(label_axeiol_1, true);
                ecrire(label_autre, true);
            }
            tcalc_D_frame->setStyleSheet(STYLE_CONSEIL);
            tcalc_axe_frame->setStyleSheet(STYLE_CONSEIL);
            update_tcalc();
        }
    }

    // 10. The diagram and its legends follow the step.
    dessin->upd_etape_dessin(e);
    dessK1->upd_etape_legende(e);
    dessK2->upd_etape_legende(e);
    dessInc->upd_etape_legende(e);
    marquer_saisies();
}

// ---------------------------------------------------------------------------
// Optics: the engine computes, the page shows

void PageCalcul::moteur_entrees() {
    moteur.unit_ind = unit_ind;
    moteur.K1D = K1D;
    moteur.K2D = K2D;
    moteur.K1mm = K1mm;
    moteur.K2mm = K2mm;
    // An axis typed outside its circle (or with a fraction) is no meridian:
    // the last one stays in the calculation until the entry holds one.
    if (Verification::dans_limites(55, K2axe)) {
        moteur.K1axe = K1axe;
        moteur.K2axe = K2axe;
    }
    moteur.incD = incD;
    if (Verification::dans_limites(81, incaxe))
        moteur.incaxe = incaxe;
    moteur.p_sph = p_sph;
}

void PageCalcul::update_astpre() {
    moteur_entrees();
    moteur.calcul_astpre();
    astpre_D = moteur.astpre_D;
    astpre_axe = moteur.astpre_axe;
    astpre_D_str = CalculTorique::texte_D(astpre_D);
    astpre_axe_str = QString::number(astpre_axe);
    label_astpre_D->setText(astpre_D_str + " D");
    label_astpre_axe->setText(astpre_axe_str + " °");
    if (etape > 6)
        update_astcross();
}

void PageCalcul::calcul_astcross() {
    moteur_entrees();
    // The corneal profile uses the pre-operative astigmatism last shown.
    moteur.astpre_D = astpre_D;
    moteur.astpre_axe = astpre_axe;
    moteur.calcul_astcross();
    astcross_D = moteur.astcross_D;
    astcross_axe = moteur.astcross_axe;
}

void PageCalcul::update_astcross() {
    calcul_astcross();
    astcross_D_str = CalculTorique::texte_D(astcross_D);
    astcross_axe_str = QString::number(astcross_axe);
    label_astcross_D->setText(astcross_D_str + " D");
    label_astcross_axe->setText(astcross_axe_str + " °");
    if (check_basGauche && etape > 9)
        update_tcalc();
}

void PageCalcul::calcul_Kcornee_planIOL() {
    moteur.calcul_Kcornee_planIOL();
    tperfect_D = moteur.tperfect_D;
}

void PageCalcul::calcul_crossCyl_planIOL() {
    moteur.p_sph = p_sph;
    moteur.calcul_crossCyl_planIOL();
}

void PageCalcul::calcul_astPost_planCORNEE() {
    moteur.calcul_astPost_planCORNEE();
    tcalc_D = moteur.tcalc_D;
    astpost_D = moteur.astpost_D;
    astpost_axe = moteur.astpost_axe;
}

void PageCalcul::update_tcalc() {
    calcul_Kcornee_planIOL();
    calcul_crossCyl_planIOL();
    calcul_astPost_planCORNEE();

    tcalc_D_str = CalculTorique::texte_D(tcalc_D);
    tperfect_D_str = CalculTorique::texte_tperfect(tperfect_D);
    tcalc_axe = astcross_axe;
    moteur.tcalc_axe = tcalc_axe;
    tcalc_axe_str = QString::number(tcalc_axe);
    label_tcalc_D->setText(tcalc_D_str + " D");
    if (langue_connue()) {
        const QString ouverture = selon_langue(QString::fromUtf8("(idéale : "), "(ideal : ");
        const QString couleur = check_basGauche ? "<font color=\"#000000\">" : "<font color=\"#AFAFAF\">";
        label_tperfect_D->setText(couleur + ouverture + tperfect_D_str + couleur + " D)</font>");
    }
    label_tcalc_axe->setText(tcalc_axe_str + " °");
    if (etape > 9) {
        choix_torique = tcalc_D;
        update_astpost();
    }
    dessin->rotation_iol(tcalc_axe);
}

void PageCalcul::update_astpost() {
    astpost_D = moteur.residuel_D(choix_torique);
    astpost_axe = moteur.residuel_axe(choix_torique);
    astpost_D_str = CalculTorique::texte_D(astpost_D);
    astpost_axe_str = QString::number(astpost_axe);
    label_astpost_D->setText(astpost_D_str + " D");
    label_astpost_axe->setText(astpost_axe_str + " °");
    choix_torique_str = CalculTorique::texte_D(choix_torique);
    label_iolpost_3->setText(modele_iol + " T" + choix_torique_str);
    // Axes are compared on the 180-degree circle: 179 and 0 are neighbours.
    const CalculTorique::Avertissement a = CalculTorique::avertissement(astcross_axe, astpost_axe, astpost_D);
    attention->setVisible(a == CalculTorique::INVERSION);
    attention_high->setVisible(a == CalculTorique::ELEVE);
}

// ---------------------------------------------------------------------------
// The inputs against the checks

// Counts the input slots running (they nest: a unit sets the K entries, the
// steep axis sets the hidden flat one); the outermost ends with
// apres_saisie(), once every value it changes is in place.
class PageCalcul::Garde {
public:
    explicit Garde(PageCalcul* p) : p(p) { ++p->saisies_en_cours; }
    ~Garde() {
        if (--p->saisies_en_cours == 0)
            p->apres_saisie();
    }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    PageCalcul* p;
};

void PageCalcul::apres_saisie() {
    marquer_saisies();
    suivre_verification();
}

int PageCalcul::code_calcul() {
    // The fields the checks read, as the main window's snapshot takes them
    // when Calculate is pressed (step 7).
    ListParam& p = *controle;
    p.enab_od_t = enab_od;
    p.enab_og_t = enab_og;
    p.sph_ind_t = sph_ind;
    p.unit_ind_t = unit_ind;
    p.K1D_t = K1D;
    p.K2D_t = K2D;
    p.K1mm_t = K1mm;
    p.K2mm_t = K2mm;
    p.K1axe_t = K1axe;
    p.K2axe_t = K2axe;
    p.incD_t = incD;
    p.incaxe_t = incaxe;
    p.astpre_D_t = astpre_D;
    p.astpre_axe_t = astpre_axe;
    p.astcross_D_t = astcross_D;
    p.astcross_axe_t = astcross_axe;
    p.etape_t = 7;
    const int code = Verification::code(p);
    return code == 70 ? 0 : code;
}

// A result stays on screen only while the inputs pass the checks of the
// Calculate button: an input that fails them takes the page back to the
// Calculate step (no lens, no residual, the button there to say why), and
// the result comes back as soon as they pass again.
void PageCalcul::suivre_verification() {
    if (etape > 9) {
        if (code_calcul() != 0) {
            resultats_retires = true;
            ok_err = false;
            etape = 7;
            upd_etape(7);
        }
    } else if (resultats_retires && etape == 7 && langue_connue() && code_calcul() == 0) {
        resultats_retires = false;
        ok_err = true;
        etape = 10;
        upd_etape(10);
    }
}

void PageCalcul::marquer_saisies(bool textes) {
    if (!spin_inc)
        return;
    const bool mm = unit_ind == 2;
    struct Entree {
        QAbstractSpinBox* s;
        int code;
        double valeur;
        bool active;
    };
    // An entry is judged once its value counts: K1 from step 5, K2 and the
    // axes from step 7, the induced astigmatism once usable.
    const Entree entrees[5] = {
        {spin_K1, Verification::code_kerato(1, unit_ind), mm ? K1mm : K1D, etape > 3},
        {spin_K2, Verification::code_kerato(2, unit_ind), mm ? K2mm : K2D, etape > 5},
        {spinaxe_K2, 55, double(K2axe), etape > 5},
        {spinaxe_inc, 81, double(incaxe), etape > 5},
        {spin_inc, 80, incD, etape > 6},
    };
    const bool en = langue_c == "en";
    for (int i = 0; i < 5; ++i) {
        const Entree& e = entrees[i];
        const bool hors = e.active && !Verification::dans_limites(e.code, e.valeur);
        const int marque = e.code * 2 + (hors ? 1 : 0);
        if (marque == marques[i] && !textes)
            continue;
        marques[i] = marque;
        SaisieNombre::marquer(e.s, hors);
        if (!langue_connue())
            continue;
        // "Limites : de 0.00 à 5.00 D", and the entry's own description
        // followed by "valeur hors limites ; limites : ..." for a screen
        // reader.
        const QString limites = Verification::limites(e.code, langue_c);
        const QString sep = en ? "; " : " ; ";
        const QString lim = (en ? "range: " : "limites : ") + limites;
        const QString hors_txt = en ? "value out of range" : "valeur hors limites";
        e.s->setToolTip(hors ? (en ? "Value out of range. Range: " : "Valeur hors limites. Limites : ") +
                                   limites
                             : (en ? "Range: " : "Limites : ") + limites);
        e.s->setAccessibleDescription(Accessibilite::description(e.s->objectName(), langue_c) + sep +
                                      (hors ? hors_txt + sep : QString()) + lim);
    }
}

bool PageCalcul::eventFilter(QObject* obj, QEvent* event) {
    if (event->type() == QEvent::Wheel)
        return true;
    return QFrame::eventFilter(obj, event);
}

// ---------------------------------------------------------------------------
// Inputs

void PageCalcul::click_od() {
    Garde garde(this);
    oeil_c = std::make_shared<const QString>("droit");
    enab_od = true;
    enab_og = false;
    od->show();
    od->setEnabled(true);
    og->hide();
    og->setEnabled(false);
    espace47_o1->show();
    odsch->setText(noir("OD"));
    ecrire_oeil();
    dessin->oeil(0);
    if (etape <= 5) {
        incaxe = 180;
        spinaxe_inc->setValue(180);
    }
    if (etape == 0) {
        etape = 1;
        upd_etape(1);
    }
}

void PageCalcul::click_og() {
    Garde garde(this);
    oeil_c = std::make_shared<const QString>("gauche");
    enab_og = true;
    enab_od = false;
    og->show();
    og->setEnabled(true);
    od->hide();
    od->setEnabled(false);
    espace47_o1->show();
    odsch->setText(noir("OS"));
    ecrire_oeil();
    dessin->oeil(1);
    if (etape <= 5) {
        incaxe = 0;
        spinaxe_inc->setValue(0);
    }
    if (etape == 0) {
        etape = 1;
        upd_etape(1);
    }
}

void PageCalcul::update_sph(int s) {
    Garde garde(this);
    sph_ind = s;
    if (s == 0 && langue_connue()) {
        QMessageBox box(
            QMessageBox::Information,
            selon_langue(QString::fromUtf8("Puissance sphérique"), "Spherical power"),
            selon_langue(QString::fromUtf8("Vous devez indiquer une <b>puissance sphérique</b> pour "
                                           "l'implant.<br>Elle est identique à celle calculée pour un "
                                           "implant non torique."),
                         "Please enter the IOL <b>spherical power</b>.<br>It is the same as the one "
                         "computed for a non-toric IOL."),
            QMessageBox::NoButton, this);
        box.setObjectName("message_puissance");
        box.addButton(QMessageBox::Ok);
        Dialogues::exec(&box);
    }
    puiss_sph = combo_sph->currentText();
    p_sph = puiss_sph.toDouble();
    if (etape == 1) {
        etape = 2;
        upd_etape(2);
    }
    if (etape > 9)
        update_tcalc();
}

void PageCalcul::update_unites(bool selectionne) {
    // Both buttons report a switch (one unchecked, one checked); converting
    // once, on the button that becomes selected, keeps the converted value
    // at the two decimals the entry shows.
    if (!selectionne)
        return;
    Garde garde(this);
    if (etape == 3)
        change_unit_ind = true;
    if (diop->isChecked())
        unit_ind = 1;
    else if (mili->isChecked())
        unit_ind = 2;
    update_text_unites(unit_ind);
    if (unit_ind == 1) {
        if (etape >= 3 && K1mm > 0)
            K1D = CalculTorique::KERATO / K1mm;
        if (etape >= 5 && K2mm > 0)
            K2D = CalculTorique::KERATO / K2mm;
        spin_K1->setSingleStep(0.25);
        spin_K2->setSingleStep(0.25);
        spin_K1->setValue(K1D);
        spin_K2->setValue(K2D);
    } else if (unit_ind == 2) {
        if (etape >= 3 && K1D > 0)
            K1mm = CalculTorique::KERATO / K1D;
        if (etape >= 5 && K2D > 0)
            K2mm = CalculTorique::KERATO / K2D;
        spin_K1->setSingleStep(0.1);
        spin_K2->setSingleStep(0.1);
        spin_K1->setValue(K1mm);
        spin_K2->setValue(K2mm);
    }
    if (etape > 5)
        update_astpre();
    if (etape == 2) {
        etape = 3;
        upd_etape(3);
    }
}

void PageCalcul::update_K1D(double k1) {
    Garde garde(this);
    if (unit_ind == 1)
        K1D = k1;
    else if (unit_ind == 2)
        K1mm = k1;
    if (etape > 5)
        update_astpre();
    if (etape == 3) {
        etape = 5;
        upd_etape(5);
        spin_K1->setFocus(Qt::OtherFocusReason);
    }
    change_unit_ind = false;
}

void PageCalcul::update_K2D(double k2) {
    Garde garde(this);
    if (unit_ind == 1)
        K2D = k2;
    else if (unit_ind == 2)
        K2mm = k2;
    if (etape > 5)
        update_astpre();
    if (etape == 5) {
        etape = 7;
        upd_etape(7);
        spin_K2->setFocus(Qt::OtherFocusReason);
    }
}

void PageCalcul::update_K1axe(int a1) {
    Garde garde(this);
    K1axe = a1;
    K2axe = a1 + 90 > 179 ? a1 - 90 : a1 + 90;
    if (etape > 5) {
        if (spinaxe_K2->value() != K2axe)
            spinaxe_K2->setValue(K2axe);
        update_astpre();
    }
    dessin->rotation_K1(K1axe);
}

void PageCalcul::update_K2axe(int a2) {
    Garde garde(this);
    // 180 is the meridian 0 (typed, the entry already gives 0).
    if (a2 == 180) {
        spinaxe_K2->setValue(0);
        return;
    }
    K2axe = a2;
    // Outside 0..179 the entry holds no meridian: kept for the checks,
    // neither computed nor drawn.
    if (!Verification::dans_limites(55, a2))
        return;
    K1axe = a2 + 90 >= 180 ? a2 - 90 : a2 + 90;
    spinaxe_K1->setValue(K1axe);
    if (etape > 5)
        update_astpre();
    dessin->rotation_K2(K2axe);
}

void PageCalcul::update_incD(double ki) {
    Garde garde(this);
    incD = ki;
    if (etape > 6)
        update_astcross();
}

void PageCalcul::update_incaxe(int ai) {
    Garde garde(this);
    // 360 is the meridian 0, as for the steep axis.
    if (ai == 360) {
        spinaxe_inc->setValue(0);
        return;
    }
    incaxe = ai;
    if (!Verification::dans_limites(81, ai))
        return;
    if (etape > 6)
        update_astcross();
    dessin->incision(incaxe);
}

void PageCalcul::etape10() {
    // The main window checks the inputs during the emission and leaves
    // ok_err true exactly when they were accepted.
    const bool clavier = calculer_bouton->hasFocus();
    emit verif();
    if (ok_err)
        resultats_retires = false;
    etape = ok_err ? 10 : 7;
    upd_etape(etape);
    // The result takes the place of the button: the keyboard goes on with
    // the choice of another cylinder beside it.
    if (clavier && etape == 10)
        plus->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// Another cylinder of the range

void PageCalcul::click_plus() {
    int actuel = gamme_double_tot.indexOf(choix_torique);
    if (actuel < 0)
        actuel = 0;
    // Each power with its residual and its residual if the lens turns: the
    // turned trials are computed here, once per opening, never while typing.
    const QStringList items = ChoixPuissance::items(moteur, gamme_tot, langue_c);
    const QString texte_actuel = items.value(actuel);

    QInputDialog dialogue(this);
    dialogue.setObjectName("choix_puissance");
    if (langue_c == "en") {
        dialogue.setWindowTitle(tr("Selection of a different cylindrical power"));
        dialogue.setLabelText(tr("Select in the Brevanta toric range the desired power :            "));
    } else if (langue_c == "fr") {
        dialogue.setWindowTitle(tr("Choix d'une puissance cylindrique différente"));
        dialogue.setLabelText(tr("Choisissez dans la gamme torique Brevanta la puissance souhaitée :"));
    }
    dialogue.setComboBoxItems(items);
    dialogue.setTextValue(texte_actuel);
    dialogue.setComboBoxEditable(false);
    const int r = Dialogues::exec(&dialogue);
    // Cancel gives back the power shown, which is applied again. The item
    // picked stands for the power of the range at its place.
    const int choisi = r ? items.indexOf(dialogue.textValue()) : actuel;
    choix_torique = gamme_double_tot.value(choisi < 0 ? actuel : choisi);
    update_astpost();
}
