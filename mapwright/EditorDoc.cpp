// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/EditorDoc.h"

#include <QDir>
#include <QFileInfo>

#include "document/MapLocation.h"
#include "framework/Prompts.h"
#include "mapwright/EditorStrings.h"

CEditorDoc::CEditorDoc(QObject* parent) : CTarnlightDoc(parent), editor(location, undo) {
    SetLocation(&location);
    connect(&undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!clearingHistory) SetModifiedFlag(!clean);
    });
}

void CEditorDoc::StartHistoryAfresh() {
    const bool modified = IsModified();
    clearingHistory = true;
    undo.clear();
    clearingHistory = false;
    SetModifiedFlag(modified);
}

bool CEditorDoc::OnNewDocument() {
    const bool ok = CTarnlightDoc::OnNewDocument();
    // The first New of a run does not empty the location; the editor's
    // always starts empty.
    location.Reset();
    StartHistoryAfresh();
    editor.UpdateExtent();
    emit locationReplaced();
    return ok;
}

bool CEditorDoc::OnOpenDocument(const QString& path) {
    // A file that cannot be opened or read leaves the location as it was,
    // and its history still applies.
    if (!CTarnlightDoc::OnOpenDocument(path)) return false;
    StartHistoryAfresh();
    emit locationReplaced();
    return true;
}

bool CEditorDoc::OnSaveDocument(const QString& path) {
    const bool ok = CTarnlightDoc::OnSaveDocument(path);
    // A save under an image's name goes on as a Save As to another name and
    // reports failure although that one was written.
    if (!IsModified()) undo.setClean();
    return ok;
}

QString CEditorDoc::WrittenName(const CMapLocation& entry, const QString& folder) const {
    return StoredName(entry, folder, relativePaths);
}

QString CEditorDoc::StoredName(const CMapLocation& entry, const QString& locationFolder,
                               bool relative) {
    if (entry.fileName.isEmpty()) return entry.fileName;
    if (relative) {
        const QString absolute = QFileInfo(entry.ResolvedPath()).absoluteFilePath();
        return QDir(locationFolder).relativeFilePath(absolute);
    }
    return entry.NameFrom(locationFolder);
}

bool CEditorDoc::OpenWithDialog() {
    if (!SaveModified()) return false;
    std::optional<QString> chosen = Prompts::instance().openFileName(mwstr::OpenFilter);
    if (!chosen) return false;
    return OnOpenDocument(*chosen);
}
