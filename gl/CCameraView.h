#pragma once

#include "gl/CSceneRenderer.h"
#include "map/MapNotice.h"
#include "scene/CSceneCamera.h"
#include "scene/CSceneModel.h"
#include "scene/SceneDragPlane.h"
#include "scene/ScenePicking.h"
#include "view/CMapDrag.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QPoint>
#include <QTimer>

#include <memory>
#include <optional>
#include <set>
#include <string>

class CClipTool;
class CTolveDoc;

// The textured 3D view of a map. It draws what CSceneModel prepares with
// CSceneRenderer, hovers and selects through the same editor state as the
// flat views, and flies its camera: the right button held looks about while
// W/A/S/D/Q/E and the arrows fly (Shift faster, Ctrl slower), the wheel moves
// along the view, the middle button pans and Alt with the left button orbits
// about the point under the pointer. A texture dragged from the texture
// browser and dropped on a face goes on that face, as one step. With the clip
// tool on, left clicks on faces set the three points of the cut.
class CCameraView : public QOpenGLWidget, public CMapObserver {
    Q_OBJECT

public:
    explicit CCameraView(CTolveDoc& doc, QWidget* parent = nullptr);
    ~CCameraView() override;

    CTolveDoc& GetDocument() const { return m_doc; }
    CSceneCamera& GetCamera() { return m_camera; }
    const CSceneCamera& GetCamera() const { return m_camera; }
    void SetCamera(const CSceneCamera& camera);
    // Takes the map's camera as another view left it (its marker dragged).
    void FollowPose();
    void SetDrawOptions(const SceneDrawOptions& options);
    const SceneDrawOptions& GetDrawOptions() const { return m_options; }
    // Why nothing can be drawn (no OpenGL 3.3), or empty.
    const std::string& GetProblem() const { return m_problem; }
    const CSceneRenderer& GetRenderer() const { return m_renderer; }
    const CSceneModel& GetModel() const { return m_model; }

    void OnMapChanged(const MapNotice& notice) override;
    bool IsDragging() const { return m_drag != nullptr; }
    // Ends a drag under way as one step, as its release would.
    void EndDrag();
    // Moves the camera back along its direction until the box fits the
    // picture; FrameMap does so for the whole map.
    void FrameBox(const IntBox& box);
    void FrameMap();

    // The clip tool (see CClipTool): while it is on, left clicks on faces set
    // the points of the cut, Tab chooses the side kept, Enter cuts and
    // Escape leaves the tool.
    void StartClipTool();
    void EndClipTool();
    CClipTool* GetClipTool() const { return m_clipTool.get(); }
    void ApplyClip();

signals:
    // The camera moved: the flat views draw where it stands.
    void CameraMoved();
    // The selection set changed here, so the status panes should too.
    void SelectionChanged();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Hovers what lies under the pointer, and tells what the ray met.
    ScenePick Hover(QPoint position);
    // A press of the left button on what the drag takes: the selection when
    // the hovered object is in it, else the hovered object. False when the
    // pointer is over nothing.
    bool BeginDrag(QPoint position, bool upright);
    void StepDrag(QPoint position);
    ScenePick PickAt(QPoint position) const;
    // The face under a dragged texture, if any.
    ScenePick PickDropFace(QPoint position) const;
    void Fly();
    void ReleaseGl();
    void TellCameraMoved();
    void ClickClipPoint(QPoint position);
    // Tab, Enter and Escape while the clip tool is on; false for other keys.
    bool HandleClipKey(const QKeyEvent& key);

    CTolveDoc& m_doc;
    CSceneModel m_model;
    CSceneRenderer m_renderer;
    CSceneCamera m_camera;
    SceneDrawOptions m_options;
    std::string m_problem;
    bool m_glReady = false;
    // Mouse gestures under way.
    enum class Gesture { kNone, kLook, kPan, kOrbit, kMove };
    Gesture m_gesture = Gesture::kNone;
    QPoint m_lastMouse;
    Vec3d m_orbitCentre;
    std::unique_ptr<CMapDrag> m_drag;
    std::unique_ptr<CClipTool> m_clipTool; // while the clip tool is on
    SceneDragPlane m_dragPlane;
    // Keys held for flying, and the clock between steps.
    std::set<int> m_flyKeys;
    QTimer m_flyTimer;
    QElapsedTimer m_flyClock;
};
