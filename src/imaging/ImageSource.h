// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "imaging/ImageKind.h"
#include "imaging/TileCache.h"

// A JPEG map picture known by its header, decoded band by band when and
// where it is drawn. The pixels live in the TileCache; this object only
// knows how to make them. Pictures of the same file (same path, size and
// modification time) share one source, so a location naming one chart many
// times decodes it once.
class ImageSource : public std::enable_shared_from_this<ImageSource> {
public:
    // The source for fileName, shared with every other alive source of the
    // same file. width and height are the header's.
    static std::shared_ptr<ImageSource> ForFile(const QString& fileName, uint32_t width,
                                                uint32_t height, bool progressive);
    // A picture already decoded (top row first, B G R, width*3 bytes a row):
    // drawn straight from memory, never decoded.
    static std::shared_ptr<ImageSource> FromRows(std::shared_ptr<const uint8_t[]> rows,
                                                 uint32_t width, uint32_t height);
    // A PNG, TIFF or GIF picture known by its header (width x height, at
    // most pixelLimit pixels). Such files cannot be read in pieces: the
    // whole picture is decoded on a worker the first time it is drawn, then
    // kept in memory for as long as the source lives. Shared as ForFile's.
    static std::shared_ptr<ImageSource> ForWholeFile(const QString& fileName, imagekind::Kind kind,
                                                     uint32_t width, uint32_t height,
                                                     int64_t pixelLimit);
    ~ImageSource();
    ImageSource(const ImageSource&) = delete;
    ImageSource& operator=(const ImageSource&) = delete;

    uint64_t Id() const { return id; }
    uint32_t Width(int level = 1) const;
    uint32_t Height(int level = 1) const;
    int BandRows(int level) const;
    int Bands(int level) const;
    int64_t BandBytes(int level) const;
    // True once decoding found the file damaged beyond use: the picture is
    // then drawn as nothing, as an undecodable chart always was.
    bool Failed() const { return failed.load(std::memory_order_acquire); }
    const QString& Path() const { return path; }

    // Queues the decoding of one band on the workers (no-op when cached or
    // already queued; renews the request otherwise).
    void RequestBand(int level, int band, bool background = false);
    // Decodes bands first..last on this thread, putting them in the cache;
    // the decoded tiles are appended to keep, so they survive even a cache
    // too small to hold them. False when the file failed.
    bool DecodeRun(int level, int first, int last, std::vector<TileCache::Tile>& keep);

    // True for the pictures held whole in memory (FromRows, ForWholeFile).
    bool HoldsWhole() const { return holdsWhole; }
    // The rows of a picture held whole: at once when decoded; otherwise a
    // waiting caller decodes them on the spot, and any other gets null and
    // a request for the workers (tilesReady follows). Null for the others
    // and once the file failed.
    std::shared_ptr<const uint8_t[]> Whole(bool wait, bool background = false);
    // Whole(true), for callers that only look.
    const uint8_t* MemoryRows() { return Whole(true).get(); }

private:
    ImageSource() = default;
    // The alive source of the same file and kind, or a new one registered.
    static std::shared_ptr<ImageSource> Registered(const QString& fileName, bool whole,
                                                   imagekind::Kind kind, uint32_t width,
                                                   uint32_t height, bool progressive,
                                                   int64_t pixelLimit);
    void RunQueued(int level, int band);
    void RequestWhole(bool background);
    void RunWhole();
    // Decodes the whole file if nobody has; call with decodeMutex held.
    void DecodeWholeLocked();

    QString path;
    uint32_t width = 0;
    uint32_t height = 0;
    bool progressive = false;
    uint64_t id = 0;
    std::atomic<bool> failed{false};
    bool holdsWhole = false;
    imagekind::Kind wholeKind = imagekind::Kind::Unknown;
    int64_t pixelLimit = 0;
    std::mutex decodeMutex;          // one whole decode at a time
    mutable std::mutex memoryMutex;  // guards memory
    std::shared_ptr<const uint8_t[]> memory;
};

// The rows of one picture at one level for one drawing pass, fetched band by
// band as the pass walks down the picture. Waiting readers decode what is
// missing on the spot (printing, export, the command-line tool); the others
// ask the workers and return null for rows not there yet (the view, which
// paints again when they arrive).
class BandReader {
public:
    BandReader(ImageSource& source, int level, bool wait, int lastRow, bool background = false);
    // Row y (top row 0) of the picture at the reader's level, width*3 bytes,
    // or null when not decoded yet (never for a waiting reader, unless the
    // file failed).
    const uint8_t* Row(int y);
    // False once any row was missing.
    bool Complete() const { return complete; }

private:
    TileCache::Tile Fetch(int band);
    // Row y at the reader's level of a picture held whole in memory.
    const uint8_t* Reduced(const uint8_t* memory, int y);

    ImageSource& source;
    int level;
    bool wait;
    bool background;
    int lastBand;
    int bandRows;
    size_t rowBytes;
    bool complete = true;
    int currentBand = -1;
    TileCache::Tile current;
    int runFirst = -1;
    std::vector<TileCache::Tile> run;
    std::vector<uint8_t> reduced;
    int reducedY = -1;  // the row reduced holds
    std::shared_ptr<const uint8_t[]> whole;
    bool askedWhole = false;
};
