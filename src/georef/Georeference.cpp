// SPDX-License-Identifier: GPL-3.0-or-later
#include "georef/Georeference.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <mutex>

#include "georef/Sidecars.h"
#include "resources/Strings.h"

namespace georef {
namespace {

QString Number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

// Whether the image has anything GDAL would read: GeoTIFF tags, a world
// file or a .map beside it. Most map images have none, and then GDAL is
// never loaded.
bool HasGeoreferenceToRead(const QFileInfo& image) {
    if (IsTiff(image.filePath()) && HasGeoTiffTags(image.filePath())) return true;
    if (!Beside(image, WorldFileEndings(image.suffix())).isEmpty()) return true;
    return !Beside(image, {"map"}).isEmpty();
}

using FindFunction = void (*)(const QString*, int, int, Georeference*);

struct Module {
    FindFunction find = nullptr;
    QString problem;
};

// The GDAL module: beside the programs as installed, or in the build tree
// (the programs in bin/, tests and benchmarks one or two folders down), or
// where FENMARROW_MODULE_DIR says.
const Module& GdalModule() {
    static Module module;
    static std::once_flag once;
    std::call_once(once, [] {
        const QString exeDir = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).path();
        QStringList dirs;
        if (const QByteArray env = qgetenv("FENMARROW_MODULE_DIR"); !env.isEmpty())
            dirs << QFile::decodeName(env);
        dirs << exeDir + "/" FM_MODULEDIR_FROM_BIN << exeDir + "/../lib/fenmarrow"
             << exeDir + "/../../lib/fenmarrow";
        QStringList tried;
        for (const QString& dir : dirs) {
            const QString path = QDir(dir).filePath("fenmarrow-gdal.so");
            if (!QFileInfo(path).isFile()) continue;
            QLibrary library(path);
            library.setLoadHints(QLibrary::PreventUnloadHint);
            if (auto f =
                    reinterpret_cast<FindFunction>(library.resolve("fm_gdal_find_georeference"))) {
                module.find = f;
                return;
            }
            tried << library.errorString();
        }
        module.problem = tried.isEmpty()
                             ? QStringLiteral("the GDAL module fenmarrow-gdal.so is not installed")
                             : "the GDAL module cannot be loaded (" + tried.join("; ") + ")";
    });
    return module;
}

}  // namespace

Georeference FindGeoreference(const QString& imagePath, int width, int height) {
    if (width <= 0 || height <= 0 || imagePath.isEmpty() || imagePath.contains(QChar(0))) return {};
    const QFileInfo image(imagePath);
    if (!image.isFile()) return {};
    if (!HasGeoreferenceToRead(image)) return {};
    const Module& gdal = GdalModule();
    if (!gdal.find) {
        Georeference g;
        g.status = Georeference::Status::Unusable;
        g.source = QStringLiteral("georeference");
        g.problem = gdal.problem;
        return g;
    }
    Georeference g;
    gdal.find(&imagePath, width, height, &g);
    return g;
}

QString Describe(const Georeference& g) {
    switch (g.status) {
        case Georeference::Status::None:
            return {};
        case Georeference::Status::Unusable:
            return "  georeference: " + g.source + ", unusable: " + g.problem + "\n";
        case Georeference::Status::Found:
            break;
    }
    const Calibration& c = g.fit.calibration;
    QString s = "  georeference: " + g.source + ", " + g.crs + "\n";
    s += "  calibration from it: pixel (" + QString::number(c.x1) + ", " + QString::number(c.y1) +
         ") = N " + Number(c.lat1, 7) + " W " + Number(c.lon1, 7) + "; pixel (" +
         QString::number(c.x2) + ", " + QString::number(c.y2) + ") = N " + Number(c.lat2, 7) +
         " W " + Number(c.lon2, 7) + "\n";
    s += "  largest error of the two-point calibration: " + Number(g.fit.maxErrorMetres, 1) +
         " m (" + Number(g.fit.maxErrorPixels, 2) + " pixels)" +
         (g.fit.Bends() ? ", the projection bends" : "") + "\n";
    return s;
}

QString OpenMessage(const Georeference& g, const QString& shownName) {
    if (g.status == Georeference::Status::Unusable)
        return QString(str::GeorefUnusable).arg(shownName, g.source + ": " + g.problem);
    if (g.Found() && g.fit.Bends())
        return QString(str::GeorefBends)
            .arg(shownName, g.source, g.crs, Number(g.fit.maxErrorMetres, 1),
                 Number(g.fit.maxErrorPixels, 1));
    return {};
}

}  // namespace georef
