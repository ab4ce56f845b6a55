// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

#include "framework/Settings.h"

void RecentFileList::Load() {
    QSettings& s = SettingsStore::instance().Raw();
    files.clear();
    for (int i = 1; i <= kSize; ++i) {
        QString f =
            s.value(QString("%1/File%2").arg(SettingsStore::kRecentSection).arg(i)).toString();
        if (!f.isEmpty()) files.append(f);
    }
}

void RecentFileList::Save() const {
    QSettings& s = SettingsStore::instance().Raw();
    for (int i = 1; i <= kSize; ++i) {
        QString key = QString("%1/File%2").arg(SettingsStore::kRecentSection).arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
}

void RecentFileList::Add(const QString& path) {
    if (path.isEmpty()) return;
    QString abs = QFileInfo(path).absoluteFilePath();
    files.removeAll(abs);
    files.prepend(abs);
    while (files.size() > kSize) files.removeLast();
    Save();
}

void RecentFileList::Remove(int index) {
    if (index < 0 || index >= files.size()) return;
    files.removeAt(index);
    Save();
}
