// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

class CTarnLocation;

// What `fnm info` prints about a location: one JSON object with every
// stored field, or a short summary for people.
std::string LocationJson(const CTarnLocation& location);
std::string LocationSummary(const CTarnLocation& location, const QString& fileName);
