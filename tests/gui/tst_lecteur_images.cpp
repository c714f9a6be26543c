// Pictures read ahead at start-up: the same pixels as a picture read on the
// spot, handed out once, missing files empty, and the list read ahead in
// step with what the first window asks for.

#include "Demarrage.h"
#include "FenetrePrinc.h"
#include "LecteurImages.h"

#include <QApplication>
#include <QSplashScreen>
#include <QtTest>

class TstLecteurImages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void memes_pixels_data();
    void memes_pixels();
    void servie_une_fois();
    void fichier_absent();
    void demarrage_sans_reste();
};

namespace {

// The picture as the screen gets it, in one format whatever the pixmap's.
QImage pixels(const QPixmap& p) {
    return p.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPixmap sur_place(const QString& fichier, int hauteur) {
    QPixmap p(fichier);
    return hauteur > 0 ? p.scaledToHeight(hauteur, Qt::SmoothTransformation) : p;
}

QTemporaryDir* dossier = nullptr;

} // namespace

void TstLecteurImages::initTestCase() {
    // A picture replaced by one in another format under the same name.
    dossier = new QTemporaryDir;
    QImage jpeg(120, 80, QImage::Format_RGB32);
    jpeg.fill(QColor(0, 160, 194));
    QVERIFY(jpeg.save(dossier->filePath("photo.png"), "jpg"));
}

void TstLecteurImages::cleanupTestCase() {
    delete dossier;
}

void TstLecteurImages::memes_pixels_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<int>("hauteur");
    // Opaque and translucent pictures, in their own size and scaled down.
    QTest::newRow("splash, opaque") << "logohorz_splash.png" << 0;
    QTest::newRow("band, opaque") << "bandeau_haut_fr_965x50pix.png" << 0;
    QTest::newRow("flag, opaque") << "anglais_01.png" << 0;
    QTest::newRow("title, translucent") << "velan_T_titre400x63.png" << 0;
    QTest::newRow("icon, translucent") << "icone.png" << 0;
    QTest::newRow("lens, scaled to 250") << "velan_T_image570x570.png" << 250;
    QTest::newRow("help, scaled to 30") << "help228t.png" << 30;
    QTest::newRow("exit, scaled to 25") << "exit_03.png" << 25;
    QTest::newRow("band, scaled to 20") << "bandeau_bas_calcul_965x50pix.png" << 20;
    QTest::newRow("JPEG under a .png name") << dossier->filePath("photo.png") << 40;
}

void TstLecteurImages::memes_pixels() {
    QFETCH(QString, fichier);
    QFETCH(int, hauteur);
    LecteurImages::precharger({{fichier, hauteur}});
    const QPixmap avance = LecteurImages::pixmap(fichier, hauteur);
    QCOMPARE(LecteurImages::en_reserve(), 0);
    const QPixmap reference = sur_place(fichier, hauteur);
    QVERIFY(!reference.isNull());
    QCOMPARE(avance.size(), reference.size());
    QCOMPARE(avance.hasAlphaChannel(), reference.hasAlphaChannel());
    QCOMPARE(pixels(avance), pixels(reference));
}

void TstLecteurImages::servie_une_fois() {
    // The same file at two heights are two pictures; each is handed out
    // once, then read again on the spot, with the same pixels.
    LecteurImages::precharger({{"help228t.png", 30}, {"help228t.png", 0}, {"exit_03.png", 30}});
    LecteurImages::terminer();
    QCOMPARE(LecteurImages::en_reserve(), 3);
    const QPixmap petite = LecteurImages::pixmap("help228t.png", 30);
    QCOMPARE(petite.height(), 30);
    QCOMPARE(LecteurImages::en_reserve(), 2);
    QCOMPARE(LecteurImages::pixmap("help228t.png").height(), 60);
    QCOMPARE(LecteurImages::en_reserve(), 1);
    QCOMPARE(pixels(LecteurImages::pixmap("help228t.png", 30)), pixels(petite));
    QCOMPARE(LecteurImages::en_reserve(), 1);
    // A new start replaces what was left.
    LecteurImages::precharger({});
    QCOMPARE(LecteurImages::en_reserve(), 0);
    QVERIFY(!LecteurImages::pixmap("exit_03.png", 30).isNull());
}

void TstLecteurImages::fichier_absent() {
    QTemporaryDir dossier;
    const QString faux = dossier.filePath("faux.png");
    QFile f(faux);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\n not a picture");
    f.close();
    LecteurImages::precharger({{"absent.png", 0}, {"absent.png", 40}, {faux, 0}});
    QVERIFY(LecteurImages::pixmap("absent.png").isNull());
    QVERIFY(LecteurImages::pixmap("absent.png", 40).isNull());
    QVERIFY(LecteurImages::pixmap(faux).isNull());
    QVERIFY(LecteurImages::icone("absent.png").isNull());
    QVERIFY(LecteurImages::pixmap("", 30).isNull());
}

void TstLecteurImages::demarrage_sans_reste() {
    // As the program starts: every picture read ahead is asked for by the
    // splash screen or the first window (none read for nothing, none kept),
    // and the window shows them.
    Demarrage::precharger();
    QVERIFY(LecteurImages::en_reserve() > 5);
    {
        Demarrage d;
        d.lancer();
        QCOMPARE(LecteurImages::en_reserve(), 0);
        QVERIFY(!d.splash->pixmap().isNull());
        QVERIFY(!d.fenetre->windowIcon().isNull());
        QVERIFY(!d.fenetre->isHidden());
    }
}

QTEST_MAIN(TstLecteurImages)
#include "tst_lecteur_images.moc"
