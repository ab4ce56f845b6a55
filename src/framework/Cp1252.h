#pragma once

#include <QByteArray>
#include <QString>

// 8-bit strings in location files are Windows-1252. The five bytes that code
// page leaves undefined decode to the C1 controls of the same value, so every
// byte string survives a read and a write unchanged. A character that has no
// 8-bit form is written as '?'.
namespace cp1252 {
QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);
}  // namespace cp1252
