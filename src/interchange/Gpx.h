#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "framework/AtomicFile.h"

class CTarnLocation;

// GPX 1.1 in and out: the location's points as waypoints, its polylines as
// routes, and waypoints from a handheld unit back as points.
namespace gpx {

// The whole location as a GPX document in UTF-8: every user info point and
// map point as a <wpt>, every polyline as an <rte>. Positions go through the
// calibration; longitudes are written east-positive as GPX wants them.
QByteArray WriteGpx(const CTarnLocation& location);
// WriteGpx into path, replacing it only when everything was written.
CAtomicFile::Status ExportGpx(const CTarnLocation& location, const QString& path);
// What the user is told when ExportGpx failed.
QString ExportFailureMessage(CAtomicFile::Status status, const QString& path);

// One waypoint as read; lat north-positive, lon east-positive.
struct Waypoint {
    double lat = 0.0;
    double lon = 0.0;
    std::optional<double> ele;
    QString name;
    QString desc;
    QString sym;
    QString type;
    int line = 0;
};

// Every waypoint that could be read whole, and a line for each thing that
// could not (a waypoint without a position, the place a damaged file stops).
struct ParsedGpx {
    std::vector<Waypoint> waypoints;
    QStringList problems;
};
ParsedGpx ParseGpx(const QByteArray& bytes);

// What an import did; Message() is the one text the user is shown.
struct ImportReport {
    int added = 0;
    int skippedQuarter = 0;  // south of the equator or east of Greenwich
    int skippedOutside = 0;  // outside the allowed mapping area
    QStringList problems;
    int Skipped() const { return skippedQuarter + skippedOutside; }
    QString Message() const;
};

// Adds the waypoints that lie in the location's allowed mapping area, all at
// once after every one was checked: a waypoint whose <type> names a map point
// type becomes that map point, any other a user info point with the icon its
// <sym> gives. Positions are truncated to whole pixels.
ImportReport AddWaypoints(CTarnLocation& location, const ParsedGpx& parsed);
// Reads path and adds its waypoints; a file that cannot be opened adds
// nothing and says so in the problems.
ImportReport ImportGpx(CTarnLocation& location, const QString& path);

}  // namespace gpx
