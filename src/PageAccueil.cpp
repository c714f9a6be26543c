#include "PageAccueil.h"

#include "Accessibilite.h"
#include "PanneauModele.h"

#include "BandeLaterale.h"
#include "VEspace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

namespace {

const char* const transparent = "QFrame {background: transparent;}";

QString blanc(const QString& texte) {
    return "<font color=\"#FFFFFF\">" + texte + "</font>";
}

QLabel* ligne_intro(const char* nom) {
    auto* l = new QLabel;
    l->setObjectName(nom);
    l->setFont(QFont("Arial", 11, QFont::Bold));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

PageAccueil::PageAccueil() : QFrame(nullptr) {
    setObjectName("accueil");
    setFixedHeight(550);

    // Conditions of use: a bold heading and the acceptance sentence, an empty
    // line, then the conditions themselves run together.
    strLicence_fr = blanc(
        "<b>Important :</b><br>En cliquant sur le bouton « Commencer le calcul », vous acceptez les "
        "conditions "
        "d'utilisation du calculateur décrites ci-dessous. Vous pouvez les refuser en quittant le "
        "calculateur."
        "<br><br><b>Conditions d'utilisation :</b><br>"
        "Le calculateur torique Brevanta est destiné exclusivement à aider l'utilisateur à déterminer la "
        "lentille intraoculaire torique Brevanta recommandée et l'axe de positionnement suggéré. "
        "L'utilisation du présent calculateur est strictement réservée aux professionnels compétents et "
        "formés "
        "à son utilisation. "
        "Les valeurs calculées et les informations sont fournies à titre purement indicatif, et ne peuvent "
        "être "
        "garanties. "
        "Brevanta ne peut être tenu responsable de quelques dommages que ce soit résultant de l'utilisation "
        "du "
        "calculateur.");
    strLicence_en = blanc(
        "<b>Important :</b><br>By choosing « Start calculation » on this screen, you are agreeing the "
        "calculator "
        "conditions of use described below. You can decline this terms of use by closing the calculator."
        "<br><br><b>Conditions of use :</b><br>"
        "The Brevanta toric calculator is exclusively intended for helping the user to determine the "
        "recommended Brevanta toric intraocular lens and the suggested axis of placement. "
        "The use of the present calculator is strictly reserved to competent and trained professionals. "
        "Calculated values and informations are provided as a guideline only, and cannot be warranted. "
        "In no event will Brevanta be liable for any damages whatsoever arising out of the use of the "
        "calculator.");

    // Title frame: the welcome line on a white rounded frame.
    bienvenue1 = new QLabel;
    bienvenue1->setObjectName("bienvenue1");
    bienvenue1->setFont(QFont("Arial", 18, QFont::Bold));
    bienvenue1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* titreInterieur = new QFrame;
    titreInterieur->setFixedSize(915, 50);
    titreInterieur->setStyleSheet(
        "QFrame {background: #FFFFFF; color: #00A0C2; border-width: 0px; border-radius: 10px;}");
    auto* layoutTitreInterieur = new QHBoxLayout(titreInterieur);
    layoutTitreInterieur->setContentsMargins(0, 0, 0, 0);
    layoutTitreInterieur->addWidget(bienvenue1, 0, Qt::AlignHCenter);
    auto* titre = new QFrame;
    titre->setFixedHeight(50);
    auto* layoutTitre = new QHBoxLayout(titre);
    layoutTitre->setContentsMargins(0, 0, 0, 0);
    layoutTitre->addWidget(titreInterieur, 0, Qt::AlignCenter);

    // Text column: introduction and conditions of use.
    intro1_1 = ligne_intro("intro1_1");
    intro1_2 = ligne_intro("intro1_2");
    intro2_1 = ligne_intro("intro2_1");
    intro2_2 = ligne_intro("intro2_2");
    textLicence = new QTextDocument(this);
    textLicence->setDocumentMargin(0);
    QTextOption justifie(Qt::AlignJustify);
    justifie.setWrapMode(QTextOption::WordWrap);
    textLicence->setDefaultTextOption(justifie);
    textLicence->setDefaultFont(QFont("Arial", 9, QFont::Normal));
    intro3 = new QTextEdit;
    intro3->setObjectName("intro3");
    intro3->setReadOnly(true);
    intro3->setFrameShape(QFrame::NoFrame);
    intro3->setFixedWidth(475);
    intro3->setFont(QFont("Arial", 9, QFont::Normal));
    intro3->setDocument(textLicence);
    auto* texte = new QFrame;
    texte->setFixedWidth(490);
    texte->setStyleSheet(transparent);
    auto* colonneTexte = new QVBoxLayout(texte);
    colonneTexte->setSpacing(0);
    colonneTexte->setContentsMargins(0, 40, 0, 0);
    colonneTexte->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    colonneTexte->addWidget(intro1_1, 0, Qt::AlignHCenter);
    colonneTexte->addWidget(new VEspace(5));
    colonneTexte->addWidget(intro1_2, 0, Qt::AlignHCenter);
    colonneTexte->addWidget(new VEspace(25));
    colonneTexte->addWidget(intro2_1, 0, Qt::AlignHCenter);
    colonneTexte->addWidget(new VEspace(5));
    colonneTexte->addWidget(intro2_2, 0, Qt::AlignHCenter);
    colonneTexte->addWidget(new VEspace(50));
    colonneTexte->addWidget(intro3, 0, Qt::AlignHCenter);
    colonneTexte->addWidget(new VEspace(0));

    // Model panel, shown only: the lens is chosen on the calculation page.
    auto* imageModele = new QLabel;
    imageModele->setPixmap(PanneauModele::image_lentille());
    auto* modele = new PanneauModele(imageModele, 17, Qt::AlignTop | Qt::AlignHCenter);
    velan_texte_1 = modele->velan_texte_1;
    velan_texte_2 = modele->velan_texte_2;

    // Central frame: text column and model panel side by side.
    auto* centre = new QFrame;
    centre->setFixedHeight(435);
    auto* rangeeCentre = new QHBoxLayout(centre);
    rangeeCentre->setSpacing(25);
    rangeeCentre->setContentsMargins(0, 0, 0, 0);
    rangeeCentre->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rangeeCentre->addWidget(texte);
    rangeeCentre->addWidget(modele);

    // Blue centre panel between the side bands.
    auto* panneau = new QFrame;
    panneau->setObjectName("panneau_accueil");
    panneau->setFixedSize(925, 550);
    QPalette pal = panneau->palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0xA0, 0xC2));
    pal.setColor(QPalette::Base, Qt::white);
    panneau->setPalette(pal);
    panneau->setAutoFillBackground(true);
    auto* colonne = new QVBoxLayout(panneau);
    colonne->setSpacing(0);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    colonne->addWidget(new VEspace(20));
    colonne->addWidget(titre);
    colonne->addWidget(new VEspace(22));
    colonne->addWidget(centre);

    auto* rangee = new QHBoxLayout(this);
    rangee->setSpacing(0);
    rangee->setContentsMargins(0, 0, 0, 0);
    rangee->setAlignment(Qt::AlignCenter);
    rangee->addWidget(new BandeLaterale(1, 1));
    rangee->addWidget(panneau);
    rangee->addWidget(new BandeLaterale(1, 2));
}

void PageAccueil::update_langue_a(QString langue) {
    langue_a = langue;
    Accessibilite::preparer(this, langue);
    const bool fr = langue == "fr";
    if (!fr && langue != "en")
        return;
    bienvenue1->setText(
        "<font color=\"#00A0C2\">" +
        QString(fr ? "Bienvenue sur le calculateur de lentilles intraoculaires toriques Brevanta"
                   : "Welcome to the Brevanta toric intraocular lenses calculator") +
        "</font>");
    intro1_1->setText(blanc(fr ? "Ce calculateur vous permet de déterminer la puissance cylindrique"
                               : "This calculator helps you to select the best cylindrical power"));
    intro1_2->setText(blanc(fr ? "la plus adaptée aux besoins de vos patients astigmates."
                               : "for an optimized correction of your astigmatic patients."));
    intro2_1->setText(blanc(fr ? "Il a été conçu pour les lentilles toriques Brevanta,"
                               : "It was designed for Brevanta toric lenses,"));
    intro2_2->setText(blanc(fr ? "son usage est donc réservé uniquement au modèle VELAN<sup>®</sup> T."
                               : "and can be used only with the model VELAN<sup>®</sup> T."));
    // Until the text box is first shown it has no width yet, and it lays
    // its text out when it takes one: a null page size meanwhile has the
    // text laid out once, rather than also at a width it never has.
    if (intro3->testAttribute(Qt::WA_PendingResizeEvent))
        textLicence->setPageSize(QSizeF(0, 0));
    textLicence->setHtml(fr ? strLicence_fr : strLicence_en);
    velan_texte_1->setText(fr ? "Acrylique hydrophobe TORIQUE" : "Hydrophobic acrylic TORIC");
    velan_texte_2->setText("Micro incision");
}
