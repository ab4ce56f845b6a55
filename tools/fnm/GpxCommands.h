#pragma once

#include <QStringList>

// GPX waypoints to and from a location file.
namespace fnm {

// fnm export-gpx FILE OUT.gpx
int ExportGpx(const QStringList& args);
// fnm import-gpx FILE IN.gpx OUT.fnm: prints the added and skipped counts.
int ImportGpx(const QStringList& args);

}  // namespace fnm
