#include "app/CChildFrame.h"

#include "app/CDocManager.h"
#include "app/GridCommands.h"
#include "widgets/CTolveView.h"
#include "widgets/CViewPane.h"

#include <QCloseEvent>
#include <QMdiArea>

CChildFrame::CChildFrame(CTolveDoc& doc, CDocManager& manager)
    : m_doc(doc), m_manager(manager), m_view(new CTolveView(doc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    m_view->ShowGrid(LoadGridSetting());
    setWidget(new CViewPane(m_view));
}

CChildFrame::~CChildFrame() {
    // Leave the area first, so that whatever becomes active next is never this
    // half-destroyed window; then the view leaves its document before the
    // manager looks at what is left of it.
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    delete m_view;
    m_view = nullptr;
    m_manager.OnFrameDestroyed(*this);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_manager.CanCloseFrame(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
