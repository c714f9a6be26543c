// Keyboard and screen-reader use of the program through the main window:
// the names and descriptions that a screen reader reads, in both languages
// and after a switch; the tab order of the guided steps and of the bands;
// the press action of the kit's buttons; the warnings spoken as alerts; and
// a whole calculation done with the keyboard alone.

#include "Accessibilite.h"
#include "BandeBasAccueil.h"
#include "BandeBasCalcul.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "BoutonPlus.h"
#include "CalculTorique.h"
#include "FenetreAide.h"
#include "FenetreIdentite.h"
#include "FenetrePrinc.h"
#include "FenetreTest.h"
#include "PageCalcul.h"
#include "TestUtil.h"
#include "ZoneDessin.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

QString texte_acc(QWidget* w, QAccessible::Text t) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(t) : QString();
}
QString nom_acc(QWidget* w) {
    return texte_acc(w, QAccessible::Name);
}
QString desc_acc(QWidget* w) {
    return texte_acc(w, QAccessible::Description);
}

// The label that labels a widget for the screen reader, if any.
QWidget* libelle(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    const auto r = i->relations(QAccessible::Label);
    return r.isEmpty() ? nullptr : qobject_cast<QWidget*>(r.first().first->object());
}

QString texte_simple(const QString& riche) {
    QTextDocument d;
    d.setHtml(riche);
    return d.toPlainText();
}

QString nom_focus() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

void touche(Qt::Key k) {
    QWidget* w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClick(w, k);
}

void taper(const QString& texte) {
    QWidget* w = QApplication::focusWidget();
    QVERIFY(w);
    QTest::keyClicks(w, texte);
}

// Space on the focused button, then the wait for its delayed click and for
// the page moves that it may cause.
void espace() {
    touche(Qt::Key_Space);
    QTest::qWait(150);
    TestUtil::vider_evenements();
}

// The widget of that name in the window, the one on screen first (a
// replaced button waits hidden for its deletion).
QWidget* trouver(QWidget* racine, const QString& nom) {
    QWidget* trouve = nullptr;
    for (QWidget* w : racine->findChildren<QWidget*>(nom)) {
        if (!w->isHidden())
            return w;
        trouve = w;
    }
    return trouve;
}

using TestUtil::index_sph;

// The main window on screen and active (FenetreTest), and its widgets by
// name.
struct Fenetre : FenetreTest {
    Fenetre() { f->activateWindow(); }
    QWidget* w(const QString& nom) const { return trouver(f.get(), nom); }

    // The inputs set as the mouse would, up to the step asked for (0, 3, 5,
    // 7 or 10).
    void jusqua(int etape, bool mm = false, double k1 = 42.0, double k2 = 44.0) {
        PageCalcul* p = page();
        if (etape < 1)
            return;
        TestUtil::presser(p->oeil_droit, 80);
        if (etape < 3)
            return;
        p->combo_sph->setCurrentIndex(index_sph(21.0));
        if (mm)
            QTest::mouseClick(p->mili, Qt::LeftButton);
        if (etape < 5)
            return;
        p->spin_K1->setValue(mm ? CalculTorique::KERATO / k1 : k1);
        if (etape < 7)
            return;
        p->spin_K2->setValue(mm ? CalculTorique::KERATO / k2 : k2);
        if (etape < 10)
            return;
        TestUtil::presser(p->calculer_bouton, 80);
    }
};

// From a widget, the names of the widgets that the key gives the focus to
// in turn, until the focus comes back (at most `max` presses).
QStringList parcours(QWidget* depart, Qt::Key k, int max = 40) {
    depart->setFocus(Qt::TabFocusReason);
    QStringList l{nom_focus()};
    for (int i = 0; i < max; ++i) {
        touche(k);
        l << nom_focus();
        if (QApplication::focusWidget() == depart)
            break;
    }
    return l;
}

const QStringList bande3{"aide", "retour2", "nouveau", "imprimer", "exit_calcul", "francais", "anglais"};

} // namespace

class TstAccessibilite : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { TestUtil::vider_evenements(); }
    void noms_data();
    void noms();
    void boites_de_valeur_data();
    void boites_de_valeur();
    void tout_est_nomme();
    void aide_et_identification_data();
    void aide_et_identification();
    void ordre_de_tabulation_data();
    void ordre_de_tabulation();
    void bouton_du_schema_sans_focus();
    void action_presser_data();
    void action_presser();
    void avertissement_annonce();
    void calcul_au_clavier_data();
    void calcul_au_clavier();
};

void TstAccessibilite::noms_data() {
    QTest::addColumn<QString>("objet");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("description");
    auto u = [](const char* s) { return QString::fromUtf8(s); };
    QTest::newRow("K2 en") << "spin_K2"
                           << "en"
                           << "K2"
                           << "Steep axis K2; range: 30.00 to 60.00 D";
    QTest::newRow("K2 fr") << "spin_K2"
                           << "fr"
                           << "K2" << u("Axe élevé K2 ; limites : de 30.00 à 60.00 D");
    QTest::newRow("conseillée en") << "tcalc_D_frame"
                                   << "en"
                                   << "Recommended cylindrical power"
                                   << "Power of the toric range suggested for the IOL";
    QTest::newRow("conseillée fr") << "tcalc_D_frame"
                                   << "fr" << u("Puissance cylindrique conseillée")
                                   << u("Puissance de la gamme torique proposée pour l'implant");
    QTest::newRow("puissance en") << "combo_sph"
                                  << "en"
                                  << "IOL spherical power (SEQ)"
                                  << "Spherical equivalent in dioptres, 10.0 to 35.0, the same as for a "
                                     "non-toric IOL";
    QTest::newRow("calculer fr") << "calculer_bouton"
                                 << "fr"
                                 << "Calculer" << u("Vérifier les données et calculer l'implant torique");
    QTest::newRow("flèche en") << "plus"
                               << "en"
                               << "Other cylindrical power"
                               << "Select a different cylindrical power from the suggestion";
    QTest::newRow("inversion en") << "label_attention"
                                  << "en"
                                  << "Be careful of astigmatism inversion (over-correcting)"
                                  << "Warning";
    QTest::newRow("drapeau fr en") << "francais"
                                   << "en" << u("Français (French)") << "Show the calculator in French";
    QTest::newRow("aide en") << "aide"
                             << "en"
                             << "Help"
                             << "Open the help window";
    QTest::newRow("face postérieure fr")
        << "posterieure"
        << "fr" << u("Tenir compte de la face postérieure de la cornée (Abulafia-Koch)")
        << u("Choisir l'implant sur l'astigmatisme cornéen total estimé à "
             "partir de la kératométrie ; K1 et K2 restent tels que saisis");
    QTest::newRow("face postérieure en") << "posterieure"
                                         << "en"
                                         << "Account for the posterior cornea (Abulafia-Koch)"
                                         << "Choose the IOL on the total corneal astigmatism estimated from "
                                            "keratometry; K1 and K2 stay as typed";
    QTest::newRow("imprimer en") << "imprimer"
                                 << "en"
                                 << "Print"
                                 << "Patient identification, then preview, printing or saving of the "
                                    "calculation sheet";
}

// The texts read through the accessibility layer after the language has
// been switched with the flags: to English, and back to French.
void TstAccessibilite::noms() {
    QFETCH(QString, objet);
    QFETCH(QString, langue);
    QFETCH(QString, nom);
    QFETCH(QString, description);
    Fenetre f;
    f.page3();
    f.jusqua(10);
    f.langue("en");
    if (langue == "fr")
        f.langue("fr");
    QWidget* w = f.w(objet);
    QVERIFY(w);
    // A list box reads its current value as its name on this platform and
    // is labelled by the label before it; its own name serves elsewhere.
    if (qobject_cast<QComboBox*>(w)) {
        QCOMPARE(w->accessibleName(), nom);
        QCOMPARE(nom_acc(w), f.page()->combo_sph->currentText());
        QVERIFY(libelle(w));
        QCOMPARE(libelle(w)->objectName(), QString("label_sph_1"));
    } else {
        QCOMPARE(nom_acc(w), nom);
    }
    QCOMPARE(desc_acc(w), description);
    QCOMPARE(Accessibilite::nom(objet, langue), nom);
}

void TstAccessibilite::boites_de_valeur_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("fr") << "fr";
    QTest::newRow("en") << "en";
}

// A value box is named after what it shows; the label inside reads the value
// itself and says what it is in its description. The value follows the
// inputs without any renaming. The lens chosen on the estimated total
// cornea (the check box toggled through the screen reader): the
// pre-operative boxes are named after the estimate and read it, and say
// what it was estimated from.
void TstAccessibilite::boites_de_valeur() {
    QFETCH(QString, langue);
    Fenetre f;
    f.page3();
    f.langue(langue);
    f.jusqua(10);
    PageCalcul* p = f.page();
    const QList<QPair<QFrame*, QLabel*>> boites{
        {p->astpre_D_frame, p->label_astpre_D},      {p->astpre_axe_frame, p->label_astpre_axe},
        {p->astcross_D_frame, p->label_astcross_D},  {p->astcross_axe_frame, p->label_astcross_axe},
        {p->tcalc_D_frame, p->label_tcalc_D},        {p->tcalc_axe_frame, p->label_tcalc_axe},
        {p->modele_frame, p->label_iolpost_3},       {p->astpost_D_frame, p->label_astpost_D},
        {p->astpost_axe_frame, p->label_astpost_axe}};
    QSet<QString> noms;
    for (const auto& b : boites) {
        const QString n = nom_acc(b.first);
        QVERIFY2(!n.isEmpty(), qPrintable(b.first->objectName()));
        noms << n;
        QCOMPARE(desc_acc(b.second), n);
        QCOMPARE(nom_acc(b.second), texte_simple(b.second->text()));
    }
    QCOMPARE(noms.size(), boites.size());
    QCOMPARE(nom_acc(p->label_tcalc_D), QString("3.00 D"));
    QCOMPARE(nom_acc(p->label_iolpost_3), QString("VELAN T3.00"));

    p->spin_K2->setValue(45.0);
    QCOMPARE(nom_acc(p->label_tcalc_D), texte_simple(p->label_tcalc_D->text()));
    QVERIFY(nom_acc(p->label_tcalc_D) != QString("3.00 D"));
    QCOMPARE(desc_acc(p->label_tcalc_D), nom_acc(p->tcalc_D_frame));

    p->spin_K2->setValue(44.0);
    const bool fr = langue == "fr";
    QWidget* c = nullptr;
    for (QWidget* w : f.f->findChildren<QWidget*>())
        if (w->isVisible() && nom_acc(w).contains(fr ? QString::fromUtf8("face postérieure") : "posterior"))
            c = w;
    QVERIFY(c);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c);
    QCOMPARE(i->role(), QAccessible::CheckBox);
    QVERIFY(!i->state().checked);
    QVERIFY(i->actionInterface());
    i->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    TestUtil::vider_evenements();
    QVERIFY(i->state().checked);
    // 2.00 D with the rule: 1.34 D at 90, 1.50 D recommended.
    QCOMPARE(nom_acc(p->label_astpre_D), QString("1.34 D"));
    QCOMPARE(nom_acc(p->label_astpre_axe), QString::fromUtf8("90 °"));
    QCOMPARE(nom_acc(p->label_astpre_estime), fr ? QString::fromUtf8("estimé") : QString("estimated"));
    QCOMPARE(nom_acc(p->label_tcalc_D), QString("1.50 D"));
    const QString estime = fr ? QString::fromUtf8("Astigmatisme total estimé (Abulafia-Koch)")
                              : QString("Estimated total astigmatism (Abulafia-Koch)");
    QCOMPARE(nom_acc(p->astpre_D_frame), estime);
    QCOMPARE(desc_acc(p->label_astpre_D), estime);
    QCOMPARE(desc_acc(p->label_astpre_axe), nom_acc(p->astpre_axe_frame));
    QVERIFY2(desc_acc(p->astpre_D_frame).contains(QString::fromUtf8("2.00 D x 90 °")),
             qPrintable(desc_acc(p->astpre_D_frame)));
    // The names follow a switch of language.
    f.langue(fr ? "en" : "fr");
    QCOMPARE(nom_acc(p->astpre_D_frame), fr ? QString("Estimated total astigmatism (Abulafia-Koch)")
                                            : QString::fromUtf8("Astigmatisme total estimé (Abulafia-Koch)"));
    f.langue(langue);
    i->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    TestUtil::vider_evenements();
    QCOMPARE(nom_acc(p->label_astpre_D), QString("2.00 D"));
    QCOMPARE(nom_acc(p->astpre_D_frame), Accessibilite::nom("astpre_D_frame", langue));
    QCOMPARE(desc_acc(p->astpre_D_frame), Accessibilite::description("astpre_D_frame", langue));
}

// Every widget that takes the focus, every button of the kit, every value box
// and both warnings of the calculation page and its bands have a name, in
// each language; apart from K1 and K2, a switch of language changes them.
void TstAccessibilite::tout_est_nomme() {
    Fenetre f;
    f.page3();
    f.jusqua(10);
    auto a_nommer = [&](QWidget* w) {
        if (w->objectName() == "qt_spinbox_lineedit" || w->window() != f.f.get())
            return false;
        return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus || qobject_cast<BoutonImage*>(w) ||
               qobject_cast<QAbstractButton*>(w) || w->objectName().endsWith("_frame") ||
               w->objectName().startsWith("label_attention") || w->objectName().startsWith("warning");
    };
    QHash<QWidget*, QString> noms_fr;
    for (const QString& langue : {QString("fr"), QString("en")}) {
        f.langue(langue);
        int n = 0;
        for (QWidget* w : f.f->findChildren<QWidget*>()) {
            if (!a_nommer(w))
                continue;
            ++n;
            const QString nom = nom_acc(w);
            QVERIFY2(!nom.isEmpty(), qPrintable(w->objectName() + " " + langue));
            if (qobject_cast<QComboBox*>(w)) {
                QVERIFY(libelle(w));
                QVERIFY(!w->accessibleName().isEmpty());
                continue;
            }
            if (langue == "fr")
                noms_fr.insert(w, nom);
            else if (w->objectName() != "spin_K1" && w->objectName() != "spin_K2")
                QVERIFY2(noms_fr.value(w) != nom, qPrintable(w->objectName() + " " + nom));
        }
        // Flags, eye buttons, power, units, six spin boxes (the K1 axis
        // one hidden), the posterior cornea's check box, Calculate, the
        // arrow, the diagram's button, nine value boxes, two warnings with
        // their pictures and the five buttons of the band.
        QCOMPARE(n, 2 + 2 + 1 + 2 + 6 + 1 + 1 + 1 + 1 + 9 + 4 + 5);
    }
}

void TstAccessibilite::aide_et_identification_data() {
    QTest::addColumn<QString>("langue");
    QTest::newRow("fr") << "fr";
    QTest::newRow("en") << "en";
}

// The help window and the identification form, opened from the keyboard:
// their buttons and entries are named in the language on screen and are
// reached in the order of the form.
void TstAccessibilite::aide_et_identification() {
    QFETCH(QString, langue);
    Fenetre f;
    QVERIFY(f.active());
    f.page3();
    f.langue(langue);
    f.jusqua(10);
    const bool fr = langue == "fr";

    QStringList vus;
    f.autre = [&](QDialog* d) {
        // Focusable widgets of the dialog in focus-chain order.
        QStringList chaine;
        QStringList sans_nom;
        QWidget* w = d;
        do {
            w = w->nextInFocusChain();
            if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || w->focusProxy() || !w->isEnabled() ||
                w->isWindow() || !d->isAncestorOf(w) || w->isHidden())
                continue;
            // The calendar's month view stands for the calendar.
            QWidget* vu = w;
            while (vu && !qobject_cast<QCalendarWidget*>(vu))
                vu = vu->parentWidget();
            if (!vu)
                vu = w;
            if (!chaine.isEmpty() && chaine.last() == vu->objectName())
                continue;
            chaine << vu->objectName();
            if (nom_acc(vu).isEmpty())
                sans_nom << vu->objectName();
        } while (w != d);
        if (auto* aide = qobject_cast<FenetreAide*>(d)) {
            vus << "aide";
            [&] {
                QCOMPARE(chaine, QStringList({"aide_precedente", "aide_suivante", "sortie_aide"}));
                QCOMPARE(sans_nom, QStringList());
                QCOMPARE(nom_acc(aide->findChild<QWidget*>("aide_suivante")),
                         fr ? QString::fromUtf8("Page suivante") : QString("Next page"));
                QCOMPARE(nom_acc(aide->findChild<QWidget*>("sortie_aide")),
                         fr ? QString("Fermer l'aide") : QString("Close help"));
            }();
        } else if (auto* id = qobject_cast<FenetreIdentite*>(d)) {
            vus << "identite";
            [&] {
                QCOMPARE(chaine,
                         QStringList({"edit_nom_chir", "edit_clinique", "edit_nom_pat", "edit_date", "calend",
                                      "edit_adresse1", "edit_adresse2", "edit_ville", "edit_codepost",
                                      "combo_codepays", "boutonOK", "boutonCancel"}));
                QCOMPARE(sans_nom, QStringList());
                QCOMPARE(nom_acc(id->edit_nom_pat),
                         fr ? QString::fromUtf8("ID ou n° patient") : QString::fromUtf8("Patient ID or n°"));
                QCOMPARE(id->combo_codepays->accessibleName(), fr ? QString("Pays") : QString("Country"));
                QCOMPARE(libelle(id->combo_codepays), static_cast<QWidget*>(id->label_codepays));
                QCOMPARE(nom_acc(id->boutonCancel), fr ? QString("Annuler") : QString("Cancel"));
            }();
        }
        d->reject();
        return 0;
    };

    f.w("aide")->setFocus(Qt::TabFocusReason);
    espace();
    QCOMPARE(nom_focus(), QString("aide"));
    QCOMPARE(nom_acc(f.w("aide")), fr ? QString("Aide") : QString("Help"));
    f.w("imprimer")->setFocus(Qt::TabFocusReason);
    espace();
    QCOMPARE(vus, QStringList({"aide", "identite"}));
    // The keyboard finds the focus on the button it pressed, now a new one.
    QCOMPARE(nom_focus(), QString("imprimer"));
    QVERIFY(QApplication::focusWidget() == f.f->bascalcul->getImprimer());
    // The new help and print buttons are named too.
    QCOMPARE(nom_acc(f.w("imprimer")), fr ? QString("Imprimer") : QString("Print"));
    QCOMPARE(nom_acc(f.w("aide")), fr ? QString("Aide") : QString("Help"));
}

void TstAccessibilite::ordre_de_tabulation_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("ordre");
    const QStringList yeux{"oeil_droit", "oeil_gauche"};
    // The posterior cornea's check box beside K1, usable from step 7.
    const QStringList saisies7{"combo_sph", "diop",       "spin_K1",     "posterieure",
                               "spin_K2",   "spinaxe_K2", "spinaxe_inc", "spin_inc"};
    QTest::newRow("accueil") << "accueil"
                             << QStringList(
                                    {"intro3", "aide", "accepter", "exit_accueil", "francais", "anglais"});
    QTest::newRow("étape 0") << "0" << yeux + bande3;
    QTest::newRow("étape 5") << "5"
                             << yeux + QStringList({"combo_sph", "diop", "spin_K1", "spin_K2"}) + bande3;
    QTest::newRow("étape 7") << "7" << yeux + saisies7 + QStringList{"calculer_bouton"} + bande3;
    QTest::newRow("étape 10") << "10" << yeux + saisies7 + QStringList{"plus"} + bande3;
    QStringList mm = saisies7;
    mm[1] = "mili";
    QTest::newRow("étape 10 en millimètres") << "10 mm" << yeux + mm + QStringList{"plus"} + bande3;
    QTest::newRow("après une impression") << "imprimer" << yeux + saisies7 + QStringList{"plus"} + bande3;
    QTest::newRow("après l'aide") << "aide" << yeux + saisies7 + QStringList{"plus"} + bande3;
    QTest::newRow("nouveau calcul") << "nouveau" << yeux + bande3;
    QTest::newRow("retour à l'accueil")
        << "retour" << QStringList({"intro3", "aide", "accepter", "exit_accueil", "francais", "anglais"});
}

// Tab goes through the guided steps in order, skipping the rows not yet
// usable, then the band's buttons and the flags; Shift+Tab goes back the
// same way. Replacing the print or help button keeps its place.
void TstAccessibilite::ordre_de_tabulation() {
    QFETCH(QString, situation);
    QFETCH(QStringList, ordre);
    Fenetre f;
    QVERIFY(f.active());
    if (situation != "accueil") {
        f.page3();
        if (situation == "retour" || situation == "nouveau")
            f.jusqua(10);
        if (situation == "retour")
            TestUtil::presser(f.w("retour2"), 150);
        else if (situation == "nouveau")
            TestUtil::presser(f.w("nouveau"), 150);
        else if (situation == "10 mm")
            f.jusqua(10, true, 42.0, 44.0);
        else if (QStringList({"0", "5", "7"}).contains(situation))
            f.jusqua(situation.toInt());
        else
            f.jusqua(10);
        if (situation == "imprimer")
            TestUtil::presser(f.w("imprimer"), 150);
        else if (situation == "aide")
            TestUtil::presser(f.w("aide"), 10);
    }
    // A page just entered has the focus on its first widget.
    if (situation == "accueil" || situation == "retour" || situation == "nouveau")
        QCOMPARE(nom_focus(), ordre.first());

    QWidget* depart = f.w(ordre.first());
    QVERIFY(depart);
    QCOMPARE(parcours(depart, Qt::Key_Tab), ordre + QStringList{ordre.first()});
    QStringList arriere{ordre.first()};
    for (int i = ordre.size() - 1; i >= 0; --i)
        arriere << ordre.at(i);
    QCOMPARE(parcours(depart, Qt::Key_Backtab), arriere);
}

// The diagram's lens button, never shown, never takes the focus, even shown;
// the mouse still works it.
void TstAccessibilite::bouton_du_schema_sans_focus() {
    Fenetre f;
    QVERIFY(f.active());
    f.page3();
    f.jusqua(10);
    QPushButton* b = f.page()->dessin->bouton_iol;
    QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    b->show();
    const QStringList l = parcours(f.page()->oeil_droit, Qt::Key_Tab);
    QVERIFY(!l.contains("bouton_iol"));
    QCOMPARE(l.size(), 19);
    QVERIFY(f.page()->dessin->show_flag);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!f.page()->dessin->show_flag);
}

void TstAccessibilite::action_presser_data() {
    QTest::addColumn<QString>("objet");
    QTest::addColumn<int>("etape");
    QTest::addColumn<bool>("presse");
    QTest::newRow("calculer") << "calculer_bouton" << 7 << true;
    QTest::newRow("flèche") << "plus" << 10 << true;
    QTest::newRow("drapeau") << "anglais" << 0 << true;
    QTest::newRow("oeil") << "oeil_gauche" << 0 << true;
    QTest::newRow("calculer caché") << "calculer_bouton" << 0 << false;
}

// The screen reader's press action on a button of the kit gives the same
// single (delayed) press as the Space key, once the action has returned: a
// dialog that the press opens (the other cylinder's) never holds the screen
// reader's call. A hidden or disabled button offers no press.
void TstAccessibilite::action_presser() {
    QFETCH(QString, objet);
    QFETCH(int, etape);
    QFETCH(bool, presse);
    Fenetre f;
    int choix = 0;
    f.autre = [&](QDialog* d) {
        ++choix;
        d->reject();
        return 0;
    };
    f.page3();
    f.jusqua(etape);
    QWidget* w = f.w(objet);
    QVERIFY(w);
    auto* style = qobject_cast<BoutonStyle*>(w);
    std::unique_ptr<QSignalSpy> spy(
        style ? new QSignalSpy(style, &BoutonStyle::click)
              : new QSignalSpy(qobject_cast<BoutonImage*>(w), &BoutonImage::presse));
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::Button);
    QAccessibleActionInterface* a = i->actionInterface();
    QVERIFY(a);
    QCOMPARE(a->actionNames().contains(QAccessibleActionInterface::pressAction()), w->isEnabled());
    QCOMPARE(a->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"Space"});
    a->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(spy->count(), 0);
    QCOMPARE(choix, 0);
    QTest::qWait(style ? 2 * style->delai() + 50 : 10);
    TestUtil::vider_evenements();
    QCOMPARE(spy->count(), presse ? 1 : 0);
    if (!presse)
        return;
    if (objet == "calculer_bouton")
        QCOMPARE(f.page()->etape, 10);
    else if (objet == "plus")
        QCOMPARE(choix, 1);
    else if (objet == "anglais")
        QCOMPARE(f.f->langue_p, QString("en"));
    else
        QCOMPARE(*f.page()->oeil_c, QString("gauche"));
}

// A warning that comes on screen is sent to the screen reader as an alert,
// once; one that stays or goes sends nothing.
void TstAccessibilite::avertissement_annonce() {
    Fenetre f;
    f.page3();
    f.jusqua(10, false, 42.0, 44.0);
    QString choix;
    f.autre = [&](QDialog* d) {
        auto* dlg = qobject_cast<QInputDialog*>(d);
        TestUtil::choisir_cylindre(dlg, choix);
        dlg->accept();
        return 1;
    };
    PageCalcul* p = f.page();
    QStringList vues;
    QObject contexte;
    connect(VeilleurAccessibilite::instance(), &VeilleurAccessibilite::alerte, &contexte,
            [&](QWidget* w) { vues << w->objectName(); });
    auto alertes = [&] { return vues; };
    choix = "+ 3.75 D";
    TestUtil::presser(p->plus, 10);
    QVERIFY(p->attention->isVisible());
    QCOMPARE(alertes(), QStringList{"label_attention"});
    TestUtil::presser(p->plus, 10);
    QCOMPARE(alertes(), QStringList{"label_attention"});
    choix = "+ 2.25 D";
    TestUtil::presser(p->plus, 10);
    QVERIFY(!p->attention->isVisible());
    choix = "+ 3.75 D";
    TestUtil::presser(p->plus, 10);
    QCOMPARE(alertes(), QStringList({"label_attention", "label_attention"}));
    QCOMPARE(nom_acc(p->label_attention),
             QString::fromUtf8("Attention à l'inversion de l'astigmatisme (sur-correction)"));
}

void TstAccessibilite::calcul_au_clavier_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("mm");
    QTest::newRow("fr, dioptries") << "fr" << false;
    QTest::newRow("en, millimètres") << "en" << true;
}

// The whole calculation with the keyboard alone, from the welcome page:
// Tab, Space, the arrow keys and typing; the result is the engine's for the
// values typed.
void TstAccessibilite::calcul_au_clavier() {
    QFETCH(QString, langue);
    QFETCH(bool, mm);
    Fenetre f;
    QVERIFY(f.active());

    // Welcome page: the flags, then the accept button.
    QCOMPARE(nom_focus(), QString("intro3"));
    if (langue == "en") {
        touche(Qt::Key_Backtab);
        QCOMPARE(nom_focus(), QString("anglais"));
        touche(Qt::Key_Space);
        QCOMPARE(f.f->langue_p, QString("en"));
    }
    while (nom_focus() != "accepter")
        touche(Qt::Key_Tab);
    espace();
    PageCalcul* p = f.page();
    QVERIFY(p);
    QCOMPARE(nom_focus(), QString("oeil_droit"));

    // Eye, power (typed into the list), unit (arrow key), K1, K2, steep axis,
    // incision location, induced astigmatism, Calculate.
    espace();
    QCOMPARE(p->etape, 1);
    touche(Qt::Key_Tab);
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("combo_sph"));
    taper("22.5");
    QCOMPARE(p->combo_sph->currentText(), QString("22.5"));
    QCOMPARE(p->etape, 3);
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("diop"));
    if (mm) {
        touche(Qt::Key_Right);
        QCOMPARE(nom_focus(), QString("mili"));
        QVERIFY(p->mili->isChecked());
    }
    QCOMPARE(p->unit_ind, mm ? 2 : 1);
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("spin_K1"));
    taper(mm ? "7.85" : "42.75");
    QCOMPARE(p->etape, 5);
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("spin_K2"));
    taper(mm ? "7.55" : "44.5");
    QCOMPARE(p->etape, 7);
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("spinaxe_K2"));
    taper("15");
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("spinaxe_inc"));
    taper("120");
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("spin_inc"));
    taper("0.5");
    touche(Qt::Key_Up); // one step of 0.05
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("calculer_bouton"));
    espace();
    QCOMPARE(f.dialogues, QStringList());
    QCOMPARE(p->etape, 10);
    QCOMPARE(nom_focus(), QString("plus"));

    // The values typed reached the page, and the result is the engine's.
    QCOMPARE(p->p_sph, 22.5);
    QCOMPARE(mm ? p->K1mm : p->K1D, mm ? 7.85 : 42.75);
    QCOMPARE(mm ? p->K2mm : p->K2D, mm ? 7.55 : 44.5);
    QCOMPARE(p->K2axe, 15);
    QCOMPARE(p->K1axe, 105);
    QCOMPARE(p->incaxe, 120);
    QCOMPARE(p->incD, 0.55);
    CalculTorique m;
    m.unit_ind = mm ? 2 : 1;
    (mm ? m.K1mm : m.K1D) = mm ? 7.85 : 42.75;
    (mm ? m.K2mm : m.K2D) = mm ? 7.55 : 44.5;
    m.K1axe = 105;
    m.K2axe = 15;
    m.incD = 0.55;
    m.incaxe = 120;
    m.p_sph = 22.5;
    m.calcul_tout();
    QCOMPARE(p->label_tcalc_D->text(), CalculTorique::texte_D(m.tcalc_D) + " D");
    QCOMPARE(p->label_tcalc_axe->text(), QString::number(m.tcalc_axe) + QString::fromUtf8(" °"));
    QCOMPARE(p->label_astpost_D->text(), CalculTorique::texte_D(m.astpost_D) + " D");
    QCOMPARE(nom_acc(p->label_tcalc_D), CalculTorique::texte_D(m.tcalc_D) + " D");
    QCOMPARE(desc_acc(p->label_tcalc_D), langue == "en"
                                             ? QString("Recommended cylindrical power")
                                             : QString::fromUtf8("Puissance cylindrique conseillée"));

    // Then the band: help, back, new calculation, print, exit.
    touche(Qt::Key_Tab);
    QCOMPARE(nom_focus(), QString("aide"));
}

QTEST_MAIN(TstAccessibilite)
#include "tst_accessibilite.moc"
