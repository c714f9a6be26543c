#ifndef MARCHEALEATOIRE_H
#define MARCHEALEATOIRE_H

// A seeded random walk through the whole program, as a restless user would
// go: presses on every visible styled and picture button (flags, eye
// buttons, Calculate, another cylinder, the bands' buttons, help, exit),
// double presses on the styled ones, values inside their ranges in the list
// and the spin boxes, numbers typed into them (a decimal comma, 180 and 360,
// a keratometry, an induced astigmatism or an axis beyond its limits), the
// unit radio buttons, back and resume (Escape resuming too), new
// calculation, the print path; every modal box is answered at random
// through a Dialogues responder (the quit question always "No"). After every
// action the invariants of the screen are checked:
// exactly one page on screen between the top band and its own bottom band,
// no other window left open, each flag connected to exactly one slot, no
// widget of a page that was left still alive, the values on screen equal to
// the engine's for the inputs on screen (each K as typed, whatever the unit
// switches), no figure and no line of the diagram from an entry refused, a
// result shown only for inputs that pass the checks, and the diagram told
// the axes; a typed number is the value of its entry; a double press asks
// no question and shows no message twice. The inputs left by "back" come back on resume ("nothing lost"), and
// the number of live widgets stays bounded over the walk.
//
// Used by the walks of the test suite, by the test without pictures and by
// the memory benchmark (a full session).

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

class FenetrePrinc;

namespace Marche {

class MarcheAleatoire {
public:
    // A walk through a new main window, which it answers the modal boxes
    // of while it lasts. `dossier`: a writable folder for the PDF files
    // saved by the walk.
    static std::unique_ptr<MarcheAleatoire> creer(quint64 graine, const QString& dossier);
    virtual ~MarcheAleatoire();

    // Runs `n` actions, checking after each; false at the first fault,
    // described in `echec`.
    virtual bool executer(int n) = 0;
    // Back then resume, answered "yes": the inputs must come back.
    virtual bool retour_et_reprise() = 0;

    FenetrePrinc* fenetre = nullptr;
    QString echec;
    QMap<QString, int> stats;
    int pas = 0;
    int max_widgets_debut = 0, max_widgets_fin = 0;
    bool verifier = true;
    // Whether the file dialog may be answered with a folder that does not
    // exist (the PDF cannot be written: a warning box, the preview stays).
    bool dossiers_impossibles = true;
    QStringList pdf_ecrits;
};

} // namespace Marche

#endif
