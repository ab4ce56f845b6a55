// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>

#include "framework/ThreadScope.h"

class QPainter;
class ImageSource;

// The picture of a map entry, loaded from disk and drawn stretched into the
// entry's placement. Two kinds: JPEG files are known by their header when
// loaded and decoded by libjpeg band by band where they are drawn (see
// ImageSource and TileCache); everything else goes through Qt's BMP reader
// into a QImage.
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

    // While one is alive on this thread, drawing never waits for a JPEG
    // band to be decoded: missing rows are drawn from the reduced picture
    // when it is there, else in a placeholder grey, and asked of the worker
    // threads (TileCache::tilesReady tells when to paint again). Without
    // one, drawing decodes what it needs first (printing, export).
    class NoWaiting {
    public:
        NoWaiting();
        ~NoWaiting();
        NoWaiting(const NoWaiting&) = delete;
        NoWaiting& operator=(const NoWaiting&) = delete;
        static bool Active();
        // False when something drawn during this scope was a placeholder.
        bool Complete() const;
        static void MarkIncomplete();

    private:
        bool outerComplete;
    };
    // The grey of rows not decoded yet.
    static constexpr QRgb kPlaceholder = 0xffd8d8d8u;

    DecodedImage() = default;
    DecodedImage(DecodedImage&&) = default;
    DecodedImage& operator=(DecodedImage&&) = default;

    // Replaces the current picture; imagekind::Detect chooses the reader. A
    // JPEG is known by its header only, its pixels decoded where they are
    // drawn; it always gives 1, even when the file cannot be used (source
    // then stays null and width/height 0). PNG, TIFF and GIF are decoded at
    // once into a source held in memory, BMP into bitmap; for those 0 when
    // reading fails, with no message to the user; width/height 0 then.
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

    // True when there is a picture to draw: a bitmap that was read, or a
    // JPEG whose header was sound and whose decoding has not failed.
    bool HasPicture() const;
    // The whole picture reduced by level (1, 2, 4 or 8 for a JPEG, which
    // libjpeg decodes at that size directly; a bitmap is scaled), or a null
    // image while, not waiting, some of it is not decoded yet (then asked
    // of the workers in the background).
    QImage Picture(int level, bool wait) const;

    int32_t width = 0;
    int32_t height = 0;
    // JPEG only: where the pixels come from, shared with every entry of the
    // same file. Null when the header could not be used.
    std::shared_ptr<ImageSource> source;
    // 1 when the picture came (or would come) from the BMP reader.
    int isBitmap = 1;
    QImage bitmap;

private:
    int LoadFromFile(const QString& fileName);
    void DrawJpeg(QPainter& p, const QRect& dest, const QRect& area) const;
    QImage JpegPicture(int level, bool wait) const;
    void DrawBitmap(QPainter& p, const QRect& dest, const QRect& area) const;
};
