#ifndef DESSIN_H
#define DESSIN_H

// Shared palette and drawing helpers of the picture generator. Every picture
// of the calculator is drawn here with QPainter on a QImage.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>
#include <vector>

namespace Dessin {

// Colours of the program.
inline const QColor bleu{0x00, 0xA0, 0xC2};  // panels, side bands, title frames
inline const QColor fonce{0x00, 0x64, 0x82}; // button borders, titles
inline const QColor regle{0x00, 0x96, 0xC3}; // rules
inline const QColor rose{0xF3, 0x3D, 0x6B};  // recommended values, K2 line
inline const QColor blanc{0xFF, 0xFF, 0xFF};
inline const QColor grisTexte{0xAF, 0xAF, 0xAF}; // rows not yet usable
inline const QColor bleuK1{30, 157, 186};        // flat axis line of the diagram
inline const QColor rougeInc{190, 0, 0};         // incision arc of the diagram

// Family used for every text of the pictures (metric-compatible with Arial).
inline const QString famille = QStringLiteral("Liberation Sans");

// One picture to write: its file name and the function that draws it.
struct Image {
    QString nom;
    std::function<QImage()> dessin;
    bool palette = false; // reduce to 256 colours before writing (large opaque pictures)
};

// The same opaque picture with at most n colours (median cut, no dithering).
QImage en_palette(const QImage& img, int n = 256);

// A picture as its file holds it: an opaque one without an alpha channel
// (smaller files; a large one reduced to 256 colours, `palette`), any other
// with its colours divided by their opacity, as PNG stores them. The
// pixels depend only on the drawing, not on the machine.
QImage a_ecrire(const Image& i);

// A blank canvas (premultiplied ARGB), filled with the given colour.
QImage toile(int w, int h, const QColor& fond = Qt::transparent);

// A font of the given pixel size, so that the pictures do not depend on the
// resolution of the machine that draws them.
QFont police(qreal px, bool gras = false, bool italique = false);

// Starts a painter on an image with antialiasing for shapes and text.
void commencer(QPainter& p, QImage& img);

// The maker's emblem: a round lens seen from the front, with its toric marks.
// `clair` draws it light on a dark ground.
void embleme(QPainter& p, QPointF centre, qreal rayon, bool clair = false);

// A push button in the program's style (white to blue to dark blue).
void bouton(QPainter& p, const QRectF& r, const QString& texte, qreal px);

// The warning triangle.
void triangle_attention(QPainter& p, const QRectF& r);

// Look of a drawn lens.
struct StyleLentille {
    QColor optique;     // fill of the optic (its centre)
    QColor optiqueBord; // fill of the optic near its edge
    QColor contour;     // outline of the optic and of the haptics
    QColor haptique;    // fill of the haptics
    QColor marques;     // the toric axis dots
    qreal trait;        // outline width, pixels
    bool reflet;        // draw a highlight on the optic
};

// A one-piece lens with two C-loop haptics, its toric axis vertical, optic of
// radius r at c. Its outline stays within |x| <= 1.33 r and |y| <= 1.98 r.
void lentille_c(QPainter& p, QPointF c, qreal r, const StyleLentille& s);

// A lens with two plate haptics along the vertical axis, optic of radius r at
// c; the plates reach |y| = 2.1 r.
void lentille_plaque(QPainter& p, QPointF c, qreal r, const StyleLentille& s);

// The three dots marking the toric axis, on both ends of the vertical
// diameter of an optic of radius r.
void marques_toriques(QPainter& p, QPointF c, qreal r, const QColor& couleur);

// Every picture, and its groups.
std::vector<Image> toutes();
std::vector<Image> bandes();
std::vector<Image> icones();
std::vector<Image> lentilles();
std::vector<Image> rapporteurs();
std::vector<Image> aides();

// Draws one of the program's pictures (not a help page) by its file name;
// the help pages reuse the icons. An unknown name gives a null image.
QImage dessiner(const QString& nom);

// The protractor of the summary diagram, centred on c with graduations from
// radius r (ticks grow outwards). `orange` picks the active colours, `od`
// the eye (nasal side on the right for the right eye). `detail` 2: a tick
// every degree and a label every 10; 1: ticks every 5, labels every 30;
// 0: ticks every 10, no labels (for small drawings).
void rapporteur(QPainter& p, QPointF c, qreal r, bool orange, bool od, int detail);

} // namespace Dessin

#endif
