#include "LegendeK1.h"

#include <QPainter>
#include <QPen>

LegendeK1::LegendeK1() : QLabel(nullptr) {
    setObjectName(QStringLiteral("legende_k1"));
    setFixedSize(50, 10);
}

void LegendeK1::upd_etape_legende(int e) {
    etape_l = e;
    update();
}

// Sample of the flat-axis line: dashed blue once the axes are drawn, grey before.
void LegendeK1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor couleur = etape_l <= 5 ? QColor(175, 175, 175) : QColor(30, 157, 186);
    QPen pen(QBrush(couleur), 4, Qt::DashLine, Qt::RoundCap);
    pen.setDashOffset(5);
    painter.setPen(pen);
    painter.drawLine(QPointF(1, 5), QPointF(49, 5));
}
