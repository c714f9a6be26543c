#include "FenetrePrinc.h"

#include "BandeBasCalcul.h"
#include "BoutonPerso.h"
#include "Dialogues.h"
#include "FenetreIdentite.h"
#include "FeuilleCalcul.h"
#include "ListParam.h"
#include "PageCalcul.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <QUrl>
#include <memory>

#include <QCloseEvent>

// Placeholder: the main window is being written.
FenetrePrinc::FenetrePrinc() : QWidget(nullptr), langue_p("fr"), param_p(new ListParam) {
    setWindowTitle("Calculateur Torique Brevanta v2.0.0");
    setFixedSize(965, 650);
    move(10, 10);
}
FenetrePrinc::~FenetrePrinc() { delete param_p; }
void FenetrePrinc::enreg_p() {}
int FenetrePrinc::verif_remp() { return 0; }
void FenetrePrinc::messages_erreur(int) {}
void FenetrePrinc::page1vers2() {}
void FenetrePrinc::page2vers1() {}
void FenetrePrinc::page2vers3(QString) {}
void FenetrePrinc::page3vers2() {}
void FenetrePrinc::traduction_page1(QString) {}
void FenetrePrinc::traduction_page2(QString) {}
void FenetrePrinc::traduction_page3(QString) {}
// Print button: checks the calculation, then asks for the identification of
// the order. The dialog is kept after it closes: every later snapshot reads
// its editors back into the record.
void FenetrePrinc::open_identite() {
    flag_verif = verif_remp();
    messages_erreur(flag_verif);
    if (flag_verif == 0) {
        // Only the latest dialog is read; an earlier one is no longer needed.
        if (fenident)
            fenident->deleteLater();
        fenident = new FenetreIdentite(param_p, flag_save_info);
        boutonOK = fenident->getOK();
        connect(boutonOK, &BoutonPerso::click, this, &FenetrePrinc::impression2);
        flag_save_info = 1;
        flag_imprim = 1;
        enreg_p();
        // Cleared before the dialog runs, so that the snapshot taken on OK
        // keeps the identifier typed in the dialog.
        flag_reset = 0;
        Dialogues::exec(fenident);
    }
    // The Print button that was pressed is replaced by a fresh one (the band
    // deletes the old one once its click has been delivered).
    if (bascalcul) {
        bascalcul->hide();
        bascalcul->regenImprimer();
        imprimer = bascalcul->getImprimer();
        connect(imprimer, &BoutonPerso::click, this, &FenetrePrinc::open_identite);
        bascalcul->show();
    }
}

// OK of the identification dialog: snapshot with the dialog's values, a
// patient identifier if none was given, then the print preview of the sheet.
void FenetrePrinc::impression2() {
    enreg_p();
    langue_p = param_p->langue_t;
    const bool fr = langue_p == "fr";
    if (fenident)
        fenident->close();
    if (boutonOK) {
        // The OK button is the sender of the click being handled: it may
        // deliver no further click and goes once this one is over.
        boutonOK->disconnect(this);
        boutonOK->hide();
        boutonOK->deleteLater();
        boutonOK = nullptr;
    }

    if (param_p->nom_pat_str_t.isEmpty()) {
        QInputDialog question(this);
        question.setObjectName("question_identifiant");
        question.setInputMode(QInputDialog::TextInput);
        question.setTextEchoMode(QLineEdit::Normal);
        if (fr) {
            question.setWindowTitle("Identification patient");
            question.setLabelText(QString::fromUtf8(
                "Vous devez indiquer un <b>identifiant ou n° patient</b> pour lequel l'implant est calculé.<br>"
                "Cette information est nécessaire au traitement de votre commande."));
            question.setTextValue(QString::fromUtf8("ID ou n° patient"));
        } else if (langue_p == "en") {
            question.setWindowTitle("Patient identification");
            question.setLabelText(QString::fromUtf8(
                "Please enter the <b>patient ID or n°</b> corresponding to the calculated IOL.<br>"
                "This information is necessary to your order treatment."));
            question.setTextValue(QString::fromUtf8("Patient ID or n°"));
        }
        const bool confirme = Dialogues::exec(&question) == QDialog::Accepted;
        param_p->nom_pat_str_t = confirme ? question.textValue() : QString();
        if (!confirme)
            return;
    }

    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setFontEmbeddingEnabled(true);
    printer->setOutputFormat(QPrinter::NativeFormat);
    apercu = new QPrintPreviewDialog(printer.get(), this,
                                     Qt::Dialog | Qt::WindowMinMaxButtonsHint |
                                         Qt::WindowCloseButtonHint);
    apercu->setObjectName("apercu");
    if (fr)
        apercu->setWindowTitle(QString::fromUtf8("Calculateur Torique Brevanta v2.0.0 - Aperçu avant impression"));
    else if (langue_p == "en")
        apercu->setWindowTitle("Brevanta Toric Calculator v2.0.0 - Print preview");
    connect(apercu, &QPrintPreviewDialog::paintRequested, this, &FenetrePrinc::imp_apercu);

    auto* enregistrer = new QAction(QIcon("save02.png"), "Enregistrer", this);
    enregistrer->setObjectName("action_enregistrer");
    const QList<QToolBar*> barres = apercu->findChildren<QToolBar*>();
    if (!barres.isEmpty())
        barres.first()->addAction(enregistrer);
    connect(enregistrer, &QAction::triggered, this, &FenetrePrinc::save_pdf);

    Dialogues::exec(apercu);

    // The preview, its printer and the action belong to this request only.
    delete apercu;
    apercu = nullptr;
    delete enregistrer;
}

// Save action of the preview: a PDF named after the patient and the eye.
void FenetrePrinc::save_pdf() {
    auto demander = [this](bool oeil_droit) {
        QFileDialog dialogue(this, "Enregistrer", QString(), "*.pdf");
        dialogue.setObjectName("dialogue_enregistrer");
        dialogue.setOption(QFileDialog::DontUseNativeDialog);
        dialogue.setAcceptMode(QFileDialog::AcceptSave);
        dialogue.setFileMode(QFileDialog::AnyFile);
        // The identifier is proposed as typed, except for the characters that
        // cannot stand in a file name.
        dialogue.selectFile(FeuilleCalcul::nom_fichier(param_p->nom_pat_str_t, oeil_droit));
        if (Dialogues::exec(&dialogue) != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
            return QString();
        return dialogue.selectedFiles().first();
    };
    QString fichier;
    if (param_p->enab_od_t)
        fichier = demander(true);
    if (param_p->enab_og_t)
        fichier = demander(false);
    if (!fichier.isEmpty())
        accept_pdf(fichier);
}

// Writes the sheet as a PDF file, closes the preview and opens the file in
// the desktop's viewer. A file that could not be written is reported and
// nothing is opened; the preview stays open for another try.
void FenetrePrinc::accept_pdf(QString fileName) {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setFontEmbeddingEnabled(true);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    imp_apercu(&printer);
    if (!feuille_ecrite) {
        const bool fr = langue_p == "fr";
        QMessageBox echec(QMessageBox::Warning, fr ? "Enregistrer" : "Save",
                          fr ? QString::fromUtf8("Le fichier %1 n'a pas pu être écrit.").arg(fileName)
                             : QString("The file %1 could not be written.").arg(fileName),
                          QMessageBox::NoButton, this);
        echec.setObjectName("echec_enregistrement");
        echec.setTextFormat(Qt::PlainText);
        echec.addButton(QMessageBox::Ok);
        Dialogues::exec(&echec);
        return;
    }
    if (apercu)
        apercu->close();
    QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

// Draws the calculation sheet of the current record on the printer of the
// preview, of the print dialog or of the PDF export.
void FenetrePrinc::imp_apercu(QPrinter* Printer) {
    if (calcul)
        test_police_p = calcul->test_police;
    langue_p = param_p->langue_t;
    if (fenident && fenident->isVisible())
        fenident->close();
    feuille_ecrite = FeuilleCalcul::dessiner(Printer, *param_p, test_police_p);
}
void FenetrePrinc::reset() {}
void FenetrePrinc::verif_calcul() {}
int FenetrePrinc::confirm_quit() { return 0; }
int FenetrePrinc::confirm_reprise() { return 0; }
int FenetrePrinc::confirm_toric() { return 0; }
void FenetrePrinc::closeEvent(QCloseEvent* e) { e->accept(); }
