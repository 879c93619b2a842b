#include "app/CWindowArranger.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace {

// No window is made smaller than this part of the workspace by a cascade.
constexpr int kCascadeShareNumerator = 2;
constexpr int kCascadeShareDenominator = 3;

// The n-th step of a cascade along one side, starting over at the top left
// when the window would reach past the edge.
int CascadePosition(int index, int offset, int room) {
    return room <= 0 ? 0 : index * offset % (room + 1);
}

bool IsArrangeable(const QMdiSubWindow* window) {
    // Hidden rather than visible: windows placed before the main window is
    // first shown count too.
    return !window->isHidden() && !window->isMinimized() && !window->isMaximized();
}

} // namespace

CWindowArranger::CWindowArranger(QMdiArea& area)
    : QObject(&area), m_area(area), m_viewport(area.viewport()) {
    m_viewport->installEventFilter(this);
}

QSize CWindowArranger::GetWorkspaceSize() const {
    if (m_area.isVisible() || m_area.viewport()->testAttribute(Qt::WA_Resized))
        return m_area.viewport()->size();
    return m_area.window()->size() - QSize(0, 100);
}

int CWindowArranger::GetCascadeOffset(const QMdiSubWindow& window) const {
    return std::max(20, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window));
}

void CWindowArranger::PlaceNewWindow(QMdiSubWindow& window) {
    const QSize space = GetWorkspaceSize();
    const QSize size(std::min(std::max(space.width() * 3 / 4, 400), space.width()),
                     std::min(std::max(space.height() * 3 / 4, 300), space.height()));
    int others = 0;
    for (const QMdiSubWindow* other : m_area.subWindowList()) {
        if (other != &window && IsArrangeable(other))
            ++others;
    }
    const int offset = GetCascadeOffset(window);
    window.resize(size);
    window.move(CascadePosition(others, offset, space.width() - size.width()),
                CascadePosition(others, offset, space.height() - size.height()));
}

void CWindowArranger::TileThree(QMdiSubWindow& left, QMdiSubWindow& upper, QMdiSubWindow& lower) {
    const QSize space = GetWorkspaceSize();
    m_shares.clear();
    PlaceShare(left, {0.0, 0.0, 0.5, 1.0}, space);
    PlaceShare(upper, {0.5, 0.0, 0.5, 0.5}, space);
    PlaceShare(lower, {0.5, 0.5, 0.5, 0.5}, space);
}

void CWindowArranger::TileFour(QMdiSubWindow& topLeft, QMdiSubWindow& topRight,
                               QMdiSubWindow& bottomLeft, QMdiSubWindow& bottomRight) {
    const QSize space = GetWorkspaceSize();
    m_shares.clear();
    PlaceShare(topLeft, {0.0, 0.0, 0.5, 0.5}, space);
    PlaceShare(topRight, {0.5, 0.0, 0.5, 0.5}, space);
    PlaceShare(bottomLeft, {0.0, 0.5, 0.5, 0.5}, space);
    PlaceShare(bottomRight, {0.5, 0.5, 0.5, 0.5}, space);
}

namespace {

// Shares meet exactly: each edge is rounded the same way for both windows.
QRect PlacedShare(const QRectF& share, QSize space) {
    const int left = qRound(share.left() * space.width());
    const int top = qRound(share.top() * space.height());
    const int right = qRound(share.right() * space.width());
    const int bottom = qRound(share.bottom() * space.height());
    return {left, top, right - left, bottom - top};
}

} // namespace

void CWindowArranger::PlaceShare(QMdiSubWindow& window, const QRectF& share, QSize space) {
    const QRect placed = PlacedShare(share, space);
    window.setGeometry(placed);
    m_shares.append({&window, share, placed});
}

void CWindowArranger::KeepSharesOf(QSize space) {
    for (Share& share : m_shares) {
        QMdiSubWindow* window = share.window;
        if (!window || window->geometry() != share.placed || !IsArrangeable(window))
            continue;
        share.placed = PlacedShare(share.share, space);
        window->setGeometry(share.placed);
    }
}

QList<QMdiSubWindow*> CWindowArranger::TakeWindowsToArrange() {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : m_area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isMaximized())
            window->showNormal();
        if (IsArrangeable(window))
            windows.append(window);
    }
    return windows;
}

void CWindowArranger::Cascade() {
    QList<QMdiSubWindow*> windows = TakeWindowsToArrange();
    if (windows.isEmpty())
        return;
    QMdiSubWindow* active = m_area.activeSubWindow();
    if (windows.removeOne(active))
        windows.append(active);
    const QSize space = GetWorkspaceSize();
    const int offset = GetCascadeOffset(*windows.front());
    const int steps = static_cast<int>(windows.size()) - 1;
    auto side = [&](int room) {
        const int least = room * kCascadeShareNumerator / kCascadeShareDenominator;
        return std::min(room, std::max(room - steps * offset, least));
    };
    const QSize size(side(space.width()), side(space.height()));
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(CascadePosition(i, offset, space.width() - size.width()),
                                CascadePosition(i, offset, space.height() - size.height()),
                                size.width(), size.height());
        windows[i]->raise();
    }
}

void CWindowArranger::Tile() {
    const QList<QMdiSubWindow*> windows = TakeWindowsToArrange();
    const int count = static_cast<int>(windows.size());
    if (count == 3) {
        TileThree(*windows[0], *windows[1], *windows[2]);
        return;
    }
    const QSize space = GetWorkspaceSize();
    int columns = 1;
    while (columns * columns < count)
        ++columns;
    const int rows = count == 0 ? 0 : (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns;
        const int inRow = row + 1 < rows ? columns : count - row * columns;
        const int column = i % columns;
        const int x = space.width() * column / inRow;
        const int y = space.height() * row / rows;
        windows[i]->setGeometry(x, y, space.width() * (column + 1) / inRow - x,
                                space.height() * (row + 1) / rows - y);
    }
}

void CWindowArranger::KeepWindowsInside() {
    KeepWindowsInside(GetWorkspaceSize());
}

void CWindowArranger::KeepWindowsInside(QSize space) {
    for (QMdiSubWindow* window : m_area.subWindowList()) {
        if (!IsArrangeable(window))
            continue;
        const QSize size = window->size().boundedTo(space);
        const int x = std::clamp(window->x(), 0, std::max(0, space.width() - size.width()));
        const int y = std::clamp(window->y(), 0, std::max(0, space.height() - size.height()));
        if (size != window->size() || x != window->x() || y != window->y())
            window->setGeometry(x, y, size.width(), size.height());
    }
}

bool CWindowArranger::eventFilter(QObject* watched, QEvent* event) {
    // While the area is being destroyed its viewport may still be resized;
    // by then the area is no longer a QMdiArea and has no windows to keep.
    if (watched == m_viewport && event->type() == QEvent::Resize &&
        qobject_cast<QMdiArea*>(m_viewport->parentWidget())) {
        const QSize space = static_cast<QResizeEvent*>(event)->size();
        KeepSharesOf(space);
        KeepWindowsInside(space);
    }
    return QObject::eventFilter(watched, event);
}
