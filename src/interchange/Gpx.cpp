// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/Gpx.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

#include "document/TarnLocation.h"
#include "framework/FileNames.h"
#include "geo/Coordinate.h"
#include "interchange/GpxSymbols.h"
#include "resources/Strings.h"

namespace gpx {
namespace {

constexpr const char* kNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kCreator = "Fenmarrow Utilities";
constexpr int kDecimals = 7;
// Corners of the polygon an ellipse is written as, before it closes.
constexpr int kEllipseCorners = 36;

Position PixelToPosition(const CTarnLocation& location, const QPoint& pixel) {
    CCoordinate c;
    location.PixelToCoordinate(pixel.x(), pixel.y(), c);
    // Stored longitudes count west; GPX counts east.
    return {c.latitude.ToDecimalDegrees(), -c.longitude.ToDecimalDegrees()};
}

void WritePosition(QXmlStreamWriter& xml, const Position& at) {
    xml.writeAttribute("lat", QString::number(at.lat, 'f', kDecimals));
    xml.writeAttribute("lon", QString::number(at.lon, 'f', kDecimals));
}

void WriteWaypoint(QXmlStreamWriter& xml, const Position& at, int32_t feet, const QString& name,
                   const QString& desc, const QString& sym, const QString& type) {
    xml.writeStartElement("wpt");
    WritePosition(xml, at);
    xml.writeTextElement("ele", FeetToMetresText(feet));
    xml.writeTextElement("name", name);
    if (!desc.isEmpty()) xml.writeTextElement("desc", desc);
    xml.writeTextElement("sym", sym);
    if (!type.isEmpty()) xml.writeTextElement("type", type);
    xml.writeEndElement();
}

void WriteRoute(QXmlStreamWriter& xml, const CTarnLocation& location, const QString& name,
                const std::vector<QPoint>& points) {
    xml.writeStartElement("rte");
    xml.writeTextElement("name", name);
    for (const QPoint& vertex : points) {
        xml.writeStartElement("rtept");
        WritePosition(xml, PixelToPosition(location, vertex));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WriteTrack(QXmlStreamWriter& xml, const CTarnLocation& location, const QString& name,
                const std::vector<QPoint>& points) {
    xml.writeStartElement("trk");
    xml.writeTextElement("name", name);
    xml.writeStartElement("trkseg");
    for (const QPoint& p : points) {
        xml.writeStartElement("trkpt");
        WritePosition(xml, PixelToPosition(location, p));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
}

// The outline of a rectangle or ellipse as a closed polygon of whole pixels,
// so that it reads back to the same vertices.
std::vector<QPoint> Outline(const CRectElipDraw& shape) {
    const RectL& r = shape.rect;
    if (!shape.isEllipse)
        return {{r.left, r.top},
                {r.right, r.top},
                {r.right, r.bottom},
                {r.left, r.bottom},
                {r.left, r.top}};
    const double cx = (double(r.left) + double(r.right)) / 2.0;
    const double cy = (double(r.top) + double(r.bottom)) / 2.0;
    const double rx = std::fabs(double(r.right) - double(r.left)) / 2.0;
    const double ry = std::fabs(double(r.bottom) - double(r.top)) / 2.0;
    std::vector<QPoint> points;
    for (int i = 0; i < kEllipseCorners; ++i) {
        const double a = 2.0 * std::numbers::pi * i / kEllipseCorners;
        points.emplace_back(int(std::lround(cx + rx * std::cos(a))),
                            int(std::lround(cy + ry * std::sin(a))));
    }
    points.push_back(points.front());
    return points;
}

bool IsNamed(const QXmlStreamReader& xml, const char* name) {
    return xml.name() == QLatin1String(name);
}

// The child elements of one <wpt>; the reader stands on its start tag.
// False when the file breaks off or goes wrong inside it.
bool ReadWaypointBody(QXmlStreamReader& xml, Waypoint& w) {
    while (xml.readNextStartElement()) {
        if (IsNamed(xml, "ele")) {
            bool ok = false;
            const double ele =
                xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toDouble(&ok);
            if (ok && std::isfinite(ele)) w.ele = ele;
        } else if (IsNamed(xml, "name")) {
            w.name = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (IsNamed(xml, "desc")) {
            w.desc = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (IsNamed(xml, "sym")) {
            w.sym = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else if (IsNamed(xml, "type")) {
            w.type = xml.readElementText(QXmlStreamReader::SkipChildElements);
        } else {
            xml.skipCurrentElement();
        }
    }
    return !xml.hasError();
}

std::optional<double> Degrees(const QXmlStreamAttributes& attributes, const char* name,
                              double limit) {
    if (!attributes.hasAttribute(QLatin1String(name))) return std::nullopt;
    bool ok = false;
    const double v = attributes.value(QLatin1String(name)).toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > limit) return std::nullopt;
    return v;
}

std::optional<Position> PositionOf(const QXmlStreamReader& xml) {
    const QXmlStreamAttributes attributes = xml.attributes();
    const std::optional<double> lat = Degrees(attributes, "lat", 90.0);
    const std::optional<double> lon = Degrees(attributes, "lon", 180.0);
    if (!lat || !lon) return std::nullopt;
    return Position{*lat, *lon};
}

enum class Outcome { Whole, Broken, OverBudget };

// One file's reading: the reader, what was read and how many points may
// still come.
struct Reading {
    QXmlStreamReader& xml;
    ParsedGpx& parsed;
    int maxPoints = kMaxPoints;
    int taken = 0;

    bool TakePoint() {
        if (taken >= maxPoints) {
            parsed.problems << QString(str::GpxTooManyPoints).arg(xml.lineNumber()).arg(maxPoints);
            return false;
        }
        ++taken;
        return true;
    }

    // The points named pointName inside the element the reader stands on.
    Outcome ReadPath(const char* pointName, Path& path) {
        path.line = static_cast<int>(xml.lineNumber());
        while (xml.readNextStartElement()) {
            if (!IsNamed(xml, pointName)) {
                xml.skipCurrentElement();
                continue;
            }
            const int line = static_cast<int>(xml.lineNumber());
            const std::optional<Position> at = PositionOf(xml);
            xml.skipCurrentElement();
            if (xml.hasError()) break;
            if (!at) {
                parsed.problems << QString(str::GpxNoPointPosition).arg(line);
                continue;
            }
            if (!TakePoint()) return Outcome::OverBudget;
            path.points.push_back(*at);
        }
        return xml.hasError() ? Outcome::Broken : Outcome::Whole;
    }

    Outcome ReadTrack() {
        while (xml.readNextStartElement()) {
            if (!IsNamed(xml, "trkseg")) {
                xml.skipCurrentElement();
                continue;
            }
            Path segment;
            const Outcome outcome = ReadPath("trkpt", segment);
            if (outcome != Outcome::Whole) return outcome;
            parsed.segments.push_back(std::move(segment));
        }
        return xml.hasError() ? Outcome::Broken : Outcome::Whole;
    }

    Outcome ReadWaypoint() {
        Waypoint w;
        w.line = static_cast<int>(xml.lineNumber());
        const std::optional<Position> at = PositionOf(xml);
        if (!ReadWaypointBody(xml, w)) return Outcome::Broken;  // broken off inside: not taken
        if (!at) {
            parsed.problems << QString(str::GpxNoPosition).arg(w.line);
            return Outcome::Whole;
        }
        if (!TakePoint()) return Outcome::OverBudget;
        w.lat = at->lat;
        w.lon = at->lon;
        parsed.waypoints.push_back(std::move(w));
        return Outcome::Whole;
    }

    void ReadAll() {
        // Waypoints, routes and tracks may sit at any depth a writer chooses.
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            Outcome outcome = Outcome::Whole;
            if (IsNamed(xml, "wpt")) {
                outcome = ReadWaypoint();
            } else if (IsNamed(xml, "rte")) {
                Path route;
                outcome = ReadPath("rtept", route);
                if (outcome == Outcome::Whole) parsed.routes.push_back(std::move(route));
            } else if (IsNamed(xml, "trk")) {
                outcome = ReadTrack();
            }
            if (outcome != Outcome::Whole) break;
        }
    }
};

// A pixel from a calibration result, truncated toward zero; nothing when
// the value does not fit a pixel at all. A value a hair below a whole pixel
// is that pixel: degrees written with seven decimals come back as 99.9999
// for pixel 100, and truncating that would move every exported point.
std::optional<int> Pixel(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    constexpr double kNoise = 1e-3;
    const double nearest = std::round(v);
    if (std::fabs(v - nearest) < kNoise) return static_cast<int>(nearest);
    return static_cast<int>(v);
}

enum class Place { Inside, WrongQuarter, Outside };

// Where a GPX position falls on the location, and its pixel when inside.
Place Locate(const CTarnLocation& location, double lat, double lon, QPoint& pixel) {
    // The program works north of the equator and west of Greenwich only.
    if (lat < 0.0 || lon > 0.0) return Place::WrongQuarter;
    CCoordinate c;
    c.latitude.FromDecimalDegrees(lat);
    c.longitude.FromDecimalDegrees(-lon);
    const std::optional<int> x = Pixel(location.LongitudeToX(c));
    const std::optional<int> y = Pixel(location.LatitudeToY(c));
    const QSize extent = location.Extent();
    if (!x || !y ||
        !InAllowedMappingArea(*x, *y, extent.width(), extent.height(), location.maps.zoom))
        return Place::Outside;
    pixel = QPoint(*x, *y);
    return Place::Inside;
}

void Count(Place place, Counts& counts) {
    if (place == Place::WrongQuarter) ++counts.skippedQuarter;
    if (place == Place::Outside) ++counts.skippedOutside;
}

// A path's pixels when every point lies inside; counts the skip otherwise.
// A point in the wrong quarter names the reason before one outside the maps.
std::optional<std::vector<QPoint>> PlacePath(const CTarnLocation& location, const Path& path,
                                             Counts& counts) {
    if (path.points.empty()) {
        ++counts.skippedEmpty;
        return std::nullopt;
    }
    std::vector<QPoint> pixels;
    pixels.reserve(path.points.size());
    Place worst = Place::Inside;
    for (const Position& p : path.points) {
        QPoint pixel;
        const Place place = Locate(location, p.lat, p.lon, pixel);
        if (place == Place::WrongQuarter) {
            worst = place;
            break;
        }
        if (place == Place::Outside) worst = place;
        pixels.push_back(pixel);
    }
    if (worst != Place::Inside) {
        Count(worst, counts);
        return std::nullopt;
    }
    return pixels;
}

void AddLines(const QString& format, int count, const Counts& counts, QStringList& lines) {
    lines << QString(format).arg(count);
    if (counts.skippedQuarter > 0)
        lines << QString(str::GpxSkippedQuarter).arg(counts.skippedQuarter);
    if (counts.skippedOutside > 0)
        lines << QString(str::GpxSkippedOutside).arg(counts.skippedOutside);
    if (counts.skippedEmpty > 0) lines << QString(str::GpxSkippedEmpty).arg(counts.skippedEmpty);
}

}  // namespace

QString FeetToMetresText(int32_t feet) {
    // A foot is exactly 0.3048 m: ten-thousandths of a metre are whole.
    const int64_t tenThousandths = int64_t(feet) * 3048;
    const uint64_t magnitude =
        tenThousandths < 0 ? uint64_t(-tenThousandths) : uint64_t(tenThousandths);
    QString text = QString::number(magnitude / 10000);
    if (const uint64_t fraction = magnitude % 10000; fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, '0');
        while (digits.endsWith('0')) digits.chop(1);
        text += '.' + digits;
    }
    return tenThousandths < 0 ? '-' + text : text;
}

int32_t MetresToFeet(double metres) {
    if (!std::isfinite(metres)) return 0;
    const double feet = std::round(metres / 0.3048);
    if (feet >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (feet <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(feet);
}

// The XML declaration and the opening gpx element every file of ours has.
static void BeginGpx(QXmlStreamWriter& xml) {
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument("1.0");
    xml.writeDefaultNamespace(kNamespace);
    xml.writeStartElement(kNamespace, "gpx");
    xml.writeAttribute("version", "1.1");
    xml.writeAttribute("creator", kCreator);
}

QByteArray WriteGpx(const CTarnLocation& location) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    BeginGpx(xml);
    for (const auto& point : location.userInfoPoints.points)
        WriteWaypoint(xml, PixelToPosition(location, point->position), point->altitude, point->name,
                      point->info, IconSymbol(point->iconId), QString());
    for (const auto& point : location.mapPoints.items)
        WriteWaypoint(xml, PixelToPosition(location, point->position), point->elevation,
                      point->name, point->info, MapPointSymbol(point->type),
                      MapPointTypeName(point->type));
    int number = 0;
    for (const auto& line : location.lineDraws.items)
        WriteRoute(xml, location, QString(str::GpxRouteName).arg(++number), line->points);
    int rectangles = 0;
    int ellipses = 0;
    for (const auto& shape : location.rectElipDraws.items) {
        const QString name = shape->isEllipse ? QString(str::GpxEllipseName).arg(++ellipses)
                                              : QString(str::GpxRectangleName).arg(++rectangles);
        WriteRoute(xml, location, name, Outline(*shape));
    }
    number = 0;
    for (const auto& stroke : location.freeHands.items)
        WriteTrack(xml, location, QString(str::GpxStrokeName).arg(++number), stroke->points);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

CAtomicFile::Status ExportGpx(const CTarnLocation& location, const QString& path) {
    return CAtomicFile::Write(path, WriteGpx(location));
}

QString ExportFailureMessage(CAtomicFile::Status status, const QString& path) {
    if (status == CAtomicFile::Status::DiskFull) return CAtomicFile::Message(status, path);
    return QString(str::GpxCannotWrite).arg(filenames::Shown(path));
}

QByteArray WriteTrackGpx(const QString& name, const std::vector<TimedPoint>& points) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    BeginGpx(xml);
    xml.writeStartElement("trk");
    xml.writeTextElement("name", name);
    xml.writeStartElement("trkseg");
    for (const TimedPoint& p : points) {
        xml.writeStartElement("trkpt");
        WritePosition(xml, Position{p.lat, p.lon});
        if (std::isfinite(p.ele)) xml.writeTextElement("ele", QString::number(p.ele, 'f', 1));
        if (p.time.isValid())
            xml.writeTextElement("time", p.time.toUTC().toString(Qt::ISODateWithMs));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

CAtomicFile::Status SaveTrackGpx(const QString& name, const std::vector<TimedPoint>& points,
                                 const QString& path) {
    return CAtomicFile::Write(path, WriteTrackGpx(name, points));
}

ParsedGpx ParseGpx(const QByteArray& bytes, int maxPoints) {
    ParsedGpx parsed;
    QXmlStreamReader xml(bytes);
    if (bytes.trimmed().isEmpty()) {
        parsed.problems << QString(str::GpxNotGpx);
        return parsed;
    }
    if (!xml.readNextStartElement()) {
        parsed.problems
            << (xml.hasError()
                    ? QString(str::GpxXmlError).arg(xml.lineNumber()).arg(xml.errorString())
                    : QString(str::GpxNotGpx));
        return parsed;
    }
    if (!IsNamed(xml, "gpx")) {
        parsed.problems << QString(str::GpxNotGpx);
        return parsed;
    }
    parsed.isGpx = true;
    Reading reading{xml, parsed, maxPoints};
    reading.ReadAll();
    if (xml.hasError())
        parsed.problems << QString(str::GpxXmlError).arg(xml.lineNumber()).arg(xml.errorString());
    return parsed;
}

SourceBytes ReadGpxFile(const QString& path) {
    SourceBytes result;
    // Not blocking: opening a named pipe would wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return result;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.source = Source::NotRegular;
        return result;
    }
    if (st.st_size > kMaxFileBytes) {
        ::close(fd);
        result.source = Source::TooLarge;
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return result;
    }
    // The file may grow while it is read: never past the limit.
    QByteArray bytes;
    bytes.reserve(qsizetype(st.st_size));
    constexpr qint64 kChunk = qint64(1) << 20;
    while (bytes.size() <= kMaxFileBytes) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty()) break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) return result;
    if (bytes.size() > kMaxFileBytes) {
        result.source = Source::TooLarge;
        return result;
    }
    result.source = Source::Read;
    result.bytes = std::move(bytes);
    return result;
}

QString SourceProblem(Source source, const QString& path) {
    switch (source) {
        case Source::Read:
            return QString();
        case Source::NotRegular:
            return QString(str::GpxNotAFile).arg(path);
        case Source::TooLarge:
            return QString(str::GpxTooLarge).arg(path).arg(kMaxFileBytes >> 20);
        case Source::CannotOpen:
            break;
    }
    return QString(str::GpxCannotOpen).arg(filenames::Shown(path));
}

QString ImportReport::Message() const {
    QStringList lines;
    const bool paths = routes.Offered() > 0 || segments.Offered() > 0;
    if (waypoints.Offered() > 0 || !paths)
        AddLines(str::GpxAdded, waypoints.added, waypoints, lines);
    if (routes.Offered() > 0) AddLines(str::GpxRoutesAdded, routes.added, routes, lines);
    if (segments.Offered() > 0) AddLines(str::GpxTracksAdded, segments.added, segments, lines);
    if (!problems.isEmpty()) {
        lines << QString(str::GpxCouldNotRead);
        lines << problems;
    }
    return lines.join('\n');
}

ImportReport AddParsed(CTarnLocation& location, const ParsedGpx& parsed) {
    ImportReport report;
    report.problems = parsed.problems;
    report.readable = parsed.isGpx;

    struct Placed {
        const Waypoint* waypoint;
        QPoint pixel;
        std::optional<int32_t> mapPointType;
    };
    std::vector<Placed> accepted;
    for (const Waypoint& w : parsed.waypoints) {
        QPoint pixel;
        const Place place = Locate(location, w.lat, w.lon, pixel);
        Count(place, report.waypoints);
        if (place == Place::Inside) accepted.push_back({&w, pixel, MapPointTypeFromName(w.type)});
    }
    std::vector<std::vector<QPoint>> lines;
    for (const Path& route : parsed.routes)
        if (auto pixels = PlacePath(location, route, report.routes)) lines.push_back(*pixels);
    std::vector<std::vector<QPoint>> strokes;
    for (const Path& segment : parsed.segments)
        if (auto pixels = PlacePath(location, segment, report.segments)) strokes.push_back(*pixels);

    for (const Placed& p : accepted) {
        const Waypoint& w = *p.waypoint;
        const int32_t feet = w.ele ? MetresToFeet(*w.ele) : 0;
        if (p.mapPointType) {
            location.mapPoints.AddPoint(p.pixel.x(), p.pixel.y(), *p.mapPointType, feet, w.name,
                                        w.desc);
            continue;
        }
        auto point = std::make_unique<CUserInfoPoint>();
        point->SetIcon(IconForSymbol(w.sym));
        point->SetName(w.name);
        point->SetInfo(w.desc);
        point->altitude = feet;
        point->position = p.pixel;
        location.userInfoPoints.Append(std::move(point));
    }
    for (std::vector<QPoint>& vertices : lines)
        location.lineDraws.AddNew().points = std::move(vertices);
    for (std::vector<QPoint>& points : strokes) {
        CFreeHand& stroke = location.freeHands.AddNew();
        stroke.points = std::move(points);
        stroke.ComputeBounds();
    }
    report.waypoints.added = static_cast<int>(accepted.size());
    report.routes.added = static_cast<int>(lines.size());
    report.segments.added = static_cast<int>(strokes.size());
    return report;
}

ImportReport ImportGpx(CTarnLocation& location, const QString& path) {
    const SourceBytes read = ReadGpxFile(path);
    return ImportRead(location, read,
                      read.source == Source::Read ? ParseGpx(read.bytes) : ParsedGpx{}, path);
}

ImportReport ImportRead(CTarnLocation& location, const SourceBytes& read, const ParsedGpx& parsed,
                        const QString& path) {
    if (read.source != Source::Read) {
        ImportReport report;
        report.readable = false;
        report.problems << SourceProblem(read.source, path);
        return report;
    }
    return AddParsed(location, parsed);
}

}  // namespace gpx
