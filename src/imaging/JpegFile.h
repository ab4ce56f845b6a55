// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

// JPEG decoding over libjpeg plus the byte shuffles that turn its output into
// the bottom-up BGR rows the map drawing code keeps.
namespace JpegFile {

// Larger declared images are refused before anything is allocated: a
// gigapixel is already 3 GB of RGB and far beyond any scanned chart.
inline constexpr uint64_t kMaxPixels = 1'000'000'000;
// The limit in force: kMaxPixels unless lowered (the fuzzing harness lowers
// it so that it explores the decoder rather than the allocator). Returns the
// previous limit.
uint64_t PixelLimit();
uint64_t SetPixelLimit(uint64_t pixels);
// A file's data cannot describe more than about a thousand pixels a byte
// (Huffman-coded JPEG needs at least a bit or two per 8 x 8 block; a flat
// colour at quality 90 takes 85 pixels a byte). A small file that declares
// more is cut short, padded or forged, and decoding it would only spend
// gigabytes on grey fill: it is refused before anything is allocated. The
// bytes counted are those of the scans (ScanBytes). Up to
// kFreePixels are always allowed, so a damaged small chart still shows.
inline constexpr uint64_t kPixelsPerByte = 1024;
inline constexpr uint64_t kFreePixels = uint64_t(1) << 24;
// The most pixels a file of fileBytes may declare: the above within
// PixelLimit().
uint64_t PixelBudget(uint64_t fileBytes);
// The bytes of entropy-coded data in the JPEG file open as fd (scan data up
// to the end-of-image marker; headers, comments and whatever follows the
// picture do not count), read with pread from the start. Counting stops
// once it passes `enough`.
uint64_t ScanBytes(int fd, uint64_t enough);
// Work of a progressive file: every scan walks the whole image, so the
// scans times the pixels are bounded as well: the ten scans libjpeg writes
// for a colour chart stay inside up to 300 megapixels (about two seconds).
inline constexpr uint64_t kScanPixelBudget = 3'000'000'000;
// Ceiling for libjpeg's own working memory (the whole-image coefficient
// buffer of progressive files lives there, about three bytes a pixel of a
// colour picture); past it decoding fails cleanly. The limit in force is
// half the tile cache's budget (the cache sets it), so a small file that
// declares a huge progressive picture costs no more than the user allowed
// for decoded maps; it never exceeds kMaxLibraryMemory.
inline constexpr long kMaxLibraryMemory = 1L << 30;
inline constexpr long kMinLibraryMemory = 16L << 20;
// Half the tile cache's default budget.
inline constexpr long kDefaultLibraryMemory = 256L << 20;
long LibraryMemoryLimit();
// Clamped to kMinLibraryMemory..kMaxLibraryMemory; returns the limit set.
long SetLibraryMemoryLimit(long bytes);
// A progressive image needs a dozen or so scans; a file with thousands is
// hostile (each scan re-walks the whole coefficient buffer) and is refused.
inline constexpr int kMaxScans = 1000;

// Decodes fileName into width*height*3 bytes of top-down RGB rows, owned by
// the caller. Returns null on failure. width and height are zeroed first and
// set once the output buffer exists, so a file that breaks during decoding
// still reports the size its header declared.
// A file that cannot be opened is reported to the user; libjpeg's own errors
// are not (a damaged chart simply does not show). Anything but a regular file
// (a folder, a pipe, a device) counts as a file that cannot be opened: a
// read from a pipe or a terminal could wait for ever.
std::unique_ptr<uint8_t[]> ReadRgb(const QString& fileName, uint32_t& width, uint32_t& height);

// ReadRgb followed by SwapRedBlue and FlipRows, byte for byte, but decoded
// straight into that layout (bottom row first, B G R): one pass over the
// pixels instead of three.
std::unique_ptr<uint8_t[]> ReadBgrBottomUp(const QString& fileName, uint32_t& width,
                                           uint32_t& height);

// What a file's header says, read without decoding any pixel.
struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    bool progressive = false;
};
enum class HeaderResult {
    Ok,        // header holds a picture within the limits
    CantOpen,  // not a readable regular file; the user has been told
    Refused,   // damaged header or beyond the limits above; silent
};
// The header of fileName, with every limit that ReadRgb applies before it
// allocates anything. A file that cannot be opened is reported to the user
// exactly as ReadRgb reports it.
HeaderResult ReadHeader(const QString& fileName, Header& header);

// Memory for a band of decoded rows; released with FreeBand.
uint8_t* AllocateBand(size_t bytes);
void FreeBand(uint8_t* band);

// Receives decoded rows band by band: band is the index of the band (rows
// band*bandRows onwards), rows the band's top-down B G R rows of the scaled
// width, owned by the receiver from then on (FreeBand). Returns false to stop
// decoding there.
using BandSink = bool (*)(void* context, int band, int rows, uint8_t* pixels);

// Asked now and then while a picture decodes: true stops the decoding.
using StopCheck = bool (*)(void* context);

enum class BandsOutcome { Done, Failed, Stopped };

// Decodes fileName at 1/scaleDenom of its size (1, 2, 4 or 8; libjpeg scales
// while decoding, which costs a fraction of the full decode) from band
// firstBand onwards, bandRows rows a band (the last one may be shorter),
// handing each band to sink until sink declines or the picture ends. Rows
// above the first band are skipped without being converted. Failed when
// decoding failed (nothing more is delivered) or the file cannot be read;
// Stopped when stop (given the same context) said so. Nothing is ever shown
// to the user.
BandsOutcome DecodeBands(const QString& fileName, int scaleDenom, int firstBand, int bandRows,
                         BandSink sink, void* context, StopCheck stop = nullptr);

// The size of a picture of width x height decoded at 1/scaleDenom.
inline uint32_t ScaledSize(uint32_t size, int scaleDenom) {
    return uint32_t((uint64_t(size) + uint64_t(scaleDenom) - 1) / uint64_t(scaleDenom));
}

// RGB <-> BGR in place over width*height 3-byte pixels. False for null.
bool SwapRedBlue(uint8_t* buf, int width, int height);

// Reverses the row order in place. False for null or when the one-row
// scratch buffer cannot be allocated.
bool FlipRows(uint8_t* buf, int rowBytes, int rows);

// Copies 3-byte-per-pixel rows into a new buffer whose rows are padded to
// four bytes, as device-independent bitmaps lay them out. stride receives the
// padded row length; it is left alone (and null returned) for null input.
std::unique_ptr<uint8_t[]> PadRows(const uint8_t* buf, int width, int height, int& stride);

// The padded row length PadRows uses for width 3-byte pixels.
constexpr int PaddedStride(int width) {
    return ((width * 24 + 31) / 32) * 4;
}

}  // namespace JpegFile
