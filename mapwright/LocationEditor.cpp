// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/LocationEditor.h"

#include <QDialog>
#include <QUndoStack>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "document/TarnLocation.h"
#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "geo/CoordSetupDialog.h"
#include "geo/Coordinate.h"
#include "geo/SetPointDialog.h"
#include "georef/Georeference.h"
#include "mapwright/EditCommands.h"
#include "mapwright/EditorStrings.h"
#include "mapwright/Layout.h"
#include "mapwright/PlacementDialog.h"
#include "resources/Strings.h"

namespace {
bool SameCalibration(const Calibration& a, const Calibration& b) {
    return a.lon1 == b.lon1 && a.lon2 == b.lon2 && a.lat1 == b.lat1 && a.lat2 == b.lat2 &&
           a.x1 == b.x1 && a.x2 == b.x2 && a.y1 == b.y1 && a.y2 == b.y2;
}
// One edge of a georeferenced image on the surface: where the calibration
// puts it, on a whole pixel.
int Snapped(double v) {
    return int(std::lround(std::clamp(v, -1e9, 1e9)));
}

}  // namespace

std::optional<RectL> CLocationEditor::GeoreferencedPlacement(const Calibration& location,
                                                             const Calibration& image, int width,
                                                             int height) {
    CCoordinate topLeft;
    CCoordinate bottomRight;
    image.PixelToCoordinate(0, 0, topLeft);
    image.PixelToCoordinate(width, height, bottomRight);
    const double left = location.LongitudeToX(topLeft);
    const double right = location.LongitudeToX(bottomRight);
    const double top = location.LatitudeToY(topLeft);
    const double bottom = location.LatitudeToY(bottomRight);
    if (!std::isfinite(left + right + top + bottom) || right <= left || bottom <= top)
        return std::nullopt;
    RectL r{Snapped(left), Snapped(top), Snapped(right), Snapped(bottom)};
    // At the location's own scale (within a pixel) the image keeps its size.
    if (std::fabs((right - left) - width) < 1.0) r.right = r.left + width;
    if (std::fabs((bottom - top) - height) < 1.0) r.bottom = r.top + height;
    if (r.left < 0 || r.top < 0 || r.right <= r.left || r.bottom <= r.top) return std::nullopt;
    return r;
}

CLocationEditor::CLocationEditor(CTarnLocation& location, QUndoStack& undo, QObject* parent)
    : QObject(parent), location(location), undo(undo) {}

int CLocationEditor::Count() const {
    return int(location.maps.entries.size());
}

CMapLocation* CLocationEditor::Entry(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return location.maps.entries[index].get();
}

int CLocationEditor::IndexOf(const CMapLocation* entry) const {
    for (int i = 0; i < Count(); ++i)
        if (location.maps.entries[i].get() == entry) return i;
    return -1;
}

std::vector<RectL> CLocationEditor::Placements() const {
    std::vector<RectL> out;
    out.reserve(location.maps.entries.size());
    for (const auto& entry : location.maps.entries) out.push_back(entry->placement);
    return out;
}

std::vector<RectL> CLocationEditor::OthersThan(int index) const {
    std::vector<RectL> out = Placements();
    if (index >= 0 && index < int(out.size())) out.erase(out.begin() + index);
    return out;
}

int CLocationEditor::AddImages(const QStringList& paths) {
    std::vector<RectL> placed = Placements();
    // Georeferenced images go where the calibration puts them; the first
    // one may give an uncalibrated location its calibration.
    bool calibrated = CanReadPositions();
    std::optional<Calibration> calibration;
    if (calibrated) calibration = CurrentCalibration();
    std::vector<std::unique_ptr<CMapLocation>> fresh;
    for (const QString& path : paths) {
        auto entry = std::make_unique<CMapLocation>();
        entry->searchFolder = location.maps.SearchFolder();
        const int loaded = entry->SetImage(RectL{}, path);
        const DecodedImage& image = entry->image;
        if (!loaded || !entry->HasImage() || image.width <= 0 || image.height <= 0) {
            Prompts::instance().message(
                QString(mwstr::ImageUnreadable).arg(filenames::Shown(path)));
            continue;
        }
        entry->placement = layout::PlaceToTheRight(placed, QSize(image.width, image.height));
        const georef::Georeference g =
            georef::FindGeoreference(entry->ResolvedPath(), image.width, image.height);
        if (const QString problem = georef::OpenMessage(g, filenames::Shown(path));
            !problem.isEmpty())
            Prompts::instance().message(problem);
        if (g.Found()) {
            const auto where = calibrated ? GeoreferencedPlacement(*calibration, g.fit.calibration,
                                                                   image.width, image.height)
                                          : std::nullopt;
            if (where) {
                entry->placement = *where;
            } else if (!calibrated && Prompts::instance().message(
                                          QString(str::GeorefTakeCalibration)
                                              .arg(filenames::Shown(path), g.source, g.crs),
                                          Prompts::Buttons::YesNo) == Prompts::Answer::Yes) {
                // The image's corners where it was placed carry its positions.
                Calibration c = g.fit.calibration;
                c.x1 += entry->placement.left;
                c.x2 += entry->placement.left;
                c.y1 += entry->placement.top;
                c.y2 += entry->placement.top;
                calibration = c;
                calibrated = true;
            }
        }
        placed.push_back(entry->placement);
        fresh.push_back(std::move(entry));
    }
    const int added = int(fresh.size());
    const bool newCalibration = calibration && !CanReadPositions();
    if (added > 0 && newCalibration) undo.beginMacro(mwstr::UndoAdd);
    if (added > 0) undo.push(new CAddEntriesCommand(*this, std::move(fresh), mwstr::UndoAdd));
    if (added > 0 && newCalibration) {
        SetCalibration(*calibration, mwstr::UndoTakeCalibration);
        undo.endMacro();
    }
    return added;
}

bool CLocationEditor::Remove(int index) {
    if (!Entry(index)) return false;
    undo.push(new CRemoveEntryCommand(*this, index, mwstr::UndoRemove));
    return true;
}

bool CLocationEditor::SetPlacement(int index, const RectL& placement, const QString& undoText) {
    CMapLocation* entry = Entry(index);
    if (!entry || entry->placement == placement) return false;
    undo.push(new CPlacementCommand(*this, {{index, entry->placement, placement}}, undoText));
    return true;
}

bool CLocationEditor::EditPlacement(int index) {
    CMapLocation* entry = Entry(index);
    if (!entry) return false;
    CPlacementDialog dlg(entry->placement, QSize(entry->image.width, entry->image.height),
                         dialogParent);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return false;
    SetPlacement(index, dlg.placement, mwstr::UndoPlacement);
    return true;
}

bool CLocationEditor::SetPlacements(const std::vector<RectL>& placements, const QString& undoText) {
    std::vector<CPlacementCommand::Change> changes;
    for (int i = 0; i < Count() && i < int(placements.size()); ++i) {
        const RectL& before = location.maps.entries[i]->placement;
        if (!(before == placements[i])) changes.push_back({i, before, placements[i]});
    }
    if (changes.empty()) return false;
    undo.push(new CPlacementCommand(*this, std::move(changes), undoText));
    return true;
}

bool CLocationEditor::Nudge(int index, int dx, int dy) {
    CMapLocation* entry = Entry(index);
    if (!entry) return false;
    const RectL& r = entry->placement;
    // Stop at the surface's edge rather than refusing the whole step.
    if (r.left + dx < 0) dx = std::min(0, -r.left);
    if (r.top + dy < 0) dy = std::min(0, -r.top);
    if (dx == 0 && dy == 0) return false;
    const RectL moved{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    undo.push(new CPlacementCommand(*this, {{index, r, moved}}, mwstr::UndoNudge, true));
    return true;
}

bool CLocationEditor::BringForward(int index) {
    if (index < 0 || index >= Count() - 1) return false;
    undo.push(new CReorderCommand(*this, index, index + 1, mwstr::UndoForward));
    return true;
}

bool CLocationEditor::SendBackward(int index) {
    if (index <= 0 || index >= Count()) return false;
    undo.push(new CReorderCommand(*this, index, index - 1, mwstr::UndoBackward));
    return true;
}

bool CLocationEditor::ArrangeInRow() {
    return SetPlacements(layout::ArrangeRow(Placements()), mwstr::UndoRow);
}

bool CLocationEditor::ArrangeInGrid() {
    return SetPlacements(layout::ArrangeGrid(Placements()), mwstr::UndoGrid);
}

Calibration CLocationEditor::CurrentCalibration() const {
    return static_cast<const Calibration&>(location);
}

bool CLocationEditor::CalibrateAt(QPoint pixel) {
    CSetPointDialog dlg(CurrentCalibration(), dialogParent);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return false;
    Calibration c = CurrentCalibration();
    const double lat = dlg.ChosenLatitude();
    const double lon = dlg.ChosenLongitude();
    if (dlg.selection == CSetPointDialog::Point1) {
        c.x1 = pixel.x();
        c.y1 = pixel.y();
        c.lat1 = lat;
        c.lon1 = lon;
    } else {
        c.x2 = pixel.x();
        c.y2 = pixel.y();
        c.lat2 = lat;
        c.lon2 = lon;
    }
    SetCalibration(c, QString(mwstr::UndoSetPoint).arg(dlg.selection + 1));
    return true;
}

bool CLocationEditor::EditCalibration() {
    CCoordSetupDialog dlg(CurrentCalibration(), dialogParent);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return false;
    SetCalibration(dlg.calibration, mwstr::UndoCoordSetup);
    return true;
}

bool CLocationEditor::SetCalibration(const Calibration& calibration, const QString& undoText) {
    const Calibration before = CurrentCalibration();
    if (SameCalibration(before, calibration)) return false;
    undo.push(new CCalibrationCommand(*this, before, calibration, undoText));
    return true;
}

bool CLocationEditor::HasPoint(const Calibration& c, int point) {
    const Calibration fresh;
    if (point == 0) return c.lat1 != 0 || c.lon1 != 0;
    const bool asNew =
        c.lat2 == fresh.lat2 && c.lon2 == fresh.lon2 && c.x2 == fresh.x2 && c.y2 == fresh.y2;
    return !asNew && (c.lat2 != 0 || c.lon2 != 0);
}

bool CLocationEditor::CanReadPositions() const {
    const Calibration c = CurrentCalibration();
    return HasPoint(c, 0) && HasPoint(c, 1);
}

void CLocationEditor::UpdateExtent() {
    const QSize extent = layout::ExtentOf(Placements());
    location.maps.extentWidth = extent.width();
    location.maps.extentHeight = extent.height();
}

void CLocationEditor::NotifyChanged() {
    UpdateExtent();
    emit changed();
}
