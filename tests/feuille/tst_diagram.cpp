#include "LegendeInc.h"
#include "LegendeK1.h"
#include "LegendeK2.h"
#include "ZoneDessin.h"

#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <functional>

namespace {

using Test = std::function<bool(QRgb)>;

const QColor bleu_k1(30, 157, 186), rose_k2(243, 61, 107), rouge_inc(190, 0, 0), gris(175, 175, 175);
const QPointF croisement(208, 150); // where the axes cross, in widget pixels

// Synthetic pictures, one flat colour each: the file chosen and its place show in the pixels.
struct ImageTest {
    QString fichier;
    QSize taille;
    QColor couleur;
};
const ImageTest images_test[] = {
    {"rapporteur_ODpxGRIS2.png", {40, 30}, QColor(10, 200, 10)},
    {"rapporteur_OSpxGRIS2.png", {40, 30}, QColor(10, 10, 200)},
    {"rapporteur_ODpxORANGECL2.png", {40, 30}, QColor(200, 200, 10)},
    {"rapporteur_OSpxORANGECL2.png", {40, 30}, QColor(200, 10, 200)},
    {"velan_T_180x138_AS.png", {12, 8}, QColor(0, 120, 0)},
    {"mirbo_0.png", {14, 10}, QColor(120, 60, 0)},
};

Test couleur(const QColor& c, int tol = 8) {
    return [c, tol](QRgb p) {
        return qAbs(qRed(p) - c.red()) <= tol && qAbs(qGreen(p) - c.green()) <= tol &&
               qAbs(qBlue(p) - c.blue()) <= tol;
    };
}
bool sombre(QRgb p) {
    return qRed(p) < 110 && qGreen(p) < 110 && qBlue(p) < 110;
}
bool pas_blanc(QRgb p) {
    return p != qRgb(255, 255, 255);
}

QImage saisir(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Number, bounding box and centre of the pixels that pass the test.
struct Releve {
    int n = 0;
    QRect boite;
    QPointF centre;
};
Releve relever(const QImage& img, const Test& test) {
    Releve r;
    double sx = 0, sy = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (test(img.pixel(x, y))) {
                ++r.n;
                r.boite |= QRect(x, y, 1, 1);
                sx += x + 0.5;
                sy += y + 0.5;
            }
    if (r.n)
        r.centre = QPointF(sx / r.n, sy / r.n);
    return r;
}

// Pixel at radius r from the crossing point along an ophthalmic axis
// (counter-clockwise from 3 o'clock; screen y points down).
QPoint sur_axe(double axe, double r) {
    const double a = qDegreesToRadians(axe);
    return QPoint(int(std::floor(croisement.x() + r * std::cos(a))),
                  int(std::floor(croisement.y() - r * std::sin(a))));
}

// Share of the samples from radius r0 to r1, both ways along an axis, that pass
// the test (within `marge` pixels of the sample when marge > 0).
double part_sur_axe(const QImage& img, double axe, int r0, int r1, const Test& test, int marge = 0) {
    int n = 0, oui = 0;
    for (double sens : {0.0, 180.0})
        for (int r = r0; r <= r1; ++r, ++n) {
            const QPoint c = sur_axe(axe + sens, r);
            bool ok = false;
            for (int dy = -marge; dy <= marge; ++dy)
                for (int dx = -marge; dx <= marge; ++dx)
                    ok = ok || test(img.pixel(c + QPoint(dx, dy)));
            oui += ok;
        }
    return double(oui) / n;
}

// Working directory for the lifetime of the object (pictures are read by relative name).
struct Dossier {
    explicit Dossier(const QString& chemin) : ancien(QDir::currentPath()) { QDir::setCurrent(chemin); }
    ~Dossier() { QDir::setCurrent(ancien); }
    QString ancien;
};

// A diagram with every axis set, at a given step.
struct Dessin : ZoneDessin {
    Dessin(int etape, int k1, int k2, int inc, int iol, const QString& modele = QStringLiteral("VELAN"))
        : ZoneDessin(modele) {
        rotation_K1(k1);
        rotation_K2(k2);
        incision(inc);
        rotation_iol(iol);
        upd_etape_dessin(etape);
    }
};

} // namespace

class TstDiagram : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void construction_et_bouton();
    void axes_k_data();
    void axes_k();
    void incision_data();
    void incision();
    void elements_par_etape_data();
    void elements_par_etape();
    void lentille_data();
    void lentille();
    void rapporteur_data();
    void rapporteur();
    void image_lentille_data();
    void image_lentille();
    void changement_oeil();
    void images_lues_une_fois();
    void repeintures_differees();
    void legendes_data();
    void legendes();
    void vraies_images();

private:
    QTemporaryDir vide, synthese;
    QString dossier_construction;
};

void TstDiagram::initTestCase() {
    dossier_construction = QDir::currentPath();
    QVERIFY(vide.isValid() && synthese.isValid());
    for (const auto& i : images_test) {
        QImage img(i.taille, QImage::Format_RGB32);
        img.fill(i.couleur);
        QVERIFY(img.save(synthese.filePath(i.fichier)));
    }
}

void TstDiagram::construction_et_bouton() {
    Dossier d(vide.path());
    ZoneDessin z(QStringLiteral("VELAN"));
    QCOMPARE(z.parent(), nullptr);
    QCOMPARE(z.minimumSize(), QSize(400, 290));
    QCOMPARE(z.maximumSize(), QSize(400, 290));
    QVERIFY(z.autoFillBackground());
    QCOMPARE(z.palette().color(QPalette::Window), QColor(Qt::white));
    // Missing pictures draw nothing and report nothing.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QCOMPARE(relever(saisir(z), pas_blanc).n, 0);

    QPushButton* b = z.bouton_iol;
    QVERIFY(b && b->parentWidget() == &z && b->isHidden());
    QCOMPARE(b->geometry(), QRect(360, 5, 35, 45));
    QCOMPARE(b->iconSize(), QSize(24, 37));
    QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    // The button hides and shows the lens.
    z.rotation_iol(90);
    z.upd_etape_dessin(10);
    QVERIFY(relever(saisir(z), sombre).n > 200);
    b->click();
    QVERIFY(!z.show_flag);
    QCOMPARE(relever(saisir(z), sombre).n, 0);
    b->click();
    QVERIFY(z.show_flag);
    QVERIFY(relever(saisir(z), sombre).n > 200);
}

void TstDiagram::axes_k_data() {
    QTest::addColumn<int>("k1");
    QTest::addColumn<int>("k2");
    for (auto [k1, k2] : {std::pair{0, 90}, {30, 120}, {90, 0}, {135, 45}, {179, 89}, {180, 90}, {210, 120}})
        QTest::addRow("K1 %d, K2 %d", k1, k2) << k1 << k2;
}

void TstDiagram::axes_k() {
    QFETCH(int, k1);
    QFETCH(int, k2);
    Dossier d(vide.path());
    Dessin z(7, k1, k2, k2 + 20, 0);
    const QImage img = saisir(z);
    // The solid steep axis runs unbroken through the crossing point, over K1.
    QCOMPARE(part_sur_axe(img, k2, 0, 97, couleur(rose_k2)), 1.0);
    QCOMPARE(part_sur_axe(img, k2, 10, 97, couleur(bleu_k1)), 0.0);
    // The flat axis is dashed: mostly blue, with gaps.
    const double part_k1 = part_sur_axe(img, k1, 10, 97, couleur(bleu_k1));
    QVERIFY2(part_k1 > 0.6 && part_k1 < 0.95, qPrintable(QString::number(part_k1)));
    // Nothing between the axes nor beyond their 100-pixel ends.
    for (int decalage : {45, 135})
        QCOMPARE(part_sur_axe(img, k1 + decalage, 10, 138, pas_blanc), 0.0);
    QCOMPARE(part_sur_axe(img, k1, 104, 138, couleur(bleu_k1)), 0.0);
    QCOMPARE(part_sur_axe(img, k2, 104, 138, couleur(rose_k2)), 0.0);
    // An axis of 180 or more is the same meridian as 180 less.
    if (k1 >= 180) {
        Dessin meme(7, k1 - 180, k2, k2 + 20, 0);
        QCOMPARE(img, saisir(meme));
    }
}

void TstDiagram::incision_data() {
    QTest::addColumn<int>("axe");
    for (int a : {0, 45, 90, 180, 270, 359})
        QTest::addRow("%d", a) << a;
}

void TstDiagram::incision() {
    QFETCH(int, axe);
    Dossier d(vide.path());
    Dessin z(7, axe + 45, axe + 135, axe, 0);
    const Releve r = relever(saisir(z), couleur(rouge_inc));
    QVERIFY(r.n > 100);
    // Centred on the incision's direction about 112 pixels out (0: right, 90: top, 270: bottom)...
    const QPoint attendu = sur_axe(axe, 112);
    QVERIFY2(QLineF(r.centre, attendu).length() < 4, qPrintable(QStringLiteral("%1,%2 instead of %3,%4")
                                                                    .arg(r.centre.x())
                                                                    .arg(r.centre.y())
                                                                    .arg(attendu.x())
                                                                    .arg(attendu.y())));
    // ...and spread across it, as a bracket.
    QVERIFY(part_sur_axe(saisir(z), axe + 12, 112, 112, couleur(rouge_inc), 4) == 0.5);
}

void TstDiagram::elements_par_etape_data() {
    QTest::addColumn<int>("etape");
    QTest::addColumn<bool>("axes_k");
    QTest::addColumn<bool>("inc");
    QTest::addColumn<bool>("lentille");
    // Withdrawn while the entry they come from is refused.
    QTest::addColumn<bool>("sans_axes_k");
    QTest::addColumn<bool>("sans_inc");
    for (int e : {-1, 0, 1, 5})
        QTest::addRow("%d", e) << e << false << false << false << false << false;
    for (int e : {6, 7, 8, 9})
        QTest::addRow("%d", e) << e << true << true << false << false << false;
    QTest::newRow("10") << 10 << true << true << true << false << false;
    QTest::newRow("11 (sheet)") << 11 << false << true << true << false << false;
    QTest::newRow("12") << 12 << true << true << true << false << false;
    QTest::newRow("7, axis refused") << 7 << false << true << false << true << false;
    QTest::newRow("7, incision refused") << 7 << true << false << false << false << true;
    QTest::newRow("7, both refused") << 7 << false << false << false << true << true;
}

void TstDiagram::elements_par_etape() {
    QFETCH(int, etape);
    QFETCH(bool, axes_k);
    QFETCH(bool, inc);
    QFETCH(bool, lentille);
    QFETCH(bool, sans_axes_k);
    QFETCH(bool, sans_inc);
    Dossier d(vide.path());
    Dessin z(etape, 30, 120, 270, 0);
    z.montrer_axes_K(!sans_axes_k);
    z.montrer_incision(!sans_inc);
    const QImage img = saisir(z);
    QCOMPARE(relever(img, couleur(bleu_k1)).n > 50, axes_k);
    QCOMPARE(relever(img, couleur(rose_k2)).n > 50, axes_k);
    QCOMPARE(relever(img, couleur(rouge_inc)).n > 50, inc);
    QCOMPARE(relever(img, sombre).n > 200, lentille);
    QCOMPARE(relever(img, pas_blanc).n > 0, axes_k || inc || lentille);
    // Shown again, they are drawn as before.
    z.montrer_axes_K(true);
    z.montrer_incision(true);
    Dessin tout(etape, 30, 120, 270, 0);
    QCOMPARE(saisir(z), saisir(tout));
}

void TstDiagram::lentille_data() {
    QTest::addColumn<int>("axe");
    QTest::addColumn<QString>("texte");
    for (int a : {90, 0, 30, 135, 179})
        QTest::addRow("%d", a) << a << QString::number(a) + QStringLiteral("°");
}

// The lens line and the axis text turned by `angle_texte` from upright.
static QImage reference_texte(int angle_ligne, int angle_texte, const QString& texte) {
    QImage img(400, 290, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setWindow(-200, -150, 400, 290);
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont police(QStringLiteral("Calibri"), 20);
    police.setWeight(QFont::Bold);
    p.setFont(police);
    p.translate(8, 0);
    p.rotate(angle_ligne);
    p.setPen(QPen(QBrush(Qt::black), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -130), QPointF(0, 130));
    p.rotate(angle_texte - angle_ligne);
    p.drawText(QRect(-25, -22, 60, 40), Qt::AlignCenter, texte);
    return img;
}

static qint64 ecart(const QImage& a, const QImage& b, const QRect& zone) {
    qint64 s = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            s += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return s;
}

void TstDiagram::lentille() {
    QFETCH(int, axe);
    QFETCH(QString, texte);
    Dossier d(vide.path());
    Dessin z(10, axe + 45, axe + 135, axe + 90, axe);
    const QImage img = saisir(z);
    QCOMPARE(z.angle_iol_str, texte);
    // A black line along the lens axis, 130 pixels each way.
    QCOMPARE(part_sur_axe(img, axe, 45, 127, sombre, 1), 1.0);
    QCOMPARE(part_sur_axe(img, axe, 134, 138, sombre), 0.0);
    for (int decalage : {45, 90})
        QCOMPARE(part_sur_axe(img, axe + decalage, 45, 138, sombre), 0.0);
    // The text stays upright whatever the axis (seen without the K axes that cross it).
    z.upd_etape_dessin(11);
    const QImage sans_k = saisir(z);
    const QRect zone(170, 110, 90, 80);
    const qint64 droit = ecart(sans_k, reference_texte(-axe - 90, 0, texte), zone);
    const qint64 tourne = ecart(sans_k, reference_texte(-axe - 90, -axe - 90, texte), zone);
    QVERIFY2(droit * 4 < tourne, qPrintable(QStringLiteral("%1 / %2").arg(droit).arg(tourne)));
}

void TstDiagram::rapporteur_data() {
    QTest::addColumn<int>("oeil");
    QTest::addColumn<int>("etape");
    QTest::addColumn<int>("image");
    QTest::newRow("OD -1") << 0 << -1 << 0;
    QTest::newRow("OD 0") << 0 << 0 << 0;
    QTest::newRow("OS 0") << 1 << 0 << 1;
    QTest::newRow("OD 1") << 0 << 1 << 2;
    QTest::newRow("OS 1") << 1 << 1 << 3;
    QTest::newRow("OD 7") << 0 << 7 << 2;
    QTest::newRow("OS 11") << 1 << 11 << 3;
}

void TstDiagram::rapporteur() {
    QFETCH(int, oeil);
    QFETCH(int, etape);
    QFETCH(int, image);
    Dossier d(synthese.path());
    Dessin z(etape, 30, 120, 180, 90);
    z.oeil(oeil);
    // Top-left corner at (-175, -140) of the drawing, that is pixel (25, 10).
    const Releve r = relever(saisir(z), couleur(images_test[image].couleur, 0));
    QCOMPARE(r.boite, QRect(25, 10, 40, 30));
    QCOMPARE(r.n, 40 * 30);
}

void TstDiagram::image_lentille_data() {
    QTest::addColumn<QString>("modele");
    QTest::addColumn<int>("image");
    QTest::addColumn<QPoint>("coin");
    QTest::addColumn<int>("axe");
    QTest::newRow("VELAN 90") << "VELAN" << 4 << QPoint(-60, -90) << 90;
    QTest::newRow("VELAN 0") << "VELAN" << 4 << QPoint(-60, -90) << 0;
    QTest::newRow("VELAN 30") << "VELAN" << 4 << QPoint(-60, -90) << 30;
    QTest::newRow("MIRBO 90") << "MIRBO" << 5 << QPoint(-65, -100) << 90;
    QTest::newRow("TAVRIN 150") << "TAVRIN" << 5 << QPoint(-65, -100) << 150;
    QTest::newRow("velan") << "velan" << -1 << QPoint() << 90;
    QTest::newRow("empty name") << "" << -1 << QPoint() << 90;
}

void TstDiagram::image_lentille() {
    QFETCH(QString, modele);
    QFETCH(int, image);
    QFETCH(QPoint, coin);
    QFETCH(int, axe);
    Dossier d(synthese.path());
    Dessin z(10, axe + 45, axe + 135, axe + 90, axe, modele);
    const QImage img = saisir(z);
    for (int i : {4, 5}) {
        const Releve r = relever(img, couleur(images_test[i].couleur, 2));
        if (i != image) {
            QCOMPARE(r.n, 0);
            continue;
        }
        // Drawn in the lens's turned frame, its corner at the given point.
        QTransform t;
        t.translate(croisement.x(), croisement.y());
        t.rotate(-axe - 90);
        const QRectF place(coin, QSizeF(images_test[i].taille));
        QVERIFY(r.n > place.width() * place.height() / 2);
        QVERIFY(t.mapRect(place).adjusted(-1, -1, 1, 1).contains(r.boite));
        QVERIFY(QLineF(r.centre, t.map(place.center())).length() < 1.5);
    }
}

void TstDiagram::changement_oeil() {
    Dossier d(synthese.path());
    for (int etape : {0, 7, 10, 11}) {
        Dessin z(etape, 20, 110, 180, 110);
        const QImage od = saisir(z);
        z.oeil(1);
        const QImage os = saisir(z);
        // Only the protractor (40 x 30 at pixel 25, 10) changes.
        QRect difference;
        for (int y = 0; y < od.height(); ++y)
            for (int x = 0; x < od.width(); ++x)
                if (od.pixel(x, y) != os.pixel(x, y))
                    difference |= QRect(x, y, 1, 1);
        QCOMPARE(difference, QRect(25, 10, 40, 30));
        z.oeil(0);
        QCOMPARE(saisir(z), od);
    }
}

void TstDiagram::images_lues_une_fois() {
    QTemporaryDir dossier;
    Dossier d(dossier.path());
    QImage rouge(10, 10, QImage::Format_RGB32);
    rouge.fill(Qt::red);
    QVERIFY(rouge.save(QStringLiteral("rapporteur_ODpxGRIS2.png")));
    ZoneDessin z(QStringLiteral("VELAN"));
    QCOMPARE(saisir(z).pixel(30, 15), qRgb(255, 0, 0));
    // The picture stays on screen after its file has gone.
    QVERIFY(QFile::remove(QStringLiteral("rapporteur_ODpxGRIS2.png")));
    z.rotation_K1(45);
    QCOMPARE(saisir(z).pixel(30, 15), qRgb(255, 0, 0));
    ZoneDessin autre(QStringLiteral("VELAN"));
    QCOMPARE(saisir(autre).pixel(30, 15), qRgb(255, 255, 255));
}

// Every setter asks for a repaint that comes with the event loop, not at once.
void TstDiagram::repeintures_differees() {
    Dossier d(vide.path());
    ZoneDessin z(QStringLiteral("VELAN"));
    z.show();
    QVERIFY(QTest::qWaitForWindowExposed(&z));
    struct Compteur : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override { return n += e->type() == QEvent::Paint, false; }
    } compteur;
    z.installEventFilter(&compteur);
    const std::function<void()> operations[] = {[&] { z.rotation_K1(10); },  [&] { z.rotation_K2(10); },
                                                [&] { z.rotation_iol(10); }, [&] { z.incision(10); },
                                                [&] { z.oeil(1); },          [&] { z.upd_etape_dessin(10); },
                                                [&] { z.show_iol(); }};
    for (const auto& op : operations) {
        QCoreApplication::processEvents();
        compteur.n = 0;
        op();
        QCOMPARE(compteur.n, 0);
        QTRY_VERIFY(compteur.n > 0);
    }
}

void TstDiagram::legendes_data() {
    QTest::addColumn<int>("quelle");
    QTest::addColumn<int>("etape");
    const char* noms[] = {"K1", "K2", "incision"};
    for (int q = 0; q < 3; ++q)
        for (int e : {-1, 0, 5, 6, 7, 10, 11})
            QTest::addRow("%s %d", noms[q], e) << q << e;
}

void TstDiagram::legendes() {
    QFETCH(int, quelle);
    QFETCH(int, etape);
    LegendeK1 k1;
    LegendeK2 k2;
    LegendeInc inc;
    QLabel* const legendes[] = {&k1, &k2, &inc};
    const QSize tailles[] = {{50, 10}, {45, 10}, {48, 22}};
    const QColor couleurs[] = {bleu_k1, rose_k2, rouge_inc};
    QLabel* l = legendes[quelle];
    QCOMPARE(l->minimumSize(), tailles[quelle]);
    QCOMPARE(l->maximumSize(), tailles[quelle]);
    k1.upd_etape_legende(etape);
    k2.upd_etape_legende(etape);
    inc.upd_etape_legende(etape);
    // Grey up to step 5, in the line's colour above.
    const QImage img = saisir(*l);
    const QColor attendu = etape > 5 ? couleurs[quelle] : gris;
    QVERIFY(relever(img, couleur(attendu, 0)).n > 20);
    for (const QColor& autre : {bleu_k1, rose_k2, rouge_inc, gris})
        if (autre != attendu)
            QCOMPARE(relever(img, couleur(autre, 3)).n, 0);
}

// With the program's own pictures (skipped until they are in the build folder).
void TstDiagram::vraies_images() {
    Dossier d(dossier_construction);
    for (const char* f :
         {"rapporteur_ODpxGRIS2.png", "rapporteur_OSpxGRIS2.png", "rapporteur_ODpxORANGECL2.png",
          "rapporteur_OSpxORANGECL2.png", "mirbo_cross2.png", "mirbo_check2.png"})
        if (!QFile::exists(QString::fromLatin1(f)))
            QSKIP("pictures not in the build folder");
    Dessin z(0, 0, 90, 180, 90);
    QVERIFY(relever(saisir(z), pas_blanc).n > 1000);
    z.upd_etape_dessin(7);
    const QImage od = saisir(z);
    z.oeil(1);
    QVERIFY(saisir(z) != od);
    // The button's icon: a cross while the lens is shown, a tick while it is hidden.
    const auto icone = [](const QIcon& i) { return i.pixmap(QSize(24, 37)).toImage(); };
    const QImage croix = icone(QIcon(QStringLiteral("mirbo_cross2.png")));
    QVERIFY(!croix.isNull());
    QCOMPARE(icone(z.bouton_iol->icon()), croix);
    z.show_iol();
    QCOMPARE(icone(z.bouton_iol->icon()), icone(QIcon(QStringLiteral("mirbo_check2.png"))));
    z.show_iol();
    QCOMPARE(icone(z.bouton_iol->icon()), croix);
}

QTEST_MAIN(TstDiagram)
#include "tst_diagram.moc"
