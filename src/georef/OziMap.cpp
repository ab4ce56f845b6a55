// SPDX-License-Identifier: GPL-3.0-or-later
#include "georef/OziMap.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <cmath>

namespace georef {
namespace {

QList<QByteArray> Fields(const QByteArray& line) {
    QList<QByteArray> fields = line.split(',');
    for (QByteArray& f : fields) f = f.trimmed();
    return fields;
}

bool Number(const QByteArray& text, double& out) {
    bool ok = false;
    out = text.toDouble(&ok);
    return ok && std::isfinite(out);
}

// "46", "25.8", "N" -> 46.43; false for empty or bad fields.
bool Angle(const QByteArray& deg, const QByteArray& min, const QByteArray& hemi, char negative,
           double limit, double& out) {
    double d = 0, m = 0;
    if (!Number(deg, d) || !Number(min, m)) return false;
    if (d < 0 || m < 0 || m >= 60) return false;
    out = d + m / 60.0;
    if (out > limit) return false;
    if (hemi.size() == 1 && std::toupper(hemi[0]) == negative)
        out = -out;
    else if (!(hemi.size() == 1 && std::toupper(hemi[0]) == (negative == 'S' ? 'N' : 'E')))
        return false;
    return true;
}

bool PixelValue(const QByteArray& text, double& out) {
    return Number(text, out) && std::fabs(out) < 1e9;
}

}  // namespace

OziMap ParseOziMap(QByteArrayView bytes) {
    OziMap out;
    if (bytes.size() > kMaxOziMapBytes) {
        out.problem = "the .map file is too large to be an OziExplorer map";
        return out;
    }
    QList<QByteArray> lines = QByteArray(bytes.data(), bytes.size()).split('\n');
    for (QByteArray& l : lines) l = l.trimmed();
    if (lines.isEmpty() || !lines[0].startsWith("OziExplorer Map Data File")) {
        out.problem = "the .map file is not an OziExplorer map";
        return out;
    }
    if (lines.size() > 2) out.imageName = QString::fromUtf8(lines[2]);
    if (lines.size() > 4) out.datum = QString::fromLatin1(Fields(lines[4]).value(0));

    QMap<int, std::pair<double, double>> cornerXY;
    QMap<int, std::pair<double, double>> cornerLL;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = Fields(line);
        if (f.isEmpty()) continue;
        if (f[0] == "Map Projection") {
            out.projection = QString::fromLatin1(f.value(1));
        } else if (f[0] == "Projection Setup") {
            for (int i = 1; i < f.size(); ++i) {
                double v = 0;
                out.projectionSetup.push_back(Number(f[i], v) ? v : 0.0);
            }
        } else if (f[0].startsWith("Point") && f.size() >= 12 && f[1] == "xy") {
            OziPoint p;
            if (!PixelValue(f[2], p.x) || !PixelValue(f[3], p.y)) continue;
            if (!Angle(f[6], f[7], f[8], 'S', 90, p.lat)) continue;
            if (!Angle(f[9], f[10], f[11], 'W', 180, p.lon)) continue;
            out.points.push_back(p);
        } else if ((f[0] == "MMPXY" || f[0] == "MMPLL") && f.size() >= 4) {
            bool okIndex = false;
            const int index = f[1].toInt(&okIndex);
            double a = 0, b = 0;
            if (!okIndex || !Number(f[2], a) || !Number(f[3], b)) continue;
            if (f[0] == "MMPXY") {
                if (std::fabs(a) < 1e9 && std::fabs(b) < 1e9) cornerXY.insert(index, {a, b});
            } else if (std::fabs(a) <= 180 && std::fabs(b) <= 90) {
                cornerLL.insert(index, {a, b});  // longitude first
            }
        } else if (f[0] == "IWH" && f.size() >= 4) {
            out.width = std::max(0, f[2].toInt());
            out.height = std::max(0, f[3].toInt());
        }
    }
    if (out.points.size() < 2) {
        out.points.clear();
        for (auto it = cornerXY.cbegin(); it != cornerXY.cend(); ++it) {
            const auto ll = cornerLL.constFind(it.key());
            if (ll == cornerLL.cend()) continue;
            out.points.push_back({it->first, it->second, ll->second, ll->first});
        }
    }
    if (out.points.size() < 2) {
        out.problem = "the .map file gives fewer than two calibration points";
        return out;
    }
    out.ok = true;
    return out;
}

}  // namespace georef
