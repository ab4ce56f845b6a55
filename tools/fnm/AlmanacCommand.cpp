// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlmanacCommand.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <cstdio>

#include "JsonWriter.h"
#include "resources/Strings.h"
#include "tools/Almanac.h"
#include "tools/AlmanacText.h"

namespace fnm {
namespace {

bool ParseDate(const Invocation& inv, const QString& text, const char* what, QDate& out) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (form.match(text).hasMatch() && almanac::InRange(d)) {
        out = d;
        return true;
    }
    Complain(QString(str::FnmBadDate)
                 .arg(inv.command, QString::fromLatin1(what))
                 .arg(almanac::kFirstYear)
                 .arg(QStringLiteral("%1-12-31").arg(almanac::kLastYear), text));
    return false;
}

void Time(JsonWriter& w, std::string_view key, const std::optional<QDateTime>& t) {
    w.Key(key);
    if (t)
        w.String(t->toString(Qt::ISODate));
    else
        w.Null();
}

// The first of the day's events under `key` (null when none), and every
// one of them under `allKey`.
void Times(JsonWriter& w, std::string_view key, std::string_view allKey,
           const std::vector<QDateTime>& times) {
    Time(w, key, almanac::RiseSet::First(times));
    w.Key(allKey).BeginArray();
    for (const QDateTime& t : times) w.String(t.toString(Qt::ISODate));
    w.EndArray();
}

QString State(const almanac::RiseSet& rs) {
    if (rs.alwaysUp) return QStringLiteral("up all day");
    if (rs.alwaysDown) return QStringLiteral("down all day");
    return QStringLiteral("rises or sets");
}

void DayJson(JsonWriter& w, const almanac::Day& d) {
    w.BeginObject();
    w.Key("date").String(d.date.toString(Qt::ISODate));
    w.Key("sun").BeginObject();
    Times(w, "rise", "rises", d.sun.rises);
    Times(w, "set", "sets", d.sun.sets);
    Times(w, "noon", "noons", d.solarNoon);
    w.Key("state").String(State(d.sun));
    w.EndObject();
    w.Key("civil").BeginObject();
    Times(w, "dawn", "dawns", d.civil.rises);
    Times(w, "dusk", "dusks", d.civil.sets);
    w.Key("state").String(State(d.civil));
    w.EndObject();
    w.Key("moon").BeginObject();
    Times(w, "rise", "rises", d.moon.rises);
    Times(w, "set", "sets", d.moon.sets);
    Times(w, "transit", "transits", d.moonTransit);
    Times(w, "underfoot", "underfoots", d.moonUnderfoot);
    w.Key("state").String(State(d.moon));
    w.Key("phase").String(almanac::PhaseName(d.phase));
    w.Key("illuminated").Double(std::round(d.illuminated * 10000) / 10000);
    w.EndObject();
    w.Key("periods").BeginArray();
    for (const almanac::Period& p : d.periods) {
        w.BeginObject();
        w.Key("kind").String(p.kind == almanac::Period::Major ? QStringLiteral("major")
                                                              : QStringLiteral("minor"));
        Time(w, "start", p.start);
        Time(w, "centre", p.centre);
        Time(w, "end", p.end);
        w.Key("meetsSun").Bool(p.meetsSun);
        w.EndObject();
    }
    w.EndArray();
    w.Key("rating").Int(d.rating);
    w.Key("ratingName").String(almanac::RatingName(d.rating));
    w.EndObject();
}

}  // namespace

int Almanac(const Invocation& inv) {
    const std::optional<QString> latText = inv.Value("--lat");
    const std::optional<QString> lonText = inv.Value("--lon");
    if (!inv.operands.isEmpty() || !latText || !lonText) return UsageError(inv);
    double lat = 0, lon = 0;
    // North and west positive, as the location's calibration holds them.
    if (!ParseNumber(inv, *latText, "--lat", -90, 90, lat) ||
        !ParseNumber(inv, *lonText, "--lon", -180, 180, lon))
        return UsageError(inv);

    const std::optional<QString> dateText = inv.Value("--date");
    const std::optional<QString> fromText = inv.Value("--from");
    const std::optional<QString> daysText = inv.Value("--days");
    if (dateText && (fromText || daysText)) {
        Complain(QString(str::FnmDateOrRange).arg(inv.command));
        return UsageError(inv);
    }
    QDate first = QDate::currentDate();
    int count = 1;
    if (dateText && !ParseDate(inv, *dateText, "--date", first)) return UsageError(inv);
    if (fromText && !ParseDate(inv, *fromText, "--from", first)) return UsageError(inv);
    if (daysText) {
        static const QRegularExpression whole(QStringLiteral("^[0-9]{1,5}$"));
        bool ok = whole.match(*daysText).hasMatch();
        count = ok ? daysText->toInt(&ok) : 0;
        if (!ok || count < 1 || count > kMaxAlmanacDays) {
            Complain(QString(str::FnmBadDays).arg(inv.command).arg(kMaxAlmanacDays).arg(*daysText));
            return UsageError(inv);
        }
    }
    if (!almanac::InRange(first.addDays(count - 1))) {
        Complain(QString(str::AlmanacOutOfRange)
                     .arg(first.addDays(count - 1).toString(Qt::ISODate))
                     .arg(almanac::kFirstYear)
                     .arg(almanac::kLastYear));
        return UsageError(inv);
    }
    QTimeZone zone = QTimeZone::systemTimeZone();
    if (const std::optional<QString> z = inv.Value("--zone")) {
        zone = QTimeZone(z->toUtf8());
        if (!zone.isValid()) {
            Complain(QString(str::FnmBadZone).arg(inv.command, *z));
            return UsageError(inv);
        }
    }

    const std::vector<almanac::Day> days = almanac::ComputeDays(lat, -lon, first, count, zone);
    std::string out;
    if (inv.Has("--json")) {
        JsonWriter w;
        w.BeginObject();
        w.Key("latitude").Double(lat);
        w.Key("longitude").Double(lon);
        w.Key("zone").String(QString::fromUtf8(zone.id()));
        w.Key("days").BeginArray();
        for (const almanac::Day& d : days) DayJson(w, d);
        w.EndArray();
        w.EndObject();
        out = w.Text() + "\n";
    } else {
        for (const almanac::Day& d : days) {
            if (!out.empty()) out += "\n";
            out += QStringLiteral("%1 (%2)\n")
                       .arg(d.date.toString(Qt::ISODate), QString::fromUtf8(zone.id()))
                       .toStdString();
            for (const auto& [label, value] : almanac::DayLines(d))
                out += QStringLiteral("  %1 %2\n")
                           .arg(label + QLatin1Char(':'), -16)
                           .arg(value)
                           .toLocal8Bit()
                           .toStdString();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kSuccess;
}

}  // namespace fnm
