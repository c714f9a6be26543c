#ifndef BANDEBASCALCUL_H
#define BANDEBASCALCUL_H

#include <QFrame>

class BoutonAide;
class BoutonExit;
class BoutonPerso;
class FenetreAide;
class HEspace;
class QHBoxLayout;

// Bottom band of the calculation page: help, back, new calculation, print
// and exit.
class BandeBasCalcul : public QFrame {
    Q_OBJECT
public:
    BandeBasCalcul();
    ~BandeBasCalcul() override;

    void update_langue_bc(QString langue);
    BoutonPerso* getRetour2() const { return retour2; }
    BoutonPerso* getNouveau() const { return nouveau; }
    BoutonPerso* getImprimer() const { return imprimer; }
    BoutonExit* getExit() const { return exit_calcul; }
    void regenImprimer();

    QString langue_bc;
    BoutonExit* exit_calcul = nullptr;
    BoutonPerso *retour2 = nullptr, *nouveau = nullptr, *imprimer = nullptr;
    BoutonAide* aide = nullptr;
    FenetreAide* fenaide = nullptr;
    HEspace *espace_b3 = nullptr, *espace_b2 = nullptr, *espace_b1 = nullptr, *espace_b0 = nullptr;
    QHBoxLayout *layoutBasCalcul = nullptr, *layoutBoutons = nullptr;
    QFrame* frameBoutons = nullptr;

public slots:
    void open_aide(int page, QString langue);

private:
    void construire_boutons();
    void construire_bande();
};

#endif
