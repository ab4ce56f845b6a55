// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "app/Assembly.h"
#include "app/SampleLocation.h"
#include "framework/Prompts.h"
#include "resources/Version.h"

namespace {

struct CommandLine {
    QCommandLineOption print{"print", "Print FILE on the default printer and exit."};
    QCommandLineOption printTo{"print-to", "Print FILE on PRINTER and exit.", "PRINTER"};
    QCommandLineOption defaultFile{
        "default-file", "Open FILE when no file is given and none is to be reopened.", "FILE"};

    void Describe(QCommandLineParser& parser) {
        parser.setApplicationDescription(
            "Lake maps for anglers: positions, distances, marks and sun times.");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument(
            "FILE",
            "A location (.fnm, .qlt) or a map image (.jpg, .bmp, .png, .tif, .gif) to open.");
        parser.addOption(print);
        parser.addOption(printTo);
        parser.addOption(defaultFile);
    }
};

// Whether the command line only asks for the help or the version text,
// which must print without any display.
bool AsksForTextOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--") == 0) return false;
        for (const char* flag : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(a, flag) == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (version::Requested(argc, argv)) {
        std::fputs(version::Text("Fenmarrow Utilities").c_str(), stdout);
        return 0;
    }
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        SetApplicationIdentity();
        QCommandLineParser parser;
        CommandLine line;
        line.Describe(parser);
        parser.process(core);  // prints the text and exits
        return 0;
    }

    QApplication qapp(argc, argv);
    SetApplicationIdentity();
    QCommandLineParser parser;
    CommandLine line;
    line.Describe(parser);
    parser.process(qapp);

    StartupOptions options;
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().first();
    options.defaultFile =
        parser.isSet(line.defaultFile) ? parser.value(line.defaultFile) : SampleLocation();
    options.print = parser.isSet(line.print) || parser.isSet(line.printTo);
    options.printTo = parser.value(line.printTo);

    // Printing from the command line runs unattended: its messages go to
    // standard error and nothing waits for an answer.
    GuiPrompts gui;
    SilentPrompts unattended;
    Prompts::install(options.print ? static_cast<Prompts*>(&unattended) : &gui);
    CTarnlightApp app;
    const bool started = AssembleApplication(app, options);
    if (options.print) {
        // --print and --print-to: the page went out during start-up.
        app.ExitInstance();
        return started ? 0 : 1;
    }
    if (!started) return 1;
    int rc = QApplication::exec();
    app.ExitInstance();
    return rc;
}
