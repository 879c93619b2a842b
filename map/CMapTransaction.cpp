#include "map/CMapTransaction.h"

#include "map/CTolveDoc.h"

CMapTransaction::CMapTransaction(CTolveDoc& doc, std::string name)
    : m_doc(doc), m_name(std::move(name)), m_mark(doc.GetHistory().Open(m_name)), m_edits(doc) {}

CMapTransaction::~CMapTransaction() {
    if (m_open)
        RollBack();
}

bool CMapTransaction::HasChanges() const {
    return m_open && m_doc.GetHistory().CountOpenRecords() > m_mark;
}

void CMapTransaction::Commit() {
    if (!m_open)
        return;
    m_open = false;
    m_doc.GetHistory().Close(m_name);
}

void CMapTransaction::RollBack() {
    if (!m_open)
        return;
    m_open = false;
    CMapHistory& history = m_doc.GetHistory();
    history.RollBack(m_mark, m_doc);
    history.Close(m_name);
}
