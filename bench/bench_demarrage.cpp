// Start-up of the calculator, from the start of the process to the main
// window shown (splash, toolkit translation, screen probe, the window with
// its welcome page exposed), against the same harness showing a bare QWidget
// window of the same size: the ratio says what the program adds to what any
// window of the toolkit costs. Each measure starts a fresh process of this
// very executable (same libraries to load), which prints one line once its
// window is exposed; the time is taken in the parent from the spawn to that
// line. Both run on the platform of the environment (offscreen when none is
// set), on a 1280 x 1024 screen so that the window is shown directly.
//
//   cd build && ./bench/bench_demarrage --benchmark_repetitions=15

#include "CadreDefilant.h"
#include "Demarrage.h"
#include "FenetrePrinc.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// --- child side -----------------------------------------------------------

void attendre_expose(QWidget* w) {
    while (!w->windowHandle() || !w->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

int enfant(int argc, char** argv, bool principal) {
    // As the program's entry does.
    if (principal)
        Demarrage::precharger();
    QApplication app(argc, argv);
    if (principal) {
        Demarrage d;
        d.lancer();
        QWidget* montre = d.cadre ? static_cast<QWidget*>(d.cadre) : d.fenetre;
        attendre_expose(montre);
        std::printf(d.cadre ? "framed\n" : "shown\n");
        std::fflush(stdout);
        return 0;
    }
    QWidget w;
    w.setWindowTitle("bare");
    w.setFixedSize(965, 650);
    w.move(10, 10);
    w.show();
    attendre_expose(&w);
    std::printf("shown\n");
    std::fflush(stdout);
    return 0;
}

// --- parent side ----------------------------------------------------------

QByteArray g_programme;

// Milliseconds from the spawn of a child to its line; negative on failure.
double mesurer(const char* mode) {
    int tube[2];
    if (pipe(tube) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tube[1], 1);
    posix_spawn_file_actions_addclose(&actions, tube[0]);
    char* argv[] = {g_programme.data(), const_cast<char*>(mode), nullptr};
    pid_t pid;
    QElapsedTimer t;
    t.start();
    const int r = posix_spawn(&pid, g_programme.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(tube[1]);
    if (r != 0) {
        close(tube[0]);
        return -1;
    }
    char ligne[32] = {};
    ssize_t lu = 0;
    while (lu < ssize_t(sizeof ligne) - 1) {
        const ssize_t n = read(tube[0], ligne + lu, sizeof ligne - 1 - lu);
        if (n <= 0)
            break;
        lu += n;
        if (std::memchr(ligne, '\n', lu))
            break;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    close(tube[0]);
    int etat = 0;
    waitpid(pid, &etat, 0);
    if (std::strncmp(ligne, "shown", 5) != 0)
        return -1;
    return ms;
}

void BM_Demarrage(benchmark::State& state) {
    double nue = 0, principale = 0;
    for (auto _ : state) {
        // Alternate the order so that neither gains from the other's cache.
        const bool nue_avant = state.iterations() % 2 == 0;
        const double a = mesurer(nue_avant ? "--nue" : "--principale");
        const double b = mesurer(nue_avant ? "--principale" : "--nue");
        const double n = nue_avant ? a : b, p = nue_avant ? b : a;
        if (n < 0 || p < 0) {
            state.SkipWithError("a child did not show its window directly");
            return;
        }
        nue += n;
        principale += p;
        state.SetIterationTime(p / 1000);
    }
    state.counters["bare_ms"] = nue / state.iterations();
    state.counters["main_ms"] = principale / state.iterations();
    state.counters["ratio"] = principale / nue;
}
BENCHMARK(BM_Demarrage)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--nue") == 0 || std::strcmp(argv[1], "--principale") == 0))
        return enfant(argc, argv, std::strcmp(argv[1], "--principale") == 0);

    // The pictures are read by relative name from the build folder.
    g_programme = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    if (!QFile::exists("icone.png")) {
        const QString build = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath("..");
        QDir::setCurrent(build);
    }
    QTemporaryDir dossier;
    if (!std::getenv("QT_QPA_PLATFORM") ||
        std::strncmp(std::getenv("QT_QPA_PLATFORM"), "offscreen", 9) == 0) {
        const QString config = dossier.filePath("ecran.json");
        QFile f(config);
        if (f.open(QIODevice::WriteOnly))
            f.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1280,"height":1024,)"
                    R"("logicalDpiX":96,"logicalDpiY":96}]})");
        f.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
