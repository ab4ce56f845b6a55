#pragma once

#include <QStringList>

class CTarnlightDoc;

// GPX waypoints to and from a location file.
namespace fnm {

// fnm export-gpx FILE OUT.gpx
int ExportGpx(const QStringList& args);
// fnm import-gpx FILE IN.gpx OUT.fnm: prints the added and skipped counts.
int ImportGpx(const QStringList& args);

// Reads path into doc as the program's open does and gives the exit status
// the failure deserves (the same rule info and resave follow).
int ReadLocation(CTarnlightDoc& doc, const QString& path);

}  // namespace fnm
