// The sixteen help pages: 764 x 535 (the help window less its 40-pixel band),
// a title band in the program's blue, the text on the left and a drawing of
// the part of the program it explains on the right.

#include "AideTextes.h"
#include "CalculTorique.h"
#include "ChoixPuissance.h"
#include "CorneePosterieure.h"
#include "Dessin.h"
#include "Textes.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>
#include <QtMath>

#include <cstdio>

namespace Dessin {

namespace {

constexpr int largeurPage = 764;
constexpr int hauteurPage = 535;
constexpr int hauteurTitre = 46;
constexpr qreal margeTexte = 22;
constexpr qreal largeurTexte = 438;
constexpr qreal xSchema = margeTexte + largeurTexte + 20;   // 480
constexpr qreal largeurSchema = largeurPage - xSchema - 18; // 266
constexpr qreal yCorps = hauteurTitre + 14;

const QColor noir(0x20, 0x20, 0x20);
const QColor gris(0x77, 0x77, 0x77);

// Numbered marker, the same in the text and on the drawings.
void numero(QPainter& p, QPointF c, int n, qreal r = 9) {
    p.save();
    p.setPen(QPen(blanc, 1.5));
    p.setBrush(rose);
    p.drawEllipse(c, r, r);
    p.setPen(blanc);
    p.setFont(police(r * 1.35, true));
    p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, QString::number(n));
    p.restore();
}

void texte(QPainter& p, const QRectF& r, const QString& s, qreal px, bool gras = false,
           const QColor& c = noir, int align = Qt::AlignLeft | Qt::AlignVCenter) {
    p.save();
    p.setPen(c);
    p.setFont(police(px, gras));
    p.drawText(r, align, s);
    p.restore();
}

// A value box of the calculation page: coloured, white bold text.
void boite(QPainter& p, const QRectF& r, const QString& s, const QColor& fond, qreal px = 10) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fond);
    p.drawRoundedRect(r, 4, 4);
    p.restore();
    texte(p, r, s, px, true, blanc, Qt::AlignCenter);
}

// An entry field (spin box or list) with its small arrows.
void champ(QPainter& p, const QRectF& r, const QString& s, qreal px = 10, bool liste = false) {
    p.save();
    p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1));
    p.setBrush(blanc);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    const qreal w = 12;
    QRectF f(r.right() - w, r.top() + 1, w - 1, r.height() - 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xEC, 0xEC, 0xEC));
    p.drawRect(f);
    p.setBrush(QColor(0x50, 0x50, 0x50));
    const QPointF c = f.center();
    QPolygonF bas{c + QPointF(-3, 1), c + QPointF(3, 1), c + QPointF(0, 4)};
    QPolygonF haut{c + QPointF(-3, -1), c + QPointF(3, -1), c + QPointF(0, -4)};
    p.drawPolygon(bas);
    if (!liste)
        p.drawPolygon(haut);
    p.restore();
    texte(p, r.adjusted(4, 0, -w, 0), s, px, false, noir);
}

// Blue section title of the calculation page.
void titre_cadre(QPainter& p, const QRectF& r, const QString& s, qreal px = 9) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(bleu);
    p.drawRoundedRect(r, 4, 4);
    p.restore();
    texte(p, r.adjusted(6, 0, 0, 0), s, px, true, blanc);
}

void fleche(QPainter& p, QPointF a, QPointF b, const QColor& c = rose) {
    p.save();
    p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    const QPointF d = b - a;
    const qreal l = qSqrt(d.x() * d.x() + d.y() * d.y());
    if (l > 0) {
        const QPointF u = d / l, n(-u.y(), u.x());
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(QPolygonF{b, b - u * 7 + n * 3.5, b - u * 7 - n * 3.5});
    }
    p.restore();
}

void image(QPainter& p, const QRectF& r, const QString& nom) {
    const QImage i = dessiner(nom);
    if (!i.isNull())
        p.drawImage(r, i);
}

// A small window frame with a title bar.
QRectF fenetre(QPainter& p, const QRectF& r, const QString& titre) {
    p.save();
    p.setPen(QPen(QColor(0x8A, 0x8A, 0x8A), 1));
    p.setBrush(QColor(0xF4, 0xF4, 0xF4));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xDC, 0xDC, 0xDC));
    p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, 16));
    p.restore();
    texte(p, QRectF(r.left() + 6, r.top() + 1, r.width() - 12, 16), titre, 9, true, QColor(0x33, 0x33, 0x33));
    return QRectF(r.left() + 1, r.top() + 17, r.width() - 2, r.height() - 18);
}

// The summary diagram at a small scale: protractor, K axes, incision, lens.
struct Schema {
    bool od = true;
    bool orange = true;
    int k2 = -1;     // steep axis; K1 at 90 degrees; -1 for none
    int inc = -1;    // incision location; -1 for none
    int iol = -1;    // lens axis; -1 for none
    int detail = -1; // graduation detail of the protractor; -1 after its size
};

void schema_bilan(QPainter& p, QPointF c, qreal r, const Schema& s) {
    rapporteur(p, c, r, s.orange, s.od, s.detail >= 0 ? s.detail : (r >= 42 ? 1 : 0));
    const qreal k = r / 116.0;
    p.save();
    if (s.k2 >= 0) {
        for (int a : {s.k2 + 90, s.k2}) {
            const bool k1 = a != s.k2;
            QPen pen(k1 ? bleuK1 : rose, qMax<qreal>(1.5, 4 * k), k1 ? Qt::DashLine : Qt::SolidLine,
                     Qt::RoundCap);
            p.setPen(pen);
            const qreal t = qDegreesToRadians(qreal(a));
            const QPointF v(qCos(t) * 100 * k, -qSin(t) * 100 * k);
            p.drawLine(c - v, c + v);
        }
    }
    if (s.inc >= 0) {
        p.save();
        p.translate(c);
        p.rotate(-s.inc);
        p.setPen(QPen(rougeInc, qMax<qreal>(2.0, 7 * k), Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(92 * k, -24 * k, 22 * k, 48 * k), 45 * 16, -90 * 16);
        p.restore();
    }
    if (s.iol >= 0) {
        p.save();
        p.translate(c);
        p.rotate(-s.iol - 90);
        p.setPen(QPen(Qt::black, qMax<qreal>(1.0, 2 * k)));
        p.drawLine(QPointF(0, -130 * k), QPointF(0, 130 * k));
        image(p, QRectF(-60 * k, -90 * k, 120 * k, 180 * k), QStringLiteral("velan_T_180x138_AS.png"));
        p.restore();
        texte(p, QRectF(c.x() - 30, c.y() - 12, 60, 24), QString::number(s.iol) + QString::fromUtf8("°"),
              qMax<qreal>(7, 20 * k), true, Qt::black, Qt::AlignCenter);
    }
    p.restore();
}

// ---- Drawings of the eight pages ------------------------------------------

// 1: the welcome page in miniature, with its flags, help, start and exit.
void schema_accueil(QPainter& p, const QRectF& z, bool fr) {
    const QRectF w(z.left(), z.top() + 6, z.width(), 200);
    p.save();
    p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1));
    p.setBrush(blanc);
    p.drawRect(w);
    // Top band.
    QLinearGradient g(w.topLeft(), w.topLeft() + QPointF(170, 0));
    g.setColorAt(0, fonce);
    g.setColorAt(1, bleu);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(w.left() + 1, w.top() + 1, 160, 16));
    texte(p, QRectF(w.left() + 6, w.top() + 1, 160, 16),
          fr ? QStringLiteral("Calculateur Torique Brevanta") : QStringLiteral("Brevanta Toric Calculator"),
          8, true, blanc);
    image(p, QRectF(w.right() - 44, w.top() + 4, 15, 10), "francais_01.png");
    image(p, QRectF(w.right() - 24, w.top() + 4, 15, 10), "anglais_01.png");
    // Blue panel, text lines and the lens panel.
    const QRectF panneau(w.left() + 4, w.top() + 20, w.width() - 8, 152);
    p.setBrush(bleu);
    p.drawRoundedRect(panneau, 6, 6);
    p.setBrush(blanc);
    p.drawRoundedRect(QRectF(panneau.left() + 4, panneau.top() + 5, panneau.width() - 8, 14), 4, 4);
    p.setBrush(QColor(255, 255, 255, 170));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(panneau.left() + 14, panneau.top() + 32 + i * 9, 110 - (i % 2) * 20, 3));
    for (int i = 0; i < 9; ++i)
        p.drawRect(QRectF(panneau.left() + 8, panneau.top() + 78 + i * 7, 130, 2.5));
    QLinearGradient gl(0, panneau.top() + 24, 0, panneau.bottom() - 4);
    gl.setColorAt(0, QColor(0x7B, 0x7B, 0x7B));
    gl.setColorAt(0.2, QColor(0x7B, 0x7B, 0x7B));
    gl.setColorAt(1, blanc);
    p.setBrush(gl);
    const QRectF lentille(panneau.left() + 150, panneau.top() + 24, panneau.width() - 156,
                          panneau.height() - 28);
    p.drawRoundedRect(lentille, 5, 5);
    image(p, QRectF(lentille.center().x() - 40, lentille.top() + 4, 80, 12.6), "velan_T_titre400x63.png");
    image(p, QRectF(lentille.center().x() - 38, lentille.top() + 24, 76, 76), "velan_T_image570x570.png");
    // Bottom band.
    const QRectF bas(w.left() + 1, w.bottom() - 26, w.width() - 2, 25);
    p.drawImage(bas, dessiner("bandeau_bas_accueil_965x50pix.png"));
    image(p, QRectF(bas.left() + 6, bas.top() + 5, 16, 16), "help228t.png");
    bouton(p, QRectF(bas.center().x() - 50, bas.top() + 4, 100, 15),
           fr ? QStringLiteral("Commencer le calcul   >>") : QStringLiteral("Start calculation   >>"), 6.5);
    image(p, QRectF(bas.right() - 22, bas.top() + 5, 16, 16), "exit_03.png");
    p.restore();
    numero(p, QPointF(w.right() - 28, w.top() + 28), 1);
    numero(p, QPointF(bas.left() + 14, bas.top() - 10), 2);
    numero(p, QPointF(bas.center().x(), bas.top() - 10), 3);
    numero(p, QPointF(bas.right() - 14, bas.top() - 10), 4);

    // The same buttons at their real size.
    qreal y = w.bottom() + 26;
    auto ligne = [&](int n, const QString& s) {
        numero(p, QPointF(z.left() + 10, y + 15), n);
        texte(p, QRectF(z.left() + 120, y, z.width() - 120, 30), s, 12, false, noir);
    };
    ligne(1, fr ? QStringLiteral("Français / anglais") : QStringLiteral("French / English"));
    image(p, QRectF(z.left() + 30, y + 2.5, 37.5, 25), "francais_01.png");
    image(p, QRectF(z.left() + 72, y + 2.5, 37.5, 25), "anglais_01.png");
    y += 42;
    ligne(2, fr ? QStringLiteral("Aide") : QStringLiteral("Help"));
    image(p, QRectF(z.left() + 30, y, 30, 30), "help228t.png");
    y += 42;
    numero(p, QPointF(z.left() + 10, y + 15), 3);
    bouton(p, QRectF(z.left() + 30, y, 200, 30),
           fr ? QStringLiteral("Commencer le calcul   >>") : QStringLiteral("Start calculation   >>"), 13);
    y += 42;
    ligne(4, fr ? QStringLiteral("Quitter") : QStringLiteral("Exit"));
    image(p, QRectF(z.left() + 30, y, 30, 30), "exit_03.png");
    y += 46;
    p.save();
    p.setPen(QPen(regle, 1));
    p.drawLine(QPointF(z.left(), y), QPointF(z.right(), y));
    p.restore();
    texte(
        p, QRectF(z.left(), y + 4, z.width(), 40),
        fr ? QString::fromUtf8("Dans l'aide : flèches précédente / suivante,\nétape affichée entre les deux.")
           : QString::fromUtf8("In the help: previous / next arrows,\nthe step is shown between them."),
        11, false, gris, Qt::AlignLeft | Qt::AlignTop);
}

// 2: the calculation page in miniature, with the order of the entries.
void schema_page_calcul(QPainter& p, const QRectF& z, bool fr) {
    const QRectF w(z.left(), z.top() + 6, z.width(), 330);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(bleu);
    p.drawRoundedRect(w, 8, 8);
    const QRectF g(w.left() + 5, w.top() + 5, 142, w.height() - 40);
    const QRectF d(g.right() + 4, g.top(), w.right() - g.right() - 9, g.height());
    p.setBrush(blanc);
    p.drawRect(g);
    p.drawRect(d);
    p.restore();
    // Left column.
    qreal y = g.top() + 4;
    bouton(p, QRectF(g.left() + 4, y, 56, 13),
           fr ? QStringLiteral("OEIL DROIT") : QStringLiteral("RIGHT EYE"), 6);
    bouton(p, QRectF(g.right() - 60, y, 56, 13),
           fr ? QStringLiteral("OEIL GAUCHE") : QStringLiteral("LEFT EYE"), 6);
    image(p, QRectF(g.center().x() - 9, y, 19, 12), "oeil_bleu_30t.png");
    numero(p, QPointF(g.left() - 1, y + 7), 1, 7);
    y += 19;
    titre_cadre(p, QRectF(g.left() + 2, y, g.width() - 4, 12),
                fr ? QString::fromUtf8("INFORMATIONS PRÉ-OPÉRATOIRES :")
                   : QStringLiteral("PRE-OPERATIVE INFORMATION :"),
                6.5);
    y += 15;
    auto rangee = [&](const QString& etiquette, const QString& valeur, bool actif, int n,
                      bool boiteCalc = false) {
        texte(p, QRectF(g.left() + 8, y, 80, 14), etiquette, 7, boiteCalc, actif ? noir : grisTexte);
        if (boiteCalc)
            boite(p, QRectF(g.left() + 88, y + 2, 28, 10), valeur,
                  actif ? QColor(0x96, 0x96, 0x96) : grisTexte, 6.5);
        else
            champ(p, QRectF(g.left() + 88, y + 1, 38, 12), valeur, 7);
        if (n > 0)
            numero(p, QPointF(g.left() - 1, y + 7), n, 7);
        p.save();
        p.setPen(QPen(regle, 0.8));
        p.drawLine(QPointF(g.left() + 6, y + 16), QPointF(g.right() - 4, y + 16));
        p.restore();
        y += 18;
    };
    rangee(QStringLiteral("SEQ :"), QStringLiteral("21.0"), true, 2);
    rangee(QStringLiteral("K1 :"), QStringLiteral("42.00"), true, 3);
    rangee(QStringLiteral("K2 :"), QStringLiteral("44.00"), true, 0);
    rangee(fr ? QString::fromUtf8("Astig. pré-op. :") : QStringLiteral("Pre-op. astig. :"),
           QStringLiteral("2.00 D"), true, 0, true);
    rangee(QStringLiteral("Incision :"), QStringLiteral("180"), true, 4);
    rangee(QStringLiteral("SIA :"), QStringLiteral("0.00"), true, 0);
    rangee(fr ? QString::fromUtf8("Cyl. croisé :") : QStringLiteral("Crossed cyl. :"),
           QStringLiteral("2.00 D"), true, 0, true);
    titre_cadre(p, QRectF(g.left() + 2, y, g.width() - 4, 12),
                fr ? QString::fromUtf8("IMPLANT TORIQUE CALCULÉ :") : QStringLiteral("COMPUTED TORIC IOL :"),
                6.5);
    y += 22;
    QImage calc = dessiner("calculatrice.png");
    QRectF bc(g.center().x() - 40, y, 80, 25);
    bouton(p, bc, fr ? QStringLiteral("      Calculer ...") : QStringLiteral("      Calculation ..."), 7);
    p.drawImage(QRectF(bc.left() + 6, bc.top() + 4, 16, 16), calc);
    numero(p, QPointF(g.left() - 1, y + 12), 5, 7);
    // Right column.
    qreal yd = d.top() + 3;
    texte(p, QRectF(d.left(), yd, d.width(), 16), QStringLiteral("OD"), 13, true, noir, Qt::AlignCenter);
    yd += 18;
    titre_cadre(p, QRectF(d.left() + 2, yd, d.width() - 4, 12),
                fr ? QStringLiteral("SCHEMA BILAN :") : QStringLiteral("SUMMARY DIAGRAM :"), 6.5);
    yd += 14;
    Schema s;
    s.k2 = 90;
    s.inc = 180;
    schema_bilan(p, QPointF(d.center().x() + 2, yd + 50), 36, s);
    yd += 106;
    titre_cadre(p, QRectF(d.left() + 2, yd, d.width() - 4, 12),
                fr ? QString::fromUtf8("PRÉVISIONS POST-OP. :") : QStringLiteral("POST-OP. PREDICTIONS :"),
                6.5);
    yd += 16;
    for (int i = 0; i < 2; ++i) {
        boite(p, QRectF(d.left() + 40, yd + i * 18, 50, 11),
              i ? QStringLiteral("0.10 D") : QStringLiteral("VELAN T3.00"), grisTexte, 6);
        p.save();
        p.setPen(QPen(grisTexte, 2));
        p.drawLine(QPointF(d.left() + 6, yd + 6 + i * 18), QPointF(d.left() + 34, yd + 6 + i * 18));
        p.restore();
    }
    // Bottom band.
    const QRectF bas(w.left(), w.bottom() - 30, w.width(), 30);
    p.drawImage(bas, dessiner("bandeau_bas_calcul_965x50pix.png"));
    image(p, QRectF(bas.left() + 4, bas.top() + 6, 17, 17), "help228t.png");
    image(p, QRectF(bas.right() - 21, bas.top() + 6, 17, 17), "exit_03.png");
    const qreal lb = (bas.width() - 60) / 3;
    const QString b[3] = {fr ? QString::fromUtf8("<<  Page précédente") : QStringLiteral("<<  Previous page"),
                          fr ? QStringLiteral("Nouveau calcul") : QStringLiteral("New calculation"),
                          fr ? QStringLiteral("Imprimer  >>") : QStringLiteral("Print  >>")};
    for (int i = 0; i < 3; ++i)
        bouton(p, QRectF(bas.left() + 26 + i * (lb + 3), bas.top() + 6, lb, 15), b[i], 6);

    // Legend of the diagram.
    qreal yl = w.bottom() + 16;
    auto legende = [&](const QPen& pen, const QString& s, bool arc = false) {
        p.save();
        p.setPen(pen);
        if (arc)
            p.drawArc(QRectF(z.left() + 1, yl - 8, 40, 22), -45 * 16, -90 * 16);
        else
            p.drawLine(QPointF(z.left() + 2, yl + 6), QPointF(z.left() + 40, yl + 6));
        p.restore();
        texte(p, QRectF(z.left() + 52, yl - 2, z.width() - 52, 16), s, 12, false, noir);
        yl += 22;
    };
    legende(QPen(bleuK1, 4, Qt::DashLine, Qt::RoundCap),
            fr ? QStringLiteral("K1, axe plat") : QStringLiteral("K1, flat axis"));
    legende(QPen(rose, 4, Qt::SolidLine, Qt::RoundCap),
            fr ? QString::fromUtf8("K2, axe élevé") : QStringLiteral("K2, steep axis"));
    legende(QPen(rougeInc, 5, Qt::SolidLine, Qt::RoundCap), QStringLiteral("Incision"), true);
    p.save();
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(z.left() + 2, yl + 6), QPointF(z.left() + 40, yl + 6));
    p.restore();
    texte(p, QRectF(z.left() + 52, yl - 2, z.width() - 52, 16),
          fr ? QStringLiteral("Implant et son axe") : QStringLiteral("Lens and its axis"), 12, false, noir);
}

// 3: the eye buttons, the two orientations and the power list.
void schema_oeil(QPainter& p, const QRectF& z, bool fr) {
    qreal y = z.top() + 8;
    bouton(p, QRectF(z.left(), y, 110, 25),
           fr ? QStringLiteral("OEIL DROIT (OD)") : QStringLiteral("RIGHT EYE (OD)"), 10.5);
    image(p, QRectF(z.left() + 130, y - 2, 47, 30), "oeil_bleu_30t.png");
    y += 34;
    bouton(p, QRectF(z.left(), y, 110, 25),
           fr ? QStringLiteral("OEIL GAUCHE (OS)") : QStringLiteral("LEFT EYE (OS)"), 10.5);
    image(p, QRectF(z.left() + 130, y - 2, 47, 30), "oeil_bleu_30t.png");
    y += 44;
    texte(p, QRectF(z.left(), y, z.width(), 18),
          fr ? QString::fromUtf8("Vu par le chirurgien face au patient :")
             : QStringLiteral("As the surgeon facing the patient sees it:"),
          12, true, fonce);
    y += 26;
    for (int i = 0; i < 2; ++i) {
        const bool od = i == 0;
        const QPointF c(z.left() + 66 + i * 134, y + 64);
        Schema s;
        s.od = od;
        s.inc = od ? 180 : 0;
        s.detail = 0;
        schema_bilan(p, c, 46, s);
        texte(p, QRectF(c.x() - 60, c.y() + 60, 120, 18), od ? QStringLiteral("OD") : QStringLiteral("OS"),
              14, true, fonce, Qt::AlignCenter);
        texte(p, QRectF(c.x() - 66, c.y() + 78, 132, 30),
              fr ? QString::fromUtf8("incision à ") + (od ? "180°" : "0°") + QString::fromUtf8("\n(temporal)")
                 : QString::fromUtf8("incision at ") + (od ? "180°" : "0°") +
                       QString::fromUtf8("\n(temporal)"),
              11, false, gris, Qt::AlignHCenter | Qt::AlignTop);
    }
    y += 200;
    texte(p, QRectF(z.left(), y, z.width(), 18),
          fr ? QString::fromUtf8("Puissance sphérique de l'implant (SEQ) :")
             : QStringLiteral("IOL spherical power (SEQ) :"),
          11.5, false, noir);
    y += 24;
    champ(p, QRectF(z.left() + 20, y, 62, 22), QStringLiteral("21.0"), 12, true);
    texte(p, QRectF(z.left() + 86, y, 20, 22), QStringLiteral("D"), 12, false, noir);
    // The open list below the field.
    const QRectF l(z.left() + 130, y, 56, 100);
    p.save();
    p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1));
    p.setBrush(blanc);
    p.drawRect(l);
    const char* const items[] = {" ----", "10.0", "10.5", "11.0", "...", "34.5", "35.0"};
    for (int i = 0; i < 7; ++i) {
        const QRectF r(l.left() + 1, l.top() + 1 + i * 14, l.width() - 2, 14);
        if (i % 2)
            p.fillRect(r, grisTexte);
        texte(p, r.adjusted(4, 0, 0, 0), QString::fromUtf8(items[i]), 10, false, noir);
    }
    p.restore();
    fleche(p, QPointF(z.left() + 104, y + 11), QPointF(l.left() - 4, y + 11), fonce);
}

// 4: the two principal meridians of the cornea, the units and an example.
void schema_keratometrie(QPainter& p, const QRectF& z, bool fr) {
    const QPointF c(z.left() + 120, z.top() + 112);
    p.save();
    QRadialGradient g(c + QPointF(-20, -25), 110);
    g.setColorAt(0, blanc);
    g.setColorAt(1, QColor(0xCF, 0xEC, 0xF4));
    p.setPen(QPen(QColor(0x7C, 0xC4, 0xD8), 2));
    p.setBrush(g);
    p.drawEllipse(c, 86, 86);
    p.setPen(QPen(bleuK1, 4, Qt::DashLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-100, 0), c + QPointF(100, 0));
    p.setPen(QPen(rose, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -100), c + QPointF(0, 100));
    p.restore();
    texte(p, QRectF(c.x() + 6, c.y() - 104, 130, 16), QString::fromUtf8("K2 @ 90°"), 12, true, rose);
    texte(p, QRectF(c.x() + 6, c.y() - 88, 130, 16),
          fr ? QString::fromUtf8("axe élevé") : QStringLiteral("steep axis"), 11, false, rose);
    texte(p, QRectF(c.x() + 40, c.y() + 4, 110, 16), QString::fromUtf8("K1 @ 0°"), 12, true, bleuK1);
    texte(p, QRectF(c.x() + 40, c.y() + 20, 110, 16),
          fr ? QStringLiteral("axe plat") : QStringLiteral("flat axis"), 11, false, bleuK1);
    qreal y = z.top() + 226;
    // Unit radio buttons.
    auto radio = [&](qreal x, bool coche, const QString& s) {
        p.save();
        p.setPen(QPen(QColor(0x66, 0x66, 0x66), 1.2));
        p.setBrush(blanc);
        p.drawEllipse(QPointF(x + 7, y + 9), 6, 6);
        if (coche) {
            p.setPen(Qt::NoPen);
            p.setBrush(fonce);
            p.drawEllipse(QPointF(x + 7, y + 9), 3, 3);
        }
        p.restore();
        texte(p, QRectF(x + 17, y, 120, 18), s, 11.5, false, noir);
    };
    radio(z.left(), true, fr ? QStringLiteral("Dioptries (D)") : QStringLiteral("Diopter (D)"));
    radio(z.left() + 122, false,
          fr ? QString::fromUtf8("Millimètres (mm)") : QStringLiteral("Millimeter (mm)"));
    y += 32;
    // Conversion example.
    const QString lignes[2][3] = {{"K1", "7.50 mm", "45.00 D"}, {"K2", "7.30 mm", "46.23 D"}};
    for (const auto& l : lignes) {
        texte(p, QRectF(z.left(), y, 30, 22), l[0], 12, true, noir);
        champ(p, QRectF(z.left() + 30, y, 78, 22), l[1], 12);
        fleche(p, QPointF(z.left() + 114, y + 11), QPointF(z.left() + 146, y + 11), fonce);
        champ(p, QRectF(z.left() + 152, y, 78, 22), l[2], 12);
        y += 30;
    }
    y += 8;
    texte(p, QRectF(z.left(), y, z.width(), 18),
          fr ? QString::fromUtf8("Astigmatisme pré-opératoire :")
             : QStringLiteral("Pre-operative astigmatism :"),
          12, true, noir);
    y += 24;
    boite(p, QRectF(z.left() + 20, y, 60, 24), QStringLiteral("1.23 D"), QColor(0x96, 0x96, 0x96), 12);
    texte(p, QRectF(z.left() + 80, y, 30, 24), QStringLiteral("x"), 12, false, noir, Qt::AlignCenter);
    boite(p, QRectF(z.left() + 110, y, 50, 24), QString::fromUtf8("90 °"), QColor(0x96, 0x96, 0x96), 12);

    // The posterior cornea's box ticked: the same keratometry gives the
    // estimated total astigmatism, and the regression it comes from.
    y += 34;
    p.save();
    p.setPen(QPen(QColor(0x66, 0x66, 0x66), 1.2));
    p.setBrush(blanc);
    p.drawRect(QRectF(z.left() + 1, y + 3, 12, 12));
    p.setPen(QPen(fonce, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{z.left() + 3.5, y + 9}, {z.left() + 6.5, y + 12.5}, {z.left() + 11, y + 5.5}});
    p.restore();
    texte(p, QRectF(z.left() + 19, y, 200, 18), Textes::texte(Textes::FACE_POSTERIEURE, fr ? "fr" : "en"),
          11.5, false, noir);
    y += 22;
    const CorneePosterieure::Estimation e =
        CorneePosterieure::abulafia_koch(CalculTorique::kerato(7.50), CalculTorique::kerato(7.30), 90);
    boite(p, QRectF(z.left() + 20, y, 60, 24), Textes::D(e.cyl), QColor(0x96, 0x96, 0x96), 12);
    texte(p, QRectF(z.left() + 80, y, 30, 24), QStringLiteral("x"), 12, false, noir, Qt::AlignCenter);
    boite(p, QRectF(z.left() + 110, y, 50, 24), Textes::degres(e.axe), QColor(0x96, 0x96, 0x96), 12);
    p.save();
    p.setPen(noir);
    QFont italique = police(11, false);
    italique.setItalic(true);
    p.setFont(italique);
    p.drawText(QRectF(z.left() + 168, y, 90, 24), Qt::AlignLeft | Qt::AlignVCenter,
               Textes::texte(Textes::ESTIME, fr ? "fr" : "en"));
    p.restore();
    y += 28;
    texte(p, QRectF(z.left(), y, z.width(), 28),
          QString::fromUtf8("X′ = 0.508 + 0.926 X,  Y′ = 0.009 + 0.932 Y\n"
                            "X, Y = C cos 2α, C sin 2α (JCRS 2016;42:663)"),
          10, false, gris, Qt::AlignLeft | Qt::AlignTop);
}

// 5: an incision on the steep meridian reduces the cylinder.
void schema_incision(QPainter& p, const QRectF& z, bool fr) {
    const QPointF c(z.left() + z.width() / 2, z.top() + 128);
    Schema s;
    s.k2 = 90;
    s.inc = 90;
    schema_bilan(p, c, 92, s);
    qreal y = z.top() + 260;
    auto rangee = [&](const QString& l, const QString& v, bool calc, const QString& u = QString()) {
        texte(p, QRectF(z.left(), y, 170, 24), l, 11.5, calc, noir);
        if (calc) {
            const QStringList parties = v.split('|');
            boite(p, QRectF(z.left() + 166, y, 54, 22), parties[0], QColor(0x96, 0x96, 0x96), 11);
            texte(p, QRectF(z.left() + 220, y, 14, 22), QStringLiteral("x"), 11, false, noir,
                  Qt::AlignCenter);
            boite(p, QRectF(z.left() + 234, y, 32, 22), parties[1], QColor(0x96, 0x96, 0x96), 11);
        } else {
            champ(p, QRectF(z.left() + 176, y, 62, 22), v, 11.5);
            texte(p, QRectF(z.left() + 240, y, 26, 22), u, 11.5, false, noir);
        }
        y += 30;
    };
    rangee(fr ? QString::fromUtf8("Astigmatisme pré-op. :") : QStringLiteral("Pre-op. astigmatism :"),
           QString::fromUtf8("2.00 D|90 °"), true);
    rangee(fr ? QStringLiteral("Position de l'incision :") : QStringLiteral("Incision location :"),
           QStringLiteral("90"), false, QString::fromUtf8(" °"));
    rangee(fr ? QStringLiteral("Astigmatisme induit : -") : QStringLiteral("Induced astigmatism : -"),
           QStringLiteral("0.50"), false, QStringLiteral(" D"));
    rangee(fr ? QString::fromUtf8("Cylindre croisé :") : QStringLiteral("Crossed cylinder :"),
           QString::fromUtf8("1.50 D|90 °"), true);
    texte(p, QRectF(z.left(), y + 2, z.width(), 36),
          fr ? QString::fromUtf8("Incision sur l'axe élevé :\n2.00 D − 0.50 D = 1.50 D, axe inchangé.")
             : QString::fromUtf8("Incision on the steep axis:\n2.00 D − 0.50 D = 1.50 D, axis unchanged."),
          11.5, false, gris, Qt::AlignLeft | Qt::AlignTop);
}

// 6: the results of an example (K1 42.00 D at 0, K2 44.00 D at 90, SEQ 21.0 D).
void schema_resultats(QPainter& p, const QRectF& z, bool fr) {
    qreal y = z.top() + 4;
    titre_cadre(p, QRectF(z.left(), y, z.width(), 20),
                fr ? QString::fromUtf8("IMPLANT TORIQUE CALCULÉ :") : QStringLiteral("COMPUTED TORIC IOL :"),
                10.5);
    y += 26;
    texte(p, QRectF(z.left(), y, 180, 22),
          fr ? QString::fromUtf8("Puissance conseillée * :") : QStringLiteral("Recommended power * :"), 11,
          true, noir);
    boite(p, QRectF(z.left() + 160, y, 54, 22), QStringLiteral("3.00 D"), rose, 11);
    texte(p, QRectF(z.left() + 160, y + 22, 106, 16),
          fr ? QString::fromUtf8("(idéale : 2.84 D)") : QStringLiteral("(ideal : 2.84 D)"), 10.5, false,
          noir);
    y += 42;
    texte(p, QRectF(z.left(), y, 180, 22),
          fr ? QStringLiteral("Orientation des marques :") : QStringLiteral("IOL axis of placement :"), 11,
          true, noir);
    boite(p, QRectF(z.left() + 160, y, 54, 22), QString::fromUtf8("90 °"), rose, 11);
    y += 28;
    Schema s;
    s.k2 = 90;
    s.inc = 180;
    s.iol = 90;
    schema_bilan(p, QPointF(z.left() + z.width() / 2, y + 92), 76, s);
    y += 192;
    titre_cadre(p, QRectF(z.left(), y, z.width(), 20),
                fr ? QString::fromUtf8("PRÉVISIONS POST-OPÉRATOIRES :")
                   : QStringLiteral("POST-OPERATIVE PREDICTIONS :"),
                10.5);
    y += 26;
    texte(p, QRectF(z.left(), y, 150, 22),
          fr ? QStringLiteral("Implant torique :") : QStringLiteral("Toric IOL :"), 11, true, noir);
    boite(p, QRectF(z.left() + 130, y, 100, 22), QStringLiteral("VELAN T3.00"), bleu, 11);
    y += 28;
    texte(p, QRectF(z.left(), y, 150, 22),
          fr ? QString::fromUtf8("Astig. résiduel prévu :") : QStringLiteral("Residual astigmatism :"), 11,
          true, noir);
    boite(p, QRectF(z.left() + 150, y, 54, 22), QStringLiteral("0.10 D"), bleu, 11);
    texte(p, QRectF(z.left() + 204, y, 14, 22), QStringLiteral("x"), 11, false, noir, Qt::AlignCenter);
    boite(p, QRectF(z.left() + 218, y, 40, 22), QString::fromUtf8("0 °"), bleu, 11);
    y += 34;
    image(p, QRectF(z.left(), y, 20, 20), "attention_20.png");
    texte(p, QRectF(z.left() + 26, y - 2, z.width() - 26, 24),
          fr ? QString::fromUtf8("Alerte éventuelle, en rouge") : QStringLiteral("Warning, if any, in red"),
          11, false, QColor(0xFF, 0, 0));
}

// A push button of the system's own dialogs: grey, dark text.
void bouton_systeme(QPainter& p, const QRectF& r, const QString& s, qreal px) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
    g.setColorAt(1, QColor(0xE2, 0xE2, 0xE2));
    p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    p.restore();
    texte(p, r, s, px, false, noir, Qt::AlignCenter);
}

// 7: the row that offers another power, the choice dialog with its
// drop-down (each power with its residual and its residual if the lens
// turns 5 degrees, the recommended one marked), then the identification
// window.
void schema_identification(QPainter& p, const QRectF& z, bool fr) {
    texte(p, QRectF(z.left(), z.top(), z.width() - 26, 30),
          fr ? QString::fromUtf8("* Si vous souhaitez une puissance cylindrique\ndifférente … cliquez ici :")
             : QString::fromUtf8("* If you want to select a different cylindrical\npower … click here :"),
          9.5, false, noir, Qt::AlignLeft | Qt::AlignVCenter);
    image(p, QRectF(z.right() - 22, z.top() + 10, 20, 20), "fleche20.png");
    fleche(p, QPointF(z.right() - 12, z.top() + 33), QPointF(z.right() - 12, z.top() + 50), fonce);
    QRectF in = fenetre(p, QRectF(z.left(), z.top() + 52, z.width(), 100),
                        fr ? QString::fromUtf8("Choix d'une puissance cylindrique différente")
                           : QString::fromUtf8("Selection of a different cylindrical power"));
    texte(p, QRectF(in.left() + 6, in.top() + 2, in.width() - 12, 28),
          fr ? QString::fromUtf8("Choisissez dans la gamme torique Brevanta la puissance souhaitée :")
             : QStringLiteral("Select in the Brevanta toric range the desired power :"),
          9, false, noir, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    // The drop-down, closed on the power shown (the recommended one), its
    // item as the list writes it for K1 42 and K2 44 D at 90°.
    const QRectF liste(in.left() + 6, in.top() + 34, in.width() - 12, 20);
    CalculTorique moteur;
    moteur.K1D = 42;
    moteur.K2D = 44;
    moteur.K1axe = 0;
    moteur.K2axe = 90;
    moteur.incaxe = 180;
    moteur.p_sph = 21;
    moteur.calcul_tout();
    const QString item = ChoixPuissance::items(moteur, moteur.gamme_tot, fr ? "fr" : "en").value(3);
    const int i_residuel = item.indexOf(QChar(0x2192)) + 3, i_tourne = item.indexOf('(');
    const QString debut = item.left(i_residuel);
    const QString residuel = item.mid(i_residuel, i_tourne - 2 - i_residuel);
    const QString tourne = item.mid(i_tourne, item.indexOf(')') + 1 - i_tourne);
    // Smaller when the item is wider than the drop-down.
    qreal taille = 9;
    while (taille > 7 && QFontMetricsF(police(taille)).horizontalAdvance(item) > liste.width() - 16)
        --taille;
    champ(p, liste, QString(), 9, true);
    texte(p, liste.adjusted(4, 0, -12, 0), item, taille, false, noir);
    bouton_systeme(p, QRectF(in.right() - 118, in.top() + 59, 54, 20), QStringLiteral("OK"), 9.5);
    bouton_systeme(p, QRectF(in.right() - 60, in.top() + 59, 54, 20),
                   fr ? QStringLiteral("Annuler") : QStringLiteral("Cancel"), 9.5);

    // What the figures of an item are.
    const QFontMetricsF m(police(taille));
    const qreal x_residuel =
        liste.left() + 4 + m.horizontalAdvance(debut) + m.horizontalAdvance(residuel) / 2;
    const qreal x_tourne =
        liste.left() + 4 + m.horizontalAdvance(item.left(i_tourne)) + m.horizontalAdvance(tourne) / 2;
    const qreal y_note = in.bottom() + 14;
    p.save();
    p.setPen(QPen(gris, 1));
    p.drawLine(QPointF(x_residuel, liste.bottom() - 3), QPointF(x_residuel, y_note - 8));
    p.drawLine(QPointF(x_tourne, liste.bottom() - 3), QPointF(x_tourne, y_note + 8));
    p.restore();
    texte(p, QRectF(x_residuel - 40, y_note - 8, 110, 14),
          fr ? QString::fromUtf8("résiduel prévu") : QStringLiteral("residual"), 9, false, gris,
          Qt::AlignLeft | Qt::AlignVCenter);
    texte(p, QRectF(x_tourne - 70, y_note + 8, 140, 14),
          fr ? QString::fromUtf8("si l'implant tourne de 5°") : QStringLiteral("if the lens turns 5°"), 9,
          false, gris, Qt::AlignCenter);

    // Identification window.
    const QRectF f(z.left() + 24, z.top() + 202, z.width() - 48, z.height() - 204);
    QRectF c = fenetre(p, f,
                       fr ? QString::fromUtf8("Informations supplémentaires")
                          : QStringLiteral("Additional information"));
    p.fillRect(c, bleu);
    qreal y = c.top() + 3;
    auto titre = [&](const QString& s) {
        titre_cadre(p, QRectF(c.left() + 4, y, c.width() - 8, 14), s, 7.5);
        y += 15;
    };
    auto rangee = [&](const QString& s, bool court = false) {
        p.fillRect(QRectF(c.left() + 4, y, c.width() - 8, 16), blanc);
        texte(p, QRectF(c.left() + 8, y, 90, 16), s, 8, false, noir);
        p.save();
        p.setPen(QPen(QColor(0xA8, 0xA8, 0xA8), 1));
        const qreal x = c.left() + (court ? 60 : 98);
        p.drawRect(QRectF(x, y + 3, c.right() - 10 - x, 10));
        p.restore();
        y += 16;
    };
    titre(fr ? QStringLiteral("INFORMATIONS CHIRURGIEN :") : QStringLiteral("SURGEON INFORMATION :"));
    rangee(fr ? QStringLiteral("Nom du chirurgien :") : QStringLiteral("Surgeon name :"));
    rangee(fr ? QStringLiteral("Etablissement :") : QStringLiteral("Establishment :"));
    y += 3;
    titre(fr ? QStringLiteral("INFORMATIONS PATIENT :") : QStringLiteral("PATIENT INFORMATION :"));
    rangee(fr ? QString::fromUtf8("ID ou n° patient :") : QString::fromUtf8("Patient ID or n° :"));
    rangee(fr ? QString::fromUtf8("Date prévue :") : QStringLiteral("Planned date :"));
    // Month calendar.
    p.fillRect(QRectF(c.left() + 4, y, c.width() - 8, 50), blanc);
    p.save();
    p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 0.8));
    const qreal cx = c.left() + 30, cw = (c.width() - 60) / 7;
    for (int i = 0; i <= 7; ++i)
        p.drawLine(QPointF(cx + i * cw, y + 3), QPointF(cx + i * cw, y + 47));
    for (int j = 0; j <= 5; ++j)
        p.drawLine(QPointF(cx, y + 3 + j * 8.8), QPointF(cx + 7 * cw, y + 3 + j * 8.8));
    p.fillRect(QRectF(cx + 3 * cw + 0.5, y + 3 + 2 * 8.8 + 0.5, cw - 1, 7.8), QColor(0x30, 0x8C, 0xC6));
    p.restore();
    y += 53;
    titre(fr ? QStringLiteral("ADRESSE DE LIVRAISON :") : QStringLiteral("DELIVERY ADDRESS :"));
    rangee(fr ? QStringLiteral("Adresse :") : QStringLiteral("Address :"), true);
    rangee(fr ? QStringLiteral("Ville :") : QStringLiteral("City :"), true);
    rangee(fr ? QStringLiteral("CP, pays :") : QStringLiteral("Postcode :"), true);
    const QRectF bas(c.left(), c.bottom() - 24, c.width(), 24);
    p.drawImage(bas, dessiner("bandeau_bas_ident_410x50pix.png"));
    bouton(p, QRectF(bas.center().x() - 62, bas.top() + 4, 54, 15), QStringLiteral("OK"), 8);
    bouton(p, QRectF(bas.center().x() + 8, bas.top() + 4, 54, 15),
           fr ? QStringLiteral("Annuler") : QStringLiteral("Cancel"), 8);
}

// 8: the preview's toolbar and the A4 sheet.
void schema_apercu(QPainter& p, const QRectF& z, bool fr) {
    // Toolbar.
    const QRectF b(z.left(), z.top() + 4, z.width(), 36);
    p.save();
    p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, QColor(0xF6, 0xF6, 0xF6));
    g.setColorAt(1, QColor(0xDE, 0xDE, 0xDE));
    p.setBrush(g);
    p.drawRect(b.adjusted(0.5, 0.5, -0.5, -0.5));
    // Generic tools: zoom and page view, drawn as plain glyphs.
    p.setPen(QPen(QColor(0x66, 0x66, 0x66), 1.5));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const QPointF c(b.left() + 18 + i * 26, b.center().y());
        if (i < 2) {
            p.drawEllipse(c + QPointF(-2, -2), 6, 6);
            p.drawLine(c + QPointF(2.5, 2.5), c + QPointF(7, 7));
            p.drawLine(c + QPointF(-5, -2), c + QPointF(1, -2));
            if (i == 0)
                p.drawLine(c + QPointF(-2, -5), c + QPointF(-2, 1));
        } else {
            p.drawRect(QRectF(c.x() - 6, c.y() - 8, 12, 16));
        }
    }
    // Printer.
    const QPointF pc(b.left() + 118, b.center().y());
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
    p.setBrush(blanc);
    p.drawRect(QRectF(pc.x() - 6, pc.y() - 11, 12, 8));
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawRoundedRect(QRectF(pc.x() - 11, pc.y() - 4, 22, 11), 2, 2);
    p.setBrush(blanc);
    p.drawRect(QRectF(pc.x() - 6, pc.y() + 3, 12, 8));
    p.restore();
    image(p, QRectF(b.left() + 146, b.top() + 6, 24, 24), "save02.png");
    texte(p, QRectF(b.left() + 174, b.top(), 90, 36), QStringLiteral("Enregistrer"), 10.5, false, noir);
    numero(p, QPointF(pc.x(), b.bottom() + 12), 1);
    numero(p, QPointF(b.left() + 158, b.bottom() + 12), 2);

    // The A4 sheet (210 x 297).
    const qreal h = 300, w = h * 210 / 297;
    const QRectF f(z.left() + 4, b.bottom() + 30, w, h);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRect(f.translated(4, 4));
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    p.setBrush(blanc);
    p.drawRect(f);
    const qreal k = w / 793.0;
    auto P = [&](qreal x, qreal y) { return f.topLeft() + QPointF(x * k, y * k); };
    p.drawImage(QRectF(P(495, 41), P(495 + 182, 41 + 26)), dessiner("logohorz_2.png"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(P(495, 74 + i * 17), P(680, 78 + i * 17)));
    for (int i = 0; i < 2; ++i)
        p.drawRect(QRectF(P(50, 40 + i * 14), P(330, 44 + i * 14)));
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 0.8));
    for (qreal y : {161.0, 238.0, 861.0})
        p.drawLine(P(42, y), P(751, y));
    p.setPen(Qt::NoPen);
    for (qreal y : {265.0, 565.0, 725.0}) {
        QLinearGradient t(P(42, 0), P(462, 0));
        t.setColorAt(0, bleu);
        t.setColorAt(0.5, bleu);
        t.setColorAt(1, blanc);
        p.setBrush(t);
        p.drawRoundedRect(QRectF(P(42, y), P(462, y + 25)), 2, 2);
    }
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(P(50, 310 + i * 35), P(300 - (i % 3) * 40, 316 + i * 35)));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(P(50, 610 + i * 35), P(280, 616 + i * 35)));
    for (int i = 0; i < 2; ++i)
        p.drawRect(QRectF(P(50, 770 + i * 35), P(290, 776 + i * 35)));
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(P(470, 282), P(762, 579)), 3, 3);
    p.drawRoundedRect(QRectF(P(470, 589), P(762, 839)), 3, 3);
    p.restore();
    Schema a;
    a.k2 = 90;
    a.inc = 180;
    schema_bilan(p, P(616, 400), 90 * k, a);
    Schema d;
    d.inc = 180;
    d.iol = 90;
    schema_bilan(p, P(616, 700), 90 * k, d);
    // Order table.
    p.save();
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.8));
    const qreal T = 793 - 175;
    for (qreal y : {952.0, 987.0, 1022.0})
        p.drawLine(P(50, y), P(50 + 3 * T / 4, y));
    for (int i = 0; i <= 3; ++i)
        p.drawLine(P(50 + i * T / 4, 952), P(50 + i * T / 4, 1022));
    p.restore();
    texte(p, QRectF(P(50, 987), P(50 + T / 4, 1022)), QStringLiteral("VELAN T3.00"), 5.5, true, bleu,
          Qt::AlignCenter);
    texte(p, QRectF(P(50, 880), P(300, 900)),
          fr ? QStringLiteral("BON DE COMMANDE :") : QStringLiteral("ORDER FORM :"), 6, true, noir);
    texte(p, QRectF(P(50, 168), P(400, 200)), QStringLiteral("P0425"), 7, true, noir);
    texte(p, QRectF(P(560, 246), P(760, 276)), QStringLiteral("OD"), 10, true, noir);

    // Proposed file name.
    const qreal yn = f.bottom() + 14;
    image(p, QRectF(z.left(), yn, 24, 24), "save02.png");
    texte(p, QRectF(z.left() + 32, yn - 4, z.width() - 32, 16),
          fr ? QString::fromUtf8("Nom proposé pour le fichier :") : QStringLiteral("Proposed file name:"), 11,
          false, gris);
    texte(p, QRectF(z.left() + 32, yn + 12, z.width() - 32, 18),
          QString::fromUtf8("P0425_OD.pdf  ou  P0425_OS.pdf").replace(QStringLiteral("ou"), fr ? "ou" : "or"),
          12, true, fonce);
}

using Schema_f = void (*)(QPainter&, const QRectF&, bool);
const Schema_f schemas[8] = {schema_accueil,  schema_page_calcul, schema_oeil,           schema_keratometrie,
                             schema_incision, schema_resultats,   schema_identification, schema_apercu};

QImage marqueur(int n) {
    QImage img = toile(20, 20);
    QPainter p;
    commencer(p, img);
    numero(p, QPointF(10, 10), n, 8.5);
    p.end();
    return img;
}

// A list <ul class="n"> whose items each begin with a picture becomes a
// two-column table: the picture replaces the bullet.
QString listes_marquees(QString html) {
    static const QRegularExpression liste(QStringLiteral("<ul class=\"n\">(.*?)</ul>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression item(QStringLiteral("<li><img src=\"([^\"]+)\">\\s*(.*?)</li>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatch m;
    while ((m = liste.match(html)).hasMatch()) {
        QString lignes = m.captured(1);
        lignes.replace(item, QStringLiteral("<tr><td width=\"26\" valign=\"top\"><img src=\"\\1\"></td>"
                                            "<td style=\"padding-bottom: 4px;\"><p style=\"margin: 0px; "
                                            "line-height: 112%;\">\\2</p></td></tr>"));
        html.replace(m.capturedStart(), m.capturedLength(),
                     QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">") + lignes +
                         QStringLiteral("</table><p style=\"margin: 0px; font-size: 5px;\">&nbsp;</p>"));
    }
    return html;
}

QImage page_aide(int n, bool fr) {
    QImage img = toile(largeurPage, hauteurPage, blanc);
    QPainter p;
    commencer(p, img);
    const TexteAide t = texte_aide(n, fr);

    // Title band, shaded from top to bottom (few colours: the page is reduced
    // to 256 colours).
    QLinearGradient g(0, 0, 0, hauteurTitre);
    g.setColorAt(0, QColor(0x1C, 0xAE, 0xCC));
    g.setColorAt(0.5, bleu);
    g.setColorAt(1, QColor(0x00, 0x84, 0xA4));
    p.fillRect(QRectF(0, 0, largeurPage, hauteurTitre), g);
    embleme(p, QPointF(26, hauteurTitre / 2.0), 15, true);
    texte(p, QRectF(50, 0, 560, hauteurTitre), t.titre, 21, true, blanc);
    texte(p, QRectF(largeurPage - 260, 0, 244, hauteurTitre),
          fr ? QStringLiteral("Aide  ·  Calculateur Torique") : QStringLiteral("Help  ·  Toric Calculator"),
          12, false, QColor(255, 255, 255, 235), Qt::AlignRight | Qt::AlignVCenter);

    // Text.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&img);
    doc.setDefaultFont(police(15));
    doc.setDocumentMargin(0);
    doc.setIndentWidth(14);
    doc.setDefaultStyleSheet(QStringLiteral("p { margin-top: 0px; margin-bottom: 9px; line-height: 112%; }"
                                            "ul { margin-top: 0px; margin-bottom: 9px; }"
                                            "li { margin-bottom: 3px; line-height: 112%; }"
                                            "b { color: #006482; }"));
    for (int i = 1; i <= 5; ++i)
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("n%1").arg(i)), marqueur(i));
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("attention")),
                    dessiner("attention_20.png"));
    doc.setHtml(listes_marquees(t.corps));
    doc.setTextWidth(largeurTexte);
    const qreal dispo = hauteurPage - yCorps - 10;
    if (doc.size().height() > dispo)
        std::fprintf(stderr, "genimages: help page %d (%s): text is %.0f px high, %.0f available\n", n,
                     fr ? "fr" : "en", doc.size().height(), dispo);
    p.save();
    p.translate(margeTexte, yCorps);
    doc.drawContents(&p, QRectF(0, 0, largeurTexte, dispo));
    p.restore();

    // Separation and drawing.
    QLinearGradient s(0, yCorps, 0, hauteurPage - 10);
    s.setColorAt(0, regle);
    s.setColorAt(1, QColor(0x00, 0x96, 0xC3, 0));
    p.fillRect(QRectF(xSchema - 10, yCorps, 1, hauteurPage - yCorps - 20), s);
    schemas[n - 1](p, QRectF(xSchema, yCorps, largeurSchema, hauteurPage - yCorps - 10), fr);

    // Rule above the window's band.
    p.fillRect(QRectF(0, hauteurPage - 2, largeurPage, 2), regle);
    p.end();
    return img;
}

} // namespace

std::vector<Image> aides() {
    std::vector<Image> v;
    for (bool fr : {true, false})
        for (int n = 1; n <= 8; ++n)
            v.push_back({QStringLiteral("aide_p%1_%2.png").arg(n).arg(fr ? "fr" : "en"),
                         [n, fr] { return page_aide(n, fr); }, true});
    return v;
}

QImage dessiner(const QString& nom) {
    for (auto groupe : {bandes, icones, lentilles, rapporteurs})
        for (const auto& i : groupe())
            if (i.nom == nom)
                return i.dessin();
    return QImage();
}

} // namespace Dessin
