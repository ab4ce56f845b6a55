// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

namespace imagingtest {

struct JpegOptions {
    int quality = 100;
    bool grayscale = false;
    bool progressive = false;
    bool subsampled = false;  // libjpeg's default 4:2:0 instead of 4:4:4
    bool cmyk = false;        // four channels, as prepress software writes
    bool ycck = false;        // with cmyk: stored as YCCK
    bool adobeMarker = true;  // with cmyk: an Adobe marker, so the inks are stored inverted
};

// Encodes image with libjpeg's compressor (by default without chroma
// subsampling, so flat colours survive).
QByteArray EncodeJpeg(const QImage& image, const JpegOptions& options = {});

// Offset of the first marker FF <code>, or -1.
qsizetype FindMarker(const QByteArray& jpeg, uint8_t code, qsizetype from = 0);
// Offset just past the first scan header (the start of entropy-coded data).
qsizetype ScanDataStart(const QByteArray& jpeg);
// tail inserted just before the end-of-image marker.
QByteArray InsertBeforeEnd(const QByteArray& jpeg, const QByteArray& tail);
// Rewrites the frame header's declared size.
QByteArray WithDeclaredSize(QByteArray jpeg, int width, int height);

// An image of w x h made of vertical stripes of the given colours.
QImage Stripes(int w, int h, const std::vector<QColor>& colours);
// Deterministic noise, so every pixel differs from its neighbours.
QImage Noise(int w, int h, uint32_t seed);

// The whole picture stretched into dest with nearest-neighbour sampling,
// pixel centre to pixel centre, done the slow obvious way. Only pixels
// inside clip are written to canvas.
void ReferenceStretch(QImage& canvas, const QImage& topDownPicture, const QRect& dest,
                      const QRect& clip);

}  // namespace imagingtest
