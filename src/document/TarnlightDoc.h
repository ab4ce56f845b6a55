// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "framework/Archive.h"
#include "framework/Document.h"

class CMapLocation;
class CTarnLocation;

// The location's file life: new, open, save and save as. The document holds
// no location data: it serves the one location the view shows (or, in the
// command-line tool and tests, a plain one) and tells the view through
// signals when that location was replaced or written.
class CTarnlightDoc : public CDocument {
    Q_OBJECT
public:
    explicit CTarnlightDoc(QObject* parent = nullptr);
    ~CTarnlightDoc() override;

    // Not owned. Must be set before any read or write.
    void SetLocation(CTarnLocation* location) { this->location = location; }
    CTarnLocation* Location() const { return location; }
    // Parent of the user info point windows; null reads files headless.
    void SetViewWindow(QWidget* window) { viewWindow = window; }
    QWidget* ViewWindow() const { return viewWindow.data(); }

    // File New. The first one of a run reopens "LASTFILE" when loadLastFile
    // is set; every other one (and one with nothing to reopen) empties the
    // location.
    bool OnNewDocument() override;
    // A read that fails part-way leaves the location, the name and the
    // modified flag as they were before.
    bool OnOpenDocument(const QString& path) override;
    // Never writes under a "qlt", "jpg" or "bmp" name: those become a Save
    // As proposing the name ending in "fnm", and this save reports failure.
    bool OnSaveDocument(const QString& path) override;
    // Chooses the form by the name's last three characters: "bmp" and "jpg"
    // are one-image locations, "qlt" the older form, anything else a
    // location file, except the other map images (imageopen::OpensAsImage),
    // which are one-image locations too, calibrated by their georeference.
    void Serialize(CArchive& ar) override;

    // Open command (57601): offers to save changes first, then the open
    // dialog and the open step.
    void OnFileOpen();
    // Save As command (57604).
    bool OnFileSaveAs();

    // How the last read or write through Serialize ended.
    CArchive::Error LastArchiveError() const { return lastError; }

    // Whether a path names one of the forms that are never written.
    static bool IsReadOnlyForm(const QString& path);
    // path with its last three characters replaced by "fnm".
    static QString WithLocationEnding(const QString& path);

    int32_t startupDone = 0;
    // Set by the application from "LOADLASTFILE".
    int32_t loadLastFile = 0;

signals:
    // The location was replaced or written: the view resets its scroll
    // sizes, magnifier bounds and mode.
    void resetAfterLoad();
    // The whole view needs repainting.
    void invalidateView();
    // The location now holds what a file or File New gave it: nothing drawn
    // in it so far is the user's to undo.
    void contentReplaced();

protected:
    void OnReadFailed(const QString& path) override;
    // The name written for entry into a location file in folder.
    virtual QString WrittenName(const CMapLocation& entry, const QString& folder) const;

private:
    CTarnLocation* location = nullptr;
    QPointer<QWidget> viewWindow;
    // What the location held before the read in progress; put back when the
    // read fails, so a damaged file never replaces the user's location.
    std::unique_ptr<CTarnLocation> previous;
    // Full path of the file being read or written.
    QString archivePath;
    CArchive::Error lastError = CArchive::Error::None;
    bool readFailed = false;
};
