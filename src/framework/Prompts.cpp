// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdio>

namespace {
SilentPrompts& fallback() {
    static SilentPrompts silent;
    return silent;
}
Prompts* current = nullptr;
}  // namespace

Prompts& Prompts::instance() {
    return current ? *current : fallback();
}

Prompts* Prompts::install(Prompts* p) {
    Prompts* old = current;
    current = p;
    return old;
}

Prompts::Answer GuiPrompts::message(const QString& text, Buttons buttons, Icon icon) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<QString> GuiPrompts::openFileName(const QString& filter, const QString& directory) {
    QString name =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), directory, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> GuiPrompts::saveFileName(const QString& proposed, const QString& filter) {
    QString name =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), proposed, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

QColor GuiPrompts::chooseColor(const QColor& initial) {
    QColor c = QColorDialog::getColor(initial, QApplication::activeWindow());
    return c.isValid() ? c : QColor(Qt::black);
}

int GuiPrompts::runModal(QDialog& dialog) {
    return dialog.exec();
}

bool GuiPrompts::printDialog(QPrinter& printer) {
    QPrintDialog dlg(&printer, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

bool GuiPrompts::pageSetupDialog(QPrinter& printer) {
    QPageSetupDialog dlg(&printer, QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

void GuiPrompts::beep() {
    QApplication::beep();
}

namespace {

// Most long work is over at once: for this long the window is painted but
// takes no input, so nothing changes under the work, and no dialog flashes.
constexpr qint64 kQuietMs = 500;

// Delivers everything but user input until done() or (past limitMs, when
// given) the time is up; whether done.
bool WaitQuietly(const std::function<bool()>& done, qint64 limitMs = -1) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (limitMs >= 0 && clock.elapsed() >= limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
    return true;
}

// The waits' dialog: modal over the whole program, closed only by its
// owner or its Cancel.
void MakeModal(QProgressDialog& dlg) {
    dlg.setWindowModality(Qt::ApplicationModal);
    dlg.setAutoClose(false);
    dlg.setAutoReset(false);
}

}  // namespace

bool Prompts::waitFor(const QString&, const std::function<bool()>& done) {
    return WaitQuietly(done);
}

bool GuiPrompts::waitFor(const QString& text, const std::function<bool()>& done) {
    if (WaitQuietly(done, kQuietMs)) return true;
    QProgressDialog dlg(QApplication::activeWindow());
    dlg.setLabelText(text);
    dlg.setRange(0, 0);
    dlg.setMinimumDuration(0);
    MakeModal(dlg);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dlg, [&] {
        if (done()) dlg.accept();
    });
    poll.start(20);
    dlg.exec();
    return !dlg.wasCanceled();
}

namespace {

class NoProgress : public Prompts::Progress {
public:
    bool Step(int) override { return true; }
};

// A modal dialog with a bar, shown once the work has taken kQuietMs.
class DialogProgress : public Prompts::Progress {
public:
    DialogProgress(const QString& text, int steps)
        : dlg(text, QCoreApplication::translate("QProgressDialog", "Cancel"), 0, std::max(steps, 1),
              QApplication::activeWindow()) {
        dlg.setMinimumDuration(INT_MAX);  // shown here, not by its own clock
        MakeModal(dlg);
        clock.start();
    }
    bool Step(int done) override {
        if (!dlg.isVisible()) {
            if (clock.elapsed() < kQuietMs) {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                return true;
            }
            dlg.show();
        }
        dlg.setValue(std::min(done, dlg.maximum()));  // delivers events: the dialog is modal
        QCoreApplication::processEvents();
        return !dlg.wasCanceled();
    }

private:
    QProgressDialog dlg;
    QElapsedTimer clock;
};

}  // namespace

std::unique_ptr<Prompts::Progress> Prompts::progress(const QString&, int) {
    return std::make_unique<NoProgress>();
}

std::unique_ptr<Prompts::Progress> GuiPrompts::progress(const QString& text, int steps) {
    return std::make_unique<DialogProgress>(text, steps);
}

Prompts::Answer SilentPrompts::message(const QString& text, Buttons buttons, Icon) {
    shown.append(text);
    if (echo) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

int SilentPrompts::runModal(QDialog&) {
    return QDialog::Rejected;
}
