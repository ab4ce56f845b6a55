// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPrinter>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "view/PrintJob.h"

class QColor;
class QImage;
class QPainter;
class CTarnLocation;
class CTarnlightView;

// Prints what the map view shows, on exactly one page: a footer naming the
// file, then the visible part of the map enlarged by a whole factor from the
// page's top-left corner. One printer serves the whole run, so the choice
// made in print setup holds for every later print and preview.
//
// The print options page offers more: the whole location or a rectangle of
// it, fitted to one or more pages or at a scale, framed with latitude and
// longitude ticks, a scale bar and a north arrow (CPrintJob). The same pages
// can be exported as a PDF file or as PNG pictures without any printer.
class CMapPrinter : public QObject {
    Q_OBJECT
public:
    // Becomes a child of the view and lives as long as it does.
    explicit CMapPrinter(CTarnlightView& view);
    // The view's printer object, or null when it has none.
    static CMapPrinter* Of(CTarnlightView& view);

    QPrinter& Printer() { return printer; }

    // The commands. Print runs the print dialog first (cancel prints
    // nothing); print direct uses the printer as it is. Both return false
    // when nothing was printed.
    bool OnFilePrint();
    bool OnFilePrintDirect();
    void OnFilePrintPreview();
    bool OnFilePrintSetup();
    // Options page, then a file name; false when cancelled or not written.
    bool OnExportPdf();
    bool OnExportImage();

    // The print options page; false when cancelled. Its orientation
    // becomes the printer's.
    bool ChooseOptions();
    PrintOptions& Options() { return options; }
    // Whether the options ask for the visible part at a whole factor, the
    // print of one page that needs no job.
    bool IsPlainVisiblePrint() const;
    // The area the options name, in logical map pixels, inside the maps.
    QRect OptionsRegion() const;
    // A job for the options (not laid out yet).
    CPrintJob MakeJob() const;
    // Writes the pages of the options as a PDF file / PNG pictures (one
    // per page: NAME-1.png, NAME-2.png ... when there are several); false
    // after telling the user why.
    bool WritePdf(const QString& path, const QPageLayout& layout);
    bool WriteImages(const QString& path, const QPageLayout& layout, int dpi);
    static QString PageFileName(const QString& path, int index, int count);
    // The command line's print: on the named printer, or the current one
    // when the name is empty. An unknown name is reported and prints nothing.
    bool PrintTo(const QString& printerName);

    // Prints the page on target; false (and a message) when it cannot start.
    bool PrintOn(QPrinter& target);
    // Paints the page with a painter active on target.
    void PaintPage(QPainter& p, const QPrinter& target);
    void PaintPage(QPainter& p, const QPageLayout& layout, int resolution);

    // The whole enlargement that fits a view of viewSize on page in both
    // directions; 0 when it does not fit even once.
    static int Factor(QSize page, QSize viewSize);
    // The footer's font size in pixels of a device of dpi dots per inch.
    static int FooterPixelSize(int dpi);
    static QString FooterText(const QString& title);
    // The footer line and the rule above it, at the page's bottom.
    static void DrawFooter(QPainter& p, const QRect& page, const QString& title);
    // The picture of region (logical pixels) as the view shows it, without
    // its screen overlays: maps, red lines and map points by the layers,
    // the user info point icons, and the window colour outside the extent.
    static QImage ComposeRegion(CTarnLocation& location, const QRect& region, const QColor& window);
    // The visible region enlarged by Factor() at the page's top-left corner.
    void DrawMap(QPainter& p, const QRect& page);

private:
    // A printer set to a PDF file: the file is written whole or not at all.
    bool PrintToPdfFile(const QPrinter& target);

    // The whole-number print of the visible part, or the pages of a job.
    bool PaintAll(QPainter& p, QPagedPaintDevice& device, const QPageLayout& layout,
                  int resolution);

    CTarnlightView& view;
    QPrinter printer{QPrinter::HighResolution};
    PrintOptions options;
    bool optionsChosen = false;  // the orientation follows the settings until then
};
