// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>

#include "gps/PositionSource.h"

class GpsdWorker;

// Fixes from the gpsd daemon through libgps. The daemon is talked to on a
// thread of its own (connecting to a host can take its time), and its
// reports reach this object on the thread it lives on.
class CGpsdSource : public CPositionSource {
    Q_OBJECT
public:
    static constexpr const char* kDefaultHost = "localhost";
    static constexpr quint16 kDefaultPort = 2947;
    static constexpr int kRetryMs = 1000;

    CGpsdSource(QString host, quint16 port, QObject* parent = nullptr);
    ~CGpsdSource() override;

    void Start() override;
    void Stop() override;
    QString Name() const override;

    // "host:port", "host", ":port", "[v6]:port"; empty parts take the
    // defaults. False for a port that is not a number from 1 to 65535.
    static bool ParseAddress(const QString& text, QString& host, quint16& port);

private:
    QString host;
    quint16 port;
    // Both end on their own once stopped (see Stop).
    QThread* thread = nullptr;
    GpsdWorker* worker = nullptr;
};
