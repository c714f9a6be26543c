// Time to write one calculation sheet as a PDF file, as the preview's save
// action does it: a PDF writer on a temporary file beside the new one, the
// whole A4 page drawn from the record (bands, both diagrams, the order form,
// fonts embedded), the file put in place once written whole. The first sheet of the process (fonts
// and pictures loaded for the first time) is reported apart.
//
//   cd build && ./bench/bench_pdf --benchmark_repetitions=9

#include "CalculTorique.h"
#include "CasCli.h"
#include "FeuilleCalcul.h"
#include "ListParam.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A right eye 42.00 / 44.50 D at 90, SEQ 21.5 D, 0.50 D induced at 120,
// accepted and calculated, with a full identification for France.
void remplir(ListParam& record) {
    CasCli cas;
    cas.oeil = "OD";
    cas.seq_texte = "21.5";
    cas.seq = 21.5;
    cas.sph_ind = 24;
    cas.k1 = 42.0;
    cas.k2 = 44.5;
    cas.axe = 90;
    cas.sia = 0.5;
    cas.incision = 120;
    CalculTorique moteur;
    cas.calculer(moteur, record);
    record.nom_chir_str_t = "Dr Martin";
    record.clinique_str_t = "Clinique des Lilas";
    record.nom_pat_str_t = "PAT-0042";
    record.date_dat_t = QDate(2025, 3, 14);
    record.date_str_t = "vendredi 14 mars 2025";
    record.adresse1_str_t = "12 rue de la Paix";
    record.adresse2_str_t = "Bâtiment B";
    record.codepost_str_t = "75002";
    record.ville_str_t = "Paris";
    record.codepays_ind_t = 20;
    record.codepays_str_t = "France";
}

bool ecrire(const ListParam& record, const QString& fichier) {
    return FeuilleCalcul::ecrire_pdf(fichier, record, 0);
}

void BM_FeuillePdf(benchmark::State& state) {
    static double premiere_ms = -1;
    QTemporaryDir dossier;
    ListParam record;
    remplir(record);
    if (record.etape_t != 10) {
        state.SkipWithError("the case was not accepted");
        return;
    }
    int n = 0;
    if (premiere_ms < 0) {
        QElapsedTimer t;
        t.start();
        if (!ecrire(record, dossier.filePath("premiere.pdf"))) {
            state.SkipWithError("no PDF written");
            return;
        }
        premiere_ms = t.nsecsElapsed() / 1e6;
    }
    qint64 taille = 0;
    for (auto _ : state) {
        const QString f = dossier.filePath(QString("feuille%1.pdf").arg(n++));
        if (!ecrire(record, f)) {
            state.SkipWithError("no PDF written");
            return;
        }
        state.PauseTiming();
        taille = QFileInfo(f).size();
        QFile::remove(f);
        state.ResumeTiming();
    }
    state.counters["first_ms"] = premiere_ms;
    state.counters["pdf_kB"] = taille / 1024.0;
}
BENCHMARK(BM_FeuillePdf)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The sheet's pictures are read by relative name from the build folder.
    if (!QFile::exists("logohorz_2.png"))
        QDir::setCurrent(QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteDir().filePath(".."));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
