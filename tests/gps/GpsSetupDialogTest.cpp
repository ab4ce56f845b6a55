// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "ScriptedPrompts.h"
#include "framework/DataExchange.h"
#include "gps/GpsSetupDialog.h"

namespace {

constexpr int kListIds[6] = {1019, 1020, 1021, 1022, 1023, 1024};

QComboBox* List(QDialog& d, int id) {
    return Control<QComboBox>(&d, id);
}

TEST(GpsSetupDialog, ListsExactlyAsGivenOnTheDefaults) {
    CGpsSetupDialog dlg;
    EXPECT_EQ(dlg.windowTitle(), "GPS Setup...");
    struct Case {
        const char* label;
        QStringList entries;
        const char* current;
    } cases[] = {
        {"Com Port:", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"}, "COM2"},
        {"Baud Rate:",
         {"300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000",
          "128000", "256000  "},
         "4800"},
        {"Data Bits:", {"5", "6", "7", "8"}, "8"},
        {"Stop Bits:", {"1", "1.5", "2"}, "1"},
        {"Parity:", {"None", "Odd", "Even", "Mark", "Space"}, "None"},
        {"HandShaking:", {"None", "DTRDSR", "RTSCTS", "XONXOFF"}, "None"},
    };
    for (int i = 0; i < 6; ++i) {
        QComboBox* list = List(dlg, kListIds[i]);
        QStringList entries;
        for (int k = 0; k < list->count(); ++k) entries << list->itemText(k);
        EXPECT_EQ(entries, cases[i].entries);
        EXPECT_EQ(list->currentText(), cases[i].current);
        QString label;
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->buddy() == list) label = l->text();
        EXPECT_EQ(label, cases[i].label);
    }
    EXPECT_EQ(Control<QCheckBox>(&dlg, 1050)->text(), "Show GPS Tray Icon");
    EXPECT_FALSE(Control<QCheckBox>(&dlg, 1050)->isChecked());
}

TEST(GpsSetupDialog, OkReadsEveryChoiceCancelNone) {
    for (bool ok : {true, false}) {
        PromptsFixtureGuard guard;
        CGpsSetupDialog dlg;
        scripted().dialog([ok](QDialog& d) {
            const int choice[6] = {7, 11, 0, 2, 4, 3};
            for (int i = 0; i < 6; ++i) List(d, kListIds[i])->setCurrentIndex(choice[i]);
            Control<QCheckBox>(&d, 1050)->setChecked(true);
            ok ? d.accept() : d.reject();
        });
        EXPECT_EQ(Prompts::instance().runModal(dlg) == QDialog::Accepted, ok);
        EXPECT_EQ(QList<int>({dlg.comPort, dlg.baudRate, dlg.dataBits, dlg.stopBits, dlg.parity,
                              dlg.handshaking, dlg.showTrayIcon}),
                  ok ? QList<int>({7, 11, 0, 2, 4, 3, 1}) : QList<int>({1, 4, 3, 0, 0, 0, 0}));
    }
}

}  // namespace
