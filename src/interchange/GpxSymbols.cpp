// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/GpxSymbols.h"

#include <QRegularExpression>
#include <array>
#include <iterator>

#include "points/MapPoint.h"
#include "points/UserInfoPoint.h"

namespace gpx {
namespace {

// In icon order, 5000 first, by what each picture shows. Every name is
// distinct so that a symbol leads back to the same icon.
constexpr std::array<const char*, 32> kIconSymbols = {
    "Fishing Area",               // fish
    "Marina",                     // sailboat
    "Anchor",                     // anchor
    "Flag, Red",                  // flag
    "Forest",                     // pine
    "Lodging",                    // cabin
    "Dock",                       // dock
    "Weed Bed",                   // weeds
    "Reef",                       // rock
    "Navaid, Red",                // buoy
    "Campground",                 // tent
    "Fishing Hot Spot Facility",  // rod
    "Bait and Tackle",            // hook
    "Dot, Black",                 // dots
    "Fish",                       // perch
    "Inlet",                      // culvert
    "Parking Area",               // parking
    "Gas Station",                // fuel pump
    "Bridge",                     // bridge
    "Dam",                        // dam
    "Light",                      // lighthouse
    "Danger Area",                // warning sign
    "Star",                       // star
    "Favorite",                   // heart
    "Residence",                  // house
    "Car",                        // car
    "Restaurant",                 // knife and fork
    "Drinking Water",             // tap
    "Deep Water",                 // whirlpool
    "Boat Ramp",                  // ramp into the water
    "Pin, Red",                   // red pin, the new-point icon
    "Information",                // pin with a question mark
};

struct MapPointKind {
    int32_t type;
    const char* typeName;
    const char* symbol;
};

constexpr MapPointKind kMapPointKinds[] = {
    {CMapPoint::Water, "Water", "Block, Blue"},    {CMapPoint::Land, "Land", "Block, Green"},
    {CMapPoint::Rock, "Rock", "Summit"},           {CMapPoint::City, "City", "City (Medium)"},
    {CMapPoint::Landmark, "Landmark", "Building"},
};

const MapPointKind* KindOf(int32_t type) {
    for (const MapPointKind& k : kMapPointKinds)
        if (k.type == type) return &k;
    return nullptr;
}

}  // namespace

QString IconSymbol(int iconId) {
    const int index = iconId - CUserInfoPoint::kFirstIconId;
    if (index < 0 || index >= static_cast<int>(kIconSymbols.size()))
        return IconSymbol(CUserInfoPoint::kNewPointIconId);
    return QString::fromLatin1(kIconSymbols[static_cast<size_t>(index)]);
}

int IconForSymbol(const QString& sym) {
    const QString wanted = sym.trimmed();
    for (size_t i = 0; i < kIconSymbols.size(); ++i)
        if (wanted.compare(QLatin1String(kIconSymbols[i]), Qt::CaseInsensitive) == 0)
            return CUserInfoPoint::kFirstIconId + static_cast<int>(i);
    return CUserInfoPoint::kNewPointIconId;
}

QString MapPointSymbol(int32_t type) {
    // Any other type is drawn in Land's green.
    const MapPointKind* k = KindOf(type);
    return QString::fromLatin1(k ? k->symbol : KindOf(CMapPoint::Land)->symbol);
}

QString MapPointTypeName(int32_t type) {
    const MapPointKind* k = KindOf(type);
    return k ? QString::fromLatin1(k->typeName) : QString::number(type);
}

std::optional<int32_t> MapPointTypeFromName(const QString& name) {
    const QString wanted = name.trimmed();
    for (const MapPointKind& k : kMapPointKinds)
        if (wanted.compare(QLatin1String(k.typeName), Qt::CaseInsensitive) == 0) return k.type;
    // A type number: what a point of none of the named types is written as.
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]{1,10}$"));
    if (!number.match(wanted).hasMatch()) return std::nullopt;
    bool ok = false;
    const int32_t type = wanted.toInt(&ok);
    if (!ok) return std::nullopt;
    return type;
}

}  // namespace gpx
