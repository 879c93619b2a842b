#include "widgets/CTolveView.h"

#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "map/MapGroups.h"
#include "map/MapLimits.h"
#include "view/AreaRepaint.h"
#include "view/BrushShapeBuilder.h"
#include "view/CClipTool.h"
#include "view/CMapDrag.h"
#include "view/CMapPainter.h"
#include "view/CMapSelection.h"
#include "view/CResizeDrag.h"
#include "view/CommandTarget.h"
#include "view/ResizeHandles.h"
#include "view/ViewNavigation.h"
#include "widgets/CQtCanvas.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <cstdio>
#include <utility>

CTolveView::CTolveView(CTolveDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_doc.AddView(this);
}

CTolveView::~CTolveView() {
    m_doc.RemoveView(this);
}

IntPoint CTolveView::ScreenToWorld(int32_t sx, int32_t sy) const {
    return m_projection.ScreenToWorld(sx, sy, m_doc.GetEditorState().GetInsertionPoint());
}

IntPoint CTolveView::ScreenToWorldAtDepth(int32_t sx, int32_t sy, int32_t h) const {
    return m_projection.ScreenToWorldAtDepth(sx, sy, h, m_doc.GetEditorState().GetInsertionPoint());
}

std::string CTolveView::GetCoordinateText() const {
    char text[64];
    std::snprintf(text, sizeof text, "x: %d, y: %d, z: %d", m_cursor.x, m_cursor.y, m_cursor.z);
    return text;
}

void CTolveView::ShowGrid(bool shown) {
    if (shown == m_showGrid)
        return;
    m_showGrid = shown;
    InvalidateAll();
}

void CTolveView::SetGridColour(Rgb colour) {
    if (colour == m_gridColour)
        return;
    m_gridColour = colour;
    if (m_showGrid)
        InvalidateAll();
}

std::string CTolveView::GetScaleText() const {
    return "Snap " + std::to_string(m_doc.GetEditorState().GetSnap()) + " \u00b7 " +
           m_projection.ScaleText();
}

void CTolveView::InvalidateAll() {
    m_fullRepaintPending = true;
    update();
    emit ViewChanged();
}

void CTolveView::FrameMap() {
    ::FrameMap(m_doc, m_projection, width(), height());
    InvalidateAll();
}

void CTolveView::KeepFramedUntilMoved() {
    FrameMap();
    m_keptFramed = m_projection;
}

void CTolveView::RedrawBackingImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
    }
    m_image.fill(Qt::white);
    QPainter painter(&m_image);
    CQtCanvas canvas(painter, &m_lineCache);
    CMapPainter mapPainter(m_doc, m_projection, canvas);
    mapPainter.ShowGrid(m_showGrid);
    mapPainter.SetGridColour(m_gridColour);
    mapPainter.PaintAll(width(), height());
    const bool hasObjects = !m_doc.GetWorldBrushes().empty() || !m_doc.GetModelEntities().empty() ||
                            !m_doc.GetPointEntities().empty();
    m_limitsHideTheMap = hasObjects && !mapPainter.DrewInsideLimits();
    m_fullRepaintPending = false;
    m_pendingArea = ScreenRect();
}

const QImage& CTolveView::RenderNow() {
    if (m_fullRepaintPending || m_image.isNull())
        RedrawBackingImage();
    else if (!m_pendingArea.IsEmpty())
        RedrawPendingArea();
    return m_image;
}

// The area is only noted here and redrawn with the next paint, so that the
// changes of one frame (every move of a drag, a step and its selection) cost
// one partial redraw, and an edit never waits for drawing.
bool CTolveView::NoteChangedArea(const IntBox& box) {
    const qreal ratio = m_image.devicePixelRatio();
    if (ratio != std::floor(ratio) || m_image.size() != size() * ratio)
        return false; // area edges between device pixels, or a picture of another size
    const AreaRepaint plan = PlanAreaRepaint(
        box, m_projection, CMapPainter::ObjectMargin(m_projection, m_doc), width(), height());
    if (plan.how != AreaRepaint::How::kPart)
        return plan.how == AreaRepaint::How::kNothing;
    const ScreenRect& area = plan.rect;
    m_pendingArea = m_pendingArea.United(area);
    // Past half the view a full repaint costs no more.
    if (m_pendingArea.Area() * 2 > int64_t{width()} * height())
        return false;
    update(QRect(QPoint(area.left, area.top), QPoint(area.right, area.bottom)));
    return true;
}

// Clipped to the area, the drawing gives the pixels a full repaint would,
// however far its lines run beyond the area.
void CTolveView::RedrawPendingArea() {
    const ScreenRect area = m_pendingArea;
    m_pendingArea = ScreenRect();
    const QRect rect(QPoint(area.left, area.top), QPoint(area.right, area.bottom));
    QPainter painter(&m_image);
    painter.setClipRect(rect);
    painter.fillRect(rect, Qt::white);
    CQtCanvas canvas(painter, &m_lineCache);
    CMapPainter mapPainter(m_doc, m_projection, canvas);
    mapPainter.ShowGrid(m_showGrid);
    mapPainter.SetGridColour(m_gridColour);
    mapPainter.PaintArea(area, width(), height());
}

void CTolveView::OnMapChanged(const MapNotice& notice) {
    using What = MapNotice::What;
    if (!notice.selectionOnly) {
        m_resizeBoxKnown = false;
        if (m_clipTool)
            m_clipTool->ForgetPreview();
    }
    const CEditorState& state = m_doc.GetEditorState();
    if (m_clipTool || (state.GetEditMode() == kBrushMode && !state.GetSelectionSet().IsEmpty()))
        update(); // the cut's picture and the resize handles follow the map and the set
    // A repaint that is already due will draw the change anyway.
    if (m_fullRepaintPending || m_image.isNull()) {
        update();
        if (notice.what == What::kAll || notice.what == What::kArea)
            TellMapChangedLater(); // the map may have grown: the scroll bars follow
        return;
    }
    if (notice.what == What::kArea) {
        if (!NoteChangedArea(notice.area))
            InvalidateForMapChange();
        TellMapChangedLater();
        return;
    }
    QPainter painter(&m_image);
    CQtCanvas canvas(painter);
    if (!CMapPainter(m_doc, m_projection, canvas).PaintNotice(notice)) {
        painter.end();
        InvalidateForMapChange();
        return;
    }
    canvas.Flush();
    QRect touched = canvas.GetTouchedArea();
    if (!touched.isNull())
        update(touched);
}

void CTolveView::InvalidateForMapChange() {
    m_fullRepaintPending = true;
    update();
    TellMapChangedLater();
}

// An edit of a hundred thousand objects tells the view of each; what follows
// a change of the map (the scroll bars measure the map) is done once.
void CTolveView::TellMapChangedLater() {
    if (std::exchange(m_mapChangeToTell, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_mapChangeToTell = false;
            emit ViewChanged();
        },
        Qt::QueuedConnection);
}

void CTolveView::paintEvent(QPaintEvent* event) {
    RenderNow();
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image,
                      QRectF(QPointF(event->rect().topLeft()) * m_image.devicePixelRatio(),
                             QSizeF(event->rect().size()) * m_image.devicePixelRatio()));
    if (m_limitsHideTheMap) {
        // Hidden objects count as lying beyond the limits; the text names
        // what put the map out of sight.
        const bool limits = m_doc.GetEditorState().HasLimits();
        painter.setPen(Qt::darkRed);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignBottom,
                         limits ? QStringLiteral("The limits hide the whole map: View > Clear "
                                                 "Limits (Ctrl+Shift+L) shows it again")
                                : QStringLiteral("The whole map is hidden: View > Show All "
                                                 "(Shift+H) shows it again"));
    }
    DrawCameraMarker(painter);
    DrawClipPreview(painter);
    DrawResizeHandles(painter);
    if (m_bandFrom) {
        const ScreenRect band = BandRect();
        painter.setPen(QPen(QColor(230, 110, 0), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band.left, band.top, band.right - band.left, band.bottom - band.top);
    }
}

void CTolveView::StartClipTool() {
    CancelDrag();
    m_clipTool = std::make_unique<CClipTool>(m_doc);
    ShowStatusNotice("Clip: click two points; Tab chooses the side kept (" +
                     DescribeClipSide(m_clipTool->GetSide()) +
                     "), Enter cuts, Escape leaves the tool");
    update();
}

void CTolveView::EndClipTool() {
    m_clipTool.reset();
    ShowStatusNotice(std::string());
    update();
}

void CTolveView::ApplyClip() {
    if (!m_clipTool)
        return;
    const std::string refusal = m_clipTool->Apply();
    if (!refusal.empty())
        ShowMessageBox("Clip", refusal, MessageIcon::kWarning);
    update();
}

void CTolveView::DrawClipPreview(QPainter& painter) const {
    if (!m_clipTool)
        return;
    using Kind = ClipPreviewLine::Kind;
    const QPen kept(QColor(0, 150, 60), 1);
    const QPen dropped(QColor(0, 150, 60), 1, Qt::DashLine);
    const QPen cut(QColor(230, 110, 0), 1);
    for (const ClipPreviewLine& line : m_clipTool->PreviewLines(m_projection)) {
        painter.setPen(line.kind == Kind::kKept      ? kept
                       : line.kind == Kind::kDropped ? dropped
                                                     : cut);
        painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }
    painter.setPen(cut);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < m_clipTool->CountPoints(); ++i) {
        const ScreenPoint p = m_projection.WorldToScreen(m_clipTool->GetPoint(i));
        painter.drawRect(p.x - 3, p.y - 3, 6, 6);
    }
}

void CTolveView::DrawResizeHandles(QPainter& painter) const {
    if (m_clipTool || m_drag)
        return;
    const std::optional<IntBox>& box = ResizeBox();
    if (!box)
        return;
    painter.setPen(QColor(0, 0, 0));
    painter.setBrush(QColor(255, 255, 255));
    for (const ResizeHandle& handle : AllResizeHandles()) {
        const ScreenRect r = ResizeHandleRect(m_projection, *box, handle);
        painter.drawRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

// Worked out once for each set and state of the map: the pointer asks for it
// at every move, and a set of many brushes takes a while to walk.
const std::optional<IntBox>& CTolveView::ResizeBox() const {
    const CEditorState& state = m_doc.GetEditorState();
    if (!m_resizeBoxKnown || m_resizeBoxSet != state.GetSetGeneration() ||
        m_resizeBoxMode != state.GetEditMode()) {
        m_resizeBox = ResizeBoxOf(m_doc);
        m_resizeBoxKnown = true;
        m_resizeBoxSet = state.GetSetGeneration();
        m_resizeBoxMode = state.GetEditMode();
    }
    return m_resizeBox;
}

void CTolveView::FollowHandleCursor(ScreenPoint mouse) {
    const std::optional<ResizeHandle> handle =
        m_clipTool ? std::nullopt : FindResizeHandle(ResizeBox(), m_projection, mouse);
    if (!handle) {
        unsetCursor();
        return;
    }
    if (!handle->IsCorner()) {
        setCursor(handle->h != 0 ? Qt::SizeHorCursor : Qt::SizeVerCursor);
        return;
    }
    // Which diagonal the corner lies on, as the view shows the box.
    const IntBox box = ResizeBox().value_or(IntBox());
    const ScreenRect at = ResizeHandleRect(m_projection, box, *handle);
    const ScreenRect opposite = ResizeHandleRect(m_projection, box, {-handle->h, -handle->v});
    const bool falling = (at.left - opposite.left) * (at.top - opposite.top) > 0;
    setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
}

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

Vec3d LookDirection(double yaw, double pitch) {
    return {std::cos(pitch * kDegrees) * std::cos(yaw * kDegrees),
            std::cos(pitch * kDegrees) * std::sin(yaw * kDegrees), std::sin(pitch * kDegrees)};
}

IntPoint Rounded(const Vec3d& p) {
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y)),
            static_cast<int32_t>(std::lround(p.z))};
}

} // namespace

// Where the map's camera stands, with the edges of what it sees: across in
// the top view, up and down in the others.
void CTolveView::DrawCameraMarker(QPainter& painter) const {
    const std::optional<CameraPose>& pose = m_doc.GetEditorState().GetCameraPose();
    if (!pose || std::fabs(pose->position.x) > kWorldExtent ||
        std::fabs(pose->position.y) > kWorldExtent || std::fabs(pose->position.z) > kWorldExtent)
        return;
    const ScreenPoint eye = m_projection.WorldToScreen(Rounded(pose->position));
    const bool top = m_projection.m_viewMode == kPlaneXY;
    constexpr double kReach = 48.0; // pixels
    constexpr double kHalfAcross = 45.0, kHalfUp = 36.87;
    painter.setPen(QPen(QColor(0, 160, 255), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPoint(eye.x, eye.y), 4, 4);
    for (double turn : {-1.0, 1.0}) {
        const Vec3d edge = top ? LookDirection(pose->yaw + turn * kHalfAcross, pose->pitch)
                               : LookDirection(pose->yaw, pose->pitch + turn * kHalfUp);
        const ScreenPoint far = m_projection.WorldToScreen(Rounded(pose->position + edge * 4096.0));
        const double dx = far.x - eye.x, dy = far.y - eye.y;
        const double length = std::hypot(dx, dy);
        if (length < 1.0)
            continue;
        painter.drawLine(QPointF(eye.x, eye.y),
                         QPointF(eye.x + dx / length * kReach, eye.y + dy / length * kReach));
    }
}

bool CTolveView::IsOnCameraMarker(ScreenPoint mouse) const {
    const std::optional<CameraPose>& pose = m_doc.GetEditorState().GetCameraPose();
    if (!pose || m_projection.m_threeD)
        return false;
    const ScreenPoint eye = m_projection.WorldToScreen(Rounded(pose->position));
    constexpr int kGrabReach = 6; // pixels
    return std::abs(mouse.x - eye.x) <= kGrabReach && std::abs(mouse.y - eye.y) <= kGrabReach;
}

// The camera follows the pointer across this view's plane; its depth stays.
void CTolveView::MoveCameraTo(ScreenPoint mouse) {
    CEditorState& state = m_doc.GetEditorState();
    CameraPose pose = *state.GetCameraPose();
    const IntPoint world = m_projection.ScreenToWorld(mouse.x, mouse.y, Rounded(pose.position));
    const int depth = DepthAxisOf(m_projection.m_viewMode);
    for (int axis = 0; axis < 3; ++axis) {
        if (axis != depth)
            pose.position[axis] = world.Component(axis);
    }
    state.SetCameraPose(pose);
    update();
    emit CameraDragged();
}

void CTolveView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_keptFramed && m_keptFramed->ShowsTheSameAs(m_projection)) {
        KeepFramedUntilMoved();
        return;
    }
    m_keptFramed.reset(); // moved since: the user's picture stays
    InvalidateAll();
}

void CTolveView::UpdateSelection(bool restricted) {
    CMapSelection(m_doc, m_projection, m_mouse, m_cursor).UpdateSelection(restricted);
    emit CursorChanged();
}

void CTolveView::OnMouseMove(bool control, ScreenPoint position, bool keepProportions) {
    if (m_panFrom) {
        m_projection.Pan(position.x - m_panFrom->x, position.y - m_panFrom->y);
        m_panFrom = position;
        InvalidateAll();
        return;
    }
    if (m_bandFrom) {
        m_bandTo = position;
        update();
        return;
    }
    if (m_drag) {
        if (m_drag->Step(position)) {
            m_cursor = m_drag->GetCursor();
            emit CursorChanged();
        }
        return;
    }
    if (m_resize) {
        if (m_resize->Step(position, keepProportions)) {
            m_cursor = SnappedWorldPoint(m_doc, m_projection, position);
            emit CursorChanged();
        }
        return;
    }
    m_mouse = position;
    UpdateSelection(control);
    FollowHandleCursor(position);
}

void CTolveView::OnLButtonDown(ScreenPoint position, Press press) {
    // A press while a drag goes on (another button's release was missed)
    // ends that drag first.
    EndDrag();
    if (m_clipTool) {
        m_clipTool->Click(m_projection, position);
        m_cursor = m_clipTool->GetPoint(m_clipTool->CountPoints() - 1);
        emit CursorChanged();
        update();
        return;
    }
    m_mouse = position;
    m_cursor = SnappedWorldPoint(m_doc, m_projection, position);
    emit CursorChanged();
    if (press == Press::kPlain) {
        if (const std::optional<ResizeHandle> handle =
                FindResizeHandle(ResizeBox(), m_projection, position)) {
            m_resize = std::make_unique<CResizeDrag>(m_doc, m_projection, *handle);
            return;
        }
    }
    if (press == Press::kGather) {
        m_bandFrom = position;
        m_bandTo = position;
        return;
    }
    CSelectionSet objects = DragTarget(m_doc, m_projection, width(), height());
    if (press != Press::kSingleCorner && m_doc.GetEditorState().GetEditMode() == kCornerMode)
        objects = WithStackedCorners(objects, m_projection);
    if (objects.IsEmpty()) {
        ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    m_drag = std::make_unique<CMapDrag>(m_doc, m_projection, position, std::move(objects));
}

void CTolveView::OnLButtonUp() {
    if (m_bandFrom) {
        EndRectangle();
        emit CursorChanged(); // the status panes follow the set
    }
    EndDrag();
}

namespace {

// A press and release closer than this is a click, not a rectangle.
constexpr int32_t kClickSlack = 3;

} // namespace

ScreenRect CTolveView::BandRect() const {
    return {std::min(m_bandFrom->x, m_bandTo.x), std::min(m_bandFrom->y, m_bandTo.y),
            std::max(m_bandFrom->x, m_bandTo.x), std::max(m_bandFrom->y, m_bandTo.y)};
}

void CTolveView::EndRectangle() {
    const ScreenRect band = BandRect();
    m_bandFrom.reset();
    update();
    CEditorState& state = m_doc.GetEditorState();
    if (band.right - band.left <= kClickSlack && band.bottom - band.top <= kClickSlack) {
        if (!IsHoverShown(m_doc, m_projection, width(), height()) || !state.ToggleHoverInSet())
            ShowStatusNotice(kNothingUnderPointer);
        return;
    }
    CSelectionSet set = state.GetSelectionSet();
    set.Merge(ObjectsInRectangle(m_doc, m_projection, band));
    state.SetSelectionSet(std::move(set));
}

void CTolveView::OnEscape() {
    if (m_clipTool) {
        EndClipTool();
    } else if (m_drag || m_resize) {
        CancelDrag();
    } else if (m_bandFrom) {
        m_bandFrom.reset();
        update();
    } else {
        m_doc.GetEditorState().ClearSelectionSet();
        CloseGroup();
        emit CursorChanged(); // the status panes follow the set
    }
}

void CTolveView::CloseGroup() {
    CEditorState& state = m_doc.GetEditorState();
    if (state.GetOpenGroup().empty())
        return;
    state.SetOpenGroup(std::string());
    ShowStatusNotice("Group closed");
}

void CTolveView::OnLButtonDoubleClick() {
    CEditorState& state = m_doc.GetEditorState();
    if (state.GetEditMode() != kBrushMode || m_clipTool)
        return;
    const CMapGroups groups(m_doc);
    const MapGroup* innermost = nullptr;
    if (state.GetSelectedBrush() && IsHoverShown(m_doc, m_projection, width(), height()))
        innermost = groups.InnermostOf(state.GetSelectedEntity());
    if (const MapGroup* group = groups.OutermostClosed(innermost, state.GetOpenGroup())) {
        state.SetOpenGroup(group->id);
        // The brush clicked stands alone now, or with the group inside.
        state.SetSelectionSet(state.GetHoverAsSet());
        ShowStatusNotice("Group \"" + group->name +
                         "\" open: its brushes select one by one; Escape closes it");
        emit CursorChanged();
    } else if (!innermost || !groups.Holds(innermost, state.GetOpenGroup())) {
        CloseGroup();
    }
}

namespace {

// The same object of the mode: the brush (and corner in corner mode), or the
// point entity.
bool SameObject(EditMode mode, const HoverSelection& a, const HoverSelection& b) {
    if (mode == kEntityMode)
        return a.pointEntity == b.pointEntity;
    return a.brush == b.brush && (mode != kCornerMode || a.vertex == b.vertex);
}

} // namespace

void CTolveView::CycleStacked(bool forward) {
    IntPoint cursor = m_cursor;
    const std::vector<HoverSelection> stacked =
        CMapSelection(m_doc, m_projection, m_mouse, cursor).StackedUnderPointer();
    if (stacked.size() < 2) {
        ShowStatusNotice("Nothing else lies under the pointer");
        return;
    }
    CEditorState& state = m_doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    const HoverSelection current = state.GetHover();
    const size_t count = stacked.size();
    size_t at = 0;
    while (at < count && !SameObject(mode, stacked[at], current))
        ++at;
    const size_t next = at == count ? 0 : forward ? (at + 1) % count : (at + count - 1) % count;
    HoverSelection hover = stacked[next];
    // The other kind of object stays as it was hovered.
    if (mode == kEntityMode) {
        hover.entity = current.entity;
        hover.brush = current.brush;
        hover.vertex = current.vertex;
        hover.face = current.face;
    } else {
        hover.pointEntity = current.pointEntity;
    }
    state.SetHover(hover);
    ShowStatusNotice(std::to_string(next + 1) + " of " + std::to_string(count) +
                     " under the pointer");
    emit CursorChanged(); // the status panes follow
}

void CTolveView::OnLeave() {
    if (m_drag || m_resize || m_bandFrom || m_panFrom)
        return; // the mouse is held by the view; it comes back
    m_doc.GetEditorState().SetHover(HoverSelection());
    emit CursorChanged(); // what the commands may act on changed
}

void CTolveView::EndDrag() {
    if (std::unique_ptr<CResizeDrag> resize = std::move(m_resize))
        resize->Commit();
    if (!m_drag)
        return;
    std::unique_ptr<CMapDrag> drag = std::move(m_drag);
    drag->Commit();
}

void CTolveView::CancelDrag() {
    if (std::unique_ptr<CResizeDrag> resize = std::move(m_resize)) {
        resize->Cancel();
        UpdateSelection(false);
        return;
    }
    if (!m_drag)
        return;
    std::unique_ptr<CMapDrag> drag = std::move(m_drag);
    drag->Cancel();
    // The mouse may have moved off what the drag held.
    UpdateSelection(false);
}

void CTolveView::OnMouseWheel(int angleDelta, ScreenPoint position) {
    constexpr int kNotch = 120;
    m_wheelRemainder += angleDelta;
    bool changed = false;
    for (; m_wheelRemainder >= kNotch; m_wheelRemainder -= kNotch)
        changed = m_projection.ZoomInAt(position) || changed;
    for (; m_wheelRemainder <= -kNotch; m_wheelRemainder += kNotch) {
        m_projection.ZoomOutAt(position);
        changed = true;
    }
    if (changed) {
        InvalidateAll();
        emit CursorChanged(); // the scale pane follows
    }
}

void CTolveView::OnMButtonDown(ScreenPoint position) {
    m_panFrom = position;
}

void CTolveView::OnMButtonUp() {
    m_panFrom.reset();
}

CSelectionSet CTolveView::GetCommandTarget() const {
    return CommandTarget(m_doc, m_projection, width(), height());
}

bool CTolveView::HasCommandTarget() const {
    return !m_doc.GetEditorState().GetSelectionSet().IsEmpty() ||
           IsHoverShown(m_doc, m_projection, width(), height());
}

bool CTolveView::BuildBrushShape(CMapBrush& brush, int16_t width, int16_t height, int16_t snap,
                                 uint8_t sides, bool prism) const {
    return brushshapes::BuildBrushShape(brush, m_projection, m_mouse,
                                        m_doc.GetEditorState().GetInsertionPoint(), width, height,
                                        snap, sides, prism);
}

void CTolveView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (m_cameraGrabbed) {
        MoveCameraTo({p.x(), p.y()});
        return;
    }
    OnMouseMove(event->modifiers() & Qt::ControlModifier, {p.x(), p.y()},
                event->modifiers() & Qt::ShiftModifier);
    QWidget::mouseMoveEvent(event);
}

// Qt grabs the mouse for the widget while a button is held, so a drag goes on
// outside the view and its release is never missed.
void CTolveView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        IsOnCameraMarker({p.x(), p.y()})) {
        m_cameraGrabbed = true;
        return;
    }
    if (event->button() == Qt::LeftButton) {
        Press press = Press::kPlain;
        if (event->modifiers() & Qt::ShiftModifier)
            press = Press::kGather;
        else if (event->modifiers() & Qt::AltModifier)
            press = Press::kSingleCorner;
        OnLButtonDown({p.x(), p.y()}, press);
    } else if (event->button() == Qt::MiddleButton)
        OnMButtonDown({p.x(), p.y()});
    QWidget::mousePressEvent(event);
}

void CTolveView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_cameraGrabbed)
        m_cameraGrabbed = false;
    else if (event->button() == Qt::LeftButton)
        OnLButtonUp();
    else if (event->button() == Qt::MiddleButton)
        OnMButtonUp();
    QWidget::mouseReleaseEvent(event);
}

void CTolveView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier)
        OnLButtonDoubleClick();
    // The second press of a double click is a press as well.
    QWidget::mouseDoubleClickEvent(event);
}

void CTolveView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        OnEscape();
        event->accept();
        return;
    }
    if (m_clipTool && event->key() == Qt::Key_Tab) {
        m_clipTool->CycleSide();
        ShowStatusNotice(DescribeClipSide(m_clipTool->GetSide()));
        update();
        event->accept();
        return;
    }
    if (m_clipTool && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        ApplyClip();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && !m_drag) {
        CycleStacked(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// A pop-up menu takes the pointer from the view but acts on what it left
// hovered, so only a pointer that really went elsewhere unhovers.
void CTolveView::leaveEvent(QEvent* event) {
    if (!QApplication::activePopupWidget())
        OnLeave();
    QWidget::leaveEvent(event);
}

void CTolveView::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    OnMouseWheel(event->angleDelta().y(), {p.x(), p.y()});
    event->accept();
}

void CTolveView::OnContextMenu(ScreenPoint position, QPoint global) {
    // The menu acts on this view's map, so its window becomes the active one.
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(ancestor)) {
            if (QMdiArea* area = frame->mdiArea())
                area->setActiveSubWindow(frame);
            break;
        }
    }
    m_cursor = ScreenToWorld(position.x, position.y);
    emit CursorChanged();
    emit ContextMenuRequested(global);
}

void CTolveView::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint p = event->pos();
    OnContextMenu({p.x(), p.y()}, event->globalPos());
    event->accept();
}
