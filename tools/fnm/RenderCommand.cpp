// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderCommand.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "Commands.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/AtomicFile.h"
#include "view/MapPrinter.h"

namespace fnm {
namespace {

struct Request {
    QString file;
    QString out;
    std::optional<int> x, y, width, height;
};

bool ParseRequest(const Invocation& inv, Request& r) {
    if (inv.operands.size() != 2) return false;
    r.file = inv.operands[0];
    r.out = inv.operands[1];
    const std::pair<const char*, std::optional<int>*> fields[] = {
        {"--x", &r.x}, {"--y", &r.y}, {"--width", &r.width}, {"--height", &r.height}};
    for (const auto& [name, target] : fields) {
        const std::optional<QString> text = inv.Value(name);
        if (!text) continue;
        bool ok = false;
        const int v = text->toInt(&ok);
        if (!ok) return false;
        *target = v;
    }
    return true;
}

}  // namespace

int Render(const Invocation& inv) {
    Request r;
    if (!ParseRequest(inv, r)) return UsageError(inv);
    if ((r.width && *r.width <= 0) || (r.height && *r.height <= 0)) {
        Complain("fnm render: the width and height must be positive");
        return kUsage;
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, r.file); status != kSuccess) return status;
    const QSize extent = location.Extent();
    const QRect region(r.x.value_or(0), r.y.value_or(0), r.width.value_or(extent.width()),
                       r.height.value_or(extent.height()));
    if (region.width() > kMaxRenderSide || region.height() > kMaxRenderSide) {
        Complain(QString("fnm render: %1 x %2 pixels is more than the %3 x %3 a picture may have")
                     .arg(region.width())
                     .arg(region.height())
                     .arg(kMaxRenderSide));
        return kFileFault;
    }
    const QImage picture = CMapPrinter::ComposeRegion(location, region, Qt::white);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        Complain("fnm render: unable to write " + r.out);
        return kFileFault;
    }
    if (const auto status = CAtomicFile::Write(r.out, png); status != CAtomicFile::Status::Ok) {
        Complain(CAtomicFile::Message(status, r.out));
        return kFileFault;
    }
    return kSuccess;
}

}  // namespace fnm
