// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QPixmap>
#include <QPointer>
#include <vector>

#include "document/TarnLocation.h"
#include "framework/CommandTable.h"
#include "geo/Coordinate.h"
#include "gps/GpsInterface.h"

class CTarnlightDoc;
class CMagnifyWnd;
class FrameServices;
class CFreeHand;
class CLineDraw;
class CRectElipDraw;
class CMapPoint;
class CUserInfoPoint;
class CGpsLink;

// The one map view: a scrolling window over the location's surface. A
// logical pixel is the viewport pixel plus the scroll offset. The view owns
// the location, interprets the mouse by its interaction mode, and paints the
// location, the measured path and the rubber bands of a drawing in progress.
class CTarnlightView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum Mode { Standard = 0, Magnifier = 2, Measure = 3, Drawing = 4, Pan = 5, Calibrate = 6 };
    enum Shape { FreeHand = 0, Line = 1, Rectangle = 2, Ellipse = 3 };

    CTarnlightView(CTarnlightDoc& doc, FrameServices* frame, QWidget* parent = nullptr);
    ~CTarnlightView() override;

    CTarnLocation& Location() { return location; }
    CTarnlightDoc& Document() { return doc; }
    CommandMap& Commands() { return commands; }
    // The table whose actions fill the view's right-click menu.
    void SetCommandTable(CommandTable* t) { table = t; }

    // Start-up and every newly attached document: scroll sizes, the
    // magnifier overlay, settings, cursors, sun times.
    void OnInitialUpdate();
    // After the document read or wrote a file.
    void ResetAfterLoad();
    // Writes the view's settings, then "LASTFILE" and "LOADLASTFILE". Runs once.
    void Teardown(int loadLastFile);
    // Today's sunrise and sunset at reference point 1, into the Sun Display.
    void UpdateSunDisplay();

    QPoint ScrollPosition() const;
    void ScrollTo(QPoint pos);
    QPoint ToLogical(QPoint viewportPos) const { return viewportPos + ScrollPosition(); }
    // The view's picture once every map picture in it is decoded (tests,
    // printing): waits for the workers as long as a paint had placeholders.
    QImage RenderViewport();
    // False when the last paint showed placeholders for pictures still
    // being decoded.
    bool PaintComplete() const { return lastPaintComplete; }

    // Interaction state.
    int mode = Standard;
    bool lastPaintComplete = true;
    int drawShape = FreeHand;
    std::vector<int> drawingKinds;  // 0 stroke, 1 line, 2 rectangle/ellipse; newest last
    QPoint panLast{-1, -1};

    // Measuring.
    bool measuring = false;
    std::vector<QPoint> measurePoints;
    QPoint measureAnchor, measureEnd;
    CCoordinate measureAnchorCoord;
    double currentDistance = 0.0;
    double totalDistance = 0.0;

    // Drawing in progress.
    CFreeHand* currentStroke = nullptr;
    QPoint lastPoint;
    CLineDraw* currentLine = nullptr;
    bool lineInProgress = false;
    QPoint lineAnchor, lineEnd;
    CRectElipDraw* currentShape = nullptr;
    RectL shapeRect;

    // Settings.
    bool useCrossHair = true;
    bool showXY = true;
    bool printLS = true;
    int movingMapIcon = 0;
    QPixmap movingMapPixmap;

    CMagnifyWnd* MagnifierWindow() const { return magnifier; }
    bool HasCapture() const { return capturing; }

    // The command handlers, for the menus and for tests.
    void SetMode(int newMode);
    void ToggleMagnifier();
    void OnCalibrateClick(QPoint logical);
    void OnEraseLast();
    void OnEraseAll();
    void OnCoordSetup();
    void OnWebSite();
    void OnLayers();
    void OnConfiguration();
    void OnPenSetup();
    void OnMagnifySetup();
    void OnMapLocationEditor();
    // Points.
    void OnAddUserPoint();
    void OnSetupNewUserPoint();
    void OnRemoveUserPoints();
    void OnSetupMapPoint();
    // The point setup dialog; false when cancelled (the point is unchanged).
    // A new point, or one the dialog moves, must land in the allowed mapping
    // area; otherwise the user is told so and the dialog comes back.
    bool SetupUserPoint(CUserInfoPoint& point, bool isNew = false);
    void ShowUserPointInformation(CUserInfoPoint& point);
    // A right click and a double click on a map point; false when none is hit.
    bool EditMapPointAt(QPoint logical);
    bool ShowMapPointAt(QPoint logical);
    // The folder the companion editor is looked for in (the program's own).
    QString companionFolder;
    // The mouse binding for a double-click that hits nothing; beeps when unset.
    std::function<void()> onUnhandledDoubleClick;

    // The GPS link: the boat's icon at its calibrated pixel, the track, and
    // an arrow at the edge of the view toward a boat out of sight.
    CGpsLink& Gps() { return *gps; }
    CGpsInterface& GpsPort() { return gpsPort; }
    bool followBoat = true;
    void OnSetupGps();
    void OnConnectGps();
    void OnSaveTrack();
    void OnTrackToStroke();
    void OnMarkSpot();
    // Where the boat is drawn now (the icon or the edge arrow), in logical
    // pixels; empty when nothing is drawn.
    QRect GpsMarkRect() const { return shownMark; }

signals:
    void modeChanged(int mode);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    // Takes up decoding the user stopped, for all that is in view.
    void ResumeDecoding();
    bool viewportEvent(QEvent* e) override;

private:
    void BuildCommands();
    // Pushes the update rules' results into every action.
    void CommandsChanged();
    void ForgetDrawingHistory();
    static void InstallPointWindows();
    QPoint PixelFrom(const CCoordinate& c) const;
    void ReadSettings();
    void WriteSettings();
    void LoadMovingMapIcon();
    void UpdateScrollSizes();
    void UpdateCursor();
    void LeaveMagnifier();
    void Capture();
    void Release();
    void StatusReadout(QPoint viewportPos);

    void MeasureDown(QPoint p);
    void MeasureMove(QPoint p);
    void DrawingDown(QPoint p);
    void DrawingMove(QPoint p);
    void DrawingUp(QPoint p);
    void PanMove(QPoint p, bool leftHeld);
    void PaintOverlays(QPainter& p, const QRect& logicalClip);
    void InvalidateLogical(const QRect& logical);

    void BuildGpsCommands();
    void OnGpsTeardown();
    void OnGpsPosition();
    void OnGpsTrack(int change);
    void PaintGps(QPainter& p, const QRect& logicalClip);
    QRect ComputeGpsMark(QPoint* at = nullptr, double* angle = nullptr) const;
    bool TrackPixelsCurrent() const;
    void RebuildTrackPixels();
    QRect TrackTailRect() const;

    CGpsLink* gps = nullptr;
    CGpsInterface gpsPort;
    std::vector<QPoint> trackPixels;
    Calibration trackCalibration;
    QRect shownMark;

    CTarnlightDoc& doc;
    FrameServices* frame;
    CommandTable* table = nullptr;
    CTarnLocation location;
    CommandMap commands;
    CMagnifyWnd* magnifier = nullptr;
    bool capturing = false;
    bool tornDown = false;
};
