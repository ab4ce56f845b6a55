// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "framework/Prompts.h"
#include "mapwright/EditorStrings.h"
#include "mapwright/EditorWindow.h"
#include "resources/Version.h"

int main(int argc, char** argv) {
    if (version::Requested(argc, argv)) {
        std::fputs(version::Text(mwstr::AppName).c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quenmoor");
    QApplication::setApplicationName(mwstr::AppName);
    QApplication::setApplicationDisplayName(mwstr::AppName);
    QGuiApplication::setDesktopFileName("io.github.fenmarrow.Mapwright");
    QApplication::setApplicationVersion(QString::fromLatin1(version::Number));

    QCommandLineParser parser;
    parser.setApplicationDescription(mwstr::AppDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FILE", mwstr::FileArgument);
    parser.process(app);

    GuiPrompts prompts;
    Prompts::install(&prompts);
    CEditorWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.OpenFile(parser.positionalArguments().first());
    return QApplication::exec();
}
