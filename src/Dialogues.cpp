#include "Dialogues.h"

#include <QDialog>

Dialogues::Repondeur& Dialogues::repondeur() {
    static Repondeur r;
    return r;
}

void Dialogues::setRepondeur(Repondeur r) {
    repondeur() = std::move(r);
}

bool Dialogues::aRepondeur() {
    return static_cast<bool>(repondeur());
}

int Dialogues::exec(QDialog* dialogue) {
    if (repondeur()) {
        // Copy: the responder may replace itself while it runs.
        Repondeur r = repondeur();
        return r(dialogue);
    }
    return dialogue->exec();
}
