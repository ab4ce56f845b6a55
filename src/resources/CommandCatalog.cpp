// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/CommandCatalog.h"

#include "resources/CommandIds.h"

namespace {
using K = QKeySequence;
const CommandInfo kCommands[] = {
    // File
    {cmd::FileNew, "&New", "Create a new location", "New", K::New},
    {cmd::FileOpen, "&Open...", "Open an existing location or map image", "Open", K::Open},
    {cmd::FileSave, "&Save", "Save the active location", "Save", K::Save},
    {cmd::FileSaveAs, "Save &As...", "Save the active location with a new name", "Save As",
     K::SaveAs},
    {cmd::ImportGpx, "&Import GPX Waypoints...", "Add waypoints from a GPX file as points",
     "Import GPX Waypoints"},
    {cmd::ExportGpx, "&Export GPX Waypoints...", "Write the location's points to a GPX file",
     "Export GPX Waypoints"},
    {cmd::FilePrint, "&Print...", "Print the visible map, the whole location or a part of it",
     "Print", K::Print},
    {cmd::FilePrintDirect, "Print &Direct", "Print the visible map on the default printer",
     "Print Direct"},
    {cmd::FilePrintPreview, "Print Pre&view", "Show the printed page on the screen",
     "Print Preview"},
    {cmd::FilePrintSetup, "P&rint Setup...", "Change the printer and printing options",
     "Print Setup"},
    {cmd::ExportPdf, "Export as P&DF...", "Write the map as a PDF file, framed with scale and grid",
     "Export as PDF"},
    {cmd::ExportImage, "Export as I&mage...",
     "Write the map as a PNG picture, framed with scale and grid", "Export as Image"},
    {cmd::FileSendMail, "Send &Mail", "Send Current File on email", "Send as Mail"},
    {cmd::FileMru1 + 0, "1", "Open this location", "Recent file"},
    {cmd::FileMru1 + 1, "2", "Open this location", "Recent file"},
    {cmd::FileMru1 + 2, "3", "Open this location", "Recent file"},
    {cmd::AppExit, "E&xit", "Quit the application; prompts to save the location", "Exit", K::Quit},
    // View
    {cmd::ViewToolbar, "Standard Toolbar", "Show or hide the toolbar", "Toggle Toolbar",
     K::UnknownKey, nullptr, true},
    {cmd::ViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle Status Bar",
     K::UnknownKey, nullptr, true},
    {cmd::ShowPointDisplay, "&Point", "Show Point Display", "Show Point Display", K::UnknownKey,
     nullptr, true},
    {cmd::ShowSunDisplay, "&Sunrise/Sunset", "Show Sunrise/Sunset Display",
     "Show Sunrise/Sunset Display", K::UnknownKey, nullptr, true},
    {cmd::ShowAdPanel, "&Fenmarrow Ad", "Show the Fenmarrow panel", "Ad", K::UnknownKey, nullptr,
     true},
    {cmd::ShowOverview, "&Overview", "Show the whole location, with the part in view outlined",
     "Show Overview", K::UnknownKey, nullptr, true},
    {cmd::ViewGps, "View GPS", "View GPS", "View GPS"},
    {cmd::ToggleQuery, "Toggle Query", "Show or hide the Query bar", "Toggle Query"},
    {cmd::Customize, "&Customize...", "Customize toolbars ane menus.", "Customize"},
    {cmd::ZoomIn, "Zoom &In", "Zoom In", "Zoom In"},
    {cmd::ZoomOut, "Zoom &Out", "Zoom Out", "Zoom Out"},
    // Modes
    {cmd::StandardMode, "&Standard Mode", "Standard Mode", "Standard Mode", K::UnknownKey, "F2",
     true},
    {cmd::DrawingMode, "&Drawing Mode", "Drawing Mode", "Drawing Mode", K::UnknownKey, "F3", true},
    {cmd::Pan, "&Pan", "Pan", "Pan", K::UnknownKey, "F4", true},
    {cmd::MeasureDistance, "&Measure Distance", "Measure Distance", "Measure Distance",
     K::UnknownKey, "F5", true},
    {cmd::Magnifier, "Ma&gnifying Glass", "Magnifying Glass", "Magnifying Glass", K::UnknownKey,
     "F6", true},
    {cmd::CalibrateMode, "Setup &Calibration Coordinates", "Setup Calibration Coordinates",
     "Mouse Coordinate Setup", K::UnknownKey, "F7", true},
    {cmd::DrawFreeHand, "Draw &Free Hand", "Draw Free Hand", "Draw Free Hand", K::UnknownKey,
     nullptr, true},
    {cmd::DrawLine, "Draw &Line", "Draw Line", "Draw Line", K::UnknownKey, nullptr, true},
    {cmd::DrawSquare, "Draw S&quare", "Draw Square", "Draw Square", K::UnknownKey, nullptr, true},
    {cmd::DrawEllipse, "Draw &Ellipse", "Draw Ellipse", "Draw Ellipse", K::UnknownKey, nullptr,
     true},
    {cmd::EraseLastDrawing, "Erase &Last Drawing", "Erase Last Drawing", " Undo Last Drawing",
     K::Undo},
    {cmd::EraseAllDrawing, "Erase &All Drawing", "Erase All Drawing", "Erase All Drawing"},
    {cmd::AddUserPoint, "&Add User Info Point", "Add User Info Point", "Add User Info Point",
     K::UnknownKey, "Ctrl+I"},
    // Setup
    {cmd::CoordSetup, "C&oord Setup", "Coord Setup", "Setup Coords"},
    {cmd::SetupMapPoints, "&Map Points", "Setup Map Points", "Setup Map Point"},
    {cmd::SetupUserPoint, "&User Info Points", "Setup User Info Point", "Setup User Info Point"},
    {cmd::RemoveUserPoints, "Remove User &Points", "Remove User Points", "Remove User Points"},
    {cmd::SetupRedlinePen, "&Redline Pen Setup", "Setup Redlining Pen", "Setup Redlining"},
    {cmd::MagnifySetup, "Ma&gnify Setup", "Magnify Setup", "Magnify Setup"},
    {cmd::SystemConfiguration, "&Configuration", "System Configuration", "System Configuration"},
    {cmd::Layers, "&Layers", "Layers", "Layers", K::UnknownKey, "Ctrl+L"},
    {cmd::SetupGps, "Setup &GPS", "Setup GPS", "Setup GPS"},
    {cmd::ConnectGps, "Co&nnect To GPS", "Connect To GPS", "Connect GPS", K::UnknownKey, nullptr,
     true},
    {cmd::RouteSetup, "Route Setup", "Route Setup", "Route Setup"},
    {cmd::Query, "&Query", "Query", "Query"},
    // Tools
    {cmd::BassWeight, "&Bass Weight Calc.", "Bass Weight Calc.", "Bass Weight Calc."},
    {cmd::MapLocationEditor, "Map Location&Editor", "Map LocationEditor", "Map Location Editor"},
    {cmd::UserToolsEntry, "&<User-defined tools", "User-defined tools", "User-defined tools"},
    // Help
    {cmd::HelpContents, "&Help", "GoTo Help System", "Help", K::HelpContents},
    {cmd::WebSite, "Fenmarrow &Web Site", "Go to the Website", " Website"},
    {cmd::AppAbout, "&About Fenmarrow Utilities...", "Display program information", "About"},
    // User info point context menu
    {cmd::PointSetup, "&Setup", "Set up this point", "Setup"},
    {cmd::PointInformation, "&Information", "Show this point on the Point Display", "Information"},
    {cmd::PointDelete, "&Delete", "Delete this point", "Delete"},
    // Fishing calendar
    {cmd::ShowFishingCalendar, "Fishing &Calendar", "Show the Fishing Calendar",
     "Show Fishing Calendar", K::UnknownKey, nullptr, true},
    // The GPS link
    {cmd::SaveTrack, "Save &Track...", "Write the GPS track to a GPX file", "Save Track"},
    {cmd::TrackToStroke, "Track to &Stroke", "Draw the GPS track as a free-hand stroke",
     "Track to Stroke"},
    {cmd::MarkSpot, "&Mark Spot", "Put a user info point where the boat is", "Mark Spot",
     K::UnknownKey, "F8"},
    {cmd::KeepBoatInView, "&Keep Boat in View", "Scroll the map when the boat nears its edge",
     "Keep Boat in View", K::UnknownKey, nullptr, true},
};
}  // namespace

namespace catalog {

const CommandInfo* Find(int id) {
    for (const CommandInfo& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

const CommandInfo* All(int& count) {
    count = static_cast<int>(sizeof(kCommands) / sizeof(kCommands[0]));
    return kCommands;
}

}  // namespace catalog
