// SPDX-License-Identifier: GPL-3.0-or-later
// Map picture decoding and drawing at the sizes scanned charts come in.
// Compare BM_LoadJpeg50Mp with `djpeg -outfile /dev/null` on the same file,
// /tmp/fenmarrow_bench_50mp.jpg, written by the first run.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "BenchJpeg.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageSource.h"
#include "imaging/JpegFile.h"

namespace {

constexpr int kJpegWidth = 8660;  // about 50 megapixels
constexpr int kJpegHeight = 5774;
const char* const kJpegPath = "/tmp/fenmarrow_bench_50mp.jpg";

bool ensureBenchJpeg() {
    return benchjpeg::Ensure(kJpegPath, kJpegWidth, kJpegHeight);
}

void BM_LoadJpeg50Mp(benchmark::State& state) {
    if (!ensureBenchJpeg()) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    // The whole picture decoded through the bands the program draws from,
    // from a fresh source each time (the cache holds nothing of it).
    for (auto _ : state) {
        DecodedImage image;
        image.Load(QString::fromLatin1(kJpegPath));
        std::vector<TileCache::Tile> bands;
        if (!image.source || !image.source->DecodeRun(1, 0, image.source->Bands(1) - 1, bands)) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(bands.data());
    }
    state.counters["Mpx/s"] = benchmark::Counter(double(kJpegWidth) * kJpegHeight / 1e6,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadJpeg50Mp)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The same file decoded in one piece, as djpeg does.
void BM_DecodeJpeg50MpWhole(benchmark::State& state) {
    if (!ensureBenchJpeg()) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    for (auto _ : state) {
        uint32_t w = 0;
        uint32_t h = 0;
        auto rows = JpegFile::ReadBgrBottomUp(QString::fromLatin1(kJpegPath), w, h);
        if (!rows) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(rows.get());
    }
}
BENCHMARK(BM_DecodeJpeg50MpWhole)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A 25-megapixel entry scrolled to its middle, one full-HD window repaint.
void BM_DrawJpeg25Mp(benchmark::State& state) {
    const double zoom = double(state.range(0)) / 100.0;
    DecodedImage image;
    image.isBitmap = 0;
    image.width = 6124;
    image.height = 4082;
    const size_t bytes = size_t(image.width) * image.height * 3;
    std::shared_ptr<uint8_t[]> rows(new uint8_t[bytes]);
    for (size_t i = 0; i < bytes; ++i) rows[i] = uint8_t(i * 7 + (i >> 12));
    image.source = ImageSource::FromRows(rows, uint32_t(image.width), uint32_t(image.height));

    QImage window(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const QRect placement(0, 0, image.width, image.height);
    const QRect clip(QPoint(int(1500 * zoom), int(1200 * zoom)), window.size());
    for (auto _ : state) {
        QPainter p(&window);
        p.translate(-clip.topLeft());
        image.Draw(p, placement, zoom, clip);
        p.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_DrawJpeg25Mp)->Arg(100)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
