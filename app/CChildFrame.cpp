#include "app/CChildFrame.h"

#include "app/CDocManager.h"
#include "app/OpenMapSettings.h"
#include "gl/CCameraView.h"
#include "widgets/CTolveView.h"
#include "widgets/CViewPane.h"

#include <QCloseEvent>
#include <QMdiArea>

CChildFrame::CChildFrame(CTolveDoc& doc, CDocManager& manager, Kind kind)
    : m_doc(doc), m_manager(manager) {
    setAttribute(Qt::WA_DeleteOnClose);
    if (kind == Kind::kCamera) {
        m_camera = new CCameraView(doc);
        setWidget(m_camera);
    } else {
        m_view = new CTolveView(doc);
        setWidget(new CViewPane(m_view));
    }
    ApplySettingsTo(*this);
}

QWidget& CChildFrame::GetViewWidget() const {
    return m_camera ? static_cast<QWidget&>(*m_camera) : static_cast<QWidget&>(*m_view);
}

CChildFrame::~CChildFrame() {
    // Leave the area first, so that whatever becomes active next is never this
    // half-destroyed window; then the view leaves its document before the
    // manager looks at what is left of it.
    if (QMdiArea* area = mdiArea())
        area->removeSubWindow(this);
    delete m_view;
    m_view = nullptr;
    delete m_camera;
    m_camera = nullptr;
    m_manager.OnFrameDestroyed(*this);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_manager.CanCloseFrame(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
