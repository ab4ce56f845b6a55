// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TestUtil.h"
#include "ToolRun.h"
#include "document/TarnLocation.h"
#include "framework/ArchiveBytes.h"

using testutil::ReadAll;
using testutil::WriteAll;

namespace {

testutil::ToolRun Fnm(const QStringList& args) {
    return testutil::RunTool(FNM_BINARY, args);
}

QJsonObject Info(const QString& path) {
    const testutil::ToolRun run = Fnm({"info", "--json", path});
    EXPECT_EQ(run.status, 0) << path;
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

class FnmResave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
};

const QString kLake = QString::fromUtf8("\u041e\u0437\u0435\u0440\u043e");  // Cyrillic
const QString kImage = QString::fromUtf8("\u0141\u00f3d\u017a.bmp");        // Polish
const QString kNote = QString::fromUtf8(
    "Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 "
    "ja\u017a\u0144 \u6e56 \U0001F3A3");

TEST_F(FnmResave, UnicodeNamesNotesAndPathsInEveryFolder) {
    ASSERT_TRUE(QDir().mkpath(Path(kLake)));
    ASSERT_TRUE(QDir().mkpath(Path("other")));
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(Path(kLake + "/" + kImage), "BMP"));
    CTarnLocation l;
    auto entry = std::make_unique<CMapLocation>();
    entry->fileName = kLake + "/" + kImage;
    entry->placement = RectL{0, 0, 16, 12};
    l.maps.entries.push_back(std::move(entry));
    CUserInfoPoint& point = l.userInfoPoints.AddNew();
    point.name = QString::fromUtf8("\u017b\u00f3\u0142w");
    point.info = kNote;
    l.mapPoints.AddPoint(4, 5, 1, 1251, QString::fromUtf8("\u6e56\u7554"), kNote);
    const QByteArray bytes = archivebytes::Store([&](CArchive& ar) { l.SerializeLocation(ar); });
    const QString in = Path(QString::fromUtf8("\u0142owisko.fnm"));
    ASSERT_TRUE(WriteAll(in, bytes));

    struct Case {
        QString out;
        QString mapName;
    } cases[] = {
        {Path(QString::fromUtf8("kopia \u043a\u043e\u043f\u0438\u044f.fnm")), kLake + "/" + kImage},
        {Path(kLake + "/copy.fnm"), kImage},
        {Path("other/copy.fnm"), QDir::cleanPath(Path(kLake + "/" + kImage))},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Fnm({"resave", in, c.out}).status, 0) << c.out;
        const QJsonObject o = Info(c.out);
        ASSERT_FALSE(o.isEmpty()) << c.out;
        EXPECT_EQ(o["maps"][0]["fileName"].toString(), c.mapName) << c.out;
        EXPECT_TRUE(o["maps"][0]["loaded"].toBool()) << c.out;
        EXPECT_EQ(o["userInfoPoints"][0]["name"].toString(), point.name);
        EXPECT_EQ(o["userInfoPoints"][0]["info"].toString(), kNote);
        EXPECT_EQ(o["mapPoints"][0]["name"].toString(), QString::fromUtf8("\u6e56\u7554"));
        EXPECT_EQ(o["mapPoints"][0]["info"].toString(), kNote);
    }
    EXPECT_EQ(ReadAll(cases[0].out), bytes) << "the same folder: byte for byte";
}

TEST_F(FnmResave, TheSampleSavedElsewhereStillFindsItsImages) {
    const QString sample = QString(FM_SAMPLES_DIR) + "/millelacs.fnm";
    ASSERT_TRUE(QDir().mkpath(Path("other")));
    ASSERT_EQ(Fnm({"resave", sample, Path("other/copy.fnm")}).status, 0);
    const QJsonArray original = Info(sample)["maps"].toArray();
    const QJsonArray copied = Info(Path("other/copy.fnm"))["maps"].toArray();
    ASSERT_FALSE(original.isEmpty());
    ASSERT_EQ(copied.size(), original.size());
    for (qsizetype i = 0; i < copied.size(); ++i) {
        const QString stored = original[i]["fileName"].toString();
        EXPECT_TRUE(QDir::isRelativePath(stored)) << stored;
        EXPECT_EQ(copied[i]["fileName"].toString(),
                  QDir::cleanPath(QDir(FM_SAMPLES_DIR).absoluteFilePath(stored)));
        EXPECT_TRUE(copied[i]["loaded"].toBool()) << stored;
    }
}

}  // namespace
