#ifndef BANDEHAUT_H
#define BANDEHAUT_H

#include <QBrush>
#include <QFrame>
#include <QPalette>
#include <QPixmap>

class BoutonPays;

// Top band of every page, 50 high: the band picture of the language on
// screen and the two flags, French then English, on the right.
class BandeHaut : public QFrame {
    Q_OBJECT
public:
    BandeHaut();

    void update_langue_bh(QString langue);
    BoutonPays* getAnglais() const { return anglais; }
    BoutonPays* getFrancais() const { return francais; }

    QString langue_bh;
    QPixmap pixbandeau;
    QBrush brushBandeau;
    QPalette palBandeau;
    BoutonPays* anglais = nullptr;
    BoutonPays* francais = nullptr;

    // Paints a band with a picture read by relative name (plain white when
    // the file is missing); returns the picture.
    static QPixmap poser_image_fond(QWidget* bande, const QString& fichier);

private:
    void poser_fond(const QString& fichier);

    QString fond_pose; // picture file of the background now set
};

#endif
