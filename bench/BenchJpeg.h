// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Large JPEG files for the benchmarks, written once into /tmp.

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace benchjpeg {

// Smooth colour fields with grain on top, so the entropy decoder has real
// work to do, as with a scanned chart.
inline void FillRow(std::vector<uint8_t>& row, int width, int y) {
    uint32_t s = uint32_t(y) * 2654435761u + 12345;
    for (int x = 0; x < width; ++x) {
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

// Writes a width x height JPEG to path, row by row from fill(row, y), with
// components 3 (RGB) or 1 (grey).
template <typename Fill>
bool Write(const char* path, int width, int height, int components, int quality, bool optimize,
           bool progressive, Fill fill) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = optimize ? TRUE : FALSE;
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(width) * size_t(components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(row, int(cinfo.next_scanline));
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

// Baseline, quality 85, default 4:2:0 sampling: what a scanner writes.
// Writes path unless a large enough file is already there.
inline bool Ensure(const char* path, int width, int height) {
    if (QFileInfo(path).size() > 1'000'000) return true;
    return Write(path, width, height, 3, 85, false, false,
                 [width](std::vector<uint8_t>& row, int y) { FillRow(row, width, y); });
}

// The most pixels a small file can honestly hold: a flat grey picture with
// Huffman tables fitted to it, so every 8 x 8 block costs a couple of bits
// (or one, progressive). Such files pass every size test a reader can make
// from the bytes, and cost whatever their picture costs.
inline bool WriteFlat(const char* path, int width, int height, bool progressive) {
    return Write(path, width, height, 1, 50, true, progressive,
                 [](std::vector<uint8_t>& row, int) { std::fill(row.begin(), row.end(), 140); });
}

}  // namespace benchjpeg
