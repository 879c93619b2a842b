#pragma once

#include "framework/CDocument.h"
#include "map/CTolveDoc.h"
#include "view/CViewProjection.h"
#include "view/TolveCommands.h"

#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

// One window on a map: the map as a wire-frame in one plane. The view keeps
// its own plane, flags, origins, zoom and cursor; the selection, limits,
// insertion point and snap belong to the document and are shared by all its
// views. The picture lives in a backing image: a full repaint redraws it, the
// incremental hints draw on top of it and update only what they touched.
class CTolveView : public QWidget, public CDocumentObserver {
    Q_OBJECT

public:
    explicit CTolveView(CTolveDoc& doc, QWidget* parent = nullptr);
    ~CTolveView() override;

    CTolveDoc& GetDocument() const { return m_doc; }

    // The view's own commands (planes, flags, scrolling, zoom, edit modes).
    bool IsCommandHandled(CommandId id) const;
    bool HandleCommand(CommandId id);
    // The check mark of a command, or nothing for a command without one.
    std::optional<bool> IsCommandChecked(CommandId id) const;

    // The coordinate pane's text: the cursor point.
    std::string GetCoordinateText() const;

    IntPoint ScreenToWorld(int32_t sx, int32_t sy) const;
    IntPoint ScreenToWorldAtDepth(int32_t sx, int32_t sy, int32_t h) const;

    void OnDocumentUpdate(UpdateHint hint, void* object) override;

    // Redraws the backing image now if a full repaint is pending; tests and the
    // renderer read the picture from there.
    const QImage& RenderNow();
    // Asks for a full repaint: everything is cleared and drawn again.
    void InvalidateAll();

    CViewProjection m_projection; // plane, 3D and flipped flags, origins, zoom
    IntPoint m_cursor;
    ScreenPoint m_mouse;
    bool m_dragging = false;

signals:
    // The cursor point changed, so the coordinate pane should too.
    void CursorChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RedrawBackingImage();

    CTolveDoc& m_doc;
    QImage m_image;
    bool m_fullRepaintPending = true;
};
