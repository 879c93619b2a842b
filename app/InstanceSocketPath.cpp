#include "app/InstanceSocketPath.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// ":0.0" as a file name: "_0.0".
QString DisplayPart(const QString& display) {
    QString part = display.isEmpty() ? QStringLiteral("nodisplay") : display;
    for (QChar& c : part) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('.') || c == QLatin1Char('-');
        if (!plain)
            c = QLatin1Char('_');
    }
    return part;
}

bool LinkStatus(const QString& path, struct stat& status) {
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

// The user's own folder in the temporary folder, made when missing.
QString OwnTempFolder(const QString& tempFolder) {
    if (tempFolder.isEmpty())
        return {};
    const QString folder = QDir(tempFolder).filePath(QStringLiteral("tolve-%1").arg(::geteuid()));
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return IsPrivateFolder(folder) ? folder : QString();
}

} // namespace

bool IsPrivateFolder(const QString& folder) {
    struct stat status {};
    return !folder.isEmpty() && LinkStatus(folder, status) && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

QString FindInstanceSocketPath(const QString& runtimeFolder, const QString& tempFolder,
                               const QString& display) {
    const QString folder =
        IsPrivateFolder(runtimeFolder) ? runtimeFolder : OwnTempFolder(tempFolder);
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(QStringLiteral("tolve-") + DisplayPart(display));
}

QString FindInstanceSocketPath() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    return FindInstanceSocketPath(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(),
                                  display);
}

bool IsOwnSocket(const QString& serverName) {
    const QString path =
        QDir::isAbsolutePath(serverName) ? serverName : QDir::temp().filePath(serverName);
    struct stat status {};
    return LinkStatus(path, status) && S_ISSOCK(status.st_mode) && status.st_uid == ::geteuid();
}
