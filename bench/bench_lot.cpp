// A batch file of 1,000,000 cases through the built tool, as a user runs it:
// torique --batch FILE.csv with its answers written to a file. Reports the
// time from start to exit and the tool's peak of resident memory, which
// must not grow with the file (rows are read and answered one at a time).
//
//   cd build && ./bench/bench_lot --benchmark_repetitions=3

#include "Processus.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int NB_LIGNES = 1000000;
QByteArray g_torique;

// Varied ordinary cases, both eyes, the whole range of powers and axes.
bool ecrire_lot(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bloc = Processus::EN_TETE_LOT;
    for (int n = 0; n < NB_LIGNES; ++n) {
        bloc += Processus::ligne_lot(n);
        if (bloc.size() > (1 << 20)) {
            f.write(bloc);
            bloc.clear();
        }
    }
    return f.write(bloc) == bloc.size() && f.flush();
}

void BM_LotMillionLignes(benchmark::State& state) {
    QTemporaryDir dossier;
    const QString lot = dossier.filePath("lot.csv");
    if (!ecrire_lot(lot)) {
        state.SkipWithError("no batch file written");
        return;
    }
    const QByteArray entree = QFile::encodeName(lot);
    const QByteArray sortie = QFile::encodeName(dossier.filePath("resultats.jsonl"));
    long pic_ko = 0;
    qint64 taille = 0;
    double cpu = 0;
    for (auto _ : state) {
        const Processus::Mesure m = Processus::mesurer(g_torique, {"--batch", entree}, sortie);
        state.SetIterationTime(m.duree_s);
        if (m.statut != 0) {
            state.SkipWithError("the batch did not end with status 0");
            return;
        }
        pic_ko = std::max(pic_ko, m.pic_ko);
        // Processor time of the tool, all its threads: what the time would be
        // on a machine that gave it a whole core.
        cpu = m.cpu_s;
        taille = QFileInfo(QFile::decodeName(sortie)).size();
    }
    state.counters["peak_MB"] = pic_ko / 1024.0;
    state.counters["rows"] = NB_LIGNES;
    state.counters["cpu_s"] = cpu;
    state.counters["output_MB"] = taille / (1024.0 * 1024.0);
}
BENCHMARK(BM_LotMillionLignes)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    // The tool is built next to the benchmarks' folder.
    g_torique =
        QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath("../torique"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
