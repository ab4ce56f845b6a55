// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Commands.h"

// GPX to and from a location file.
namespace fnm {

// fnm export-gpx FILE OUT.gpx
int ExportGpx(const Invocation& inv);
// fnm import-gpx FILE IN.gpx OUT.fnm: prints the added and skipped counts.
// Writes nothing when IN.gpx cannot be read or is not GPX.
int ImportGpx(const Invocation& inv);

}  // namespace fnm
