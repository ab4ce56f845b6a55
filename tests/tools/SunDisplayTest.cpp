// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "resources/Art.h"
#include "tools/SunDisplay.h"

namespace {

TEST(SunDisplayLayout, SunsetRowOnlyWhenItFits) {
    struct Case {
        int ruleY, bottom, labelHeight, expected;
    };
    const Case cases[] = {
        {21, 100, 13, 42}, {21, 55, 13, 42}, {21, 54, 13, -1}, {21, 30, 13, -1}, {25, 70, 15, 48},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bottom " << c.bottom);
        EXPECT_EQ(SunsetRowTop(c.ruleY, c.bottom, c.labelHeight), c.expected);
    }
}

QFont Font(const char* family, int points) {
    QFont f(QString::fromLatin1(family));
    f.setPointSize(points);
    return f;
}

struct Metrics {
    explicit Metrics(QWidget* w)
        : title(Font("arial black", 10), w), label(Font("arial black", 8), w) {}
    int RuleY() const { return 5 + title.height(); }
    int SunsetTop() const { return RuleY() + label.height() + 8; }
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
    r &= img.rect().adjusted(1, 1, -1, -1);  // never the frame
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

TEST(SunDisplay, StartsEmptyAndTakesTheTimes) {
    CSunDisplay panel;
    EXPECT_TRUE(panel.sunriseText.isEmpty());
    EXPECT_TRUE(panel.sunsetText.isEmpty());
    panel.SetTimes("06:12", "20:41");
    EXPECT_EQ(panel.sunriseText, "06:12");
    EXPECT_EQ(panel.sunsetText, "20:41");
}

TEST(SunDisplay, PaintsTitleRuleIconAndBothTimes) {
    CSunDisplay panel;
    panel.SetTimes("06:12", "20:41");
    const Metrics m(&panel);
    const QImage img = Render(panel, {150, 100});

    for (int x = 0; x < 150; ++x) {
        EXPECT_EQ(img.pixel(x, 0), qRgb(0, 0, 0));
        EXPECT_EQ(img.pixel(x, 99), qRgb(0, 0, 0));
    }
    for (int y = 0; y < 100; ++y) {
        EXPECT_EQ(img.pixel(0, y), qRgb(0, 0, 0));
        EXPECT_EQ(img.pixel(149, y), qRgb(0, 0, 0));
    }

    // "Sun" in blue at (12, 3), the rule below it.
    EXPECT_GT(Count(img, QRect(12, 3, 40, m.title.height()), IsBlueInk), 15);
    const int ruleY = m.RuleY();
    for (int x = 12; x <= 137; ++x) EXPECT_EQ(img.pixel(x, ruleY), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(img.pixel(11, ruleY), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(138, ruleY), qRgb(255, 255, 255));

    // The sun icon at (right - 19, top + 3).
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::white);
    {
        QPainter p(&icon);
        p.drawPixmap(0, 0, art::UserPointIcon(5032, 16));
    }
    EXPECT_EQ(img.copy(131, 3, 16, 16), icon);
    EXPECT_GT(Count(img, QRect(131, 3, 16, 16), IsInk), 10);

    // Labels in black, times in blue after them.
    const int h = m.label.height();
    struct Row {
        const char* label;
        int top;
    };
    for (const Row& r : {Row{"Sunrise:", ruleY + 4}, Row{"Sunset:", m.SunsetTop()}}) {
        SCOPED_TRACE(r.label);
        const int w = m.label.horizontalAdvance(QString::fromLatin1(r.label));
        EXPECT_GT(Count(img, QRect(3, r.top, w, h), IsGreyInk), 15);
        EXPECT_EQ(Count(img, QRect(3, r.top, w, h), IsBlueInk), 0);
        EXPECT_GT(Count(img, QRect(3 + w + 2, r.top + 2, 60, h), IsBlueInk), 10);
    }
}

TEST(SunDisplay, SunsetOnlyWhenThereIsRoom) {
    CSunDisplay probe;
    const Metrics m(&probe);
    const int h = m.label.height();
    const int y2 = m.SunsetTop();
    struct Case {
        int height;
        bool sunset;
    };
    for (const Case& c : {Case{y2 + h, true}, Case{y2 + h - 1, false}, Case{y2 + 2, false}}) {
        SCOPED_TRACE(c.height);
        CSunDisplay panel;
        panel.SetTimes("06:12", "20:41");
        const QImage img = Render(panel, {150, c.height});
        // Sunrise is always there.
        EXPECT_GT(Count(img, QRect(3, m.RuleY() + 4, 60, h), IsGreyInk), 15);
        const int found = Count(img, QRect(1, y2, 148, h), IsInk);
        if (c.sunset)
            EXPECT_GT(found, 20);
        else
            EXPECT_EQ(found, 0);
    }
}

TEST(SunDisplay, TooLowPanelShowsOnlyTheFrame) {
    struct Case {
        int height;
        bool content;
    };
    for (const Case& c : {Case{20, false}, Case{21, true}, Case{8, false}}) {
        SCOPED_TRACE(c.height);
        CSunDisplay panel;
        panel.SetTimes("06:12", "20:41");
        const QImage img = Render(panel, {150, c.height});
        EXPECT_EQ(Count(img, img.rect(), IsInk) > 0, c.content);
    }
}

TEST(SunDisplay, EmptyTimesLeaveTheValuesBlank) {
    CSunDisplay panel;
    const Metrics m(&panel);
    const QImage img = Render(panel, {150, 100});
    const int h = m.label.height();
    const int riseWidth = m.label.horizontalAdvance("Sunrise:");
    const int setWidth = m.label.horizontalAdvance("Sunset:");
    EXPECT_GT(Count(img, QRect(3, m.RuleY() + 4, riseWidth, h), IsGreyInk), 15);
    EXPECT_EQ(Count(img, QRect(3 + riseWidth + 2, m.RuleY() + 6, 150, h), IsInk), 0);
    EXPECT_EQ(Count(img, QRect(3 + setWidth + 2, m.SunsetTop() + 2, 150, h), IsInk), 0);
}

TEST(SunDisplay, NewTimesChangeOnlyTheValues) {
    CSunDisplay panel;
    const Metrics m(&panel);
    panel.SetTimes("06:12", "20:41");
    const QImage before = Render(panel, {150, 100});
    panel.SetTimes("07:03", "19:58");
    const QImage after = Render(panel, {150, 100});
    const int h = m.label.height();
    const int riseWidth = m.label.horizontalAdvance("Sunrise:");
    const int setWidth = m.label.horizontalAdvance("Sunset:");
    const QRect riseLabel(0, 0, 3 + riseWidth, m.SunsetTop());
    const QRect setLabel(0, m.SunsetTop(), 3 + setWidth, 100 - m.SunsetTop());
    EXPECT_EQ(before.copy(riseLabel), after.copy(riseLabel));
    EXPECT_EQ(before.copy(setLabel), after.copy(setLabel));
    const QRect riseValue(3 + riseWidth + 2, m.RuleY() + 6, 60, h);
    EXPECT_NE(before.copy(riseValue), after.copy(riseValue));
}

}  // namespace
