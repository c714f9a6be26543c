#include "GraphiqueDoubleAngle.h"

#include "Textes.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

using Ellipse = AstigmatismeInduit::Ellipse;

const QColor ROSE(0xF3, 0x3D, 0x6B);
const QColor GRIS(0x7B, 0x7B, 0x7B);
const QColor GRIS_CLAIR(0xD2, 0xD2, 0xD2);

// Where the segment from a (inside the circle) to b (outside) crosses it.
QPointF bord(const QPointF& centre, double R, const QPointF& a, const QPointF& b) {
    const QPointF f = a - centre, d = b - a;
    const double dd = QPointF::dotProduct(d, d), fd = QPointF::dotProduct(f, d);
    const double ff = QPointF::dotProduct(f, f);
    const double t = (-fd + std::sqrt(std::max(0.0, fd * fd - dd * (ff - R * R)))) / dd;
    return a + std::clamp(t, 0.0, 1.0) * d;
}

// The ellipse as a polygon of many sides, cut by hand at the outer ring: the
// centroid's ellipse of a small series can reach far beyond it, and clip
// paths do not survive in an SVG drawing.
void ellipse(QPainter& p, const QPointF& centre, double R, const Ellipse& e, double echelle,
             const QPen& stylo) {
    if (!e.valide)
        return;
    constexpr int COTES = 720;
    const double o = e.orientation * M_PI / 180.0;
    const double co = std::cos(o), so = std::sin(o);
    QPainterPath chemin;
    QPointF avant;
    bool dedans_avant = false;
    for (int i = 0; i <= COTES; ++i) {
        const double t = 2 * M_PI * (i % COTES) / COTES;
        const double u = e.demi_grand * std::cos(t), v = e.demi_petit * std::sin(t);
        // Counter-clockwise on the plane, on a device whose y axis points down.
        const QPointF q(centre.x() + (e.x + u * co - v * so) * echelle,
                        centre.y() - (e.y + u * so + v * co) * echelle);
        const bool dedans = std::hypot(q.x() - centre.x(), q.y() - centre.y()) <= R;
        if (i == 0) {
            if (dedans)
                chemin.moveTo(q);
        } else if (dedans && dedans_avant) {
            chemin.lineTo(q);
        } else if (dedans) {
            chemin.moveTo(bord(centre, R, q, avant));
            chemin.lineTo(q);
        } else if (dedans_avant) {
            chemin.lineTo(bord(centre, R, avant, q));
        }
        avant = q;
        dedans_avant = dedans;
    }
    p.strokePath(chemin, stylo);
}

} // namespace

const QColor GraphiqueDoubleAngle::BLEU_TITRE(0x00, 0x64, 0x82);
const QColor GraphiqueDoubleAngle::BLEU_PANNEAU(0x00, 0xA0, 0xC2);

QFont GraphiqueDoubleAngle::police(double pixels, bool gras) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(int(std::lround(pixels)));
    f.setBold(gras);
    return f;
}

double GraphiqueDoubleAngle::portee(const Ellipse& e) {
    // Its centre's distance plus its semi-major axis.
    return e.valide ? std::hypot(e.x, e.y) + e.demi_grand : 0.0;
}

QPen GraphiqueDoubleAngle::stylo_ellipse_centroide() {
    return QPen(ROSE, 2.5);
}

QPen GraphiqueDoubleAngle::stylo_ellipse_donnees() {
    return QPen(BLEU_TITRE, 2.0, Qt::DashLine);
}

void GraphiqueDoubleAngle::point(QPainter& p, const QPointF& c, const QColor& couleur) {
    // Outlined in a darker shade: the panel blue in its title blue.
    p.setPen(QPen(couleur == BLEU_PANNEAU ? BLEU_TITRE : couleur.darker(160), 1.0));
    QColor remplissage = couleur;
    remplissage.setAlpha(190);
    p.setBrush(remplissage);
    p.drawEllipse(c, 5.5, 5.5);
}

void GraphiqueDoubleAngle::losange(QPainter& p, const QPointF& c) {
    const double a = 9;
    const QPointF sommets[] = {c + QPointF(0, -a), c + QPointF(a, 0), c + QPointF(0, a), c + QPointF(-a, 0)};
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(ROSE);
    p.drawPolygon(sommets, 4);
}

double GraphiqueDoubleAngle::rayon_D(const QList<Vecteur>& points, const Bilan& b) {
    double etendue = 0;
    for (const Vecteur& v : points)
        etendue = std::max(etendue, v.D());
    etendue = std::max(etendue, portee(b.ellipse_donnees));
    // The centroid's ellipse of a very small series can be many times wider
    // than the eyes themselves; beyond twice their reach it is cut at the
    // circle rather than crushing the points into the middle.
    etendue = std::max(etendue, std::min(portee(b.ellipse_centroide), 2 * etendue));
    // A little room so that no point sits on the outer ring.
    const double anneaux = std::ceil(etendue * 1.04 / PAS_D - 1e-9);
    return std::max(2.0, anneaux) * PAS_D;
}

void GraphiqueDoubleAngle::dessiner(QPainter& p, const QPointF& centre, double R, double rayon,
                                    const QList<Vecteur>& points, const Bilan& b, const QColor& couleur) {
    const double echelle = R / rayon; // units per dioptre
    const int nb_anneaux = int(std::lround(rayon / PAS_D));
    const double CX = centre.x(), CY = centre.y();

    // Rings every 0.25 D; labelled ones far enough apart to be read, and
    // the unlabelled ones left out where they would merge into grey.
    const double ecart = R / nb_anneaux;
    int pas_etiquette = 1;
    while (ecart * pas_etiquette < 48)
        pas_etiquette *= 2;
    const int pas_anneau = ecart >= 4 ? 1 : pas_etiquette;
    p.setBrush(Qt::NoBrush);
    p.setFont(police(12));
    for (int i = 1; i <= nb_anneaux; ++i) {
        const bool exterieur = i == nb_anneaux, etiquete = i % pas_etiquette == 0;
        if (!exterieur && !etiquete && i % pas_anneau != 0)
            continue;
        const double r = i * ecart;
        p.setPen(QPen(exterieur  ? GRIS
                      : etiquete ? QColor(0xAF, 0xAF, 0xAF)
                                 : GRIS_CLAIR,
                      exterieur ? 1.5 : 1.0));
        p.drawEllipse(centre, r, r);
        if (etiquete) {
            p.setPen(GRIS);
            p.drawText(QRectF(CX + r - 48, CY + 2, 46, 16), Qt::AlignRight | Qt::AlignTop,
                       Textes::D(i * PAS_D));
        }
    }
    // The axes: astigmatism axis a is drawn at the double angle 2a.
    p.setPen(QPen(GRIS, 1.0));
    p.drawLine(QPointF(CX - R, CY), QPointF(CX + R, CY));
    p.drawLine(QPointF(CX, CY - R), QPointF(CX, CY + R));
    p.setPen(Qt::black);
    p.setFont(police(17, true));
    p.drawText(QRectF(CX + R + 6, CY - 12, 70, 24), Qt::AlignLeft | Qt::AlignVCenter, Textes::degres(0));
    p.drawText(QRectF(CX - 40, CY - R - 30, 80, 24), Qt::AlignCenter, Textes::degres(45));
    p.drawText(QRectF(CX - R - 76, CY - 12, 70, 24), Qt::AlignRight | Qt::AlignVCenter, Textes::degres(90));
    p.drawText(QRectF(CX - 40, CY + R + 6, 80, 24), Qt::AlignCenter, Textes::degres(135));

    // The points, the ellipses and the centroid.
    for (const Vecteur& v : points)
        point(p, QPointF(CX + v.x * echelle, CY - v.y * echelle), couleur);
    ellipse(p, centre, R, b.ellipse_donnees, echelle, stylo_ellipse_donnees());
    ellipse(p, centre, R, b.ellipse_centroide, echelle, stylo_ellipse_centroide());
    if (b.n > 0)
        losange(p, QPointF(CX + b.centroide.x * echelle, CY - b.centroide.y * echelle));
}

double GraphiqueDoubleAngle::legende(QPainter& p, double x, double y, double largeur, double pas,
                                     const Bilan& b, double rayon, const QString& langue,
                                     const QColor& couleur) {
    using AI = AstigmatismeInduit;
    p.setFont(police(15));
    const double xt = x + 40;
    auto ligne = [&](const QString& texte) {
        p.setPen(Qt::black);
        p.drawText(QRectF(xt, y - pas / 2, largeur - 40, pas), Qt::AlignLeft | Qt::AlignVCenter, texte);
        y += pas;
    };
    auto texte_ellipse = [&](AI::Libelle l, const Ellipse& e) {
        QString t = AI::avant_valeur(l, langue) + AI::texte_ellipse(e, langue);
        if (portee(e) > rayon * (1 + 1e-9))
            t += QStringLiteral(" (") + AI::libelle(AI::HORS_GRAPHIQUE, langue) + QLatin1Char(')');
        return t;
    };
    const QPointF marque(x + 16, 0);
    point(p, marque + QPointF(0, y), couleur);
    ligne(AI::avant_valeur(AI::YEUX, langue) + QString::number(b.n));
    losange(p, marque + QPointF(0, y));
    ligne(AI::avant_valeur(AI::CENTROIDE, langue) + AI::texte_vecteur(b.centroide));
    ligne(AI::avant_valeur(AI::ECARTS_TYPES, langue) + AI::texte_ecarts(b, langue));
    ligne(AI::avant_valeur(AI::MOYENNE, langue) + AI::texte_moyenne(b, langue));
    if (b.ellipse_centroide.valide) {
        p.setPen(stylo_ellipse_centroide());
        p.drawLine(QPointF(x, y), QPointF(x + 32, y));
        ligne(texte_ellipse(AI::ELLIPSE_CENTROIDE, b.ellipse_centroide));
        p.setPen(stylo_ellipse_donnees());
        p.drawLine(QPointF(x, y), QPointF(x + 32, y));
        ligne(texte_ellipse(AI::ELLIPSE_DONNEES, b.ellipse_donnees));
    } else {
        p.setPen(Qt::black);
        p.drawText(QRectF(xt, y - pas / 2 + 4, largeur - 40, 2 * pas),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, AI::libelle(AI::SANS_ELLIPSE, langue));
        y += 2 * pas;
    }
    return y;
}

QByteArray GraphiqueDoubleAngle::rendre(const QByteArray& format, double largeur, double hauteur,
                                        const QString& titre, const QString& sous_titre,
                                        const std::function<void(QPainter&)>& corps) {
    // The white page, the title and the line under it, then the body.
    auto dessin = [&](QPainter& p) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.fillRect(QRectF(0, 0, largeur, hauteur), Qt::white);
        p.setPen(BLEU_TITRE);
        p.setFont(police(26, true));
        p.drawText(QRectF(0, 14, largeur, 36), Qt::AlignCenter, titre);
        p.setPen(Qt::black);
        p.setFont(police(15));
        p.drawText(QRectF(0, 52, largeur, 24), Qt::AlignCenter, sous_titre);
        corps(p);
        p.restore();
    };
    // Text needs the fonts of a GUI application.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QByteArray();
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QPainter p;
    bool dessine = false;
    // 150 mm for 800 units, whatever the drawing's width.
    const double largeur_mm = 150 * largeur / 800;
    if (format == "pdf") {
        QPdfWriter pdf(&tampon);
        pdf.setPageSize(QPageSize(QSizeF(largeur_mm, largeur_mm * hauteur / largeur), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(titre);
        pdf.setCreator(QStringLiteral("torique"));
        if (p.begin(&pdf)) {
            p.scale(pdf.width() / largeur, pdf.height() / hauteur);
            dessin(p);
            dessine = p.end();
        }
    } else if (format == "png") {
        // One and a half pixels per unit.
        constexpr double ZOOM = 1.5;
        QImage image(int(largeur * ZOOM), int(hauteur * ZOOM), QImage::Format_RGB32);
        image.fill(Qt::white);
        if (p.begin(&image)) {
            p.scale(ZOOM, ZOOM);
            dessin(p);
            dessine = p.end() && image.save(&tampon, "PNG");
        }
    } else if (format == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&tampon);
        svg.setSize(QSize(int(largeur), int(hauteur)));
        svg.setViewBox(QRectF(0, 0, largeur, hauteur));
        svg.setResolution(135); // 800 units over 150 mm, as the PDF page
        svg.setTitle(titre);
        svg.setDescription(sous_titre);
        if (p.begin(&svg)) {
            dessin(p);
            dessine = p.end();
        }
    }
    return dessine ? octets : QByteArray();
}
