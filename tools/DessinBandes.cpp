// Bands, splash screen, maker logo and product title.

#include "Dessin.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace Dessin {

// Top band: the calculator's name on a blue ribbon on the left; the right end
// stays white, the two flags sit there.
static QImage bandeau_haut(const QString& nom) {
    QImage img = toile(965, 50, blanc);
    QPainter p;
    commencer(p, img);
    QPainterPath ruban;
    ruban.moveTo(0, 0);
    ruban.lineTo(560, 0);
    ruban.cubicTo(600, 0, 590, 44, 640, 44);
    ruban.lineTo(0, 44);
    ruban.closeSubpath();
    QLinearGradient g(0, 0, 640, 0);
    g.setColorAt(0, fonce);
    g.setColorAt(0.55, bleu);
    g.setColorAt(1, QColor(0x3F, 0xBA, 0xD6));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(ruban);
    // A thin rule under the band continues the ribbon towards the flags.
    QLinearGradient gl(600, 0, 965, 0);
    gl.setColorAt(0, regle);
    gl.setColorAt(1, QColor(0x00, 0x96, 0xC3, 0));
    p.fillRect(QRectF(0, 46, 965, 2), gl);
    embleme(p, QPointF(30, 22), 17, true);
    p.setPen(blanc);
    p.setFont(police(22, true));
    p.drawText(QRectF(60, 0, 520, 44), Qt::AlignVCenter | Qt::AlignLeft, nom);
    p.end();
    return img;
}

// Bottom bands: white fading to a pale blue, a rule on top and a blue edge at
// the bottom; the buttons and the help and exit pictures sit on it.
static QImage bandeau_bas(int w) {
    QImage img = toile(w, 50, blanc);
    QPainter p;
    commencer(p, img);
    QLinearGradient g(0, 0, 0, 50);
    g.setColorAt(0, blanc);
    g.setColorAt(1, QColor(0xE2, 0xF3, 0xF8));
    p.fillRect(img.rect(), g);
    QLinearGradient r(0, 0, w, 0);
    r.setColorAt(0, QColor(0x00, 0x96, 0xC3, 0));
    r.setColorAt(0.08, regle);
    r.setColorAt(0.92, regle);
    r.setColorAt(1, QColor(0x00, 0x96, 0xC3, 0));
    p.fillRect(QRectF(0, 2, w, 1), r);
    QLinearGradient b(0, 0, w, 0);
    b.setColorAt(0, fonce);
    b.setColorAt(0.5, bleu);
    b.setColorAt(1, fonce);
    p.fillRect(QRectF(0, 47, w, 3), b);
    p.end();
    return img;
}

// The word "Brevanta" in the logo's lettering, left-aligned at x, centred on y.
static qreal marque(QPainter& p, qreal x, qreal y, qreal px, const QColor& c) {
    QFont f = police(px, true);
    f.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(f);
    p.setPen(c);
    QFontMetricsF m(f);
    const QString mot = QStringLiteral("Brevanta");
    p.drawText(QPointF(x, y + (m.ascent() - m.descent()) / 2), mot);
    return m.horizontalAdvance(mot);
}

// Splash screen: the maker's logo and the calculator's name above a dark blue
// strip on which the start-up message is written in white.
static QImage splash() {
    QImage img = toile(520, 220, blanc);
    QPainter p;
    commencer(p, img);
    QLinearGradient fond(0, 0, 0, 176);
    fond.setColorAt(0, blanc);
    fond.setColorAt(1, QColor(0xE6, 0xF5, 0xF9));
    p.fillRect(QRectF(0, 0, 520, 176), fond);
    embleme(p, QPointF(112, 74), 46);
    const qreal l = marque(p, 172, 64, 46, fonce);
    p.setFont(police(19));
    p.setPen(bleu);
    p.drawText(QRectF(174, 90, 330, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Calculateur Torique"));
    p.setPen(QPen(rose, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(175, 124), QPointF(172 + l, 124));
    p.setFont(police(13));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(QRectF(174, 130, 330, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8("VELAN\u00AE T  \u00B7  v2.0.0"));
    QLinearGradient bas(0, 176, 0, 220);
    bas.setColorAt(0, bleu);
    bas.setColorAt(0.35, fonce);
    bas.setColorAt(1, QColor(0x00, 0x4A, 0x62));
    p.fillRect(QRectF(0, 176, 520, 44), bas);
    p.setPen(QPen(fonce, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 518, 218));
    p.end();
    return img;
}

// The maker's logo for the calculation sheet (drawn there at 0.55 scale).
static QImage logo() {
    QImage img = toile(330, 48);
    QPainter p;
    commencer(p, img);
    embleme(p, QPointF(24, 24), 23);
    const qreal l = marque(p, 56, 21, 30, fonce);
    p.setFont(police(11.5));
    p.setPen(bleu);
    p.drawText(QRectF(58, 35, 270, 13), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ophthalmic lenses"));
    p.setPen(QPen(rose, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(58 + l + 6, 21), QPointF(324, 21));
    p.end();
    return img;
}

// Product title "VELAN® T" in white, for the grey top of the lens panel.
static QImage titre_velan() {
    QImage img = toile(400, 63);
    QPainter p;
    commencer(p, img);
    QFont f = police(44, true);
    f.setLetterSpacing(QFont::PercentageSpacing, 108);
    QFontMetricsF m(f);
    const QString nom = QStringLiteral("VELAN");
    const qreal lNom = m.horizontalAdvance(nom);
    QFont fr = police(16, true);
    QFont ft = police(44, true);
    QFontMetricsF mt(ft);
    const qreal lT = mt.horizontalAdvance(QStringLiteral("T"));
    const qreal total = lNom + 18 + lT;
    const qreal x0 = (400 - total) / 2;
    const qreal base = 44;
    // Soft shadow under the white letters, for the light end of the gradient.
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QPointF(x0 + 1.5, base + 1.5), nom);
    p.setPen(blanc);
    p.drawText(QPointF(x0, base), nom);
    p.setFont(fr);
    p.drawText(QPointF(x0 + lNom - 2, base - 24), QString::fromUtf8("\u00AE"));
    p.setFont(ft);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QPointF(x0 + lNom + 18 + 1.5, base + 1.5), QStringLiteral("T"));
    p.setPen(rose);
    p.drawText(QPointF(x0 + lNom + 18, base), QStringLiteral("T"));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x0 + 2, 54), QPointF(x0 + total - 2, 54));
    p.end();
    return img;
}

std::vector<Image> bandes() {
    return {
        {"bandeau_haut_fr_965x50pix.png",
         [] { return bandeau_haut(QStringLiteral("Calculateur Torique Brevanta")); }},
        {"bandeau_haut_uk_965x50pix.png",
         [] { return bandeau_haut(QStringLiteral("Brevanta Toric Calculator")); }},
        {"bandeau_bas_accueil_965x50pix.png", [] { return bandeau_bas(965); }},
        {"bandeau_bas_implant_965x50pix.png", [] { return bandeau_bas(965); }},
        {"bandeau_bas_calcul_965x50pix.png", [] { return bandeau_bas(965); }},
        {"bandeau_bas_ident_410x50pix.png", [] { return bandeau_bas(410); }},
        {"logohorz_splash.png", splash},
        {"logohorz_2.png", logo},
        {"velan_T_titre400x63.png", titre_velan},
    };
}

} // namespace Dessin
