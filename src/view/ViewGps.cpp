// SPDX-License-Identifier: GPL-3.0-or-later
// The map view's part of the GPS link: its commands, the boat's icon and
// track painted over the map, and the repaints they need.
#include <QPainter>
#include <QPainterPath>
#include <QSerialPortInfo>
#include <cmath>
#include <numbers>

#include "document/TarnlightDoc.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "gps/GpsConfig.h"
#include "gps/GpsLink.h"
#include "gps/GpsPixel.h"
#include "gps/GpsSetupDialog.h"
#include "interchange/Gpx.h"
#include "points/UserInfoPoint.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/FrameServices.h"
#include "view/TarnlightView.h"

namespace {
constexpr int kTrackPen = 2;
constexpr int kArrowMargin = 14;
constexpr int kArrowHalf = 13;
// How near the view's edge the boat may come before the view follows it.
constexpr int kFollowMargin = 48;
const QColor kTrackColor(255, 128, 0);

QPoint Truncated(QPointF p) {
    return QPoint(static_cast<int>(std::trunc(p.x())), static_cast<int>(std::trunc(p.y())));
}

QRect SegmentRect(QPoint a, QPoint b) {
    return QRect(a, b).normalized().adjusted(-kTrackPen - 1, -kTrackPen - 1, kTrackPen + 2,
                                             kTrackPen + 2);
}

bool SameCalibration(const Calibration& a, const Calibration& b) {
    return a.lon1 == b.lon1 && a.lon2 == b.lon2 && a.lat1 == b.lat1 && a.lat2 == b.lat2 &&
           a.x1 == b.x1 && a.x2 == b.x2 && a.y1 == b.y1 && a.y2 == b.y2;
}

QColor ArrowColor(int icon) {
    switch (icon) {
        case 0:
            return QColor(220, 0, 0);
        case 1:
            return QColor(0, 0, 220);
        case 2:
            return QColor(0, 160, 0);
        default:
            return Qt::black;
    }
}
}  // namespace

void CTarnlightView::BuildGpsCommands() {
    gps = new CGpsLink(this);
    GpsConfig::Load(gpsPort);
    followBoat = SettingsStore::instance().Int(setting::GpsFollow) != 0;
    connect(gps, &CGpsLink::statusChanged, this, [this](const QString& text) {
        if (frame) frame->SetPaneText(4, text);
        CommandsChanged();
    });
    connect(gps, &CGpsLink::positionChanged, this, &CTarnlightView::OnGpsPosition);
    connect(gps, &CGpsLink::trackChanged, this,
            [this](CTrackLog::Change c) { OnGpsTrack(static_cast<int>(c)); });

    commands.on(cmd::SetupGps, [this] { OnSetupGps(); });
    commands.on(
        cmd::ConnectGps, [this] { OnConnectGps(); },
        [this](CommandState& s) { s.checked = gps->Connected(); });
    commands.on(
        cmd::SaveTrack, [this] { OnSaveTrack(); },
        [this](CommandState& s) { s.enabled = !gps->Track().Empty(); });
    commands.on(
        cmd::TrackToStroke, [this] { OnTrackToStroke(); },
        [this](CommandState& s) { s.enabled = gps->Track().Points().size() >= 2; });
    commands.on(
        cmd::MarkSpot, [this] { OnMarkSpot(); },
        [this](CommandState& s) { s.enabled = gps->Connected(); });
    commands.on(
        cmd::KeepBoatInView,
        [this] {
            followBoat = !followBoat;
            SettingsStore::instance().SetInt(setting::GpsFollow, followBoat ? 1 : 0);
            if (followBoat) OnGpsPosition();
        },
        [this](CommandState& s) { s.checked = followBoat; });
}

void CTarnlightView::OnGpsTeardown() {
    if (gps) gps->Disconnect();
}

void CTarnlightView::OnSetupGps() {
    GpsConfig config = GpsConfig::Load(gpsPort);
    CGpsSetupDialog dlg(this);
    dlg.comPort = gpsPort.comPort;
    dlg.baudRate = gpsPort.baudRate;
    dlg.dataBits = gpsPort.dataBits;
    dlg.stopBits = gpsPort.stopBits;
    dlg.parity = gpsPort.parity;
    dlg.handshaking = gpsPort.handshaking;
    dlg.showTrayIcon = gpsPort.extra1 != 0 ? 1 : 0;
    dlg.source = config.source;
    dlg.address = config.address;
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    dlg.Exchange(false);
    dlg.SetPorts(ports, config.portName);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    gpsPort.comPort = static_cast<uint16_t>(dlg.comPort);
    gpsPort.baudRate = static_cast<uint16_t>(dlg.baudRate);
    gpsPort.dataBits = static_cast<uint16_t>(dlg.dataBits);
    gpsPort.stopBits = static_cast<uint16_t>(dlg.stopBits);
    gpsPort.parity = static_cast<uint16_t>(dlg.parity);
    gpsPort.handshaking = static_cast<uint16_t>(dlg.handshaking);
    gpsPort.extra1 = dlg.showTrayIcon ? 1 : 0;
    config.source = dlg.source == GpsConfig::SerialPort ? GpsConfig::SerialPort : GpsConfig::Gpsd;
    config.address = dlg.address.isEmpty() ? QString(setting::GpsAddressDefault) : dlg.address;
    // A "COMn" name stays an index, as the port settings keep it.
    config.portName = dlg.portName == GpsConfig::PortName(gpsPort, {}) ? QString() : dlg.portName;
    config.Save(gpsPort);
    // A running link goes on with the new choices.
    if (gps->Connected()) {
        gps->Disconnect();
        OnConnectGps();
    }
}

void CTarnlightView::OnConnectGps() {
    if (gps->Connected()) {
        gps->Disconnect();
        viewport()->update();
        return;
    }
    const GpsConfig config = GpsConfig::Load(gpsPort);
    QString problem;
    std::unique_ptr<CPositionSource> source = CGpsLink::MakeSource(config, gpsPort, problem);
    if (!source) {
        Prompts::instance().message(problem);
        return;
    }
    gps->Connect(std::move(source));
}

void CTarnlightView::OnSaveTrack() {
    const std::vector<gpx::TimedPoint>& points = gps->Track().Points();
    if (points.empty()) return;
    const std::optional<QString> path =
        Prompts::instance().saveFileName(str::GpsTrackDefaultName, str::GpxFilter);
    if (!path) return;
    const QString name = QString(str::GpsTrackName)
                             .arg(points.front().time.toLocalTime().toString("yyyy-MM-dd HH:mm"));
    const CAtomicFile::Status status = gpx::SaveTrackGpx(name, points, *path);
    if (status != CAtomicFile::Status::Ok)
        Prompts::instance().message(gpx::ExportFailureMessage(status, *path));
}

void CTarnlightView::OnTrackToStroke() {
    if (!TrackPixelsCurrent()) RebuildTrackPixels();
    const QRect extent(QPoint(0, 0), location.Extent());
    std::vector<QPoint> kept;
    for (const QPoint& p : trackPixels)
        if (extent.contains(p) && (kept.empty() || kept.back() != p)) kept.push_back(p);
    if (kept.size() < 2) {
        Prompts::instance().message(str::GpsTrackNothingOnMap);
        return;
    }
    CFreeHand& stroke = location.freeHands.AddNew();
    for (const QPoint& p : kept) stroke.AppendPoint(p);
    stroke.ComputeBounds();
    drawingKinds.push_back(0);
    doc.SetModifiedFlag();
    InvalidateLogical(stroke.bounds.ToQRect().adjusted(-8, -8, 8, 8));
    CommandsChanged();
}

void CTarnlightView::OnMarkSpot() {
    const std::optional<GpsFix>& fix = gps->LastFix();
    const std::optional<QPointF> at =
        fix ? CalibratedPixel(location, fix->lat, fix->lon) : std::nullopt;
    if (!at) {
        Prompts::instance().message(str::GpsNoPosition);
        return;
    }
    const QPoint spot = Truncated(*at);
    const QSize extent = location.Extent();
    if (!InAllowedMappingArea(spot.x(), spot.y(), extent.width(), extent.height(),
                              location.maps.zoom)) {
        Prompts::instance().message(str::GpsSpotOutside);
        return;
    }
    auto point = std::make_unique<CUserInfoPoint>();
    point->SetIcon(CUserInfoPoint::kNewPointIconId);
    const QDateTime when = (fix->time.isValid() ? fix->time : QDateTime::currentDateTimeUtc());
    point->SetName(
        QString(str::GpsSpotName).arg(when.toLocalTime().toString("yyyy-MM-dd HH:mm:ss")));
    if (std::isfinite(fix->elevation)) point->altitude = gpx::MetresToFeet(fix->elevation);
    point->position = spot;
    location.PixelToCoordinate(spot.x(), spot.y(), point->coordinate);
    location.userInfoPoints.SetZoom(location.maps.zoom);
    CUserInfoPoint& added = location.userInfoPoints.Append(std::move(point));
    if (QWidget* w = added.Window()) w->show();
    location.userInfoPoints.UpdateWindows();
    doc.SetModifiedFlag();
    viewport()->update();
}

// ---- the boat and its track on the map ----

QRect CTarnlightView::ComputeGpsMark(QPoint* atOut, double* angleOut) const {
    const std::optional<GpsFix>& fix = gps->LastFix();
    if (!fix) return {};
    const std::optional<QPointF> pixel = CalibratedPixel(location, fix->lat, fix->lon);
    if (!pixel) return {};
    const QPoint boat = Truncated(*pixel);
    const QRect logicalView(ScrollPosition(), viewport()->size());
    QRect visible = logicalView & QRect(QPoint(0, 0), location.Extent());
    if (visible.width() < 4 * kArrowMargin || visible.height() < 4 * kArrowMargin)
        visible = logicalView;
    if (visible.contains(boat)) {
        if (atOut) *atOut = boat;
        if (angleOut) *angleOut = std::nan("");
        if (movingMapPixmap.isNull()) return {};
        const QSize size = movingMapPixmap.deviceIndependentSize().toSize();
        return QRect(boat - QPoint(size.width() / 2, size.height() / 2), size);
    }
    // Out of sight: an arrow just inside the view's edge, pointing at it.
    const QRectF inner =
        QRectF(visible).adjusted(kArrowMargin, kArrowMargin, -kArrowMargin, -kArrowMargin);
    const QPointF c = inner.center();
    const QPointF d = *pixel - c;
    double t = 1.0;
    if (d.x() != 0.0) t = std::min(t, std::fabs(inner.width() / 2 / d.x()));
    if (d.y() != 0.0) t = std::min(t, std::fabs(inner.height() / 2 / d.y()));
    const QPoint tip = (c + d * t).toPoint();
    if (atOut) *atOut = tip;
    if (angleOut) *angleOut = std::atan2(d.y(), d.x());
    return QRect(tip - QPoint(kArrowHalf, kArrowHalf),
                 QSize(2 * kArrowHalf + 1, 2 * kArrowHalf + 1));
}

bool CTarnlightView::TrackPixelsCurrent() const {
    return SameCalibration(trackCalibration, location) &&
           trackPixels.size() == gps->Track().Points().size();
}

void CTarnlightView::RebuildTrackPixels() {
    trackCalibration = location;
    trackPixels.clear();
    for (const gpx::TimedPoint& p : gps->Track().Points()) {
        const std::optional<QPointF> at = CalibratedPixel(location, p.lat, p.lon);
        trackPixels.push_back(at ? Truncated(*at) : QPoint());
    }
}

QRect CTarnlightView::TrackTailRect() const {
    const size_t n = trackPixels.size();
    if (n == 0) return {};
    if (n == 1) return SegmentRect(trackPixels[0], trackPixels[0]);
    return SegmentRect(trackPixels[n - 2], trackPixels[n - 1]);
}

void CTarnlightView::OnGpsTrack(int change) {
    const std::vector<gpx::TimedPoint>& points = gps->Track().Points();
    const bool calibrated = SameCalibration(trackCalibration, location);
    auto pixelOf = [this](const gpx::TimedPoint& p) {
        const std::optional<QPointF> at = CalibratedPixel(location, p.lat, p.lon);
        return at ? Truncated(*at) : QPoint();
    };
    if (calibrated && change == static_cast<int>(CTrackLog::Change::LastMoved) &&
        trackPixels.size() == points.size() && !points.empty()) {
        const QPoint moved = pixelOf(points.back());
        if (moved == trackPixels.back()) return;
        InvalidateLogical(TrackTailRect());
        trackPixels.back() = moved;
        InvalidateLogical(TrackTailRect());
        return;
    }
    if (calibrated && change == static_cast<int>(CTrackLog::Change::Appended) &&
        trackPixels.size() + 1 == points.size()) {
        trackPixels.push_back(pixelOf(points.back()));
        InvalidateLogical(TrackTailRect());
        return;
    }
    // Thinned, cleared or calibrated anew: everything is drawn again.
    RebuildTrackPixels();
    viewport()->update();
}

void CTarnlightView::OnGpsPosition() {
    const std::optional<GpsFix>& fix = gps->LastFix();
    if (followBoat && fix) {
        const std::optional<QPointF> pixel = CalibratedPixel(location, fix->lat, fix->lon);
        if (pixel) {
            const QPoint boat = Truncated(*pixel);
            const QSize page = viewport()->size();
            const int margin = std::min(kFollowMargin, std::min(page.width(), page.height()) / 4);
            const QRect comfortable =
                QRect(ScrollPosition(), page).adjusted(margin, margin, -margin, -margin);
            if (QRect(QPoint(0, 0), location.Extent()).contains(boat) &&
                !comfortable.contains(boat)) {
                ScrollTo(boat - QPoint(page.width() / 2, page.height() / 2));
                shownMark = ComputeGpsMark();
                return;  // scrolling repaints the whole view
            }
        }
    }
    const QRect next = ComputeGpsMark();
    if (next == shownMark && gps->HasFix()) return;
    InvalidateLogical(shownMark);
    InvalidateLogical(next);
    shownMark = next;
}

void CTarnlightView::PaintGps(QPainter& p, const QRect& clip) {
    if (gps->Track().Empty() && !gps->LastFix()) {
        shownMark = QRect();
        return;
    }
    if (!TrackPixelsCurrent()) RebuildTrackPixels();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (trackPixels.size() >= 2) {
        p.setPen(QPen(kTrackColor, kTrackPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (size_t i = 1; i < trackPixels.size(); ++i)
            if (SegmentRect(trackPixels[i - 1], trackPixels[i]).intersects(clip))
                p.drawLine(trackPixels[i - 1], trackPixels[i]);
    }
    QPoint at;
    double angle = 0.0;
    shownMark = ComputeGpsMark(&at, &angle);
    if (shownMark.intersects(clip)) {
        // A fix that is no longer current shows faded where it was.
        if (!gps->HasFix()) p.setOpacity(0.5);
        if (std::isnan(angle)) {
            p.drawPixmap(shownMark.topLeft(), movingMapPixmap);
        } else {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.translate(at);
            p.rotate(angle * 180.0 / std::numbers::pi);
            QPainterPath arrow;
            arrow.moveTo(kArrowHalf - 1, 0);
            arrow.lineTo(-kArrowHalf + 3, -9);
            arrow.lineTo(-kArrowHalf + 8, 0);
            arrow.lineTo(-kArrowHalf + 3, 9);
            arrow.closeSubpath();
            p.setPen(QPen(Qt::white, 1.5));
            p.setBrush(ArrowColor(movingMapIcon));
            p.drawPath(arrow);
        }
    }
    p.restore();
}
