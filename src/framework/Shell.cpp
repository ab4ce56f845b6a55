// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace shell {

Services Defaults() {
    Services s;
    s.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    s.startDetached = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
    s.findProgram = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    return s;
}

Services& Get() {
    static Services services = Defaults();
    return services;
}

Services Install(Services s) {
    Services old = Get();
    Get() = std::move(s);
    return old;
}

void OpenUrlReported(const QUrl& url, std::function<void(bool)> done) {
    const QString launcher = Get().findProgram ? Get().findProgram("xdg-open") : QString();
    if (launcher.isEmpty()) {
        done(Get().openUrl && Get().openUrl(url));
        return;
    }
    // Starting the launcher proves nothing: with no browser it starts and
    // fails. Its exit is waited for on the event loop, never blocking it.
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process,
                     [process, done](int code, QProcess::ExitStatus status) {
                         done(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         done(false);
                         process->deleteLater();
                     });
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(launcher, {url.toString()});
}

}  // namespace shell
