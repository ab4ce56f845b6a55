// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagingTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace imagingtest {

QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options) {
    const QImage src = image.convertToFormat(options.grayscale ? QImage::Format_Grayscale8
                                                               : QImage::Format_RGB888);
    const int components = options.grayscale ? 1 : options.cmyk ? 4 : 3;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = src.width();
    cinfo.image_height = src.height();
    cinfo.input_components = components;
    cinfo.in_color_space = options.grayscale ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.cmyk && options.ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
    if (options.cmyk) cinfo.write_Adobe_marker = options.adobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    // Full-resolution chroma: flat colours come back within a step or two.
    if (!options.subsampled)
        for (int c = 0; c < cinfo.num_components; ++c)
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> line(size_t(src.width()) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* in = src.constScanLine(int(cinfo.next_scanline));
        if (options.cmyk) {
            for (int x = 0; x < src.width(); ++x) {
                const uint8_t* rgb = in + x * 3;
                // Inks multiply: each of C, M, Y takes its share of what K leaves.
                const int most = std::max({rgb[0], rgb[1], rgb[2]});
                const uint8_t k = uint8_t(255 - most);
                // Adobe's files hold 255 for no ink.
                const uint8_t flip = options.adobeMarker ? 255 : 0;
                for (int c = 0; c < 3; ++c) {
                    const int ink = most ? (most - rgb[c]) * 255 / most : 0;
                    line[size_t(x) * 4 + c] = uint8_t(ink ^ flip);
                }
                line[size_t(x) * 4 + 3] = uint8_t(k ^ flip);
            }
        } else {
            std::copy(in, in + line.size(), line.begin());
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

qsizetype FindMarker(const QByteArray& jpeg, uint8_t code, qsizetype from) {
    const char marker[2] = {char(0xFF), char(code)};
    return jpeg.indexOf(QByteArray(marker, 2), from);
}

qsizetype ScanDataStart(const QByteArray& jpeg) {
    const qsizetype sos = FindMarker(jpeg, 0xDA);
    if (sos < 0) return -1;
    const int length = (uint8_t(jpeg[sos + 2]) << 8) | uint8_t(jpeg[sos + 3]);
    return sos + 2 + length;
}

QByteArray InsertBeforeEnd(const QByteArray& jpeg, const QByteArray& tail) {
    const qsizetype eoi = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    return jpeg.left(eoi) + tail + jpeg.mid(eoi);
}

QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height) {
    qsizetype sof = FindMarker(jpeg, 0xC0);
    if (sof < 0) sof = FindMarker(jpeg, 0xC2);
    if (sof < 0) return {};
    // FF C0, length (2), precision (1), height (2), width (2)
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QImage Stripes(int w, int h, const std::vector<QColor>& colours) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixelColor(x, y, colours[size_t(x) * colours.size() / w]);
    return img;
}

QImage Noise(int w, int h, uint32_t seed) {
    QImage img(w, h, QImage::Format_RGB32);
    uint32_t s = seed * 2654435761u + 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1664525u + 1013904223u;
            img.setPixel(x, y, 0xff000000u | (s >> 8));
        }
    return img;
}

void ReferenceStretch(QImage& canvas, const QImage& picture, const QRect& dest, const QRect& clip) {
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x) {
            const QPoint at(dest.left() + x, dest.top() + y);
            if (!clip.contains(at) || !canvas.rect().contains(at)) continue;
            const int sx = int(std::floor((x + 0.5) * picture.width() / dest.width()));
            const int sy = int(std::floor((y + 0.5) * picture.height() / dest.height()));
            canvas.setPixel(at, picture.pixel(sx, sy));
        }
}

}  // namespace imagingtest
