// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

#include "framework/RectL.h"

// Readable placements in failure messages.
inline void PrintTo(const RectL& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace mwtest {

// A Mille Lacs tile ("millelacs-west.jpg" or "millelacs-east.jpg"), copied
// into dir so tests may write beside it.
QString SampleImage(const QTemporaryDir& dir, const QString& name);

// A plain BMP of the given size and colour, written into dir.
QString MakeBitmap(const QTemporaryDir& dir, const QString& name, QSize size,
                   unsigned rgb = 0x3366AA);

// The result of "fnm info --json path"; empty when the tool failed.
QJsonObject FnmInfo(const QString& path, QString* error = nullptr);

}  // namespace mwtest
