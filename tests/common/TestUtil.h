#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace testutil {
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& bytes);
// Hex dump "00 01 FF" for readable byte comparisons.
QString Hex(const QByteArray& bytes);
QByteArray FromHex(const char* spaced);
// Empties the settings store (a first run).
void ClearSettings();
}  // namespace testutil
