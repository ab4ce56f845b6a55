// SPDX-License-Identifier: GPL-3.0-or-later
// A 10 Hz NMEA receiver played through a pseudo-terminal into the serial
// source of a 1200 x 800 map view over the sample lake, the boat and its
// track drawn as they come. Each iteration is one second of stream in real
// time; "cpu%" is the process's CPU time over that second (player included),
// "painted_px" the viewport pixels repainted per fix.
//   build/bench/bench_gps --benchmark_repetitions=3
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPaintEvent>
#include <QTimer>
#include <cmath>
#include <numbers>

#include "document/TarnlightDoc.h"
#include "framework/Settings.h"
#include "gps/GpsLink.h"
#include "view/TarnlightView.h"

namespace {

QApplication& App() {
    static int argc = 1;
    static char arg0[] = "bench_gps";
    static char* argv[] = {arg0, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication app(argc, argv);
    return app;
}

QByteArray Sentence(const QByteArray& body) {
    unsigned char sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    return "$" + body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray Angle(double a, int digits) {
    const int d = static_cast<int>(a);
    return QByteArray::number(d).rightJustified(digits, '0') +
           QByteArray::number((a - d) * 60.0, 'f', 5).rightJustified(8, '0');
}

// Fix i of a loop on the lake at ten fixes a second.
QByteArray Fix(int i) {
    const double a = 2 * std::numbers::pi * i / 6000.0;
    const double lat = 46.25 + 0.008 * std::sin(a), lonW = 93.62 + 0.0115 * std::cos(a);
    const int tenths = i % 864000;
    const QByteArray t = QByteArray::number(tenths / 36000).rightJustified(2, '0') +
                         QByteArray::number(tenths / 600 % 60).rightJustified(2, '0') +
                         QByteArray::number(tenths / 10 % 60).rightJustified(2, '0') + "." +
                         QByteArray::number(tenths % 10) + "0";
    const QByteArray pos = Angle(lat, 2) + ",N," + Angle(lonW, 3) + ",W";
    return Sentence("GPGGA," + t + "," + pos + ",1,08,0.9,381.0,M,-28.0,M,,") +
           Sentence("GPRMC," + t + ",A," + pos + ",12.0,45.0,210626,,,A");
}

struct PaintCounter : QObject {
    qint64 pixels = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                pixels += qint64(r.width()) * r.height();
        return false;
    }
};

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_TenHertzStream(benchmark::State& state) {
    App();
    const QString home = QDir::temp().filePath("fenmarrow_bench_gps_home");
    QDir(home).mkpath(".");
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.toLocal8Bit());
    SettingsStore::instance().Reload();

    int master = -1, slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    SettingsStore::instance().SetInt(setting::GpsSource, 0);
    SettingsStore::instance().SetString(setting::GpsPortName, QString::fromLocal8Bit(name));

    CTarnlightDoc doc;
    CTarnlightView view(doc, nullptr);
    view.resize(1200, 800);
    view.show();
    view.OnInitialUpdate();
    doc.OpenDocumentFile(FM_SOURCE_DIR "/samples/millelacs.fnm");
    view.followBoat = true;
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    view.OnConnectGps();
    Wait(200);

    int fix = 0;
    qint64 fixes = 0;
    double cpu = 0, wall = 0;
    counter.pixels = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double cpu0 = CpuSeconds();
        for (int k = 0; k < 10; ++k) {
            const QByteArray bytes = Fix(fix++);
            if (::write(master, bytes.constData(), bytes.size()) != bytes.size())
                state.SkipWithError("the terminal is full");
            Wait(100);
        }
        cpu += CpuSeconds() - cpu0;
        wall += clock.nsecsElapsed() / 1e9;
        fixes += 10;
    }
    state.counters["cpu%"] = 100.0 * cpu / wall;
    state.counters["painted_px"] = double(counter.pixels) / double(fixes);
    state.counters["track_points"] = double(view.Gps().Track().Points().size());
    view.OnConnectGps();  // disconnect
    ::close(slave);
    ::close(master);
}
BENCHMARK(BM_TenHertzStream)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
