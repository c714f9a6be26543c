#ifndef ACCESSIBILITE_H
#define ACCESSIBILITE_H

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// Keyboard and screen-reader use of the windows, kept apart from their
// layout code.
//
// Names and descriptions: every entry, value box, warning and button is
// known here by its object name, with the name a screen reader speaks and,
// where it helps, a description, in French and in English. A value box
// (the frame around a computed value) is named after what it shows; the
// value itself is the text of the label inside, whose description repeats
// what it is.
//
// Tab order: the widgets that take the focus follow the order in which the
// user works (on the calculation page, the guided steps), whatever the order
// in which they were built or replaced.
//
// The styled and picture buttons of the kit answer the screen reader's
// "press" action exactly as the Space key does, once the action has
// returned: what the press opens never holds the screen reader's call.
class Accessibilite {
public:
    // Names and descriptions of the known widgets of racine and its
    // descendants, in "fr" or "en"; another code changes nothing.
    static void appliquer(QWidget* racine, const QString& langue);

    // Tab order of the focusable widgets of racine, after its class; the
    // widgets that must never take the focus lose it.
    static void ordonner(QWidget* racine);

    // Both, for a widget whose buttons are built or replaced.
    static void preparer(QWidget* racine, const QString& langue);

    // A page just put on screen takes the keyboard focus on its first
    // usable widget (the first guided step on the calculation page), rather
    // than leaving it wherever the page that was left had it.
    static void entrer(QWidget* page);

    // The object names of a class's focusable widgets, in tab order.
    static QStringList ordre(const QString& classe);

    // The texts known for an object name (empty when none).
    static QString nom(const QString& objet, const QString& langue);
    static QString description(const QString& objet, const QString& langue);

    // Makes the kit's buttons known to the accessibility layer as buttons
    // with a press action. Done by the first call above; a program that
    // queries a button before any page is built calls it itself.
    static void installer();
};

// Watches the named widgets: a warning that comes on screen is sent to the
// screen reader as an alert (and told through alerte()); a button that
// leaves the screen with the keyboard focus is marked, so that the button
// replacing it takes the focus back.
class VeilleurAccessibilite : public QObject {
    Q_OBJECT
public:
    static VeilleurAccessibilite* instance();

signals:
    void alerte(QWidget* avertissement);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

#endif
