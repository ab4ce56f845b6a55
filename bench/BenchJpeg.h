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

// Baseline, quality 85, default 4:2:0 sampling: what a scanner writes.
// Writes path unless a large enough file is already there.
inline bool Ensure(const char* path, int width, int height) {
    if (QFileInfo(path).size() > 1'000'000) return true;
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        FillRow(row, width, int(cinfo.next_scanline));
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

// The most pixels a small file can honestly hold: a flat grey picture with
// Huffman tables fitted to it, so every 8 x 8 block costs a couple of bits
// (or one, progressive). Such files pass every size test a reader can make
// from the bytes, and cost whatever their picture costs. Rewritten each
// time (they are quick to make).
inline bool WriteFlat(const char* path, int width, int height, bool progressive) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 50, TRUE);
    cinfo.optimize_coding = TRUE;
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(width), 140);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

}  // namespace benchjpeg
