#pragma once

#include "map/CEditRecord.h"
#include "map/CPointerTable.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CTolveDoc;

// The undo history of one map: the steps committed by its transactions, and
// which of them the file on disk holds. It alone says whether the map is
// modified.
class CMapHistory {
public:
    // Told after every change of the history: `contents` when the map itself
    // changed (a commit, an undo or a redo), not when only the saved state
    // moved.
    using Listener = std::function<void(bool contents)>;

    CMapHistory() = default;
    CMapHistory(const CMapHistory&) = delete;
    CMapHistory& operator=(const CMapHistory&) = delete;

    // Returns a number that takes the listener off again.
    int AddListener(Listener listener);
    void RemoveListener(int id);

    // While a drag goes on, Undo and Redo are offered as they will be once it
    // ends: the command ends it first. Undo and Redo themselves do nothing
    // while a transaction is open.
    bool CanUndo() const { return m_done > 0 || !m_open.empty(); }
    bool CanRedo() const { return m_open.empty() && m_done < m_steps.size(); }
    // Names of the steps Undo and Redo would take; empty when there is none.
    std::string GetUndoName() const;
    std::string GetRedoName() const;
    void Undo(CTolveDoc& doc);
    void Redo(CTolveDoc& doc);
    size_t GetStepCount() const { return m_steps.size(); }

    // The map as it is now is the one on disk.
    void MarkClean();
    // No state of the history is on disk: a recovered map.
    void MarkNoCleanState();
    bool IsClean() const { return m_clean == m_done; }
    // Forgets every step; the map as it is now is the one on disk.
    void Clear();
    // A save wrote the map's text anew: what the steps keep of the text read
    // before points into a text no longer kept. With `keepLeads`, states of
    // objects in the map keep the comments saved before them.
    void ForgetSources(bool keepLeads);

    // The transactions' side. Records go into the transaction that is open;
    // a transaction opened inside another joins it.
    bool IsRecording() const { return m_depth > 0; }
    // Opens a transaction, or a nested one; returns where its records begin.
    size_t Open(const std::string& name);
    void Record(std::unique_ptr<CEditRecord> record);
    size_t CountOpenRecords() const { return m_open.size(); }
    // Whether the innermost open transaction already keeps the state `object`
    // had when it opened, so that later changes to it need no record.
    bool KeepsStateOf(const void* object) const;
    void NoteStateKept(const void* object);
    // Takes back the records from `mark` on, newest first.
    void RollBack(size_t mark, CTolveDoc& doc);
    // Closes the innermost transaction. Closing the outermost one commits
    // its records as one step named `name`, if there are any.
    void Close(const std::string& name);

private:
    struct Step {
        std::string name;
        std::vector<std::unique_ptr<CEditRecord>> records;
    };

    void Tell(bool contents);

    std::vector<Step> m_steps;
    size_t m_done = 0; // steps done; the rest can be redone
    std::optional<size_t> m_clean = 0;
    std::vector<std::unique_ptr<CEditRecord>> m_open;
    int m_depth = 0;
    std::string m_openName;                                    // of the outermost open transaction
    std::vector<CPointerTable<const void, bool>> m_keptStates; // one per open level
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 1;
};
