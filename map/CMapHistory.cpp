#include "map/CMapHistory.h"

#include <algorithm>
#include <cassert>

int CMapHistory::AddListener(Listener listener) {
    m_listeners.emplace_back(m_nextListener, std::move(listener));
    return m_nextListener++;
}

void CMapHistory::RemoveListener(int id) {
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void CMapHistory::Tell(bool contents) {
    // A listener may take itself off while it is told.
    const auto listeners = m_listeners;
    for (const auto& entry : listeners)
        entry.second(contents);
}

std::string CMapHistory::GetUndoName() const {
    if (!m_open.empty())
        return m_openName;
    return m_done > 0 ? m_steps[m_done - 1].name : std::string();
}

std::string CMapHistory::GetRedoName() const {
    return CanRedo() ? m_steps[m_done].name : std::string();
}

void CMapHistory::Undo(CTolveDoc& doc) {
    if (IsRecording() || m_done == 0)
        return;
    Step& step = m_steps[--m_done];
    for (auto record = step.records.rbegin(); record != step.records.rend(); ++record)
        (*record)->Undo(doc);
    Tell(true);
}

void CMapHistory::Redo(CTolveDoc& doc) {
    if (IsRecording() || !CanRedo())
        return;
    Step& step = m_steps[m_done++];
    for (auto& record : step.records)
        record->Redo(doc);
    Tell(true);
}

void CMapHistory::MarkClean() {
    m_clean = m_done;
    Tell(false);
}

void CMapHistory::MarkNoCleanState() {
    m_clean.reset();
    Tell(false);
}

void CMapHistory::Clear() {
    assert(!IsRecording());
    m_steps.clear();
    m_done = 0;
    m_clean = 0;
    Tell(false);
}

// Two rounds: an object a later step took out of the map must have lost its
// text before a state of it asks for its lead.
void CMapHistory::ForgetSources(bool keepLeads) {
    for (Step& step : m_steps) {
        for (auto& record : step.records)
            record->ForgetSource();
    }
    if (!keepLeads)
        return;
    for (Step& step : m_steps) {
        for (auto& record : step.records)
            record->TakeSavedLead();
    }
}

size_t CMapHistory::Open(const std::string& name) {
    if (m_depth++ == 0)
        m_openName = name;
    m_keptStates.emplace_back();
    return m_open.size();
}

void CMapHistory::Record(std::unique_ptr<CEditRecord> record) {
    assert(IsRecording() && "a map edit runs outside a transaction");
    m_open.push_back(std::move(record));
}

bool CMapHistory::KeepsStateOf(const void* object) const {
    return !m_keptStates.empty() && m_keptStates.back().contains(object);
}

void CMapHistory::NoteStateKept(const void* object) {
    if (!m_keptStates.empty())
        m_keptStates.back()[object] = true;
}

void CMapHistory::RollBack(size_t mark, CTolveDoc& doc) {
    while (m_open.size() > mark) {
        m_open.back()->Undo(doc);
        m_open.pop_back();
    }
    // What the level kept is gone with its records.
    if (!m_keptStates.empty())
        m_keptStates.back().clear();
}

void CMapHistory::Close(const std::string& name) {
    assert(m_depth > 0);
    const CPointerTable<const void, bool> kept = std::move(m_keptStates.back());
    m_keptStates.pop_back();
    if (--m_depth > 0) {
        // The outer level keeps the states its inner level kept.
        for (const auto& [object, yes] : kept)
            m_keptStates.back()[object] = yes;
        return;
    }
    std::erase_if(m_open, [](const auto& record) {
        if (!record->ChangesNothing())
            return false;
        record->RestoreSource();
        return true;
    });
    if (m_open.empty())
        return;
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
    // A saved state beyond this step can never come back.
    if (m_clean && *m_clean > m_done)
        m_clean.reset();
    m_steps.push_back({name, std::move(m_open)});
    m_open.clear();
    ++m_done;
    Tell(true);
}
