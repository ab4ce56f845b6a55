// SPDX-License-Identifier: GPL-3.0-or-later
// fnm: location files from the command line. Reads exactly as the program
// opens files and writes exactly as it saves them, but never asks anything.

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "AlmanacCommand.h"
#include "Commands.h"
#include "GeorefCommands.h"
#include "GpsLogCommand.h"
#include "GpxCommands.h"
#include "RenderCommand.h"
#include "ToolCommands.h"
#include "framework/Prompts.h"
#include "resources/Version.h"

namespace {

struct Subcommand {
    const char* name;
    const char* arguments;
    const char* summary;
    fnm::OptionSet options;
    int (*run)(const fnm::Invocation& inv);
    // Draws, and so needs a paint device and fonts; the rest start only
    // Qt's core, without a platform plugin.
    bool paints = false;
};

// New subcommands go here.
const Subcommand kSubcommands[] = {
    {"info",
     "FILE [--json]",
     "read FILE as the program opens it and describe the location (--json: one JSON object); "
     "for a map image also the georeference found",
     {{"--json"}, {}},
     &fnm::Info},
    {"resave",
     "IN OUT",
     "read IN as the program opens it and write OUT as its Save writes a location",
     {},
     &fnm::Resave},
    {"distance",
     "LAT1 LON1 LAT2 LON2",
     "statute miles between two points given in decimal degrees north and west",
     {},
     &fnm::Distance},
    {"sun",
     "--lat LAT --lon LON --date YYYY-MM-DD",
     "sunrise and sunset there on that date, in the time zone of TZ",
     {{}, {"--lat", "--lon", "--date"}},
     &fnm::Sun},
    {"bass",
     "LENGTH GIRTH",
     "a bass's estimated weight in pounds from inches (0 to 100)",
     {},
     &fnm::Bass},
    {"export-gpx",
     "FILE OUT.gpx",
     "write FILE's points as GPX waypoints, its lines, rectangles and ellipses as routes and its "
     "free-hand strokes as tracks",
     {},
     &fnm::ExportGpx},
    {"import-gpx",
     "FILE IN.gpx OUT.fnm",
     "add IN's waypoints, routes and tracks to FILE and write OUT as Save writes it; prints added "
     "and skipped counts",
     {},
     &fnm::ImportGpx},
    {"render",
     "FILE OUT.png|OUT.pdf [--x X --y Y --width W --height H] [--whole] [--scale N] "
     "[--pages N] [--overlap MM] [--landscape] [--paper SIZE] [--dpi DPI]",
     "the location composed as printing composes it, as a PNG (whole extent by default); "
     "OUT.pdf or a page option prints it on pages (A4 unless --paper) at 1:N or fitted to at most "
     "N pages, with frame, ticks, scale bar and footer (several PNG pages: OUT-1.png, OUT-2.png "
     "...)",
     {{"--whole", "--landscape"},
      {"--x", "--y", "--width", "--height", "--scale", "--pages", "--overlap", "--paper", "--dpi"}},
     &fnm::Render,
     true},
    {"almanac",
     "--lat LAT --lon LON [--date YYYY-MM-DD | --from YYYY-MM-DD --days N] [--zone ZONE] [--json]",
     "the fishing calendar there (north and west positive): sun and moon rising, setting and "
     "passages, the moon's phase, the solunar periods and the day's rating, in the machine's "
     "time zone or ZONE (an IANA name such as Europe/Oslo); today by default",
     {{"--json"}, {"--lat", "--lon", "--date", "--from", "--days", "--zone"}},
     &fnm::Almanac},
    {"gps-log",
     "--source gpsd|SERIALPORT --seconds N [--address HOST:PORT] [--baud RATE] OUT.gpx",
     "record a track from gpsd (at localhost:2947 unless --address) or a serial NMEA receiver for "
     "N seconds and write it as a GPX track",
     {{}, {"--source", "--seconds", "--address", "--baud"}},
     &fnm::GpsLog},
    {"calibrate",
     "IMAGE OUT.fnm",
     "write OUT as a one-map location of IMAGE, calibrated from its GeoTIFF tags, world file "
     "(with .prj, or WGS 84) or OziExplorer .map",
     {},
     &fnm::Calibrate},
};

constexpr const char* kExitStatus =
    "Exit status: 0 success, 1 the file is not a location (\"Unexpected file format.\") or not\n"
    "GPX, 2 a file could not be opened, read or written, 64 a wrong command line (an unknown\n"
    "option, a missing operand, or a number that is not a finite decimal in its range).\n";

QString UsageLine(const Subcommand& c) {
    return QString("usage: fnm %1 %2").arg(QLatin1String(c.name), QLatin1String(c.arguments));
}

void Usage(FILE* stream) {
    std::fprintf(stream,
                 "usage: fnm COMMAND ARGUMENTS\n       fnm COMMAND --help\n"
                 "       fnm --version\n\n");
    for (const Subcommand& c : kSubcommands)
        std::fprintf(stream, "  fnm %s %s\n      %s\n", c.name, c.arguments, c.summary);
    std::fprintf(stream,
                 "\nImages a location names are looked for beside it when missing; fnm never "
                 "asks.\n"
                 "Every word is taken as it is; \"--\" ends the options, so a file named\n"
                 "\"--json\" is \"fnm info -- --json\".\n%s",
                 kExitStatus);
}

void SubcommandHelp(const Subcommand& c) {
    std::printf("%s\n    %s\n\n%s", qPrintable(UsageLine(c)), c.summary, kExitStatus);
}

const Subcommand* Find(const QString& name) {
    for (const Subcommand& c : kSubcommands)
        if (name == QLatin1String(c.name)) return &c;
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    SilentPrompts silent;
    Prompts::install(&silent);

    QStringList args;
    for (int i = 1; i < argc; ++i) args << QFile::decodeName(argv[i]);
    if (args.isEmpty()) {
        Usage(stderr);
        return fnm::kUsage;
    }
    const QString command = args.takeFirst();
    if (command == "--help" || command == "-h" || command == "help") {
        if (const Subcommand* c = args.size() == 1 ? Find(args[0]) : nullptr) {
            SubcommandHelp(*c);
            return fnm::kSuccess;
        }
        Usage(stdout);
        return fnm::kSuccess;
    }
    if (command == "--version") {
        std::fputs(version::Text("fnm (Fenmarrow Utilities)").c_str(), stdout);
        return fnm::kSuccess;
    }
    const Subcommand* c = Find(command);
    if (!c) {
        std::fprintf(stderr, "fnm: unknown command '%s'\n\n", command.toLocal8Bit().constData());
        Usage(stderr);
        return fnm::kUsage;
    }
    fnm::Invocation inv;
    inv.command = QLatin1String(c->name);
    inv.usage = UsageLine(*c);
    QString error;
    if (!fnm::ParseInvocation(args, c->options, inv, error)) {
        fnm::Complain(error);
        return fnm::UsageError(inv);
    }
    if (inv.Has("--help")) {
        SubcommandHelp(*c);
        return fnm::kSuccess;
    }

    // Qt never sees the real words: it would take "-reverse", "-style" and
    // the like for its own and drop them.
    static int qtArgc = 1;
    static char qtName[] = "fnm";
    static char* qtArgv[] = {qtName, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (c->paints) {
        // No display needed: drawing happens off screen unless told otherwise.
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    }
    return c->run(inv);
}
