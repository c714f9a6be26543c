// Pictures of the toric lenses.

#include "Dessin.h"

#include <QRadialGradient>

namespace Dessin {

// Product picture for the lens panel (shown at height 250 on a grey gradient).
static QImage velan_grande() {
    QImage img = toile(570, 570);
    QPainter p;
    commencer(p, img);
    const QPointF c(285, 285);
    const qreal r = 136;
    // A soft shadow under the lens lifts it off the panel.
    QRadialGradient ombre(c + QPointF(10, 14), r * 1.12);
    ombre.setColorAt(0, QColor(0, 0, 0, 60));
    ombre.setColorAt(0.85, QColor(0, 0, 0, 25));
    ombre.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(ombre);
    p.drawEllipse(c + QPointF(10, 14), r * 1.12, r * 1.12);
    StyleLentille s{QColor(255, 255, 255, 235),
                    QColor(0xA6, 0xDD, 0xEC, 225),
                    QColor(0x00, 0x55, 0x70),
                    QColor(0xD2, 0xEE, 0xF5, 235),
                    QColor(0x12, 0x2A, 0x36),
                    4.0,
                    true};
    p.translate(c);
    p.rotate(-28);
    p.translate(-c);
    lentille_c(p, c, r, s);
    p.end();
    return img;
}

// The lens of the summary diagram, axis vertical, optic centre at (60, 90):
// the diagram draws it with its top-left corner at (-60, -90) in a frame whose
// origin is the crossing of the axes. It is see-through so that the axis
// lines under it stay visible.
static QImage velan_schema() {
    QImage img = toile(120, 180);
    QPainter p;
    commencer(p, img);
    StyleLentille s{QColor(0xE6, 0xF6, 0xFA, 70),
                    QColor(0x8C, 0xD2, 0xE6, 110),
                    QColor(0x00, 0x64, 0x82, 220),
                    QColor(0x8C, 0xD2, 0xE6, 120),
                    QColor(0x10, 0x20, 0x28, 235),
                    1.6,
                    false};
    lentille_c(p, QPointF(60, 90), 44, s);
    p.end();
    return img;
}

// A lens with plate haptics, optic centre at (65, 100) (drawn at (-65, -100)).
static QImage plaque_schema() {
    QImage img = toile(130, 200);
    QPainter p;
    commencer(p, img);
    StyleLentille s{QColor(0xEE, 0xF0, 0xF2, 70),
                    QColor(0xB8, 0xC4, 0xCC, 110),
                    QColor(0x40, 0x50, 0x5C, 220),
                    QColor(0xC8, 0xD2, 0xD8, 110),
                    QColor(0x10, 0x20, 0x28, 235),
                    1.6,
                    false};
    lentille_plaque(p, QPointF(65, 100), 45, s);
    p.end();
    return img;
}

std::vector<Image> lentilles() {
    return {
        {"velan_T_image570x570.png", velan_grande},
        {"velan_T_180x138_AS.png", velan_schema},
        {"mirbo_0.png", plaque_schema},
    };
}

} // namespace Dessin
