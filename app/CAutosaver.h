#pragma once

#include "framework/CAutosaveStore.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <map>
#include <vector>

class CDocManager;
class CTolveDoc;

// Writes a copy of every modified open map on a timer, into the user's data
// location and never over the user's own files, so that a crash costs minutes
// of work. A map's copies go when it is saved or closed. Autosave never
// stops the user with a message: a copy that cannot be written shows in the
// status bar.
//
// The map text is made at once, so the copy is exactly the map of that
// moment; the file is written on a thread of its own, so a big map does not
// hold up the editing.
class CAutosaver : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultIntervalMinutes = 3;

    CAutosaver(CDocManager& docs, const QString& folder);
    // Copies of maps that were never closed stay when they hold changes: the
    // editor went without asking about them.
    ~CAutosaver() override;

    // The folder in the user's data location.
    static QString DefaultFolder();
    // The minutes between copies, a setting; 0 turns autosave off.
    static int LoadIntervalMinutes();
    static void StoreIntervalMinutes(int minutes);

    // Locks this run's folder and starts the timer; off (with a notice in the
    // status bar) when the folder cannot be made.
    void Start(int intervalMinutes);
    QTimer& GetTimer() { return m_timer; }

    // Writes a copy of each modified map that changed since its last copy.
    void AutosaveModified();
    // Returns once every copy under way is on disk.
    void WaitForCopies();

    // The copies that runs which ended without closing their maps left.
    std::vector<AbandonedAutosave> FindAbandoned();
    // Opens the newest copy as a modified map never saved, named after its
    // map; the copies stay until that map is saved or closed. Null when the
    // copy could not be read.
    CTolveDoc* Recover(const AbandonedAutosave& abandoned);
    void Discard(const AbandonedAutosave& abandoned);

    // The title of a recovered copy of a map titled `title`.
    static std::string RecoveredTitle(const std::string& title);

private:
    struct DocCopies {
        int slot = 0;
        unsigned long copiedRevision = 0; // the document's revision at its last copy
    };

    void Autosave(const CTolveDoc& doc);
    void ForgetCopies(const CTolveDoc& doc);
    void OnCopyFailed(const std::string& title, const std::string& reason);

    CDocManager& m_docs;
    CAutosaveStore m_store;
    QTimer m_timer;
    QThreadPool m_writer; // one thread: copies are written in the order they were made
    std::map<const CTolveDoc*, DocCopies> m_copies;
};
