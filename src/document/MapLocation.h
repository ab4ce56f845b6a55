// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>

#include "framework/Archive.h"
#include "framework/RectL.h"
#include "framework/ThreadScope.h"
#include "imaging/DecodedImage.h"

class QPainter;

// One map image placed on the location's surface. The entry loads its image
// as soon as it gets a file name and keeps it decoded for its whole life.
class CMapLocation : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CMapLocation; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    // Record: reserved2, reserved1, fileName, placement. Reading then loads
    // the image (SetImage), with the missing-file search, unless a
    // DeferredLoads is alive: then only the record is taken.
    void Serialize(CArchive& ar) override;

    // While one is alive on this thread, reading an entry does not load its
    // image: the reader loads them all (CMapLocationList::LoadImages) once
    // the whole file has proved sound, so a damaged file costs no decoding
    // and asks for no image.
    struct DeferredLoadsEnd {
        static void Ended() {}
    };
    using DeferredLoads = ThreadScope<DeferredLoadsEnd>;

    // Stores placement and name and loads the image, asking for the file
    // when it is missing. 1 when the entry has its image; 0 when the user
    // gave up the search (the old image, if any, stays) or the BMP reader
    // refused the file.
    int SetImage(const RectL& newPlacement, const QString& newFileName);
    // Looks for the file's name in searchFolder first and takes it from
    // there without asking (as the bare name); otherwise shows "File ... not
    // found" and the image file dialog. 1 with a new fileName, 0 when
    // cancelled.
    int LocateMissingFile();

    // While one is alive on this thread, a missing file the user already
    // answered for is not asked for again: a cancelled search stays
    // cancelled, a picked file is taken for every entry naming the same one.
    struct SearchOnceEnd {
        static void Ended();
    };
    using SearchOnce = ThreadScope<SearchOnceEnd>;

    // The image stretched into placement times zoom; only pixels inside clip
    // (logical pixels of p) are touched.
    void Draw(QPainter& p, double zoom, const QRect& clip);

    // Where fileName is read from: a relative name counts from searchFolder
    // when one is set.
    QString ResolvedPath() const;
    // fileName as written into a location file in folder: a relative name
    // is rewritten to reach the same file from there (relative when the file
    // lies below folder, absolute otherwise); any other name is kept.
    QString NameFrom(const QString& folder) const;
    bool HasImage() const;

    int32_t reserved1 = 0;
    int32_t reserved2 = 0;
    RectL placement;
    QString fileName;
    DecodedImage image;
    // The folder of the location file being read; not stored.
    QString searchFolder;
};
