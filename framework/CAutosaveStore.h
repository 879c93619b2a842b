#pragma once

#include "framework/CFileError.h"

#include <filesystem>
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
    std::filesystem::path newestCopy;
    size_t copyCount = 0;
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
    // Releases the lock; an empty session folder goes with it, one holding
    // copies stays for the next run to offer.
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
    // Writes a copy into the slot, keeping its newest kKeptCopies.
    std::optional<CFileError> SaveCopy(int slot, std::string_view text,
                                       const AutosaveOrigin& origin) const;
    // The slot's copies, oldest first.
    std::vector<std::filesystem::path> ListCopies(int slot) const;
    // Removes the slot with its copies: its document was saved or closed.
    void RemoveSlot(int slot) const;

    // The copies of runs that ended without closing their documents, one entry
    // per map, by title. Empty leftovers of such runs are tidied away on the
    // way.
    std::vector<AbandonedAutosave> FindAbandoned() const;
    // Makes abandoned copies a slot of this run: they stay until the
    // recovered document is saved or closed. Nothing when they are gone.
    std::optional<int> AdoptAbandoned(const AbandonedAutosave& abandoned);
    // Deletes abandoned copies for good.
    void DiscardAbandoned(const AbandonedAutosave& abandoned) const;

private:
    std::filesystem::path SlotFolder(int slot) const;

    std::filesystem::path m_root;
    std::filesystem::path m_session;
    int m_lockFd = -1;
    int m_slotCount = 0; // only grows, like the names it gives
};
