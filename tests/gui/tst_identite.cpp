// The identification dialog: defaults of the first request, values kept for
// the later ones, limits of the editors, the wheel filter, the calendar in
// step with the date editor, the country list and both languages.

#include "BoutonPerso.h"
#include "FenetreIdentite.h"
#include "ListParam.h"
#include "Saisies.h"
#include "TestUtil.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

void remplir(ListParam& p, const QString& langue) {
    p.langue_t = langue;
    Saisies::identification(p, "P-4521", 31, "Italy");
    p.date_dat_t = QDate(2031, 2, 17);
}

void molette(QWidget* w) {
    const QPointF centre = QPointF(w->rect().center());
    QWheelEvent e(centre, w->mapToGlobal(centre), QPoint(0, 0), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TstIdentite : public QObject {
    Q_OBJECT
private slots:
    void premiere_demande_data();
    void premiere_demande();
    void demandes_suivantes_data();
    void demandes_suivantes();
    void longueurs_max_data();
    void longueurs_max();
    void molette_sans_effet();
    void calendrier_et_date();
    void pays();
    void textes_data();
    void textes();
    void polices();
    void annuler_ferme();
    void texte_date_data();
    void texte_date();
};

void TstIdentite::premiere_demande_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<int>("pays");
    QTest::newRow("fr") << "fr" << 20;
    QTest::newRow("en") << "en" << 0;
}

// First request after start-up: empty fields, today, country by language,
// even when the record already carries values (they are not shown).
void TstIdentite::premiere_demande() {
    QFETCH(QString, langue);
    QFETCH(int, pays);
    ListParam p;
    remplir(p, langue);
    p.nom_pat_str_t.clear();
    FenetreIdentite f(&p, 0);
    QCOMPARE(f.size(), QSize(410, 675));
    QCOMPARE(f.flag_load, 0);
    QCOMPARE(f.langue_id, langue);
    for (QLineEdit* e : {f.edit_nom_chir, f.edit_clinique, f.edit_nom_pat, f.edit_adresse1, f.edit_adresse2,
                         f.edit_ville, f.edit_codepost})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
    QCOMPARE(f.edit_date->date(), QDate::currentDate());
    QCOMPARE(f.calend->selectedDate(), QDate::currentDate());
    QCOMPARE(f.combo_codepays->currentIndex(), pays);
    QCOMPARE(f.combo_codepays->currentText(), pays == 20 ? QString("France") : QString("--------"));
    QVERIFY(f.parent() == nullptr);
    QCOMPARE(f.getOK(), f.boutonOK);
}

void TstIdentite::demandes_suivantes_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<int>("load");
    QTest::newRow("fr, valeurs gardees") << "fr" << 1;
    QTest::newRow("en, valeurs gardees") << "en" << 1;
    QTest::newRow("fr, premiere") << "fr" << 0;
}

// Later requests show the record's values, the country included, in both
// languages; the patient identifier is shown in every case.
void TstIdentite::demandes_suivantes() {
    QFETCH(QString, langue);
    QFETCH(int, load);
    ListParam p;
    remplir(p, langue);
    FenetreIdentite f(&p, load);
    const bool garde = load == 1;
    QCOMPARE(f.edit_nom_pat->text(), QString("P-4521"));
    QCOMPARE(f.edit_nom_chir->text(), garde ? p.nom_chir_str_t : QString());
    QCOMPARE(f.edit_clinique->text(), garde ? p.clinique_str_t : QString());
    QCOMPARE(f.edit_adresse1->text(), garde ? p.adresse1_str_t : QString());
    QCOMPARE(f.edit_adresse2->text(), garde ? p.adresse2_str_t : QString());
    QCOMPARE(f.edit_ville->text(), garde ? p.ville_str_t : QString());
    QCOMPARE(f.edit_codepost->text(), garde ? p.codepost_str_t : QString());
    QCOMPARE(f.combo_codepays->currentIndex(), garde ? 31 : 20);
    QCOMPARE(f.edit_date->date(), garde ? QDate(2031, 2, 17) : QDate::currentDate());
    QCOMPARE(f.calend->selectedDate(), f.edit_date->date());
    QCOMPARE(f.date_dat, f.edit_date->date());
    // The members hold the record's values whatever is shown.
    QCOMPARE(f.nom_chir_str, p.nom_chir_str_t);
    QCOMPARE(f.codepays_ind, 31);
    QCOMPARE(f.codepays_str, QString("Italy"));
}

void TstIdentite::longueurs_max_data() {
    QTest::addColumn<QString>("editeur");
    QTest::addColumn<int>("max");
    QTest::newRow("chirurgien") << "edit_nom_chir" << 25;
    QTest::newRow("etablissement") << "edit_clinique" << 25;
    QTest::newRow("patient") << "edit_nom_pat" << 19;
    QTest::newRow("adresse") << "edit_adresse1" << 40;
    QTest::newRow("adresse 2") << "edit_adresse2" << 40;
    QTest::newRow("ville") << "edit_ville" << 20;
    QTest::newRow("code postal") << "edit_codepost" << 7;
}

void TstIdentite::longueurs_max() {
    QFETCH(QString, editeur);
    QFETCH(int, max);
    ListParam p;
    p.langue_t = "fr";
    FenetreIdentite f(&p, 0);
    auto* e = f.findChild<QLineEdit*>(editeur);
    QVERIFY(e);
    QCOMPARE(e->maxLength(), max);
    QTest::keyClicks(e, QString(max + 1, QChar('x')));
    QCOMPARE(e->text(), QString(max, QChar('x')));
    QVERIFY(e->inputMask().isEmpty());
    // A line break, a tab or a direction override pasted, typed or set
    // becomes one space: the sheet prints the text on its line.
    e->clear();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("a\tb\r\n\u202e"));
    e->paste();
    QTest::keyClicks(e, "c");
    QCOMPARE(e->text(), QString("a b c"));
    QCOMPARE(e->cursorPosition(), 5);
    e->setText(QString::fromUtf8("d\u2028e\x0b"));
    QCOMPARE(e->text(), QString("d e "));
}

// The wheel over the date editor, the calendar (its month view) or the
// country box changes neither the date, the month shown nor the country.
void TstIdentite::molette_sans_effet() {
    ListParam p;
    remplir(p, "en");
    FenetreIdentite f(&p, 1);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto* vue = f.calend->findChild<QAbstractItemView*>();
    QVERIFY(vue);
    const QList<QWidget*> cibles{f.edit_date, f.calend, vue, vue->viewport(), f.combo_codepays};
    for (QWidget* w : cibles) {
        molette(w);
        QCOMPARE(f.edit_date->date(), QDate(2031, 2, 17));
        QCOMPARE(f.calend->selectedDate(), QDate(2031, 2, 17));
        QCOMPARE(f.calend->monthShown(), 2);
        QCOMPARE(f.combo_codepays->currentIndex(), 31);
    }
    // Other events still reach the editors.
    f.edit_date->setFocus();
    QTest::keyClick(f.edit_date, Qt::Key_Up);
    QVERIFY(f.edit_date->date() != QDate(2031, 2, 17));
}

void TstIdentite::calendrier_et_date() {
    ListParam p;
    remplir(p, "fr");
    FenetreIdentite f(&p, 1);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // Typing a date selects it in the calendar.
    f.edit_date->setDate(QDate(2030, 7, 14));
    QCOMPARE(f.calend->selectedDate(), QDate(2030, 7, 14));
    QCOMPARE(f.date_dat, QDate(2030, 7, 14));
    // Clicking a day of the calendar puts it in the editor.
    auto* vue = f.calend->findChild<QAbstractItemView*>();
    QVERIFY(vue);
    QModelIndex cible;
    for (int r = 0; r < vue->model()->rowCount() && !cible.isValid(); ++r)
        for (int c = 0; c < vue->model()->columnCount(); ++c) {
            const QModelIndex i = vue->model()->index(r, c);
            if (vue->model()->data(i).toInt() == 22 && r > 1) {
                cible = i;
                break;
            }
        }
    QVERIFY(cible.isValid());
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, Qt::NoModifier, vue->visualRect(cible).center());
    QCOMPARE(f.edit_date->date(), QDate(2030, 7, 22));
    QCOMPARE(f.calend->selectedDate(), QDate(2030, 7, 22));
    QCOMPARE(f.date_dat, QDate(2030, 7, 22));
    // The calendar: weeks from Monday, no week numbers, grid.
    QCOMPARE(f.calend->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(f.calend->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    QVERIFY(f.calend->isGridVisible());
    QCOMPARE(f.calend->size(), QSize(315, 155));
    QVERIFY(!f.edit_date->calendarPopup());
}

void TstIdentite::pays() {
    const QStringList& liste = FenetreIdentite::liste_pays();
    QCOMPARE(liste.size(), 74);
    const QList<std::pair<int, QString>> reperes{
        {0, "--------"}, {1, "Algeria"},       {14, "Czech Republic"}, {20, "France"},
        {22, "Germany"}, {55, "Saudi Arabia"}, {69, "United Kingdom"}, {73, "Yougoslavia"}};
    for (const auto& [i, nom] : reperes)
        QCOMPARE(liste[i], nom);
    QCOMPARE(QStringList(liste).removeDuplicates(), qsizetype(0));
    for (const QString langue : {"fr", "en"}) {
        ListParam p;
        p.langue_t = langue;
        FenetreIdentite f(&p, 0);
        QCOMPARE(f.combo_codepays->count(), 74);
        for (int i = 0; i < 74; ++i)
            QCOMPARE(f.combo_codepays->itemText(i), liste[i]);
    }
}

void TstIdentite::textes_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QStringList>("attendus"); // title, titre_chir, label_date, label_codepost, cancel
    QTest::newRow("fr") << "fr"
                        << QStringList{
                               QString::fromUtf8("Informations supplémentaires"),
                               "<font color=\"#FFFFFF\">INFORMATIONS CHIRURGIEN :</font>",
                               QString::fromUtf8("<font color=\"#000000\">Date de chirurgie prévue :</font>"),
                               "<font color=\"#000000\">CP :</font>",
                               "Annuler",
                               QString::fromUtf8("<font color=\"#000000\">ID ou n° patient :</font>")};
    QTest::newRow("en") << "en"
                        << QStringList{
                               "Additional information",
                               "<font color=\"#FFFFFF\">SURGEON INFORMATION :</font>",
                               "<font color=\"#000000\">Surgery planned date :</font>",
                               "<font color=\"#000000\">Postcode :</font>",
                               "Cancel",
                               QString::fromUtf8("<font color=\"#000000\">Patient ID or n° :</font>")};
}

void TstIdentite::textes() {
    QFETCH(QString, langue);
    QFETCH(QStringList, attendus);
    ListParam p;
    p.langue_t = langue;
    FenetreIdentite f(&p, 0);
    QCOMPARE(f.windowTitle(), attendus[0]);
    QCOMPARE(f.titre_chir->text(), attendus[1]);
    QCOMPARE(f.label_date->text(), attendus[2]);
    QCOMPARE(f.label_codepost->text(), attendus[3]);
    QCOMPARE(f.boutonCancel->text(), attendus[4]);
    QCOMPARE(f.label_nom_pat->text(), attendus[5]);
    QCOMPARE(f.label_adresse2->text(), QString("<font color=\"#000000\"></font>"));
    QCOMPARE(f.boutonOK->text(), QString("OK"));
    QCOMPARE(f.locale().language(), langue == "fr" ? QLocale::French : QLocale::English);
    // A code of neither language leaves the texts as they are.
    f.update_langue_id("de");
    QCOMPARE(f.windowTitle(), attendus[0]);
    QCOMPARE(f.langue_id, QString("de"));
}

// Wide system fonts give the smaller sets, measured on the longest label.
void TstIdentite::polices() {
    ListParam p;
    p.langue_t = "fr";
    FenetreIdentite f(&p, 0);
    const QString essai = QString::fromUtf8("Date de chirurgie prévue :");
    int taille = 10;
    while (taille > 8 && QFontMetrics(QFont("Arial", taille)).horizontalAdvance(essai) > 154)
        --taille;
    QCOMPARE(f.fontTexte.pointSize(), taille);
    QCOMPARE(f.fontTitre.pointSize(), taille + 1);
    QVERIFY(f.fontTitre.bold());
    QCOMPARE(f.label_date->font().pointSize(), taille);
    QCOMPARE(f.edit_nom_chir->font().pointSize(), taille);
    QCOMPARE(f.titre_pat->font().pointSize(), taille + 1);
}

void TstIdentite::annuler_ferme() {
    ListParam p;
    p.langue_t = "en";
    FenetreIdentite f(&p, 0);
    f.open();
    QVERIFY(f.isVisible());
    TestUtil::presser(f.boutonCancel, 200);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), int(QDialog::Rejected));
}

void TstIdentite::texte_date_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("fr") << "fr" << QDate(2025, 3, 3) << "lundi 3 mars 2025";
    QTest::newRow("fr accents") << "fr" << QDate(2025, 8, 15) << QString::fromUtf8("vendredi 15 août 2025");
    QTest::newRow("en") << "en" << QDate(2025, 3, 3) << "Monday 3 March 2025";
    QTest::newRow("en 2 chiffres") << "en" << QDate(2024, 12, 25) << "Wednesday 25 December 2024";
}

void TstIdentite::texte_date() {
    QFETCH(QString, langue);
    QFETCH(QDate, date);
    QFETCH(QString, attendu);
    QCOMPARE(FenetreIdentite::texte_date(date, langue), attendu);
}

QTEST_MAIN(TstIdentite)
#include "tst_identite.moc"
