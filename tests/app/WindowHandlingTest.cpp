#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/CWindowArranger.h"
#include "widgets/CTolveView.h"
#include "widgets/CViewPane.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <memory>

namespace {

class CWindowFixture : public CAppFixture {
protected:
    void StartShown(QSize size = QSize(1000, 720)) {
        StartApp();
        Frame().resize(size);
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    QMdiArea& Area() const { return Frame().GetMdiArea(); }
    QRect Workspace() const { return QRect(QPoint(0, 0), Area().viewport()->size()); }

    void ExpectAllInside(const char* when) {
        for (QMdiSubWindow* window : Area().subWindowList())
            EXPECT_TRUE(Workspace().contains(window->geometry()))
                << when << ": " << window->windowTitle().toStdString() << " at "
                << window->geometry().x() << "," << window->geometry().y() << " " << window->width()
                << "x" << window->height();
    }

    void Trigger(CommandId id) { Frame().GetCommands().GetAction(id)->trigger(); }
};

// What a window system may do around a modal dialog: while the dialog is open
// another window takes the keyboard, and when the dialog closes the keyboard
// stays there, or lands on the child window's frame rather than the view.
class CFocusThief {
public:
    explicit CFocusThief(QWidget* landing = nullptr) : m_landing(landing) {}

    void Steal() {
        m_window = std::make_unique<QLineEdit>();
        m_window->show();
        m_window->activateWindow();
        m_window->setFocus();
        m_stole = QTest::qWaitForWindowActive(m_window.get()) && m_window->hasFocus();
        if (m_landing)
            m_landing->setFocus();
    }
    bool m_stole = false;

private:
    QWidget* m_landing;
    std::unique_ptr<QLineEdit> m_window;
};

} // namespace

using WindowPlacement = CWindowFixture;

TEST_F(WindowPlacement, NewWindowsOpenWhollyInsideTheWorkspace) {
    // The first window is placed before the main window has its real size.
    StartShown(QSize(700, 500));
    ExpectAllInside("at start-up");
    for (int i = 0; i < 12; ++i)
        Trigger(CommandId::kWindowNew);
    Trigger(CommandId::kFileNew);
    ASSERT_EQ(Area().subWindowList().size(), 14);
    ExpectAllInside("after New Window and New");
    // Windows are staggered, not stacked on one spot.
    const QList<QMdiSubWindow*> windows = Area().subWindowList(QMdiArea::CreationOrder);
    EXPECT_NE(windows[0]->pos(), windows[1]->pos());

    Frame().resize(520, 400);
    QCoreApplication::processEvents();
    ExpectAllInside("after the main window shrank");
}

TEST_F(WindowPlacement, CascadeKeepsEveryWindowAtAUsableSize) {
    StartShown();
    for (int i = 0; i < 5; ++i)
        Trigger(CommandId::kWindowNew);
    QMdiSubWindow* active = Area().activeSubWindow();
    for (int round = 0; round < 2; ++round) { // again: it must not shrink each time
        Trigger(CommandId::kWindowCascade);
        const QSize space = Area().viewport()->size();
        QList<QMdiSubWindow*> windows = Area().subWindowList(QMdiArea::CreationOrder);
        ASSERT_EQ(windows.size(), 6);
        for (QMdiSubWindow* window : windows) {
            EXPECT_GE(window->width(), space.width() * 2 / 3) << round;
            EXPECT_GE(window->height(), space.height() * 2 / 3) << round;
            EXPECT_EQ(window->size(), windows[0]->size());
        }
        ExpectAllInside("after Cascade");
        // Each window one step down and to the right of the one before, the
        // active one in front.
        windows.removeOne(active);
        windows.append(active);
        for (int i = 1; i < windows.size(); ++i) {
            EXPECT_GT(windows[i]->x(), windows[i - 1]->x());
            EXPECT_GT(windows[i]->y(), windows[i - 1]->y());
        }
        EXPECT_EQ(Area().activeSubWindow(), active);
        EXPECT_EQ(Area().subWindowList(QMdiArea::StackingOrder).last(), active);
    }
}

// Tile fills the workspace in the order the windows opened: a map's top view
// at the top left, its other views beside it; more windows in equal rows.
TEST_F(WindowPlacement, TileFillsTheWorkspaceTopViewFirst) {
    SaveViewLayout(ViewLayout::kThree);
    StartShown();
    Trigger(CommandId::kWindowCascade);
    Trigger(CommandId::kWindowTile);
    const QRect space = Workspace();
    QList<QMdiSubWindow*> windows = Area().subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, space.width() / 2, space.height()));
    EXPECT_EQ(windows[1]->geometry().topLeft(), QPoint(space.width() / 2, 0));
    EXPECT_EQ(windows[2]->geometry().bottomRight(), space.bottomRight());

    Trigger(CommandId::kWindowNew);
    Trigger(CommandId::kWindowNew);
    Trigger(CommandId::kWindowTile);
    windows = Area().subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 5);
    int area = 0;
    for (QMdiSubWindow* window : windows)
        area += window->width() * window->height();
    EXPECT_EQ(windows[0]->pos(), QPoint(0, 0));
    EXPECT_EQ(area, space.width() * space.height()) << "the tiles cover the workspace";
    ExpectAllInside("after Tile");
}

using ViewFocus = CWindowFixture;

TEST_F(ViewFocus, ReturnsToTheViewAfterTheFileChooser) {
    StartShown();
    CTolveView& view = ActiveFrame()->GetView();
    view.setFocus();
    CFocusThief thief;
    m_openChooser.m_onRequest = [&] { thief.Steal(); };
    QTest::keyClick(&view, Qt::Key_O, Qt::ControlModifier); // cancelled
    ASSERT_EQ(m_openChooser.m_requests.size(), 1u);
    ASSERT_TRUE(thief.m_stole);
    QCoreApplication::processEvents(); // the window system's answer to the activation
    EXPECT_EQ(QApplication::activeWindow(), &Frame());
    EXPECT_EQ(QApplication::focusWidget(), &view);

    // The keys work at once, without a click on the window first.
    const int originX = view.m_projection.m_originX;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(view.m_projection.m_originX, originX + 8);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Docs().GetDocuments().size(), 2u);
}

TEST_F(ViewFocus, ReturnsToTheViewRatherThanItsWindowFrame) {
    StartShown();
    CTolveView& view = ActiveFrame()->GetView();
    CFocusThief thief(ActiveFrame());
    m_openChooser.m_onRequest = [&] { thief.Steal(); };
    Frame().GetCommands().GetAction(CommandId::kFileOpen)->trigger();
    ASSERT_TRUE(thief.m_stole);
    QCoreApplication::processEvents(); // the window system's answer to the activation
    EXPECT_EQ(QApplication::activeWindow(), &Frame());
    EXPECT_EQ(QApplication::focusWidget(), &view);
}

TEST_F(ViewFocus, GoesToTheNewViewAfterTheReadersMessages) {
    StartShown();
    QString broken = WriteMap("broken.map", "{\n\"classname\" \"worldspawn\"\n{\n( 0 0 0 )\n}\n");
    CFocusThief thief;
    m_openChooser.m_answers.push_back(broken.toStdString());
    m_openChooser.m_onRequest = [&] { thief.Steal(); };
    QTest::keyClick(&ActiveFrame()->GetView(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(thief.m_stole);
    EXPECT_FALSE(m_messages.m_boxes.empty()); // the reader had something to say
    QCoreApplication::processEvents();        // the window system's answer to the activation
    EXPECT_EQ(QApplication::activeWindow(), &Frame());
    ASSERT_EQ(ActiveDoc().GetTitle(), "broken.map");
    EXPECT_EQ(QApplication::focusWidget(), &ActiveFrame()->GetView());
}

using Navigation = CWindowFixture;

TEST_F(Navigation, HomeFramesTheMapAndPlusZoomsIn) {
    StartShown();
    Docs().OpenDocument(WriteMap("room.map"));
    CTolveView& view = ActiveFrame()->GetView();
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Home);
    // The room and its light, from (-200, -150) to (64, 64), are in view.
    for (IntPoint corner : {IntPoint(-200, -150, 0), IntPoint(64, 64, 0)}) {
        ScreenPoint s = view.m_projection.WorldToScreen(corner);
        EXPECT_TRUE(s.x >= 0 && s.x < view.width() && s.y >= 0 && s.y < view.height());
    }
    const int framed = view.m_projection.m_zoom;
    QTest::keyClick(&view, Qt::Key_Minus);
    QTest::keyClick(&view, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(view.m_projection.m_zoom, framed * 4);
    QTest::keyClick(&view, Qt::Key_Plus);
    EXPECT_EQ(view.m_projection.m_zoom, framed * 2);
    QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(view.m_projection.m_zoom, framed);

    // The View menu offers it too.
    QAction* frameMap = Frame().GetCommands().GetAction(CommandId::kFrameMap);
    EXPECT_EQ(frameMap->text(), "&Frame Map");
    EXPECT_TRUE(frameMap->isEnabled());
}

TEST_F(Navigation, ScrollBarsFollowTheArrowKeys) {
    StartShown();
    auto* pane = qobject_cast<CViewPane*>(ActiveFrame()->widget());
    ASSERT_NE(pane, nullptr);
    CTolveView& view = ActiveFrame()->GetView();
    EXPECT_TRUE(pane->GetHorizontalBar().isVisible());
    const int across = pane->GetHorizontalBar().value();
    const int down = pane->GetVerticalBar().value();
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(pane->GetHorizontalBar().value(), across - 8);
    EXPECT_EQ(pane->GetVerticalBar().value(), down - 8);
    // Dragging the bar back scrolls the view back.
    pane->GetHorizontalBar().setValue(across);
    EXPECT_EQ(view.ScreenToWorld(0, 0).x, across);
}

using FlatnessNotice = CWindowFixture;

TEST_F(FlatnessNotice, ADraggedCornerThatBendsFacesIsReportedInTheStatusBar) {
    StartShown();
    Docs().OpenDocument(WriteMap("room.map"));
    CTolveView& view = ActiveFrame()->GetView();
    view.m_projection.m_originX = -200;
    view.m_projection.m_originY = 200;
    view.InvalidateAll();
    const ScreenPoint corner = view.m_projection.WorldToScreen(64, 64, 64);
    const QPoint at(corner.x, corner.y);
    // Hover picks the corner, Alt and the left button drag it alone (not the
    // corner under it) 16 units out in x and y.
    QTest::mouseMove(&view, at);
    QTest::mousePress(&view, Qt::LeftButton, Qt::AltModifier, at);
    QTest::mouseMove(&view, at + QPoint(16, -16));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::AltModifier, at + QPoint(16, -16));
    ASSERT_TRUE(ActiveDoc().IsModified());
    EXPECT_EQ(Frame().statusBar()->currentMessage(),
              "2 faces of this brush are not flat; the file keeps the plane through each one's "
              "first three corners.");

    // Dragged back, the brush is flat again and the notice goes.
    QTest::mousePress(&view, Qt::LeftButton, Qt::AltModifier, at + QPoint(16, -16));
    QTest::mouseMove(&view, at);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::AltModifier, at);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "");
}
