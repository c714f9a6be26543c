#ifndef CADREDEFILANT_H
#define CADREDEFILANT_H

#include <QScrollArea>

class FenetrePrinc;

// Scroll frame that carries the main window on screens too small for it.
// It is the window on screen then: it closes with the main window, and its
// own close button asks the main window's quit question.
class CadreDefilant : public QScrollArea {
    Q_OBJECT
public:
    explicit CadreDefilant(FenetrePrinc* fenetre);

    FenetrePrinc* fenetre() const { return fenetre_p; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FenetrePrinc* fenetre_p;
};

#endif
