// The command-line tool: outputs, checks, bad usage and CSV files, in
// process and through the built program.

#include "CalculTorique.h"
#include "ListParam.h"
#include "OptionsCli.h"
#include "OutilEnProcessus.h"
#include "Processus.h"
#include "ToriqueCli.h"
#include "Version.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cmath>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Processus::Sortie;

// The tool run in this process on the arguments.
Sortie lancer(const QStringList& args, ToriqueCli* outil = nullptr) {
    ToriqueCli defaut;
    return OutilEnProcessus::executer(outil ? *outil : defaut, args);
}

QJsonObject objet(const QString& ligne) {
    QJsonParseError erreur;
    const QJsonDocument d = QJsonDocument::fromJson(ligne.toUtf8(), &erreur);
    if (erreur.error != QJsonParseError::NoError || !d.isObject())
        qWarning() << "not a JSON object:" << ligne << erreur.errorString();
    return d.object();
}

const QStringList EXEMPLE{"--eye", "OD", "--seq", "21", "--k1", "42", "--k2", "44", "--axis", "90"};

// The total cornea estimated from keratometry in dioptres (Abulafia and
// Koch's regression on the double angle), worked here on its own: C' and
// its axis, K1' and K2' to 0.01 about the mean keratometry.
struct Totale {
    double cyl, k1, k2;
    int axe;
};
Totale estimer(double k1, double k2, int axe) {
    const double pi = std::acos(-1.0);
    const double c = k2 - k1;
    const double x = 0.508 + 0.926 * c * std::cos(2 * axe * pi / 180);
    const double y = 0.009 + 0.932 * c * std::sin(2 * axe * pi / 180);
    double a = std::atan2(y, x) * 90 / pi;
    if (a < 0)
        a += 180;
    const double cyl = std::hypot(x, y), km = (k1 + k2) / 2;
    return {cyl, std::round((km - cyl / 2) * 100) / 100, std::round((km + cyl / 2) * 100) / 100,
            int(std::lround(a)) % 180};
}

QString ecrire(const QTemporaryDir& dir, const QString& nom, const QByteArray& contenu) {
    const QString chemin = dir.filePath(nom);
    QFile f(chemin);
    f.open(QIODevice::WriteOnly);
    f.write(contenu);
    return chemin;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void json_du_cas_type();
    void json_cas_data();
    void json_cas();
    void tour_complet_data();
    void tour_complet();
    void texte_data();
    void texte();
    void refus_data();
    void refus();
    void mauvais_usage_data();
    void mauvais_usage();
    void lot();
    void lot_mal_forme_data();
    void lot_mal_forme();
    void extension();
    void programme_data();
    void programme();
    void programme_dix_mille_lignes();
    void sortie_standard_data();
    void sortie_standard();
    void sortie_refusee_data();
    void sortie_refusee();
    void noms_en_octets_data();
    void noms_en_octets();
    void exemples_documentes_data();
    void exemples_documentes();
};

// The object of the documented case, key by key and in order.
void TestCli::json_du_cas_type() {
    const Sortie s = lancer(EXEMPLE + QStringList{"--json"});
    QCOMPARE(s.statut, 0);
    QVERIFY(s.erreurs.isEmpty());
    QVERIFY(s.sortie.endsWith('\n') && s.sortie.count('\n') == 1);
    QVERIFY2(
        s.sortie.startsWith(
            "{\"eye\":\"OD\",\"seq\":21.0,\"unit\":\"D\",\"k1\":{\"D\":42.0,\"mm\":8.035714285714286,"
            "\"axis\":0},"
            "\"k2\":{\"D\":44.0,\"mm\":7.670454545454546,\"axis\":90},\"sia\":{\"D\":0.0,\"incision\":180},"
            "\"preop\":{\"D\":2.0,\"axis\":90},\"crossed\":{\"D\":2.0,\"axis\":90},\"ideal\":2.8407978"),
        qPrintable(s.sortie));
    const QJsonObject o = objet(s.sortie);
    const QStringList cles{
        "eye",     "seq",   "unit",        "k1",     "k2",     "sia",     "preop",
        "crossed", "ideal", "recommended", "trials", "chosen", "warning", "low_astigmatism",
        "check"};
    QStringList trouvees = o.keys();
    QStringList attendues = cles;
    trouvees.sort();
    attendues.sort();
    QCOMPARE(trouvees, attendues);
    int position = -1;
    for (const QString& c : cles) {
        const int p = s.sortie.indexOf("\"" + c + "\":");
        QVERIFY2(p > position, qPrintable(c));
        position = p;
    }
    QCOMPARE(o["recommended"].toObject()["cyl"].toDouble(), 3.0);
    QCOMPARE(o["recommended"].toObject()["axis"].toInt(), 90);
    const QJsonArray essais = o["trials"].toArray();
    QCOMPARE(essais.size(), 8);
    QCOMPARE(essais[0].toObject()["cyl"].toDouble(), 0.75);
    QCOMPARE(essais[7].toObject()["cyl"].toDouble(), 6.0);
    QVERIFY(qAbs(essais[0].toObject()["residual"].toDouble() - 1.2955) < 1e-4);
    // The lens turned 5 and 10 degrees: the vector method on the double angle
    // at the lens plane (cornea 2.84 D, lens 3.00 D) gives 0.53 and 1.03 D
    // there, about 0.62 of it at the corneal plane.
    QCOMPARE(essais[3].toObject().keys(), QStringList({"axis", "cyl", "residual", "rotated10", "rotated5"}));
    QVERIFY(qAbs(essais[3].toObject()["rotated5"].toDouble() - 0.330) < 0.005);
    QVERIFY(qAbs(essais[3].toObject()["rotated10"].toDouble() - 0.636) < 0.005);
    QCOMPARE(o["chosen"].toObject()["model"].toString(), QString("VELAN T3.00"));
    QVERIFY(qAbs(o["chosen"].toObject()["residual"].toDouble() - 0.0986) < 1e-4);
    QCOMPARE(o["chosen"].toObject()["axis"].toInt(), 0);
    QVERIFY(o["warning"].isNull());
    QCOMPARE(o["low_astigmatism"].toBool(true), false);
    QCOMPARE(o["check"].toObject(), QJsonObject({{"code", 0}}));
}

// Reference cases through the tool, with the defaults of the options.
void TestCli::json_cas_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<double>("croise_D");
    QTest::addColumn<int>("croise_axe");
    QTest::addColumn<double>("conseille");
    QTest::addColumn<QString>("modele");
    QTest::addColumn<double>("residuel");
    QTest::addColumn<int>("residuel_axe");
    QTest::addColumn<QString>("alerte"); // empty: null
    QTest::addColumn<bool>("faible");
    QTest::addColumn<int>("incision");
    // The lens chosen on the estimated total cornea: K1 and K2 in dioptres
    // (a radius r is 337.5 / r) and the steep axis it is estimated from;
    // none when k2 is 0.
    QTest::addColumn<double>("k1_total");
    QTest::addColumn<double>("k2_total");
    QTest::addColumn<int>("axe_total");
    const QStringList pli{"--eye", "OD",     "--seq", "15",    "--k1", "40",         "--k2",
                          "46",    "--axis", "175",   "--sia", "0.9",  "--incision", "133"};
    QTest::newRow("across 180: 6.00 D") << pli << 5.97 << 179 << 6.0 << "VELAN T6.00" << 1.58 << 0 << "high"
                                        << false << 133 << 0.0 << 0.0 << 0;
    QTest::newRow("across 180, 3.75 D picked")
        << pli + QStringList{"--cyl", "3.75"} << 5.97 << 179 << 6.0 << "VELAN T3.75" << 3.03 << 0 << "high"
        << false << 133 << 0.0 << 0.0 << 0;
    QTest::newRow("3.75 D picked inverts")
        << EXEMPLE + QStringList{"--cyl", "3.75"} << 2.0 << 90 << 3.0 << "VELAN T3.75" << 0.56 << 0
        << "inversion" << false << 180 << 0.0 << 0.0 << 0;
    QTest::newRow("low astigmatism, left eye")
        << QStringList{"--eye", "OS", "--seq", "21.0", "--k1", "42", "--k2", "42.3", "--axis", "90"} << 0.30
        << 90 << 0.75 << "VELAN T0.75" << 0.20 << 0 << "inversion" << true << 0 << 0.0 << 0.0 << 0;
    QTest::newRow("millimetres") << QStringList{"--eye", "OD",   "--seq", "21",   "--unit", "mm",
                                                "--k1",  "7.85", "--k2",  "7.65", "--axis", "90"}
                                 << 1.12 << 90 << 1.5 << "VELAN T1.50" << 0.06 << 90 << "" << false << 180
                                 << 0.0 << 0.0 << 0;
    // A decimal comma, as the page's entries take it.
    QTest::newRow("decimal commas") << QStringList{"--eye",      "OD",    "--seq",  "21,0", "--k1",  "42,00",
                                                   "--k2",       "44,00", "--axis", "90",   "--sia", "0,5",
                                                   "--incision", "90",    "--cyl",  "2,25"}
                                    << 1.5 << 90 << 2.25 << "VELAN T2.25" << 0.08 << 0 << "" << false << 90
                                    << 0.0 << 0.0 << 0;
    const QStringList total{"--posterior", "abulafia-koch"};
    // 1.00 D with the rule: 0.42 D at 89, the smallest power.
    QTest::newRow("total cornea, with the rule")
        << QStringList{"--eye", "OD", "--seq", "21", "--k1", "43", "--k2", "44", "--axis", "90"} + total
        << 0.42 << 89 << 0.75 << "VELAN T0.75" << 0.09 << 179 << "" << false << 180 << 43.0 << 44.0 << 90;
    // 7.85 / 7.59 mm (42.99 / 44.47 D), 1.47 D against the rule: 1.87 D at
    // 0 (X' = 0.508 + 0.926 * 1.47), in millimetres, a left eye, 0.40 D
    // induced at 20.
    QTest::newRow("total cornea, against the rule, mm, left eye")
        << QStringList{"--eye", "OS",   "--seq",  "19.5", "--unit", "mm",  "--k1",       "7.85",
                       "--k2",  "7.59", "--axis", "180",  "--sia",  "0.4", "--incision", "20"} +
               total
        << 1.59 << 175 << 2.25 << "VELAN T2.25" << 0.02 << 13 << "" << false << 20 << 337.5 / 7.85
        << 337.5 / 7.59 << 0;
    // 6.00 D at 175: 6.06 D at 175 (X' = 5.980, Y' = -0.962).
    QTest::newRow("total cornea, oblique, 5.25 D picked")
        << pli + total + QStringList{"--cyl", "5.25"} << 6.03 << 179 << 6.0 << "VELAN T5.25" << 2.12 << 0
        << "high" << false << 133 << 40.0 << 46.0 << 175;
}

void TestCli::json_cas() {
    QFETCH(QStringList, args);
    const Sortie s = lancer(args + QStringList{"--json"});
    QCOMPARE(s.statut, 0);
    const QJsonObject o = objet(s.sortie);
    QFETCH(double, croise_D);
    QVERIFY(qAbs(o["crossed"].toObject()["D"].toDouble() - croise_D) < 0.005);
    QTEST(o["crossed"].toObject()["axis"].toInt(), "croise_axe");
    QTEST(o["recommended"].toObject()["cyl"].toDouble(), "conseille");
    QTEST(o["chosen"].toObject()["model"].toString(), "modele");
    QFETCH(double, residuel);
    QVERIFY(qAbs(o["chosen"].toObject()["residual"].toDouble() - residuel) < 0.005);
    QTEST(o["chosen"].toObject()["axis"].toInt(), "residuel_axe");
    QFETCH(QString, alerte);
    if (alerte.isEmpty())
        QVERIFY(o["warning"].isNull());
    else
        QCOMPARE(o["warning"].toString(), alerte);
    QTEST(o["low_astigmatism"].toBool(), "faible");
    QTEST(o["sia"].toObject()["incision"].toInt(), "incision");

    QFETCH(double, k1_total);
    QFETCH(double, k2_total);
    QFETCH(int, axe_total);
    if (k2_total == 0) {
        QVERIFY(!o.contains("posterior"));
        QVERIFY(!s.sortie.contains("posterior"));
        return;
    }
    // The estimate, then every trial of the chain run on it, against the
    // engine given the estimated cornea worked above.
    const Totale t = estimer(k1_total, k2_total, axe_total);
    const QJsonObject posterior = o["posterior"].toObject();
    QCOMPARE(posterior.keys(), QStringList({"axis", "cyl", "k1", "k2", "method"}));
    QVERIFY(s.sortie.indexOf("\"posterior\":{\"method\":\"abulafia-koch\",\"cyl\":") > 0);
    QVERIFY(s.sortie.indexOf("\"posterior\"") < s.sortie.indexOf("\"preop\""));
    QVERIFY(qAbs(posterior["cyl"].toDouble() - t.cyl) < 1e-12);
    QCOMPARE(posterior["axis"].toInt(), t.axe);
    QCOMPARE(posterior["k1"].toDouble(), t.k1);
    QCOMPARE(posterior["k2"].toDouble(), t.k2);
    // "preop" stays the keratometry's own astigmatism.
    QVERIFY(qAbs(o["preop"].toObject()["D"].toDouble() - (k2_total - k1_total)) < 1e-12);
    QCOMPARE(o["preop"].toObject()["axis"].toInt(), axe_total % 180);
    CalculTorique m;
    m.unit_ind = 1;
    m.K1D = t.k1;
    m.K2D = t.k2;
    m.K2axe = t.axe;
    m.K1axe = (t.axe + 90) % 180;
    m.incD = o["sia"].toObject()["D"].toDouble();
    m.incaxe = o["sia"].toObject()["incision"].toInt();
    m.p_sph = o["seq"].toDouble();
    m.calcul_tout();
    QCOMPARE(o["crossed"].toObject()["D"].toDouble(), m.astcross_D);
    QCOMPARE(o["recommended"].toObject()["cyl"].toDouble(), m.tcalc_D);
    QCOMPARE(o["recommended"].toObject()["axis"].toInt(), m.astcross_axe);
    const QJsonArray essais = o["trials"].toArray();
    QCOMPARE(essais.size(), m.nb_essais());
    for (int n = 0; n < m.nb_essais(); ++n) {
        const QJsonObject e = essais[n].toObject();
        QCOMPARE(e["cyl"].toDouble(), m.tab_cyl[n]);
        QCOMPARE(e["residual"].toDouble(), m.tab_astpost_plancornee[n]);
        QCOMPARE(e["axis"].toInt(), m.tab_astpost_axe[n]);
    }
}

// The text output: the page's labels and formats, in both languages.
// The full turn is the meridian 0, as in the page's entries: 180 for the
// steep axis and 360 for the incision give what 0 gives, in the text, the
// JSON object, a row of a batch file and the record that the sheet draws.
void TestCli::tour_complet_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("zero");
    const QStringList od{"--eye", "OD", "--seq", "21", "--k1", "42", "--k2", "44"};
    const QStringList os_mm{"--eye", "OS", "--seq", "21", "--unit", "mm", "--k1", "7.85", "--k2", "7.65"};
    QTest::newRow("axis 180") << od + QStringList{"--axis", "180"} << od + QStringList{"--axis", "0"};
    QTest::newRow("axis 180.0, mm, left eye")
        << os_mm + QStringList{"--axis", "180.0"} << os_mm + QStringList{"--axis", "0"};
    QTest::newRow("incision 360") << od + QStringList{"--axis", "90", "--sia", "0.5", "--incision", "360"}
                                  << od + QStringList{"--axis", "90", "--sia", "0.5", "--incision", "0"};
    // The keratometry as given is the default, and what an empty value gives.
    QTest::newRow("posterior none") << od + QStringList{"--axis", "90", "--posterior", "none"}
                                    << od + QStringList{"--axis", "90"};
    QTest::newRow("posterior empty") << od + QStringList{"--axis", "90", "--posterior", ""}
                                     << od + QStringList{"--axis", "90"};
}

void TestCli::tour_complet() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, zero);
    for (const char* langue : {"fr", "en"}) {
        const QStringList l{"--lang", langue};
        const Sortie texte = lancer(args + l);
        QCOMPARE(texte.statut, 0);
        QCOMPARE(texte.sortie, lancer(zero + l).sortie);
        QCOMPARE(lancer(args + l + QStringList{"--json"}).sortie,
                 lancer(zero + l + QStringList{"--json"}).sortie);
    }

    // The record handed to the sheet.
    ToriqueCli outil;
    QList<int> axes;
    outil.feuille = [&axes](const OptionsCli::Demande&, const ListParam& r, QTextStream&) {
        axes << r.K2axe_t << r.K1axe_t << r.incaxe_t;
        return 0;
    };
    lancer(args + QStringList{"--pdf", "x.pdf", "--patient", "P"}, &outil);
    lancer(zero + QStringList{"--pdf", "x.pdf", "--patient", "P"}, &outil);
    QCOMPARE(axes.size(), 6);
    QCOMPARE(axes.mid(0, 3), axes.mid(3, 3));

    // Two rows of a batch file, answered alike but for their line.
    auto rangee = [](const QStringList& a) {
        QMap<QString, QString> valeurs;
        for (int i = 0; i + 1 < a.size(); i += 2)
            valeurs[a[i].mid(2)] = a[i + 1];
        QStringList champs;
        for (const char* c : {"eye", "seq", "unit", "k1", "k2", "axis", "sia", "incision", "cyl"})
            champs << valeurs.value(c);
        return champs.join(',').toUtf8() + "\n";
    };
    QTemporaryDir dir;
    const QByteArray contenu = "eye,seq,unit,k1,k2,axis,sia,incision,cyl\n" + rangee(args) + rangee(zero);
    const Sortie lot = lancer({"--batch", ecrire(dir, "x.csv", contenu)});
    QCOMPARE(lot.statut, 0);
    const QStringList lignes = lot.sortie.split('\n');
    QCOMPARE(lignes.size(), 3);
    QVERIFY(lignes[0].startsWith("{\"line\":2,\"eye\":"));
    QVERIFY(lignes[1].startsWith("{\"line\":3,\"eye\":"));
    QCOMPARE(lignes[0].mid(9), lignes[1].mid(9));
}

void TestCli::texte_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("fr") << EXEMPLE
                        << QStringList{"OEIL DROIT (OD)",
                                       "Puissance sphérique de l'implant (SEQ) : 21.0 D",
                                       "Axe plat : K1 42.00 D @ 0 °",
                                       "Axe élevé : K2 44.00 D @ 90 °",
                                       "Astigmatisme pré-opératoire : 2.00 D x 90 °",
                                       "Astigmatisme induit chirurgicalement : - 0.00 D",
                                       "Position de l'incision : 180 °",
                                       "Cylindre croisé (au plan cornéen) : 2.00 D x 90 °",
                                       "Puissance cylindrique conseillée : 3.00 D (idéale : 2.84 D)",
                                       "Orientation des marques de l'implant : 90 °",
                                       "Implant torique Brevanta : VELAN T3.00",
                                       "Astigmatisme résiduel prévu : 0.10 D x 0 °",
                                       "Cylindre  Résiduel          si rotation ±5°   si rotation ±10°",
                                       "+ 0.75 D  1.30 D x 90 °     1.30 D            1.33 D",
                                       "+ 3.00 D  0.10 D x 0 °      0.33 D            0.64 D   ← conseillée",
                                       "+ 6.00 D  1.96 D x 0 °      2.01 D            2.15 D"};
    QTest::newRow("en, mm, ideal above 20")
        << QStringList{"--eye", "OS",   "--seq", "15",     "--unit", "mm",     "--k1",
                       "8.44",  "--k2", "6.14",  "--axis", "0",      "--lang", "en"}
        << QStringList{"LEFT EYE (OS)",
                       "Flat axis : K1 8.44 mm @ 90 °",
                       "Steep axis : K2 6.14 mm @ 0 °",
                       "Recommended cylindrical power : 6.00 D (ideal : > 20.0 D)",
                       "Brevanta toric IOL : VELAN T6.00",
                       "Be careful, residual astigmatism is high (sub-correction)"};
    QTest::newRow("en, over-correction")
        << EXEMPLE + QStringList{"--cyl", "3.75", "--lang", "en"}
        << QStringList{"Estimated residual astigmatism : 0.56 D x 0 °",
                       "Be careful of astigmatism inversion (over-correcting)",
                       "Cylinder  Residual          if rotated ±5°    if rotated ±10°",
                       "+ 3.00 D  0.10 D x 0 °      0.33 D            0.64 D   ← recommended",
                       "+ 3.75 D  0.56 D x 0 °      0.66 D            0.90 D"};
    // The basis of the choice: the measured astigmatism, then the estimate
    // with its method, and everything after it from the estimate.
    QTest::newRow("fr, total cornea")
        << QStringList{"--eye", "OD", "--seq",  "21", "--k1",        "43",
                       "--k2",  "44", "--axis", "90", "--posterior", "abulafia-koch"}
        << QStringList{"Axe plat : K1 43.00 D @ 0 °",
                       "Axe élevé : K2 44.00 D @ 90 °",
                       "Astigmatisme antérieur mesuré : 1.00 D x 90 °",
                       "Astigmatisme total estimé (Abulafia-Koch) : 0.42 D x 89 °",
                       "Cylindre croisé (au plan cornéen) : 0.42 D x 89 °",
                       "Puissance cylindrique conseillée : 0.75 D (idéale : 0.60 D)",
                       "Orientation des marques de l'implant : 89 °",
                       "Astigmatisme résiduel prévu : 0.09 D x 179 °"};
    QTest::newRow("en, total cornea")
        << EXEMPLE + QStringList{"--posterior", "Abulafia-Koch", "--lang", "en"}
        << QStringList{"Measured anterior astigmatism : 2.00 D x 90 °",
                       "Estimated total astigmatism (Abulafia-Koch) : 1.34 D x 90 °",
                       "Crossed cylinder (at corneal plane) : 1.34 D x 90 °"};
    QTest::newRow("low astigmatism asks")
        << QStringList{"--eye", "OD", "--seq", "21", "--k1", "42", "--k2", "42.3", "--axis", "90"}
        << QStringList{"Astigmatisme faible", "L'astigmatisme pré-opératoire à corriger est faible,",
                       "Voulez-vous tout de même choisir un implant torique pour "
                       "ce patient ?"};
}

void TestCli::texte() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, lignes);
    const Sortie s = lancer(args);
    QCOMPARE(s.statut, 0);
    QVERIFY(s.erreurs.isEmpty());
    const QStringList sortie = s.sortie.split('\n');
    for (const QString& l : lignes)
        QVERIFY2(sortie.contains(l), qPrintable(l + "\n---\n" + s.sortie));
}

// A check that refuses: its message on the error stream, status 1, and
// with --json the object without results.
void TestCli::refus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("ligne");
    auto cas = [](const QString& k1, const QString& k2, const QStringList& plus = {}) {
        return QStringList{"--eye", "OD", "--seq", "21", "--k1", k1, "--k2", k2, "--axis", "90"} + plus;
    };
    QTest::newRow("K1 29.99") << cas("29.99", "44") << 51 << "Axe plat K1"
                              << "Il faut : 30.0 D < K1 < 60.0 D";
    QTest::newRow("K1 0") << cas("0", "44") << 51 << "Axe plat K1"
                          << "Il faut : 30.0 D < K1 < 60.0 D";
    QTest::newRow("K2 60.01, en") << cas("42", "60.01", {"--lang", "en"}) << 52 << "Steep axis K2"
                                  << "Condition is : 30.0 D < K2 < 60.0 D";
    QTest::newRow("K1 11.01 mm") << cas("11.01", "7.5", {"--unit", "mm"}) << 61 << "Axe plat K1"
                                 << "Il faut : 5.00 mm < K1 < 11.00 mm";
    QTest::newRow("K2 4.99 mm") << cas("8", "4.99", {"--unit", "mm"}) << 62 << "Axe élevé K2"
                                << "Il faut : 5.00 mm < K2 < 11.00 mm";
    QTest::newRow("K2 below K1") << cas("44", "43") << 2 << "Axes K1 et K2"
                                 << "Il faut : K2 > K1";
    QTest::newRow("K2 equal to K1, steep axis 90")
        << cas("43", "43") << 4 << "Inversion astigmatisme"
        << "Vérifiez la valeur de l'astigmatisme induit chirurgicalement.";
    QTest::newRow("incision turns the axis, en")
        << cas("42", "42.5", {"--sia", "1", "--incision", "90", "--lang", "en"}) << 4
        << "Astigmatism inversion"
        << "Please check the surgically induced astigmatism value.";
}

void TestCli::refus() {
    QFETCH(QStringList, args);
    QFETCH(QString, titre);
    QFETCH(QString, ligne);
    const Sortie s = lancer(args);
    QCOMPARE(s.statut, 1);
    QVERIFY(s.sortie.isEmpty());
    const QStringList err = s.erreurs.split('\n');
    QCOMPARE(err.value(0), titre);
    QVERIFY2(err.contains(ligne), qPrintable(s.erreurs));
    // Plain text: no tags, no entities.
    QVERIFY(!s.erreurs.contains("<b>") && !s.erreurs.contains("<br>") && !s.erreurs.contains("&"));

    const Sortie j = lancer(args + QStringList{"--json"});
    QCOMPARE(j.statut, 1);
    QCOMPARE(j.erreurs, s.erreurs);
    const QJsonObject o = objet(j.sortie);
    QTEST(o["check"].toObject()["code"].toInt(), "code");
    QCOMPARE(o["check"].toObject()["title"].toString(), titre);
    QVERIFY(o["check"].toObject()["message"].toString().contains(ligne));
    for (const char* cle :
         {"preop", "crossed", "ideal", "recommended", "trials", "chosen", "warning", "low_astigmatism"})
        QVERIFY2(!o.contains(cle), cle);
    QVERIFY(o.contains("k1") && o.contains("eye"));
}

// Bad usage: one line naming the option and what it accepts, status 2,
// nothing on the output.
void TestCli::mauvais_usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("ligne");
    auto sans = [](const QString& option) {
        QStringList a = EXEMPLE;
        const int i = a.indexOf(option);
        a.removeAt(i);
        a.removeAt(i);
        return a;
    };
    auto avec = [](const QString& option, const QString& valeur) {
        QStringList a = EXEMPLE;
        const int i = a.indexOf(option);
        if (i >= 0)
            a[i + 1] = valeur;
        else
            a << option << valeur;
        return a << "--lang"
                 << "en";
    };
    QTest::newRow("eye OX") << avec("--eye", "OX") << "--eye: value 'OX' refused; expected OD or OS";
    QTest::newRow("seq 21.3")
        << avec("--seq", "21.3")
        << "--seq: value '21.3' refused; expected one of the list's values, 10.0 to 35.0 in "
           "steps of 0.5";
    QTest::newRow("seq 9.5") << avec("--seq", "9.5") << "--seq: value '9.5' refused";
    QTest::newRow("seq 35.5") << avec("--seq", "35.5") << "--seq: value '35.5' refused";
    QTest::newRow("k1 not a number") << avec("--k1", "abc")
                                     << "--k1: value 'abc' refused; expected a number from 0.00 to 99.99";
    QTest::newRow("k1 nan") << avec("--k1", "nan") << "--k1: value 'nan' refused";
    QTest::newRow("k2 100") << avec("--k2", "100")
                            << "--k2: value '100' refused; expected a number from 0.00 to 99.99";
    QTest::newRow("k2 99.996 rounds to 100") << avec("--k2", "99.996") << "--k2: value '99.996' refused";
    QTest::newRow("k1 negative") << avec("--k1", "-1") << "--k1: value '-1' refused";
    QTest::newRow("axis 181")
        << avec("--axis", "181")
        << "--axis: value '181' refused; expected a whole number from 0 to 180 (180 is 0)";
    QTest::newRow("axis 12.5") << avec("--axis", "12.5") << "--axis: value '12.5' refused";
    QTest::newRow("unit inch") << avec("--unit", "in") << "--unit: value 'in' refused; expected D or mm";
    QTest::newRow("sia 5.01") << avec("--sia", "5.01")
                              << "--sia: value '5.01' refused; expected a number from 0.00 to 5.00";
    QTest::newRow("incision 361")
        << avec("--incision", "361")
        << "--incision: value '361' refused; expected a whole number from 0 to 360 (360 is 0)";
    QTest::newRow("cyl 3.1")
        << avec("--cyl", "3.1")
        << "--cyl: value '3.1' refused; expected a power of the range: 0.75, 1.50, 2.25, "
           "3.00, 3.75, 4.50, 5.25 or 6.00";
    QTest::newRow("posterior unknown")
        << avec("--posterior", "koch") << "--posterior: value 'koch' refused; expected none or abulafia-koch";
    QTest::newRow("lang de") << EXEMPLE + QStringList{"--lang", "de"}
                             << QString::fromUtf8("--lang : valeur « de » refusée ; attendu : fr ou en");
    QTest::newRow("missing eye") << sans("--eye")
                                 << QString::fromUtf8("--eye : option obligatoire absente ; "
                                                      "attendu : OD ou OS");
    QTest::newRow("missing axis") << sans("--axis") + QStringList{"--lang", "en"}
                                  << "--axis: required option missing; expected a whole number from 0 to 180 "
                                     "(180 is 0)";
    QTest::newRow("value missing") << EXEMPLE + QStringList{"--lang", "en", "--sia"}
                                   << "--sia: value missing; expected a number from 0.00 to 5.00";
    QTest::newRow("unknown option") << EXEMPLE + QStringList{"--lang", "en", "--k3", "1"}
                                    << "--k3: unknown option; expected one of --eye";
    QTest::newRow("stray argument") << EXEMPLE + QStringList{"--lang", "en", "44"}
                                    << "44: unknown option; expected one of --eye";
    QTest::newRow("twice") << EXEMPLE + QStringList{"--lang", "en", "--k1", "43"}
                           << "--k1: given more than once; expected it once";
    QTest::newRow("json with a value") << EXEMPLE + QStringList{"--lang", "en", "--json=yes"}
                                       << "--json: value 'yes' refused; expected no value";
    QTest::newRow("case with --batch") << QStringList{"--batch", "x.csv", "--k1", "42", "--lang", "en"}
                                       << "--k1: not allowed with --batch; expected torique --batch FILE.csv "
                                          "[--lang fr|en]";
    // --sia: a case's induced astigmatism, or (alone) a file of past cases.
    QTest::newRow("sia, a number alone")
        << QStringList{"--sia", "0.5", "--lang", "en"}
        << "--sia: value '0.5' read as the induced astigmatism of a case, but no option of a case is given; "
           "expected the options of the case with it (--eye, --seq, --k1, --k2, --axis), or a file of past "
           "cases with --sia-file FILE.csv\n";
    QTest::newRow("sia, a file with a case")
        << QStringList{"--sia", "cases.csv", "--eye", "OD"}
        << QString::fromUtf8(
               "--sia : valeur « cases.csv » refusée : avec les options d'un cas, --sia est "
               "l'astigmatisme induit par son incision ; attendu : un nombre de 0.00 à 5.00, ou "
               "un fichier de cas passés avec --sia-file FICHIER.csv et aucune option de cas\n");
    QTest::newRow("sia-file with a case")
        << QStringList{"--sia-file", "cases.csv", "--eye", "OD", "--lang", "en"}
        << "--eye: not allowed with --sia-file; expected torique --sia-file "
           "FILE.csv [--plot FILE.pdf|png|svg] [--lang fr|en] [--json]\n";
    QTest::newRow("sia-file and sia") << QStringList{"--sia-file", "a.csv", "--sia", "b.csv", "--lang", "en"}
                                      << "--sia: not allowed with --sia-file; expected torique --sia-file";
    QTest::newRow("no arguments") << QStringList{} << QString::fromUtf8("usage : torique --eye OD|OS");
}

void TestCli::mauvais_usage() {
    QFETCH(QStringList, args);
    QFETCH(QString, ligne);
    const Sortie s = lancer(args);
    QCOMPARE(s.statut, 2);
    QVERIFY(s.sortie.isEmpty());
    QVERIFY2(s.erreurs.startsWith(ligne), qPrintable(s.erreurs));
    if (!args.isEmpty())
        QCOMPARE(s.erreurs.count('\n'), 1);
    // --option=value is the same as --option value.
    QStringList jointes;
    for (int i = 0; i < args.size(); ++i)
        if (args[i].startsWith("--") && i + 1 < args.size() && !args[i + 1].startsWith("--") &&
            args[i] != "--json") {
            jointes << args[i] + "=" + args[i + 1];
            ++i;
        } else
            jointes << args[i];
    if (jointes != args)
        QCOMPARE(lancer(jointes).statut, 2);
}

// A CSV file: one object per row, an error object for a bad row, the run
// goes on; status 1 unless every row computed.
void TestCli::lot() {
    QTemporaryDir dir;
    const QString chemin = ecrire(dir, "cas.csv",
                                  "\xEF\xBB\xBF"
                                  "eye,seq,unit,k1,k2,axis,sia,incision,cyl\r\n"
                                  "OD,21.0,D,42.00,44.00,90,,,\r\n"
                                  "OS,15,mm,8.44,6.14,0,0.5,30,3.00\r\n"
                                  "\r\n"
                                  "OD,21,D,abc,44,90,,,\r\n"
                                  "OD,21,D,29.99,44,90\r\n"
                                  "OD,15,D,40,46,175,0.9,133,\r\n"
                                  "OD,21,D,42,44,90,,,,,\r\n"
                                  "OS,21,,42,44,90\r\n"
                                  "OD,21,D,\"42,5\",44,90\r\n"
                                  "OD,21,D,42,44,90,,,,,,,,,,,1\r\n"
                                  "\"OD\", \"21\" ,D,42,44,90,,\"\",\"\"\r\n"
                                  "OD,21,D,42," +
                                      QByteArray(3 * 1024 * 1024, '4') + ",90,,,\r\nOS,21,D,42,44,90\r\n");
    const Sortie s = lancer({"--batch", chemin, "--lang", "en"});
    QCOMPARE(s.statut, 1);
    QVERIFY(s.erreurs.isEmpty());
    const QStringList lignes = s.sortie.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), 12);
    // Every object names its line in the file.
    const int numeros[] = {2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    for (int i = 0; i < lignes.size(); ++i)
        QCOMPARE(objet(lignes[i])["line"].toInt(), numeros[i]);
    QCOMPARE(objet(lignes[0])["chosen"].toObject()["model"].toString(), QString("VELAN T3.00"));
    QCOMPARE(objet(lignes[0])["sia"].toObject()["incision"].toInt(), 180);
    const QJsonObject mm = objet(lignes[1]);
    QCOMPARE(mm["unit"].toString(), QString("mm"));
    QCOMPARE(mm["k1"].toObject()["mm"].toDouble(), 8.44);
    QCOMPARE(mm["sia"].toObject(), QJsonObject({{"D", 0.5}, {"incision", 30}}));
    QCOMPARE(mm["chosen"].toObject()["cyl"].toDouble(), 3.0);
    QCOMPARE(objet(lignes[2]),
             QJsonObject(
                 {{"line", 5}, {"error", "k1: value 'abc' refused; expected a number from 0.00 to 99.99"}}));
    QCOMPARE(objet(lignes[3])["check"].toObject()["code"].toInt(), 51);
    QCOMPARE(objet(lignes[4])["recommended"].toObject()["cyl"].toDouble(), 6.0);
    // Trailing empty values count for nothing, on every line alike.
    QCOMPARE(objet(lignes[5])["check"].toObject()["code"].toInt(), 0);
    QCOMPARE(objet(lignes[6])["unit"].toString(), QString("D"));
    QCOMPARE(objet(lignes[6])["sia"].toObject()["incision"].toInt(), 0);
    // A comma inside quotes belongs to its value.
    QCOMPARE(objet(lignes[7])["error"].toString(),
             QString("k1: value '42,5' refused; expected a number from 0.00 to 99.99"));
    QVERIFY(objet(lignes[8])["error"].toString().startsWith("17 values"));
    QCOMPARE(objet(lignes[9])["check"].toObject()["code"].toInt(), 0);
    // A row far longer than any case is an error (the reader's bound:
    // tst_engine; the memory: bench_memoire); the rows after it computed.
    QCOMPARE(objet(lignes[10])["error"].toString(),
             QString("row longer than 65536 bytes; expected a row of at most 65536 bytes"));
    QCOMPARE(objet(lignes[11])["eye"].toString(), QString("OS"));

    // The same rows as options give the same objects.
    const Sortie un = lancer({"--eye", "OD", "--seq", "15", "--k1", "40", "--k2", "46", "--axis", "175",
                              "--sia", "0.9", "--incision", "133", "--json"});
    QCOMPARE(un.sortie.trimmed(), QString(lignes[4]).remove("\"line\":7,"));

    // The same cases as a French spreadsheet saves them (semicolons, decimal
    // commas), the columns in another order, or only the required ones.
    auto sans_ligne = [](const QString& o) { return o.section(',', 1); };
    const Sortie fr = lancer({"--batch", ecrire(dir, "fr.csv",
                                                "k2;axis;cyl;eye;seq;k1;unit;sia;incision\r\n"
                                                "44,00;90;;OD;21,0;42,00;D;;\r\n"
                                                "6,14;0;3,00;OS;15;8,44;mm;0,5;30\r\n"
                                                "46;175;;OD;15;40;D;0,9;133\r\n")});
    QCOMPARE(fr.statut, 0);
    const QStringList reponses = fr.sortie.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(reponses.size(), 3);
    QCOMPARE(sans_ligne(reponses[0]), sans_ligne(lignes[0]));
    QCOMPARE(sans_ligne(reponses[1]), sans_ligne(lignes[1]));
    QCOMPARE(sans_ligne(reponses[2]), sans_ligne(lignes[4]));
    const Sortie requises =
        lancer({"--batch", ecrire(dir, "requises.csv", "eye,seq,k1,k2,axis\nOD,21.0,42.00,44.00,90\n")});
    QCOMPARE(sans_ligne(requises.sortie.trimmed()), sans_ligne(lignes[0]));

    // The cornea the lens is chosen on, row by row: an empty value is the
    // keratometry as given.
    const Sortie totale = lancer({"--batch",
                                  ecrire(dir, "totale.csv",
                                         "eye,seq,k1,k2,axis,posterior\n"
                                         "OD,21,42,44,90,abulafia-koch\n"
                                         "OD,21,42,44,90,\n"
                                         "OD,21,42,44,90,none\n"
                                         "OD,21,42,44,90,Abulafia-Koch\n"
                                         "OD,21,42,44,90,koch\n"),
                                  "--lang", "en"});
    QCOMPARE(totale.statut, 1);
    const QStringList t = totale.sortie.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(t.size(), 5);
    const QString seul =
        lancer(EXEMPLE + QStringList{"--posterior", "abulafia-koch", "--json"}).sortie.trimmed();
    QVERIFY(seul.contains("\"posterior\":{\"method\":\"abulafia-koch\""));
    QCOMPARE(QString(t[0]).remove("\"line\":2,"), seul);
    QCOMPARE(sans_ligne(t[1]), sans_ligne(lignes[0]));
    QCOMPARE(sans_ligne(t[2]), sans_ligne(lignes[0]));
    QCOMPARE(QString(t[3]).remove("\"line\":5,"), seul);
    QCOMPARE(objet(t[4])["error"].toString(),
             QString("posterior: value 'koch' refused; expected none or abulafia-koch"));

    const QString bon =
        ecrire(dir, "bon.csv", "eye,seq,unit,k1,k2,axis,sia,incision,cyl\nOD,21,D,42,44,90,,,\n");
    const Sortie b = lancer({"--batch", bon});
    QCOMPARE(b.statut, 0);
    QCOMPARE(b.sortie.count('\n'), 1);
}

void TestCli::lot_mal_forme_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<bool>("sortie_standard"); // the standard output appends to the file read
    QTest::newRow("empty") << QByteArray() << "--batch: the first line of" << false;
    QTest::newRow("a row for a header")
        << QByteArray("OD,21,D,42,44,90\n") << "--batch: the first line of" << false;
    QTest::newRow("a column unknown") << QByteArray("eye,seq,k1,k2,axis,comment\nOD,21,42,44,90,x\n")
                                      << "--batch: unknown column 'comment' in '%1'; expected the columns "
                                         "eye, seq, unit, k1, k2, axis, sia, "
                                         "incision, cyl, posterior, in any order"
                                      << false;
    QTest::newRow("a column twice") << QByteArray("eye;seq;k1;k2;axis;K1\n")
                                    << "--batch: column 'K1' given twice in '%1'" << false;
    QTest::newRow("a required column missing")
        << QByteArray("eye,seq,k1,k2,sia\n") << "--batch: column 'axis' missing from '%1'" << false;
    // Its answers appended to it would be read in turn, without end.
    QTest::newRow("standard output appended to the file")
        << QByteArray(Processus::EN_TETE_LOT) + Processus::ligne_lot(1)
        << "--batch: the file '%1' is also the standard output; expected an output to another file" << true;
}

void TestCli::lot_mal_forme() {
    QFETCH(QByteArray, contenu);
    QFETCH(QString, ligne);
    QFETCH(bool, sortie_standard);
    QTemporaryDir dir;
    const QString chemin = ecrire(dir, "x.csv", contenu);
    QFile ajout(chemin);
    QVERIFY(ajout.open(QIODevice::WriteOnly | QIODevice::Append));
    ToriqueCli outil;
    outil.descripteur_sortie = sortie_standard ? ajout.handle() : -1;
    const Sortie s = lancer({"--batch", chemin, "--lang", "en"}, &outil);
    QCOMPARE(s.statut, 2);
    QVERIFY(s.sortie.isEmpty());
    QVERIFY2(s.erreurs.startsWith(ligne.replace("%1", chemin)), qPrintable(s.erreurs));
    QCOMPARE(QFileInfo(chemin).size(), contenu.size());
    const Sortie absent = lancer({"--batch", dir.filePath("absent.csv"), "--lang", "en"});
    QCOMPARE(absent.statut, 2);
    QVERIFY(absent.erreurs.startsWith("--batch: cannot read file"));
}

// The sheet is drawn by the program, from the record of the computed case,
// before anything is printed.
void TestCli::extension() {
    ToriqueCli outil;
    double tcalc = 0, choix = 0;
    int etape = 0;
    int statut_feuille = 0;
    QString fichier, oeil, oeil_record, puissance;
    int index_puissance = 0;
    outil.feuille = [&](const OptionsCli::Demande& d, const ListParam& r, QTextStream&) {
        fichier = d.pdf.nom;
        tcalc = r.tcalc_D_t;
        choix = r.choix_torique_t;
        etape = r.etape_t;
        oeil = d.cas.oeil;
        oeil_record = *r.oeil_t;
        puissance = r.puiss_sph_t;
        index_puissance = r.sph_ind_t;
        return statut_feuille;
    };
    Sortie s = lancer(EXEMPLE + QStringList{"--pdf", "a.pdf", "--patient", "P", "--cyl", "2.25"}, &outil);
    QCOMPARE(s.statut, 0);
    QCOMPARE(fichier, QString("a.pdf"));
    QCOMPARE(tcalc, 3.0);
    QCOMPARE(choix, 2.25);
    QCOMPARE(etape, 10);
    QCOMPARE(oeil, QString("OD"));
    QCOMPARE(oeil_record, QString("droit"));
    QCOMPARE(puissance, QString("21.0"));
    QCOMPARE(index_puissance, 23);
    // The sheet of a lens chosen on the estimated total cornea: its record
    // names the basis and carries the estimate; the keratometry as given.
    CorneePosterieure::Methode methode = CorneePosterieure::AUCUNE;
    CorneePosterieure::Estimation totale;
    double k2 = 0;
    outil.feuille = [&](const OptionsCli::Demande&, const ListParam& r, QTextStream&) {
        methode = r.posterieure_t;
        totale = r.totale_t;
        k2 = r.K2D_t;
        tcalc = r.tcalc_D_t;
        return 0;
    };
    s = lancer(EXEMPLE + QStringList{"--pdf", "a.pdf", "--patient", "P", "--posterior", "abulafia-koch"},
               &outil);
    QCOMPARE(s.statut, 0);
    QCOMPARE(methode, CorneePosterieure::ABULAFIA_KOCH);
    QCOMPARE(CalculTorique::texte_D(totale.cyl), QString("1.34"));
    QCOMPARE(totale.axe, 90);
    QCOMPARE(k2, 44.0);
    QCOMPARE(tcalc, 1.5);
    outil.feuille = [&](const OptionsCli::Demande&, const ListParam& r, QTextStream&) {
        etape = r.etape_t;
        return statut_feuille;
    };
    statut_feuille = 3;
    s = lancer(EXEMPLE + QStringList{"--pdf", "b.pdf", "--patient", "P"}, &outil);
    QCOMPARE(s.statut, 3);
    QVERIFY(s.sortie.isEmpty());
    // Not run when a check refuses.
    etape = 0;
    s = lancer({"--eye", "OD", "--seq", "21", "--k1", "44", "--k2", "43", "--axis", "90", "--pdf", "c.pdf",
                "--patient", "P"},
               &outil);
    QCOMPARE(s.statut, 1);
    QCOMPARE(etape, 0);
}

// The built program: statuses, streams and a large file.
void TestCli::programme_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("statut");
    QTest::addColumn<QString>("debut_sortie");
    QTest::addColumn<QString>("debut_erreurs");
    QTest::newRow("text") << EXEMPLE << 0 << "OEIL DROIT (OD)\n"
                          << "";
    QTest::newRow("json") << EXEMPLE + QStringList{"--json"} << 0 << "{\"eye\":\"OD\""
                          << "";
    QTest::newRow("refused") << QStringList{"--eye", "OD", "--seq",  "21", "--k1",   "44",
                                            "--k2",  "43", "--axis", "90", "--lang", "en"}
                             << 1 << ""
                             << "Axis K1 and K2\nK1 is flat axis and K2 is steep axis.\n";
    QTest::newRow("bad usage") << QStringList{"--eye", "OD", "--seq", "21", "--k1", "x"} << 2 << ""
                               << QString::fromUtf8("--k1 : valeur « x » refusée");
    QTest::newRow("help") << QStringList{"--help", "--lang", "en"} << 0 << "usage: torique"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "torique " VERSION_TORIQUE "\n"
                             << "";
    // --sia alone: a file of past cases (its other usage: tst_sia).
    QTest::newRow("sia file missing") << QStringList{"--sia", "/absent/x.csv", "--lang", "en"} << 2 << ""
                                      << "--sia: cannot read file '/absent/x.csv' (";
    QTest::newRow("sia file a folder") << QStringList{"--sia", "/tmp", "--lang", "en"} << 2 << ""
                                       << "--sia: cannot read file '/tmp' (Is a directory); expected";
    // A sheet written: nothing on the error output but the tool's own words.
    QTest::newRow("sheet, no toolkit warning")
        << EXEMPLE + QStringList{"--pdf", "/dev/null", "--patient", "P1"} << 0 << "OEIL DROIT (OD)\n"
        << "";
    QTest::newRow("identification without a sheet")
        << EXEMPLE + QStringList{"--patient", "P1", "--lang", "en"} << 2 << ""
        << "--patient: not allowed without --pdf; expected --pdf a PDF file name, or - for the standard "
           "output\n";
    // An order form names its patient.
    QTest::newRow("sheet without its patient")
        << EXEMPLE + QStringList{"--pdf", "/dev/null", "--lang", "en"} << 2 << ""
        << "--patient: required with --pdf; expected an identifier of 1 to 19 characters\n";
    // Bad usage comes before the checks of the case.
    QTest::newRow("sheet without its patient, case refused")
        << QStringList{"--eye", "OD",     "--seq", "21",    "--k1",      "44",     "--k2",
                       "43",    "--axis", "90",    "--pdf", "/dev/null", "--lang", "en"}
        << 2 << ""
        << "--patient: required with --pdf;";
    QTest::newRow("sheet for a blank patient")
        << EXEMPLE + QStringList{"--pdf", "/dev/null", "--patient", " \t"} << 2 << ""
        << QString::fromUtf8("--patient : valeur «");
    // A sheet on the standard output is alone there: the bytes are a whole PDF file.
    QTest::newRow("sheet to -") << EXEMPLE + QStringList{"--pdf", "-", "--patient", "P1"} << 0 << "%PDF-"
                                << "";
    QTest::newRow("sheet to /dev/stdout")
        << EXEMPLE + QStringList{"--pdf", "/dev/stdout", "--patient", "P1"} << 0 << "%PDF-"
        << "";
    // Control and format characters quoted back are replaced.
    QTest::newRow("value quoted back")
        << QStringList{"--eye", QString::fromUtf8("O\u202eD\x1b[2J\xc2\x9b\u2028"), "--lang", "en"} << 2 << ""
        << "--eye: value 'O?D?[2J?"
           "?' refused";
}

void TestCli::programme() {
    QFETCH(QStringList, args);
    QProcess p;
    p.start(Processus::torique(), args);
    QVERIFY2(p.waitForFinished(30000), qPrintable(p.errorString()));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QTEST(p.exitCode(), "statut");
    const QByteArray octets = p.readAllStandardOutput();
    const QString out = QString::fromUtf8(octets);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (octets.startsWith("%PDF-")) {
        QVERIFY2(octets.endsWith("%%EOF\n"), octets.right(200).constData());
        QTemporaryDir dir;
        const QString pdf = ecrire(dir, "sortie.pdf", octets);
        if (!QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QVERIFY(Processus::lancer("pdfinfo", {pdf}).sortie.contains(QRegularExpression("Pages: +1\n")));
    }
    QFETCH(QString, debut_sortie);
    QFETCH(QString, debut_erreurs);
    auto commence = [](const QString& texte, const QString& debut) {
        return debut.isEmpty() ? texte.isEmpty() : texte.startsWith(debut);
    };
    QVERIFY2(commence(out, debut_sortie), qPrintable("[" + out + "]"));
    QVERIFY2(commence(err, debut_erreurs), qPrintable("[" + err + "]"));
}

void TestCli::programme_dix_mille_lignes() {
    QTemporaryDir dir;
    QByteArray contenu = Processus::EN_TETE_LOT;
    for (int n = 0; n < 10000; ++n)
        contenu += Processus::ligne_lot(n);
    QProcess p;
    p.start(Processus::torique(), {"--batch", ecrire(dir, "lot.csv", contenu)});
    QVERIFY(p.waitForFinished(120000));
    const QList<QByteArray> lignes = p.readAllStandardOutput().split('\n');
    QCOMPARE(lignes.size(), 10001); // the last one empty
    for (int n = 0; n < 10000; ++n)
        QVERIFY(lignes[n].startsWith(QStringLiteral("{\"line\":%1,\"eye\":").arg(n + 2).toUtf8()));
    QCOMPARE(p.exitCode(), 0);
}

// A sheet or a plot written to the standard output is all it carries; a
// terminal is not given one.
void TestCli::sortie_standard_data() {
    QTest::addColumn<QStringList>("args"); // SORTIE: the file the standard output is sent to
    QTest::addColumn<bool>("terminal");    // the standard output is a terminal, else that file
    QTest::addColumn<int>("statut");
    QTest::addColumn<QString>("erreurs");
    const QStringList feuille = EXEMPLE + QStringList{"--patient", "P"};
    QTest::newRow("sheet to -") << feuille + QStringList{"--pdf", "-"} << false << 0 << "";
    QTest::newRow("sheet to the file the output is sent to")
        << feuille + QStringList{"--pdf", "SORTIE", "--json"} << false << 0 << "";
    QTest::newRow("refused case, sheet to -")
        << QStringList{"--eye", "OD",    "--seq", "21",     "--k1",   "44", "--k2",      "43", "--axis",
                       "90",    "--pdf", "-",     "--json", "--lang", "en", "--patient", "P"}
        << false << 1 << "Axis K1 and K2\n";
    QTest::newRow("sheet to a terminal") << feuille + QStringList{"--pdf", "-", "--lang", "en"} << true << 2
                                         << "--pdf: the standard output is a terminal; expected a file name";
    QTest::newRow("plot to a terminal") << QStringList{"--sia-file", "x.csv", "--plot", "-"} << true << 2
                                        << QString::fromUtf8("--plot : la sortie standard est un terminal");
}

void TestCli::sortie_standard() {
    QFETCH(QStringList, args);
    QFETCH(bool, terminal);
    QTemporaryDir dir;
    const QString fichier = ecrire(dir, "sortie", "");
    int fd = -1, maitre = -1;
    if (terminal) {
        maitre = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(maitre >= 0 && grantpt(maitre) == 0 && unlockpt(maitre) == 0);
        fd = open(ptsname(maitre), O_RDWR | O_NOCTTY);
    } else {
        fd = open(QFile::encodeName(fichier).constData(), O_WRONLY);
    }
    QVERIFY(fd >= 0);
    ToriqueCli outil;
    outil.descripteur_sortie = fd;
    bool seule = false;
    outil.feuille = [&seule](const OptionsCli::Demande& d, ListParam&, QTextStream&) {
        return seule = d.pdf.sortie_standard, 0;
    };
    const Sortie s = lancer(args.replaceInStrings("SORTIE", fichier), &outil);
    close(fd);
    if (maitre >= 0)
        close(maitre);
    QTEST(s.statut, "statut");
    QVERIFY2(s.sortie.isEmpty(), qPrintable(s.sortie));
    QFETCH(QString, erreurs);
    QVERIFY2(erreurs.isEmpty() ? s.erreurs.isEmpty() : s.erreurs.startsWith(erreurs), qPrintable(s.erreurs));
    QCOMPARE(seule, s.statut == 0);
}

void TestCli::sortie_refusee_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("sortie"); // "plein": /dev/full, "fermee": closed, else a size limit
    QTest::addColumn<QString>("raison");
    QTest::newRow("text, full device") << EXEMPLE << "plein"
                                       << "No space left on device";
    QTest::newRow("json, full device") << EXEMPLE + QStringList{"--json"} << "plein"
                                       << "No space left on device";
    QTest::newRow("help, full device") << QStringList{"--help"} << "plein"
                                       << "No space left on device";
    QTest::newRow("text, closed") << EXEMPLE << "fermee"
                                  << "Bad file descriptor";
    QTest::newRow("batch, full device") << QStringList{"--batch", "LOT"} << "plein"
                                        << "No space left on device";
    QTest::newRow("batch, closed") << QStringList{"--batch", "LOT"} << "fermee"
                                   << "Bad file descriptor";
    QTest::newRow("batch, file size limit") << QStringList{"--batch", "LOT"} << "limite"
                                            << "File too large";
}

// Standard output that refuses what is written: status 1 and the reason on
// the error output, once; a batch stops at the first refused write.
void TestCli::sortie_refusee() {
    QFETCH(QStringList, args);
    QFETCH(QString, sortie);
    QFETCH(QString, raison);
    QTemporaryDir dir;
    QByteArray contenu = "eye,seq,unit,k1,k2,axis,sia,incision,cyl\n";
    for (int n = 0; n < 2000; ++n)
        contenu += "OD,21,D,42,44,90,,,\n";
    args.replaceInStrings("LOT", ecrire(dir, "lot.csv", contenu));
    const QString fichier = dir.filePath("sortie.txt");
    QProcess p;
    if (sortie == "plein")
        p.setStandardOutputFile("/dev/full");
    else if (sortie == "limite")
        p.setStandardOutputFile(fichier);
    p.setChildProcessModifier([sortie] {
        if (sortie == "fermee")
            close(1);
        if (sortie == "limite") {
            const struct rlimit limite = {64 * 1024, 64 * 1024};
            setrlimit(RLIMIT_FSIZE, &limite);
        }
    });
    p.start(Processus::torique(), args + QStringList{"--lang", "en"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QCOMPARE(err, QString("The standard output could not be written. Reason: %1.\n").arg(raison));
    if (sortie == "limite") {
        // Stopped at the limit: what was written is the start of the answer.
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray ecrit = f.readAll();
        QVERIFY(ecrit.size() <= 64 * 1024);
        QVERIFY(ecrit.startsWith("{\"line\":2,"));
    }
}

// File names as the system gives them, whatever their encoding: a file is
// read by its bytes; a name that cannot be written as given is refused
// (status 2), and nothing is written under another name.
void TestCli::noms_en_octets_data() {
    QTest::addColumn<QList<QByteArray>>("args"); // DOSSIER: a folder of the test
    QTest::addColumn<int>("statut");
    QTest::addColumn<QString>("erreur");
    const QByteArray latin1 = "DOSSIER/caf\xe9";
    QTest::newRow("batch file, Latin-1 name")
        << QList<QByteArray>{"--batch", latin1 + ".csv"} << 0 << QString();
    QTest::newRow("sheet, Latin-1 name")
        << QList<QByteArray>{"--eye", "OD",     "--seq", "21",    "--k1",          "42",     "--k2",
                             "44",    "--axis", "90",    "--pdf", latin1 + ".pdf", "--lang", "en"}
        << 2
        << "--pdf: file name 'DOSSIER/caf\uFFFD.pdf' is not UTF-8, and cannot be written under that name";
    QTest::newRow("plot, Latin-1 name")
        << QList<QByteArray>{"--sia", latin1 + ".csv", "--plot", latin1 + ".png"} << 2
        << QString::fromUtf8("--plot : nom de fichier");
}

void TestCli::noms_en_octets() {
    QFETCH(QList<QByteArray>, args);
    QFETCH(int, statut);
    QFETCH(QString, erreur);
    QTemporaryDir dir;
    const QByteArray dossier = QFile::encodeName(dir.path());
    for (QByteArray& a : args)
        a.replace("DOSSIER", dossier);
    const QByteArray lot = Processus::EN_TETE_LOT + Processus::ligne_lot(3);
    const int fd = open((dossier + "/caf\xe9.csv").constData(), O_WRONLY | O_CREAT, 0600);
    QVERIFY(fd >= 0 && write(fd, lot.constData(), lot.size()) == lot.size());
    close(fd);
    ToriqueCli outil;
    bool dessinee = false;
    outil.feuille = [&dessinee](const OptionsCli::Demande&, ListParam&, QTextStream&) {
        return dessinee = true, 0;
    };
    const Sortie s = OutilEnProcessus::executer(outil, args);
    QCOMPARE(s.statut, statut);
    QVERIFY2(s.erreurs.startsWith(erreur.replace("DOSSIER", dir.path())), qPrintable(s.erreurs));
    if (statut == 0)
        QVERIFY(objet(s.sortie)["check"].isObject());
    else
        QVERIFY(s.sortie.isEmpty() && !dessinee);
    // The folder as the system lists it (the toolkit skips a name it cannot
    // decode): the file read, nothing written.
    QStringList noms;
    DIR* d = opendir(dossier.constData());
    while (const dirent* n = d ? readdir(d) : nullptr)
        if (n->d_name[0] != '.')
            noms << QString::fromLatin1(n->d_name);
    if (d)
        closedir(d);
    unlink((dossier + "/caf\xe9.csv").constData());
    QCOMPARE(noms, QStringList{QString::fromLatin1("caf\xe9.csv")});
}

// The examples of the README's quick start and of the manual, run as
// written by the shell, on this build's tool, each block in a folder of
// its own: what a reader copies works.
void TestCli::exemples_documentes_data() {
    QTest::addColumn<QString>("commandes");
    const QString source = qEnvironmentVariable("TORIQUE_SOURCE_DIR");
    if (source.isEmpty()) {
        QTest::newRow("no source folder") << QString();
        return;
    }
    auto lire = [&source](const char* nom) {
        QFile f(source + "/" + nom);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    auto ajouter = [](const char* origine, const QStringList& blocs) {
        for (int i = 0; i < blocs.size(); ++i)
            QTest::addRow("%s %d: %s", origine, i + 1, qPrintable(blocs[i].section('\n', 0, 0))) << blocs[i];
        return blocs.size();
    };
    // README: the blocks indented by four blanks in the quick start.
    const QString readme = lire("README.md");
    const int debut = readme.indexOf("## `torique` quick start");
    QStringList lignes = readme.mid(debut, readme.indexOf("\n## ", debut + 1) - debut).split('\n');
    lignes << QString();
    QStringList blocs, bloc;
    for (const QString& l : lignes) {
        if (l.startsWith("    ")) {
            bloc << l.mid(4);
        } else if (!bloc.isEmpty()) {
            blocs << bloc.join('\n');
            bloc.clear();
        }
    }
    QVERIFY(debut >= 0 && ajouter("README", blocs) >= 5);
    // Manual: the lines between .nf and .fi of EXAMPLES, its escapes read.
    const QString man = lire("packaging/torique.1");
    const QString exemples = man.section(".SH EXAMPLES", 1).section(".SH ", 0, 0);
    QStringList manuel;
    for (const QString& b : exemples.split(".nf\n").mid(1))
        manuel << b.section(".fi\n", 0, 0).replace("\\-", "-").replace("\\e", "\\");
    QVERIFY(ajouter("manual", manuel) >= 6);
}

void TestCli::exemples_documentes() {
    QFETCH(QString, commandes);
    if (commandes.isEmpty())
        QSKIP("TORIQUE_SOURCE_DIR not set");
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", QFileInfo(Processus::torique()).absolutePath() + ":" + env.value("PATH"));
    p.setProcessEnvironment(env);
    p.start("bash", {"-e", "-o", "pipefail", "-c", commandes});
    QVERIFY(p.waitForFinished(60000));
    const QString erreurs = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
             qPrintable(commandes + "\n" + erreurs));
    QVERIFY2(erreurs.isEmpty(), qPrintable(erreurs));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
