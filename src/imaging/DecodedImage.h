// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

#include "framework/ThreadScope.h"

class QPainter;

// The picture of a map entry, loaded from disk and drawn stretched into the
// entry's placement. Two kinds: JPEG files are decoded by libjpeg into a raw
// buffer; everything else goes through Qt's BMP reader into a QImage.
// Move-only: the decoded pixels are large and never duplicated. Entries that
// name the same file while a SharedLoads is alive share one decode.
class DecodedImage {
public:
    // Bitmaps above this are refused; 100-megapixel scans must still load.
    static constexpr int64_t kMaxBitmapPixels = 250'000'000;
    // The limit in force: kMaxBitmapPixels unless lowered (the fuzzing
    // harness does). Returns the previous limit.
    static int64_t BitmapPixelLimit();
    static int64_t SetBitmapPixelLimit(int64_t pixels);

    // While one is alive on this thread, a file loaded again (the same file
    // after resolving links and dots) takes the first load's pixels and
    // result instead of decoding anew: a location naming one large chart a
    // thousand times costs one decode, and an unreadable chart one message.
    struct SharedLoadsEnd {
        static void Ended();
    };
    using SharedLoads = ThreadScope<SharedLoadsEnd>;

    DecodedImage() = default;
    DecodedImage(DecodedImage&&) = default;
    DecodedImage& operator=(DecodedImage&&) = default;

    // Replaces the current picture; imagekind::Detect chooses the reader. A
    // JPEG always gives 1, even when decoding failed (pixels then stay null
    // and width/height hold whatever the header declared). PNG, TIFF and GIF
    // go into pixels as JPEG does, BMP into bitmap; for those 0 when reading
    // fails, with no message to the user; width/height 0 then.
    // Only regular files are read: anything else fails as unreadable.
    int Load(const QString& fileName);

    // Draws the picture stretched over placement scaled by zoom, nearest
    // neighbour, touching only what lies inside clip (logical coordinates of
    // p). placement's width()/height() are the entry's right-left and
    // bottom-top, as RectL::ToQRect gives them.
    void Draw(QPainter& p, const QRect& placement, double zoom, const QRect& clip);

    // The rectangle Draw stretches the picture into: each edge product is
    // truncated separately, as the map has always placed its pictures.
    static QRect DestinationRect(const QRect& placement, double zoom);

    int32_t width = 0;
    int32_t height = 0;
    // JPEG only: height rows of width*3 bytes, bottom row first, B G R per
    // pixel, rows not padded. Null when nothing was decoded. Shared with
    // other entries of the same file (see SharedLoads); never written after
    // loading.
    std::shared_ptr<uint8_t[]> pixels;
    // Padded row length of the JPEG picture, set when it is drawn.
    int stride = 0;
    // 1 when the picture came (or would come) from the BMP reader.
    int isBitmap = 1;
    QImage bitmap;

private:
    int LoadFromFile(const QString& fileName);
    void DrawJpeg(QPainter& p, const QRect& dest, const QRect& area) const;
    void DrawBitmap(QPainter& p, const QRect& dest, const QRect& area) const;
};
