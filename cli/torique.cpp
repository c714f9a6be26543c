// The command-line tool: the toric calculation without the window, the
// calculation sheet as a PDF file with --pdf, and the surgeon's induced
// astigmatism from past cases with --sia.

#include "FeuilleCli.h"
#include "SiaCli.h"
#include "ToriqueCli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The sheet draws the diagrams, which are widgets: a widget application
    // is needed, on no screen unless one is asked for.
    // The plot of --sia needs only the fonts of a GUI application.
    const bool feuille = FeuilleCli::demande(arguments);
    const bool graphique = SiaCli::demande_graphique(arguments);
    if ((feuille || graphique) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(feuille     ? new QApplication(argc, argv)
                                          : graphique ? new QGuiApplication(argc, argv)
                                                      : new QCoreApplication(argc, argv));
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    ToriqueCli outil;
    const QString langue = FeuilleCli::langue(arguments);
    FeuilleCli pdf(outil, langue);
    SiaCli sia(outil, langue);
    const int statut = outil.executer(app->arguments().mid(1), sortie, erreurs);
    if (arguments.contains("--help") || arguments.contains("-h"))
        sortie << FeuilleCli::usage(langue) << SiaCli::usage(langue);
    else if (arguments.isEmpty())
        erreurs << FeuilleCli::usage(langue) << SiaCli::usage(langue);
    sortie.flush();
    erreurs.flush();
    return statut;
}
