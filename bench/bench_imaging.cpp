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

#include "imaging/DecodedImage.h"

namespace {

constexpr int kJpegWidth = 8660;  // about 50 megapixels
constexpr int kJpegHeight = 5774;
const char* const kJpegPath = "/tmp/fenmarrow_bench_50mp.jpg";

// Smooth colour fields with grain on top, so the entropy decoder has real
// work to do, as with a scanned chart.
void fillRow(std::vector<uint8_t>& row, int y) {
    uint32_t s = uint32_t(y) * 2654435761u + 12345;
    for (int x = 0; x < kJpegWidth; ++x) {
        s = s * 1664525u + 1013904223u;
        const int grain = int(s >> 28) - 8;
        const double fx = x * 0.0021;
        const double fy = y * 0.0017;
        const int r = int(128 + 90 * std::sin(fx + 0.7 * std::cos(fy))) + grain;
        const int g = int(128 + 80 * std::sin(1.3 * fy + 0.4 * fx)) + grain;
        const int b = int(140 + 60 * std::cos(0.8 * fx - fy)) + grain;
        row[size_t(x) * 3 + 0] = uint8_t(std::clamp(r, 0, 255));
        row[size_t(x) * 3 + 1] = uint8_t(std::clamp(g, 0, 255));
        row[size_t(x) * 3 + 2] = uint8_t(std::clamp(b, 0, 255));
    }
}

// Baseline, quality 85, default 4:2:0 sampling: what a scanner writes.
bool ensureBenchJpeg() {
    if (QFileInfo(kJpegPath).size() > 1'000'000) return true;
    FILE* f = std::fopen(kJpegPath, "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = kJpegWidth;
    cinfo.image_height = kJpegHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(kJpegWidth) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(row, int(cinfo.next_scanline));
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

void BM_LoadJpeg50Mp(benchmark::State& state) {
    if (!ensureBenchJpeg()) {
        state.SkipWithError("cannot write the test JPEG");
        return;
    }
    for (auto _ : state) {
        DecodedImage image;
        image.Load(QString::fromLatin1(kJpegPath));
        if (!image.pixels) {
            state.SkipWithError("decoding failed");
            return;
        }
        benchmark::DoNotOptimize(image.pixels.get());
    }
    state.counters["Mpx/s"] = benchmark::Counter(double(kJpegWidth) * kJpegHeight / 1e6,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadJpeg50Mp)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A 25-megapixel entry scrolled to its middle, one full-HD window repaint.
void BM_DrawJpeg25Mp(benchmark::State& state) {
    const double zoom = double(state.range(0)) / 100.0;
    DecodedImage image;
    image.isBitmap = 0;
    image.width = 6124;
    image.height = 4082;
    const size_t bytes = size_t(image.width) * image.height * 3;
    image.pixels.reset(new uint8_t[bytes]);
    for (size_t i = 0; i < bytes; ++i) image.pixels[i] = uint8_t(i * 7 + (i >> 12));

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
