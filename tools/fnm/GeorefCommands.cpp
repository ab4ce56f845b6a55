// SPDX-License-Identifier: GPL-3.0-or-later
#include "GeorefCommands.h"

#include "document/ImageOpen.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "georef/Georeference.h"

namespace fnm {
namespace {

georef::Georeference Of(const CTarnLocation& location) {
    if (location.maps.entries.size() != 1) return {};
    const CMapLocation& entry = *location.maps.entries.front();
    if (!entry.HasImage()) return {};
    return georef::FindGeoreference(entry.ResolvedPath(), entry.image.width, entry.image.height);
}

}  // namespace

std::string GeoreferenceSummary(const CTarnLocation& location, const QString& file) {
    if (!imageopen::OpensAsImage(file)) return {};
    const georef::Georeference g = Of(location);
    if (g.status == georef::Georeference::Status::None) return "Georeference: none\n";
    return ("Georeference:\n" + georef::Describe(g)).toUtf8().toStdString();
}

int Calibrate(const Invocation& inv) {
    if (inv.operands.size() != 2) return UsageError(inv);
    const QString& image = inv.operands[0];
    const QString& out = inv.operands[1];
    if (RefuseReadOnlyTarget(out)) return kFileFault;
    if (!imageopen::OpensAsImage(image)) {
        Complain("fnm calibrate: " + image + " is not a map image");
        return kFormatFault;
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, image); status != kSuccess) return status;
    if (location.maps.entries.empty() || !location.maps.entries.front()->HasImage()) {
        Complain("fnm calibrate: " + image + " cannot be read as a map image");
        return kFormatFault;
    }
    const georef::Georeference g = Of(location);
    if (!g.Found()) {
        // An unusable one has been explained on stderr by the open already.
        if (g.status == georef::Georeference::Status::None)
            Complain("fnm calibrate: " + image + " has no georeference; nothing was written");
        else
            Complain("fnm calibrate: nothing was written");
        return kFormatFault;
    }
    doc.SetModifiedFlag();
    return doc.DoSave(out) ? kSuccess : kFileFault;
}

}  // namespace fnm
