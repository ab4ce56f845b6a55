// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImageSource.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <map>

#include "imaging/JpegFile.h"

namespace {

// A band holds about this much, so one is quick to decode and a screenful
// needs only a few.
constexpr int64_t kBandBytes = int64_t(4) << 20;
// libjpeg works in groups of up to 16 rows.
constexpr int kRowGroup = 16;
// A waiting reader decodes at most this much in one pass before handing
// the rows over; a poster print never holds its whole map at once.
constexpr int64_t kRunBytes = int64_t(64) << 20;
// A progressive file is read in full for any band, so one request decodes
// the bands after it too, up to this much.
constexpr int64_t kProgressiveRunBytes = int64_t(128) << 20;

std::atomic<uint64_t> nextId{1};

std::mutex registryMutex;
std::map<QString, std::weak_ptr<ImageSource>>& registry() {
    static auto* sources = new std::map<QString, std::weak_ptr<ImageSource>>;
    return *sources;
}

QString identity(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical) + QChar(0) +
           QString::number(info.size()) + QChar(0) +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

struct RunSink {
    ImageSource* source;
    int level;
    int first;
    int last;
    std::vector<TileCache::Tile>* keep;  // waiting readers
    bool queued;                         // a worker's run: keys to finish
    bool progressive;
    int64_t budgetLeft;
    uint64_t generation = 0;  // a worker's run: the cache's when it began
};

// A worker's run ends as soon as the user cancels the decoding.
bool cancelled(void* context) {
    const auto& run = *static_cast<const RunSink*>(context);
    return run.queued && TileCache::Instance().Generation() != run.generation;
}

bool takeBand(void* context, int band, int rows, uint8_t* pixels) {
    auto& run = *static_cast<RunSink*>(context);
    TileCache& cache = TileCache::Instance();
    TileCache::Tile tile;
    tile.rows = std::shared_ptr<const uint8_t[]>(pixels, JpegFile::FreeBand);
    tile.count = rows;
    tile.bytes = int64_t(rows) * run.source->Width(run.level) * 3;
    const TileCache::Key key{run.source->Id(), run.level, band};
    cache.Insert(key, tile);
    if (run.keep) run.keep->push_back(tile);
    if (run.queued) cache.Finished(key);
    run.budgetLeft -= tile.bytes;
    if (band >= run.last) return false;
    const TileCache::Key next{run.source->Id(), run.level, band + 1};
    // A worker goes on through the bands that were asked for meanwhile (the
    // decoder is already there: no rows to skip again).
    if (!run.queued) return true;
    if (run.budgetLeft <= 0 || cancelled(context)) return false;
    // A progressive file costs a whole read for any band: take the bands
    // after it while here, asked for or not.
    if (run.progressive && !cache.Contains(next)) return true;
    return cache.Claim(next);
}

}  // namespace

std::shared_ptr<ImageSource> ImageSource::Registered(const QString& fileName, bool whole,
                                                     imagekind::Kind kind, uint32_t width,
                                                     uint32_t height, bool progressive,
                                                     int64_t pixelLimit) {
    const QString key = identity(fileName);
    std::lock_guard lock(registryMutex);
    auto& sources = registry();
    if (auto it = sources.find(key); it != sources.end()) {
        if (auto alive = it->second.lock();
            alive && alive->holdsWhole == whole && alive->wholeKind == kind)
            return alive;
        sources.erase(it);
    }
    std::shared_ptr<ImageSource> made(new ImageSource);
    made->path = fileName;
    made->width = width;
    made->height = height;
    made->progressive = progressive;
    made->holdsWhole = whole;
    made->wholeKind = kind;
    made->pixelLimit = pixelLimit;
    made->id = nextId.fetch_add(1);
    sources.emplace(key, made);
    return made;
}

std::shared_ptr<ImageSource> ImageSource::ForFile(const QString& fileName, uint32_t width,
                                                  uint32_t height, bool progressive) {
    return Registered(fileName, false, imagekind::Kind::Unknown, width, height, progressive, 0);
}

std::shared_ptr<ImageSource> ImageSource::ForWholeFile(const QString& fileName,
                                                       imagekind::Kind kind, uint32_t width,
                                                       uint32_t height, int64_t pixelLimit) {
    return Registered(fileName, true, kind, width, height, false, pixelLimit);
}

std::shared_ptr<ImageSource> ImageSource::FromRows(std::shared_ptr<const uint8_t[]> rows,
                                                   uint32_t width, uint32_t height) {
    std::shared_ptr<ImageSource> made(new ImageSource);
    made->width = width;
    made->height = height;
    made->memory = std::move(rows);
    made->holdsWhole = true;
    made->id = nextId.fetch_add(1);
    return made;
}

ImageSource::~ImageSource() {
    TileCache::Instance().Drop(id);
    if (path.isEmpty()) return;
    std::lock_guard lock(registryMutex);
    auto& sources = registry();
    for (auto it = sources.begin(); it != sources.end(); ++it) {
        if (it->second.expired()) {
            sources.erase(it);
            break;
        }
    }
}

uint32_t ImageSource::Width(int level) const {
    return JpegFile::ScaledSize(width, level);
}

uint32_t ImageSource::Height(int level) const {
    return JpegFile::ScaledSize(height, level);
}

int ImageSource::BandRows(int level) const {
    const int64_t rowBytes = std::max<int64_t>(int64_t(Width(level)) * 3, 1);
    const int64_t rows = std::max<int64_t>(kBandBytes / rowBytes / kRowGroup, 1) * kRowGroup;
    return int(std::min<int64_t>(rows, std::max<int64_t>(Height(level), 1)));
}

int ImageSource::Bands(int level) const {
    const int rows = BandRows(level);
    return int((int64_t(Height(level)) + rows - 1) / rows);
}

int64_t ImageSource::BandBytes(int level) const {
    return int64_t(BandRows(level)) * Width(level) * 3;
}

void ImageSource::RequestBand(int level, int band, bool background) {
    if (Failed()) return;
    if (holdsWhole) {
        Whole(false, background);
        return;
    }
    std::weak_ptr<ImageSource> weak = weak_from_this();
    TileCache::Instance().Request(TileCache::Key{id, level, band}, background, [weak, level, band] {
        // A picture closed meanwhile has nothing left to decode.
        if (auto self = weak.lock()) self->RunQueued(level, band);
    });
}

void ImageSource::RunQueued(int level, int band) {
    TileCache& cache = TileCache::Instance();
    const TileCache::Key key{id, level, band};
    // Dropped as stale, or decoded meanwhile by someone who could not wait.
    if (!cache.Claim(key)) {
        cache.Finished(key);
        return;
    }
    RunSink run{this,
                level,
                band,
                Bands(level) - 1,
                nullptr,
                true,
                progressive,
                progressive ? kProgressiveRunBytes : kRunBytes,
                cache.Generation()};
    switch (JpegFile::DecodeBands(path, level, band, BandRows(level), takeBand, &run, cancelled)) {
        case JpegFile::BandsOutcome::Done:
            break;
        case JpegFile::BandsOutcome::Stopped:
            // Not a fault of the picture: it decodes again when asked again.
            cache.FinishedAll(id);
            break;
        case JpegFile::BandsOutcome::Failed:
            failed.store(true, std::memory_order_release);
            cache.FinishedAll(id);
            break;
    }
}

std::shared_ptr<const uint8_t[]> ImageSource::Whole(bool wait, bool background) {
    if (!holdsWhole) return {};
    {
        std::lock_guard lock(memoryMutex);
        if (memory) return memory;
    }
    if (Failed()) return {};
    if (!wait) {
        RequestWhole(background);
        return {};
    }
    std::lock_guard decoding(decodeMutex);
    DecodeWholeLocked();
    std::lock_guard lock(memoryMutex);
    return memory;
}

void ImageSource::RequestWhole(bool background) {
    std::weak_ptr<ImageSource> weak = weak_from_this();
    TileCache::Instance().Request(TileCache::Key{id, 1, 0}, background, [weak] {
        if (auto self = weak.lock()) self->RunWhole();
    });
}

void ImageSource::RunWhole() {
    TileCache& cache = TileCache::Instance();
    const TileCache::Key key{id, 1, 0};
    if (cache.Claim(key)) {
        std::lock_guard decoding(decodeMutex);
        DecodeWholeLocked();
    }
    cache.Finished(key);
}

void ImageSource::DecodeWholeLocked() {
    {
        std::lock_guard lock(memoryMutex);
        if (memory) return;
    }
    if (Failed()) return;
    int32_t w = 0;
    int32_t h = 0;
    std::unique_ptr<uint8_t[]> rows =
        imagekind::DecodeBgrBottomUp(path, wholeKind, pixelLimit, w, h);
    // A file changed since its header was read is as good as damaged: the
    // map is placed by the size the header gave.
    if (!rows || uint32_t(w) != width || uint32_t(h) != height) {
        failed.store(true, std::memory_order_release);
        return;
    }
    // Kept top row first, as the JPEG bands are.
    JpegFile::FlipRows(rows.get(), w * 3, h);
    std::lock_guard lock(memoryMutex);
    memory = std::shared_ptr<const uint8_t[]>(std::move(rows));
}

bool ImageSource::DecodeRun(int level, int first, int last, std::vector<TileCache::Tile>& keep) {
    if (holdsWhole) return bool(Whole(true));
    if (Failed()) return false;
    RunSink run{this, level, first, last, &keep, false, progressive, kRunBytes};
    if (JpegFile::DecodeBands(path, level, first, BandRows(level), takeBand, &run) !=
        JpegFile::BandsOutcome::Done) {
        failed.store(true, std::memory_order_release);
        TileCache::Instance().FinishedAll(id);
        return false;
    }
    return true;
}

BandReader::BandReader(ImageSource& source, int level, bool wait, int lastRow, bool background)
    : source(source),
      level(level),
      wait(wait),
      background(background),
      bandRows(source.BandRows(level)),
      rowBytes(size_t(source.Width(level)) * 3) {
    lastBand = std::clamp(lastRow / std::max(bandRows, 1), 0, std::max(source.Bands(level) - 1, 0));
}

const uint8_t* BandReader::Row(int y) {
    if (source.HoldsWhole()) {
        if (!whole && !askedWhole) {
            askedWhole = true;
            whole = source.Whole(wait, background);
        }
        if (!whole) {
            complete = false;
            return nullptr;
        }
        if (level == 1) return whole.get() + size_t(y) * rowBytes;
        return Reduced(whole.get(), y);
    }
    const int band = y / bandRows;
    if (band != currentBand) {
        current = Fetch(band);
        currentBand = band;
    }
    if (!current) {
        complete = false;
        return nullptr;
    }
    const int inBand = y - band * bandRows;
    if (inBand >= current.count) return nullptr;
    return current.rows.get() + size_t(inBand) * rowBytes;
}

const uint8_t* BandReader::Reduced(const uint8_t* memory, int y) {
    // A stretched draw asks for the same row again for every screen row it covers.
    if (y == reducedY) return reduced.data();
    reducedY = y;
    // Each pixel the mean of the level x level block it stands for (cut
    // short at the right and bottom edges), as a reduced decode gives.
    const int fullWidth = int(source.Width(1));
    const int fullHeight = int(source.Height(1));
    const int top = std::min(y * level, fullHeight - 1);
    const int bottom = std::min(top + level, fullHeight);
    const size_t fullRowBytes = size_t(fullWidth) * 3;
    const int w = int(source.Width(level));
    reduced.assign(size_t(w) * 3, 0);
    for (int x = 0; x < w; ++x) {
        const int left = x * level;
        const int right = std::min(left + level, fullWidth);
        uint32_t sum[3] = {0, 0, 0};
        for (int sy = top; sy < bottom; ++sy) {
            const uint8_t* px = memory + size_t(sy) * fullRowBytes + size_t(left) * 3;
            for (int sx = left; sx < right; ++sx, px += 3) {
                sum[0] += px[0];
                sum[1] += px[1];
                sum[2] += px[2];
            }
        }
        const uint32_t n = uint32_t((bottom - top) * (right - left));
        for (int c = 0; c < 3; ++c)
            reduced[size_t(x) * 3 + size_t(c)] = uint8_t((sum[c] + n / 2) / n);
    }
    return reduced.data();
}

TileCache::Tile BandReader::Fetch(int band) {
    TileCache& cache = TileCache::Instance();
    if (runFirst >= 0 && band >= runFirst && band < runFirst + int(run.size()))
        return run[size_t(band - runFirst)];
    if (TileCache::Tile tile = cache.Find(TileCache::Key{source.Id(), level, band})) return tile;
    if (source.Failed()) return {};
    if (!wait) {
        source.RequestBand(level, band, background);
        return {};
    }
    // Decode from here on as far as this pass needs, in passes of bounded
    // size, dropping the previous pass's rows.
    run.clear();
    // Each pass after the first skips the rows above it again, so passes
    // are as long as half the cache allows.
    const int64_t runBytes = std::max(kRunBytes, cache.Budget() / 2);
    const int most =
        int(std::max<int64_t>(runBytes / std::max<int64_t>(source.BandBytes(level), 1), 1));
    const int last = std::min(lastBand, band + most - 1);
    runFirst = band;
    if (!source.DecodeRun(level, band, std::max(last, band), run) || run.empty()) {
        run.clear();
        runFirst = -1;
        return {};
    }
    return run.front();
}
