// Time of one full recalculation: pre-operative astigmatism, crossed
// cylinder, lens plane, the eight trials and the residual of the chosen
// cylinder, with the squared sines read from the tables and computed on the
// spot. Run with --benchmark_repetitions=N to get the median.

#include "CalculTorique.h"

#include <benchmark/benchmark.h>

namespace {

void saisir(CalculTorique& c, int axe_k2) {
    c.unit_ind = 1;
    c.K1D = 42.25;
    c.K2D = 44.75;
    c.K2axe = axe_k2;
    c.K1axe = axe_k2 + 90 >= 180 ? axe_k2 - 90 : axe_k2 + 90;
    c.incD = 0.45;
    c.incaxe = 160;
    c.p_sph = 21.5;
}

void recalcul(benchmark::State& state, bool directs) {
    CalculTorique c;
    c.sinus_directs = directs;
    saisir(c, 0);
    c.calcul_tout();
    int axe = 0;
    for (auto _ : state) {
        // A new steep axis each time, as the page's spin box gives it.
        axe = axe == 179 ? 0 : axe + 1;
        c.K2axe = axe;
        c.K1axe = axe + 90 >= 180 ? axe - 90 : axe + 90;
        c.calcul_tout();
        double residuel = c.residuel_D(c.tcalc_D);
        benchmark::DoNotOptimize(residuel);
        benchmark::ClobberMemory();
    }
}

void BM_recalcul_tables(benchmark::State& state) {
    recalcul(state, false);
}
void BM_recalcul_sinus_directs(benchmark::State& state) {
    recalcul(state, true);
}

} // namespace

BENCHMARK(BM_recalcul_tables)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_recalcul_sinus_directs)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
