// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/MapPrinter.h"

#include <algorithm>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QRegion>

#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/AtomicFile.h"
#include "framework/Prompts.h"
#include "resources/Strings.h"
#include "view/PrintOptionsDialog.h"
#include "view/PrintTexts.h"
#include "view/StreamedFile.h"
#include "view/TarnlightView.h"

namespace {
constexpr const char* kFooterFamily = "arial";
constexpr double kFooterPoints = 9;  // on paper, at any printer resolution
constexpr int kFooterTextGap = 5;    // above the page bottom, plus one line
constexpr int kFooterRuleGap = 30;   // the rule sits this far above, likewise
constexpr int kExportPdfDpi = 1200;
constexpr int kExportImageDpi = 150;
}  // namespace

CMapPrinter::CMapPrinter(CTarnlightView& v) : QObject(&v), view(v) {
    setObjectName("CMapPrinter");
}

CMapPrinter* CMapPrinter::Of(CTarnlightView& v) {
    return v.findChild<CMapPrinter*>(QString(), Qt::FindDirectChildrenOnly);
}

bool CMapPrinter::OnFilePrint() {
    if (!ChooseOptions()) return false;
    if (!Prompts::instance().printDialog(printer)) return false;
    return PrintOn(printer);
}

bool CMapPrinter::OnFilePrintDirect() {
    return PrintOn(printer);
}

void CMapPrinter::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&printer, &view);
    // The preview's own Print button comes back here with the real printer.
    connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [this](QPrinter* target) {
        QPainter p(target);
        PaintAll(p, *target, target->pageLayout(), target->resolution());
    });
    Prompts::instance().runModal(dlg);
}

bool CMapPrinter::OnFilePrintSetup() {
    if (!Prompts::instance().pageSetupDialog(printer)) return false;
    // The orientation chosen here is the options page's from now on.
    if (!optionsChosen) options.rectangle = QRect(view.ScrollPosition(), view.viewport()->size());
    options.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    optionsChosen = true;
    return true;
}

bool CMapPrinter::ChooseOptions() {
    if (!optionsChosen) {
        options.landscape = view.printLS;
        options.rectangle = QRect(view.ScrollPosition(), view.viewport()->size());
    }
    CPrintOptionsDialog dlg(options, view.Location().ZoomedExtent(), &view, &view.Location());
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return false;
    options = dlg.Options();
    optionsChosen = true;
    printer.setPageOrientation(options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return true;
}

bool CMapPrinter::IsPlainVisiblePrint() const {
    return options.area == PrintOptions::Area::Visible && options.scale <= 0 && options.pages <= 1;
}

QRect CMapPrinter::OptionsRegion() const {
    const QRect extent(QPoint(0, 0), view.Location().ZoomedExtent());
    switch (options.area) {
        case PrintOptions::Area::Whole:
            return extent;
        case PrintOptions::Area::Rectangle:
            return options.rectangle.normalized() & extent;
        case PrintOptions::Area::Visible:
            break;
    }
    return QRect(view.ScrollPosition(), view.viewport()->size()) & extent;
}

namespace {
// The user sees the bands drawn out of all, past half a second, with
// Cancel; the dialog goes with the job.
// True for a file written; otherwise the user is told why it was not (a
// full disk as such, anything else as the export's failure).
bool Written(CAtomicFile::Status status, const QString& path) {
    if (status == CAtomicFile::Status::Ok) return true;
    Prompts::instance().message(status == CAtomicFile::Status::DiskFull
                                    ? CAtomicFile::Message(status, path)
                                    : QString(printstr::ExportFailed).arg(path));
    return false;
}

void ShowProgress(CPrintJob& job) {
    std::shared_ptr<Prompts::Progress> shown =
        Prompts::instance().progress(printstr::Drawing, job.Steps());
    job.SetProgress([shown](int done) { return shown->Step(done); });
}
}  // namespace

CPrintJob CMapPrinter::MakeJob() const {
    const QString path = view.Document().GetPathName();
    const QString title = view.Document().GetTitle();
    const QString name = QFileInfo(path.isEmpty() ? title : path).completeBaseName();
    return CPrintJob(view.Location(), OptionsRegion(), name, title, options);
}

QString CMapPrinter::PageFileName(const QString& path, int index, int count) {
    if (count <= 1) return path;
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    return QString("%1-%2%3")
        .arg(path.left(path.size() - suffix.size()))
        .arg(index + 1)
        .arg(suffix);
}

namespace {
QString Proposed(const QString& title, const char* extension) {
    const QFileInfo info(title);
    if (title.isEmpty()) return QString("map.") + extension;
    return info.path() + "/" + info.completeBaseName() + "." + extension;
}

QPageLayout ExportLayout(const QPrinter& printer, bool landscape) {
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return layout;
}
}  // namespace

bool CMapPrinter::OnExportPdf() {
    if (!ChooseOptions()) return false;
    const auto path = Prompts::instance().saveFileName(
        Proposed(view.Document().GetPathName(), "pdf"), printstr::PdfFilter);
    if (!path) return false;
    return WritePdf(*path, ExportLayout(printer, options.landscape));
}

bool CMapPrinter::OnExportImage() {
    if (!ChooseOptions()) return false;
    const auto path = Prompts::instance().saveFileName(
        Proposed(view.Document().GetPathName(), "png"), printstr::PngFilter);
    if (!path) return false;
    return WriteImages(*path, ExportLayout(printer, options.landscape), kExportImageDpi);
}

bool CMapPrinter::WritePdf(const QString& path, const QPageLayout& layout) {
    CPrintJob job = MakeJob();
    QString error;
    if (!job.Layout(layout.paintRectPixels(kExportPdfDpi).size(), kExportPdfDpi, &error)) {
        Prompts::instance().message(error);
        return false;
    }
    CStreamedFile file(path);
    CAtomicFile::Status status = file.Open();
    if (status == CAtomicFile::Status::Ok) {
        ShowProgress(job);
        // Written straight into the file as it grows: a big location's
        // PDF never needs to fit in memory as well.
        if (!job.WritePdf(file, layout, kExportPdfDpi, &error))
            status = CAtomicFile::Status::WriteFault;  // discarded with the file
        else
            status = file.Commit();
    }
    // Cancelled by the user: the old file stays, and nothing is said.
    if (job.Cancelled()) return false;
    return Written(status, path);
}

bool CMapPrinter::WriteImages(const QString& path, const QPageLayout& layout, int dpi) {
    CPrintJob job = MakeJob();
    QString error;
    if (!job.Layout(layout.paintRectPixels(dpi).size(), dpi, &error)) {
        Prompts::instance().message(error);
        return false;
    }
    ShowProgress(job);
    for (int i = 0; i < job.PageCount(); ++i) {
        const QString name = PageFileName(path, i, job.PageCount());
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        const QImage page = job.RenderPage(layout, dpi, i);
        // Cancelled: the pages written so far stay, the rest are not made.
        if (job.Cancelled()) return false;
        const CAtomicFile::Status status = page.isNull() || !page.save(&buffer, "PNG")
                                               ? CAtomicFile::Status::WriteFault
                                               : CAtomicFile::Write(name, png);
        if (!Written(status, name)) return false;
    }
    return true;
}

bool CMapPrinter::PaintAll(QPainter& p, QPagedPaintDevice& device, const QPageLayout& layout,
                           int resolution) {
    if (IsPlainVisiblePrint()) {
        PaintPage(p, layout, resolution);
        return true;
    }
    CPrintJob job = MakeJob();
    QString error;
    if (!job.Layout(layout.paintRectPixels(resolution).size(), resolution, &error)) {
        Prompts::instance().message(error);
        return false;
    }
    ShowProgress(job);
    for (int i = 0; i < job.PageCount() && !job.Cancelled(); ++i) {
        if (i > 0) device.newPage();
        job.PaintPage(p, i);
    }
    return !job.Cancelled();
}

bool CMapPrinter::PrintTo(const QString& printerName) {
    if (!printerName.isEmpty()) {
        QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
        if (info.isNull()) {
            Prompts::instance().message(QString(str::PrinterNotFound).arg(printerName));
            return false;
        }
        printer.setPrinterName(info.printerName());
    }
    return PrintOn(printer);
}

bool CMapPrinter::PrintOn(QPrinter& target) {
    target.setDocName(view.Document().GetTitle());
    if (target.outputFormat() == QPrinter::PdfFormat && !target.outputFileName().isEmpty())
        return PrintToPdfFile(target);
    QPainter p;
    // Without any printer Qt falls back to a PDF writer with no file; starting
    // that would leave the printer stuck for the rest of the run.
    const bool noFile =
        target.outputFormat() == QPrinter::PdfFormat && target.outputFileName().isEmpty();
    if (noFile || !p.begin(&target)) {
        Prompts::instance().message(str::PrintFailed);
        return false;
    }
    const bool painted = PaintAll(p, target, target.pageLayout(), target.resolution());
    // Cancelled or refused: the print system drops what was sent.
    if (!painted) target.abort();
    return p.end() && painted;
}

bool CMapPrinter::PrintToPdfFile(const QPrinter& target) {
    // Qt's PDF printer writes straight into the file and never says when a
    // write failed; a full disk would leave half a PDF where the old one
    // was. The pages go to a file saved whole or not at all, as they are
    // made: a whole location's PDF need not fit in memory too.
    const QString path = target.outputFileName();
    CStreamedFile file(path);
    CAtomicFile::Status status = file.Open();
    if (status == CAtomicFile::Status::Ok) {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(target.pageLayout());
        pdf.setResolution(target.resolution());
        pdf.setTitle(target.docName());
        pdf.setCreator(target.creator());
        QPainter p;
        if (!p.begin(&pdf)) {
            Prompts::instance().message(str::PrintFailed);
            return false;
        }
        const bool painted = PaintAll(p, pdf, target.pageLayout(), target.resolution());
        if (!p.end() || !painted) {
            if (painted) Prompts::instance().message(str::PrintFailed);
            return false;  // the file is discarded
        }
        status = file.Commit();
    }
    if (status != CAtomicFile::Status::Ok) {
        // A full disk is said as such; any other refusal as printing's own.
        Prompts::instance().message(status == CAtomicFile::Status::DiskFull
                                        ? CAtomicFile::Message(status, path)
                                        : QString(str::PrintFailed));
        return false;
    }
    return true;
}

void CMapPrinter::PaintPage(QPainter& p, const QPrinter& target) {
    PaintPage(p, target.pageLayout(), target.resolution());
}

void CMapPrinter::PaintPage(QPainter& p, const QPageLayout& layout, int resolution) {
    // The painter's origin is the paint rectangle's top-left corner.
    QSize size = layout.paintRectPixels(resolution).size();
    QRect page(QPoint(0, 0), size);
    DrawFooter(p, page, view.Document().GetTitle());
    DrawMap(p, page);
}

int CMapPrinter::Factor(QSize page, QSize viewSize) {
    if (viewSize.width() <= 0 || viewSize.height() <= 0) return 0;
    if (page.width() <= 0 || page.height() <= 0) return 0;
    return std::min(page.width() / viewSize.width(), page.height() / viewSize.height());
}

int CMapPrinter::FooterPixelSize(int dpi) {
    return std::max(1, qRound(kFooterPoints * dpi / 72.0));
}

QString CMapPrinter::FooterText(const QString& title) {
    return QString::asprintf(str::PrintFooter, title.toUtf8().constData());
}

void CMapPrinter::DrawFooter(QPainter& p, const QRect& page, const QString& title) {
    // Placed by the height of the device's own font, before ours is chosen.
    const int tmH = p.fontMetrics().height();
    // Sized for the device itself: a size taken from the screen would shrink
    // to a few points on a fine printer.
    QFont font(kFooterFamily);
    font.setPixelSize(FooterPixelSize(p.device() ? p.device()->logicalDpiY() : 72));
    const QFont previous = p.font();
    p.setFont(font);
    const int bottom = page.y() + page.height();
    const int top = bottom - tmH - kFooterTextGap;
    p.drawText(QPoint(0, top + p.fontMetrics().ascent()), FooterText(title));
    p.setFont(previous);
    const int ruleY = bottom - tmH - kFooterRuleGap;
    // Touching the hints makes Qt's PDF writer, which also feeds the print
    // system, stroke with the painter's pen; untouched it draws a hairline.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(QPoint(0, ruleY), QPoint(page.x() + page.width(), ruleY));
}

QImage CMapPrinter::ComposeRegion(CTarnLocation& location, const QRect& region,
                                  const QColor& window) {
    // Only the region: the whole extent of a big scan would not fit in memory.
    QImage picture(region.size(), QImage::Format_RGB32);
    picture.fill(window);
    QPainter p(&picture);
    p.translate(-region.topLeft());
    const QRect extent(QPoint(0, 0), location.Extent());
    const QRect inside = region & extent;
    if (!inside.isEmpty()) location.Draw(p, inside);
    // On screen the icons are windows of their own; on paper they are drawn.
    location.userInfoPoints.DrawAll(p);
    for (const QRect& r : QRegion(region) - QRegion(extent)) p.fillRect(r, window);
    return picture;
}

void CMapPrinter::DrawMap(QPainter& p, const QRect& page) {
    const QSize shown = view.viewport()->size();
    const int f = Factor(page.size(), shown);
    if (f == 0) return;  // the footer alone
    const QRect region(view.ScrollPosition(), shown);
    const QImage picture =
        ComposeRegion(view.Location(), region, view.palette().color(QPalette::Window));
    p.save();
    // Every map pixel becomes an f x f block: no smoothing, no lossy packing.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(QRect(0, 0, shown.width() * f, shown.height() * f), picture);
    p.restore();
}
