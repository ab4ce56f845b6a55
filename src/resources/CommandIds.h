// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command, control and resource identifiers. The numbers are part of the
// program's identity: stored customizations and the help page refer to them.
namespace cmd {
// File
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintDirect = 57608;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileSendMail = 57612;
inline constexpr int FileMru1 = 57616;  // 57616..57618: the recent-file entries
inline constexpr int AppExit = 57665;
inline constexpr int ImportGpx = 33001;
inline constexpr int ExportGpx = 33002;
inline constexpr int ExportPdf = 33003;
inline constexpr int ExportImage = 33004;
inline constexpr int ShowOverview = 33030;
// Help
inline constexpr int AppAbout = 57664;
inline constexpr int HelpContents = 32872;
inline constexpr int WebSite = 32870;
// View and frame
inline constexpr int ViewToolbar = 59392;  // "Standard Toolbar"
inline constexpr int ViewStatusBar = 59393;
inline constexpr int ShowPointDisplay = 108;
inline constexpr int ShowSunDisplay = 32866;
inline constexpr int ShowAdPanel = 39999;
inline constexpr int ViewGps = 107;
inline constexpr int ToggleQuery = 32814;
inline constexpr int ToolbarsPlaceholder = 32771;
inline constexpr int Customize = 32770;
inline constexpr int UserToolbarFirst = 32793;  // 32793, 32795, ..., 32811
inline constexpr int UserToolbarCount = 10;
inline constexpr int UserToolsEntry = 32816;
inline constexpr int UserToolFirst = 32818;  // 32818..32833
inline constexpr int UserToolCount = 16;
// Modes
inline constexpr int ZoomIn = 32772;
inline constexpr int ZoomOut = 32773;
inline constexpr int AddUserPoint = 32774;
inline constexpr int Magnifier = 32775;
inline constexpr int DrawLine = 32776;
inline constexpr int DrawFreeHand = 32777;
inline constexpr int DrawSquare = 32778;
inline constexpr int Pan = 32806;
inline constexpr int MeasureDistance = 32845;
inline constexpr int CalibrateMode = 32859;
inline constexpr int StandardMode = 32860;
inline constexpr int DrawingMode = 32861;
inline constexpr int EraseAllDrawing = 32862;
inline constexpr int DrawEllipse = 32865;
inline constexpr int EraseLastDrawing = 32868;
// Setup and tools
inline constexpr int SetupUserPoint = 32819;
inline constexpr int SetupMapPoints = 32821;
inline constexpr int RouteSetup = 32823;
inline constexpr int Layers = 32825;
inline constexpr int SetupGps = 32827;
inline constexpr int MapLocationEditor = 32829;
inline constexpr int SetupRedlinePen = 32842;
inline constexpr int Query = 32843;
inline constexpr int ConnectGps = 32846;
inline constexpr int MagnifySetup = 32855;
inline constexpr int SystemConfiguration = 32857;
inline constexpr int CoordSetup = 32858;
inline constexpr int BassWeight = 32867;
inline constexpr int RemoveUserPoints = 32871;
// User info point context menu
inline constexpr int PointSetup = 104;
inline constexpr int PointInformation = 32808;
inline constexpr int PointDelete = 32810;
// The fishing calendar panel
inline constexpr int ShowFishingCalendar = 33010;
// The GPS link
inline constexpr int SaveTrack = 33020;
inline constexpr int TrackToStroke = 33021;
inline constexpr int MarkSpot = 33022;
inline constexpr int KeepBoatInView = 33023;

inline constexpr int userToolbarCommand(int index) {
    return UserToolbarFirst + 2 * index;
}
}  // namespace cmd

namespace res {
// Status bar indicators
inline constexpr int IndicatorLatitude = 40000;
inline constexpr int IndicatorLongitude = 40001;
inline constexpr int IndicatorXY = 40002;
// Toolbars, menus, bitmaps, icons, cursors
inline constexpr int MainToolbar = 128;
inline constexpr int ExtraImagesToolbar = 152;
inline constexpr int UserPointMenu = 130;
inline constexpr int ViewContextMenu = 132;
inline constexpr int ToolbarMenu = 133;
inline constexpr int IconStrip = 141;
inline constexpr int LogoBitmap = 187;
inline constexpr int BannerBitmap = 191;
inline constexpr int FirstUserIcon = 5000;
inline constexpr int LastUserIcon = 5031;
inline constexpr int DefaultUserIcon = 5030;
inline constexpr int SunIcon = 5032;
inline constexpr int MovingMapRed = 179;
inline constexpr int MovingMapBlue = 183;
inline constexpr int MovingMapGreen = 184;
inline constexpr int CursorCrossHair = 149;
inline constexpr int CursorDrawing = 180;
inline constexpr int CursorCalibrate = 181;
inline constexpr int CursorMeasure = 182;
inline constexpr int CursorPan = 163;
inline constexpr int CursorMagnifier = 147;
// Frame windows
inline constexpr int MenuBarWindow = 59398;
inline constexpr int UserToolbarWindowFirst = 59432;  // ..59441
// Dialogs
inline constexpr int AboutDialog = 100;
inline constexpr int GpsSetupDialog = 131;
inline constexpr int MapPointDialog = 134;
inline constexpr int UserPointDialog = 138;
inline constexpr int ConfigurationDialog = 175;
inline constexpr int CoordSetupDialog = 176;
inline constexpr int SetPointDialog = 177;
inline constexpr int LayersDialog = 185;
inline constexpr int BassWeightDialog = 189;
inline constexpr int DeleteUserPointsDialog = 214;
}  // namespace res
