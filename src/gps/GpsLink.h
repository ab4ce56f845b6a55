// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <memory>
#include <optional>

#include "gps/GpsConfig.h"
#include "gps/PositionSource.h"
#include "gps/TrackLog.h"

// The live link to a receiver: one source while connected, the newest
// fix, the track of the trip and the line the status bar shows. It knows
// no window; the view draws what it holds.
class CGpsLink : public QObject {
    Q_OBJECT
public:
    explicit CGpsLink(QObject* parent = nullptr);
    ~CGpsLink() override;

    // The source the configuration names, or null with the reason in
    // problem (a port that does not exist, an address that is not one).
    static std::unique_ptr<CPositionSource> MakeSource(const GpsConfig& config,
                                                       const CGpsInterface& port, QString& problem);
    static bool PortExists(const QString& name);

    // Starts the source; the track goes on from where it was.
    void Connect(std::unique_ptr<CPositionSource> source);
    void Disconnect();
    bool Connected() const { return source != nullptr; }
    CPositionSource* Source() const { return source.get(); }

    const CTrackLog& Track() const { return track; }
    void ClearTrack();
    // The newest fix with a position, kept through a lost fix.
    const std::optional<GpsFix>& LastFix() const { return lastFix; }
    // True while the newest report had a position.
    bool HasFix() const { return fixNow; }
    QString StatusText() const;

    // The status line for a state and fix, as the status bar shows it.
    static QString StatusText(CPositionSource::State state, const QString& name,
                              const std::optional<GpsFix>& fix);

signals:
    void positionChanged();
    void trackChanged(CTrackLog::Change change);
    void statusChanged(const QString& text);

private:
    void OnFix(const GpsFix& fix);

    std::unique_ptr<CPositionSource> source;
    CTrackLog track;
    std::optional<GpsFix> lastFix;
    bool fixNow = false;
    QString lastStatus;
};
