#include "FenetrePrinc.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BandeBasAccueil.h"
#include "BandeBasCalcul.h"
#include "BandeBasImplant.h"
#include "BandeHaut.h"
#include "BoutonExit.h"
#include "BoutonImplant.h"
#include "BoutonPays.h"
#include "BoutonPerso.h"
#include "Dialogues.h"
#include "FenetreIdentite.h"
#include "FeuilleCalcul.h"
#include "FiltreSaisie.h"
#include "Identification.h"
#include "ListParam.h"
#include "PageAccueil.h"
#include "PageCalcul.h"
#include "PageImplant.h"
#include "Textes.h"
#include "TraductionBoites.h"
#include "Verification.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

FenetrePrinc::FenetrePrinc() : QWidget(nullptr), langue_p("fr"), param_p(new ListParam) {
    setObjectName("fenetre_principale");
    setWindowTitle(Textes::calculateur_version("fr"));
    setWindowIcon(LecteurImages::icone("icone.png"));
    setFixedSize(965, 650);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255, 255));
    setPalette(pal);
    move(10, 10);

    haut = new BandeHaut;
    haut->update_langue_bh(langue_p);
    anglais_p = haut->getAnglais();
    francais_p = haut->getFrancais();
    relier_drapeaux(&FenetrePrinc::traduction_page1);
    construire_page1();
}

FenetrePrinc::~FenetrePrinc() {
    // The identification form has no parent: the window keeps the latest.
    delete fenident;
    delete param_p;
}

// ---------------------------------------------------------------- page moves

void FenetrePrinc::relier_drapeaux(void (FenetrePrinc::*traduction)(QString)) {
    // A flag click must reach the translation of the page on screen only.
    for (BoutonPays* drapeau : {anglais_p, francais_p}) {
        disconnect(drapeau, &BoutonPays::click_pays, nullptr, nullptr);
        connect(drapeau, &BoutonPays::click_pays, this, traduction);
    }
}

void FenetrePrinc::construire_page1() {
    accueil = new PageAccueil;
    accueil->update_langue_a(langue_p);
    basaccueil = new BandeBasAccueil;
    basaccueil->update_langue_ba(langue_p);
    connect(basaccueil->getAccepter(), &BoutonPerso::click, this, &FenetrePrinc::page1vers2);
    connect(basaccueil->getExit(), &BoutonExit::click_exit, this, &QWidget::close);
    poser_layout(layoutaccueil, accueil, basaccueil);
    Accessibilite::entrer(accueil);
}

void FenetrePrinc::construire_page2() {
    implant = new PageImplant;
    implant->update_langue_i(langue_p);
    basimplant = new BandeBasImplant;
    basimplant->update_langue_bi(langue_p);
    connect(basimplant->getExit(), &BoutonExit::click_exit, this, &QWidget::close);
    connect(implant->getVelan(), &BoutonImplant::click_modele, this, &FenetrePrinc::page2vers3);
    connect(basimplant->getRetour1(), &BoutonPerso::click, this, &FenetrePrinc::page2vers1);
    poser_layout(layoutimplant, implant, basimplant);
}

void FenetrePrinc::construire_page3() {
    calcul = new PageCalcul(param_p);
    connect(calcul, &PageCalcul::verif, this, &FenetrePrinc::verif_calcul);
    calcul->update_langue_c(langue_p);
    bascalcul = new BandeBasCalcul;
    bascalcul->update_langue_bc(langue_p);
    connect(bascalcul->getExit(), &BoutonExit::click_exit, this, &QWidget::close);
    connect(bascalcul->getRetour2(), &BoutonPerso::click, this, &FenetrePrinc::page3vers2);
    connect(bascalcul->getNouveau(), &BoutonPerso::click, this, &FenetrePrinc::reset);
    imprimer = bascalcul->getImprimer();
    connect(imprimer, &BoutonPerso::click, this, &FenetrePrinc::open_identite);
    poser_layout(layoutcalcul, calcul, bascalcul);
    Accessibilite::entrer(calcul);
}

void FenetrePrinc::poser_layout(QVBoxLayout*& membre, QWidget* page, QWidget* bande) {
    auto* layout = new QVBoxLayout;
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(haut);
    layout->addWidget(page);
    layout->addWidget(bande);
    quitter_pages_sauf(page);
    membre = layout;
    setLayout(layout);
}

void FenetrePrinc::quitter_pages_sauf(QWidget* garder) {
    // The move runs inside the click of a button of the band being left:
    // its page and band leave the screen now and are destroyed once that
    // click has been handled.
    auto quitter = [garder](auto*& page, auto*& bande, QVBoxLayout*& layout) {
        if (!page || page == garder)
            return;
        delete layout;
        layout = nullptr;
        for (QWidget* w : {static_cast<QWidget*>(page), static_cast<QWidget*>(bande)}) {
            if (!w)
                continue;
            w->hide();
            w->deleteLater();
        }
        page = nullptr;
        bande = nullptr;
    };
    quitter(accueil, basaccueil, layoutaccueil);
    quitter(implant, basimplant, layoutimplant);
    if (calcul && calcul != garder)
        imprimer = nullptr;
    quitter(calcul, bascalcul, layoutcalcul);
}

void FenetrePrinc::remplacer_param(ListParam* p) {
    delete param_p;
    param_p = p;
}

void FenetrePrinc::page1vers2() {
    relier_drapeaux(&FenetrePrinc::traduction_page2);
    page2vers3("VELAN");
}

void FenetrePrinc::page2vers1() {
    relier_drapeaux(&FenetrePrinc::traduction_page1);
    construire_page1();
}

void FenetrePrinc::page2vers3(QString modele) {
    relier_drapeaux(&FenetrePrinc::traduction_page3);
    if (flag_save == 1 && confirm_reprise() == 1) {
        flag_save = 0;
        flag_reset = 1;
    }
    if (flag_save == 0) {
        // A new calculation keeps the basis of the lens choice.
        const CorneePosterieure::Methode methode = param_p->posterieure_t;
        remplacer_param(new ListParam);
        param_p->posterieure_t = methode;
    } else {
        // A resumed calculation comes back before its result: the user
        // calculates again.
        if (param_p->etape_t > 9)
            param_p->etape_t = 7;
        param_p->astpost_D_t = 0;
        param_p->astpost_axe_t = 0;
        param_p->choix_torique_t = 0;
    }
    param_p->modele_iol_t = modele;
    construire_page3();
}

void FenetrePrinc::page3vers2() {
    enreg_p();
    relier_drapeaux(&FenetrePrinc::traduction_page2);
    construire_page2();
    page2vers1();
}

void FenetrePrinc::reset() {
    if (!calcul)
        return;
    const QString modele = calcul->modele_iol;
    const CorneePosterieure::Methode methode = calcul->posterieure;
    delete layoutcalcul;
    layoutcalcul = nullptr;
    // The band's own button triggered the new calculation.
    calcul->hide();
    calcul->deleteLater();
    bascalcul->hide();
    bascalcul->deleteLater();
    calcul = nullptr;
    bascalcul = nullptr;
    imprimer = nullptr;

    flag_save = 0;
    remplacer_param(new ListParam);
    param_p->modele_iol_t = modele;
    param_p->posterieure_t = methode;
    construire_page3();
    flag_reset = 1;
}

// ------------------------------------------------------------------ language

// A flag pressed: the language of the window, and of the toolkit's own
// boxes opened from now on.
void FenetrePrinc::changer_langue(const QString& pays_p) {
    langue_p = pays_p;
    if (Textes::langue_connue(langue_p))
        TraductionBoites::installer("qt_" + langue_p);
    haut->update_langue_bh(langue_p);
}

void FenetrePrinc::traduction_page1(QString pays_p) {
    changer_langue(pays_p);
    if (accueil)
        accueil->update_langue_a(langue_p);
    if (basaccueil)
        basaccueil->update_langue_ba(langue_p);
}

void FenetrePrinc::traduction_page2(QString pays_p) {
    changer_langue(pays_p);
    if (implant)
        implant->update_langue_i(langue_p);
    if (basimplant)
        basimplant->update_langue_bi(langue_p);
}

void FenetrePrinc::traduction_page3(QString pays_p) {
    changer_langue(pays_p);
    if (calcul)
        calcul->update_langue_c(langue_p);
    if (bascalcul)
        bascalcul->update_langue_bc(langue_p);
}

// ------------------------------------------------------------------ snapshot

void FenetrePrinc::enreg_p() {
    if (!calcul)
        return;
    flag_save = 1;
    auto* p = new ListParam;
    const PageCalcul* c = calcul;

    p->langue_t = c->langue_c;
    p->modele_iol_t = c->modele_iol;
    if (c->oeil_c)
        p->oeil_t = c->oeil_c;
    // The entries, the keratometry in both units, what the page computed
    // from them; the results only while they are on screen.
    p->lire_calcul(c->entrees(), c->moteur, c->etape, c->choix_torique);

    if (p->langue_t == "fr")
        setLocale(QLocale(QLocale::French, QLocale::France));
    else if (p->langue_t == "en")
        setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    // The latest identification form, open or closed, once there was one.
    if (flag_imprim == 1 && fenident) {
        const FenetreIdentite* f = fenident;
        // The texts as the order form prints them: one line each, without
        // blanks at either end.
        auto texte = [](const QLineEdit* e) { return Identification::texte_propre(e->text()); };
        p->nom_chir_str_t = texte(f->edit_nom_chir);
        p->clinique_str_t = texte(f->edit_clinique);
        p->nom_pat_str_t = texte(f->edit_nom_pat);
        p->date_dat_t = f->edit_date->date();
        p->date_str_t = FenetreIdentite::texte_date(p->date_dat_t, p->langue_t);
        p->adresse1_str_t = texte(f->edit_adresse1);
        p->adresse2_str_t = texte(f->edit_adresse2);
        p->codepost_str_t = texte(f->edit_codepost);
        p->ville_str_t = texte(f->edit_ville);
        p->codepays_ind_t = f->combo_codepays->currentIndex();
        p->codepays_str_t = f->combo_codepays->currentText();
    }

    // A new calculation is for another patient: identifier and date start
    // afresh, surgeon and delivery address are kept.
    if (flag_reset == 1) {
        p->nom_pat_str_t.clear();
        p->date_dat_t = QDate::currentDate();
        p->date_str_t = QLocale::system().toString(p->date_dat_t, QLocale::LongFormat);
    }

    remplacer_param(p);
}

// ---------------------------------------------------------------- validation

int FenetrePrinc::verif_remp() {
    enreg_p();
    if (calcul)
        calcul->ok_err = false;
    return Verification::code(*param_p);
}

void FenetrePrinc::messages_erreur(int code) {
    // Messages exist in French and English only; another language neither
    // shows a message nor lets the calculation go on.
    if (langue_p != "fr" && langue_p != "en")
        return;
    if (code == Verification::ACCEPTE) {
        if (calcul)
            calcul->ok_err = true;
        return;
    }
    if (code == Verification::ASTIGMATISME_FAIBLE) {
        if (confirm_toric() == 0)
            flag_verif = Verification::ACCEPTE;
        return;
    }
    const Verification::Message m = Verification::message(code, langue_p);
    if (!m.existe)
        return;
    QMessageBox boite(m.avertissement ? QMessageBox::Warning : QMessageBox::Information, m.titre, m.texte,
                      QMessageBox::NoButton, this);
    boite.setObjectName("message_erreur");
    boite.setTextFormat(Qt::RichText);
    boite.addButton(QMessageBox::Ok);
    Dialogues::exec(&boite);
}

void FenetrePrinc::verif_calcul() {
    flag_verif = verif_remp();
    // All inputs entered but not yet calculated: this is the calculation.
    if (flag_verif == Verification::NON_CALCULE)
        flag_verif = Verification::ACCEPTE;
    messages_erreur(flag_verif);
}

// ------------------------------------------------------------------ questions

int FenetrePrinc::question(const QString& titre, const QString& texte, const QString& oui, const QString& non,
                           int sans_reponse) {
    QMessageBox boite;
    boite.setObjectName("question");
    boite.setIcon(QMessageBox::Question);
    boite.setWindowTitle(titre);
    boite.setText(texte);
    QPushButton* premier = boite.addButton(oui, QMessageBox::YesRole);
    QPushButton* second = boite.addButton(non, QMessageBox::NoRole);
    boite.setDefaultButton(premier);
    boite.setEscapeButton(sans_reponse == 0 ? premier : second);
    Dialogues::exec(&boite);
    if (boite.clickedButton() == premier)
        return 0;
    if (boite.clickedButton() == second)
        return 1;
    return sans_reponse;
}

int FenetrePrinc::confirm_quit() {
    if (langue_p == "fr")
        return question("Quitter", "Êtes-vous sûr de vouloir quitter le calculateur ?", "Oui", "Non");
    return question("Exit", "Do you really want to exit from the calculator ?", "Yes", "No");
}

// Only a press of "new calculation" erases the kept calculation: Escape and
// the box's close button resume it, as its first button does.
int FenetrePrinc::confirm_reprise() {
    if (langue_p == "fr")
        return question("Reprendre calcul",
                        "Les données du calcul en cours ont été conservées,<br>voulez-vous <b>reprendre ce "
                        "calcul ?</b>",
                        " Oui  (reprendre le calcul) ", " Non  (nouveau calcul) ", 0);
    return question("Resume calculation",
                    "Data of current calculation are still in memory,<br>do you want to <b>resume this "
                    "calculation ?</b>",
                    " Yes  (resume calculation) ", " No  (new calculation) ", 0);
}

int FenetrePrinc::confirm_toric() {
    const bool fr = langue_p == "fr";
    const Verification::Message q = Verification::question_astigmatisme_faible(fr ? "fr" : "en");
    if (fr)
        return question(q.titre, q.texte, " Oui  (torique confirmé) ", " Non  (revenir au calcul) ");
    return question(q.titre, q.texte, " Yes  (toric confirmed) ", " No  (return to calculation) ");
}

void FenetrePrinc::closeEvent(QCloseEvent* e) {
    if (confirm_quit() != 0) {
        e->ignore();
        return;
    }
    e->accept();
    // On a small screen the window sits in a scroll frame: the frame closes
    // with it, which ends the program.
    QWidget* cadre = window();
    if (cadre != this) {
        fermeture_acceptee = true;
        cadre->close();
        fermeture_acceptee = false;
    }
}

// ------------------------------------------- printing: identification form,
// calculation sheet, preview and PDF

// Print button: checks the calculation, then asks for the identification of
// the order. The dialog is kept after it closes: every later snapshot reads
// its editors back into the record.
void FenetrePrinc::open_identite() {
    flag_verif = verif_remp();
    messages_erreur(flag_verif);
    if (flag_verif == Verification::ACCEPTE) {
        // Only the latest dialog is read; the earlier one, closed since its
        // own request ended, is no longer needed.
        delete fenident;
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
        // The answer goes into the form's field: it takes what the field
        // takes, so that every sheet of the case carries the same identifier.
        // The hint is no identifier.
        auto* champ = question.findChild<QLineEdit*>();
        if (champ) {
            champ->setMaxLength(FenetreIdentite::LONGUEUR_PATIENT);
            champ->setValidator(new FiltreSaisie(champ));
        }
        if (fr) {
            question.setWindowTitle("Identification patient");
            question.setLabelText(
                QString::fromUtf8("Vous devez indiquer un <b>identifiant ou n° patient</b> pour lequel "
                                  "l'implant est calculé.<br>"
                                  "Cette information est nécessaire au traitement de votre commande."));
            if (champ)
                champ->setPlaceholderText(Textes::texte(Textes::PATIENT, "fr"));
        } else if (langue_p == "en") {
            question.setWindowTitle("Patient identification");
            question.setLabelText(QString::fromUtf8(
                "Please enter the <b>patient ID or n°</b> corresponding to the calculated IOL.<br>"
                "This information is necessary to your order treatment."));
            if (champ)
                champ->setPlaceholderText(Textes::texte(Textes::PATIENT, "en"));
        }
        // The order needs an identifier: OK waits for one that is not blank
        // once cleaned as the form cleans it. (Reading the button's text
        // makes the box lay out its buttons.)
        question.okButtonText();
        auto* boutons = question.findChild<QDialogButtonBox*>();
        QPushButton* ok = boutons ? boutons->button(QDialogButtonBox::Ok) : nullptr;
        auto suivre = [ok](const QString& texte) {
            if (ok)
                ok->setEnabled(!Identification::texte_propre(texte).isEmpty());
        };
        connect(&question, &QInputDialog::textValueChanged, &question, suivre);
        suivre(question.textValue());
        const bool confirme = Dialogues::exec(&question) == QDialog::Accepted;
        param_p->nom_pat_str_t = confirme ? Identification::texte_propre(question.textValue()) : QString();
        // Cancelled, or ended without an identifier: no sheet.
        if (param_p->nom_pat_str_t.isEmpty())
            return;
        // The identifier given here is the sheet's: the form holds it too,
        // since every later snapshot reads the form, so that the next
        // request shows it instead of asking again.
        if (fenident)
            fenident->edit_nom_pat->setText(param_p->nom_pat_str_t);
    }

    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setFontEmbeddingEnabled(true);
    printer->setOutputFormat(QPrinter::NativeFormat);
    apercu = new QPrintPreviewDialog(printer.get(), this,
                                     Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    apercu->setObjectName("apercu");
    if (Textes::langue_connue(langue_p))
        apercu->setWindowTitle(Textes::calculateur_version(langue_p) +
                               Textes::selon(langue_p, " - Aperçu avant impression", " - Print preview"));
    connect(apercu, &QPrintPreviewDialog::paintRequested, this, &FenetrePrinc::imp_apercu);

    auto* enregistrer =
        new QAction(LecteurImages::icone("save02.png"), Textes::texte(Textes::ENREGISTRER, "fr"), this);
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
    // The name is proposed in the current folder, as long as it can be
    // written: the installed program runs in its read-only picture folder,
    // and then the user's documents folder (or home) is proposed instead.
    QString dossier;
    if (!QFileInfo(QDir::currentPath()).isWritable()) {
        dossier = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (dossier.isEmpty() || !QFileInfo(dossier).isDir())
            dossier = QDir::homePath();
    }
    auto demander = [this, &dossier](bool oeil_droit) {
        QFileDialog dialogue(this, Textes::texte(Textes::ENREGISTRER, "fr"), dossier, "*.pdf");
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
// the desktop's viewer. A file that could not be written whole is reported
// with the system's reason and nothing is opened; the preview stays open for
// another try, and a file that was there before is left as it was.
void FenetrePrinc::accept_pdf(QString fileName) {
    preparer_feuille();
    QString raison;
    feuille_ecrite = FeuilleCalcul::ecrire_pdf(fileName, *param_p, test_police_p, &raison);
    if (!feuille_ecrite) {
        QMessageBox echec(QMessageBox::Warning, FeuilleCalcul::titre_non_ecrit(langue_p),
                          FeuilleCalcul::message_non_ecrit(fileName, langue_p, raison), QMessageBox::NoButton,
                          this);
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

// What every drawing of the sheet starts with: the font level of the page,
// the record's language, the identification dialog closed.
void FenetrePrinc::preparer_feuille() {
    if (calcul)
        test_police_p = calcul->test_police;
    langue_p = param_p->langue_t;
    if (fenident && fenident->isVisible())
        fenident->close();
}

// Draws the calculation sheet of the current record on the printer of the
// preview or of the print dialog.
void FenetrePrinc::imp_apercu(QPrinter* Printer) {
    preparer_feuille();
    feuille_ecrite = FeuilleCalcul::dessiner(Printer, *param_p, test_police_p);
}
