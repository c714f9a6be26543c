// The command-line tool: the toric calculation without the window, and the
// calculation sheet as a PDF file with --pdf.

#include "FeuilleCli.h"
#include "ToriqueCli.h"

#include <QApplication>
#include <QCoreApplication>
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
    const bool feuille = FeuilleCli::demande(arguments);
    if (feuille && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(feuille ? new QApplication(argc, argv)
                                                  : new QCoreApplication(argc, argv));
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    ToriqueCli outil;
    const QString langue = FeuilleCli::langue(arguments);
    FeuilleCli pdf(outil, langue);
    const int statut = outil.executer(app->arguments().mid(1), sortie, erreurs);
    if (arguments.contains("--help") || arguments.contains("-h"))
        sortie << FeuilleCli::usage(langue);
    else if (arguments.isEmpty())
        erreurs << FeuilleCli::usage(langue);
    sortie.flush();
    erreurs.flush();
    return statut;
}
