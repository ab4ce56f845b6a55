// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/SerialSource.h"

CSerialSource::CSerialSource(SerialSettings s, QObject* parent)
    : CPositionSource(parent), settings(std::move(s)) {
    retry.setSingleShot(true);
    retry.setInterval(kRetryMs);
    silence.setSingleShot(true);
    silence.setInterval(kSilenceMs);
    connect(&retry, &QTimer::timeout, this, &CSerialSource::TryOpen);
    connect(&silence, &QTimer::timeout, this, [this] {
        if (port.isOpen()) SetState(State::NoData);
    });
    connect(&port, &QSerialPort::readyRead, this, &CSerialSource::ReadAvailable);
    connect(&port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A pseudo-terminal whose other end closed, a USB receiver pulled out.
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
            e == QSerialPort::PermissionError)
            if (port.isOpen()) Unplugged();
    });
    parser.onFix = [this](const GpsFix& fix) {
        SetState(fix.HasPosition() ? State::Fix : State::NoFix);
        emit fixReceived(fix);
    };
}

CSerialSource::~CSerialSource() {
    Stop();
}

void CSerialSource::Start() {
    if (running) return;
    running = true;
    SetState(State::Connecting);
    TryOpen();
}

void CSerialSource::Stop() {
    running = false;
    retry.stop();
    silence.stop();
    if (port.isOpen()) port.close();
    SetState(State::Stopped);
}

void CSerialSource::TryOpen() {
    if (!running) return;
    port.setPortName(settings.portName);
    if (!port.open(QIODevice::ReadOnly)) {
        port.clearError();
        retry.start();
        return;
    }
    port.setBaudRate(settings.baudRate);
    port.setDataBits(settings.dataBits);
    port.setParity(settings.parity);
    port.setStopBits(settings.stopBits);
    port.setFlowControl(settings.flowControl);
    port.clearError();
    SetState(State::NoData);
    silence.start();
    ReadAvailable();
}

void CSerialSource::ReadAvailable() {
    if (!port.isOpen()) return;
    const QByteArray bytes = port.readAll();
    if (bytes.isEmpty()) return;
    silence.start();
    parser.Feed(bytes);
}

void CSerialSource::Unplugged() {
    // Whatever was read stays read; the port is looked for again.
    port.close();
    silence.stop();
    SetState(State::Lost);
    if (running) retry.start();
}
