// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Settings.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QSettings>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <cstring>

namespace {
struct Default {
    const char* key;
    int value;
};
// clang-format off
constexpr Default kDefaults[] = {
    {setting::LoadLastFile, 0}, {setting::Splash, 1},   {setting::ShowXY, 1},
    {setting::PrintLS, 1},      {setting::MMIcon, 0},   {setting::UseXHair, 1},
    {setting::MagShape, 1},     {setting::MagZoom, 20}, {setting::MagSize, 100},
    {setting::PreviewPages, 1},
    {setting::GpsSource, 1},    {setting::GpsFollow, 1},
    {setting::TileCacheMB, 512},
};
// clang-format on

QString Path(const char* key) {
    return QString(SettingsStore::kSection) + '/' + key;
}

// Qt's own settings writer renames its file over the old one even when the
// last block did not fit on the disk. The text is still Qt's INI, produced
// in a scratch folder, but the bytes reach the real file through a writer
// that flushes and checks before the rename.
QMutex formatLock;
CAtomicFile::Status lastWrite = CAtomicFile::Status::Ok;
bool writeAttempted = false;
QSet<QString> unreadable;  // files whose last read failed: never overwritten

bool SameValue(const QVariant& a, const QVariant& b) {
    if (a.metaType() == b.metaType()) return a == b;
    return a.toString() == b.toString() && a.toStringList() == b.toStringList();
}

bool ReadIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QString name = qobject_cast<QFileDevice*>(&device)
                             ? static_cast<QFileDevice&>(device).fileName()
                             : QString();
    QTemporaryDir scratch;
    QFile copy(scratch.filePath("read.ini"));
    const QByteArray bytes = device.readAll();
    bool ok = scratch.isValid() && copy.open(QIODevice::WriteOnly) &&
              copy.write(bytes) == bytes.size() && copy.flush();
    copy.close();
    if (ok) {
        QSettings ini(copy.fileName(), QSettings::IniFormat);
        // A damaged line is Qt's to skip, as it would in its own format.
        for (const QString& key : ini.allKeys()) map.insert(key, ini.value(key));
    }
    QMutexLocker lock(&formatLock);
    if (ok)
        unreadable.remove(name);
    else
        unreadable.insert(name);
    return ok;
}

bool WriteIni(QIODevice& device, const QSettings::SettingsMap& map) {
    auto* file = qobject_cast<QFileDevice*>(&device);
    {
        QMutexLocker lock(&formatLock);
        writeAttempted = true;
        lastWrite = CAtomicFile::Status::Ok;
    }
    auto fail = [](CAtomicFile::Status why) {
        QMutexLocker lock(&formatLock);
        lastWrite = why;
        return false;
    };
    if (!file) return fail(CAtomicFile::Status::WriteFault);
    {
        // Writing what a failed read gave would drop every value the file held.
        QMutexLocker lock(&formatLock);
        if (unreadable.contains(file->fileName())) {
            lastWrite = CAtomicFile::Status::WriteFault;
            return false;
        }
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) return fail(CAtomicFile::Status::WriteFault);
    const QString text = scratch.filePath("write.ini");
    {
        QSettings ini(text, QSettings::IniFormat);
        for (auto it = map.begin(); it != map.end(); ++it) ini.setValue(it.key(), it.value());
        ini.sync();
        if (ini.status() != QSettings::NoError) return fail(CAtomicFile::Status::WriteFault);
    }
    // The scratch copy went through the same writer: read it back whole.
    {
        QSettings check(text, QSettings::IniFormat);
        const QStringList keys = check.allKeys();
        if (keys.size() != map.size()) return fail(CAtomicFile::Status::WriteFault);
        for (const QString& key : keys)
            if (!map.contains(key) || !SameValue(map.value(key), check.value(key)))
                return fail(CAtomicFile::Status::WriteFault);
    }
    QFile in(text);
    if (!in.open(QIODevice::ReadOnly)) return fail(CAtomicFile::Status::WriteFault);
    const QByteArray bytes = in.readAll();
    errno = 0;
    const bool written = device.write(bytes) == bytes.size() && file->flush() &&
                         file->error() == QFileDevice::NoError;
    if (!written) {
        const int err = errno;
        return fail(file->error() == QFileDevice::ResourceError ? CAtomicFile::Status::DiskFull
                    : err                                       ? CAtomicFile::FromErrno(err)
                                                                : CAtomicFile::Status::WriteFault);
    }
    return true;
}
}  // namespace

QSettings::Format SettingsStore::FileFormat() {
    static const QSettings::Format format = QSettings::registerFormat("ini", ReadIni, WriteIni);
    return format;
}

CAtomicFile::Status SettingsStore::Sync(QSettings& settings) {
    const bool wasClean = settings.status() == QSettings::NoError;
    {
        QMutexLocker lock(&formatLock);
        writeAttempted = false;
        lastWrite = CAtomicFile::Status::Ok;
    }
    settings.sync();
    {
        QMutexLocker lock(&formatLock);
        if (writeAttempted) return lastWrite;
    }
    // Nothing was written: either nothing was pending, or Qt failed before
    // the text (its lock file needs room too). A failure stays in status()
    // for good, so only a fresh one counts here.
    if (!wasClean || settings.status() == QSettings::NoError) return CAtomicFile::Status::Ok;
    const QStorageInfo volume(QFileInfo(settings.fileName()).absolutePath());
    return volume.isValid() && volume.bytesAvailable() < 4096 ? CAtomicFile::Status::DiskFull
                                                              : CAtomicFile::Status::WriteFault;
}

SettingsStore& SettingsStore::instance() {
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore() {
    Reload();
}

void SettingsStore::Reload() {
    settings =
        std::make_unique<QSettings>(FileFormat(), QSettings::UserScope, kCompany, kApplication);
}

int SettingsStore::DefaultInt(const char* key) {
    for (const Default& d : kDefaults)
        if (std::strcmp(d.key, key) == 0) return d.value;
    return 0;
}

int SettingsStore::Int(const char* key) const {
    QVariant v = settings->value(Path(key));
    bool ok = false;
    int n = v.toInt(&ok);
    return ok ? n : DefaultInt(key);
}

void SettingsStore::SetInt(const char* key, int value) {
    settings->setValue(Path(key), value);
}

QString SettingsStore::String(const char* key) const {
    return settings->value(Path(key), QString()).toString();
}

void SettingsStore::SetString(const char* key, const QString& value) {
    settings->setValue(Path(key), value);
}

bool SettingsStore::Contains(const char* key) const {
    return settings->contains(Path(key));
}

QVariant SettingsStore::Value(const QString& path, const QVariant& fallback) const {
    return settings->value(QString(kSection) + '/' + path, fallback);
}

void SettingsStore::SetValue(const QString& path, const QVariant& value) {
    settings->setValue(QString(kSection) + '/' + path, value);
}

void SettingsStore::Remove(const QString& path) {
    settings->remove(QString(kSection) + '/' + path);
}

QSettings& SettingsStore::Raw() {
    return *settings;
}

CAtomicFile::Status SettingsStore::Sync() {
    const CAtomicFile::Status status = Sync(*settings);
    if (status != CAtomicFile::Status::Ok) Renew();
    return status;
}

void SettingsStore::Renew() {
    // QSettings keeps its first failure for good; a fresh object holding
    // the same values reports the next write truly.
    QSettings::SettingsMap values;
    for (const QString& key : settings->allKeys()) values.insert(key, settings->value(key));
    settings.reset();
    Reload();
    settings->clear();
    for (auto it = values.begin(); it != values.end(); ++it)
        settings->setValue(it.key(), it.value());
}
