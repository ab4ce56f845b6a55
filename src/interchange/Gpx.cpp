#include "interchange/Gpx.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>
#include <limits>
#include <memory>

#include "document/TarnLocation.h"
#include "geo/Coordinate.h"
#include "interchange/GpxSymbols.h"
#include "resources/Strings.h"

namespace gpx {
namespace {

constexpr const char* kNamespace = "http://www.topografix.com/GPX/1/1";
constexpr const char* kCreator = "Fenmarrow Utilities";
constexpr int kDecimals = 7;

struct LatLon {
    double lat;
    double lon;
};

LatLon PixelToLatLon(const CTarnLocation& location, const QPoint& pixel) {
    CCoordinate c;
    location.PixelToCoordinate(pixel.x(), pixel.y(), c);
    // Stored longitudes count west; GPX counts east.
    return {c.latitude.ToDecimalDegrees(), -c.longitude.ToDecimalDegrees()};
}

void WritePosition(QXmlStreamWriter& xml, const LatLon& at) {
    xml.writeAttribute("lat", QString::number(at.lat, 'f', kDecimals));
    xml.writeAttribute("lon", QString::number(at.lon, 'f', kDecimals));
}

void WriteWaypoint(QXmlStreamWriter& xml, const LatLon& at, int elevation, const QString& name,
                   const QString& desc, const QString& sym, const QString& type) {
    xml.writeStartElement("wpt");
    WritePosition(xml, at);
    xml.writeTextElement("ele", QString::number(elevation));
    xml.writeTextElement("name", name);
    if (!desc.isEmpty()) xml.writeTextElement("desc", desc);
    xml.writeTextElement("sym", sym);
    if (!type.isEmpty()) xml.writeTextElement("type", type);
    xml.writeEndElement();
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

int Whole(const std::optional<double>& v) {
    if (!v) return 0;
    const double r = std::round(*v);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int>(r);
}

}  // namespace

QByteArray WriteGpx(const CTarnLocation& location) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument("1.0");
    xml.writeDefaultNamespace(kNamespace);
    xml.writeStartElement(kNamespace, "gpx");
    xml.writeAttribute("version", "1.1");
    xml.writeAttribute("creator", kCreator);
    for (const auto& point : location.userInfoPoints.points)
        WriteWaypoint(xml, PixelToLatLon(location, point->position), point->altitude, point->name,
                      point->info, IconSymbol(point->iconId), QString());
    for (const auto& point : location.mapPoints.items)
        WriteWaypoint(xml, PixelToLatLon(location, point->position), point->elevation, point->name,
                      point->info, MapPointSymbol(point->type), MapPointTypeName(point->type));
    int number = 0;
    for (const auto& line : location.lineDraws.items) {
        ++number;
        xml.writeStartElement("rte");
        xml.writeTextElement("name", QString(str::GpxRouteName).arg(number));
        for (const QPoint& vertex : line->points) {
            xml.writeStartElement("rtept");
            WritePosition(xml, PixelToLatLon(location, vertex));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

CAtomicFile::Status ExportGpx(const CTarnLocation& location, const QString& path) {
    return CAtomicFile::Write(path, WriteGpx(location));
}

QString ExportFailureMessage(CAtomicFile::Status status, const QString& path) {
    if (status == CAtomicFile::Status::DiskFull) return CAtomicFile::Message(status, path);
    return QString(str::GpxCannotWrite).arg(path);
}

ParsedGpx ParseGpx(const QByteArray& bytes) {
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
    // Waypoints may sit at any depth a writer chooses; take every <wpt>.
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || !IsNamed(xml, "wpt")) continue;
        Waypoint w;
        w.line = static_cast<int>(xml.lineNumber());
        const QXmlStreamAttributes attributes = xml.attributes();
        const std::optional<double> lat = Degrees(attributes, "lat", 90.0);
        const std::optional<double> lon = Degrees(attributes, "lon", 180.0);
        if (!ReadWaypointBody(xml, w)) break;  // broken off inside: not taken
        if (!lat || !lon) {
            parsed.problems << QString(str::GpxNoPosition).arg(w.line);
            continue;
        }
        w.lat = *lat;
        w.lon = *lon;
        parsed.waypoints.push_back(std::move(w));
    }
    if (xml.hasError())
        parsed.problems << QString(str::GpxXmlError).arg(xml.lineNumber()).arg(xml.errorString());
    return parsed;
}

QString ImportReport::Message() const {
    QStringList lines;
    lines << QString(str::GpxAdded).arg(added);
    if (skippedQuarter > 0) lines << QString(str::GpxSkippedQuarter).arg(skippedQuarter);
    if (skippedOutside > 0) lines << QString(str::GpxSkippedOutside).arg(skippedOutside);
    if (!problems.isEmpty()) {
        lines << QString(str::GpxCouldNotRead);
        lines << problems;
    }
    return lines.join('\n');
}

ImportReport AddWaypoints(CTarnLocation& location, const ParsedGpx& parsed) {
    ImportReport report;
    report.problems = parsed.problems;

    struct Placed {
        const Waypoint* waypoint;
        QPoint pixel;
        std::optional<int32_t> mapPointType;
    };
    std::vector<Placed> accepted;
    const QSize extent = location.Extent();
    for (const Waypoint& w : parsed.waypoints) {
        // The program works north of the equator and west of Greenwich only.
        if (w.lat < 0.0 || w.lon > 0.0) {
            ++report.skippedQuarter;
            continue;
        }
        CCoordinate c;
        c.latitude.FromDecimalDegrees(w.lat);
        c.longitude.FromDecimalDegrees(-w.lon);
        const std::optional<int> x = Pixel(location.LongitudeToX(c));
        const std::optional<int> y = Pixel(location.LatitudeToY(c));
        if (!x || !y ||
            !InAllowedMappingArea(*x, *y, extent.width(), extent.height(), location.maps.zoom)) {
            ++report.skippedOutside;
            continue;
        }
        accepted.push_back({&w, QPoint(*x, *y), MapPointTypeFromName(w.type)});
    }

    for (const Placed& p : accepted) {
        const Waypoint& w = *p.waypoint;
        if (p.mapPointType) {
            location.mapPoints.AddPoint(p.pixel.x(), p.pixel.y(), *p.mapPointType, Whole(w.ele),
                                        w.name, w.desc);
            continue;
        }
        auto point = std::make_unique<CUserInfoPoint>();
        point->SetIcon(IconForSymbol(w.sym));
        point->SetName(w.name);
        point->SetInfo(w.desc);
        point->altitude = Whole(w.ele);
        point->position = p.pixel;
        location.userInfoPoints.Append(std::move(point));
    }
    report.added = static_cast<int>(accepted.size());
    return report;
}

ImportReport ImportGpx(CTarnLocation& location, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ImportReport report;
        report.problems << QString(str::GpxCannotOpen).arg(path);
        return report;
    }
    return AddWaypoints(location, ParseGpx(file.readAll()));
}

}  // namespace gpx
