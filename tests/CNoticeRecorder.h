#pragma once

#include "map/CMapNotice.h"

#include <algorithm>
#include <vector>

// A view that shows nothing and keeps every notice it hears, in order.
class CNoticeRecorder : public CMapObserver {
public:
    // One notice as one recorder heard it.
    struct Hearing {
        const CNoticeRecorder* by = nullptr;
        CMapNotice notice;

        friend bool operator==(const Hearing&, const Hearing&) = default;
    };

    // Recorders that share a journal also show which of them heard first.
    explicit CNoticeRecorder(std::vector<Hearing>* journal = nullptr) : m_journal(journal) {}

    void OnMapChanged(const CMapNotice& notice) override {
        m_notices.push_back(notice);
        if (m_journal)
            m_journal->push_back({this, notice});
    }

    // The notices that ask a view to paint again: everything or an area.
    int CountRepaints() const {
        return static_cast<int>(std::ranges::count_if(m_notices, [](const CMapNotice& notice) {
            return notice.what == CMapNotice::What::kAll || notice.what == CMapNotice::What::kArea;
        }));
    }

    std::vector<CMapNotice> m_notices;

private:
    std::vector<Hearing>* m_journal;
};
