#include "app/CStartupOptions.h"

#include <QCommandLineParser>

CStartupOptions ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tolve, a level editor for Quake map files."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a separate editor even if one is running already."));
    parser.addOption(newInstance);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Map files to open."),
                                 QStringLiteral("[FILE...]"));
    // --help and --version print and end the program here.
    parser.process(arguments);

    CStartupOptions options;
    options.files = parser.positionalArguments();
    options.singleInstance =
        !parser.isSet(newInstance) && qEnvironmentVariableIntValue("TOLVE_NEW_INSTANCE") == 0;
    return options;
}
