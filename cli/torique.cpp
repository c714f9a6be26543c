// The command-line tool: the toric calculation without the window, the
// calculation sheet as a PDF file with --pdf, the surgeon's induced
// astigmatism from past cases with --sia-file, and how well the predictions
// held on operated eyes with --audit.

#include "EcritureFichier.h"
#include "FeuilleCli.h"
#include "GraphiqueCli.h"
#include "MessagesCli.h"
#include "OptionsCli.h"
#include "ToriqueCli.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
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

// Whether the arguments name the file that a mode writes (the sheet, the plot).
bool demande(const QList<QByteArray>& arguments, int mode) {
    const QByteArray nom = OptionsCli::sortie(mode).nom;
    for (const QByteArray& a : arguments)
        if (a == nom || a.startsWith(nom + '='))
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    tenir_flux_fermes();
    // A reader gone (a closed pipe) is an output error like any other,
    // reported instead of ending the tool silently.
    std::signal(SIGPIPE, SIG_IGN);
    qInstallMessageHandler(sans_avertissements);

    // The arguments as the system gives them: a file name is used byte for
    // byte, whatever the locale's encoding.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    // The sheet draws the diagrams, which are widgets: a widget
    // application; the plot needs only the fonts of a GUI application. Both
    // draw off screen, whatever platform the environment names (one that
    // cannot start, such as X without a display, would end the program),
    // and the toolkit is given none of the user's arguments to take as its
    // own (-platform, -display).
    const bool feuille = demande(arguments, OptionsCli::CAS);
    const bool graphique = demande(arguments, OptionsCli::SIA) || demande(arguments, OptionsCli::AUDIT);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc_boite = 1;
    std::unique_ptr<QCoreApplication> app(feuille     ? new QApplication(argc_boite, argv)
                                          : graphique ? new QGuiApplication(argc_boite, argv)
                                                      : new QCoreApplication(argc_boite, argv));
    // Every write to the standard output is checked.
    EcritureFichier flux_sortie(STDOUT_FILENO);
    flux_sortie.open(QIODevice::WriteOnly);
    QTextStream sortie(&flux_sortie);
    QTextStream erreurs(stderr);
    ToriqueCli outil;
    outil.feuille = FeuilleCli::ecrire;
    outil.graphique = GraphiqueCli::ecrire;
    outil.graphique_audit = GraphiqueCli::ecrire_audit;
    outil.descripteur_sortie = STDOUT_FILENO;
    int statut = outil.executer(arguments, sortie, erreurs);
    sortie.flush();
    if (!flux_sortie.valider()) {
        erreurs << MessagesCli::sortie_non_ecrite(flux_sortie.erreur(),
                                                  MessagesCli::langue_demandee(arguments))
                << '\n';
        statut = 1;
    }
    erreurs.flush();
    return statut;
}
