#include "BoutonStyle.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {
// Number of clicks of the kit being handled in a window (a property of the
// window): their action may run a question, a message or a dialog, inside
// which the delayed click of an earlier press would otherwise arrive.
const char* const CLICS_EN_COURS = "clics_du_kit_en_cours";
} // namespace

BoutonStyle::BoutonStyle(int w, int h, int delai) : QPushButton(nullptr), delai_ms(delai) {
    setFont(QFont("Arial", 10, QFont::Bold));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(w, h);
    setAutoFillBackground(true);
    setStyleSheet(style_repos());
}

const QString& BoutonStyle::style_repos() {
    static const QString s(
        "QPushButton {border: 1px solid #006482; border-radius: 10px; background: qlineargradient(x1:0, "
        "y1:0, "
        "x2:0, y2:1, stop:0 #FFFFFF, stop: 0.4 #00A0C2, stop:1 #006482); color: #FFFFFF;}");
    return s;
}

const QString& BoutonStyle::style_survol() {
    static const QString s(
        "QPushButton {border: 2px solid #006482; border-radius: 10px; background: qlineargradient(x1:0, "
        "y1:0, "
        "x2:0, y2:1, stop:0 #FFFFFF, stop: 0.4 #00A0C2, stop:1 #006482); color: #FFFFFF;}");
    return s;
}

const QString& BoutonStyle::style_enfonce() {
    static const QString s("QPushButton {border: 2px solid #006482; border-radius: 10px; background: "
                           "qlineargradient(x1:0, y1:0, "
                           "x2:0, y2:1, stop:0 #006482, stop: 0.6 #00A0C2, stop:1 #FFFFFF); color: #FFFFFF;} "
                           "QPushButton:pressed "
                           "{background: #FFFFFF; color: #00A0C2;}");
    return s;
}

void BoutonStyle::enterEvent(QEnterEvent*) {
    setStyleSheet(style_survol());
}

void BoutonStyle::leaveEvent(QEvent*) {
    setStyleSheet(style_repos());
}

void BoutonStyle::mousePressEvent(QMouseEvent*) {
    presser(false);
}

bool BoutonStyle::touche_activation(const QKeyEvent* event) {
    const int k = event->key();
    if (k != Qt::Key_Space && k != Qt::Key_Return && k != Qt::Key_Enter)
        return false;
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void BoutonStyle::keyPressEvent(QKeyEvent* event) {
    if (!touche_activation(event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key repeats its press: only the first one counts, as a mouse
    // button held down gives one press.
    if (!event->isAutoRepeat())
        presser(true);
    event->accept();
}

void BoutonStyle::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    cadre_focus(this, 7);
}

void BoutonStyle::cadre_focus(QWidget* w, qreal rayon) {
    if (!w->hasFocus() || !w->window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter p(w);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(w->rect()).adjusted(3.5, 3.5, -3.5, -3.5);
    QPen pen(QColor(0xFF, 0xFF, 0xFF), 1);
    p.setPen(pen);
    p.drawRoundedRect(r, rayon, rayon);
    pen.setColor(QColor(0x00, 0x32, 0x41));
    pen.setDashPattern({2, 2});
    p.setPen(pen);
    p.drawRoundedRect(r, rayon, rayon);
}

void BoutonStyle::presser(bool clavier) {
    setStyleSheet(style_enfonce());
    // The pressed look is drawn during the delay; the action behind click()
    // often deletes this button with its page. The delay is a child of the
    // button, so deleting the button cancels it and no click() follows.
    // A precise timer: a coarse one may end up to 5 % early.
    QTimer* t = new QTimer(this);
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
    timer = t;
    const bool visible = isVisible();
    connect(t, &QTimer::timeout, this, [this, t, clavier, visible] {
        if (timer == t) {
            timer = nullptr;
            if (clavier)
                setStyleSheet(underMouse() ? style_survol() : style_repos());
        }
        t->deleteLater();
        // A double press gives one action: the second delayed click does
        // nothing once the first has taken the button's page off the
        // screen, nor while the first (or any click of this window) is
        // still being handled -- a page move asking its question, a check
        // showing its message.
        if (visible && !isVisible())
            return;
        if (window()->property(CLICS_EN_COURS).toInt() > 0)
            return;
        emettre();
    });
    t->start(delai_ms);
}

void BoutonStyle::emettre() {
    QPointer<QWidget> fenetre = window();
    fenetre->setProperty(CLICS_EN_COURS, fenetre->property(CLICS_EN_COURS).toInt() + 1);
    emit click();
    if (fenetre)
        fenetre->setProperty(CLICS_EN_COURS, fenetre->property(CLICS_EN_COURS).toInt() - 1);
}

void BoutonStyle::emit_click() {
    if (timer) {
        timer->stop();
        timer->deleteLater();
        timer = nullptr;
    }
    emettre();
}
