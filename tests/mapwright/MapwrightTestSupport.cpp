// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapwrightTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QProcess>

namespace mwtest {

QString SampleImage(const QTemporaryDir& dir, const QString& name) {
    // The images may not have been added to the project's samples yet.
    QString source = QString(FM_SAMPLES_DIR) + "/" + name;
    if (!QFileInfo::exists(source)) source = QString(FM_SHARED_SAMPLES_DIR) + "/" + name;
    const QString target = dir.filePath(name);
    if (!QFileInfo::exists(target)) QFile::copy(source, target);
    return target;
}

QString MakeBitmap(const QTemporaryDir& dir, const QString& name, QSize size, unsigned rgb) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    const QString path = dir.filePath(name);
    image.save(path, "BMP");
    return path;
}

QJsonObject FnmInfo(const QString& path, QString* error) {
    QProcess fnm;
    fnm.start(FM_FNM_PATH, {"info", path, "--json"});
    if (!fnm.waitForFinished(60000) || fnm.exitStatus() != QProcess::NormalExit ||
        fnm.exitCode() != 0) {
        if (error) *error = QString::fromLocal8Bit(fnm.readAllStandardError());
        return {};
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(fnm.readAllStandardOutput(), &parse);
    if (error) *error = parse.errorString();
    return doc.object();
}

}  // namespace mwtest
