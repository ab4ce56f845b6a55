// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/GpsConfig.h"

#include <QBuffer>

#include "framework/Archive.h"
#include "framework/Settings.h"

namespace {
constexpr qint32 kBaudRates[] = {300,   600,   1200,  2400,  4800,   9600,
                                 14400, 19200, 38400, 56000, 128000, 256000};
}

GpsConfig GpsConfig::Load(CGpsInterface& port) {
    SettingsStore& s = SettingsStore::instance();
    GpsConfig c;
    c.source = s.Int(setting::GpsSource) == SerialPort ? SerialPort : Gpsd;
    c.address = s.String(setting::GpsAddress);
    if (c.address.isEmpty()) c.address = setting::GpsAddressDefault;
    c.portName = s.String(setting::GpsPortName);
    // The port settings object's own bytes; anything damaged gives the defaults.
    port.Reset();
    QByteArray bytes = s.Value(setting::GpsPortChoices).toByteArray();
    if (bytes.size() == 20) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        CGpsInterface read;
        CArchive ar(in, CArchive::Mode::Load);
        read.Serialize(ar);
        if (!ar.Failed()) {
            port.comPort = read.comPort;
            port.baudRate = read.baudRate;
            port.dataBits = read.dataBits;
            port.stopBits = read.stopBits;
            port.parity = read.parity;
            port.handshaking = read.handshaking;
            port.extra1 = read.extra1;
            port.extra2 = read.extra2;
        }
    }
    c.showTrayIcon = port.extra1 != 0;
    return c;
}

void GpsConfig::Save(const CGpsInterface& port) const {
    SettingsStore& s = SettingsStore::instance();
    s.SetInt(setting::GpsSource, source);
    s.SetString(setting::GpsAddress, address);
    s.SetString(setting::GpsPortName, portName);
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        CArchive ar(out, CArchive::Mode::Store);
        const_cast<CGpsInterface&>(port).Serialize(ar);
        ar.Flush();
    }
    s.SetValue(setting::GpsPortChoices, bytes);
}

QString GpsConfig::PortName(const CGpsInterface& port, const QString& storedName) {
    if (!storedName.isEmpty()) return storedName;
    return QString("COM%1").arg(port.comPort + 1);
}

SerialSettings GpsConfig::Serial(const CGpsInterface& port, const QString& name) {
    SerialSettings s;
    s.portName = name;
    if (port.baudRate < std::size(kBaudRates)) s.baudRate = kBaudRates[port.baudRate];
    if (port.dataBits <= 3) s.dataBits = static_cast<QSerialPort::DataBits>(5 + port.dataBits);
    const QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                           QSerialPort::TwoStop};
    if (port.stopBits < 3) s.stopBits = stops[port.stopBits];
    const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                            QSerialPort::EvenParity, QSerialPort::MarkParity,
                                            QSerialPort::SpaceParity};
    if (port.parity < 5) s.parity = parities[port.parity];
    // There is no DTR/DSR flow control on this platform's serial ports.
    const QSerialPort::FlowControl flows[] = {
        QSerialPort::NoFlowControl, QSerialPort::NoFlowControl, QSerialPort::HardwareControl,
        QSerialPort::SoftwareControl};
    if (port.handshaking < 4) s.flowControl = flows[port.handshaking];
    return s;
}
