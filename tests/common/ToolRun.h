// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace testutil {

// What a command-line program run to its end gave back. status is its exit
// code, -2 when it crashed and -1 when it did not finish within two minutes.
struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QString& program, const QStringList& args,
                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                const QString& workingDirectory = QString());

}  // namespace testutil
