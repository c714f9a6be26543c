// The surgeon's induced astigmatism from past cases (torique --sia): the
// figures of small files worked out by hand, the rows refused, and the plot
// in each format.

#include "Processus.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

using Processus::Sortie;

Sortie lancer(const QStringList& args) {
    return Processus::lancer(Processus::torique(), args);
}

const QByteArray EN_TETE = "eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post\n";

// A value of the JSON object that may be null (NaN expected).
bool proche(const QJsonValue& v, double attendu) {
    if (std::isnan(attendu))
        return v.isNull();
    return v.isDouble() && std::abs(v.toDouble() - attendu) < 1e-4;
}

} // namespace

class TstSia : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void chiffres_data();
    void chiffres();
    void lignes_refusees_data();
    void lignes_refusees();
    void graphique_data();
    void graphique();
    void usage_data();
    void usage();

private:
    QString fichier(const QByteArray& contenu);
    QTemporaryDir dossier;
    int numero = 0;
};

void TstSia::initTestCase() {
    if (!QFile::exists(Processus::torique()))
        QSKIP("torique not built");
    QVERIFY(dossier.isValid());
}

QString TstSia::fichier(const QByteArray& contenu) {
    const QString chemin = dossier.filePath(QString("cas%1.csv").arg(++numero));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        qFatal("cannot write %s", qPrintable(chemin));
    return chemin;
}

// Each eye's astigmatism C = K2 - K1 at the steep axis a is the point
// (C cos 2a, C sin 2a); induced = post - pre. Figures worked out by hand.
void TstSia::chiffres_data() {
    QTest::addColumn<QByteArray>("lignes");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("moyenne");
    QTest::addColumn<double>("ecart_type");
    QTest::addColumn<double>("centroide");
    QTest::addColumn<int>("axe");
    QTest::addColumn<double>("sd_x");
    QTest::addColumn<double>("sd_y");
    // semi-major, semi-minor, orientation on the plot; empty: no ellipse.
    QTest::addColumn<QList<double>>("ellipse_donnees");
    QTest::addColumn<QList<double>>("ellipse_centroide");
    const double nan = std::nan("");
    // 1.00 D turned from 170 to 10 across 180: (cos 340, sin 340) to
    // (cos 20, sin 20), a change of (0, 2 sin 20) = 0.684 D at 45.
    QTest::newRow("one eye turned across 180")
        << QByteArray("OD,43.00,44.00,170,43.00,44.00,10\n") << 1 << 0.68404 << nan << 0.68404 << 45 << nan
        << nan << QList<double>{} << QList<double>{};
    // 0.50 D at 90 (-0.5, 0) and 0.50 D at 0 (0.5, 0) cancel.
    QTest::newRow("two eyes that cancel")
        << QByteArray("OD,42,44,90,42,44.5,90\nOS,42,44,90,42,43.5,90\n") << 2 << 0.5 << 0.0 << 0.0 << 0
        << 0.70711 << 0.0 << QList<double>{} << QList<double>{};
    // (0.5, 0) with 180 written for 0, (0, 0) from equal astigmatism, and
    // (0, 1): centroid (1/6, 1/3); S = [1/12 -1/12; -1/12 1/3]; Hotelling
    // T2 for 3 eyes = 2 * 18.5 * 21.57... = 798.
    QTest::newRow("a zero eye, 180 for 0")
        << QByteArray("OD,43,44,180,43,44.5,0\nOS,42,43,45,42.5,43.5,45\nOD,42,42,0,42,43,45\n") << 3 << 0.5
        << 0.5 << 0.37268 << 32 << 0.28868 << 0.57735 << QList<double>{1.46572, 0.59001, 106.84503}
        << QList<double>{9.76618, 3.93130, 106.84503};
    // (-1.5, 0), (-0.5, 0), (-1, 0.25), (-1, -0.25): centroid 1.00 D at 90,
    // S = diag(1/6, 1/24), T2 for 4 eyes = 3 * (20 - 1) = 57.
    QTest::newRow("four eyes around 90")
        << QByteArray("OD,42,42,0,42,43.5,90\nOS,42,42,0,42,42.5,90\n"
                      "OD,42,42.25,135,42,43,90\nOS,42,42.25,45,42,43,90\n")
        << 4 << 1.01539 << 0.40863 << 1.0 << 90 << 0.40825 << 0.20412 << QList<double>{0.99929, 0.49964, 0.0}
        << QList<double>{1.54110, 0.77055, 0.0};
}

void TstSia::chiffres() {
    QFETCH(QByteArray, lignes);
    QFETCH(int, n);
    const Sortie s = lancer({"--sia", fichier(EN_TETE + lignes), "--json"});
    QCOMPARE(s.statut, 0);
    QVERIFY2(s.erreurs.isEmpty(), qPrintable(s.erreurs));
    const QJsonObject o = QJsonDocument::fromJson(s.sortie.toUtf8()).object();
    QCOMPARE(o["count"].toInt(), n);
    QCOMPARE(o["eyes"].toArray().size(), n);
    QCOMPARE(o["errors"].toArray().size(), 0);
    const QJsonObject m = o["mean"].toObject(), c = o["centroid"].toObject();
    QFETCH(double, moyenne);
    QFETCH(double, ecart_type);
    QVERIFY2(proche(m["D"], moyenne) && proche(m["sd"], ecart_type), qPrintable(s.sortie));
    QFETCH(double, centroide);
    QVERIFY2(proche(c["D"], centroide), qPrintable(s.sortie));
    QTEST(c["axis"].toInt(), "axe");
    QFETCH(double, sd_x);
    QFETCH(double, sd_y);
    QVERIFY2(proche(c["sd_x"], sd_x) && proche(c["sd_y"], sd_y), qPrintable(s.sortie));
    QFETCH(QList<double>, ellipse_donnees);
    QFETCH(QList<double>, ellipse_centroide);
    const QJsonObject ellipses = o["ellipses"].toObject();
    for (const auto& [cle, attendu] :
         {std::pair{"data", ellipse_donnees}, std::pair{"centroid", ellipse_centroide}}) {
        const QJsonValue e = ellipses[cle];
        if (attendu.isEmpty()) {
            QVERIFY2(e.isNull(), cle);
            continue;
        }
        QVERIFY2(proche(e["semi_major"], attendu[0]) && proche(e["semi_minor"], attendu[1]) &&
                     proche(e["orientation"], attendu[2]) && proche(e["x"], c["x"].toDouble()),
                 qPrintable(QString(cle) + ": " + s.sortie));
    }
    // Every eye's own figure; an eye whose astigmatism did not change is
    // zero at axis 0.
    for (const QJsonValue& oeil : o["eyes"].toArray()) {
        const QJsonObject sia = oeil["sia"].toObject();
        QVERIFY(proche(sia["D"], std::hypot(sia["x"].toDouble(), sia["y"].toDouble())));
        if (oeil["preop"]["D"] == oeil["postop"]["D"] && oeil["preop"]["axis"] == oeil["postop"]["axis"])
            QVERIFY(sia["D"].toDouble() == 0 && sia["axis"].toInt() == 0);
    }
}

// Rows that are not valid do not count; each is answered with its line.
void TstSia::lignes_refusees_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<int>("statut");
    QTest::addColumn<int>("n");
    // "line:start of the error"; for a file refused whole (status 2), the
    // start of the message, %1 the file.
    QTest::addColumn<QStringList>("erreurs");
    QTest::newRow("each value checked")
        << EN_TETE + "OD,42,44,90,42,44.5,90\n"
                     "OD,abc,44,90,42,44,90\n"
                     "OD,7.85,7.65,90,7.85,7.70,90\n"
                     "OD,42,44,90,43,42.5,90\n"
                     "OD,42,44,181,42,44,90\n"
                     "OD,42,44,90.5,42,44,90\n"
                     "OX,42,44,90,42,44,90\n"
                     "OD,42,44,90,42,44.5\n"
                     "OD,42,44,90,42,44.5,90,1\n"
                     "\n"
                     "\"os\",\"42,5\",44,90,42.5,44.5, 90\r\n"
                     "OD,nan,44,90,42,44,90\n"
        << 1 << 2
        << QStringList{"3:k1_pre: value 'abc' refused; expected a number of dioptres from 30.00 to 60.00",
                       "4:k1_pre: value '7.85' refused",
                       "5:k2_post: value '42.5' refused; expected at least k1_post (43)",
                       "6:axis_pre: value '181' refused; expected a whole number from 0 to 180",
                       "7:axis_pre: value '90.5' refused",
                       "8:eye: value 'OX' refused; expected OD or OS",
                       "9:axis_post: value missing",
                       "10:8 values; expected at most 7",
                       "13:k1_pre: value 'nan' refused"};
    QTest::newRow("no valid row") << EN_TETE + "OD,42,44,90,42,,90\n"
                                  << 1 << 0 << QStringList{"2:k2_post: value missing"};
    QTest::newRow("header only") << EN_TETE << 1 << 0 << QStringList{};
    const QString pas_en_tete = "--sia: the first line of '%1' is not the header; expected";
    QTest::newRow("header of --batch")
        << QByteArray("eye,seq,unit,k1,k2,axis,sia,incision,cyl\n") << 2 << 0 << QStringList{pas_en_tete};
    QTest::newRow("empty file") << QByteArray() << 2 << 0 << QStringList{pas_en_tete};
    QTest::newRow("more rows than a series")
        << EN_TETE + QByteArray("OD,42,44,90,42,44.5,90\n").repeated(100001) << 2 << 0
        << QStringList{"--sia: more than 100000 rows in '%1'; expected"};
}

void TstSia::lignes_refusees() {
    QFETCH(QByteArray, contenu);
    QFETCH(int, statut);
    QFETCH(int, n);
    QFETCH(QStringList, erreurs);
    const QString chemin = fichier(contenu);
    const Sortie j = lancer({"--sia", chemin, "--json", "--lang", "en"});
    QCOMPARE(j.statut, statut);
    if (statut == 2) {
        QVERIFY(j.sortie.isEmpty());
        QVERIFY2(j.erreurs.startsWith(erreurs.value(0).arg(chemin)), qPrintable(j.erreurs));
        return;
    }
    if (n == 0)
        QVERIFY2(j.erreurs.startsWith("--sia: no valid row in"), qPrintable(j.erreurs));
    const QJsonObject o = QJsonDocument::fromJson(j.sortie.toUtf8()).object();
    QCOMPARE(o["count"].toInt(), n);
    const QJsonArray refus = o["errors"].toArray();
    QCOMPARE(refus.size(), erreurs.size());
    // As text, the same rows on the error output.
    const Sortie t = lancer({"--sia", chemin, "--lang", "en"});
    QCOMPARE(t.statut, statut);
    for (int i = 0; i < erreurs.size(); ++i) {
        const int ligne = erreurs[i].section(':', 0, 0).toInt();
        const QString debut = erreurs[i].section(':', 1);
        QCOMPARE(refus[i]["line"].toInt(), ligne);
        QVERIFY2(refus[i]["error"].toString().startsWith(debut), qPrintable(refus[i]["error"].toString()));
        QVERIFY2(t.erreurs.contains(QString("line %1: %2").arg(ligne).arg(debut)), qPrintable(t.erreurs));
    }
}

// The plot is a picture that reads back, with the eyes and the centroid
// where they belong: every induced astigmatism here lies between 45 and 90
// degrees, which the double angle puts in the upper left quarter.
void TstSia::graphique_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("ecrit");
    QTest::newRow("pdf") << "sia.pdf"
                         << "fr" << true;
    QTest::newRow("png") << "sia.png"
                         << "en" << true;
    QTest::newRow("svg, name in capitals") << "sia.SVG"
                                           << "fr" << true;
    QTest::newRow("folder missing") << "absent/sia.png"
                                    << "en" << false;
}

void TstSia::graphique() {
    QFETCH(QString, nom);
    QFETCH(QString, langue);
    QFETCH(bool, ecrit);
    const QString chemin = dossier.filePath(nom);
    // Twice (-1.5, 0.5), (-0.5, 0.5), (-1, 0.75), (-1, 0.25): centroid
    // (-1, 0.5), both ellipses within the quarter.
    const QByteArray quatre = "OD,42,42.5,135,42,43.5,90\nOS,42,42.5,135,42,42.5,90\n"
                              "OD,42,42.75,135,42,43,90\nOS,42,42.25,135,42,43,90\n";
    const QString cas = fichier(EN_TETE + quatre + quatre);
    const Sortie s = lancer({"--sia", cas, "--plot", chemin, "--lang", langue});
    if (!ecrit) {
        QCOMPARE(s.statut, 1);
        QVERIFY(s.sortie.isEmpty());
        QVERIFY2(s.erreurs.contains(QString("The file %1 could not be written").arg(chemin)),
                 qPrintable(s.erreurs));
        QVERIFY(!QFile::exists(chemin));
        return;
    }
    QCOMPARE(s.statut, 0);
    QVERIFY2(s.sortie.contains(langue == "en" ? "Centroid (vector mean) : 1.12 D x 77 °"
                                              : "Centroïde (moyenne vectorielle) : 1.12 D x 77 °"),
             qPrintable(s.sortie));
    QImage image;
    if (nom.endsWith(".pdf")) {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("poppler-utils not installed");
        QCOMPARE(Processus::lancer("pdftoppm",
                                   {"-r", "60", "-png", "-singlefile", chemin, dossier.filePath("pdf")})
                     .statut,
                 0);
        image.load(dossier.filePath("pdf.png"));
    } else {
        image.load(chemin);
    }
    QVERIFY2(!image.isNull(), qPrintable(chemin));
    QVERIFY(std::abs(double(image.width()) / image.height() - 800.0 / 980) < 0.01);
    // The plot's circle: centred at half the width, 455/980 of the height,
    // radius 305/800 of the width. Count the pink of the centroid and the
    // blue of the eyes in its upper left quarter and elsewhere.
    image = image.convertToFormat(QImage::Format_RGB32);
    const double cx = image.width() / 2.0, cy = image.height() * 455 / 980.0, r = image.width() * 305 / 800.0;
    int rose[2] = {0, 0}, bleu[2] = {0, 0};
    for (int y = int(cy - r); y < int(cy + r); ++y)
        for (int x = int(cx - r); x < int(cx + r); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int quart = x < cx && y < cy ? 0 : 1;
            if (c.red() > 200 && c.green() < 120 && c.blue() > 70 && c.blue() < 150)
                ++rose[quart];
            if (c.red() < 100 && c.green() > 130 && c.blue() > 160)
                ++bleu[quart];
        }
    QVERIFY2(rose[0] > 20 && rose[0] > 10 * rose[1], qPrintable(QString("%1 %2").arg(rose[0]).arg(rose[1])));
    QVERIFY2(bleu[0] > 20 && bleu[0] > 10 * bleu[1], qPrintable(QString("%1 %2").arg(bleu[0]).arg(bleu[1])));
}

// The plot's options: bad usage, status 2, nothing on the output.
void TstSia::usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QStringList cas{"--eye", "OD", "--seq", "21", "--k1", "42", "--k2", "44", "--axis", "90"};
    QTest::newRow("plot without --sia")
        << cas + QStringList{"--plot", "x.png", "--lang", "en"}
        << "--plot: only with --sia and no option of a case; expected torique --sia FILE.csv [--plot";
    // With the options of a case, --sia is its induced astigmatism.
    QTest::newRow("plot with a case and its --sia")
        << cas + QStringList{"--sia", "0.5", "--plot", "x.png", "--lang", "en"}
        << "--plot: only with --sia and no option of a case";
    QTest::newRow("plot of another kind")
        << QStringList{"--sia", "x.csv", "--plot", "x.jpg", "--lang", "en"}
        << "--plot: value 'x.jpg' refused; expected a file name ending in .pdf, .png or .svg";
    QTest::newRow("plot to -") << QStringList{"--sia", "x.csv", "--plot", "-", "--lang", "en"}
                               << "--plot: value '-' refused";
    QTest::newRow("sheet with --sia")
        << QStringList{"--sia", "x.csv", "--pdf", "x.pdf"}
        << QString::fromUtf8("--pdf : sans objet avec --sia ; attendu : torique --sia");
}

void TstSia::usage() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Sortie s = lancer(args);
    QCOMPARE(s.statut, 2);
    QVERIFY(s.sortie.isEmpty());
    QVERIFY2(s.erreurs.contains(message), qPrintable(s.erreurs));
}

QTEST_MAIN(TstSia)
#include "tst_sia.moc"
