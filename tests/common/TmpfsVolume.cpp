// SPDX-License-Identifier: GPL-3.0-or-later
#include "TmpfsVolume.h"

#include <gtest/gtest.h>

#include <QDir>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "resources/Strings.h"

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>

namespace {
constexpr const char* kFiller = ".filler";
}

TmpfsVolume::TmpfsVolume(qint64 bytes) {
    if (!dir.isValid()) {
        reason = "no temporary folder";
        return;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, options.c_str()) !=
        0) {
        reason = QString("cannot mount a tmpfs (%1); run as root to test full disks")
                     .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    isMounted = true;
}

TmpfsVolume::~TmpfsVolume() {
    if (isMounted) ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
}

qint64 TmpfsVolume::Free() const {
    struct statvfs st {};
    if (::statvfs(QFile::encodeName(dir.path()).constData(), &st) != 0) return -1;
    return qint64(st.f_bavail) * qint64(st.f_frsize);
}

bool TmpfsVolume::LeaveFree(qint64 bytes) {
    const QString filler = dir.filePath(kFiller);
    Unfill();
    const qint64 pad = Free() - bytes;
    if (pad < 0) return false;
    QFile file(filler);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray block(1 << 16, '\0');
    for (qint64 left = pad; left > 0;) {
        const qint64 n = std::min<qint64>(left, block.size());
        if (file.write(block.constData(), n) != n) return false;
        left -= n;
    }
    file.close();
    return Free() == bytes;
}

void TmpfsVolume::Unfill() {
    QFile::remove(dir.filePath(kFiller));
}

std::vector<qint64> TmpfsVolume::FreeSizes(qint64 upTo, qint64 step) {
    std::vector<qint64> sizes;
    for (qint64 f = 0;; f += step) {
        sizes.push_back(f);
        if (f >= upTo) break;
    }
    return sizes;
}

void ExpectSaveWholeOrRefused(TmpfsVolume& volume, const QString& path, const QByteArray& old,
                              const QByteArray& fresh, const std::function<void()>& save) {
    constexpr qint64 kPage = 4096;
    const qint64 needed = (fresh.size() + kPage - 1) / kPage * kPage;
    for (qint64 free : TmpfsVolume::FreeSizes(fresh.size() + 64 * 1024)) {
        SCOPED_TRACE("free " + std::to_string(free));
        volume.Unfill();
        ASSERT_TRUE(testutil::WriteAll(path, old));
        ASSERT_TRUE(volume.LeaveFree(free));
        scripted().reset();
        scripted().saveFile(path);
        save();
        if (free >= needed) {
            EXPECT_EQ(testutil::ReadAll(path), fresh);
            EXPECT_TRUE(scripted().messages.isEmpty());
        } else {
            EXPECT_EQ(testutil::ReadAll(path), old);
            EXPECT_EQ(scripted().messages, QStringList{str::DiskFull});
        }
        // The file and the padding: no temporary file is left behind.
        EXPECT_EQ(QDir(volume.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
}
