// The command-line tool: the toric calculation without the window, the
// calculation sheet as a PDF file with --pdf, and the surgeon's induced
// astigmatism from past cases with --sia.

#include "EcritureFichier.h"
#include "FeuilleCli.h"
#include "SiaCli.h"
#include "ToriqueCli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard stream that the caller closed is held by /dev/null, so that no
// file opened later (a CSV file, the sheet) takes its number and receives
// what is meant for it; a closed standard output is opened read-only, so
// that writing to it still fails.
void tenir_flux_fermes() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1) {
            const int n = open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
            if (n >= 0 && n != fd) {
                dup2(n, fd);
                close(n);
            }
        }
}

// The toolkit's own warnings (missing runtime folder, picture decoder
// notices, files it could not open) are not the tool's messages: an
// ordinary run prints only its own. Fatal errors still end the program.
void sans_avertissements(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

} // namespace

int main(int argc, char** argv) {
    tenir_flux_fermes();
    // A reader gone (a closed pipe) is an output error like any other,
    // reported instead of ending the tool silently.
    std::signal(SIGPIPE, SIG_IGN);
    qInstallMessageHandler(sans_avertissements);

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
    // Every write to the standard output is checked.
    EcritureFichier flux_sortie(STDOUT_FILENO);
    flux_sortie.open(QIODevice::WriteOnly);
    QTextStream sortie(&flux_sortie);
    QTextStream erreurs(stderr);
    ToriqueCli outil;
    const QString langue = ToriqueCli::langue_demandee(arguments);
    FeuilleCli pdf(outil, langue);
    SiaCli sia(outil, langue);
    int statut = outil.executer(app->arguments().mid(1), sortie, erreurs);
    if (arguments.contains("--help") || arguments.contains("-h"))
        sortie << FeuilleCli::usage(langue) << SiaCli::usage(langue);
    else if (arguments.isEmpty())
        erreurs << FeuilleCli::usage(langue) << SiaCli::usage(langue);
    sortie.flush();
    if (!flux_sortie.valider()) {
        erreurs << (langue == "en"
                        ? QString("The standard output could not be written. Reason: %1.")
                        : QString::fromUtf8("La sortie standard n'a pas pu être écrite. Cause : %1."))
                       .arg(flux_sortie.erreur())
                << '\n';
        statut = 1;
    }
    erreurs.flush();
    return statut;
}
