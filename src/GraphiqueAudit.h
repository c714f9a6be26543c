#ifndef GRAPHIQUEAUDIT_H
#define GRAPHIQUEAUDIT_H

#include "AuditPrevisions.h"

#include <QByteArray>
#include <QString>

class QPainter;

// The double-angle plots of the prediction errors of an audit, one for
// each basis side by side, on the same scale (GraphiqueDoubleAngle): each
// eye's error a point, the centroid with its two 95 % ellipses, and under
// each plot its figures and the share of eyes within 0.25 to 1.00 D.
class GraphiqueAudit {
public:
    // Size of the drawing in its own units: two square plots over their
    // legends.
    static constexpr double LARGEUR = 1600;
    static constexpr double HAUTEUR = 1060;

    // Draws the plots and their legends, under the title that `rendre`
    // writes, into a painter whose coordinates run over LARGEUR x HAUTEUR.
    static void dessiner(QPainter& p, const AuditPrevisions& audit, const QString& langue);

    // The content of the file in a format, "pdf", "png" or "svg"; empty
    // when it could not be drawn.
    static QByteArray rendre(const QByteArray& format, const AuditPrevisions& audit, const QString& langue);
};

#endif
