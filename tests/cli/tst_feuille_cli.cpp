// The calculation sheet written by the command-line tool: the file for an
// accepted calculation, the identification options, and the refusals (bad
// option values, a refused calculation, a file that cannot be written).

#include "Processus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>

namespace {

using Processus::sans_blancs;
using Processus::Sortie;

// The tool of this build run on the arguments, in a folder, with a change
// made in the child before it starts, under a system language.
Sortie lancer(const QStringList& args, const QString& dossier = QString(),
              const std::function<void()>& dans_l_enfant = nullptr,
              const QString& langue_systeme = QString()) {
    return Processus::lancer(Processus::torique(), args, dossier, 60000, dans_l_enfant, langue_systeme);
}

const QStringList CAS{"--eye", "OD", "--seq", "21.5", "--k1", "43", "--k2", "45", "--axis", "90"};

} // namespace

class TstFeuilleCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ecrit_data();
    void ecrit();
    void valeurs_par_defaut();
    void refus_data();
    void refus();
    void non_ecrit_data();
    void non_ecrit();

private:
    QTemporaryDir dossier;
};

void TstFeuilleCli::initTestCase() {
    if (!QFile::exists(Processus::torique()))
        QSKIP("torique not built");
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        QSKIP("poppler-utils not installed");
    QVERIFY(dossier.isValid());
}

void TstFeuilleCli::ecrit_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("oeil");
    QTest::addColumn<QString>("pays");
    QTest::addColumn<QString>("systeme");    // the system's language, when set
    QTest::addColumn<QString>("plateforme"); // the toolkit's platform the environment names, when set
    QTest::newRow("fr OD France") << "fr"
                                  << "OD"
                                  << "France" << QString() << QString();
    QTest::newRow("en OS Germany") << "en"
                                   << "OS"
                                   << "germany" << QString() << QString();
    QTest::newRow("en OD France") << "en"
                                  << "OD"
                                  << "FRANCE" << QString() << QString();
    // A platform that cannot start (X without a display): drawn off screen.
    QTest::newRow("en OD France, X without a display") << "en"
                                                       << "OD"
                                                       << "France" << QString() << "xcb";
    // The sheet's language, not the system's, writes the dates.
    QTest::newRow("fr OD France, English system") << "fr"
                                                  << "OD"
                                                  << "France"
                                                  << "en_US.UTF-8" << QString();
    QTest::newRow("en OS Germany, French system") << "en"
                                                  << "OS"
                                                  << "Germany"
                                                  << "fr_FR.UTF-8" << QString();
}

void TstFeuilleCli::ecrit() {
    QFETCH(QString, langue);
    QFETCH(QString, oeil);
    QFETCH(QString, pays);
    QFETCH(QString, systeme);
    QFETCH(QString, plateforme);
    const QString fichier =
        dossier.filePath(QString("cli_%1_%2_%3%4.pdf").arg(langue, oeil, systeme, plateforme));
    QStringList args = CAS;
    args[1] = oeil;
    // A line break, a tab and an override in the values, as a spreadsheet
    // cell or a hostile paste gives them: printed on one line, in order.
    args << "--lang" << langue << "--pdf" << fichier << "--surgeon"
         << "Dr\tMartin\n"
         << "--clinic"
         << "Clinique du Lac"
         << "--patient" << QString::fromUtf8("\u202eZoé/12") << "--date"
         << "2031-02-17"
         << "--address1"
         << "1 rue des Lilas"
         << "--postcode"
         << "69001"
         << "--city"
         << " Lyon\r\n"
         << "--country" << pays;
    // Set here for the run (a child started by QProcess may share this
    // process's memory until it runs the program), then set back.
    const QByteArray qpa = qgetenv("QT_QPA_PLATFORM"), display = qgetenv("DISPLAY");
    if (!plateforme.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", plateforme.toUtf8());
        qunsetenv("DISPLAY");
    }
    const Sortie s = lancer(args, QString(), nullptr, systeme);
    if (qpa.isNull())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", qpa);
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
    QVERIFY2(s.statut == 0, qPrintable(s.erreurs));
    QVERIFY(s.sortie.contains("VELAN T3.00")); // the result is still printed
    QVERIFY(QFile::exists(fichier));

    const QString info = Processus::lancer("pdfinfo", {fichier}).sortie;
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")),
             qPrintable(info));
    const QString texte = sans_blancs(Processus::texte_pdf(fichier));
    const bool fr = langue == "fr", france = pays.compare("France", Qt::CaseInsensitive) == 0;
    const QString nom_pays = france ? "France" : "Germany";
    for (const QString& attendu :
         {QString::fromUtf8("Zoé/12"), QString("Dr Martin"), QString("Clinique du Lac"),
          QString("1 rue des Lilas"), QString("69001 Lyon (") + nom_pays + ")", QString("VELAN T3.00"),
          QString("21.5 D"), fr ? QString("lundi 17 février 2031") : QString("Monday 17 February 2031"),
          (fr ? QString("Date du calcul : ") : QString("Calculation date : ")) +
              QLocale(fr ? QLocale::French : QLocale::English, fr ? QLocale::France : QLocale::UnitedStates)
                  .toString(QDate::currentDate(), "d MMMM yyyy")})
        QVERIFY2(texte.contains(sans_blancs(attendu)), qPrintable(attendu));
    QCOMPARE(texte.contains(sans_blancs(QString::fromUtf8("Prêt marqueur pré-opératoire :"))), france);
    QCOMPARE(texte.contains(fr ? "(oeildroit)" : "(righteye)"), oeil == "OD");
    QCOMPARE(texte.contains(fr ? "(oeilgauche)" : "(lefteye)"), oeil == "OS");
}

// With the patient alone: today, the country of a first request.
void TstFeuilleCli::valeurs_par_defaut() {
    for (const QString langue : {"fr", "en"}) {
        const QString fichier = dossier.filePath("defaut_" + langue + ".pdf");
        const Sortie s = lancer(CAS + QStringList{"--lang", langue, "--pdf", fichier, "--patient", "P-1"});
        QCOMPARE(s.statut, 0);
        const QString texte = sans_blancs(Processus::texte_pdf(fichier));
        const QLocale loc(langue == "fr" ? QLocale::French : QLocale::English,
                          langue == "fr" ? QLocale::France : QLocale::UnitedStates);
        QVERIFY(texte.contains(sans_blancs(loc.toString(QDate::currentDate(), "dddd d MMMM yyyy"))));
        QCOMPARE(texte.contains("(France)"), langue == "fr");
        QCOMPARE(texte.contains("(--------)"), langue == "en");
    }
}

void TstFeuilleCli::refus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("statut");
    QTest::addColumn<QString>("erreur");
    QTest::newRow("pays inconnu") << QStringList{"--country", "Atlantis"} << 2 << "--country";
    QTest::newRow("date invalide") << QStringList{"--date", "2031-13-01"} << 2 << "--date";
    QTest::newRow("date autre format") << QStringList{"--date", "17/02/2031"} << 2 << "--date";
    QTest::newRow("identifiant trop long") << QStringList{"--patient", QString(20, 'x')} << 2 << "--patient";
    // An order form names its patient.
    QTest::newRow("sans identifiant") << QStringList{} << 2 << "--patient";
    QTest::newRow("identifiant vide") << QStringList{"--patient", ""} << 2 << "--patient";
    QTest::newRow("identifiant blanc") << QStringList{"--patient", "  \t "} << 2 << "--patient";
    QTest::newRow("identifiant de controles")
        << QStringList{"--patient", QString::fromUtf8("\u202e\r\n")} << 2 << "--patient";
    QTest::newRow("code postal trop long") << QStringList{"--postcode", "12345678"} << 2 << "--postcode";
    QTest::newRow("option inconnue") << QStringList{"--fax", "1"} << 2 << "--fax";
    // K1 = K2 with K2 at 90: the incision-free profile turns the axis (code 4).
    QTest::newRow("calcul refuse") << QStringList{"--k2", "43", "--patient", "P-1"} << 1 << QString();
    // Bad usage first.
    QTest::newRow("calcul refuse, sans identifiant") << QStringList{"--k2", "43"} << 2 << "--patient";
}

// A usage error or a refused calculation writes no sheet.
void TstFeuilleCli::refus() {
    QFETCH(QStringList, args);
    QFETCH(int, statut);
    QFETCH(QString, erreur);
    const QString fichier = dossier.filePath(QString("refus_%1.pdf").arg(QTest::currentDataTag()));
    QStringList tous = CAS;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const int j = tous.indexOf(args[i]);
        if (j >= 0)
            tous[j + 1] = args[i + 1];
        else
            tous << args[i] << args[i + 1];
    }
    tous << "--pdf" << fichier;
    const Sortie s = lancer(tous);
    QCOMPARE(s.statut, statut);
    if (!erreur.isEmpty())
        QVERIFY2(s.erreurs.contains(erreur), qPrintable(s.erreurs));
    QVERIFY(!QFile::exists(fichier));
}

void TstFeuilleCli::non_ecrit_data() {
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("raison");
    QTest::newRow("dossier absent fr") << "absent"
                                       << "fr"
                                       << "No such file or directory";
    QTest::newRow("dossier absent en") << "absent"
                                       << "en"
                                       << "No such file or directory";
    QTest::newRow("un dossier") << "dossier"
                                << "en"
                                << "Is a directory";
    // A device node of our own standing for /dev/full: were it replaced
    // by a rename, only this copy would go.
    QTest::newRow("peripherique plein") << "peripherique"
                                        << "en"
                                        << "No space left on device";
    QTest::newRow("systeme de fichiers plein") << "plein"
                                               << "en"
                                               << "No space left on device";
    QTest::newRow("limite de taille") << "limite"
                                      << "fr"
                                      << "File too large";
    // A regular file is a file wherever it lives.
    QTest::newRow("limite de taille sous /dev/shm") << "shm"
                                                    << "en"
                                                    << "File too large";
    // A relative name means the folder the tool was started in, even gone.
    QTest::newRow("dossier de depart supprime") << "parti"
                                                << "en"
                                                << "No such file or directory";
    QTest::newRow("fifo sans lecteur") << "fifo"
                                       << "en"
                                       << "no reader opened the FIFO within 5 seconds";
    // The pictures come from the tool's own place: one missing there, no
    // sheet.
    QTest::newRow("image absente") << "image"
                                   << "en"
                                   << "cannot read picture IMAGES/logohorz_2.png";
}

// A sheet that cannot be written whole: status 1, the file named with the
// system's reason, nothing partial left beside it, a sheet that was there
// before left as it was, a device still a device.
void TstFeuilleCli::non_ecrit() {
    QFETCH(QString, cible);
    QFETCH(QString, langue);
    QFETCH(QString, raison);
    if (cible == "shm" && !QFileInfo("/dev/shm").isDir())
        QSKIP("no /dev/shm here");
    QTemporaryDir ici(cible == "shm" ? "/dev/shm/tst_feuille_cli-XXXXXX"
                                     : QDir::tempPath() + "/tst_feuille_cli-XXXXXX");
    QString fichier = ici.filePath("feuille.pdf");
    const QStringList args = CAS + QStringList{"--lang", langue, "--patient", "P-77"};
    // A good sheet first, for the targets that must keep it.
    QByteArray avant;
    if (cible == "limite" || cible == "plein" || cible == "shm") {
        QCOMPARE(lancer(args + QStringList{"--pdf", fichier}).statut, 0);
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        avant = f.readAll();
    }
    Sortie s;
    QStringList restes;
    if (cible == "absent") {
        fichier = ici.filePath("absent/feuille.pdf");
        s = lancer(args + QStringList{"--pdf", fichier});
    } else if (cible == "dossier") {
        fichier = ici.path();
        s = lancer(args + QStringList{"--pdf", fichier});
    } else if (cible == "peripherique") {
        fichier = ici.filePath("plein");
        if (mknod(QFile::encodeName(fichier).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (not root)");
        s = lancer(args + QStringList{"--pdf", fichier});
        struct stat st;
        QVERIFY(stat(QFile::encodeName(fichier).constData(), &st) == 0 && S_ISCHR(st.st_mode));
    } else if (cible == "limite" || cible == "shm") {
        s = lancer(args + QStringList{"--pdf", fichier, "--surgeon", "Dr Martin"}, QString(), [] {
            const struct rlimit limite = {16 * 1024, 16 * 1024};
            setrlimit(RLIMIT_FSIZE, &limite);
        });
    } else if (cible == "parti") {
        fichier = QString("feuille-%1.pdf").arg(QCoreApplication::applicationPid());
        const QByteArray parti = QFile::encodeName(ici.filePath("parti"));
        QVERIFY(QDir(ici.path()).mkdir("parti"));
        s = lancer(args + QStringList{"--pdf", fichier}, QString(), [parti] {
            if (chdir(parti.constData()) != 0 || rmdir(parti.constData()) != 0)
                _exit(99);
        });
        // Nothing written at the root of the file system.
        const bool a_la_racine = QFile::exists("/" + fichier);
        QFile::remove("/" + fichier);
        QVERIFY(!a_la_racine);
    } else if (cible == "fifo") {
        QVERIFY(mkfifo(QFile::encodeName(fichier).constData(), 0600) == 0);
        s = lancer(args + QStringList{"--pdf", fichier}, QString(), nullptr);
    } else if (cible == "image") {
        // The tool in a folder of its own, its pictures where the package
        // puts them, but one.
        QTemporaryDir installe;
        const QString images = installe.filePath("share/calculateur-torique");
        QVERIFY(QDir(installe.path()).mkpath("bin") &&
                QDir(installe.path()).mkpath("share/calculateur-torique"));
        QVERIFY(QFile::copy(Processus::torique(), installe.filePath("bin/torique")));
        const QString source = QFileInfo(Processus::torique()).absolutePath();
        for (const QString& n : QDir(source).entryList({"*.png"}, QDir::Files))
            if (n != "logohorz_2.png")
                QVERIFY(QFile::copy(source + "/" + n, images + "/" + n));
        raison.replace("IMAGES", images);
        s = Processus::lancer(installe.filePath("bin/torique"), args + QStringList{"--pdf", fichier},
                              ici.path());
    } else if (cible == "plein") {
        // A file system just too small for a second sheet, mounted in a
        // mount namespace of the run's own.
        QProcess essai;
        essai.start("unshare", {"-m", "true"});
        if (!essai.waitForFinished(10000) || essai.exitStatus() != QProcess::NormalExit ||
            essai.exitCode() != 0)
            QSKIP("no private mount namespace here (unshare -m)");
        const QString script = QStringLiteral(
            "mount -t tmpfs -o size=%1 none \"$1\" || exit 99; cp \"$2\" \"$1/feuille.pdf\" || exit 98; "
            "shift 2; \"$@\"; s=$?; ls -A \"$0\" >&2; cmp -s \"$0/feuille.pdf\" \"$0.avant\" && echo intact "
            ">&2; "
            "exit $s");
        QDir(ici.path()).mkdir("fs");
        QFile::copy(fichier, ici.filePath("fs.avant"));
        const QString fs = ici.filePath("fs");
        QProcess p;
        p.start("unshare", QStringList{"-m", "sh", "-c", script.arg(avant.size() + avant.size() / 2), fs, fs,
                                       fichier, Processus::torique()} +
                               args + QStringList{"--pdf", fs + "/feuille.pdf", "--surgeon", "Dr Martin"});
        QVERIFY(p.waitForFinished(60000));
        s.statut = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        s.erreurs = QString::fromUtf8(p.readAllStandardError());
        if (s.statut == 99)
            QSKIP("no tmpfs can be mounted here");
        fichier = fs + "/feuille.pdf";
        QVERIFY2(s.erreurs.contains("\nintact\n"), qPrintable(s.erreurs));
        restes << s.erreurs.section('\n', -3, -3);
    }
    QVERIFY2(s.statut == 1, qPrintable(QString::number(s.statut) + s.erreurs));
    const QString message = langue == "fr"
                                ? QString::fromUtf8("Le fichier %1 n'a pas pu être écrit. Cause : %2.")
                                : QString("The file %1 could not be written. Reason: %2.");
    QVERIFY2(s.erreurs.contains(message.arg(fichier, raison)), qPrintable(s.erreurs));
    if (cible == "absent")
        QVERIFY(!QFile::exists(fichier));
    if (cible == "limite" || cible == "shm") {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() == avant);
    }
    // Nothing left beside the target but what was there.
    if (cible == "plein")
        QCOMPARE(restes, QStringList{"feuille.pdf"});
    else
        QCOMPARE(
            QDir(ici.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
            cible == "limite" || cible == "shm" || cible == "fifo" ? QStringList{"feuille.pdf"}
            : cible == "peripherique"                              ? QStringList{"plein"}
                                                                   : QStringList{});
}

QTEST_GUILESS_MAIN(TstFeuilleCli)
#include "tst_feuille_cli.moc"
