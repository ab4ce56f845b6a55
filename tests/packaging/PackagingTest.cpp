// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <vector>

#include "TestUtil.h"
#include "resources/Version.h"

namespace {

const QString kSource = QString(FM_SOURCE_DIR) + "/packaging/";
const QString kBuilt = QString(FM_PACKAGING_BUILD_DIR) + "/";
const QString kAppId = "io.github.fenmarrow.Fenmarrow";

struct ProgramRun {
    int status = -1;
    QString out, err;
};

ProgramRun RunProgram(const QString& program, const QStringList& args,
                      const QByteArray& input = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MANWIDTH", "80");
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    ProgramRun r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A manual page's text with roff's escaped hyphens as plain ones.
QString ManSource(const QString& page) {
    return QString::fromUtf8(testutil::ReadAll(kBuilt + "man/" + page + ".1")).replace("\\-", "-");
}

// The lines of one section (.SH NAME up to the next .SH) of a page.
QString Section(const QString& man, const QString& name) {
    const qsizetype start = man.indexOf("\n.SH " + name + "\n");
    if (start < 0) return {};
    const qsizetype end = man.indexOf("\n.SH ", start + 1);
    return man.mid(start, end < 0 ? -1 : end - start);
}

// Every element of an XML file in document order, with its own text.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
};
struct Xml {
    std::vector<Element> elements;
    explicit Xml(const QString& path) {
        QXmlStreamReader reader(testutil::ReadAll(path));
        std::vector<size_t> open;
        while (!reader.atEnd()) {
            reader.readNext();
            if (reader.isStartElement()) {
                open.push_back(elements.size());
                elements.push_back({reader.name().toString(), reader.attributes(), {}});
            } else if (reader.isEndElement()) {
                open.pop_back();
            } else if (reader.isCharacters() && !open.empty()) {
                elements[open.back()].text += reader.text();
            }
        }
        EXPECT_FALSE(reader.hasError()) << path << ": " << reader.errorString();
    }
    std::vector<const Element*> All(const QString& tag) const {
        std::vector<const Element*> out;
        for (const Element& e : elements)
            if (e.name == tag) out.push_back(&e);
        return out;
    }
    QStringList Texts(const QString& tag) const {
        QStringList out;
        for (const Element* e : All(tag)) out << e->text.trimmed();
        return out;
    }
    QStringList Attributes(const QString& tag, const QString& attribute) const {
        QStringList out;
        for (const Element* e : All(tag)) out << e->attributes.value(attribute).toString();
        return out;
    }
};

QString DesktopKey(const QString& file, const QString& key) {
    for (const QString& line : QString::fromUtf8(testutil::ReadAll(file)).split('\n'))
        if (line.startsWith(key + "=")) return line.mid(key.size() + 1);
    return {};
}

TEST(ManualPages, FnmDocumentsEveryCommandOptionAndExitStatus) {
    const ProgramRun help = RunProgram(FM_FNM_PATH, {"help"});
    ASSERT_EQ(help.status, 0) << help.err;
    const QString man = ManSource("fnm");
    const QString commands = Section(man, "COMMANDS");
    ASSERT_FALSE(commands.isEmpty());

    int listed = 0;
    for (const QString& line : help.out.split('\n')) {
        if (!line.startsWith("  fnm ")) continue;
        const QString name = line.mid(6).section(' ', 0, 0);
        ++listed;
        EXPECT_TRUE(
            QRegularExpression("\n\\.BI? \"?" + QRegularExpression::escape(name) + "[ \"\n]")
                .match(commands)
                .hasMatch())
            << "fnm.1 does not describe " << name;
    }
    EXPECT_GE(listed, 8);

    QSet<QString> options;
    for (const auto& m : QRegularExpression("--[a-z]+").globalMatch(help.out))
        options << m.captured();
    for (const QString& option : options)
        EXPECT_TRUE(commands.contains(option)) << "fnm.1 does not describe " << option;

    // "Exit status: 0 success, 1 ..., 2 ..., 64 ...": each number has its entry.
    const QString statusText = help.out.mid(help.out.indexOf("Exit status:"));
    const QString statuses = Section(man, "EXIT STATUS");
    int numbers = 0;
    for (const auto& m : QRegularExpression("(?:^|[:,] ?|\n)(\\d+) ").globalMatch(statusText)) {
        ++numbers;
        EXPECT_TRUE(statuses.contains("\n.B " + m.captured(1) + "\n"))
            << "fnm.1 lacks exit status " << m.captured(1);
    }
    EXPECT_EQ(numbers, 4) << statusText;
}

TEST(ManualPages, CarryTheReleaseAndRenderWithoutWarnings) {
    const QString groff = QStandardPaths::findExecutable("groff");
    for (const char* page : {"fenmarrow", "mapwright", "fnm"}) {
        const QString path = kBuilt + "man/" + page + ".1";
        const QString man = ManSource(page);
        ASSERT_FALSE(man.isEmpty()) << path;
        EXPECT_TRUE(man.startsWith(QString(".TH ") + QString(page).toUpper() + " 1 "));
        EXPECT_TRUE(man.contains(QString("Fenmarrow Utilities ") + version::Number)) << page;
        EXPECT_FALSE(man.contains('@')) << page << ": a placeholder was left unfilled";
        for (const char* section :
             {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS|COMMANDS", "EXIT STATUS", "SEE ALSO"}) {
            bool found = false;
            for (const QString& s : QString(section).split('|'))
                found |= !Section(man, s).isEmpty();
            EXPECT_TRUE(found) << page << " lacks " << section;
        }
        EXPECT_TRUE(QFileInfo(path + ".gz").size() > 0) << path << ".gz";
        if (groff.isEmpty()) continue;
        const ProgramRun r = RunProgram(groff, {"-man", "-ww", "-z", path});
        EXPECT_EQ(r.status, 0) << page;
        EXPECT_EQ(r.err, QString()) << page;
    }
    if (groff.isEmpty()) GTEST_SKIP() << "groff is not installed";
}

TEST(DesktopData, EntriesValidateAndNameRegisteredTypes) {
    const Xml mime(kSource + "fenmarrow.xml");
    const QStringList typeList = mime.Attributes("mime-type", "type");
    const QSet<QString> registered(typeList.begin(), typeList.end());
    const QStringList globList = mime.Attributes("glob", "pattern");
    EXPECT_EQ(QSet<QString>(globList.begin(), globList.end()), (QSet<QString>{"*.fnm", "*.qlt"}));

    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    const QStringList mainCategories = {
        "AudioVideo", "Audio",  "Video",   "Development", "Education", "Game",   "Graphics",
        "Network",    "Office", "Science", "Settings",    "System",    "Utility"};
    for (const char* id : {"io.github.fenmarrow.Fenmarrow", "io.github.fenmarrow.Mapwright"}) {
        const QString file = kSource + id + ".desktop";
        ASSERT_TRUE(QFileInfo::exists(file)) << file;
        int mains = 0;
        for (const QString& c : DesktopKey(file, "Categories").split(';', Qt::SkipEmptyParts))
            mains += mainCategories.contains(c);
        EXPECT_EQ(mains, 1) << id;
        EXPECT_FALSE(DesktopKey(file, "Keywords").isEmpty()) << id;
        const QStringList types = DesktopKey(file, "MimeType").split(';', Qt::SkipEmptyParts);
        EXPECT_EQ(QSet<QString>(types.begin(), types.end()), registered) << id;
        if (validator.isEmpty()) continue;
        const ProgramRun r = RunProgram(validator, {file});
        EXPECT_EQ(r.status, 0) << id;
        EXPECT_EQ(r.out + r.err, QString()) << id;  // not even a hint
    }
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
}

TEST(DesktopData, AppStreamDataMatchesTheProgramsAndValidates) {
    const QString path = kBuilt + kAppId + ".metainfo.xml";
    const Xml meta(path);
    EXPECT_EQ(meta.Texts("id"), QStringList{kAppId});
    EXPECT_EQ(meta.Texts("project_license"), QStringList{version::Licence});
    EXPECT_EQ(meta.Attributes("release", "version"), QStringList{version::Number});
    for (const QString& launchable : meta.Texts("launchable"))
        EXPECT_TRUE(QFileInfo::exists(kSource + launchable)) << launchable;
    EXPECT_EQ(meta.Texts("binary"), (QStringList{"fenmarrow", "mapwright", "fnm"}));
    // The screenshot's address names the picture the repository ships.
    const auto images = meta.All("image");
    ASSERT_FALSE(images.empty());
    for (const Element* e : images) {
        const QString image = e->text.trimmed();
        const QImage picture(QString(FM_SOURCE_DIR) + "/" + image.section("/main/", 1));
        ASSERT_FALSE(picture.isNull()) << image;
        EXPECT_EQ(picture.size(), QSize(e->attributes.value("width").toInt(),
                                        e->attributes.value("height").toInt()));
    }
    EXPECT_EQ(meta.Texts("mediatype"),
              Xml(kSource + "fenmarrow.xml").Attributes("mime-type", "type"));

    const QString validator = QStandardPaths::findExecutable("appstreamcli");
    if (validator.isEmpty()) GTEST_SKIP() << "appstreamcli is not installed";
    const ProgramRun r = RunProgram(validator, {"validate", "--no-net", path});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(r.out.contains("Validation was successful")) << r.out;
}

TEST(DesktopData, IconsAreRenderedAtEverySize) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        for (const char* name : {"fenmarrow", "mapwright"}) {
            const QString png = kBuilt + QString("icons/%1x%1/%2.png").arg(size).arg(name);
            const QImage icon(png);
            ASSERT_FALSE(icon.isNull()) << png;
            EXPECT_EQ(icon.size(), QSize(size, size)) << png;
            // Drawn, not blank: the middle of each icon is opaque.
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << png;
        }
    }
}

}  // namespace
