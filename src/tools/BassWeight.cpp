// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/BassWeight.h"

#include <cstdio>

double BassWeight(double length, double girth) {
    // length² × girth / 1200, written as a product so results match the
    // figures anglers already have on record.
    return length * length * girth * 0.0008333333333333334;
}

QString BassWeightText(double length, double girth) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", BassWeight(length, girth));
    return QString::fromLatin1(buf);
}
