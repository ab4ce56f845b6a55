#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "app/MainFrame.h"
#include "app/SampleLocation.h"
#include "app/TarnlightApp.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "resources/Art.h"
#include "resources/Strings.h"

#ifndef FM_VERSION
#define FM_VERSION "1.0.0"
#endif

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(SettingsStore::kCompany);
    QApplication::setApplicationName(SettingsStore::kApplication);
    QApplication::setApplicationDisplayName(str::AppTitle);
    QGuiApplication::setDesktopFileName("io.github.fenmarrow.Fenmarrow");
    QApplication::setApplicationVersion(QString::fromLatin1(FM_VERSION));
    QApplication::setWindowIcon(art::AppIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Lake maps for anglers: positions, distances, marks and sun times.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE",
                                 "A location (.fnm, .qlt) or a map image (.jpg, .bmp) to open.");
    QCommandLineOption print("print", "Print FILE on the default printer and exit.");
    QCommandLineOption printTo("print-to", "Print FILE on PRINTER and exit.", "PRINTER");
    QCommandLineOption defaultFile(
        "default-file", "Open FILE when no file is given and none is to be reopened.", "FILE");
    parser.addOption(print);
    parser.addOption(printTo);
    parser.addOption(defaultFile);
    parser.process(qapp);

    StartupOptions options;
    if (!parser.positionalArguments().isEmpty())
        options.file = parser.positionalArguments().first();
    options.defaultFile = parser.isSet(defaultFile) ? parser.value(defaultFile) : SampleLocation();
    options.print = parser.isSet(print) || parser.isSet(printTo);
    options.printTo = parser.value(printTo);

    GuiPrompts prompts;
    Prompts::install(&prompts);
    CTarnlightApp app;
    const bool started = app.InitInstance(options);
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
