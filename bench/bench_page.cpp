// How long the calculation page takes to follow one keratometry change once
// the result is on screen: from the K2 entry's value change to every value
// label rewritten and the diagram told the new lens axis, all inside the
// slot (painting happens later, in the event loop).

#include "ListParam.h"
#include "PageCalcul.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A right eye 42.00 / 44.00 D at 90, SEQ 21.0 D, 0.50 D induced at 90,
// calculated: the page at step 10.
PageCalcul* page_etape_10(ListParam& param) {
    param.modele_iol_t = "VELAN";
    auto* page = new PageCalcul(&param);
    page->update_langue_c("fr");
    QObject::connect(page, &PageCalcul::verif, page, [page] { page->ok_err = true; });
    page->click_od();
    page->combo_sph->setCurrentIndex(23);
    page->spin_K1->setValue(42.0);
    page->spin_K2->setValue(44.0);
    page->spin_inc->setValue(0.5);
    page->spinaxe_inc->setValue(90);
    page->etape10();
    page->show();
    QApplication::processEvents();
    return page;
}

void BM_ChangementK2_etape10(benchmark::State& state) {
    ListParam param;
    PageCalcul* page = page_etape_10(param);
    if (page->etape != 10) {
        state.SkipWithError("the page did not reach step 10");
        delete page;
        return;
    }
    // K2 alternates between two values so that every change recomputes.
    bool haut = false;
    for (auto _ : state) {
        haut = !haut;
        page->spin_K2->setValue(haut ? 44.25 : 44.0);
        benchmark::DoNotOptimize(page->label_astpost_D->text().size());
    }
    state.counters["residuel"] = page->astpost_D;
    delete page;
}
BENCHMARK(BM_ChangementK2_etape10)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// K2 typed again over the selected value at step 10: "4" is outside the
// keratometry's limits and withdraws the result, "44" gives it back. One
// iteration is both keystrokes.
void BM_K2_retape_etape10(benchmark::State& state) {
    ListParam param;
    PageCalcul* page = page_etape_10(param);
    for (auto _ : state) {
        page->spin_K2->setValue(4.0);
        page->spin_K2->setValue(44.0);
        benchmark::DoNotOptimize(page->label_astpost_D->text().size());
    }
    if (page->etape != 10)
        state.SkipWithError("the result did not come back");
    delete page;
}
BENCHMARK(BM_K2_retape_etape10)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The same change entered before the calculation (step 7): pre-operative
// and crossed cylinder only, for comparison.
void BM_ChangementK2_etape7(benchmark::State& state) {
    ListParam param;
    param.modele_iol_t = "VELAN";
    auto* page = new PageCalcul(&param);
    page->update_langue_c("fr");
    page->click_od();
    page->combo_sph->setCurrentIndex(23);
    page->spin_K1->setValue(42.0);
    page->spin_K2->setValue(44.0);
    bool haut = false;
    for (auto _ : state) {
        haut = !haut;
        page->spin_K2->setValue(haut ? 44.25 : 44.0);
    }
    delete page;
}
BENCHMARK(BM_ChangementK2_etape7)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
