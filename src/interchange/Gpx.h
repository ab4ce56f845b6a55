// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/AtomicFile.h"

class CTarnLocation;

// GPX 1.0 and 1.1 in, GPX 1.1 out: the location's points as waypoints, its
// polylines, rectangles and ellipses as routes and its free-hand strokes as
// tracks; and all of those back from a handheld unit or another program.
namespace gpx {

// A GPX file larger than this is refused unread: a season of track logs
// fits many times over, and reading costs a small multiple of the size.
inline constexpr qint64 kMaxFileBytes = qint64(64) << 20;
// Waypoints, route points and track points of one file together; beyond
// this the rest of the file is not read.
inline constexpr int kMaxPoints = 1000000;

// Altitudes in the program are feet, as users type them; GPX <ele> is metres.
// Exact to the last digit (a foot is 0.3048 m), so the text reads back.
QString FeetToMetresText(int32_t feet);
// The nearest whole foot, held to the 32-bit range.
int32_t MetresToFeet(double metres);

// The whole location as a GPX document in UTF-8: every user info point and
// map point as a <wpt>, every polyline as an <rte>, every rectangle and
// ellipse as a closed <rte>, every free-hand stroke as a <trk>. Positions go
// through the calibration; longitudes are written east-positive as GPX wants
// them.
QByteArray WriteGpx(const CTarnLocation& location);
// WriteGpx into path, replacing it only when everything was written.
CAtomicFile::Status ExportGpx(const CTarnLocation& location, const QString& path);
// What the user is told when ExportGpx failed.
QString ExportFailureMessage(CAtomicFile::Status status, const QString& path);

// A point of a recorded track: lat north-positive, lon east-positive,
// elevation in metres (NaN when unknown), time in UTC.
struct TimedPoint {
    double lat = 0.0;
    double lon = 0.0;
    double ele = 0.0;
    QDateTime time;
};
// A GPX 1.1 document with one <trk> of one <trkseg>, every point with its
// <ele> (when known) and <time>.
QByteArray WriteTrackGpx(const QString& name, const std::vector<TimedPoint>& points);
// WriteTrackGpx into path, replacing it only when everything was written.
CAtomicFile::Status SaveTrackGpx(const QString& name, const std::vector<TimedPoint>& points,
                                 const QString& path);

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

struct Position {
    double lat = 0.0;
    double lon = 0.0;
};

// A route or one segment of a track: its points in order.
struct Path {
    std::vector<Position> points;
    int line = 0;
};

// Every waypoint, route and track segment that could be read whole, and a
// line for each thing that could not (a point without a position, the place
// a damaged file stops). isGpx is false when the file is not GPX at all.
struct ParsedGpx {
    bool isGpx = false;
    std::vector<Waypoint> waypoints;
    std::vector<Path> routes;
    std::vector<Path> segments;
    QStringList problems;
};
// At most maxPoints waypoints, route points and track points together.
ParsedGpx ParseGpx(const QByteArray& bytes, int maxPoints = kMaxPoints);

// How a GPX file's bytes were fetched.
enum class Source { Read, CannotOpen, NotRegular, TooLarge };
struct SourceBytes {
    Source source = Source::CannotOpen;
    QByteArray bytes;
};
// Only a regular file of at most kMaxFileBytes is read: a named pipe or a
// device is refused without waiting on it.
SourceBytes ReadGpxFile(const QString& path);
// The message for a file that could not be read, empty for Source::Read.
QString SourceProblem(Source source, const QString& path);

// What happened to one kind of thing an import offered.
struct Counts {
    int added = 0;
    int skippedQuarter = 0;  // south of the equator or east of Greenwich
    int skippedOutside = 0;  // outside the allowed mapping area
    int skippedEmpty = 0;    // a route or track segment without points
    int Skipped() const { return skippedQuarter + skippedOutside + skippedEmpty; }
    int Offered() const { return added + Skipped(); }
};

// What an import did; Message() is the one text the user is shown.
struct ImportReport {
    Counts waypoints;
    Counts routes;
    Counts segments;
    QStringList problems;
    // False when nothing could be read: no such file, not a regular file,
    // too large, or not GPX.
    bool readable = true;
    int Added() const { return waypoints.added + routes.added + segments.added; }
    int Skipped() const { return waypoints.Skipped() + routes.Skipped() + segments.Skipped(); }
    QString Message() const;
};

// Adds what lies in the location's allowed mapping area, all at once after
// every item was checked. A waypoint whose <type> names a map point type (or
// is a type number) becomes that map point, any other a user info point with
// the icon its <sym> gives; a route becomes a polyline and a track segment a
// free-hand stroke, both with the list's current pen. A route or segment is
// taken whole or skipped whole. Positions are truncated to whole pixels.
ImportReport AddParsed(CTarnLocation& location, const ParsedGpx& parsed);
// Reads path and adds what it holds; a file that cannot be read adds
// nothing and says so in the problems.
ImportReport ImportGpx(CTarnLocation& location, const QString& path);
// The same, from what ReadGpxFile(path) and ParseGpx gave (parsed is
// looked at only when the file was read).
ImportReport ImportRead(CTarnLocation& location, const SourceBytes& read, const ParsedGpx& parsed,
                        const QString& path);

}  // namespace gpx
