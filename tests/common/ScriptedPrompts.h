// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "framework/Prompts.h"

// Prompts for tests: every question takes the next scripted answer (or a
// default when none is queued) and every text shown is recorded.
class ScriptedPrompts : public Prompts {
public:
    using DialogScript = std::function<void(QDialog&)>;

    // Queue answers, consumed in order.
    void answer(Answer a) { answers.push_back(a); }
    void openFile(std::optional<QString> name) { openNames.push_back(std::move(name)); }
    void saveFile(std::optional<QString> name) { saveNames.push_back(std::move(name)); }
    void color(QColor c) { colors.push_back(c); }
    // The script fills the dialog's controls and calls accept() or reject().
    // With no script queued a dialog is rejected.
    void dialog(DialogScript script) { dialogs.push_back(std::move(script)); }
    void print(bool ok) { prints.push_back(ok); }

    Answer message(const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const QString& filter, const QString& directory) override;
    std::optional<QString> saveFileName(const QString& proposed, const QString& filter) override;
    QColor chooseColor(const QColor& initial) override;
    int runModal(QDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    bool pageSetupDialog(QPrinter& printer) override;
    void beep() override { ++beeps; }
    // Each wait is cancelled at once when the next scripted answer says so;
    // otherwise it lasts until the work is done.
    bool waitFor(const QString& text, const std::function<bool()>& done) override;
    void cancelWait(bool cancel) { waitCancels.push_back(cancel); }
    QStringList waitTexts;  // the text of each wait, oldest first
    // The next progress is cancelled at its step-th step (0: never).
    std::unique_ptr<Progress> progress(const QString& text, int steps) override;
    void cancelProgressAt(int step) { progressCancels.push_back(step); }
    QStringList progressTexts;  // the text of each progress, oldest first
    int progressSteps = 0;      // steps the newest progress announced

    void reset();

    QStringList messages;           // every message text, oldest first
    QStringList proposedSaveNames;  // what each save dialog proposed
    QStringList openFilters;        // the filter of each open dialog
    int dialogsRun = 0;
    int beeps = 0;

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> openNames;
    std::deque<std::optional<QString>> saveNames;
    std::deque<QColor> colors;
    std::deque<DialogScript> dialogs;
    std::deque<bool> prints;
    std::deque<bool> waitCancels;
    std::deque<int> progressCancels;
};

// The scripted prompts the shared test main installs.
ScriptedPrompts& scripted();

// Installs fresh scripted prompts for one test and checks nothing is left.
class PromptsFixtureGuard {
public:
    PromptsFixtureGuard() { scripted().reset(); }
    ~PromptsFixtureGuard() { scripted().reset(); }
};
