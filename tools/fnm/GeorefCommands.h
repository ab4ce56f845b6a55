// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "Commands.h"

class CTarnLocation;

namespace fnm {

// What georeference a location read from an image file carries, as lines
// for info's summary: empty for a location file.
std::string GeoreferenceSummary(const CTarnLocation& location, const QString& file);

int Calibrate(const Invocation& inv);

}  // namespace fnm
