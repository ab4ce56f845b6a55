// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;

// The About box, also shown at start-up. `dontShow` is the check box
// "Do Not show on Application Startup" (1 = ticked).
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);

    int dontShow = 0;

    void accept() override;
    // Runs the box for the current showSplash and applies the OK rule:
    // showSplash = 0 when ticked, 1 when clear; other endings change nothing.
    static void Run(int& showSplash, QWidget* parent = nullptr);

private:
    QCheckBox* check = nullptr;
};
