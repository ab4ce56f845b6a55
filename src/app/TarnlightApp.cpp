// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TarnlightApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "app/AboutDialog.h"
#include "app/MainFrame.h"
#include "document/TarnlightDoc.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "framework/Shell.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "view/MapPrinter.h"

CTarnlightApp::CTarnlightApp() {
    appMap.on(cmd::AppAbout, [this] { OnAppAbout(); });
    appMap.on(cmd::HelpContents, [this] { OnHelp(); });
}

CTarnlightApp::~CTarnlightApp() = default;

bool CTarnlightApp::InitInstance(const StartupOptions& options) {
    SettingsStore& settings = SettingsStore::instance();
    recent.Load();
    loadLastFile = settings.Int(setting::LoadLastFile);

    frame = std::make_unique<CMainFrame>(*this);
    CTarnlightDoc& doc = frame->Document();
    doc.loadLastFile = loadLastFile;

    // Carry out the command line: open the named file, or File New (whose
    // first run may reopen the last file).
    if (!options.file.isEmpty()) {
        if (!doc.OpenDocumentFile(options.file)) {
            frame->AbandonWithoutSettings();
            return false;
        }
    } else {
        if (!doc.OnNewDocument()) {
            Prompts::instance().message(str::FailedToCreateDocument);
            return false;
        }
        bool reopened = loadLastFile && !doc.GetPathName().isEmpty();
        if (!reopened && !options.defaultFile.isEmpty() && QFileInfo::exists(options.defaultFile))
            doc.OpenDocumentFile(options.defaultFile);
    }
    showSplash = settings.Int(setting::Splash);
    if (options.print) {
        // Printed at the frame's default size; the frame never appears and
        // there is no About box. The caller exits without a message loop.
        frame->setAttribute(Qt::WA_DontShowOnScreen);
        frame->show();
        CMapPrinter* printing = CMapPrinter::Of(frame->View());
        return printing && printing->PrintTo(options.printTo);
    }
    frame->RestoreLayout();
    frame->show();

    if (showSplash) CAboutDialog::Run(showSplash, frame.get());
    return true;
}

void CTarnlightApp::DestroyFrame() {
    if (!frame) return;
    frame->close();
    frame.reset();
}

void CTarnlightApp::ExitInstance() {
    DestroyFrame();
    SettingsStore::instance().SetInt(setting::Splash, showSplash);
    recent.Save();
    SettingsStore& store = SettingsStore::instance();
    if (const auto status = store.Sync(); status != CAtomicFile::Status::Ok)
        Prompts::instance().message(CAtomicFile::Message(status, store.Raw().fileName()));
}

void CTarnlightApp::OnAppAbout() {
    CAboutDialog::Run(showSplash, frame.get());
}

void CTarnlightApp::OnHelp() {
    // The help page ships inside the program; it is written out once per run
    // so the desktop's browser can show it.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/help";
    QDir().mkpath(dir);
    bool ok = true;
    for (const QString& name : QDir(":/help").entryList(QDir::Files)) {
        QString target = dir + "/" + name;
        QFile::remove(target);
        ok = QFile::copy(":/help/" + name, target) && ok;
        QFile::setPermissions(
            target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    QString page = dir + "/index.html";
    if (!ok || !QFileInfo::exists(page)) {
        Prompts::instance().message(str::FailedToLaunchHelp);
        return;
    }
    shell::OpenUrlReported(QUrl::fromLocalFile(page), [](bool launched) {
        if (!launched) Prompts::instance().message(str::FailedToLaunchHelp);
    });
}
