#pragma once

#include "framework/FileError.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where an autosaved copy came from, so that a recovered copy can be named
// after its map.
struct AutosaveOrigin {
    std::string title;    // the document's title when the copy was made
    std::string pathName; // its file; empty for a map never saved

    friend bool operator==(const AutosaveOrigin&, const AutosaveOrigin&) = default;
};

// The copies that an editor run left behind for one map.
struct AbandonedAutosave {
    std::filesystem::path folder;
    AutosaveOrigin origin;
    std::vector<std::filesystem::path> copies; // oldest first, never empty
};

// The autosaved copies of open documents, so that a crash loses minutes of
// work rather than hours. Every run keeps its copies in a session folder of
// its own, locked for as long as the run lives: the lock goes with the
// process, however it ends, so a folder whose lock nobody holds belongs to a
// run that ended without closing its documents. Inside a session each
// document has a slot folder with its origin and its newest copies.
//
// Copies are written with the safe writer and never anywhere near the user's
// own files. Saving a copy may run on another thread than the rest, as long as
// its slot is not removed meanwhile.
class CAutosaveStore {
public:
    static constexpr size_t kKeptCopies = 10;

    explicit CAutosaveStore(std::filesystem::path root);
    // Releases the locks; an empty session folder goes with its lock, one
    // holding copies stays for the next run to offer.
    ~CAutosaveStore();
    CAutosaveStore(const CAutosaveStore&) = delete;
    CAutosaveStore& operator=(const CAutosaveStore&) = delete;

    // Makes and locks this run's session folder. The error says why copies
    // cannot be kept.
    std::optional<std::string> Open();
    bool IsOpen() const { return m_lockFd >= 0; }
    const std::filesystem::path& GetRoot() const { return m_root; }

    // A new slot for one document's copies.
    int AddSlot();
    // Writes a copy into the slot, keeping its newest kKeptCopies. A session
    // folder that was removed meanwhile is made again, and locked again,
    // before any copy goes into it.
    std::optional<FileError> SaveCopy(int slot, std::string_view text,
                                      const AutosaveOrigin& origin);
    // The slot's copies, oldest first.
    std::vector<std::filesystem::path> ListCopies(int slot) const;
    // Removes the slot with its copies: its document was saved, or its
    // copies are no longer wanted.
    void RemoveSlot(int slot);

    // The copies of runs that ended without closing their documents, one entry
    // per map, by title; a session whose run still holds its lock is never
    // looked into. Empty leftovers of such runs are tidied away on the way.
    // Works without this run's own folder, so that a folder this run cannot
    // write still gives back what a crash left in it.
    std::vector<AbandonedAutosave> FindAbandoned() const;
    // Makes abandoned copies a slot of this run: they stay until the slot is
    // removed. Nothing when another run took them meanwhile. A run without a
    // folder of its own keeps them where they are and holds their session's
    // lock instead, so that no other run offers them meanwhile.
    std::optional<int> AdoptAbandoned(const AbandonedAutosave& abandoned);
    // Deletes abandoned copies for good.
    void DiscardAbandoned(const AbandonedAutosave& abandoned) const;

private:
    std::filesystem::path SlotFolder(int slot) const;
    std::optional<std::string> KeepSessionLocked();
    std::optional<int> HoldInPlace(const AbandonedAutosave& abandoned);
    void ReleaseHeldSession(const std::filesystem::path& session);

    std::filesystem::path m_root;
    std::filesystem::path m_session;
    std::atomic<int> m_lockFd = -1; // replaced by the writing thread when the folder is made again
    std::mutex m_lockMutex;
    int m_slotCount = 0; // only grows, like the names it gives
    // Slots kept where an ended run left them, with the locks of their
    // sessions. Only a run that has no folder of its own holds any, and such
    // a run writes no copies: no other thread looks at them.
    std::map<int, std::filesystem::path> m_heldSlots;
    std::map<std::filesystem::path, int> m_heldSessionLocks;
};
