#ifndef TESTUTIL_H
#define TESTUTIL_H

// Helpers shared by the tests: answering modal dialogs, waiting for the
// delayed clicks and for deferred deletions, typing into entry boxes.

#include "Dialogues.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTest>

#include <functional>

class QAbstractSpinBox;
class QInputDialog;

namespace TestUtil {

// Processes the events posted so far, deferred deletions included.
void vider_evenements();

// Presses a widget as the mouse would, then waits for the delayed click.
void presser(QWidget* w, int attente_ms = 150, Qt::MouseButton b = Qt::LeftButton);

// Installs a responder for the lifetime of the object.
struct Repondeur {
    explicit Repondeur(Dialogues::Repondeur r);
    ~Repondeur();
};

// Clicks the button of a message box whose text is given.
int cliquer_bouton(QDialog* d, const QString& texte);

// Selects, in the other-cylinder dialog, the item of the power whose label
// is given ("+ 3.75 D"): each item begins with the label of its power.
bool choisir_cylindre(QInputDialog* d, const QString& libelle);

// Types a value into an entry box and validates it with Enter.
void saisir(QAbstractSpinBox* s, const QString& texte);

// Index of a spherical power in the page's list: " ----", then 10.0 to 35.0.
int index_sph(double p);

} // namespace TestUtil

#endif
