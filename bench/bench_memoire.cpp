// Peak resident memory of a full session: a fresh process starts the main
// window and runs a seeded walk through the whole program (welcome page,
// calculations to the result in both units and languages, another
// cylinder, help pages, back and resume, new calculations, identification,
// print preview, PDF files saved), then reports its high-water mark of
// resident memory (VmHWM). The walk is the one of the test suite
// (tests/support/MarcheAleatoire.h), its checks left on.
//
//   cd build && ./bench/bench_memoire --benchmark_repetitions=3

#include "Bureau.h"
#include "MarcheAleatoire.h"
#include "TestUtil.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Actions of the session (TORIQUE_SESSION_ACTIONS to change it).
int actions() {
    return qEnvironmentVariableIsSet("TORIQUE_SESSION_ACTIONS")
               ? qEnvironmentVariableIntValue("TORIQUE_SESSION_ACTIONS")
               : 1500;
}

long kio_statut(const char* champ) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(champ))
            return l.mid(int(std::strlen(champ))).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Child: the session; prints "peak_kB actions dialogs pdf".
int session(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dossier;
    Bureau bureau;
    int dialogues = 0, pdf = 0;
    {
        const auto marche = Marche::MarcheAleatoire::creer(5, dossier.path());
        Marche::MarcheAleatoire& m = *marche;
        if (!m.executer(actions())) {
            std::fprintf(stderr, "%s\n", qPrintable(m.echec));
            return 1;
        }
        for (auto it = m.stats.cbegin(); it != m.stats.cend(); ++it)
            if (it.key().startsWith("(dialog "))
                ++dialogues;
        pdf = int(m.pdf_ecrits.size());
    }
    TestUtil::vider_evenements();
    std::printf("%ld %d %d %d\n", kio_statut("VmHWM:"), actions(), dialogues, pdf);
    std::fflush(stdout);
    return 0;
}

QByteArray g_programme;

void BM_SessionComplete(benchmark::State& state) {
    long pic = 0;
    int kinds = 0, pdf = 0;
    for (auto _ : state) {
        int tube[2];
        if (pipe(tube) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, tube[1], 1);
        posix_spawn_file_actions_addclose(&actions, tube[0]);
        char mode[] = "--session";
        char* argv[] = {g_programme.data(), mode, nullptr};
        pid_t pid;
        QElapsedTimer t;
        t.start();
        const int r = posix_spawn(&pid, g_programme.constData(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(tube[1]);
        QByteArray sortie;
        char tampon[256];
        ssize_t n;
        while (r == 0 && (n = read(tube[0], tampon, sizeof tampon)) > 0)
            sortie.append(tampon, n);
        close(tube[0]);
        int etat = 0;
        if (r == 0)
            waitpid(pid, &etat, 0);
        state.SetIterationTime(t.nsecsElapsed() / 1e9);
        const QList<QByteArray> v = sortie.trimmed().split(' ');
        if (r != 0 || !WIFEXITED(etat) || WEXITSTATUS(etat) != 0 || v.size() != 4) {
            state.SkipWithError("the session failed");
            return;
        }
        pic = std::max(pic, v[0].toLong());
        kinds = v[2].toInt();
        pdf = v[3].toInt();
    }
    state.counters["peak_MB"] = pic / 1024.0;
    state.counters["dialog_kinds"] = kinds;
    state.counters["pdf_saved"] = pdf;
}
BENCHMARK(BM_SessionComplete)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_programme = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    // The pictures are read by relative name from the build folder.
    if (!QFile::exists("icone.png"))
        if (chdir(QFile::encodeName(
                QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath(".."))) != 0)
            return 1;
    if (argc == 2 && std::strcmp(argv[1], "--session") == 0)
        return session(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
