// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// The desktop services the program asks for: opening an address or a file
// with the user's chosen program, and starting other programs. Tests replace
// the functions to see what would have been started.
namespace shell {
struct Services {
    std::function<bool(const QUrl&)> openUrl;
    // Starts a program without waiting; false when it could not be started.
    std::function<bool(const QString& program, const QStringList& args)> startDetached;
    // The full path of a program on PATH, or empty.
    std::function<QString(const QString& name)> findProgram;
};

Services& Get();
// Replaces the services and returns the previous ones.
Services Install(Services s);
Services Defaults();
// Opens url with the desktop's launcher (xdg-open) and calls done with
// whether the launcher reported success, once it has exited. Without a
// launcher on PATH, openUrl's answer is given at once.
void OpenUrlReported(const QUrl& url, std::function<void(bool)> done);
}  // namespace shell
