// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ImageOpen.h"

#include <QFile>
#include <QFileInfo>

#include "document/TarnLocation.h"
#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "imaging/ImageKind.h"
#include "resources/Strings.h"

namespace imageopen {

bool OpensAsImage(const QString& path) {
    if (imagekind::IsImageName(path)) return true;
    const QString ending = path.right(3).toLower();
    if (ending == "fnm" || ending == "qlt") return false;
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential()) return false;
    // "BM" is too short a sign to take a location file for a bitmap.
    const imagekind::Kind kind = imagekind::FromContent(file.read(16));
    return kind != imagekind::Kind::Unknown && kind != imagekind::Kind::Bitmap;
}

QString WithLocationEnding(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    if (suffix.isEmpty() || !imagekind::IsImageName(path))
        return path + "." + str::DefaultExtension;
    return path.left(path.size() - suffix.size()) + str::DefaultExtension;
}

georef::Georeference TakeGeoreference(CTarnLocation& location, const QString& shownName) {
    if (location.maps.entries.size() != 1) return {};
    const CMapLocation& entry = *location.maps.entries.front();
    if (!entry.HasImage()) return {};
    const georef::Georeference g =
        georef::FindGeoreference(entry.ResolvedPath(), entry.image.width, entry.image.height);
    if (g.Found()) static_cast<Calibration&>(location) = g.fit.calibration;
    const QString message = georef::OpenMessage(g, shownName);
    if (!message.isEmpty()) Prompts::instance().message(message, Prompts::Buttons::Ok);
    return g;
}

}  // namespace imageopen
