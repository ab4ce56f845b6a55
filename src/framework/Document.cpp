// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Document.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "framework/AtomicFile.h"
#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "framework/RecentFileList.h"
#include "resources/Strings.h"

namespace {
// The wait cursor for the length of a read or write.
class WaitCursor {
public:
    WaitCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor), active = true;
    }
    ~WaitCursor() {
        if (active) QApplication::restoreOverrideCursor();
    }

private:
    bool active = false;
};
}  // namespace

CDocument::CDocument(QObject* parent) : QObject(parent), title(str::Untitled) {}

void CDocument::SetTitle(const QString& t) {
    title = t;
    emit titleChanged();
}

void CDocument::SetPathName(const QString& path, bool addToRecent) {
    pathName = path;
    if (addToRecent && recent && !path.isEmpty()) recent->Add(path);
    emit titleChanged();
}

void CDocument::SetModifiedFlag(bool m) {
    if (modified == m) return;
    modified = m;
    emit modifiedChanged(m);
}

QString CDocument::ProposedSaveName() const {
    if (!pathName.isEmpty()) return pathName;
    QString t = title.isEmpty() ? QString(str::Untitled) : title;
    return t + "." + str::DefaultExtension;
}

bool CDocument::SaveModified() {
    if (!IsModified()) return true;
    QString name = pathName.isEmpty() ? title : pathName;
    switch (Prompts::instance().message(QString(str::SaveChanges).arg(filenames::Shown(name)),
                                        Prompts::Buttons::YesNoCancel, Prompts::Icon::Question)) {
        case Prompts::Answer::Yes:
            return DoFileSave();
        case Prompts::Answer::No:
            return true;
        default:
            return false;
    }
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    pathName.clear();
    SetTitle(str::Untitled);
    return true;
}

QString CDocument::FileErrorMessage(const QString& path, CArchive::Error error, bool reading) {
    switch (error) {
        case CArchive::Error::DiskFull:
            return str::DiskFull;
        case CArchive::Error::WriteFault:
            return QString(str::WriteFault).arg(filenames::Shown(path));
        case CArchive::Error::ReadFault:
            return QString(str::ReadFault).arg(filenames::Shown(path));
        case CArchive::Error::None:
            return reading ? str::FailedToOpenDocument : str::FailedToSaveDocument;
        default:
            return str::UnexpectedFileFormat;
    }
}

namespace {
// Whether an open just failed for lack of permission. Qt reports such a
// failure as a plain open error, so the system's reason decides.
bool Denied(const QFileDevice& file) {
    return file.error() == QFileDevice::PermissionsError || errno == EACCES || errno == EPERM ||
           errno == EROFS;
}
}  // namespace

bool CDocument::OnOpenDocument(const QString& path) {
    QFileInfo info(path);
    auto& prompts = Prompts::instance();
    if (!info.exists()) {
        prompts.message(QString(str::FileNotFound).arg(filenames::Shown(path)));
        return false;
    }
    if (info.isDir()) {
        prompts.message(QString(str::NotAFile).arg(filenames::Shown(path)));
        return false;
    }
    // A pipe or a device would block the open or never end.
    if (!info.isFile()) {
        prompts.message(str::FailedToOpenDocument);
        return false;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        prompts.message(Denied(file) ? QString(str::AccessDenied).arg(filenames::Shown(path))
                                     : QString(str::FailedToOpenDocument));
        return false;
    }
    WaitCursor wait;
    DeleteContents();
    SetModifiedFlag(true);
    if (file.size() != 0) {
        CArchive ar(file, CArchive::Mode::Load);
        Serialize(ar);
        if (ar.Failed()) {
            prompts.message(FileErrorMessage(path, ar.GetError(), true));
            OnReadFailed(path);
            return false;
        }
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path) {
    auto& prompts = Prompts::instance();
    // Written beside the old file and renamed over it only when complete, so
    // a failed save never costs the previous version.
    CAtomicFile file(path);
    CAtomicFile::Status status = file.Open();
    if (status != CAtomicFile::Status::Ok) {
        prompts.message(CAtomicFile::Message(status, path));
        return false;
    }
    WaitCursor wait;
    CArchive::Error error = CArchive::Error::None;
    {
        CArchive ar(file.Device(), CArchive::Mode::Store);
        Serialize(ar);
        ar.Flush();
        error = ar.GetError();
    }
    if (error == CArchive::Error::DiskFull)
        file.Fail(CAtomicFile::Status::DiskFull);
    else if (error != CArchive::Error::None)
        file.Fail(CAtomicFile::Status::WriteFault);
    status = file.Commit();
    if (status != CAtomicFile::Status::Ok) {
        // Faults of the document's own data keep their own message.
        const bool ownFault = error != CArchive::Error::None &&
                              error != CArchive::Error::DiskFull &&
                              error != CArchive::Error::WriteFault;
        prompts.message(ownFault ? FileErrorMessage(path, error, false)
                                 : CAtomicFile::Message(status, path));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::DoSave(const QString& path, bool replace) {
    QString newName = path;
    if (newName.isEmpty()) {
        std::optional<QString> chosen =
            Prompts::instance().saveFileName(ProposedSaveName(), str::SaveFilter);
        if (!chosen) return false;
        newName = *chosen;
        if (QFileInfo(newName).suffix().isEmpty()) newName += QString(".") + str::DefaultExtension;
    }
    if (!OnSaveDocument(newName)) return false;
    if (replace) SetPathName(newName);
    return true;
}

bool CDocument::DoFileSave() {
    if (pathName.isEmpty()) return DoSave(QString());
    QFileInfo info(pathName);
    if (info.exists() && !info.isWritable()) return DoSave(QString());
    return DoSave(pathName);
}

bool CDocument::OpenDocumentFile(const QString& requested) {
    // A copy: the caller's string may live in the recent list this open reorders.
    const QString path = requested;
    if (!SaveModified()) return false;
    if (!OnOpenDocument(path)) return false;
    SetPathName(path);
    return true;
}

bool CDocument::NewDocument() {
    if (!SaveModified()) return false;
    return OnNewDocument();
}
