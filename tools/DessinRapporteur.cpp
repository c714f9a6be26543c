// Protractors of the summary diagram.
//
// The diagram draws the picture with its top-left corner at (-175, -140) in a
// frame whose axes cross at (8, 0): the centre of the protractor is therefore
// at pixel (183, 140) of the 366 x 280 picture. Around that centre the
// diagram draws the K axes to radius 100, the incision arc between radii 92
// and 114 and the lens line to radius 130: the graduations start outside
// radius 116. Angles are counted counter-clockwise from 3 o'clock as the
// surgeon sees the eye: 0 to 180 on the upper half, 190 to 350 on the lower
// half (incision locations run to 359).

#include "Dessin.h"

#include <QPainterPath>
#include <QtMath>

namespace Dessin {

void rapporteur(QPainter& p, QPointF c, qreal r, bool orange, bool od, int detail) {
    p.save();
    const qreal k = r / 116.0;
    const QColor anneau = orange ? QColor(0xFF, 0xE4, 0xC4) : QColor(0xEE, 0xEE, 0xEE);
    const QColor bord = orange ? QColor(0xF0, 0x96, 0x3C) : QColor(0xB4, 0xB4, 0xB4);
    const QColor trait = orange ? QColor(0xD8, 0x7A, 0x1E) : QColor(0xA0, 0xA0, 0xA0);
    const QColor traitFort = orange ? QColor(0xA8, 0x52, 0x00) : QColor(0x7C, 0x7C, 0x7C);
    const QColor texte = orange ? QColor(0x5A, 0x32, 0x0A) : QColor(0x8C, 0x8C, 0x8C);
    const QColor guide = orange ? QColor(0xF6, 0xC8, 0x9A) : QColor(0xDC, 0xDC, 0xDC);
    const qreal rExt = r + 12 * k;

    // Faint guides through the centre, every 45 degrees, and the centre mark.
    p.setPen(QPen(guide, qMax<qreal>(0.6, 0.8 * k), Qt::DotLine));
    for (int a = 0; a < 180; a += 45) {
        const qreal t = qDegreesToRadians(qreal(a));
        const QPointF v(qCos(t) * (r - 4 * k), -qSin(t) * (r - 4 * k));
        p.drawLine(c - v, c + v);
    }
    p.setPen(QPen(trait, qMax<qreal>(0.8, 1.0 * k)));
    p.drawLine(c + QPointF(-4 * k, 0), c + QPointF(4 * k, 0));
    p.drawLine(c + QPointF(0, -4 * k), c + QPointF(0, 4 * k));

    // The graduated ring.
    QPainterPath couronne;
    couronne.addEllipse(c, rExt, rExt);
    couronne.addEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(anneau);
    p.drawPath(couronne);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(bord, qMax<qreal>(0.8, 1.2 * k)));
    p.drawEllipse(c, rExt, rExt);
    p.setPen(QPen(bord, qMax<qreal>(0.6, 0.8 * k)));
    p.drawEllipse(c, r, r);
    for (int a = 0; a < 360; ++a) {
        const qreal t = qDegreesToRadians(qreal(a));
        const QPointF u(qCos(t), -qSin(t));
        qreal longueur = 4.5 * k;
        qreal largeur = 0.8 * k;
        QColor coul = trait;
        if (a % 10 == 0) {
            longueur = 11 * k;
            largeur = 1.4 * k;
            coul = traitFort;
        } else if (a % 5 == 0) {
            longueur = 7.5 * k;
            largeur = 1.0 * k;
        }
        if ((detail == 1 && a % 5 != 0) || (detail == 0 && a % 10 != 0))
            continue;
        p.setPen(QPen(coul, qMax<qreal>(0.5, largeur), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(c + u * r, c + u * (r + longueur));
    }

    // Labels every 10 degrees (every 30 on small drawings), upright, set just
    // outside the ring: the distance grows with the label's extent towards
    // the centre so that none touches the ring.
    const QFont f = police(detail == 2 ? 10 : qMax<qreal>(7, 10 * k), true);
    QFontMetricsF m(f);
    const qreal largeur180 = detail > 0 ? m.horizontalAdvance(QStringLiteral("180")) + 2.5 * k : 0;
    if (detail > 0) {
        p.setFont(f);
        p.setPen(texte);
        const int pas = detail == 2 ? 10 : 30;
        for (int a = 0; a < 360; a += pas) {
            const QString s = QString::number(a);
            const qreal w = m.horizontalAdvance(s);
            const qreal h = m.capHeight();
            const qreal t = qDegreesToRadians(qreal(a));
            const QPointF u(qCos(t), -qSin(t));
            const qreal demi = w / 2 * qAbs(u.x()) + h / 2 * qAbs(u.y());
            const QPointF centre = c + u * (rExt + 2.5 * k + demi);
            p.drawText(QPointF(centre.x() - w / 2, centre.y() + h / 2), s);
        }
    }

    // Which side is nasal (N) and which temporal (T), as the surgeon facing
    // the patient sees them: nasal on the right for OD, on the left for OS.
    p.setPen(orange ? QColor(0x30, 0x30, 0x30) : QColor(0x9A, 0x9A, 0x9A));
    const QFont fNT = police(qMax<qreal>(9, 17 * k), true);
    p.setFont(fNT);
    QFontMetricsF mNT(fNT);
    const QString droite = od ? QStringLiteral("N") : QStringLiteral("T");
    const QString gauche = od ? QStringLiteral("T") : QStringLiteral("N");
    const qreal yNT = c.y() + mNT.capHeight() / 2;
    const qreal ecart =
        rExt + largeur180 + qMax<qreal>(3, 6 * k) + mNT.horizontalAdvance(QStringLiteral("N")) / 2;
    p.drawText(QPointF(c.x() + ecart - mNT.horizontalAdvance(droite) / 2, yNT), droite);
    p.drawText(QPointF(c.x() - ecart - mNT.horizontalAdvance(gauche) / 2, yNT), gauche);
    p.restore();
}

// The 366 x 280 picture of the diagram: the protractor, the eye in the top
// left corner (orange pictures only: the grey ones are shown before an eye
// is chosen) and the names of the nasal and temporal sides in the bottom
// corners. The sheet crops the picture's right edge beyond x 355.
static QImage rapporteur_schema(bool orange, bool od) {
    QImage img = toile(366, 280);
    QPainter p;
    commencer(p, img);
    const QPointF c(183, 140);
    rapporteur(p, c, 116, orange, od, 2);
    // The grey protractor stands for "no eye chosen yet": it names none.
    if (orange) {
        p.setPen(fonce);
        p.setFont(police(24, true));
        p.drawText(QRectF(6, 4, 70, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   od ? QStringLiteral("OD") : QStringLiteral("OS"));
    }
    p.setPen(orange ? QColor(0x55, 0x55, 0x55) : QColor(0xA8, 0xA8, 0xA8));
    p.setFont(police(11, false, true));
    const QString nasal = QStringLiteral("N : nasal");
    const QString temporal = QStringLiteral("T : temporal");
    p.drawText(QRectF(6, 256, 100, 18), Qt::AlignLeft | Qt::AlignVCenter, od ? temporal : nasal);
    p.drawText(QRectF(250, 256, 100, 18), Qt::AlignRight | Qt::AlignVCenter, od ? nasal : temporal);
    p.end();
    return img;
}

std::vector<Image> rapporteurs() {
    return {
        {"rapporteur_ODpxGRIS2.png", [] { return rapporteur_schema(false, true); }},
        {"rapporteur_OSpxGRIS2.png", [] { return rapporteur_schema(false, false); }},
        {"rapporteur_ODpxORANGECL2.png", [] { return rapporteur_schema(true, true); }},
        {"rapporteur_OSpxORANGECL2.png", [] { return rapporteur_schema(true, false); }},
    };
}

} // namespace Dessin
