// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "NmeaPlayer.h"
#include "gps/NmeaParser.h"

namespace {

std::vector<GpsFix> Parse(const QByteArray& bytes, CNmeaParser* out = nullptr) {
    CNmeaParser local;
    CNmeaParser& parser = out ? *out : local;
    std::vector<GpsFix> fixes;
    parser.onFix = [&](const GpsFix& f) { fixes.push_back(f); };
    parser.Feed(bytes);
    return fixes;
}

TEST(NmeaParser, FirstFixOfTheLoop) {
    const std::vector<GpsFix> fixes = LoopFixes();
    ASSERT_EQ(fixes.size(), 300u);
    const GpsFix& f = fixes[0];
    EXPECT_EQ(f.time, QDateTime(QDate(2026, 6, 21), QTime(12, 0), QTimeZone::utc()));
    EXPECT_DOUBLE_EQ(f.lat, 46.25);
    EXPECT_NEAR(f.lon, -(93.0 + 37.89 / 60.0), 1e-12);
    EXPECT_DOUBLE_EQ(f.elevation, 381.0);
    EXPECT_NEAR(f.speed, 36.3 * 1852.0 / 3600.0, 1e-9);
    EXPECT_DOUBLE_EQ(f.heading, 0.6);
    EXPECT_EQ(f.quality, GpsFix::Fix3D);
    EXPECT_EQ(fixes[299].time.time(), QTime(12, 4, 59));
}

TEST(NmeaParser, BadInputIsSkipped) {
    const QByteArray good =
        Sentence("GPRMC,120000.00,A,4615.0000,N,09337.8900,W,1.0,90.0,210626,,,A");
    QByteArray wrongSum = good;
    wrongSum[20] = '7';  // one digit changed, checksum kept
    struct Case {
        const char* what;
        QByteArray bytes;
        size_t fixes;
        bool withPosition;
    } cases[] = {
        {"a good sentence", good, 1, true},
        {"checksum error", wrongSum, 0, false},
        {"no checksum", "$GPRMC,120000.00,A,4615.0,N,09337.89,W,1.0,90.0,210626,,,A\r\n", 0, false},
        {"garbage", QByteArray("\x01\xff\xfe garbage $$$ ***\r\n\r\n", 22) + good, 1, true},
        {"an endless line", QByteArray(5000, 'x') + "\n" + good, 1, true},
        {"cut short", good.left(30) + "\r\n" + good, 1, true},
        {"no fix (status V)", Sentence("GPRMC,120000.00,V,,,,,,,210626,,,N"), 1, false},
        {"no fix (quality 0)",
         Sentence("GPGGA,120000.00,,,,,0,00,99.9,,M,,M,,") +
             Sentence("GPRMC,120000.00,V,,,,,,,210626,,,N"),
         1, false},
        {"latitude out of range",
         Sentence("GPRMC,120000.00,A,9515.0,N,09337.89,W,1.0,90.0,210626,,,A"), 1, false},
        {"minutes of 60", Sentence("GPRMC,120000.00,A,4660.0,N,09337.89,W,1.0,90.0,210626,,,A"), 1,
         false},
        {"other sentences", Sentence("GPGSV,1,1,01,01,40,083,46"), 0, false},
    };
    for (const Case& c : cases) {
        CNmeaParser parser;
        const std::vector<GpsFix> fixes = Parse(c.bytes, &parser);
        ASSERT_EQ(fixes.size(), c.fixes) << c.what;
        if (c.fixes) EXPECT_EQ(fixes.back().HasPosition(), c.withPosition) << c.what;
        if (c.fixes && !c.withPosition) EXPECT_TRUE(parser.WithoutFix()) << c.what;
    }
}

TEST(NmeaParser, PiecesInAnyCutGiveTheSameFixes) {
    const QByteArray log = LoopLog().left(4000);
    const std::vector<GpsFix> whole = Parse(log);
    for (int piece : {1, 7, 64, 333}) {
        CNmeaParser parser;
        std::vector<GpsFix> fixes;
        parser.onFix = [&](const GpsFix& f) { fixes.push_back(f); };
        for (int i = 0; i < log.size(); i += piece) parser.Feed(log.mid(i, piece));
        ASSERT_EQ(fixes.size(), whole.size()) << piece;
        for (size_t i = 0; i < fixes.size(); ++i) EXPECT_EQ(fixes[i].lat, whole[i].lat);
    }
}

TEST(NmeaParser, GgaOnlyAndRmcBeforeGga) {
    // Receivers set to GGA alone still give positions, a second late.
    const QByteArray ggaOnly =
        Sentence("GPGGA,120000.00,4615.0000,N,09337.8900,W,1,08,0.9,381.0,M,,M,,") +
        Sentence("GPGGA,120001.00,4615.0100,N,09337.8900,W,1,08,0.9,381.0,M,,M,,");
    EXPECT_EQ(Parse(ggaOnly).size(), 1u);
    // RMC first, then GGA of the same second: one fix a second, not two.
    QByteArray rmcFirst;
    for (int s = 0; s < 3; ++s) {
        const QByteArray t = "12000" + QByteArray::number(s) + ".00";
        rmcFirst += Sentence("GPRMC," + t + ",A,4615.0000,N,09337.8900,W,1.0,90.0,210626,,,A");
        rmcFirst += Sentence("GPGGA," + t + ",4615.0000,N,09337.8900,W,1,08,0.9,381.0,M,,M,,");
    }
    EXPECT_EQ(Parse(rmcFirst).size(), 3u);
}

}  // namespace
