#include "RenderCommand.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdio>
#include <optional>
#include <string>

#include "Commands.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/AtomicFile.h"
#include "view/MapPrinter.h"

namespace fnm {
namespace {

constexpr const char* kUsageText =
    "usage: fnm render FILE OUT.png [--x X --y Y --width W --height H]";

struct Request {
    QString file;
    QString out;
    std::optional<int> x, y, width, height;
};

bool ParseRequest(const QStringList& args, Request& r) {
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        std::optional<int>* target = a == "--x"        ? &r.x
                                     : a == "--y"      ? &r.y
                                     : a == "--width"  ? &r.width
                                     : a == "--height" ? &r.height
                                                       : nullptr;
        if (!target) {
            if (a.startsWith("--")) return false;
            files << a;
            continue;
        }
        if (target->has_value() || i + 1 >= args.size()) return false;
        bool ok = false;
        const int v = args[++i].toInt(&ok);
        if (!ok) return false;
        *target = v;
    }
    if (files.size() != 2) return false;
    r.file = files[0];
    r.out = files[1];
    return true;
}

}  // namespace

int Render(const QStringList& args) {
    Request r;
    if (!ParseRequest(args, r)) {
        Complain(kUsageText);
        return kUsage;
    }
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
