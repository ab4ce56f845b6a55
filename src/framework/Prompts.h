// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QPrinter;

// Every modal interaction of the program goes through one Prompts object:
// the program installs Qt dialogs, tests install scripted answers and the
// command-line tool installs silent ones. So every command runs headless.
class Prompts {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Prompts() = default;

    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::Warning) = 0;
    // filter uses the Qt form: "Fenmarrow Files (*.fnm);;All Files (*)"
    virtual std::optional<QString> openFileName(const QString& filter,
                                                const QString& directory = {}) = 0;
    virtual std::optional<QString> saveFileName(const QString& proposed, const QString& filter) = 0;
    // The colour dialog reports black when cancelled, as the pen pages expect.
    virtual QColor chooseColor(const QColor& initial) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int runModal(QDialog& dialog) = 0;
    // Print dialog / page setup on the given printer; false when cancelled.
    virtual bool printDialog(QPrinter& printer) = 0;
    virtual bool pageSetupDialog(QPrinter& printer) = 0;
    // The system beep (an unbound double-click, for example).
    virtual void beep() = 0;
    // Waits for work running on another thread until done() is true. Past
    // half a second the user sees text with a busy bar and Cancel, and the
    // rest of the program waits with them; false when they cancelled (the
    // work is then left to end on its own, its result unwanted). Here: the
    // plain wait, with the events of the windows still delivered.
    virtual bool waitFor(const QString& text, const std::function<bool()>& done);
    // Long work done on this thread a step at a time (printing). Past half
    // a second the user sees text, a bar of the steps done and Cancel, and
    // the rest of the program waits; Step(done) is false once they
    // cancelled. Here: no one is shown anything and nothing is cancelled.
    class Progress {
    public:
        virtual ~Progress() = default;
        virtual bool Step(int done) = 0;
    };
    virtual std::unique_ptr<Progress> progress(const QString& text, int steps);

    static Prompts& instance();
    // Installs p (not owned) and returns the one it replaced.
    static Prompts* install(Prompts* p);
};

// Qt's own dialogs, for the running program.
class GuiPrompts : public Prompts {
public:
    Answer message(const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const QString& filter, const QString& directory) override;
    std::optional<QString> saveFileName(const QString& proposed, const QString& filter) override;
    QColor chooseColor(const QColor& initial) override;
    int runModal(QDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    bool pageSetupDialog(QPrinter& printer) override;
    void beep() override;
    bool waitFor(const QString& text, const std::function<bool()>& done) override;
    std::unique_ptr<Progress> progress(const QString& text, int steps) override;
};

// Answers every question with Cancel or No and writes messages to stderr:
// for the command-line tool, which must never block on input.
class SilentPrompts : public Prompts {
public:
    Answer message(const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> openFileName(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&) override { return {}; }
    QColor chooseColor(const QColor&) override { return Qt::black; }
    int runModal(QDialog& dialog) override;
    bool printDialog(QPrinter&) override { return true; }
    bool pageSetupDialog(QPrinter&) override { return true; }
    void beep() override {}
    QStringList shown;  // messages shown, newest last
    bool echo = true;   // each message is also written to stderr
};
