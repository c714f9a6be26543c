// Main window: start-up state, pages and their texts, language switch and
// flag wiring, page moves with the snapshot and its resumption, new
// calculation, the question boxes, closing, and the check messages.

#include "BandeBasAccueil.h"
#include "BandeBasCalcul.h"
#include "BandeBasImplant.h"
#include "BandeHaut.h"
#include "BoutonAide.h"
#include "BoutonExit.h"
#include "BoutonImplant.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "CalculTorique.h"
#include "FenetreIdentite.h"
#include "FenetrePrinc.h"
#include "FenetreTest.h"
#include "ListParam.h"
#include "PageAccueil.h"
#include "PageCalcul.h"
#include "PageImplant.h"
#include "TestUtil.h"
#include "Verification.h"
#include "Version.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

namespace {

// How a test answers a box: a button by its index, Escape, or the box's own
// close button.
enum Reponse { Premier = 0, Second = 1, Echap = 2, Fermer = 3 };

Dialogues::Repondeur repondre(QList<Boite>* vues, Reponse r) {
    return [vues, r](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box)
            return 0;
        vues->append(Boite::lire(box));
        const QList<QAbstractButton*> boutons = box->buttons();
        if (r == Echap) {
            box->show();
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (r == Fermer) {
            box->show();
            box->close();
        } else if (r < boutons.size()) {
            boutons.at(r)->click();
        }
        box->hide();
        return box->result();
    };
}

// Every page object alive in the window once pending deletions have run.
int pages_vivantes(FenetrePrinc& w) {
    TestUtil::vider_evenements();
    return w.findChildren<PageAccueil*>().size() + w.findChildren<PageImplant*>().size() +
           w.findChildren<PageCalcul*>().size();
}

// Which translation slots a flag reaches; the check removes the connections.
QList<int> slots_atteints(FenetrePrinc& w, BoutonPays* drapeau) {
    QList<int> atteints;
    using Slot = void (FenetrePrinc::*)(QString);
    const Slot traductions[3] = {&FenetrePrinc::traduction_page1, &FenetrePrinc::traduction_page2,
                                 &FenetrePrinc::traduction_page3};
    for (int i = 0; i < 3; ++i)
        while (QObject::disconnect(drapeau, &BoutonPays::click_pays, &w, traductions[i]))
            atteints << i + 1;
    return atteints;
}

// A calculation entered on the page, as the user would leave it: its
// entries, and what the page's engine computes from them.
void remplir(PageCalcul* c, int unite, double k1, double k2, int etape) {
    c->oeil_c = std::make_shared<const QString>("droit");
    c->enab_od = true;
    c->enab_og = false;
    {
        QSignalBlocker b(c->combo_sph);
        c->combo_sph->setCurrentIndex(23);
    }
    c->unit_ind = unite;
    {
        QSignalBlocker b1(c->spin_K1), b2(c->spin_K2);
        c->spin_K1->setValue(k1);
        c->spin_K2->setValue(k2);
    }
    c->K1D = unite == 1 ? k1 : CalculTorique::kerato(k1);
    c->K2D = unite == 1 ? k2 : CalculTorique::kerato(k2);
    c->K1mm = unite == 2 ? k1 : CalculTorique::kerato(k1);
    c->K2mm = unite == 2 ? k2 : CalculTorique::kerato(k2);
    c->K1axe = 10;
    c->K2axe = 100;
    c->incD = 0.5;
    c->incaxe = 120;
    CalculTorique& m = c->moteur;
    m.unit_ind = unite;
    m.K1D = c->K1D;
    m.K2D = c->K2D;
    m.K1mm = c->K1mm;
    m.K2mm = c->K2mm;
    m.K1axe = c->K1axe;
    m.K2axe = c->K2axe;
    m.incD = c->incD;
    m.incaxe = c->incaxe;
    m.p_sph = 21.0;
    m.calcul_tout();
    c->astpre_D = m.astpre_D;
    c->astpre_axe = m.astpre_axe;
    c->astcross_D = m.astcross_D;
    c->astcross_axe = m.astcross_axe;
    c->tcalc_D = m.tcalc_D;
    c->tperfect_D = m.tperfect_D;
    c->tcalc_axe = m.tcalc_axe;
    c->astpost_D = m.astpost_D;
    c->astpost_axe = m.astpost_axe;
    c->choix_torique = m.tcalc_D;
    c->etape = etape;
}

const char* const licence_fr =
    "Important :\nEn cliquant sur le bouton « Commencer le calcul », vous acceptez les conditions "
    "d'utilisation "
    "du calculateur décrites ci-dessous. Vous pouvez les refuser en quittant le calculateur.\n\nConditions "
    "d'utilisation :\nLe calculateur torique Brevanta est destiné exclusivement à aider l'utilisateur à "
    "déterminer la lentille intraoculaire torique Brevanta recommandée et l'axe de positionnement suggéré. "
    "L'utilisation du présent calculateur est strictement réservée aux professionnels compétents et formés à "
    "son utilisation. Les valeurs calculées et les informations sont fournies à titre purement indicatif, et "
    "ne "
    "peuvent être garanties. Brevanta ne peut être tenu responsable de quelques dommages que ce soit "
    "résultant "
    "de l'utilisation du calculateur.";
const char* const licence_en =
    "Important :\nBy choosing « Start calculation » on this screen, you are agreeing the calculator "
    "conditions "
    "of use described below. You can decline this terms of use by closing the calculator.\n\nConditions of "
    "use "
    ":\nThe Brevanta toric calculator is exclusively intended for helping the user to determine the "
    "recommended "
    "Brevanta toric intraocular lens and the suggested axis of placement. The use of the present calculator "
    "is "
    "strictly reserved to competent and trained professionals. Calculated values and informations are "
    "provided "
    "as a guideline only, and cannot be warranted. In no event will Brevanta be liable for any damages "
    "whatsoever arising out of the use of the calculator.";

QString licence_affichee(PageAccueil* a) {
    // Line breaks of the rich text come back as line separators.
    return a->textLicence->toPlainText().replace(QChar(0x2028), '\n');
}

} // namespace

class TstShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fenetre_au_demarrage();
    void textes_page1_data();
    void textes_page1();
    void page2_et_sa_bande_data();
    void page2_et_sa_bande();
    void anglais_puis_commencer();
    void drapeaux_un_seul_slot();
    void questions_data();
    void questions();
    void fermeture_data();
    void fermeture();
    void instantane_data();
    void instantane();
    void retour_et_reprise_data();
    void retour_et_reprise();
    void instantane_identification_data();
    void instantane_identification();
    void nouveau_calcul();
    void messages_data();
    void messages();
    void messages_code0_code3_autre_langue();
    void licence_mise_en_page();
    void verif_calcul_suit_les_controles();

private:
    std::unique_ptr<FenetrePrinc> w;
    QList<Boite> vues;
    void vers_page3(Reponse reprise = Premier);
};

void TstShell::init() {
    vues.clear();
    Dialogues::setRepondeur(repondre(&vues, Second));
    w = std::make_unique<FenetrePrinc>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void TstShell::cleanup() {
    w.reset();
    TestUtil::vider_evenements();
    Dialogues::setRepondeur(nullptr);
}

void TstShell::vers_page3(Reponse reprise) {
    Dialogues::setRepondeur(repondre(&vues, reprise));
    QVERIFY(w->basaccueil);
    TestUtil::presser(w->basaccueil->getAccepter());
    QVERIFY(w->calcul);
}

void TstShell::fenetre_au_demarrage() {
    QCOMPARE(w->windowTitle(), QString("Calculateur Torique Brevanta v" VERSION_TORIQUE));
    QCOMPARE(w->size(), QSize(965, 650));
    QCOMPARE(w->minimumSize(), QSize(965, 650));
    QCOMPARE(w->maximumSize(), QSize(965, 650));
    QCOMPARE(w->pos(), QPoint(10, 10));
    QCOMPARE(w->palette().color(QPalette::Window), QColor(255, 255, 255, 255));
    QCOMPARE(w->langue_p, QString("fr"));
    QVERIFY(w->accueil && w->basaccueil && w->haut);
    QVERIFY(!w->implant && !w->calcul);
    QCOMPARE(pages_vivantes(*w), 1);
    QCOMPARE(w->accueil->langue_a, QString("fr"));
    QCOMPARE(w->basaccueil->getAccepter()->text(), QString("Commencer le calcul   >>"));
    QCOMPARE(w->haut->langue_bh, QString("fr"));
    QCOMPARE(w->flag_save + w->flag_save_info + w->flag_imprim + w->flag_reset, 0);
    // Top band, page and band fill the window from top to bottom.
    QCOMPARE(w->haut->geometry(), QRect(0, 0, 965, 50));
    QCOMPARE(w->accueil->geometry(), QRect(0, 50, 965, 550));
    QCOMPARE(w->basaccueil->geometry(), QRect(0, 600, 965, 50));
    QCOMPARE(w->anglais_p, w->haut->getAnglais());
    QCOMPARE(w->francais_p, w->haut->getFrancais());
    QVERIFY(w->francais_p->x() < w->anglais_p->x());
}

void TstShell::textes_page1_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QStringList>("textes");
    QTest::addColumn<QString>("licence");
    QTest::addColumn<QString>("accepter");
    QTest::addColumn<QString>("bandeau");
    QTest::newRow("fr")
        << "fr"
        << QStringList{"<font color=\"#00A0C2\">Bienvenue sur le calculateur de lentilles intraoculaires "
                       "toriques Brevanta</font>",
                       "<font color=\"#FFFFFF\">Ce calculateur vous permet de déterminer la puissance "
                       "cylindrique</font>",
                       "<font color=\"#FFFFFF\">la plus adaptée aux besoins de vos patients "
                       "astigmates.</font>",
                       "<font color=\"#FFFFFF\">Il a été conçu pour les lentilles toriques Brevanta,</font>",
                       "<font color=\"#FFFFFF\">son usage est donc réservé uniquement au modèle "
                       "VELAN<sup>®</sup> T.</font>",
                       "Acrylique hydrophobe TORIQUE",
                       "Micro incision"}
        << licence_fr << "Commencer le calcul   >>"
        << "bandeau_haut_fr_965x50pix.png";
    QTest::newRow("en")
        << "en"
        << QStringList{"<font color=\"#00A0C2\">Welcome to the Brevanta toric intraocular lenses "
                       "calculator</font>",
                       "<font color=\"#FFFFFF\">This calculator helps you to select the best "
                       "cylindrical power</font>",
                       "<font color=\"#FFFFFF\">for an optimized correction of your astigmatic "
                       "patients.</font>",
                       "<font color=\"#FFFFFF\">It was designed for Brevanta toric lenses,</font>",
                       "<font color=\"#FFFFFF\">and can be used only with the model "
                       "VELAN<sup>®</sup> T.</font>",
                       "Hydrophobic acrylic TORIC",
                       "Micro incision"}
        << licence_en << "Start calculation   >>"
        << "bandeau_haut_uk_965x50pix.png";
}

void TstShell::textes_page1() {
    QFETCH(QString, langue);
    QFETCH(QStringList, textes);
    QFETCH(QString, licence);
    QFETCH(QString, accepter);
    QFETCH(QString, bandeau);

    auto verifier = [&] {
        PageAccueil* a = w->accueil;
        const QStringList affiches{a->bienvenue1->text(),   a->intro1_1->text(), a->intro1_2->text(),
                                   a->intro2_1->text(),     a->intro2_2->text(), a->velan_texte_1->text(),
                                   a->velan_texte_2->text()};
        QCOMPARE(affiches, textes);
        QCOMPARE(licence_affichee(a), licence);
        QCOMPARE(w->basaccueil->getAccepter()->text(), accepter);
        QCOMPARE(w->basaccueil->aide->langue_aide, langue);
        QCOMPARE(w->haut->pixbandeau.toImage().convertToFormat(QImage::Format_ARGB32),
                 QImage(bandeau).convertToFormat(QImage::Format_ARGB32));
        QVERIFY(!w->haut->pixbandeau.isNull());
    };

    // Through the flag itself, then back and forth: every text follows.
    TestUtil::presser(langue == "fr" ? w->francais_p : w->anglais_p, 0);
    QCOMPARE(w->langue_p, langue);
    verifier();
    const QString autre = langue == "fr" ? "en" : "fr";
    TestUtil::presser(autre == "fr" ? w->francais_p : w->anglais_p, 0);
    QVERIFY(w->accueil->bienvenue1->text() != textes.first());
    TestUtil::presser(langue == "fr" ? w->francais_p : w->anglais_p, 0);
    verifier();

    // A code that is neither French nor English changes no text.
    w->traduction_page1("de");
    w->langue_p = langue;
    verifier();

    // The conditions of use can be read but not edited, and are justified.
    QVERIFY(w->accueil->intro3->isReadOnly());
    QCOMPARE(w->accueil->textLicence->defaultTextOption().alignment(), Qt::AlignJustify);
    QTest::keyClicks(w->accueil->intro3, "xyz");
    QCOMPARE(licence_affichee(w->accueil), licence);
}

void TstShell::page2_et_sa_bande_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte1");
    QTest::addColumn<QString>("retour");
    QTest::newRow("fr")
        << "fr"
        << "<font color=\"#006482\">Cliquez sur l'implant torique Brevanta de votre choix :</font>"
        << "Acrylique hydrophobe TORIQUE"
        << "<<   Page précédente";
    QTest::newRow("en")
        << "en"
        << "<font color=\"#006482\">Please select a Brevanta toric intraocular lens model :</font>"
        << "Hydrophobic acrylic TORIC"
        << "<<   Previous page";
}

void TstShell::page2_et_sa_bande() {
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, texte1);
    QFETCH(QString, retour);
    PageImplant page;
    BandeBasImplant bande;
    page.update_langue_i(langue);
    bande.update_langue_bi(langue);
    QCOMPARE(page.titre->text(), titre);
    QCOMPARE(page.velan_texte_1->text(), texte1);
    QCOMPARE(page.velan_texte_2->text(), QString("Micro incision"));
    QCOMPARE(bande.getRetour1()->text(), retour);
    QCOMPARE(bande.getRetour1()->size(), QSize(170, 30));
    QCOMPARE(page.height(), 550);
    QSignalSpy spy(page.getVelan(), &BoutonImplant::click_modele);
    QTest::mousePress(page.getVelan(), Qt::RightButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("VELAN"));
}

void TstShell::anglais_puis_commencer() {
    QPointer<PageAccueil> ancienne = w->accueil;
    TestUtil::presser(w->anglais_p, 0);
    vers_page3();
    QVERIFY(vues.isEmpty()); // nothing kept yet: no question
    QVERIFY(ancienne.isNull());
    QCOMPARE(pages_vivantes(*w), 1);
    QVERIFY(!w->accueil && !w->basaccueil && !w->layoutaccueil);
    QCOMPARE(w->calcul->langue_c, QString("en"));
    QCOMPARE(w->bascalcul->langue_bc, QString("en"));
    QCOMPARE(w->haut->langue_bh, QString("en"));
    QCOMPARE(w->calcul->modele_iol, QString("VELAN"));
    QCOMPARE(w->param_p->modele_iol_t, QString("VELAN"));
    QCOMPARE(w->imprimer, w->bascalcul->getImprimer());
    QTRY_VERIFY(w->calcul->isVisible());
    QCOMPARE(w->calcul->parentWidget(), w.get());
    QCOMPARE(w->bascalcul->geometry().bottom(), 649);

    // The language stays English across the moves and back on page 1.
    TestUtil::presser(w->bascalcul->getRetour2());
    QVERIFY(w->accueil);
    QCOMPARE(w->accueil->langue_a, QString("en"));
    QCOMPARE(w->basaccueil->getAccepter()->text(), QString("Start calculation   >>"));
}

void TstShell::drapeaux_un_seul_slot() {
    // After every move each flag reaches the translation of the page on
    // screen, once.
    auto controler = [&](int attendu) {
        FenetrePrinc& f = *w;
        // A press on the flag on screen translates that page.
        TestUtil::presser(f.anglais_p, 0);
        QCOMPARE(f.langue_p, QString("en"));
        TestUtil::presser(f.francais_p, 0);
        QCOMPARE(f.langue_p, QString("fr"));
        if (attendu == 1)
            QCOMPARE(f.accueil->langue_a, QString("fr"));
        else
            QCOMPARE(f.calcul->langue_c, QString("fr"));
    };
    controler(1);
    vers_page3();
    controler(3);
    TestUtil::presser(w->bascalcul->getNouveau());
    controler(3);
    TestUtil::presser(w->bascalcul->getRetour2());
    controler(1);
    vers_page3(Premier);
    controler(3);
    QCOMPARE(slots_atteints(*w, w->anglais_p), QList<int>{3});
    QCOMPARE(slots_atteints(*w, w->francais_p), QList<int>{3});

    // And on page 1 after the way back.
    w.reset();
    init();
    vers_page3();
    TestUtil::presser(w->bascalcul->getRetour2());
    QCOMPARE(slots_atteints(*w, w->anglais_p), QList<int>{1});
    QCOMPARE(slots_atteints(*w, w->francais_p), QList<int>{1});
}

void TstShell::questions_data() {
    QTest::addColumn<int>("quelle");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("oui");
    QTest::addColumn<QString>("non");
    // The answer of Escape and of the box's close button: "no" where it is
    // the safe answer; the resume question keeps the calculation.
    QTest::addColumn<int>("sans_reponse");
    QTest::newRow("quitter fr") << 0 << "fr"
                                << "Quitter"
                                << "Êtes-vous sûr de vouloir quitter le calculateur ?"
                                << "Oui"
                                << "Non" << 1;
    QTest::newRow("quitter en") << 0 << "en"
                                << "Exit"
                                << "Do you really want to exit from the calculator ?"
                                << "Yes"
                                << "No" << 1;
    QTest::newRow("reprise fr") << 1 << "fr"
                                << "Reprendre calcul"
                                << "Les données du calcul en cours ont été conservées,<br>voulez-vous "
                                   "<b>reprendre ce calcul ?</b>"
                                << " Oui  (reprendre le calcul) "
                                << " Non  (nouveau calcul) " << 0;
    QTest::newRow("reprise en")
        << 1 << "en"
        << "Resume calculation"
        << "Data of current calculation are still in memory,<br>do you want to <b>resume "
           "this calculation ?</b>"
        << " Yes  (resume calculation) "
        << " No  (new calculation) " << 0;
    QTest::newRow("torique fr")
        << 2 << "fr"
        << "Astigmatisme faible"
        << "L'astigmatisme pré-opératoire à corriger est faible,<br>un implant monofocal "
           "non-torique pourrait convenir.<br>Voulez-vous tout de même choisir un "
           "<b>implant torique pour ce patient ?</b>"
        << " Oui  (torique confirmé) "
        << " Non  (revenir au calcul) " << 1;
    QTest::newRow("torique en")
        << 2 << "en"
        << "Low astigmatism"
        << "The pre-operative astigmatism to be corrected is low,<br>a monofocal "
           "non-toric IOL could be appropriate.<br>Do you still want to choose a <b>toric "
           "IOL for this patient ?</b>"
        << " Yes  (toric confirmed) "
        << " No  (return to calculation) " << 1;
}

void TstShell::questions() {
    QFETCH(int, quelle);
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, texte);
    QFETCH(QString, oui);
    QFETCH(QString, non);
    QFETCH(int, sans_reponse);
    w->langue_p = langue;
    auto poser = [&] {
        return quelle == 0 ? w->confirm_quit() : quelle == 1 ? w->confirm_reprise() : w->confirm_toric();
    };
    const QList<QPair<Reponse, int>> reponses{
        {Premier, 0}, {Second, 1}, {Echap, sans_reponse}, {Fermer, sans_reponse}};
    for (const auto& [reponse, attendu] : reponses) {
        vues.clear();
        Dialogues::setRepondeur(repondre(&vues, reponse));
        QCOMPARE(poser(), attendu);
        QCOMPARE(vues.size(), 1);
        const Boite& b = vues.first();
        QCOMPARE(b.titre, titre);
        QCOMPARE(b.texte, texte);
        QCOMPARE(b.boutons, (QStringList{oui, non}));
        QCOMPARE(b.roles, (QList<QMessageBox::ButtonRole>{QMessageBox::YesRole, QMessageBox::NoRole}));
        QCOMPARE(b.icone, QMessageBox::Question);
        QVERIFY(b.parent == nullptr);
    }
}

void TstShell::fermeture_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("reponse");
    QTest::addColumn<bool>("ferme");
    for (int page : {1, 3}) {
        const QByteArray p = "page " + QByteArray::number(page);
        QTest::newRow(p + " Non") << page << int(Second) << false;
        QTest::newRow(p + " Echap") << page << int(Echap) << false;
        QTest::newRow(p + " fermer la question") << page << int(Fermer) << false;
        QTest::newRow(p + " Oui") << page << int(Premier) << true;
    }
}

void TstShell::fermeture() {
    QFETCH(int, page);
    QFETCH(int, reponse);
    QFETCH(bool, ferme);
    if (page == 3) {
        vers_page3();
        remplir(w->calcul, 1, 43.25, 44.5, 7);
    }
    ListParam* record = w->param_p;
    PageCalcul* calcul = w->calcul;
    PageAccueil* accueil = w->accueil;
    const int flag_save = w->flag_save;
    vues.clear();
    Dialogues::setRepondeur(repondre(&vues, Reponse(reponse)));
    // The exit button of the band on screen.
    BoutonExit* sortie = page == 1 ? w->basaccueil->getExit() : w->bascalcul->getExit();
    TestUtil::presser(sortie, 0);
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues.first().titre, QString("Quitter"));
    QCOMPARE(w->isVisible(), !ferme);
    if (!ferme) {
        // Nothing moved: same page, same record, same flags.
        QCOMPARE(w->calcul, calcul);
        QCOMPARE(w->accueil, accueil);
        QCOMPARE(w->param_p, record);
        QCOMPARE(w->flag_save, flag_save);
        QCOMPARE(pages_vivantes(*w), 1);
        // The window's own close button asks the same question.
        vues.clear();
        QVERIFY(!w->close());
        QCOMPARE(vues.size(), 1);
        QVERIFY(w->isVisible());
    }
}

void TstShell::instantane_data() {
    QTest::addColumn<int>("unite");
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("k2");
    QTest::addColumn<int>("etape");
    QTest::newRow("dioptries, résultats affichés") << 1 << 43.25 << 44.50 << 10;
    QTest::newRow("dioptries, avant calcul") << 1 << 43.25 << 44.50 << 7;
    QTest::newRow("millimètres, résultats affichés") << 2 << 7.80 << 7.60 << 10;
    QTest::newRow("millimètres, K2 pas encore entré") << 2 << 7.80 << 0.0 << 5;
}

void TstShell::instantane() {
    QFETCH(int, unite);
    QFETCH(double, k1);
    QFETCH(double, k2);
    QFETCH(int, etape);
    vers_page3();
    w->langue_p = "en";
    w->calcul->langue_c = "en";
    remplir(w->calcul, unite, k1, k2, etape);
    ListParam* avant = w->param_p;
    w->enreg_p();
    const ListParam& p = *w->param_p;
    QVERIFY(&p != avant);
    QCOMPARE(w->flag_save, 1);
    QCOMPARE(p.langue_t, QString("en"));
    QCOMPARE(p.modele_iol_t, QString("VELAN"));
    QCOMPARE(p.oeil_t.get(), w->calcul->oeil_c.get());
    QVERIFY(p.enab_od_t && !p.enab_og_t);
    QCOMPARE(p.sph_ind_t, 23);
    QCOMPARE(p.puiss_sph_t, w->calcul->combo_sph->itemText(23));
    QCOMPARE(p.unit_ind_t, unite);
    const double s1 = w->calcul->spin_K1->value(), s2 = w->calcul->spin_K2->value();
    if (unite == 1) {
        QCOMPARE(p.K1D_t, s1);
        QCOMPARE(p.K2D_t, s2);
        QCOMPARE(p.K1mm_t, 337.5 / s1);
        QCOMPARE(p.K2mm_t, 337.5 / s2);
    } else {
        QCOMPARE(p.K1mm_t, s1);
        QCOMPARE(p.K2mm_t, s2);
        QCOMPARE(p.K1D_t, 337.5 / s1);
        // A radius not yet entered stays empty in dioptres too, as in the
        // engine: no infinite power.
        QCOMPARE(p.K2D_t, s2 > 0 ? 337.5 / s2 : 0.0);
    }
    const PageCalcul* c = w->calcul;
    QCOMPARE(p.K1axe_t, 10);
    QCOMPARE(p.K2axe_t, 100);
    QCOMPARE(p.incD_t, 0.5);
    QCOMPARE(p.incaxe_t, 120);
    QCOMPARE(p.astpre_D_t, c->astpre_D);
    QCOMPARE(p.astpre_axe_t, 100);
    QCOMPARE(p.astcross_D_t, c->astcross_D);
    QCOMPARE(p.astcross_axe_t, c->astcross_axe);
    QCOMPARE(p.etape_t, etape);
    const bool resultats = etape > 9;
    QCOMPARE(p.tcalc_D_t, resultats ? c->tcalc_D : 0.0);
    QCOMPARE(p.tperfect_D_t, resultats ? c->tperfect_D : 0.0);
    QCOMPARE(p.tcalc_axe_t, resultats ? c->tcalc_axe : 0);
    QCOMPARE(p.astpost_D_t, resultats ? c->astpost_D : 0.0);
    QCOMPARE(p.astpost_axe_t, resultats ? c->astpost_axe : 0);
    QCOMPARE(p.choix_torique_t, resultats ? c->choix_torique : 0.0);
    QVERIFY(p.nom_pat_str_t.isEmpty());
    QCOMPARE(p.date_dat_t, QDate::currentDate());
}

void TstShell::retour_et_reprise_data() {
    QTest::addColumn<int>("reponse");
    QTest::addColumn<int>("etape");
    QTest::newRow("reprendre, résultats affichés") << int(Premier) << 10;
    QTest::newRow("reprendre, avant calcul") << int(Premier) << 7;
    QTest::newRow("nouveau calcul") << int(Second) << 10;
    // Only the press of "new calculation" erases the kept calculation.
    QTest::newRow("Echap: reprendre") << int(Echap) << 10;
    QTest::newRow("fermer la question: reprendre") << int(Fermer) << 7;
}

void TstShell::retour_et_reprise() {
    QFETCH(int, reponse);
    QFETCH(int, etape);
    vers_page3();
    remplir(w->calcul, 1, 43.25, 44.5, etape);
    const auto oeil = w->calcul->oeil_c;
    const double tcalc = w->calcul->tcalc_D;
    const int tcalc_axe = w->calcul->tcalc_axe;
    QPointer<PageCalcul> ancienne = w->calcul;

    // Back: the calculation is kept, page 1 is on screen, page 2 came and went.
    TestUtil::presser(w->bascalcul->getRetour2());
    QVERIFY(ancienne.isNull());
    QVERIFY(w->accueil && !w->implant && !w->calcul);
    QCOMPARE(pages_vivantes(*w), 1);
    QCOMPARE(w->findChildren<BandeBasImplant*>().size(), 0);
    QCOMPARE(w->flag_save, 1);
    QCOMPARE(w->param_p->K1D_t, 43.25);
    QCOMPARE(w->param_p->etape_t, etape);
    QCOMPARE(w->param_p->tcalc_D_t, etape > 9 ? tcalc : 0.0);

    vues.clear();
    vers_page3(Reponse(reponse));
    QCOMPARE(vues.size(), 1);
    QCOMPARE(vues.first().titre, QString("Reprendre calcul"));
    PageCalcul* c = w->calcul;
    QCOMPARE(c->modele_iol, QString("VELAN"));
    if (reponse != Second) {
        // Every input comes back; the result has to be calculated again.
        QCOMPARE(w->flag_save, 1);
        QCOMPARE(w->flag_reset, 0);
        QCOMPARE(c->oeil_c.get(), oeil.get());
        QVERIFY(c->enab_od && !c->enab_og);
        QCOMPARE(c->sph_ind, 23);
        QCOMPARE(c->unit_ind, 1);
        QCOMPARE(c->K1D, 43.25);
        QCOMPARE(c->K2D, 44.5);
        QCOMPARE(c->K1axe, 10);
        QCOMPARE(c->K2axe, 100);
        QCOMPARE(c->incD, 0.5);
        QCOMPARE(c->incaxe, 120);
        QCOMPARE(c->etape, 7);
        QCOMPARE(c->astpost_D, 0.0);
        QCOMPARE(c->astpost_axe, 0);
        QCOMPARE(c->choix_torique, 0.0);
        QCOMPARE(w->param_p->etape_t, 7);
        QCOMPARE(w->param_p->tcalc_D_t, etape > 9 ? tcalc : 0.0);
        QCOMPARE(w->param_p->tcalc_axe_t, etape > 9 ? tcalc_axe : 0);
    } else {
        QCOMPARE(w->flag_save, 0);
        QCOMPARE(w->flag_reset, 1);
        QVERIFY(!c->enab_od && !c->enab_og);
        QCOMPARE(*c->oeil_c, QString("null"));
        QCOMPARE(c->sph_ind, 0);
        QCOMPARE(c->K1D, 0.0);
        QCOMPARE(c->K2axe, 90);
        // The next snapshot is for another patient.
        w->enreg_p();
        QVERIFY(w->param_p->nom_pat_str_t.isEmpty());
        QCOMPARE(w->param_p->date_dat_t, QDate::currentDate());
        QCOMPARE(w->param_p->date_str_t,
                 QLocale::system().toString(QDate::currentDate(), QLocale::LongFormat));
    }
}

void TstShell::instantane_identification_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("date");
    QTest::newRow("fr") << "fr"
                        << "lundi 3 mars 2025";
    QTest::newRow("en") << "en"
                        << "Monday 3 March 2025";
}

void TstShell::instantane_identification() {
    QFETCH(QString, langue);
    QFETCH(QString, date);
    vers_page3();
    w->calcul->langue_c = langue;
    // The latest identification form is read back, open or closed.
    w->fenident = new FenetreIdentite(w->param_p, 0);
    w->flag_imprim = 1;
    FenetreIdentite* f = w->fenident;
    f->edit_nom_chir->setText("Dr Exemple");
    f->edit_clinique->setText("Clinique du Lac");
    f->edit_nom_pat->setText("P-0042");
    f->edit_date->setDate(QDate(2025, 3, 3));
    f->edit_adresse1->setText("1 rue de l'Essai");
    f->edit_adresse2->setText("Bâtiment B");
    f->edit_codepost->setText("75000");
    f->edit_ville->setText("Paris");
    f->combo_codepays->setCurrentIndex(22);
    w->enreg_p();
    const ListParam* p = w->param_p;
    QCOMPARE(p->nom_chir_str_t, QString("Dr Exemple"));
    QCOMPARE(p->clinique_str_t, QString("Clinique du Lac"));
    QCOMPARE(p->nom_pat_str_t, QString("P-0042"));
    QCOMPARE(p->date_dat_t, QDate(2025, 3, 3));
    QCOMPARE(p->date_str_t, date);
    QCOMPARE(p->adresse1_str_t, QString("1 rue de l'Essai"));
    QCOMPARE(p->adresse2_str_t, QString("Bâtiment B"));
    QCOMPARE(p->codepost_str_t, QString("75000"));
    QCOMPARE(p->ville_str_t, QString("Paris"));
    QCOMPARE(p->codepays_ind_t, 22);
    QCOMPARE(p->codepays_str_t, f->combo_codepays->itemText(22));
    QCOMPARE(w->locale().language(), langue == "fr" ? QLocale::French : QLocale::English);

    // After "new calculation": another patient, today; the rest is kept.
    TestUtil::presser(w->bascalcul->getNouveau());
    w->calcul->langue_c = langue;
    w->enreg_p();
    p = w->param_p;
    QVERIFY(p->nom_pat_str_t.isEmpty());
    QCOMPARE(p->date_dat_t, QDate::currentDate());
    QCOMPARE(p->nom_chir_str_t, QString("Dr Exemple"));
    QCOMPARE(p->ville_str_t, QString("Paris"));
    QCOMPARE(p->codepays_ind_t, 22);
}

void TstShell::nouveau_calcul() {
    vers_page3();
    remplir(w->calcul, 1, 43.25, 44.5, 10);
    w->calcul->modele_iol = "VELAN-X";
    TestUtil::presser(w->anglais_p, 0);
    QPointer<PageCalcul> ancienne = w->calcul;
    QPointer<BandeBasCalcul> ancienneBande = w->bascalcul;
    vues.clear();
    TestUtil::presser(w->bascalcul->getNouveau());
    QVERIFY(vues.isEmpty());
    QVERIFY(ancienne.isNull() && ancienneBande.isNull());
    QCOMPARE(pages_vivantes(*w), 1);
    PageCalcul* c = w->calcul;
    QVERIFY(c);
    QCOMPARE(c->modele_iol, QString("VELAN-X"));
    QCOMPARE(w->param_p->modele_iol_t, QString("VELAN-X"));
    QCOMPARE(c->langue_c, QString("en"));
    QCOMPARE(w->bascalcul->langue_bc, QString("en"));
    QCOMPARE(w->flag_save, 0);
    QCOMPARE(w->flag_reset, 1);
    QCOMPARE(c->K1D, 0.0);
    QVERIFY(!c->enab_od);
    QCOMPARE(w->imprimer, w->bascalcul->getImprimer());
    // The new band's buttons work: back, then the kept calculation is the
    // new, empty one.
    TestUtil::presser(w->bascalcul->getRetour2());
    QVERIFY(w->accueil);
    QCOMPARE(w->param_p->K1D_t, 0.0);
    QCOMPARE(w->param_p->modele_iol_t, QString("VELAN-X"));
}

void TstShell::messages_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("avertissement");
    QTest::addColumn<QString>("titre");
    QTest::newRow("1 fr") << 1 << "fr" << false << "Oeil";
    QTest::newRow("1 en") << 1 << "en" << false << "Eye";
    QTest::newRow("10 fr") << 10 << "fr" << false << "Puissance sphérique";
    QTest::newRow("32 en") << 32 << "en" << false << "Flat axis K1";
    QTest::newRow("70 fr") << 70 << "fr" << false << "Calculer";
    QTest::newRow("2 fr") << 2 << "fr" << true << "Axes K1 et K2";
    QTest::newRow("4 en") << 4 << "en" << true << "Astigmatism inversion";
    QTest::newRow("51 fr") << 51 << "fr" << true << "Axe plat K1";
    QTest::newRow("62 en") << 62 << "en" << true << "Steep axis K2";
}

void TstShell::messages() {
    QFETCH(int, code);
    QFETCH(QString, langue);
    QFETCH(bool, avertissement);
    QFETCH(QString, titre);
    const Verification::Message m = Verification::message(code, langue);
    if (!m.existe)
        QSKIP("the check messages are not in the build yet");
    vers_page3();
    w->langue_p = langue;
    vues.clear();
    Dialogues::setRepondeur(repondre(&vues, Premier));
    w->messages_erreur(code);
    QCOMPARE(vues.size(), 1);
    const Boite& b = vues.first();
    QCOMPARE(b.icone, avertissement ? QMessageBox::Warning : QMessageBox::Information);
    QCOMPARE(b.parent, w.get());
    QCOMPARE(b.titre, titre);
    QCOMPARE(b.titre, m.titre);
    QCOMPARE(b.texte, m.texte);
    QCOMPARE(b.format, Qt::RichText);
    QCOMPARE(b.standards, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    QVERIFY(!w->calcul->ok_err);
}

void TstShell::messages_code0_code3_autre_langue() {
    vers_page3();
    vues.clear();
    w->calcul->ok_err = false;
    w->messages_erreur(0);
    QVERIFY(w->calcul->ok_err);
    QVERIFY(vues.isEmpty());

    // Low astigmatism: the question decides; ok_err is not touched.
    for (Reponse r : {Premier, Second}) {
        vues.clear();
        Dialogues::setRepondeur(repondre(&vues, r));
        w->calcul->ok_err = false;
        w->flag_verif = 3;
        w->messages_erreur(3);
        QCOMPARE(vues.size(), 1);
        QCOMPARE(vues.first().titre, QString("Astigmatisme faible"));
        QCOMPARE(w->flag_verif, r == Premier ? 0 : 3);
        QVERIFY(!w->calcul->ok_err);
    }

    // Another language: no message, no permission.
    vues.clear();
    w->langue_p = "de";
    for (int code : {0, 1, 3, 51, 70}) {
        w->flag_verif = code;
        w->messages_erreur(code);
        QVERIFY(!w->calcul->ok_err);
        QCOMPARE(w->flag_verif, code);
    }
    QVERIFY(vues.isEmpty());
}

void TstShell::verif_calcul_suit_les_controles() {
    vers_page3();
    // Everything entered, not yet calculated: the Calculate button goes on
    // without a message.
    remplir(w->calcul, 1, 43.25, 44.5, 7);
    vues.clear();
    w->calcul->ok_err = false;
    emit w->calcul->verif();
    const int code = Verification::code(*w->param_p);
    QCOMPARE(code, int(Verification::NON_CALCULE));
    QCOMPARE(w->flag_verif, int(Verification::ACCEPTE));
    QVERIFY(w->calcul->ok_err);
    QVERIFY(vues.isEmpty());
    QCOMPARE(w->param_p->etape_t, 7);

    // No eye chosen: the calculation does not go on, the message is shown.
    w->calcul->enab_od = false;
    w->calcul->ok_err = true;
    Dialogues::setRepondeur(repondre(&vues, Premier));
    emit w->calcul->verif();
    const int code2 = Verification::code(*w->param_p);
    QCOMPARE(code2, int(Verification::SANS_OEIL));
    QCOMPARE(w->flag_verif, code2);
    QVERIFY(!w->calcul->ok_err);
    QCOMPARE(vues.size(), Verification::message(code2, "fr").existe ? 1 : 0);
}

QTEST_MAIN(TstShell)
#include "tst_shell.moc"

void TstShell::licence_mise_en_page() {
    // The conditions of use fill their box's width, in either language,
    // whether the language changes while the page is shown or hidden.
    PageAccueil a;
    a.update_langue_a("fr");
    auto mise_en_page = [&a] {
        QTextDocument* doc = a.textLicence;
        return doc->pageSize().width() == a.intro3->viewport()->width() &&
               doc->documentLayout()->documentSize().height() > 100 &&
               doc->documentLayout()->documentSize().width() <= a.intro3->viewport()->width();
    };
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    QVERIFY(mise_en_page());
    a.update_langue_a("en");
    QVERIFY(mise_en_page());
    a.hide();
    a.update_langue_a("fr");
    a.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a));
    QVERIFY(mise_en_page());
    QCOMPARE(licence_affichee(&a), QString(licence_fr));
}
