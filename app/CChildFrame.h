#pragma once

#include <QMdiSubWindow>

class CDocManager;
class CTolveDoc;
class CTolveView;

// A child window of the main window, holding one view of a map.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(CTolveDoc& doc, CDocManager& manager);
    ~CChildFrame() override;

    CTolveDoc& GetDocument() const { return m_doc; }
    CTolveView& GetView() const { return *m_view; }

protected:
    // Closing the last window of a modified map offers to save it first.
    void closeEvent(QCloseEvent* event) override;

private:
    CTolveDoc& m_doc;
    CDocManager& m_manager;
    CTolveView* m_view;
};
