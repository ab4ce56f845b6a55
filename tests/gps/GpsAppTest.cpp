// SPDX-License-Identifier: GPL-3.0-or-later
// The GPS link in the program as a user runs it: a receiver played into a
// pseudo-terminal, the commands from their actions, the boat in a grab.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "NmeaPlayer.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "TmpfsVolume.h"
#include "app/Assembly.h"
#include "app/MainFrame.h"
#include "document/TarnlightDoc.h"
#include "framework/DataExchange.h"
#include "framework/Settings.h"
#include "gps/GpsLink.h"
#include "interchange/Gpx.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/TarnlightView.h"

namespace {

const QString kSample = QStringLiteral(FM_SAMPLES_DIR "/millelacs.fnm");

// The sample's calibration: 93.86 W at x 0, 0.0003 degree a pixel; 46.43 N
// at y 0, 0.38 / 1824 degree a pixel.
QPoint SamplePixel(const GpsFix& f) {
    return QPoint(static_cast<int>((93.86 + f.lon) / 0.0003),
                  static_cast<int>((46.43 - f.lat) * 1824.0 / 0.38));
}

int RedPixels(const QImage& img, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (!img.rect().contains(x, y)) continue;
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 80 && c.blue() < 80) ++n;
        }
    return n;
}

class GpsApp : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::ClearSettings();
        SettingsStore& s = SettingsStore::instance();
        s.SetInt(setting::Splash, 0);
        s.SetInt(setting::GpsSource, 0);
        s.SetString(setting::GpsPortName, pty.Path());
        app = std::make_unique<CTarnlightApp>();
        ASSERT_TRUE(AssembleApplication(*app, {.file = kSample}));
        frame = app->Frame();
        frame->resize(900, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    void TearDown() override {
        if (app) app->ExitInstance();
    }
    QAction* Act(int id) { return frame->Commands().action(id); }
    CTarnlightView& View() { return frame->View(); }
    QString GpsPane() { return frame->PaneText(4); }
    CTarnlightDoc& Doc() { return frame->Document(); }
    bool Play(const std::function<bool()>& until) {
        return QTest::qWaitFor(
            [&] {
                pty.Pump();
                return until();
            },
            20000);
    }

    QTemporaryDir dir;
    NmeaPlayer pty{dir.filePath("receiver")};
    std::unique_ptr<CTarnlightApp> app;
    CMainFrame* frame = nullptr;
};

TEST_F(GpsApp, BoatOnTheMapMarkSpotTrackAndUnplugging) {
    PromptsFixtureGuard guard;
    const std::vector<GpsFix> fixes = LoopFixes();
    const GpsFix& last = fixes[59];
    const QPoint boat = SamplePixel(last);
    // The boat comes into a view that already shows it: no scrolling.
    const QSize page = View().viewport()->size();
    View().ScrollTo(boat - QPoint(page.width() / 2, page.height() / 2));
    const QPoint scroll = View().ScrollPosition();
    const QImage before = View().RenderViewport();
    const QRect iconArea(boat - scroll - QPoint(8, 8), QSize(17, 17));
    EXPECT_LT(RedPixels(before, iconArea), 5);

    EXPECT_FALSE(Act(cmd::ConnectGps)->isChecked());
    EXPECT_FALSE(Act(cmd::SaveTrack)->isEnabled());
    Act(cmd::ConnectGps)->trigger();
    EXPECT_TRUE(Act(cmd::ConnectGps)->isChecked());
    QByteArray sixty;
    for (int i = 0; i < 60; ++i) sixty += FixSentences(fixes[i]);
    pty.Queue(sixty);
    ASSERT_TRUE(Play([&] {
        const auto& f = View().Gps().LastFix();
        return f && f->time == last.time;
    }));
    EXPECT_TRUE(GpsPane().startsWith("GPS: 3D fix")) << GpsPane();
    EXPECT_TRUE(GpsPane().contains("mph")) << GpsPane();
    EXPECT_TRUE(GpsPane().contains("heading")) << GpsPane();

    // The red icon where the calibration puts the boat, nothing else moved.
    EXPECT_EQ(View().ScrollPosition(), scroll);
    const QImage after = View().RenderViewport();
    EXPECT_GT(RedPixels(after, iconArea), 30);
    const QRect mark = View().GpsMarkRect();
    EXPECT_EQ(mark.topLeft() + QPoint(mark.width() / 2, mark.height() / 2), boat);
    const QPoint far = boat - scroll + QPoint(page.width() / 3, 0);
    EXPECT_EQ(after.pixel(far), before.pixel(far));

    // Mark Spot: a user info point at the boat, named with the fix's time.
    scripted().messages.clear();
    const size_t points = View().Location().userInfoPoints.points.size();
    EXPECT_TRUE(Act(cmd::MarkSpot)->isEnabled());
    Act(cmd::MarkSpot)->trigger();
    ASSERT_EQ(View().Location().userInfoPoints.points.size(), points + 1);
    const auto& spot = *View().Location().userInfoPoints.points.back();
    EXPECT_EQ(spot.position, boat);
    EXPECT_EQ(spot.name, "Spot " + last.time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(spot.altitude, qRound(last.elevation / 0.3048));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(scripted().messages.isEmpty());

    // Unplugged: said so, still connected, the track kept.
    const size_t trackPoints = View().Gps().Track().Points().size();
    ASSERT_GT(trackPoints, 2u);
    pty.Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return GpsPane().contains("lost"); }, 5000)) << GpsPane();
    EXPECT_TRUE(Act(cmd::ConnectGps)->isChecked());
    EXPECT_EQ(View().Gps().Track().Points().size(), trackPoints);

    // Save Track and Track to Stroke.
    ASSERT_TRUE(Act(cmd::SaveTrack)->isEnabled());
    const QString gpx = dir.filePath("Øvre Sjø 湖.gpx");
    scripted().saveFile(gpx);
    Act(cmd::SaveTrack)->trigger();
    const QByteArray saved = testutil::ReadAll(gpx);
    EXPECT_EQ(saved.count("<trkpt "), static_cast<qsizetype>(trackPoints));
    EXPECT_TRUE(saved.contains("<time>2026-06-21T12:00:00.000Z</time>"));
    const size_t strokes = View().Location().freeHands.items.size();
    Act(cmd::TrackToStroke)->trigger();
    ASSERT_EQ(View().Location().freeHands.items.size(), strokes + 1);
    EXPECT_EQ(View().Location().freeHands.items.back()->points.front(), SamplePixel(fixes[0]));

    // Disconnect.
    Act(cmd::ConnectGps)->trigger();
    EXPECT_FALSE(Act(cmd::ConnectGps)->isChecked());
    EXPECT_EQ(GpsPane(), "GPS off");
    EXPECT_FALSE(Act(cmd::MarkSpot)->isEnabled());
}

// Save Track over an older track on a disk with too little room: the old
// file stays byte for byte with the disk-full message, at every free size
// up to a little more than the track needs.
TEST_F(GpsApp, SaveTrackOnAFullDiskKeepsTheOldFile) {
    PromptsFixtureGuard guard;
    TmpfsVolume volume(512 * 1024);
    if (!volume.mounted()) GTEST_SKIP() << volume.why();
    Act(cmd::ConnectGps)->trigger();
    const std::vector<GpsFix> fixes = LoopFixes();
    QByteArray all;
    for (const GpsFix& f : fixes) all += FixSentences(f);
    pty.Queue(all);
    ASSERT_TRUE(Play([&] {
        const auto& f = View().Gps().LastFix();
        return f && f->time == fixes.back().time;
    }));
    const std::vector<gpx::TimedPoint>& points = View().Gps().Track().Points();
    ASSERT_GT(points.size(), 20u);
    const QString name = QString(str::GpsTrackName)
                             .arg(points.front().time.toLocalTime().toString("yyyy-MM-dd HH:mm"));
    const QByteArray fresh = gpx::WriteTrackGpx(name, points);
    ASSERT_GT(fresh.size(), 4096);
    const QString path = volume.filePath("Järvi 湖.gpx");
    const QByteArray old = "<gpx version=\"1.1\"/>\n";
    ExpectSaveWholeOrRefused(volume, path, old, fresh, [&] { Act(cmd::SaveTrack)->trigger(); });
}

TEST_F(GpsApp, StoredComPortThatIsMissingIsReported) {
    PromptsFixtureGuard guard;
    SettingsStore::instance().SetString(setting::GpsPortName, QString());
    Act(cmd::ConnectGps)->trigger();
    EXPECT_FALSE(Act(cmd::ConnectGps)->isChecked());
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_TRUE(scripted().messages[0].contains("COM2")) << scripted().messages[0];
    EXPECT_TRUE(scripted().messages[0].contains("does not exist"));
}

TEST_F(GpsApp, SetupStoresTheChoicesAndShowsTheStoredPort) {
    PromptsFixtureGuard guard;
    SettingsStore::instance().SetString(setting::GpsPortName, QString());
    QStringList shown;
    scripted().dialog([&](QDialog& d) {
        auto* ports = Control<QComboBox>(&d, 1019);
        shown << ports->currentText();
        Control<QComboBox>(&d, 1020)->setCurrentIndex(5);  // 9600
        ports->setCurrentText(pty.Path());
        Control<QComboBox>(&d, 1070)->setCurrentIndex(0);  // serial port
        Control<QLineEdit>(&d, 1071)->setText("boat.lan:3000");
        d.accept();
    });
    Act(cmd::SetupGps)->trigger();
    ASSERT_EQ(shown, QStringList{"COM2"});
    SettingsStore& s = SettingsStore::instance();
    EXPECT_EQ(s.String(setting::GpsPortName), pty.Path());
    EXPECT_EQ(s.Int(setting::GpsSource), 0);
    EXPECT_EQ(s.String(setting::GpsAddress), "boat.lan:3000");
    // The port settings object's own bytes: 9600 baud is list entry 5.
    EXPECT_EQ(testutil::Hex(s.Value(setting::GpsPortChoices).toByteArray()),
              "01 00 05 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    // And it connects to the port chosen.
    Act(cmd::ConnectGps)->trigger();
    EXPECT_TRUE(Act(cmd::ConnectGps)->isChecked());
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join('|');
}

}  // namespace
