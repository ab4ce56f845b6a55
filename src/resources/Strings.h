// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every text the user sees, once. Formats use Qt's %1 placeholders unless a
// comment says the text is a printf format.
namespace str {
// Application
inline constexpr const char* AppTitle = "Fenmarrow Utilities";
inline constexpr const char* FrameTitle = "Fenmarrow";
inline constexpr const char* Untitled = "Untitled";
inline constexpr const char* ViewMenuName = "My menu";
inline constexpr const char* FileTypeName = "Fenmarrow Utility";
inline constexpr const char* FileTypeId = "Fenmarrow.Document";
inline constexpr const char* StandardToolbarTitle = "Standard";
inline constexpr const char* Ready = "Ready";
inline constexpr const char* FailedToOpenDocument = "Failed to open document.";
inline constexpr const char* FailedToCreateDocument = "Failed to create empty document.";
inline constexpr const char* FailedToSaveDocument = "Failed to save document.";
inline constexpr const char* SaveChanges = "Save changes to %1?";
inline constexpr const char* UnexpectedFileFormat = "Unexpected file format.";
inline constexpr const char* FileNotFound =
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
inline constexpr const char* SharingViolation =
    "Unable to read from %1, it is opened by someone else.";
inline constexpr const char* AccessDenied = "Access to %1 was denied.";
inline constexpr const char* DiskFull = "Destination disk drive is full.";
inline constexpr const char* WriteFault = "An unexpected error occurred while writing %1.";
inline constexpr const char* ReadFault = "An unexpected error occurred while reading %1.";
inline constexpr const char* NotAFile = "%1\nis a folder, not a file.";

// Data exchange
inline constexpr const char* EnterInteger = "Please enter an integer.";
inline constexpr const char* EnterIntegerBetween = "Please enter an integer between %1 and %2.";
inline constexpr const char* EnterNumber = "Please enter a number.";

// File dialogs (Qt filter form)
inline constexpr const char* OpenFilter =
    "Fenmarrow Files (*.fnm *.FNM);;Older Location Files (*.qlt *.QLT);;JPeg Files (*.jpg "
    "*.JPG *.jpeg *.JPEG *.jpe *.JPE);;Bitmap Files (*.bmp *.BMP);;PNG Files (*.png *.PNG);;TIFF "
    "and GeoTIFF Files (*.tif *.TIF *.tiff *.TIFF);;GIF Files (*.gif *.GIF);;All Files (*)";
inline constexpr const char* SaveFilter = "Fenmarrow Map Files (*.fnm *.FNM);;All Files (*)";
inline constexpr const char* ImageFilter =
    "Image Files(*.jpg , *.bmp, *.png, *.tif, *.gif) (*.jpg *.JPG *.jpeg *.JPEG *.jpe *.JPE *.bmp "
    "*.BMP *.png *.PNG *.tif *.TIF *.tiff *.TIFF *.gif *.GIF);;All Files (*)";
inline constexpr const char* DefaultExtension = "fnm";

// Map entries and images
inline constexpr const char* ImageNotFound =
    "File %1 not found, please find the image file's current location";
inline constexpr const char* JpegCantOpen = "JPEG :\nCan't open %1\n";
inline constexpr const char* JpegOutOfMemory = "JpegFile :\nOut of memory";

// Help, mail, web
inline constexpr const char* FailedToLaunchHelp = "Failed to launch help.";
inline constexpr const char* MailLoadFailed = "Unable to load mail system support.";
inline constexpr const char* MailDllInvalid = "Mail system DLL is invalid.";
inline constexpr const char* MailSendFailed = "Send Mail failed to send message.";
inline constexpr const char* UrlFailed = "Unable to access the requested URL.\n";
inline constexpr const char* WebSiteAddress = "https://fenmarrow.example.org/";
inline constexpr const char* MakerEmail = "help@fenmarrow.example.org";

// About box
inline constexpr const char* AboutTitle = "About Fenmarrow Utilities";
inline constexpr const char* AboutEdition = "Fenmarrow Utilities 1.0 — Anglers' Edition";
// Also printed after every program's --version line.
inline constexpr const char* LicenceNotice =
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.";
inline constexpr const char* AboutMailButton = "Email Fenmarrow";
inline constexpr const char* AboutMailTip = "Send mail to author";
inline constexpr const char* AboutDontShow = "Do Not show on Application Startup";
inline constexpr const char* OleInitFailed =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

// Panels and status bar
inline constexpr const char* PointDisplayTitle = "Point Display";
inline constexpr const char* SunDisplayTitle = "Sun Display";
inline constexpr const char* AdPanelTitle = "Fenmarrow";
inline constexpr const char* OverviewTitle = "Overview";
inline constexpr const char* DecodingMaps = "Decoding map pictures...";
inline constexpr const char* DecodingCancel = "Cancel";
inline constexpr const char* DecodingCancelTip =
    "Stop decoding the map pictures; moving the map goes on with what is in view";
inline constexpr const char* IndicatorXY = "X,Y";
inline constexpr const char* IndicatorLatitude = "Latitude";
inline constexpr const char* IndicatorLongitude = "Longitude";
inline constexpr const char* StatusXY = "X:%1 , Y:%2";
inline constexpr const char* StatusLat = "Lat: %1";
inline constexpr const char* StatusLon = "Lon: %1";
inline constexpr const char* MeasureStatus =
    "Current Distance: %.1f Total Distance: %.1f (miles)";  // printf

// Calibration dialogs
inline constexpr const char* CoordSetupTitle = "Coord Setup";
inline constexpr const char* SetPointTitle = "Set Point";
inline constexpr const char* Point1 = "Point 1";
inline constexpr const char* Point2 = "Point 2";

// Drawing
inline constexpr const char* PointNotInArea =
    "Point not in current allowed mapping area, please Re-Enter";
inline constexpr const char* EraseAllQuestion =
    "Are your sure You want to remove all of the drawings?";

// Setup, tool and point dialogs
inline constexpr const char* DlgLatLabel = "Lat:";
inline constexpr const char* DlgLonLabel = "Lon:";
inline constexpr const char* DlgNameLabel = "Name:";
inline constexpr const char* CoordSetupXLabel = "X:";
inline constexpr const char* CoordSetupYLabel = "Y:";
inline constexpr const char* SetPointChoiceLabel = "Point:";
inline constexpr const char* BassWeightTitle = "Bass Weight Estimator";
inline constexpr const char* BassLengthLabel = "Length(inches):";
inline constexpr const char* BassGirthLabel = "Girth(inches):";
inline constexpr const char* BassWeightLabel = "Weight(lbs.):";
inline constexpr const char* BassWeightInitial = "0.0";
inline constexpr const char* BassCalculate = "Calculate";
inline constexpr const char* BassClose = "Close";
inline constexpr const char* LayersTitle = "Layers";
inline constexpr const char* LayerMaps = "Maps";
inline constexpr const char* LayerMapPoints = "Map Points";
inline constexpr const char* LayerUserPoints = "User Points";
inline constexpr const char* LayerRedLines = "RedLines";
inline constexpr const char* ConfigurationTitle = "Configuration...";
inline constexpr const char* ConfigLoadLastFile = "Open last Map file on Restart";
inline constexpr const char* ConfigCrossHair = "Use Cross Hair Cursor";
inline constexpr const char* ConfigShowXY = "Show X,Y on Status Bar";
inline constexpr const char* ConfigMovingMapIcon = "Moving Map Icon:";
inline constexpr const char* ConfigRedIcon = "Red Icon";
inline constexpr const char* ConfigBlueIcon = "Blue Icon";
inline constexpr const char* ConfigGreenIcon = "Green Icon";
inline constexpr const char* PenSheetTitle = "Redline Pen Setup";
inline constexpr const char* PenPageLine = "Line";
inline constexpr const char* PenPageFreeHand = "FreeHand";
inline constexpr const char* PenPageRectEllipse = "Rect/Ellipse";
inline constexpr const char* PenLineWidth = "Line Width:";
inline constexpr const char* PenColorButton = "Pen Color";
inline constexpr const char* PenSwatchText = "CL";
inline constexpr const char* MagnSheetTitle = "Magnifying Glass Properties";
inline constexpr const char* MagnPageSize = "Size";
inline constexpr const char* MagnPageZoom = "Zoom";
inline constexpr const char* MagnPageShape = "Shape";
inline constexpr const char* MagnSizes[] = {"100", "120", "150", "180", "220", "250"};
inline constexpr const char* MagnZooms[] = {"x1.5", "x2", "x2.5", "x3", "x5"};
inline constexpr const char* MagnShapes[] = {"Rectangular", "Round"};
inline constexpr const char* MapPointTitle = "Setup MapPoint";
inline constexpr const char* MapPointTypeLabel = "Type:";
inline constexpr const char* MapPointElevationLabel = "Elevation:";
inline constexpr const char* MapPointInfoLabel = "Info:";
inline constexpr const char* MapPointTypes[] = {"Water", "Land", "Rock", "City", "Landmark"};
inline constexpr const char* UserPointTitle = "User Point Setup";
inline constexpr const char* UserPointAltLabel = "Alt:";
inline constexpr const char* UserPointInfoLabel = "Information:";
inline constexpr const char* UserPointFromFile = "From file...";
inline constexpr const char* DeleteUserPointsTitle = "Delete User Points";
inline constexpr const char* GpsSetupTitle = "GPS Setup...";
inline constexpr const char* GpsComPortLabel = "Com Port:";
inline constexpr const char* GpsBaudRateLabel = "Baud Rate:";
inline constexpr const char* GpsDataBitsLabel = "Data Bits:";
inline constexpr const char* GpsStopBitsLabel = "Stop Bits:";
inline constexpr const char* GpsParityLabel = "Parity:";
inline constexpr const char* GpsHandShakingLabel = "HandShaking:";
inline constexpr const char* GpsComPorts[] = {"COM1", "COM2", "COM3", "COM4",
                                              "COM5", "COM6", "COM7", "COM8"};
inline constexpr const char* GpsBaudRates[] = {"300",   "600",   "1200",   "2400",
                                               "4800",  "9600",  "14400",  "19200",
                                               "38400", "56000", "128000", "256000  "};
inline constexpr const char* GpsDataBits[] = {"5", "6", "7", "8"};
inline constexpr const char* GpsStopBits[] = {"1", "1.5", "2"};
inline constexpr const char* GpsParities[] = {"None", "Odd", "Even", "Mark", "Space"};
inline constexpr const char* GpsHandShakes[] = {"None", "DTRDSR", "RTSCTS", "XONXOFF"};
inline constexpr const char* GpsTrayIcon = "Show GPS Tray Icon";

// Point Display and Sun Display panels ("Name:" and "Info:" are shared with
// the dialogs above)
inline constexpr const char* PointPanelTitle = "Point";
inline constexpr const char* NoPointSelected = "No Point Selected.";
inline constexpr const char* PointDateLabel = "Date:";
inline constexpr const char* PointLatitudeLabel = "Latitude:";
inline constexpr const char* PointLongitudeLabel = "Longitude:";
inline constexpr const char* PointAltitudeLabel = "Altitude:";
inline constexpr const char* SunPanelTitle = "Sun";
inline constexpr const char* SunriseLabel = "Sunrise:";
inline constexpr const char* SunsetLabel = "Sunset:";

// Printing
inline constexpr const char* PrintFooter = "Printed by Fenmarrow Utilities, File: %s";  // printf
inline constexpr const char* PrintFailed = "Unable to start printing.";
inline constexpr const char* PrinterNotFound = "Printer %1 not found.";

// Customize dialog and user tools
inline constexpr const char* CustomizeTitle = "Customize";
inline constexpr const char* CustToolbarsPage = "Toolbars";
inline constexpr const char* CustCommandsPage = "Commands";
inline constexpr const char* CustKeyboardPage = "Keyboard";
inline constexpr const char* CustMousePage = "Mouse";
inline constexpr const char* CustToolsPage = "Tools";
inline constexpr const char* CustToolbarsLabel = "Toolbars:";
inline constexpr const char* CustNewToolbar = "&New...";
inline constexpr const char* CustRenameToolbar = "&Rename...";
inline constexpr const char* CustDelete = "&Delete";
inline constexpr const char* CustToolbarNameTitle = "Toolbar Name";
inline constexpr const char* CustToolbarNameLabel = "Toolbar name:";
inline constexpr const char* CustDefaultToolbarName = "Custom %1";
inline constexpr const char* CustToolbarNameEmpty = "Please enter a name for the toolbar.";
inline constexpr const char* CustCommandsLabel = "Commands:";
inline constexpr const char* CustButtonsLabel = "Buttons of:";
inline constexpr const char* CustAddButton = "&Add >";
inline constexpr const char* CustRemoveButton = "< &Remove";
inline constexpr const char* CustSeparator = "&Separator";
inline constexpr const char* CustSeparatorItem = "--------";
inline constexpr const char* CustMoveUp = "Move &Up";
inline constexpr const char* CustMoveDown = "Move Do&wn";
inline constexpr const char* CustButtonImageLabel = "Button image:";
inline constexpr const char* CustDefaultImage = "(default)";
inline constexpr const char* CustCurrentKeys = "Current keys:";
inline constexpr const char* CustNewKey = "Press new shortcut key:";
inline constexpr const char* CustAssign = "A&ssign";
inline constexpr const char* CustRemoveKey = "Re&move";
inline constexpr const char* CustResetKeys = "Reset A&ll";
inline constexpr const char* CustAssignedTo = "Currently assigned to: %1";
inline constexpr const char* CustKeyConflict =
    "%1 is already assigned to %2.\nAssign it to %3 instead?";
inline constexpr const char* CustViewsLabel = "Views:";
inline constexpr const char* CustMyView = "My view";
inline constexpr const char* CustDoubleClickLabel = "Double-click runs:";
inline constexpr const char* CustNone = "(none)";
inline constexpr const char* CustToolsLabel = "Tools:";
inline constexpr const char* CustNewTool = "&New";
inline constexpr const char* CustToolTitle = "Title:";
inline constexpr const char* CustToolProgram = "Program:";
inline constexpr const char* CustToolArguments = "Arguments:";
inline constexpr const char* CustBrowse = "...";
inline constexpr const char* CustProgramFilter = "All Files (*)";
inline constexpr const char* CustDefaultToolName = "Tool %1";
inline constexpr const char* CustToolNeedsProgram = "The tool \"%1\" needs a program.";
inline constexpr const char* CustToolFailed = "Unable to start %1.";
// GPX interchange
inline constexpr const char* GpxFilter = "GPX Files (*.gpx);;All Files (*)";
inline constexpr const char* GpxDefaultName = "waypoints.gpx";
inline constexpr const char* GpxImporting = "Importing GPX waypoints...";
inline constexpr const char* GpxAdded = "%1 waypoint(s) added.";
inline constexpr const char* GpxSkippedQuarter =
    "%1 skipped: south of the equator or east of Greenwich.";
inline constexpr const char* GpxSkippedOutside = "%1 skipped: outside the allowed mapping area.";
inline constexpr const char* GpxCouldNotRead = "Could not read:";
inline constexpr const char* GpxNoPosition = "line %1: a waypoint without a valid lat and lon";
inline constexpr const char* GpxXmlError = "line %1: %2";
inline constexpr const char* GpxNotGpx = "the file is not a GPX file";
inline constexpr const char* GpxCannotOpen = "Unable to open %1.";
inline constexpr const char* GpxCannotWrite = "Unable to write %1.";
inline constexpr const char* GpxRouteName = "Line %1";
inline constexpr const char* GpxRectangleName = "Rectangle %1";
inline constexpr const char* GpxEllipseName = "Ellipse %1";
inline constexpr const char* GpxStrokeName = "Stroke %1";
inline constexpr const char* GpxRoutesAdded = "%1 route(s) added as lines.";
inline constexpr const char* GpxTracksAdded = "%1 track segment(s) added as free-hand strokes.";
inline constexpr const char* GpxSkippedEmpty = "%1 skipped: no points.";
inline constexpr const char* GpxNotAFile = "Unable to open %1: only regular files are read.";
inline constexpr const char* GpxTooLarge = "Unable to open %1: a GPX file may have at most %2 MB.";
inline constexpr const char* GpxNoPointPosition = "line %1: a point without a valid lat and lon";
inline constexpr const char* GpxTooManyPoints =
    "line %1: more than %2 points; the rest is not read";
// Altitudes and elevations are the numbers users type: feet.
inline constexpr const char* AltitudeToolTip = "Altitude in feet";
inline constexpr const char* ElevationToolTip = "Elevation in feet";
// The command-line tool
inline constexpr const char* FnmBadNumber =
    "fnm %1: %2 must be a decimal number from %3 to %4, not \"%5\"";
inline constexpr const char* FnmUnknownOption = "fnm %1: unknown option %2";
inline constexpr const char* FnmRepeatedOption = "fnm %1: %2 is given twice";
inline constexpr const char* FnmMissingValue = "fnm %1: %2 needs a value";
inline constexpr const char* FnmNotGpx =
    "fnm import-gpx: %1 is not a GPX file; nothing was written";
// The fishing calendar
inline constexpr const char* FishingCalendarTitle = "Fishing Calendar";
inline constexpr const char* NoSunrise = "no sunrise";
inline constexpr const char* NoSunset = "no sunset";
inline constexpr const char* SunUpAllDay = "sun up all day";
inline constexpr const char* SunDownAllDay = "sun down all day";
inline constexpr const char* NoCivilDawn = "no civil dawn";
inline constexpr const char* NoCivilDusk = "no civil dusk";
inline constexpr const char* LightAllNight = "light all night";
inline constexpr const char* DarkAllDay = "dark all day";
inline constexpr const char* NoMoonrise = "no moonrise";
inline constexpr const char* NoMoonset = "no moonset";
inline constexpr const char* MoonUpAllDay = "moon up all day";
inline constexpr const char* MoonDownAllDay = "moon down all day";
inline constexpr const char* NoMoonTransit = "no transit";
inline constexpr const char* NoMoonUnderfoot = "not underfoot";
inline constexpr const char* AlmanacOutOfRange =
    "No almanac for %1: the calendar covers the years %2 to %3.";
inline constexpr const char* AlmanacNoLocation =
    "Set the location's first reference point to see its calendar.";
inline constexpr const char* AlmanacMachineZone = "Machine time zone (%1)";
inline constexpr const char* AlmanacCsvFilter = "CSV Files (*.csv);;All Files (*)";
inline constexpr const char* AlmanacExportCsv = "Export CSV...";
inline constexpr const char* AlmanacPrint = "Print...";
inline constexpr const char* AlmanacToday = "Today";
inline constexpr const char* AlmanacZoneLabel = "Time zone:";
inline constexpr const char* AlmanacMonthTitle = "Fishing calendar %1, %2";
inline constexpr const char* FnmBadDate =
    "fnm %1: %2 must be a date YYYY-MM-DD from %3 to %4, not \"%5\"";
inline constexpr const char* FnmBadDays =
    "fnm %1: --days must be a whole number from 1 to %2, not \"%3\"";
inline constexpr const char* FnmBadZone = "fnm %1: unknown time zone \"%2\"";
inline constexpr const char* FnmDateOrRange = "fnm %1: give either --date or --from with --days";
// The GPS link
inline constexpr const char* GpsSourceLabel = "Source:";
inline constexpr const char* GpsSources[] = {"Serial port", "gpsd"};
inline constexpr const char* GpsAddressLabel = "gpsd address:";
inline constexpr const char* GpsPortMissing =
    "The GPS port %1 does not exist. Choose another port in Setup GPS.";
inline constexpr const char* GpsBadAddress =
    "\"%1\" is not a gpsd address. Give it as host:port, for example localhost:2947.";
inline constexpr const char* GpsStatusOff = "GPS off";
inline constexpr const char* GpsStatusConnecting = "GPS: looking for %1";
inline constexpr const char* GpsStatusNoData = "GPS: %1 connected, no data";
inline constexpr const char* GpsStatusNoFix = "GPS: no fix";
inline constexpr const char* GpsStatusLost = "GPS: %1 lost, reconnecting";
inline constexpr const char* GpsStatus2D = "GPS: 2D fix";
inline constexpr const char* GpsStatus3D = "GPS: 3D fix";
inline constexpr const char* GpsStatusDgps = " (DGPS)";
inline constexpr const char* GpsStatusSpeed = ", %1 mph";
inline constexpr const char* GpsStatusHeading = ", heading %1\u00B0";
inline constexpr const char* GpsNoPosition = "There is no GPS position yet.";
inline constexpr const char* GpsSpotOutside =
    "The boat is outside the maps of this location; no spot was marked.";
inline constexpr const char* GpsSpotName = "Spot %1";
inline constexpr const char* GpsTrackName = "Track %1";
inline constexpr const char* GpsTrackDefaultName = "track.gpx";
inline constexpr const char* GpsTrackNothingOnMap =
    "No part of the track lies on the maps of this location.";
// Georeferenced map images
inline constexpr const char* GeorefBends =
    "%1 is georeferenced (%2, %3), but its projection does not follow straight lines of "
    "latitude and longitude: the two reference points it was given place some of the map up "
    "to %4 m (%5 pixels) off.";
inline constexpr const char* GeorefUnusable =
    "%1 names a georeference that cannot be used: %2.\nThe map opens uncalibrated.";
inline constexpr const char* GeorefTakeCalibration =
    "%1 is georeferenced (%2, %3).\nTake its calibration for the location?";
}  // namespace str
