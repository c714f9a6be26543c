#ifndef BOUTONIMAGE_H
#define BOUTONIMAGE_H

#include <QLabel>

// A picture label that acts as a button: pointing-hand cursor, reacts on
// mouse press (any mouse button), not on release. It takes the focus from
// the Tab key only (a mouse press leaves the focus where it was), shows it
// with a focus frame, and Space, Enter or Return then press it.
class BoutonImage : public QLabel {
    Q_OBJECT
public:
    explicit BoutonImage(const QPixmap& image);

signals:
    void presse();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

#endif
