#include "Demarrage.h"
#include "LecteurImages.h"

#include "CadreDefilant.h"
#include "FenetrePrinc.h"
#include "TraductionBoites.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTimer>
#include <QWindow>

#include <fontconfig/fontconfig.h>

#include <future>

namespace {

// The pictures of the splash screen and of the window as it first appears
// (welcome page, its bands), in the order they are asked for, at the sizes
// they are shown.
const QList<LecteurImages::Demande> premiere_fenetre = {
    {"logohorz_splash.png", 0},
    {"icone.png", 0},
    {"bandeau_haut_fr_965x50pix.png", 0},
    {"francais_01.png", 0},
    {"anglais_01.png", 0},
    {"velan_T_titre400x63.png", 0},
    {"velan_T_image570x570.png", 250},
    {"bandeau_bas_accueil_965x50pix.png", 0},
    {"help228t.png", 30},
    {"exit_03.png", 30},
};

// fontconfig reads its configuration (a few dozen XML files) the first time
// any text is measured, which is the splash screen's message: that reading
// is started on another core while the application object is set up. The
// future of an asynchronous call waits for its thread when it goes, so the
// program ends only once the reading is done.
std::future<void>& lecture_polices() {
    static std::future<void> f;
    return f;
}

} // namespace

Demarrage::~Demarrage() {
    // The frame owns the window it carries.
    if (cadre)
        delete cadre;
    else
        delete fenetre;
    delete splash;
    LecteurImages::terminer();
}

void Demarrage::precharger() {
    LecteurImages::precharger(premiere_fenetre);
    if (!lecture_polices().valid())
        lecture_polices() = std::async(std::launch::async, [] { FcInit(); });
}

void Demarrage::lancer() {
    splash = new QSplashScreen(LecteurImages::pixmap("logohorz_splash.png"), Qt::WindowStaysOnTopHint);
    splash->show();
    splash->showMessage("Démarrage en cours...", Qt::AlignHCenter | Qt::AlignBottom, Qt::white);

    // The toolkit's own dialogs (print, preview, file) in the system's
    // language; without the file they stay untranslated.
    traduction_chargee = TraductionBoites::installer("qt_" + QLocale::system().name());

    zone = zone_disponible();
    fenetre = new FenetrePrinc;
    cadre = encadrer(fenetre, zone);
    QWidget* montree = fenetre;
    if (cadre) {
        cadre->move(10, 10);
        montree = cadre;
    }
    montree->show();
    fermer_splash(montree);
}

void Demarrage::fermer_splash(QWidget* montree) {
    // The splash screen stays until the window is up on the screen, at most
    // a second. Events are waited for rather than polled at intervals, so
    // that the splash screen goes as soon as the window is exposed; the
    // timer only wakes the wait now and then to look at the time limit.
    QWindow* fenetre_native = montree->windowHandle();
    QDeadlineTimer limite(1000);
    QTimer reveil;
    reveil.start(20);
    while (fenetre_native && !fenetre_native->isExposed() && !limite.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash->close();
}

QSize Demarrage::zone_disponible() {
    QLabel sonde("TEST");
    QScreen* ecran = sonde.screen();
    if (!ecran)
        ecran = QGuiApplication::primaryScreen();
    if (!ecran)
        return QSize(980, 700);
    return ecran->availableGeometry().size();
}

CadreDefilant* Demarrage::encadrer(FenetrePrinc* fenetre, QSize zone) {
    const int W = zone.width();
    const int H = zone.height();
    if (W >= 980 && H >= 700)
        return nullptr;
    auto* cadre = new CadreDefilant(fenetre);
    // The bars' sizes are read before the frame is shown, as they come.
    if (W < 980) {
        cadre->setFixedWidth(qMax(0, W - 30));
        cadre->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        cadre->setFixedHeight(fenetre->height() + (cadre->horizontalScrollBar()->height() - 13));
    }
    if (H < 700) {
        cadre->setFixedHeight(qMax(0, H - 50));
        cadre->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        cadre->setFixedWidth(fenetre->width() + (cadre->verticalScrollBar()->height() - 13));
        if (W < 980)
            cadre->setFixedWidth(qMax(0, W - 30));
    }
    return cadre;
}

int qMain(int argc, char** argv) {
    Demarrage::precharger();
    QApplication app(argc, argv);
    Demarrage demarrage;
    demarrage.lancer();
    return app.exec();
}
