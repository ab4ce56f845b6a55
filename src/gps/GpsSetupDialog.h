// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

// Serial-port choices for a GPS receiver, as list indexes matching the
// fields of CGpsInterface; and which source to use, gpsd or the serial
// port, with the daemon's address. The port list holds the machine's real
// ports; a name typed in (a pseudo-terminal) or stored earlier is kept.
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
    int source = 1;  // 0 serial port, 1 gpsd
    QString address = "localhost:2947";
    // The port by name; empty before the dialog ran means "COM" and the
    // stored index.
    QString portName;

    // Fills the port list: the real ports, then the stored name if it is
    // not among them. Call before running the dialog.
    void SetPorts(const QStringList& realPorts, const QString& storedName);

private:
    QComboBox* lists[6] = {};
    QCheckBox* trayIconBox = nullptr;
    QComboBox* sourceList = nullptr;
    QLineEdit* addressEdit = nullptr;
    bool portsListed = false;
};
