#ifndef FENETREAIDE_H
#define FENETREAIDE_H

#include <QDialog>
#include <QList>
#include <QPixmap>

class QLabel;

// Modal help window, 764 x 575: eight help pictures per language shown one at
// a time, with previous and next arrows, the step counter and an exit button.
class FenetreAide : public QDialog {
    Q_OBJECT
public:
    FenetreAide(int page, QString langue);

    int page_act;
    QLabel* pixaide_lab;
    QLabel* etape;
    QList<QPixmap> pix_list;
    QList<QPixmap> pix_list_fr;
    QList<QPixmap> pix_list_en;
    QString page_act_str;

public slots:
    void click_page(int flag_sens, QString langue);

private:
    void afficher_page(const QString& langue);
};

#endif
