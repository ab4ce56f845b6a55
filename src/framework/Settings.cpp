#include "framework/Settings.h"

#include <QSettings>
#include <cstring>

namespace {
struct Default {
    const char* key;
    int value;
};
constexpr Default kDefaults[] = {
    {setting::LoadLastFile, 0}, {setting::Splash, 1},   {setting::ShowXY, 1},
    {setting::PrintLS, 1},      {setting::MMIcon, 0},   {setting::UseXHair, 1},
    {setting::MagShape, 1},     {setting::MagZoom, 20}, {setting::MagSize, 100},
    {setting::PreviewPages, 1},
};

QString Path(const char* key) {
    return QString(SettingsStore::kSection) + '/' + key;
}
}  // namespace

SettingsStore& SettingsStore::instance() {
    static SettingsStore store;
    return store;
}

SettingsStore::SettingsStore() {
    Reload();
}

void SettingsStore::Reload() {
    settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, kCompany,
                                           kApplication);
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

void SettingsStore::Sync() {
    settings->sync();
}
