// Start-up: the splash screen, the toolkit's translation, the screen probe,
// and the main window shown directly or inside the scroll frame of small
// screens, which closes with the window.
//
// The test runs on an offscreen screen 979 x 1000 pixels in a French
// locale, set up before the application object is created.

#include "BandeBasAccueil.h"
#include "BoutonExit.h"
#include "BoutonPays.h"
#include "CadreDefilant.h"
#include "Demarrage.h"
#include "FenetrePrinc.h"
#include "TestUtil.h"
#include "Version.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTemporaryDir>
#include <QtTest>

class TstDemarrage : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void demarrage_petit_ecran();
    void taille_du_cadre_data();
    void taille_du_cadre();
    void fermeture_dans_le_cadre_data();
    void fermeture_dans_le_cadre();
};

namespace {

int questions = 0;

Dialogues::Repondeur repondre(const QString& bouton) {
    return [bouton](QDialog* d) {
        ++questions;
        return TestUtil::cliquer_bouton(d, bouton);
    };
}

} // namespace

void TstDemarrage::cleanup() {
    Dialogues::setRepondeur(nullptr);
    questions = 0;
}

void TstDemarrage::demarrage_petit_ecran() {
    Demarrage d;
    d.lancer();

    QCOMPARE(d.zone, QSize(979, 1000));
    QVERIFY(d.splash);
    QVERIFY(d.splash->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(d.splash->message(), QString("Démarrage en cours..."));
    QVERIFY(!d.splash->isVisible());

    // The toolkit speaks the system's language in its own dialogs, then the
    // language of the flag pressed, in every box opened afterwards.
    QVERIFY(d.traduction_chargee);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuler"));
    for (const QString l : {"en", "fr", "en"}) {
        TestUtil::presser(l == "en" ? d.fenetre->anglais_p : d.fenetre->francais_p, 10);
        QInputDialog boite;
        QCOMPARE(boite.cancelButtonText(), l == "en" ? QString("Cancel") : QString("Annuler"));
        QFileDialog fichiers;
        fichiers.setOption(QFileDialog::DontUseNativeDialog);
        QLabel* dans = fichiers.findChild<QLabel*>("lookInLabel");
        QVERIFY(dans);
        QCOMPARE(dans->text(), l == "en" ? QString("Look in:") : QString("Voir dans :"));
    }

    // 979 pixels wide: the window sits in the scroll frame, with a
    // horizontal bar only, and is wholly visible vertically.
    QVERIFY(d.cadre);
    QCOMPARE(d.cadre->widget(), d.fenetre);
    QVERIFY(d.cadre->isVisible());
    QVERIFY(d.fenetre->isVisible());
    QCOMPARE(d.cadre->pos(), QPoint(10, 10));
    QCOMPARE(d.cadre->width(), 949);
    QCOMPARE(d.cadre->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(d.cadre->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(d.cadre->viewport()->height() >= 650);
    QCOMPARE(d.cadre->windowTitle(), QString("Calculateur Torique Brevanta v" VERSION_TORIQUE));
    QCOMPARE(d.fenetre->size(), QSize(965, 650));
    QVERIFY(d.fenetre->accueil);
}

void TstDemarrage::taille_du_cadre_data() {
    QTest::addColumn<QSize>("zone");
    QTest::addColumn<bool>("cadre");
    QTest::addColumn<int>("largeur"); // -1: from the window and the bar
    QTest::addColumn<int>("hauteur"); // -1: from the window and the bar
    QTest::addColumn<bool>("barreH");
    QTest::addColumn<bool>("barreV");
    QTest::newRow("980 x 700 exactement") << QSize(980, 700) << false << 0 << 0 << false << false;
    QTest::newRow("grand écran") << QSize(1920, 1080) << false << 0 << 0 << false << false;
    QTest::newRow("largeur 979") << QSize(979, 1000) << true << 949 << -1 << true << false;
    QTest::newRow("hauteur 699") << QSize(1280, 699) << true << -1 << 649 << false << true;
    QTest::newRow("les deux trop petits") << QSize(900, 600) << true << 870 << 550 << true << true;
}

void TstDemarrage::taille_du_cadre() {
    QFETCH(QSize, zone);
    QFETCH(bool, cadre);
    QFETCH(int, largeur);
    QFETCH(int, hauteur);
    QFETCH(bool, barreH);
    QFETCH(bool, barreV);
    auto* fenetre = new FenetrePrinc;
    std::unique_ptr<CadreDefilant> c(Demarrage::encadrer(fenetre, zone));
    std::unique_ptr<FenetrePrinc> seule(c ? nullptr : fenetre);
    QCOMPARE(bool(c), cadre);
    if (!c)
        return;
    QCOMPARE(c->frameShape(), QFrame::NoFrame);
    QCOMPARE(c->horizontalScrollBarPolicy(), barreH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QCOMPARE(c->verticalScrollBarPolicy(), barreV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // Sizes are fixed; the side that fits is the window's own plus the bar
    // of the other side.
    QCOMPARE(c->minimumSize(), c->maximumSize());
    if (largeur >= 0)
        QCOMPARE(c->width(), largeur);
    if (hauteur >= 0)
        QCOMPARE(c->height(), hauteur);
    c->show();
    QVERIFY(QTest::qWaitForWindowExposed(c.get()));
    if (largeur < 0)
        QVERIFY(c->viewport()->width() >= 965);
    if (hauteur < 0)
        QVERIFY(c->viewport()->height() >= 650);
}

void TstDemarrage::fermeture_dans_le_cadre_data() {
    QTest::addColumn<bool>("parLeCadre");
    QTest::addColumn<QString>("reponse");
    QTest::newRow("bouton de sortie, Non") << false << "Non";
    QTest::newRow("bouton de sortie, Oui") << false << "Oui";
    QTest::newRow("fermeture du cadre, Non") << true << "Non";
    QTest::newRow("fermeture du cadre, Oui") << true << "Oui";
}

void TstDemarrage::fermeture_dans_le_cadre() {
    QFETCH(bool, parLeCadre);
    QFETCH(QString, reponse);
    auto* fenetre = new FenetrePrinc;
    std::unique_ptr<CadreDefilant> cadre(Demarrage::encadrer(fenetre, QSize(979, 1000)));
    cadre->show();
    QVERIFY(QTest::qWaitForWindowExposed(cadre.get()));
    Dialogues::setRepondeur(repondre(reponse));
    if (parLeCadre)
        cadre->close();
    else
        TestUtil::presser(fenetre->basaccueil->getExit(), 0);
    // One question, whichever way; "Oui" takes the frame away with the
    // window, which ends the program.
    QCOMPARE(questions, 1);
    const bool ferme = reponse == "Oui";
    QCOMPARE(cadre->isVisible(), !ferme);
    QCOMPARE(fenetre->isVisible(), !ferme);
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    const bool une_visible =
        std::any_of(fenetres.begin(), fenetres.end(), [](QWidget* t) { return t->isVisible(); });
    QCOMPARE(une_visible, !ferme);
    if (!ferme)
        QVERIFY(fenetre->accueil);
}

int main(int argc, char** argv) {
    // A screen narrower than the window, and a French system.
    QTemporaryDir dossier;
    const QString config = dossier.filePath("screens.json");
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(
        R"({"screens":[{"name":"s","x":0,"y":0,"width":979,"height":1000,"logicalDpiX":96,"logicalDpiY":96}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("LC_ALL", "fr_FR.UTF-8");
    qputenv("LANG", "fr_FR.UTF-8");
    QApplication app(argc, argv);
    TstDemarrage t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_shell_demarrage.moc"
