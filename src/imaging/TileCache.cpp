// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/TileCache.h"

#include <QThread>
#include <algorithm>

#include "imaging/JpegFile.h"

namespace {

// A request not renewed by a paint for this long belongs to a part of the
// map that has scrolled away.
constexpr auto kStaleAfter = std::chrono::seconds(2);

}  // namespace

TileCache& TileCache::Instance() {
    // Never destroyed: workers may still be finishing while the program
    // exits, and they must find the cache in place.
    static TileCache* cache = new TileCache;
    return *cache;
}

TileCache::TileCache() {
    // One worker per core, and never fewer than two, so that a slow picture
    // does not hold up every other.
    pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
    pool.setExpiryTimeout(10'000);
}

TileCache::Tile TileCache::Find(const Key& key) {
    std::lock_guard lock(mutex);
    auto it = tiles.find(key);
    if (it == tiles.end()) return {};
    order.splice(order.begin(), order, it->second.place);
    return it->second.tile;
}

bool TileCache::Contains(const Key& key) const {
    std::lock_guard lock(mutex);
    return tiles.count(key) != 0;
}

void TileCache::Insert(const Key& key, Tile tile) {
    if (!tile) return;
    std::lock_guard lock(mutex);
    auto it = tiles.find(key);
    if (it != tiles.end()) {
        bytes -= it->second.tile.bytes;
        order.erase(it->second.place);
        tiles.erase(it);
    }
    order.push_front(key);
    bytes += tile.bytes;
    tiles.emplace(key, Entry{std::move(tile), order.begin()});
    EvictLocked();
}

void TileCache::EvictLocked() {
    // The newest tile always stays, however large: it is being drawn.
    while (bytes > budget && order.size() > 1) {
        const Key oldest = order.back();
        order.pop_back();
        auto it = tiles.find(oldest);
        bytes -= it->second.tile.bytes;
        tiles.erase(it);
    }
}

void TileCache::Drop(uint64_t source) {
    std::lock_guard lock(mutex);
    for (auto it = tiles.lower_bound(Key{source, 0, 0});
         it != tiles.end() && it->first.source == source;) {
        bytes -= it->second.tile.bytes;
        order.erase(it->second.place);
        it = tiles.erase(it);
    }
    for (auto it = pending.lower_bound(Key{source, 0, 0});
         it != pending.end() && it->first.source == source;)
        it = pending.erase(it);
}

void TileCache::Clear() {
    std::lock_guard lock(mutex);
    tiles.clear();
    order.clear();
    bytes = 0;
}

void TileCache::SetBudget(int64_t newBudget) {
    std::lock_guard lock(mutex);
    budget = std::max<int64_t>(newBudget, 0);
    // The decoder's own working memory comes out of the same allowance.
    JpegFile::SetLibraryMemoryLimit(
        long(std::min<int64_t>(budget / 2, JpegFile::kMaxLibraryMemory)));
    EvictLocked();
}

int64_t TileCache::Budget() const {
    std::lock_guard lock(mutex);
    return budget;
}

int64_t TileCache::Bytes() const {
    std::lock_guard lock(mutex);
    return bytes;
}

bool TileCache::Request(const Key& key, bool background, std::function<void()> work) {
    int priority = 0;
    {
        std::lock_guard lock(mutex);
        if (held || tiles.count(key)) return false;
        auto [it, fresh] = pending.insert_or_assign(key, std::chrono::steady_clock::now());
        if (!fresh) return false;
        ++made;
        // Newest first: what the user looks at now matters more than what
        // was on screen a moment ago. Background work (reduced pictures)
        // waits for everything on screen.
        priority = ++nextPriority;
        if (nextPriority > (1 << 29)) nextPriority = 0;
        if (background) priority -= 1 << 30;
    }
    pool.start(std::move(work), priority);
    return true;
}

bool TileCache::Pending(const Key& key) const {
    std::lock_guard lock(mutex);
    return pending.count(key) != 0;
}

bool TileCache::Claim(const Key& key) {
    std::lock_guard lock(mutex);
    auto it = pending.find(key);
    if (it == pending.end()) return false;
    if (tiles.count(key) || std::chrono::steady_clock::now() - it->second > kStaleAfter) {
        pending.erase(it);
        return false;
    }
    return true;
}

void TileCache::Finished(const Key& key) {
    {
        std::lock_guard lock(mutex);
        pending.erase(key);
    }
    emit tilesReady();
}

void TileCache::FinishedAll(uint64_t source) {
    {
        std::lock_guard lock(mutex);
        for (auto it = pending.lower_bound(Key{source, 0, 0});
             it != pending.end() && it->first.source == source;)
            it = pending.erase(it);
    }
    emit tilesReady();
}

int TileCache::PendingCount() const {
    std::lock_guard lock(mutex);
    return int(pending.size());
}

void TileCache::WaitForWorkers() {
    pool.waitForDone();
}

uint64_t TileCache::RequestsMade() const {
    std::lock_guard lock(mutex);
    return made;
}

void TileCache::CancelAll() {
    {
        std::lock_guard lock(mutex);
        pending.clear();
        held = true;
        generation.fetch_add(1, std::memory_order_acq_rel);
    }
    emit tilesReady();
}

void TileCache::Resume() {
    std::lock_guard lock(mutex);
    held = false;
}

bool TileCache::Held() const {
    std::lock_guard lock(mutex);
    return held;
}
