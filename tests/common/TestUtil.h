// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <ostream>

// Readable QStrings in test failure messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace testutil {
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& bytes);
// Hex dump "00 01 FF" for readable byte comparisons.
QString Hex(const QByteArray& bytes);
QByteArray FromHex(const char* spaced);
// Empties the settings store (a first run).
void ClearSettings();
}  // namespace testutil
