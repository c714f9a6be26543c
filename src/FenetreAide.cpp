#include "FenetreAide.h"
#include "LecteurImages.h"

#include "Accessibilite.h"
#include "BoutonExit.h"
#include "BoutonPageAide.h"
#include "HEspace.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

FenetreAide::FenetreAide(int page, QString langue) : QDialog(nullptr) {
    setObjectName("fenetre_aide");
    setFixedSize(764, 575);
    if (langue == "fr")
        setWindowTitle("Aide");
    else if (langue == "en")
        setWindowTitle("Help");
    setWindowIcon(LecteurImages::icone("icone.png"));

    // Only the pictures of the window's language are read: its language
    // cannot change while it is open, and the sixteen full-size pictures
    // would take some 25 MB where the eight shown take half.
    for (int i = 1; i <= 8; ++i) {
        if (langue == "fr")
            pix_list_fr.append(LecteurImages::pixmap(QString("aide_p%1_fr.png").arg(i)));
        else if (langue == "en")
            pix_list_en.append(LecteurImages::pixmap(QString("aide_p%1_en.png").arg(i)));
    }
    // The bands open the window at page 1 or 2; a page outside the eight
    // pictures starts at the nearest end rather than outside the list.
    page_act = qBound(0, page - 1, 7);
    if (langue == "fr")
        pix_list = pix_list_fr;
    else if (langue == "en")
        pix_list = pix_list_en;

    pixaide_lab = new QLabel;
    pixaide_lab->setObjectName("pixaide_lab");
    // The picture area fills the window above the band, picture or not.
    pixaide_lab->setMinimumSize(764, 535);

    QFrame* bande = new QFrame;
    bande->setObjectName("bande_aide");
    bande->setFixedHeight(40);
    QPalette pal = bande->palette();
    pal.setColor(QPalette::Window, Qt::white);
    bande->setPalette(pal);
    bande->setAutoFillBackground(true);

    auto* precedente = new BoutonPageAide(0, langue);
    auto* suivante = new BoutonPageAide(1, langue);
    etape = new QLabel;
    etape->setObjectName("etape");
    etape->setFont(QFont("Arial", 12, QFont::Bold));
    QPalette palEtape = etape->palette();
    palEtape.setColor(QPalette::WindowText, QColor(0, 100, 130));
    etape->setPalette(palEtape);
    etape->setAlignment(Qt::AlignCenter);
    auto* sortie = new BoutonExit(25);
    sortie->setObjectName("sortie_aide");

    auto* rangee = new QHBoxLayout(bande);
    rangee->setSpacing(0);
    rangee->setContentsMargins(0, 2, 0, 0);
    rangee->setAlignment(Qt::AlignCenter);
    rangee->addWidget(new HEspace(215));
    rangee->addWidget(precedente);
    rangee->addWidget(new HEspace(100));
    rangee->addWidget(etape);
    rangee->addWidget(new HEspace(100));
    rangee->addWidget(suivante);
    rangee->addWidget(new HEspace(190));
    rangee->addWidget(sortie);

    connect(precedente, &BoutonPageAide::clicked, this, &FenetreAide::click_page);
    connect(suivante, &BoutonPageAide::clicked, this, &FenetreAide::click_page);
    connect(sortie, &BoutonExit::click_exit, this, &QWidget::close);

    auto* colonne = new QVBoxLayout(this);
    colonne->setSpacing(0);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setAlignment(Qt::AlignCenter);
    colonne->addWidget(pixaide_lab);
    colonne->addWidget(bande);

    afficher_page(langue);
    Accessibilite::preparer(this, langue);
}

void FenetreAide::click_page(int flag_sens, QString langue) {
    if (flag_sens == 0 && page_act > 0)
        --page_act;
    else if (flag_sens == 1 && page_act <= 6)
        ++page_act;
    afficher_page(langue);
}

void FenetreAide::afficher_page(const QString& langue) {
    // A language without pictures leaves the picture area empty.
    pixaide_lab->setPixmap(page_act < pix_list.size() ? pix_list.at(page_act) : QPixmap());
    page_act_str = QString::number(page_act);
    // The counter shows the index of the picture itself: 0 on the first
    // page, 7 on the eighth.
    QString mot;
    if (langue == "fr")
        mot = "Etape ";
    else if (langue == "en")
        mot = "Step ";
    else
        return;
    etape->setText("<font color=\"#006482\">" + mot + "</font>" + page_act_str +
                   "<font color=\"#006482\"> / 7</font>");
}
