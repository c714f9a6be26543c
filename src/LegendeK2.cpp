#include "LegendeK2.h"

#include <QPainter>
#include <QPen>

LegendeK2::LegendeK2() : QLabel(nullptr) {
    setObjectName(QStringLiteral("legende_k2"));
    setFixedSize(45, 10);
}

void LegendeK2::upd_etape_legende(int e) {
    etape_l = e;
    update();
}

// Sample of the steep-axis line: solid pink-red once the axes are drawn, grey before.
void LegendeK2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor couleur = etape_l <= 5 ? QColor(175, 175, 175) : QColor(243, 61, 107);
    painter.setPen(QPen(QBrush(couleur), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 5), QPointF(42, 5));
}
