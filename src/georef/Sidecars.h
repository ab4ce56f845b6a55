// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace georef {

// The file beside image whose name is its base name plus one of endings,
// in any case; empty when there is none.
QString Beside(const QFileInfo& image, const QStringList& endings);
// The world file endings that go with an image ending.
QStringList WorldFileEndings(const QString& suffix);
// Classic TIFF: whether the first directory holds any GeoTIFF tag.
bool HasGeoTiffTags(const QString& path);
bool IsTiff(const QString& path);

}  // namespace georef
