#ifndef GRAPHIQUEDOUBLEANGLE_H
#define GRAPHIQUEDOUBLEANGLE_H

#include "AstigmatismeInduit.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>

#include <functional>

class QPainter;

// The double-angle plot that refractive-surgery journals draw for a set of
// astigmatisms: each one a point at (C cos 2a, C sin 2a), rings every
// 0.25 D, the astigmatism axes 0, 45, 90 and 135 degrees marked at the
// right, top, left and bottom of the circle (the double angles 0, 90, 180,
// 270), the centroid with the 95 % confidence ellipses of the centroid
// (solid) and of the data set (dashed). The plots of the induced
// astigmatism and of the audit of predictions are drawn with it, into a
// PDF page (QPdfWriter), a PNG picture (QImage) or an SVG drawing
// (QSvgGenerator); text needs a QGuiApplication for the fonts, no widgets.
class GraphiqueDoubleAngle {
public:
    using Vecteur = AstigmatismeInduit::Vecteur;
    using Bilan = AstigmatismeInduit::Bilan;
    using Ellipse = AstigmatismeInduit::Ellipse;

    static constexpr double PAS_D = 0.25; // one ring every 0.25 D

    // Radius of the outer ring, in dioptres: the next multiple of 0.25 D
    // that holds every point and the data set's ellipse, and the centroid's
    // up to twice the points' reach (at least 0.50 D).
    static double rayon_D(const QList<Vecteur>& points, const Bilan& b);

    // Rings, axes, points, ellipses and centroid in the circle of centre
    // `centre` and radius `R` (drawing units) whose outer ring is `rayon`
    // dioptres; an ellipse is cut at the outer ring.
    static void dessiner(QPainter& p, const QPointF& centre, double R, double rayon,
                         const QList<Vecteur>& points, const Bilan& b, const QColor& couleur);

    // How far an ellipse reaches from the origin (0 for none).
    static double portee(const Ellipse& e);

    // The marks and pens of the plot, for the legends.
    static void point(QPainter& p, const QPointF& c, const QColor& couleur);
    static void losange(QPainter& p, const QPointF& c);
    static QPen stylo_ellipse_centroide();
    static QPen stylo_ellipse_donnees();
    static QFont police(double pixels, bool gras = false);
    static const QColor BLEU_TITRE;
    static const QColor BLEU_PANNEAU;

    // The figures of a set as the legend of a plot shows them, one line
    // each: eyes, centroid, standard deviations, mean, and the two ellipses
    // (or why there are none). An ellipse reaching beyond the outer ring is
    // said so. Drawn from (x, y), `pas` units apart, `largeur` wide; returns
    // the y below the last line.
    static double legende(QPainter& p, double x, double y, double largeur, double pas, const Bilan& b,
                          double rayon, const QString& langue, const QColor& couleur);

    // The content of a file in a format, "pdf", "png" or "svg", of a drawing
    // `largeur` x `hauteur` units (150 mm wide on a PDF page, 1.5 pixels a
    // unit in a PNG picture): a white page with the title and the line under
    // it centred at the top (also the file's title and description), then
    // what `corps` draws, its painter state restored after it. Empty when it
    // could not be drawn (no QGuiApplication, another format).
    static QByteArray rendre(const QByteArray& format, double largeur, double hauteur, const QString& titre,
                             const QString& sous_titre, const std::function<void(QPainter&)>& corps);
};

#endif
