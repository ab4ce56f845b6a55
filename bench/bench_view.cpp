// SPDX-License-Identifier: GPL-3.0-or-later
// One full repaint of a 1920 x 1080 map view, and how it scales when the
// location grows sixteen times while the view stays the same size: the cost
// must follow the view, not the location.
//   build/bench/bench_view --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <cstdlib>
#include <memory>

#include "BenchLocation.h"
#include "document/MapLocation.h"
#include "document/TarnlightDoc.h"
#include "view/TarnlightView.h"

namespace {

using benchloc::App;
using benchloc::EnsureMap;
using benchloc::Fill;

void Repaint(benchmark::State& state, int tiles) {
    App();
    EnsureMap();
    CTarnlightDoc doc;
    CTarnlightView view(doc, nullptr);
    view.resize(1920, 1080);
    Fill(view.Location(), tiles);
    emit doc.resetAfterLoad();
    // Somewhere in the middle of the location.
    QSize extent = view.Location().Extent();
    view.ScrollTo(QPoint(extent.width() / 2 - 960, extent.height() / 2 - 540));
    QImage target(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        view.viewport()->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
    state.counters["maps"] = tiles;
}

void BM_RepaintFourMaps(benchmark::State& state) {
    Repaint(state, 4);
}
void BM_RepaintSixteenMaps(benchmark::State& state) {
    Repaint(state, 16);
}

}  // namespace

BENCHMARK(BM_RepaintFourMaps)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RepaintSixteenMaps)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
