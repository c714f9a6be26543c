#ifndef PAGEENREGISTREE_H
#define PAGEENREGISTREE_H

// A paint device of the size of an A4 page at 96 dots per inch that records
// what is drawn on it instead of rendering it: every text with its position,
// font and colour, every picture with its place on the page, every line and
// rectangle. Tests read the calculation sheet from it exactly, separators and
// fonts included, which a PDF text extraction cannot give.

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

#include <vector>

class MoteurEnregistreur : public QPaintEngine {
public:
    struct Texte {
        QPointF position; // start of the baseline, page coordinates
        double largeur;
        QString texte;
        QFont police;
        QColor couleur;
    };
    struct Image {
        QRectF place; // page coordinates
        QSize taille; // size of the picture itself
    };

    MoteurEnregistreur() : QPaintEngine(QPaintEngine::AllFeatures) {}

    std::vector<Texte> textes;
    std::vector<Image> images;
    std::vector<QLineF> lignes;
    std::vector<QRectF> rectangles;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& s) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF&) override;
    void drawTextItem(const QPointF& p, const QTextItem& ti) override;
    void drawLines(const QLineF* l, int n) override;
    void drawLines(const QLine* l, int n) override;
    void drawRects(const QRectF* r, int n) override;
    void drawRects(const QRect* r, int n) override;
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    void drawEllipse(const QRectF&) override {}
    void drawImage(const QRectF& r, const QImage& im, const QRectF&, Qt::ImageConversionFlags) override;

    // The texts equal to s.
    std::vector<Texte> trouver(const QString& s) const;
    bool contient(const QString& s) const { return !trouver(s).empty(); }

private:
    QPen stylo;
    QTransform transformation;
};

class PageEnregistree : public QPaintDevice {
public:
    static constexpr int LARGEUR = 793; // A4 at 96 dpi
    static constexpr int HAUTEUR = 1122;

    MoteurEnregistreur moteur;
    QPaintEngine* paintEngine() const override { return const_cast<MoteurEnregistreur*>(&moteur); }

protected:
    int metric(PaintDeviceMetric m) const override;
};

#endif
