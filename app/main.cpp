#include "app/AppIcon.h"
#include "app/CInstanceServer.h"
#include "app/CQtServices.h"
#include "app/CTolveApp.h"
#include "app/StartupOptions.h"

#include "app/CMainFrame.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

QStringList AbsolutePaths(const QStringList& files) {
    QStringList paths;
    for (const QString& file : files)
        paths.append(QFileInfo(file).absoluteFilePath());
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tolve"));
    QApplication::setApplicationName(QStringLiteral("Tolve"));
    QApplication::setApplicationVersion(QStringLiteral("0.92"));
    QApplication::setDesktopFileName(QStringLiteral("tolve"));
    QApplication::setWindowIcon(MakeApplicationIcon());

    StartupOptions options = ParseCommandLine(QApplication::arguments());
    options.serverName = CInstanceServer::GetDefaultServerName();
    if (options.singleInstance && !options.files.isEmpty() &&
        CInstanceServer::SendToRunningInstance(options.serverName, AbsolutePaths(options.files)))
        return 0;

    CQtServices services;
    CTolveApp app;
    if (!app.InitInstance(options))
        return 1;
    if (!options.screenshotPath.isEmpty()) {
        // Let the window lay itself out and paint first.
        QTimer::singleShot(800, [&] {
            bool saved = app.GetMainFrame().grab().save(options.screenshotPath, "PNG");
            std::fprintf(saved ? stdout : stderr, "%s %s\n",
                         saved ? "Saved a picture of the editor to" : "Couldn't save",
                         qPrintable(options.screenshotPath));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
