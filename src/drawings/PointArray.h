// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <vector>

class CArchive;

// Writes a point array exactly as CArchive::WritePointArray does (a count,
// then x, y pairs), but encodes the points in blocks: strokes run to
// millions of points, and one archive call per coordinate made saving
// several times slower than copying the file.
void WritePoints(CArchive& ar, const std::vector<QPoint>& points);
