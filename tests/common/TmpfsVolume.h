// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <vector>

// A small RAM file system of its own, so a test can run a disk out of space
// at an exact point. Mounting needs root; without it mounted() is false and
// why() says what went wrong.
class TmpfsVolume {
public:
    explicit TmpfsVolume(qint64 bytes);
    ~TmpfsVolume();
    TmpfsVolume(const TmpfsVolume&) = delete;
    TmpfsVolume& operator=(const TmpfsVolume&) = delete;

    bool mounted() const { return isMounted; }
    QString why() const { return reason; }
    QString path() const { return dir.path(); }
    QString filePath(const QString& name) const { return dir.filePath(name); }

    qint64 Free() const;
    // Pads the volume so that exactly `bytes` (a multiple of the page size)
    // stay free; false when it already has less.
    bool LeaveFree(qint64 bytes);
    // Gives the padding back.
    void Unfill();

    // 0, step, 2 step, ... up to and including `upTo` rounded up to a step.
    static std::vector<qint64> FreeSizes(qint64 upTo, qint64 step = 4096);

private:
    QTemporaryDir dir;
    bool isMounted = false;
    QString reason;
};
