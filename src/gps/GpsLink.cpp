// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/GpsLink.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include "gps/GpsdSource.h"
#include "gps/SerialSource.h"
#include "resources/Strings.h"

namespace {
constexpr double kMph = 3600.0 / 1609.344;  // metres a second to miles an hour
}

CGpsLink::CGpsLink(QObject* parent) : QObject(parent) {
    qRegisterMetaType<GpsFix>();
}

CGpsLink::~CGpsLink() {
    Disconnect();
}

bool CGpsLink::PortExists(const QString& name) {
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (info.portName() == name || info.systemLocation() == name) return true;
    // A pseudo-terminal or a link to one is not listed, but it is there.
    return name.startsWith('/') && QFileInfo::exists(name);
}

std::unique_ptr<CPositionSource> CGpsLink::MakeSource(const GpsConfig& config,
                                                      const CGpsInterface& port, QString& problem) {
    problem.clear();
    if (config.source == GpsConfig::Gpsd) {
        QString host;
        quint16 number = 0;
        if (!CGpsdSource::ParseAddress(config.address, host, number)) {
            problem = QString(str::GpsBadAddress).arg(config.address);
            return nullptr;
        }
        return std::make_unique<CGpsdSource>(host, number);
    }
    const QString name = GpsConfig::PortName(port, config.portName);
    if (!PortExists(name)) {
        problem = QString(str::GpsPortMissing).arg(name);
        return nullptr;
    }
    return std::make_unique<CSerialSource>(GpsConfig::Serial(port, name));
}

void CGpsLink::Connect(std::unique_ptr<CPositionSource> s) {
    Disconnect();
    source = std::move(s);
    if (!source) return;
    connect(source.get(), &CPositionSource::fixReceived, this, &CGpsLink::OnFix);
    connect(source.get(), &CPositionSource::stateChanged, this, [this] {
        if (source && source->CurrentState() != CPositionSource::State::Fix) fixNow = false;
        const QString text = StatusText();
        if (text != lastStatus) emit statusChanged(lastStatus = text);
    });
    source->Start();
    const QString text = StatusText();
    if (text != lastStatus) emit statusChanged(lastStatus = text);
}

void CGpsLink::Disconnect() {
    if (!source) return;
    // Stop first: a source reports its last state while it stops.
    std::unique_ptr<CPositionSource> s = std::move(source);
    s->disconnect(this);
    s->Stop();
    s.reset();
    fixNow = false;
    emit statusChanged(lastStatus = StatusText());
}

void CGpsLink::ClearTrack() {
    track.Clear();
    emit trackChanged(CTrackLog::Change::Appended);
}

void CGpsLink::OnFix(const GpsFix& fix) {
    const bool had = fixNow;
    fixNow = fix.HasPosition();
    if (fixNow) {
        const bool moved = !lastFix || lastFix->lat != fix.lat || lastFix->lon != fix.lon ||
                           lastFix->heading != fix.heading;
        lastFix = fix;
        const CTrackLog::Change change = track.Add(fix);
        if (change != CTrackLog::Change::None) emit trackChanged(change);
        if (moved || !had) emit positionChanged();
    } else if (had) {
        emit positionChanged();
    }
    const QString text = StatusText();
    if (text != lastStatus) emit statusChanged(lastStatus = text);
}

QString CGpsLink::StatusText() const {
    if (!source) return str::GpsStatusOff;
    return StatusText(source->CurrentState(), source->Name(),
                      fixNow ? lastFix : std::optional<GpsFix>());
}

QString CGpsLink::StatusText(CPositionSource::State state, const QString& name,
                             const std::optional<GpsFix>& fix) {
    using State = CPositionSource::State;
    switch (state) {
        case State::Stopped:
            return str::GpsStatusOff;
        case State::Connecting:
            return QString(str::GpsStatusConnecting).arg(name);
        case State::NoData:
            return QString(str::GpsStatusNoData).arg(name);
        case State::NoFix:
            return str::GpsStatusNoFix;
        case State::Lost:
            return QString(str::GpsStatusLost).arg(name);
        case State::Fix:
            break;
    }
    if (!fix) return str::GpsStatusNoFix;
    QString text = fix->quality == GpsFix::Fix3D ? str::GpsStatus3D : str::GpsStatus2D;
    if (fix->differential) text += str::GpsStatusDgps;
    // Rounded as shown, so a jittering last digit does not repaint the pane.
    if (std::isfinite(fix->speed))
        text += QString(str::GpsStatusSpeed).arg(fix->speed * kMph, 0, 'f', 1);
    if (std::isfinite(fix->heading))
        text += QString(str::GpsStatusHeading).arg(qRound(fix->heading) % 360);
    return text;
}
