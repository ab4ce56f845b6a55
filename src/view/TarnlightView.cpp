// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/TarnlightView.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDate>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <cstdlib>
#include <memory>

#include "document/TarnlightDoc.h"
#include "drawings/ColorRef.h"
#include "drawings/PPPenFree.h"
#include "drawings/PPPenLine.h"
#include "drawings/PPPenRectEllipse.h"
#include "drawings/PropPen.h"
#include "editing/LayersDialog.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "framework/Shell.h"
#include "geo/CoordSetupDialog.h"
#include "geo/SetPointDialog.h"
#include "imaging/DecodedImage.h"
#include "imaging/TileCache.h"
#include "interchange/Gpx.h"
#include "magnifier/MagnifyWnd.h"
#include "magnifier/PropMagn.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tools/BassWeightDialog.h"
#include "tools/SunTimes.h"
#include "view/ConfigurationDialog.h"
#include "view/FrameServices.h"
#include "view/MapPrinter.h"

namespace {
constexpr int kPanStep = 3;

QRect SpanRect(QPoint a, QPoint b, int grow) {
    return QRect(a, b).normalized().adjusted(-grow, -grow, grow + 1, grow + 1);
}
}  // namespace

CTarnlightView::CTarnlightView(CTarnlightDoc& d, FrameServices* f, QWidget* parent)
    : QAbstractScrollArea(parent), doc(d), frame(f) {
    setObjectName("CTarnlightView");
    viewport()->setMouseTracking(true);
    // The view paints every pixel itself; nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
    doc.SetLocation(&location);
    doc.SetViewWindow(viewport());
    connect(&doc, &CTarnlightDoc::resetAfterLoad, this, &CTarnlightView::ResetAfterLoad);
    connect(&doc, &CTarnlightDoc::contentReplaced, this, &CTarnlightView::ForgetDrawingHistory);
    connect(&doc, &CTarnlightDoc::invalidateView, viewport(), qOverload<>(&QWidget::update));
    // Map pictures are decoded in the background; paint again as they come.
    connect(&TileCache::Instance(), &TileCache::tilesReady, viewport(),
            qOverload<>(&QWidget::update));
    InstallPointWindows();
    location.userInfoPoints.SetParent(viewport());
    companionFolder = QCoreApplication::applicationDirPath();
    BuildCommands();
}

CTarnlightView::~CTarnlightView() {
    doc.SetLocation(nullptr);
    doc.SetViewWindow(nullptr);
    location.userInfoPoints.SetParent(nullptr);
}

void CTarnlightView::BuildCommands() {
    auto modeRule = [this](int m) { return [this, m](CommandState& s) { s.checked = mode == m; }; };
    auto shapeRule = [this](int shape) {
        return [this, shape](CommandState& s) {
            s.checked = drawShape == shape;
            s.enabled = mode == Drawing;
        };
    };
    commands.on(
        cmd::StandardMode, [this] { LeaveMagnifier(), SetMode(Standard); }, modeRule(Standard));
    commands.on(
        cmd::DrawingMode, [this] { LeaveMagnifier(), SetMode(Drawing); }, modeRule(Drawing));
    commands.on(
        cmd::Pan, [this] { LeaveMagnifier(), SetMode(Pan); }, modeRule(Pan));
    commands.on(
        cmd::MeasureDistance, [this] { LeaveMagnifier(), SetMode(Measure); }, modeRule(Measure));
    commands.on(
        cmd::Magnifier, [this] { ToggleMagnifier(); }, modeRule(Magnifier));
    commands.on(
        cmd::CalibrateMode,
        [this] {
            LeaveMagnifier();
            SetMode(mode == Calibrate ? Standard : Calibrate);
        },
        modeRule(Calibrate));
    commands.on(
        cmd::DrawFreeHand, [this] { drawShape = FreeHand; }, shapeRule(FreeHand));
    commands.on(
        cmd::DrawLine, [this] { drawShape = Line; }, shapeRule(Line));
    commands.on(
        cmd::DrawSquare, [this] { drawShape = Rectangle; }, shapeRule(Rectangle));
    commands.on(
        cmd::DrawEllipse, [this] { drawShape = Ellipse; }, shapeRule(Ellipse));
    commands.on(
        cmd::EraseAllDrawing, [this] { OnEraseAll(); },
        [this](CommandState& s) { s.enabled = mode == Drawing; });
    commands.on(
        cmd::EraseLastDrawing, [this] { OnEraseLast(); },
        [this](CommandState& s) { s.enabled = mode == Drawing && !drawingKinds.empty(); });
    commands.rule(cmd::ZoomIn, [](CommandState& s) { s.enabled = false; });
    commands.rule(cmd::ZoomOut, [](CommandState& s) { s.enabled = false; });
    commands.rule(cmd::RouteSetup, [](CommandState& s) { s.enabled = false; });
    BuildGpsCommands();
    commands.on(cmd::CoordSetup, [this] { OnCoordSetup(); });
    commands.on(cmd::WebSite, [this] { OnWebSite(); });
    commands.on(cmd::BassWeight, [this] {
        CBassWeightDialog dlg(this);
        Prompts::instance().runModal(dlg);
    });
    commands.on(cmd::Layers, [this] { OnLayers(); });
    commands.on(cmd::SystemConfiguration, [this] { OnConfiguration(); });
    commands.on(cmd::SetupRedlinePen, [this] { OnPenSetup(); });
    commands.on(cmd::MagnifySetup, [this] { OnMagnifySetup(); });
    commands.on(cmd::MapLocationEditor, [this] { OnMapLocationEditor(); });
    commands.on(cmd::AddUserPoint, [this] { OnAddUserPoint(); });
    commands.on(cmd::SetupUserPoint, [this] { OnSetupNewUserPoint(); });
    commands.on(cmd::RemoveUserPoints, [this] { OnRemoveUserPoints(); });
    commands.on(cmd::SetupMapPoints, [this] { OnSetupMapPoint(); });
    commands.on(cmd::ImportGpx, [this] {
        const std::optional<QString> path = Prompts::instance().openFileName(str::GpxFilter);
        if (!path) return;
        // A large file takes seconds to read and parse: that happens on a
        // worker while the window is painted and the user may cancel;
        // the location itself is changed here, once it is over.
        struct Parse {
            gpx::SourceBytes read;
            gpx::ParsedGpx parsed;
            std::atomic<bool> over{false};
        };
        auto job = std::make_shared<Parse>();
        QThread* worker = QThread::create([job, file = *path] {
            job->read = gpx::ReadGpxFile(file);
            if (job->read.source == gpx::Source::Read) job->parsed = gpx::ParseGpx(job->read.bytes);
            job->over.store(true, std::memory_order_release);
        });
        // The thread goes once it has ended, whether its result was wanted or not.
        QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        worker->start();
        // Cancelled: the worker ends on its own and nothing is added.
        if (!Prompts::instance().waitFor(
                str::GpxImporting, [&job] { return job->over.load(std::memory_order_acquire); }))
            return;
        const gpx::ImportReport report = gpx::ImportRead(location, job->read, job->parsed, *path);
        if (report.Added() > 0) {
            doc.SetModifiedFlag();
            viewport()->update();
        }
        Prompts::instance().message(report.Message(), Prompts::Buttons::Ok,
                                    Prompts::Icon::Information);
    });
    commands.on(cmd::ExportGpx, [this] {
        const std::optional<QString> path =
            Prompts::instance().saveFileName(str::GpxDefaultName, str::GpxFilter);
        if (!path) return;
        const CAtomicFile::Status status = gpx::ExportGpx(location, *path);
        if (status != CAtomicFile::Status::Ok)
            Prompts::instance().message(gpx::ExportFailureMessage(status, *path));
    });
    // One printer for the run, so print setup's choice holds for later prints.
    auto* printing = new CMapPrinter(*this);
    commands.on(cmd::FilePrint, [printing] { printing->OnFilePrint(); });
    commands.on(cmd::FilePrintDirect, [printing] { printing->OnFilePrintDirect(); });
    commands.on(cmd::FilePrintPreview, [printing] { printing->OnFilePrintPreview(); });
    commands.on(cmd::FilePrintSetup, [printing] { printing->OnFilePrintSetup(); });
    commands.on(cmd::ExportPdf, [printing] { printing->OnExportPdf(); });
    commands.on(cmd::ExportImage, [printing] { printing->OnExportImage(); });
}

void CTarnlightView::OnMagnifySetup() {
    if (!magnifier) return;
    if (!RunMagnifierProperties(magnifier->shape, magnifier->size, magnifier->zoom, this)) return;
    // Stored at once too, so the next File New does not bring back the old lens.
    SettingsStore& s = SettingsStore::instance();
    s.SetInt(setting::MagShape, magnifier->shape);
    s.SetInt(setting::MagSize, magnifier->size);
    s.SetInt(setting::MagZoom, magnifier->zoom);
}

void CTarnlightView::OnMapLocationEditor() {
    // Started without arguments and without waiting; a missing editor is not
    // reported.
    shell::Get().startDetached(companionFolder + "/mapwright", {});
}

void CTarnlightView::OnLayers() {
    CLayersDialog dlg(location.showMaps, location.showMapPoints, location.showUserPoints,
                      location.showRedLines, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    location.showMaps = dlg.showMaps;
    location.showMapPoints = dlg.showMapPoints;
    location.showUserPoints = dlg.showUserPoints;
    location.showRedLines = dlg.showRedLines;
    viewport()->update();
    doc.SetModifiedFlag();
}

void CTarnlightView::OnConfiguration() {
    int dummy = 0;
    int& loadLast = frame ? frame->LoadLastFile() : dummy;
    CConfigurationDialog dlg(loadLast, useCrossHair ? 1 : 0, showXY ? 1 : 0, movingMapIcon, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    loadLast = dlg.loadLastFile;
    useCrossHair = dlg.useCrossHair != 0;
    showXY = dlg.showXY != 0;
    movingMapIcon = dlg.movingMapIcon;
    LoadMovingMapIcon();
    UpdateCursor();
    // Stored at once as well: the next File New reads the settings again and
    // would otherwise bring back the old values.
    SettingsStore& s = SettingsStore::instance();
    s.SetInt(setting::LoadLastFile, loadLast);
    s.SetInt(setting::UseXHair, useCrossHair ? 1 : 0);
    s.SetInt(setting::ShowXY, showXY ? 1 : 0);
    s.SetInt(setting::MMIcon, movingMapIcon);
}

void CTarnlightView::OnPenSetup() {
    auto* line = new CPPPenLine(location.lineDraws.penWidth, location.lineDraws.penColor,
                                location.lineDraws.reserved);
    auto* free = new CPPPenFree(location.freeHands.penWidth, location.freeHands.penColor);
    auto* shapes =
        new CPPPenRectEllipse(location.rectElipDraws.penWidth, location.rectElipDraws.penColor,
                              location.rectElipDraws.reserved);
    CPropPen sheet(line, free, shapes, this);
    if (Prompts::instance().runModal(sheet) != QDialog::Accepted) return;
    location.lineDraws.penWidth = line->penWidth;
    location.lineDraws.penColor = line->penColor;
    location.lineDraws.reserved = line->reserved;
    location.freeHands.penWidth = free->penWidth;
    location.freeHands.penColor = free->penColor;
    location.rectElipDraws.penWidth = shapes->penWidth;
    location.rectElipDraws.penColor = shapes->penColor;
    location.rectElipDraws.reserved = shapes->reserved;
    doc.SetModifiedFlag();
}

QPoint CTarnlightView::ScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CTarnlightView::ScrollTo(QPoint pos) {
    horizontalScrollBar()->setValue(pos.x());
    verticalScrollBar()->setValue(pos.y());
}

void CTarnlightView::UpdateScrollSizes() {
    QSize total = location.Extent();  // zoom not applied, as the view always has
    QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, total.height() - page.height()));
    horizontalScrollBar()->setPageStep(std::max(1, page.width()));
    verticalScrollBar()->setPageStep(std::max(1, page.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, total.width() / 100));
    verticalScrollBar()->setSingleStep(std::max(1, total.height() / 100));
    location.userInfoPoints.SetScrollOffset(ScrollPosition());
}

void CTarnlightView::OnInitialUpdate() {
    SetMode(Standard);
    UpdateScrollSizes();
    if (!magnifier) {
        magnifier = new CMagnifyWnd;
        magnifier->Create(viewport(), viewport());
        magnifier->SetBounds(QRect(QPoint(0, 0), location.Extent()));
        magnifier->onProperties = [this] {
            if (table) table->execute(cmd::MagnifySetup);
        };
    }
    magnifier->raise();
    ReadSettings();
    LoadMovingMapIcon();
    UpdateCursor();
    UpdateSunDisplay();
}

void CTarnlightView::ResetAfterLoad() {
    // Anything in progress referred to the old content.
    ResumeDecoding();
    Release();
    currentStroke = nullptr;
    currentLine = nullptr;
    currentShape = nullptr;
    lineInProgress = false;
    measuring = false;
    UpdateScrollSizes();
    if (magnifier) magnifier->SetBounds(viewport()->rect());
    LeaveMagnifier();
    SetMode(Standard);
    UpdateSunDisplay();
    viewport()->update();
    CommandsChanged();
}

void CTarnlightView::ReadSettings() {
    SettingsStore& s = SettingsStore::instance();
    if (magnifier) {
        magnifier->size = s.Int(setting::MagSize);
        magnifier->shape = s.Int(setting::MagShape);
        magnifier->zoom = s.Int(setting::MagZoom);
    }
    useCrossHair = s.Int(setting::UseXHair) != 0;
    movingMapIcon = s.Int(setting::MMIcon);
    printLS = s.Int(setting::PrintLS) != 0;
    showXY = s.Int(setting::ShowXY) != 0;
}

void CTarnlightView::WriteSettings() {
    SettingsStore& s = SettingsStore::instance();
    if (magnifier) {
        s.SetInt(setting::MagSize, magnifier->size);
        s.SetInt(setting::MagZoom, magnifier->zoom);
        s.SetInt(setting::MagShape, magnifier->shape);
    }
    s.SetInt(setting::UseXHair, useCrossHair ? 1 : 0);
    s.SetInt(setting::MMIcon, movingMapIcon);
    s.SetInt(setting::PrintLS, printLS ? 1 : 0);
    s.SetInt(setting::ShowXY, showXY ? 1 : 0);
}

void CTarnlightView::Teardown(int loadLastFile) {
    if (tornDown) return;
    tornDown = true;
    Release();
    OnGpsTeardown();
    WriteSettings();
    SettingsStore& s = SettingsStore::instance();
    QString path = doc.GetPathName();
    if (!path.right(3).toLower().endsWith("qlt")) s.SetString(setting::LastFile, path);
    s.SetInt(setting::LoadLastFile, loadLastFile);
    s.Sync();
}

void CTarnlightView::LoadMovingMapIcon() {
    static const int kIcons[] = {res::MovingMapRed, res::MovingMapBlue, res::MovingMapGreen};
    movingMapPixmap = (movingMapIcon >= 0 && movingMapIcon < 3)
                          ? art::MovingMapIcon(kIcons[movingMapIcon])
                          : QPixmap();
}

void CTarnlightView::UpdateSunDisplay() {
    if (location.lat1 == 0.0 || location.lon1 == 0.0) return;
    QDate today = QDate::currentDate();
    QString rise = SunTimeText(SunriseTime(location.lat1, location.lon1, today));
    QString set = SunTimeText(SunsetTime(location.lat1, location.lon1, today));
    if (frame) frame->ShowSunTimes(rise, set);
}

void CTarnlightView::SetMode(int newMode) {
    if (mode == newMode) return;
    mode = newMode;
    UpdateCursor();
    emit modeChanged(mode);
    CommandsChanged();
}

void CTarnlightView::CommandsChanged() {
    // Toolbar buttons and shortcuts follow at once, not when a menu next opens.
    if (table) table->refresh();
}

void CTarnlightView::ForgetDrawingHistory() {
    // Drawings that came with a file are not the user's to take back one by one.
    drawingKinds.clear();
    CommandsChanged();
}

void CTarnlightView::UpdateCursor() {
    int id = 0;
    switch (mode) {
        case Standard:
            id = useCrossHair ? res::CursorCrossHair : 0;
            break;
        case Measure:
            id = res::CursorMeasure;
            break;
        case Drawing:
            id = res::CursorDrawing;
            break;
        case Pan:
            id = res::CursorPan;
            break;
        case Calibrate:
            id = res::CursorCalibrate;
            break;
        default:
            break;
    }
    if (id)
        viewport()->setCursor(art::Cursor(id));
    else
        viewport()->unsetCursor();
}

void CTarnlightView::ToggleMagnifier() {
    int next = mode == Magnifier ? Standard : Magnifier;
    if (magnifier) {
        magnifier->SetBounds(viewport()->rect());
        if (next == Magnifier)
            magnifier->Show();
        else
            magnifier->Hide();
    }
    SetMode(next);
}

void CTarnlightView::LeaveMagnifier() {
    if (mode == Magnifier) ToggleMagnifier();
}

void CTarnlightView::Capture() {
    capturing = true;
    if (viewport()->isVisible()) viewport()->grabMouse();
}

void CTarnlightView::Release() {
    if (!capturing) return;
    capturing = false;
    if (QWidget::mouseGrabber() == viewport()) viewport()->releaseMouse();
}

void CTarnlightView::InvalidateLogical(const QRect& logical) {
    viewport()->update(logical.translated(-ScrollPosition()));
}

// ---- painting ----

void CTarnlightView::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    QPoint scroll = ScrollPosition();
    QRect logical = e->rect().translated(scroll);
    p.translate(-scroll);
    QRect extent(QPoint(0, 0), location.Extent());
    QRect inside = logical & extent;
    lastPaintComplete = true;
    if (!inside.isEmpty()) {
        p.save();
        p.setClipRect(inside);
        // Never wait for a picture: what is not decoded yet is painted as a
        // placeholder and painted again when the workers have it.
        DecodedImage::NoWaiting noWaiting;
        location.Draw(p, inside);
        lastPaintComplete = noWaiting.Complete();
        p.restore();
    }
    // Beyond the scrollable surface: the window colour.
    QColor window = palette().color(QPalette::Window);
    for (const QRect& r : QRegion(logical) - QRegion(extent)) p.fillRect(r, window);
    // The user info points' icons; their windows only take the mouse.
    location.userInfoPoints.Draw(p, logical);
    PaintOverlays(p, logical);
}

void CTarnlightView::PaintOverlays(QPainter& p, const QRect& logicalClip) {
    // The measured path, once it has a segment.
    if (measuring && measurePoints.size() > 1) {
        p.save();
        p.setPen(QPen(QColor(255, 255, 0), 2, Qt::DashLine));
        for (size_t i = 1; i < measurePoints.size(); ++i) {
            p.drawLine(measurePoints[i - 1], measurePoints[i]);
            p.fillRect(QRect(measurePoints[i - 1] - QPoint(2, 2), QSize(4, 4)), Qt::black);
        }
        p.fillRect(QRect(measurePoints.back() - QPoint(2, 2), QSize(4, 4)), Qt::black);
        p.restore();
    }
    // Rubber bands invert what lies under them, so they show on any map.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (measuring && capturing && mode == Measure) {
        p.setPen(QPen(QColor(0, 0, 255), 2, Qt::DashLine));
        p.drawLine(measureAnchor, measureEnd);
    }
    if (lineInProgress && capturing && currentLine) {
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(lineAnchor, lineEnd);
    }
    if (currentShape && capturing) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Qt::NoBrush);
        QRect r(QPoint(shapeRect.left, shapeRect.top), QPoint(shapeRect.right, shapeRect.bottom));
        if (drawShape == Ellipse)
            p.drawEllipse(r.normalized());
        else
            p.drawRect(r.normalized());
    }
    p.restore();
    // A stroke being drawn has no bounds yet, so the list leaves it out.
    if (currentStroke && capturing) currentStroke->Draw(p);
    PaintGps(p, logicalClip);
}

QImage CTarnlightView::RenderViewport() {
    QImage img(viewport()->size(), QImage::Format_RGB32);
    // A picture whose decoding fails settles too: it is then drawn as
    // nothing, so this ends after a few rounds at most.
    for (int round = 0; round < 64; ++round) {
        img.fill(Qt::black);
        viewport()->render(&img);
        if (lastPaintComplete) break;
        TileCache::Instance().WaitForWorkers();
    }
    return img;
}

// ---- mouse ----

void CTarnlightView::StatusReadout(QPoint pos) {
    if (!frame) return;
    QPoint logical = ToLogical(pos);
    CCoordinate c;
    location.PixelToCoordinate(logical.x(), logical.y(), c);
    if (showXY) {
        frame->SetPaneText(1, QString(str::StatusXY).arg(pos.x()).arg(pos.y()));
        frame->SetPaneInfo(1, res::IndicatorXY, false, 100);
    } else {
        frame->SetPaneInfo(1, res::IndicatorXY, true, 0);
    }
    frame->SetPaneText(2, QString(str::StatusLat).arg(c.LatitudeText(true)));
    frame->SetPaneInfo(2, res::IndicatorLatitude, false, 100);
    frame->SetPaneInfo(3, res::IndicatorLongitude, false, 100);
    frame->SetPaneText(3, QString(str::StatusLon).arg(c.LongitudeText(true)));
}

void CTarnlightView::mouseMoveEvent(QMouseEvent* e) {
    QPoint pos = e->position().toPoint();
    StatusReadout(pos);
    QPoint p = ToLogical(pos);
    switch (mode) {
        case Measure:
            MeasureMove(p);
            break;
        case Drawing:
            DrawingMove(p);
            break;
        case Pan:
            PanMove(pos, e->buttons() & Qt::LeftButton);
            break;
        default:
            break;
    }
}

void CTarnlightView::mousePressEvent(QMouseEvent* e) {
    QPoint p = ToLogical(e->position().toPoint());
    if (e->button() == Qt::RightButton) {
        EditMapPointAt(p);
        return;
    }
    if (e->button() == Qt::LeftButton) {
        switch (mode) {
            case Measure:
                MeasureDown(p);
                break;
            case Drawing:
                DrawingDown(p);
                break;
            case Calibrate:
                OnCalibrateClick(p);
                break;
            default:
                break;
        }
    }
}

void CTarnlightView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && mode == Drawing)
        DrawingUp(ToLogical(e->position().toPoint()));
}

void CTarnlightView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (mode == Measure) {
        // The path and its band are on the screen and leave the state that
        // paints them.
        if (measuring) viewport()->update();
        Release();
        measuring = false;
    }
    if (mode == Drawing && drawShape == Line) {
        // The rubber band (a dot at the last vertex) is on the screen now and
        // no longer in the state that paints it.
        if (lineInProgress) InvalidateLogical(SpanRect(lineAnchor, lineEnd, 2));
        Release();
        lineInProgress = false;
        currentLine = nullptr;
        return;
    }
    if (ShowMapPointAt(ToLogical(e->position().toPoint()))) return;
    // Nothing here took the double-click: the user's binding, or a beep.
    if (onUnhandledDoubleClick)
        onUnhandledDoubleClick();
    else
        Prompts::instance().beep();
}

void CTarnlightView::contextMenuEvent(QContextMenuEvent* e) {
    if (frame) frame->ShowPopupMenu(res::ViewContextMenu, e->globalPos(), this);
}

void CTarnlightView::PanMove(QPoint p, bool leftHeld) {
    if (!leftHeld) {
        panLast = QPoint(-1, -1);
        return;
    }
    if (panLast != QPoint(-1, -1)) {
        QPoint s = ScrollPosition();
        if (panLast.x() < p.x())
            s.rx() += kPanStep;
        else if (p.x() < panLast.x())
            s.rx() -= kPanStep;
        if (p.y() < panLast.y())
            s.ry() -= kPanStep;
        else if (panLast.y() < p.y())
            s.ry() += kPanStep;
        ScrollTo(s);
        viewport()->update();
    }
    panLast = p;
}

// ---- measuring ----

void CTarnlightView::MeasureDown(QPoint p) {
    QRect client = viewport()->rect().translated(ScrollPosition());
    if (measuring) {
        InvalidateLogical(SpanRect(measureAnchor, measureEnd, 2));
        if (client.contains(p) && capturing) {
            CCoordinate c;
            location.PixelToCoordinate(p.x(), p.y(), c);
            double d = c.DistanceTo(measureAnchorCoord);
            currentDistance = d;
            totalDistance += d;
            if (frame)
                frame->SetPaneText(0, QString::asprintf(str::MeasureStatus, d, totalDistance));
            measureAnchorCoord = c;
        } else {
            Release();
            measuring = false;
            return;
        }
    } else {
        CCoordinate c;
        location.PixelToCoordinate(p.x(), p.y(), c);
        measureAnchorCoord = c;
        measurePoints.clear();
        currentDistance = 0.0;
        totalDistance = 0.0;
        if (frame) frame->SetPaneText(0, QString::asprintf(str::MeasureStatus, 0.0, 0.0));
        measureEnd = p;
    }
    Capture();
    measurePoints.push_back(p);
    viewport()->update();
    measureAnchor = p;
    measureEnd = p;  // the band starts afresh from the new vertex
    measuring = true;
}

void CTarnlightView::MeasureMove(QPoint p) {
    if (!capturing || !measuring) return;
    InvalidateLogical(SpanRect(measureAnchor, measureEnd, 2));
    measureEnd = p;
    InvalidateLogical(SpanRect(measureAnchor, measureEnd, 2));
    CCoordinate c;
    location.PixelToCoordinate(p.x(), p.y(), c);
    double d = c.DistanceTo(measureAnchorCoord);
    currentDistance = d;
    if (frame) frame->SetPaneText(0, QString::asprintf(str::MeasureStatus, d, totalDistance + d));
}

// ---- drawing ----

void CTarnlightView::DrawingDown(QPoint p) {
    switch (drawShape) {
        case FreeHand:
            currentStroke = &location.freeHands.AddNew();
            currentStroke->AppendPoint(p);
            Capture();
            lastPoint = p;
            break;
        case Line: {
            if (!lineInProgress) {
                currentLine = &location.lineDraws.AddNew();
                lineEnd = p;
                drawingKinds.push_back(1);
                CommandsChanged();
            } else {
                InvalidateLogical(SpanRect(lineAnchor, lineEnd, 2));
                QRect client = viewport()->rect().translated(ScrollPosition());
                if (!client.contains(p) || !capturing) {
                    Release();
                    lineInProgress = false;
                    currentLine = nullptr;
                    return;
                }
            }
            Capture();
            currentLine->AppendPoint(p);
            doc.SetModifiedFlag();
            viewport()->update();
            lineAnchor = p;
            lineEnd = p;
            lineInProgress = true;
            break;
        }
        case Rectangle:
        case Ellipse:
            currentShape = &location.rectElipDraws.AddNew(drawShape == Ellipse);
            shapeRect = RectL{p.x(), p.y(), p.x(), p.y()};
            Capture();
            break;
    }
}

void CTarnlightView::DrawingMove(QPoint p) {
    if (!capturing) return;
    switch (drawShape) {
        case FreeHand:
            if (!currentStroke) return;
            currentStroke->AppendPoint(p);
            InvalidateLogical(SpanRect(lastPoint, p, currentStroke->penWidth + 1));
            lastPoint = p;
            break;
        case Line:
            if (!lineInProgress) return;
            InvalidateLogical(SpanRect(lineAnchor, lineEnd, 2));
            lineEnd = p;
            InvalidateLogical(SpanRect(lineAnchor, lineEnd, 2));
            break;
        default:
            if (!currentShape) return;
            InvalidateLogical(SpanRect(QPoint(shapeRect.left, shapeRect.top),
                                       QPoint(shapeRect.right, shapeRect.bottom), 2));
            shapeRect.right = p.x();
            shapeRect.bottom = p.y();
            InvalidateLogical(SpanRect(QPoint(shapeRect.left, shapeRect.top), p, 2));
            break;
    }
}

void CTarnlightView::DrawingUp(QPoint p) {
    if (!capturing) return;
    if (drawShape == FreeHand && currentStroke) {
        currentStroke->AppendPoint(p);
        currentStroke->ComputeBounds();
        drawingKinds.push_back(0);
        doc.SetModifiedFlag();
        CommandsChanged();
        Release();
        InvalidateLogical(currentStroke->bounds.ToQRect());
        currentStroke = nullptr;
    } else if ((drawShape == Rectangle || drawShape == Ellipse) && currentShape) {
        Release();
        currentShape->rect = RectL{shapeRect.left, shapeRect.top, p.x(), p.y()};
        drawingKinds.push_back(2);
        CommandsChanged();
        currentShape = nullptr;
        viewport()->update();
        doc.SetModifiedFlag();
    }
}

void CTarnlightView::OnEraseLast() {
    if (drawingKinds.empty()) return;
    int kind = drawingKinds.back();
    drawingKinds.pop_back();
    // The history can name a drawing that Erase All or a file load already
    // removed; then there is nothing left to take away.
    bool removed = false;
    if (kind == 0 && !location.freeHands.items.empty()) {
        if (currentStroke == location.freeHands.items.back().get())
            currentStroke = nullptr, Release();
        location.freeHands.RemoveLast();
        removed = true;
    } else if (kind == 1 && !location.lineDraws.items.empty()) {
        if (currentLine == location.lineDraws.items.back().get()) {
            currentLine = nullptr;
            lineInProgress = false;
            Release();
        }
        location.lineDraws.RemoveLast();
        removed = true;
    } else if (kind == 2 && !location.rectElipDraws.items.empty()) {
        if (currentShape == location.rectElipDraws.items.back().get())
            currentShape = nullptr, Release();
        location.rectElipDraws.RemoveLast();
        removed = true;
    }
    viewport()->update();
    if (removed) doc.SetModifiedFlag();
    CommandsChanged();
}

void CTarnlightView::OnEraseAll() {
    if (Prompts::instance().message(str::EraseAllQuestion, Prompts::Buttons::YesNo,
                                    Prompts::Icon::Question) != Prompts::Answer::Yes)
        return;
    Release();
    currentStroke = nullptr;
    currentLine = nullptr;
    currentShape = nullptr;
    lineInProgress = false;
    location.freeHands.RemoveAll();
    location.lineDraws.RemoveAll();
    location.rectElipDraws.RemoveAll();
    doc.SetModifiedFlag();
    viewport()->update();
}

// ---- calibration ----

void CTarnlightView::OnCalibrateClick(QPoint p) {
    CSetPointDialog dlg(location, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    double lat = dlg.ChosenLatitude();
    double lon = dlg.ChosenLongitude();
    if (dlg.selection == CSetPointDialog::Point1) {
        location.x1 = p.x();
        location.y1 = p.y();
        location.lat1 = lat;
        location.lon1 = lon;
    } else {
        location.x2 = p.x();
        location.y2 = p.y();
        location.lat2 = lat;
        location.lon2 = lon;
    }
    doc.SetModifiedFlag();
    UpdateSunDisplay();
}

void CTarnlightView::OnCoordSetup() {
    CCoordSetupDialog dlg(location, this);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return;
    static_cast<Calibration&>(location) = dlg.calibration;
    doc.SetModifiedFlag();
}

void CTarnlightView::OnWebSite() {
    QString address = str::WebSiteAddress;
    if (!shell::Get().openUrl(QUrl(address)))
        Prompts::instance().message(QString(str::UrlFailed) + address, Prompts::Buttons::Ok);
}

// ---- geometry ----

void CTarnlightView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    ResumeDecoding();
    UpdateScrollSizes();
    if (magnifier) magnifier->SetBounds(viewport()->rect());
}

void CTarnlightView::ResumeDecoding() {
    // Decoding the user stopped goes on once the view moves: what is in
    // view then is wanted again, all of it.
    TileCache& cache = TileCache::Instance();
    if (!cache.Held()) return;
    cache.Resume();
    viewport()->update();
}

void CTarnlightView::scrollContentsBy(int dx, int dy) {
    ResumeDecoding();
    const QSize size = viewport()->size();
    if ((magnifier && magnifier->isVisible()) || std::abs(dx) >= size.width() ||
        std::abs(dy) >= size.height()) {
        viewport()->update();
    } else {
        // The pixels still in view move; only the strip that scrolled in is
        // painted. Child windows move with them: the lens goes back where it
        // was and the point windows are placed anew below.
        const QPoint lens = magnifier ? magnifier->pos() : QPoint();
        viewport()->scroll(dx, dy);
        if (magnifier) magnifier->move(lens);
    }
    location.userInfoPoints.SetScrollOffset(ScrollPosition());
    if (magnifier) magnifier->SetBounds(viewport()->rect());
}

bool CTarnlightView::viewportEvent(QEvent* e) {
    return QAbstractScrollArea::viewportEvent(e);
}
