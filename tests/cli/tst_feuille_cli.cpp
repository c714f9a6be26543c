// The calculation sheet written by the command-line tool: the file for an
// accepted calculation, the identification options, and the refusals (bad
// option values, a refused calculation, a file that cannot be written).

#include "Processus.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Processus::sans_blancs;
using Processus::Sortie;

// The tool of this build run on the arguments.
Sortie lancer(const QStringList& args) {
    return Processus::lancer(Processus::torique(), args);
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
    QTest::newRow("fr OD France") << "fr"
                                  << "OD"
                                  << "France";
    QTest::newRow("en OS Germany") << "en"
                                   << "OS"
                                   << "germany";
    QTest::newRow("en OD France") << "en"
                                  << "OD"
                                  << "FRANCE";
}

void TstFeuilleCli::ecrit() {
    QFETCH(QString, langue);
    QFETCH(QString, oeil);
    QFETCH(QString, pays);
    const QString fichier = dossier.filePath(QString("cli_%1_%2.pdf").arg(langue, oeil));
    QStringList args = CAS;
    args[1] = oeil;
    args << "--lang" << langue << "--pdf" << fichier << "--surgeon"
         << "Dr Martin"
         << "--clinic"
         << "Clinique du Lac"
         << "--patient" << QString::fromUtf8("Zoé/12") << "--date"
         << "2031-02-17"
         << "--address1"
         << "1 rue des Lilas"
         << "--postcode"
         << "69001"
         << "--city"
         << "Lyon"
         << "--country" << pays;
    const Sortie s = lancer(args);
    QCOMPARE(s.statut, 0);
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
          QString("21.5 D"), fr ? QString("lundi 17 février 2031") : QString("Monday 17 February 2031")})
        QVERIFY2(texte.contains(sans_blancs(attendu)), qPrintable(attendu));
    QCOMPARE(texte.contains(sans_blancs(QString::fromUtf8("Prêt marqueur pré-opératoire :"))), france);
    QCOMPARE(texte.contains(fr ? "(oeildroit)" : "(righteye)"), oeil == "OD");
    QCOMPARE(texte.contains(fr ? "(oeilgauche)" : "(lefteye)"), oeil == "OS");
}

// Without identification options: today, the country of a first request.
void TstFeuilleCli::valeurs_par_defaut() {
    for (const QString langue : {"fr", "en"}) {
        const QString fichier = dossier.filePath("defaut_" + langue + ".pdf");
        const Sortie s = lancer(CAS + QStringList{"--lang", langue, "--pdf", fichier});
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
    QTest::newRow("code postal trop long") << QStringList{"--postcode", "12345678"} << 2 << "--postcode";
    QTest::newRow("option inconnue") << QStringList{"--fax", "1"} << 2 << "--fax";
    // K1 = K2 with K2 at 90: the incision-free profile turns the axis (code 4).
    QTest::newRow("calcul refuse") << QStringList{"--k2", "43"} << 1 << QString();
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

// A folder that does not exist: the message names the file, status 1.
void TstFeuilleCli::non_ecrit() {
    for (const QString langue : {"fr", "en"}) {
        const QString fichier = dossier.filePath("absent/feuille.pdf");
        const Sortie s = lancer(CAS + QStringList{"--lang", langue, "--pdf", fichier});
        QCOMPARE(s.statut, 1);
        QVERIFY2(s.erreurs.contains(
                     langue == "fr" ? QString::fromUtf8("Le fichier %1 n'a pas pu être écrit.").arg(fichier)
                                    : QString("The file %1 could not be written.").arg(fichier)),
                 qPrintable(s.erreurs));
        QVERIFY(!QFile::exists(fichier));
    }
}

QTEST_GUILESS_MAIN(TstFeuilleCli)
#include "tst_feuille_cli.moc"
