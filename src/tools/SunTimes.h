// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

bool IsLeapYear(int year);
// 1 for January 1st, 366 for December 31st of a leap year.
int DayOfYear(QDate date);

// Sunrise and sunset at latitude `lat` (north positive) and longitude
// `lonWest` (west positive) on the given calendar date, as local clock time
// of the process time zone (TZ). The result may fall on the previous or next
// local day when the place is far from that zone. nullopt when the sun does
// not rise or set that day.
std::optional<QDateTime> SunriseTime(double lat, double lonWest, QDate date);
std::optional<QDateTime> SunsetTime(double lat, double lonWest, QDate date);

// "HH:MM", or empty when there is no event.
QString SunTimeText(const std::optional<QDateTime>& time);
