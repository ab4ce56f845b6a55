// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompts.h"

ScriptedPrompts& scripted() {
    static ScriptedPrompts p;
    return p;
}

Prompts::Answer ScriptedPrompts::message(const QString& text, Buttons buttons, Icon) {
    messages.append(text);
    if (!answers.empty()) {
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> ScriptedPrompts::openFileName(const QString& filter, const QString&) {
    openFilters.append(filter);
    if (openNames.empty()) return std::nullopt;
    auto n = openNames.front();
    openNames.pop_front();
    return n;
}

std::optional<QString> ScriptedPrompts::saveFileName(const QString& proposed, const QString&) {
    proposedSaveNames.append(proposed);
    if (saveNames.empty()) return std::nullopt;
    auto n = saveNames.front();
    saveNames.pop_front();
    return n;
}

QColor ScriptedPrompts::chooseColor(const QColor&) {
    if (colors.empty()) return Qt::black;
    QColor c = colors.front();
    colors.pop_front();
    return c;
}

int ScriptedPrompts::runModal(QDialog& dialog) {
    ++dialogsRun;
    if (dialogs.empty()) return QDialog::Rejected;
    DialogScript s = std::move(dialogs.front());
    dialogs.pop_front();
    dialog.setResult(QDialog::Rejected);
    s(dialog);
    return dialog.result();
}

bool ScriptedPrompts::waitFor(const QString& text, const std::function<bool()>& done) {
    waitTexts.append(text);
    if (!waitCancels.empty()) {
        const bool cancel = waitCancels.front();
        waitCancels.pop_front();
        if (cancel) return false;
    }
    return Prompts::waitFor(text, done);
}

namespace {
class ScriptedProgress : public Prompts::Progress {
public:
    explicit ScriptedProgress(int cancelAt) : cancelAt(cancelAt) {}
    bool Step(int done) override { return cancelAt <= 0 || done < cancelAt; }

private:
    int cancelAt;
};
}  // namespace

std::unique_ptr<Prompts::Progress> ScriptedPrompts::progress(const QString& text, int steps) {
    progressTexts.append(text);
    progressSteps = steps;
    int cancelAt = 0;
    if (!progressCancels.empty()) {
        cancelAt = progressCancels.front();
        progressCancels.pop_front();
    }
    return std::make_unique<ScriptedProgress>(cancelAt);
}

bool ScriptedPrompts::printDialog(QPrinter&) {
    if (prints.empty()) return true;
    bool ok = prints.front();
    prints.pop_front();
    return ok;
}

bool ScriptedPrompts::pageSetupDialog(QPrinter& printer) {
    return printDialog(printer);
}

void ScriptedPrompts::reset() {
    messages.clear();
    proposedSaveNames.clear();
    openFilters.clear();
    dialogsRun = 0;
    beeps = 0;
    answers.clear();
    openNames.clear();
    saveNames.clear();
    colors.clear();
    dialogs.clear();
    prints.clear();
}
