// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "points/MapPoint.h"
#include "points/PointDisplay.h"
#include "resources/Art.h"

namespace {

// ---- the row layout ---------------------------------------------------------

TEST(PointRowLayout, RowsStopAtTheFirstThatWouldNotFit) {
    struct Case {
        int firstTop, bottom, labelHeight;
        std::vector<int> rows;
        std::optional<int> info;
    };
    const Case cases[] = {
        {30, 200, 15, {30, 49, 68, 87, 106}, 125},  // plenty of room
        {30, 140, 15, {30, 49, 68, 87, 106}, 125},  // 125 <= 140 - 15: "Info:" just fits
        {30, 139, 15, {30, 49, 68, 87, 106}, {}},   // all five rows, no "Info:"
        {30, 121, 15, {30, 49, 68, 87, 106}, {}},
        {30, 120, 15, {30, 49, 68, 87}, {}},
        {30, 64, 15, {30, 49}, {}},  // 49 <= 64 - 15
        {30, 63, 15, {30}, {}},
        {30, 0, 15, {30}, {}},  // the first row is always drawn
        {25, 150, 14, {25, 43, 61, 79, 97}, 115},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bottom " << c.bottom << " h " << c.labelHeight);
        const PointRows rows = LayOutPointRows(c.firstTop, c.bottom, c.labelHeight);
        EXPECT_EQ(rows.rowTops, c.rows);
        EXPECT_EQ(rows.infoTop, c.info);
    }
}

// ---- pixels -----------------------------------------------------------------

QFont Font(const char* family, int points) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(points);
    return f;
}

// Where the panel's text goes, from the same fonts the panel asks for.
struct Metrics {
    explicit Metrics(QWidget* w)
        : title(Font("arial black", 10), w), label(Font("arial black", 8), w) {}
    int RuleY() const { return 5 + title.height(); }
    int FirstRow() const { return RuleY() + 4; }
    int RowStep() const { return label.height() + 4; }
    QFontMetrics title;
    QFontMetrics label;
};

QImage Render(QWidget& w, QSize size) {
    w.resize(size);
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool IsInk(QRgb c) {
    return qRed(c) < 160 || qGreen(c) < 160 || qBlue(c) < 160;
}
bool IsBlueInk(QRgb c) {
    return qBlue(c) - qRed(c) > 60 && qBlue(c) - qGreen(c) > 60;
}
bool IsGreyInk(QRgb c) {
    return IsInk(c) && std::abs(qRed(c) - qBlue(c)) < 30 && std::abs(qGreen(c) - qBlue(c)) < 30;
}

int Count(const QImage& img, QRect r, bool (*pred)(QRgb)) {
    r &= img.rect();
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

// Everything strictly inside the 1-pixel frame.
QRect Inside(const QImage& img) {
    return img.rect().adjusted(1, 1, -1, -1);
}

void ExpectFrame(const QImage& img) {
    const int w = img.width(), h = img.height();
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(img.pixel(x, 0), qRgb(0, 0, 0));
        EXPECT_EQ(img.pixel(x, h - 1), qRgb(0, 0, 0));
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(img.pixel(0, y), qRgb(0, 0, 0));
        EXPECT_EQ(img.pixel(w - 1, y), qRgb(0, 0, 0));
    }
}

TEST(PointDisplay, StartsWithNoPoint) {
    CPointDisplay panel;
    EXPECT_EQ(panel.noPoint, 1);
    EXPECT_EQ(panel.iconId, 400000);
    EXPECT_TRUE(panel.name.isEmpty());
    EXPECT_TRUE(panel.dateText.isEmpty());
    EXPECT_TRUE(panel.info.isEmpty());
    EXPECT_TRUE(panel.latitudeText.isEmpty());
    EXPECT_TRUE(panel.longitudeText.isEmpty());
}

TEST(PointDisplay, BeforeAnyPointReadsNoPointSelected) {
    CPointDisplay panel;
    const Metrics m(&panel);
    const QImage img = Render(panel, {150, 120});
    ExpectFrame(img);
    // "Point" in blue at (12, 3).
    EXPECT_GT(Count(img, QRect(12, 3, 50, m.title.height()), IsBlueInk), 20);
    EXPECT_EQ(Count(img, QRect(1, 1, 11, m.RuleY() - 1), IsInk), 0);
    // The rule from x = 12 to 150 - 12, end point excluded.
    const int ruleY = m.RuleY();
    for (int x = 12; x <= 137; ++x) EXPECT_EQ(img.pixel(x, ruleY), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(img.pixel(11, ruleY), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(138, ruleY), qRgb(255, 255, 255));
    // "No Point Selected." in black in the first row's band, nothing below it.
    const int row = m.FirstRow();
    const int textWidth = m.label.horizontalAdvance(QStringLiteral("No Point Selected."));
    EXPECT_GT(Count(img, QRect(3, row, textWidth, m.label.height()), IsGreyInk), 40);
    EXPECT_EQ(Count(img, QRect(3, row, textWidth, m.label.height()), IsBlueInk), 0);
    const QRect below(1, row + m.label.height() + 1, 148, 120);
    EXPECT_EQ(Count(img, below.intersected(Inside(img)), IsInk), 0);
    // No icon.
    EXPECT_EQ(Count(img, QRect(131, 3, 16, 16), IsInk), 0);
}

TEST(PointDisplay, TooLowPanelShowsOnlyTheFrame) {
    struct Case {
        int height;
        bool content;
    };
    for (const Case& c : {Case{20, false}, Case{21, true}, Case{12, false}}) {
        SCOPED_TRACE(c.height);
        CPointDisplay panel;
        panel.ShowUserPoint("Dock", "", 5000, "N044-30-00", "W093-15-00", 900);
        const QImage img = Render(panel, {150, c.height});
        ExpectFrame(img);
        EXPECT_EQ(Count(img, Inside(img), IsInk) > 0, c.content);
    }
}

// A panel just tall enough for `rows` rows (and "Info:" when asked).
int HeightFor(const Metrics& m, int rows, bool info) {
    const int h = m.label.height();
    if (info) return m.FirstRow() + 5 * m.RowStep() + h + 3 * h + 4;
    return m.FirstRow() + rows * m.RowStep() + h - 1;
}

TEST(PointDisplay, ShortPanelStopsAfterTheLastRowThatFits) {
    const QString labels[] = {"Name:", "Date:", "Latitude:", "Longitude:", "Altitude:"};
    struct Case {
        int rows;
        bool info;
    };
    const Case cases[] = {{1, false}, {2, false}, {3, false}, {4, false}, {5, false}, {5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, info " << c.info);
        CPointDisplay panel;
        panel.ShowMapPoint("Weed Bed", "shallow, thick cabbage", "N044-30-00", "W093-15-00", 1250);
        const Metrics m(&panel);
        const int height = HeightFor(m, c.rows, c.info);
        const QImage img = Render(panel, {180, height});
        const int h = m.label.height();
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(labels[i].toStdString());
            const int top = m.FirstRow() + i * m.RowStep();
            const int labelWidth = m.label.horizontalAdvance(labels[i]);
            const QRect labelBand(3, top, labelWidth, h);
            const QRect valueBand(3 + labelWidth + 2, top + 2, 170 - labelWidth, h);
            if (i < c.rows) {
                EXPECT_GT(Count(img, labelBand, IsGreyInk), 15);
                EXPECT_EQ(Count(img, labelBand, IsBlueInk), 0);
                // The date row's value stays empty.
                if (i == 1)
                    EXPECT_EQ(Count(img, valueBand.intersected(Inside(img)), IsInk), 0);
                else
                    EXPECT_GT(Count(img, valueBand, IsBlueInk), 10);
            } else {
                EXPECT_EQ(Count(img, labelBand.intersected(Inside(img)), IsInk), 0);
            }
        }
        const int infoTop = m.FirstRow() + 5 * m.RowStep();
        const QRect infoLabel(3, infoTop, m.label.horizontalAdvance("Info:"), h);
        const QRect infoText(3, infoTop + h + 2, 174, 2 * h);
        if (c.info) {
            EXPECT_GT(Count(img, infoLabel, IsGreyInk), 10);
            EXPECT_GT(Count(img, infoText, IsBlueInk), 20);
        } else {
            EXPECT_EQ(Count(img, QRect(1, infoTop, 178, height).intersected(Inside(img)), IsInk),
                      0);
        }
    }
}

TEST(PointDisplay, InfoWrapsInsideItsBox) {
    CPointDisplay panel;
    panel.ShowMapPoint("Reef", "rocks at eight feet along the east shore, walleye at dusk", "", "",
                       0);
    const Metrics m(&panel);
    const int h = m.label.height();
    const int infoText = m.FirstRow() + 5 * m.RowStep() + h + 2;
    const QImage img = Render(panel, {120, infoText + 2 * h});
    // Two wrapped lines, both in blue, the second one cut by the box.
    EXPECT_GT(Count(img, QRect(3, infoText, 114, h / 2), IsBlueInk), 10);
    EXPECT_GT(Count(img, QRect(3, infoText + h, 114, h - 3), IsBlueInk), 10);
    // Nothing in the three-pixel margins at the right and bottom.
    const QRect rightMargin(117, infoText, 2, 2 * h - 1);
    const QRect bottomMargin(1, img.height() - 3, 118, 2);
    EXPECT_EQ(Count(img, rightMargin, IsInk), 0);
    EXPECT_EQ(Count(img, bottomMargin, IsInk), 0);
}

TEST(PointDisplay, LineBreaksInTheInfoAreKept) {
    CPointDisplay panel;
    const Metrics m(&panel);
    const int h = m.label.height();
    const int infoText = m.FirstRow() + 5 * m.RowStep() + h + 2;
    const int valueHeight = QFontMetrics(Font("arial", 8), &panel).lineSpacing();
    panel.ShowMapPoint("Reef", "north\r\n\r\nsouth", "", "", 0);
    const QImage img = Render(panel, {150, infoText + 4 * valueHeight});
    EXPECT_GT(Count(img, QRect(3, infoText, 100, valueHeight), IsBlueInk), 5);
    EXPECT_EQ(Count(img, QRect(3, infoText + valueHeight + 2, 140, valueHeight - 4), IsInk), 0);
    EXPECT_GT(Count(img, QRect(3, infoText + 2 * valueHeight, 100, valueHeight), IsBlueInk), 5);
}

TEST(PointDisplay, IconOnlyForAUserPoint) {
    const QRect iconArea(200 - 19, 3, 16, 16);
    QImage expected(16, 16, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.drawPixmap(0, 0, art::UserPointIcon(5007, 16));
    }

    CPointDisplay user;
    user.ShowUserPoint("Boat Ramp", "", 5007, "N044-30-00", "W093-15-00", 880);
    const QImage withIcon = Render(user, {200, 150});
    EXPECT_EQ(user.iconId, 5007);
    EXPECT_EQ(withIcon.copy(iconArea), expected);
    EXPECT_GT(Count(withIcon, iconArea, IsInk), 10);

    CPointDisplay map;
    map.ShowMapPoint("Boat Ramp", "", "N044-30-00", "W093-15-00", 880);
    const QImage without = Render(map, {200, 150});
    EXPECT_EQ(map.iconId, 0);
    EXPECT_EQ(Count(without, iconArea, IsInk), 0);
}

TEST(PointDisplay, ShowingAPointFillsEveryField) {
    CPointDisplay panel;
    panel.ShowUserPoint("Dock", "west side", 5012, "N044-30-00", "W093-15-00", -12);
    EXPECT_EQ(panel.noPoint, 0);
    EXPECT_EQ(panel.name, "Dock");
    EXPECT_EQ(panel.info, "west side");
    EXPECT_EQ(panel.iconId, 5012);
    EXPECT_EQ(panel.latitudeText, "N044-30-00");
    EXPECT_EQ(panel.longitudeText, "W093-15-00");
    EXPECT_EQ(panel.altitude, -12);
    EXPECT_TRUE(panel.dateText.isEmpty());

    panel.ShowMapPoint("Hump", "", "N044-31-00", "W093-16-00", 1250);
    EXPECT_EQ(panel.iconId, 0);
    EXPECT_EQ(panel.altitude, 1250);
    EXPECT_TRUE(panel.info.isEmpty());
}

TEST(PointDisplay, RenamingThePointLaterLeavesThePanelAsItWas) {
    CMapPoint point(10, 20, CMapPoint::Rock, 1250, "Alpha Reef", "rocks");
    CPointDisplay panel;
    auto show = [&] {
        panel.ShowMapPoint(point.name, point.info, "N044-30-00", "W093-15-00", point.elevation);
    };
    show();
    const QImage before = Render(panel, {180, 200});
    point.name = "Omega Bar";
    point.elevation = 7;
    EXPECT_EQ(Render(panel, {180, 200}), before);
    EXPECT_EQ(panel.name, "Alpha Reef");
    show();
    EXPECT_NE(Render(panel, {180, 200}), before);
}

}  // namespace
