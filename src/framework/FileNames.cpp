// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FileNames.h"

#include <QFile>
#include <climits>

namespace filenames {

namespace {
constexpr QChar kEllipsis(0x2026);

// Moves a cut off the middle of a surrogate pair.
qsizetype CutBefore(const QString& s, qsizetype at) {
    if (at > 0 && at < s.size() && s[at].isLowSurrogate() && s[at - 1].isHighSurrogate()) --at;
    return at;
}
}  // namespace

QString Shown(const QString& name) {
    if (name.size() <= kShownLength) return name;
    const qsizetype keep = kShownLength - 1;
    const qsizetype head = CutBefore(name, keep / 2);
    const qsizetype tail = CutBefore(name, name.size() - (keep - keep / 2));
    return name.left(head) + kEllipsis + name.mid(tail);
}

bool TooLongToExist(const QString& name) {
    // Every UTF-16 unit takes at least one byte in the local encoding, so a
    // name this long needs no encoding to be refused.
    if (name.size() >= PATH_MAX) return true;
    const QByteArray local = QFile::encodeName(name);
    if (local.size() >= PATH_MAX) return true;
    qsizetype start = 0;
    while (start <= local.size()) {
        qsizetype slash = local.indexOf('/', start);
        if (slash < 0) slash = local.size();
        if (slash - start > NAME_MAX) return true;
        start = slash + 1;
    }
    return false;
}

}  // namespace filenames
