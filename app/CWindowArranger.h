#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// Keeps the child windows wholly inside the workspace at a usable size: places
// new ones, cascades them, and pulls them back in whenever the workspace gets
// its real size or shrinks.
class CWindowArranger : public QObject {
    Q_OBJECT

public:
    // Lives as long as the area and watches its size.
    explicit CWindowArranger(QMdiArea& area);

    // A new window at the default size, one title bar lower and to the right
    // of the windows already there, wholly inside the workspace.
    void PlaceNewWindow(QMdiSubWindow& window);
    // The three windows fill the workspace: `left` its left half, `upper`
    // and `lower` the right half, one above the other.
    void TileThree(QMdiSubWindow& left, QMdiSubWindow& upper, QMdiSubWindow& lower);
    // The four windows fill the workspace in a square, row after row.
    void TileFour(QMdiSubWindow& topLeft, QMdiSubWindow& topRight, QMdiSubWindow& bottomLeft,
                  QMdiSubWindow& bottomRight);
    // Every normal window the same size, each one title bar down and to the
    // right of the one before, the active one in front.
    void Cascade();
    // The normal windows fill the workspace in the order they were opened
    // (a map's top view first): three as the views of a map open, more in
    // rows of equal tiles, the last row's tiles wider when it has fewer.
    void Tile();
    // Shrinks and moves windows that reach outside the workspace back in.
    // Windows a map opened tiled in, and nobody moved since, keep their share
    // of the workspace as it grows or shrinks instead.
    void KeepWindowsInside();

    // The room the windows have. Before the area is first shown it has no
    // size of its own; the main window's, less the bars around the area, is
    // near enough.
    QSize GetWorkspaceSize() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The windows a cascade or tile arranges, in the order they were opened;
    // a maximised one is shown normal first.
    QList<QMdiSubWindow*> TakeWindowsToArrange();
    void KeepWindowsInside(QSize space);
    int GetCascadeOffset(const QMdiSubWindow& window) const;
    // Places a window on its share of the workspace and remembers both.
    void PlaceShare(QMdiSubWindow& window, const QRectF& share, QSize space);
    void KeepSharesOf(QSize space);

    struct Share {
        QPointer<QMdiSubWindow> window;
        QRectF share; // of the workspace, in fractions
        QRect placed; // where it was put last
    };
    QList<Share> m_shares;

    QMdiArea& m_area;
    QWidget* m_viewport;
};
