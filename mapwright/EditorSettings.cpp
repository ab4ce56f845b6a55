// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/EditorSettings.h"

#include <QFileInfo>
#include <QSettings>

#include "framework/Settings.h"

namespace editorsettings {

namespace {
constexpr const char* kCompany = "Quenmoor";
constexpr const char* kApplication = "Mapwright";
constexpr const char* kRelativePaths = "Settings/RelativePaths";
constexpr const char* kRecent = "Recent File List/File%1";
constexpr const char* kGeometry = "Window/Geometry";
constexpr const char* kState = "Window/State";

void WriteRecent(const QStringList& files) {
    QSettings& s = Store();
    for (int i = 0; i < kRecentCount; ++i) {
        const QString key = QString(kRecent).arg(i + 1);
        if (i < files.size())
            s.setValue(key, files[i]);
        else
            s.remove(key);
    }
    SettingsStore::Sync(s);
}
}  // namespace

QSettings& Store() {
    static QSettings settings(SettingsStore::FileFormat(), QSettings::UserScope, kCompany,
                              kApplication);
    return settings;
}

bool RelativePaths() {
    return Store().value(kRelativePaths, false).toBool();
}

void SetRelativePaths(bool relative) {
    Store().setValue(kRelativePaths, relative);
}

QStringList RecentFiles() {
    QStringList files;
    for (int i = 0; i < kRecentCount; ++i) {
        const QString f = Store().value(QString(kRecent).arg(i + 1)).toString();
        if (!f.isEmpty() && !files.contains(f)) files << f;
    }
    return files;
}

void AddRecentFile(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    WriteRecent(files.mid(0, kRecentCount));
}

void RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    WriteRecent(files);
}

QByteArray WindowGeometry() {
    return Store().value(kGeometry).toByteArray();
}

QByteArray WindowState() {
    return Store().value(kState).toByteArray();
}

void SetWindowLayout(const QByteArray& geometry, const QByteArray& state) {
    Store().setValue(kGeometry, geometry);
    Store().setValue(kState, state);
}

}  // namespace editorsettings
