// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/AtomicFile.h"
#include "framework/FileNames.h"

#include <unistd.h>
#include <QFileInfo>
#include <cerrno>

#include "resources/Strings.h"

CAtomicFile::CAtomicFile(const QString& path) : file(path) {}

CAtomicFile::~CAtomicFile() {
    if (open) Discard(Status::WriteFault);
}

CAtomicFile::Status CAtomicFile::FromErrno(int err) {
    switch (err) {
        case ENOSPC:
        case EDQUOT:
            return Status::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return Status::AccessDenied;
        case EISDIR:
            return Status::NotAFile;
        default:
            return Status::WriteFault;
    }
}

QString CAtomicFile::Message(Status status, const QString& path) {
    switch (status) {
        case Status::Ok:
            return {};
        case Status::DiskFull:
            return str::DiskFull;
        case Status::AccessDenied:
            return QString(str::AccessDenied).arg(filenames::Shown(path));
        case Status::NotAFile:
            return QString(str::NotAFile).arg(filenames::Shown(path));
        case Status::WriteFault:
            break;
    }
    return QString(str::WriteFault).arg(filenames::Shown(path));
}

CAtomicFile::Status CAtomicFile::Open() {
    if (QFileInfo(file.fileName()).isDir()) return Status::NotAFile;
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int err = errno;
        if (file.error() == QFileDevice::PermissionsError) return Status::AccessDenied;
        return err ? FromErrno(err) : Status::WriteFault;
    }
    open = true;
    failure = Status::Ok;
    return Status::Ok;
}

void CAtomicFile::Fail(Status why) {
    if (failure == Status::Ok && why != Status::Ok) failure = why;
}

CAtomicFile::Status CAtomicFile::Discard(Status why) {
    file.cancelWriting();
    file.commit();  // removes the hidden file; the target is untouched
    open = false;
    return why;
}

CAtomicFile::Status CAtomicFile::Commit() {
    if (!open) return Status::WriteFault;
    if (failure != Status::Ok)
        return Discard(file.error() == QFileDevice::ResourceError ? Status::DiskFull : failure);
    // Qt keeps the first failure of a write in error(); the errno of the
    // refused call tells a full disk from anything else.
    errno = 0;
    const bool flushed = file.flush();
    const int err = errno;
    if (!flushed || file.error() != QFileDevice::NoError) {
        if (file.error() == QFileDevice::ResourceError) return Discard(Status::DiskFull);
        return Discard(err ? FromErrno(err) : Status::WriteFault);
    }
    // A file system that allocates late reports a full disk only here.
    if (file.handle() >= 0 && ::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return Discard(FromErrno(errno));
    open = false;
    errno = 0;
    if (!file.commit()) return errno ? FromErrno(errno) : Status::WriteFault;
    return Status::Ok;
}

CAtomicFile::Status CAtomicFile::Write(const QString& path, const QByteArray& bytes) {
    CAtomicFile out(path);
    if (Status s = out.Open(); s != Status::Ok) return s;
    errno = 0;
    if (out.Device().write(bytes) != bytes.size())
        out.Fail(errno ? FromErrno(errno) : Status::WriteFault);
    return out.Commit();
}
