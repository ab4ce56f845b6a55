// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A record written to bytes in memory, and bytes read back as a record: for
// round trips (tests, the fuzz harness) without files.

#include <QBuffer>
#include <QByteArray>

#include "framework/Archive.h"

namespace archivebytes {

template <typename F>
QByteArray Store(F write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        CArchive ar(buffer, CArchive::Mode::Store);
        write(ar);
    }
    return bytes;
}

// Returns the archive's error after read; *left gets the bytes the reader
// did not take (when given).
template <typename F>
CArchive::Error Load(const QByteArray& bytes, F read, int64_t* left = nullptr) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(buffer, CArchive::Mode::Load);
    read(ar);
    if (left) *left = ar.BytesLeft();
    return ar.GetError();
}

}  // namespace archivebytes
