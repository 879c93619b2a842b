#pragma once

#include <QMdiSubWindow>

class CCameraView;
class CDocManager;
class CTolveDoc;
class CTolveView;

// A child window of the main window, holding one view of a map: a flat view
// of one plane, or the textured camera view.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    enum class Kind { kPlane, kCamera };
    CChildFrame(CTolveDoc& doc, CDocManager& manager, Kind kind = Kind::kPlane);
    ~CChildFrame() override;

    CTolveDoc& GetDocument() const { return m_doc; }
    bool IsCamera() const { return m_camera != nullptr; }
    // The flat view; only a plane frame has one.
    CTolveView& GetView() const { return *m_view; }
    CTolveView* GetPlaneView() const { return m_view; }
    CCameraView* GetCameraView() const { return m_camera; }
    // Whichever view it holds, to give it the keyboard.
    QWidget& GetViewWidget() const;

protected:
    // Closing the last window of a modified map offers to save it first.
    void closeEvent(QCloseEvent* event) override;

private:
    CTolveDoc& m_doc;
    CDocManager& m_manager;
    CTolveView* m_view = nullptr;
    CCameraView* m_camera = nullptr;
};
