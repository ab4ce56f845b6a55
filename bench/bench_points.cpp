// SPDX-License-Identifier: GPL-3.0-or-later
// A 1920 x 1080 map view over a location with 300,000 user info points:
// a full repaint, a scroll by 100 pixels (windows follow, then the repaint),
// and opening the location file. Three layouts: spread thinly (about 1,000
// points in view), densely (about 8,000 in view, more than get windows) and
// all on one spot.
//   build/bench/bench_points --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// It also leaves the file it opens, for timing the command-line tool:
//   /usr/bin/time -v build/bin/fnm info /tmp/fenmarrow_bench_300k_points.fnm
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <cstdlib>
#include <memory>

#include "document/MapLocation.h"
#include "document/TarnlightDoc.h"
#include "points/UserPointWindowKeeper.h"
#include "view/TarnlightView.h"

namespace {

constexpr int kPoints = 300'000;
const char* const kChart = "/tmp/fenmarrow_bench_chart.bmp";
const char* const kFile = "/tmp/fenmarrow_bench_300k_points.fnm";

QApplication& App() {
    static int argc = 1;
    static char arg0[] = "bench_points";
    static char* argv[] = {arg0, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

enum Layout { Sparse, Dense, Stacked };

QSize ExtentOf(Layout layout) {
    return layout == Sparse ? QSize(30000, 20000) : QSize(10000, 7500);
}

// A small chart stretched over the extent, and the points.
void Fill(CTarnLocation& loc, Layout layout) {
    const QSize extent = ExtentOf(layout);
    QImage chart(64, 48, QImage::Format_RGB888);
    chart.fill(QColor(170, 200, 230));
    chart.save(kChart, "BMP");
    auto entry = std::make_unique<CMapLocation>();
    entry->SetImage(RectL{0, 0, extent.width(), extent.height()}, kChart);
    loc.maps.entries.push_back(std::move(entry));
    loc.maps.extentWidth = extent.width();
    loc.maps.extentHeight = extent.height();
    QRandomGenerator rng(7);
    const QPoint middle(extent.width() / 2, extent.height() / 2);
    for (int i = 0; i < kPoints; ++i) {
        auto p = std::make_unique<CUserInfoPoint>();
        p->name = QString("Point %1").arg(i + 1);
        p->iconId = CUserInfoPoint::kFirstIconId + i % 32;
        p->position = layout == Stacked
                          ? middle
                          : QPoint(rng.bounded(extent.width()), rng.bounded(extent.height()));
        loc.userInfoPoints.points.push_back(std::move(p));
    }
}

struct Scene {
    explicit Scene(Layout layout) : app(App()), view(doc, nullptr) {
        view.resize(1920, 1080);
        view.show();
        Fill(view.Location(), layout);
        emit doc.resetAfterLoad();
        const QSize extent = view.Location().Extent();
        view.ScrollTo(QPoint(extent.width() / 2 - 960, extent.height() / 2 - 540));
    }
    void Counters(benchmark::State& state) {
        CUserPointWindowKeeper* k = view.Location().userInfoPoints.Windows();
        state.counters["inView"] = k->VisibleCount();
        state.counters["windows"] = k->WindowCount();
    }
    QApplication& app;
    CTarnlightDoc doc;
    CTarnlightView view;
    QImage target{1920, 1080, QImage::Format_RGB32};
};

void Repaint(benchmark::State& state) {
    Scene scene(Layout(state.range(0)));
    for (auto _ : state) {
        scene.view.viewport()->render(&scene.target);
        benchmark::DoNotOptimize(scene.target.bits());
    }
    scene.Counters(state);
}

void Scroll(benchmark::State& state) {
    Scene scene(Layout(state.range(0)));
    const QPoint start = scene.view.ScrollPosition();
    int step = 0;
    for (auto _ : state) {
        // Right, down, left, up: always 100 pixels, always somewhere new.
        static const QPoint kSteps[] = {{100, 0}, {0, 100}, {-100, 0}, {0, -100}};
        const QPoint at = scene.view.ScrollPosition() + kSteps[step++ % 4];
        scene.view.ScrollTo(at);
        scene.view.viewport()->render(&scene.target);
        benchmark::DoNotOptimize(scene.target.bits());
    }
    scene.view.ScrollTo(start);
    scene.Counters(state);
}

void Open(benchmark::State& state) {
    App();
    {
        CTarnlightDoc writer;
        CTarnLocation loc;
        writer.SetLocation(&loc);
        Fill(loc, Dense);
        if (!writer.DoSave(kFile)) {
            state.SkipWithError("cannot write the location file");
            return;
        }
    }
    CTarnlightDoc doc;
    CTarnlightView view(doc, nullptr);
    view.resize(1920, 1080);
    view.show();
    for (auto _ : state) {
        if (!doc.OnOpenDocument(kFile)) state.SkipWithError("cannot read the location file");
        benchmark::DoNotOptimize(view.Location().userInfoPoints.points.data());
    }
    state.counters["bytes"] = double(QFileInfo(kFile).size());
    state.counters["windows"] = view.Location().userInfoPoints.Windows()->WindowCount();
}

}  // namespace

BENCHMARK(Repaint)
    ->Name("BM_RepaintPoints")
    ->ArgName("layout")
    ->DenseRange(Sparse, Stacked)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Scroll)
    ->Name("BM_Scroll100Points")
    ->ArgName("layout")
    ->DenseRange(Sparse, Stacked)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(Open)
    ->Name("BM_OpenPointsFile")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_MAIN();
