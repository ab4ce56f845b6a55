#include "GpxTestSupport.h"

#include <QBuffer>

namespace gpxtest {

QByteArray LocationBytes(CTarnLocation& location) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        CArchive ar(buffer, CArchive::Mode::Store);
        location.SerializeLocation(ar);
    }
    return bytes;
}

}  // namespace gpxtest
