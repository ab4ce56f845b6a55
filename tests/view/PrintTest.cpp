// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>

#include "TmpfsVolume.h"
#include "ViewFixture.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/MapPrinter.h"

namespace {

constexpr QSize kView(200, 150);
constexpr QSize kPage(680, 435);  // 3.4 times as wide and 2.9 times as high
constexpr int kDeviceDpi = 360;   // five device pixels to the point: whole page sizes

struct Spot {
    QPoint at;
    int type;
    QColor colour() const { return CMapPoint::TypeColor(type); }
};

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed; scripts/bootstrap installs it";
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Bounding box of the pixels of exactly colour c; the number of others.
QRect Box(const QImage& img, QColor c, QRect area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixel(x, y) == c.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}
int CountNot(const QImage& img, QColor c, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += img.pixel(x, y) != c.rgb();
    return n;
}

struct Page {
    QImage fine;    // two pixels to a device pixel each way
    QImage device;  // one pixel per device pixel
    QString text;
};

class PrintTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(kView);
        ASSERT_EQ(vp()->size(), kView);
        SetExtent({600, 400});
        pdf = dir.filePath("page.pdf");
    }
    void SetExtent(QSize s) {
        view->Location().maps.extentWidth = s.width();
        view->Location().maps.extentHeight = s.height();
        doc.resetAfterLoad();
    }
    void Add(std::initializer_list<Spot> spots) {
        for (const Spot& s : spots)
            view->Location().mapPoints.AddPoint(s.at.x(), s.at.y(), s.type, 0, "", "");
    }
    QPrinter& Printer() { return CMapPrinter::Of(*view)->Printer(); }
    // The view's printer writes a PDF page of `page` device pixels.
    void ToPdf(QSize page) {
        QFile::remove(pdf);
        QPrinter& p = Printer();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setResolution(kDeviceDpi);
        QSizeF points = QSizeF(page) * 72.0 / kDeviceDpi;
        p.setPageSize(QPageSize(points, QPageSize::Point, "test", QPageSize::ExactMatch));
        p.setPageOrientation(QPageLayout::Portrait);
        p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    }
    Page Print(QSize page) {
        ToPdf(page);
        EXPECT_TRUE(table.execute(cmd::FilePrintDirect));
        EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages: +1\n")));
        // Renderers smooth an image enlarged less than 4 times; at twice the
        // device resolution the map's 2x becomes 4x and is copied in blocks.
        Page r;
        QString png = dir.filePath("page");
        RunTool("pdftoppm",
                {"-r", QString::number(2 * kDeviceDpi), "-png", "-singlefile", pdf, png});
        r.fine = QImage(png + ".png").convertToFormat(QImage::Format_RGB32);
        // An image spills one fine pixel past its right and bottom edges, so
        // each device pixel is read from its second fine pixel.
        r.device = QImage(r.fine.size() / 2, QImage::Format_RGB32);
        for (int y = 0; y < r.device.height(); ++y)
            for (int x = 0; x < r.device.width(); ++x)
                r.device.setPixel(x, y, r.fine.pixel(2 * x + 1, 2 * y + 1));
        r.text = RunTool("pdftotext", {pdf, "-"}).simplified();
        return r;
    }
    // 30 pixels and the printer font's height above the bottom. A one-pixel
    // line centred on that row's top edge: half in each of two fine rows,
    // which are the only ones dark across the page.
    int RuleRow(int pageHeight) {
        return pageHeight - QFontMetrics(QFont(), &Printer()).height() - 30;
    }
    static std::vector<int> FullRows(const QImage& fine) {
        std::vector<int> rows;
        for (int y = 0; y < fine.height(); ++y)
            if (Box(fine, Qt::black, QRect(0, y, fine.width(), 1)).width() == fine.width())
                rows.push_back(y);
        return rows;
    }

    QTemporaryDir dir;
    QString pdf;
};

TEST_F(PrintTest, MapPrintsTwiceItsSizeFromTheTopLeftCorner) {
    SetExtent({150, 100});  // the window colour shows where the view ends
    const Spot spots[] = {
        {{30, 25}, CMapPoint::Water}, {{75, 50}, CMapPoint::Land}, {{140, 90}, CMapPoint::Rock}};
    Add({spots[0], spots[1], spots[2]});
    Page page = Print(kPage);
    ASSERT_EQ(page.device.size(), kPage);
    for (const Spot& s : spots) {
        // The 11-pixel square becomes 22 pixels, its 9-pixel inside 18.
        QPoint corner = 2 * (s.at - QPoint(5, 5));
        EXPECT_EQ(Box(page.device, s.colour(), page.device.rect()),
                  QRect(corner + QPoint(2, 2), QSize(18, 18)));
        EXPECT_EQ(CountNot(page.device, Qt::white, QRect(corner - QPoint(4, 4), QSize(30, 30))),
                  22 * 22);
    }
    // Map 300 x 200 and the window colour to 400 x 300, then paper.
    QColor window = view->palette().color(QPalette::Window);
    QRect aboveRule(0, 0, kPage.width(), RuleRow(kPage.height()) - 1);
    EXPECT_EQ(Box(page.device, window, aboveRule), QRect(0, 0, 400, 300));
    EXPECT_EQ(CountNot(page.device, window, QRect(0, 0, 400, 300)), 300 * 200);
    EXPECT_EQ(CountNot(page.device, Qt::white, QRect(400, 0, 280, 300)), 0);
}

TEST_F(PrintTest, ScrolledViewPrintsTheVisibleRegion) {
    const Spot spots[] = {
        {{60, 40}, CMapPoint::Water}, {{380, 60}, CMapPoint::Land}, {{520, 330}, CMapPoint::Rock}};
    Add({spots[0], spots[1], spots[2]});
    for (QPoint scroll : {QPoint(0, 0), QPoint(300, 0), QPoint(400, 250)}) {
        view->ScrollTo(scroll);
        ASSERT_EQ(view->ScrollPosition(), scroll);
        Page page = Print(kPage);
        for (const Spot& s : spots) {
            QRect expected;  // none when outside the visible region
            if (QRect(scroll, kView).contains(s.at))
                expected = QRect(2 * (s.at - scroll - QPoint(4, 4)), QSize(18, 18));
            EXPECT_EQ(Box(page.device, s.colour(), page.device.rect()), expected)
                << scroll.x() << "," << scroll.y() << " spot " << s.at.x();
        }
    }
}

TEST_F(PrintTest, UserInfoPointsPrintAsIconsWithoutWindowsOrTips) {
    table.execute(cmd::AddUserPoint);
    CUserInfoPoint& first = *view->Location().userInfoPoints.points[0];
    first.position = {60, 40};
    CUserInfoPoint& second = view->Location().userInfoPoints.AddNew();
    second.SetIcon(5005);
    second.position = {150, 100};
    ASSERT_EQ(first.Window()->toolTip(), "Point 1");
    Page page = Print(kPage);
    // A white map with each icon enlarged in blocks at twice its place.
    QImage expected(400, 300, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter p(&expected);
    for (const CUserInfoPoint* point : {&first, &second}) {
        QImage icon(16, 16, QImage::Format_RGB32);
        icon.fill(Qt::white);
        QPainter(&icon).drawPixmap(0, 0, art::UserPointIcon(point->iconId, 16));
        p.drawImage(2 * point->position, icon.scaled(32, 32, Qt::IgnoreAspectRatio));
    }
    p.end();
    ASSERT_GT(CountNot(expected, Qt::white, expected.rect()), 100);
    EXPECT_EQ(page.device.copy(0, 0, 400, 300), expected);
    EXPECT_FALSE(page.text.contains("Point 1"));
}

// A PDF printed over an older one on a disk with every free size up to the
// new file's size and more: the new PDF lands whole, or the old one stays
// byte for byte and the user is told the disk is full.
TEST_F(PrintTest, PdfOnAFullDiskIsWholeOrLeavesTheOldFile) {
    TmpfsVolume volume(512 * 1024);
    if (!volume.mounted()) {
        GTEST_SKIP() << volume.why();
    }
    doc.SetTitle(QString::fromUtf8("/srv/jeziora/\u0141\u00f3d\u017a.fnm"));
    pdf = volume.filePath(QString::fromUtf8("mapa \u0142owiska.pdf"));
    ToPdf(kPage);
    ASSERT_TRUE(table.execute(cmd::FilePrintDirect));
    const qint64 size = QFileInfo(pdf).size();
    ASSERT_GT(size, 1000);
    const QByteArray old = "%PDF-1.4 an older print\n";
    int landed = 0;
    for (qint64 free : TmpfsVolume::FreeSizes(size + 16 * 1024)) {
        SCOPED_TRACE("free " + std::to_string(free));
        volume.Unfill();
        ASSERT_TRUE(testutil::WriteAll(pdf, old));
        ASSERT_TRUE(volume.LeaveFree(free));
        scripted().reset();
        ASSERT_TRUE(table.execute(cmd::FilePrintDirect));
        const bool printed = scripted().messages.isEmpty();
        const QByteArray now = testutil::ReadAll(pdf);
        if (printed) {
            ++landed;
            EXPECT_EQ(now.size(), size);
            EXPECT_TRUE(now.startsWith("%PDF") && now.trimmed().endsWith("%%EOF"));
        } else {
            EXPECT_EQ(now, old);
            EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
        }
        QStringList left = QDir(volume.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(".filler");
        EXPECT_EQ(left, QStringList{QFileInfo(pdf).fileName()});  // no temporary file
    }
    EXPECT_GT(landed, 0);
}

TEST_F(PrintTest, FooterNamesTheFileUnderTheRule) {
    doc.SetTitle("/srv/lakes/Moss Tarn.fnm");
    const QSize wide(1600, 435);  // the whole footer line fits
    Page page = Print(wide);
    EXPECT_TRUE(
        page.text.contains("Printed by Fenmarrow Utilities, File: /srv/lakes/Moss Tarn.fnm"))
        << page.text;
    const int rule = RuleRow(wide.height());
    EXPECT_EQ(FullRows(page.fine), (std::vector<int>{2 * rule - 1, 2 * rule}));
    // The text starts 25 pixels below the rule and is sized for the
    // printer's 360 dots per inch: 9 points are 45 of its pixels.
    QRect ink;
    for (int y = rule + 1; y < wide.height(); ++y)
        for (int x = 0; x < wide.width(); ++x)
            if (qGray(page.device.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    const int px = CMapPrinter::FooterPixelSize(kDeviceDpi);
    EXPECT_EQ(px, 45);
    EXPECT_GE(ink.top(), rule + 25);
    EXPECT_LE(ink.left(), 6);
    EXPECT_GE(ink.height(), px * 8 / 10);
    EXPECT_LE(ink.height(), px * 105 / 100);
}

// On paper the footer keeps its size whatever the printer's resolution.
TEST_F(PrintTest, FooterReadsAsNinePointsAtEveryResolution) {
    doc.SetTitle("/srv/lakes/Moss Tarn.fnm");
    // A view taller than any of these pages: only the footer is printed.
    view->resize(800, 1300);
    const QSizeF inches(6, 1);
    for (const int dpi : {300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        QFile::remove(pdf);
        QPrinter& p = Printer();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setResolution(dpi);
        p.setPageSize(QPageSize(inches * 72, QPageSize::Point, "footer", QPageSize::ExactMatch));
        p.setPageOrientation(QPageLayout::Portrait);
        p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        EXPECT_TRUE(CMapPrinter::Of(*view)->PrintTo(""));
        const QString png = dir.filePath("footer");
        RunTool("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile", pdf, png});
        const QImage paper = QImage(png + ".png").convertToFormat(QImage::Format_Grayscale8);
        ASSERT_EQ(paper.size(), (inches * dpi).toSize());
        // The rule is the one row dark across the page; the text lies below.
        int rule = -1;
        for (int y = 0; y < paper.height() && rule < 0; ++y) {
            const uchar* row = paper.constScanLine(y);
            if (std::all_of(row, row + paper.width(), [](uchar g) { return g < 128; })) rule = y;
        }
        ASSERT_GE(rule, 0);
        QRect ink;
        for (int y = rule + 2; y < paper.height(); ++y) {
            const uchar* row = paper.constScanLine(y);
            for (int x = 0; x < paper.width(); ++x)
                if (row[x] < 128) ink |= QRect(x, y, 1, 1);
        }
        // Ascenders to descenders: a little under the font's 9 points
        // (8.4 to 8.7 measured; 2.4 at 1200 dpi with a screen-sized font).
        const double points = ink.height() * 72.0 / dpi;
        EXPECT_GT(points, 7.0);
        EXPECT_LT(points, 10.0);
        EXPECT_LT(ink.bottom(), paper.height() - 1) << "the text fits on the page";
        EXPECT_LE(ink.left(), dpi / 50);
        const QString text = RunTool("pdftotext", {pdf, "-"}).simplified();
        EXPECT_EQ(text, "Printed by Fenmarrow Utilities, File: /srv/lakes/Moss Tarn.fnm");
    }
}

TEST_F(PrintTest, MapReachingTheBottomCoversTheFooter) {
    Page page = Print({680, 300});
    EXPECT_EQ(CountNot(page.device, Qt::white, QRect(0, 0, 400, 300)), 0);
    EXPECT_EQ(CountNot(page.device, Qt::white, QRect(400, RuleRow(300) - 1, 280, 1)), 280);
}

TEST_F(PrintTest, PageSmallerThanTheViewPrintsOnlyTheFooter) {
    SetExtent({150, 100});
    Add({{{30, 25}, CMapPoint::Water}});
    for (QSize small : {QSize(190, 435), QSize(680, 140)}) {
        Page page = Print(small);
        const int rule = RuleRow(small.height());
        EXPECT_EQ(FullRows(page.fine), (std::vector<int>{2 * rule - 1, 2 * rule}));
        EXPECT_EQ(CountNot(page.device, Qt::white, QRect(0, 0, small.width(), rule - 1)), 0)
            << small.width() << "x" << small.height();
    }
    EXPECT_EQ(CMapPrinter::Factor({680, 435}, {0, 0}), 0);
}

// Print setup in which the user picks a 100 x 80 point page.
class PageSetupPrompts : public ScriptedPrompts {
public:
    bool pageSetupDialog(QPrinter& printer) override {
        printer.setPageSize(
            QPageSize(QSizeF(100, 80), QPageSize::Point, "", QPageSize::ExactMatch));
        return true;
    }
};

// The print options page accepted with a portrait page.
void AcceptOptions() {
    scripted().dialog([](QDialog& d) {
        auto* portrait = d.findChild<QRadioButton*>("portrait");
        ASSERT_TRUE(portrait);
        portrait->setChecked(true);
        d.accept();
    });
}

TEST_F(PrintTest, DialogsDecideAndSetupHolds) {
    // Cancelling the options page prints nothing and never reaches the printer's dialog.
    ToPdf(kPage);
    scripted().print(true);
    table.execute(cmd::FilePrint);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    scripted().prints.clear();
    for (bool ok : {false, true}) {
        ToPdf(kPage);
        AcceptOptions();
        scripted().print(ok);
        table.execute(cmd::FilePrint);
        EXPECT_EQ(QFileInfo::exists(pdf), ok);
    }
    PageSetupPrompts setup;
    Prompts* previous = Prompts::install(&setup);
    table.execute(cmd::FilePrintSetup);
    Prompts::install(previous);
    AcceptOptions();
    table.execute(cmd::FilePrint);
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains("100 x 80 pts"));
}

TEST_F(PrintTest, PreviewShowsOnePageAndWritesNothing) {
    ToPdf(kPage);
    int pages = -1;
    scripted().dialog([&](QDialog& d) {
        auto* preview = d.findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(preview);
        preview->updatePreview();
        pages = preview->pageCount();
        d.reject();
    });
    table.execute(cmd::FilePrintPreview);
    EXPECT_EQ(pages, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(PrintTest, FailuresAreReportedAndThePrinterStaysUsable) {
    ToPdf(kPage);
    CMapPrinter* printing = CMapPrinter::Of(*view);
    EXPECT_FALSE(printing->PrintTo("No Such Printer"));
    for (QString target : {dir.filePath("missing/page.pdf"), QString()}) {
        Printer().setOutputFileName(target);
        EXPECT_FALSE(printing->PrintTo(""));
    }
    EXPECT_EQ(scripted().messages,
              (QStringList{"Printer No Such Printer not found.", "Unable to start printing.",
                           "Unable to start printing."}));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    Printer().setOutputFileName(pdf);
    EXPECT_TRUE(printing->PrintTo(""));
    EXPECT_TRUE(QFileInfo::exists(pdf));
}

}  // namespace
