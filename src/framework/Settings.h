// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

#include "framework/AtomicFile.h"

// The program's per-user preferences, company "Quenmoor", application
// "Fenmarrow Utilities", values below the section "Settings". Every key and
// its default live here, in one place.
namespace setting {
inline constexpr const char* LoadLastFile = "LOADLASTFILE";
inline constexpr const char* LastFile = "LASTFILE";
inline constexpr const char* Splash = "SPLASH";
inline constexpr const char* ShowXY = "ShowXY";
inline constexpr const char* PrintLS = "PrintLS";
inline constexpr const char* MMIcon = "MMIcon";
inline constexpr const char* UseXHair = "UseXHair";
inline constexpr const char* MagShape = "MagShape";
inline constexpr const char* MagZoom = "MagZoom";
inline constexpr const char* MagSize = "MagSize";
inline constexpr const char* PreviewPages = "PreviewPages";
// Megabytes of decoded map pictures kept in memory.
inline constexpr const char* TileCacheMB = "TileCacheMB";
// The fishing calendar's time zone (an IANA name) for each location, below
// this group keyed by the location's percent-encoded path; none: the
// machine's zone.
inline constexpr const char* AlmanacZones = "AlmanacZones";
// The GPS link: which source (0 a serial port, 1 gpsd), the daemon's
// address, the serial port's name and its line choices (the bytes the port
// settings object stores), and whether the view follows the boat.
inline constexpr const char* GpsSource = "GPSSource";
inline constexpr const char* GpsAddress = "GPSAddress";
inline constexpr const char* GpsAddressDefault = "localhost:2947";
inline constexpr const char* GpsPortName = "GPSPortName";
inline constexpr const char* GpsPortChoices = "GPSPort";
inline constexpr const char* GpsFollow = "GPSFollow";
}  // namespace setting

class SettingsStore {
public:
    static constexpr const char* kCompany = "Quenmoor";
    static constexpr const char* kApplication = "Fenmarrow Utilities";
    static constexpr const char* kSection = "Settings";
    static constexpr const char* kRecentSection = "Recent File List";

    static SettingsStore& instance();

    // Integer values of section "Settings"; an absent or unreadable value
    // gives the key's default.
    int Int(const char* key) const;
    void SetInt(const char* key, int value);
    QString String(const char* key) const;
    void SetString(const char* key, const QString& value);
    bool Contains(const char* key) const;

    // Arbitrary values below "Settings" (window layout, customizations).
    QVariant Value(const QString& path, const QVariant& fallback = {}) const;
    void SetValue(const QString& path, const QVariant& value);
    void Remove(const QString& path);

    static int DefaultInt(const char* key);

    QSettings& Raw();
    // Writes pending values; on any failure the file keeps its old bytes.
    CAtomicFile::Status Sync();
    static CAtomicFile::Status Sync(QSettings& settings);
    // Qt's INI text, written to disk only when every byte fits (use it for
    // every settings file the program keeps).
    static QSettings::Format FileFormat();
    // Forgets the open store, so the next use reads the file again (tests
    // simulate a restart with it).
    void Reload();

private:
    SettingsStore();
    void Renew();
    std::unique_ptr<QSettings> settings;
};
