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

}  // namespace shell
