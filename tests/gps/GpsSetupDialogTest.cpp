#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "gps/GpsSetupDialog.h"

namespace {

QStringList Entries(QDialog& d, int id) {
    QComboBox* list = Control<QComboBox>(&d, id);
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
}

QString LabelOf(QDialog& d, QWidget* w) {
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == w) return l->text();
    return {};
}

TEST(GpsSetupDialog, ListsExactlyAsGiven) {
    CGpsSetupDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "GPS Setup...");
    struct Case {
        int id;
        const char* label;
        QStringList entries;
    } cases[] = {
        {1019, "Com Port:", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}},
        {1020,
         "Baud Rate:",
         {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
          "128000", "256000  "}},
        {1021, "Data Bits:", {"5", "6", "7", "8"}},
        {1022, "Stop Bits:", {"1", "1.5", "2"}},
        {1023, "Parity:", {"None", "Odd", "Even", "Mark", "Space"}},
        {1024, "HandShaking:", {"None", "DTRDSR", "RTSCTS", "XONXOFF"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Entries(dlg, c.id), c.entries) << c.id;
        EXPECT_EQ(LabelOf(dlg, Control<QComboBox>(&dlg, c.id)), c.label) << c.id;
        EXPECT_FALSE(Control<QComboBox>(&dlg, c.id)->isEditable()) << c.id;
    }
    EXPECT_EQ(Control<QCheckBox>(&dlg, 1050)->text(), "Show GPS Tray Icon");
}

TEST(GpsSetupDialog, OpensOnTheDefaults) {
    CGpsSetupDialog dlg;
    EXPECT_EQ(Control<QComboBox>(&dlg, 1019)->currentText(), "COM2");
    EXPECT_EQ(Control<QComboBox>(&dlg, 1020)->currentText(), "4800");
    EXPECT_EQ(Control<QComboBox>(&dlg, 1021)->currentText(), "8");
    EXPECT_EQ(Control<QComboBox>(&dlg, 1022)->currentText(), "1");
    EXPECT_EQ(Control<QComboBox>(&dlg, 1023)->currentText(), "None");
    EXPECT_EQ(Control<QComboBox>(&dlg, 1024)->currentText(), "None");
    EXPECT_FALSE(Control<QCheckBox>(&dlg, 1050)->isChecked());
}

TEST(GpsSetupDialog, OkReadsEveryChoice) {
    PromptsFixtureGuard guard;
    CGpsSetupDialog dlg;
    scripted().dialog([](QDialog& d) {
        Control<QComboBox>(&d, 1019)->setCurrentIndex(7);
        Control<QComboBox>(&d, 1020)->setCurrentIndex(11);
        Control<QComboBox>(&d, 1021)->setCurrentIndex(0);
        Control<QComboBox>(&d, 1022)->setCurrentIndex(2);
        Control<QComboBox>(&d, 1023)->setCurrentIndex(4);
        Control<QComboBox>(&d, 1024)->setCurrentIndex(3);
        Control<QCheckBox>(&d, 1050)->setChecked(true);
        d.accept();
    });
    ASSERT_EQ(Prompts::instance().runModal(dlg), QDialog::Accepted);
    EXPECT_EQ(dlg.comPort, 7);
    EXPECT_EQ(dlg.baudRate, 11);
    EXPECT_EQ(dlg.dataBits, 0);
    EXPECT_EQ(dlg.stopBits, 2);
    EXPECT_EQ(dlg.parity, 4);
    EXPECT_EQ(dlg.handshaking, 3);
    EXPECT_EQ(dlg.showTrayIcon, 1);
}

TEST(GpsSetupDialog, CancelKeepsTheChoices) {
    PromptsFixtureGuard guard;
    CGpsSetupDialog dlg;
    scripted().dialog([](QDialog& d) {
        Control<QComboBox>(&d, 1019)->setCurrentIndex(0);
        d.reject();
    });
    EXPECT_EQ(Prompts::instance().runModal(dlg), QDialog::Rejected);
    EXPECT_EQ(dlg.comPort, 1);
}

}  // namespace
