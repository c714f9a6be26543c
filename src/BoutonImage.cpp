#include "BoutonImage.h"

#include "BoutonStyle.h"

#include <QKeyEvent>
#include <QPixmap>

BoutonImage::BoutonImage(const QPixmap& image) : QLabel(nullptr) {
    setPixmap(image);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void BoutonImage::mousePressEvent(QMouseEvent*) {
    emit presse();
}

void BoutonImage::keyPressEvent(QKeyEvent* event) {
    if (!BoutonStyle::touche_activation(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        emit presse();
    event->accept();
}

void BoutonImage::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    BoutonStyle::cadre_focus(this, 0);
}
