// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The names handheld units and chart plotters give their waypoint symbols,
// matched to the program's 32 user point icons and five map point types.
namespace gpx {

// The symbol of a user point icon; an unknown id gives the new-point
// icon's symbol.
QString IconSymbol(int iconId);
// The icon whose symbol is sym (letter case ignored); the new-point icon
// when no icon carries that symbol.
int IconForSymbol(const QString& sym);

// The symbol and the <type> word of a map point type ("Water" .. "Landmark");
// a type of none of those five is written as its number ("-1", "7").
QString MapPointSymbol(int32_t type);
QString MapPointTypeName(int32_t type);
// The map point type a <type> word (letter case ignored) or number names,
// if any.
std::optional<int32_t> MapPointTypeFromName(const QString& name);

}  // namespace gpx
