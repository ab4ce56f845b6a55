// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/MapLocationList.h"

#include <QFileInfo>
#include <algorithm>

const ClassInfo CMapLocationList::classInfo{"CMapLocationList", 0, &CMapLocationList::Create};

namespace {
// reserved2, reserved1, an empty name and the placement.
constexpr uint64_t kMinEntryBytes = 4 + 4 + 1 + 16;
}  // namespace

std::unique_ptr<CMapLocation> CMapLocationList::NewEntry() const {
    auto entry = std::make_unique<CMapLocation>();
    entry->searchFolder = searchFolder;
    return entry;
}

void CMapLocationList::Widen(const RectL& placement) {
    extentWidth = std::max(extentWidth, placement.right);
    extentHeight = std::max(extentHeight, placement.bottom);
}

void CMapLocationList::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteU32(static_cast<uint32_t>(entries.size()));
        for (const auto& entry : entries) entry->Serialize(ar);
        return;
    }
    RemoveAll();
    const uint32_t count = ar.ReadU32();
    if (!ar.CheckCount(count, kMinEntryBytes)) return;
    // A file may name the same chart many times: decode it, and ask for it
    // when it is missing, once per read.
    DecodedImage::SharedLoads shareDecodes;
    CMapLocation::SearchOnce askOnce;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CMapLocation> entry = NewEntry();
        entry->Serialize(ar);
        if (ar.Failed()) return;
        // Kept even without its image, so the next save writes it unchanged.
        Widen(entry->placement);
        entries.push_back(std::move(entry));
    }
}

void CMapLocationList::LoadImages() {
    DecodedImage::SharedLoads shareDecodes;
    CMapLocation::SearchOnce askOnce;
    for (auto& entry : entries) entry->SetImage(entry->placement, entry->fileName);
}

void CMapLocationList::DrawAll(QPainter& p, const QRect& clip) {
    for (auto& entry : entries) entry->Draw(p, zoom, clip);
}

void CMapLocationList::RemoveAll() {
    entries.clear();
    entries.shrink_to_fit();
    extentWidth = kMinExtent;
    extentHeight = kMinExtent;
}

int CMapLocationList::SetSingleImage(const QString& path) {
    RemoveAll();
    std::unique_ptr<CMapLocation> entry = NewEntry();
    const int result = entry->SetImage(RectL{0, 0, 200, 200}, path);
    entry->placement = RectL{0, 0, entry->image.width, entry->image.height};
    Widen(entry->placement);
    entries.push_back(std::move(entry));
    return result;
}

void CMapLocationList::CopyFrom(const CMapLocationList& other) {
    const size_t n = other.entries.size();
    for (size_t i = 0; i < n; ++i) {
        const CMapLocation& source = *other.entries[i];
        std::unique_ptr<CMapLocation> entry = NewEntry();
        entry->reserved1 = source.reserved1;
        entry->reserved2 = source.reserved2;
        entry->placement = source.placement;
        entry->fileName = source.fileName;
        // The user was asked about a missing image when other was read; a
        // second search for the same file would only repeat the question.
        if (QFileInfo::exists(entry->ResolvedPath()))
            entry->SetImage(source.placement, source.fileName);
        entries.push_back(std::move(entry));
    }
    extentHeight = other.extentHeight;
    extentWidth = other.extentWidth;
    zoom = other.zoom;
}
