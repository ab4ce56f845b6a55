// SPDX-License-Identifier: GPL-3.0-or-later
#include "georef/WorldFile.h"

#include <QByteArray>
#include <QList>
#include <cmath>

namespace georef {

bool IsUsable(const Affine& t) {
    for (double v : t)
        if (!std::isfinite(v)) return false;
    const double det = t[1] * t[5] - t[2] * t[4];
    return std::isfinite(det) && det != 0.0;
}

WorldFile ParseWorldFile(QByteArrayView bytes) {
    WorldFile out;
    if (bytes.size() > kMaxSidecarBytes) {
        out.problem = "the world file is too large to be one";
        return out;
    }
    QList<double> numbers;
    const QList<QByteArray> lines = QByteArray(bytes.data(), bytes.size()).split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.trimmed().toLower();
        if (line.isEmpty()) continue;
        bool ok = false;
        const double v = line.toDouble(&ok);
        if (!ok) {
            out.problem = "the world file holds something that is not a number";
            return out;
        }
        if (!std::isfinite(v)) {
            out.problem = "the world file holds a value that is not a finite number";
            return out;
        }
        numbers << v;
        if (numbers.size() > 6) {
            out.problem = "the world file holds more than six numbers";
            return out;
        }
    }
    if (numbers.size() < 6) {
        out.problem = "the world file holds fewer than six numbers";
        return out;
    }
    const double a = numbers[0], d = numbers[1], b = numbers[2], e = numbers[3];
    const double c = numbers[4], f = numbers[5];
    // The file names the centre of the top-left pixel; the transform starts
    // at its corner.
    out.transform = {c - 0.5 * a - 0.5 * b, a, b, f - 0.5 * d - 0.5 * e, d, e};
    if (!IsUsable(out.transform)) {
        out.problem = "the world file gives a pixel no size (a scale of zero)";
        return out;
    }
    out.ok = true;
    return out;
}

}  // namespace georef
