#pragma once

#include "map/CTolveDoc.h"
#include "view/CLineCache.h"
#include "view/CViewProjection.h"
#include "view/GridColours.h"
#include "view/ScreenRect.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class CClipTool;
class CMapDrag;
class CResizeDrag;

// One window on a map: the map as a wire-frame in one plane. The view keeps
// its own plane, flags, origins, zoom and cursor; the selection, limits,
// insertion point and snap belong to the document and are shared by all its
// views. The picture lives in a backing image: a full repaint redraws it, the
// incremental notices draw on top of it and update only what they touched, and
// a change confined to an area of the map clears and redraws just that part.
class QPainter;

class CTolveView : public QWidget, public CMapObserver {
    Q_OBJECT

public:
    explicit CTolveView(CTolveDoc& doc, QWidget* parent = nullptr);
    ~CTolveView() override;

    CTolveDoc& GetDocument() const { return m_doc; }

    // The coordinate pane's text: the cursor point.
    std::string GetCoordinateText() const;

    IntPoint ScreenToWorld(int32_t sx, int32_t sy) const;
    IntPoint ScreenToWorldAtDepth(int32_t sx, int32_t sy, int32_t h) const;

    void OnMapChanged(const MapNotice& notice) override;

    // Mouse handling, called by the Qt events and directly by tests. A move
    // without the left button down in this view updates the selection
    // (restricted to the selected brush with Ctrl); with it, it drags.
    // With a resize handle held, Shift (`keepProportions`) keeps the
    // proportions of the box.
    void OnMouseMove(bool control, ScreenPoint position, bool keepProportions = false);
    // What a press of the left button starts. kGather (Shift) is a gesture on
    // the selection set: released where it began it adds or removes the
    // hovered object, dragged it draws a rectangle whose objects join the set.
    // A plain corner drag in a flat view takes the corners stacked under the
    // dragged one along; kSingleCorner (Alt) moves the one corner alone.
    enum class Press { kPlain, kGather, kSingleCorner };
    void OnLButtonDown(ScreenPoint position, Press press = Press::kPlain);
    void OnLButtonUp();
    // Escape: ends a drag or a rectangle without a change, else empties the
    // selection set and closes the open group.
    void OnEscape();
    // A double click of the left button in brush mode opens the closed group
    // of the hovered brush for editing; anywhere else it closes the open one.
    void OnLButtonDoubleClick();
    // The pointer left the view: nothing is hovered any more.
    void OnLeave();
    // Tab and Shift+Tab: the next or previous of the objects of the mode that
    // lie under the pointer at the same distance becomes the hovered one; the
    // status bar says which ("2 of 3").
    void CycleStacked(bool forward);
    bool IsDragging() const { return m_drag != nullptr || m_resize != nullptr; }
    // The clip tool (see CClipTool): while it is on, clicks set the line of
    // the cut, Tab chooses the side kept, Enter cuts and Escape leaves it.
    void StartClipTool();
    void EndClipTool();
    CClipTool* GetClipTool() const { return m_clipTool.get(); }
    // Enter: the cut, or the message that says why there is none.
    void ApplyClip();
    // Ends a drag under way as one step, as its release would: a command
    // given while the button is still held acts on the map the drag left.
    void EndDrag();
    // Takes a drag under way back; the map is as it was at the press.
    void CancelDrag();
    void UpdateSelection(bool restricted);
    // The wheel zooms by whole notches (120 eighths of a degree, summed for
    // touchpads) about the pixel under the mouse; the middle button pans.
    void OnMouseWheel(int angleDelta, ScreenPoint position);
    void OnMButtonDown(ScreenPoint position);
    void OnMButtonUp();
    // The right button: the cursor becomes the exact point clicked, not
    // snapped, and the view asks for its pop-up menu at `global`.
    void OnContextMenu(ScreenPoint position, QPoint global);

    // What a command given in this view acts on: the selection set, else the
    // hovered object if this view shows it, else nothing.
    CSelectionSet GetCommandTarget() const;
    bool HasCommandTarget() const;

    // A new prism or pyramid around the last mouse position; see
    // BrushShapeBuilder.h.
    bool BuildBrushShape(CMapBrush& brush, int16_t width, int16_t height, int16_t snap,
                         uint8_t sides, bool prism) const;

    // Redraws the backing image now if a full repaint is pending; tests and the
    // renderer read the picture from there.
    const QImage& RenderNow();
    // Asks for a full repaint: everything is cleared and drawn again.
    void InvalidateAll();
    bool IsFullRepaintPending() const { return m_fullRepaintPending; }
    // The grid behind the map at the snap step; off until the editor asks.
    void ShowGrid(bool shown);
    bool IsGridShown() const { return m_showGrid; }
    void SetGridColour(Rgb colour);
    Rgb GetGridColour() const { return m_gridColour; }
    // The status pane's text: the snap step and the scale.
    std::string GetScaleText() const;
    // The last full repaint drew nothing of a map that has objects: the
    // limits hide it all, and the view says so in its corner.
    bool LimitsHideTheMap() const { return m_limitsHideTheMap; }
    // Zooms out until the whole map fits the client area, centres it and
    // repaints.
    void FrameMap();
    // Frames the map now and again whenever the view is resized, until the
    // picture is moved some other way: a new window gets its final size only
    // after the layout settles.
    void KeepFramedUntilMoved();

    CViewProjection m_projection; // plane, 3D and flipped flags, origins, zoom
    // What the last framing kept to, while KeepFramedUntilMoved holds.
    std::optional<CViewProjection> m_keptFramed;
    IntPoint m_cursor;
    ScreenPoint m_mouse;

signals:
    // The cursor point changed, so the coordinate pane should too.
    void CursorChanged();
    // The picture is due to be drawn again: origins, zoom, plane or map changed.
    // A change of the view is told at once; changes of the map (an edit tells
    // of each object it changed) are told once, after the edit.
    void ViewChanged();
    // The camera's marker was dragged here: the camera views follow it.
    void CameraDragged();
    // The user asked for the pop-up menu at a screen position.
    void ContextMenuRequested(QPoint global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Tab cycles through stacked objects rather than moving the focus.
    bool focusNextPrevChild(bool) override { return false; }
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RedrawBackingImage();
    void DrawCameraMarker(QPainter& painter) const;
    void DrawClipPreview(QPainter& painter) const;
    void DrawResizeHandles(QPainter& painter) const;
    // The resize cursor over a handle, the arrow elsewhere.
    void FollowHandleCursor(ScreenPoint mouse);
    void CloseGroup();
    // The box the resize handles sit on (see ResizeBoxOf), kept until the set
    // or the map changes.
    const std::optional<IntBox>& ResizeBox() const;
    bool IsOnCameraMarker(ScreenPoint mouse) const;
    void MoveCameraTo(ScreenPoint mouse);
    // Notes a change inside `box` for the next paint; false when only a full
    // repaint will do.
    bool NoteChangedArea(const IntBox& box);
    void RedrawPendingArea();
    // A full repaint for a change of the map: the scroll bars hear of it
    // after the edit.
    void InvalidateForMapChange();
    void TellMapChangedLater();
    void EndRectangle();
    ScreenRect BandRect() const;

    CTolveDoc& m_doc;
    QImage m_image;
    CLineCache m_lineCache;
    bool m_fullRepaintPending = true;
    bool m_mapChangeToTell = false;
    bool m_limitsHideTheMap = false;
    bool m_cameraGrabbed = false; // the left button holds the camera's marker
    bool m_showGrid = false;
    Rgb m_gridColour = kGridMinor;
    ScreenRect m_pendingArea; // cleared and redrawn with the next paint
    int m_wheelRemainder = 0;
    std::optional<ScreenPoint> m_panFrom;  // while the middle button pans
    std::unique_ptr<CMapDrag> m_drag;      // while the left button drags
    std::unique_ptr<CResizeDrag> m_resize; // while the left button holds a resize handle
    mutable std::optional<IntBox> m_resizeBox;
    mutable bool m_resizeBoxKnown = false;
    mutable uint64_t m_resizeBoxSet = 0;
    mutable EditMode m_resizeBoxMode = kCornerMode;
    std::unique_ptr<CClipTool> m_clipTool; // while the clip tool is on
    std::optional<ScreenPoint> m_bandFrom; // while Shift and the left button gather
    ScreenPoint m_bandTo;
};
