// SPDX-License-Identifier: GPL-3.0-or-later
// File › Export as PDF and Export as Image in the assembled program: the
// options page, the file dialog, the pages written, and what goes wrong.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "AssembledApp.h"
#include "PdfProbe.h"
#include "TmpfsVolume.h"
#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/AreaPicker.h"
#include "view/MapPrinter.h"
#include "view/PrintJob.h"
#include "view/TarnlightView.h"

namespace {

const QString kSample = QStringLiteral(FM_SAMPLES_DIR "/millelacs.fnm");

struct Choice {
    PrintOptions::Area area = PrintOptions::Area::Whole;
    bool landscape = true;
    int pages = 1;
};

// The options page as the user fills it; seenLandscape tells what it
// offered first.
void Choose(Choice c, bool* seenLandscape = nullptr) {
    scripted().dialog([=](QDialog& d) {
        auto* area = d.findChild<QComboBox*>("area");
        auto* pages = d.findChild<QSpinBox*>("pages");
        auto* landscape = d.findChild<QRadioButton*>("landscape");
        auto* portrait = d.findChild<QRadioButton*>("portrait");
        ASSERT_TRUE(area && pages && landscape && portrait);
        if (seenLandscape) *seenLandscape = landscape->isChecked();
        area->setCurrentIndex(area->findData(int(c.area)));
        pages->setValue(c.pages);
        (c.landscape ? landscape : portrait)->setChecked(true);
        d.accept();
    });
}

class ExportCommands : public AssembledApp {
protected:
    void Open() {
        Start();
        ASSERT_TRUE(frame->Document().OpenDocumentFile(kSample));
    }
    QTemporaryDir dir;
};

TEST_F(ExportCommands, AreOfferedInTheFileMenu) {
    Start();
    QMenu* file = nullptr;
    for (QAction* a : frame->menuBar()->actions())
        if (a->text() == "&File") file = a->menu();
    ASSERT_TRUE(file);
    for (int id : {cmd::ExportPdf, cmd::ExportImage}) {
        EXPECT_TRUE(file->actions().contains(Act(id))) << id;
        frame->Commands().refresh();
        EXPECT_TRUE(Act(id)->isEnabled()) << id;
    }
}

TEST_F(ExportCommands, PdfOfTheWholeLakeOnALandscapePage) {
    if (!probe::HaveTools()) GTEST_SKIP() << "pdftoppm or pdftotext is missing";
    Open();
    const QString pdf = dir.filePath(QString::fromUtf8("Sjön–Ærø.pdf"));
    bool offered = false;
    Choose({PrintOptions::Area::Whole, true, 1}, &offered);
    scripted().saveFile(pdf);
    Act(cmd::ExportPdf)->trigger();
    EXPECT_TRUE(offered);  // the stored landscape setting is the first choice
    ASSERT_EQ(scripted().proposedSaveNames.size(), 1);
    EXPECT_TRUE(scripted().proposedSaveNames[0].endsWith("millelacs.pdf"));
    ASSERT_EQ(probe::PageCount(pdf), 1);
    const QImage page = probe::Rasterise(pdf, 50, 1);
    EXPECT_GT(page.width(), page.height());
    const QString text = probe::Text(pdf);
    EXPECT_TRUE(text.contains("millelacs")) << text.toStdString();
    EXPECT_TRUE(text.contains("Scale 1:")) << text.toStdString();
    EXPECT_TRUE(text.contains("N046-20-00")) << text.toStdString();
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join('\n').toStdString();
}

TEST_F(ExportCommands, PortraitSettingAndImagePages) {
    testutil::ClearSettings();
    SettingsStore::instance().SetInt(setting::Splash, 0);
    SettingsStore::instance().SetInt(setting::PrintLS, 0);
    Start();
    ASSERT_TRUE(frame->Document().OpenDocumentFile(kSample));
    bool offered = true;
    Choose({PrintOptions::Area::Whole, false, 4}, &offered);
    const QString png = dir.filePath("lake.png");
    scripted().saveFile(png);
    Act(cmd::ExportImage)->trigger();
    EXPECT_FALSE(offered);
    EXPECT_FALSE(QFile::exists(png));
    for (int i = 1; i <= 4; ++i) {
        const QImage page(dir.filePath(QString("lake-%1.png").arg(i)));
        ASSERT_FALSE(page.isNull()) << i;
        EXPECT_LT(page.width(), page.height());
        // The lake's water is on every page.
        const QColor water(150, 190, 230);
        int wet = 0;
        for (int y = 0; y < page.height(); y += 4)
            for (int x = 0; x < page.width(); x += 4) {
                const QColor c = page.pixelColor(x, y);
                wet += std::abs(c.red() - water.red()) + std::abs(c.green() - water.green()) +
                           std::abs(c.blue() - water.blue()) <
                       30;
            }
        EXPECT_GT(wet, 100) << i;
    }
}

TEST_F(ExportCommands, CancelledOrRefusedWritesNothing) {
    Open();
    const QString pdf = dir.filePath("lake.pdf");
    // The options page cancelled: no file dialog.
    Act(cmd::ExportPdf)->trigger();
    EXPECT_TRUE(scripted().proposedSaveNames.isEmpty());
    // The file dialog cancelled.
    Choose({});
    scripted().saveFile(std::nullopt);
    Act(cmd::ExportPdf)->trigger();
    EXPECT_FALSE(QFile::exists(pdf));
    // A folder that is not there: told, and nothing left behind.
    Choose({});
    const QString nowhere = dir.filePath("gone/lake.pdf");
    scripted().saveFile(nowhere);
    Act(cmd::ExportPdf)->trigger();
    ASSERT_EQ(scripted().messages.size(), 1);
    EXPECT_TRUE(scripted().messages[0].contains(nowhere)) << scripted().messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_TRUE(scripted().messages.size() == 1);
}

TEST_F(ExportCommands, PdfOnAFullDiskLeavesTheOldFileAndSaysSo) {
    TmpfsVolume volume(1024 * 1024);
    if (!volume.mounted()) GTEST_SKIP() << volume.why().toStdString();
    Open();
    const QString pdf = volume.filePath(QString::fromUtf8("Sjön–Ærø.pdf"));
    const QByteArray old = "%PDF-1.4 an older export\n";
    ASSERT_TRUE(testutil::WriteAll(pdf, old));
    ASSERT_TRUE(volume.LeaveFree(64 * 1024));  // the whole lake takes some 400 KB
    Choose({});
    scripted().saveFile(pdf);
    Act(cmd::ExportPdf)->trigger();
    EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
    EXPECT_EQ(testutil::ReadAll(pdf), old);
    QStringList left = QDir(volume.path()).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(".filler");
    EXPECT_EQ(left, QStringList{QFileInfo(pdf).fileName()});
}

TEST_F(ExportCommands, OptionsPageOffersWhatFitsTheChoice) {
    Open();
    bool ran = false;
    scripted().dialog([&](QDialog& d) {
        ran = true;
        auto* area = d.findChild<QComboBox*>("area");
        auto* scale = d.findChild<QComboBox*>("scale");
        auto* pages = d.findChild<QSpinBox*>("pages");
        auto* rectX = d.findChild<QSpinBox*>("rectX");
        ASSERT_TRUE(area && scale && pages && rectX);
        // The print of the visible part, fitted, is the first choice.
        EXPECT_EQ(PrintOptions::Area(area->currentData().toInt()), PrintOptions::Area::Visible);
        EXPECT_FALSE(rectX->isEnabled());
        EXPECT_TRUE(pages->isEnabled());
        area->setCurrentIndex(area->findData(int(PrintOptions::Area::Rectangle)));
        EXPECT_TRUE(rectX->isEnabled());
        // At a scale the pages follow from it.
        scale->setEditText("1:24 000");
        EXPECT_FALSE(pages->isEnabled());
        // A scale that is none is refused, with a word on how to write one.
        scale->setEditText("big");
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(scripted().messages.size(), 1);
        scale->setEditText("1 inch = 1 mile");
        d.reject();
    });
    Act(cmd::ExportPdf)->trigger();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(scripted().proposedSaveNames.isEmpty());
}

// The scale a page states, "Scale 1:272 526" read as 272526; 0 without one.
double StatedScale(const QString& pdf) {
    const QString text = probe::Text(pdf);
    const qsizetype at = text.indexOf("Scale 1:");
    if (at < 0) return 0;
    QString digits;
    for (qsizetype i = at + 8; i < text.size() && (text[i].isDigit() || text[i] == ' '); ++i)
        if (text[i].isDigit()) digits += text[i];
    return digits.toDouble();
}

// A rectangle dragged on the shrunk map of the options page fills the
// rectangle fields, switches the area to it, and is what the page shows:
// fitted to the same page, half the lake each way prints at about twice
// the scale of the whole.
TEST_F(ExportCommands, ARectangleDraggedOnTheMapIsWhatIsPrinted) {
    if (!probe::HaveTools()) GTEST_SKIP() << "pdftoppm or pdftotext is missing";
    Open();
    const QSize extent = frame->View().Location().ZoomedExtent();
    QRect dragged;
    scripted().dialog([&](QDialog& d) {
        auto* picker = d.findChild<CAreaPicker*>("areaPicker");
        auto* area = d.findChild<QComboBox*>("area");
        ASSERT_TRUE(picker && area);
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        const QRectF whole = picker->LocationRect();
        ASSERT_GT(whole.width(), 50);
        const QPoint from =
            (whole.topLeft() + QPointF(whole.width() / 4, whole.height() / 4)).toPoint();
        const QPoint to =
            (whole.topLeft() + QPointF(whole.width() * 3 / 4, whole.height() * 3 / 4)).toPoint();
        QTest::mousePress(picker, Qt::LeftButton, {}, from);
        QTest::mouseMove(picker, (from + to) / 2);
        QTest::mouseMove(picker, to);
        QTest::mouseRelease(picker, Qt::LeftButton, {}, to);
        EXPECT_EQ(PrintOptions::Area(area->currentData().toInt()), PrintOptions::Area::Rectangle);
        dragged = QRect(d.findChild<QSpinBox*>("rectX")->value(),
                        d.findChild<QSpinBox*>("rectY")->value(),
                        d.findChild<QSpinBox*>("rectWidth")->value(),
                        d.findChild<QSpinBox*>("rectHeight")->value());
        EXPECT_EQ(dragged, picker->Rectangle());
        d.accept();
    });
    const QString part = dir.filePath("part.pdf");
    scripted().saveFile(part);
    Act(cmd::ExportPdf)->trigger();
    // Half the extent each way, give or take a shrunk pixel.
    EXPECT_NEAR(dragged.width(), extent.width() / 2.0, extent.width() / 50.0);
    EXPECT_NEAR(dragged.height(), extent.height() / 2.0, extent.height() / 50.0);
    EXPECT_NEAR(dragged.x(), extent.width() / 4.0, extent.width() / 50.0);

    const QString all = dir.filePath("all.pdf");
    Choose({PrintOptions::Area::Whole, true, 1});
    scripted().saveFile(all);
    Act(cmd::ExportPdf)->trigger();
    const double partScale = StatedScale(part);
    const double wholeScale = StatedScale(all);
    ASSERT_GT(partScale, 0);
    ASSERT_GT(wholeScale, 0);
    EXPECT_NEAR(wholeScale / partScale, 2.0, 0.2);
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join('\n').toStdString();
}

// Drawing the pages shows its progress; cancelled, an export leaves the
// file that was there byte for byte and says nothing.
TEST_F(ExportCommands, ACancelledExportKeepsTheOldFile) {
    Open();
    const QString pdf = dir.filePath(QString::fromUtf8("Sjön.pdf"));
    ASSERT_TRUE(testutil::WriteAll(pdf, "the old PDF"));
    Choose({PrintOptions::Area::Whole, true, 4});
    scripted().saveFile(pdf);
    scripted().cancelProgressAt(1);
    const qsizetype before = scripted().progressTexts.size();
    Act(cmd::ExportPdf)->trigger();
    EXPECT_EQ(scripted().progressTexts.mid(before), QStringList{"Drawing the map pages..."});
    EXPECT_GT(scripted().progressSteps, 1);
    EXPECT_EQ(testutil::ReadAll(pdf), QByteArray("the old PDF"));
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join('\n').toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromUtf8("Sjön.pdf")});

    // Not cancelled, the same export replaces it.
    Choose({PrintOptions::Area::Whole, true, 4});
    scripted().saveFile(pdf);
    Act(cmd::ExportPdf)->trigger();
    EXPECT_TRUE(testutil::ReadAll(pdf).startsWith("%PDF"));
}

TEST_F(ExportCommands, PrintOfTheWholeLakeGoesOverThePagesAsked) {
    if (!probe::HaveTools()) GTEST_SKIP() << "pdftoppm or pdftotext is missing";
    Open();
    QPrinter& printer = CMapPrinter::Of(frame->View())->Printer();
    const QString pdf = dir.filePath("printed.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    Choose({PrintOptions::Area::Whole, false, 4});
    scripted().print(true);
    Act(cmd::FilePrint)->trigger();
    ASSERT_EQ(probe::PageCount(pdf), 4);
    EXPECT_TRUE(probe::Text(pdf, 4).contains("Page 4 of 4 (B2, row 2, column 2)"));
    // Back to the visible part: one page at a whole factor, without a scale.
    QFile::remove(pdf);
    Choose({PrintOptions::Area::Visible, false, 1});
    scripted().print(true);
    Act(cmd::FilePrint)->trigger();
    ASSERT_EQ(probe::PageCount(pdf), 1);
    EXPECT_FALSE(probe::Text(pdf).contains("Scale 1:"));
}

}  // namespace
