// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "framework/CommandTable.h"
#include "framework/RecentFileList.h"

class CMainFrame;

// What the command line asked for.
struct StartupOptions {
    QString file;         // a location or image to open
    QString defaultFile;  // opened when nothing else is (the bundled sample)
    QString printTo;      // --print-to PRINTER
    bool print = false;   // --print: print FILE and exit
};

// The application object: settings, the one document type, start-up and exit.
class CTarnlightApp : public QObject {
    Q_OBJECT
public:
    CTarnlightApp();
    ~CTarnlightApp() override;

    // The start-up sequence; false ends the program at once.
    bool InitInstance(const StartupOptions& options);
    // Writes "SPLASH" and the recent-file list.
    void ExitInstance();

    int loadLastFile = 0;
    int showSplash = 1;

    RecentFileList& Recent() { return recent; }
    CommandMap& Commands() { return appMap; }
    CMainFrame* Frame() { return frame.get(); }
    // Closes and destroys the frame (tests simulate a shutdown with it).
    void DestroyFrame();

    void OnAppAbout();
    void OnHelp();

private:
    RecentFileList recent;
    CommandMap appMap;
    std::unique_ptr<CMainFrame> frame;
};
