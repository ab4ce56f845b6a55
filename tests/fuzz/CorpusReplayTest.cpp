// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "FuzzTargets.h"

namespace {

// Every input the fuzzers kept runs again through its target: what once
// crashed or broke an invariant stays fixed, under the normal and the
// sanitizer builds alike.
class CorpusReplay : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { fuzzing::Init(); }
};

TEST_P(CorpusReplay, EveryKeptInputPasses) {
    const std::string target = GetParam();
    const fuzzing::Target run = fuzzing::Find(target);
    ASSERT_NE(run, nullptr);
    QDir corpus(QString(FM_CORPUS_DIR "/") + QString::fromStdString(target));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no corpus in " << corpus.path().toStdString();
    std::string current;
    fuzzing::SetFailureHandler(
        [&](const std::string& what) { ADD_FAILURE() << current << ": " << what; });
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        current = name.toStdString();
        run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    fuzzing::SetFailureHandler(nullptr);
    RecordProperty("inputs", int(files.size()));
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values("location", "qlt", "jpeg", "bitmap", "settings", "gpx",
                                           "jpegbudget", "georef"),
                         [](const auto& info) { return info.param; });

}  // namespace
