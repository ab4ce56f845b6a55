// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include "framework/Archive.h"

class RecentFileList;

// The document base: title, path name, modified flag, and the open and save
// steps around an archive. Derived documents supply Serialize and may take
// over the individual steps.
class CDocument : public QObject {
    Q_OBJECT
public:
    explicit CDocument(QObject* parent = nullptr);

    QString GetTitle() const { return title; }
    void SetTitle(const QString& t);
    QString GetPathName() const { return pathName; }
    // Also puts the path on the recent-file list when asked (and non-empty).
    void SetPathName(const QString& path, bool addToRecent = true);
    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool m = true);

    void SetRecentFileList(RecentFileList* list) { recent = list; }

    // "Save changes to %1?" when modified: Yes saves, No discards, Cancel
    // keeps everything. Returns false when the caller must not go on.
    bool SaveModified();

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar) = 0;

    // Writes to `path`; an empty path asks for a name first (Save As).
    // With replace the written name becomes the document's path name.
    bool DoSave(const QString& path, bool replace = true);
    bool DoFileSave();
    // The framework's own open path (recent files, command line): asks to
    // save changes first, then opens and records the name.
    virtual bool OpenDocumentFile(const QString& path);
    // File New: asks to save changes first, then the new-document step.
    bool NewDocument();

    // The message for a failed read or write of `path`.
    static QString FileErrorMessage(const QString& path, CArchive::Error error, bool reading);

signals:
    void titleChanged();
    void modifiedChanged(bool modified);

protected:
    // Shown for a failed read, after the message; the derived document may
    // need to repair its state.
    virtual void OnReadFailed(const QString& path) {}
    // Name proposed by Save As.
    virtual QString ProposedSaveName() const;

private:
    QString title;
    QString pathName;
    bool modified = false;
    RecentFileList* recent = nullptr;
};
