// The program started in an empty folder: every picture it reads by name is
// missing. Start-up (splash, translation, screen probe, window), every page,
// the help windows, the messages, the other-cylinder list, the
// identification form, the preview and the PDF must work with empty
// pictures, and nothing may be reported: no message box beyond the usual
// ones (the walk refuses any other), no warning of the toolkit or of ours.

#include "Bureau.h"
#include "Demarrage.h"
#include "FenetrePrinc.h"
#include "MarcheAleatoire.h"
#include "TestUtil.h"

#include <QSplashScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList g_messages;

void capter(QtMsgType type, const QMessageLogContext&, const QString& texte) {
    // The offscreen platform of the tests says so of every dialog window
    // with minimise and maximise buttons: a remark of the platform, not a
    // report of the program.
    if (texte == "This plugin does not support propagateSizeHints()")
        return;
    static const char* const TYPES[] = {"debug", "warning", "critical", "fatal", "info"};
    g_messages << QString("%1: %2").arg(TYPES[type]).arg(texte);
}

} // namespace

class TestImagesAbsentes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void demarrage();
    void tout_le_programme();
    void cleanupTestCase();

private:
    QTemporaryDir vide;
    QTemporaryDir sorties;
    QString dossier_initial;
    QtMessageHandler precedent = nullptr;
};

void TestImagesAbsentes::initTestCase() {
    QVERIFY(vide.isValid());
    QVERIFY(sorties.isValid());
    dossier_initial = QDir::currentPath();
    QVERIFY(QDir::setCurrent(vide.path()));
    QVERIFY(QDir(vide.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    // The pictures are indeed out of reach.
    for (const char* f : {"bandeau_haut_fr_965x50pix.png", "rapporteur_ODpxORANGECL2.png", "aide_p1_fr.png",
                          "logohorz_2.png", "save02.png"})
        QVERIFY(QPixmap(f).isNull());
}

void TestImagesAbsentes::init() {
    g_messages.clear();
    precedent = qInstallMessageHandler(capter);
}

void TestImagesAbsentes::cleanup() {
    qInstallMessageHandler(precedent);
}

void TestImagesAbsentes::cleanupTestCase() {
    QDir::setCurrent(dossier_initial);
}

// The entry's start-up: splash without its picture, the window (inside the
// scroll frame on the small offscreen screen, or directly).
void TestImagesAbsentes::demarrage() {
    {
        Demarrage d;
        d.lancer();
        TestUtil::vider_evenements();
        QVERIFY(d.fenetre);
        QVERIFY(d.fenetre->isVisible());
        QVERIFY(d.fenetre->accueil);
        QVERIFY(!d.splash->isVisible());
    }
    TestUtil::vider_evenements();
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join("\n")));
}

// A walk long enough to go through every page and dialog, the print path and
// the PDF included.
void TestImagesAbsentes::tout_le_programme() {
    Bureau bureau;
    QMap<QString, int> stats;
    int pdf = 0;
    {
        const auto marche = Marche::MarcheAleatoire::creer(7, sorties.path());
        Marche::MarcheAleatoire& m = *marche;
        m.dossiers_impossibles = false; // a file that cannot be written is reported, by design
        const bool ok = m.executer(1500) && m.retour_et_reprise();
        qInstallMessageHandler(precedent);
        QVERIFY2(ok, qPrintable(m.echec));
        stats = m.stats;
        pdf = m.pdf_ecrits.size();
    }
    TestUtil::vider_evenements();
    QVERIFY2(g_messages.isEmpty(), qPrintable(g_messages.join("\n")));
    QStringList s;
    for (auto it = stats.cbegin(); it != stats.cend(); ++it)
        s << QString("%1 %2").arg(it.key()).arg(it.value());
    qInfo("%s; %d PDF", qPrintable(s.join(", ")), pdf);
    // Every kind of window was opened at least once.
    for (const char* d : {"(dialog FenetreAide)", "(dialog QInputDialog)", "(dialog QMessageBox)",
                          "(dialog FenetreIdentite)", "(dialog QPrintPreviewDialog)", "(dialog QFileDialog)"})
        QVERIFY2(stats.value(d) > 0, d);
    QVERIFY(pdf > 0);
    QCOMPARE(bureau.ouverts.size(), pdf);
}

QTEST_MAIN(TestImagesAbsentes)
#include "tst_images_absentes.moc"
