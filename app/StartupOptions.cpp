#include "app/StartupOptions.h"

#include <QCommandLineParser>

StartupOptions ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tolve, a level editor for Quake map files."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a separate editor even if one is running already."));
    parser.addOption(newInstance);
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Start, save a picture of the main window as FILE, and quit."),
        QStringLiteral("FILE"));
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Map files to open."),
                                 QStringLiteral("[FILE...]"));
    // --help and --version print and end the program here.
    parser.process(arguments);

    StartupOptions options;
    options.files = parser.positionalArguments();
    options.screenshotPath = parser.value(screenshot);
    // A picture is always of an editor of its own.
    options.singleInstance = !parser.isSet(newInstance) && options.screenshotPath.isEmpty() &&
                             qEnvironmentVariableIntValue("TOLVE_NEW_INSTANCE") == 0;
    return options;
}
