#ifndef DEMARRAGE_H
#define DEMARRAGE_H

#include <QSize>

class CadreDefilant;
class FenetrePrinc;
class QSplashScreen;
class QWidget;

// Start-up of the calculator: splash screen, the toolkit's own translation,
// the size of the screen, and the main window shown directly or, on a
// screen smaller than 980 x 700, inside a scroll frame.
class Demarrage {
public:
    Demarrage() = default;
    ~Demarrage();
    Demarrage(const Demarrage&) = delete;
    Demarrage& operator=(const Demarrage&) = delete;

    // Starts reading the splash screen's and the first window's pictures,
    // and the font configuration, on other cores; called before the
    // application object is made, so that the reading overlaps its set-up.
    static void precharger();

    // Everything up to the event loop; the application object must exist.
    void lancer();

    // Closes the splash screen once the shown window is exposed.
    void fermer_splash(QWidget* montree);

    // Available area of the screen a new window would appear on.
    static QSize zone_disponible();
    // The scroll frame sized for an available area, holding the window; none
    // (nullptr) when the area takes the window as it is.
    static CadreDefilant* encadrer(FenetrePrinc* fenetre, QSize zone);

    QSplashScreen* splash = nullptr;
    bool traduction_chargee = false;
    QSize zone;
    FenetrePrinc* fenetre = nullptr;
    CadreDefilant* cadre = nullptr;
};

// Entry of the program: runs the calculator until its last window closes.
int qMain(int argc, char** argv);

#endif
