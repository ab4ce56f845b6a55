// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The map location editor's own texts, each once. Formats use Qt's %1
// placeholders. Texts shared with the main program (file messages, "Save
// changes to %1?", the calibration dialogs) come from resources/Strings.h.
namespace mwstr {
inline constexpr const char* AppName = "Mapwright";
inline constexpr const char* AppDescription =
    "Arranges map images into a calibrated Fenmarrow location.";
inline constexpr const char* FileArgument = "A location (.fnm, .qlt) or a map image to open.";
inline constexpr const char* WindowTitle = "%1[*] - Mapwright";

// File dialogs (Qt filter form)
inline constexpr const char* OpenFilter =
    "Locations and images (*.fnm *.qlt *.jpg *.JPG *.jpeg *.JPEG *.jpe *.JPE *.bmp *.BMP *.png "
    "*.PNG *.tif *.TIF *.tiff *.TIFF *.gif *.GIF);;Fenmarrow Files (*.fnm);;Older "
    "Locations (*.qlt);;Map Images (*.jpg *.JPG *.jpeg *.JPEG *.jpe *.JPE *.bmp *.BMP *.png *.PNG "
    "*.tif *.TIF *.tiff *.TIFF *.gif *.GIF);;All Files (*)";
inline constexpr const char* AddImagesFilter =
    "Map Images (*.jpg *.JPG *.jpeg *.JPEG *.jpe *.JPE *.bmp *.BMP *.png *.PNG *.tif *.TIF *.tiff "
    "*.TIFF *.gif *.GIF);;All Files (*)";
inline constexpr const char* AddImagesTitle = "Add Map Images";

// Menus
inline constexpr const char* MenuFile = "&File";
inline constexpr const char* MenuEdit = "&Edit";
inline constexpr const char* MenuArrange = "&Arrange";
inline constexpr const char* MenuCalibrate = "&Calibrate";
inline constexpr const char* MenuView = "&View";
inline constexpr const char* MenuHelp = "&Help";
inline constexpr const char* MenuRecent = "Open &Recent";
inline constexpr const char* RecentNone = "(no recent files)";
inline constexpr const char* RecentEntry = "&%1 %2";

// Actions
inline constexpr const char* ActNew = "&New";
inline constexpr const char* ActOpen = "&Open...";
inline constexpr const char* ActSave = "&Save";
inline constexpr const char* ActSaveAs = "Save &As...";
inline constexpr const char* ActRelativePaths = "Store paths &relative to the location file";
inline constexpr const char* ActExit = "E&xit";
inline constexpr const char* ActUndo = "&Undo";
inline constexpr const char* ActRedo = "&Redo";
inline constexpr const char* ActAddImages = "Add &Images...";
inline constexpr const char* ActRemove = "&Remove Map";
inline constexpr const char* ActPlacement = "&Placement...";
inline constexpr const char* ActBringForward = "Bring &Forward";
inline constexpr const char* ActSendBackward = "Send &Backward";
inline constexpr const char* ActArrangeRow = "Arrange in a &Row";
inline constexpr const char* ActArrangeGrid = "Arrange in a &Grid";
inline constexpr const char* ActCalibrate = "&Set Points by Clicking";
inline constexpr const char* ActCoordSetup = "&Coord Setup...";
inline constexpr const char* ActZoomIn = "Zoom &In";
inline constexpr const char* ActZoomOut = "Zoom &Out";
inline constexpr const char* ActFit = "&Fit to Window";
inline constexpr const char* ActActualSize = "&Actual Size";
inline constexpr const char* ActMapsPanel = "&Maps Panel";
inline constexpr const char* ActHelp = "Mapwright &Help";
inline constexpr const char* ActAbout = "&About Mapwright";

// Tool tips and status hints
inline constexpr const char* TipAddImages =
    "Add JPEG, BMP, PNG, TIFF or GIF map images; georeferenced ones go where they lie";
inline constexpr const char* TipCalibrate =
    "Click a spot whose latitude and longitude you know, then type them";
inline constexpr const char* HintArrange =
    "Drag to move, drag a corner to stretch (Shift keeps proportions), arrow keys nudge.";
inline constexpr const char* HintCalibrate =
    "Click a spot whose latitude and longitude you know, then type them for point 1 or 2.";
inline constexpr const char* EmptyHint =
    "Add map images with Edit > Add Images... or drop them here";
inline constexpr const char* HintNoPositions = "Set both calibration points to read positions";
inline constexpr const char* ZoomPercent = "%1%";
inline constexpr const char* SelectionInfo = "%1: %2, %3   %4 x %5";
inline constexpr const char* DragLabel = "%1, %2   %3 x %4";

// Undo texts
inline constexpr const char* UndoAdd = "Add Maps";
inline constexpr const char* UndoRemove = "Remove Map";
inline constexpr const char* UndoMove = "Move Map";
inline constexpr const char* UndoNudge = "Nudge Map";
inline constexpr const char* UndoStretch = "Stretch Map";
inline constexpr const char* UndoPlacement = "Set Placement";
inline constexpr const char* UndoForward = "Bring Forward";
inline constexpr const char* UndoBackward = "Send Backward";
inline constexpr const char* UndoRow = "Arrange in a Row";
inline constexpr const char* UndoGrid = "Arrange in a Grid";
inline constexpr const char* UndoSetPoint = "Set Point %1";
inline constexpr const char* UndoCoordSetup = "Coord Setup";
inline constexpr const char* UndoTakeCalibration = "Take Calibration";

// Messages
inline constexpr const char* ImageUnreadable = "%1\ncould not be read as a map image.";

// Maps panel
inline constexpr const char* MapsPanelTitle = "Maps";
inline constexpr const char* MapsPanelEntry = "%1\n%2, %3   %4 x %5";
inline constexpr const char* MapsPanelMissing = "%1 (image missing)";

// Placement dialog
inline constexpr const char* PlacementTitle = "Map Placement";
inline constexpr const char* PlacementLeft = "Left:";
inline constexpr const char* PlacementTop = "Top:";
inline constexpr const char* PlacementWidth = "Width:";
inline constexpr const char* PlacementHeight = "Height:";
inline constexpr const char* PlacementImageSize = "Image Size";
inline constexpr const char* PlacementImageInfo = "Image: %1 x %2 pixels";

// About
inline constexpr const char* AboutTitle = "About Mapwright";
inline constexpr const char* AboutText =
    "Mapwright %1\n\nThe map location editor of Fenmarrow Utilities: place map images side by "
    "side, calibrate them and save a location that Fenmarrow opens.";
}  // namespace mwstr
