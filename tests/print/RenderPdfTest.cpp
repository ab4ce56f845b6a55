// SPDX-License-Identifier: GPL-3.0-or-later
// fnm render's printed pages of the sample lake, read back through the
// poppler tools: the scale bar against the calibration, the tick labels, the
// footer's size, the map against the composed picture, and tiling.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <set>

#include "PdfProbe.h"
#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "ToolRun.h"
#include "geo/Coordinate.h"

namespace {

const QString kSample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";
// The sample's calibration: linear in both axes.
constexpr double kWest0 = 93.86, kWestPerPixel = 0.0003;
constexpr double kNorth0 = 46.43, kNorthPerPixel = 0.38 / 1824;
constexpr QSize kExtent(1600, 1824);

double Miles(double lat, double westA, double westB) {
    CCoordinate a, b;
    a.latitude.FromDecimalDegrees(lat);
    b.latitude.FromDecimalDegrees(lat);
    a.longitude.FromDecimalDegrees(westA);
    b.longitude.FromDecimalDegrees(westB);
    return a.DistanceTo(b);
}

// Ground miles along one map pixel across region, at its middle.
double MilesPerPixel(const QRect& region) {
    const double lat = kNorth0 - kNorthPerPixel * (region.top() + region.height() / 2.0);
    const double span = region.width();
    return Miles(lat, kWest0 - kWestPerPixel * region.left(),
                 kWest0 - kWestPerPixel * (region.left() + span)) /
           span;
}

double BarMiles(const QString& text) {
    static const QRegularExpression label(R"((\d+(?:\.\d+)?) (mi|ft)\b)");
    const auto m = label.match(text);
    if (!m.hasMatch()) return 0;
    return m.captured(1).toDouble() / (m.captured(2) == "ft" ? 5280.0 : 1.0);
}

QString RunOutput(const QString& program, const QStringList& args) {
    return testutil::RunTool(program, args).out;
}

class RenderPdf : public ::testing::Test {
protected:
    void SetUp() override {
        if (!probe::HaveTools()) GTEST_SKIP() << "pdftoppm or pdftotext is missing";
    }
    testutil::ToolRun Fnm(const QStringList& args) {
        return testutil::RunTool(FNM_BINARY, QStringList{"render"} + args);
    }
    QString Render(const QString& name, const QStringList& options) {
        const QString out = dir.filePath(name);
        const testutil::ToolRun run = Fnm(QStringList{kSample, out} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return out;
    }
    QTemporaryDir dir;
};

struct BarCase {
    const char* name;
    QStringList options;
    double scale;  // 0: fitted
    QRect region;
};

TEST_F(RenderPdf, ScaleBarMatchesTheCalibration) {
    const QRect whole(QPoint(0, 0), kExtent);
    const BarCase cases[] = {
        {"fit-landscape", {"--landscape"}, 0, whole},
        {"fit-portrait", {}, 0, whole},
        {"scale-100000", {"--scale", "100000", "--landscape"}, 100000, whole},
        {"scale-24000-rect",
         {"--scale", "24000", "--x", "600", "--y", "700", "--width", "300", "--height", "200"},
         24000,
         QRect(600, 700, 300, 200)},
    };
    constexpr int dpi = 300;
    for (const BarCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = Render(QString(c.name) + ".pdf", c.options);
        const QString text = probe::Text(pdf, 1);
        const double miles = BarMiles(text);
        ASSERT_GT(miles, 0) << text.toStdString();
        const QImage page = probe::Rasterise(pdf, dpi, 1);
        ASSERT_FALSE(page.isNull());
        const probe::Run bar = probe::ScaleBar(page, dpi);
        ASSERT_GT(bar.length, 0);
        double pixelsPerMile = 0;
        if (c.scale > 0) {
            pixelsPerMile = 63360.0 / c.scale * dpi;
            EXPECT_TRUE(text.contains(QString("Scale 1:%1")
                                          .arg(QString::number(c.scale).insert(
                                              QString::number(c.scale).size() - 3, ' '))))
                << text.toStdString();
        } else {
            const QRect frame = probe::Frame(page, dpi);
            ASSERT_GT(frame.width(), dpi);
            pixelsPerMile = frame.width() / double(c.region.width()) / MilesPerPixel(c.region);
        }
        const double expected = miles * pixelsPerMile;
        EXPECT_NEAR(bar.length, expected, expected * 0.01) << "bar of " << miles << " mi";
        RecordProperty(
            std::string("bar_error_percent_") + c.name,
            QString::number(100 * (bar.length - expected) / expected, 'f', 3).toStdString());
    }
}

TEST_F(RenderPdf, TicksAreLabelledInTheReadOutFormatWhereTheyBelong) {
    const QString pdf = Render("ticks.pdf", {"--landscape"});
    const std::vector<probe::Word> words = probe::Words(pdf);
    static const QRegularExpression lat(R"(^N046-(\d\d)-(\d\d)$)"), lon(R"(^W093-(\d\d)-(\d\d)$)");
    std::set<int> lats, lons;
    std::map<int, double> lonCentre;  // seconds -> x centre of its top label (points)
    double topMost = 1e9;
    for (const probe::Word& w : words)
        topMost = std::min(topMost, w.text.startsWith("W093") ? w.box.top() : 1e9);
    for (const probe::Word& w : words) {
        if (const auto m = lat.match(w.text); m.hasMatch())
            lats.insert(m.captured(1).toInt() * 60 + m.captured(2).toInt());
        if (const auto m = lon.match(w.text); m.hasMatch()) {
            const int s = m.captured(1).toInt() * 60 + m.captured(2).toInt();
            lons.insert(s);
            if (std::abs(w.box.top() - topMost) < 1) lonCentre[s] = w.box.center().x();
        }
    }
    ASSERT_GE(lats.size(), 3u);
    ASSERT_GE(lons.size(), 3u);
    // Inside the sample's range, evenly spaced.
    for (int s : lats) EXPECT_TRUE(s >= 3 * 60 && s <= 25 * 60 + 48) << s;
    for (int s : lons) EXPECT_TRUE(s >= 22 * 60 + 48 && s <= 51 * 60 + 36) << s;
    for (const std::set<int>* set : {&lats, &lons}) {
        const int step = *std::next(set->begin()) - *set->begin();
        for (auto a = set->begin(), b = std::next(a); b != set->end(); ++a, ++b)
            EXPECT_EQ(*b - *a, step);
    }
    EXPECT_TRUE(lats.count(20 * 60));  // N046-20-00
    EXPECT_TRUE(lons.count(40 * 60));  // W093-40-00
    // A label stands over its tick: where the calibration puts the meridian.
    constexpr int dpi = 144;
    const QRect frame = probe::Frame(probe::Rasterise(pdf, dpi, 1), dpi);
    ASSERT_GT(frame.width(), 0);
    const double pointsPerPixel = 72.0 / dpi * frame.width() / kExtent.width();
    int checked = 0;
    for (const auto& [s, centre] : lonCentre) {
        const double west = 93 + s / 3600.0;
        const double x = (kWest0 - west) / kWestPerPixel;
        if (x < 100 || x > kExtent.width() - 100) continue;  // labels at the corners move in
        EXPECT_NEAR(centre, frame.left() * 72.0 / dpi + x * pointsPerPixel, 1.5) << s;
        ++checked;
    }
    EXPECT_GE(checked, 2);
}

TEST_F(RenderPdf, FooterIsLegibleAndNamesTheFileWhateverItsName) {
    // A name far from Latin-1 goes through the header, the footer and the file.
    const QString name = QString::fromUtf8("Sjön–Ærø");
    for (const char* image : {"millelacs-west.jpg", "millelacs-east.jpg"})
        ASSERT_TRUE(QFile::copy(QString(FM_SAMPLES_DIR) + "/" + image, dir.filePath(image)));
    const QString fnm = dir.filePath(name + ".fnm");
    ASSERT_TRUE(QFile::copy(kSample, fnm));
    const QString pdf = dir.filePath(name + ".pdf");
    const testutil::ToolRun run =
        testutil::RunTool(FNM_BINARY, {"render", fnm, pdf, "--landscape"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text = probe::Text(pdf);
    EXPECT_TRUE(text.contains(name)) << text.toStdString();
    EXPECT_TRUE(text.contains("Printed by Fenmarrow Utilities, File: ")) << text.toStdString();
    int footerWords = 0;
    for (const probe::Word& w : probe::Words(pdf)) {
        if (w.text != "Printed" && w.text != "Fenmarrow" && w.text != "Utilities,") continue;
        ++footerWords;
        // The line's height is the font's ascent and descent: 8 to 11 points.
        EXPECT_GE(w.box.height(), 8.0) << w.text.toStdString();
        EXPECT_LE(w.box.height(), 11.0) << w.text.toStdString();
        RecordProperty("footer_line_points", QString::number(w.box.height(), 'f', 2).toStdString());
    }
    EXPECT_EQ(footerWords, 3);
}

TEST_F(RenderPdf, MapMatchesTheComposedPicture) {
    // The bare composition, as the view makes it, at its own resolution.
    const QString composed = dir.filePath("composed.png");
    ASSERT_EQ(Fnm({kSample, composed}).status, 0);
    const QString pdf = Render("map.pdf", {"--landscape"});
    constexpr int dpi = 150;
    const QImage page = probe::Rasterise(pdf, dpi, 1);
    const QRect frame = probe::Frame(page, dpi);
    ASSERT_GT(frame.width(), dpi);
    // Inside the frame's line, the map scaled to what it became on paper.
    const QRect inside = frame.adjusted(4, 4, -4, -4);
    const QImage map = QImage(composed)
                           .convertToFormat(QImage::Format_RGB32)
                           .scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .copy(inside.translated(-frame.topLeft()));
    const QImage printed = page.copy(inside);
    EXPECT_LT(probe::MeanDifference(printed, map), 6.0);
    // The PDF holds the maps at their own resolution: 1600 x 1824 pixels in
    // bands the full width of the lake, not a picture made at the printer's.
    const QString list = RunOutput("pdfimages", {"-list", pdf});
    int rows = 0;
    static const QRegularExpression image(R"(^\s*1\s+\d+\s+image\s+(\d+)\s+(\d+)\s)");
    for (const QString& line : list.split('\n'))
        if (const auto m = image.match(line); m.hasMatch() && m.captured(1).toInt() == 1600)
            rows += m.captured(2).toInt();
    EXPECT_GE(rows, kExtent.height()) << list.toStdString();
    EXPECT_LE(rows, kExtent.height() + 16) << list.toStdString();  // bands overlap by a row
    // A shift by a few map pixels is already far worse: the check sees placement.
    const QImage shifted = page.copy(inside.translated(6, 0));
    EXPECT_GT(probe::MeanDifference(shifted, map), probe::MeanDifference(printed, map) * 1.5);
}

TEST_F(RenderPdf, TilesCoverTheLakeWithTheStatedOverlap) {
    constexpr double overlapMm = 12;
    const QString pdf = Render("tiles.pdf", {"--pages", "4", "--overlap", "12"});
    ASSERT_EQ(probe::PageCount(pdf), 4);
    const QString text = probe::Text(pdf);
    for (const char* label :
         {"Page 1 of 4 (A1, row 1, column 1)", "Page 2 of 4 (A2, row 1, column 2)",
          "Page 3 of 4 (B1, row 2, column 1)", "Page 4 of 4 (B2, row 2, column 2)"})
        EXPECT_TRUE(text.contains(label)) << label;
    constexpr int dpi = 100;
    QImage pages[4];
    QRect frames[4];
    for (int i = 0; i < 4; ++i) {
        pages[i] = probe::Rasterise(pdf, dpi, i + 1);
        frames[i] = probe::Frame(pages[i], dpi);
        ASSERT_GT(frames[i].width(), dpi) << i;
        ASSERT_GT(frames[i].height(), dpi) << i;
    }
    const int overlap = qRound(overlapMm / 25.4 * dpi);
    // The two columns and the two rows, less one overlap, span the lake in
    // its own proportions.
    const double wide = frames[0].width() + frames[1].width() - overlap;
    const double high = frames[0].height() + frames[2].height() - overlap;
    EXPECT_NEAR(wide / high, double(kExtent.width()) / kExtent.height(), 0.01);
    // What A1 shows at its right edge, A2 shows at its left, and likewise
    // down the rows.
    const int inset = 3;
    const QImage a1Right =
        pages[0].copy(frames[0].right() - overlap + inset, frames[0].top() + inset,
                      overlap - 2 * inset, frames[0].height() - 2 * inset);
    const QImage a2Left = pages[1].copy(frames[1].left() + inset, frames[1].top() + inset,
                                        overlap - 2 * inset, frames[0].height() - 2 * inset);
    EXPECT_LT(probe::MeanDifference(a1Right, a2Left), 8.0);
    const QImage a1Bottom =
        pages[0].copy(frames[0].left() + inset, frames[0].bottom() - overlap + inset,
                      frames[0].width() - 2 * inset, overlap - 2 * inset);
    const QImage b1Top = pages[2].copy(frames[2].left() + inset, frames[2].top() + inset,
                                       frames[0].width() - 2 * inset, overlap - 2 * inset);
    EXPECT_LT(probe::MeanDifference(a1Bottom, b1Top), 8.0);
}

struct Refusal {
    const char* name;
    QStringList options;
    int status;
};

TEST_F(RenderPdf, RefusesWhatItCannotPrint) {
    const Refusal cases[] = {
        {"scale not a number", {"--scale", "big"}, 64},
        {"scale too fine", {"--scale", "1"}, 64},
        {"no pages", {"--pages", "0"}, 64},
        {"pages not whole", {"--pages", "2.5"}, 64},
        {"too many pages", {"--scale", "1000"}, 2},
        {"whole and a rectangle", {"--whole", "--x", "5"}, 64},
        {"outside the maps", {"--x", "5000", "--y", "5000", "--width", "10", "--height", "10"}, 2},
        {"unknown paper", {"--paper", "foolscap"}, 64},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = dir.filePath("refused.pdf");
        const testutil::ToolRun run = Fnm(QStringList{kSample, out} + c.options);
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
    const testutil::ToolRun missing = Fnm({kSample, dir.filePath("no/such/dir/out.pdf")});
    EXPECT_EQ(missing.status, 2);
}

// Pages rendered over an older PDF on a disk with every free size up to the
// new file's size: the new PDF lands whole, or the old one stays byte for
// byte, fnm says the disk is full and fails.
TEST_F(RenderPdf, PdfOnAFullDiskIsWholeOrLeavesTheOldFile) {
    TmpfsVolume volume(2 * 1024 * 1024);
    if (!volume.mounted()) GTEST_SKIP() << volume.why().toStdString();
    const QString pdf = volume.filePath(QString::fromUtf8("Sjön–Ærø.pdf"));
    ASSERT_EQ(Fnm({kSample, pdf, "--landscape"}).status, 0);
    const qint64 size = QFileInfo(pdf).size();
    ASSERT_GT(size, 10000);
    const QByteArray old = "%PDF-1.4 an older print\n";
    int landed = 0, refused = 0;
    for (qint64 free : TmpfsVolume::FreeSizes(size + 64 * 1024, 64 * 1024)) {
        SCOPED_TRACE("free " + std::to_string(free));
        volume.Unfill();
        ASSERT_TRUE(testutil::WriteAll(pdf, old));
        ASSERT_TRUE(volume.LeaveFree(free));
        const testutil::ToolRun run = Fnm({kSample, pdf, "--landscape"});
        const QByteArray now = testutil::ReadAll(pdf);
        if (run.status == 0) {
            ++landed;
            EXPECT_EQ(now.size(), size);
            EXPECT_TRUE(now.startsWith("%PDF") && now.trimmed().endsWith("%%EOF"));
        } else {
            ++refused;
            EXPECT_EQ(run.status, 2);
            EXPECT_TRUE(run.err.contains("disk", Qt::CaseInsensitive)) << run.err.toStdString();
            EXPECT_EQ(now, old);
        }
        QStringList left = QDir(volume.path()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(".filler");
        EXPECT_EQ(left, QStringList{QFileInfo(pdf).fileName()});  // no temporary file
    }
    EXPECT_GT(landed, 0);
    EXPECT_GT(refused, 0);
}

TEST_F(RenderPdf, PngPagesAreNumberedFiles) {
    const QString out = dir.filePath("lake.png");
    ASSERT_EQ(Fnm({kSample, out, "--pages", "4", "--dpi", "60"}).status, 0);
    EXPECT_FALSE(QFile::exists(out));
    for (int i = 1; i <= 4; ++i) {
        const QImage page(dir.filePath(QString("lake-%1.png").arg(i)));
        ASSERT_FALSE(page.isNull()) << i;
        // A4 portrait at 60 dpi.
        EXPECT_NEAR(page.width(), 210 / 25.4 * 60, 1);
        EXPECT_NEAR(page.height(), 297 / 25.4 * 60, 1);
    }
    // Letter paper, landscape.
    ASSERT_EQ(Fnm({kSample, out, "--paper", "Letter", "--landscape", "--dpi", "60"}).status, 0);
    EXPECT_EQ(QImage(out).size(), QSize(11 * 60, qRound(8.5 * 60)));
    // Without page options the picture stays the bare composition.
    ASSERT_EQ(
        Fnm({kSample, out, "--x", "10", "--y", "20", "--width", "30", "--height", "40"}).status, 0);
    EXPECT_EQ(QImage(out).size(), QSize(30, 40));
}

}  // namespace
