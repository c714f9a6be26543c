#include "Demarrage.h"

#include "CadreDefilant.h"
#include "FenetrePrinc.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTranslator>

Demarrage::~Demarrage() {
    // The frame owns the window it carries.
    if (cadre)
        delete cadre;
    else
        delete fenetre;
    delete splash;
    if (traducteur) {
        QCoreApplication::removeTranslator(traducteur);
        delete traducteur;
    }
}

void Demarrage::lancer() {
    splash = new QSplashScreen(QPixmap("logohorz_splash.png"), Qt::WindowStaysOnTopHint);
    splash->show();
    splash->showMessage("Démarrage en cours...", Qt::AlignHCenter | Qt::AlignBottom, Qt::white);

    // The toolkit's own dialogs (print, preview, file) in the system's
    // language; without the file they stay untranslated.
    traducteur = new QTranslator;
    traduction_chargee = traducteur->load("qt_" + QLocale::system().name(),
                                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(traducteur);

    zone = zone_disponible();
    fenetre = new FenetrePrinc;
    cadre = encadrer(fenetre, zone);
    if (!cadre) {
        fenetre->show();
        splash->finish(fenetre);
    } else {
        cadre->move(10, 10);
        cadre->show();
        splash->finish(cadre);
    }
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
    QApplication app(argc, argv);
    Demarrage demarrage;
    demarrage.lancer();
    return app.exec();
}
