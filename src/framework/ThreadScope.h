// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks a stretch of work on the current thread (one file being read, say):
// while at least one ThreadScope<Tag> is alive, Active() is true, and when the
// outermost one ends Tag::Ended() runs, where whatever was remembered for
// that stretch is dropped. Scopes nest; other threads are not affected.
template <typename Tag>
class ThreadScope {
public:
    ThreadScope() { ++depth; }
    ~ThreadScope() {
        if (--depth == 0) Tag::Ended();
    }
    ThreadScope(const ThreadScope&) = delete;
    ThreadScope& operator=(const ThreadScope&) = delete;

    static bool Active() { return depth > 0; }

private:
    static inline thread_local int depth = 0;
};
