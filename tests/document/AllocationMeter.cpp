// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationMeter.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)

namespace allocmeter {
bool Enabled() {
    return false;
}
int64_t Current() {
    return 0;
}
int64_t Peak() {
    return 0;
}
void ResetPeak() {}
}  // namespace allocmeter

#else

// glibc lets a program replace the allocator by defining these; each one
// hands on to glibc's own and keeps the count.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {
std::atomic<int64_t> current{0};
std::atomic<int64_t> peak{0};

void Added(void* p) {
    if (!p) return;
    const int64_t now = current += int64_t(malloc_usable_size(p));
    int64_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void Removing(void* p) {
    if (p) current -= int64_t(malloc_usable_size(p));
}
}  // namespace

extern "C" {
void* malloc(size_t n) {
    void* p = __libc_malloc(n);
    Added(p);
    return p;
}
void* calloc(size_t n, size_t size) {
    void* p = __libc_calloc(n, size);
    Added(p);
    return p;
}
void* realloc(void* old, size_t n) {
    Removing(old);
    void* p = __libc_realloc(old, n);
    if (p)
        Added(p);
    else if (old && n != 0)
        Added(old);  // the old block survives a failed realloc
    return p;
}
void free(void* p) {
    Removing(p);
    __libc_free(p);
}
void* memalign(size_t alignment, size_t n) {
    void* p = __libc_memalign(alignment, n);
    Added(p);
    return p;
}
void* aligned_alloc(size_t alignment, size_t n) {
    return memalign(alignment, n);
}
int posix_memalign(void** out, size_t alignment, size_t n) {
    void* p = memalign(alignment, n);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
}

namespace allocmeter {
bool Enabled() {
    return true;
}
int64_t Current() {
    return current.load();
}
int64_t Peak() {
    return peak.load();
}
void ResetPeak() {
    peak.store(current.load());
}
}  // namespace allocmeter

#endif
