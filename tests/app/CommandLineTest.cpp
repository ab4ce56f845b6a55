// SPDX-License-Identifier: GPL-3.0-or-later
// The program started from a shell, as a separate process.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "TestUtil.h"

namespace {

struct Outcome {
    int status = -1;
    bool finished = false;
    QString out, err;
};

// platform empty: no display of any kind is reachable.
Outcome Fenmarrow(const QStringList& args, const QString& platform, const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("QT_QPA_PLATFORM", platform.isEmpty() ? QStringLiteral("xcb") : platform);
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_CACHE_HOME", home + "/cache");
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(FENMARROW_BINARY, args);
    Outcome r;
    r.finished = process.waitForFinished(60000);
    if (!r.finished) process.kill(), process.waitForFinished();
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(process.readAllStandardError());
    return r;
}

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    QTemporaryDir home;
    struct Case {
        QStringList args;
        const char* printed;
    } cases[] = {
        {{"--help"}, "--print-to <PRINTER>"},
        {{"-h"}, "Lake maps for anglers"},
        {{"--version"}, "Fenmarrow Utilities 1.0.0"},
        {{"some.fnm", "--version"}, "Fenmarrow Utilities 1.0.0"},
    };
    for (const Case& c : cases) {
        Outcome r = Fenmarrow(c.args, {}, home.path());
        ASSERT_TRUE(r.finished) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, 0) << c.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.printed)) << r.out.toStdString();
    }
}

TEST(CommandLine, PrintingWithoutThePrinterSaysSoAndFails) {
    QTemporaryDir home;
    const QString sample = FM_SAMPLES_DIR "/millelacs.fnm";
    struct Case {
        QStringList args;
        const char* said;
    } cases[] = {
        {{"--print-to", "No Such Printer 7", sample}, "Printer No Such Printer 7 not found."},
        {{"--print-to", "No Such Printer 7", "--", sample}, "Printer No Such Printer 7 not found."},
    };
    for (const Case& c : cases) {
        Outcome r = Fenmarrow(c.args, "offscreen", home.path());
        ASSERT_TRUE(r.finished) << "waited on a prompt: " << c.args.join(' ').toStdString();
        EXPECT_NE(r.status, 0);
        EXPECT_FALSE(r.err.trimmed().isEmpty());
        EXPECT_TRUE(r.err.contains(c.said)) << r.err.toStdString();
    }
}

}  // namespace
