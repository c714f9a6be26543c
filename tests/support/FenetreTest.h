#ifndef FENETRETEST_H
#define FENETRETEST_H

#include "FenetrePrinc.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class PageCalcul;

// What a test saw of a message or question box.
struct Boite {
    QString titre, texte;
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    QStringList boutons;
    QList<QMessageBox::ButtonRole> roles;
    Qt::TextFormat format = Qt::AutoText;
    QList<QMessageBox::StandardButton> standards;

    static Boite lire(QMessageBox* box);
};

// The main window on screen, on its welcome page. While it lives, every
// message box is recorded in `boites` and answered by its first button (a
// question box by the button `reponse_question`); any other dialog is
// handed to `autre`, or rejected when there is none. `dialogues` names the
// class of every dialog in turn.
class FenetreTest {
public:
    FenetreTest();
    virtual ~FenetreTest();

    std::unique_ptr<FenetrePrinc> f;
    std::function<int(QDialog*)> autre;
    QStringList dialogues;
    QList<Boite> boites;
    int reponse_question = 0;

    // Waits until the window is the active one.
    bool active();
    // Presses the flag of a language ("fr" or "en").
    void langue(const QString& l);
    // From the welcome page to the calculation page.
    void page3();
    PageCalcul* page() const;
};

#endif
