// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The three most recently opened or saved files, newest first, kept in the
// section "Recent File List" as "File1".."File3".
class RecentFileList {
public:
    static constexpr int kSize = 3;

    void Load();
    void Save() const;
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return files; }

private:
    QStringList files;
};
