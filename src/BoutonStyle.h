#ifndef BOUTONSTYLE_H
#define BOUTONSTYLE_H

#include <QPushButton>

class QTimer;

// Styled push button that reacts on press (any mouse button): the pressed
// look is drawn first, then click() is emitted once per press, after a delay
// that the kind of button sets. The toolkit's clicked() is not used. A
// delayed click does nothing when its button has left the screen since the
// press, or while a click of the same window is still being handled.
// With the keyboard focus, Space, Enter or Return press it the same way.
class BoutonStyle : public QPushButton {
    Q_OBJECT
public:
    BoutonStyle(int w, int h, int delai_ms);

    static const QString& style_repos();
    static const QString& style_survol();
    static const QString& style_enfonce();

    int delai() const { return delai_ms; }

    // Space, Enter or Return without a modifier other than the keypad's:
    // the keys that activate a focused button of the kit.
    static bool touche_activation(const QKeyEvent* event);

    // Draws the keyboard focus ring on a button of the kit that has the
    // focus, once the keyboard has moved the focus in its window (a mouse
    // user never sees it): white with dark dashes, seen on the pictures and
    // on every shade of the gradient.
    static void cadre_focus(QWidget* w, qreal rayon);

signals:
    void click();

public slots:
    void emit_click();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // Delay of the latest press; every press runs a delay of its own.
    QTimer* timer = nullptr;

private:
    // Pressed look, then a delay of its own that ends in click(). A press
    // from the keyboard gives the resting look back when its delay ends,
    // since no mouse will leave the button to do it.
    void presser(bool clavier);
    // Emits click(), the window marked as handling a click meanwhile.
    void emettre();

    int delai_ms;
};

#endif
