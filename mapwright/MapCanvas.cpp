// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/MapCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "document/TarnLocation.h"
#include "mapwright/EditorStrings.h"
#include "mapwright/LocationEditor.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"

namespace {
const QColor kBackground(0x50, 0x59, 0x63);
const QColor kGrid(0xec, 0xef, 0xf2);
const QColor kOutline(40, 50, 60, 110);
const QColor kAccent(0x1e, 0x88, 0xe5);
const QColor kGuide(0xe9, 0x1e, 0x63);
const QColor kMarker(0xd3, 0x2f, 0x2f);
const QColor kLabel(28, 34, 42, 225);
constexpr double kZoomStep = 1.25;
constexpr int kGridStep = 100;

QString BareName(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(slash + 1);
}
}  // namespace

CMapCanvas::CMapCanvas(CLocationEditor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor(editor) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(24);
    verticalScrollBar()->setSingleStep(24);
    connect(&editor, &CLocationEditor::changed, this, &CMapCanvas::EditorChanged);
}

// ---- geometry ----

QSizeF CMapCanvas::ContentSize() const {
    const QSize extent = editor.Location().Extent();
    return QSizeF(extent.width() * scale + 2 * kMargin, extent.height() * scale + 2 * kMargin);
}

QPointF CMapCanvas::Origin() const {
    const QSizeF content = ContentSize();
    const QSize view = viewport()->size();
    return QPointF(kMargin + std::max(0.0, (view.width() - content.width()) / 2),
                   kMargin + std::max(0.0, (view.height() - content.height()) / 2));
}

QPointF CMapCanvas::ToViewport(QPointF locationPos) const {
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return Origin() - scroll + locationPos * scale;
}

QPoint CMapCanvas::ToLocation(QPointF viewportPos) const {
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QPointF p = (viewportPos - Origin() + scroll) / scale;
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

QRectF CMapCanvas::DeviceRect(const RectL& r) const {
    return QRectF(ToViewport(QPointF(r.left, r.top)), ToViewport(QPointF(r.right, r.bottom)));
}

QRect CMapCanvas::VisibleLocationRect() const {
    const QPoint a = ToLocation(QPointF(0, 0));
    const QPoint b = ToLocation(QPointF(viewport()->width(), viewport()->height()));
    return QRect(a, b).adjusted(-1, -1, 1, 1);
}

int CMapCanvas::SnapTolerance() const {
    return std::max(1, int(std::lround(kSnapPixels / scale)));
}

void CMapCanvas::UpdateScrollBars() {
    const QSizeF content = ContentSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.width())) - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.height())) - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
}

// ---- zoom ----

void CMapCanvas::SetScale(double s, std::optional<QPointF> anchor) {
    s = std::clamp(s, kMinScale, kMaxScale);
    const QPointF at =
        anchor.value_or(QPointF(viewport()->width() / 2.0, viewport()->height() / 2.0));
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QPointF fixed = (at - Origin() + scroll) / scale;
    scale = s;
    UpdateScrollBars();
    const QPointF wanted = Origin() + fixed * scale - at;
    horizontalScrollBar()->setValue(int(std::lround(wanted.x())));
    verticalScrollBar()->setValue(int(std::lround(wanted.y())));
    viewport()->update();
    emit scaleChanged(scale);
}

void CMapCanvas::ZoomIn() {
    autoFit = false;
    SetScale(scale * kZoomStep);
}

void CMapCanvas::ZoomOut() {
    autoFit = false;
    SetScale(scale / kZoomStep);
}

void CMapCanvas::ActualSize() {
    autoFit = false;
    SetScale(1.0);
}

void CMapCanvas::FitToWindow() {
    autoFit = true;
    const QSize extent = editor.Location().Extent();
    const double w = std::max(1, viewport()->width() - 2 * kMargin);
    const double h = std::max(1, viewport()->height() - 2 * kMargin);
    scale = std::clamp(std::min(w / std::max(1, extent.width()), h / std::max(1, extent.height())),
                       kMinScale, kMaxScale);
    UpdateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit scaleChanged(scale);
}

// ---- selection and changes ----

int CMapCanvas::SelectedIndex() const {
    return selected ? editor.IndexOf(selected) : -1;
}

void CMapCanvas::Select(int index) {
    const CMapLocation* entry = editor.Entry(index);
    if (entry == selected) return;
    selected = entry;
    viewport()->update();
    emit selectionChanged(SelectedIndex());
}

void CMapCanvas::LocationReplaced() {
    drag = Drag{};
    guidesX.clear();
    guidesY.clear();
    previews.clear();
    selected = nullptr;
    FitToWindow();
    emit selectionChanged(-1);
}

void CMapCanvas::EditorChanged() {
    if (drag.kind != DragKind::None) {
        // An undo or other step arrived mid-drag: the drag gives way. Its
        // uncommitted placement goes unless the step itself set one.
        if (editor.IndexOf(drag.entry) >= 0 && drag.entry->placement == drag.live)
            drag.entry->placement = drag.start;
        drag = Drag{};
        guidesX.clear();
        guidesY.clear();
    }
    for (auto it = previews.begin(); it != previews.end();) {
        if (editor.IndexOf(it.key()) < 0)
            it = previews.erase(it);
        else
            ++it;
    }
    if (selected && editor.IndexOf(selected) < 0) {
        selected = nullptr;
        emit selectionChanged(-1);
    }
    if (autoFit)
        FitToWindow();
    else
        UpdateScrollBars();
    viewport()->update();
}

// ---- pictures ----

const CMapCanvas::Preview* CMapCanvas::PreviewOf(CMapLocation& entry) {
    if (!entry.HasImage() || entry.image.width <= 0 || entry.image.height <= 0) return nullptr;
    const DecodedImage& image = entry.image;
    const void* source = image.isBitmap ? static_cast<const void*>(image.bitmap.constBits())
                                        : static_cast<const void*>(image.source.get());
    auto it = previews.find(&entry);
    if (it != previews.end() && it->source == source) return &*it;

    const double f = std::min(1.0, double(kPreviewSide) / std::max(image.width, image.height));
    const int w = std::max(1, int(std::lround(image.width * f)));
    const int h = std::max(1, int(std::lround(image.height * f)));
    Preview preview;
    preview.source = source;
    preview.fullSize = f >= 1.0;
    QImage base(w, h, QImage::Format_RGB32);
    base.fill(Qt::white);
    {
        QPainter p(&base);
        entry.image.Draw(p, QRect(0, 0, w, h), 1.0, QRect(0, 0, w, h));
    }
    preview.levels.push_back(std::move(base));
    while (preview.levels.back().width() > 96 && preview.levels.back().height() > 96) {
        const QImage& last = preview.levels.back();
        preview.levels.push_back(last.scaled(last.width() / 2, last.height() / 2,
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return &*previews.insert(&entry, std::move(preview));
}

QImage CMapCanvas::Thumbnail(CMapLocation& entry, int size) {
    const Preview* preview = PreviewOf(entry);
    if (!preview) return QImage();
    return preview->levels.back().scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void CMapCanvas::DrawEntry(QPainter& p, CMapLocation& entry, const QRect& visible) {
    const RectL& placement = entry.placement;
    if (placement.IsEmpty()) return;
    const QRect dest = placement.ToQRect();
    if (!dest.intersects(visible)) return;
    const Preview* preview = PreviewOf(entry);
    if (!preview) return;
    const double shownWidth = dest.width() * scale;
    const double shownHeight = dest.height() * scale;
    const QImage& base = preview->levels.front();
    if (!preview->fullSize && (shownWidth > base.width() || shownHeight > base.height())) {
        // Closer than the preview holds: the real pixels.
        entry.image.Draw(p, dest, 1.0, visible);
        return;
    }
    // The smallest level still at least as large as it is shown.
    const QImage* level = &base;
    for (const QImage& candidate : preview->levels)
        if (candidate.width() >= shownWidth && candidate.height() >= shownHeight)
            level = &candidate;
    const bool shrinking = shownWidth < level->width() || shownHeight < level->height();
    p.setRenderHint(QPainter::SmoothPixmapTransform, shrinking);
    p.drawImage(QRectF(dest), *level);
}

// ---- painting ----

void CMapCanvas::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    p.fillRect(e->rect(), kBackground);

    CTarnLocation& location = editor.Location();
    const QSize extent = location.Extent();
    const QRectF surface = DeviceRect(RectL{0, 0, extent.width(), extent.height()});
    for (int i = 1; i <= 4; ++i)
        p.fillRect(surface.adjusted(-i + 2, -i + 3, i + 1, i + 2), QColor(0, 0, 0, 18));
    p.fillRect(surface, Qt::white);

    if (kGridStep * scale >= 14) {
        p.setPen(QPen(kGrid, 1));
        for (int x = kGridStep; x < extent.width(); x += kGridStep) {
            const double dx = std::floor(ToViewport(QPointF(x, 0)).x()) + 0.5;
            p.drawLine(QPointF(dx, surface.top()), QPointF(dx, surface.bottom()));
        }
        for (int y = kGridStep; y < extent.height(); y += kGridStep) {
            const double dy = std::floor(ToViewport(QPointF(0, y)).y()) + 0.5;
            p.drawLine(QPointF(surface.left(), dy), QPointF(surface.right(), dy));
        }
    }

    p.save();
    p.setClipRect(surface);
    const QPointF origin = ToViewport(QPointF(0, 0));
    p.translate(origin);
    p.scale(scale, scale);
    const QRect visible = VisibleLocationRect();
    // The maps are what is edited, so they show whatever the Maps layer says.
    for (auto& entry : location.maps.entries) DrawEntry(p, *entry, visible);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (location.showRedLines) {
        location.freeHands.Draw(p, visible);
        location.lineDraws.Draw(p);
        location.rectElipDraws.Draw(p);
    }
    if (location.showMapPoints) location.mapPoints.DrawAll(p);
    p.restore();
    // Icons keep their size at any zoom, as their windows do in the program.
    if (location.showUserPoints) {
        for (const auto& point : location.userInfoPoints.points) {
            const QPixmap icon = art::UserPointIcon(point->iconId);
            if (!icon.isNull()) p.drawPixmap(ToViewport(QPointF(point->position)), icon);
        }
    }

    if (editor.Count() == 0) {
        QFont font = p.font();
        font.setPointSizeF(font.pointSizeF() * 1.3);
        p.setFont(font);
        p.setPen(QColor(0x8a, 0x96, 0xa3));
        const QRectF shown = surface & QRectF(viewport()->rect());
        p.drawText(shown.adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                   mwstr::EmptyHint);
    }
    DrawOverlay(p);
}

void CMapCanvas::DrawOverlay(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const int count = editor.Count();
    for (int i = 0; i < count; ++i) {
        CMapLocation& entry = *editor.Entry(i);
        if (entry.placement.IsEmpty()) continue;
        const QRectF r = DeviceRect(entry.placement.Normalized()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (!entry.HasImage()) {
            p.fillRect(r, QColor(255, 238, 236));
            p.fillRect(r, QBrush(QColor(200, 70, 60, 80), Qt::BDiagPattern));
            p.setPen(QColor(150, 40, 30));
            p.drawText(r.adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWrapAnywhere,
                       QString(mwstr::MapsPanelMissing).arg(BareName(entry.fileName)));
        }
        p.setPen(QPen(kOutline, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }

    p.setPen(QPen(kGuide, 1, Qt::DashLine));
    const QSize extent = editor.Location().Extent();
    const QRectF surface = DeviceRect(RectL{0, 0, extent.width(), extent.height()});
    for (int x : guidesX) {
        const double dx = ToViewport(QPointF(x, 0)).x();
        p.drawLine(QPointF(dx, surface.top()), QPointF(dx, surface.bottom()));
    }
    for (int y : guidesY) {
        const double dy = ToViewport(QPointF(0, y)).y();
        p.drawLine(QPointF(surface.left(), dy), QPointF(surface.right(), dy));
    }

    const int index = SelectedIndex();
    if (index >= 0 && mode == Mode::Arrange) {
        const RectL placement = editor.Entry(index)->placement.Normalized();
        const QRectF r = DeviceRect(placement);
        p.setPen(QPen(kAccent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(QPen(kAccent, 1.5));
        p.setBrush(Qt::white);
        for (QPointF c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            p.drawRect(QRectF(c - QPointF(kHandle / 2.0, kHandle / 2.0), QSizeF(kHandle, kHandle)));
        if (drag.kind != DragKind::None) DrawDragLabel(p, placement);
    }

    const Calibration c = editor.CurrentCalibration();
    if (CLocationEditor::HasPoint(c, 0)) DrawMarker(p, c.x1, c.y1, 1);
    if (CLocationEditor::HasPoint(c, 1)) DrawMarker(p, c.x2, c.y2, 2);
}

void CMapCanvas::DrawMarker(QPainter& p, double x, double y, int number) {
    const QPointF at = ToViewport(QPointF(x + 0.5, y + 0.5));
    constexpr double r = 9;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 210), 4));
    p.drawEllipse(at, r, r);
    p.setPen(QPen(kMarker, 2));
    p.drawEllipse(at, r, r);
    const QPointF arms[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const QPointF& a : arms) p.drawLine(at + a * (r - 4), at + a * (r + 6));
    p.setBrush(kMarker);
    p.drawEllipse(at, 1.5, 1.5);

    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    const QString text = QString::number(number);
    const QRectF label(at + QPointF(r + 3, -r - 17), QSizeF(18, 17));
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(kMarker);
    p.drawRoundedRect(label, 4, 4);
    p.drawText(label, Qt::AlignCenter, text);
}

void CMapCanvas::DrawDragLabel(QPainter& p, const RectL& r) {
    const QString text =
        QString(mwstr::DragLabel).arg(r.left).arg(r.top).arg(r.Width()).arg(r.Height());
    const QFontMetricsF metrics(p.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 16, metrics.height() + 8);
    QPointF at = DeviceRect(r).bottomLeft() + QPointF(0, 8);
    at.setX(std::clamp(at.x(), 4.0, std::max(4.0, viewport()->width() - size.width() - 4)));
    at.setY(std::clamp(at.y(), 4.0, std::max(4.0, viewport()->height() - size.height() - 4)));
    const QRectF box(at, size);
    p.setPen(Qt::NoPen);
    p.setBrush(kLabel);
    p.drawRoundedRect(box, 5, 5);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}

// ---- mouse and keys ----

std::optional<layout::Corner> CMapCanvas::HandleAt(QPointF pos) const {
    const int index = SelectedIndex();
    if (index < 0 || mode != Mode::Arrange) return std::nullopt;
    const QRectF r = DeviceRect(editor.Entry(index)->placement.Normalized());
    const std::pair<QPointF, layout::Corner> corners[4] = {
        {r.bottomRight(), layout::Corner::BottomRight},
        {r.topLeft(), layout::Corner::TopLeft},
        {r.topRight(), layout::Corner::TopRight},
        {r.bottomLeft(), layout::Corner::BottomLeft}};
    const double reach = kHandle / 2.0 + 2;
    for (const auto& [point, corner] : corners)
        if (std::abs(pos.x() - point.x()) <= reach && std::abs(pos.y() - point.y()) <= reach)
            return corner;
    return std::nullopt;
}

void CMapCanvas::UpdateCursor(QPointF pos) {
    if (mode == Mode::Calibrate) {
        viewport()->setCursor(art::Cursor(res::CursorCalibrate));
        return;
    }
    if (std::optional<layout::Corner> corner = HandleAt(pos)) {
        const bool falling =
            *corner == layout::Corner::TopLeft || *corner == layout::Corner::BottomRight;
        viewport()->setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
        return;
    }
    const bool over = layout::HitTest(editor.Placements(), ToLocation(pos)) >= 0;
    viewport()->setCursor(over ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void CMapCanvas::SetMode(Mode m) {
    if (mode == m) return;
    CancelDrag();
    mode = m;
    UpdateCursor(viewport()->mapFromGlobal(QCursor::pos()));
    viewport()->update();
}

void CMapCanvas::FindGuides(const RectL& r, int index) {
    guidesX.clear();
    guidesY.clear();
    for (const RectL& o : editor.OthersThan(index)) {
        for (int x : {o.left, o.right})
            if (x == r.left || x == r.right) guidesX.push_back(x);
        for (int y : {o.top, o.bottom})
            if (y == r.top || y == r.bottom) guidesY.push_back(y);
    }
}

void CMapCanvas::DragTo(QPointF pos, bool keepAspect) {
    const int index = editor.IndexOf(drag.entry);
    if (index < 0) {
        drag = Drag{};
        return;
    }
    const QPointF moved = (pos - drag.pressPos) / scale;
    const QPoint offset(int(std::lround(moved.x())), int(std::lround(moved.y())));
    const std::vector<RectL> others = editor.OthersThan(index);
    RectL r;
    if (drag.kind == DragKind::Move) {
        r = layout::SnapMove(drag.start, offset, others, SnapTolerance());
    } else {
        const QSize aspect =
            keepAspect ? QSize(drag.entry->image.width, drag.entry->image.height) : QSize();
        r = layout::StretchCorner(drag.start, drag.corner, offset, others, SnapTolerance(), aspect);
    }
    drag.entry->placement = r;
    drag.live = r;
    FindGuides(r, index);
    viewport()->update();
}

void CMapCanvas::FinishDrag() {
    const Drag done = std::exchange(drag, Drag{});
    guidesX.clear();
    guidesY.clear();
    const int index = editor.IndexOf(done.entry);
    if (index < 0) return;
    const RectL result = done.entry->placement;
    done.entry->placement = done.start;
    if (!(result == done.start))
        editor.SetPlacement(index, result,
                            done.kind == DragKind::Move ? mwstr::UndoMove : mwstr::UndoStretch);
    viewport()->update();
}

void CMapCanvas::CancelDrag() {
    if (drag.kind != DragKind::None && editor.IndexOf(drag.entry) >= 0)
        drag.entry->placement = drag.start;
    drag = Drag{};
    guidesX.clear();
    guidesY.clear();
    viewport()->update();
}

void CMapCanvas::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    const QPointF pos = e->position();
    if (mode == Mode::Calibrate) {
        if (e->button() != Qt::LeftButton) return;
        // The surface's far edges are valid reference spots too.
        const QSize extent = editor.Location().Extent();
        QPoint p = ToLocation(pos);
        p.setX(std::clamp(p.x(), 0, extent.width()));
        p.setY(std::clamp(p.y(), 0, extent.height()));
        emit calibrateRequested(p);
        return;
    }
    if (e->button() == Qt::LeftButton) {
        if (std::optional<layout::Corner> corner = HandleAt(pos)) {
            CMapLocation* entry = editor.Entry(SelectedIndex());
            drag = Drag{DragKind::Stretch, entry, entry->placement, entry->placement, pos, *corner};
            return;
        }
    }
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
        const int hit = layout::HitTest(editor.Placements(), ToLocation(pos));
        Select(hit);
        if (hit >= 0 && e->button() == Qt::LeftButton) {
            CMapLocation* entry = editor.Entry(hit);
            drag = Drag{DragKind::Move, entry, entry->placement, entry->placement, pos};
        }
    }
}

void CMapCanvas::mouseMoveEvent(QMouseEvent* e) {
    const QPointF pos = e->position();
    if (drag.kind != DragKind::None)
        DragTo(pos, e->modifiers() & Qt::ShiftModifier);
    else
        UpdateCursor(pos);
    const QPoint p = ToLocation(pos);
    const QSize extent = editor.Location().Extent();
    emit hoverChanged(
        p, p.x() >= 0 && p.y() >= 0 && p.x() < extent.width() && p.y() < extent.height());
}

void CMapCanvas::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && drag.kind != DragKind::None) FinishDrag();
}

void CMapCanvas::mouseDoubleClickEvent(QMouseEvent* e) {
    if (mode != Mode::Arrange || e->button() != Qt::LeftButton) return;
    CancelDrag();
    const int hit = layout::HitTest(editor.Placements(), ToLocation(e->position()));
    if (hit < 0) return;
    Select(hit);
    emit placementRequested(hit);
}

void CMapCanvas::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && drag.kind != DragKind::None) {
        CancelDrag();
        return;
    }
    const int step = (e->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (e->key()) {
        case Qt::Key_Left:
            dx = -step;
            break;
        case Qt::Key_Right:
            dx = step;
            break;
        case Qt::Key_Up:
            dy = -step;
            break;
        case Qt::Key_Down:
            dy = step;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(e);
            return;
    }
    const int index = SelectedIndex();
    if (index < 0 || drag.kind != DragKind::None) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    editor.Nudge(index, dx, dy);
}

void CMapCanvas::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    const int delta = e->angleDelta().y();
    if (delta == 0) return;
    autoFit = false;
    SetScale(delta > 0 ? scale * kZoomStep : scale / kZoomStep, e->position());
    e->accept();
}

void CMapCanvas::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    if (autoFit)
        FitToWindow();
    else
        UpdateScrollBars();
}

void CMapCanvas::scrollContentsBy(int, int) {
    viewport()->update();
}

void CMapCanvas::contextMenuEvent(QContextMenuEvent* e) {
    if (mode == Mode::Arrange) emit contextMenuRequested(e->globalPos());
}

void CMapCanvas::leaveEvent(QEvent* e) {
    QAbstractScrollArea::leaveEvent(e);
    emit hoverChanged(QPoint(), false);
}
