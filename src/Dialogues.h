#ifndef DIALOGUES_H
#define DIALOGUES_H

#include <functional>

class QDialog;

// Every modal dialog of the program (question and message boxes, input
// boxes, the help window, the identification form, the print preview, the
// file dialog) is run through Dialogues::exec. A test or a random walk may
// install a responder that receives the fully built dialog instead of the
// modal loop: it reads the dialog's texts and buttons, acts on it (types,
// clicks, calls done()) and returns the result that exec() would have
// returned. Without a responder the dialog simply runs modally.
class Dialogues {
public:
    using Repondeur = std::function<int(QDialog*)>;

    static int exec(QDialog* dialogue);
    static void setRepondeur(Repondeur r);
    static bool aRepondeur();

private:
    static Repondeur& repondeur();
};

#endif
