// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Estimated weight in pounds of a bass from its length and girth in inches.
double BassWeight(double length, double girth);
// The estimate with two decimals, e.g. "2.25".
QString BassWeightText(double length, double girth);
