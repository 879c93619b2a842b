#include "app/CRecentFileList.h"

#include "app/AppSettings.h"

#include <QFileInfo>

namespace {

const char* const kGroup = "Recent File List";

QString EntryKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

// Two spellings of one file are one entry.
bool IsSameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

void CRecentFileList::LoadRecentFiles() {
    QSettings settings = OpenAppSettings();
    settings.beginGroup(QLatin1String(kGroup));
    m_paths.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        QString path = settings.value(EntryKey(i)).toString();
        if (!path.isEmpty())
            m_paths.append(path);
    }
    emit Changed();
}

void CRecentFileList::AddRecentFile(const QString& path) {
    QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeIf([&](const QString& entry) { return IsSameFile(entry, absolute); });
    m_paths.prepend(absolute);
    while (m_paths.size() > kMaxEntries)
        m_paths.removeLast();
    SaveRecentFiles();
    emit Changed();
}

void CRecentFileList::RemoveRecentFile(const QString& path) {
    if (m_paths.removeIf([&](const QString& entry) { return IsSameFile(entry, path); }) == 0)
        return;
    SaveRecentFiles();
    emit Changed();
}

void CRecentFileList::SaveRecentFiles() const {
    QSettings settings = OpenAppSettings();
    settings.beginGroup(QLatin1String(kGroup));
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < m_paths.size())
            settings.setValue(EntryKey(i), m_paths[i]);
        else
            settings.remove(EntryKey(i));
    }
}
