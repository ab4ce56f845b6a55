// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

namespace fnm {
// fnm gps-log --source gpsd|SERIALPORT --seconds N [--address HOST:PORT]
// [--baud RATE] OUT.gpx: records a track for N seconds and writes it as a
// GPX track. Fails (2) when the source could not be reached at all.
int GpsLog(const Invocation& inv);
}  // namespace fnm
