// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/DecodedImage.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "imaging/ImageKind.h"
#include "imaging/ImageSource.h"
#include "imaging/JpegFile.h"

namespace {

// Band images are built in strips of about this size, so a huge clip (a
// poster print, say) never needs a huge temporary.
constexpr qsizetype kStripBytes = 4 << 20;

int truncated(double v) {
    if (!std::isfinite(v)) return 0;
    return int(std::clamp(v, double(INT_MIN / 2), double(INT_MAX / 2)));
}

// Nearest-neighbour source index of destination pixel d when src pixels are
// stretched over dst: the source pixel under the destination pixel's centre.
// Exact integer arithmetic, so the answer never depends on where a clip
// starts.
inline int nearest(int64_t d, int64_t src, int64_t dst) {
    return int(((2 * d + 1) * src) / (2 * dst));
}

std::vector<int> sourceColumns(const QRect& dest, const QRect& area, int srcWidth) {
    std::vector<int> cols(area.width());
    for (int i = 0; i < area.width(); ++i)
        cols[i] = nearest(area.left() + i - dest.left(), srcWidth, dest.width());
    return cols;
}

// Fills the part of dest inside area, strip by strip. fillRow(out, sy, cols)
// writes one destination row of area.width() pixels from source row sy
// (counted from the top); destination rows that repeat a source row are
// copied instead of sampled again.
template <typename FillRow>
void drawStretched(QPainter& p, const QRect& dest, const QRect& area, int srcWidth, int srcHeight,
                   QImage::Format format, FillRow fillRow) {
    const std::vector<int> cols = sourceColumns(dest, area, srcWidth);
    const qsizetype rowBytes = qsizetype(area.width()) * 4;
    const int stripRows = int(std::clamp<qsizetype>(kStripBytes / rowBytes, 1, area.height()));
    QImage band(area.width(), stripRows, format);
    if (band.isNull()) return;
    for (int y0 = area.top(); y0 <= area.bottom(); y0 += stripRows) {
        const int rows = std::min(stripRows, area.bottom() - y0 + 1);
        int previous = -1;
        for (int i = 0; i < rows; ++i) {
            const int sy = nearest(y0 + i - dest.top(), srcHeight, dest.height());
            auto* out = reinterpret_cast<QRgb*>(band.scanLine(i));
            if (sy == previous)
                std::memcpy(out, band.constScanLine(i - 1), rowBytes);
            else
                fillRow(out, sy, cols);
            previous = sy;
        }
        p.drawImage(QPoint(area.left(), y0), band, QRect(0, 0, area.width(), rows));
    }
}

// The logical rectangle that the painter's device shows. The viewport is in
// device-independent pixels; combinedTransform() would also apply the
// device pixel ratio and leave out all but 1/ratio of each side.
std::optional<QRect> VisibleLogicalRect(const QPainter& p) {
    QTransform toViewport = p.worldTransform();
    if (p.viewTransformEnabled()) {
        const QRect w = p.window();
        const QRect v = p.viewport();
        if (w.width() == 0 || w.height() == 0) return std::nullopt;
        const double sx = double(v.width()) / w.width();
        const double sy = double(v.height()) / w.height();
        toViewport *= QTransform(sx, 0, 0, sy, v.x() - w.x() * sx, v.y() - w.y() * sy);
    }
    if (!toViewport.isInvertible()) return std::nullopt;
    return toViewport.inverted().mapRect(QRectF(p.viewport())).toAlignedRect();
}

bool isDirect32(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

void raiseAllocationLimit() {
    // Qt refuses images above 256 MB by default; the largest scans we accept
    // need more, as 32-bit pixels.
    constexpr int neededMb = int(DecodedImage::kMaxBitmapPixels * 4 / (1024 * 1024)) + 1;
    const int current = QImageReader::allocationLimit();
    if (current != 0 && current < neededMb) QImageReader::setAllocationLimit(neededMb);
}

}  // namespace

namespace {

std::atomic<int64_t> bitmapPixelLimit{DecodedImage::kMaxBitmapPixels};

struct SharedLoad {
    int result = 0;
    int32_t width = 0;
    int32_t height = 0;
    int isBitmap = 1;
    std::shared_ptr<ImageSource> source;
    QImage bitmap;
};

thread_local int noWaitingDepth = 0;
thread_local bool drawnComplete = true;

thread_local std::map<QString, SharedLoad> sharedLoads;

QString sharingKey(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

DecodedImage::NoWaiting::NoWaiting() : outerComplete(drawnComplete) {
    ++noWaitingDepth;
    drawnComplete = true;
}

DecodedImage::NoWaiting::~NoWaiting() {
    --noWaitingDepth;
    drawnComplete = drawnComplete && outerComplete;
}

bool DecodedImage::NoWaiting::Active() {
    return noWaitingDepth > 0;
}

bool DecodedImage::NoWaiting::Complete() const {
    return drawnComplete;
}

void DecodedImage::NoWaiting::MarkIncomplete() {
    drawnComplete = false;
}

void DecodedImage::SharedLoadsEnd::Ended() {
    sharedLoads.clear();
}

int64_t DecodedImage::BitmapPixelLimit() {
    return bitmapPixelLimit.load(std::memory_order_relaxed);
}

int64_t DecodedImage::SetBitmapPixelLimit(int64_t pixels) {
    return bitmapPixelLimit.exchange(pixels);
}

int DecodedImage::Load(const QString& fileName) {
    if (!SharedLoads::Active()) return LoadFromFile(fileName);
    const QString key = sharingKey(fileName);
    auto found = sharedLoads.find(key);
    if (found == sharedLoads.end()) {
        const int result = LoadFromFile(fileName);
        sharedLoads.emplace(key, SharedLoad{result, width, height, isBitmap, source, bitmap});
        return result;
    }
    const SharedLoad& same = found->second;
    width = same.width;
    height = same.height;
    isBitmap = same.isBitmap;
    source = same.source;
    bitmap = same.bitmap;
    return same.result;
}

int DecodedImage::LoadFromFile(const QString& fileName) {
    source.reset();
    bitmap = QImage();

    const imagekind::Kind kind = imagekind::Detect(fileName);
    if (kind == imagekind::Kind::Jpeg) {
        isBitmap = 0;
        width = 0;
        height = 0;
        // Only the header now; the pixels are decoded where they are drawn.
        JpegFile::Header header;
        if (JpegFile::ReadHeader(fileName, header) == JpegFile::HeaderResult::Ok) {
            width = int32_t(header.width);
            height = int32_t(header.height);
            source =
                ImageSource::ForFile(fileName, header.width, header.height, header.progressive);
        }
        return 1;
    }

    if (kind != imagekind::Kind::Bitmap) {
        // PNG, TIFF and GIF are drawn as JPEG pictures are. Only the header
        // now: the pixels are decoded, whole, the first time they are drawn.
        // A file without a readable header fails as a damaged BMP does; one
        // damaged further on draws nothing, as a damaged JPEG does.
        isBitmap = 0;
        if (!imagekind::ReadSize(fileName, kind, BitmapPixelLimit(), width, height)) return 0;
        source = ImageSource::ForWholeFile(fileName, kind, uint32_t(width), uint32_t(height),
                                           BitmapPixelLimit());
        return 1;
    }

    isBitmap = 1;
    width = 0;
    height = 0;
    // Checked before opening: opening a named pipe would wait for a writer.
    if (!QFileInfo(fileName).isFile()) return 0;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) return 0;
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    // Qt reports a bitmap stored top row first with the file's negative
    // height; it reads such files the right way up all the same.
    const QSize stored = reader.size();
    const QSize size(stored.width(), stored.height() == INT_MIN ? 0 : std::abs(stored.height()));
    if (size.isEmpty() || int64_t(size.width()) * size.height() > BitmapPixelLimit()) return 0;
    raiseAllocationLimit();
    QImage image;
    if (!reader.read(&image)) return 0;
    bitmap = std::move(image);
    width = bitmap.width();
    height = bitmap.height();
    return 1;
}

QRect DecodedImage::DestinationRect(const QRect& placement, double zoom) {
    return QRect(truncated(zoom * placement.left()), truncated(zoom * placement.top()),
                 truncated(zoom * placement.width()), truncated(zoom * placement.height()));
}

bool DecodedImage::HasPicture() const {
    return isBitmap ? !bitmap.isNull() : source && !source->Failed();
}

void DecodedImage::Draw(QPainter& p, const QRect& placement, double zoom, const QRect& clip) {
    if (!HasPicture() || (!isBitmap && (width <= 0 || height <= 0))) return;
    if (!p.isActive()) return;

    const QRect dest = DestinationRect(placement, zoom);
    QRect area = dest & clip;
    if (p.hasClipping()) area &= p.clipBoundingRect().toAlignedRect();
    // Nothing outside the device is worth sampling, whatever clip says.
    if (const std::optional<QRect> visible = VisibleLogicalRect(p)) area &= *visible;
    if (area.isEmpty()) return;

    if (isBitmap)
        DrawBitmap(p, dest, area);
    else
        DrawJpeg(p, dest, area);
}

void DecodedImage::DrawJpeg(QPainter& p, const QRect& dest, const QRect& area) const {
    ImageSource& pictures = *source;
    const bool wait = !NoWaiting::Active();
    const int lastRow =
        std::min(nearest(area.bottom() - dest.top(), height, dest.height()), height - 1);
    BandReader full(pictures, 1, wait, lastRow);
    // Whoever waits finds a damaged file before drawing anything, and then
    // draws nothing, as an undecodable chart always showed.
    if (wait && !full.Row(nearest(area.top() - dest.top(), height, dest.height())) &&
        pictures.Failed())
        return;
    // Rows not decoded yet come from the picture reduced eight times, when
    // that is there, so a quick scroll shows the map blurred, not grey.
    constexpr int kCoarse = 8;
    std::optional<BandReader> coarse;
    const int coarseWidth = int(pictures.Width(kCoarse));
    const int coarseHeight = int(pictures.Height(kCoarse));
    drawStretched(
        p, dest, area, width, height, QImage::Format_RGB32,
        [&](QRgb* out, int sy, const std::vector<int>& cols) {
            if (const uint8_t* row = full.Row(sy)) {
                for (size_t i = 0; i < cols.size(); ++i) {
                    const uint8_t* px = row + size_t(cols[i]) * 3;
                    out[i] = 0xff000000u | (uint32_t(px[2]) << 16) | (uint32_t(px[1]) << 8) | px[0];
                }
                return;
            }
            if (!coarse) coarse.emplace(pictures, kCoarse, false, coarseHeight - 1, true);
            const uint8_t* low = coarse->Row(std::min(sy / kCoarse, coarseHeight - 1));
            for (size_t i = 0; i < cols.size(); ++i) {
                if (!low) {
                    out[i] = kPlaceholder;
                    continue;
                }
                const uint8_t* px = low + size_t(std::min(cols[i] / kCoarse, coarseWidth - 1)) * 3;
                out[i] = 0xff000000u | (uint32_t(px[2]) << 16) | (uint32_t(px[1]) << 8) | px[0];
            }
        });
    if (!full.Complete()) NoWaiting::MarkIncomplete();
}

QImage DecodedImage::Picture(int level, bool wait) const {
    if (!HasPicture()) return QImage();
    if (!isBitmap) return width > 0 && height > 0 ? JpegPicture(level, wait) : QImage();
    const int w = std::max(1, (bitmap.width() + level - 1) / level);
    const int h = std::max(1, (bitmap.height() + level - 1) / level);
    return bitmap.convertToFormat(QImage::Format_RGB32)
        .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage DecodedImage::JpegPicture(int level, bool wait) const {
    ImageSource& pictures = *source;
    const int w = int(pictures.Width(level));
    const int h = int(pictures.Height(level));
    QImage picture(w, h, QImage::Format_RGB32);
    if (picture.isNull()) return picture;
    BandReader rows(pictures, level, wait, h - 1, !wait);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = rows.Row(y);
        if (!row) {
            // Asks for every band still missing, then gives up for now.
            if (!wait)
                for (int b = y / pictures.BandRows(level); b < pictures.Bands(level); ++b)
                    pictures.RequestBand(level, b, true);
            return QImage();
        }
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x, row += 3)
            out[x] = 0xff000000u | (uint32_t(row[2]) << 16) | (uint32_t(row[1]) << 8) | row[0];
    }
    return picture;
}

void DecodedImage::DrawBitmap(QPainter& p, const QRect& dest, const QRect& area) const {
    const QImage::Format source = bitmap.format();
    if (isDirect32(source)) {
        drawStretched(p, dest, area, bitmap.width(), bitmap.height(), source,
                      [&](QRgb* out, int sy, const std::vector<int>& cols) {
                          const auto* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(sy));
                          for (size_t i = 0; i < cols.size(); ++i) out[i] = row[cols[i]];
                      });
        return;
    }
    // Palette and 16/24-bit bitmaps: convert just the source rows in use.
    const QImage::Format target =
        bitmap.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    drawStretched(p, dest, area, bitmap.width(), bitmap.height(), target,
                  [&](QRgb* out, int sy, const std::vector<int>& cols) {
                      QImage line(bitmap.constScanLine(sy), bitmap.width(), 1,
                                  bitmap.bytesPerLine(), source);
                      if (bitmap.colorCount() > 0) line.setColorTable(bitmap.colorTable());
                      const QImage converted = line.convertToFormat(target);
                      const auto* row = reinterpret_cast<const QRgb*>(converted.constScanLine(0));
                      for (size_t i = 0; i < cols.size(); ++i) out[i] = row[cols[i]];
                  });
}
