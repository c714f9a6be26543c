#include "FenetreIdentite.h"
#include "FiltreSaisie.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BandeLaterale.h"
#include "BoutonPerso.h"
#include "HEspace.h"
#include "ListParam.h"
#include "Textes.h"
#include "VEspace.h"

#include <QBrush>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
constexpr int LARGEUR_FENETRE = 410;
constexpr int HAUTEUR_FENETRE = 675;
constexpr int HAUTEUR_BANDE_HAUT = 5;
constexpr int HAUTEUR_BANDE_BAS = 50;
constexpr int LARGEUR_CONTENU = 360;
constexpr int HAUTEUR_LIGNE = 40;
constexpr int HAUTEUR_TITRE = 30;
// Width the longest label may take before the fonts are made smaller.
constexpr int LARGEUR_LABEL_MAX = 154;

const QColor blanc(255, 255, 255);
const QColor bleu(0, 160, 194);

// A text field of the order form: line breaks and control characters typed
// or pasted become spaces, so that the sheet prints the text on its line.
QLineEdit* editeur(const QFont& f, int largeur, int longueur_max) {
    auto* e = new QLineEdit;
    e->setFont(f);
    e->setFixedWidth(largeur);
    e->setMaxLength(longueur_max);
    e->setValidator(new FiltreSaisie(e));
    return e;
}
} // namespace

const QStringList& FenetreIdentite::liste_pays() {
    return Identification::liste_pays();
}

QString FenetreIdentite::texte_date(const QDate& d, const QString& langue) {
    return Identification::texte_date(d, langue);
}

FenetreIdentite::FenetreIdentite(ListParam* param, int load) : QDialog(nullptr) {
    // State from the record.
    setFocusPolicy(Qt::ClickFocus);
    langue_id = param->langue_t;
    flag_load = load;
    transfertParam_info(param);

    setFixedSize(LARGEUR_FENETRE, HAUTEUR_FENETRE);
    choisir_polices();
    setWindowIcon(LecteurImages::icone("icone.png"));

    QFrame* sectionChir = construire_chirurgien();
    QFrame* sectionPat = construire_patient();
    QFrame* sectionLivr = construire_livraison();
    assembler({sectionChir, sectionPat, sectionLivr}, construire_boutons());

    // Texts.
    update_langue_id(langue_id);
}

// Smaller fonts when the system's fonts are wide: the longest label must
// fit its column.
void FenetreIdentite::choisir_polices() {
    fontTitre = QFont("Arial", 11, QFont::Bold);
    fontTexte = QFont("Arial", 10, QFont::Normal);
    const QString texte_test = Textes::texte(Textes::DATE_PREVUE, "fr", Textes::LIBELLE);
    test_FM_i = QFontMetrics(fontTexte);
    test_width_i = test_FM_i.horizontalAdvance(texte_test);
    if (test_width_i > LARGEUR_LABEL_MAX) {
        fontTitre = QFont("Arial", 10, QFont::Bold);
        fontTexte = QFont("Arial", 9, QFont::Normal);
        test_FM_i = QFontMetrics(fontTexte);
        test_width_i = test_FM_i.horizontalAdvance(texte_test);
        if (test_width_i > LARGEUR_LABEL_MAX) {
            fontTitre = QFont("Arial", 9, QFont::Bold);
            fontTexte = QFont("Arial", 8, QFont::Normal);
        }
    }
}

// A frame on white.
void FenetreIdentite::sur_blanc(QFrame* f) {
    QPalette p = palette();
    p.setColor(QPalette::Window, blanc);
    f->setPalette(p);
    f->setAutoFillBackground(true);
}

// A section: its title, a spacer, its rows.
QFrame* FenetreIdentite::section(QLabel*& titre, std::initializer_list<QWidget*> lignes, int hauteur) {
    auto* s = new QFrame;
    s->setFixedWidth(LARGEUR_CONTENU);
    if (hauteur > 0)
        s->setFixedHeight(hauteur);
    sur_blanc(s);
    auto* l = new QVBoxLayout(s);
    l->setSpacing(0);
    l->setContentsMargins(0, 0, 0, 0);
    l->setAlignment(Qt::AlignTop);
    l->addWidget(titre_section(titre));
    l->addWidget(new VEspace(5));
    for (QWidget* w : lignes)
        l->addWidget(w);
    return s;
}

// A row of a label and a text field.
QFrame* FenetreIdentite::ligne_edition(QLabel*& label, int largeur_label, QLineEdit*& edit, const char* nom,
                                       int largeur, int longueur_max) {
    QFrame* cadre = ligne(label, largeur_label);
    edit = editeur(fontTexte, largeur, longueur_max);
    edit->setObjectName(nom);
    cadre->layout()->addWidget(edit);
    return cadre;
}

// The surgeon and the establishment.
QFrame* FenetreIdentite::construire_chirurgien() {
    nom_chir = ligne_edition(label_nom_chir, 165, edit_nom_chir, "edit_nom_chir", 170, 25);
    if (flag_load == 1)
        edit_nom_chir->setText(nom_chir_str);
    clinique = ligne_edition(label_clinique, 165, edit_clinique, "edit_clinique", 170, 25);
    if (flag_load == 1)
        edit_clinique->setText(clinique_str);
    return section(titre_chir, {nom_chir, clinique}, 120);
}

// The patient: identifier, planned date and its calendar.
QFrame* FenetreIdentite::construire_patient() {
    nom_pat = ligne_edition(label_nom_pat, 165, edit_nom_pat, "edit_nom_pat", 170, LONGUEUR_PATIENT);
    edit_nom_pat->setText(nom_pat_str);

    date = ligne(label_date, 165);
    if (flag_load == 0)
        date_dat = QDate::currentDate();
    edit_date = new QDateEdit(date_dat);
    edit_date->setObjectName("edit_date");
    edit_date->setFont(fontTexte);
    edit_date->setCalendarPopup(false);
    date->layout()->addWidget(edit_date);
    construire_calendrier();
    return section(titre_pat, {nom_pat, date, calendrier}, 0);
}

// The calendar, in step with the date editor.
void FenetreIdentite::construire_calendrier() {
    calend = new QCalendarWidget;
    calend->setObjectName("calend");
    calend->setFixedSize(315, 155);
    calend->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calend->setFirstDayOfWeek(Qt::Monday);
    calend->setGridVisible(true);
    calend->setSelectedDate(date_dat);
    calendrier = new QFrame;
    calendrier->setFixedSize(LARGEUR_CONTENU, 185);
    sur_blanc(calendrier);
    auto* layoutCal = new QVBoxLayout(calendrier);
    layoutCal->setContentsMargins(0, 5, 0, 15);
    layoutCal->setSpacing(0);
    layoutCal->addWidget(calend, 0, Qt::AlignTop | Qt::AlignHCenter);
    connect(edit_date, &QDateEdit::dateChanged, this, &FenetreIdentite::update_cal_date);
    connect(calend, &QCalendarWidget::clicked, this, &FenetreIdentite::update_edit_date);
    edit_date->installEventFilter(this);
    calend->installEventFilter(this);
    // The wheel reaches the calendar's month view and its year editor, not
    // the calendar itself: they are filtered too.
    for (QWidget* w : calend->findChildren<QWidget*>())
        w->installEventFilter(this);
}

// The delivery address: two lines, city, postcode and country.
QFrame* FenetreIdentite::construire_livraison() {
    adresse1 = ligne_edition(label_adresse1, 80, edit_adresse1, "edit_adresse1", 255, 40);
    adresse2 = ligne_edition(label_adresse2, 80, edit_adresse2, "edit_adresse2", 255, 40);
    ville = ligne_edition(label_ville, 80, edit_ville, "edit_ville", 255, 20);
    codepays = ligne_edition(label_codepost, 80, edit_codepost, "edit_codepost", 60, 7);
    codepays->layout()->addWidget(new HEspace(35));
    label_codepays = new QLabel;
    label_codepays->setFont(fontTexte);
    label_codepays->setFixedWidth(60);
    label_codepays->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    codepays->layout()->addWidget(label_codepays);
    combo_codepays = new QComboBox;
    combo_codepays->setObjectName("combo_codepays");
    combo_codepays->setFont(fontTexte);
    combo_codepays->setFixedWidth(100);
    combo_codepays->addItems(liste_pays());
    combo_codepays->installEventFilter(this);
    codepays->layout()->addWidget(combo_codepays);
    if (flag_load == 1) {
        edit_adresse1->setText(adresse1_str);
        edit_adresse2->setText(adresse2_str);
        edit_ville->setText(ville_str);
        edit_codepost->setText(codepost_str);
        combo_codepays->setCurrentIndex(codepays_ind);
    }
    return section(titre_livr, {adresse1, adresse2, ville, codepays}, 200);
}

// OK and Cancel in the bottom band.
QFrame* FenetreIdentite::construire_boutons() {
    boutonOK = new BoutonPerso(100, 30);
    boutonOK->setObjectName("boutonOK");
    boutonOK->setText("OK");
    boutonCancel = new BoutonPerso(100, 30);
    boutonCancel->setObjectName("boutonCancel");
    connect(boutonCancel, &BoutonPerso::click, this, &QDialog::close);
    auto* bandeBas = new QFrame;
    bandeBas->setFixedSize(LARGEUR_FENETRE, HAUTEUR_BANDE_BAS);
    QPalette paletteBas = bandeBas->palette();
    paletteBas.setBrush(QPalette::Window, QBrush(LecteurImages::pixmap("bandeau_bas_ident_410x50pix.png")));
    bandeBas->setPalette(paletteBas);
    bandeBas->setAutoFillBackground(true);
    auto* layoutBoutons = new QHBoxLayout(bandeBas);
    layoutBoutons->setSpacing(0);
    layoutBoutons->setContentsMargins(0, 0, 0, 3);
    layoutBoutons->setAlignment(Qt::AlignCenter);
    layoutBoutons->addWidget(boutonOK);
    layoutBoutons->addWidget(new HEspace(30));
    layoutBoutons->addWidget(boutonCancel);
    return bandeBas;
}

// The sections on the blue panel between the side bands, under a white
// band and above the buttons.
void FenetreIdentite::assembler(std::initializer_list<QFrame*> sections, QFrame* bandeBas) {
    auto* bandeHaut = new QFrame;
    bandeHaut->setFixedHeight(HAUTEUR_BANDE_HAUT);
    sur_blanc(bandeHaut);

    auto* contenu = new QFrame;
    contenu->setFixedWidth(LARGEUR_CONTENU + 10);
    QPalette paletteBleue = palette();
    paletteBleue.setColor(QPalette::Window, bleu);
    paletteBleue.setColor(QPalette::Base, blanc);
    contenu->setPalette(paletteBleue);
    contenu->setAutoFillBackground(true);
    auto* layoutContenu = new QVBoxLayout(contenu);
    layoutContenu->setContentsMargins(0, 0, 0, 0);
    layoutContenu->setSpacing(0);
    layoutContenu->addWidget(new VEspace(5));
    for (QFrame* s : sections)
        layoutContenu->addWidget(s, 0, Qt::AlignHCenter);
    layoutContenu->addWidget(new VEspace(5));

    auto* centre = new QFrame;
    centre->setFixedWidth(LARGEUR_FENETRE);
    sur_blanc(centre);
    auto* layoutCentre = new QHBoxLayout(centre);
    layoutCentre->setContentsMargins(0, 0, 0, 0);
    layoutCentre->setSpacing(0);
    layoutCentre->addWidget(new BandeLaterale(4, 1));
    layoutCentre->addWidget(contenu);
    layoutCentre->addWidget(new BandeLaterale(4, 2));

    auto* layoutFenetre = new QVBoxLayout(this);
    layoutFenetre->setContentsMargins(0, 0, 0, 0);
    layoutFenetre->setSpacing(0);
    layoutFenetre->addWidget(bandeHaut);
    layoutFenetre->addWidget(centre);
    layoutFenetre->addWidget(bandeBas);
}

QFrame* FenetreIdentite::titre_section(QLabel*& titre) {
    auto* cadre = new QFrame;
    cadre->setFixedSize(LARGEUR_CONTENU, HAUTEUR_TITRE);
    cadre->setFrameShape(QFrame::Box);
    cadre->setStyleSheet(
        "QFrame {background: #00A0C2; color: #FFFFFF; border-width: 0px; border-radius: 5px; "
        "margin: 2px;}");
    titre = new QLabel;
    titre->setFont(fontTitre);
    titre->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* l = new QVBoxLayout(cadre);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(titre, 0, Qt::AlignVCenter);
    return cadre;
}

QFrame* FenetreIdentite::ligne(QLabel*& label, int largeur_label) {
    auto* cadre = new QFrame;
    cadre->setFixedSize(LARGEUR_CONTENU, HAUTEUR_LIGNE);
    cadre->setAutoFillBackground(true);
    auto* l = new QHBoxLayout(cadre);
    l->setContentsMargins(10, 0, 0, 0);
    l->setSpacing(0);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label = new QLabel;
    label->setFont(fontTexte);
    label->setFixedWidth(largeur_label);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->addWidget(label);
    return cadre;
}

void FenetreIdentite::transfertParam_info(ListParam* param) {
    nom_chir_str = param->nom_chir_str_t;
    clinique_str = param->clinique_str_t;
    nom_pat_str = param->nom_pat_str_t;
    date_dat = param->date_dat_t;
    adresse1_str = param->adresse1_str_t;
    adresse2_str = param->adresse2_str_t;
    codepost_str = param->codepost_str_t;
    ville_str = param->ville_str_t;
    codepays_ind = param->codepays_ind_t;
    codepays_str = param->codepays_str_t;
}

void FenetreIdentite::update_langue_id(QString langue) {
    langue_id = langue;
    Accessibilite::preparer(this, langue);
    const bool fr = langue == "fr";
    if (!fr && langue != "en")
        return;
    auto noir = [](const QString& t) { return QString("<font color=\"#000000\">%1</font>").arg(t); };
    auto blanc_t = [](const QString& t) { return QString("<font color=\"#FFFFFF\">%1</font>").arg(t); };
    if (fr) {
        setLocale(QLocale(QLocale::French, QLocale::France));
        setWindowTitle(QString::fromUtf8("Informations supplémentaires"));
        titre_chir->setText(blanc_t("INFORMATIONS CHIRURGIEN :"));
        label_nom_chir->setText(noir("Nom du chirurgien :"));
        titre_pat->setText(blanc_t("INFORMATIONS PATIENT :"));
        titre_livr->setText(blanc_t("ADRESSE DE LIVRAISON :"));
        label_adresse1->setText(noir("Adresse :"));
        label_ville->setText(noir("Ville :"));
        label_codepost->setText(noir("CP :"));
        label_codepays->setText(noir("Pays :"));
        boutonCancel->setText("Annuler");
    } else {
        setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        setWindowTitle("Additional information");
        titre_chir->setText(blanc_t("SURGEON INFORMATION :"));
        label_nom_chir->setText(noir("Surgeon name :"));
        titre_pat->setText(blanc_t("PATIENT INFORMATION :"));
        titre_livr->setText(blanc_t("DELIVERY ADDRESS :"));
        label_adresse1->setText(noir("Address :"));
        label_ville->setText(noir("City :"));
        label_codepost->setText(noir("Postcode :"));
        label_codepays->setText(noir("Country :"));
        boutonCancel->setText("Cancel");
    }
    label_clinique->setText(noir(Textes::texte(Textes::ETABLISSEMENT, langue, Textes::LIBELLE)));
    label_nom_pat->setText(noir(Textes::texte(Textes::PATIENT, langue, Textes::LIBELLE)));
    label_date->setText(noir(Textes::texte(Textes::DATE_PREVUE, langue, Textes::LIBELLE)));
    label_adresse2->setText(noir(""));
    // A change of locale gives the calendar the locale's first day of the
    // week: weeks start on Monday in both languages.
    calend->setFirstDayOfWeek(Qt::Monday);
    if (flag_load == 0)
        combo_codepays->setCurrentIndex(fr ? INDEX_FRANCE : 0);
}

void FenetreIdentite::update_edit_date(QDate d) {
    date_dat = d;
    edit_date->setDate(d);
}

void FenetreIdentite::update_cal_date(QDate d) {
    date_dat = d;
    calend->setSelectedDate(d);
}

bool FenetreIdentite::eventFilter(QObject* obj, QEvent* event) {
    if (event->type() == QEvent::Wheel)
        return true;
    return QDialog::eventFilter(obj, event);
}
