#include "docks/CMapDock.h"

#include "map/CTolveDoc.h"

CMapDock::CMapDock(const char* title, QWidget* parent)
    : QDockWidget(QString::fromLatin1(title), parent) {}

CMapDock::~CMapDock() {
    Listen(false);
}

void CMapDock::Listen(bool listen) {
    if (m_doc && listen != m_listening) {
        if (listen)
            m_doc->AddView(this);
        else
            m_doc->RemoveView(this);
    }
    m_listening = listen && m_doc;
    if (!m_listening)
        m_stale = true;
}

void CMapDock::SetDocument(CTolveDoc* doc) {
    if (doc == m_doc)
        return;
    Listen(false);
    m_doc = doc;
    Listen(isVisible());
    ShowDocument();
}

// There is nothing to leave: the map is gone.
void CMapDock::ForgetDocument() {
    m_doc = nullptr;
    m_listening = false;
    ShowDocument();
}

bool CMapDock::OnlyHoverMoved(const MapNotice& notice) const {
    if (!notice.selectionOnly || m_stale || !m_doc)
        return false;
    const CEditorState& state = m_doc->GetEditorState();
    return state.GetSetGeneration() == m_shownGeneration && state.GetEditMode() == m_shownMode;
}

void CMapDock::NoteSelectionShown() {
    const CEditorState& state = m_doc->GetEditorState();
    m_shownGeneration = state.GetSetGeneration();
    m_shownMode = state.GetEditMode();
}
