#ifndef BANDEBASIMPLANT_H
#define BANDEBASIMPLANT_H

#include <QFrame>
#include <QString>

class BoutonAide;
class BoutonExit;
class BoutonPerso;
class FenetreAide;
class HEspace;
class QHBoxLayout;

// Bottom band of the lens page: help, back ("<<   Page précédente") and exit.
class BandeBasImplant : public QFrame {
    Q_OBJECT
public:
    BandeBasImplant();
    ~BandeBasImplant() override;

    void update_langue_bi(QString langue);
    BoutonPerso* getRetour1() const { return retour1; }
    BoutonExit* getExit() const { return exit_implant; }

    QString langue_bi;
    BoutonExit* exit_implant = nullptr;
    BoutonPerso* retour1 = nullptr;
    BoutonAide* aide = nullptr;
    FenetreAide* fenaide = nullptr;
    QHBoxLayout* layoutBasImplant = nullptr;
    HEspace *espace_b1 = nullptr, *espace_b0 = nullptr;

public slots:
    void open_aide(int page, QString langue);
};

#endif
