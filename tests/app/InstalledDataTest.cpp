// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "app/MainFrame.h"
#include "app/SampleLocation.h"
#include "app/TarnlightApp.h"
#include "document/TarnlightDoc.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

// A prefix laid out as the package installs it.
class SampleLookup : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString Make(const QString& relative) {
        const QString path = root.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(testutil::WriteAll(path, "x"));
        return QFileInfo(path).absoluteFilePath();
    }
};

TEST_F(SampleLookup, PrefersTheProgramsOwnPrefixThenTheDataFolders) {
    const QString bin = root.filePath("usr/bin");
    QDir().mkpath(bin);
    struct Case {
        const char* what;
        QStringList files;  // made under the root
        QStringList dataDirs;
        QString expected;  // relative to the root, empty for none
    } cases[] = {
        {"installed beside bin",
         {"usr/share/fenmarrow/samples/millelacs.fnm"},
         {},
         "usr/share/fenmarrow/samples/millelacs.fnm"},
        {"only in a data folder",
         {"local/share/fenmarrow/samples/millelacs.fnm"},
         {root.filePath("elsewhere"), root.filePath("local/share")},
         "local/share/fenmarrow/samples/millelacs.fnm"},
        {"both: the program's prefix wins",
         {"usr/share/fenmarrow/samples/millelacs.fnm",
          "local/share/fenmarrow/samples/millelacs.fnm"},
         {root.filePath("local/share")},
         "usr/share/fenmarrow/samples/millelacs.fnm"},
        {"another program's samples",
         {"usr/share/other/samples/millelacs.fnm"},
         {root.filePath("usr/share")},
         ""},
        {"nowhere", {}, {root.filePath("usr/share")}, ""},
    };
    for (const Case& c : cases) {
        QDir(root.filePath("usr/share")).removeRecursively();
        QDir(root.filePath("local")).removeRecursively();
        for (const QString& f : c.files) Make(f);
        const QString expected = c.expected.isEmpty()
                                     ? QString()
                                     : QFileInfo(root.filePath(c.expected)).absoluteFilePath();
        EXPECT_EQ(FindSampleLocation(bin, c.dataDirs), expected) << c.what;
    }
}

TEST_F(SampleLookup, AFolderOfThatNameIsNoSample) {
    QDir().mkpath(root.filePath("usr/share/fenmarrow/samples/millelacs.fnm"));
    EXPECT_EQ(FindSampleLocation(root.filePath("usr/bin"), {}), QString());
}

TEST(SampleLookupInBuild, TheBuildTreeFindsTheBundledSample) {
    const QString found = FindSampleLocation(QString(FM_BINARY_DIR) + "/bin", {});
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(QFileInfo(found).canonicalFilePath(),
              QFileInfo(QString(FM_SAMPLES_DIR) + "/millelacs.fnm").canonicalFilePath());
}

TEST(SampleLookupInBuild, StartingWithTheFoundSampleOpensIt) {
    testutil::ClearSettings();
    PromptsFixtureGuard guard;
    scripted().dialog([](QDialog& d) { d.accept(); });  // the start-up About box
    StartupOptions options;
    options.defaultFile = FindSampleLocation(QString(FM_BINARY_DIR) + "/bin", {});
    CTarnlightApp app;
    ASSERT_TRUE(app.InitInstance(options));
    EXPECT_EQ(QFileInfo(app.Frame()->Document().GetPathName()).fileName(), "millelacs.fnm");
    EXPECT_TRUE(scripted().messages.isEmpty()) << scripted().messages.join(" | ");
    app.ExitInstance();
}

TEST(AboutBox, NamesTheLicence) {
    testutil::ClearSettings();
    PromptsFixtureGuard guard;
    QStringList labels;
    auto readLabels = [&](QDialog& d) {
        for (QLabel* l : d.findChildren<QLabel*>()) labels << l->text();
        d.accept();
    };
    scripted().dialog(readLabels);  // at start-up
    scripted().dialog(readLabels);  // from the Help menu
    CTarnlightApp app;
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_TRUE(app.Frame()->Commands().execute(cmd::AppAbout));
    app.ExitInstance();
    EXPECT_EQ(scripted().dialogsRun, 2);
    EXPECT_EQ(labels.count(str::LicenceNotice), 2) << labels.join(" | ");
    EXPECT_TRUE(QString(str::LicenceNotice).contains("GPL-3.0-or-later"));
}

}  // namespace
