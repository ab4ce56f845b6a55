// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

#include "framework/AtomicFile.h"

// A file that a writer such as QPdfWriter fills as it goes, saved whole or
// not at all. Such writers never look at what a write returned, and the
// file's own error is cleared again by later calls; this device remembers
// the first write that fell short, so Commit refuses the file and says why.
class CStreamedFile : public QIODevice {
public:
    explicit CStreamedFile(const QString& path);

    CAtomicFile::Status Open();
    // After a short write: the file is discarded with that write's cause.
    CAtomicFile::Status Commit();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    CAtomicFile file;
    CAtomicFile::Status failure = CAtomicFile::Status::Ok;
};
