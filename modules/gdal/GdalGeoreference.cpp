// SPDX-License-Identifier: GPL-3.0-or-later
// The georeference readers that need GDAL and PROJ. They live in a module of
// their own, opened only when an image has something to read: GDAL and the
// libraries it draws in cost a tenth of a second to load, which every start
// of the programs would pay otherwise.
#include "georef/Georeference.h"
#include "georef/Sidecars.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <memory>
#include <mutex>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <gdal_frmts.h>
#include <ogr_spatialref.h>

#include "georef/OziMap.h"
#include "georef/WorldFile.h"

namespace georef {
namespace {

// GDAL's own messages go nowhere but here: the first failure or warning of
// the call in progress becomes the reason shown to the user.
class GdalMessages {
public:
    GdalMessages() {
        CPLErrorReset();
        CPLPushErrorHandlerEx(&GdalMessages::Handler, this);
    }
    ~GdalMessages() { CPLPopErrorHandler(); }
    GdalMessages(const GdalMessages&) = delete;
    GdalMessages& operator=(const GdalMessages&) = delete;

    const QString& First() const { return first; }

private:
    static void CPL_STDCALL Handler(CPLErr kind, CPLErrorNum, const char* text) {
        auto* self = static_cast<GdalMessages*>(CPLGetErrorHandlerUserData());
        if (self && kind >= CE_Warning && self->first.isEmpty() && text)
            self->first = QString::fromUtf8(text).trimmed();
    }
    QString first;
};

void InitGdal() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Reading an image must never leave an .aux.xml beside it.
        CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
        CPLSetConfigOption("GTIFF_REPORT_COMPD_CS", "NO");
        GDALRegister_GTiff();
    });
}

struct SrsDeleter {
    void operator()(OGRSpatialReference* s) const {
        if (s) s->Release();
    }
};
using Srs = std::unique_ptr<OGRSpatialReference, SrsDeleter>;

Srs NewSrs() {
    Srs s(new OGRSpatialReference);
    s->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return s;
}

Srs Wgs84() {
    Srs s = NewSrs();
    s->SetWellKnownGeogCS("WGS84");
    return s;
}

QString SrsName(const OGRSpatialReference& srs) {
    const char* name = srs.GetName();
    return name && *name ? QString::fromUtf8(name) : QStringLiteral("unnamed coordinate system");
}

Georeference Unusable(const QString& source, const QString& problem) {
    Georeference g;
    g.status = Georeference::Status::Unusable;
    g.source = source;
    g.problem = problem;
    return g;
}

// Pixels to WGS 84 through t and the transformation from srs, at the grid
// of samples; the two-point fit of the result.
Georeference Calibrate(const Affine& t, const OGRSpatialReference& srs, const QString& source,
                       const QString& crs, int width, int height) {
    if (!IsUsable(t)) return Unusable(source, "it gives a pixel no size (a scale of zero)");
    GdalMessages messages;
    const Srs wgs84 = Wgs84();
    std::unique_ptr<OGRCoordinateTransformation> transform(
        OGRCreateCoordinateTransformation(&srs, wgs84.get()));
    if (!transform)
        return Unusable(
            source, "its coordinate system cannot be transformed to WGS 84" +
                        (messages.First().isEmpty() ? QString() : " (" + messages.First() + ")"));
    std::vector<GeoSample> samples = SampleGrid(width, height);
    std::vector<double> xs, ys;
    for (const GeoSample& s : samples) {
        xs.push_back(t[0] + s.x * t[1] + s.y * t[2]);
        ys.push_back(t[3] + s.x * t[4] + s.y * t[5]);
    }
    std::vector<int> ok(samples.size(), 0);
    if (!transform->Transform(int(samples.size()), xs.data(), ys.data(), nullptr, ok.data()))
        return Unusable(source, "its corners cannot be transformed to WGS 84");
    for (size_t i = 0; i < samples.size(); ++i) {
        if (!ok[i] || !std::isfinite(xs[i]) || !std::isfinite(ys[i]) || std::fabs(ys[i]) > 90 ||
            std::fabs(xs[i]) > 540)
            return Unusable(source, "it places the image outside the globe");
        samples[i].lon = xs[i];
        samples[i].lat = ys[i];
    }
    Georeference g;
    g.source = source;
    g.crs = crs;
    g.fit = FitTwoPoints(samples, width, height);
    if (!g.fit.ok) return Unusable(source, "it gives the map no extent in latitude or longitude");
    g.status = Georeference::Status::Found;
    return g;
}

QByteArray ReadSmall(const QString& path, qsizetype limit, bool& tooLarge) {
    tooLarge = false;
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly) || f.isSequential()) return {};
    if (f.size() > limit) {
        tooLarge = true;
        return {};
    }
    return f.read(limit + 1);
}

bool LooksLikeDegrees(const Affine& t, int width, int height) {
    const double xs[2] = {t[0], t[0] + width * t[1] + height * t[2]};
    const double ys[2] = {t[3], t[3] + width * t[4] + height * t[5]};
    for (int i = 0; i < 2; ++i)
        if (std::fabs(xs[i]) > 180 || std::fabs(ys[i]) > 90) return false;
    return true;
}

std::optional<Georeference> FromGeoTiff(const QString& path, int width, int height) {
    if (!IsTiff(path)) return std::nullopt;
    const bool tagged = HasGeoTiffTags(path);
    const QString source = QStringLiteral("GeoTIFF tags");
    InitGdal();
    GdalMessages messages;
    const char* const drivers[] = {"GTiff", nullptr};
    const char* const options[] = {"GEOREF_SOURCES=INTERNAL", nullptr};
    const QByteArray name = QFile::encodeName(path);
    GDALDatasetH ds =
        GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, options, nullptr);
    if (!ds) {
        if (!tagged) return std::nullopt;
        return Unusable(
            source, "GDAL cannot read them" +
                        (messages.First().isEmpty() ? QString() : " (" + messages.First() + ")"));
    }
    struct Closer {
        GDALDatasetH ds;
        ~Closer() { GDALClose(ds); }
    } closer{ds};

    Affine t{};
    bool has = GDALGetGeoTransform(ds, t.data()) == CE_None;
    OGRSpatialReferenceH srsHandle = GDALGetSpatialRef(ds);
    if (!has && GDALGetGCPCount(ds) >= 2) {
        std::vector<GeoSample> points;
        const GDAL_GCP* gcps = GDALGetGCPs(ds);
        for (int i = 0; i < GDALGetGCPCount(ds); ++i)
            points.push_back(
                {gcps[i].dfGCPPixel, gcps[i].dfGCPLine, gcps[i].dfGCPX, gcps[i].dfGCPY});
        has = FitAffine(points, t);
        srsHandle = GDALGetGCPSpatialRef(ds);
    }
    if (!has) {
        if (!tagged) return std::nullopt;
        return Unusable(
            source, "they are damaged" +
                        (messages.First().isEmpty() ? QString() : " (" + messages.First() + ")"));
    }
    if (!IsUsable(t)) return Unusable(source, "they give a pixel no size (a scale of zero)");
    Srs srs = NewSrs();
    QString crs;
    if (srsHandle) {
        *srs = *OGRSpatialReference::FromHandle(srsHandle);
        srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        crs = SrsName(*srs);
    } else if (LooksLikeDegrees(t, width, height)) {
        srs = Wgs84();
        crs = "WGS 84 (assumed)";
    } else {
        return Unusable(
            source, "they name no coordinate system" +
                        (messages.First().isEmpty() ? QString() : " (" + messages.First() + ")"));
    }
    return Calibrate(t, *srs, source, crs, width, height);
}

std::optional<Georeference> FromWorldFile(const QFileInfo& image, int width, int height) {
    const QString worldPath = Beside(image, WorldFileEndings(image.suffix()));
    if (worldPath.isEmpty()) return std::nullopt;
    const QString source = "world file " + QFileInfo(worldPath).fileName();
    bool tooLarge = false;
    const QByteArray bytes = ReadSmall(worldPath, kMaxSidecarBytes, tooLarge);
    const WorldFile world = ParseWorldFile(bytes);
    if (!world.ok) return Unusable(source, world.problem);

    InitGdal();
    const QString prjPath = Beside(image, {"prj"});
    if (prjPath.isEmpty())
        return Calibrate(world.transform, *Wgs84(), source, "WGS 84 (assumed, no .prj)", width,
                         height);
    const QString prjName = QFileInfo(prjPath).fileName();
    const QByteArray text = ReadSmall(prjPath, kMaxSidecarBytes, tooLarge).trimmed();
    GdalMessages messages;
    Srs srs = NewSrs();
    if (text.isEmpty() || text.contains('\0') ||
        srs->SetFromUserInput(text.constData(),
                              OGRSpatialReference::SET_FROM_USER_INPUT_LIMITATIONS_get()) !=
            OGRERR_NONE)
        return Unusable(source + " with " + prjName,
                        prjName + " names no coordinate system GDAL knows");
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return Calibrate(world.transform, *srs, source + " with " + prjName, SrsName(*srs), width,
                     height);
}

Srs DatumSrs(const QString& datum) {
    const QString d = datum.simplified().toUpper();
    int epsg = 0;
    if (d == "WGS 84" || d == "WGS84")
        epsg = 4326;
    else if (d.startsWith("NAD83"))
        epsg = 4269;
    else if (d.startsWith("NAD27"))
        epsg = 4267;
    else if (d.startsWith("ETRS") || d.startsWith("ETRF"))
        epsg = 4258;
    else if (d == "OSGB 36" || d == "ORD SRVY GRT BRITN")
        epsg = 4277;
    if (!epsg) return nullptr;
    Srs s = NewSrs();
    if (s->importFromEPSG(epsg) != OGRERR_NONE) return nullptr;
    s->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return s;
}

std::optional<Georeference> FromOziMap(const QFileInfo& image, int width, int height) {
    const QString mapPath = Beside(image, {"map"});
    if (mapPath.isEmpty()) return std::nullopt;
    const QString source = "OziExplorer map " + QFileInfo(mapPath).fileName();
    bool tooLarge = false;
    const QByteArray bytes = ReadSmall(mapPath, kMaxOziMapBytes, tooLarge);
    OziMap map = ParseOziMap(bytes);
    if (!map.ok) {
        // A ".map" of some other program is no georeference at all.
        if (!bytes.startsWith("OziExplorer")) return std::nullopt;
        return Unusable(source, map.problem);
    }
    InitGdal();
    GdalMessages messages;
    Srs geographic = DatumSrs(map.datum);
    if (!geographic) return Unusable(source, "its datum \"" + map.datum + "\" is not supported");
    // Points made for another size of the same picture.
    if (map.width > 0 && map.height > 0 && (map.width != width || map.height != height))
        for (OziPoint& p : map.points) {
            p.x *= double(width) / map.width;
            p.y *= double(height) / map.height;
        }
    const QString projection = map.projection.simplified();
    Srs plane = NewSrs();
    bool projected = true;
    double meanLon = 0;
    bool north = true;
    for (const OziPoint& p : map.points) meanLon += p.lon / double(map.points.size());
    if (!map.points.empty()) north = map.points.front().lat >= 0;
    auto setup = [&](size_t i) {
        return i < map.projectionSetup.size() ? map.projectionSetup[i] : 0.0;
    };
    if (projection.isEmpty() ||
        projection.compare("Latitude/Longitude", Qt::CaseInsensitive) == 0) {
        projected = false;
    } else {
        plane->CopyGeogCSFrom(geographic.get());
        OGRErr err = OGRERR_NONE;
        if (projection.contains("UTM", Qt::CaseInsensitive))
            err = plane->SetUTM(std::clamp(int(std::floor((meanLon + 180) / 6)) + 1, 1, 60), north);
        else if (projection.compare("Transverse Mercator", Qt::CaseInsensitive) == 0)
            err = plane->SetTM(setup(0), setup(1), setup(2) == 0 ? 1.0 : setup(2), setup(3),
                               setup(4));
        else if (projection.compare("Mercator", Qt::CaseInsensitive) == 0)
            err = plane->SetMercator(0, 0, 1, 0, 0);
        else
            return Unusable(source, "its projection \"" + projection + "\" is not supported");
        if (err != OGRERR_NONE)
            return Unusable(source, "its projection \"" + projection + "\" cannot be set up");
    }
    std::vector<GeoSample> points;
    for (const OziPoint& p : map.points) points.push_back({p.x, p.y, p.lon, p.lat});
    if (projected) {
        std::unique_ptr<OGRCoordinateTransformation> toPlane(
            OGRCreateCoordinateTransformation(geographic.get(), plane.get()));
        if (!toPlane) return Unusable(source, "its points cannot be projected");
        for (GeoSample& p : points)
            if (!toPlane->Transform(1, &p.lon, &p.lat))
                return Unusable(source, "its points cannot be projected");
    }
    Affine t{};
    if (!FitAffine(points, t))
        return Unusable(source, "its points do not span the picture in both directions");
    const OGRSpatialReference& srs = projected ? *plane : *geographic;
    return Calibrate(t, srs, source, SrsName(srs), width, height);
}

}  // namespace

}  // namespace georef

extern "C" __attribute__((visibility("default"))) void fm_gdal_find_georeference(
    const QString* imagePath, int width, int height, georef::Georeference* out) {
    using namespace georef;
    const QFileInfo image(*imagePath);
    if (auto g = FromGeoTiff(*imagePath, width, height))
        *out = *g;
    else if (auto g = FromWorldFile(image, width, height))
        *out = *g;
    else if (auto g = FromOziMap(image, width, height))
        *out = *g;
    else
        *out = Georeference{};
}
