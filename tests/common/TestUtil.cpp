// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestUtil.h"

#include <QFile>
#include <QSettings>

#include "framework/Settings.h"

namespace testutil {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(bytes) == bytes.size();
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

QByteArray FromHex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

void ClearSettings() {
    SettingsStore::instance().Raw().clear();
    SettingsStore::instance().Sync();
}

}  // namespace testutil
