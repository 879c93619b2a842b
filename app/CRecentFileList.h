#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The most recently opened or saved maps, newest first, kept in the user's
// settings between sessions.
class CRecentFileList : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxEntries = 3;

    // Reads the list from the settings of organisation and application "Tolve".
    void LoadRecentFiles();

    const QStringList& GetPaths() const { return m_paths; }

    // Puts a path at the top; an entry already in the list moves up.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

signals:
    void Changed();

private:
    void SaveRecentFiles() const;

    QStringList m_paths;
};
