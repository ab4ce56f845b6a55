// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/StreamedFile.h"

#include <QFileDevice>
#include <cerrno>

CStreamedFile::CStreamedFile(const QString& path) : file(path) {}

CAtomicFile::Status CStreamedFile::Open() {
    const CAtomicFile::Status status = file.Open();
    if (status == CAtomicFile::Status::Ok) QIODevice::open(QIODevice::WriteOnly);
    return status;
}

qint64 CStreamedFile::writeData(const char* data, qint64 length) {
    if (failure != CAtomicFile::Status::Ok) return -1;
    errno = 0;
    const qint64 written = file.Device().write(data, length);
    if (written == length) return length;
    const int err = errno;
    const auto* device = qobject_cast<QFileDevice*>(&file.Device());
    if (device && device->error() == QFileDevice::ResourceError)
        failure = CAtomicFile::Status::DiskFull;
    else
        failure = err ? CAtomicFile::FromErrno(err) : CAtomicFile::Status::WriteFault;
    return -1;
}

CAtomicFile::Status CStreamedFile::Commit() {
    close();
    if (failure != CAtomicFile::Status::Ok) file.Fail(failure);
    return file.Commit();
}
