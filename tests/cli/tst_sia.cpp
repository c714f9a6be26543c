// The surgeon's induced astigmatism from past cases (torique --sia) and the
// audit of the predictions on operated eyes (torique --audit), run in
// process: the rows refused, the figures of both eyes, the plot in each
// format, the audit's files worked by hand, and bad usage. The figures
// themselves are the engine's (tst_engine).

#include "AuditPrevisions.h"
#include "CalculTorique.h"
#include "GraphiqueCli.h"
#include "OutilEnProcessus.h"
#include "Processus.h"
#include "ToriqueCli.h"

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

// The tool run in this process, the plot drawn as the program draws it.
Sortie lancer(const QStringList& args, int descripteur_sortie = -1) {
    ToriqueCli outil;
    outil.graphique = GraphiqueCli::ecrire;
    outil.graphique_audit = GraphiqueCli::ecrire_audit;
    outil.descripteur_sortie = descripteur_sortie;
    return OutilEnProcessus::executer(outil, args);
}

const QByteArray EN_TETE = "eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post\n";
const QByteArray EN_TETE_AUDIT =
    "eye,seq,unit,k1,k2,axis,sia,incision,cyl,lens_axis,ref_sph,ref_cyl,ref_axis,vertex\n";
// An operated eye before its refraction: 1.50 D with the rule, 1.50 D
// implanted on 90.
const QByteArray OEIL = "OD,21.0,D,43.00,44.50,90,0.30,180,1.50,90,";

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
    void lignes_refusees_data();
    void lignes_refusees();
    void graphique_data();
    void graphique();
    void deux_yeux();
    void usage_data();
    void usage();
    void audit_data();
    void audit();
    void audit_json_et_graphique();

private:
    QString fichier(const QByteArray& contenu);
    QTemporaryDir dossier;
    int numero = 0;
};

void TstSia::initTestCase() {
    QVERIFY(dossier.isValid());
}

QString TstSia::fichier(const QByteArray& contenu) {
    const QString chemin = dossier.filePath(QString("cas%1.csv").arg(++numero));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        qFatal("cannot write %s", qPrintable(chemin));
    return chemin;
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
    // A refused row quotes a value whatever its length in 40 characters.
    QTest::newRow("K2 below a K1 of 65,000 characters")
        << EN_TETE + "OD,43." + QByteArray(64990, '0') + ",42,90,42,44,90\n"
        << 1 << 0
        << QStringList{"2:k2_pre: value '42' refused; expected at least k1_pre "
                       "(43.0000000000000000000000000000000000000...)"};
    // As a spreadsheet saves it where the comma is the decimal point, the
    // columns in another order.
    QTest::newRow("semicolons, decimal commas, columns in any order")
        << QByteArray("axis_post;K2_POST;eye;k1_pre;k2_pre;axis_pre;k1_post\r\n90;44,5;OD;42;44;90;42\r\n"
                      "90;42,5;OD;42;44;90;43\r\n")
        << 1 << 1 << QStringList{"3:k2_post: value '42,5' refused; expected at least k1_post (43)"};
    const QString pas_en_tete = "--sia: the first line of '%1' is not the header; expected";
    QTest::newRow("header of --batch")
        << QByteArray("eye,seq,unit,k1,k2,axis,sia,incision,cyl\n") << 2 << 0
        << QStringList{
               "--sia: unknown column 'seq' in '%1'; expected the columns eye, k1_pre, k2_pre, axis_pre, "
               "k1_post, k2_post, axis_post, in any order"};
    QTest::newRow("a column twice") << EN_TETE.trimmed() + ",k1_pre\n"
                                    << 2 << 0 << QStringList{"--sia: column 'k1_pre' given twice in '%1'"};
    QTest::newRow("a column missing") << QByteArray("eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post\n") << 2 << 0
                                      << QStringList{"--sia: column 'axis_post' missing from '%1'"};
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
    const QJsonObject o = QJsonDocument::fromJson(j.sortie.toUtf8()).object();
    QCOMPARE(o["count"].toInt(), n);
    // Without a valid eye no figure is given, as none is with one eye.
    if (n == 0) {
        QVERIFY2(j.erreurs.startsWith("--sia: no valid row in"), qPrintable(j.erreurs));
        QVERIFY2(o["mean"]["D"].isNull() && o["centroid"]["D"].isNull() && o["centroid"]["axis"].isNull() &&
                     o["centroid"]["sd_x"].isNull() && o["ellipses"]["data"].isNull(),
                 qPrintable(j.sortie));
    }
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

// Right eyes and left eyes, mirror images of each other: twice (-1.5, 0.5),
// (-0.5, -0.5), (-1, 0.75), (-1, -0.25), the left eyes' points mirrored to
// (-0.5, 0.5) and (-1, 0.25) when combined: centroid (-1, 0.5), 1.12 D at 77.
const QByteArray DEUX_YEUX = "OD,42,42.5,135,42,43.5,90\nOS,42,42.5,45,42,42.5,90\n"
                             "OD,42,42.75,135,42,43,90\nOS,42,42.25,45,42,43,90\n";

// The plot is a picture that reads back, with the eyes and the centroid
// where they belong: every induced astigmatism here, the left eyes'
// mirrored, lies between 45 and 90 degrees, which the double angle puts in
// the upper left quarter. Its texts are those of the text output.
void TstSia::graphique_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("ecrit");
    QTest::addColumn<QByteArray>("lignes");  // empty: DEUX_YEUX twice
    QTest::addColumn<QStringList>("textes"); // that an SVG drawing holds
    QTest::newRow("pdf") << "sia.pdf"
                         << "fr" << true << QByteArray() << QStringList{};
    QTest::newRow("png") << "sia.png"
                         << "en" << true << QByteArray() << QStringList{};
    QTest::newRow("svg, name in capitals")
        << "sia.SVG"
        << "en" << true << QByteArray()
        << QStringList{"Eyes: 8", "Left eyes (OS) mirrored", "Centroid (vector mean): 1.12 D x 77 °"};
    // The centroid's ellipse of 3 eyes, nine times their reach, is cut at
    // the outer ring: the legend says so.
    QTest::newRow("svg, an ellipse beyond the plot")
        << "coupe.svg"
        << "en" << true
        << QByteArray("OD,43,44,180,43,44.5,0\nOD,42,43,45,42.5,43.5,45\nOD,42,42,0,42,43,45\n")
        << QStringList{"Eyes: 3", "semi-axes 9.77 D and 3.93 D (reaches beyond the plot)"};
    // On the standard output (sent to a file), alone there.
    QTest::newRow("pdf to -") << "-"
                              << "en" << true << QByteArray() << QStringList{};
    QTest::newRow("folder missing") << "absent/sia.png"
                                    << "en" << false << QByteArray() << QStringList{};
}

void TstSia::graphique() {
    QFETCH(QString, nom);
    QFETCH(QString, langue);
    QFETCH(bool, ecrit);
    QFETCH(QByteArray, lignes);
    QFETCH(QStringList, textes);
    const bool sortie_standard = nom == "-";
    const QString chemin = dossier.filePath(sortie_standard ? "sortie.pdf" : nom);
    const QString cas = fichier(EN_TETE + (lignes.isEmpty() ? DEUX_YEUX + DEUX_YEUX : lignes));
    // The standard output sent to a file by >>: what the file held stays,
    // the plot comes after it.
    const QByteArray avant = "Plot of the day\n";
    QFile sortie(chemin);
    if (sortie_standard) {
        QVERIFY(sortie.open(QIODevice::WriteOnly) && sortie.write(avant) == avant.size());
        sortie.close();
        QVERIFY(sortie.open(QIODevice::WriteOnly | QIODevice::Append));
    }
    const Sortie s = lancer({"--sia", cas, "--plot", sortie_standard ? nom : chemin, "--lang", langue},
                            sortie_standard ? sortie.handle() : -1);
    sortie.close();
    if (sortie_standard) {
        QVERIFY(sortie.open(QIODevice::ReadOnly));
        const QByteArray tout = sortie.readAll();
        sortie.close();
        QVERIFY2(tout.startsWith(avant + "%PDF-"), tout.left(40).constData());
        QVERIFY(sortie.open(QIODevice::WriteOnly) && sortie.write(tout.mid(avant.size())) > 0);
        sortie.close();
    }
    if (!ecrit) {
        QCOMPARE(s.statut, 1);
        QVERIFY(s.sortie.isEmpty());
        QVERIFY2(s.erreurs.contains(QString("The file %1 could not be written").arg(chemin)),
                 qPrintable(s.erreurs));
        QVERIFY(!QFile::exists(chemin));
        return;
    }
    QCOMPARE(s.statut, 0);
    if (!textes.isEmpty()) {
        QFile svg(chemin);
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString dessin = QString::fromUtf8(svg.readAll());
        for (const QString& t : textes)
            QVERIFY2(dessin.contains(t), qPrintable(t));
    }
    if (!lignes.isEmpty())
        return;
    QVERIFY2(sortie_standard
                 ? s.sortie.isEmpty()
                 : s.sortie.contains(langue == "en" ? "Centroid (vector mean): 1.12 D x 77 °"
                                                    : "Centroïde (moyenne vectorielle) : 1.12 D x 77 °"),
             qPrintable(s.sortie));
    QImage image;
    if (chemin.endsWith(".pdf")) {
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

// Both eyes: the combined figures with the left eyes mirrored, then each
// eye alone with the same keys, as its own axes give them.
void TstSia::deux_yeux() {
    const Sortie s = lancer({"--sia", fichier(EN_TETE + DEUX_YEUX), "--json"});
    QCOMPARE(s.statut, 0);
    const QJsonObject o = QJsonDocument::fromJson(s.sortie.toUtf8()).object();
    QVERIFY(o["left_eyes_mirrored"].toBool());
    QVERIFY(proche(o["centroid"]["D"], std::hypot(1.0, 0.5)) && o["centroid"]["axis"].toInt() == 77);
    const QJsonObject od = o["by_eye"]["OD"].toObject(), os = o["by_eye"]["OS"].toObject();
    QCOMPARE(od.keys(), QStringList({"centroid", "count", "ellipses", "mean"}));
    QCOMPARE(os.keys(), od.keys());
    QCOMPARE(od["count"].toInt(), 2);
    // (-1.25, 0.625) and, not mirrored, (-0.75, -0.375).
    QVERIFY(proche(od["centroid"]["D"], std::hypot(1.25, 0.625)) && od["centroid"]["axis"].toInt() == 77);
    QVERIFY(proche(os["centroid"]["D"], std::hypot(0.75, 0.375)) && os["centroid"]["axis"].toInt() == 103);
    // The file's own option, and --sia without the options of a case.
    QCOMPARE(lancer({"--sia-file", fichier(EN_TETE + DEUX_YEUX), "--json"}).sortie, s.sortie);
    // One eye only: nothing mirrored, no figures by eye.
    const Sortie un =
        lancer({"--sia", fichier(EN_TETE + DEUX_YEUX.left(DEUX_YEUX.indexOf('\n') + 1)), "--json"});
    const QJsonObject u = QJsonDocument::fromJson(un.sortie.toUtf8()).object();
    QVERIFY(!u["left_eyes_mirrored"].toBool() && u["by_eye"].isNull());
}

// The plot's options: bad usage, status 2, nothing on the output.
void TstSia::usage_data() {
    QTest::addColumn<QStringList>("args"); // CAS: a file of past cases named cas.svg, LIEN: a link to it
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("sortie_standard"); // the standard output appends to CAS
    const QStringList cas{"--eye", "OD", "--seq", "21", "--k1", "42", "--k2", "44", "--axis", "90"};
    QTest::newRow("plot without --sia")
        << cas + QStringList{"--plot", "x.png", "--lang", "en"}
        << "--plot: only with --sia-file or --audit; expected torique --sia-file FILE.csv [--plot" << false;
    // With the options of a case, --sia is its induced astigmatism.
    QTest::newRow("plot with a case and its --sia")
        << cas + QStringList{"--sia", "0.5", "--plot", "x.png", "--lang", "en"}
        << "--plot: only with --sia-file or --audit" << false;
    QTest::newRow("plot of another kind")
        << QStringList{"--sia", "x.csv", "--plot", "x.jpg", "--lang", "en"}
        << "--plot: value 'x.jpg' refused; expected a file name ending in .pdf, .png or .svg" << false;
    QTest::newRow("sheet with --sia")
        << QStringList{"--sia", "x.csv", "--pdf", "x.pdf"}
        << QString::fromUtf8("--pdf : sans objet avec --sia ; attendu : torique --sia") << false;
    // No output replaces or feeds the file read.
    QTest::newRow("plot over the file read") << QStringList{"--sia", "CAS", "--plot", "CAS", "--lang", "en"}
                                             << "--plot: the file 'CAS' is the one --sia reads" << false;
    QTest::newRow("plot over a link to the file read")
        << QStringList{"--sia", "CAS", "--plot", "LIEN", "--lang", "en"}
        << "--plot: the file 'CAS' is the one --sia reads" << false;
    QTest::newRow("standard output appended to the file read")
        << QStringList{"--sia", "CAS", "--lang", "en"} << "--sia: the file 'CAS' is also the standard output"
        << true;
    QTest::newRow("audit's plot over the file read")
        << QStringList{"--audit", "CAS", "--plot", "CAS", "--lang", "en"}
        << "--plot: the file 'CAS' is the one --audit reads" << false;
    QTest::newRow("audit with a case")
        << cas + QStringList{"--audit", "x.csv", "--lang", "en"}
        << "--eye: not allowed with --audit; expected torique --audit FILE.csv" << false;
}

void TstSia::usage() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(bool, sortie_standard);
    const QByteArray contenu = EN_TETE + DEUX_YEUX;
    const QString cas = dossier.filePath("cas.svg"), lien = dossier.filePath("lien.svg");
    QFile f(cas);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(contenu) == contenu.size());
    f.close();
    QFile::link(cas, lien);
    args.replaceInStrings("CAS", cas).replaceInStrings("LIEN", lien);
    QFile ajout(cas);
    QVERIFY(ajout.open(QIODevice::WriteOnly | QIODevice::Append));
    const Sortie s = lancer(args, sortie_standard ? ajout.handle() : -1);
    QCOMPARE(s.statut, 2);
    QVERIFY(s.sortie.isEmpty());
    QVERIFY2(s.erreurs.contains(message.replace("CAS", cas)), qPrintable(s.erreurs));
    // Nothing written over it.
    QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == contenu);
}

// Files of operated eyes worked by hand: the refraction's astigmatism at
// the corneal plane of each row counted, and the rows refused.
void TstSia::audit_data() {
    QTest::addColumn<QByteArray>("lignes");
    QTest::addColumn<QStringList>("reels");   // each row counted: "cyl to 4 decimals x axis"
    QTest::addColumn<QStringList>("erreurs"); // "line:start of the message"
    QTest::addColumn<bool>("memes_predictions");
    // 0.25 / 0.994 - (-0.25 / 1.006): the same eye written both ways.
    QTest::newRow("minus and plus cylinder of the same eye")
        << OEIL + "0.25,-0.50,180,12\n" + OEIL + "-0.25,0.50,90,12\n"
        << QStringList{"0.5000 x 90", "0.5000 x 90"} << QStringList{} << true;
    // -3 / 1.042 and -5 / 1.070 at 14 mm.
    QTest::newRow("vertex 0 and 14 mm")
        << OEIL + "-3,-2,10,0\n" + OEIL + "-3,-2,10,14\n"
        << QStringList{"2.0000 x 100", "1.7938 x 100"} << QStringList{} << true;
    QTest::newRow("vertex left empty is 12 mm")
        << OEIL + "0,-1,180,\n" + OEIL + "0,-1,0,12\n"
        << QStringList{"0.9881 x 90", "0.9881 x 90"} << QStringList{} << true;
    QTest::newRow("lens axis 180 is 0") << QByteArray("OD,21.0,D,43.00,44.50,0,0.30,180,1.50,180,0,-1,90,12\n"
                                                      "OD,21.0,D,43.00,44.50,0,0.30,180,1.50,0,0,-1,90,12\n")
                                        << QStringList{"0.9881 x 0", "0.9881 x 0"} << QStringList{} << true;
    QTest::newRow("no cylinder needs no axis") << OEIL + "0.50,0,,\n"
                                               << QStringList{"0.0000 x 0"} << QStringList{} << true;
    QTest::newRow("rows refused")
        << OEIL + "0,-1,,12\n" + "OD,21.0,D,43.00,44.50,90,0.30,180,1.60,90,0,-1,90,12\n" +
               "OD,21.0,D,44.50,43.00,90,0.30,180,1.50,90,0,-1,90,12\n" + OEIL + "0,-1,90,25\n"
        << QStringList{}
        << QStringList{"2:ref_axis: value missing", "3:cyl: value '1.60' refused",
                       "4:Axis K1 and K2 : K1 is flat axis and K2 is steep axis.",
                       "5:vertex: value '25' refused; expected a number of millimetres from 0 to 20"}
        << true;
}

void TstSia::audit() {
    QFETCH(QByteArray, lignes);
    QFETCH(QStringList, reels);
    QFETCH(QStringList, erreurs);
    QFETCH(bool, memes_predictions);
    const Sortie s = lancer({"--audit", fichier(EN_TETE_AUDIT + lignes), "--json", "--lang", "en"});
    QCOMPARE(s.statut, erreurs.isEmpty() ? 0 : 1);
    const QJsonObject o = QJsonDocument::fromJson(s.sortie.toUtf8()).object();
    QCOMPARE(o["eyes"].toInt(), int(reels.size()));
    const QJsonArray rangs = o["rows"].toArray();
    QStringList lus;
    for (const QJsonValue r : rangs) {
        lus << QString("%1 x %2")
                   .arg(r["actual"]["cyl"].toDouble(), 0, 'f', 4)
                   .arg(r["actual"]["axis"].toInt());
        if (memes_predictions)
            QCOMPARE(r["predicted"], rangs[0]["predicted"]);
    }
    QCOMPARE(lus, reels);
    const QJsonArray refus = o["errors"].toArray();
    QCOMPARE(refus.size(), erreurs.size());
    for (int i = 0; i < erreurs.size(); ++i) {
        QCOMPARE(refus[i]["line"].toInt(), erreurs[i].section(':', 0, 0).toInt());
        QVERIFY2(refus[i]["message"].toString().startsWith(erreurs[i].section(':', 1)),
                 qPrintable(refus[i]["message"].toString()));
    }
}

// The keys of the audit's JSON object, an eye whose refraction is exactly
// its prediction on the anterior keratometry, and the plot of both bases.
void TstSia::audit_json_et_graphique() {
    // The prediction, from the engine: the refraction at a vertex of 0 that
    // shows it is a plus cylinder of its power on its axis.
    CalculTorique oeil;
    oeil.K1D = 43.0;
    oeil.K2D = 44.5;
    oeil.K2axe = 90;
    oeil.incD = 0.3;
    oeil.incaxe = 180;
    oeil.p_sph = 21.0;
    const AuditPrevisions::Astigmatisme p =
        AuditPrevisions::prediction(oeil, CorneePosterieure::AUCUNE, 1.5, 90);
    const QByteArray exacte =
        OEIL + "0," + QByteArray::number(p.D, 'g', 17) + ',' + QByteArray::number(p.axe) + ",0\n";
    const QString graphique = dossier.filePath("audit.svg");
    const Sortie s = lancer({"--audit", fichier(EN_TETE_AUDIT + exacte + OEIL + "0,-1.50,180,12\n"), "--json",
                             "--plot", graphique, "--lang", "en"});
    QCOMPARE(s.statut, 0);
    const QJsonObject o = QJsonDocument::fromJson(s.sortie.toUtf8()).object();
    QCOMPARE(o.keys(), QStringList({"actual", "errors", "eyes", "methods", "rows"}));
    QCOMPARE(o["methods"].toObject().keys(), QStringList({"abulafia-koch", "none"}));
    const QStringList resume{"centroid", "mean_abs", "median_abs", "sd_abs", "sd_x", "sd_y", "within"};
    QCOMPARE(o["methods"]["none"].toObject().keys(), resume);
    QCOMPARE(o["methods"]["none"]["within"].toObject().keys(), QStringList({"0.25", "0.50", "0.75", "1.00"}));
    QCOMPARE(o["actual"].toObject().keys(), QStringList({"centroid", "mean_abs", "within"}));
    const QJsonObject rang = o["rows"][0].toObject();
    QCOMPARE(rang.keys(), QStringList({"actual", "error", "eye", "line", "predicted"}));
    QCOMPARE(rang["predicted"]["none"]["cyl"].toDouble(), p.D);
    QCOMPARE(rang["error"]["none"]["cyl"].toDouble(), 0.0);
    QVERIFY(rang["error"]["abulafia-koch"]["cyl"].toDouble() > 0.1);
    // Half the eyes within 0.25 D on the anterior keratometry.
    QCOMPARE(o["methods"]["none"]["within"]["0.25"].toDouble(), 50.0);

    QFile svg(graphique);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString dessin = QString::fromUtf8(svg.readAll());
    for (const char* t : {"Anterior keratometry", "Estimated total cornea (Abulafia-Koch)", "Eyes: 2",
                          "Eyes within ±0.25 / 0.50 / 0.75 / 1.00 D: 50% / "})
        QVERIFY2(dessin.contains(QString::fromUtf8(t)), t);
    // On the standard output, the plot is alone there.
    QFile pdf(dossier.filePath("audit_sortie.pdf"));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    const Sortie seul =
        lancer({"--audit", fichier(EN_TETE_AUDIT + exacte), "--json", "--plot", "-"}, pdf.handle());
    pdf.close();
    QCOMPARE(seul.statut, 0);
    QVERIFY2(seul.sortie.isEmpty(), qPrintable(seul.sortie.left(200)));
    QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.readAll().startsWith("%PDF-"));
}

QTEST_MAIN(TstSia)
#include "tst_sia.moc"
