// Flags, picture buttons and small icons.

#include "Dessin.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace Dessin {

// French flag, 3:2.
static QImage drapeau_fr() {
    QImage img = toile(60, 40);
    QPainter p;
    commencer(p, img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, 20, 40), QColor(0x00, 0x35, 0x9A));
    p.fillRect(QRect(20, 0, 20, 40), blanc);
    p.fillRect(QRect(40, 0, 20, 40), QColor(0xE3, 0x23, 0x2F));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 59, 39));
    p.end();
    return img;
}

// English flag: a drawn Union-flag-like design (crosses and diagonals on blue).
static QImage drapeau_en() {
    QImage img = toile(60, 40, QColor(0x01, 0x21, 0x69));
    QPainter p;
    commencer(p, img);
    p.setClipRect(QRect(0, 0, 60, 40));
    const QColor rouge(0xC8, 0x10, 0x2E);
    p.setPen(QPen(blanc, 8));
    p.drawLine(QPointF(0, 0), QPointF(60, 40));
    p.drawLine(QPointF(60, 0), QPointF(0, 40));
    // The red diagonals are offset, as on the real design, giving it a turn.
    p.setPen(QPen(rouge, 2.6));
    p.drawLine(QPointF(0, -1.6), QPointF(30, 18.4));
    p.drawLine(QPointF(30, 21.6), QPointF(60, 41.6));
    p.drawLine(QPointF(60 + 1.6, 0), QPointF(31.6, 20));
    p.drawLine(QPointF(28.4, 20), QPointF(-1.6, 40));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 14, 60, 12), blanc);
    p.fillRect(QRect(24, 0, 12, 40), blanc);
    p.fillRect(QRect(0, 16, 60, 8), rouge);
    p.fillRect(QRect(26, 0, 8, 40), rouge);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 59, 39));
    p.end();
    return img;
}

// A round glossy button face of diameter d centred in a d x d picture.
static void pastille(QPainter& p, qreal d, const QColor& haut, const QColor& bas) {
    const QPointF c(d / 2, d / 2);
    const qreal r = d / 2 - 1.5;
    QLinearGradient g(0, 0, 0, d);
    g.setColorAt(0, haut);
    g.setColorAt(1, bas);
    p.setPen(QPen(bas.darker(130), 1.5));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    QRadialGradient reflet(c + QPointF(0, -r * 0.55), r * 0.8);
    reflet.setColorAt(0, QColor(255, 255, 255, 110));
    reflet.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(reflet);
    p.drawEllipse(c + QPointF(0, -r * 0.35), r * 0.75, r * 0.55);
}

// Exit: a red-pink round button with a white power symbol.
static QImage sortie() {
    QImage img = toile(60, 60);
    QPainter p;
    commencer(p, img);
    pastille(p, 60, QColor(0xF7, 0x6E, 0x92), QColor(0xC8, 0x1E, 0x4B));
    QPen pen(blanc, 5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(16, 17, 28, 28), (90 + 38) * 16, (360 - 76) * 16);
    p.drawLine(QPointF(30, 12), QPointF(30, 29));
    p.end();
    return img;
}

// Help: a blue round button with a white question mark.
static QImage aide_bouton() {
    QImage img = toile(60, 60);
    QPainter p;
    commencer(p, img);
    pastille(p, 60, QColor(0x33, 0xB9, 0xD6), fonce);
    p.setPen(blanc);
    p.setFont(police(38, true));
    p.drawText(QRectF(0, 1, 60, 60), Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return img;
}

// Previous / next page arrows of the help window.
static QImage fleche_aide(bool suivante) {
    QImage img = toile(50, 50);
    QPainter p;
    commencer(p, img);
    pastille(p, 50, QColor(0x33, 0xB9, 0xD6), fonce);
    QPainterPath f;
    f.moveTo(15, 25);
    f.lineTo(27, 13);
    f.lineTo(27, 20);
    f.lineTo(36, 20);
    f.lineTo(36, 30);
    f.lineTo(27, 30);
    f.lineTo(27, 37);
    f.closeSubpath();
    if (suivante) {
        QTransform t;
        t.translate(50, 0);
        t.scale(-1, 1);
        f = t.map(f);
    }
    p.setPen(QPen(blanc, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(blanc);
    p.drawPath(f);
    p.end();
    return img;
}

// The small arrow button that opens the list of other cylinder powers.
static QImage fleche20() {
    QImage img = toile(20, 20);
    QPainter p;
    commencer(p, img);
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, QColor(0x4C, 0xC4, 0xDD));
    g.setColorAt(1, fonce);
    p.setPen(QPen(fonce, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 4, 4);
    QPainterPath f;
    f.moveTo(5, 6.5);
    f.lineTo(10, 6.5);
    f.lineTo(14.5, 10);
    f.lineTo(10, 13.5);
    f.lineTo(5, 13.5);
    f.lineTo(9.5, 10);
    f.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(blanc);
    p.drawPath(f);
    p.end();
    return img;
}

// A blue eye, 47 x 30 (the page keeps a 47-pixel gap when it is hidden).
static QImage oeil() {
    QImage img = toile(47, 30);
    QPainter p;
    commencer(p, img);
    QPainterPath amande;
    amande.moveTo(2.5, 15);
    amande.cubicTo(10, 3, 37, 3, 44.5, 15);
    amande.cubicTo(37, 27, 10, 27, 2.5, 15);
    amande.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(blanc);
    p.drawPath(amande);
    p.save();
    p.setClipPath(amande);
    QRadialGradient iris(QPointF(23.5, 15), 9);
    iris.setColorAt(0, QColor(0x5C, 0xD0, 0xE8));
    iris.setColorAt(0.7, bleu);
    iris.setColorAt(1, fonce);
    p.setBrush(iris);
    p.drawEllipse(QPointF(23.5, 15), 9, 9);
    p.setBrush(QColor(0x06, 0x22, 0x30));
    p.drawEllipse(QPointF(23.5, 15), 3.8, 3.8);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(20.5, 12), 1.8, 1.8);
    p.restore();
    p.setPen(QPen(fonce, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(amande);
    // Lashes on the upper lid.
    p.setPen(QPen(fonce, 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF cils[][2] = {{{12, 8.2}, {9.5, 4.5}},
                               {{18, 6.4}, {17, 2.3}},
                               {{23.5, 6}, {23.5, 1.8}},
                               {{29, 6.4}, {30, 2.3}},
                               {{35, 8.2}, {37.5, 4.5}}};
    for (const auto& c : cils)
        p.drawLine(c[0], c[1]);
    p.end();
    return img;
}

// Calculator icon of the Calculate button (shown at 32 x 32).
static QImage calculatrice() {
    QImage img = toile(32, 32);
    QPainter p;
    commencer(p, img);
    QLinearGradient g(0, 0, 32, 32);
    g.setColorAt(0, QColor(0x50, 0x5A, 0x64));
    g.setColorAt(1, QColor(0x25, 0x2C, 0x33));
    p.setPen(QPen(QColor(0x1A, 0x1F, 0x24), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5.5, 1.5, 21, 29), 3, 3);
    // Display.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xCF, 0xF1, 0xF8));
    p.drawRoundedRect(QRectF(8, 4, 16, 6), 1, 1);
    p.setPen(QPen(fonce, 1));
    p.drawLine(QPointF(15, 7), QPointF(22, 7));
    // Keys: a grid of 4 x 4, the last column in the accent colour.
    p.setPen(Qt::NoPen);
    for (int l = 0; l < 4; ++l)
        for (int c = 0; c < 4; ++c) {
            p.setBrush(c == 3 ? rose : (l == 3 && c == 0 ? bleu : QColor(0xEE, 0xEE, 0xEE)));
            p.drawRoundedRect(QRectF(8 + c * 4.2, 12.5 + l * 4.3, 3.2, 3.2), 0.8, 0.8);
        }
    p.end();
    return img;
}

static QImage attention() {
    QImage img = toile(20, 20);
    QPainter p;
    commencer(p, img);
    triangle_attention(p, QRectF(0, 0.5, 20, 19));
    p.end();
    return img;
}

// Window icon: the lens emblem on a rounded square.
static QImage icone() {
    QImage img = toile(256, 256);
    QPainter p;
    commencer(p, img);
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, blanc);
    g.setColorAt(1, QColor(0xD6, 0xEF, 0xF6));
    p.setPen(QPen(fonce, 6));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    embleme(p, QPointF(128, 128), 100);
    p.end();
    return img;
}

// Contact icons of the calculation sheet, one colour.
static QImage fax() {
    QImage img = toile(28, 28);
    QPainter p;
    commencer(p, img);
    p.setPen(QPen(fonce, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // Sheet coming out of the top.
    p.drawRect(QRectF(8.5, 2.5, 12, 9));
    p.drawLine(QPointF(11, 5.5), QPointF(18, 5.5));
    p.drawLine(QPointF(11, 8.5), QPointF(16, 8.5));
    // Body.
    p.setBrush(fonce);
    p.drawRoundedRect(QRectF(2.5, 11.5, 23, 14), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(blanc);
    p.drawRect(QRectF(6, 14, 10, 3));
    for (int l = 0; l < 2; ++l)
        for (int c = 0; c < 3; ++c)
            p.drawRect(QRectF(6 + c * 3.6, 19 + l * 3, 2.2, 1.8));
    p.drawEllipse(QPointF(21, 19.5), 2.2, 2.2);
    p.end();
    return img;
}

static QImage arobase() {
    QImage img = toile(24, 24);
    QPainter p;
    commencer(p, img);
    p.setPen(fonce);
    p.setFont(police(25, true));
    p.drawText(QRectF(0, -2, 24, 26), Qt::AlignCenter, QStringLiteral("@"));
    p.end();
    return img;
}

static QImage tel() {
    QImage img = toile(24, 24);
    QPainter p;
    commencer(p, img);
    // A handset seen from the side.
    QPainterPath h;
    h.moveTo(5.0, 2.5);
    h.lineTo(9.0, 2.0);
    h.lineTo(10.5, 7.5);
    h.lineTo(8.0, 9.5);
    h.cubicTo(9.0, 12.5, 11.5, 15.0, 14.5, 16.0);
    h.lineTo(16.5, 13.5);
    h.lineTo(22.0, 15.0);
    h.lineTo(21.5, 19.0);
    h.cubicTo(20.0, 22.0, 16.5, 22.5, 13.0, 20.5);
    h.cubicTo(8.0, 18.0, 4.0, 13.0, 2.5, 8.0);
    h.cubicTo(2.0, 5.5, 3.0, 3.5, 5.0, 2.5);
    h.closeSubpath();
    p.setPen(QPen(fonce, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fonce);
    p.drawPath(h);
    p.end();
    return img;
}

// Save icon for the preview's toolbar: a floppy disk.
static QImage disquette() {
    QImage img = toile(32, 32);
    QPainter p;
    commencer(p, img);
    QPainterPath corps;
    corps.moveTo(3.5, 4.5);
    corps.quadTo(3.5, 3.5, 4.5, 3.5);
    corps.lineTo(24, 3.5);
    corps.lineTo(28.5, 8);
    corps.lineTo(28.5, 27.5);
    corps.quadTo(28.5, 28.5, 27.5, 28.5);
    corps.lineTo(4.5, 28.5);
    corps.quadTo(3.5, 28.5, 3.5, 27.5);
    corps.closeSubpath();
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, bleu);
    g.setColorAt(1, fonce);
    p.setPen(QPen(QColor(0x00, 0x45, 0x5C), 1));
    p.setBrush(g);
    p.drawPath(corps);
    // Shutter.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xDD, 0xE4, 0xE8));
    p.drawRect(QRectF(9, 3.5, 13, 9));
    p.setBrush(QColor(0x55, 0x60, 0x68));
    p.drawRect(QRectF(17, 5, 3, 6));
    // Label.
    p.setBrush(blanc);
    p.drawRoundedRect(QRectF(7, 16, 18, 12.5), 1.5, 1.5);
    p.setPen(QPen(QColor(0xB0, 0xC4, 0xCC), 1));
    p.drawLine(QPointF(9, 20), QPointF(23, 20));
    p.drawLine(QPointF(9, 23.5), QPointF(23, 23.5));
    p.end();
    return img;
}

// Icons of the diagram's hide/show lens button (24 x 37): a small lens with a
// red cross (hide) or a green tick (show).
static QImage icone_lentille(bool croix) {
    QImage img = toile(24, 37);
    QPainter p;
    commencer(p, img);
    StyleLentille s{QColor(0xE4, 0xF6, 0xFB),
                    QColor(0x9C, 0xD8, 0xE8),
                    fonce,
                    QColor(0x9C, 0xD8, 0xE8),
                    fonce,
                    1.0,
                    false};
    lentille_c(p, QPointF(12, 17), 8.2, s);
    QRectF zone(11, 23, 13, 13);
    if (croix) {
        p.setPen(QPen(blanc, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(zone.topLeft() + QPointF(3, 3), zone.bottomRight() - QPointF(3, 3));
        p.drawLine(zone.topRight() + QPointF(-3, 3), zone.bottomLeft() + QPointF(3, -3));
        p.setPen(QPen(QColor(0xD0, 0x10, 0x20), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(zone.topLeft() + QPointF(3, 3), zone.bottomRight() - QPointF(3, 3));
        p.drawLine(zone.topRight() + QPointF(-3, 3), zone.bottomLeft() + QPointF(3, -3));
    } else {
        QPainterPath v;
        v.moveTo(zone.left() + 2, zone.top() + 7);
        v.lineTo(zone.left() + 5.5, zone.bottom() - 2.5);
        v.lineTo(zone.right() - 1.5, zone.top() + 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(blanc, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(v);
        p.setPen(QPen(QColor(0x1E, 0x9E, 0x3A), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(v);
    }
    p.end();
    return img;
}

std::vector<Image> icones() {
    return {
        {"francais_01.png", drapeau_fr},
        {"anglais_01.png", drapeau_en},
        {"exit_03.png", sortie},
        {"help228t.png", aide_bouton},
        {"aide_prec_00.png", [] { return fleche_aide(false); }},
        {"aide_suiv_00.png", [] { return fleche_aide(true); }},
        {"fleche20.png", fleche20},
        {"oeil_bleu_30t.png", oeil},
        {"calculatrice.png", calculatrice},
        {"attention_20.png", attention},
        {"icone.png", icone},
        {"fax.png", fax},
        {"arobase.png", arobase},
        {"tel.png", tel},
        {"save02.png", disquette},
        {"mirbo_cross2.png", [] { return icone_lentille(true); }},
        {"mirbo_check2.png", [] { return icone_lentille(false); }},
    };
}

} // namespace Dessin
