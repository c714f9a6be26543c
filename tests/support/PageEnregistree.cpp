#include "PageEnregistree.h"

#include <QImage>
#include <QTextItem>

#include <climits>

void MoteurEnregistreur::updateState(const QPaintEngineState& s) {
    if (s.state() & DirtyPen)
        stylo = s.pen();
    if (s.state() & DirtyTransform)
        transformation = s.transform();
}

void MoteurEnregistreur::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF&) {
    images.push_back({transformation.mapRect(r), pm.size()});
}

void MoteurEnregistreur::drawTextItem(const QPointF& p, const QTextItem& ti) {
    const QPointF pos = transformation.map(p);
    // A text drawn in several runs (one per font of a fallback) is
    // joined back into the text of the call.
    if (!textes.empty()) {
        Texte& t = textes.back();
        if (qAbs(t.position.y() - pos.y()) < 0.01 && qAbs(t.position.x() + t.largeur - pos.x()) < 0.5) {
            t.texte += ti.text();
            t.largeur += ti.width();
            return;
        }
    }
    textes.push_back({pos, ti.width(), ti.text(), ti.font(), stylo.color()});
}

void MoteurEnregistreur::drawLines(const QLineF* l, int n) {
    for (int i = 0; i < n; ++i)
        lignes.push_back(transformation.map(l[i]));
}

void MoteurEnregistreur::drawLines(const QLine* l, int n) {
    for (int i = 0; i < n; ++i)
        lignes.push_back(transformation.map(QLineF(l[i])));
}

void MoteurEnregistreur::drawRects(const QRectF* r, int n) {
    for (int i = 0; i < n; ++i)
        rectangles.push_back(transformation.mapRect(r[i]));
}

void MoteurEnregistreur::drawRects(const QRect* r, int n) {
    for (int i = 0; i < n; ++i)
        rectangles.push_back(transformation.mapRect(QRectF(r[i])));
}

void MoteurEnregistreur::drawImage(const QRectF& r, const QImage& im, const QRectF&,
                                   Qt::ImageConversionFlags) {
    images.push_back({transformation.mapRect(r), im.size()});
}

std::vector<MoteurEnregistreur::Texte> MoteurEnregistreur::trouver(const QString& s) const {
    std::vector<Texte> r;
    for (const Texte& t : textes)
        if (t.texte == s)
            r.push_back(t);
    return r;
}

int PageEnregistree::metric(PaintDeviceMetric m) const {
    switch (m) {
    case PdmWidth:
        return LARGEUR;
    case PdmHeight:
        return HAUTEUR;
    case PdmWidthMM:
        return 210;
    case PdmHeightMM:
        return 297;
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}
