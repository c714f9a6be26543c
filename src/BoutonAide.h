#ifndef BOUTONAIDE_H
#define BOUTONAIDE_H

#include <QLabel>

// Help button of a bottom band: click_aide(page, language) on press.
class BoutonAide : public QLabel {
    Q_OBJECT
public:
    BoutonAide(int page, QString langue);
    void update_langue_aide(QString langue);
    void update_page_aide(int page);

    QString langue_aide;
    int page_start;

signals:
    void click_aide(int page, QString langue);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
