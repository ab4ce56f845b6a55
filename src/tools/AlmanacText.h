// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "tools/Almanac.h"

// The almanac's figures as the calendar panel, its month view, the CSV
// export and the command-line tool show them: clock times "HH:MM" in the
// day's zone, and words where an event does not happen.
namespace almanac {

QString ClockText(const std::optional<QDateTime>& t);
// Every time of the list, ", " between them.
QString ClockTexts(const std::vector<QDateTime>& times);
QString SunriseText(const Day& d);
QString SunsetText(const Day& d);
QString DawnText(const Day& d);
QString DuskText(const Day& d);
QString MoonriseText(const Day& d);
QString MoonsetText(const Day& d);
QString TransitText(const Day& d);
QString UnderfootText(const Day& d);
// "Waxing Gibbous, 78% lit"
QString PhaseText(const Day& d);
// "3 of 4 (Very good)"
QString RatingText(const Day& d);
// "HH:MM-HH:MM" for each period of the kind, in order; empty when none.
QStringList PeriodTexts(const Day& d, Period::Kind kind);

// The day as lines of label and value, for the panel and the tool.
std::vector<std::pair<QString, QString>> DayLines(const Day& d);

// One header line, then one line a day; UTF-8 text with CRLF line ends as
// spreadsheets expect.
QStringList CsvHeader();
QStringList CsvRow(const Day& d);
QByteArray Csv(const std::vector<Day>& days);

}  // namespace almanac
