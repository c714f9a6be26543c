// The pictures the program reads by file name: each must be next to the
// program, load, and have the size and the layout that its use needs.

#include "Dessin.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QtMath>
#include <QtTest>

#include <algorithm>

namespace {

enum Fond { Opaque, Transparent };

struct Attendu {
    const char* nom;
    QSize taille;   // exact size, or invalid
    int hauteurMin; // otherwise: at least this height
    double rapport; // and this width / height (0: any)
    int largeurMax; // and at most this width (0: any)
    int hauteurMax; // and at most this height (0: any)
    Fond fond;      // Transparent: the corners are see-through
};

// Sizes follow the places where the program shows the pictures: bands of the
// window (965 x 50) and of the identification dialog (410 x 50); flags
// scaled to height 25; exit scaled to 30; help button to 30 and its arrows to
// 25; the eye with its 47-pixel gap; the diagram's protractor whose centre
// must land on the crossing of the axes; the lens pictures drawn around the
// origin of the rotated diagram; the logo drawn at 0.55 above the sheet's
// text lines; the help pages filling the help window above its band.
const Attendu attendus[] = {
    {"logohorz_splash.png", QSize(520, 220), 0, 0, 0, 0, Opaque},
    {"icone.png", QSize(256, 256), 0, 0, 0, 0, Transparent},
    {"bandeau_haut_fr_965x50pix.png", QSize(965, 50), 0, 0, 0, 0, Opaque},
    {"bandeau_haut_uk_965x50pix.png", QSize(965, 50), 0, 0, 0, 0, Opaque},
    {"francais_01.png", QSize(), 25, 1.5, 0, 0, Opaque},
    {"anglais_01.png", QSize(), 25, 1.5, 0, 0, Opaque},
    {"bandeau_bas_accueil_965x50pix.png", QSize(965, 50), 0, 0, 0, 0, Opaque},
    {"bandeau_bas_implant_965x50pix.png", QSize(965, 50), 0, 0, 0, 0, Opaque},
    {"velan_T_titre400x63.png", QSize(400, 63), 0, 0, 0, 0, Transparent},
    {"velan_T_image570x570.png", QSize(570, 570), 0, 0, 0, 0, Transparent},
    {"exit_03.png", QSize(), 30, 1.0, 0, 0, Transparent},
    {"fleche20.png", QSize(20, 20), 0, 0, 0, 0, Transparent},
    {"help228t.png", QSize(), 30, 1.0, 0, 0, Transparent},
    {"aide_prec_00.png", QSize(), 25, 1.0, 0, 0, Transparent},
    {"aide_suiv_00.png", QSize(), 25, 1.0, 0, 0, Transparent},
    {"bandeau_bas_calcul_965x50pix.png", QSize(965, 50), 0, 0, 0, 0, Opaque},
    {"oeil_bleu_30t.png", QSize(47, 30), 0, 0, 0, 0, Transparent},
    {"calculatrice.png", QSize(), 32, 1.0, 0, 0, Transparent},
    {"attention_20.png", QSize(20, 20), 0, 0, 0, 0, Transparent},
    {"rapporteur_ODpxGRIS2.png", QSize(366, 280), 0, 0, 0, 0, Transparent},
    {"rapporteur_OSpxGRIS2.png", QSize(366, 280), 0, 0, 0, 0, Transparent},
    {"rapporteur_ODpxORANGECL2.png", QSize(366, 280), 0, 0, 0, 0, Transparent},
    {"rapporteur_OSpxORANGECL2.png", QSize(366, 280), 0, 0, 0, 0, Transparent},
    {"velan_T_180x138_AS.png", QSize(120, 180), 0, 0, 0, 0, Transparent},
    {"mirbo_0.png", QSize(130, 200), 0, 0, 0, 0, Transparent},
    {"mirbo_cross2.png", QSize(), 37, 24.0 / 37.0, 0, 0, Transparent},
    {"mirbo_check2.png", QSize(), 37, 24.0 / 37.0, 0, 0, Transparent},
    {"bandeau_bas_ident_410x50pix.png", QSize(410, 50), 0, 0, 0, 0, Opaque},
    {"logohorz_2.png", QSize(), 20, 0, 440, 50, Transparent},
    {"fax.png", QSize(), 28, 0, 0, 0, Transparent},
    {"arobase.png", QSize(), 24, 0, 0, 0, Transparent},
    {"tel.png", QSize(), 24, 0, 0, 0, Transparent},
    {"save02.png", QSize(), 32, 1.0, 0, 0, Transparent},
};

QStringList noms_pages_aide() {
    QStringList l;
    for (const char* langue : {"fr", "en"})
        for (int n = 1; n <= 8; ++n)
            l << QStringLiteral("aide_p%1_%2.png").arg(n).arg(QLatin1String(langue));
    return l;
}

int luminance(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// A pixel that shows on the white diagram: visible and not light.
bool marque(QRgb c) {
    return qAlpha(c) > 128 && luminance(c) < 200;
}

const std::vector<Dessin::Image>& toutes() {
    static const std::vector<Dessin::Image> t = Dessin::toutes();
    return t;
}

QImage charger(const QString& nom) {
    return QImage(nom).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TstImages : public QObject {
    Q_OBJECT
private slots:
    void fichiers_data();
    void fichiers();
    void aucune_image_inconnue();
    void rapporteur_centre_data();
    void rapporteur_centre();
    void rapporteur_variantes();
    void lentille_centree_data();
    void lentille_centree();
    void bandeau_haut_libre_a_droite_data();
    void bandeau_haut_libre_a_droite();
    void splash_bas_sombre();
    void pages_aide_data();
    void pages_aide();
};

void TstImages::fichiers_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<int>("hauteurMin");
    QTest::addColumn<double>("rapport");
    QTest::addColumn<int>("largeurMax");
    QTest::addColumn<int>("hauteurMax");
    QTest::addColumn<bool>("transparent");
    for (const Attendu& a : attendus)
        QTest::newRow(a.nom) << QString::fromLatin1(a.nom) << a.taille << a.hauteurMin << a.rapport
                             << a.largeurMax << a.hauteurMax << (a.fond == Transparent);
    for (const QString& p : noms_pages_aide())
        QTest::newRow(qPrintable(p)) << p << QSize(764, 535) << 0 << 0.0 << 0 << 0 << false;
}

void TstImages::fichiers() {
    QFETCH(QString, nom);
    QFETCH(QSize, taille);
    QFETCH(int, hauteurMin);
    QFETCH(double, rapport);
    QFETCH(int, largeurMax);
    QFETCH(int, hauteurMax);
    QFETCH(bool, transparent);
    // The program reads its pictures by relative name from its own folder.
    QVERIFY2(QFileInfo::exists(nom), qPrintable(nom + " is missing next to the program"));
    const QImage img = charger(nom);
    QVERIFY2(!img.isNull(), qPrintable(nom + " does not load"));
    // True-colour files load in the format of the screen's pixmaps, so that a
    // shown picture compares equal to its file.
    QCOMPARE(QImage(nom).depth(), 32);
    if (taille.isValid()) {
        QCOMPARE(img.size(), taille);
    } else {
        QVERIFY(img.height() >= hauteurMin);
        if (rapport > 0)
            QVERIFY2(qAbs(double(img.width()) / img.height() - rapport) < 0.02,
                     qPrintable(QStringLiteral("%1 x %2").arg(img.width()).arg(img.height())));
        if (largeurMax > 0)
            QVERIFY(img.width() <= largeurMax);
        if (hauteurMax > 0)
            QVERIFY(img.height() <= hauteurMax);
    }
    const QRgb coins[] = {img.pixel(0, 0), img.pixel(img.width() - 1, 0), img.pixel(0, img.height() - 1),
                          img.pixel(img.width() - 1, img.height() - 1)};
    for (QRgb c : coins) {
        if (transparent)
            QCOMPARE(qAlpha(c), 0);
        else
            QCOMPARE(qAlpha(c), 255);
    }
    // Not blank: some pixels differ from the top-left one.
    bool varie = false;
    for (int y = 0; y < img.height() && !varie; y += 2)
        for (int x = 0; x < img.width() && !varie; x += 2)
            varie = img.pixel(x, y) != img.pixel(0, 0);
    QVERIFY(varie);
    // What the generator draws now, pixel for pixel: a drawing changed
    // without its picture drawn again, or a picture that would come out
    // otherwise on another machine, shows here.
    const auto dessin = std::find_if(toutes().cbegin(), toutes().cend(),
                                     [&nom](const Dessin::Image& i) { return i.nom == nom; });
    QVERIFY(dessin != toutes().cend());
    const QImage attendue = Dessin::a_ecrire(*dessin);
    QCOMPARE(QImage(nom).convertToFormat(attendue.format()), attendue);
}

// Every picture in the project's folder is one the program reads: a stale or
// misspelt file would go unnoticed otherwise.
void TstImages::aucune_image_inconnue() {
    const QString source = qEnvironmentVariable("TORIQUE_SOURCE_DIR");
    if (source.isEmpty())
        QSKIP("TORIQUE_SOURCE_DIR not set");
    QSet<QString> connus;
    for (const Attendu& a : attendus)
        connus.insert(QString::fromLatin1(a.nom));
    for (const QString& p : noms_pages_aide())
        connus.insert(p);
    const QStringList presents = QDir(source + "/images").entryList({"*.png"}, QDir::Files);
    for (const QString& f : presents)
        QVERIFY2(connus.contains(f), qPrintable(f + " is not read by the program"));
    QCOMPARE(presents.size(), connus.size());
}

void TstImages::rapporteur_centre_data() {
    QTest::addColumn<QString>("nom");
    for (const char* n : {"rapporteur_ODpxGRIS2.png", "rapporteur_OSpxGRIS2.png",
                          "rapporteur_ODpxORANGECL2.png", "rapporteur_OSpxORANGECL2.png"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

// The diagram draws the protractor at (-175, -140) and crosses its axes at
// (8, 0): the centre is pixel (183, 140). The K axes (radius 100), the
// incision (radii 92 to 114) and the lens need the inside clear; the long
// ticks every 10 degrees sit just outside, the short ones in between.
void TstImages::rapporteur_centre() {
    QFETCH(QString, nom);
    const QImage img = charger(nom);
    QVERIFY(!img.isNull());
    const QPointF c(183, 140);
    auto point = [&](qreal rayon, qreal degres) {
        const qreal t = qDegreesToRadians(degres);
        // The pixel that contains the point (pixel x covers x to x + 1).
        return QPoint(qFloor(c.x() + rayon * qCos(t)), qFloor(c.y() - rayon * qSin(t)));
    };
    for (int a = 0; a < 360; a += 3)
        for (int rayon = 12; rayon <= 113; rayon += 3) {
            const QRgb p = img.pixel(point(rayon, a + 0.5));
            QVERIFY2(!marque(p) || qAlpha(p) < 64,
                     qPrintable(QStringLiteral("dark at radius %1, %2 degrees").arg(rayon).arg(a)));
        }
    for (int a = 0; a < 360; a += 10) {
        QVERIFY2(marque(img.pixel(point(124.5, a))),
                 qPrintable(QStringLiteral("no tick at %1 degrees").arg(a)));
        QVERIFY2(!marque(img.pixel(point(124.5, a + 5.5))),
                 qPrintable(QStringLiteral("long tick at %1 degrees").arg(a + 5.5)));
    }
}

// OD and OS differ (nasal and temporal sides), grey and light orange differ
// in colour. Only the orange pictures, shown once an eye is chosen, name it
// in their top left corner; the grey ones, shown before, name none.
void TstImages::rapporteur_variantes() {
    const QImage odG = charger("rapporteur_ODpxGRIS2.png"), osG = charger("rapporteur_OSpxGRIS2.png");
    const QImage odO = charger("rapporteur_ODpxORANGECL2.png"), osO = charger("rapporteur_OSpxORANGECL2.png");
    QVERIFY(odG != osG);
    QVERIFY(odO != osO);
    auto orange = [](const QImage& img) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            for (int y = 0; y < img.height(); ++y) {
                const QRgb q = img.pixel(x, y);
                if (qAlpha(q) > 200 && qRed(q) - qBlue(q) > 60)
                    ++n;
            }
        return n;
    };
    QVERIFY(orange(odO) > 1000);
    QVERIFY(orange(osO) > 1000);
    QCOMPARE(orange(odG), 0);
    QCOMPARE(orange(osG), 0);
    auto etiquette = [](const QImage& img) {
        int n = 0;
        for (int x = 6; x < 76; ++x)
            for (int y = 4; y < 34; ++y)
                n += qAlpha(img.pixel(x, y)) > 128;
        return n;
    };
    QVERIFY(etiquette(odO) > 50);
    QVERIFY(etiquette(osO) > 50);
    QCOMPARE(etiquette(odG), 0);
    QCOMPARE(etiquette(osG), 0);
}

void TstImages::lentille_centree_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("VELAN") << QStringLiteral("velan_T_180x138_AS.png") << QPoint(60, 90);
    QTest::newRow("plate") << QStringLiteral("mirbo_0.png") << QPoint(65, 100);
}

// The diagram draws the lens in a frame turned so that the lens axis is
// vertical through the origin, with the picture's top-left corner at
// (-60, -90) or (-65, -100): the optic's centre must be that pixel. Both
// lenses are symmetric by a half turn about it, and the axis marks lie on the
// vertical through it.
void TstImages::lentille_centree() {
    QFETCH(QString, nom);
    QFETCH(QPoint, centre);
    const QImage img = charger(nom);
    QVERIFY(!img.isNull());
    int ecarts = 0, total = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            // Pixel x covers x to x + 1: its image by the half turn about the
            // point `centre` is the pixel 2 centre - 1 - x.
            const int xs = 2 * centre.x() - 1 - x, ys = 2 * centre.y() - 1 - y;
            if (xs < 0 || ys < 0 || xs >= img.width() || ys >= img.height())
                continue;
            ++total;
            if (qAbs(qAlpha(img.pixel(x, y)) - qAlpha(img.pixel(xs, ys))) > 60)
                ++ecarts;
        }
    QVERIFY2(ecarts * 100 < total * 2,
             qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(ecarts).arg(total)));
    // The optic is see-through at its centre, so that the axis lines show.
    QVERIFY(qAlpha(img.pixel(centre)) < 160);
    // Axis marks: dark dots on the vertical through the centre, near the edge.
    int points = 0;
    for (int y = 0; y < img.height(); ++y)
        if (marque(img.pixel(centre.x(), y)) && luminance(img.pixel(centre.x(), y)) < 90 &&
            marque(img.pixel(centre.x() - 1, y)))
            ++points;
    QVERIFY(points >= 6);
}

void TstImages::bandeau_haut_libre_a_droite_data() {
    QTest::addColumn<QString>("nom");
    QTest::newRow("fr") << QStringLiteral("bandeau_haut_fr_965x50pix.png");
    QTest::newRow("en") << QStringLiteral("bandeau_haut_uk_965x50pix.png");
}

// The flags (height 25, aligned right, 6 pixels above the bottom) sit on the
// right end of the top band: it must stay plain there; the name is on the left.
void TstImages::bandeau_haut_libre_a_droite() {
    QFETCH(QString, nom);
    const QImage img = charger(nom);
    const QRgb ref = img.pixel(900, 20);
    for (int y = 0; y < 44; ++y)
        for (int x = 840; x < 965; ++x)
            QVERIFY2(img.pixel(x, y) == ref, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
    int clairs = 0;
    for (int x = 60; x < 400; ++x)
        if (luminance(img.pixel(x, 22)) > 230)
            ++clairs;
    QVERIFY2(clairs > 20, "no light lettering on the left of the band");
}

// The start-up message is written in white, centred at the bottom.
void TstImages::splash_bas_sombre() {
    const QImage img = charger("logohorz_splash.png");
    QVERIFY(!img.isNull());
    for (int y = img.height() - 28; y < img.height() - 4; ++y)
        for (int x = img.width() / 4; x < img.width() * 3 / 4; ++x)
            QVERIFY2(luminance(img.pixel(x, y)) < 130, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
}

void TstImages::pages_aide_data() {
    QTest::addColumn<int>("page");
    for (int n = 1; n <= 8; ++n)
        QTest::newRow(qPrintable(QString::number(n))) << n;
}

// Each help page has its French and English version, with a blue title band
// and text; all sixteen are different.
void TstImages::pages_aide() {
    QFETCH(int, page);
    const QImage fr = charger(QStringLiteral("aide_p%1_fr.png").arg(page));
    const QImage en = charger(QStringLiteral("aide_p%1_en.png").arg(page));
    QVERIFY(!fr.isNull() && !en.isNull());
    QVERIFY(fr != en);
    for (const QImage& img : {fr, en}) {
        const QRgb titre = img.pixel(img.width() / 2, 4);
        QVERIFY(qBlue(titre) > qRed(titre) + 80);
        int encre = 0;
        for (int y = 60; y < img.height() - 20; ++y)
            for (int x = 20; x < 460; ++x)
                if (luminance(img.pixel(x, y)) < 100)
                    ++encre;
        QVERIFY2(encre > 4000, qPrintable(QStringLiteral("only %1 dark pixels of text").arg(encre)));
    }
    if (page > 1) {
        const QImage precedente = charger(QStringLiteral("aide_p%1_fr.png").arg(page - 1));
        QVERIFY(precedente != fr);
    }
}

QTEST_MAIN(TstImages)
#include "tst_images.moc"
