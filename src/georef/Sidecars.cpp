// SPDX-License-Identifier: GPL-3.0-or-later
#include "georef/Sidecars.h"

#include <QDir>
#include <QFile>

namespace georef {

QString Beside(const QFileInfo& image, const QStringList& endings) {
    const QDir dir = image.absoluteDir();
    const QString base = image.completeBaseName();
    const QStringList present = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& ending : endings) {
        const QString wanted = base + "." + ending;
        for (const QString& name : present)
            if (name.compare(wanted, Qt::CaseInsensitive) == 0) return dir.filePath(name);
    }
    return {};
}

QStringList WorldFileEndings(const QString& suffix) {
    const QString s = suffix.toLower();
    QStringList out;
    if (s.size() >= 2) out << QString(s.front()) + s.back() + "w";
    if (!s.isEmpty()) out << s + "w";
    if (s == "jpeg" || s == "jpe" || s == "jpg")
        out << "jgw"
            << "jpgw";
    if (s == "tiff" || s == "tif")
        out << "tfw"
            << "tifw";
    out << "wld";
    out.removeDuplicates();
    return out;
}

bool HasGeoTiffTags(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.isSequential()) return false;
    const QByteArray head = f.read(8);
    if (head.size() < 8) return false;
    const bool little = head.startsWith("II*");
    if (!little && !head.startsWith(QByteArray("MM\0*", 4))) return false;
    auto u16 = [&](const uchar* p) {
        return little ? quint16(p[0] | p[1] << 8) : quint16(p[0] << 8 | p[1]);
    };
    auto u32 = [&](const uchar* p) {
        return little ? quint32(p[0] | p[1] << 8 | p[2] << 16 | quint32(p[3]) << 24)
                      : quint32(quint32(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]);
    };
    const quint32 offset = u32(reinterpret_cast<const uchar*>(head.constData()) + 4);
    if (!f.seek(offset)) return false;
    const QByteArray countBytes = f.read(2);
    if (countBytes.size() < 2) return false;
    const int count = u16(reinterpret_cast<const uchar*>(countBytes.constData()));
    const QByteArray entries = f.read(qint64(count) * 12);
    for (int i = 0; i + 1 < count && (i + 1) * 12 <= entries.size(); ++i) {
        const quint16 tag = u16(reinterpret_cast<const uchar*>(entries.constData()) + i * 12);
        if (tag == 33550 || tag == 33922 || tag == 34264 || tag == 34735) return true;
    }
    if (count > 0 && count * 12 <= entries.size()) {
        const quint16 tag =
            u16(reinterpret_cast<const uchar*>(entries.constData()) + (count - 1) * 12);
        if (tag == 33550 || tag == 33922 || tag == 34264 || tag == 34735) return true;
    }
    return false;
}

bool IsTiff(const QString& path) {
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly) || f.isSequential()) return false;
    const QByteArray head = f.read(4);
    return head == QByteArray("II*\0", 4) || head == QByteArray("MM\0*", 4) ||
           head == QByteArray("II+\0", 4) || head == QByteArray("MM\0+", 4);
}

}  // namespace georef
