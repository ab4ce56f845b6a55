// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

// The editor's own preferences, kept apart from the main program's (company
// "Quenmoor", application "Mapwright"), so the two never overwrite each
// other's recent files or window layout.
namespace editorsettings {

inline constexpr int kRecentCount = 4;

QSettings& Store();

bool RelativePaths();
void SetRelativePaths(bool relative);

// Newest first, at most kRecentCount, each path once.
QStringList RecentFiles();
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);

QByteArray WindowState();
QByteArray WindowGeometry();
void SetWindowLayout(const QByteArray& geometry, const QByteArray& state);

}  // namespace editorsettings
