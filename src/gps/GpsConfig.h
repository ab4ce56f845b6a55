// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "gps/GpsInterface.h"
#include "gps/SerialSource.h"

// What the GPS Setup dialog chooses, as kept in the settings store: the
// source, the daemon's address, and for a serial receiver the port's name
// and the line choices of the port settings object.
struct GpsConfig {
    enum Source { SerialPort = 0, Gpsd = 1 };
    int source = Gpsd;
    QString address;   // gpsd "host:port"
    QString portName;  // empty: the "COMn" the stored index names
    bool showTrayIcon = false;

    static GpsConfig Load(CGpsInterface& port);
    void Save(const CGpsInterface& port) const;

    // The port as the user knows it: the stored name, or "COM2" and so on.
    static QString PortName(const CGpsInterface& port, const QString& storedName);
    // The line settings the dialog's list indexes stand for.
    static SerialSettings Serial(const CGpsInterface& port, const QString& name);
};
