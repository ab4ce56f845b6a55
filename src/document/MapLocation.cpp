// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/MapLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>

#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "resources/Strings.h"

const ClassInfo CMapLocation::classInfo{"CMapLocation", 0, &CMapLocation::Create};

namespace {
// The missing files whose search the user cancelled during this read, and
// the files the user picked for the others.
thread_local QSet<QString> declined;
thread_local QHash<QString, QString> picked;

// A name stored on Windows: a drive letter or a share. It names no file
// here, and no folder makes it relative.
bool IsForeignAbsolute(const QString& name) {
    const bool drive = name.size() >= 2 && name[1] == ':' && name[0].unicode() < 0x80 &&
                       name[0].isLetter() &&
                       (name.size() == 2 || name[2] == '\\' || name[2] == '/');
    return drive || name.startsWith("\\\\");
}

bool IsBelow(const QString& path, const QString& folder) {
    return folder == "/" ? path.startsWith('/') : path.startsWith(folder + '/');
}
}  // namespace

void CMapLocation::SearchOnceEnd::Ended() {
    declined.clear();
    picked.clear();
}

void CMapLocation::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteI32(reserved2);
        ar.WriteI32(reserved1);
        ar.WriteString(fileName);
        ar.WriteRect(placement);
        return;
    }
    reserved2 = ar.ReadI32();
    reserved1 = ar.ReadI32();
    const QString name = ar.ReadString();
    const RectL rect = ar.ReadRect();
    if (ar.Failed()) return;
    if (DeferredLoads::Active()) {
        placement = rect;
        fileName = name;
        return;
    }
    SetImage(rect, name);
}

QString CMapLocation::NameFrom(const QString& folder) const {
    if (fileName.isEmpty() || !QDir::isRelativePath(fileName) || IsForeignAbsolute(fileName) ||
        fileName.contains(QChar(0)) || filenames::TooLongToExist(fileName))
        return fileName;
    // A relative name with no folder to stand on (a location built in
    // memory) has nothing to be rewritten against.
    if (searchFolder.isEmpty()) return fileName;
    const QString from = QDir::cleanPath(QDir(searchFolder).absolutePath());
    const QString to = QDir::cleanPath(QDir(folder).absolutePath());
    if (from == to) return fileName;
    const QString target = QDir::cleanPath(QDir(from).absoluteFilePath(fileName));
    if (IsBelow(target, to)) return QDir(to).relativeFilePath(target);
    return target;
}

QString CMapLocation::ResolvedPath() const {
    if (!fileName.isEmpty() && !searchFolder.isEmpty() && QDir::isRelativePath(fileName))
        return QDir(searchFolder).filePath(fileName);
    return fileName;
}

bool CMapLocation::HasImage() const {
    return image.HasPicture();
}

int CMapLocation::SetImage(const RectL& newPlacement, const QString& newFileName) {
    placement = newPlacement;
    fileName = newFileName;
    // No file name holds a NUL character, nor more than the system's path
    // limits: such a name is simply missing, whatever its length.
    if (fileName.isEmpty() || fileName.contains(QChar(0)) ||
        filenames::TooLongToExist(ResolvedPath()) || !QFileInfo::exists(ResolvedPath())) {
        if (!LocateMissingFile()) return 0;
    }
    return image.Load(ResolvedPath());
}

int CMapLocation::LocateMissingFile() {
    // Stored paths often come from another machine: the image usually lies
    // beside the location file.
    // Kept as the bare name, which counts from the location's folder, so a
    // folder of location and images can move as a whole.
    const qsizetype slash = std::max(fileName.lastIndexOf('/'), fileName.lastIndexOf('\\'));
    const QString bareName = fileName.mid(slash + 1);
    if (!searchFolder.isEmpty() && !bareName.isEmpty() && !bareName.contains(QChar(0)) &&
        bareName != "." && bareName != ".." && !filenames::TooLongToExist(bareName)) {
        const QString beside = QDir(searchFolder).filePath(bareName);
        if (!filenames::TooLongToExist(beside) && QFileInfo(beside).isFile()) {
            fileName = bareName;
            return 1;
        }
    }
    const bool remember = SearchOnce::Active();
    if (remember && declined.contains(fileName)) return 0;
    // Every other entry naming the same missing file takes the same answer.
    if (auto it = picked.constFind(fileName); remember && it != picked.constEnd()) {
        fileName = *it;
        return 1;
    }
    Prompts& prompts = Prompts::instance();
    prompts.message(QString(str::ImageNotFound).arg(filenames::Shown(fileName)),
                    Prompts::Buttons::Ok);
    std::optional<QString> chosen = prompts.openFileName(str::ImageFilter);
    if (!chosen) {
        if (remember) declined.insert(fileName);
        return 0;
    }
    if (remember) picked.insert(fileName, *chosen);
    fileName = *chosen;
    return 1;
}

void CMapLocation::Draw(QPainter& p, double zoom, const QRect& clip) {
    // A damaged file may hold any corners: draw only what fits a QRect.
    const int64_t width = int64_t(placement.right) - placement.left;
    const int64_t height = int64_t(placement.bottom) - placement.top;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX) return;
    image.Draw(p, QRect(placement.left, placement.top, int(width), int(height)), zoom, clip);
}
