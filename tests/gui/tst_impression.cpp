// The print path from the main window: the checks before the identification
// dialog, the patient identifier question, the preview with its added save
// action, the proposed file names, the PDF written and handed to the
// desktop, and the failures (cancelled dialogs, a file that cannot be written).

#include "BandeBasCalcul.h"
#include "BoutonPerso.h"
#include "BoutonPersoVert.h"
#include "Bureau.h"
#include "FenetreIdentite.h"
#include "FenetrePrinc.h"
#include "ListParam.h"
#include "PageCalcul.h"
#include "Processus.h"
#include "TestUtil.h"
#include "TraductionBoites.h"
#include "Version.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>

namespace {

using TestUtil::saisir;

// What the user answers to each dialog of the print path, and what was seen.
struct Scenario {
    // identification dialog
    std::function<void(FenetreIdentite*)> remplir;
    bool identite_ok = true;
    // low-astigmatism question: index of the button pressed
    int reponse_toric = 0;
    // identifier question: accept (with this text when not null) or cancel
    bool question_ok = true;
    QString texte_question;
    // preview: press the save action
    bool enregistrer = true;
    // file dialogs: the file chosen, empty to cancel
    QString fichier;

    QStringList vus; // kind and title of each dialog, in order
    QString question_label, question_initial, question_indice;
    int question_longueur_max = -1;
    // whether OK could be pressed before anything was typed, and once typed
    bool question_ok_au_debut = true, question_ok_actif = true;
    QString apercu_titre;
    QStringList actions_barre;
    bool apercu_visible_apres = true;
    QStringList noms_proposes;
    QStringList dossiers_proposes;
    QString fichier_filtre, fichier_titre;
    // The toolkit's own words in its boxes: the identifier question's
    // Cancel, the file dialog's labels and its accept button.
    QString question_annuler;
    QStringList fichier_libelles;
    bool fichier_natif = true;
    QFileDialog::AcceptMode fichier_mode = QFileDialog::AcceptOpen;
    QStringList messages;
    QStringList pdf_textes; // pdftotext of the file right after its save
};

int repondre(Scenario& s, QDialog* d) {
    if (auto* f = qobject_cast<FenetreIdentite*>(d)) {
        s.vus << "identite";
        if (s.remplir)
            s.remplir(f);
        if (!s.identite_ok) {
            d->reject();
            return QDialog::Rejected;
        }
        emit f->getOK()->click();
        return f->result();
    }
    if (auto* q = qobject_cast<QInputDialog*>(d)) {
        s.vus << "question:" + q->windowTitle();
        s.question_label = q->labelText();
        s.question_initial = q->textValue();
        auto* champ = q->findChild<QLineEdit*>();
        if (champ) {
            s.question_indice = champ->placeholderText();
            s.question_longueur_max = champ->maxLength();
        }
        auto* boutons = q->findChild<QDialogButtonBox*>();
        QPushButton* ok = boutons ? boutons->button(QDialogButtonBox::Ok) : nullptr;
        s.question_ok_au_debut = ok && ok->isEnabled();
        if (QPushButton* annuler = boutons ? boutons->button(QDialogButtonBox::Cancel) : nullptr)
            s.question_annuler = annuler->text();
        if (!s.question_ok) {
            q->reject();
            return QDialog::Rejected;
        }
        // Typed or pasted into the field, then OK pressed; a box whose OK
        // cannot be pressed is left with Cancel.
        if (!s.texte_question.isNull() && champ) {
            champ->selectAll();
            champ->insert(s.texte_question);
        }
        s.question_ok_actif = ok && ok->isEnabled();
        if (ok)
            ok->click();
        if (q->result() != QDialog::Accepted)
            q->reject();
        return q->result();
    }
    if (auto* a = qobject_cast<QPrintPreviewDialog*>(d)) {
        s.vus << "apercu:" + a->windowTitle();
        s.apercu_titre = a->windowTitle();
        QToolBar* barre = a->findChildren<QToolBar*>().value(0);
        QAction* enregistrer = nullptr;
        if (barre)
            for (QAction* act : barre->actions()) {
                s.actions_barre << act->text();
                if (act->text() == "Enregistrer")
                    enregistrer = act;
            }
        a->show();
        QTest::qWait(20);
        if (s.enregistrer && enregistrer)
            enregistrer->trigger();
        s.apercu_visible_apres = a->isVisible();
        if (a->isVisible())
            a->reject();
        return a->result();
    }
    if (auto* fd = qobject_cast<QFileDialog*>(d)) {
        s.vus << "fichier:" + fd->windowTitle();
        s.fichier_titre = fd->windowTitle();
        s.fichier_filtre = fd->nameFilters().join(";");
        s.fichier_natif = !fd->testOption(QFileDialog::DontUseNativeDialog);
        s.fichier_mode = fd->acceptMode();
        for (const char* nom : {"lookInLabel", "fileNameLabel"})
            if (auto* l = fd->findChild<QLabel*>(nom))
                s.fichier_libelles << l->text().remove('&');
        if (auto* boutons = fd->findChild<QDialogButtonBox*>("buttonBox"))
            s.fichier_libelles << boutons->buttons().value(0)->text().remove('&');
        auto* nom = fd->findChild<QLineEdit*>("fileNameEdit");
        s.noms_proposes << (nom ? nom->text() : QString());
        s.dossiers_proposes << fd->directory().absolutePath();
        if (s.fichier.isEmpty()) {
            fd->reject();
            return QDialog::Rejected;
        }
        fd->selectFile(s.fichier);
        // The toolkit's own question before replacing a file would wait for
        // an answer: the file chosen is meant.
        fd->setOption(QFileDialog::DontConfirmOverwrite);
        QMetaObject::invokeMethod(fd, "accept", Qt::DirectConnection);
        return fd->result();
    }
    if (auto* m = qobject_cast<QMessageBox*>(d)) {
        s.vus << "message:" + m->windowTitle();
        s.messages << m->text();
        const QList<QAbstractButton*> boutons = m->buttons();
        // Question boxes: the answer of the scenario; other boxes: OK.
        QAbstractButton* b = boutons.value(0);
        if (boutons.size() > 1)
            for (QAbstractButton* x : boutons)
                if (m->buttonRole(x) == (s.reponse_toric == 0 ? QMessageBox::YesRole : QMessageBox::NoRole))
                    b = x;
        if (b)
            b->click();
        return m->result();
    }
    s.vus << QString("autre:") + d->metaObject()->className();
    d->reject();
    return QDialog::Rejected;
}

// The main window on the calculation page, in a language.
struct Banc {
    std::unique_ptr<FenetrePrinc> w;

    explicit Banc(const QString& langue) {
        w = std::make_unique<FenetrePrinc>();
        w->show();
        QApplication::setActiveWindow(w.get());
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("window not active");
        // The flag of the language is pressed (on page 1).
        w->traduction_page1(langue);
        w->page1vers2();
        TestUtil::vider_evenements();
    }

    PageCalcul* page() const { return w->calcul; }

    // Eye, SEQ, K1 and K2 (K2 axis 90 unless given), then Calculate unless told.
    void calculer(bool droit, double k1, double k2, bool lancer = true, int axe_k2 = 90) {
        TestUtil::presser(droit ? page()->oeil_droit : page()->oeil_gauche, 80);
        page()->combo_sph->setCurrentIndex(page()->combo_sph->findText("21.5"));
        saisir(page()->spin_K1, QString::number(k1, 'f', 2));
        saisir(page()->spin_K2, QString::number(k2, 'f', 2));
        if (axe_k2 != page()->spinaxe_K2->value())
            saisir(page()->spinaxe_K2, QString::number(axe_k2));
        if (lancer)
            TestUtil::presser(page()->calculer_bouton, 80);
    }

    void imprimer(Scenario& s) {
        TestUtil::Repondeur r([&s](QDialog* d) { return repondre(s, d); });
        TestUtil::presser(w->imprimer, 200);
    }
};

} // namespace

class TstImpression : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void calcul_non_lance_data();
    void calcul_non_lance();
    void astigmatisme_faible_data();
    void astigmatisme_faible();
    void question_identifiant_data();
    void question_identifiant();
    void apercu_et_pdf_data();
    void apercu_et_pdf();
    void fichier_annule();
    void dossier_propose_data();
    void dossier_propose();
    void fichier_non_ecrit_data();
    void fichier_non_ecrit();
    void identification_annulee();
    void demande_suivante_et_nouveau_calcul();

private:
    Bureau bureau;
    QTemporaryDir dossier;
};

void TstImpression::initTestCase() {
    QVERIFY(dossier.isValid());
}

void TstImpression::init() {
    bureau.ouverts.clear();
    Dialogues::setRepondeur(nullptr);
    // A French system, as at start: the toolkit's boxes speak French until
    // a flag is pressed.
    QVERIFY(TraductionBoites::installer("qt_fr_FR"));
}

void TstImpression::cleanup() {
    Dialogues::setRepondeur(nullptr);
    TestUtil::vider_evenements();
}

void TstImpression::calcul_non_lance_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::newRow("fr") << "fr"
                        << "Calculer";
    QTest::newRow("en") << "en"
                        << "Calculation";
}

// Print before Calculate: the message of code 70, no dialog, and a fresh
// Print button wired again.
void TstImpression::calcul_non_lance() {
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    Banc b(langue);
    b.calculer(true, 43.0, 45.0, false);
    QPointer<BoutonPerso> ancien = b.w->imprimer;
    Scenario s;
    b.imprimer(s);
    QCOMPARE(s.vus, QStringList{"message:" + titre});
    QVERIFY(b.w->fenident == nullptr);
    QVERIFY(ancien.isNull());
    QVERIFY(b.w->imprimer);
    QCOMPARE(b.w->imprimer, b.w->bascalcul->getImprimer());
    // The new button is wired: a second press asks again.
    Scenario s2;
    b.imprimer(s2);
    QCOMPARE(s2.vus, QStringList{"message:" + titre});
}

void TstImpression::astigmatisme_faible_data() {
    QTest::addColumn<int>("reponse");
    QTest::newRow("torique confirme") << 0;
    QTest::newRow("revenir au calcul") << 1;
}

// The smallest lens over-corrects: the question, then the dialog only when
// the toric lens is confirmed.
void TstImpression::astigmatisme_faible() {
    QFETCH(int, reponse);
    Banc b("fr");
    b.calculer(true, 42.0, 42.3);
    Scenario s;
    s.reponse_toric = reponse;
    s.identite_ok = false;
    b.imprimer(s);
    QCOMPARE(s.vus.value(0), QString("message:Astigmatisme faible"));
    QCOMPARE(s.vus.contains("identite"), reponse == 0);
    QCOMPARE(b.w->fenident != nullptr, reponse == 0);
}

void TstImpression::question_identifiant_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("formulaire"); // the identifier typed in the form
    QTest::addColumn<bool>("accepte");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("ok_actif"); // OK can be pressed once it is typed
    QTest::addColumn<QString>("attendu");
    // The initial text is a hint: OK waits for an identifier, the sheet is
    // never printed without one.
    QTest::newRow("fr, sans modifier") << "fr"
                                       << "" << true << QString() << false << QString();
    QTest::newRow("en, sans modifier") << "en"
                                       << "" << true << QString() << false << QString();
    QTest::newRow("fr, saisi") << "fr"
                               << "" << true << "A-77" << true << "A-77";
    // No more than the form's field takes, on one line.
    QTest::newRow("en, trop long") << "en"
                                   << "" << true << QString(25, 'P') << true << QString(19, 'P');
    QTest::newRow("fr, cellule de tableur") << "fr"
                                            << "" << true << " B-12\r\n"
                                            << true << "B-12";
    // Blank once cleaned as the form cleans it: no identifier.
    QTest::newRow("fr, blancs") << "fr"
                                << "" << true << "   " << false << QString();
    QTest::newRow("en, tabulation et inversion")
        << "en"
        << "" << true << QString::fromUtf8("\t\u202e ") << false << QString();
    // A form whose identifier is blank once cleaned asks the same question.
    QTest::newRow("fr, formulaire blanc") << "fr"
                                          << "  \t " << true << "C-3" << true << "C-3";
    QTest::newRow("en, formulaire blanc, rien de saisi") << "en"
                                                         << "   " << true << QString() << false << QString();
    QTest::newRow("fr, annule") << "fr"
                                << "" << false << QString() << false << QString();
    QTest::newRow("en, annule") << "en"
                                << "" << false << QString() << false << QString();
}

// An identifier blank in the dialog: the question box, whose OK waits for
// an identifier that is not blank once cleaned; cancelling it, or leaving it
// without one, opens no preview.
void TstImpression::question_identifiant() {
    QFETCH(QString, langue);
    QFETCH(QString, formulaire);
    QFETCH(bool, accepte);
    QFETCH(QString, tape);
    QFETCH(bool, ok_actif);
    QFETCH(QString, attendu);
    Banc b(langue);
    b.calculer(true, 43.0, 45.0);
    Scenario s;
    s.remplir = [&](FenetreIdentite* f) { f->edit_nom_pat->setText(formulaire); };
    s.question_ok = accepte;
    s.texte_question = tape;
    s.enregistrer = false;
    b.imprimer(s);
    const bool fr = langue == "fr";
    QCOMPARE(s.vus.value(0), QString("identite"));
    QCOMPARE(s.vus.value(1),
             QString("question:") + (fr ? "Identification patient" : "Patient identification"));
    QCOMPARE(s.question_initial, QString());
    QCOMPARE(s.question_indice,
             fr ? QString::fromUtf8("ID ou n° patient") : QString::fromUtf8("Patient ID or n°"));
    QCOMPARE(s.question_longueur_max, 19);
    QCOMPARE(s.question_annuler, fr ? QString("Annuler") : QString("Cancel"));
    QCOMPARE(
        s.question_label,
        fr ? QString::fromUtf8(
                 "Vous devez indiquer un <b>identifiant ou n° patient</b> pour lequel l'implant "
                 "est calculé.<br>Cette information est nécessaire au traitement de votre "
                 "commande.")
           : QString::fromUtf8("Please enter the <b>patient ID or n°</b> corresponding to the calculated "
                               "IOL.<br>This information is necessary to your order treatment."));
    QVERIFY(!s.question_ok_au_debut);
    if (accepte)
        QCOMPARE(s.question_ok_actif, ok_actif);
    const bool apercu = accepte && ok_actif;
    QCOMPARE(s.vus.size(), apercu ? 3 : 2);
    if (apercu)
        QVERIFY(s.vus[2].startsWith("apercu:"));
    QCOMPARE(b.w->param_p->nom_pat_str_t, attendu);
    // The form holds the same identifier for the next sheets of the case.
    if (apercu)
        QCOMPARE(b.w->fenident->edit_nom_pat->text(), attendu);
    QVERIFY(bureau.ouverts.isEmpty());
}

void TstImpression::apercu_et_pdf_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("droit");
    QTest::addColumn<QString>("pays");
    QTest::addColumn<QString>("identifiant");
    QTest::addColumn<QString>("propose");
    QTest::newRow("fr OD France") << "fr" << true << "France"
                                  << "Dupont 12"
                                  << "Dupont 12_OD.pdf";
    QTest::newRow("en OS Germany") << "en" << false << "Germany"
                                   << "P-4521"
                                   << "P-4521_OS.pdf";
    QTest::newRow("separateurs") << "fr" << false << "Italy"
                                 << "12/03\\B"
                                 << "12_03_B_OS.pdf";
}

// The preview, its save action, the proposed name, the file written through
// the same drawing, the preview closed and the file handed to the desktop.
void TstImpression::apercu_et_pdf() {
    QFETCH(QString, langue);
    QFETCH(bool, droit);
    QFETCH(QString, pays);
    QFETCH(QString, identifiant);
    QFETCH(QString, propose);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("poppler-utils not installed");
    Banc b(langue);
    b.calculer(droit, 43.0, 45.0);
    const QString fichier =
        dossier.filePath(QString("sortie_%1.pdf").arg(QTest::currentDataTag()).replace(' ', '_'));
    Scenario s;
    s.remplir = [&](FenetreIdentite* f) {
        f->edit_nom_chir->setText("Dr Martin");
        f->edit_clinique->setText("Clinique du Lac");
        f->edit_nom_pat->setText(identifiant);
        f->edit_date->setDate(QDate(2031, 2, 17));
        f->edit_ville->setText("Lyon");
        f->combo_codepays->setCurrentIndex(FenetreIdentite::liste_pays().indexOf(pays));
    };
    s.fichier = fichier;
    b.imprimer(s);
    const bool fr = langue == "fr";
    QCOMPARE(s.vus.size(), 3);
    QCOMPARE(s.apercu_titre, fr ? QString::fromUtf8("Calculateur Torique Brevanta v" VERSION_TORIQUE
                                                    " - Aperçu avant impression")
                                : QString("Brevanta Toric Calculator v" VERSION_TORIQUE " - Print preview"));
    QCOMPARE(s.actions_barre.value(s.actions_barre.size() - 1), QString("Enregistrer"));
    QCOMPARE(s.vus[2], QString("fichier:Enregistrer"));
    QCOMPARE(s.noms_proposes, QStringList{propose});
    QCOMPARE(s.fichier_filtre, QString("*.pdf"));
    QVERIFY(!s.fichier_natif);
    QCOMPARE(s.fichier_mode, QFileDialog::AcceptSave);
    // The toolkit's file dialog speaks the page's language, whatever the
    // system's (French here).
    QCOMPARE(s.fichier_libelles, fr ? QStringList({"Voir dans :", "Nom de fichier :", "Enregistrer"})
                                    : QStringList({"Look in:", "File name:", "Save"}));
    QVERIFY(!s.apercu_visible_apres);
    QCOMPARE(bureau.ouverts, QList<QUrl>{QUrl::fromLocalFile(fichier)});
    // The record and the sheet keep the identifier as typed.
    const ListParam& p = *b.w->param_p;
    QCOMPARE(p.nom_pat_str_t, identifiant);
    QCOMPARE(p.date_str_t, fr ? QString("lundi 17 février 2031") : QString("Monday 17 February 2031"));
    QCOMPARE(p.codepays_str_t, pays);
    QCOMPARE(b.w->langue_p, langue);
    const QString texte = Processus::sans_blancs(Processus::texte_pdf(fichier));
    QVERIFY(texte.contains(QString(identifiant).remove(' ')));
    QVERIFY(texte.contains(fr ? "lundi17février2031" : "Monday17February2031"));
    QVERIFY(texte.contains("DrMartin"));
    QCOMPARE(texte.contains(droit ? "OD" : "OS"), true);
    QCOMPARE(texte.contains(QString::fromUtf8("Prêtmarqueur")), pays == "France");
    QVERIFY(!b.w->apercu);
}

// Cancelling the file dialog leaves the preview open; nothing is written.
void TstImpression::fichier_annule() {
    Banc b("en");
    b.calculer(false, 43.0, 45.0);
    Scenario s;
    s.remplir = [](FenetreIdentite* f) { f->edit_nom_pat->setText("X1"); };
    s.fichier.clear();
    b.imprimer(s);
    QCOMPARE(s.noms_proposes, QStringList{"X1_OS.pdf"});
    QVERIFY(s.apercu_visible_apres);
    QVERIFY(bureau.ouverts.isEmpty());
}

void TstImpression::dossier_propose_data() {
    QTest::addColumn<bool>("inscriptible");
    QTest::newRow("current folder writable") << true;
    // The installed program runs in its read-only picture folder; /proc/1
    // stands for it, since it cannot be written even by root.
    QTest::newRow("current folder read-only") << false;
}

void TstImpression::dossier_propose() {
    QFETCH(bool, inscriptible);
    const QString ici = QDir::currentPath();
    const QString courant = inscriptible ? dossier.path() : QString("/proc/1");
    QVERIFY(QDir::setCurrent(courant));
    Banc b("fr");
    b.calculer(true, 43.0, 45.0);
    Scenario s;
    s.remplir = [](FenetreIdentite* f) { f->edit_nom_pat->setText("P7"); };
    b.imprimer(s);
    QDir::setCurrent(ici);
    QCOMPARE(s.noms_proposes, QStringList{"P7_OD.pdf"});
    QCOMPARE(s.dossiers_proposes.size(), 1);
    if (inscriptible) {
        QCOMPARE(s.dossiers_proposes.first(), QDir(courant).absolutePath());
    } else {
        QVERIFY(s.dossiers_proposes.first() != courant);
        QVERIFY(QFileInfo(s.dossiers_proposes.first()).isWritable());
    }
}

void TstImpression::fichier_non_ecrit_data() {
    QTest::addColumn<QString>("langue");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("cible");
    QTest::addColumn<QString>("raison");
    QTest::newRow("fr") << "fr"
                        << "Enregistrer"
                        << "absent"
                        << "No such file or directory";
    QTest::newRow("en") << "en"
                        << "Save"
                        << "absent"
                        << "No such file or directory";
    // A device node of the test's own standing for /dev/full; the reason
    // that the toolkit words is in the page's language.
    QTest::newRow("fr, peripherique plein") << "fr"
                                            << "Enregistrer"
                                            << "peripherique"
                                            << "Aucun espace disponible sur le disque";
    QTest::newRow("en, limite de taille") << "en"
                                          << "Save"
                                          << "limite"
                                          << "File too large";
}

// A file that cannot be written whole: a warning naming it with the
// system's reason, the preview still open, nothing handed to the desktop, a
// file that was there before left as it was, a device still a device.
void TstImpression::fichier_non_ecrit() {
    QFETCH(QString, langue);
    QFETCH(QString, titre);
    QFETCH(QString, cible);
    QFETCH(QString, raison);
    Banc b(langue);
    b.calculer(true, 43.0, 45.0);
    QTemporaryDir ici;
    QString fichier = ici.filePath("absent/feuille.pdf");
    const QByteArray avant = "%PDF-1.4 a sheet written before\n";
    if (cible == "peripherique") {
        fichier = ici.filePath("plein");
        if (mknod(QFile::encodeName(fichier).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (not root)");
    } else if (cible == "limite") {
        fichier = ici.filePath("feuille.pdf");
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(avant) == avant.size());
    }
    Scenario s;
    s.remplir = [](FenetreIdentite* f) { f->edit_nom_pat->setText("X2"); };
    s.fichier = fichier;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
    // A file-size limit far below a sheet, for this process while it saves.
    struct rlimit limite_avant;
    getrlimit(RLIMIT_FSIZE, &limite_avant);
    if (cible == "limite") {
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limite = {4096, limite_avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    b.imprimer(s);
    setrlimit(RLIMIT_FSIZE, &limite_avant);
    QCOMPARE(s.vus.value(3), "message:" + titre);
    QVERIFY(s.messages.value(0).contains(fichier));
    QVERIFY2(s.messages.value(0).contains(raison), qPrintable(s.messages.value(0)));
    QVERIFY(s.apercu_visible_apres);
    QVERIFY(bureau.ouverts.isEmpty());
    const QStringList restes =
        QDir(ici.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    if (cible == "absent") {
        QVERIFY(!QFile::exists(fichier));
        QVERIFY(restes.isEmpty());
    } else if (cible == "peripherique") {
        struct stat st;
        QVERIFY(stat(QFile::encodeName(fichier).constData(), &st) == 0 && S_ISCHR(st.st_mode));
        QCOMPARE(restes, QStringList{"plein"});
    } else {
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), avant);
        QCOMPARE(restes, QStringList{"feuille.pdf"});
    }
}

// Cancel in the identification dialog: no preview, the values typed are
// kept for the next request.
void TstImpression::identification_annulee() {
    Banc b("fr");
    b.calculer(true, 43.0, 45.0);
    Scenario s;
    s.remplir = [](FenetreIdentite* f) { f->edit_nom_chir->setText("Dr Kept"); };
    s.identite_ok = false;
    b.imprimer(s);
    QCOMPARE(s.vus, QStringList{"identite"});
    Scenario s2;
    QString vu;
    s2.remplir = [&vu](FenetreIdentite* f) { vu = f->edit_nom_chir->text(); };
    s2.identite_ok = false;
    b.imprimer(s2);
    QCOMPARE(vu, QString("Dr Kept"));
}

// Second request: the values of the first one, the country included; after
// a new calculation the identifier is empty and the date is today.
void TstImpression::demande_suivante_et_nouveau_calcul() {
    Banc b("en");
    b.calculer(true, 43.0, 45.0);
    Scenario s;
    s.remplir = [](FenetreIdentite* f) {
        f->edit_nom_chir->setText("Dr Martin");
        f->edit_nom_pat->setText("P-1");
        f->edit_date->setDate(QDate(2031, 2, 17));
        f->edit_adresse1->setText("1 High Street");
        f->combo_codepays->setCurrentIndex(69);
    };
    s.enregistrer = false;
    b.imprimer(s);
    struct Vu {
        QString chir, pat, adresse;
        QDate date;
        int pays = -1;
    } vu;
    auto lire = [&vu](FenetreIdentite* f) {
        vu = {f->edit_nom_chir->text(), f->edit_nom_pat->text(), f->edit_adresse1->text(),
              f->edit_date->date(), f->combo_codepays->currentIndex()};
    };
    Scenario s2;
    s2.remplir = lire;
    s2.identite_ok = false;
    b.imprimer(s2);
    QCOMPARE(vu.chir, QString("Dr Martin"));
    QCOMPARE(vu.pat, QString("P-1"));
    QCOMPARE(vu.adresse, QString("1 High Street"));
    QCOMPARE(vu.date, QDate(2031, 2, 17));
    QCOMPARE(vu.pays, 69);

    TestUtil::presser(b.w->bascalcul->getNouveau(), 200);
    b.calculer(true, 43.0, 45.0);
    Scenario s3;
    s3.remplir = lire;
    s3.identite_ok = false;
    b.imprimer(s3);
    QCOMPARE(vu.chir, QString("Dr Martin"));
    QCOMPARE(vu.pat, QString());
    QCOMPARE(vu.date, QDate::currentDate());
    QCOMPARE(vu.pays, 69);
}

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
