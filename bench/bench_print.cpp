// SPDX-License-Identifier: GPL-3.0-or-later
// A whole-location print of the sixteen-map benchmark location (20 000 x
// 20 000 pixels) on one A4 landscape page: as a PDF written straight to a
// file at the maps' own resolution, and as a 150 dpi PNG page. The map is
// composed band by band, so the peak resident memory (peak_rss_MB) must stay
// far below the location's 1.6 GB of pixels; the target is under 400 MB.
// Peak memory is per process, so run one benchmark at a time:
//   build/bench/bench_print --benchmark_filter=BM_PrintWholeLocationPdf
//   build/bench/bench_print --benchmark_filter=BM_PrintWholeLocationPng
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>

#include "BenchLocation.h"
#include "document/TarnLocation.h"
#include "view/PrintJob.h"

namespace {

const char* const kPdfPath = "/tmp/fenmarrow_bench_print.pdf";

double PeakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

void Calibrate(CTarnLocation& loc) {
    // As fine as the sample lake: 0.0003 degree a pixel each way.
    loc.lon1 = 93.86;
    loc.lon2 = 93.86 - 0.3;
    loc.x1 = 0;
    loc.x2 = 1000;
    loc.lat1 = 46.43;
    loc.lat2 = 46.43 - 0.3;
    loc.y1 = 0;
    loc.y2 = 1000;
}

const QPageLayout kLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);

// The sixteen-map location, calibrated, and a whole-location print of it.
void SixteenMaps(CTarnLocation& loc, PrintOptions& options) {
    benchloc::App();
    benchloc::EnsureMap();
    benchloc::Fill(loc, 16);
    Calibrate(loc);
    options.area = PrintOptions::Area::Whole;
}

void BM_PrintWholeLocationPdf(benchmark::State& state) {
    CTarnLocation loc;
    PrintOptions options;
    SixteenMaps(loc, options);
    options.landscape = true;
    qint64 bytes = 0;
    for (auto _ : state) {
        QFile out(kPdfPath);
        if (!out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the PDF");
            return;
        }
        CPrintJob job(loc, QRect(QPoint(0, 0), loc.Extent()), "bench", kPdfPath, options);
        if (!job.WritePdf(out, kLayout, 1200, nullptr)) state.SkipWithError("not printed");
        bytes = out.size();
    }
    QFile::remove(kPdfPath);
    state.counters["pdf_MB"] = bytes / 1e6;
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

void BM_PrintWholeLocationPng(benchmark::State& state) {
    CTarnLocation loc;
    PrintOptions options;
    SixteenMaps(loc, options);
    for (auto _ : state) {
        CPrintJob job(loc, QRect(QPoint(0, 0), loc.Extent()), "bench", "bench.fnm", options);
        job.Layout(kLayout.paintRectPixels(150).size(), 150, nullptr);
        const QImage page = job.RenderPage(kLayout, 150, 0);
        benchmark::DoNotOptimize(page.constBits());
    }
    state.counters["peak_rss_MB"] = PeakRssMegabytes();
}

}  // namespace

BENCHMARK(BM_PrintWholeLocationPdf)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PrintWholeLocationPng)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK_MAIN();
