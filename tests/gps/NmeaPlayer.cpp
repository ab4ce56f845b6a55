// SPDX-License-Identifier: GPL-3.0-or-later
#include "NmeaPlayer.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "TestUtil.h"
#include "gps/NmeaParser.h"

NmeaPlayer::NmeaPlayer(const QString& linkPath) : link(linkPath) {
    PlugIn();
}

NmeaPlayer::~NmeaPlayer() {
    Unplug();
    QFile::remove(link);
}

bool NmeaPlayer::PlugIn() {
    Unplug();
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        master = slave = -1;
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    QFile::remove(link);
    return QFile::link(QString::fromLocal8Bit(name), link);
}

void NmeaPlayer::Unplug() {
    if (slave >= 0) ::close(slave);
    if (master >= 0) ::close(master);
    master = slave = -1;
}

bool NmeaPlayer::Pump() {
    while (!pending.isEmpty() && master >= 0) {
        const ssize_t n =
            ::write(master, pending.constData(), std::min<qsizetype>(pending.size(), 512));
        if (n <= 0) break;
        pending.remove(0, n);
    }
    return pending.isEmpty();
}

QByteArray LoopLog() {
    return testutil::ReadAll(QStringLiteral(FM_TESTDATA_DIR "/gps/millelacs-loop.nmea"));
}

std::vector<GpsFix> LoopFixes() {
    std::vector<GpsFix> fixes;
    CNmeaParser parser;
    parser.onFix = [&](const GpsFix& f) { fixes.push_back(f); };
    parser.Feed(LoopLog());
    return fixes;
}

QByteArray Sentence(const QByteArray& body) {
    unsigned char sum = 0;
    for (char c : body) sum ^= static_cast<unsigned char>(c);
    return "$" + body + "*" + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

namespace {
QByteArray Angle(double v, int degDigits) {
    const double a = std::fabs(v);
    const int d = static_cast<int>(a);
    return QByteArray::number(d).rightJustified(degDigits, '0') +
           QByteArray::number((a - d) * 60.0, 'f', 5).rightJustified(8, '0');
}
}  // namespace

QByteArray FixSentences(const GpsFix& f) {
    const QByteArray t = f.time.toUTC().toString("HHmmss.zzz").left(9).toLatin1();
    const QByteArray d = f.time.toUTC().toString("ddMMyy").toLatin1();
    const QByteArray lat = Angle(f.lat, 2) + (f.lat >= 0 ? ",N" : ",S");
    const QByteArray lon = Angle(f.lon, 3) + (f.lon >= 0 ? ",E" : ",W");
    return Sentence("GPGGA," + t + "," + lat + "," + lon + ",1,08,0.9," +
                    QByteArray::number(f.elevation, 'f', 1) + ",M,-28.0,M,,") +
           Sentence("GPRMC," + t + ",A," + lat + "," + lon + "," +
                    QByteArray::number(f.speed / (1852.0 / 3600.0), 'f', 1) + "," +
                    QByteArray::number(f.heading, 'f', 1) + "," + d + ",,,A");
}
