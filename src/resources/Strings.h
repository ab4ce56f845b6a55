#pragma once

// Every text the user sees, once. Formats use Qt's %1 placeholders unless a
// comment says the text is a printf format.
namespace str {
// Application
inline constexpr const char* AppTitle = "Fenmarrow Utilities";
inline constexpr const char* FrameTitle = "Fenmarrow";
inline constexpr const char* Untitled = "Untitled";
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
    "Fenmarrow Files(*.fnm) (*.fnm);;JPeg Files(*.jpg) (*.jpg *.JPG);;Bitmap Files(*.bmp) "
    "(*.bmp *.BMP);;All Files (*.*) (*)";
inline constexpr const char* SaveFilter = "Fenmarrow Map Files(*.fnm) (*.fnm);;All Files (*.*) (*)";
inline constexpr const char* ImageFilter = "Image Files(*.jpg , *.bmp) (*.jpg *.JPG *.bmp *.BMP)";
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
inline constexpr const char* AboutMailButton = "Email Fenmarrow";
inline constexpr const char* AboutMailTip = "Send mail to author";
inline constexpr const char* AboutDontShow = "Do Not show on Application Startup";
inline constexpr const char* OleInitFailed =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

// Panels and status bar
inline constexpr const char* PointDisplayTitle = "Point Display";
inline constexpr const char* SunDisplayTitle = "Sun Display";
inline constexpr const char* AdPanelTitle = "Fenmarrow";
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
}  // namespace str
