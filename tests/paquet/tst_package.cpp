// The Debian package, as a clinic installs it: built with cpack from this
// build folder, unpacked into a temporary root with dpkg-deb, then its
// command-line tool run on a case and its window started through the
// launcher.

#include "Processus.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Processus::lancer;
using Resultat = Processus::Sortie;

const QList<int> tailles_icone{16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

class TstPackage : public QObject {
    Q_OBJECT
    QString bin, src, deb;
    QTemporaryDir racine;

    QString chemin(const QString& relatif) const { return racine.filePath(relatif); }

private slots:
    void initTestCase();
    void controle();
    void droits();
    void fichiers_data();
    void fichiers();
    void images();
    void icones_data();
    void icones();
    void entree_de_bureau();
    void pages_de_manuel_data();
    void pages_de_manuel();
    void outil_en_ligne_de_commande();
    void fenetre_par_le_lanceur();
};

void TstPackage::initTestCase() {
    bin = qEnvironmentVariable("TORIQUE_BIN_DIR", QDir::currentPath());
    src = qEnvironmentVariable("TORIQUE_SOURCE_DIR", QDir::currentPath() + "/..");
    QVERIFY(racine.isValid());
    const QString cpack = QStandardPaths::findExecutable("cpack");
    QVERIFY2(!cpack.isEmpty(), "cpack not found");
    const Resultat r = lancer(cpack, {"-G", "DEB"}, bin, 300000);
    QVERIFY2(r.statut == 0, qPrintable(r.sortie + r.erreurs));
    const QRegularExpressionMatch m = QRegularExpression("package: (\\S+\\.deb) generated").match(r.sortie);
    QVERIFY2(m.hasMatch(), qPrintable(r.sortie));
    deb = m.captured(1);
    const Resultat x = lancer("dpkg-deb", {"-x", deb, racine.path()});
    QVERIFY2(x.statut == 0, qPrintable(x.erreurs));
}

void TstPackage::controle() {
    // Debian's checks, where they are installed: nothing but information.
    if (!QStandardPaths::findExecutable("lintian").isEmpty()) {
        const Resultat l = lancer("lintian", {deb}, QString(), 300000);
        QVERIFY2(l.sortie.trimmed().isEmpty(), qPrintable(l.sortie));
    }
    const Resultat r = lancer("dpkg-deb", {"-f", deb, "Package", "Architecture", "Section", "Depends"});
    QCOMPARE(r.statut, 0);
    QVERIFY(r.sortie.contains("Package: calculateur-torique\n"));
    QVERIFY(r.sortie.contains("Section: science\n"));
    const QString dep = r.sortie.section("Depends: ", 1).section('\n', 0, 0);
    QStringList paquets;
    for (const QString& d : dep.split(',', Qt::SkipEmptyParts))
        paquets << d.trimmed().section(' ', 0, 0);
    for (const char* p :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6svg6", "qt6-translations-l10n",
          "fonts-liberation", "fonts-crosextra-carlito", "libc6", "libstdc++6"})
        QVERIFY2(paquets.contains(p), qPrintable(QString("%1 missing from Depends: %2").arg(p, dep)));
    const Resultat a = lancer("dpkg", {"--print-architecture"});
    QVERIFY(r.sortie.contains("Architecture: " + a.sortie.trimmed() + "\n"));
}

// Every entry belongs to root and nothing is writable by others: the
// package must not take the build machine's owner or umask along.
void TstPackage::droits() {
    const Resultat r = lancer("dpkg-deb", {"-c", deb});
    QCOMPARE(r.statut, 0);
    const QStringList lignes = r.sortie.split('\n', Qt::SkipEmptyParts);
    QVERIFY(lignes.size() > 10);
    for (const QString& l : lignes) {
        const QStringList c = l.simplified().split(' ');
        QVERIFY2(c.size() >= 6, qPrintable(l));
        QVERIFY2(c[1] == "root/root", qPrintable(l));
        QVERIFY2(c[0][5] != 'w' && c[0][8] != 'w', qPrintable(l));
        QVERIFY2(c[5].startsWith("./usr/"), qPrintable(l));
    }
}

void TstPackage::fichiers_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<bool>("executable");
    // Calls functions of the C library whose checked forms Debian's
    // hardening asks for.
    QTest::addColumn<bool>("programme");
    QTest::newRow("lanceur") << "usr/bin/calculateur-torique" << true << false;
    QTest::newRow("programme") << "usr/lib/calculateur-torique/calculateur-torique" << true << false;
    QTest::newRow("outil") << "usr/bin/torique" << true << true;
    QTest::newRow("entrée de bureau")
        << "usr/share/applications/calculateur-torique.desktop" << false << false;
    QTest::newRow("manuel") << "usr/share/man/man1/calculateur-torique.1.gz" << false << false;
    QTest::newRow("copyright") << "usr/share/doc/calculateur-torique/copyright" << false << false;
    QTest::newRow("changelog") << "usr/share/doc/calculateur-torique/changelog.gz" << false << false;
}

void TstPackage::fichiers() {
    QFETCH(QString, fichier);
    QFETCH(bool, executable);
    QFETCH(bool, programme);
    if (fichier == "usr/bin/torique" && !QFileInfo::exists(bin + "/torique"))
        QSKIP("the command-line tool is not built in this tree");
    const QFileInfo f(chemin(fichier));
    QVERIFY2(f.isFile(), qPrintable(fichier));
    QVERIFY(f.size() > 0);
    QCOMPARE(f.isExecutable(), executable);
    if (!programme)
        return;
    // The checked forms of the C library's functions (_FORTIFY_SOURCE), as
    // lintian looks for them: imported under their "_chk" names.
    const Resultat nm = lancer("nm", {"-D", "--undefined-only", f.filePath()});
    if (nm.statut != 0)
        QSKIP("nm (binutils) not available");
    // A build with the address sanitizer takes its own checked functions
    // instead, and is built without the library's.
    if (nm.sortie.contains("__asan_init"))
        QSKIP("built with the sanitizers");
    QVERIFY2(nm.sortie.contains(QRegularExpression("__\\w+_chk\\b")), qPrintable(nm.sortie.left(2000)));
}

// The pictures of the source tree, all of them and nothing else, in the
// folder the launcher starts the program in.
void TstPackage::images() {
    const QStringList source = QDir(src + "/images").entryList({"*.png"}, QDir::Files, QDir::Name);
    if (source.isEmpty())
        QSKIP("no pictures in this source tree");
    const QDir dossier(chemin("usr/share/calculateur-torique"));
    QCOMPARE(dossier.entryList(QDir::Files, QDir::Name), source);
    for (const QString& n : source) {
        QFile a(src + "/images/" + n), b(dossier.filePath(n));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(n));
    }
}

void TstPackage::icones_data() {
    QTest::addColumn<int>("taille");
    for (int n : tailles_icone)
        QTest::addRow("%dx%d", n, n) << n;
}

// The window's icon at each size of the theme: the same picture, reduced.
void TstPackage::icones() {
    QFETCH(int, taille);
    const QImage icone(src + "/images/icone.png");
    if (icone.isNull())
        QSKIP("no window icon in this source tree");
    const QString f =
        chemin(QString("usr/share/icons/hicolor/%1x%1/apps/calculateur-torique.png").arg(taille));
    const QImage image(f);
    QVERIFY2(!image.isNull(), qPrintable(f));
    QCOMPARE(image.size(), QSize(taille, taille));
    if (taille == icone.width()) {
        QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), icone.convertToFormat(QImage::Format_ARGB32));
        return;
    }
    // Same picture: the mean colour of the reduction is that of the icon.
    auto moyenne = [](const QImage& im) {
        const QImage a = im.convertToFormat(QImage::Format_ARGB32);
        double s[4] = {0, 0, 0, 0};
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor c = a.pixelColor(x, y);
                s[0] += c.red() * c.alphaF();
                s[1] += c.green() * c.alphaF();
                s[2] += c.blue() * c.alphaF();
                s[3] += c.alpha();
            }
        const double n = double(a.width()) * a.height();
        return std::array<double, 4>{s[0] / n, s[1] / n, s[2] / n, s[3] / n};
    };
    const auto m1 = moyenne(icone), m2 = moyenne(image);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(std::abs(m1[i] - m2[i]) < 12,
                 qPrintable(QString("channel %1: %2 vs %3").arg(i).arg(m1[i]).arg(m2[i])));
}

void TstPackage::entree_de_bureau() {
    const QString f = chemin("usr/share/applications/calculateur-torique.desktop");
    const QString valider = QStandardPaths::findExecutable("desktop-file-validate");
    if (!valider.isEmpty()) {
        const Resultat v = lancer(valider, {f});
        QVERIFY2(v.statut == 0 && v.sortie.isEmpty() && v.erreurs.isEmpty(),
                 qPrintable(v.sortie + v.erreurs));
    }
    QFile fichier(f);
    QVERIFY(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> cles;
    for (const QString& l : QString::fromUtf8(fichier.readAll()).split('\n'))
        if (l.contains('='))
            cles.insert(l.section('=', 0, 0), l.section('=', 1));
    QCOMPARE(cles.value("Type"), QString("Application"));
    QCOMPARE(cles.value("Categories"), QString("Science;MedicalSoftware;"));
    QCOMPARE(cles.value("Name[fr]"), QString("Calculateur Torique Brevanta"));
    QCOMPARE(cles.value("Name[en]"), QString("Brevanta Toric Calculator"));
    QVERIFY(!cles.value("Comment[fr]").isEmpty() && !cles.value("Comment[en]").isEmpty());
    QVERIFY(cles.value("Comment[fr]") != cles.value("Comment[en]"));
    // The menu starts the launcher and finds the icon of the theme.
    QVERIFY(QFileInfo(chemin("usr/bin/" + cles.value("Exec").section(' ', 0, 0))).isExecutable());
    if (!QImage(src + "/images/icone.png").isNull())
        QVERIFY(
            QFileInfo::exists(chemin("usr/share/icons/hicolor/48x48/apps/" + cles.value("Icon") + ".png")));
    if (valider.isEmpty())
        QSKIP("desktop-file-validate not installed: only the keys were checked");
}

void TstPackage::pages_de_manuel_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("mots");
    QTest::newRow("calculateur-torique")
        << "calculateur-torique" << QStringList{"calculateur-torique", "torique(1)"};
    QTest::newRow("torique")
        << "torique"
        << QStringList{"--eye",      "OD",         "OS",         "--seq",
                       "--k1",       "--k2",       "--axis",     "--unit",
                       "mm",         "--sia",      "--incision", "--cyl",
                       "--lang",     "--json",     "--batch",    "eye,seq,unit,k1,k2,axis,sia,incision,cyl",
                       "--pdf",      "--surgeon",  "--clinic",   "--patient",
                       "--date",     "YYYY-MM-DD", "--address1", "--address2",
                       "--postcode", "--city",     "--country",  "--version",
                       "EXIT STATUS"};
}

// Each page is in the package when its program is, is read by man without
// a warning, and names every option.
void TstPackage::pages_de_manuel() {
    QFETCH(QString, page);
    QFETCH(QStringList, mots);
    const QString f = chemin("usr/share/man/man1/" + page + ".1.gz");
    if (page == "torique" && !QFileInfo::exists(chemin("usr/bin/torique"))) {
        QVERIFY(!QFileInfo::exists(f));
        QSKIP("the command-line tool is not built in this tree");
    }
    QVERIFY(QFileInfo::exists(f));
    const QString man = QStandardPaths::findExecutable("man");
    if (man.isEmpty())
        QSKIP("man not installed");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MANWIDTH", "100");
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MAN_KEEP_FORMATTING", "0");
    p.setProcessEnvironment(env);
    p.start(man, {"--warnings", "-E", "UTF-8", "-l", f});
    QVERIFY(p.waitForFinished(30000));
    const QString texte = QString::fromUtf8(p.readAllStandardOutput())
                              .remove(QRegularExpression(".\b"))
                              .remove(QRegularExpression("\u2010\n\\s*"));
    const QString erreurs = QString::fromUtf8(p.readAllStandardError());
    QCOMPARE(p.exitCode(), 0);
    QVERIFY2(erreurs.isEmpty(), qPrintable(erreurs));
    for (const QString& m : mots)
        QVERIFY2(texte.contains(m), qPrintable(m));
}

// The packaged tool computes a case from any folder: the recommended lens
// of a plain with-the-rule astigmatism, and a refusal for K2 below K1.
void TstPackage::outil_en_ligne_de_commande() {
    const QString outil = chemin("usr/bin/torique");
    if (!QFileInfo::exists(bin + "/torique")) {
        QVERIFY(!QFileInfo::exists(outil));
        QSKIP("the command-line tool is not built in this tree");
    }
    QVERIFY(QFileInfo(outil).isExecutable());
    QTemporaryDir ailleurs;
    const Resultat r =
        lancer(outil, {"--eye", "OD", "--seq", "21.0", "--k1", "42", "--k2", "44", "--axis", "90", "--json"},
               ailleurs.path());
    QVERIFY2(r.statut == 0, qPrintable(r.erreurs));
    QJsonParseError err;
    const QJsonObject o = QJsonDocument::fromJson(r.sortie.toUtf8(), &err).object();
    QVERIFY2(err.error == QJsonParseError::NoError, qPrintable(r.sortie));
    QCOMPARE(o["check"].toObject()["code"].toInt(), 0);
    QCOMPARE(o["recommended"].toObject()["cyl"].toDouble(), 3.0);
    QCOMPARE(o["recommended"].toObject()["axis"].toInt(), 90);
    QCOMPARE(o["chosen"].toObject()["model"].toString(), QString("VELAN T3.00"));

    const Resultat refus = lancer(
        outil, {"--eye", "OS", "--seq", "21.0", "--k1", "44", "--k2", "42", "--axis", "90"}, ailleurs.path());
    QCOMPARE(refus.statut, 1);
    QVERIFY(!refus.erreurs.isEmpty());

    // The whole sheet, its pictures read from the package's folder of
    // pictures whatever the working folder (an empty logo in it included):
    // the logo and the three contact icons, each with its transparency
    // mask, and the two diagrams with their protractor and lens drawn in.
    QFile(ailleurs.filePath("logohorz_2.png")).open(QIODevice::WriteOnly);
    const Resultat feuille = lancer(outil,
                                    {"--eye", "OD", "--seq", "21.0", "--k1", "42", "--k2", "44", "--axis",
                                     "90", "--pdf", "feuille.pdf", "--patient", "P-1"},
                                    ailleurs.path());
    QVERIFY2(feuille.statut == 0, qPrintable(feuille.erreurs));
    if (QStandardPaths::findExecutable("pdfimages").isEmpty())
        QSKIP("poppler-utils not installed");
    const Resultat images = lancer("pdfimages", {"-list", ailleurs.filePath("feuille.pdf")});
    QCOMPARE(images.sortie.split('\n', Qt::SkipEmptyParts).size() - 2, 10);
}

// The launcher starts the program in its picture folder, whatever the
// folder it is called from, and the main window comes up and is painted.
void TstPackage::fenetre_par_le_lanceur() {
    QTemporaryDir ailleurs;
    // A screen large enough for the window to be shown without its
    // scrolling frame.
    QFile ecran(ailleurs.filePath("ecran.json"));
    QVERIFY(ecran.open(QIODevice::WriteOnly));
    ecran.write(R"({"screens":[{"name":"ecran","x":0,"y":0,"width":1280,"height":1024,)"
                R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    ecran.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + ecran.fileName());
    // The toolkit's own log of the painting of top-level windows.
    env.insert("QT_LOGGING_RULES", "qt.widgets.painting=true");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(ailleurs.path());
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(chemin("usr/bin/calculateur-torique"), {});
    QVERIFY(p.waitForStarted(10000));
    const qint64 pid = p.processId();

    QString journal;
    const QRegularExpression peinte("Flushing QRegion\\(0,0 965x650\\) of FenetrePrinc\\(");
    QElapsedTimer t;
    t.start();
    while (!peinte.match(journal).hasMatch() && p.state() == QProcess::Running && t.elapsed() < 20000) {
        p.waitForReadyRead(200);
        journal += QString::fromUtf8(p.readAllStandardError());
    }
    const auto arreter = qScopeGuard([&] {
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished();
        }
    });
    QVERIFY2(p.state() == QProcess::Running, qPrintable(journal.right(2000)));
    QVERIFY2(peinte.match(journal).hasMatch(), qPrintable(journal.right(2000)));

    // The launcher replaced itself by the program, in the picture folder.
    const QString dossier = QFileInfo(QString("/proc/%1/cwd").arg(pid)).canonicalFilePath();
    QCOMPARE(dossier, QFileInfo(chemin("usr/share/calculateur-torique")).canonicalFilePath());
    const QString exe = QFileInfo(QString("/proc/%1/exe").arg(pid)).canonicalFilePath();
    QCOMPARE(exe, QFileInfo(chemin("usr/lib/calculateur-torique/calculateur-torique")).canonicalFilePath());

    // Still running a moment later: the window stays up.
    QVERIFY(!p.waitForFinished(1000));
}

QTEST_MAIN(TstPackage)
#include "tst_package.moc"
