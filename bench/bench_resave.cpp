// SPDX-License-Identifier: GPL-3.0-or-later
// `fnm resave` of a large location against a plain copy of the same file.
// Build with -DFM_BUILD_BENCH=ON and run build/bench/bench_resave; the
// location (about 50 MB of long free-hand strokes) is written to a
// temporary folder by the first run. Resave should stay within five times
// the copy.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>

#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/Prompts.h"

namespace {

constexpr int kStrokes = 500;
constexpr int kPointsPerStroke = 12500;  // 500 x 12,500 x 8 bytes: 50 MB of points

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

QString Input() {
    return QDir(Folder().path()).filePath("strokes.fnm");
}
QString Output() {
    return QDir(Folder().path()).filePath("out.fnm");
}

void WriteInput() {
    if (QFile::exists(Input())) return;
    CTarnLocation location;
    uint32_t s = 12345;
    for (int i = 0; i < kStrokes; ++i) {
        CFreeHand& stroke = location.freeHands.AddNew();
        stroke.points.reserve(kPointsPerStroke);
        int x = 500;
        int y = 500;
        for (int k = 0; k < kPointsPerStroke; ++k) {
            s = s * 1664525u + 1013904223u;
            x += int(s >> 29) - 3;
            y += int((s >> 26) & 7) - 3;
            stroke.AppendPoint({x, y});
        }
        stroke.ComputeBounds();
    }
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    doc.DoSave(Input());
}

void BM_Resave(benchmark::State& state) {
    WriteInput();
    for (auto _ : state) {
        CTarnLocation location;
        CTarnlightDoc doc;
        doc.SetLocation(&location);
        if (!doc.OnOpenDocument(Input()) || !doc.DoSave(Output()))
            state.SkipWithError("resave failed");
    }
    state.SetBytesProcessed(state.iterations() * QFile(Input()).size());
}
BENCHMARK(BM_Resave)->Unit(benchmark::kMillisecond);

void BM_Copy(benchmark::State& state) {
    WriteInput();
    for (auto _ : state) {
        std::filesystem::copy_file(Input().toStdString(), Output().toStdString(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    state.SetBytesProcessed(state.iterations() * QFile(Input()).size());
}
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SilentPrompts silent;
    Prompts::install(&silent);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
