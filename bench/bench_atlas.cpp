// SPDX-License-Identifier: GPL-3.0-or-later
// Lake atlases: many 25-megapixel JPEG maps side by side. Opening reads the
// headers only; a paint decodes what it shows, on the worker threads.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

#include "BenchJpeg.h"
#include "document/TarnLocation.h"
#include "imaging/DecodedImage.h"
#include "imaging/TileCache.h"

namespace {

constexpr int kSide = 5000;  // 25 megapixels a map
constexpr int kColumns = 8;
const char* const kMaster = "/tmp/fenmarrow_bench_25mp.jpg";

// Map i as its own file (a hard link: one picture on disk, but a file of
// its own to the program, decoded on its own).
QString MapFile(int i) {
    const QString name = QString("/tmp/fenmarrow_bench_atlas_%1.jpg").arg(i);
    if (!QFile::exists(name)) ::link(kMaster, QFile::encodeName(name).constData());
    return name;
}

// maps entries in rows of kColumns, as an atlas is laid out.
std::unique_ptr<CTarnLocation> OpenAtlas(int maps) {
    auto location = std::make_unique<CTarnLocation>();
    for (int i = 0; i < maps; ++i) {
        auto entry = std::make_unique<CMapLocation>();
        const int x = (i % kColumns) * kSide;
        const int y = (i / kColumns) * kSide;
        entry->SetImage(RectL{x, y, x + kSide, y + kSide}, MapFile(i));
        location->maps.extentWidth = std::max(location->maps.extentWidth, x + kSide);
        location->maps.extentHeight = std::max(location->maps.extentHeight, y + kSide);
        location->maps.entries.push_back(std::move(entry));
    }
    return location;
}

// Paints as the view does until nothing is left to decode; the number of
// paints that took.
int PaintUntilComplete(CTarnLocation& location, QImage& window, QPoint at) {
    for (int paints = 1;; ++paints) {
        QPainter p(&window);
        p.translate(-at);
        DecodedImage::NoWaiting noWaiting;
        location.Draw(p, QRect(at, window.size()));
        p.end();
        if (noWaiting.Complete() || paints > 1000) return paints;
        TileCache::Instance().WaitForWorkers();
    }
}

double PeakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// From nothing in memory to the first complete full-HD paint, in the middle
// of the atlas's first map.
void BM_OpenToFirstCompletePaint(benchmark::State& state) {
    if (!benchjpeg::Ensure(kMaster, kSide, kSide)) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    const int maps = int(state.range(0));
    QImage window(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        TileCache::Instance().Clear();
        auto location = OpenAtlas(maps);
        benchmark::DoNotOptimize(PaintUntilComplete(*location, window, QPoint(1500, 1800)));
        state.PauseTiming();
        location.reset();
        state.ResumeTiming();
    }
    state.counters["megapixels"] = double(maps) * kSide * kSide / 1e6;
}
BENCHMARK(BM_OpenToFirstCompletePaint)
    ->Arg(1)
    ->Arg(8)
    ->Arg(40)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A full repaint once everything in view is decoded.
void BM_RepaintDecoded(benchmark::State& state) {
    if (!benchjpeg::Ensure(kMaster, kSide, kSide)) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    auto location = OpenAtlas(8);
    QImage window(1920, 1080, QImage::Format_RGB32);
    // Across the corner of four maps.
    const QPoint at(kSide - 960, kSide - 540);
    PaintUntilComplete(*location, window, at);
    for (auto _ : state) {
        if (PaintUntilComplete(*location, window, at) != 1) state.SkipWithError("not decoded");
    }
}
BENCHMARK(BM_RepaintDecoded)->Unit(benchmark::kMillisecond)->UseRealTime();

// Scrolls a full-HD view across the whole 1-gigapixel atlas, row by row of
// screens, each one painted complete; the peak resident memory is the
// figure that matters (budget plus program).
void BM_ScrollWholeGigapixelAtlas(benchmark::State& state) {
    if (!benchjpeg::Ensure(kMaster, kSide, kSide)) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    TileCache::Instance().SetBudget(TileCache::kDefaultBudgetBytes);
    QImage window(1920, 1080, QImage::Format_RGB32);
    int screens = 0;
    for (auto _ : state) {
        TileCache::Instance().Clear();
        auto location = OpenAtlas(40);
        const QSize extent = location->Extent();
        for (int y = 0; y < extent.height(); y += window.height())
            for (int x = 0; x < extent.width(); x += window.width()) {
                PaintUntilComplete(*location, window, QPoint(x, y));
                ++screens;
            }
    }
    state.counters["screens"] = screens;
    state.counters["peak_rss_MB"] = PeakResidentMb();
    state.counters["cache_MB"] = double(TileCache::Instance().Bytes()) / (1 << 20);
}
BENCHMARK(BM_ScrollWholeGigapixelAtlas)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
