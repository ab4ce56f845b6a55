// SPDX-License-Identifier: GPL-3.0-or-later
// The Fishing Calendar panel in the assembled program: hidden at first,
// toggled from View, showing the location's day, remembering a zone per
// location and writing its month as CSV and on paper.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "AssembledApp.h"
#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/Assembly.h"
#include "app/FishingCalendar.h"
#include "app/MainFrame.h"
#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tools/Almanac.h"
#include "tools/AlmanacText.h"

namespace {

const QString kSample = QStringLiteral(FM_SAMPLES_DIR "/millelacs.fnm");
// The sample's first reference point.
constexpr double kLat = 46.43;
constexpr double kLonWest = 93.86;

class FishingCalendarPanel : public AssembledApp {
protected:
    void SetUp() override {
        AssembledApp::SetUp();
        ASSERT_TRUE(dir.isValid());
    }
    template <class W>
    W* Find(const char* name) {
        W* w = frame->CalendarDock()->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString DayText() { return Find<QLabel>("AlmanacDay")->text(); }
    void ShowPanel() {
        if (frame->CalendarDock()->isHidden()) Act(cmd::ShowFishingCalendar)->trigger();
        ASSERT_TRUE(frame->CalendarDock()->isVisible());
    }
    void PickZone(const char* zone) {
        QComboBox* box = Find<QComboBox>("AlmanacZone");
        const int i = box->findText(zone);
        ASSERT_GT(i, 0) << zone;
        box->setCurrentIndex(i);
    }
    void PickDate(QDate d) { Find<QDateEdit>("AlmanacDate")->setDate(d); }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
};

TEST_F(FishingCalendarPanel, HiddenAtFirstAndToggledFromTheViewMenu) {
    Start({.file = kSample});
    QAction* toggle = Act(cmd::ShowFishingCalendar);
    EXPECT_TRUE(frame->CalendarDock()->isHidden());
    frame->Commands().refresh();
    EXPECT_FALSE(toggle->isChecked());
    QMenu* view = nullptr;
    for (QAction* a : frame->menuBar()->actions())
        if (a->text() == "&View") view = a->menu();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->actions().contains(toggle));
    EXPECT_EQ(toggle->text(), "Fishing &Calendar");

    toggle->trigger();
    EXPECT_TRUE(frame->CalendarDock()->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(frame->CalendarDock()->isHidden());
    EXPECT_FALSE(toggle->isChecked());
    // The three panels that were there stay as they were.
    EXPECT_TRUE(frame->SunDock()->isVisible());
    EXPECT_TRUE(frame->PointDock()->isVisible());
}

TEST_F(FishingCalendarPanel, ShowsTheDayAtTheLocationAndStepsByDays) {
    Start();
    ShowPanel();
    // An untitled location has no reference point yet.
    EXPECT_EQ(DayText(), str::AlmanacNoLocation);
    EXPECT_FALSE(Find<QPushButton>("AlmanacExport")->isEnabled());

    ASSERT_TRUE(frame->Document().OpenDocumentFile(kSample));
    PickZone("America/Chicago");
    PickDate(QDate(2026, 6, 21));
    const QStringList lines = DayText().split('\n');
    EXPECT_TRUE(lines[0].endsWith("(America/Chicago)")) << lines[0];
    const almanac::Day day =
        almanac::ComputeDay(kLat, -kLonWest, QDate(2026, 6, 21), QTimeZone("America/Chicago"));
    EXPECT_TRUE(lines.contains("Sunrise: " + almanac::SunriseText(day))) << DayText();
    EXPECT_TRUE(lines.contains("Moonrise: " + almanac::MoonriseText(day))) << DayText();
    // At midsummer, by PyEphem: 10:22:53 UTC, so 05:22 on the clocks there.
    EXPECT_TRUE(lines.contains("Sunrise: 05:22")) << DayText();
    EXPECT_TRUE(lines.contains("Rating: " + almanac::RatingText(day)));

    QTest::mouseClick(Find<QToolButton>("NextDay"), Qt::LeftButton);
    EXPECT_EQ(Find<QDateEdit>("AlmanacDate")->date(), QDate(2026, 6, 22));
    QTest::mouseClick(Find<QToolButton>("PreviousDay"), Qt::LeftButton);
    QTest::mouseClick(Find<QToolButton>("PreviousDay"), Qt::LeftButton);
    EXPECT_EQ(Find<QDateEdit>("AlmanacDate")->date(), QDate(2026, 6, 20));

    // The month: a row a day, the chosen one selected.
    QTableWidget* month = Find<QTableWidget>("AlmanacMonth");
    EXPECT_EQ(month->rowCount(), 30);
    EXPECT_EQ(month->item(19, 0)->text(), "2026-06-20");
    EXPECT_TRUE(month->item(19, 0)->isSelected());

    QTest::mouseClick(Find<QPushButton>("AlmanacToday"), Qt::LeftButton);
    EXPECT_EQ(Find<QDateEdit>("AlmanacDate")->date(), QDate::currentDate());
}

TEST_F(FishingCalendarPanel, RemembersAZonePerLocationOutsideTheFile) {
    const QString other = Path("Øvre Sjø 湖.fnm");
    ASSERT_TRUE(QFile::copy(kSample, other));
    const QByteArray before = testutil::ReadAll(other);
    Start({.file = other});
    ShowPanel();
    PickZone("Asia/Tokyo");
    EXPECT_TRUE(DayText().split('\n')[0].endsWith("(Asia/Tokyo)"));

    // Another location shows the machine's zone; back to the first, its own.
    ASSERT_TRUE(frame->Document().OpenDocumentFile(kSample));
    EXPECT_EQ(Find<QComboBox>("AlmanacZone")->currentIndex(), 0);
    EXPECT_TRUE(DayText().split('\n')[0].endsWith(
        "(" + QString::fromUtf8(QTimeZone::systemTimeZoneId()) + ")"));
    ASSERT_TRUE(frame->Document().OpenDocumentFile(other));
    EXPECT_EQ(Find<QComboBox>("AlmanacZone")->currentText(), "Asia/Tokyo");
    // Kept in the settings, across a restart; the file itself is untouched.
    app->ExitInstance();
    app.reset();
    SettingsStore::instance().Reload();
    Start({.file = other});
    ShowPanel();
    EXPECT_EQ(Find<QComboBox>("AlmanacZone")->currentText(), "Asia/Tokyo");
    EXPECT_EQ(testutil::ReadAll(other), before);
}

TEST_F(FishingCalendarPanel, ExportsTheMonthAsCsv) {
    Start({.file = kSample});
    ShowPanel();
    PickZone("America/Chicago");
    PickDate(QDate(2026, 2, 10));
    const QString target = Path("Øvre Sjø 湖 februar.csv");
    scripted().saveFile(target);
    QTest::mouseClick(Find<QPushButton>("AlmanacExport"), Qt::LeftButton);
    ASSERT_EQ(scripted().proposedSaveNames.size(), 1);
    EXPECT_EQ(scripted().proposedSaveNames[0], "millelacs 2026-02.csv");
    const QList<QByteArray> lines = testutil::ReadAll(target).split('\n');
    ASSERT_EQ(lines.size(), 30);  // header, 28 days, nothing after the last line end
    EXPECT_TRUE(lines[0].startsWith("Date,Sunrise,Sunset,"));
    const almanac::Day day =
        almanac::ComputeDay(kLat, -kLonWest, QDate(2026, 2, 10), QTimeZone("America/Chicago"));
    EXPECT_EQ(lines[10], almanac::CsvRow(day).join(',').toUtf8() + "\r");
    EXPECT_TRUE(scripted().messages.isEmpty());

    // A folder that is not there: told, and nothing written.
    const QString nowhere = Path("missing/calendar.csv");
    scripted().saveFile(nowhere);
    QTest::mouseClick(Find<QPushButton>("AlmanacExport"), Qt::LeftButton);
    EXPECT_EQ(scripted().messages.size(), 1);
    EXPECT_FALSE(QFile::exists(nowhere));
    // Cancelled: nothing asked beyond the name.
    scripted().saveFile(std::nullopt);
    QTest::mouseClick(Find<QPushButton>("AlmanacExport"), Qt::LeftButton);
    EXPECT_EQ(scripted().messages.size(), 1);
}

TEST_F(FishingCalendarPanel, PrintsTheMonth) {
    Start({.file = kSample});
    ShowPanel();
    const QString pdf = Path("kalender 湖.pdf");
    QPrinter& printer = frame->FishingCalendar()->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    scripted().print(false);  // cancelled in the dialog
    QTest::mouseClick(Find<QPushButton>("AlmanacPrint"), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(pdf));
    QTest::mouseClick(Find<QPushButton>("AlmanacPrint"), Qt::LeftButton);
    EXPECT_TRUE(testutil::ReadAll(pdf).startsWith("%PDF"));
    EXPECT_TRUE(scripted().messages.isEmpty());
}

}  // namespace
