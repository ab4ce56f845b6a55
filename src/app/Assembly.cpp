// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Assembly.h"

#include <QApplication>
#include <algorithm>

#include "framework/Settings.h"
#include "imaging/TileCache.h"
#include "resources/Art.h"
#include "resources/Strings.h"

#ifndef FM_VERSION
#define FM_VERSION "1.0.0"
#endif

void SetApplicationIdentity() {
    QCoreApplication::setOrganizationName(SettingsStore::kCompany);
    QCoreApplication::setApplicationName(SettingsStore::kApplication);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(FM_VERSION));
    // Window systems append the display name to a title that does not end
    // with it; the frame's titles end with "Fenmarrow" and stay as they are.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setApplicationDisplayName(str::FrameTitle);
        QGuiApplication::setDesktopFileName("io.github.fenmarrow.Fenmarrow");
    }
}

bool AssembleApplication(CTarnlightApp& app, const StartupOptions& options) {
    SetApplicationIdentity();
    QApplication::setWindowIcon(art::AppIcon());
    // At least 64 MB, whatever the settings file says: less would decode the
    // same bands over and over.
    const int megabytes = std::max(SettingsStore::instance().Int(setting::TileCacheMB), 64);
    TileCache::Instance().SetBudget(int64_t(megabytes) << 20);
    return app.InitInstance(options);
}
