#include "widgets/CViewPane.h"

#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

#include <QGridLayout>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

void ApplyAxis(QScrollBar& bar, const ScrollAxis& axis) {
    const QSignalBlocker blocker(bar);
    bar.setRange(axis.minimum, axis.maximum);
    bar.setPageStep(axis.page);
    bar.setSingleStep(axis.step);
    bar.setValue(axis.value);
}

} // namespace

CViewPane::CViewPane(CTolveView* view, QWidget* parent)
    : QWidget(parent), m_view(view), m_horizontal(new QScrollBar(Qt::Horizontal, this)),
      m_vertical(new QScrollBar(Qt::Vertical, this)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view, 0, 0);
    layout->addWidget(m_vertical, 0, 1);
    layout->addWidget(m_horizontal, 1, 0);
    // The bars are for the mouse; the keyboard stays with the view.
    m_horizontal->setFocusPolicy(Qt::NoFocus);
    m_vertical->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(view);
    connect(view, &CTolveView::ViewChanged, this, &CViewPane::RefreshScrollBars);
    connect(m_horizontal, &QScrollBar::valueChanged, this, &CViewPane::OnHorizontalMoved);
    connect(m_vertical, &QScrollBar::valueChanged, this, &CViewPane::OnVerticalMoved);
    RefreshScrollBars();
}

void CViewPane::RefreshScrollBars() {
    if (!m_view)
        return;
    const ScrollAxes axes =
        ComputeScrollAxes(m_view->m_projection, FindMapExtent(m_view->GetDocument()),
                          m_view->width(), m_view->height());
    ApplyAxis(*m_horizontal, axes.horizontal);
    ApplyAxis(*m_vertical, axes.vertical);
}

void CViewPane::OnHorizontalMoved(int value) {
    if (!m_view)
        return;
    SetHorizontalScroll(m_view->m_projection, value);
    m_view->InvalidateAll();
}

void CViewPane::OnVerticalMoved(int value) {
    if (!m_view)
        return;
    SetVerticalScroll(m_view->m_projection, value);
    m_view->InvalidateAll();
}
