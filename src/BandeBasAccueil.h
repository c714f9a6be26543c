#ifndef BANDEBASACCUEIL_H
#define BANDEBASACCUEIL_H

#include <QFrame>
#include <QString>

class BoutonAide;
class BoutonExit;
class BoutonPerso;
class FenetreAide;
class HEspace;
class QHBoxLayout;
class QVBoxLayout;
class VEspace;

// Bottom band of the welcome page: help, accept ("Commencer le calcul   >>")
// and exit.
class BandeBasAccueil : public QFrame {
    Q_OBJECT
public:
    BandeBasAccueil();
    ~BandeBasAccueil() override;

    void update_langue_ba(QString langue);
    BoutonPerso* getAccepter() const { return accepter; }
    BoutonExit* getExit() const { return exit_accueil; }

    QString langue_ba;
    BoutonExit* exit_accueil = nullptr;
    BoutonPerso* accepter = nullptr;
    BoutonAide* aide = nullptr;
    FenetreAide* fenaide = nullptr;
    QHBoxLayout* layoutBasAccueil = nullptr;
    QVBoxLayout* layoutAccepter = nullptr;
    QFrame* frameAccepter = nullptr;
    VEspace* espace_b2 = nullptr;
    HEspace *espace_b1 = nullptr, *espace_b0 = nullptr;

public slots:
    void open_aide(int page, QString langue);
};

#endif
