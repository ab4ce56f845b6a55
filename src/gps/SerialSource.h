// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>
#include <QTimer>

#include "gps/NmeaParser.h"
#include "gps/PositionSource.h"

// The port and line settings a serial receiver is opened with.
struct SerialSettings {
    QString portName;  // a name of QSerialPortInfo or a path such as /dev/pts/3
    qint32 baudRate = 4800;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
};

// NMEA 0183 from a receiver on a serial port, read as it arrives on the
// thread's event loop.
class CSerialSource : public CPositionSource {
    Q_OBJECT
public:
    explicit CSerialSource(SerialSettings settings, QObject* parent = nullptr);
    ~CSerialSource() override;

    void Start() override;
    void Stop() override;
    QString Name() const override { return settings.portName; }
    const CNmeaParser& Parser() const { return parser; }

    // How long the port may stay silent before it is reported, and how
    // often a missing port is looked for.
    static constexpr int kSilenceMs = 5000;
    static constexpr int kRetryMs = 1000;

private:
    void TryOpen();
    void ReadAvailable();
    void Unplugged();

    SerialSettings settings;
    QSerialPort port;
    QTimer retry;
    QTimer silence;
    CNmeaParser parser;
    bool running = false;
};
