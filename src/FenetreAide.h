#ifndef FENETREAIDE_H
#define FENETREAIDE_H

#include <QDialog>
#include <QList>
#include <QPixmap>

class QLabel;

// Modal help window: eight pictures per language, arrows and a step counter.
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
};

#endif
