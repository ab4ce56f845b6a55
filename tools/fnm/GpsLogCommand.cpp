// SPDX-License-Identifier: GPL-3.0-or-later
#include "GpsLogCommand.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "framework/Settings.h"
#include "gps/GpsLink.h"
#include "gps/GpsdSource.h"
#include "gps/SerialSource.h"
#include "interchange/Gpx.h"
#include "resources/Strings.h"

namespace fnm {

int GpsLog(const Invocation& inv) {
    if (inv.operands.size() != 1) return UsageError(inv);
    const std::optional<QString> sourceText = inv.Value("--source");
    const std::optional<QString> secondsText = inv.Value("--seconds");
    if (!sourceText || !secondsText) return UsageError(inv);
    double seconds = 0;
    if (!ParseNumber(inv, *secondsText, "--seconds", 0.1, 86400.0 * 7, seconds)) return kUsage;
    double baud = 4800;
    if (const auto b = inv.Value("--baud"); b && !ParseNumber(inv, *b, "--baud", 50, 4000000, baud))
        return kUsage;

    std::unique_ptr<CPositionSource> source;
    if (*sourceText == "gpsd") {
        QString host;
        quint16 port = 0;
        const QString address = inv.Value("--address").value_or(setting::GpsAddressDefault);
        if (!CGpsdSource::ParseAddress(address, host, port)) {
            Complain(QString("fnm gps-log: ") + QString(str::GpsBadAddress).arg(address));
            return kUsage;
        }
        source = std::make_unique<CGpsdSource>(host, port);
    } else {
        if (!CGpsLink::PortExists(*sourceText)) {
            Complain(QString("fnm gps-log: ") + QString(str::GpsPortMissing).arg(*sourceText));
            return kFileFault;
        }
        SerialSettings s;
        s.portName = *sourceText;
        s.baudRate = static_cast<qint32>(baud);
        source = std::make_unique<CSerialSource>(s);
    }
    const QString name = source->Name();

    CGpsLink link;
    bool reached = false;
    // Each change of state once on stderr; the fixes themselves go to the file.
    QObject::connect(
        source.get(), &CPositionSource::stateChanged, &link,
        [&reached, name](CPositionSource::State s) {
            if (s != CPositionSource::State::Connecting && s != CPositionSource::State::Stopped)
                reached = true;
            if (s != CPositionSource::State::Fix && s != CPositionSource::State::Stopped)
                std::fprintf(stderr, "%s\n", qPrintable(CGpsLink::StatusText(s, name, {})));
        });
    link.Connect(std::move(source));
    QTimer::singleShot(static_cast<int>(seconds * 1000.0), QCoreApplication::instance(),
                       &QCoreApplication::quit);
    QCoreApplication::exec();
    link.Disconnect();
    if (!reached) {
        Complain(QString("fnm gps-log: %1 could not be reached").arg(name));
        return kFileFault;
    }
    const std::vector<gpx::TimedPoint>& points = link.Track().Points();
    const QString trackName =
        QString(str::GpsTrackName)
            .arg(points.empty() ? QString()
                                : points.front().time.toUTC().toString("yyyy-MM-dd HH:mm"));
    const QString& out = inv.operands[0];
    if (const auto status = gpx::SaveTrackGpx(trackName.trimmed(), points, out);
        status != CAtomicFile::Status::Ok) {
        Complain(gpx::ExportFailureMessage(status, out));
        return kFileFault;
    }
    std::printf("%zu track point(s) from %zu fix(es) written\n", points.size(),
                link.Track().Offered());
    return kSuccess;
}

}  // namespace fnm
