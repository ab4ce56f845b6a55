// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SendMail.h"

#include <QFileInfo>
#include <QProcess>

#include "framework/Document.h"
#include "framework/Prompts.h"
#include "framework/Shell.h"
#include "resources/Strings.h"

namespace {
constexpr const char* kMailProgram = "xdg-email";
// xdg-email's exit status when no mail program is configured.
constexpr int kNoMailTool = 3;
}  // namespace

bool MailSystemPresent() {
    return !shell::Get().findProgram(kMailProgram).isEmpty();
}

void SendMail(CDocument& doc) {
    // The save step runs first; its outcome is not examined, as a failed save
    // of a new document still leaves nothing to attach and says so below.
    doc.OnSaveDocument(doc.GetPathName());
    QString program = shell::Get().findProgram(kMailProgram);
    if (program.isEmpty()) {
        Prompts::instance().message(str::MailLoadFailed);
        return;
    }
    QString file = doc.GetPathName();
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        Prompts::instance().message(str::MailSendFailed);
        return;
    }
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart) {
                             Prompts::instance().message(str::MailLoadFailed);
                             process->deleteLater();
                         }
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process](int code, QProcess::ExitStatus st) {
                         if (st != QProcess::NormalExit || code != 0)
                             Prompts::instance().message(code == kNoMailTool ? str::MailDllInvalid
                                                                             : str::MailSendFailed);
                         process->deleteLater();
                     });
    process->start(program, {"--attach", file, "--subject", doc.GetTitle()});
}
