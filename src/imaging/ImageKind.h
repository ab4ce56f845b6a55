// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>

// The kinds of map image the program reads, and the reader for the kinds
// that are neither JPEG nor BMP.
namespace imagekind {

enum class Kind { Jpeg, Bitmap, Png, Tiff, Gif, Unknown };

// The kind the first bytes of a file announce; Unknown when they announce
// none of ours.
Kind FromContent(QByteArrayView head);
// The kind a name's ending suggests (".jpeg", ".tif", ... in any case).
Kind FromEnding(const QString& fileName);
// Whether fileName ends in the ending of a map image of any kind.
bool IsImageName(const QString& fileName);

// Which reader takes fileName. A name ending in ".jpg" is always read as
// JPEG and one ending in ".bmp" always as BMP, whatever the bytes hold, as
// the program has always done. Any other name is read as what its content
// announces, or failing that as what its ending suggests; with neither it
// goes to the BMP reader, which refuses it. Only a regular file's content
// is looked at.
Kind Detect(const QString& fileName);

// Decodes a PNG, TIFF or GIF file (the first picture of a multi-page TIFF
// or an animation) into height rows of width*3 bytes, bottom row first,
// B G R per pixel, no padding: the layout JPEG pictures are kept in.
// Transparent pixels come out as if laid on white paper. Files declaring
// more than pixelLimit pixels are refused before decoding. Returns null
// (width and height 0) for anything that is not a readable picture of that
// kind; nothing is shown to the user.
std::unique_ptr<uint8_t[]> DecodeBgrBottomUp(const QString& fileName, Kind kind, int64_t pixelLimit,
                                             int32_t& width, int32_t& height);

// The size a PNG, TIFF or GIF file's header declares, read without
// decoding any pixel: false (width and height 0) when the file is not a
// readable regular file of that kind, its header says no size, or the size
// is empty or beyond pixelLimit pixels. A file whose header passes may
// still turn out damaged when DecodeBgrBottomUp reads it.
bool ReadSize(const QString& fileName, Kind kind, int64_t pixelLimit, int32_t& width,
              int32_t& height);

// Qt's reader format name for a kind ("png", "tiff", "gif", "bmp", "jpeg").
const char* QtFormat(Kind kind);

}  // namespace imagekind
