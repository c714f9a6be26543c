#ifndef PAGEIMPLANT_H
#define PAGEIMPLANT_H

#include <QFrame>
#include <QString>

class BoutonImplant;
class QLabel;

// Page 2: choice of the toric lens model; the model picture is the button.
class PageImplant : public QFrame {
    Q_OBJECT
public:
    PageImplant();

    void update_langue_i(QString langue);
    BoutonImplant* getVelan() const { return velan; }

    QString langue_i;
    QLabel* titre = nullptr;
    QLabel *velan_texte_1 = nullptr, *velan_texte_2 = nullptr;
    BoutonImplant* velan = nullptr;
};

#endif
