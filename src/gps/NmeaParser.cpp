// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/NmeaParser.h"

#include <QList>
#include <QTimeZone>

namespace {
constexpr double kKnot = 1852.0 / 3600.0;  // metres a second

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<double> Number(const QByteArray& field) {
    if (field.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = field.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// ddmm.mmmm or dddmm.mmmm with its hemisphere letter.
std::optional<double> Angle(const QByteArray& value, const QByteArray& hemisphere, int degDigits,
                            char positive, char negative) {
    if (value.size() < degDigits + 2 || hemisphere.size() != 1) return std::nullopt;
    bool okDeg = false;
    const int degrees = value.left(degDigits).toInt(&okDeg);
    const std::optional<double> minutes = Number(value.mid(degDigits));
    if (!okDeg || !minutes || *minutes < 0.0 || *minutes >= 60.0) return std::nullopt;
    const double v = degrees + *minutes / 60.0;
    if (hemisphere[0] == positive) return v;
    if (hemisphere[0] == negative) return -v;
    return std::nullopt;
}

std::optional<QTime> TimeOfDay(const QByteArray& field) {
    if (field.size() < 6) return std::nullopt;
    bool ok1 = false, ok2 = false, ok3 = false;
    const int h = field.left(2).toInt(&ok1);
    const int m = field.mid(2, 2).toInt(&ok2);
    const double s = field.mid(4).toDouble(&ok3);
    if (!ok1 || !ok2 || !ok3 || s < 0.0 || s >= 61.0) return std::nullopt;
    const int whole = static_cast<int>(s);
    QTime t(h, m, std::min(whole, 59), static_cast<int>((s - whole) * 1000.0 + 0.5) % 1000);
    if (!t.isValid()) return std::nullopt;
    return t;
}

std::optional<QDate> DayOf(const QByteArray& field) {
    if (field.size() != 6) return std::nullopt;
    bool ok1 = false, ok2 = false, ok3 = false;
    const int d = field.left(2).toInt(&ok1);
    const int m = field.mid(2, 2).toInt(&ok2);
    const int y = field.mid(4, 2).toInt(&ok3);
    // Two-digit years: receivers of this century.
    QDate date(2000 + y, m, d);
    if (!ok1 || !ok2 || !ok3 || !date.isValid()) return std::nullopt;
    return date;
}
}  // namespace

bool CNmeaParser::ChecksumOk(const QByteArray& line) {
    if (line.size() < 4 || (line[0] != '$' && line[0] != '!')) return false;
    const int star = line.lastIndexOf('*');
    if (star < 1 || star + 3 != line.size()) return false;
    const int hi = HexDigit(line[star + 1]), lo = HexDigit(line[star + 2]);
    if (hi < 0 || lo < 0) return false;
    unsigned char sum = 0;
    for (int i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    return sum == hi * 16 + lo;
}

void CNmeaParser::Feed(const QByteArray& bytes) {
    for (char c : bytes) {
        if (c == '\n' || c == '\r') {
            if (!discarding && !partial.isEmpty()) {
                if (!ParseLine(partial)) ++rejected;
            }
            partial.clear();
            discarding = false;
            continue;
        }
        if (discarding) continue;
        if (partial.size() >= kMaxLine) {
            partial.clear();
            discarding = true;
            ++rejected;
            continue;
        }
        partial.append(c);
    }
}

void CNmeaParser::Emit(GpsFix& fix) {
    withoutFix = !fix.HasPosition();
    if (withoutFix) fix.quality = GpsFix::NoFix;
    if (onFix) onFix(fix);
}

void CNmeaParser::FlushPendingGga() {
    if (!pendingGga) return;
    GpsFix fix = *pendingGga;
    pendingGga.reset();
    if (lastRmcTime.isValid() && fix.time.time() == lastRmcTime) return;  // reported with its RMC
    if (!lastDate.isValid()) lastDate = QDateTime::currentDateTimeUtc().date();
    fix.time.setDate(lastDate);
    Emit(fix);
}

bool CNmeaParser::ParseLine(const QByteArray& raw) {
    const int dollar = raw.indexOf('$');
    if (dollar < 0) return false;
    const QByteArray line = raw.mid(dollar).trimmed();
    if (!ChecksumOk(line)) return false;
    const QList<QByteArray> f = line.left(line.size() - 3).split(',');
    const QByteArray type = f[0].size() >= 6 ? f[0].mid(3) : QByteArray();
    if (type == "GGA") {
        if (f.size() < 10) return false;
        const std::optional<QTime> t = TimeOfDay(f[1]);
        if (!t) return false;
        ++sentences;
        FlushPendingGga();
        GpsFix fix;
        fix.time =
            QDateTime(lastDate.isValid() ? lastDate : QDate(2000, 1, 1), *t, QTimeZone::utc());
        const int q = f[6].toInt();
        const std::optional<double> lat = Angle(f[2], f[3], 2, 'N', 'S');
        const std::optional<double> lon = Angle(f[4], f[5], 3, 'E', 'W');
        if (q > 0 && lat && lon) {
            fix.lat = *lat;
            fix.lon = *lon;
            fix.differential = q == 2;
            if (const std::optional<double> alt = Number(f[9])) {
                fix.elevation = *alt;
                fix.quality = GpsFix::Fix3D;
            } else {
                fix.quality = GpsFix::Fix2D;
            }
        }
        pendingGga = fix;
        return true;
    }
    if (type == "RMC") {
        if (f.size() < 10) return false;
        const std::optional<QTime> t = TimeOfDay(f[1]);
        const std::optional<QDate> d = DayOf(f[9]);
        if (!t) return false;
        ++sentences;
        if (d) lastDate = *d;
        GpsFix fix;
        fix.time = QDateTime(lastDate.isValid() ? lastDate : QDateTime::currentDateTimeUtc().date(),
                             *t, QTimeZone::utc());
        const std::optional<double> lat = Angle(f[3], f[4], 2, 'N', 'S');
        const std::optional<double> lon = Angle(f[5], f[6], 3, 'E', 'W');
        const bool valid = f[2] == "A" && lat && lon;
        if (valid) {
            fix.lat = *lat;
            fix.lon = *lon;
            fix.quality = GpsFix::Fix2D;
            if (const std::optional<double> knots = Number(f[7])) fix.speed = *knots * kKnot;
            if (const std::optional<double> course = Number(f[8])) fix.heading = *course;
        }
        // The GGA of this second brings altitude and quality.
        if (pendingGga && pendingGga->time.time() == *t) {
            const GpsFix& gga = *pendingGga;
            if (valid && gga.HasPosition()) {
                fix.elevation = gga.elevation;
                fix.quality = gga.quality;
                fix.differential = gga.differential;
            }
            pendingGga.reset();
        } else {
            FlushPendingGga();
        }
        lastRmcTime = *t;
        Emit(fix);
        return true;
    }
    // Other sentences (satellites in view, and so on) are fine but say
    // nothing about the position.
    ++sentences;
    return true;
}
