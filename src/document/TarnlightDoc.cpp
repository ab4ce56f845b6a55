// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/TarnlightDoc.h"

#include <QFileInfo>
#include <memory>
#include <vector>

#include "document/ImageOpen.h"
#include "document/MapLocation.h"
#include "document/TarnLocTemplate.h"
#include "document/TarnLocation.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "resources/Strings.h"

namespace {
QString Ending(const QString& path) {
    return path.right(3).toLower();
}
}  // namespace

CTarnlightDoc::CTarnlightDoc(QObject* parent) : CDocument(parent) {}

CTarnlightDoc::~CTarnlightDoc() = default;

bool CTarnlightDoc::IsReadOnlyForm(const QString& path) {
    const QString ending = Ending(path);
    return ending == "qlt" || ending == "jpg" || ending == "bmp" || imageopen::OpensAsImage(path);
}

QString CTarnlightDoc::WithLocationEnding(const QString& path) {
    const QString ending = Ending(path);
    if (ending != "qlt" && ending != "jpg" && ending != "bmp")
        return imageopen::WithLocationEnding(path);
    return path.left(path.size() - 3) + str::DefaultExtension;
}

bool CTarnlightDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return false;
    const QString last = SettingsStore::instance().String(setting::LastFile);
    const bool reopen = !startupDone && loadLastFile && !last.isEmpty();
    startupDone = 1;
    if (location) location->Reset();
    if (reopen) {
        OnOpenDocument(last);
        // A file that was there but could not be read keeps no name, so
        // the next Save cannot overwrite it with the partial location.
        if (!readFailed) {
            SetTitle(last);
            SetPathName(last);
        }
    }
    emit contentReplaced();
    emit resetAfterLoad();
    emit invalidateView();
    return true;
}

bool CTarnlightDoc::OnOpenDocument(const QString& path) {
    archivePath = QFileInfo(path).absoluteFilePath();
    readFailed = false;
    lastError = CArchive::Error::None;
    const QString oldTitle = GetTitle();
    const QString oldPath = GetPathName();
    const bool wasModified = IsModified();
    const bool ok = CDocument::OnOpenDocument(path);
    if (previous && readFailed && location) {
        // Whatever the damaged file gave is dropped with its windows; the
        // location, its name and its state are the ones it had.
        location->SwapContent(*previous);
        location->userInfoPoints.SetParent(viewWindow);
        SetTitle(oldTitle);
        SetPathName(oldPath, false);
        SetModifiedFlag(wasModified);
        emit resetAfterLoad();
        emit invalidateView();
    }
    previous.reset();
    if (ok) emit contentReplaced();
    return ok;
}

void CTarnlightDoc::OnReadFailed(const QString&) {
    readFailed = true;
}

bool CTarnlightDoc::OnSaveDocument(const QString& path) {
    if (IsReadOnlyForm(path)) {
        SetPathName(WithLocationEnding(path));
        DoSave(QString());
        return false;
    }
    const QString oldTitle = GetTitle();
    const QString oldPath = GetPathName();
    archivePath = QFileInfo(path).absoluteFilePath();
    lastError = CArchive::Error::None;
    if (CDocument::OnSaveDocument(path)) return true;
    // The file on disk is untouched; so is the name the document goes by.
    SetTitle(oldTitle);
    SetPathName(oldPath, false);
    return false;
}

void CTarnlightDoc::Serialize(CArchive& ar) {
    if (!location) {
        ar.SetError(ar.IsLoading() ? CArchive::Error::BadFormat : CArchive::Error::WriteFault);
        lastError = ar.GetError();
        return;
    }
    if (ar.IsLoading() && !previous) {
        // Set aside until the read is known to be complete.
        previous = std::make_unique<CTarnLocation>();
        previous->SwapContent(*location);
        location->CopyKeptSettings(*previous);
    }
    location->userInfoPoints.SetParent(viewWindow);
    location->maps.SetSearchFolder(QFileInfo(archivePath).absolutePath());
    SetTitle(archivePath);
    // The recent files get the name only once the read or write succeeded.
    SetPathName(archivePath, false);

    const QString ending = Ending(archivePath);
    if (ar.IsStoring() && IsReadOnlyForm(archivePath)) {
        // The save step never gets here; refusing keeps an image safe even so.
        ar.SetError(CArchive::Error::WriteFault);
    } else if (ending == "bmp" || ending == "jpg" || imageopen::OpensAsImage(archivePath)) {
        location->Reset();
        location->maps.SetSingleImage(archivePath);
        imageopen::TakeGeoreference(*location, archivePath);
    } else if (ending == "qlt") {
        auto loaded = std::make_unique<CTarnLocTemplate>();
        loaded->maps.SetSearchFolder(location->maps.SearchFolder());
        {
            CMapLocation::DeferredLoads structureFirst;
            loaded->Serialize(ar);
        }
        location->Reset();
        if (!ar.Failed()) {
            // Copying loads each image again; the two loads share a decode.
            DecodedImage::SharedLoads shareDecodes;
            loaded->maps.LoadImages();
            static_cast<Calibration&>(*location) = static_cast<const Calibration&>(*loaded);
            location->maps.CopyFrom(loaded->maps);
            location->mapPoints.CopyFrom(loaded->mapPoints);
        }
    } else if (ar.IsLoading()) {
        location->Reset();
        {
            CMapLocation::DeferredLoads structureFirst;
            location->SerializeLocation(ar);
        }
        if (!ar.Failed()) location->maps.LoadImages();
    } else {
        // Relative names count from the folder the location was read from;
        // written into another folder they must still reach the same files.
        // Only the names written change: the entries go on finding theirs.
        const QString folder = QFileInfo(archivePath).absolutePath();
        std::vector<QString> held;
        for (auto& entry : location->maps.entries) {
            held.push_back(entry->fileName);
            entry->fileName = WrittenName(*entry, folder);
        }
        location->SerializeLocation(ar);
        for (size_t i = 0; i < held.size() && i < location->maps.entries.size(); ++i)
            location->maps.entries[i]->fileName = held[i];
    }
    lastError = ar.GetError();
    emit resetAfterLoad();
    emit invalidateView();
}

QString CTarnlightDoc::WrittenName(const CMapLocation& entry, const QString& folder) const {
    return entry.NameFrom(folder);
}

void CTarnlightDoc::OnFileOpen() {
    // Unlike the old command, never drop unsaved changes without asking.
    if (!SaveModified()) return;
    std::optional<QString> chosen = Prompts::instance().openFileName(str::OpenFilter);
    if (!chosen) return;
    if (OnOpenDocument(*chosen)) SetPathName(GetPathName());
}

bool CTarnlightDoc::OnFileSaveAs() {
    if (IsReadOnlyForm(GetPathName())) SetPathName(WithLocationEnding(GetPathName()));
    return DoSave(QString());
}
