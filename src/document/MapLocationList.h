// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "document/MapLocation.h"
#include "framework/Archive.h"

class QPainter;

// The location's map images in drawing order (later entries on top), the
// size of the surface they lie on and the zoom they are drawn with.
class CMapLocationList : public CObject {
public:
    static constexpr int32_t kMinExtent = 1000;

    static const ClassInfo classInfo;
    static CObject* Create() { return new CMapLocationList; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // A plain 32-bit count, then each entry's record, untagged. Reading
    // removes every entry first, loads each image as its entry is read and
    // rebuilds the extent (it is not stored).
    void Serialize(CArchive& ar) override;

    // Every entry in order with the list's zoom; the clip only limits the
    // pixels touched, it does not select entries.
    void DrawAll(QPainter& p, const QRect& clip);
    // Removes every entry; the extent returns to 1000 x 1000.
    void RemoveAll();
    // One entry showing the whole image at the origin. The extent grows to
    // the image so all of it can be scrolled to. Returns SetImage's result.
    int SetSingleImage(const QString& path);
    // Appends copies of other's entries, loading their images again, and
    // takes over its extent and zoom.
    void CopyFrom(const CMapLocationList& other);
    // Loads every entry's image (SetImage with its own placement and name),
    // as reading does when the loads were deferred. One decode and one
    // question per distinct file.
    void LoadImages();

    // Where entries look for images whose stored path is missing, and what
    // relative names count from: the folder of the file being read.
    void SetSearchFolder(const QString& folder) { searchFolder = folder; }
    const QString& SearchFolder() const { return searchFolder; }

    QSize Extent() const { return QSize(extentWidth, extentHeight); }

    double zoom = 1.0;
    std::vector<std::unique_ptr<CMapLocation>> entries;
    int32_t extentWidth = kMinExtent;
    int32_t extentHeight = kMinExtent;

private:
    void Widen(const RectL& placement);
    std::unique_ptr<CMapLocation> NewEntry() const;

    QString searchFolder;
};
