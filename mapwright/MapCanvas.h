// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

#include "framework/RectL.h"
#include "mapwright/Layout.h"

class CLocationEditor;
class CMapLocation;

// The location surface as the editor shows it: the maps at any zoom, the
// selected map with its corner handles, the two calibration markers and the
// snapping guides while a map is dragged. Moves, stretches and nudges end
// as single undo steps through the editor; during a drag only the dragged
// entry's placement changes, and it is put back before the step is taken.
class CMapCanvas : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class Mode { Arrange, Calibrate };

    // Space around the surface, in screen pixels.
    static constexpr int kMargin = 28;
    // How close (screen pixels) an edge must come to snap.
    static constexpr int kSnapPixels = 6;
    // Side of a corner handle, in screen pixels.
    static constexpr int kHandle = 9;
    static constexpr double kMinScale = 0.02;
    static constexpr double kMaxScale = 16.0;

    explicit CMapCanvas(CLocationEditor& editor, QWidget* parent = nullptr);

    Mode GetMode() const { return mode; }
    void SetMode(Mode m);

    // Screen pixels per location pixel.
    double Scale() const { return scale; }
    // Keeps the location point under anchor (viewport pixels) in place.
    void SetScale(double s, std::optional<QPointF> anchor = std::nullopt);
    void ZoomIn();
    void ZoomOut();
    void FitToWindow();
    // One screen pixel per location pixel.
    void ActualSize();

    int SelectedIndex() const;
    void Select(int index);

    // Viewport pixels to location pixels (rounded down) and back.
    QPoint ToLocation(QPointF viewportPos) const;
    QPointF ToViewport(QPointF locationPos) const;
    // The snapping distance in location pixels at the current zoom.
    int SnapTolerance() const;

    // A small picture of an entry for lists; null without an image.
    QImage Thumbnail(CMapLocation& entry, int size);

public slots:
    // A different location: no selection, fresh pictures, fitted.
    void LocationReplaced();
    void EditorChanged();

signals:
    void selectionChanged(int index);
    // The location pixel under the mouse; inside is false off the surface.
    void hoverChanged(QPoint pixel, bool inside);
    void scaleChanged(double scale);
    void placementRequested(int index);
    void calibrateRequested(QPoint pixel);
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    enum class DragKind { None, Move, Stretch };
    struct Drag {
        DragKind kind = DragKind::None;
        CMapLocation* entry = nullptr;
        RectL start;
        // What the drag last put into the entry.
        RectL live;
        QPointF pressPos;
        layout::Corner corner = layout::Corner::BottomRight;
    };
    // An entry's picture, decoded once at no more than kPreviewSide pixels
    // and halved (smoothly) down to a small size, so any zoom draws from a
    // picture close to its size.
    struct Preview {
        const void* source = nullptr;
        std::vector<QImage> levels;
        bool fullSize = false;
    };
    static constexpr int kPreviewSide = 2048;

    QPointF Origin() const;
    QSizeF ContentSize() const;
    QRectF DeviceRect(const RectL& r) const;
    QRect VisibleLocationRect() const;
    void UpdateScrollBars();
    std::optional<layout::Corner> HandleAt(QPointF viewportPos) const;
    void UpdateCursor(QPointF viewportPos);
    void DragTo(QPointF viewportPos, bool keepAspect);
    void FinishDrag();
    void CancelDrag();
    void FindGuides(const RectL& r, int index);

    const Preview* PreviewOf(CMapLocation& entry);
    void DrawEntry(QPainter& p, CMapLocation& entry, const QRect& visible);
    void DrawOverlay(QPainter& p);
    void DrawMarker(QPainter& p, double x, double y, int number);
    void DrawDragLabel(QPainter& p, const RectL& r);

    CLocationEditor& editor;
    Mode mode = Mode::Arrange;
    double scale = 1.0;
    // Compared, never dereferenced unless still in the location.
    const CMapLocation* selected = nullptr;
    Drag drag;
    // Fitting follows window size and extent until the user zooms.
    bool autoFit = true;
    std::vector<int> guidesX;
    std::vector<int> guidesY;
    QHash<const CMapLocation*, Preview> previews;
};
