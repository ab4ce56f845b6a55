// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDate>
#include <functional>
#include <optional>

#include "gps/GpsFix.h"

// NMEA 0183 from a serial receiver, fed in pieces as they arrive. Only
// sentences with a correct checksum count; anything else (noise while a
// cable is plugged in, a line cut short, a binary protocol) is skipped and
// counted. A fix is reported for every RMC sentence, with the altitude and
// quality of the GGA sentence of the same second when there was one, and
// for a GGA sentence whose second has no RMC (receivers set to GGA only).
class CNmeaParser {
public:
    // A line longer than this is not NMEA; it is dropped as garbage.
    static constexpr int kMaxLine = 200;

    std::function<void(const GpsFix&)> onFix;

    void Feed(const QByteArray& bytes);
    // What the stream held so far.
    int Sentences() const { return sentences; }
    int Rejected() const { return rejected; }
    // True once a sentence said the receiver has no fix (RMC status V, GGA
    // quality 0), until the next fix.
    bool WithoutFix() const { return withoutFix; }

    // One line without its end; false when it is not a sentence we trust.
    bool ParseLine(const QByteArray& line);
    static bool ChecksumOk(const QByteArray& line);

private:
    void Emit(GpsFix& fix);
    void FlushPendingGga();

    QByteArray partial;
    bool discarding = false;
    int sentences = 0;
    int rejected = 0;
    bool withoutFix = false;
    QDate lastDate;
    std::optional<GpsFix> pendingGga;  // a GGA waiting for the RMC of its second
    QTime lastRmcTime;
};
