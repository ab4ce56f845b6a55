// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AlmanacText.h"

#include <cmath>

#include "resources/Strings.h"

namespace almanac {
namespace {

QString EventText(const std::vector<QDateTime>& t, const RiseSet& rs, const char* none,
                  const char* allUp, const char* allDown) {
    if (!t.empty()) return ClockTexts(t);
    if (rs.alwaysUp) return QString::fromUtf8(allUp);
    if (rs.alwaysDown) return QString::fromUtf8(allDown);
    return QString::fromUtf8(none);
}

QString CsvField(const QString& v) {
    if (!v.contains(QLatin1Char(',')) && !v.contains(QLatin1Char('"')) &&
        !v.contains(QLatin1Char('\n')))
        return v;
    QString q = v;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace

QString ClockText(const std::optional<QDateTime>& t) {
    return t ? t->toString(QStringLiteral("HH:mm")) : QString();
}

QString ClockTexts(const std::vector<QDateTime>& times) {
    QStringList parts;
    for (const QDateTime& t : times) parts << ClockText(t);
    return parts.join(QStringLiteral(", "));
}

QString SunriseText(const Day& d) {
    return EventText(d.sun.rises, d.sun, str::NoSunrise, str::SunUpAllDay, str::SunDownAllDay);
}
QString SunsetText(const Day& d) {
    return EventText(d.sun.sets, d.sun, str::NoSunset, str::SunUpAllDay, str::SunDownAllDay);
}
QString DawnText(const Day& d) {
    return EventText(d.civil.rises, d.civil, str::NoCivilDawn, str::LightAllNight, str::DarkAllDay);
}
QString DuskText(const Day& d) {
    return EventText(d.civil.sets, d.civil, str::NoCivilDusk, str::LightAllNight, str::DarkAllDay);
}
QString MoonriseText(const Day& d) {
    return EventText(d.moon.rises, d.moon, str::NoMoonrise, str::MoonUpAllDay, str::MoonDownAllDay);
}
QString MoonsetText(const Day& d) {
    return EventText(d.moon.sets, d.moon, str::NoMoonset, str::MoonUpAllDay, str::MoonDownAllDay);
}
QString TransitText(const Day& d) {
    return d.moonTransit.empty() ? QString::fromUtf8(str::NoMoonTransit)
                                 : ClockTexts(d.moonTransit);
}
QString UnderfootText(const Day& d) {
    return d.moonUnderfoot.empty() ? QString::fromUtf8(str::NoMoonUnderfoot)
                                   : ClockTexts(d.moonUnderfoot);
}

QString PhaseText(const Day& d) {
    return QStringLiteral("%1, %2% lit")
        .arg(PhaseName(d.phase))
        .arg(static_cast<int>(std::lround(d.illuminated * 100)));
}

QString RatingText(const Day& d) {
    return QStringLiteral("%1 of 4 (%2)").arg(d.rating).arg(RatingName(d.rating));
}

QStringList PeriodTexts(const Day& d, Period::Kind kind) {
    QStringList out;
    for (const Period& p : d.periods)
        if (p.kind == kind) out << ClockText(p.start) + QLatin1Char('-') + ClockText(p.end);
    return out;
}

std::vector<std::pair<QString, QString>> DayLines(const Day& d) {
    if (!d.inRange)
        return {{QString(), QString(str::AlmanacOutOfRange)
                                .arg(d.date.toString(Qt::ISODate))
                                .arg(kFirstYear)
                                .arg(kLastYear)}};
    const QString none = QStringLiteral("none");
    auto periods = [&](Period::Kind k) {
        const QStringList p = PeriodTexts(d, k);
        return p.isEmpty() ? none : p.join(QStringLiteral(", "));
    };
    return {
        {QStringLiteral("Sunrise"), SunriseText(d)},
        {QStringLiteral("Sunset"), SunsetText(d)},
        {QStringLiteral("Civil dawn"), DawnText(d)},
        {QStringLiteral("Civil dusk"), DuskText(d)},
        {QStringLiteral("Moonrise"), MoonriseText(d)},
        {QStringLiteral("Moonset"), MoonsetText(d)},
        {QStringLiteral("Moon overhead"), TransitText(d)},
        {QStringLiteral("Moon underfoot"), UnderfootText(d)},
        {QStringLiteral("Moon"), PhaseText(d)},
        {QStringLiteral("Major periods"), periods(Period::Major)},
        {QStringLiteral("Minor periods"), periods(Period::Minor)},
        {QStringLiteral("Rating"), RatingText(d)},
    };
}

QStringList CsvHeader() {
    return {QStringLiteral("Date"),           QStringLiteral("Sunrise"),
            QStringLiteral("Sunset"),         QStringLiteral("Civil dawn"),
            QStringLiteral("Civil dusk"),     QStringLiteral("Moonrise"),
            QStringLiteral("Moonset"),        QStringLiteral("Moon overhead"),
            QStringLiteral("Moon underfoot"), QStringLiteral("Major 1"),
            QStringLiteral("Major 2"),        QStringLiteral("Minor 1"),
            QStringLiteral("Minor 2"),        QStringLiteral("Phase"),
            QStringLiteral("Illuminated"),    QStringLiteral("Rating")};
}

QStringList CsvRow(const Day& d) {
    QStringList row{d.date.toString(Qt::ISODate)};
    if (!d.inRange) {
        while (row.size() < CsvHeader().size()) row << QString();
        return row;
    }
    const QStringList majors = PeriodTexts(d, Period::Major);
    const QStringList minors = PeriodTexts(d, Period::Minor);
    row << SunriseText(d) << SunsetText(d) << DawnText(d) << DuskText(d) << MoonriseText(d)
        << MoonsetText(d) << TransitText(d) << UnderfootText(d) << majors.value(0)
        << majors.value(1) << minors.value(0) << minors.value(1) << PhaseName(d.phase)
        << QString::number(d.illuminated, 'f', 2) << QString::number(d.rating);
    return row;
}

QByteArray Csv(const std::vector<Day>& days) {
    auto line = [](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields) quoted << CsvField(f);
        return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
    };
    QByteArray out = line(CsvHeader());
    for (const Day& d : days) out += line(CsvRow(d));
    return out;
}

}  // namespace almanac
