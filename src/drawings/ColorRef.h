// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPen>
#include <cstdint>
#include <optional>

// Colours are kept as the file stores them: 0x00BBGGRR. The top byte is
// carried through unchanged and ignored for drawing.
QColor FromColorRef(uint32_t colorRef);
uint32_t ToColorRef(const QColor& color);

// The solid pen a drawing object strokes with, or nothing when no such pen
// can be made (a width below 1 or beyond what the file can hold); the object
// then draws nothing.
std::optional<QPen> MakeSolidPen(int32_t width, uint32_t colorRef);
