// SPDX-License-Identifier: GPL-3.0-or-later
// Lake atlases: many 25-megapixel JPEG maps side by side. Opening reads the
// headers only; a paint decodes what it shows, on the worker threads.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

#include <sys/resource.h>
#include <unistd.h>

#include "BenchJpeg.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
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

// Small files that declare huge pictures with genuine data (see
// benchjpeg::WriteFlat), each from nothing to a complete full-HD paint of
// its top-left corner plus the whole picture reduced eight times, as the
// overview shows it. Run one at a time for the peak memory of each:
//   bench_atlas --benchmark_filter='SmallFile.*/0'
//   0: baseline, 16000 x 16000 grey (256 MP) in about 1 MB
//   1: progressive, 11200 x 11200 (125 MP, 250 MB of coefficients) in under 1 MB
//   2: progressive, 15000 x 15000 (225 MP, 450 MB of coefficients) in under
//      1 MB: more working memory than allowed, refused before decoding
void BM_SmallFileWorstCase(benchmark::State& state) {
    struct Case {
        int side;
        bool progressive;
    };
    const Case cases[] = {{16000, false}, {11200, true}, {15000, true}};
    const Case c = cases[state.range(0)];
    const QString path = QString("/tmp/fenmarrow_bench_small_%1.jpg").arg(state.range(0));
    // Written by a process of its own: the encoder holds the whole picture's
    // coefficients, which would count in this one's peak memory.
    if (!QFileInfo::exists(path) &&
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {"--write-flat", path, QString::number(c.side),
                           c.progressive ? "progressive" : "baseline"}) != 0) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    TileCache::Instance().SetBudget(TileCache::kDefaultBudgetBytes);
    QImage window(1920, 1080, QImage::Format_RGB32);
    bool shown = false;
    for (auto _ : state) {
        TileCache::Instance().Clear();
        auto location = std::make_unique<CTarnLocation>();
        auto entry = std::make_unique<CMapLocation>();
        entry->SetImage(RectL{0, 0, c.side, c.side}, path);
        location->maps.extentWidth = c.side;
        location->maps.extentHeight = c.side;
        location->maps.entries.push_back(std::move(entry));
        PaintUntilComplete(*location, window, QPoint(0, 0));
        const QImage overview = location->maps.entries.front()->image.Picture(8, true);
        shown = !overview.isNull();
        benchmark::DoNotOptimize(overview);
        state.PauseTiming();
        location.reset();
        state.ResumeTiming();
    }
    state.counters["file_kB"] = double(QFileInfo(path).size()) / 1024.0;
    state.counters["megapixels"] = double(c.side) * c.side / 1e6;
    state.counters["shown"] = shown ? 1 : 0;
    state.counters["peak_rss_MB"] = PeakResidentMb();
}
BENCHMARK(BM_SmallFileWorstCase)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // bench_atlas --write-location FILE MAPS: the atlas of MAPS maps saved
    // as a location file, to open in the program itself.
    if (argc == 5 && std::string_view(argv[1]) == "--write-flat") {
        const int side = std::atoi(argv[3]);
        return benchjpeg::WriteFlat(argv[2], side, side, std::string_view(argv[4]) == "progressive")
                   ? 0
                   : 1;
    }
    if (argc == 4 && std::string_view(argv[1]) == "--write-location") {
        if (!benchjpeg::Ensure(kMaster, kSide, kSide)) return 1;
        auto location = OpenAtlas(std::atoi(argv[3]));
        CTarnlightDoc doc;
        doc.SetLocation(location.get());
        return doc.DoSave(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
