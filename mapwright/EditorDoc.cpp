#include "mapwright/EditorDoc.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

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
    savingTo = QFileInfo(path).absoluteFilePath();
    const bool ok = CTarnlightDoc::OnSaveDocument(path);
    // A save under an image's name goes on as a Save As to another name and
    // reports failure although that one was written.
    if (!IsModified()) undo.setClean();
    return ok;
}

void CEditorDoc::Serialize(CArchive& ar) {
    if (!ar.IsStoring()) {
        CTarnlightDoc::Serialize(ar);
        return;
    }
    // Only the names written change; the entries keep the names the user
    // picked, which still find their images.
    const QString folder = QFileInfo(savingTo).absolutePath();
    std::vector<QString> picked;
    for (auto& entry : location.maps.entries) {
        picked.push_back(entry->fileName);
        entry->fileName = StoredName(*entry, folder, relativePaths);
    }
    CTarnlightDoc::Serialize(ar);
    for (size_t i = 0; i < picked.size() && i < location.maps.entries.size(); ++i)
        location.maps.entries[i]->fileName = picked[i];
}

QString CEditorDoc::StoredName(const CMapLocation& entry, const QString& locationFolder,
                               bool relative) {
    if (entry.fileName.isEmpty()) return entry.fileName;
    const QString absolute = QFileInfo(entry.ResolvedPath()).absoluteFilePath();
    if (relative) return QDir(locationFolder).relativeFilePath(absolute);
    if (QDir::isRelativePath(entry.fileName) &&
        QDir(entry.searchFolder).absolutePath() != QDir(locationFolder).absolutePath())
        return absolute;
    return entry.fileName;
}

bool CEditorDoc::OpenWithDialog() {
    if (!SaveModified()) return false;
    std::optional<QString> chosen = Prompts::instance().openFileName(mwstr::OpenFilter);
    if (!chosen) return false;
    return OnOpenDocument(*chosen);
}
