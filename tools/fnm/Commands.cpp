#include "Commands.h"

#include <QFileInfo>
#include <cstdio>
#include <string>

#include "LocationReport.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "geo/Coordinate.h"

namespace fnm {
namespace {

void Print(FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void Complain(const QString& text) {
    Print(stderr, text.toLocal8Bit().toStdString() + "\n");
}

// Messages (the program's own) have gone to stderr already through the
// silent prompts.
bool RefuseReadOnlyTarget(const QString& out) {
    // The program never writes a location under an image or "qlt" name.
    if (!CTarnlightDoc::IsReadOnlyForm(out)) return false;
    Complain(out + ": a location is not written under a .qlt, .jpg or .bmp name");
    return true;
}

int ReadLocation(CTarnlightDoc& doc, const QString& path) {
    if (doc.OnOpenDocument(path)) return kSuccess;
    switch (doc.LastArchiveError()) {
        case CArchive::Error::EndOfFile:
        case CArchive::Error::BadFormat:
        case CArchive::Error::BadClass:
        case CArchive::Error::BadSchema:
            return kFormatFault;
        default:
            return kFileFault;
    }
}

namespace {

bool ParseDegrees(const QString& text, double& out) {
    bool ok = false;
    out = text.toDouble(&ok);
    return ok;
}

}  // namespace

int Info(const QStringList& args) {
    const bool json = args.contains("--json");
    QStringList files = args;
    files.removeAll("--json");
    if (files.size() != 1) {
        Complain("usage: fnm info FILE [--json]");
        return kUsage;
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, files[0]); status != kSuccess) return status;
    Print(stdout, json ? LocationJson(location) : LocationSummary(location, files[0]));
    return kSuccess;
}

int Resave(const QStringList& args) {
    if (args.size() != 2) {
        Complain("usage: fnm resave IN OUT");
        return kUsage;
    }
    const QString& out = args[1];
    if (RefuseReadOnlyTarget(out)) return kFileFault;
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, args[0]); status != kSuccess) return status;
    return doc.DoSave(out) ? kSuccess : kFileFault;
}

int Distance(const QStringList& args) {
    double v[4];
    if (args.size() != 4 || !ParseDegrees(args[0], v[0]) || !ParseDegrees(args[1], v[1]) ||
        !ParseDegrees(args[2], v[2]) || !ParseDegrees(args[3], v[3])) {
        Complain("usage: fnm distance LAT1 LON1 LAT2 LON2");
        return kUsage;
    }
    CCoordinate a;
    CCoordinate b;
    a.latitude.FromDecimalDegrees(v[0]);
    a.longitude.FromDecimalDegrees(v[1]);
    b.latitude.FromDecimalDegrees(v[2]);
    b.longitude.FromDecimalDegrees(v[3]);
    std::printf("%.6f\n", a.DistanceTo(b));
    return kSuccess;
}

}  // namespace fnm
