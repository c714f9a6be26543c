#include "BoutonImage.h"

#include <QPixmap>

BoutonImage::BoutonImage(const QPixmap& image) : QLabel(nullptr) {
    setPixmap(image);
    setCursor(Qt::PointingHandCursor);
}

QPixmap BoutonImage::charger(const QString& fichier, int hauteur) {
    QPixmap p(fichier);
    if (p.isNull())
        return p;
    return p.scaledToHeight(hauteur, Qt::SmoothTransformation);
}

void BoutonImage::mousePressEvent(QMouseEvent*) { emit presse(); }
