#include "BandeBasCalcul.h"

#include "BoutonExit.h"
#include "BoutonPerso.h"

// Placeholder: the band is being written.
BandeBasCalcul::BandeBasCalcul() : QFrame(nullptr), langue_bc("fr") {
    exit_calcul = new BoutonExit(30);
    retour2 = new BoutonPerso(170, 30);
    nouveau = new BoutonPerso(150, 30);
    imprimer = new BoutonPerso(140, 30);
    for (QWidget* w : {static_cast<QWidget*>(exit_calcul), static_cast<QWidget*>(retour2),
                       static_cast<QWidget*>(nouveau), static_cast<QWidget*>(imprimer)})
        w->setParent(this);
}
void BandeBasCalcul::update_langue_bc(QString langue) { langue_bc = langue; }
void BandeBasCalcul::regenImprimer() {
    imprimer->hide();
    imprimer->deleteLater();
    imprimer = new BoutonPerso(140, 30);
    imprimer->setParent(this);
}
void BandeBasCalcul::open_aide(int, QString) {}
