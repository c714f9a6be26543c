#include "Dessin.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace Dessin {

QImage toile(int w, int h, const QColor& fond) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fond);
    // 96 dots per inch, so that a text document laid out on it measures
    // points as the screen does.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    return img;
}

QFont police(qreal px, bool gras, bool italique) {
    QFont f(famille);
    f.setPixelSize(qRound(px));
    f.setBold(gras);
    f.setItalic(italique);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void commencer(QPainter& p, QImage& img) {
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// Centre line of the upper haptic of a C-loop lens, optic radius 1: it leaves
// the optic at its upper right, climbs along the right and bends over the top
// towards the left. The lower haptic is the same turned by half a turn.
static QPainterPath anse_c(QPointF c, qreal r, bool haut) {
    auto pt = [&](qreal x, qreal y) { return haut ? c + QPointF(x * r, y * r) : c - QPointF(x * r, y * r); };
    QPainterPath a;
    a.moveTo(pt(0.90, -0.42));
    a.cubicTo(pt(1.30, -0.78), pt(1.20, -1.70), pt(0.40, -1.88));
    a.cubicTo(pt(-0.02, -1.97), pt(-0.42, -1.90), pt(-0.74, -1.68));
    return a;
}

// The root that joins a haptic to the optic: it widens from the haptic's
// width to a stretch of the optic's edge, with concave sides.
static QPainterPath racine_c(QPointF c, qreal r, bool haut) {
    auto pt = [&](QPointF v) { return haut ? c + v * r : c - v * r; };
    auto bord = [&](qreal a_deg) {
        const qreal a = qDegreesToRadians(a_deg);
        return pt(QPointF(0.97 * qCos(a), 0.97 * qSin(a)));
    };
    const QPointF depart(0.90, -0.42);   // where the haptic's centre line starts
    const QPointF u(0.743, -0.669);      // its first direction
    const QPointF n(0.669, 0.743);       // across it
    const QPointF a = depart + u * 0.12; // where the root has the haptic's width
    const qreal w = 0.0475;
    QPainterPath q;
    q.moveTo(bord(-38));
    q.quadTo(pt(depart - n * 0.05 + u * 0.02), pt(a - n * w));
    q.lineTo(pt(a + n * w));
    q.quadTo(pt(depart + n * 0.07 + u * 0.04), bord(-8));
    q.lineTo(pt(QPointF(0.6, -0.26)));
    q.closeSubpath();
    return q;
}

void marques_toriques(QPainter& p, QPointF c, qreal r, const QColor& couleur) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    const qreal d = qMax<qreal>(1.7, r * 0.042);
    for (qreal k : {0.66, 0.75, 0.84}) {
        p.drawEllipse(c + QPointF(0, -k * r), d, d);
        p.drawEllipse(c + QPointF(0, k * r), d, d);
    }
    p.restore();
}

static void optique(QPainter& p, QPointF c, qreal r, const StyleLentille& s) {
    QRadialGradient g(c + QPointF(-0.25 * r, -0.3 * r), 1.25 * r);
    g.setColorAt(0, s.optique);
    g.setColorAt(1, s.optiqueBord);
    p.setBrush(g);
    p.setPen(QPen(s.contour, s.trait));
    p.drawEllipse(c, r, r);
    // The square edge of the optic shows as a second, fainter ring.
    QColor bord = s.contour;
    bord.setAlphaF(bord.alphaF() * 0.45);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(bord, qMax<qreal>(0.8, s.trait * 0.6)));
    p.drawEllipse(c, r * 0.93, r * 0.93);
    if (s.reflet) {
        QPainterPath reflet;
        reflet.moveTo(c + QPointF(-0.78 * r, -0.05 * r));
        reflet.quadTo(c + QPointF(-0.72 * r, -0.70 * r), c + QPointF(-0.05 * r, -0.80 * r));
        reflet.quadTo(c + QPointF(-0.55 * r, -0.58 * r), c + QPointF(-0.78 * r, -0.05 * r));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawPath(reflet);
    }
}

void lentille_c(QPainter& p, QPointF c, qreal r, const StyleLentille& s) {
    p.save();
    QPainterPathStroker st;
    st.setWidth(0.095 * r);
    st.setCapStyle(Qt::RoundCap);
    st.setJoinStyle(Qt::RoundJoin);
    // Only the part outside the optic is drawn: the optic's rim closes it.
    QPainterPath disque;
    disque.addEllipse(c, r * 0.99, r * 0.99);
    for (bool haut : {true, false}) {
        QPainterPath forme =
            st.createStroke(anse_c(c, r, haut)).united(racine_c(c, r, haut)).subtracted(disque);
        p.setPen(QPen(s.contour, s.trait * 0.8));
        p.setBrush(s.haptique);
        p.drawPath(forme.simplified());
    }
    optique(p, c, r, s);
    marques_toriques(p, c, r, s.marques);
    p.restore();
}

void lentille_plaque(QPainter& p, QPointF c, qreal r, const StyleLentille& s) {
    p.save();
    QPainterPath plaque;
    plaque.addRoundedRect(QRectF(c.x() - 0.62 * r, c.y() - 2.1 * r, 1.24 * r, 4.2 * r), 0.5 * r, 0.5 * r);
    QPainterPath trous;
    for (int sens : {-1, 1})
        trous.addEllipse(c + QPointF(0, sens * 1.72 * r), 0.16 * r, 0.16 * r);
    p.setPen(QPen(s.contour, s.trait * 0.8));
    p.setBrush(s.haptique);
    p.drawPath(plaque.subtracted(trous));
    optique(p, c, r, s);
    marques_toriques(p, c, r, s.marques);
    p.restore();
}

void embleme(QPainter& p, QPointF c, qreal R, bool clair) {
    p.save();
    QLinearGradient g(c + QPointF(0, -R), c + QPointF(0, R));
    if (clair) {
        g.setColorAt(0, blanc);
        g.setColorAt(1, QColor(0xDD, 0xF3, 0xF8));
    } else {
        g.setColorAt(0, bleu);
        g.setColorAt(1, fonce);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, R, R);
    // A small lens in line drawing: optic ring, two haptics, the axis dots.
    const QColor trait = clair ? fonce : blanc;
    const qreal r = 0.44 * R;
    QPen pen(trait, qMax<qreal>(1.0, 0.075 * R), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (bool haut : {true, false})
        p.drawPath(anse_c(c, r, haut));
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(rose);
    const qreal d = qMax<qreal>(0.9, 0.045 * R);
    for (qreal k : {0.45, 0.72}) {
        p.drawEllipse(c + QPointF(0, -k * r), d, d);
        p.drawEllipse(c + QPointF(0, k * r), d, d);
    }
    p.restore();
}

void bouton(QPainter& p, const QRectF& r, const QString& texte, qreal px) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, blanc);
    g.setColorAt(0.4, bleu);
    g.setColorAt(1, fonce);
    const qreal rayon = qMin<qreal>(10, r.height() / 3);
    p.setPen(QPen(fonce, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), rayon, rayon);
    p.setPen(blanc);
    p.setFont(police(px, true));
    p.drawText(r, Qt::AlignCenter, texte);
    p.restore();
}

void triangle_attention(QPainter& p, const QRectF& r) {
    p.save();
    const qreal w = r.width(), h = r.height();
    const qreal e = qMax<qreal>(1.0, w / 16);
    QPainterPath t;
    t.moveTo(r.left() + w / 2, r.top() + e);
    t.lineTo(r.right() - e, r.bottom() - e);
    t.lineTo(r.left() + e, r.bottom() - e);
    t.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xFF, 0xD8, 0x3A));
    g.setColorAt(1, QColor(0xF5, 0xA6, 0x00));
    p.setPen(QPen(QColor(0x9A, 0x1E, 0x00), 1.2 * e, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(t);
    // Exclamation mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x10, 0x00));
    const qreal bx = r.left() + w / 2;
    QPainterPath barre;
    barre.moveTo(bx - 0.085 * w, r.top() + 0.34 * h);
    barre.lineTo(bx + 0.085 * w, r.top() + 0.34 * h);
    barre.lineTo(bx + 0.045 * w, r.top() + 0.66 * h);
    barre.lineTo(bx - 0.045 * w, r.top() + 0.66 * h);
    barre.closeSubpath();
    p.drawPath(barre);
    p.drawEllipse(QPointF(bx, r.top() + 0.78 * h), 0.075 * w, 0.075 * w);
    p.restore();
}

namespace {

// One colour of the picture and how many pixels have it.
struct Teinte {
    QRgb c;
    qint64 n;
};

int canal(QRgb c, int k) {
    return k == 0 ? qRed(c) : (k == 1 ? qGreen(c) : qBlue(c));
}

// Colours divided by their opacity, rounded to the nearest (a half up), in
// whole numbers. The toolkit's own conversion picks its instructions by
// processor, some with approximate reciprocals, and rounded a colour that
// falls on a half (3 * 255 / 6) one way here and the other way there: the
// same drawing gave files one unit apart in a few half-transparent pixels
// from one machine to another.
QImage sans_premultiplication(const QImage& pm) {
    QImage out(pm.size(), QImage::Format_ARGB32);
    out.setDotsPerMeterX(pm.dotsPerMeterX());
    out.setDotsPerMeterY(pm.dotsPerMeterY());
    for (int y = 0; y < pm.height(); ++y) {
        const QRgb* l = reinterpret_cast<const QRgb*>(pm.constScanLine(y));
        QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < pm.width(); ++x) {
            const uint a = qAlpha(l[x]);
            auto canal = [a](uint c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            o[x] = qRgba(int(canal(qRed(l[x]))), int(canal(qGreen(l[x]))), int(canal(qBlue(l[x]))), int(a));
        }
    }
    return out;
}

bool opaque(const QImage& pm) {
    for (int y = 0; y < pm.height(); ++y) {
        const QRgb* l = reinterpret_cast<const QRgb*>(pm.constScanLine(y));
        for (int x = 0; x < pm.width(); ++x)
            if (qAlpha(l[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

QImage a_ecrire(const Image& i) {
    const QImage pm = i.dessin().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!opaque(pm))
        return sans_premultiplication(pm);
    // Opaque: the same colours, without the channel.
    const QImage rgb = pm.convertToFormat(QImage::Format_RGB32);
    // The large pictures reduced to 256 colours compress better, but stay
    // true-colour files: a palette file would load in another format than
    // the pictures the program compares them with.
    return i.palette ? en_palette(rgb).convertToFormat(QImage::Format_RGB32) : rgb;
}

std::vector<Image> toutes() {
    std::vector<Image> tout;
    for (auto groupe : {bandes, icones, lentilles, rapporteurs, aides})
        for (auto& i : groupe())
            tout.push_back(std::move(i));
    return tout;
}

QImage en_palette(const QImage& source, int n) {
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    // Colours sorted by value, so that the result does not depend on any
    // hashing order.
    std::map<QRgb, qint64> compte;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* l = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            ++compte[l[x] | 0xFF000000u];
    }
    std::vector<Teinte> teintes;
    teintes.reserve(compte.size());
    for (const auto& [c, k] : compte)
        teintes.push_back({c, k});

    // Median cut: split the box of widest extent, along its widest channel, at
    // its median colour, until there are n boxes.
    using Boite = std::pair<size_t, size_t>; // [debut, fin) in teintes
    std::vector<Boite> boites{{0, teintes.size()}};
    auto etendue = [&](const Boite& b, int& meilleur) {
        int e = -1;
        for (int k = 0; k < 3; ++k) {
            int mn = 255, mx = 0;
            for (size_t i = b.first; i < b.second; ++i) {
                mn = std::min(mn, canal(teintes[i].c, k));
                mx = std::max(mx, canal(teintes[i].c, k));
            }
            if (mx - mn > e) {
                e = mx - mn;
                meilleur = k;
            }
        }
        return e;
    };
    while (int(boites.size()) < n) {
        int choisie = -1, largeur = 0, axe = 0;
        for (size_t i = 0; i < boites.size(); ++i) {
            int k = 0;
            const int e = boites[i].second - boites[i].first > 1 ? etendue(boites[i], k) : 0;
            if (e > largeur) {
                largeur = e;
                choisie = int(i);
                axe = k;
            }
        }
        if (choisie < 0)
            break;
        const Boite b = boites[choisie];
        std::stable_sort(
            teintes.begin() + b.first, teintes.begin() + b.second,
            [axe](const Teinte& a, const Teinte& c) { return canal(a.c, axe) < canal(c.c, axe); });
        // Split at the middle colour, not at the middle pixel: the few
        // pixels of a smooth gradient keep as many colours as the many
        // pixels of the text.
        size_t milieu = b.first + (b.second - b.first) / 2 - 1;
        // A colour holding half the pixels (the white page) sorts last along
        // every channel: keep at least one colour on each side.
        milieu = std::min(milieu, b.second - 2);
        boites[choisie] = {b.first, milieu + 1};
        boites.push_back({milieu + 1, b.second});
    }

    // Each box gives the weighted mean of its colours.
    QVector<QRgb> table;
    std::map<QRgb, int> indice;
    for (const Boite& b : boites) {
        double r = 0, g = 0, bl = 0, total = 0;
        for (size_t i = b.first; i < b.second; ++i) {
            const double k = double(teintes[i].n);
            r += qRed(teintes[i].c) * k;
            g += qGreen(teintes[i].c) * k;
            bl += qBlue(teintes[i].c) * k;
            total += k;
        }
        const int id = table.size();
        table.push_back(qRgb(qRound(r / total), qRound(g / total), qRound(bl / total)));
        for (size_t i = b.first; i < b.second; ++i)
            indice[teintes[i].c] = id;
    }
    QImage out(img.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    out.setDotsPerMeterX(img.dotsPerMeterX());
    out.setDotsPerMeterY(img.dotsPerMeterY());
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* l = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        uchar* o = out.scanLine(y);
        for (int x = 0; x < img.width(); ++x)
            o[x] = uchar(indice[l[x] | 0xFF000000u]);
    }
    return out;
}

} // namespace Dessin
