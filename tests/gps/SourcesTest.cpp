// SPDX-License-Identifier: GPL-3.0-or-later
// Both sources against real counterparts: a pseudo-terminal for the
// serial port, gpsd itself fed by gpsfake.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <numbers>

#include "NmeaPlayer.h"
#include "TestUtil.h"
#include "gps/GpsLink.h"
#include "gps/GpsdSource.h"
#include "gps/SerialSource.h"

namespace {

struct Recorder {
    std::vector<GpsFix> fixes;
    std::vector<CPositionSource::State> states;
    QObject context;  // ends the connections with the recorder
    void Attach(CPositionSource& s) {
        QObject::connect(&s, &CPositionSource::fixReceived, &context,
                         [this](const GpsFix& f) { fixes.push_back(f); });
        QObject::connect(&s, &CPositionSource::stateChanged, &context,
                         [this](CPositionSource::State st) { states.push_back(st); });
    }
    size_t WithPosition() const {
        return std::count_if(fixes.begin(), fixes.end(),
                             [](const GpsFix& f) { return f.HasPosition(); });
    }
};

bool Play(NmeaPlayer& pty, const std::function<bool()>& until, int ms = 20000) {
    return QTest::qWaitFor(
        [&] {
            pty.Pump();
            return until();
        },
        ms);
}

TEST(SerialSource, PlaysTheLoopThenSurvivesUnplugging) {
    QTemporaryDir dir;
    NmeaPlayer pty(dir.filePath("gps0"));
    ASSERT_TRUE(pty.Ok());
    CSerialSource source({pty.Path(), 4800});
    Recorder rec;
    rec.Attach(source);
    source.Start();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return source.CurrentState() == CPositionSource::State::NoData; }, 5000));

    const QByteArray log = LoopLog();
    const int half = log.indexOf("$GPGGA,120230");
    pty.Queue(log.left(half));
    ASSERT_TRUE(Play(pty, [&] { return rec.fixes.size() >= 150; }));
    EXPECT_EQ(source.CurrentState(), CPositionSource::State::Fix);

    pty.Unplug();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return source.CurrentState() == CPositionSource::State::Lost; }, 5000));
    EXPECT_EQ(rec.fixes.size(), 150u);

    // Plugged in again (a new terminal behind the same name): it comes back.
    ASSERT_TRUE(pty.PlugIn());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return source.CurrentState() == CPositionSource::State::NoData; },
                        3 * CSerialSource::kRetryMs + 2000));
    pty.Queue("garbage\r\n\x02\x03" + log.mid(half));
    ASSERT_TRUE(Play(pty, [&] { return rec.fixes.size() >= 300; }));
    const std::vector<GpsFix> expected = LoopFixes();
    ASSERT_EQ(rec.fixes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rec.fixes[i].lat, expected[i].lat) << i;
        EXPECT_EQ(rec.fixes[i].lon, expected[i].lon) << i;
        EXPECT_EQ(rec.fixes[i].time, expected[i].time) << i;
    }
    EXPECT_GE(source.Parser().Rejected(), 1);
}

TEST(SerialSource, FixlessStreamAndMissingPort) {
    QTemporaryDir dir;
    NmeaPlayer pty(dir.filePath("gps1"));
    CSerialSource source({pty.Path(), 9600});
    Recorder rec;
    rec.Attach(source);
    source.Start();
    for (int i = 0; i < 20; ++i)
        pty.Queue(
            Sentence("GPGGA,1200" + QByteArray::number(10 + i) + ".00,,,,,0,00,99.9,,M,,M,,") +
            Sentence("GPRMC,1200" + QByteArray::number(10 + i) + ".00,V,,,,,,,210626,,,N"));
    ASSERT_TRUE(Play(pty, [&] { return rec.fixes.size() >= 20; }));
    EXPECT_EQ(rec.WithPosition(), 0u);
    EXPECT_EQ(source.CurrentState(), CPositionSource::State::NoFix);

    // A port that is not there is looked for, without blocking anything.
    CSerialSource missing({dir.filePath("nothing-here"), 4800});
    missing.Start();
    EXPECT_EQ(missing.CurrentState(), CPositionSource::State::Connecting);
    QTest::qWait(CSerialSource::kRetryMs + 200);
    EXPECT_EQ(missing.CurrentState(), CPositionSource::State::Connecting);
}

TEST(SerialSource, TenMinutesAtTenHertzFastForwardedWithNoise) {
    QTemporaryDir dir;
    NmeaPlayer pty(dir.filePath("gps10"));
    CGpsLink link;
    link.Connect(std::make_unique<CSerialSource>(SerialSettings{pty.Path(), 115200}));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return link.Source()->CurrentState() == CPositionSource::State::NoData; }, 5000));
    const QDateTime start(QDate(2026, 6, 21), QTime(12, 0), QTimeZone::utc());
    std::vector<GpsFix> sent;
    QByteArray stream;
    for (int i = 0; i < 6000; ++i) {
        const double a = 2 * std::numbers::pi * i / 6000.0;
        GpsFix f;
        f.time = start.addMSecs(100LL * i);
        f.lat = 46.25 + 0.008 * std::sin(a);
        f.lon = -(93.62 + 0.0115 * std::cos(a));
        f.elevation = 381.0;
        f.speed = 15.0;
        f.heading = 90.0;
        sent.push_back(f);
        stream += FixSentences(f);
        if (i % 50 == 7) stream += "$GPRMC,garbled*00\r\n\xff\xfe\x00noise\r\n";
    }
    pty.Queue(stream);
    ASSERT_TRUE(Play(
        pty, [&] { return link.Track().Offered() >= 6000; }, 60000))
        << link.Track().Offered();
    const auto& pts = link.Track().Points();
    EXPECT_LT(pts.size(), 400u);
    ASSERT_TRUE(link.LastFix());
    EXPECT_EQ(link.LastFix()->time, sent.back().time);
    // The end of the track is within the log's smallest step of the newest fix.
    EXPECT_NEAR(pts.back().lat, sent.back().lat, 3.0 / 111320.0);
    EXPECT_NEAR(pts.front().lat, sent.front().lat, 1e-6);
    EXPECT_TRUE(link.StatusText().startsWith("GPS: 3D fix")) << link.StatusText();
    link.Disconnect();
    EXPECT_EQ(link.StatusText(), "GPS off");
    EXPECT_EQ(link.Track().Points().size(), pts.size());  // disconnecting keeps the track
}

TEST(GpsdSource, AddressForms) {
    struct Case {
        const char* text;
        bool ok;
        const char* host;
        quint16 port;
    } cases[] = {
        {"", true, "localhost", 2947},
        {"localhost:2947", true, "localhost", 2947},
        {"boat.lan", true, "boat.lan", 2947},
        {":3000", true, "localhost", 3000},
        {"[::1]:4000", true, "::1", 4000},
        {"::1", true, "::1", 2947},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:abc", false, "", 0},
        {"[::1", false, "", 0},
    };
    for (const Case& c : cases) {
        QString host;
        quint16 port = 0;
        ASSERT_EQ(CGpsdSource::ParseAddress(c.text, host, port), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(host, c.host) << c.text;
        EXPECT_EQ(port, c.port) << c.text;
    }
}

quint16 FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

TEST(GpsdSource, RealGpsdFedByGpsfakeGivesTheLogsPositions) {
    const QString gpsfake = QStandardPaths::findExecutable("gpsfake");
    const QString gpsd =
        QStandardPaths::findExecutable("gpsd", {"/usr/sbin", "/usr/local/sbin", "/sbin"});
    if (gpsfake.isEmpty() || gpsd.isEmpty()) GTEST_SKIP() << "gpsfake or gpsd is not installed";
    const quint16 port = FreePort();
    QProcess fake;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", QFileInfo(gpsd).absolutePath() + ":" + env.value("PATH"));
    fake.setProcessEnvironment(env);
    fake.setProcessChannelMode(QProcess::MergedChannels);
    fake.start(gpsfake, {"-q", "-1", "-c", "0.01", "-P", QString::number(port),
                         FM_TESTDATA_DIR "/gps/millelacs-loop.nmea"});
    if (!fake.waitForStarted(5000)) GTEST_SKIP() << "gpsfake did not start";

    CGpsdSource source("localhost", port);
    Recorder rec;
    rec.Attach(source);
    source.Start();
    // gpsd takes a moment to listen; the source keeps trying meanwhile.
    const QTime last(12, 4, 59);
    const bool all = QTest::qWaitFor(
        [&] { return !rec.fixes.empty() && rec.fixes.back().time.time() == last; }, 60000);
    if (std::find(rec.states.begin(), rec.states.end(), CPositionSource::State::NoData) ==
        rec.states.end()) {
        fake.terminate();
        fake.waitForFinished();
        GTEST_SKIP() << "gpsd could not be started by gpsfake: " << fake.readAll().toStdString();
    }
    EXPECT_TRUE(all) << rec.WithPosition() << " positions";
    // Every position gpsd reports is one of the log's, and hardly any is missing.
    const std::vector<GpsFix> expected = LoopFixes();
    size_t matched = 0, unknown = 0;
    for (const GpsFix& f : rec.fixes) {
        if (!f.HasPosition()) continue;
        auto it = std::find_if(expected.begin(), expected.end(),
                               [&](const GpsFix& e) { return e.time == f.time; });
        // gpsd may now and then report a cycle under a time of its own.
        if (it == expected.end()) {
            ++unknown;
            continue;
        }
        EXPECT_NEAR(f.lat, it->lat, 1e-7);
        EXPECT_NEAR(f.lon, it->lon, 1e-7);
        if (f.quality == GpsFix::Fix3D) EXPECT_NEAR(f.elevation, it->elevation, 0.05);
        ++matched;
    }
    EXPECT_LE(unknown, 5u);
    // gpsd starts reporting once the client watches and may merge a cycle
    // now and then; most of the loop must come through.
    EXPECT_GE(matched, 200u);

    // The daemon dies: the source says so and keeps trying.
    fake.terminate();
    fake.waitForFinished();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return source.CurrentState() == CPositionSource::State::Lost; }, 10000));
    source.Stop();
}

}  // namespace
