#include "framework/CDocument.h"

#include <algorithm>

void CDocument::AddView(CDocumentObserver* view) {
    m_views.push_back(view);
}

void CDocument::RemoveView(CDocumentObserver* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(UpdateHint hint, void* object) {
    // A view may close itself while handling a change; walk a copy.
    const std::vector<CDocumentObserver*> views = m_views;
    for (CDocumentObserver* view : views)
        view->OnDocumentUpdate(hint, object);
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_modified = false;
    return true;
}
