#ifndef GRAPHIQUEASTIGMATISMEINDUIT_H
#define GRAPHIQUEASTIGMATISMEINDUIT_H

#include "AstigmatismeInduit.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

class QPainter;

// The double-angle plot of the induced astigmatism (GraphiqueDoubleAngle),
// each eye a point, with a legend that gives the centroid and the mean in
// the language. The points are those of the combined figures: when the
// series holds both eyes, left eyes mirrored, which the plot says under its
// title. An ellipse cut at the outer ring is said so in the legend. Drawn
// with the toolkit's painter into a PDF page (QPdfWriter), a PNG picture
// (QImage) or an SVG drawing (QSvgGenerator); needs a QGuiApplication for the
// fonts, no widgets.
class GraphiqueAstigmatismeInduit {
public:
    // Size of the drawing in its own units: a square plot over its legend.
    static constexpr double LARGEUR = 800;
    static constexpr double HAUTEUR = 980;

    // Draws the plot of the series and its legend, under the title that
    // `rendre` writes, into a painter whose coordinates run over LARGEUR x
    // HAUTEUR units (the caller scales to its device).
    static void dessiner(QPainter& p, const AstigmatismeInduit& serie, const QString& langue);

    // The content of the file in a format, "pdf", "png" or "svg"; empty
    // when it could not be drawn (no QGuiApplication, another format).
    static QByteArray rendre(const QByteArray& format, const AstigmatismeInduit& serie,
                             const QString& langue);
};

#endif
