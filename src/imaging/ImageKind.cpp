// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImageKind.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <climits>
#include <cstring>
#include <mutex>
#include <new>

#include <tiffio.h>

namespace imagekind {
namespace {

bool StartsWith(QByteArrayView head, const char* magic, size_t n) {
    return size_t(head.size()) >= n && std::memcmp(head.data(), magic, n) == 0;
}

QString Suffix(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf('.');
    const qsizetype slash = std::max(fileName.lastIndexOf('/'), fileName.lastIndexOf('\\'));
    if (dot < 0 || dot < slash) return QString();
    return fileName.mid(dot + 1).toLower();
}

void RaiseAllocationLimit(int64_t pixelLimit) {
    // Qt refuses images above 256 MB by default; decoding goes through
    // 32-bit pixels.
    const int64_t neededMb = pixelLimit * 4 / (1024 * 1024) + 1;
    const int current = QImageReader::allocationLimit();
    if (current != 0 && current < neededMb)
        QImageReader::setAllocationLimit(int(std::min<int64_t>(neededMb, INT_MAX)));
}

// One source row as B G R, alpha laid over white.
void WriteRow(const QRgb* in, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const QRgb px = in[x];
        const unsigned a = qAlpha(px);
        // Premultiplied: colour + (255 - alpha) of white.
        const unsigned white = 255 - a;
        out[3 * x + 0] = uint8_t(std::min(255u, unsigned(qBlue(px)) + white));
        out[3 * x + 1] = uint8_t(std::min(255u, unsigned(qGreen(px)) + white));
        out[3 * x + 2] = uint8_t(std::min(255u, unsigned(qRed(px)) + white));
    }
}

// Qt's TIFF reader lets libtiff print a warning for each tag it does not
// know, and GeoTIFF's are among them. Warnings are of no use to anyone here.
void QuietenLibtiff() {
    static std::once_flag once;
    std::call_once(once, [] { TIFFSetWarningHandler(nullptr); });
}

}  // namespace

Kind FromContent(QByteArrayView head) {
    if (StartsWith(head, "\xFF\xD8\xFF", 3)) return Kind::Jpeg;
    if (StartsWith(head, "\x89PNG\r\n\x1A\n", 8)) return Kind::Png;
    // Classic and big TIFF in either byte order.
    if (StartsWith(head, "II*\0", 4) || StartsWith(head, "MM\0*", 4) ||
        StartsWith(head, "II+\0", 4) || StartsWith(head, "MM\0+", 4))
        return Kind::Tiff;
    if (StartsWith(head, "GIF87a", 6) || StartsWith(head, "GIF89a", 6)) return Kind::Gif;
    if (StartsWith(head, "BM", 2)) return Kind::Bitmap;
    return Kind::Unknown;
}

Kind FromEnding(const QString& fileName) {
    const QString s = Suffix(fileName);
    if (s == "jpg" || s == "jpeg" || s == "jpe") return Kind::Jpeg;
    if (s == "bmp") return Kind::Bitmap;
    if (s == "png") return Kind::Png;
    if (s == "tif" || s == "tiff") return Kind::Tiff;
    if (s == "gif") return Kind::Gif;
    return Kind::Unknown;
}

bool IsImageName(const QString& fileName) {
    return FromEnding(fileName) != Kind::Unknown;
}

Kind Detect(const QString& fileName) {
    if (fileName.right(4).compare(QLatin1String(".jpg"), Qt::CaseInsensitive) == 0)
        return Kind::Jpeg;
    if (fileName.right(4).compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
        return Kind::Bitmap;
    Kind kind = Kind::Unknown;
    // Checked before opening: opening a named pipe would wait for a writer.
    if (QFileInfo(fileName).isFile()) {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly) && !file.isSequential())
            kind = FromContent(file.read(16));
    }
    if (kind == Kind::Unknown) kind = FromEnding(fileName);
    return kind == Kind::Unknown ? Kind::Bitmap : kind;
}

const char* QtFormat(Kind kind) {
    switch (kind) {
        case Kind::Jpeg:
            return "jpeg";
        case Kind::Bitmap:
            return "bmp";
        case Kind::Png:
            return "png";
        case Kind::Tiff:
            return "tiff";
        case Kind::Gif:
            return "gif";
        case Kind::Unknown:
            break;
    }
    return "";
}

namespace {

// Opens fileName for Qt's reader of a PNG, TIFF or GIF; false for any other
// kind and for anything but a regular file (a pipe would block the reader).
bool OpenPicture(const QString& fileName, Kind kind, QFile& file) {
    if (kind != Kind::Png && kind != Kind::Tiff && kind != Kind::Gif) return false;
    if (!QFileInfo(fileName).isFile()) return false;
    file.setFileName(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) return false;
    if (kind == Kind::Tiff) QuietenLibtiff();
    return true;
}

}  // namespace

bool ReadSize(const QString& fileName, Kind kind, int64_t pixelLimit, int32_t& width,
              int32_t& height) {
    width = 0;
    height = 0;
    QFile file;
    if (!OpenPicture(fileName, kind, file)) return false;
    QImageReader reader(&file, QtFormat(kind));
    reader.setAutoDetectImageFormat(false);
    if (!reader.canRead()) return false;
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty() ||
        int64_t(declared.width()) * declared.height() > pixelLimit)
        return false;
    width = declared.width();
    height = declared.height();
    return true;
}

std::unique_ptr<uint8_t[]> DecodeBgrBottomUp(const QString& fileName, Kind kind, int64_t pixelLimit,
                                             int32_t& width, int32_t& height) {
    width = 0;
    height = 0;
    QFile file;
    if (!OpenPicture(fileName, kind, file)) return nullptr;
    QImageReader reader(&file, QtFormat(kind));
    reader.setAutoDetectImageFormat(false);
    // A size the header declares is checked before anything is decoded;
    // where the reader cannot tell, Qt's allocation limit still holds and
    // the decoded size is checked after.
    const QSize declared = reader.size();
    if (declared.isValid() &&
        (declared.isEmpty() || int64_t(declared.width()) * declared.height() > pixelLimit))
        return nullptr;
    RaiseAllocationLimit(pixelLimit);
    QImage image;
    if (!reader.read(&image) || image.isNull()) return nullptr;
    if (int64_t(image.width()) * image.height() > pixelLimit) return nullptr;

    const int w = image.width();
    const int h = image.height();
    const size_t rowBytes = size_t(w) * 3;
    std::unique_ptr<uint8_t[]> out(new (std::nothrow) uint8_t[rowBytes * size_t(h)]);
    if (!out) return nullptr;
    const QImage::Format source = image.format();
    const bool direct =
        source == QImage::Format_ARGB32_Premultiplied || source == QImage::Format_RGB32;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = out.get() + size_t(h - 1 - y) * rowBytes;
        if (direct) {
            WriteRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)), w, row);
            continue;
        }
        // Other layouts (palette, 16-bit, grey): one row at a time, so the
        // whole picture is never held twice more.
        QImage line(image.constScanLine(y), w, 1, image.bytesPerLine(), source);
        if (image.colorCount() > 0) line.setColorTable(image.colorTable());
        const QImage converted = line.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        WriteRow(reinterpret_cast<const QRgb*>(converted.constScanLine(0)), w, row);
    }
    width = w;
    height = h;
    return out;
}

}  // namespace imagekind
