// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <compare>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>

// Decoded pieces of map pictures, kept within a byte budget and dropped
// least recently used first, and the worker threads that decode them. A
// piece is a band of whole rows of one picture at one reduction level.
// Everything here may be called from any thread; the signal tilesReady is
// delivered to the thread of the receiver.
class TileCache : public QObject {
    Q_OBJECT
public:
    static constexpr int64_t kDefaultBudgetBytes = int64_t(512) << 20;

    struct Key {
        uint64_t source = 0;  // the picture (ImageSource::Id)
        int level = 1;        // 1, 2, 4 or 8: the picture reduced that many times
        int band = 0;
        friend auto operator<=>(const Key&, const Key&) = default;
    };
    // Rows of a band, top row first, width*3 bytes each, B G R.
    struct Tile {
        std::shared_ptr<const uint8_t[]> rows;
        int count = 0;
        int64_t bytes = 0;
        explicit operator bool() const { return rows != nullptr; }
    };

    static TileCache& Instance();

    // The tile, moved to the front of the least-recently-used order, or an
    // empty one.
    Tile Find(const Key& key);
    bool Contains(const Key& key) const;
    // Keeps tile under key and drops the least recently used tiles beyond
    // the budget (a caller holding a tile keeps its rows alive regardless).
    void Insert(const Key& key, Tile tile);
    // Forgets every tile and request of one picture.
    void Drop(uint64_t source);
    void Clear();

    void SetBudget(int64_t bytes);
    int64_t Budget() const;
    int64_t Bytes() const;

    // Asynchronous decoding. Request queues work unless the same key is
    // already cached or queued; the newest requests run first, and a request
    // nobody renewed for a while is dropped when its turn comes (the view
    // has scrolled on). work runs on a worker thread and must end every key
    // it was given with Finished.
    bool Request(const Key& key, bool background, std::function<void()> work);
    // True while key is queued or being decoded: renewing it keeps it fresh.
    bool Pending(const Key& key) const;
    // Claims key for the caller's decoding run: false when it was dropped
    // as stale or is no longer wanted.
    bool Claim(const Key& key);
    void Finished(const Key& key);
    // Forgets the requests of one picture whose decoding failed.
    void FinishedAll(uint64_t source);
    // Number of keys queued or in decoding.
    int PendingCount() const;
    // Requests made so far, for showing progress: those ended are
    // RequestsMade() - PendingCount().
    uint64_t RequestsMade() const;

    // The user stopped the decoding: what is queued is dropped, what is
    // being decoded stops, and no request is taken until Resume (the user
    // moved the view, or opened a location).
    void CancelAll();
    void Resume();
    bool Held() const;
    // Changes with every CancelAll: a run that began under another
    // generation has been cancelled.
    uint64_t Generation() const { return generation.load(std::memory_order_acquire); }
    // The number of pictures decoded at once.
    int Workers() const { return pool.maxThreadCount(); }
    // Blocks until the worker threads are idle (tests and benchmarks).
    void WaitForWorkers();

signals:
    // Some tiles were decoded (or given up): paint again.
    void tilesReady();

private:
    TileCache();
    void EvictLocked();

    using Order = std::list<Key>;
    struct Entry {
        Tile tile;
        Order::iterator place;
    };
    mutable std::mutex mutex;
    std::map<Key, Entry> tiles;
    Order order;  // most recently used first
    std::map<Key, std::chrono::steady_clock::time_point> pending;
    int64_t budget = kDefaultBudgetBytes;
    int64_t bytes = 0;
    int nextPriority = 0;
    uint64_t made = 0;
    bool held = false;
    std::atomic<uint64_t> generation{0};
    QThreadPool pool;
};
