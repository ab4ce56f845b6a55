// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolCommands.h"

#include <QDate>
#include <cstdio>

#include "tools/BassWeight.h"
#include "tools/SunTimes.h"

namespace fnm {

int Sun(const Invocation& inv) {
    const std::optional<QString> latText = inv.Value("--lat");
    const std::optional<QString> lonText = inv.Value("--lon");
    const std::optional<QString> dateText = inv.Value("--date");
    if (!inv.operands.isEmpty() || !latText || !lonText || !dateText) return UsageError(inv);
    double lat = 0, lon = 0;
    // North and west positive, as the location's calibration holds them.
    if (!ParseNumber(inv, *latText, "--lat", -90, 90, lat) ||
        !ParseNumber(inv, *lonText, "--lon", -180, 180, lon))
        return UsageError(inv);
    const QDate date = QDate::fromString(*dateText, Qt::ISODate);
    if (!date.isValid()) return UsageError(inv);
    auto text = [](const std::optional<QDateTime>& t) {
        QString s = SunTimeText(t);
        return s.isEmpty() ? QString("--:--") : s;
    };
    std::printf("%s %s\n", qPrintable(text(SunriseTime(lat, lon, date))),
                qPrintable(text(SunsetTime(lat, lon, date))));
    return kSuccess;
}

int Bass(const Invocation& inv) {
    if (inv.operands.size() != 2) return UsageError(inv);
    double length = 0, girth = 0;
    if (!ParseNumber(inv, inv.operands[0], "LENGTH", 0, kMaxBassInches, length) ||
        !ParseNumber(inv, inv.operands[1], "GIRTH", 0, kMaxBassInches, girth))
        return UsageError(inv);
    std::printf("%s\n", qPrintable(BassWeightText(length, girth)));
    return kSuccess;
}

}  // namespace fnm
