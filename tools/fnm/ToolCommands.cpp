#include "ToolCommands.h"

#include <QDate>
#include <cstdio>

#include "Commands.h"
#include "framework/DataExchange.h"
#include "tools/BassWeight.h"
#include "tools/SunTimes.h"

namespace fnm {

int Sun(const QStringList& args) {
    double lat = 0, lon = 0;
    QDate date;
    bool haveLat = false, haveLon = false;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString& key = args[i];
        const QString& value = args[i + 1];
        if (key == "--lat")
            haveLat = DataExchange::ParseDouble(value, lat);
        else if (key == "--lon")
            haveLon = DataExchange::ParseDouble(value, lon);
        else if (key == "--date")
            date = QDate::fromString(value, Qt::ISODate);
    }
    if (args.size() != 6 || !haveLat || !haveLon || !date.isValid()) {
        std::fprintf(stderr, "usage: fnm sun --lat LAT --lon LON --date YYYY-MM-DD\n");
        return kUsage;
    }
    auto text = [](const std::optional<QDateTime>& t) {
        QString s = SunTimeText(t);
        return s.isEmpty() ? QString("--:--") : s;
    };
    std::printf("%s %s\n", qPrintable(text(SunriseTime(lat, lon, date))),
                qPrintable(text(SunsetTime(lat, lon, date))));
    return kSuccess;
}

int Bass(const QStringList& args) {
    double length = 0, girth = 0;
    if (args.size() != 2 || !DataExchange::ParseDouble(args[0], length) ||
        !DataExchange::ParseDouble(args[1], girth)) {
        std::fprintf(stderr, "usage: fnm bass LENGTH GIRTH   (inches)\n");
        return kUsage;
    }
    std::printf("%s\n", qPrintable(BassWeightText(length, girth)));
    return kSuccess;
}

}  // namespace fnm
