#include "LegendeInc.h"

#include <QPainter>
#include <QPen>

LegendeInc::LegendeInc() : QLabel(nullptr) {
    setObjectName(QStringLiteral("legende_inc"));
    setFixedSize(48, 22);
}

void LegendeInc::upd_etape_legende(int e) {
    etape_l = e;
    update();
}

// Sample of the incision mark: a dark red arc once the axes are drawn, grey before.
void LegendeInc::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor couleur = etape_l <= 5 ? QColor(175, 175, 175) : QColor(190, 0, 0);
    painter.setPen(QPen(QBrush(couleur), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(2, -11, 48, 22), -45 * 16, -90 * 16);
}
