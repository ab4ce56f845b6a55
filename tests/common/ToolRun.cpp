// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolRun.h"

#include <QProcess>

namespace testutil {

ToolRun RunTool(const QString& program, const QStringList& args, const QProcessEnvironment& env,
                const QString& workingDirectory) {
    QProcess process;
    process.setProcessEnvironment(env);
    if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
    process.start(program, args);
    ToolRun run;
    if (!process.waitForFinished(120000)) return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace testutil
