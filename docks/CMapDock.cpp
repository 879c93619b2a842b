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

bool CMapDock::SwitchDocument(CTolveDoc* doc) {
    if (doc == m_doc)
        return false;
    Listen(false);
    m_doc = doc;
    Listen(isVisible());
    return true;
}

void CMapDock::DropDocument() {
    m_doc = nullptr;
    m_listening = false;
}
