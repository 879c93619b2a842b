#include "gl/CCameraView.h"

#include "framework/CMessageService.h"
#include "framework/CStatusNotice.h"
#include "gl/CameraClipPreview.h"
#include "gl/SceneSurfaceFormat.h"
#include "map/CMapTransaction.h"
#include "map/CPointEntity.h"
#include "map/CTolveDoc.h"
#include "map/TextureApplication.h"
#include "map/TextureProjection.h"
#include "scene/SceneClipPoint.h"
#include "scene/ScenePicking.h"
#include "texture/TextureDrag.h"
#include "texture/TexturePalette.h"
#include "view/CClipTool.h"
#include "view/ViewNavigation.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>

namespace {

// Groups built per frame while a map comes in: the first frames come at once
// and the flat views stay usable meanwhile.
constexpr size_t kGroupsPerFrame = 48;
constexpr auto kTextureTimePerFrame = std::chrono::milliseconds(8);
constexpr int kFlyInterval = 16; // ms
constexpr double kLookDegreesPerPixel = 0.25;
constexpr double kWheelNotch = 120.0;
// A far orbit centre where the pointer meets nothing.
constexpr double kOrbitFallbackDistance = 256.0;

} // namespace

CCameraView::CCameraView(CTolveDoc& doc, QWidget* parent)
    : QOpenGLWidget(parent), m_doc(doc), m_model(doc) {
    setFormat(MakeSceneSurfaceFormat());
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 48);
    setAcceptDrops(true);
    m_doc.AddView(this);
    // Where the map's camera stands, when another camera view put it there.
    if (const std::optional<CameraPose>& pose = doc.GetEditorState().GetCameraPose()) {
        m_camera.SetPosition(pose->position);
        m_camera.SetAngles(pose->yaw, pose->pitch);
    } else {
        m_camera.SetPosition({-256.0, -256.0, 128.0});
        m_camera.SetAngles(45.0, -10.0);
    }
    m_flyTimer.setInterval(kFlyInterval);
    connect(&m_flyTimer, &QTimer::timeout, this, &CCameraView::Fly);
}

CCameraView::~CCameraView() {
    m_doc.RemoveView(this);
    ReleaseGl();
}

void CCameraView::ReleaseGl() {
    if (!m_glReady || !context())
        return;
    makeCurrent();
    m_renderer.Release();
    doneCurrent();
    m_glReady = false;
}

void CCameraView::SetCamera(const CSceneCamera& camera) {
    m_camera = camera;
    TellCameraMoved();
}

void CCameraView::FollowPose() {
    if (const std::optional<CameraPose>& pose = m_doc.GetEditorState().GetCameraPose()) {
        m_camera.SetPosition(pose->position);
        m_camera.SetAngles(pose->yaw, pose->pitch);
        update();
    }
}

void CCameraView::SetDrawOptions(const SceneDrawOptions& options) {
    m_options = options;
    update();
}

void CCameraView::OnMapChanged(const MapNotice& notice) {
    if (m_clipTool && !notice.selectionOnly)
        m_clipTool->ForgetPreview();
    update();
}

void CCameraView::initializeGL() {
    // The context goes with the window it lives in; a new one means new
    // buffers.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CCameraView::ReleaseGl,
            Qt::UniqueConnection);
    m_glReady = m_renderer.Initialize(m_problem);
}

void CCameraView::paintGL() {
    if (!m_glReady) {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.setPen(Qt::white);
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdString(m_problem.empty() ? kNoOpenGLMessage : m_problem));
        return;
    }
    bool more = !m_model.Update(kGroupsPerFrame);
    m_renderer.SyncGroups(m_model.GetGroups());
    if (m_model.TakeEntityBoxesChanged())
        m_renderer.SetEntityBoxes(m_model.GetEntityBoxes());
    if (m_model.TakeSetTintChanged())
        m_renderer.SetSetTint(m_model.GetSetTint());
    if (m_model.TakeHoverTintChanged())
        m_renderer.SetHoverTint(m_model.GetHoverTint());
    const double ratio = devicePixelRatioF();
    m_renderer.SetViewport(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    const double aspect = height() > 0 ? static_cast<double>(width()) / height() : 1.0;
    m_renderer.Draw(m_camera.GetProjectionMatrix(aspect) * m_camera.GetViewMatrix(), m_options);
    more |= m_renderer.LoadTextures(m_doc.m_textureWad, GetTexturePalette(), kTextureTimePerFrame);
    if (m_clipTool) {
        QPainter painter(this);
        DrawCameraClipPreview(painter, *m_clipTool, m_camera, width(), height());
    }
    if (more)
        update(); // the rest in the next frames
}

void CCameraView::StartClipTool() {
    EndDrag();
    m_clipTool = std::make_unique<CClipTool>(m_doc, ClipClicks::kThreeOnFaces);
    ShowStatusNotice("Clip: click three points on faces; Tab chooses the side kept (" +
                     DescribeClipSide(m_clipTool->GetSide()) +
                     "), Enter cuts, Escape leaves the tool");
    update();
}

void CCameraView::EndClipTool() {
    m_clipTool.reset();
    ShowStatusNotice(std::string());
    update();
}

void CCameraView::ApplyClip() {
    if (!m_clipTool)
        return;
    const std::string refusal = m_clipTool->Apply();
    if (!refusal.empty())
        ShowMessageBox("Clip", refusal, MessageIcon::kWarning);
    emit SelectionChanged();
    update();
}

void CCameraView::ClickClipPoint(QPoint position) {
    const ScenePick pick = PickAt(position);
    const std::optional<IntPoint> point = SnapSceneClipPoint(
        m_doc, pick, m_camera, {double(position.x()), double(position.y())}, width(), height());
    if (!point) {
        ShowStatusNotice("Clip: click on a face to set a point of the cut");
        return;
    }
    m_clipTool->AddPoint(*point);
    update();
}

bool CCameraView::HandleClipKey(const QKeyEvent& key) {
    if (!m_clipTool || key.modifiers() != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Escape:
        EndClipTool();
        return true;
    case Qt::Key_Tab:
        m_clipTool->CycleSide();
        ShowStatusNotice(DescribeClipSide(m_clipTool->GetSide()));
        update();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ApplyClip();
        return true;
    default:
        return false;
    }
}

ScenePick CCameraView::PickAt(QPoint position) const {
    const SceneRay ray = m_camera.MakeRay(position.x(), position.y(), width(), height());
    return PickAlongRay(m_doc, ray);
}

ScenePick CCameraView::PickDropFace(QPoint position) const {
    const ScenePick pick = PickAt(position);
    return pick.brush ? pick : ScenePick();
}

void CCameraView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(QString::fromLatin1(kTextureNameMimeType)))
        event->acceptProposedAction();
}

// Only a face takes the texture: the pointer shows so while it moves.
void CCameraView::dragMoveEvent(QDragMoveEvent* event) {
    if (PickDropFace(event->position().toPoint()).brush)
        event->acceptProposedAction();
    else
        event->ignore();
}

void CCameraView::dropEvent(QDropEvent* event) {
    const ScenePick pick = PickDropFace(event->position().toPoint());
    const QByteArray name = event->mimeData()->data(QString::fromLatin1(kTextureNameMimeType));
    if (!pick.brush || name.isEmpty())
        return;
    event->acceptProposedAction();
    CMapTransaction transaction(m_doc, "Apply Texture");
    if (ApplyTextureToFace(transaction.Edits(), *pick.brush, pick.face, name.toStdString()))
        transaction.Commit();
}

ScenePick CCameraView::Hover(QPoint position) {
    CEditorState& state = m_doc.GetEditorState();
    const ScenePick pick = PickAt(position);
    const HoverSelection hover = HoverFromPick(pick, state.GetEditMode(), CSceneLimits(state));
    if (hover != state.GetHover())
        state.SetHover(hover);
    // A point entity under the pointer names its class.
    setToolTip(pick.pointEntity ? QString::fromStdString(pick.pointEntity->m_classname)
                                : QString());
    return pick;
}

void CCameraView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const QPoint delta = position - m_lastMouse;
    m_lastMouse = position;
    switch (m_gesture) {
    case Gesture::kLook:
        m_camera.Look(-delta.x() * kLookDegreesPerPixel, -delta.y() * kLookDegreesPerPixel);
        break;
    case Gesture::kOrbit:
        m_camera.Orbit(m_orbitCentre, -delta.x() * kLookDegreesPerPixel,
                       -delta.y() * kLookDegreesPerPixel);
        break;
    case Gesture::kPan: {
        // A pixel moves the picture by about a pixel's width at the depth of
        // what the pan started on.
        const double step = std::max(1.0, m_camera.GetSpeed() / 256.0);
        m_camera.Pan(-delta.x() * step, delta.y() * step);
        break;
    }
    case Gesture::kMove:
        StepDrag(position);
        return;
    case Gesture::kNone:
        Hover(position);
        return;
    }
    TellCameraMoved();
}

void CCameraView::mousePressEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
    setFocus(Qt::MouseFocusReason);
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->button() == Qt::RightButton) {
        m_gesture = Gesture::kLook;
    } else if (event->button() == Qt::MiddleButton) {
        m_gesture = Gesture::kPan;
    } else if (event->button() == Qt::LeftButton && m_clipTool && !alt) {
        ClickClipPoint(m_lastMouse);
    } else if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier) &&
               BeginDrag(m_lastMouse, alt)) {
        m_gesture = Gesture::kMove;
    } else if (event->button() == Qt::LeftButton && alt) {
        const ScenePick pick = PickAt(m_lastMouse);
        const SceneRay ray = m_camera.MakeRay(m_lastMouse.x(), m_lastMouse.y(), width(), height());
        m_orbitCentre =
            pick.IsHit() ? pick.point : ray.origin + ray.direction * kOrbitFallbackDistance;
        m_gesture = Gesture::kOrbit;
    } else if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        Hover(m_lastMouse);
        m_doc.GetEditorState().ToggleHoverInSet();
        emit SelectionChanged();
    }
}

void CCameraView::mouseReleaseEvent(QMouseEvent*) {
    EndDrag();
    m_gesture = Gesture::kNone;
}

bool CCameraView::BeginDrag(QPoint position, bool upright) {
    EndDrag();
    const ScenePick pick = Hover(position);
    CEditorState& state = m_doc.GetEditorState();
    if (!pick.IsHit() || state.GetHover() == HoverSelection{})
        return false;
    // Alt over what is not selected orbits instead.
    if (upright && !state.IsHoverInSet())
        return false;
    CSelectionSet objects = state.IsHoverInSet() ? state.GetSelectionSet() : state.GetHoverAsSet();
    const Vec3d faceNormal = pick.brush ? GetFaceNormal(*pick.brush, pick.face) : Vec3d{0, 0, 1};
    m_dragPlane = SceneDragPlane::Choose(pick.point, faceNormal, m_camera.Forward(), upright);
    m_drag = std::make_unique<CMapDrag>(m_doc, SnapToGrid(pick.point, state.GetSnap()),
                                        std::move(objects));
    return true;
}

void CCameraView::StepDrag(QPoint position) {
    if (!m_drag)
        return;
    const SceneRay ray = m_camera.MakeRay(position.x(), position.y(), width(), height());
    if (const std::optional<Vec3d> point = m_dragPlane.Meet(ray))
        m_drag->StepTo(SnapToGrid(*point, m_doc.GetEditorState().GetSnap()));
}

void CCameraView::EndDrag() {
    if (!m_drag)
        return;
    m_drag->Commit();
    m_drag.reset();
    emit SelectionChanged();
}

void CCameraView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / kWheelNotch;
    const bool faster = event->modifiers() & Qt::ShiftModifier;
    const bool slower = event->modifiers() & Qt::ControlModifier;
    // A notch goes a quarter of a second's flight.
    m_camera.Dolly(notches * m_camera.FlySpeed(faster, slower) / 4.0);
    TellCameraMoved();
}

namespace {

bool IsFlyKey(int key) {
    switch (key) {
    case Qt::Key_W:
    case Qt::Key_A:
    case Qt::Key_S:
    case Qt::Key_D:
    case Qt::Key_Q:
    case Qt::Key_E:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

} // namespace

// The fly keys, plain or with Shift (faster), are the camera's while it has
// the keyboard: the window's commands on the same keys (the nudges on the
// arrows, Subtract on Shift+S) are for the flat views. With Ctrl they stay
// commands (Ctrl+S saves).
bool CCameraView::event(QEvent* event) {
    // Tab would move the keyboard to the next widget before keyPressEvent.
    if (event->type() == QEvent::KeyPress && HandleClipKey(*static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
        const bool clipKey = m_clipTool && held == Qt::NoModifier &&
                             (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Escape ||
                              key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
        if (clipKey ||
            (IsFlyKey(key->key()) && (held == Qt::NoModifier || held == Qt::ShiftModifier))) {
            event->accept();
            return true;
        }
    }
    return QOpenGLWidget::event(event);
}

void CCameraView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_drag) {
            m_drag->Cancel();
            m_drag.reset();
            m_gesture = Gesture::kNone;
            return;
        }
        m_doc.GetEditorState().ClearSelectionSet();
        emit SelectionChanged();
        return;
    }
    if (!IsFlyKey(event->key())) {
        QOpenGLWidget::keyPressEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    m_flyKeys.insert(event->key());
    if (!m_flyTimer.isActive()) {
        m_flyClock.start();
        m_flyTimer.start();
        Fly(); // a tap moves at once
    }
}

void CCameraView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat() || !IsFlyKey(event->key())) {
        QOpenGLWidget::keyReleaseEvent(event);
        return;
    }
    m_flyKeys.erase(event->key());
    if (m_flyKeys.empty())
        m_flyTimer.stop();
}

void CCameraView::Fly() {
    // At least one frame's step, so that a tap always moves.
    const double seconds = std::max(m_flyClock.restart(), qint64{kFlyInterval}) / 1000.0;
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    const double step =
        seconds * m_camera.FlySpeed(modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier);
    auto held = [&](int a, int b) { return m_flyKeys.contains(a) || m_flyKeys.contains(b); };
    const double forward =
        (held(Qt::Key_W, Qt::Key_Up) ? 1 : 0) - (held(Qt::Key_S, Qt::Key_Down) ? 1 : 0);
    const double right =
        (held(Qt::Key_D, Qt::Key_Right) ? 1 : 0) - (held(Qt::Key_A, Qt::Key_Left) ? 1 : 0);
    const double up =
        (m_flyKeys.contains(Qt::Key_E) ? 1 : 0) - (m_flyKeys.contains(Qt::Key_Q) ? 1 : 0);
    if (forward == 0 && right == 0 && up == 0)
        return;
    m_camera.Fly(forward * step, right * step, up * step);
    TellCameraMoved();
}

void CCameraView::leaveEvent(QEvent* event) {
    // As in the flat views: what the pointer left is no longer hovered.
    if (m_gesture == Gesture::kNone && m_doc.GetEditorState().GetHover() != HoverSelection{})
        m_doc.GetEditorState().SetHover({});
    QOpenGLWidget::leaveEvent(event);
}

void CCameraView::focusOutEvent(QFocusEvent* event) {
    // A key released while another window had the keyboard never comes here.
    m_flyKeys.clear();
    m_flyTimer.stop();
    EndDrag();
    m_gesture = Gesture::kNone;
    QOpenGLWidget::focusOutEvent(event);
}

void CCameraView::FrameBox(const IntBox& box) {
    m_camera.Frame(box, height() > 0 ? static_cast<double>(width()) / height() : 1.0);
    TellCameraMoved();
}

void CCameraView::FrameMap() {
    if (const std::optional<MapBounds> extent = FindMapExtent(m_doc))
        FrameBox({extent->lo, extent->hi});
}

void CCameraView::TellCameraMoved() {
    m_doc.GetEditorState().SetCameraPose(
        {m_camera.GetPosition(), m_camera.GetYaw(), m_camera.GetPitch()});
    update();
    emit CameraMoved();
}
