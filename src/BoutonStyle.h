#ifndef BOUTONSTYLE_H
#define BOUTONSTYLE_H

#include <QPushButton>

class QTimer;

// Styled push button that reacts on press (any mouse button): the pressed
// look is drawn first, then click() is emitted once per press, after a delay
// that the kind of button sets. The toolkit's clicked() is not used.
class BoutonStyle : public QPushButton {
    Q_OBJECT
public:
    BoutonStyle(int w, int h, int delai_ms);

    static const QString& style_repos();
    static const QString& style_survol();
    static const QString& style_enfonce();

    int delai() const { return delai_ms; }

signals:
    void click();

public slots:
    void emit_click();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    // Delay of the latest press; every press runs a delay of its own.
    QTimer* timer = nullptr;

private:
    int delai_ms;
};

#endif
