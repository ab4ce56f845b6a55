// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;

// Serial-port choices for a GPS receiver, as list indexes matching the
// fields of CGpsInterface.
class CGpsSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit CGpsSetupDialog(QWidget* parent = nullptr);

    bool Exchange(bool save);
    void accept() override;

    int comPort = 1;
    int baudRate = 4;
    int dataBits = 3;
    int stopBits = 0;
    int parity = 0;
    int handshaking = 0;
    int showTrayIcon = 0;

private:
    QComboBox* lists[6] = {};
    QCheckBox* trayIconBox = nullptr;
};
