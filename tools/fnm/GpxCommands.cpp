#include "GpxCommands.h"

#include <QFile>
#include <cstdio>
#include <string>

#include "Commands.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "interchange/Gpx.h"
#include "resources/Strings.h"

namespace fnm {

int ExportGpx(const QStringList& args) {
    if (args.size() != 2) {
        Complain("usage: fnm export-gpx FILE OUT.gpx");
        return kUsage;
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, args[0]); status != kSuccess) return status;
    if (const auto status = gpx::ExportGpx(location, args[1]); status != CAtomicFile::Status::Ok) {
        Complain(gpx::ExportFailureMessage(status, args[1]));
        return kFileFault;
    }
    return kSuccess;
}

int ImportGpx(const QStringList& args) {
    if (args.size() != 3) {
        Complain("usage: fnm import-gpx FILE IN.gpx OUT.fnm");
        return kUsage;
    }
    const QString& out = args[2];
    if (RefuseReadOnlyTarget(out)) return kFileFault;
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, args[0]); status != kSuccess) return status;
    QFile gpxFile(args[1]);
    if (!gpxFile.open(QIODevice::ReadOnly)) {
        Complain(QString(str::GpxCannotOpen).arg(args[1]));
        return kFileFault;
    }
    const gpx::ImportReport report = gpx::AddWaypoints(location, gpx::ParseGpx(gpxFile.readAll()));
    std::printf("added %d\nskipped %d\n", report.added, report.Skipped());
    std::fflush(stdout);
    if (report.Skipped() > 0 || !report.problems.isEmpty()) Complain(report.Message());
    doc.SetModifiedFlag();
    return doc.DoSave(out) ? kSuccess : kFileFault;
}

}  // namespace fnm
