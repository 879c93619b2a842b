#pragma once

#include "framework/CAutosaveStore.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <map>
#include <optional>
#include <vector>

class CDocManager;
class CTolveDoc;

// Writes a copy of every modified open map on a timer, into the user's data
// location and never over the user's own files, so that a crash costs minutes
// of work. A map's copies go when it is saved, or when it is closed without
// saving unless the copies are all that holds its work (a recovered map).
// Autosave never stops the user with a message: a copy that cannot be
// written, or autosave being off, is reported to whoever listens until it is
// over; a failed copy, and a folder that could not be made, are tried again
// at every tick until they work.
//
// The map text is made at once, so the copy is exactly the map of that
// moment; the file is written on a thread of its own, so a big map does not
// hold up the editing.
class CAutosaver : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultIntervalMinutes = 3;

    // A map whose newest changes have no copy on disk, and why.
    struct FailedCopy {
        std::string title;
        std::string reason;
    };

    CAutosaver(CDocManager& docs, const QString& folder);
    // Copies of maps that were never closed stay when they hold changes: the
    // editor went without asking about them.
    ~CAutosaver() override;

    // The folder in the user's data location.
    static QString DefaultFolder();
    // The minutes between copies, a setting; 0 turns autosave off.
    static int LoadIntervalMinutes();
    static void StoreIntervalMinutes(int minutes);

    // Locks this run's folder and starts the timer. When the folder cannot
    // be made, autosave is off until a tick finds it usable.
    void Start(int intervalMinutes);
    // Copies from now on every so many minutes; 0 stops them.
    void SetInterval(int intervalMinutes);
    QTimer& GetTimer() { return m_timer; }

    // Writes a copy of each modified map whose changes have no copy yet.
    void AutosaveModified();
    // Returns once every copy under way is on disk.
    void WaitForCopies();

    // Why autosave is off for now; empty while it works.
    const std::string& GetOffReason() const { return m_offReason; }
    // The maps whose last copy failed, in the order of their first copies.
    std::vector<FailedCopy> GetFailedCopies() const;

    // The copies that runs which ended without closing their maps left, also
    // when this run cannot keep copies of its own.
    std::vector<AbandonedAutosave> FindAbandoned();
    // Opens one of the copies (an index into `abandoned.copies`) as a
    // modified map never saved, named after its map. All its copies stay
    // until that map is saved: closing it unsaved keeps them for the next
    // start. Null when the copies are gone or the copy could not be read.
    CTolveDoc* Recover(const AbandonedAutosave& abandoned, size_t copy);
    void Discard(const AbandonedAutosave& abandoned);

    // The title of a recovered copy of a map titled `title`.
    static std::string RecoveredTitle(const std::string& title);

signals:
    // Autosave went off, a copy failed, or a map that had none was copied.
    void ProblemsChanged();

private:
    struct DocCopies {
        int slot = 0;
        std::optional<unsigned long> copiedRevision;  // the revision whose copy is on disk
        std::optional<unsigned long> writingRevision; // the one being written now
        bool recovered = false;                       // its copies are all there is of its changes
    };
    using CopiesMap = std::map<const CTolveDoc*, DocCopies>;

    bool OpenStore();
    void Autosave(const CTolveDoc& doc);
    void OnCopyWritten(int slot, unsigned long revision, std::optional<std::string> failure);
    void ReportFailure(const CTolveDoc& doc, const std::string& reason);
    void ClearFailure(int slot);
    CopiesMap::iterator FindSlot(int slot);
    void OnDocumentSaved(const CTolveDoc& doc);
    void OnDocumentClosing(const CTolveDoc& doc);
    void ForgetCopies(const CTolveDoc& doc, bool removeThem);

    CDocManager& m_docs;
    CAutosaveStore m_store;
    QTimer m_timer;
    QThreadPool m_writer; // one thread: copies are written in the order they were made
    CopiesMap m_copies;
    std::map<int, FailedCopy> m_failures; // by slot
    std::string m_offReason;
};
