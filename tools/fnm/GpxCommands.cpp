// SPDX-License-Identifier: GPL-3.0-or-later
#include "GpxCommands.h"

#include <cstdio>

#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "interchange/Gpx.h"
#include "resources/Strings.h"

namespace fnm {

int ExportGpx(const Invocation& inv) {
    if (inv.operands.size() != 2) return UsageError(inv);
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, inv.operands[0]); status != kSuccess) return status;
    if (const auto status = gpx::ExportGpx(location, inv.operands[1]);
        status != CAtomicFile::Status::Ok) {
        Complain(gpx::ExportFailureMessage(status, inv.operands[1]));
        return kFileFault;
    }
    return kSuccess;
}

int ImportGpx(const Invocation& inv) {
    if (inv.operands.size() != 3) return UsageError(inv);
    const QString& in = inv.operands[1];
    const QString& out = inv.operands[2];
    if (RefuseReadOnlyTarget(out)) return kFileFault;
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, inv.operands[0]); status != kSuccess) return status;

    const gpx::SourceBytes read = gpx::ReadGpxFile(in);
    if (read.source != gpx::Source::Read) {
        Complain(gpx::SourceProblem(read.source, in));
        return kFileFault;
    }
    const gpx::ParsedGpx parsed = gpx::ParseGpx(read.bytes);
    if (!parsed.isGpx) {
        Complain(QString(str::FnmNotGpx).arg(in));
        Complain(parsed.problems.join('\n'));
        return kFormatFault;
    }
    const gpx::ImportReport report = gpx::AddParsed(location, parsed);
    std::printf("added %d\nskipped %d\n", report.Added(), report.Skipped());
    const std::pair<const char*, const gpx::Counts*> kinds[] = {
        {"waypoints", &report.waypoints},
        {"routes", &report.routes},
        {"track segments", &report.segments}};
    for (const auto& [name, counts] : kinds)
        std::printf("%s: %d added, %d skipped\n", name, counts->added, counts->Skipped());
    std::fflush(stdout);
    if (report.Skipped() > 0 || !report.problems.isEmpty()) Complain(report.Message());
    doc.SetModifiedFlag();
    return doc.DoSave(out) ? kSuccess : kFileFault;
}

}  // namespace fnm
