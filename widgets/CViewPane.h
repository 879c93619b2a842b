#pragma once

#include <QPointer>
#include <QWidget>

class CTolveView;
class QScrollBar;

// A map view with its scroll bars. The bars span the map's extent plus a
// margin and follow every change of the view, the arrow keys included; moving
// a bar scrolls the view.
class CViewPane : public QWidget {
    Q_OBJECT

public:
    explicit CViewPane(CTolveView* view, QWidget* parent = nullptr);

    CTolveView& GetView() const { return *m_view; }
    QScrollBar& GetHorizontalBar() const { return *m_horizontal; }
    QScrollBar& GetVerticalBar() const { return *m_vertical; }

    // Brings both bars in line with the view.
    void RefreshScrollBars();

private:
    void OnHorizontalMoved(int value);
    void OnVerticalMoved(int value);

    QPointer<CTolveView> m_view;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
};
