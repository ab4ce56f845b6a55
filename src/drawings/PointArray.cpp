// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PointArray.h"

#include <algorithm>
#include <cstdint>

#include "framework/Archive.h"

void WritePoints(CArchive& ar, const std::vector<QPoint>& points) {
    ar.WriteCount(static_cast<uint32_t>(points.size()));
    constexpr size_t kBlock = 4096;
    uint8_t block[kBlock * 8];
    for (size_t done = 0; done < points.size() && !ar.Failed();) {
        const size_t take = std::min(kBlock, points.size() - done);
        uint8_t* out = block;
        for (size_t i = 0; i < take; ++i) {
            const auto x = static_cast<uint32_t>(points[done + i].x());
            const auto y = static_cast<uint32_t>(points[done + i].y());
            *out++ = uint8_t(x);
            *out++ = uint8_t(x >> 8);
            *out++ = uint8_t(x >> 16);
            *out++ = uint8_t(x >> 24);
            *out++ = uint8_t(y);
            *out++ = uint8_t(y >> 8);
            *out++ = uint8_t(y >> 16);
            *out++ = uint8_t(y >> 24);
        }
        ar.WriteBytes(block, int64_t(take) * 8);
        done += take;
    }
}
