#ifndef BOUTONPAGEAIDE_H
#define BOUTONPAGEAIDE_H

#include <QLabel>

// Previous (sens 0) or next (sens 1) arrow of the help window.
class BoutonPageAide : public QLabel {
    Q_OBJECT
public:
    BoutonPageAide(int sens, QString langue);

    int sens;
    QString langue_aide;

signals:
    void clicked(int sens, QString langue);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
