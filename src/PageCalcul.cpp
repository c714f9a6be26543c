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
#include "Textes.h"
#include "VEspace.h"
#include "Verification.h"
#include "ZoneDessin.h"

#include <QCheckBox>
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

// Geometry of the page (pixels): its height, the widths of the two columns,
// the heights of a row, of a compact row and of a section title.
constexpr int HAUTEUR_CALCUL = 550;
constexpr int LARGEUR_GAUCHE = 500;
constexpr int LARGEUR_DROITE = 400;
constexpr int HAUTEUR_LIGNE = 40;
constexpr int HAUTEUR_INTER = 35;
constexpr int HAUTEUR_TITRE = 30;

const QColor BLANC(255, 255, 255), GRIS_CLAIR(150, 150, 150), GRIS_GRIS(175, 175, 175), BLEU(0, 160, 194);

// Palettes, each built once, on first use: a widget takes only the roles
// set here and inherits the others.
QPalette palette_de(std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles) {
    QPalette p;
    for (const auto& r : roles)
        p.setColor(r.first, r.second);
    return p;
}

// The units row: grey text until the row is usable, black after.
const QPalette& palette_unites(bool actif) {
    static const QPalette grise = palette_de({{QPalette::Window, BLANC},
                                              {QPalette::WindowText, GRIS_GRIS},
                                              {QPalette::ButtonText, GRIS_GRIS},
                                              {QPalette::Text, GRIS_GRIS}});
    static const QPalette active = palette_de({{QPalette::Window, BLANC},
                                               {QPalette::WindowText, QColor(0, 0, 0)},
                                               {QPalette::ButtonText, QColor(0, 0, 0)},
                                               {QPalette::Text, QColor(0, 0, 0)}});
    return actif ? active : grise;
}
// The pre-operative and crossed-cylinder value boxes.
const QPalette& palette_boite() {
    static const QPalette p = palette_de({{QPalette::Window, GRIS_CLAIR}, {QPalette::WindowText, BLANC}});
    return p;
}
// The spherical power list: rows alternate white and grey.
const QPalette& palette_liste() {
    static const QPalette p = palette_de({{QPalette::Base, BLANC}, {QPalette::AlternateBase, GRIS_GRIS}});
    return p;
}
// The blue panel under the two columns.
const QPalette& palette_panneau() {
    static const QPalette p = palette_de({{QPalette::Window, BLEU}, {QPalette::Base, BLANC}});
    return p;
}
// The two white columns.
const QPalette& palette_colonne() {
    static const QPalette p = palette_de({{QPalette::Window, BLANC}});
    return p;
}

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
QString rouge(const QString& t) {
    return "<font color=\"#FF0000\">" + t + "</font>";
}

// The calculate button's text, clear of its icon.
QString texte_calculer(const QString& langue) {
    return Textes::selon(langue, "   ", "  ") + Textes::texte(Textes::CALCULER, langue) + " ...";
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

// A white column of the panel: its rows one under the other from the top.
QFrame* colonne(const char* nom, const char* nom_layout, int largeur,
                std::initializer_list<QWidget*> rangees) {
    auto* l = new QVBoxLayout;
    l->setObjectName(nom_layout);
    l->setSpacing(0);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* w : rangees)
        l->addWidget(w);
    auto* f = nomme(new QFrame, nom);
    f->setFixedHeight(HAUTEUR_CALCUL - 10);
    f->setFixedWidth(largeur);
    f->setPalette(palette_colonne());
    f->setAutoFillBackground(true);
    f->setLayout(l);
    return f;
}

} // namespace

PageCalcul::PageCalcul(ListParam* param) : QFrame(nullptr) {
    // Base: a decimal point whatever the system, click focus.
    setObjectName("calcul");
    setLocale(QLocale(QLocale::English, QLocale::AnyTerritory));
    setFocusPolicy(Qt::ClickFocus);

    // The record, and the one the checks of the page are run on.
    transfertParam(param);
    controle = std::make_unique<ListParam>();

    check_basGauche = false;
    change_unit_ind = false;
    alignGauche = 280;
    alignDroite = 220;
    espaceInterK = 34;
    setFixedHeight(HAUTEUR_CALCUL);

    // The toric range, as the choice dialog lists it.
    for (int n = 0; n < moteur.gamme_tot.size(); ++n) {
        gamme_tot << tr(qPrintable(moteur.gamme_tot.at(n)));
        gamme_double_tot << moteur.gamme_double_tot.at(n);
    }

    const Polices polices = choisir_polices();
    QFrame* oeil = construire_oeil(polices.oeil);
    QFrame* titre_preop =
        construire_titre("titre_pre", "titre_preop", LARGEUR_GAUCHE, titre_pre, true, polices);
    QFrame* titre_toric =
        construire_titre("titre_tor", "titre_toric", LARGEUR_GAUCHE, titre_tor, false, polices);
    QFrame* titre_schema =
        construire_titre("titre_sch", "titre_schema", LARGEUR_DROITE, titre_sch, false, polices);
    QFrame* titre_postop =
        construire_titre("titre_post", "titre_postop", LARGEUR_DROITE, titre_post, false, polices);
    construire_espaces();
    construire_puissance();
    construire_unites();
    construire_K();
    construire_preop(polices.ast);
    construire_incision();
    construire_croise(polices.ast);
    construire_implant(polices.ast);
    construire_basGauche();

    QFrame* gaucheCalcul = colonne(
        "gaucheCalcul", "layoutGauche", LARGEUR_GAUCHE,
        {vespace("espace_g1", 5),     oeil,      vespace("espace_g2", 5),     titre_preop, sph,
         nomme(new HLigne, "sep_u0"), unites,    nomme(new HLigne, "sep_u1"), K1,          K2,
         nomme(new HLigne, "sep_u2"), astpreD,   nomme(new HLigne, "sep_u3"), inc_axe,     inc_D,
         nomme(new HLigne, "sep_u4"), astcrossD, vespace("espace_g3", 6),     titre_toric, basGauche});
    QFrame* oeilsch = construire_oeil_schema(polices);
    construire_schema();
    construire_previsions(polices.ast);
    QFrame* droiteCalcul = colonne("droiteCalcul", "layoutDroite", LARGEUR_DROITE,
                                   {vespace("espace_d1", 5), oeilsch, vespace("espace_d2", 5), titre_schema,
                                    schema, vespace("espace_d3", 2), legende_schema, vespace("espace_d4", 1),
                                    titre_postop, iolp, astpostD, sep_u6, attention, attention_high});
    for (QWidget* w : std::initializer_list<QWidget*>{iolp, astpostD, sep_u6, attention, attention_high})
        w->hide();
    assembler(gaucheCalcul, droiteCalcul);
    // Every entry of a column at the same x, measured on the French texts.
    regler_espaces(false);

    // The record's step: texts, enabled rows and the remaining values.
    upd_etape(etape);
    Accessibilite::ordonner(this);
}

// ---------------------------------------------------------------------------
// Construction, section by section

// The fonts at level 0, then smaller ones while the widest French heading
// does not fit before the column's alignment.
PageCalcul::Polices PageCalcul::choisir_polices() {
    Polices p{QFont("Arial", 8, QFont::Normal), QFont("Arial", 11, QFont::Bold),
              QFont("Arial", 11, QFont::Bold), QFont("Arial", 26, QFont::Bold),
              QFont("Arial", 14, QFont::Bold)};
    fontunites = QFont("Arial", 8, QFont::Normal, true);
    fontKgras = QFont("Arial", 10, QFont::Bold);
    fontKnormal = QFont("Arial", 10, QFont::Normal);
    auto niveau = [&](int n) {
        static const int tailles[8][3] = {{8, 7, 6},    {11, 10, 9}, {11, 10, 9}, {26, 24, 22},
                                          {14, 12, 11}, {8, 7, 6},   {10, 9, 8},  {10, 9, 8}};
        QFont* fonts[8] = {&p.oeil,   &p.titre,    &p.ast,     &p.OD,
                           &p.oeil_2, &fontunites, &fontKgras, &fontKnormal};
        for (int i = 0; i < 8; ++i)
            fonts[i]->setPointSize(tailles[i][n]);
    };
    const QString mesure_police = Textes::texte(Textes::ORIENTATION_MARQUES, "fr", Textes::LIBELLE);
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
    return p;
}

// A label of a row; its texts, when given, are written grey or black by
// the step pass.
QLabel* PageCalcul::etiquette(const char* nom, const QFont& f, const QString& fr, const QString& en) {
    auto* l = new QLabel;
    l->setObjectName(nom);
    l->setFont(f);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (!fr.isNull())
        textes.insert(l, {fr, en.isNull() ? fr : en});
    return l;
}

// The same for a text of the table of texts, in a form, followed by `suite`.
QLabel* PageCalcul::etiquette(const char* nom, const QFont& f, Textes::Cle cle, Textes::Forme forme,
                              const char* suite) {
    return etiquette(nom, f, Textes::texte(cle, "fr", forme) + QLatin1String(suite),
                     Textes::texte(cle, "en", forme) + QLatin1String(suite));
}

// The eye buttons, with the blue eye picture beside the chosen one.
QFrame* PageCalcul::construire_oeil(const QFont& fontoeil) {
    oeil_droit = nomme(new BoutonPersoVert(110, 25), "oeil_droit");
    oeil_droit->setText(Textes::texte(Textes::OEIL_DROIT_OD, "fr"));
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
    oeil_gauche->setText(Textes::texte(Textes::OEIL_GAUCHE_OS, "fr"));
    oeil_gauche->setFont(fontoeil);
    connect(oeil_gauche, &BoutonStyle::click, this, &PageCalcul::click_og);
    QFrame* oeil = rangee("oeil", HAUTEUR_LIGNE, LARGEUR_GAUCHE,
                          {oeil_droit, espace("espace20_o1", 20), od, espace("espace75_o1", 75), espace47_o1,
                           og, espace("espace20_o2", 20), oeil_gauche},
                          Qt::AlignCenter, 0);
    espace47_o1->hide();
    return oeil;
}

// A section title: white text in a blue frame with rounded corners.
QFrame* PageCalcul::construire_titre(const char* nom_label, const char* nom_cadre, int largeur, QLabel*& lab,
                                     bool centre_v, const Polices& polices) {
    lab = new QLabel;
    lab->setObjectName(nom_label);
    lab->setFont(polices.titre);
    lab->setAlignment(centre_v ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignLeft);
    auto* cadre = new QFrame;
    cadre->setObjectName(nom_cadre);
    cadre->setFixedHeight(HAUTEUR_TITRE);
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
}

// Alignment spacers, measured once their rows' labels exist.
void PageCalcul::construire_espaces() {
    espace_sph1 = espace("espace_sph1", 0);
    espace_u1 = espace("espace_u1", 0);
    espace_u2 = espace("espace_u2", 26);
    espace_K1_1 = espace("espace_K1_1", 0);
    espace_K1_2 = espace("espace_K1_2", espaceInterK - test_width_D);
    espace_K1_3 = espace("espace_K1_3", espaceInterK - test_width_D);
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
}

// The spherical power: a list of 10.0 to 35.0 D by 0.5 after the " ----"
// placeholder, its drop-down rows alternating white and grey.
void PageCalcul::construire_puissance() {
    label_sph_1 = etiquette("label_sph_1", fontKnormal, Textes::PUISSANCE_SEQ);
    label_sph_2 = etiquette("label_sph_2", fontKnormal, "&nbsp;D");
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
    combo_sph->setPalette(palette_liste());
    combo_sph->setFixedWidth(QFontMetrics(fontKnormal).horizontalAdvance("20.0") + 30);
    connect(combo_sph, &QComboBox::currentIndexChanged, this, &PageCalcul::update_sph);
    combo_sph->installEventFilter(this);
    sph = rangee("sph", HAUTEUR_LIGNE, LARGEUR_GAUCHE, {label_sph_1, espace_sph1, combo_sph, label_sph_2});
}

// The keratometry unit: dioptres or millimetres of radius.
void PageCalcul::construire_unites() {
    label_unites = etiquette("label_unites", fontunites, QString::fromUtf8("Données kératométriques en "),
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
    unites =
        rangee("unites", HAUTEUR_INTER, LARGEUR_GAUCHE, {label_unites, espace_u1, diop, espace_u2, mili});
    unites->setAutoFillBackground(true);
    connect(diop, &QRadioButton::toggled, this, &PageCalcul::update_unites);
    connect(mili, &QRadioButton::toggled, this, &PageCalcul::update_unites);
}

// The keratometry rows: K1 and its (hidden) axis, K2 and the steep axis.
// Every value is given before the connection.
void PageCalcul::construire_K() {
    label_K1_1 = etiquette("label_K1_1", fontKnormal, Textes::AXE_PLAT);
    label_K1_11 = etiquette("label_K1_11", fontKgras, "K1&nbsp;&nbsp;");
    label_K1_2 = etiquette("label_K1_2", fontKnormal);
    label_K1_22 = etiquette("label_K1_22", fontKnormal, "@&nbsp;&nbsp;");
    label_K1_3 = etiquette("label_K1_3", fontKnormal, QString::fromUtf8("&nbsp;°"));
    // The entries hold what is typed (a comma is the decimal point, a
    // number beyond the limits is kept and shown as invalid); the arrows
    // keep to the toolkit's default range for K and to the circle for the
    // axes.
    spin_K1 = nomme(new SaisieDecimale(0.0, 99.99), "spin_K1");
    spin_K1->setFont(fontKnormal);
    spinaxe_K1 = nomme(new QSpinBox, "spinaxe_K1");
    spinaxe_K1->setFont(fontKnormal);
    spinaxe_K1->setRange(0, 180);
    spinaxe_K1->setWrapping(true);
    spinaxe_K1->setSingleStep(5);
    spinaxe_K1->setValue(K1axe);
    // The basis of the lens choice stands where the K2 row has its axis,
    // in the units row's upright font; the record's choice, before its
    // connection.
    posterieure_case = nomme(new QCheckBox, "posterieure");
    QFont fontcase = fontunites;
    fontcase.setItalic(false);
    posterieure_case->setFont(fontcase);
    // Free to take the row's height as its labels do: a box of fixed
    // height would bound the row's layout and move the whole row.
    posterieure_case->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    posterieure_case->setChecked(posterieure != CorneePosterieure::AUCUNE);
    K1 = rangee("K1", 41, LARGEUR_GAUCHE,
                {label_K1_1, espace_K1_1, label_K1_11, spin_K1, label_K1_2, espace_K1_2, label_K1_22,
                 spinaxe_K1, label_K1_3, espace_K1_3, posterieure_case});
    // The flat axis follows the steep one and is never entered.
    espace_K1_2->hide();
    label_K1_22->hide();
    spinaxe_K1->hide();
    label_K1_3->hide();

    label_K2_1 = etiquette("label_K2_1", fontKnormal, Textes::AXE_ELEVE_SAISIE);
    label_K2_11 = etiquette("label_K2_11", fontKgras, "K2&nbsp;&nbsp;");
    label_K2_2 = etiquette("label_K2_2", fontKnormal);
    label_K2_22 = etiquette("label_K2_22", fontKnormal, "@&nbsp;&nbsp;");
    label_K2_3 = etiquette("label_K2_3", fontKnormal, QString::fromUtf8("&nbsp;°"));
    spin_K2 = nomme(new SaisieDecimale(0.0, 99.99), "spin_K2");
    spin_K2->setFont(fontKnormal);
    spinaxe_K2 = nomme(new SaisieAxe(int(Verification::plafond(Verification::AXE_HORS)) + 1), "spinaxe_K2");
    spinaxe_K2->setFont(fontKnormal);
    spinaxe_K2->setSingleStep(5);
    spinaxe_K2->setValue(K2axe);
    K2 = rangee("K2", 36, LARGEUR_GAUCHE,
                {label_K2_1, espace_K2_1, label_K2_11, spin_K2, label_K2_2, espace_K2_2, label_K2_22,
                 spinaxe_K2, label_K2_3});

    connect(spin_K1, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_K1D);
    connect(spin_K2, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_K2D);
    connect(spinaxe_K1, &QSpinBox::valueChanged, this, &PageCalcul::update_K1axe);
    connect(spinaxe_K2, &QSpinBox::valueChanged, this, &PageCalcul::update_K2axe);
    // Toggled, not clicked: the screen reader's toggle action sets the
    // state without a click.
    connect(posterieure_case, &QCheckBox::toggled, this, &PageCalcul::update_posterieure);
    // The wheel never changes an entry, focused or not.
    for (QWidget* w : std::initializer_list<QWidget*>{spin_K1, spin_K2, spinaxe_K1, spinaxe_K2})
        w->installEventFilter(this);
}

// A value box: the computed number, centred, on a frame whose style sheet
// the step pass sets; the pre-operative and crossed-cylinder boxes also
// fill their background.
QFrame* PageCalcul::construire_boite(const char* nom_cadre, const char* nom_layout, const char* nom_label,
                                     QVBoxLayout*& lay, QLabel*& lab, int largeur, bool fond,
                                     const QString& texte, const QFont& fontast) {
    auto* cadre = new QFrame;
    cadre->setObjectName(nom_cadre);
    cadre->setFixedSize(largeur, 24);
    if (fond) {
        cadre->setPalette(palette_boite());
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
}

// The pre-operative astigmatism: power and axis of the cornea.
void PageCalcul::construire_preop(const QFont& fontast) {
    astpre_D_str = CalculTorique::texte_D(astpre_D);
    astpre_axe_str = QString::number(astpre_axe);
    astpre_D_frame = construire_boite("astpre_D_frame", "layoutAstpre_D", "label_astpre_D", layoutAstpre_D,
                                      label_astpre_D, 60, true, Textes::D(astpre_D), fontast);
    astpre_axe_frame =
        construire_boite("astpre_axe_frame", "layoutAstpre_axe", "label_astpre_axe", layoutAstpre_axe,
                         label_astpre_axe, 50, true, Textes::degres(astpre_axe), fontast);
    label_astpre_1 = etiquette("label_astpre_1", fontKgras, Textes::ASTIGMATISME_PREOP);
    label_astpre_2 = etiquette("label_astpre_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    label_astpre_estime = etiquette("label_astpre_estime", fontunites, Textes::ESTIME, Textes::TEXTE);
    // Of its text's height, as the value boxes are: shown, it leaves the
    // row's layout as it was. Set off from the box by an indent, so that a
    // screen reader reads the word alone.
    label_astpre_estime->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label_astpre_estime->setIndent(8);
    label_astpre_estime->setVisible(posterieure != CorneePosterieure::AUCUNE);
    astpreD = rangee(
        "astpreD", HAUTEUR_LIGNE, LARGEUR_GAUCHE,
        {label_astpre_1, espace_pre1, astpre_D_frame, label_astpre_2, astpre_axe_frame, label_astpre_estime});
}

// The incision: its location on the circle (360 is 0) and the astigmatism
// it induces, 0 to 5 D by 0.05 on the arrows.
void PageCalcul::construire_incision() {
    spinaxe_inc =
        nomme(new SaisieAxe(int(Verification::plafond(Verification::INCISION_HORS)) + 1), "spinaxe_inc");
    spinaxe_inc->setFont(fontKnormal);
    spinaxe_inc->setSingleStep(5);
    // The record's location (0 on a new record): a calculation resumed before
    // step 7 shows the location its eye button set, as when it was left.
    spinaxe_inc->setValue(incaxe);
    spin_inc = nomme(new SaisieDecimale(Verification::plancher(Verification::INDUIT_HORS),
                                        Verification::plafond(Verification::INDUIT_HORS)),
                     "spin_inc");
    spin_inc->setFont(fontKnormal);
    spin_inc->setSingleStep(0.05);
    spin_inc->setValue(incD);
    connect(spinaxe_inc, &QSpinBox::valueChanged, this, &PageCalcul::update_incaxe);
    connect(spin_inc, &QDoubleSpinBox::valueChanged, this, &PageCalcul::update_incD);
    spinaxe_inc->installEventFilter(this);
    spin_inc->installEventFilter(this);

    label_inc_3 = etiquette("label_inc_3", fontKnormal, Textes::POSITION_INCISION);
    label_inc_4 = etiquette("label_inc_4", fontKnormal, QString::fromUtf8("&nbsp;°"));
    inc_axe = rangee("inc_axe", HAUTEUR_LIGNE, LARGEUR_GAUCHE,
                     {label_inc_3, espace_inc2, spinaxe_inc, label_inc_4});
    label_inc_1 = etiquette("label_inc_1", fontKnormal, Textes::ASTIGMATISME_INDUIT);
    label_inc_11 = etiquette("label_inc_11", fontKnormal, "- ");
    label_inc_2 = etiquette("label_inc_2", fontKnormal, "&nbsp;D");
    inc_D = rangee("inc_D", HAUTEUR_INTER, LARGEUR_GAUCHE,
                   {label_inc_1, espace_inc1, label_inc_11, spin_inc, label_inc_2});
}

// The crossed cylinder at the corneal plane: the cornea with the incision's
// flattening.
void PageCalcul::construire_croise(const QFont& fontast) {
    astcross_D_str = CalculTorique::texte_D(astcross_D);
    astcross_axe_str = QString::number(astcross_axe);
    astcross_D_frame =
        construire_boite("astcross_D_frame", "layoutAstcross_D", "label_astcross_D", layoutAstcross_D,
                         label_astcross_D, 60, true, Textes::D(astcross_D), fontast);
    astcross_axe_frame =
        construire_boite("astcross_axe_frame", "layoutAstcross_axe", "label_astcross_axe", layoutAstcross_axe,
                         label_astcross_axe, 50, true, Textes::degres(astcross_axe), fontast);
    label_astcross_1 = etiquette("label_astcross_1", fontKgras, Textes::CYLINDRE_CROISE);
    label_astcross_2 = etiquette("label_astcross_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    astcrossD =
        rangee("astcrossD", HAUTEUR_LIGNE, LARGEUR_GAUCHE,
               {label_astcross_1, espace_cross1, astcross_D_frame, label_astcross_2, astcross_axe_frame});
}

// The computed lens: recommended power with the ideal one beside it, the
// axis of its marks, and the row that opens the choice of another power.
void PageCalcul::construire_implant(const QFont& fontast) {
    tcalc_D_str = CalculTorique::texte_D(tcalc_D);
    tcalc_axe_str = QString::number(tcalc_axe);
    tperfect_D_str = CalculTorique::texte_tperfect(tperfect_D);
    tcalc_D_frame = construire_boite("tcalc_D_frame", "layoutTcalc_D", "label_tcalc_D", layoutTcalc_D,
                                     label_tcalc_D, 60, false, Textes::D(tcalc_D), fontast);
    tcalc_axe_frame =
        construire_boite("tcalc_axe_frame", "layoutTcalc_axe", "label_tcalc_axe", layoutTcalc_axe,
                         label_tcalc_axe, 60, false, Textes::degres(tcalc_axe), fontast);
    label_cyl_1 = etiquette("label_cyl_1", fontKgras, Textes::PUISSANCE_CONSEILLEE, Textes::TEXTE, " * :");
    label_tperfect_D = etiquette("label_tperfect_D", fontKnormal);
    cyl = rangee("cyl", HAUTEUR_LIGNE, LARGEUR_GAUCHE,
                 {label_cyl_1, espace_t1, tcalc_D_frame, espace("espace_t2", 20), label_tperfect_D});
    label_axeiol_1 = etiquette("label_axeiol_1", fontKgras, Textes::ORIENTATION_MARQUES);
    label_axeiol_2 = etiquette("label_axeiol_2", fontKnormal);
    axeiol = rangee("axeiol", HAUTEUR_INTER, LARGEUR_GAUCHE,
                    {label_axeiol_1, espace_or1, tcalc_axe_frame, espace("espace_or2", 20), label_axeiol_2});
    sep_u5 = nomme(new HLigne, "sep_u5");
    label_autre =
        etiquette("label_autre", fontunites,
                  QString::fromUtf8("* Si vous souhaitez une puissance cylindrique différente de celle "
                                    "proposée, cliquez ici :&nbsp;&nbsp;&nbsp;"),
                  "* If you want to select a different cylindrical power from the suggestion, click "
                  "here :&nbsp;&nbsp;&nbsp;");
    plus = nomme(new BoutonPlus, "plus");
    connect(plus, &BoutonPlus::clicked, this, &PageCalcul::click_plus);
    autre = rangee("autre", HAUTEUR_TITRE - 7, LARGEUR_GAUCHE, {label_autre, plus},
                   Qt::AlignLeft | Qt::AlignBottom);
}

// The lower-left area: the calculate button up to step 9, the computed
// lens from step 10.
void PageCalcul::construire_basGauche() {
    basGauche = nomme(new QFrame, "basGauche");
    basGauche->setFixedWidth(LARGEUR_GAUCHE);
    calculer_bouton = nomme(new BoutonPersoVert(160, 50), "calculer_bouton");
    calculer_bouton->setIcon(LecteurImages::icone("calculatrice.png"));
    calculer_bouton->setIconSize(QSize(32, 32));
    calculer_bouton->setFont(fontKgras);
    calculer_bouton->setText(texte_calculer("fr"));
    calculer_bouton->setEnabled(false);
    connect(calculer_bouton, &BoutonStyle::click, this, &PageCalcul::etape10);
    calculer = nomme(new QFrame, "calculer");
    calculer->setFixedHeight(100);
    calculer->setFixedWidth(LARGEUR_GAUCHE);
    auto* l = new QVBoxLayout;
    l->setSpacing(0);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(Qt::AlignCenter);
    l->addWidget(calculer_bouton);
    calculer->setLayout(l);
    // Children of the lower-left area from the start, so that the rows not
    // laid out at this step still belong to the page.
    for (QWidget* w : std::initializer_list<QWidget*>{calculer, cyl, axeiol, sep_u5, autre}) {
        w->setParent(basGauche);
        w->hide();
    }
    check_basGauche = true;
    update_layoutBasGauche();
    calculer_bouton->setText(texte_calculer("fr"));
    calculer_bouton->setEnabled(false);
}

// The eye in big letters at the top of the right column, and its name.
QFrame* PageCalcul::construire_oeil_schema(const Polices& polices) {
    odsch = nomme(new QLabel(" "), "odsch");
    odsch->setFont(polices.OD);
    odsch->setAlignment(Qt::AlignCenter);
    odsch2 = nomme(new QLabel(" "), "odsch2");
    odsch2->setFont(polices.oeil_2);
    odsch2->setAlignment(Qt::AlignCenter);
    if (*oeil_c == "gauche") {
        odsch->setText(noir("OS"));
        odsch2->setText(noir(Textes::texte(Textes::OEIL_GAUCHE, "fr", Textes::PARENTHESES)));
    } else if (*oeil_c == "droit") {
        odsch->setText(noir("OD"));
        odsch2->setText(noir(Textes::texte(Textes::OEIL_DROIT, "fr", Textes::PARENTHESES)));
    }
    return rangee(
        "oeilsch", HAUTEUR_LIGNE, LARGEUR_DROITE,
        {espace("espace_odsch1", LARGEUR_DROITE / 2 - QFontMetrics(polices.OD).horizontalAdvance("O")), odsch,
         espace("espace_odsch2", 20), odsch2});
}

// The summary diagram and its legend of the three lines.
void PageCalcul::construire_schema() {
    dessin = nomme(new ZoneDessin(modele_iol), "dessin");
    if (*oeil_c == "gauche")
        dessin->oeil(1);
    schema = nomme(new QFrame, "schema");
    schema->setFixedWidth(LARGEUR_DROITE);
    auto* l = new QVBoxLayout;
    l->setSpacing(0);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(Qt::AlignCenter);
    l->addWidget(dessin);
    schema->setLayout(l);
    label_legK1 = etiquette("label_legK1", fontKnormal, Textes::AXE_PLAT, Textes::LIBELLE, " ");
    label_legK2 = etiquette("label_legK2", fontKnormal, Textes::AXE_ELEVE, Textes::LIBELLE, " ");
    label_legInc = etiquette("label_legInc", fontKnormal, "Incision :");
    dessK1 = nomme(new LegendeK1, "dessK1");
    dessK2 = nomme(new LegendeK2, "dessK2");
    dessInc = nomme(new LegendeInc, "dessInc");
    legende_schema = rangee("legende_schema", HAUTEUR_INTER, LARGEUR_DROITE,
                            {label_legK1, dessK1, espace("espace_leg1", 20), label_legK2, dessK2,
                             espace("espace_leg2", 20), label_legInc, dessInc},
                            Qt::AlignCenter, 0);
}

// The post-operative predictions: the lens ordered, the residual
// astigmatism, and the two warnings (over- and under-correction).
void PageCalcul::construire_previsions(const QFont& fontast) {
    astpost_D_str = CalculTorique::texte_D(astpost_D);
    astpost_axe_str = QString::number(astpost_axe);
    choix_torique_str = CalculTorique::texte_D(choix_torique);
    astpost_D_frame =
        construire_boite("astpost_D_frame", "layoutAstpost_D", "label_astpost_D", layoutAstpost_D,
                         label_astpost_D, 60, false, Textes::D(astpost_D), fontast);
    astpost_axe_frame =
        construire_boite("astpost_axe_frame", "layoutAstpost_axe", "label_astpost_axe", layoutAstpost_axe,
                         label_astpost_axe, 50, false, Textes::degres(astpost_axe), fontast);
    modele_frame =
        construire_boite("modele_frame", "layoutModele", "label_iolpost_3", layoutModele, label_iolpost_3,
                         QFontMetrics(fontKnormal).horizontalAdvance("  x  ") + 110, false,
                         Textes::implant(modele_iol, choix_torique), fontast);

    label_iolpost_1 = etiquette("label_iolpost_1", fontKgras, Textes::IMPLANT_BREVANTA);
    iolp = rangee("iolp", HAUTEUR_LIGNE, LARGEUR_DROITE, {label_iolpost_1, espace_mod1, modele_frame});
    label_astpost_1 = etiquette("label_astpost_1", fontKgras, Textes::ASTIGMATISME_RESIDUEL);
    label_astpost_2 = etiquette("label_astpost_2", fontKnormal, "&nbsp;&nbsp;x&nbsp;&nbsp;");
    astpostD = rangee("astpostD", HAUTEUR_INTER, LARGEUR_DROITE,
                      {label_astpost_1, espace_post1, astpost_D_frame, label_astpost_2, astpost_axe_frame});
    sep_u6 = nomme(new HLigneD, "sep_u6");
    auto avertissement = [&](const char* nom_image, const char* nom_label, QLabel*& lab,
                             const char* nom_rangee) {
        auto* image = nomme(new QLabel, nom_image);
        image->setPixmap(LecteurImages::pixmap(LecteurImages::ATTENTION));
        lab = etiquette(nom_label, fontunites);
        return rangee(nom_rangee, HAUTEUR_TITRE - 7, LARGEUR_DROITE, {image, lab},
                      Qt::AlignLeft | Qt::AlignBottom);
    };
    attention = avertissement("warning", "label_attention", label_attention, "attention");
    attention_high =
        avertissement("warning_2", "label_attention_high", label_attention_high, "attention_high");
}

// The two white columns on the blue panel, between the side bands.
void PageCalcul::assembler(QFrame* gaucheCalcul, QFrame* droiteCalcul) {
    auto* centreCalcul = nomme(new QFrame, "centreCalcul");
    centreCalcul->setFixedHeight(HAUTEUR_CALCUL);
    centreCalcul->setFixedWidth(925);
    centreCalcul->setPalette(palette_panneau());
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
    posterieure = p->posterieure_t;
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
    // The text measured is the row's leading label, with what stands
    // between it and the entry ("K1", the minus of the induced astigmatism).
    struct Regle {
        HEspace* e;
        const QFont* f;
        QLabel* label;
        const char* suite;
        int align;
    };
    const Regle regles[] = {
        {espace_sph1, &fontKnormal, label_sph_1, "", alignGauche},
        {espace_u1, &fontunites, label_unites, "", alignGauche - 20},
        {espace_K1_1, &fontKnormal, label_K1_1, " K1 ", alignGauche},
        {espace_K2_1, &fontKnormal, label_K2_1, " K2 ", alignGauche},
        {espace_pre1, &fontKgras, label_astpre_1, "", alignGauche},
        {espace_inc1, &fontKnormal, label_inc_1, " -", alignGauche},
        {espace_inc2, &fontKnormal, label_inc_3, "", alignGauche},
        {espace_cross1, &fontKgras, label_astcross_1, "", alignGauche},
        {espace_t1, &fontKgras, label_cyl_1, "", alignGauche},
        {espace_or1, &fontKgras, label_axeiol_1, "", alignGauche},
        {espace_mod1, &fontKgras, label_iolpost_1, "", alignDroite},
        {espace_post1, &fontKgras, label_astpost_1, "", alignDroite},
    };
    for (const Regle& r : regles) {
        const Bilingue t = textes.value(r.label);
        r.e->setLargeur(r.align - mesurer(*r.f, (anglais ? t.en : t.fr) + QLatin1String(r.suite)));
    }
    espace_u2->setLargeur(anglais ? 33 : 26);
}

void PageCalcul::ecrire(QLabel* label, bool en_noir) {
    const auto it = textes.constFind(label);
    if (it == textes.constEnd())
        return;
    QString t = langue_c == "en" ? it->en : it->fr;
    // The grey English form of this heading has two blanks before the colon.
    if (!en_noir && label == label_astpre_1 && langue_c == "en")
        t = Textes::texte(Textes::ASTIGMATISME_PREOP, langue_c) + "  :";
    label->setText(en_noir ? noir(t) : gris(t));
}

void PageCalcul::ecrire_oeil() {
    if (!langue_connue())
        return;
    if (*oeil_c == "droit")
        odsch2->setText(noir(Textes::texte(Textes::OEIL_DROIT, langue_c, Textes::PARENTHESES)));
    else if (*oeil_c == "gauche")
        odsch2->setText(noir(Textes::texte(Textes::OEIL_GAUCHE, langue_c, Textes::PARENTHESES)));
}

void PageCalcul::update_langue_c(QString langue) {
    langue_c = langue;
    // A change of language is no input: the power picked stays, with its
    // residual and warnings, where the step pass would recommend again.
    const double choix = choix_torique;
    upd_etape(etape);
    if (etape == 10 && choix != choix_torique && gamme_double_tot.contains(choix)) {
        choix_torique = choix;
        update_astpost();
    }
    Accessibilite::appliquer(this, langue);
    marquer_saisies(true);
    montrer_base();
}

void PageCalcul::update_text_unites(int u) {
    QString unite;
    if (u == 1) {
        espace_K1_2->setLargeur(espaceInterK - test_width_D);
        espace_K1_3->setLargeur(espaceInterK - test_width_D);
        espace_K2_2->setLargeur(espaceInterK - test_width_D);
        unite = "&nbsp;D";
    } else if (u == 2) {
        espace_K1_2->setLargeur(espaceInterK - test_width_mm);
        espace_K1_3->setLargeur(espaceInterK - test_width_mm);
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
    if (e >= 0)
        etape_remise(e);
    if (e > 0)
        etape_puissance();
    if (e > 1)
        etape_unites();
    if (e > 2)
        etape_K1();
    if (e > 4)
        etape_K2(e);
    if (e > 5)
        etape_preop();
    if (e > 6)
        etape_croise();
    if (e == 10)
        etape_resultats();

    // The diagram and its legends follow the step.
    dessin->upd_etape_dessin(e);
    dessK1->upd_etape_legende(e);
    dessK2->upd_etape_legende(e);
    dessInc->upd_etape_legende(e);
    marquer_saisies();
}

// Texts that do not depend on the step: eye buttons, section titles, units,
// calculate button, warnings; and the spacers measured on them.
void PageCalcul::ecrire_textes_fixes() {
    const QString& l = langue_c;
    oeil_droit->setText(Textes::texte(Textes::OEIL_DROIT_OD, l));
    oeil_gauche->setText(Textes::texte(Textes::OEIL_GAUCHE_OS, l));
    titre_pre->setText(blanc(Textes::texte(Textes::INFORMATIONS_PREOP, l, Textes::TITRE_RICHE)));
    titre_tor->setText(blanc(Textes::texte(Textes::IMPLANT_CALCULE, l, Textes::TITRE_RICHE)));
    titre_sch->setText(blanc(Textes::selon(l, "SCHEMA BILAN :", "SUMMARY DIAGRAM :")));
    titre_post->setText(blanc(Textes::texte(Textes::PREVISIONS_POSTOP, l, Textes::TITRE_RICHE)));
    diop->setText(Textes::texte(Textes::DIOPTRIES, l));
    mili->setText(Textes::texte(Textes::MILLIMETRES, l));
    posterieure_case->setText(Textes::texte(Textes::FACE_POSTERIEURE, l));
    posterieure_case->setToolTip(Textes::selon(
        l,
        "Choisir l'implant sur l'astigmatisme cornéen total estimé à partir de la kératométrie, face "
        "postérieure comprise (régression d'Abulafia-Koch).\nK1 et K2 restent tels que saisis. Ne convient "
        "pas après chirurgie réfractive cornéenne, ni pour un kératocône ou une cornée irrégulière.",
        "Choose the IOL on the total corneal astigmatism estimated from keratometry, posterior cornea "
        "included (Abulafia-Koch regression).\nK1 and K2 stay as typed. Not for eyes after corneal "
        "refractive surgery, keratoconus or irregular corneas."));
    calculer_bouton->setText(texte_calculer(l));
    label_attention->setText(rouge("&nbsp;&nbsp;" + Textes::texte(Textes::INVERSION, l)));
    label_attention_high->setText(rouge("&nbsp;&nbsp;" + Textes::texte(Textes::RESIDUEL_ELEVE, l)));
    attention->hide();
    attention_high->hide();
    regler_espaces(l == "en");
}

// Every step starts from here: rows not usable at step e disabled, every
// label grey, every value box grey.
void PageCalcul::etape_remise(int e) {
    const bool langue_ok = langue_connue();
    if (langue_ok)
        ecrire_textes_fixes();

    // Rows not usable at this step are disabled. A row that the stages
    // below enable again is not disabled in passing: that would take the
    // keyboard focus out of the entry being typed into, which then
    // rewrites its text and garbles the digits that follow.
    sph->setEnabled(e > 0);
    unites->setEnabled(e > 1);
    K1->setEnabled(e > 2);
    K2->setEnabled(e > 4);
    astpreD->setEnabled(e > 5);
    posterieure_case->setEnabled(e > 5);
    inc_axe->setEnabled(e > 5);
    inc_D->setEnabled(e > 6);
    astcrossD->setEnabled(e > 6);
    iolp->setEnabled(e == 10);
    astpostD->setEnabled(e == 10);
    unites->setPalette(palette_unites(false));
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
        label_tperfect_D->setText(gris(Textes::texte(Textes::IDEALE_OUVERTURE, langue_c)) + tperfect_D_str +
                                  gris(" D)"));
    }
    for (QFrame* f : std::initializer_list<QFrame*>{astpre_D_frame, astpre_axe_frame, astcross_D_frame,
                                                    astcross_axe_frame, tcalc_D_frame, tcalc_axe_frame,
                                                    modele_frame, astpost_D_frame, astpost_axe_frame})
        f->setStyleSheet(STYLE_GRIS);
}

// The labels of a stage in black, when the language is known.
void PageCalcul::ecrire_noir(std::initializer_list<QLabel*> labels) {
    if (!langue_connue())
        return;
    for (QLabel* l : labels)
        ecrire(l, true);
}

// The eye is known: the spherical power.
void PageCalcul::etape_puissance() {
    sph->setEnabled(true);
    ecrire_noir({label_sph_1, label_sph_2});
    ecrire_oeil();
    update_layoutBasGauche();
}

// The power is known: the unit (selecting it may run a nested pass).
void PageCalcul::etape_unites() {
    unites->setEnabled(true);
    unites->setPalette(palette_unites(true));
    ecrire_noir({label_unites});
    if (unit_ind == 1)
        diop->setChecked(true);
    else if (unit_ind == 2)
        mili->setChecked(true);
    update_layoutBasGauche();
}

// K1.
void PageCalcul::etape_K1() {
    K1->setEnabled(true);
    spinaxe_K1->setEnabled(false);
    ecrire_noir({label_K1_1, label_K1_11});
    update_text_unites(unit_ind);
    update_layoutBasGauche();
}

// K2, its axis from step 7 on.
void PageCalcul::etape_K2(int e) {
    K2->setEnabled(true);
    spinaxe_K2->setEnabled(e > 5);
    ecrire_noir({label_K2_1, label_K2_11});
    update_text_unites(unit_ind);
    update_layoutBasGauche();
}

// The K2 axis, the incision location and the pre-operative values.
void PageCalcul::etape_preop() {
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
    if (Verification::dans_limites(Verification::AXE_HORS, K2axe))
        dessiner_axes_K();
    if (Verification::dans_limites(Verification::INCISION_HORS, incaxe))
        dessin->incision(incaxe);
    ecrire_noir({label_legK1, label_legK2, label_legInc, label_astpre_1, label_astpre_2, label_astpre_estime,
                 label_inc_3, label_inc_4});
    astpre_D_frame->setStyleSheet(STYLE_ACTIF);
    astpre_axe_frame->setStyleSheet(STYLE_ACTIF);
    update_astpre();
    update_layoutBasGauche();
}

// The induced astigmatism, the crossed cylinder and the calculate button.
void PageCalcul::etape_croise() {
    inc_D->setEnabled(true);
    astcrossD->setEnabled(true);
    ecrire_noir({label_inc_1, label_inc_11, label_inc_2, label_astcross_1, label_astcross_2});
    astcross_D_frame->setStyleSheet(STYLE_ACTIF);
    astcross_axe_frame->setStyleSheet(STYLE_ACTIF);
    update_astcross();
    update_layoutBasGauche();
    calculer_bouton->show();
    calculer_bouton->setEnabled(true);
}

// The results: the lens and the residual on the right, the recommended
// power and the axis of the marks in place of the calculate button.
void PageCalcul::etape_resultats() {
    iolp->show();
    iolp->setEnabled(true);
    astpostD->show();
    astpostD->setEnabled(true);
    sep_u6->show();
    ecrire_noir({label_iolpost_1, label_astpost_1, label_astpost_2});
    modele_frame->setStyleSheet(STYLE_RESULTAT);
    astpost_D_frame->setStyleSheet(STYLE_RESULTAT);
    astpost_axe_frame->setStyleSheet(STYLE_RESULTAT);
    if (check_basGauche) {
        update_layoutBasGauche();
        ecrire_noir({label_cyl_1, label_axeiol_1, label_autre});
        tcalc_D_frame->setStyleSheet(STYLE_CONSEIL);
        tcalc_axe_frame->setStyleSheet(STYLE_CONSEIL);
        update_tcalc();
    }
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
    // the last one typed stays in the calculation until the entry holds
    // one. Kept here, not read back from the engine, which may hold the
    // estimate's axes.
    if (Verification::dans_limites(Verification::AXE_HORS, K2axe)) {
        K1axe_calcul = K1axe;
        K2axe_calcul = K2axe;
    }
    moteur.K1axe = K1axe_calcul;
    moteur.K2axe = K2axe_calcul;
    moteur.incD = incD;
    if (Verification::dans_limites(Verification::INCISION_HORS, incaxe))
        moteur.incaxe = incaxe;
    moteur.p_sph = p_sph;
    // The cornea the lens is chosen on takes the place of the keratometry
    // in the engine only (nothing for the keratometry as typed).
    base = CorneePosterieure::appliquer(posterieure, moteur);
}

void PageCalcul::dessiner_axes_K() {
    const bool totale = posterieure != CorneePosterieure::AUCUNE;
    dessin->rotation_K1(totale ? base.axe_K1() : K1axe);
    dessin->rotation_K2(totale ? base.axe : K2axe);
}

void PageCalcul::update_astpre() {
    moteur_entrees();
    moteur.calcul_astpre();
    astpre_D = moteur.astpre_D;
    astpre_axe = moteur.astpre_axe;
    // The engine runs on K2' - K1' of the estimate, each to 0.01; the row
    // shows the estimated astigmatism itself.
    const bool totale = posterieure != CorneePosterieure::AUCUNE;
    astpre_D_str = CalculTorique::texte_D(totale ? base.cyl : astpre_D);
    astpre_axe_str = QString::number(astpre_axe);
    label_astpre_D->setText(astpre_D_str + " D");
    label_astpre_axe->setText(astpre_axe_str + " °");
    if (totale) {
        montrer_base();
        if (Verification::dans_limites(Verification::AXE_HORS, K2axe))
            dessiner_axes_K();
    }
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
        const QString ouverture = Textes::texte(Textes::IDEALE_OUVERTURE, langue_c);
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
    label_iolpost_3->setText(Textes::implant(modele_iol, choix_torique));
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

ListParam::Entrees PageCalcul::entrees() const {
    ListParam::Entrees e;
    e.od = enab_od;
    e.og = enab_og;
    e.sph_ind = combo_sph->currentIndex();
    e.puiss_sph = combo_sph->currentText();
    e.unite = unit_ind;
    e.K1 = unit_ind == 2 ? K1mm : K1D;
    e.K2 = unit_ind == 2 ? K2mm : K2D;
    e.K1axe = K1axe;
    e.K2axe = K2axe;
    e.incD = incD;
    e.incaxe = incaxe;
    e.posterieure = posterieure;
    return e;
}

int PageCalcul::code_calcul() {
    // The record the main window's snapshot gives the checks when Calculate
    // is pressed (step 7).
    controle->lire_calcul(entrees(), moteur, 7);
    const int code = Verification::code(*controle);
    return code == Verification::NON_CALCULE ? Verification::ACCEPTE : code;
}

// A result stays on screen only while the inputs pass the checks of the
// Calculate button: an input that fails them takes the page back to the
// Calculate step (no lens, no residual, the button there to say why), and
// the result comes back as soon as they pass again.
void PageCalcul::suivre_verification() {
    if (etape > 9) {
        if (code_calcul() != Verification::ACCEPTE) {
            resultats_retires = true;
            ok_err = false;
            basculer_resultats(7);
        }
    } else if (resultats_retires && etape == 7 && langue_connue() && code_calcul() == Verification::ACCEPTE) {
        resultats_retires = false;
        ok_err = true;
        basculer_resultats(10);
    }
}

// Between the Calculate step (7) and the results (10) only the result rows,
// the lower left and the diagram differ: a keystroke that withdraws or gives
// back a result changes those alone, where the whole step pass would rewrite
// every text and style of the page (milliseconds, on each such keystroke).
// The rows withdrawn are hidden with their texts and styles as they are, so
// that giving them back lays out nothing new.
void PageCalcul::basculer_resultats(int e) {
    etape = e;
    if (e == 10) {
        etape_resultats();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{iolp, astpostD}) {
            w->setEnabled(false);
            w->hide();
        }
        sep_u6->hide();
        attention->hide();
        attention_high->hide();
        update_layoutBasGauche();
        calculer_bouton->show();
        calculer_bouton->setEnabled(true);
    }
    dessin->upd_etape_dessin(e);
    dessK1->upd_etape_legende(e);
    dessK2->upd_etape_legende(e);
    dessInc->upd_etape_legende(e);
    marquer_saisies();
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
        {spinaxe_K2, Verification::AXE_HORS, double(K2axe), etape > 5},
        {spinaxe_inc, Verification::INCISION_HORS, double(incaxe), etape > 5},
        {spin_inc, Verification::INDUIT_HORS, incD, etape > 6},
    };
    for (int i = 0; i < 5; ++i) {
        const Entree& e = entrees[i];
        const bool hors = e.active && !Verification::dans_limites(e.code, e.valeur);
        refusees[i] = hors;
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
        const QString& l = langue_c;
        const QString limites = Verification::limites(e.code, l);
        const QString sep = Textes::selon(l, " ; ", "; ");
        const QString lim = Textes::selon(l, "limites : ", "range: ") + limites;
        const QString hors_txt = Textes::selon(l, "valeur hors limites", "value out of range");
        e.s->setToolTip(
            (hors ? Textes::selon(l, "Valeur hors limites. Limites : ", "Value out of range. Range: ")
                  : Textes::selon(l, "Limites : ", "Range: ")) +
            limites);
        e.s->setAccessibleDescription(Accessibilite::description(e.s->objectName(), langue_c) + sep +
                                      (hors ? hors_txt + sep : QString()) + lim);
    }
    montrer_derives();
}

// What an entry refused leaves on screen: every figure computed from it
// shows the empty state of its row (a grey box without a figure, the row
// greyed once none of its figures is left), and the diagram draws no line
// or arc from it; the lens and the results went with the check. The
// figures come back as soon as the entry passes, from the values that the
// stages computed meanwhile.
void PageCalcul::montrer_derives() {
    const bool K = refusees[SAISIE_K1] || refusees[SAISIE_K2];
    const bool axe = refusees[SAISIE_AXE];
    const bool croise = K || axe || refusees[SAISIE_INCISION] || refusees[SAISIE_INDUIT];
    struct Figure {
        QFrame* cadre;
        QLabel* valeur;
        QString texte;
        bool vide;
    };
    auto rangee = [this](QFrame* r, bool active, std::initializer_list<QLabel*> libelles,
                         std::initializer_list<Figure> figures) {
        if (!active)
            return;
        bool une = false;
        for (const Figure& f : figures) {
            // A style sheet set again restyles the box: only a change.
            const QString& style = f.vide ? STYLE_GRIS : STYLE_ACTIF;
            if (f.cadre->styleSheet() != style)
                f.cadre->setStyleSheet(style);
            f.valeur->setText(f.vide ? QString() : f.texte);
            une = une || !f.vide;
        }
        r->setEnabled(une);
        if (langue_connue())
            for (QLabel* l : libelles)
                ecrire(l, une);
    };
    // The estimated total astigmatism comes from the steep axis too.
    const bool estime = posterieure != CorneePosterieure::AUCUNE;
    rangee(astpreD, etape > 5, {label_astpre_1, label_astpre_2, label_astpre_estime},
           {{astpre_D_frame, label_astpre_D, astpre_D_str + " D", K || (estime && axe)},
            {astpre_axe_frame, label_astpre_axe, astpre_axe_str + " °", axe}});
    rangee(astcrossD, etape > 6, {label_astcross_1, label_astcross_2},
           {{astcross_D_frame, label_astcross_D, astcross_D_str + " D", croise},
            {astcross_axe_frame, label_astcross_axe, astcross_axe_str + " °", croise}});
    dessin->montrer_axes_K(!axe);
    dessin->montrer_incision(!refusees[SAISIE_INCISION]);
}

bool PageCalcul::eventFilter(QObject* obj, QEvent* event) {
    if (event->type() == QEvent::Wheel)
        return true;
    return QFrame::eventFilter(obj, event);
}

// ---------------------------------------------------------------------------
// Inputs

void PageCalcul::click_od() {
    choisir_oeil(false);
}

void PageCalcul::click_og() {
    choisir_oeil(true);
}

// The eye chosen, at any step: its picture beside its button, its code and
// name at the top of the right column, the diagram turned to it; until K2 is
// entered, the incision goes to the temporal side, 180 for a right eye and
// 0 for a left one.
void PageCalcul::choisir_oeil(bool gauche) {
    Garde garde(this);
    oeil_c = std::make_shared<const QString>(gauche ? "gauche" : "droit");
    enab_od = !gauche;
    enab_og = gauche;
    QLabel* choisi = gauche ? og : od;
    QLabel* autre_oeil = gauche ? od : og;
    choisi->show();
    choisi->setEnabled(true);
    autre_oeil->hide();
    autre_oeil->setEnabled(false);
    espace47_o1->show();
    odsch->setText(noir(gauche ? "OS" : "OD"));
    ecrire_oeil();
    dessin->oeil(gauche ? 1 : 0);
    if (etape <= 5) {
        incaxe = gauche ? 0 : 180;
        spinaxe_inc->setValue(incaxe);
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
        // The message of the check of a missing power, at once.
        const Verification::Message m = Verification::message(Verification::SANS_PUISSANCE, langue_c);
        QMessageBox box(QMessageBox::Information, m.titre, m.texte, QMessageBox::NoButton, this);
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
    // Both buttons report a switch (one unchecked, one checked): the one
    // that becomes selected acts.
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
    // Each K is kept as it was typed, with its exact counterpart in the
    // other unit (kerato()): the entries show the unit chosen to two
    // decimals, and switching back shows what was typed. They are given the
    // value without their signal, which would take the two-decimal figure
    // shown for the value typed.
    const bool mm = unit_ind == 2;
    {
        const QSignalBlocker b1(spin_K1), b2(spin_K2);
        spin_K1->setSingleStep(mm ? 0.1 : 0.25);
        spin_K2->setSingleStep(mm ? 0.1 : 0.25);
        spin_K1->setValue(mm ? K1mm : K1D);
        spin_K2->setValue(mm ? K2mm : K2D);
    }
    if (etape > 5)
        update_astpre();
    if (etape == 2) {
        etape = 3;
        upd_etape(3);
    }
}

// A K typed (or stepped) in the unit on screen becomes the value typed; its
// counterpart in the other unit follows.
void PageCalcul::saisir_K(double valeur, double& K_D, double& K_mm) {
    if (unit_ind == 1) {
        K_D = valeur;
        K_mm = CalculTorique::kerato(valeur);
    } else if (unit_ind == 2) {
        K_mm = valeur;
        K_D = CalculTorique::kerato(valeur);
    }
}

void PageCalcul::update_K1D(double k1) {
    Garde garde(this);
    saisir_K(k1, K1D, K1mm);
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
    saisir_K(k2, K2D, K2mm);
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
    dessiner_axes_K();
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
    if (!Verification::dans_limites(Verification::AXE_HORS, a2))
        return;
    K1axe = a2 + 90 >= 180 ? a2 - 90 : a2 + 90;
    spinaxe_K1->setValue(K1axe);
    if (etape > 5)
        update_astpre();
    dessiner_axes_K();
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
    if (!Verification::dans_limites(Verification::INCISION_HORS, ai))
        return;
    if (etape > 6)
        update_astcross();
    dessin->incision(incaxe);
}

// The basis of the lens choice: every figure from the pre-operative row
// on follows it; the entries keep what was typed.
void PageCalcul::update_posterieure(bool estimee) {
    Garde garde(this);
    posterieure = estimee ? CorneePosterieure::ABULAFIA_KOCH : CorneePosterieure::AUCUNE;
    montrer_base();
    if (etape > 5)
        update_astpre();
    else
        moteur_entrees();
    if (Verification::dans_limites(Verification::AXE_HORS, K2axe))
        dessiner_axes_K();
}

void PageCalcul::montrer_base() {
    const bool totale = posterieure != CorneePosterieure::AUCUNE;
    label_astpre_estime->setVisible(totale);
    if (!langue_connue())
        return;
    const QString& l = langue_c;
    struct Boite {
        QFrame* cadre;
        QLabel* valeur;
    };
    const Boite boites[] = {{astpre_D_frame, label_astpre_D}, {astpre_axe_frame, label_astpre_axe}};
    if (!totale) {
        // The names and descriptions of every page, and no tooltip.
        for (const Boite& b : boites) {
            b.cadre->setAccessibleName(Accessibilite::nom(b.cadre->objectName(), l));
            b.cadre->setAccessibleDescription(Accessibilite::description(b.cadre->objectName(), l));
            b.valeur->setAccessibleDescription(Accessibilite::description(b.valeur->objectName(), l));
            b.cadre->setToolTip(QString());
        }
        return;
    }
    // "Astigmatisme total estimé (Abulafia-Koch)", and what it was
    // estimated from: the keratometry's own astigmatism, as typed.
    const QString nom = CorneePosterieure::astigmatisme(posterieure, l);
    const bool mm = unit_ind == 2;
    const double mesure = mm ? CalculTorique::kerato(K2mm) - CalculTorique::kerato(K1mm) : K2D - K1D;
    const QString sep = Textes::selon(l, " ; ", "; ");
    const QString anterieur = Textes::texte(Textes::ASTIGMATISME_ANTERIEUR, l, Textes::LIBELLE);
    const QString valeur = " " + Textes::D(mesure) + " x " + Textes::degres(K2axe);
    const QString origine = anterieur.toLower() + valeur;
    const QString noms[] = {nom, Textes::selon(l, "Axe de l'", "Axis of the ") + nom.left(1).toLower() +
                                     nom.mid(1)};
    for (int i = 0; i < 2; ++i) {
        const Boite& b = boites[i];
        b.cadre->setAccessibleName(noms[i]);
        b.cadre->setAccessibleDescription(Accessibilite::description(b.cadre->objectName(), l) + sep +
                                          origine);
        b.valeur->setAccessibleDescription(noms[i]);
        b.cadre->setToolTip(nom + "\n" + anterieur + valeur);
    }
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
