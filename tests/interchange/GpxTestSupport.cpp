// SPDX-License-Identifier: GPL-3.0-or-later
#include "GpxTestSupport.h"

#include "framework/ArchiveBytes.h"

namespace gpxtest {

QByteArray LocationBytes(CTarnLocation& location) {
    return archivebytes::Store([&](CArchive& ar) { location.SerializeLocation(ar); });
}

}  // namespace gpxtest
