// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file written whole or not at all. The bytes go to a hidden file beside
// the target, which takes the target's place only once every byte is on the
// disk. A buffered write that "succeeded" proves nothing (the last block
// fails inside the final flush), so Commit flushes, syncs and checks before
// renaming; on any failure the target keeps its old bytes.
class CAtomicFile {
public:
    enum class Status { Ok, DiskFull, WriteFault, AccessDenied, NotAFile };

    explicit CAtomicFile(const QString& path);
    ~CAtomicFile();  // an uncommitted file is discarded
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    Status Open();
    // Where the writer puts its bytes, between Open and Commit.
    QIODevice& Device() { return file; }
    // A writer's own failure (a refused write it saw first); Commit then
    // discards the file and reports it.
    void Fail(Status why);
    Status Commit();

    // Opens, writes `bytes`, commits.
    static Status Write(const QString& path, const QByteArray& bytes);

    // The failure behind the last system call, as the user is told it.
    static Status FromErrno(int err);
    // The framework's message for a failed write of `path`.
    static QString Message(Status status, const QString& path);

private:
    Status Discard(Status why);

    QSaveFile file;
    Status failure = Status::Ok;
    bool open = false;
};
