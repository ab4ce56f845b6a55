// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Locations with every kind of content, and ways to write and compare them,
// shared by the document tests.

#include <QByteArray>
#include <QString>

#include "document/TarnLocation.h"
#include "framework/Archive.h"

namespace fixtures {

// Writes the images a rich location names (west.bmp 40 x 30, east.jpg
// 40 x 30) into folder.
void WriteRichImages(const QString& folder);

// Every block filled: two map entries named by bare file name, two user info
// points, three strokes, two lines, two shapes, three map points, and
// non-default calibration, flags, pens and zoom.
void FillRich(CTarnLocation& location);

QByteArray Store(CTarnLocation& location);
// Reads bytes into a Reset location; images are looked up in folder.
CArchive::Error Load(const QByteArray& bytes, CTarnLocation& location,
                     const QString& folder = QString());

// Every stored field of both locations is equal (images are not compared).
void ExpectSameContent(const CTarnLocation& a, const CTarnLocation& b);

// The location written as a file and read back gives the same bytes again.
void ExpectRoundTrip(CTarnLocation& location);

// How many stored elements a location holds, all lists together.
size_t ElementCount(const CTarnLocation& location);

}  // namespace fixtures
