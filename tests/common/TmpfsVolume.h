// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
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

// A save through the user interface at every free size from 0 to a little
// more than it needs, over a file at path holding old: save (which answers
// the file dialog with path) must write fresh whole when there is room, and
// otherwise leave old byte for byte with the disk-full message alone.
void ExpectSaveWholeOrRefused(TmpfsVolume& volume, const QString& path, const QByteArray& old,
                              const QByteArray& fresh, const std::function<void()>& save);
