// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of printing and export, kept apart from the program's string
// table so that only the print code depends on them.
namespace printstr {
inline constexpr const char* PdfFilter = "PDF Files (*.pdf);;All Files (*)";
inline constexpr const char* PngFilter = "PNG Pictures (*.png);;All Files (*)";
inline constexpr const char* ExportFailed = "Unable to write %1.";
inline constexpr const char* NoCalibration =
    "The location has no calibration, so it cannot be printed at a scale.";
inline constexpr const char* TooManyPages =
    "At 1:%1 the map needs %2 pages; at most %3 are printed. Choose a smaller scale.";
inline constexpr const char* EmptyArea = "There is nothing to print in the chosen area.";
inline constexpr const char* BadScale =
    "Type the scale as 1:24000 or as 1 inch = 2 miles, or choose Fit to page.";

inline constexpr const char* DialogTitle = "Print Options";
inline constexpr const char* Drawing = "Drawing the map pages...";
inline constexpr const char* AreaLabel = "Print:";
inline constexpr const char* AreaVisible = "The visible part of the map";
inline constexpr const char* AreaWhole = "The whole location";
inline constexpr const char* AreaRectangle = "A rectangle of the map";
inline constexpr const char* RectangleLabel = "Rectangle (map pixels):";
inline constexpr const char* PickerLabel = "Or drag it here:";
inline constexpr const char* PickerTip = "Drag a rectangle on the map to print just that part";
inline constexpr const char* ScaleLabel = "Scale:";
inline constexpr const char* ScaleFit = "Fit to page";
inline constexpr const char* PagesLabel = "Pages when fitting:";
inline constexpr const char* OverlapLabel = "Overlap of pages:";
inline constexpr const char* OverlapSuffix = " mm";
inline constexpr const char* OrientationLabel = "Orientation:";
inline constexpr const char* Portrait = "Portrait";
inline constexpr const char* Landscape = "Landscape";

inline constexpr const char* PageLabel = "Page %1 of %2 (%3, row %4, column %5)";
inline constexpr const char* ScaleText = "Scale 1:%1";
inline constexpr const char* Miles = "%1 mi";
inline constexpr const char* Feet = "%1 ft";
inline constexpr const char* North = "N";
}  // namespace printstr
