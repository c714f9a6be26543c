#include "BoutonStyle.h"

#include <QTimer>

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
        "QPushButton {border: 1px solid #006482; border-radius: 10px; background: qlineargradient(x1:0, y1:0, "
        "x2:0, y2:1, stop:0 #FFFFFF, stop: 0.4 #00A0C2, stop:1 #006482); color: #FFFFFF;}");
    return s;
}

const QString& BoutonStyle::style_survol() {
    static const QString s(
        "QPushButton {border: 2px solid #006482; border-radius: 10px; background: qlineargradient(x1:0, y1:0, "
        "x2:0, y2:1, stop:0 #FFFFFF, stop: 0.4 #00A0C2, stop:1 #006482); color: #FFFFFF;}");
    return s;
}

const QString& BoutonStyle::style_enfonce() {
    static const QString s(
        "QPushButton {border: 2px solid #006482; border-radius: 10px; background: qlineargradient(x1:0, y1:0, "
        "x2:0, y2:1, stop:0 #006482, stop: 0.6 #00A0C2, stop:1 #FFFFFF); color: #FFFFFF;} QPushButton:pressed "
        "{background: #FFFFFF; color: #00A0C2;}");
    return s;
}

void BoutonStyle::enterEvent(QEnterEvent*) { setStyleSheet(style_survol()); }

void BoutonStyle::leaveEvent(QEvent*) { setStyleSheet(style_repos()); }

void BoutonStyle::mousePressEvent(QMouseEvent*) {
    setStyleSheet(style_enfonce());
    // The pressed look is drawn during the delay; the action behind click()
    // often deletes this button with its page. The delay is a child of the
    // button, so deleting the button cancels it and no click() follows.
    QTimer* t = new QTimer(this);
    t->setSingleShot(true);
    timer = t;
    connect(t, &QTimer::timeout, this, [this, t] {
        if (timer == t)
            timer = nullptr;
        t->deleteLater();
        emit click();
    });
    t->start(delai_ms);
}

void BoutonStyle::emit_click() {
    if (timer) {
        timer->stop();
        timer->deleteLater();
        timer = nullptr;
    }
    emit click();
}
