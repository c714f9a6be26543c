#ifndef PAGEACCUEIL_H
#define PAGEACCUEIL_H

#include <QFrame>
#include <QString>

class QLabel;
class QTextDocument;
class QTextEdit;

// Page 1: welcome title, introduction, conditions of use and the
// presentation of the toric lens model, on the blue panel between two side
// bands. Texts are set by update_langue_a.
class PageAccueil : public QFrame {
    Q_OBJECT
public:
    PageAccueil();

    void update_langue_a(QString langue);

    QString langue_a;
    QLabel* bienvenue1 = nullptr;
    QLabel *intro1_1 = nullptr, *intro1_2 = nullptr, *intro2_1 = nullptr, *intro2_2 = nullptr;
    QTextEdit* intro3 = nullptr;
    QString strLicence_fr, strLicence_en;
    QTextDocument* textLicence = nullptr;
    QLabel *velan_texte_1 = nullptr, *velan_texte_2 = nullptr;
};

#endif
