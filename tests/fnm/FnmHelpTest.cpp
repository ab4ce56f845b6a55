// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QProcess>

namespace {

TEST(FnmHelp, VersionAndPerCommandHelp) {
    struct Case {
        QStringList args;
        const char* printed;
    } cases[] = {
        {{"--version"}, "fnm (Fenmarrow Utilities) 1.0.0"},
        {{"info", "--help"}, "usage: fnm info FILE"},
        {{"resave", "-h"}, "usage: fnm resave IN OUT"},
    };
    for (const Case& c : cases) {
        QProcess process;
        process.start(FNM_BINARY, c.args);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_EQ(process.exitCode(), 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(out.contains(c.printed)) << out.toStdString();
    }
}

}  // namespace
