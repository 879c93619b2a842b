#pragma once

#include "map/MapNotice.h"

#include <algorithm>
#include <vector>

// A view that shows nothing and keeps every notice it hears, in order.
class CNoticeRecorder : public CMapObserver {
public:
    // One notice as one recorder heard it.
    struct Hearing {
        const CNoticeRecorder* by = nullptr;
        MapNotice notice;

        friend bool operator==(const Hearing&, const Hearing&) = default;
    };

    // Recorders that share a journal also show which of them heard first.
    explicit CNoticeRecorder(std::vector<Hearing>* journal = nullptr) : m_journal(journal) {}

    // Notices are kept without their selection-only mark, which is counted
    // apart, so that tests can name the notices they expect plainly.
    void OnMapChanged(const MapNotice& heard) override {
        MapNotice notice = heard;
        m_selectionOnlyCount += notice.selectionOnly ? 1 : 0;
        notice.selectionOnly = false;
        m_notices.push_back(notice);
        if (m_journal)
            m_journal->push_back({this, notice});
    }

    // The notices that ask a view to paint again: everything or an area.
    int CountRepaints() const {
        return static_cast<int>(std::ranges::count_if(m_notices, [](const MapNotice& notice) {
            return notice.what == MapNotice::What::kAll || notice.what == MapNotice::What::kArea;
        }));
    }

    std::vector<MapNotice> m_notices;
    int m_selectionOnlyCount = 0;

private:
    std::vector<Hearing>* m_journal;
};
