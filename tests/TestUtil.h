#ifndef TESTUTIL_H
#define TESTUTIL_H

// Helpers shared by the tests: answering modal dialogs, waiting for the
// delayed clicks and for deferred deletions.

#include "Dialogues.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

#include <functional>

namespace TestUtil {

// Processes the events posted so far, deferred deletions included.
inline void vider_evenements() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Presses a widget as the mouse would, then waits for the delayed click.
inline void presser(QWidget* w, int attente_ms = 150, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(w, b);
    QTest::qWait(attente_ms);
    vider_evenements();
}

// Installs a responder for the lifetime of the object.
struct Repondeur {
    explicit Repondeur(Dialogues::Repondeur r) { Dialogues::setRepondeur(std::move(r)); }
    ~Repondeur() { Dialogues::setRepondeur(nullptr); }
};

// Clicks the button of a message box whose text is given.
inline int cliquer_bouton(QDialog* d, const QString& texte) {
    auto* box = qobject_cast<QMessageBox*>(d);
    if (!box)
        return -1;
    for (QAbstractButton* b : box->buttons())
        if (b->text() == texte) {
            b->click();
            return box->result();
        }
    return -1;
}

// Selects, in the other-cylinder dialog, the item of the power whose label
// is given ("+ 3.75 D"): each item begins with the label of its power.
inline bool choisir_cylindre(QInputDialog* d, const QString& libelle) {
    for (const QString& item : d->comboBoxItems())
        if (item == libelle || item.startsWith(libelle + QLatin1Char(' '))) {
            d->setTextValue(item);
            return true;
        }
    return false;
}

} // namespace TestUtil

#endif
