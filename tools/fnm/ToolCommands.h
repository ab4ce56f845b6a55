#pragma once

#include <QStringList>

// The angler's calculators from the command line.
namespace fnm {
// fnm sun --lat LAT --lon LON --date YYYY-MM-DD: sunrise and sunset in the
// time zone of TZ, "--:--" for an event that does not happen that day.
int Sun(const QStringList& args);
// fnm bass LENGTH GIRTH: the weight text as the dialog shows it.
int Bass(const QStringList& args);
}  // namespace fnm
