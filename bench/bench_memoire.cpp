// Peak resident memory of a full session: a fresh process starts the main
// window and runs a seeded walk through the whole program (welcome page,
// calculations to the result in both units and languages, another
// cylinder, help pages, back and resume, new calculations, identification,
// print preview, PDF files saved), then reports its high-water mark of
// resident memory (VmHWM). The walk is the one of the test suite
// (tests/support/MarcheAleatoire.h), its checks left on.
//
// And the command-line tool's peak on the files that cost it most: a batch
// file and a file of past cases of 2,000 rows just under the 64 KB bound of
// a row (the past cases refused, K2 below a K1 of 65,000 characters, whose
// refusal quotes it), a batch file of one 63 MB line, and 100,000 eyes, a
// series' most, as JSON; and the audit of 100,000 operated eyes, as text
// and as JSON.
//
//   cd build && ./bench/bench_memoire --benchmark_repetitions=3

#include "Bureau.h"
#include "MarcheAleatoire.h"
#include "Processus.h"
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

QByteArray g_torique;

enum Fichier { LOT_LIGNES_LONGUES, LOT_UNE_LIGNE, SIA_LIGNES_LONGUES, SIA_CENT_MILLE, AUDIT_CENT_MILLE };

bool ecrire(const QString& chemin, Fichier genre) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray zeros(64900, '0');
    if (genre == LOT_LIGNES_LONGUES) {
        f.write(Processus::EN_TETE_LOT);
        for (int n = 0; n < 2000; ++n)
            f.write("OD,21,D,42." + zeros + ",44,90,,,\n");
    } else if (genre == LOT_UNE_LIGNE) {
        f.write(Processus::EN_TETE_LOT);
        f.write("OD,21,D,42," + QByteArray(63 * 1024 * 1024, '4') + ",90,,,\n");
    } else if (genre == SIA_LIGNES_LONGUES) {
        f.write("eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post\n");
        for (int n = 0; n < 2000; ++n)
            f.write("OD,43." + zeros + ",42,90,42,44,90\n");
    } else if (genre == AUDIT_CENT_MILLE) {
        f.write("eye,seq,unit,k1,k2,axis,sia,incision,cyl,lens_axis,ref_sph,ref_cyl,ref_axis,vertex\n");
        for (int n = 0; n < 100000; ++n)
            f.write(QStringLiteral("%1,21.0,D,%2,%3,%4,0.30,,%5,%6,0.25,%7,%8,12\n")
                        .arg(n % 2 ? "OD" : "OS")
                        .arg(42 + 0.25 * (n % 7), 0, 'f', 2)
                        .arg(44 + 0.25 * (n % 5), 0, 'f', 2)
                        .arg(n % 180)
                        .arg(0.75 * (1 + n % 4), 0, 'f', 2)
                        .arg((n + n % 9) % 180)
                        .arg(-0.25 * (n % 5), 0, 'f', 2)
                        .arg(n * 7 % 180)
                        .toLatin1());
    } else {
        f.write("eye,k1_pre,k2_pre,axis_pre,k1_post,k2_post,axis_post\n");
        for (int n = 0; n < 100000; ++n)
            f.write(QStringLiteral("%1,%2,%3,%4,42.50,%5,%6\n")
                        .arg(n % 2 ? "OD" : "OS")
                        .arg(42 + 0.25 * (n % 7), 0, 'f', 2)
                        .arg(44 + 0.25 * (n % 5), 0, 'f', 2)
                        .arg(n % 180)
                        .arg(44.5 + 0.25 * (n % 3), 0, 'f', 2)
                        .arg(n * 7 % 180)
                        .toLatin1());
    }
    return f.error() == QFile::NoError;
}

void BM_Torique(benchmark::State& state, Fichier genre, QList<QByteArray> args) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("cas.csv");
    if (!ecrire(chemin, genre)) {
        state.SkipWithError("no file written");
        return;
    }
    for (QByteArray& a : args)
        a.replace("FICHIER", QFile::encodeName(chemin));
    long pic = 0;
    for (auto _ : state) {
        const Processus::Mesure m = Processus::mesurer(g_torique, args);
        state.SetIterationTime(m.duree_s);
        if (m.statut < 0 || m.statut > 1) {
            state.SkipWithError("the tool failed");
            return;
        }
        pic = std::max(pic, m.pic_ko);
    }
    state.counters["peak_MB"] = pic / 1024.0;
}
BENCHMARK_CAPTURE(BM_Torique, batch_rows_of_64KB, LOT_LIGNES_LONGUES, {"--batch", "FICHIER"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, batch_one_line_of_63MB, LOT_UNE_LIGNE, {"--batch", "FICHIER"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, sia_rows_of_64KB_refused, SIA_LIGNES_LONGUES, {"--sia-file", "FICHIER"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, sia_rows_of_64KB_refused_json, SIA_LIGNES_LONGUES,
                  {"--sia-file", "FICHIER", "--json"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, sia_100000_eyes, SIA_CENT_MILLE, {"--sia-file", "FICHIER"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, sia_100000_eyes_json, SIA_CENT_MILLE, {"--sia-file", "FICHIER", "--json"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

BENCHMARK_CAPTURE(BM_Torique, audit_100000_eyes, AUDIT_CENT_MILLE, {"--audit", "FICHIER"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Torique, audit_100000_eyes_json, AUDIT_CENT_MILLE, {"--audit", "FICHIER", "--json"})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_programme = QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath());
    // The tool is built next to the benchmarks' folder.
    g_torique =
        QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath("../torique"));
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
