// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "gps/GpsFix.h"

// A pseudo-terminal that plays NMEA into a serial source: the source opens
// Path() (a link that can be pointed at a new terminal, as a receiver
// plugged in again), the test writes into the other end without blocking.
class NmeaPlayer {
public:
    explicit NmeaPlayer(const QString& linkPath);
    ~NmeaPlayer();
    bool Ok() const { return master >= 0; }
    QString Path() const { return link; }
    // Queues bytes; Pump writes what the terminal takes now.
    void Queue(const QByteArray& bytes) { pending += bytes; }
    bool Pump();  // true once everything queued is written
    // Closes the terminal: the receiver is unplugged.
    void Unplug();
    // A fresh terminal behind the same path.
    bool PlugIn();

private:
    QString link;
    int master = -1;
    int slave = -1;
    QByteArray pending;
};

// The sample lake's loop: the log's bytes and the fixes it holds.
QByteArray LoopLog();
std::vector<GpsFix> LoopFixes();
// An NMEA sentence with its checksum and line end.
QByteArray Sentence(const QByteArray& body);
// GGA and RMC sentences for one fix.
QByteArray FixSentences(const GpsFix& fix);
