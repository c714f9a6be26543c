// The calculation page inside the main window: the checks of the Calculate
// button with their messages, numbers typed as a surgeon types them, the
// result withdrawn while the inputs fail the checks, double presses, the
// flags at step 10, back and resume.

#include "BandeBasAccueil.h"
#include "BandeBasCalcul.h"
#include "BandeHaut.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "CalculTorique.h"
#include "FenetrePrinc.h"
#include "FenetreTest.h"
#include "FeuilleCalcul.h"
#include "ListParam.h"
#include "PageCalcul.h"
#include "PageEnregistree.h"
#include "SaisieAxe.h"
#include "TestUtil.h"
#include "Textes.h"
#include "TraductionBoites.h"
#include "Verification.h"
#include "ZoneDessin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

using TestUtil::index_sph;
using TestUtil::saisir;

// The window (FenetreTest) on page 3, in the language asked for.
struct Fenetre : FenetreTest {
    explicit Fenetre(const QString& l) {
        if (l == "en")
            langue(l);
        page3();
    }

    // Eye OD, power, unit, K1, K2 (steep axis), incision: step 7.
    void saisir_tout(double seq, double k1, double k2, int axe_k2 = 90, double inc = 0, int axe_inc = -1,
                     bool mm = false) {
        PageCalcul* p = page();
        TestUtil::presser(p->oeil_droit, 80);
        p->combo_sph->setCurrentIndex(index_sph(seq));
        if (mm)
            QTest::mouseClick(p->mili, Qt::LeftButton);
        saisir(p->spin_K1, QString::number(k1, 'f', 2));
        saisir(p->spin_K2, QString::number(k2, 'f', 2));
        if (axe_k2 != 90)
            saisir(p->spinaxe_K2, QString::number(axe_k2));
        if (inc != 0)
            saisir(p->spin_inc, QString::number(inc, 'f', 2));
        if (axe_inc >= 0)
            saisir(p->spinaxe_inc, QString::number(axe_inc));
    }
    void calculer() { TestUtil::presser(page()->calculer_bouton, 80); }
};

} // namespace

class TstPageFenetre : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TestUtil::vider_evenements(); }
    void codes_du_calcul_data();
    void codes_du_calcul();
    void saisies_tapees_data();
    void saisies_tapees();
    void resultat_retire_data();
    void resultat_retire();
    void unites_aller_retour_data();
    void unites_aller_retour();
    void double_pression_data();
    void double_pression();
    void puissance_manquante_au_calcul();
    void drapeaux_a_l_etape_10_data();
    void drapeaux_a_l_etape_10();
    void retour_et_reprise_data();
    void retour_et_reprise();
    void retour_et_nouveau_calcul();
};

void TstPageFenetre::codes_du_calcul_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("k2");
    QTest::addColumn<int>("axe_k2");
    QTest::addColumn<double>("inc");
    QTest::addColumn<int>("axe_inc");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<int>("icone"); // 0 = accepted, no box
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("totale"); // the lens chosen on the estimated total cornea

    const int W = QMessageBox::Warning;
    const QString k1_fr =
        QString::fromUtf8("La puissance indiquée pour K1 est en dehors des limites.<br>Il faut : "
                          "<b>30.0 D &lt; K1 &lt; 60.0 D</b>");
    const QString k1_en =
        "The entered power for K1 is out of range.<br>Condition is : <b>30.0 D &lt; K1 &lt; 60.0 "
        "D</b>";
    QTest::newRow("51 fr") << "fr" << 29.99 << 44.0 << 90 << 0.0 << -1 << false << W << "Axe plat K1" << k1_fr
                           << false;
    QTest::newRow("51 en") << "en" << 29.99 << 44.0 << 90 << 0.0 << -1 << false << W << "Flat axis K1"
                           << k1_en << false;
    QTest::newRow("52 fr") << "fr" << 42.0 << 60.01 << 90 << 0.0 << -1 << false << W
                           << QString::fromUtf8("Axe élevé K2")
                           << QString::fromUtf8(
                                  "La puissance indiquée pour K2 est en dehors des limites.<br>Il faut "
                                  ": <b>30.0 D &lt; K2 &lt; 60.0 D</b>")
                           << false;
    QTest::newRow("52 en")
        << "en" << 42.0 << 60.01 << 90 << 0.0 << -1 << false << W << "Steep axis K2"
        << "The entered power for K2 is out of range.<br>Condition is : <b>30.0 D &lt; K2 &lt; "
           "60.0 D</b>"
        << false;
    // The bounds themselves pass.
    QTest::newRow("30/60 D") << "fr" << 30.0 << 60.0 << 90 << 0.0 << -1 << false << 0 << ""
                             << "" << false;
    QTest::newRow("61 fr") << "fr" << 11.01 << 7.5 << 90 << 0.0 << -1 << true << W << "Axe plat K1"
                           << QString::fromUtf8(
                                  "Le rayon indiqué pour K1 est en dehors des limites.<br>Il faut : "
                                  "<b>5.00 mm &lt; K1 &lt; 11.00 mm</b>")
                           << false;
    QTest::newRow("61 en")
        << "en" << 11.01 << 7.5 << 90 << 0.0 << -1 << true << W << "Flat axis K1"
        << "The entered radius for K1 is out of range.<br>Condition is : <b>5.00 mm &lt; K1 &lt; "
           "11.00 mm</b>"
        << false;
    QTest::newRow("62 fr") << "fr" << 7.8 << 4.99 << 90 << 0.0 << -1 << true << W
                           << QString::fromUtf8("Axe élevé K2")
                           << QString::fromUtf8(
                                  "Le rayon indiqué pour K2 est en dehors des limites.<br>Il faut : "
                                  "<b>5.00 mm &lt; K2 &lt; 11.00 mm</b>")
                           << false;
    QTest::newRow("62 en")
        << "en" << 7.8 << 4.99 << 90 << 0.0 << -1 << true << W << "Steep axis K2"
        << "The entered radius for K2 is out of range.<br>Condition is : <b>5.00 mm &lt; K2 &lt; "
           "11.00 mm</b>"
        << false;
    QTest::newRow("11/5 mm") << "en" << 11.0 << 5.0 << 90 << 0.0 << -1 << true << 0 << ""
                             << "" << false;
    QTest::newRow("2 fr") << "fr" << 44.0 << 43.0 << 90 << 0.0 << -1 << false << W << "Axes K1 et K2"
                          << QString::fromUtf8(
                                 "K1 est l'axe plat et K2 est l'axe élevé.<br>Il faut : <b>K2 > "
                                 "K1</b>")
                          << false;
    QTest::newRow("2 en") << "en" << 44.0 << 43.0 << 90 << 0.0 << -1 << false << W << "Axis K1 and K2"
                          << "K1 is flat axis and K2 is steep axis.<br>Condition is : <b>K2 > K1</b>"
                          << false;
    // K2 equal to K1 passes code 2; with the steep axis at 0 the flat
    // profile keeps its maximum at 0 and nothing turns.
    QTest::newRow("K2 = K1") << "fr" << 43.0 << 43.0 << 0 << 0.0 << -1 << false << 0 << ""
                             << "" << false;
    // The incision turns the astigmatism by 90 degrees.
    QTest::newRow("4 fr") << "fr" << 42.0 << 42.5 << 90 << 1.0 << 90 << false << W << "Inversion astigmatisme"
                          << QString::fromUtf8(
                                 "Attention, l'incision induit une <b>inversion de "
                                 "l'astigmatisme</b>.<br>Vérifiez la valeur de l'astigmatisme induit "
                                 "chirurgicalement.")
                          << false;
    QTest::newRow("4 en")
        << "en" << 42.0 << 42.5 << 90 << 1.0 << 90 << false << W << "Astigmatism inversion"
        << "Be careful, the incision induces an <b>astigmatism inversion</b>.<br>Please check the "
           "surgically induced astigmatism value."
        << false;
    // Steep axis 179, crossed axis 0: one degree apart across 180, no inversion.
    QTest::newRow("179 / 0") << "en" << 42.0 << 44.0 << 179 << 0.25 << 100 << false << 0 << ""
                             << "" << false;
    // Everything entered (code 70): this is the calculation itself.
    QTest::newRow("70 fr") << "fr" << 42.0 << 44.0 << 90 << 0.0 << -1 << false << 0 << ""
                           << "" << false;
    // Entries holding a number typed beyond their limits.
    QTest::newRow("55 fr") << "fr" << 42.0 << 44.0 << 200 << 0.0 << -1 << false << W << "Axe de K2"
                           << QString::fromUtf8(
                                  "L'axe indiqué pour K2 est en dehors des limites.<br>Il faut : "
                                  "<b>un nombre entier de 0 à 180 °</b>")
                           << false;
    QTest::newRow("55 en") << "en" << 42.0 << 44.0 << 200 << 0.0 << -1 << false << W << "K2 axis"
                           << QString::fromUtf8("The entered axis for K2 is out of range.<br>Condition is : "
                                                "<b>a whole number from 0 to 180 °</b>")
                           << false;
    QTest::newRow("80 fr") << "fr" << 42.0 << 44.0 << 90 << 7.5 << -1 << false << W
                           << "Astigmatisme induit chirurgicalement"
                           << QString::fromUtf8(
                                  "L'astigmatisme induit indiqué est en dehors des limites.<br>Il "
                                  "faut : <b>0.00 D ≤ astigmatisme induit ≤ 5.00 D</b>")
                           << false;
    QTest::newRow("80 en") << "en" << 42.0 << 44.0 << 90 << 7.5 << -1 << false << W
                           << "Surgically induced astigmatism"
                           << QString::fromUtf8(
                                  "The entered induced astigmatism is out of range.<br>Condition "
                                  "is : <b>0.00 D ≤ induced astigmatism ≤ 5.00 D</b>")
                           << false;
    QTest::newRow("81 fr") << "fr" << 42.0 << 44.0 << 90 << 0.0 << 400 << false << W
                           << "Position de l'incision"
                           << QString::fromUtf8("La position indiquée pour l'incision est en dehors des "
                                                "limites.<br>Il faut : <b>un nombre entier de 0 à 360 °</b>")
                           << false;
    QTest::newRow("81 en") << "en" << 42.0 << 44.0 << 90 << 0.0 << 400 << false << W << "Incision location"
                           << QString::fromUtf8("The entered incision location is out of range.<br>Condition "
                                                "is : <b>a whole number from 0 to 360 °</b>")
                           << false;
    // The lens chosen on the total cornea estimated from the keratometry:
    // K2 typed below K1 is refused, whatever the estimate (1.43 D at 0).
    QTest::newRow("2 fr, total cornea")
        << "fr" << 44.0 << 43.0 << 90 << 0.0 << -1 << false << W << "Axes K1 et K2"
        << QString::fromUtf8("K1 est l'axe plat et K2 est l'axe élevé.<br>Il "
                             "faut : <b>K2 > K1</b>")
        << true;
    QTest::newRow("52 en, total cornea")
        << "en" << 42.0 << 60.01 << 90 << 0.0 << -1 << false << W << "Steep axis K2"
        << "The entered power for K2 is out of range.<br>Condition is : <b>30.0 D &lt; K2 &lt; "
           "60.0 D</b>"
        << true;
    // A spherical cornea steep at 90: the flat profile of the keratometry
    // has its crossed axis at 0, turned from the steep axis typed; the
    // estimate (0.51 D at 1) and its crossed axis agree.
    QTest::newRow("K2 = K1 at 90, keratometry")
        << "fr" << 43.5 << 43.5 << 90 << 0.0 << -1 << false << W << "Inversion astigmatisme"
        << QString::fromUtf8("Attention, l'incision induit une <b>inversion de "
                             "l'astigmatisme</b>.<br>Vérifiez la valeur de l'astigmatisme induit "
                             "chirurgicalement.")
        << false;
    QTest::newRow("K2 = K1 at 90, total cornea")
        << "fr" << 43.5 << 43.5 << 90 << 0.0 << -1 << false << 0 << ""
        << "" << true;
    // 0.50 D with the rule and 1.00 D induced on it: turned from the
    // keratometry, not from the estimate (0.05 D at 6), which it steepens.
    QTest::newRow("4 en, total cornea") << "en" << 42.0 << 42.5 << 90 << 1.0 << 90 << false << 0 << ""
                                        << "" << true;
}

// Calculate through the main window: the first failing check shows its box
// (warning or information, parented to the window) and the page stays at
// step 7; an accepted calculation shows nothing and goes to step 10.
void TstPageFenetre::codes_du_calcul() {
    QFETCH(QString, langue);
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(int, axe_k2);
    QFETCH(double, inc);
    QFETCH(int, axe_inc);
    QFETCH(bool, mm);
    QFETCH(int, icone);
    QFETCH(QString, titre);
    QFETCH(QString, texte);
    QFETCH(bool, totale);
    Fenetre w(langue);
    w.saisir_tout(21.0, k1, k2, axe_k2, inc, axe_inc, mm);
    PageCalcul* p = w.page();
    QCOMPARE(p->etape, 7);
    if (totale)
        QTest::mouseClick(p->posterieure_case, Qt::LeftButton);
    QCOMPARE(p->posterieure_case->isChecked(), totale);
    QVERIFY(w.boites.isEmpty());
    w.calculer();
    if (icone == 0) {
        QVERIFY2(w.boites.isEmpty(), qPrintable(w.boites.value(0).titre));
        QVERIFY(p->ok_err);
        QCOMPARE(p->etape, 10);
        QVERIFY(p->cyl->isVisible());
        return;
    }
    QCOMPARE(w.boites.size(), 1);
    const Boite& b = w.boites.first();
    QCOMPARE(static_cast<int>(b.icone), icone);
    QCOMPARE(b.parent, static_cast<QObject*>(w.f.get()));
    QCOMPARE(b.titre, titre);
    QCOMPARE(b.texte, texte);
    QVERIFY(!p->ok_err);
    QCOMPARE(p->etape, 7);
    QVERIFY(p->calculer_bouton->isVisible());
    QVERIFY(!p->iolp->isVisible());
}

void TstPageFenetre::saisies_tapees_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("entree");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("frappes");
    QTest::addColumn<double>("valeur");  // what the calculation and the record take
    QTest::addColumn<QString>("montre"); // the entry once left
    QTest::addColumn<int>("code");       // of Calculate; 0: the result is shown
    for (const char* l : {"fr", "en"}) {
        auto ligne = [l](const char* nom) -> QTestData& {
            return QTest::newRow(qPrintable(QString("%1 %2").arg(nom, l))) << QString(l);
        };
        // The horizontal meridian written 180, the incision at 0 as 360.
        ligne("180 axe") << "spinaxe_K2" << false << "180" << 0.0 << "0" << 0;
        ligne("360 incision") << "spinaxe_inc" << false << "360" << 0.0 << "0" << 0;
        // The decimal comma of a French keyboard.
        ligne("44,25") << "spin_K2" << false << "44,25" << 44.25 << "44.25" << 0;
        // Beyond the limits: kept as typed, refused by Calculate.
        ligne("7.5 induit") << "spin_inc" << false << "7.5" << 7.5 << "7.50" << 80;
        ligne("150 K1") << "spin_K1" << false << "150" << 150.0 << "150.00" << 51;
    }
    QTest::newRow("0,75 induit") << "fr"
                                 << "spin_inc" << false << "0,75" << 0.75 << "0.75" << 0;
    QTest::newRow("7,5 induit") << "en"
                                << "spin_inc" << false << "7,5" << 7.5 << "7.50" << 80;
    QTest::newRow("-0,5 induit") << "fr"
                                 << "spin_inc" << false << "-0,5" << -0.5 << "-0.50" << 80;
    QTest::newRow("7,85 mm") << "fr"
                             << "spin_K2" << true << "7,85" << 7.85 << "7.85" << 0;
    QTest::newRow("12 mm") << "en"
                           << "spin_K1" << true << "12" << 12.0 << "12.00" << 61;
    QTest::newRow("200 axe") << "fr"
                             << "spinaxe_K2" << false << "200" << 200.0 << "200" << 55;
    // A point in an axis is no whole degree, not a tenfold axis.
    QTest::newRow("12.5 axe") << "en"
                              << "spinaxe_K2" << false << "12.5" << double(SaisieAxe::NON_ENTIER) << "12.5"
                              << 55;
    QTest::newRow("370 incision") << "en"
                                  << "spinaxe_inc" << false << "370" << 370.0 << "370" << 81;
    // A paste from a spreadsheet: the cell's line end goes.
    QTest::newRow("collé") << "fr"
                           << "spin_K1" << false << "42,5\t" << 42.5 << "42.50" << 0;
}

// Numbers typed into the entries, key by key, as a hurried surgeon types
// them: the entry, the page, the record the main window checks and the
// sheet draws from, and the diagram all take the number typed; one beyond
// the entry's limits is kept, shown as invalid, and refused by Calculate
// with the message of the field.
void TstPageFenetre::saisies_tapees() {
    QFETCH(QString, langue);
    QFETCH(QString, entree);
    QFETCH(bool, mm);
    QFETCH(QString, frappes);
    QFETCH(double, valeur);
    QFETCH(QString, montre);
    QFETCH(int, code);
    Fenetre w(langue);
    if (mm)
        w.saisir_tout(21.0, 8.0, 7.7, 90, 0.5, 120, true);
    else
        w.saisir_tout(21.0, 42.0, 44.0, 90, 0.5, 120);
    PageCalcul* p = w.page();
    auto* s = p->findChild<QAbstractSpinBox*>(entree);
    QVERIFY(s);
    saisir(s, frappes);
    QCOMPARE(s->text(), montre);

    // The value the page computes from and hands to the record.
    auto membre = [&](const PageCalcul* c) -> double {
        if (entree == "spin_K1")
            return mm ? c->K1mm : c->K1D;
        if (entree == "spin_K2")
            return mm ? c->K2mm : c->K2D;
        if (entree == "spinaxe_K2")
            return c->K2axe;
        if (entree == "spinaxe_inc")
            return c->incaxe;
        return c->incD;
    };
    auto champ = [&](const ListParam* r) -> double {
        if (entree == "spin_K1")
            return mm ? r->K1mm_t : r->K1D_t;
        if (entree == "spin_K2")
            return mm ? r->K2mm_t : r->K2D_t;
        if (entree == "spinaxe_K2")
            return r->K2axe_t;
        if (entree == "spinaxe_inc")
            return r->incaxe_t;
        return r->incD_t;
    };
    QCOMPARE(membre(p), valeur);
    const bool en = langue == "en";
    QCOMPARE(s->toolTip().startsWith(en ? "Value out of range" : "Valeur hors limites"), code != 0);
    QCOMPARE(s->palette().color(QPalette::Base) !=
                 p->spin_K1->parentWidget()->palette().color(QPalette::Base),
             code != 0);

    w.calculer();
    QCOMPARE(champ(w.f->param_p), valeur);
    if (code == 0) {
        QVERIFY2(w.boites.isEmpty(), qPrintable(w.boites.value(0).titre));
        QCOMPARE(p->etape, 10);
        // The diagram draws the meridian taken.
        if (entree == "spinaxe_K2")
            QCOMPARE(p->dessin->angle_k2, -int(valeur));
        if (entree == "spinaxe_inc")
            QCOMPARE(p->dessin->angle_inc, -int(valeur));
        return;
    }
    QCOMPARE(p->etape, 7);
    QCOMPARE(w.boites.size(), 1);
    const Verification::Message m = Verification::message(code, langue);
    QCOMPARE(w.boites.first().titre, m.titre);
    QCOMPARE(w.boites.first().texte, m.texte);
    QCOMPARE(s->text(), montre);
}

void TstPageFenetre::resultat_retire_data() {
    QTest::addColumn<QString>("entree");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("frappes");
    QTest::addColumn<QString>("retour"); // typed back: the result returns
    QTest::addColumn<int>("code");
    // The figures left empty while the entry is refused: the pre-operative
    // power (p), its axis (a), the crossed cylinder (c); and what the diagram
    // no longer draws: the K axes (k), the incision (i).
    QTest::addColumn<QString>("vides");
    QTest::addColumn<QString>("dessin");
    QTest::addColumn<bool>("totale"); // the lens chosen on the estimated total cornea
    using V = Verification;
    QTest::newRow("K2 below K1") << "spin_K2" << false << "41"
                                 << "44" << int(V::K2_SOUS_K1) << ""
                                 << "" << false;
    QTest::newRow("K1 beyond 60 D") << "spin_K1" << false << "61"
                                    << "42" << int(V::K1_HORS_D) << "pc"
                                    << "" << false;
    QTest::newRow("K1 150") << "spin_K1" << false << "150"
                            << "42" << int(V::K1_HORS_D) << "pc"
                            << "" << false;
    QTest::newRow("radius 0 mm") << "spin_K2" << true << "0"
                                 << "7.7" << int(V::K2_HORS_MM) << "pc"
                                 << "" << false;
    QTest::newRow("power taken back") << "combo_sph" << false << "0"
                                      << "23" << int(V::SANS_PUISSANCE) << ""
                                      << "" << false;
    QTest::newRow("induced 7,5") << "spin_inc" << false << "7,5"
                                 << "0,5" << int(V::INDUIT_HORS) << "c"
                                 << "" << false;
    QTest::newRow("induced 9") << "spin_inc" << false << "9"
                               << "0,5" << int(V::INDUIT_HORS) << "c"
                               << "" << false;
    QTest::newRow("axis 200") << "spinaxe_K2" << false << "200"
                              << "90" << int(V::AXE_HORS) << "ac"
                              << "k" << false;
    QTest::newRow("axis 12.5") << "spinaxe_K2" << false << "12.5"
                               << "90" << int(V::AXE_HORS) << "ac"
                               << "k" << false;
    QTest::newRow("incision 400") << "spinaxe_inc" << false << "400"
                                  << "120" << int(V::INCISION_HORS) << "c"
                                  << "i" << false;
    // The estimated total astigmatism comes from the steep axis as well.
    QTest::newRow("axis 200, total cornea") << "spinaxe_K2" << false << "200"
                                            << "90" << int(V::AXE_HORS) << "pac"
                                            << "k" << true;
    QTest::newRow("K1 150, total cornea") << "spin_K1" << false << "150"
                                          << "42" << int(V::K1_HORS_D) << "pc"
                                          << "" << true;
}

// At step 10 an input changed to one that Calculate refuses withdraws the
// recommendation, the lens axis, the residual and the lens on the diagram;
// the Calculate button says why. While an entry is refused, every figure
// computed from it shows the empty state of its row and the diagram draws
// no line or arc from it. The same result comes back once the input passes
// again, without Calculate.
void TstPageFenetre::resultat_retire() {
    QFETCH(QString, entree);
    QFETCH(bool, mm);
    QFETCH(QString, frappes);
    QFETCH(QString, retour);
    QFETCH(int, code);
    QFETCH(QString, vides);
    QFETCH(QString, dessin);
    QFETCH(bool, totale);
    Fenetre w("fr");
    if (mm)
        w.saisir_tout(21.0, 8.0, 7.7, 90, 0.5, 120, true);
    else
        w.saisir_tout(21.0, 42.0, 44.0, 90, 0.5, 120);
    if (totale)
        QTest::mouseClick(w.page()->posterieure_case, Qt::LeftButton);
    w.calculer();
    PageCalcul* p = w.page();
    QCOMPARE(p->etape, 10);
    const QString conseil = p->label_tcalc_D->text(), axe = p->label_tcalc_axe->text(),
                  residuel = p->label_astpost_D->text();
    struct Figure {
        char lettre;
        QLabel* valeur;
        QFrame* cadre;
        QString texte;
    };
    const QList<Figure> figures = {
        {'p', p->label_astpre_D, p->astpre_D_frame, p->label_astpre_D->text()},
        {'a', p->label_astpre_axe, p->astpre_axe_frame, p->label_astpre_axe->text()},
        {'c', p->label_astcross_D, p->astcross_D_frame, p->label_astcross_D->text()},
        {'c', p->label_astcross_axe, p->astcross_axe_frame, p->label_astcross_axe->text()}};
    const QString style_actif = p->astpre_D_frame->styleSheet();
    auto changer = [&](const QString& t) {
        if (entree == "combo_sph")
            p->combo_sph->setCurrentIndex(t.toInt());
        else
            saisir(p->findChild<QAbstractSpinBox*>(entree), t);
    };
    auto resultat_montre = [&] {
        return p->cyl->isVisible() || p->axeiol->isVisible() || p->iolp->isVisible() ||
               p->astpostD->isVisible() || p->dessin->etape_d > 9;
    };
    changer(frappes);
    QVERIFY(!resultat_montre());
    QVERIFY(p->calculer_bouton->isVisible());
    auto figures_retirees = [&] {
        for (const Figure& f : figures) {
            const bool vide = vides.contains(QLatin1Char(f.lettre));
            QCOMPARE(f.valeur->text().isEmpty(), vide);
            QCOMPARE(f.cadre->styleSheet() == style_actif, !vide);
        }
        // A row whose figures are all gone is greyed, as before its step.
        QCOMPARE(p->astcrossD->isEnabled(), !vides.contains('c'));
        QCOMPARE(p->label_astcross_1->text().contains("#AFAFAF"), vides.contains('c'));
        QCOMPARE(p->dessin->axes_K_montres, !dessin.contains('k'));
        QCOMPARE(p->dessin->incision_montree, !dessin.contains('i'));
    };
    figures_retirees();
    w.boites.clear();
    w.calculer();
    QCOMPARE(w.boites.size(), 1);
    QCOMPARE(w.boites.first().titre, Verification::message(code, "fr").titre);
    QVERIFY(!resultat_montre());
    figures_retirees();
    // Print refuses it too.
    w.boites.clear();
    TestUtil::presser(w.f->bascalcul->getImprimer(), 150);
    QCOMPARE(w.boites.size(), 1);
    QCOMPARE(w.boites.first().titre, Verification::message(code, "fr").titre);
    // A switch of language leaves them empty.
    TestUtil::presser(w.f->anglais_p, 10);
    TestUtil::presser(w.f->francais_p, 10);
    figures_retirees();

    changer(retour);
    QCOMPARE(p->etape, 10);
    QVERIFY(p->cyl->isVisible() && p->iolp->isVisible() && p->astpostD->isVisible());
    QCOMPARE(p->dessin->etape_d, 10);
    QCOMPARE(p->label_tcalc_D->text(), conseil);
    QCOMPARE(p->label_tcalc_axe->text(), axe);
    QCOMPARE(p->label_astpost_D->text(), residuel);
    for (const Figure& f : figures) {
        QCOMPARE(f.valeur->text(), f.texte);
        QCOMPARE(f.cadre->styleSheet(), style_actif);
    }
    QVERIFY(p->astpreD->isEnabled() && p->astcrossD->isEnabled());
    QVERIFY(p->dessin->axes_K_montres && p->dessin->incision_montree);
}

void TstPageFenetre::unites_aller_retour_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("mm"); // the unit on screen at Calculate
    QTest::addColumn<QString>("K1");
    QTest::addColumn<QString>("K2");
    QTest::newRow("fr, back in D") << "fr" << false << QString::fromUtf8("43.75 D     @  0 °")
                                   << QString::fromUtf8("44.05 D     @  90 °");
    QTest::newRow("en, in mm") << "en" << true << QString::fromUtf8("7.71 mm     @  0 °")
                               << QString::fromUtf8("7.66 mm     @  90 °");
}

// K1 43.75 and K2 44.05 D, the unit switched to mm and back (and once more):
// the record the checks read and the sheet is drawn from keep the values
// typed, and the sheet prints them, or their two-decimal radii in mm.
void TstPageFenetre::unites_aller_retour() {
    QFETCH(QString, langue);
    QFETCH(bool, mm);
    QFETCH(QString, K1);
    QFETCH(QString, K2);
    Fenetre w(langue);
    w.saisir_tout(21.0, 43.75, 44.05);
    PageCalcul* p = w.page();
    QTest::mouseClick(p->mili, Qt::LeftButton);
    QTest::mouseClick(p->diop, Qt::LeftButton);
    if (mm)
        QTest::mouseClick(p->mili, Qt::LeftButton);
    w.calculer();
    QCOMPARE(p->etape, 10);
    const ListParam& r = *w.f->param_p;
    QCOMPARE(r.unit_ind_t, mm ? 2 : 1);
    QCOMPARE(r.K1D_t, 43.75);
    QCOMPARE(r.K2D_t, 44.05);
    QCOMPARE(r.astpre_D_t, 44.05 - 43.75);
    PageEnregistree feuille;
    {
        QPainter painter(&feuille);
        FeuilleCalcul::peindre(painter, r, 0, PageEnregistree::LARGEUR);
    }
    QVERIFY(feuille.moteur.contient(K1));
    QVERIFY(feuille.moteur.contient(K2));
    QVERIFY(feuille.moteur.contient(QString::fromUtf8("0.30 D      x   90 °")));
}

void TstPageFenetre::double_pression_data() {
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<QString>("titre"); // of the one box the double press opens
    QTest::newRow("start, calculation kept") << "accepter"
                                             << "Reprendre calcul";
    QTest::newRow("Calculate, refused") << "calculer_bouton"
                                        << "Axes K1 et K2";
    QTest::newRow("Print, refused") << "imprimer"
                                    << "Axes K1 et K2";
}

// Two presses less than the kit's delay apart, while the box that the first
// opens waits for its answer (its own modal loop): one box, one page move;
// the window then works as before: one calculation page laid out between the
// bands, the flags retranslate it, Back leaves it.
void TstPageFenetre::double_pression() {
    QFETCH(QString, bouton);
    QFETCH(QString, titre);
    Fenetre w("fr");
    if (bouton == "accepter") {
        w.saisir_tout(21.0, 42.0, 44.0);
        w.calculer();
        TestUtil::presser(w.f->bascalcul->getRetour2(), 150);
        QVERIFY(w.f->accueil);
    } else {
        w.saisir_tout(21.0, 44.0, 43.0);
    }
    QStringList vues;
    TestUtil::Repondeur modal([&](QDialog* d) {
        vues << d->windowTitle();
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box)
            return d->exec();
        QTimer::singleShot(250, box, [box] { box->buttons().at(0)->click(); });
        return box->exec();
    });
    BoutonStyle* b = w.page() ? static_cast<BoutonStyle*>(w.page()->calculer_bouton) : nullptr;
    if (bouton == "accepter")
        b = w.f->basaccueil->getAccepter();
    else if (bouton == "imprimer")
        b = w.f->bascalcul->getImprimer();
    QTest::mousePress(b, Qt::LeftButton);
    QTest::mousePress(b, Qt::LeftButton);
    QTest::qWait(800);
    TestUtil::vider_evenements();
    QCOMPARE(vues, QStringList{titre});

    PageCalcul* p = w.page();
    QVERIFY(p);
    QCOMPARE(w.f->findChildren<PageCalcul*>().size(), 1);
    auto* l = qobject_cast<QVBoxLayout*>(w.f->layout());
    QVERIFY(l);
    QCOMPARE(l->count(), 3);
    QCOMPARE(l->itemAt(0)->widget(), static_cast<QWidget*>(w.f->haut));
    QCOMPARE(l->itemAt(1)->widget(), static_cast<QWidget*>(p));
    QCOMPARE(l->itemAt(2)->widget(), static_cast<QWidget*>(w.f->bascalcul));
    QVERIFY(p->isVisible() && w.f->bascalcul->isVisible());
    QCOMPARE(p->etape, 7);
    TestUtil::presser(w.f->anglais_p, 10);
    QCOMPARE(p->langue_c, QString("en"));
    QCOMPARE(w.f->bascalcul->getRetour2()->text(), QString("<<   Previous page"));
    TestUtil::presser(w.f->bascalcul->getRetour2(), 150);
    QVERIFY(w.f->accueil && !w.f->calcul);
    QCOMPARE(w.f->findChildren<PageCalcul*>().size(), 0);
}

// The power taken back to " ----" at step 7: the page's own box, then at
// Calculate the window's box, both information.
void TstPageFenetre::puissance_manquante_au_calcul() {
    Fenetre w("en");
    w.saisir_tout(21.0, 42.0, 44.0);
    PageCalcul* p = w.page();
    p->combo_sph->setCurrentIndex(0);
    QCOMPARE(w.boites.size(), 1);
    QCOMPARE(w.boites.at(0).parent, static_cast<QObject*>(p));
    w.calculer();
    QCOMPARE(w.boites.size(), 2);
    const Boite& b = w.boites.at(1);
    QCOMPARE(b.icone, QMessageBox::Information);
    QCOMPARE(b.parent, static_cast<QObject*>(w.f.get()));
    QCOMPARE(b.titre, QString("Spherical power"));
    QCOMPARE(b.texte,
             QString("Please enter the IOL <b>spherical power</b>.<br>It is the same as the one computed "
                     "for a non-toric IOL."));
    QCOMPARE(p->etape, 7);
}

void TstPageFenetre::drapeaux_a_l_etape_10_data() {
    QTest::addColumn<QString>("choix"); // the power picked, empty for none
    QTest::addColumn<QString>("implant");
    QTest::addColumn<bool>("totale"); // the lens chosen on the estimated total cornea
    QTest::addColumn<QString>("conseil");
    QTest::newRow("recommended") << QString() << "VELAN T3.00" << false << "3.00 D";
    // Under-corrects: no warning.
    QTest::newRow("+ 2.25 D picked") << "+ 2.25 D"
                                     << "VELAN T2.25" << false << "3.00 D";
    // Over-corrects: the inversion warning, which stays too.
    QTest::newRow("+ 3.75 D picked") << "+ 3.75 D"
                                     << "VELAN T3.75" << false << "3.00 D";
    // The estimate of 2.00 D with the rule is 1.34 D at 90: 1.50 D
    // recommended; 2.25 D picked.
    QTest::newRow("total cornea, + 2.25 D picked") << "+ 2.25 D"
                                                   << "VELAN T2.25" << true << "1.50 D";
}

// The flags at step 10 retranslate the page in place, results included; a
// power picked stays picked, in the lens box, the residual, the warnings
// and the record the sheet is printed from, whatever the switches.
void TstPageFenetre::drapeaux_a_l_etape_10() {
    QFETCH(QString, choix);
    QFETCH(QString, implant);
    QFETCH(bool, totale);
    QFETCH(QString, conseil);
    // A French system: the toolkit speaks French at start.
    QVERIFY(TraductionBoites::installer("qt_fr_FR"));
    Fenetre w("fr");
    w.saisir_tout(21.0, 42.0, 44.0);
    PageCalcul* p = w.page();
    if (totale)
        QTest::mouseClick(p->posterieure_case, Qt::LeftButton);
    w.calculer();
    QCOMPARE(p->etape, 10);
    QString annuler; // the Cancel of the choice list, in the toolkit's words
    w.autre = [&](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        if (!dlg || !TestUtil::choisir_cylindre(dlg, choix))
            return 0;
        annuler = dlg->cancelButtonText();
        dlg->accept();
        return 1;
    };
    if (!choix.isEmpty()) {
        TestUtil::presser(p->plus, 10);
        QCOMPARE(annuler, QString("Annuler"));
    }
    QCOMPARE(p->label_iolpost_3->text(), implant);
    const QString residuel = p->label_astpost_D->text(), axe = p->label_astpost_axe->text();
    const bool inversion = p->attention->isVisible(), eleve = p->attention_high->isVisible();
    auto inchange = [&] {
        QCOMPARE(p->label_iolpost_3->text(), implant);
        QCOMPARE(p->label_astpost_D->text(), residuel);
        QCOMPARE(p->label_astpost_axe->text(), axe);
        QCOMPARE(p->attention->isVisible(), inversion);
        QCOMPARE(p->attention_high->isVisible(), eleve);
        QCOMPARE(p->label_tcalc_D->text(), conseil);
        QCOMPARE(p->posterieure_case->isChecked(), totale);
        QCOMPARE(p->label_astpre_estime->isVisible(), totale);
        QCOMPARE(p->label_astpre_D->text(), QString(totale ? "1.34 D" : "2.00 D"));
        w.f->enreg_p();
        QCOMPARE(Textes::implant(w.f->param_p->modele_iol_t, w.f->param_p->choix_torique_t), implant);
        QCOMPARE(w.f->param_p->posterieure_t,
                 totale ? CorneePosterieure::ABULAFIA_KOCH : CorneePosterieure::AUCUNE);
    };

    TestUtil::presser(w.f->anglais_p, 10);
    QCOMPARE(w.page(), p);
    QCOMPARE(p->langue_c, QString("en"));
    QCOMPARE(p->label_cyl_1->text(),
             QString("<font color=\"#000000\">Recommended cylindrical power * :</font>"));
    QCOMPARE(w.f->bascalcul->getNouveau()->text(), QString("New calculation"));
    QCOMPARE(p->posterieure_case->text(), QString("Posterior cornea"));
    if (totale)
        QCOMPARE(p->label_astpre_estime->text(), QString("<font color=\"#000000\">estimated</font>"));
    inchange();
    // The list opened again speaks English, toolkit's words included.
    if (!choix.isEmpty()) {
        TestUtil::presser(p->plus, 10);
        QCOMPARE(annuler, QString("Cancel"));
        inchange();
    }
    TestUtil::presser(w.f->francais_p, 10);
    QCOMPARE(p->label_cyl_1->text(),
             QString::fromUtf8("<font color=\"#000000\">Puissance cylindrique conseillée * :</font>"));
    QCOMPARE(w.f->bascalcul->getImprimer()->text(), QString("Imprimer   >>"));
    inchange();
    TestUtil::presser(w.f->anglais_p, 10);
    inchange();

    // An input changed brings the recommendation back.
    TestUtil::saisir(p->spin_inc, "0.05");
    QCOMPARE(p->label_iolpost_3->text(), QString("VELAN T") + CalculTorique::texte_D(p->tcalc_D));
}

void TstPageFenetre::retour_et_reprise_data() {
    QTest::addColumn<bool>("totale"); // the lens chosen on the estimated total cornea
    QTest::addColumn<QString>("preop");
    QTest::newRow("keratometry") << false << "6.00 D";
    // X' = 0.508, Y' = 0.009 - 0.932 * 6: 5.61 D at 138.
    QTest::newRow("total cornea") << true << "5.61 D";
}

// Back to page 1 at step 10 with another cylinder shown, then resume: the
// page comes back at step 7 with its inputs and the cornea the lens is
// chosen on, and calculates again.
void TstPageFenetre::retour_et_reprise() {
    QFETCH(bool, totale);
    QFETCH(QString, preop);
    Fenetre w("fr");
    w.saisir_tout(15.0, 40.0, 46.0, 135, 0.5, 120);
    if (totale)
        QTest::mouseClick(w.page()->posterieure_case, Qt::LeftButton);
    w.calculer();
    QCOMPARE(w.page()->etape, 10);
    const QString conseil = w.page()->label_tcalc_D->text();
    const QString residuel = w.page()->label_astpost_D->text();
    TestUtil::Repondeur choix([](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        if (!dlg)
            return 0;
        TestUtil::choisir_cylindre(dlg, "+ 4.50 D");
        dlg->accept();
        return 1;
    });
    TestUtil::presser(w.page()->plus, 10);
    QCOMPARE(w.page()->choix_torique, 4.5);
    Dialogues::setRepondeur(nullptr);
    // The window's responder again, for the resume question.
    w.boites.clear();
    Fenetre* pw = &w;
    Dialogues::setRepondeur([pw](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        pw->boites << Boite::lire(box);
        box->buttons().at(0)->click();
        return 0;
    });

    TestUtil::presser(w.f->bascalcul->getRetour2(), 150);
    QVERIFY(!w.f->calcul);
    QCOMPARE(w.f->param_p->etape_t, 10);
    QCOMPARE(w.f->param_p->choix_torique_t, 4.5);
    QCOMPARE(w.f->param_p->K2axe_t, 135);
    QCOMPARE(w.f->param_p->posterieure_t,
             totale ? CorneePosterieure::ABULAFIA_KOCH : CorneePosterieure::AUCUNE);
    w.page3();
    QCOMPARE(w.boites.size(), 1);
    QCOMPARE(w.boites.at(0).titre, QString("Reprendre calcul"));
    PageCalcul* p = w.page();
    QVERIFY(p);
    QCOMPARE(p->etape, 7);
    QCOMPARE(*p->oeil_c, QString("droit"));
    QCOMPARE(p->odsch->text(), QString("<font color=\"#000000\">OD</font>"));
    QCOMPARE(p->combo_sph->currentText(), QString("15.0"));
    QVERIFY(p->diop->isChecked());
    QCOMPARE(p->spin_K1->text(), QString("40.00"));
    QCOMPARE(p->spin_K2->text(), QString("46.00"));
    QCOMPARE(p->spinaxe_K2->value(), 135);
    QCOMPARE(p->spin_inc->value(), 0.5);
    QCOMPARE(p->spinaxe_inc->value(), 120);
    QVERIFY(p->calculer_bouton->isVisible());
    QCOMPARE(p->label_astpre_D->text(), preop);
    QCOMPARE(p->posterieure_case->isChecked(), totale);
    QCOMPARE(p->label_astpre_estime->isVisible(), totale);
    if (totale)
        QCOMPARE(p->dessin->angle_k2, -138);
    w.calculer();
    QCOMPARE(p->etape, 10);
    QCOMPARE(p->label_tcalc_D->text(), conseil);
    QCOMPARE(p->label_astpost_D->text(), residuel);
    QCOMPARE(p->label_iolpost_3->text(), "VELAN T" + conseil.left(4));
}

// A new calculation, after Back or with its own button, starts afresh but
// for the cornea the lens is chosen on, which is the surgeon's choice for
// the session.
void TstPageFenetre::retour_et_nouveau_calcul() {
    Fenetre w("en");
    w.saisir_tout(21.0, 42.0, 44.0);
    QTest::mouseClick(w.page()->posterieure_case, Qt::LeftButton);
    TestUtil::presser(w.f->bascalcul->getRetour2(), 150);
    w.reponse_question = 1; // " No  (new calculation) "
    w.page3();
    PageCalcul* p = w.page();
    QCOMPARE(p->etape, 0);
    QCOMPARE(p->combo_sph->currentIndex(), 0);
    QCOMPARE(p->spin_K1->value(), 0.0);
    QCOMPARE(p->label_sph_1->text(), QString("<font color=\"#AFAFAF\">IOL spherical power (SEQ) :</font>"));
    QVERIFY(p->posterieure_case->isChecked());
    QVERIFY(!p->posterieure_case->isEnabled());
    w.saisir_tout(21.0, 42.0, 44.0);
    QVERIFY(p->posterieure_case->isEnabled());
    QCOMPARE(p->label_astpre_D->text(), QString("1.34 D"));
    TestUtil::presser(w.f->bascalcul->getNouveau(), 150);
    p = w.page();
    QCOMPARE(p->etape, 0);
    QVERIFY(p->posterieure_case->isChecked());
    QCOMPARE(p->posterieure, CorneePosterieure::ABULAFIA_KOCH);
}

QTEST_MAIN(TstPageFenetre)
#include "tst_page_fenetre.moc"
