// fnm: location files from the command line. Reads exactly as the program
// opens files and writes exactly as it saves them, but never asks anything.

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Commands.h"
#include "GpxCommands.h"
#include "RenderCommand.h"
#include "ToolCommands.h"
#include "framework/Prompts.h"

namespace {

struct Subcommand {
    const char* name;
    const char* arguments;
    const char* summary;
    int (*run)(const QStringList& args);
};

// New subcommands go here.
constexpr Subcommand kSubcommands[] = {
    {"info", "FILE [--json]",
     "read FILE as the program opens it and describe the location (--json: one JSON object)",
     &fnm::Info},
    {"resave", "IN OUT",
     "read IN as the program opens it and write OUT as its Save writes a location", &fnm::Resave},
    {"distance", "LAT1 LON1 LAT2 LON2",
     "statute miles between two points given in decimal degrees north and west", &fnm::Distance},
    {"sun", "--lat LAT --lon LON --date YYYY-MM-DD",
     "sunrise and sunset there on that date, in the time zone of TZ", &fnm::Sun},
    {"bass", "LENGTH GIRTH", "a bass's estimated weight in pounds from inches", &fnm::Bass},
    {"export-gpx", "FILE OUT.gpx", "write FILE's points as GPX waypoints and its lines as routes",
     &fnm::ExportGpx},
    {"import-gpx", "FILE IN.gpx OUT.fnm",
     "add IN's waypoints to FILE and write OUT as Save writes it; prints added and skipped counts",
     &fnm::ImportGpx},
    {"render", "FILE OUT.png [--x X --y Y --width W --height H]",
     "the location composed as printing composes it, as a PNG (whole extent by default)",
     &fnm::Render},
};

void Usage(FILE* stream) {
    std::fprintf(stream, "usage: fnm COMMAND ARGUMENTS\n\n");
    for (const Subcommand& c : kSubcommands)
        std::fprintf(stream, "  fnm %s %s\n      %s\n", c.name, c.arguments, c.summary);
    std::fprintf(stream,
                 "\nImages a location names are looked for beside it when missing; fnm never "
                 "asks.\n"
                 "Exit status: 0 success, 1 the file is not a location (\"Unexpected file "
                 "format.\"),\n"
                 "2 a file could not be opened, read or written, 64 a wrong command line.\n");
}

}  // namespace

int main(int argc, char** argv) {
    // No display needed: everything happens off screen unless told otherwise.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    SilentPrompts silent;
    Prompts::install(&silent);

    QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        Usage(stderr);
        return fnm::kUsage;
    }
    const QString command = args.takeFirst();
    if (command == "--help" || command == "-h" || command == "help") {
        Usage(stdout);
        return fnm::kSuccess;
    }
    if (command == "--version") {
        std::printf("fnm %s\n", FM_VERSION);
        return fnm::kSuccess;
    }
    for (const Subcommand& c : kSubcommands) {
        if (command != c.name) continue;
        // Help for one command, before any of its arguments is taken for a file.
        if (args.contains("--help") || args.contains("-h")) {
            std::printf("usage: fnm %s %s\n    %s\n", c.name, c.arguments, c.summary);
            return fnm::kSuccess;
        }
        return c.run(args);
    }
    std::fprintf(stderr, "fnm: unknown command '%s'\n\n", command.toLocal8Bit().constData());
    Usage(stderr);
    return fnm::kUsage;
}
