// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include "gps/GpsFix.h"

// Where fixes come from: a receiver on a serial port or the gpsd daemon.
// A source never blocks the thread it is used on. Once started it keeps
// trying: a receiver that is unplugged or a daemon that dies is reported
// and looked for again until Stop.
class CPositionSource : public QObject {
    Q_OBJECT
public:
    enum class State {
        Stopped,
        Connecting,  // not reached yet (no such port, no daemon answering)
        NoData,      // connected, but nothing useful arrives
        NoFix,       // the receiver speaks but has no position
        Fix,
        Lost,  // was connected; the link went away, retrying
    };
    Q_ENUM(State)

    using QObject::QObject;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    // What the user knows the source by: a port name, a host and port.
    virtual QString Name() const = 0;
    State CurrentState() const { return state; }

signals:
    void fixReceived(const GpsFix& fix);
    void stateChanged(CPositionSource::State state);

protected:
    void SetState(State s) {
        if (s == state) return;
        state = s;
        emit stateChanged(s);
    }

private:
    State state = State::Stopped;
};
