// The calculation page driven through its own widgets, as a surgeon would:
// eye, spherical power, unit, K1, K2, incision, Calculate, another cylinder.

#include "BandeBasCalcul.h"
#include "BoutonAide.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "CalculTorique.h"
#include "ChoixPuissance.h"
#include "CorneePosterieure.h"
#include "FenetreAide.h"
#include "HEspace.h"
#include "HLigne.h"
#include "HLigneD.h"
#include "LegendeK1.h"
#include "ListParam.h"
#include "PageCalcul.h"
#include "TestUtil.h"
#include "ZoneDessin.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

#include <memory>

namespace {

QString gris(const QString& t) {
    return "<font color=\"#AFAFAF\">" + t + "</font>";
}
QString noir(const QString& t) {
    return "<font color=\"#000000\">" + t + "</font>";
}

const QString
    STYLE_GRIS("QFrame {background: #AFAFAF; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");
const QString
    STYLE_ACTIF("QFrame {background: #969696; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");
const QString
    STYLE_RESULTAT("QFrame {background: #00A0C2; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");
const QString
    STYLE_CONSEIL("QFrame {background: #F33D6B; color: #FFFFFF; border-width: 0px; border-radius: 5px;}");

using TestUtil::index_sph;

// The page and its band in a window of their own; the Calculate check
// answers as the test decides (the main window's checks have tests of
// their own).
struct Banc {
    ListParam param;
    std::unique_ptr<QWidget> hote;
    PageCalcul* page = nullptr;
    BandeBasCalcul* bande = nullptr;
    bool accepter = true;
    int verifications = 0;

    explicit Banc(const QString& langue, const std::function<void(ListParam&)>& preparer = {}) {
        param.modele_iol_t = "VELAN";
        if (preparer)
            preparer(param);
        hote = std::make_unique<QWidget>();
        page = new PageCalcul(&param);
        page->update_langue_c(langue);
        bande = new BandeBasCalcul;
        bande->update_langue_bc(langue);
        QObject::connect(page, &PageCalcul::verif, page, [this] {
            ++verifications;
            page->ok_err = accepter;
        });
        auto* l = new QVBoxLayout(hote.get());
        l->setSpacing(0);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(page);
        l->addWidget(bande);
        hote->show();
        QApplication::setActiveWindow(hote.get());
        QVERIFY(QTest::qWaitForWindowActive(hote.get()));
    }

    // Types a value into an entry and validates it with Enter.
    static void saisir(QAbstractSpinBox* s, const QString& texte) { TestUtil::saisir(s, texte); }

    void oeil_droit() { TestUtil::presser(page->oeil_droit, 80); }
    void oeil_gauche() { TestUtil::presser(page->oeil_gauche, 80); }
    void puissance(double p) { page->combo_sph->setCurrentIndex(index_sph(p)); }

    // Eye, power, K1, K2 (steep axis), incision: the page at step 7.
    void jusqua_7(double seq, double k1, double k2, int axe_k2 = 90, double inc = 0, int axe_inc = -1) {
        oeil_droit();
        puissance(seq);
        saisir(page->spin_K1, QString::number(k1, 'f', 2));
        saisir(page->spin_K2, QString::number(k2, 'f', 2));
        if (axe_k2 != page->spinaxe_K2->value())
            saisir(page->spinaxe_K2, QString::number(axe_k2));
        if (inc != 0)
            saisir(page->spin_inc, QString::number(inc, 'f', 2));
        if (axe_inc >= 0)
            saisir(page->spinaxe_inc, QString::number(axe_inc));
    }

    void calculer() { TestUtil::presser(page->calculer_bouton, 80); }
};

// The same eye computed by the engine alone, as the reference.
struct Reference {
    CalculTorique c;
    Reference(double seq, double k1, double k2, int axe_k2, double inc, int axe_inc) {
        c.unit_ind = 1;
        c.K1D = k1;
        c.K2D = k2;
        c.K2axe = axe_k2;
        c.K1axe = axe_k2 + 90 >= 180 ? axe_k2 - 90 : axe_k2 + 90;
        c.incD = inc;
        c.incaxe = axe_inc;
        c.p_sph = seq;
        c.calcul_tout();
    }
};

// Every value box and text of the results of a page, as shown.
QStringList resultats(const PageCalcul* p) {
    QStringList l;
    for (const QLabel* v : {p->label_astpre_D, p->label_astpre_axe, p->label_astcross_D,
                            p->label_astcross_axe, p->label_tcalc_D, p->label_tcalc_axe, p->label_tperfect_D,
                            p->label_iolpost_3, p->label_astpost_D, p->label_astpost_axe})
        l << v->text();
    l << QString::number(p->dessin->angle_k1) << QString::number(p->dessin->angle_k2)
      << QString::number(p->dessin->angle_iol_vrai);
    return l;
}

// Where the rows of a page and what the keratometry and pre-operative rows
// hold stand.
QList<QRect> places(const PageCalcul* p) {
    QList<QRect> l;
    for (QWidget* rangee : {p->sph, p->unites, p->K1, p->K2, p->astpreD, p->inc_axe, p->inc_D, p->astcrossD,
                            p->iolp, p->astpostD})
        l << QRect(rangee->mapTo(p, QPoint()), rangee->size());
    for (QWidget* rangee : {p->K1, p->astpreD})
        for (QWidget* w : rangee->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w != p->label_astpre_estime)
                l << w->geometry();
    return l;
}

} // namespace

class TstPage : public QObject {
    Q_OBJECT
private slots:
    void init() { Dialogues::setRepondeur(nullptr); }
    void cleanup() {
        Dialogues::setRepondeur(nullptr);
        TestUtil::vider_evenements();
    }

    void page_neuve_data();
    void page_neuve();
    void niveau_police_et_alignement_data();
    void niveau_police_et_alignement();
    void oeil_et_incision();
    void parcours_complet_data();
    void parcours_complet();
    void calcul_refuse();
    void puissance_retiree_data();
    void puissance_retiree();
    void millimetres_a_l_etape_3();
    void millimetres_aller_retour_data();
    void millimetres_aller_retour();
    void autre_cylindre_data();
    void autre_cylindre();
    void autre_cylindre_annule_puis_recalcul();
    void langue_a_l_etape_10();
    void langue_inconnue();
    void molette_sans_effet();
    void point_decimal_sur_systeme_francais();
    void bornes_des_entrees_data();
    void bornes_des_entrees();
    void reprise_a_l_etape_7();
    void face_posterieure_data();
    void face_posterieure();
    void bande_textes_data();
    void bande_textes();
    void bande_imprimer_renouvele();
    void bande_aide();
};

void TstPage::page_neuve_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("astpre");
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("diop");
    QTest::addColumn<QString>("titre");
    QTest::newRow("fr") << "fr" << QString::fromUtf8("Astigmatisme pré-opératoire :") << "   Calculer ..."
                        << "Dioptries (D)"
                        << "<font color=\"#FFFFFF\">INFORMATIONS PR&Eacute;-OP&Eacute;RATOIRES :</font>";
    // The grey English heading has two blanks before its colon.
    QTest::newRow("en") << "en"
                        << "Pre-operative astigmatism  :"
                        << "  Calculation ..."
                        << "Diopter (D)"
                        << "<font color=\"#FFFFFF\">PRE-OPERATIVE INFORMATION :</font>";
}

void TstPage::page_neuve() {
    QFETCH(QString, langue);
    QFETCH(QString, astpre);
    QFETCH(QString, bouton);
    QFETCH(QString, diop);
    QFETCH(QString, titre);
    Banc b(langue);
    PageCalcul* p = b.page;

    QCOMPARE(p->etape, 0);
    QCOMPARE(p->height(), 550);
    QCOMPARE(p->combo_sph->currentText(), QString(" ----"));
    QCOMPARE(p->combo_sph->count(), 52);
    QCOMPARE(p->combo_sph->itemText(51), QString("35.0"));
    QVERIFY(!p->diop->isChecked());
    QVERIFY(!p->mili->isChecked());
    QCOMPARE(p->spin_K1->text(), QString("0.00"));
    QCOMPARE(p->spin_K2->text(), QString("0.00"));
    QCOMPARE(p->label_astpre_D->text(), QString("0.00 D"));
    QCOMPARE(p->label_astcross_axe->text(), QString::fromUtf8("0 °"));
    QVERIFY(!p->calculer_bouton->isVisible());
    QVERIFY(p->calculer->isVisible());
    QVERIFY(!p->cyl->isVisible());
    QVERIFY(!p->iolp->isVisible());
    QVERIFY(!p->attention->isVisible() && !p->attention_high->isVisible());
    // Both eye pictures shown, greyed.
    QVERIFY(p->od->isVisible() && !p->od->isEnabled());
    QVERIFY(p->og->isVisible() && !p->og->isEnabled());
    QVERIFY(!p->espace47_o1->isVisible());
    QCOMPARE(p->odsch->text(), QString(" "));
    // Every input row greyed and disabled.
    for (QWidget* w : {p->sph, p->unites, p->K1, p->K2, p->astpreD, p->inc_D, p->inc_axe, p->astcrossD})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QCOMPARE(p->label_astpre_1->text(), gris(astpre));
    QCOMPARE(p->label_K1_2->text(), gris("&nbsp;D"));
    QCOMPARE(p->label_K1_11->text(), gris("K1&nbsp;&nbsp;"));
    QCOMPARE(p->label_inc_11->text(), gris("- "));
    QCOMPARE(p->label_K2_3->text(), gris(QString::fromUtf8("&nbsp;°")));
    QCOMPARE(p->titre_pre->text(), titre);
    QCOMPARE(p->calculer_bouton->text(), bouton);
    QCOMPARE(p->diop->text(), diop);
    QCOMPARE(p->astpre_D_frame->styleSheet(), STYLE_GRIS);
    QCOMPARE(p->modele_frame->styleSheet(), STYLE_GRIS);
    // The flat axis box stays hidden; the steep axis is entered.
    QVERIFY(!p->spinaxe_K1->isVisible());
    QVERIFY(p->spinaxe_K2->isVisible());
    // Entries show a decimal point whatever the system's language.
    QCOMPARE(p->spin_inc->locale().decimalPoint(), QString("."));
    QCOMPARE(p->dessin->etape_d, 0);
}

void TstPage::niveau_police_et_alignement_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("fr") << "fr";
    QTest::newRow("en") << "en";
}

// Every entry and value box of a column starts at the same x (280 after
// the row margin on the left, 220 on the right), in both languages.
void TstPage::niveau_police_et_alignement() {
    QFETCH(QString, langue);
    Banc b(langue);
    b.jusqua_7(21.0, 42.0, 44.0);
    b.calculer();
    PageCalcul* p = b.page;
    QCOMPARE(p->etape, 10);

    // The font level is decided on the widest French heading.
    const int w10 = QFontMetrics(QFont("Arial", 10, QFont::Bold))
                        .horizontalAdvance(QString::fromUtf8("Orientation des marques de l'implant :"));
    const int w9 = QFontMetrics(QFont("Arial", 9, QFont::Bold))
                       .horizontalAdvance(QString::fromUtf8("Orientation des marques de l'implant :"));
    QCOMPARE(p->test_police, w10 < 280 ? 0 : (w9 < 280 ? 1 : 2));
    QCOMPARE(p->fontKgras.pointSize(), 10 - p->test_police);

    for (QWidget* w :
         std::initializer_list<QWidget*>{p->combo_sph, p->astpre_D_frame, p->spinaxe_inc, p->astcross_D_frame,
                                         p->tcalc_D_frame, p->tcalc_axe_frame})
        QVERIFY2(qAbs(w->x() - 288) <= 2, qPrintable(w->objectName() + " x=" + QString::number(w->x())));
    for (QWidget* w : std::initializer_list<QWidget*>{p->modele_frame, p->astpost_D_frame})
        QVERIFY2(qAbs(w->x() - 228) <= 2, qPrintable(w->objectName() + " x=" + QString::number(w->x())));
    // The units buttons start 20 before the column's entries.
    QVERIFY2(qAbs(p->diop->x() - 268) <= 2, qPrintable(QString::number(p->diop->x())));
    QCOMPARE(p->espace_u2->width(), langue == "fr" ? 26 : 33);
    // Nothing of a row spills out of its 500 or 400 pixels.
    for (QWidget* rangee : {p->sph, p->unites, p->K1, p->K2, p->astpreD, p->inc_axe, p->inc_D, p->astcrossD,
                            p->cyl, p->axeiol, p->autre, p->iolp, p->astpostD})
        for (QWidget* w : rangee->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible()) {
                QVERIFY2(w->geometry().right() < rangee->width(),
                         qPrintable(rangee->objectName() + "/" + w->objectName()));
                const bool fixe = w->minimumWidth() == w->maximumWidth();
                QVERIFY2(fixe || w->width() >= w->minimumSizeHint().width(),
                         qPrintable(rangee->objectName() + "/" + w->objectName() + " squeezed"));
            }
}

// T1: the eye buttons set the incision opposite the surgeon (180 for the
// right eye, 0 for the left) until K2 is entered, and move the eye picture.
void TstPage::oeil_et_incision() {
    Banc b("fr");
    PageCalcul* p = b.page;
    b.oeil_droit();
    QCOMPARE(p->etape, 1);
    QCOMPARE(*p->oeil_c, QString("droit"));
    QVERIFY(p->enab_od && !p->enab_og);
    QCOMPARE(p->spinaxe_inc->value(), 180);
    QCOMPARE(p->incaxe, 180);
    QCOMPARE(p->dessin->angle_inc, -180);
    QVERIFY(p->od->isVisible() && p->od->isEnabled() && !p->og->isVisible());
    QVERIFY(p->espace47_o1->isVisible());
    QCOMPARE(p->odsch->text(), noir("OD"));
    QCOMPARE(p->odsch2->text(), noir("(oeil droit)"));
    QVERIFY(p->sph->isEnabled());
    QVERIFY(!p->unites->isEnabled());
    QCOMPARE(p->label_sph_1->text(), noir(QString::fromUtf8("Puissance sphérique de l'implant (SEQ) :")));

    b.oeil_gauche();
    QCOMPARE(p->etape, 1);
    QCOMPARE(*p->oeil_c, QString("gauche"));
    QVERIFY(!p->enab_od && p->enab_og);
    QCOMPARE(p->spinaxe_inc->value(), 0);
    QCOMPARE(p->dessin->flag_oeil, 1);
    QVERIFY(p->og->isVisible() && !p->od->isVisible());
    QCOMPARE(p->odsch->text(), noir("OS"));
    QCOMPARE(p->odsch2->text(), noir("(oeil gauche)"));

    // After K2 the incision location is the surgeon's: the eye no longer moves it.
    b.puissance(21.0);
    Banc::saisir(p->spin_K1, "42");
    Banc::saisir(p->spin_K2, "44");
    Banc::saisir(p->spinaxe_inc, "95");
    QCOMPARE(p->etape, 7);
    b.oeil_droit();
    QCOMPARE(p->etape, 7);
    QCOMPARE(p->spinaxe_inc->value(), 95);
    QCOMPARE(p->odsch->text(), noir("OD"));
    QCOMPARE(p->dessin->flag_oeil, 0);
}

void TstPage::parcours_complet_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<double>("seq");
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("k2");
    QTest::addColumn<int>("axe_k2");
    QTest::addColumn<double>("inc");
    QTest::addColumn<int>("axe_inc");
    QTest::addColumn<QString>("conseil");  // recommended power, "" = the engine's only
    QTest::addColumn<QString>("residuel"); // residual, "" = the engine's only
    QTest::addColumn<int>("avertissement");
    // 2.00 D of corneal astigmatism, steep at 90: the 3.00 D lens, 0.10 D left at 0.
    QTest::newRow("42/44 fr") << "fr" << 21.0 << 42.0 << 44.0 << 90 << 0.0 << -1 << "3.00 D"
                              << "0.10 D" << 0;
    QTest::newRow("42/44 en") << "en" << 21.0 << 42.0 << 44.0 << 90 << 0.0 << -1 << "3.00 D"
                              << "0.10 D" << 0;
    // 0.50 D induced on the steep meridian leaves 1.50 D: 2.25 D.
    QTest::newRow("incision 0.50 at 90") << "fr" << 21.0 << 42.0 << 44.0 << 90 << 0.5 << 90 << "2.25 D"
                                         << "0.08 D" << 0;
    // Beyond the range: 6.00 D leaves a high residual.
    QTest::newRow("40/46 oblique") << "en" << 15.0 << 40.0 << 46.0 << 135 << 0.5 << 120 << "6.00 D"
                                   << "1.22 D" << 2;
    QTest::newRow("ideal > 20") << "fr" << 15.0 << 40.0 << 55.0 << 90 << 0.0 << -1 << "6.00 D"
                                << "" << 2;
    // So low that even 0.75 D over-corrects: the smallest power, inverted.
    QTest::newRow("42/42.30") << "en" << 21.0 << 42.0 << 42.3 << 90 << 0.0 << -1 << "0.75 D"
                              << "" << 1;
    // The crossed axis at 179 and a residual at 0 are neighbours.
    QTest::newRow("across 180") << "fr" << 15.0 << 40.0 << 46.0 << 175 << 0.9 << 133 << "6.00 D"
                                << "" << 2;
}

// The whole walk through the widgets, step by step, then the numbers shown
// against the engine computed alone.
void TstPage::parcours_complet() {
    QFETCH(QString, langue);
    QFETCH(double, seq);
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(int, axe_k2);
    QFETCH(double, inc);
    QFETCH(int, axe_inc);
    QFETCH(QString, conseil);
    QFETCH(QString, residuel);
    QFETCH(int, avertissement);
    Banc b(langue);
    PageCalcul* p = b.page;

    b.oeil_droit();
    // The power: straight to step 3, dioptres selected, K1 usable.
    b.puissance(seq);
    QCOMPARE(p->etape, 3);
    QCOMPARE(p->p_sph, seq);
    QVERIFY(p->diop->isChecked());
    QCOMPARE(p->diop->text(), langue == "fr" ? QString("Dioptries (D)") : QString("Diopter (D)"));
    QCOMPARE(p->spin_K1->singleStep(), 0.25);
    QVERIFY(p->K1->isEnabled() && !p->K2->isEnabled());
    QCOMPARE(p->label_K1_2->text(), noir("&nbsp;D"));
    QCOMPARE(p->label_K2_2->text(), gris("&nbsp;D"));

    // K1: step 5 at the first digit, the focus stays in the box.
    Banc::saisir(p->spin_K1, QString::number(k1, 'f', 2));
    QCOMPARE(p->etape, 5);
    QVERIFY(p->spin_K1->hasFocus());
    QCOMPARE(p->K1D, k1);
    QVERIFY(p->K2->isEnabled() && !p->spinaxe_K2->isEnabled());
    QVERIFY(!p->astpreD->isEnabled());
    QCOMPARE(p->label_K2_22->text(), gris("@&nbsp;&nbsp;"));

    // K2: step 7, the computed rows and the calculate button.
    Banc::saisir(p->spin_K2, QString::number(k2, 'f', 2));
    QCOMPARE(p->etape, 7);
    QVERIFY(p->spin_K2->hasFocus());
    QVERIFY(p->spinaxe_K2->isEnabled() && p->astpreD->isEnabled() && p->astcrossD->isEnabled());
    QVERIFY(p->calculer_bouton->isVisible() && p->calculer_bouton->isEnabled());
    QCOMPARE(p->label_astpre_D->text(), CalculTorique::texte_D(k2 - k1) + " D");
    QCOMPARE(p->astpre_D_frame->styleSheet(), STYLE_ACTIF);
    QCOMPARE(p->label_K2_22->text(), noir("@&nbsp;&nbsp;"));
    QCOMPARE(p->dessK1->etape_l, 7);
    if (axe_k2 != 90)
        Banc::saisir(p->spinaxe_K2, QString::number(axe_k2));
    QCOMPARE(p->K1axe, axe_k2 + 90 >= 180 ? axe_k2 - 90 : axe_k2 + 90);
    if (inc != 0)
        Banc::saisir(p->spin_inc, QString::number(inc, 'f', 2));
    if (axe_inc >= 0)
        Banc::saisir(p->spinaxe_inc, QString::number(axe_inc));
    const Reference r(seq, k1, k2, axe_k2, inc, axe_inc >= 0 ? axe_inc : 180);
    QCOMPARE(p->label_astcross_D->text(), CalculTorique::texte_D(r.c.astcross_D) + " D");
    QCOMPARE(p->label_astcross_axe->text(), QString::number(r.c.astcross_axe) + QString::fromUtf8(" °"));
    QCOMPARE(p->dessin->angle_k2, -axe_k2);

    // Calculate.
    b.calculer();
    QCOMPARE(b.verifications, 1);
    QCOMPARE(p->etape, 10);
    QVERIFY(!p->calculer->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{p->cyl, p->axeiol, p->sep_u5, p->autre, p->iolp,
                                                      p->astpostD, p->sep_u6})
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    QCOMPARE(p->tcalc_D_frame->styleSheet(), STYLE_CONSEIL);
    QCOMPARE(p->tcalc_axe_frame->styleSheet(), STYLE_CONSEIL);
    QCOMPARE(p->modele_frame->styleSheet(), STYLE_RESULTAT);
    QCOMPARE(p->astpost_axe_frame->styleSheet(), STYLE_RESULTAT);

    // The numbers shown are the engine's.
    const QString degre = QString::fromUtf8(" °");
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(r.c.tcalc_D) + " D");
    QCOMPARE(p->label_tcalc_axe->text(), QString::number(r.c.astcross_axe) + degre);
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r.c.residuel_D(r.c.tcalc_D)) + " D");
    QCOMPARE(p->label_astpost_axe->text(), QString::number(r.c.residuel_axe(r.c.tcalc_D)) + degre);
    QCOMPARE(p->label_iolpost_3->text(), "VELAN T" + CalculTorique::texte_D(r.c.tcalc_D));
    const QString ideal = langue == "fr" ? QString::fromUtf8("(idéale : ") : QString("(ideal : ");
    QCOMPARE(p->label_tperfect_D->text(), "<font color=\"#000000\">" + ideal +
                                              CalculTorique::texte_tperfect(r.c.tperfect_D) +
                                              "<font color=\"#000000\"> D)</font>");
    QCOMPARE(p->dessin->angle_iol_vrai, r.c.astcross_axe);
    QCOMPARE(p->dessin->etape_d, 10);
    // ... and the recommended cylinder and residual these corneas call for
    // (for 42/44 also the axes and the ideal cylinder at the lens plane).
    if (!conseil.isEmpty())
        QCOMPARE(p->label_tcalc_D->text(), conseil);
    if (!residuel.isEmpty())
        QCOMPARE(p->label_astpost_D->text(), residuel);
    if (QTest::currentDataTag() == QByteArray("42/44 fr")) {
        QCOMPARE(p->label_tcalc_axe->text(), "90" + degre);
        QCOMPARE(p->label_astpost_axe->text(), "0" + degre);
        QCOMPARE(
            p->label_tperfect_D->text(),
            QString::fromUtf8("<font color=\"#000000\">(idéale : 2.84<font color=\"#000000\"> D)</font>"));
    }
    if (QTest::currentDataTag() == QByteArray("ideal > 20"))
        QVERIFY(p->label_tperfect_D->text().contains("> 20.0"));
    QCOMPARE(p->attention->isVisible(), avertissement == 1);
    QCOMPARE(p->attention_high->isVisible(), avertissement == 2);

    // The page keeps following its inputs at step 10: K2 one step up.
    QTest::keyClick(p->spin_K2, Qt::Key_Up);
    QCOMPARE(p->K2D, k2 + 0.25);
    QCOMPARE(p->etape, 10);
    const Reference r2(seq, k1, k2 + 0.25, axe_k2, inc, axe_inc >= 0 ? axe_inc : 180);
    QCOMPARE(p->label_astpre_D->text(), CalculTorique::texte_D(k2 + 0.25 - k1) + " D");
    QCOMPARE(p->label_astcross_D->text(), CalculTorique::texte_D(r2.c.astcross_D) + " D");
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(r2.c.tcalc_D) + " D");
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r2.c.residuel_D(r2.c.tcalc_D)) + " D");
}

// A calculation refused by the checks leaves the page at step 7, the
// calculate button still there.
void TstPage::calcul_refuse() {
    Banc b("fr");
    b.jusqua_7(21.0, 44.0, 43.0);
    b.accepter = false;
    b.calculer();
    QCOMPARE(b.verifications, 1);
    QCOMPARE(b.page->etape, 7);
    QVERIFY(b.page->calculer_bouton->isVisible());
    QVERIFY(!b.page->cyl->isVisible() && !b.page->iolp->isVisible());
    b.accepter = true;
    b.calculer();
    QCOMPARE(b.page->etape, 10);
}

void TstPage::puissance_retiree_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte");
    QTest::newRow("fr") << "fr" << QString::fromUtf8("Puissance sphérique")
                        << QString::fromUtf8(
                               "Vous devez indiquer une <b>puissance sphérique</b> pour l'implant.<br>"
                               "Elle est identique à celle calculée pour un implant non torique.");
    QTest::newRow("en")
        << "en"
        << "Spherical power"
        << "Please enter the IOL <b>spherical power</b>.<br>It is the same as the one computed for "
           "a non-toric IOL.";
}

// Going back to " ----" after a power was chosen: an information box, the
// power set to 0, the page not blocked.
void TstPage::puissance_retiree() {
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, texte);
    Banc b(langue);
    b.oeil_droit();
    b.puissance(21.0);
    QStringList vus;
    TestUtil::Repondeur rep([&](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box)
            return -1;
        vus << box->windowTitle() << box->text();
        if (box->icon() != QMessageBox::Information || box->buttons().size() != 1 || box->parent() != b.page)
            vus << "forme";
        box->buttons().first()->click();
        return 0;
    });
    b.page->combo_sph->setCurrentIndex(0);
    QCOMPARE(vus, QStringList({titre, texte}));
    QCOMPARE(b.page->p_sph, 0.0);
    QCOMPARE(b.page->sph_ind, 0);
    QCOMPARE(b.page->puiss_sph, QString(" ----"));
    QCOMPARE(b.page->etape, 3);
}

// At step 3 the unit changes the steps and labels, not the step.
void TstPage::millimetres_a_l_etape_3() {
    Banc b("fr");
    PageCalcul* p = b.page;
    b.oeil_droit();
    b.puissance(21.0);
    QTest::mouseClick(p->mili, Qt::LeftButton);
    QVERIFY(p->mili->isChecked());
    QCOMPARE(p->unit_ind, 2);
    QCOMPARE(p->etape, 3);
    QCOMPARE(p->spin_K1->singleStep(), 0.1);
    QCOMPARE(p->spin_K1->value(), 0.0);
    QCOMPARE(p->label_K1_2->text(), noir("&nbsp;mm"));
    QCOMPARE(p->label_K2_2->text(), gris("&nbsp;mm"));
    const int w_mm = QFontMetrics(p->fontKnormal).horizontalAdvance(" mm");
    QCOMPARE(p->espace_K2_2->width(), 34 - w_mm);

    // Radii: 7.85 and 7.65 mm give 1.12 D.
    Banc::saisir(p->spin_K1, "7.85");
    QCOMPARE(p->etape, 5);
    QCOMPARE(p->K1mm, 7.85);
    QCOMPARE(p->label_K1_22->text(), noir("@&nbsp;&nbsp;"));
    QCOMPARE(p->label_K2_2->text(), noir("&nbsp;mm"));
    QCOMPARE(p->label_K2_22->text(), gris("@&nbsp;&nbsp;"));
    Banc::saisir(p->spin_K2, "7.65");
    QCOMPARE(p->etape, 7);
    QCOMPARE(p->label_astpre_D->text(), QString("1.12 D"));
    b.calculer();
    CalculTorique r;
    r.unit_ind = 2;
    r.K1mm = 7.85;
    r.K2mm = 7.65;
    r.K1axe = 0;
    r.K2axe = 90;
    r.incaxe = 180;
    r.p_sph = 21.0;
    r.calcul_tout();
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(r.tcalc_D) + " D");
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r.residuel_D(r.tcalc_D)) + " D");
}

void TstPage::millimetres_aller_retour_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("en_mm");         // the unit the K are typed in
    QTest::addColumn<QStringList>("tapes");  // K1 and K2 as typed
    QTest::addColumn<QStringList>("autre");  // shown in the other unit
    QTest::addColumn<QString>("retouche");   // K1 typed again in the other unit, or nothing
    QTest::addColumn<QStringList>("retour"); // shown back in the first unit
    QTest::addColumn<QString>("astpre");     // computed from the values kept
    QTest::newRow("43.75 / 44.05 D") << "fr" << false << QStringList{"43.75", "44.05"}
                                     << QStringList{"7.71", "7.66"} << QString()
                                     << QStringList{"43.75", "44.05"} << "0.30 D";
    QTest::newRow("43 / 44 D") << "en" << false << QStringList{"43", "44"} << QStringList{"7.85", "7.67"}
                               << QString() << QStringList{"43.00", "44.00"} << "1.00 D";
    QTest::newRow("7.85 / 7.65 mm") << "en" << true << QStringList{"7.85", "7.65"}
                                    << QStringList{"42.99", "44.12"} << QString()
                                    << QStringList{"7.85", "7.65"} << "1.12 D";
    // Edited in the other unit: that becomes the value typed.
    QTest::newRow("K1 edited in mm") << "fr" << false << QStringList{"43.75", "44.05"}
                                     << QStringList{"7.71", "7.66"} << "7.80" << QStringList{"43.27", "44.05"}
                                     << "0.78 D";
}

// A unit switch shows each K converted, to two decimals; switching back
// gives what was typed, unless it was edited meanwhile; the calculation
// takes the values kept, never the two-decimal figures of the other unit.
void TstPage::millimetres_aller_retour() {
    QFETCH(QString, langue);
    QFETCH(bool, en_mm);
    QFETCH(QStringList, tapes);
    QFETCH(QStringList, autre);
    QFETCH(QString, retouche);
    QFETCH(QStringList, retour);
    QFETCH(QString, astpre);
    Banc b(langue);
    PageCalcul* p = b.page;
    b.oeil_droit();
    b.puissance(21.0);
    QRadioButton* premiere = en_mm ? p->mili : p->diop;
    QRadioButton* seconde = en_mm ? p->diop : p->mili;
    QTest::mouseClick(premiere, Qt::LeftButton);
    Banc::saisir(p->spin_K1, tapes[0]);
    QCOMPARE(p->etape, 5);
    // K2 not entered yet: nothing to convert.
    QTest::mouseClick(seconde, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), autre[0]);
    QCOMPARE(p->spin_K2->value(), 0.0);
    QCOMPARE(p->etape, 5);
    QTest::mouseClick(premiere, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), QString::number(tapes[0].toDouble(), 'f', 2));

    Banc::saisir(p->spin_K2, tapes[1]);
    QCOMPARE(p->etape, 7);
    QTest::mouseClick(seconde, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), autre[0]);
    QCOMPARE(p->spin_K2->text(), autre[1]);
    QCOMPARE(p->label_K1_2->text(), noir(en_mm ? "&nbsp;D" : "&nbsp;mm"));
    if (!retouche.isEmpty())
        Banc::saisir(p->spin_K1, retouche);
    QCOMPARE(p->label_astpre_D->text(), astpre);
    QTest::mouseClick(premiere, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), retour[0]);
    QCOMPARE(p->spin_K2->text(), retour[1]);
    QCOMPARE(p->label_astpre_D->text(), astpre);
    // And again: the same figures each way.
    QTest::mouseClick(seconde, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), retouche.isEmpty() ? autre[0] : retouche);
    QCOMPARE(p->spin_K2->text(), autre[1]);
    QTest::mouseClick(premiere, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), retour[0]);
    b.calculer();
    QCOMPARE(p->etape, 10);
    QCOMPARE(p->label_astpre_D->text(), astpre);
}

void TstPage::autre_cylindre_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("items");
    // Each power, its residual, and the larger residual with the lens turned
    // 5 degrees either way (3.00 D: 0.16 D at the lens plane not turned,
    // 0.53 D turned, about 0.62 of it at the corneal plane), worded so that
    // it cannot be read as another axis.
    const QStringList items = {
        "+ 0.75 D  →  1.30 D x 90 °  (%1 ±5°%2 1.30 D)", "+ 1.50 D  →  0.83 D x 90 °  (%1 ±5°%2 0.86 D)",
        "+ 2.25 D  →  0.37 D x 90 °  (%1 ±5°%2 0.46 D)", "+ 3.00 D  →  0.10 D x 0 °  (%1 ±5°%2 0.33 D)",
        "+ 3.75 D  →  0.56 D x 0 °  (%1 ±5°%2 0.66 D)",  "+ 4.50 D  →  1.03 D x 0 °  (%1 ±5°%2 1.10 D)",
        "+ 5.25 D  →  1.49 D x 0 °  (%1 ±5°%2 1.55 D)",  "+ 6.00 D  →  1.96 D x 0 °  (%1 ±5°%2 2.01 D)"};
    QStringList fr, en;
    for (const QString& i : items) {
        fr << i.arg("si rotation", " :");
        en << i.arg("if rotated", ":");
    }
    fr[3] += "  ← conseillée";
    en[3] += "  ← recommended";
    QTest::newRow("fr") << "fr" << QString::fromUtf8("Choix d'une puissance cylindrique différente")
                        << QString::fromUtf8(
                               "Choisissez dans la gamme torique Brevanta la puissance souhaitée :")
                        << fr;
    // The English label ends in twelve blanks.
    QTest::newRow("en") << "en"
                        << "Selection of a different cylindrical power"
                        << "Select in the Brevanta toric range the desired power :            " << en;
}

// Another power of the range: its lens and residual are shown, the
// recommendation stays.
void TstPage::autre_cylindre() {
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, label);
    QFETCH(QStringList, items);
    Banc b(langue);
    PageCalcul* p = b.page;
    b.jusqua_7(21.0, 42.0, 44.0);
    b.calculer();
    QCOMPARE(p->label_tcalc_D->text(), QString("3.00 D"));

    QString choix;
    QString preselection;
    int ouvertures = 0;
    TestUtil::Repondeur rep([&](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        if (!dlg)
            return -1;
        ++ouvertures;
        [&] {
            QCOMPARE(dlg->windowTitle(), titre);
            QCOMPARE(dlg->labelText(), label);
            QCOMPARE(dlg->inputMode(), QInputDialog::TextInput);
            QCOMPARE(dlg->comboBoxItems(), items);
            QVERIFY(!dlg->isComboBoxEditable());
            QCOMPARE(dlg->parent(), p);
        }();
        preselection = dlg->textValue();
        TestUtil::choisir_cylindre(dlg, choix);
        dlg->accept();
        return 1;
    });

    // 2.25 D under-corrects: about 0.37 D at 90, no warning.
    choix = "+ 2.25 D";
    TestUtil::presser(p->plus, 10);
    QCOMPARE(ouvertures, 1);
    QCOMPARE(preselection, items[3]);
    QCOMPARE(p->choix_torique, 2.25);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T2.25"));
    QCOMPARE(p->label_astpost_D->text(), QString("0.37 D"));
    QCOMPARE(p->label_astpost_axe->text(), QString::fromUtf8("90 °"));
    QVERIFY(!p->attention->isVisible() && !p->attention_high->isVisible());
    QCOMPARE(p->label_tcalc_D->text(), QString("3.00 D"));
    QCOMPARE(p->etape, 10);

    // 3.75 D over-corrects: about 0.56 D at 0 and the inversion warning.
    choix = "+ 3.75 D";
    TestUtil::presser(p->plus, 10);
    QCOMPARE(preselection, items[2]);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T3.75"));
    QCOMPARE(p->label_astpost_D->text(), QString("0.56 D"));
    QCOMPARE(p->label_astpost_axe->text(), QString::fromUtf8("0 °"));
    QVERIFY(p->attention->isVisible() && !p->attention_high->isVisible());
    QCOMPARE(p->label_attention->text(),
             langue == "fr"
                 ? QString::fromUtf8(
                       "<font color=\"#FF0000\">&nbsp;&nbsp;Attention à l'inversion de l'astigmatisme "
                       "(sur-correction)</font>")
                 : QString("<font color=\"#FF0000\">&nbsp;&nbsp;Be careful of astigmatism inversion "
                           "(over-correcting)</font>"));

    // 6.00 D: a large over-correction.
    choix = "+ 6.00 D";
    TestUtil::presser(p->plus, 10);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T6.00"));
    CalculTorique r;
    r.K1D = 42;
    r.K2D = 44;
    r.incaxe = 180;
    r.p_sph = 21;
    r.calcul_tout();
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r.residuel_D(6.0)) + " D");
    QCOMPARE(p->label_tcalc_D->text(), QString("3.00 D"));
}

// Cancel puts back the power shown; any input change brings back the
// recommendation.
void TstPage::autre_cylindre_annule_puis_recalcul() {
    Banc b("fr");
    PageCalcul* p = b.page;
    b.jusqua_7(21.0, 42.0, 44.0);
    b.calculer();
    bool annuler = false;
    TestUtil::Repondeur rep([&](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        if (!dlg)
            return -1;
        TestUtil::choisir_cylindre(dlg, "+ 1.50 D");
        if (annuler) {
            dlg->reject();
            return 0;
        }
        dlg->accept();
        return 1;
    });
    TestUtil::presser(p->plus, 10);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T1.50"));
    QVERIFY(p->attention_high->isHidden());
    const QString residuel = p->label_astpost_D->text();
    annuler = true;
    p->choix_torique = 1.5;
    TestUtil::presser(p->plus, 10);
    QCOMPARE(p->choix_torique, 1.5);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T1.50"));
    QCOMPARE(p->label_astpost_D->text(), residuel);

    // The incision, then K1: the recommended lens again each time.
    Banc::saisir(p->spin_inc, "0.05");
    QCOMPARE(p->label_iolpost_3->text(), "VELAN T" + CalculTorique::texte_D(p->tcalc_D));
    annuler = false;
    TestUtil::presser(p->plus, 10);
    QCOMPARE(p->choix_torique, 1.5);
    QTest::keyClick(p->spin_K1, Qt::Key_Down);
    QCOMPARE(p->choix_torique, p->tcalc_D);
    QCOMPARE(p->label_iolpost_3->text(), "VELAN T" + CalculTorique::texte_D(p->tcalc_D));
    // The spherical power too.
    TestUtil::presser(p->plus, 10);
    b.puissance(22.0);
    QCOMPARE(p->choix_torique, p->tcalc_D);
}

// A switch of language at step 10 rewrites every text; the power picked
// stays, with its residual and its warning, in both directions.
void TstPage::langue_a_l_etape_10() {
    Banc b("fr");
    PageCalcul* p = b.page;
    b.jusqua_7(21.0, 42.0, 44.0);
    b.calculer();
    TestUtil::Repondeur rep([&](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        TestUtil::choisir_cylindre(dlg, "+ 3.75 D");
        dlg->accept();
        return 1;
    });
    TestUtil::presser(p->plus, 10);
    QVERIFY(p->attention->isVisible());
    const QString residuel = p->label_astpost_D->text(), axe = p->label_astpost_axe->text();

    p->update_langue_c("en");
    QCOMPARE(p->etape, 10);
    QVERIFY(p->attention->isVisible() && !p->attention_high->isVisible());
    QCOMPARE(p->choix_torique, 3.75);
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T3.75"));
    QCOMPARE(p->label_astpost_D->text(), residuel);
    QCOMPARE(p->label_astpost_axe->text(), axe);
    QCOMPARE(p->label_tcalc_D->text(), QString("3.00 D"));
    QCOMPARE(p->label_cyl_1->text(), noir("Recommended cylindrical power * :"));
    QCOMPARE(p->label_axeiol_1->text(), noir("IOL axis of placement :"));
    QCOMPARE(p->label_astpre_1->text(), noir("Pre-operative astigmatism :"));
    QCOMPARE(p->label_K2_1->text(), noir("Steep axis :"));
    QCOMPARE(p->label_legK2->text(), noir("Steep axis : "));
    QCOMPARE(p->label_autre->text(),
             noir("* If you want to select a different cylindrical power from the suggestion, click here "
                  ":&nbsp;&nbsp;&nbsp;"));
    QCOMPARE(p->titre_post->text(), QString("<font color=\"#FFFFFF\">POST-OPERATIVE PREDICTIONS :</font>"));
    QCOMPARE(p->odsch2->text(), noir("(right eye)"));
    QCOMPARE(p->oeil_gauche->text(), QString("LEFT EYE (OS)"));
    QCOMPARE(p->mili->text(), QString("Millimeter (mm)"));
    QCOMPARE(p->label_tperfect_D->text(),
             QString("<font color=\"#000000\">(ideal : 2.84<font color=\"#000000\"> D)</font>"));
    QCOMPARE(p->label_attention_high->text(),
             QString("<font color=\"#FF0000\">&nbsp;&nbsp;Be careful, residual astigmatism is high "
                     "(sub-correction)</font>"));
    QVERIFY(p->cyl->isVisible() && p->iolp->isVisible() && !p->calculer->isVisible());

    p->update_langue_c("fr");
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T3.75"));
    QCOMPARE(p->label_astpost_D->text(), residuel);
    QVERIFY(p->attention->isVisible());
    QCOMPARE(p->label_K2_1->text(), noir(QString::fromUtf8("Axe élévé :")));
    QCOMPARE(p->label_legK2->text(), noir(QString::fromUtf8("Axe élevé : ")));
    QCOMPARE(p->label_iolpost_1->text(), noir("Implant torique Brevanta :"));
    QCOMPARE(p->label_astpost_1->text(), noir(QString::fromUtf8("Astigmatisme résiduel prévu :")));
    QCOMPARE(p->titre_tor->text(),
             QString("<font color=\"#FFFFFF\">IMPLANT TORIQUE CALCUL&Eacute; :</font>"));
    QCOMPARE(p->mili->text(), QString::fromUtf8("Millimètres (mm)"));
}

// A language code with no texts leaves every text as it was; the page
// still works.
void TstPage::langue_inconnue() {
    Banc b("en");
    PageCalcul* p = b.page;
    b.oeil_droit();
    p->update_langue_c("al");
    QCOMPARE(p->label_sph_1->text(), noir("IOL spherical power (SEQ) :"));
    QCOMPARE(p->oeil_droit->text(), QString("RIGHT EYE (OD)"));
    b.puissance(21.0);
    QCOMPARE(p->etape, 3);
    QCOMPARE(p->label_K1_1->text(), gris("Flat axis :"));
    QVERIFY(p->K1->isEnabled());
}

// The wheel over the list or any entry, focused or not, changes nothing.
void TstPage::molette_sans_effet() {
    Banc b("fr");
    PageCalcul* p = b.page;
    b.jusqua_7(21.0, 42.0, 44.0);
    auto molette = [](QWidget* w) {
        const QPointF centre(w->width() / 2.0, w->height() / 2.0);
        for (int sens : {120, -120}) {
            QWheelEvent ev(centre, w->mapToGlobal(centre), QPoint(), QPoint(0, sens), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &ev);
        }
    };
    // The same wheel turns an ordinary spin box.
    QSpinBox temoin;
    temoin.setRange(0, 10);
    temoin.setValue(5);
    temoin.show();
    const QPointF c(temoin.width() / 2.0, temoin.height() / 2.0);
    QWheelEvent haut(c, temoin.mapToGlobal(c), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&temoin, &haut);
    QCOMPARE(temoin.value(), 6);

    const QList<QWidget*> entrees{p->combo_sph,  p->spin_K1,     p->spin_K2, p->spinaxe_K1,
                                  p->spinaxe_K2, p->spinaxe_inc, p->spin_inc};
    auto valeurs = [&] {
        return QStringList{p->combo_sph->currentText(), p->spin_K1->text(),    p->spin_K2->text(),
                           p->spinaxe_K1->text(),       p->spinaxe_K2->text(), p->spinaxe_inc->text(),
                           p->spin_inc->text()};
    };
    const QStringList avant = valeurs();
    for (QWidget* w : entrees) {
        w->setFocus();
        molette(w);
        if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
            molette(s->findChild<QLineEdit*>());
    }
    QCOMPARE(valeurs(), avant);
}

// On a French system the entries still show and accept a decimal point.
void TstPage::point_decimal_sur_systeme_francais() {
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    {
        Banc b("fr");
        b.oeil_droit();
        b.puissance(21.0);
        Banc::saisir(b.page->spin_K1, "42.75");
        QCOMPARE(b.page->K1D, 42.75);
        QCOMPARE(b.page->spin_K1->text(), QString("42.75"));
        Banc::saisir(b.page->spin_K2, "44.5");
        QCOMPARE(b.page->label_astpre_D->text(), QString("1.75 D"));
    }
    QLocale::setDefault(avant);
}

void TstPage::bornes_des_entrees_data() {
    QTest::addColumn<QString>("entree");
    QTest::addColumn<QString>("depart");
    QTest::addColumn<int>("touche");
    QTest::addColumn<QString>("arrivee");
    QTest::newRow("K2 axis up from 179") << "spinaxe_K2"
                                         << "179" << int(Qt::Key_Up) << "0";
    QTest::newRow("K2 axis down from 0") << "spinaxe_K2"
                                         << "0" << int(Qt::Key_Down) << "179";
    QTest::newRow("incision up from 359") << "spinaxe_inc"
                                          << "359" << int(Qt::Key_Up) << "0";
    QTest::newRow("incision down from 0") << "spinaxe_inc"
                                          << "0" << int(Qt::Key_Down) << "359";
    QTest::newRow("induced stops at 5.00") << "spin_inc"
                                           << "5.00" << int(Qt::Key_Up) << "5.00";
    QTest::newRow("induced stops at 0.00") << "spin_inc"
                                           << "0.00" << int(Qt::Key_Down) << "0.00";
    QTest::newRow("induced step 0.05") << "spin_inc"
                                       << "1.00" << int(Qt::Key_Up) << "1.05";
    QTest::newRow("K1 step 0.25") << "spin_K1"
                                  << "42.00" << int(Qt::Key_Up) << "42.25";
}

// The axes wrap around, the induced astigmatism stops at its bounds, and
// every value reached is taken into the calculation.
void TstPage::bornes_des_entrees() {
    QFETCH(QString, entree);
    QFETCH(QString, depart);
    QFETCH(int, touche);
    QFETCH(QString, arrivee);
    Banc b("fr");
    b.jusqua_7(21.0, 42.0, 44.0);
    b.calculer();
    auto* s = b.page->findChild<QAbstractSpinBox*>(entree);
    QVERIFY(s);
    Banc::saisir(s, depart);
    QTest::keyClick(s, Qt::Key(touche));
    QCOMPARE(s->text(), arrivee);
    PageCalcul* p = b.page;
    const Reference r(21.0, p->K1D, p->K2D, p->K2axe, p->incD, p->incaxe);
    QCOMPARE(p->K1axe, p->K2axe + 90 >= 180 ? p->K2axe - 90 : p->K2axe + 90);
    QCOMPARE(p->label_astcross_axe->text(), QString::number(r.c.astcross_axe) + QString::fromUtf8(" °"));
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(r.c.tcalc_D) + " D");
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r.c.residuel_D(r.c.tcalc_D)) + " D");
    QCOMPARE(p->dessin->angle_iol_vrai, r.c.astcross_axe);
}

// A page rebuilt from a kept record at step 7: inputs and values restored.
void TstPage::reprise_a_l_etape_7() {
    Banc b("fr", [](ListParam& r) {
        r.oeil_t = std::make_shared<const QString>("gauche");
        r.enab_og_t = true;
        r.sph_ind_t = index_sph(21.0);
        r.puiss_sph_t = "21.0";
        r.unit_ind_t = 2;
        r.K1mm_t = 337.5 / 42.0;
        r.K2mm_t = 337.5 / 44.0;
        r.K1D_t = 42.0;
        r.K2D_t = 44.0;
        r.K1axe_t = 10;
        r.K2axe_t = 100;
        r.incD_t = 0.5;
        r.incaxe_t = 30;
        r.tcalc_D_t = 3.0;
        r.etape_t = 7;
    });
    PageCalcul* p = b.page;
    QCOMPARE(p->etape, 7);
    QVERIFY(p->mili->isChecked());
    QCOMPARE(p->spin_K1->text(), QString("8.04"));
    QCOMPARE(p->spin_K2->text(), QString("7.67"));
    QCOMPARE(p->spinaxe_K2->value(), 100);
    QCOMPARE(p->spinaxe_inc->value(), 30);
    QCOMPARE(p->spin_inc->value(), 0.5);
    QCOMPARE(p->combo_sph->currentText(), QString("21.0"));
    QCOMPARE(p->p_sph, 21.0);
    QCOMPARE(p->odsch->text(), noir("OS"));
    QCOMPARE(p->odsch2->text(), noir("(oeil gauche)"));
    QCOMPARE(p->dessin->flag_oeil, 1);
    // Both pictures stay until an eye button is pressed.
    QVERIFY(p->od->isVisible() && !p->od->isEnabled() && p->og->isEnabled());
    QVERIFY(p->calculer_bouton->isVisible());
    // The K kept as typed (42 and 44 D), not their figures in millimetres.
    QCOMPARE(p->label_astpre_D->text(), QString("2.00 D"));
    QTest::mouseClick(p->diop, Qt::LeftButton);
    QCOMPARE(p->spin_K1->text(), QString("42.00"));
    QCOMPARE(p->spin_K2->text(), QString("44.00"));
    b.calculer();
    QCOMPARE(p->etape, 10);
}

void TstPage::face_posterieure_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<double>("k1"); // in the unit
    QTest::addColumn<double>("k2");
    QTest::addColumn<int>("axe_k2");
    QTest::addColumn<double>("inc");
    QTest::addColumn<int>("axe_inc");
    QTest::addColumn<QString>("total"); // the estimate shown, worked by hand
    QTest::addColumn<QString>("axe_total");
    // X' = 0.508 - 0.926, Y' = 0.009: 0.42 D at 89.
    QTest::newRow("fr, with the rule")
        << "fr" << false << 43.0 << 44.0 << 90 << 0.0 << -1 << "0.42 D" << QString::fromUtf8("89 °");
    // X' = 0.508 + 0.926 * 1.50, Y' = 0.009: 1.90 D at 0.
    QTest::newRow("en, against the rule, incision")
        << "en" << false << 42.0 << 43.5 << 0 << 0.5 << 120 << "1.90 D" << QString::fromUtf8("0 °");
    // 7.85 / 7.60 mm are 42.99 / 44.41 D, oblique at 45: X' = 0.508,
    // Y' = 0.009 + 0.932 * 1.414 = 1.327: 1.42 D at 34.5, rounded to 35.
    QTest::newRow("fr, millimetres, oblique")
        << "fr" << true << 7.85 << 7.60 << 45 << 0.0 << -1 << "1.42 D" << QString::fromUtf8("35 °");
}

// The lens chosen on the total cornea estimated from the keratometry: one
// check box beside K1, usable with the pre-operative row, worked with the
// keyboard and named for a screen reader; turned on, the pre-operative row
// shows the estimate and says so, the diagram's K lines and every result
// follow, the entries keep what was typed; turned off, the page is as it
// was. Nothing that was on the page moves.
void TstPage::face_posterieure() {
    QFETCH(QString, langue);
    QFETCH(bool, mm);
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(int, axe_k2);
    QFETCH(double, inc);
    QFETCH(int, axe_inc);
    QFETCH(QString, total);
    QFETCH(QString, axe_total);
    const bool fr = langue == "fr";
    Banc b(langue);
    PageCalcul* p = b.page;
    auto* c = p->findChild<QCheckBox*>("posterieure");
    QVERIFY(c);
    QCOMPARE(c->text(), fr ? QString::fromUtf8("Face postérieure") : QString("Posterior cornea"));
    QVERIFY2(QAccessible::queryAccessibleInterface(c)
                 ->text(QAccessible::Name)
                 .contains(fr ? QString::fromUtf8("face postérieure") : QString("posterior")),
             qPrintable(c->accessibleName()));
    QVERIFY(!c->isChecked());
    QVERIFY(!c->isEnabled());

    b.oeil_droit();
    b.puissance(21.0);
    if (mm)
        QTest::mouseClick(p->mili, Qt::LeftButton);
    Banc::saisir(p->spin_K1, QString::number(k1, 'f', 2));
    QCOMPARE(p->etape, 5);
    QVERIFY(!c->isEnabled());
    Banc::saisir(p->spin_K2, QString::number(k2, 'f', 2));
    if (axe_k2 != 90)
        Banc::saisir(p->spinaxe_K2, QString::number(axe_k2));
    if (inc != 0) {
        Banc::saisir(p->spin_inc, QString::number(inc, 'f', 2));
        Banc::saisir(p->spinaxe_inc, QString::number(axe_inc));
    }
    QVERIFY(c->isEnabled());
    b.calculer();
    QCOMPARE(p->etape, 10);
    const QStringList avant = resultats(p);
    const QList<QRect> places_avant = places(p);
    const QStringList saisies{p->spin_K1->text(), p->spin_K2->text(), p->spinaxe_K2->text()};
    QVERIFY(!p->label_astpre_estime->isVisible());
    QVERIFY(p->astpre_D_frame->toolTip().isEmpty());

    // Space on the check box, reached from K1 with Tab.
    p->spin_K1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c);
    QTest::keyClick(c, Qt::Key_Space);
    QVERIFY(c->isChecked());
    QCOMPARE(p->posterieure, CorneePosterieure::ABULAFIA_KOCH);
    QCOMPARE(p->etape, 10);

    // The reference: the engine on the estimated cornea, K1' and K2' in
    // dioptres on the estimated axes.
    const double k1D = mm ? CalculTorique::kerato(k1) : k1, k2D = mm ? CalculTorique::kerato(k2) : k2;
    const CorneePosterieure::Estimation e = CorneePosterieure::abulafia_koch(k1D, k2D, axe_k2);
    const Reference r(21.0, e.K1D, e.K2D, e.axe, inc, inc != 0 ? axe_inc : 180);
    QCOMPARE(p->label_astpre_D->text(), total);
    QCOMPARE(p->label_astpre_axe->text(), axe_total);
    QVERIFY(p->label_astpre_estime->isVisible());
    QVERIFY2(p->label_astpre_estime->text().contains(fr ? QString::fromUtf8("estimé") : QString("estimated")),
             qPrintable(p->label_astpre_estime->text()));
    // The boxes say what they show and what it was estimated from.
    QVERIFY2(p->astpre_D_frame->toolTip().contains("Abulafia-Koch"),
             qPrintable(p->astpre_D_frame->toolTip()));
    QVERIFY(p->astpre_D_frame->accessibleName().contains("Abulafia-Koch"));
    QCOMPARE(p->label_astpre_D->accessibleDescription(), p->astpre_D_frame->accessibleName());
    const QString mesure = Textes::D(k2D - k1D) + " x " + Textes::degres(axe_k2);
    QVERIFY2(p->astpre_D_frame->toolTip().contains(mesure), qPrintable(p->astpre_D_frame->toolTip()));
    QVERIFY(p->astpre_D_frame->accessibleDescription().contains(mesure));
    const QString degre = QString::fromUtf8(" °");
    QCOMPARE(p->dessin->angle_k2, -e.axe);
    QCOMPARE(p->dessin->angle_k1, -e.axe_K1());
    QCOMPARE(p->label_astcross_D->text(), CalculTorique::texte_D(r.c.astcross_D) + " D");
    QCOMPARE(p->label_astcross_axe->text(), QString::number(r.c.astcross_axe) + degre);
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(r.c.tcalc_D) + " D");
    QCOMPARE(p->label_tcalc_axe->text(), QString::number(r.c.astcross_axe) + degre);
    QVERIFY(p->label_tperfect_D->text().contains(CalculTorique::texte_tperfect(r.c.tperfect_D)));
    QCOMPARE(p->label_iolpost_3->text(), "VELAN T" + CalculTorique::texte_D(r.c.tcalc_D));
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(r.c.residuel_D(r.c.tcalc_D)) + " D");
    QCOMPARE(p->label_astpost_axe->text(), QString::number(r.c.residuel_axe(r.c.tcalc_D)) + degre);
    QCOMPARE(p->dessin->angle_iol_vrai, r.c.astcross_axe);
    QVERIFY(resultats(p) != avant);
    // The choice list is the estimate's.
    QStringList liste;
    TestUtil::Repondeur lire([&liste](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        liste = dlg->comboBoxItems();
        dlg->reject();
        return 0;
    });
    TestUtil::presser(p->plus, 10);
    QCOMPARE(liste, ChoixPuissance::items(r.c, p->gamme_tot, langue));
    // The entries keep what was typed; nothing that was on the page moved.
    QCOMPARE(QStringList({p->spin_K1->text(), p->spin_K2->text(), p->spinaxe_K2->text()}), saisies);
    QCOMPARE(places(p), places_avant);
    QCOMPARE(p->label_K1_1->height(), p->K1->height());
    QVERIFY(p->label_astpre_estime->geometry().right() < p->astpreD->width());
    QVERIFY(c->geometry().right() < p->K1->width());

    // An input changed: the estimate follows it.
    QTest::keyClick(p->spin_K2, Qt::Key_Up);
    const double k2_haut = mm ? CalculTorique::kerato(k2 + 0.1) : k2 + 0.25;
    const CorneePosterieure::Estimation e2 = CorneePosterieure::abulafia_koch(k1D, k2_haut, axe_k2);
    QCOMPARE(p->label_astpre_D->text(), CalculTorique::texte_D(e2.cyl) + " D");
    QVERIFY(p->astpre_D_frame->toolTip().contains(Textes::D(k2_haut - k1D)));
    QTest::keyClick(p->spin_K2, Qt::Key_Down);
    // While the steep axis is refused (a fraction), the estimate is made
    // again from the last axis typed, never from its own.
    Banc::saisir(p->spinaxe_K2, QString::number(axe_k2) + ".5");
    QTest::keyClick(p->spin_K1, Qt::Key_Up);
    QTest::keyClick(p->spin_K1, Qt::Key_Down);
    QCOMPARE(p->base.axe, e.axe);
    Banc::saisir(p->spinaxe_K2, QString::number(axe_k2));

    // Off again: the page as it was.
    QTest::keyClick(c, Qt::Key_Space);
    QVERIFY(!c->isChecked());
    QCOMPARE(resultats(p), avant);
    QVERIFY(!p->label_astpre_estime->isVisible());
    QVERIFY(p->astpre_D_frame->toolTip().isEmpty());
    QCOMPARE(p->astpre_D_frame->accessibleName(), Textes::texte(Textes::ASTIGMATISME_PREOP, langue));
    QCOMPARE(places(p), places_avant);
}

void TstPage::bande_textes_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QStringList>("textes");
    QTest::newRow("fr") << "fr"
                        << QStringList{QString::fromUtf8("<<   Page précédente"), "Nouveau calcul",
                                       "Imprimer   >>"};
    QTest::newRow("en") << "en" << QStringList{"<<   Previous page", "New calculation", "Print   >>"};
    QTest::newRow("al") << "al" << QStringList{"<<   Previous page", "New calculation", "Print   >>"};
}

void TstPage::bande_textes() {
    QFETCH(QString, langue);
    QFETCH(QStringList, textes);
    BandeBasCalcul bande;
    QCOMPARE(bande.getRetour2()->text(), QString::fromUtf8("<<   Page précédente"));
    bande.update_langue_bc("en");
    bande.update_langue_bc(langue);
    QCOMPARE(bande.langue_bc, langue);
    QCOMPARE(
        (QStringList{bande.getRetour2()->text(), bande.getNouveau()->text(), bande.getImprimer()->text()}),
        textes);
    QCOMPARE(bande.aide->langue_aide, langue);
    QCOMPARE(bande.aide->page_start, 2);
    QCOMPARE(bande.height(), 50);
    QCOMPARE(bande.getRetour2()->size(), QSize(170, 30));
    QCOMPARE(bande.getNouveau()->size(), QSize(150, 30));
    QCOMPARE(bande.getImprimer()->size(), QSize(140, 30));
}

// The print button is replaced; the old one goes once its click is handled.
void TstPage::bande_imprimer_renouvele() {
    Banc b("en");
    BandeBasCalcul* bande = b.bande;
    QPointer<BoutonPerso> ancien = bande->getImprimer();
    int regenerations = 0;
    QObject::connect(ancien, &BoutonStyle::click, bande, [&] {
        ++regenerations;
        bande->regenImprimer();
        QVERIFY(ancien); // still alive while its own click is handled
    });
    TestUtil::presser(ancien, 150);
    QCOMPARE(regenerations, 1);
    TestUtil::vider_evenements();
    QVERIFY(!ancien);
    BoutonPerso* nouveau = bande->getImprimer();
    QCOMPARE(nouveau->text(), QString("Print   >>"));
    QVERIFY(nouveau->isVisible());
    QCOMPARE(nouveau->parentWidget(), bande->frameBoutons);
    QCOMPARE(bande->layoutBoutons->indexOf(nouveau), 4);
    QCOMPARE(bande->layoutBasCalcul->indexOf(bande->frameBoutons), 2);
    // The buttons keep their places: print right of new calculation.
    QVERIFY(nouveau->x() > bande->getNouveau()->x() + bande->getNouveau()->width());
}

// Help opens at its second page in the band's language; the help button
// is then renewed and opens it again.
void TstPage::bande_aide() {
    Banc b("en");
    BandeBasCalcul* bande = b.bande;
    QList<int> pages;
    TestUtil::Repondeur rep([&](QDialog* d) {
        auto* f = qobject_cast<FenetreAide*>(d);
        if (!f)
            return -1;
        pages << f->page_act;
        f->reject();
        return 0;
    });
    QPointer<BoutonAide> ancien = bande->aide;
    TestUtil::presser(ancien, 10);
    QCOMPARE(pages, QList<int>{1});
    TestUtil::vider_evenements();
    QVERIFY(!ancien);
    QVERIFY(bande->aide);
    QCOMPARE(bande->aide->page_start, 2);
    QCOMPARE(bande->aide->langue_aide, QString("en"));
    QCOMPARE(bande->layoutBasCalcul->indexOf(bande->aide), 0);
    QVERIFY(bande->aide->isVisible());
    TestUtil::presser(bande->aide, 10);
    QCOMPARE(pages, (QList<int>{1, 1}));
}

QTEST_MAIN(TstPage)
#include "tst_page.moc"
