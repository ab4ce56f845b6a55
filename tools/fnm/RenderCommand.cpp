// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderCommand.h"

#include <QBuffer>
#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
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
#include "view/PrintJob.h"
#include "view/StreamedFile.h"

namespace fnm {
namespace {

constexpr int kPdfDpi = 1200;

struct Request {
    QString file;
    QString out;
    std::optional<int> x, y, width, height;
    bool pdf = false;
    bool pageLayout = false;  // a printed page rather than the bare picture
    PrintOptions options;
    int dpi = kPageImageDpi;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

// The paper sizes --paper knows.
const std::pair<const char*, QPageSize::PageSizeId> kPapers[] = {
    {"a4", QPageSize::A4},         {"a3", QPageSize::A3},       {"a5", QPageSize::A5},
    {"letter", QPageSize::Letter}, {"legal", QPageSize::Legal}, {"tabloid", QPageSize::Tabloid}};

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
    r.pdf = r.out.endsWith(".pdf", Qt::CaseInsensitive);
    r.options.landscape = inv.Has("--landscape");
    r.options.area = PrintOptions::Area::Whole;
    r.pageLayout = r.pdf || inv.Has("--whole") || inv.Has("--landscape");
    for (const char* valued : {"--scale", "--pages", "--overlap", "--dpi", "--paper"})
        if (inv.Value(valued)) r.pageLayout = true;
    return true;
}

// Reads the valued page options; false (complained) when one is out of range.
bool ParsePageOptions(const Invocation& inv, Request& r) {
    double v = 0;
    if (const auto text = inv.Value("--scale")) {
        if (!ParseNumber(inv, *text, "the scale", 100, 1e8, v)) return false;
        r.options.scale = v;
    }
    if (const auto text = inv.Value("--pages")) {
        if (!ParseNumber(inv, *text, "the pages", 1, CPrintJob::kMaxPages, v)) return false;
        r.options.pages = int(v);
        if (r.options.pages != v) {
            Complain("fnm render: the pages must be a whole number");
            return false;
        }
    }
    if (const auto text = inv.Value("--overlap")) {
        if (!ParseNumber(inv, *text, "the overlap in millimetres", 0, 50, v)) return false;
        r.options.overlapMm = v;
    }
    if (const auto text = inv.Value("--paper")) {
        bool known = false;
        for (const auto& [name, id] : kPapers)
            if (text->compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
                r.paper = id;
                known = true;
            }
        if (!known) {
            Complain("fnm render: the paper is one of a4, a3, a5, letter, legal, tabloid");
            return false;
        }
    }
    if (const auto text = inv.Value("--dpi")) {
        if (!ParseNumber(inv, *text, "the resolution", 30, 600, v)) return false;
        r.dpi = int(v);
    }
    return true;
}

// OUT.png for one page; OUT-1.png, OUT-2.png ... for several.
QString PageFile(const QString& out, int index, int count) {
    if (count == 1) return out;
    const QFileInfo info(out);
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString base = suffix.isEmpty() ? out : out.left(out.size() - suffix.size());
    return QString("%1-%2%3").arg(base).arg(index + 1).arg(suffix);
}

int WritePng(const QImage& picture, const QString& out) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        Complain("fnm render: unable to write " + out);
        return kFileFault;
    }
    if (const auto status = CAtomicFile::Write(out, png); status != CAtomicFile::Status::Ok) {
        Complain(CAtomicFile::Message(status, out));
        return kFileFault;
    }
    return kSuccess;
}

int RenderPages(CTarnLocation& location, const QRect& region, const Request& r,
                const QString& title) {
    const QPageLayout layout(QPageSize(r.paper),
                             r.options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    CPrintJob job(location, region, QFileInfo(r.file).completeBaseName(), title, r.options);
    QString error;
    if (r.pdf) {
        CStreamedFile file(r.out);
        if (const auto status = file.Open(); status != CAtomicFile::Status::Ok) {
            Complain(CAtomicFile::Message(status, r.out));
            return kFileFault;
        }
        if (!job.WritePdf(file, layout, kPdfDpi, &error)) {
            Complain("fnm render: " + (error.isEmpty() ? "unable to write " + r.out : error));
            return kFileFault;
        }
        if (const auto status = file.Commit(); status != CAtomicFile::Status::Ok) {
            Complain(CAtomicFile::Message(status, r.out));
            return kFileFault;
        }
        return kSuccess;
    }
    if (!job.Layout(layout.paintRectPixels(r.dpi).size(), r.dpi, &error)) {
        Complain("fnm render: " + error);
        return kFileFault;
    }
    for (int i = 0; i < job.PageCount(); ++i)
        if (int status =
                WritePng(job.RenderPage(layout, r.dpi, i), PageFile(r.out, i, job.PageCount()));
            status != kSuccess)
            return status;
    return kSuccess;
}

}  // namespace

int Render(const Invocation& inv) {
    Request r;
    if (!ParseRequest(inv, r)) return UsageError(inv);
    if (r.pageLayout && !ParsePageOptions(inv, r)) return kUsage;
    if ((r.width && *r.width <= 0) || (r.height && *r.height <= 0)) {
        Complain("fnm render: the width and height must be positive");
        return kUsage;
    }
    const bool rectangle = r.x || r.y || r.width || r.height;
    if (rectangle && inv.Has("--whole")) {
        Complain("fnm render: --whole and a rectangle exclude each other");
        return kUsage;
    }
    CTarnLocation location;
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    if (int status = ReadLocation(doc, r.file); status != kSuccess) return status;
    const QSize extent = location.Extent();
    const QRect region(r.x.value_or(0), r.y.value_or(0), r.width.value_or(extent.width()),
                       r.height.value_or(extent.height()));
    if (r.pageLayout) {
        r.options.area = rectangle ? PrintOptions::Area::Rectangle : PrintOptions::Area::Whole;
        const QRect inside = region & QRect(QPoint(0, 0), extent);
        if (inside.isEmpty()) {
            Complain("fnm render: the region lies outside the maps");
            return kFileFault;
        }
        return RenderPages(location, inside, r, doc.GetTitle());
    }
    if (region.width() > kMaxRenderSide || region.height() > kMaxRenderSide) {
        Complain(QString("fnm render: %1 x %2 pixels is more than the %3 x %3 a picture may have")
                     .arg(region.width())
                     .arg(region.height())
                     .arg(kMaxRenderSide));
        return kFileFault;
    }
    return WritePng(CMapPrinter::ComposeRegion(location, region, Qt::white), r.out);
}

}  // namespace fnm
