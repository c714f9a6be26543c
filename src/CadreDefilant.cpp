#include "CadreDefilant.h"

#include "FenetrePrinc.h"

#include <QCloseEvent>

CadreDefilant::CadreDefilant(FenetrePrinc* fenetre) : QScrollArea(nullptr), fenetre_p(fenetre) {
    setObjectName("cadre_defilant");
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(0, 0, 0, 0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(fenetre);
    setWindowTitle(fenetre->windowTitle());
    setWindowIcon(fenetre->windowIcon());
}

void CadreDefilant::closeEvent(QCloseEvent* event) {
    // Either the main window has just agreed to quit and closes its frame,
    // or the frame's own close button was used: then the main window asks.
    if (fenetre_p->fermeture_acceptee) {
        event->accept();
        return;
    }
    event->setAccepted(fenetre_p->close());
}
