#include "interchange/GpxSymbols.h"

#include <array>
#include <iterator>

#include "points/MapPoint.h"
#include "points/UserInfoPoint.h"

namespace gpx {
namespace {

// In icon order, 5000 first. Every name is distinct so that a symbol leads
// back to the same icon.
constexpr std::array<const char*, 32> kIconSymbols = {
    "Fishing Area",  "Boat Ramp",
    "Anchor",        "Flag, Blue",
    "Flag, Red",     "Flag, Green",
    "Pin, Blue",     "Pin, Red",
    "Pin, Green",    "Marina",
    "Campground",    "Parking Area",
    "Restroom",      "Fishing Hot Spot Facility",
    "Shipwreck",     "Skull and Crossbones",
    "Danger Area",   "Dam",
    "Bridge",        "Light",
    "Buoy, White",   "Navaid, Red",
    "Navaid, Green", "Picnic Area",
    "Swimming Area", "Lodging",
    "Restaurant",    "Gas Station",
    "Trail Head",    "Scenic Area",
    "Waypoint",      "Residence",
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
    const MapPointKind* k = KindOf(type);
    return QString::fromLatin1(k ? k->symbol : kMapPointKinds[0].symbol);
}

QString MapPointTypeName(int32_t type) {
    const MapPointKind* k = KindOf(type);
    return QString::fromLatin1(k ? k->typeName : kMapPointKinds[0].typeName);
}

std::optional<int32_t> MapPointTypeFromName(const QString& name) {
    const QString wanted = name.trimmed();
    for (const MapPointKind& k : kMapPointKinds)
        if (wanted.compare(QLatin1String(k.typeName), Qt::CaseInsensitive) == 0) return k.type;
    return std::nullopt;
}

}  // namespace gpx
