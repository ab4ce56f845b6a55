#include <QApplication>
#include <QCommandLineParser>

#include "framework/Prompts.h"
#include "mapwright/EditorStrings.h"
#include "mapwright/EditorWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quenmoor");
    QApplication::setApplicationName(mwstr::AppName);
    QApplication::setApplicationDisplayName(mwstr::AppName);
    QApplication::setApplicationVersion(QStringLiteral(FM_VERSION));

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
