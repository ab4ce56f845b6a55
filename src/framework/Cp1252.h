// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// 8-bit strings in location files are Windows-1252. The five bytes that code
// page leaves undefined decode to the C1 controls of the same value, so every
// byte string survives a read and a write unchanged.
namespace cp1252 {
QString Decode(const QByteArray& bytes);
// The 8-bit form of text; false (and nothing useful in out) when some
// character has none, so the caller can keep the text another way.
bool Encode(const QString& text, QByteArray& out);
}  // namespace cp1252
