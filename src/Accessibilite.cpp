#include "Accessibilite.h"

#include "BoutonImage.h"
#include "BoutonStyle.h"
#include "Textes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QWidget>

namespace {

// What a screen reader says of a widget, known by its object name: its
// name and description in French and in English, or a text that the page,
// the sheet and the terminal show too (Textes). No name leaves the widget's
// own text as its name (the value labels); no description sets none.
struct Nom {
    const char* objet;
    Textes::Paire nom;
    Textes::Paire description;
};

const Nom NOMS[] = {
    // Top band: each flag is named in its own language too, so that a
    // user who does not read the language on screen still finds it.
    {"francais",
     {"Français", "Français (French)"},
     {"Afficher le calculateur en français", "Show the calculator in French"}},
    {"anglais",
     {"Anglais (English)", "English"},
     {"Afficher le calculateur en anglais", "Show the calculator in English"}},

    // Bands and their buttons.
    {"aide", {"Aide", "Help"}, {"Ouvrir la fenêtre d'aide", "Open the help window"}},
    {"exit_accueil", {"Quitter", "Exit"}, {"Fermer le calculateur", "Close the calculator"}},
    {"exit_implant", {"Quitter", "Exit"}, {"Fermer le calculateur", "Close the calculator"}},
    {"exit_calcul", {"Quitter", "Exit"}, {"Fermer le calculateur", "Close the calculator"}},
    {"accepter",
     {"Commencer le calcul", "Start calculation"},
     {"Accepter les conditions d'utilisation et ouvrir la page de calcul",
      "Accept the conditions of use and open the calculation page"}},
    {"retour1", Textes::PAGE_PRECEDENTE, {"Revenir à la page d'accueil", "Back to the welcome page"}},
    {"retour2",
     Textes::PAGE_PRECEDENTE,
     {"Revenir à la page d'accueil ; le calcul est conservé",
      "Back to the welcome page; the calculation is kept"}},
    {"nouveau",
     Textes::NOUVEAU_CALCUL,
     {"Effacer toutes les données et recommencer", "Clear all data and start again"}},
    {"imprimer",
     {"Imprimer", "Print"},
     {"Identification du patient, puis aperçu, impression ou enregistrement de la fiche de calcul",
      "Patient identification, then preview, printing or saving of the calculation sheet"}},

    // Welcome and model pages.
    {"intro3",
     {"Conditions d'utilisation", "Conditions of use"},
     {"Commencer le calcul vaut acceptation de ces conditions",
      "Starting the calculation means agreeing to these conditions"}},
    {"velan",
     {"Implant torique VELAN T", "VELAN T toric IOL"},
     {"Choisir ce modèle et ouvrir la page de calcul", "Select this model and open the calculation page"}},

    // Calculation page: the inputs in the order of the guided steps.
    {"oeil_droit",
     {"Œil droit (OD)", "Right eye (OD)"},
     {"Choisir l'œil opéré : l'œil droit", "Choose the operated eye: the right eye"}},
    {"oeil_gauche",
     {"Œil gauche (OS)", "Left eye (OS)"},
     {"Choisir l'œil opéré : l'œil gauche", "Choose the operated eye: the left eye"}},
    {"od",
     {"Œil droit", "Right eye"},
     {"Grisé tant que l'œil droit n'est pas choisi", "Greyed until the right eye is chosen"}},
    {"og",
     {"Œil gauche", "Left eye"},
     {"Grisé tant que l'œil gauche n'est pas choisi", "Greyed until the left eye is chosen"}},
    {"combo_sph",
     Textes::PUISSANCE_SEQ,
     {"Équivalent sphérique en dioptries, de 10.0 à 35.0, le même que pour un implant non torique",
      "Spherical equivalent in dioptres, 10.0 to 35.0, the same as for a non-toric IOL"}},
    {"unites", {"Unité des données kératométriques", "Keratometry data unit"}, {}},
    {"diop", Textes::DIOPTRIES, {"K1 et K2 en puissance, en dioptries", "K1 and K2 as powers, in dioptres"}},
    {"mili",
     Textes::MILLIMETRES,
     {"K1 et K2 en rayon de courbure, en millimètres", "K1 and K2 as radii of curvature, in millimetres"}},
    {"spin_K1", {"K1", "K1"}, Textes::AXE_PLAT_K1},
    {"spin_K2", {"K2", "K2"}, Textes::AXE_ELEVE_K2},
    {"spinaxe_K2",
     Textes::AXE_K2,
     {"Axe élevé en degrés ; l'axe plat suit à 90 degrés",
      "Steep axis in degrees; the flat axis follows at 90 degrees"}},
    {"spinaxe_K1",
     {"Axe de K1", "K1 axis"},
     {"Suit l'axe de K2 à 90 degrés", "Follows the K2 axis at 90 degrees"}},
    {"posterieure",
     {"Tenir compte de la face postérieure de la cornée (Abulafia-Koch)",
      "Account for the posterior cornea (Abulafia-Koch)"},
     {"Choisir l'implant sur l'astigmatisme cornéen total estimé à partir de la kératométrie ; K1 et K2 "
      "restent tels que saisis",
      "Choose the IOL on the total corneal astigmatism estimated from keratometry; K1 and K2 stay as "
      "typed"}},
    {"spinaxe_inc", Textes::POSITION_INCISION, {"En degrés", "In degrees"}},
    {"spin_inc", Textes::ASTIGMATISME_INDUIT, {"En dioptries", "In dioptres"}},
    {"calculer_bouton",
     Textes::CALCULER,
     {"Vérifier les données et calculer l'implant torique", "Check the data and compute the toric IOL"}},
    {"plus",
     {"Autre puissance cylindrique", "Other cylindrical power"},
     {"Choisir une puissance cylindrique différente de celle proposée",
      "Select a different cylindrical power from the suggestion"}},

    // Calculation page: the value boxes, then the labels that hold the
    // values.
    {"astpre_D_frame", Textes::ASTIGMATISME_PREOP, {"Puissance, en dioptries", "Power, in dioptres"}},
    {"astpre_axe_frame",
     {"Axe de l'astigmatisme pré-opératoire", "Pre-operative astigmatism axis"},
     {"En degrés", "In degrees"}},
    {"astcross_D_frame",
     Textes::CYLINDRE_CROISE,
     {"Astigmatisme cornéen combiné à celui de l'incision, en dioptries",
      "Corneal astigmatism combined with the one of the incision, in dioptres"}},
    {"astcross_axe_frame", {"Axe du cylindre croisé", "Crossed cylinder axis"}, {"En degrés", "In degrees"}},
    {"tcalc_D_frame",
     Textes::PUISSANCE_CONSEILLEE,
     {"Puissance de la gamme torique proposée pour l'implant",
      "Power of the toric range suggested for the IOL"}},
    {"tcalc_axe_frame",
     Textes::ORIENTATION_MARQUES,
     {"Axe sur lequel placer les marques de l'implant, en degrés",
      "Axis on which the IOL marks are placed, in degrees"}},
    {"modele_frame",
     Textes::IMPLANT_BREVANTA,
     {"Modèle et puissance cylindrique", "Model and cylindrical power"}},
    {"astpost_D_frame",
     Textes::ASTIGMATISME_RESIDUEL,
     {"Au plan cornéen, en dioptries", "At the corneal plane, in dioptres"}},
    {"astpost_axe_frame",
     {"Axe de l'astigmatisme résiduel prévu", "Estimated residual astigmatism axis"},
     {"En degrés", "In degrees"}},
    {"label_astpre_D", {}, Textes::ASTIGMATISME_PREOP},
    {"label_astpre_axe", {}, {"Axe de l'astigmatisme pré-opératoire", "Pre-operative astigmatism axis"}},
    {"label_astpre_estime",
     {},
     {"Astigmatisme cornéen total estimé à partir de la kératométrie, face postérieure comprise",
      "Total corneal astigmatism estimated from keratometry, posterior cornea included"}},
    {"label_astcross_D", {}, Textes::CYLINDRE_CROISE},
    {"label_astcross_axe", {}, {"Axe du cylindre croisé", "Crossed cylinder axis"}},
    {"label_tcalc_D", {}, Textes::PUISSANCE_CONSEILLEE},
    {"label_tcalc_axe", {}, Textes::ORIENTATION_MARQUES},
    {"label_tperfect_D", {}, Textes::PUISSANCE_IDEALE},
    {"label_iolpost_3", {}, Textes::IMPLANT_BREVANTA},
    {"label_astpost_D", {}, Textes::ASTIGMATISME_RESIDUEL},
    {"label_astpost_axe",
     {},
     {"Axe de l'astigmatisme résiduel prévu", "Estimated residual astigmatism axis"}},

    // Calculation page: warnings and diagram.
    {"warning", {"Attention", "Warning"}, {}},
    {"warning_2", {"Attention", "Warning"}, {}},
    {"label_attention", Textes::INVERSION, {"Avertissement", "Warning"}},
    {"label_attention_high", Textes::RESIDUEL_ELEVE, {"Avertissement", "Warning"}},
    {"dessin",
     {"Schéma bilan", "Summary diagram"},
     {"Rapporteur de l'œil opéré avec l'axe plat K1, l'axe élevé K2, l'incision et l'implant",
      "Protractor of the operated eye with the flat axis K1, the steep axis K2, the incision and the "
      "IOL"}},
    {"bouton_iol", {"Afficher ou masquer l'implant", "Show or hide the IOL"}, {}},

    // Help window.
    {"aide_precedente", Textes::PAGE_PRECEDENTE, {"Page d'aide précédente", "Previous help page"}},
    {"aide_suivante", {"Page suivante", "Next page"}, {"Page d'aide suivante", "Next help page"}},
    {"sortie_aide", {"Fermer l'aide", "Close help"}, {}},
    {"pixaide_lab", {"Page d'aide", "Help page"}, {}},

    // Identification form.
    {"edit_nom_chir", {"Nom du chirurgien", "Surgeon name"}, {}},
    {"edit_clinique", Textes::ETABLISSEMENT, {}},
    {"edit_nom_pat",
     Textes::PATIENT,
     {"Nécessaire au traitement de la commande", "Necessary to the order treatment"}},
    {"edit_date", Textes::DATE_PREVUE, {}},
    {"calend", {"Calendrier de la date de chirurgie", "Surgery date calendar"}, {}},
    {"edit_adresse1", Textes::ADRESSE_LIVRAISON, {}},
    {"edit_adresse2", {"Adresse de livraison, deuxième ligne", "Delivery address, second line"}, {}},
    {"edit_ville", {"Ville", "City"}, {}},
    {"edit_codepost", {"Code postal", "Postcode"}, {}},
    {"combo_codepays", {"Pays", "Country"}, {}},
    {"boutonOK",
     {"OK", "OK"},
     {"Afficher l'aperçu de la fiche de calcul", "Show the preview of the calculation sheet"}},
    {"boutonCancel", {"Annuler", "Cancel"}, {"Fermer sans imprimer", "Close without printing"}},
};

const QHash<QString, const Nom*>& table() {
    static const QHash<QString, const Nom*> t = [] {
        QHash<QString, const Nom*> h;
        for (const Nom& n : NOMS)
            h.insert(QString::fromLatin1(n.objet), &n);
        return h;
    }();
    return t;
}

// Focusable widgets of each window part, in the order the user works.
const QHash<QString, QStringList>& ordres() {
    static const QHash<QString, QStringList> o{
        {"BandeHaut", {"francais", "anglais"}},
        {"PageAccueil", {"intro3"}},
        {"BandeBasAccueil", {"aide", "accepter", "exit_accueil"}},
        {"PageImplant", {"velan"}},
        {"BandeBasImplant", {"aide", "retour1", "exit_implant"}},
        // The guided steps: eye, power, unit, K1, K2, steep axis, incision
        // location, induced astigmatism, then Calculate or, once the result
        // is shown, the choice of another cylinder. The hidden K1 axis keeps
        // its place beside K1, and so does the basis of the lens choice,
        // usable from the pre-operative row on.
        {"PageCalcul",
         {"oeil_droit", "oeil_gauche", "combo_sph", "diop", "mili", "spin_K1", "spinaxe_K1", "posterieure",
          "spin_K2", "spinaxe_K2", "spinaxe_inc", "spin_inc", "calculer_bouton", "plus"}},
        {"BandeBasCalcul", {"aide", "retour2", "nouveau", "imprimer", "exit_calcul"}},
        {"FenetreAide", {"aide_precedente", "aide_suivante", "sortie_aide"}},
        {"FenetreIdentite",
         {"edit_nom_chir", "edit_clinique", "edit_nom_pat", "edit_date", "calend", "edit_adresse1",
          "edit_adresse2", "edit_ville", "edit_codepost", "combo_codepays", "boutonOK", "boutonCancel"}},
    };
    return o;
}

// Widgets that never take the focus: the diagram's lens button is never
// shown and has no place among the steps.
const QStringList& sans_focus() {
    static const QStringList s{"bouton_iol"};
    return s;
}

// Warning labels, spoken as alerts when they come on screen.
bool est_alerte(const QObject* o) {
    return o->objectName() == QLatin1String("label_attention") ||
           o->objectName() == QLatin1String("label_attention_high");
}

bool est_bouton(const QObject* o) {
    return qobject_cast<const BoutonStyle*>(o) || qobject_cast<const BoutonImage*>(o);
}

// Marks a button that leaves the screen with the keyboard focus, so that
// the button replacing it takes the focus back.
const char* const FOCUS_AU_RETRAIT = "focus_au_retrait";

// A list box reads its current value as its screen-reader name on this
// platform and is labelled by a label whose buddy it is: the label just
// before it in its row.
QLabel* libelle_avant(QWidget* w) {
    QWidget* parent = w->parentWidget();
    QLayout* l = parent ? parent->layout() : nullptr;
    if (!l)
        return nullptr;
    for (int i = l->indexOf(w) - 1; i >= 0; --i) {
        if (auto* label = qobject_cast<QLabel*>(l->itemAt(i)->widget()))
            return label;
    }
    return nullptr;
}

// A button of the kit as a screen reader sees it: a button whose press
// action is the Space key, so that the delayed click and the pressed look
// are the keyboard's own.
class BoutonAccessible : public QAccessibleWidget {
public:
    explicit BoutonAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty()) {
            if (auto* b = qobject_cast<QAbstractButton*>(widget()))
                s = b->text().simplified();
        }
        return s;
    }

    QStringList actionNames() const override {
        QStringList n = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            n.prepend(pressAction());
        return n;
    }

    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!widget()->isEnabled() || !widget()->isVisible())
            return;
        // Posted, not sent: the screen reader gets its answer at once, and
        // what the press opens (a question, a message, a dialog with its
        // own modal loop) comes after, from the event loop. A button
        // deleted meanwhile takes its posted key with it.
        QCoreApplication::postEvent(
            widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }
};

QAccessibleInterface* fabrique(const QString& classe, QObject* objet) {
    // Only for the object's own class, the first one asked, so that the
    // toolkit's own interfaces are never replaced for other widgets.
    if (!objet || classe != QLatin1String(objet->metaObject()->className()))
        return nullptr;
    if (qobject_cast<BoutonStyle*>(objet) || qobject_cast<BoutonImage*>(objet))
        return new BoutonAccessible(static_cast<QWidget*>(objet));
    return nullptr;
}

bool cache_expres(const QWidget* w) {
    return w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

// The widget of that name under racine. A replaced button stays a child,
// hidden, until its deferred deletion: the one on screen is preferred.
QWidget* trouver(QWidget* racine, const QString& nom) {
    QWidget* trouve = nullptr;
    for (QWidget* w : racine->findChildren<QWidget*>(nom)) {
        const bool cache = cache_expres(w);
        if (!trouve || !cache)
            trouve = w;
        if (!cache)
            break;
    }
    return trouve;
}

// A button replaced while it had the keyboard focus (the help and print
// buttons after their window closes) hands the focus to its successor, so
// that the keyboard user finds it where it was. The old one waits hidden
// for its deletion, under its own name or renamed with "_ancien".
void rendre_focus(QWidget* racine, const QString& nom, QWidget* nouveau) {
    if (cache_expres(nouveau))
        return;
    QList<QWidget*> anciens = racine->findChildren<QWidget*>(nom);
    anciens += racine->findChildren<QWidget*>(nom + QStringLiteral("_ancien"));
    for (QWidget* ancien : anciens) {
        if (ancien == nouveau || !cache_expres(ancien))
            continue;
        if (ancien->property(FOCUS_AU_RETRAIT).toBool() || ancien->window()->focusWidget() == ancien) {
            ancien->setProperty(FOCUS_AU_RETRAIT, false);
            nouveau->setFocus(Qt::OtherFocusReason);
        }
    }
}

void nommer(QWidget* w, const QString& langue) {
    const auto it = table().constFind(w->objectName());
    if (it == table().constEnd())
        return;
    const QString nom = (*it)->nom.dans(langue);
    if (!nom.isNull())
        w->setAccessibleName(nom);
    w->setAccessibleDescription((*it)->description.dans(langue));
    if (est_alerte(w) || est_bouton(w))
        w->installEventFilter(VeilleurAccessibilite::instance());
    if (qobject_cast<QComboBox*>(w)) {
        if (QLabel* l = libelle_avant(w))
            l->setBuddy(w);
    }
}

} // namespace

VeilleurAccessibilite* VeilleurAccessibilite::instance() {
    static VeilleurAccessibilite* v = new VeilleurAccessibilite;
    return v;
}

bool VeilleurAccessibilite::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::Show && est_alerte(o)) {
        QAccessibleEvent a(o, QAccessible::Alert);
        QAccessible::updateAccessibility(&a);
        emit alerte(static_cast<QWidget*>(o));
    } else if (e->type() == QEvent::Hide && est_bouton(o) && static_cast<QWidget*>(o)->hasFocus()) {
        o->setProperty(FOCUS_AU_RETRAIT, true);
    }
    return false;
}

void Accessibilite::installer() {
    static bool fait = false;
    if (fait)
        return;
    fait = true;
    QAccessible::installFactory(fabrique);
}

void Accessibilite::appliquer(QWidget* racine, const QString& langue) {
    installer();
    if (!racine || !Textes::langue_connue(langue))
        return;
    nommer(racine, langue);
    for (QWidget* w : racine->findChildren<QWidget*>())
        nommer(w, langue);
}

void Accessibilite::ordonner(QWidget* racine) {
    installer();
    if (!racine)
        return;
    for (const QString& nom : sans_focus())
        for (QWidget* w : racine->findChildren<QWidget*>(nom))
            w->setFocusPolicy(Qt::NoFocus);
    QWidget* precedent = nullptr;
    for (const QString& nom : ordre(QString::fromLatin1(racine->metaObject()->className()))) {
        QWidget* w = trouver(racine, nom);
        if (!w)
            continue;
        rendre_focus(racine, nom, w);
        if (precedent)
            QWidget::setTabOrder(precedent, w);
        precedent = w;
    }
}

void Accessibilite::preparer(QWidget* racine, const QString& langue) {
    ordonner(racine);
    appliquer(racine, langue);
}

void Accessibilite::entrer(QWidget* page) {
    if (!page)
        return;
    for (const QString& nom : ordre(QString::fromLatin1(page->metaObject()->className()))) {
        QWidget* w = trouver(page, nom);
        if (w && w->isEnabled() && !cache_expres(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

QStringList Accessibilite::ordre(const QString& classe) {
    return ordres().value(classe);
}

QString Accessibilite::nom(const QString& objet, const QString& langue) {
    const auto it = table().constFind(objet);
    return it == table().constEnd() ? QString() : (*it)->nom.dans(langue);
}

QString Accessibilite::description(const QString& objet, const QString& langue) {
    const auto it = table().constFind(objet);
    return it == table().constEnd() ? QString() : (*it)->description.dans(langue);
}
