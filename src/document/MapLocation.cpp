#include "document/MapLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <climits>

#include "framework/Prompts.h"
#include "resources/Strings.h"

const ClassInfo CMapLocation::classInfo{"CMapLocation", 0, &CMapLocation::Create};

namespace {
// The missing files whose search the user cancelled during this read.
thread_local QSet<QString> declined;
}  // namespace

void CMapLocation::SearchOnceEnd::Ended() {
    declined.clear();
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

QString CMapLocation::ResolvedPath() const {
    if (!fileName.isEmpty() && !searchFolder.isEmpty() && QDir::isRelativePath(fileName))
        return QDir(searchFolder).filePath(fileName);
    return fileName;
}

bool CMapLocation::HasImage() const {
    return image.isBitmap ? !image.bitmap.isNull() : image.pixels != nullptr;
}

int CMapLocation::SetImage(const RectL& newPlacement, const QString& newFileName) {
    placement = newPlacement;
    fileName = newFileName;
    // No file name holds a NUL character: such a name is simply missing.
    if (fileName.isEmpty() || fileName.contains(QChar(0)) || !QFileInfo::exists(ResolvedPath())) {
        if (!LocateMissingFile()) return 0;
    }
    return image.Load(ResolvedPath());
}

int CMapLocation::LocateMissingFile() {
    // Stored paths often come from another machine: the image usually lies
    // beside the location file.
    const qsizetype slash = std::max(fileName.lastIndexOf('/'), fileName.lastIndexOf('\\'));
    const QString bareName = fileName.mid(slash + 1);
    if (!searchFolder.isEmpty() && !bareName.isEmpty() && !bareName.contains(QChar(0))) {
        const QFileInfo beside(QDir(searchFolder).filePath(bareName));
        if (beside.isFile()) {
            fileName = beside.absoluteFilePath();
            return 1;
        }
    }
    if (SearchOnce::Active() && declined.contains(fileName)) return 0;
    Prompts& prompts = Prompts::instance();
    prompts.message(QString(str::ImageNotFound).arg(fileName), Prompts::Buttons::Ok);
    std::optional<QString> chosen = prompts.openFileName(str::ImageFilter);
    if (!chosen) {
        if (SearchOnce::Active()) declined.insert(fileName);
        return 0;
    }
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
