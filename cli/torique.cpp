// The command-line tool: the toric calculation without the window.

#include "ToriqueCli.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    ToriqueCli outil;
    const int statut = outil.executer(app.arguments().mid(1), sortie, erreurs);
    sortie.flush();
    erreurs.flush();
    return statut;
}
