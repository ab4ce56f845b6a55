// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SampleLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "resources/Version.h"

namespace {
constexpr const char* kSample = "samples/millelacs.fnm";
}

QString FindSampleLocation(const QString& programDir, const QStringList& dataDirs) {
    QStringList candidates;
    if (!programDir.isEmpty())
        candidates << QDir(programDir).filePath(QString(version::DataDirFromBin) + "/" + kSample);
    for (const QString& dir : dataDirs)
        candidates << QDir(dir).filePath(QString("fenmarrow/") + kSample);
    for (const QString& path : candidates) {
        const QFileInfo info(path);
        if (info.isFile()) return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}

QString SampleLocation() {
    return FindSampleLocation(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}
