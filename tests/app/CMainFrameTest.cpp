#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/CMenuBars.h"
#include "framework/CStatusNotice.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

QStringList MenuTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles.append(action->text());
    return titles;
}

QMenu* FindMenu(CMainFrame& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

// The visible items of a menu: their texts, "-" for a separator.
QStringList MenuItems(QMenu& menu) {
    QStringList items;
    for (QAction* action : menu.actions()) {
        if (action->isVisible())
            items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return items;
}

QAction* Action(CMainFrame& frame, CommandId id) {
    return frame.GetCommands().GetAction(id);
}

using CMainFrameMenus = CAppFixture;

TEST_F(CMainFrameMenus, SwitchWithTheFirstOpenAndTheLastClose) {
    StartApp();
    EXPECT_THAT(MenuTitles(Frame()),
                ElementsAre("&File", "&Edit", "&View", "&Map", "&Compile", "&Window", "&Help"));
    QMenu* edit = FindMenu(Frame(), "&Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_THAT(
        MenuItems(*edit),
        ElementsAre(
            "&Undo", "&Redo", "-", "Cu&t (brushes or entities only)", "&Copy (nothing selected)",
            "&Paste", "-", "Texture &Lock", "Appl&y Texture", "Replace Te&xture...", "&Texture",
            "-", "Corner Mode", "Face Mode", "Brush Mode", "Entity Mode", "-", "Select &All",
            "D&uplicate", "-", "&Rotate 90\u00b0 Clockwise", "Rotate 90\u00b0 &Anticlockwise",
            "Flip &Horizontally", "Flip &Vertically", "C&SG", "Tra&nsform...", "-",
            "Move to &Entity...", "Move to &World", "&Group...", "Ungr&oup", "-", "&Clip",
            "Clip Takes the Largest Face's &Texture", "-", "&Find...", "-", "P&references..."));
    QGuiApplication::clipboard()->clear();
    // Nothing to undo, cut, copy, paste or turn in a new map; texture lock is
    // on, and the modes, Select All, the clip tool and its setting and Find
    // and Preferences can always be chosen. A submenu always opens.
    for (QAction* action : edit->actions()) {
        const bool lock = action == Action(Frame(), CommandId::kTextureLock);
        const bool mode = action->text().endsWith(QStringLiteral(" Mode"));
        const bool all = action == Action(Frame(), CommandId::kSelectAll);
        const bool submenu = action->menu() != nullptr;
        const bool replace = action == Action(Frame(), CommandId::kReplaceTexture);
        const bool clip = action == Action(Frame(), CommandId::kClip) ||
                          action == Action(Frame(), CommandId::kClipLargestFaceTexture);
        const bool find = action == Action(Frame(), CommandId::kFind) ||
                          action == Action(Frame(), CommandId::kPreferences);
        EXPECT_EQ(action->isEnabled() && !action->isSeparator(),
                  lock || mode || all || submenu || replace || clip || find)
            << action->text().toStdString();
    }
    EXPECT_TRUE(Action(Frame(), CommandId::kTextureLock)->isChecked());

    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_THAT(MenuTitles(Frame()), ElementsAre("&File", "&Edit", "&View", "&Compile", "&Help"));
    EXPECT_THAT(MenuItems(*FindMenu(Frame(), "&File")),
                ElementsAre("&New", "&Open...", "-", "Recent File", "-", "E&xit"));

    Frame().RunCommand(CommandId::kFileNew);
    EXPECT_THAT(MenuTitles(Frame()),
                ElementsAre("&File", "&Edit", "&View", "&Map", "&Compile", "&Window", "&Help"));
    EXPECT_THAT(MenuItems(*FindMenu(Frame(), "&File")),
                ElementsAre("&New", "&Open...", "&Close", "&Save", "Save &As...",
                            "Entity &Definitions...", "-", "Recent File", "-", "E&xit"));
    EXPECT_THAT(
        MenuItems(*FindMenu(Frame(), "&Window")),
        ElementsAre("&New Window", "New &Camera View", "&Cascade", "&Tile", "&Arrange Icons"));
}

TEST_F(CMainFrameMenus, RecentFilesTakeThePlaceholdersPlace) {
    StartApp();
    QString first = WriteMap("first.map");
    QString second = WriteMap("second.map");
    Docs().OpenDocument(first);
    Docs().OpenDocument(second);
    EXPECT_THAT(MenuItems(*FindMenu(Frame(), "&File")),
                ElementsAre("&New", "&Open...", "&Close", "&Save", "Save &As...",
                            "Entity &Definitions...", "-", "&1 " + second, "&2 " + first, "-",
                            "E&xit"));
    EXPECT_EQ(Frame().GetMenuBars().GetRecentActions()[0]->statusTip(), "Open this document");
}

TEST_F(CMainFrameMenus, PromptsAndKeysOfTheMenuItems) {
    StartApp();
    EXPECT_EQ(Action(Frame(), CommandId::kFileNew)->statusTip(), "Create a new document");
    EXPECT_EQ(Action(Frame(), CommandId::kFileNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(Action(Frame(), CommandId::kAppExit)->statusTip(),
              "Quit the application; prompts to save documents");
    EXPECT_EQ(Action(Frame(), CommandId::kWindowTile)->statusTip(),
              "Arrange windows as non-overlapping tiles");
    // The menu names Ctrl+X; Shift+Delete works as well.
    EXPECT_THAT(Action(Frame(), CommandId::kEditCut)->shortcuts(),
                ElementsAre(QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")));
    EXPECT_FALSE(Action(Frame(), CommandId::kAppAbout)->statusTip().isEmpty());
}

TEST_F(CMainFrameMenus, ToolbarAndStatusBarToggle) {
    StartApp();
    QAction* toolbar = Action(Frame(), CommandId::kViewToolbar);
    EXPECT_TRUE(toolbar->isChecked());
    toolbar->trigger();
    EXPECT_TRUE(Frame().GetToolBar().isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    toolbar->trigger();
    EXPECT_FALSE(Frame().GetToolBar().isHidden());
    EXPECT_TRUE(toolbar->isChecked());

    QAction* statusBar = Action(Frame(), CommandId::kViewStatusBar);
    statusBar->trigger();
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_FALSE(statusBar->isChecked());
}

using CMainFrameToolBar = CAppFixture;

TEST_F(CMainFrameToolBar, HasNineteenButtonsAndSixSeparatorsInOrder) {
    StartApp();
    QStringList tips;
    for (QAction* action : Frame().GetToolBar().actions()) {
        if (action->isSeparator()) {
            tips.append(QStringLiteral("|"));
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(Frame().GetToolBar().widgetForAction(action));
        ASSERT_NE(button, nullptr);
        tips.append(button->toolTip());
        EXPECT_EQ(button->statusTip(), action->statusTip());
        EXPECT_FALSE(action->icon().isNull()) << button->toolTip().toStdString();
    }
    EXPECT_THAT(
        tips, ElementsAreArray({"New",       "Open",       "Save",        "|",        "Cut",
                                "Copy",      "|",          "Snap",        "Textures", "|",
                                "3D mode",   "XY mode",    "XZ mode",     "YZ mode",  "Flipped",
                                "|",         "Zoom in",    "Zoom out",    "|",        "Corner mode",
                                "Face mode", "Brush mode", "Entity mode", "|",        "About"}));
    EXPECT_EQ(tips.count(QStringLiteral("|")), 6);
    EXPECT_EQ(Frame().GetToolBar().iconSize(), QSize(16, 15));
}

TEST_F(CMainFrameToolBar, ButtonsFollowTheActiveView) {
    StartApp();
    CTolveView& view = ActiveFrame()->GetView();
    EXPECT_TRUE(Action(Frame(), CommandId::kViewXY)->isChecked());
    EXPECT_TRUE(Action(Frame(), CommandId::kCornerMode)->isChecked());
    Action(Frame(), CommandId::kViewYZ)->trigger();
    EXPECT_EQ(view.m_projection.m_viewMode, kPlaneYZ);
    EXPECT_TRUE(Action(Frame(), CommandId::kViewYZ)->isChecked());
    EXPECT_FALSE(Action(Frame(), CommandId::kViewXY)->isChecked());
    Action(Frame(), CommandId::kThreeD)->trigger();
    EXPECT_TRUE(view.m_projection.m_threeD);
    EXPECT_TRUE(Action(Frame(), CommandId::kThreeD)->isChecked());
    Action(Frame(), CommandId::kBrushMode)->trigger();
    EXPECT_EQ(ActiveDoc().GetEditorState().GetEditMode(), kBrushMode);

    // A second window has its own plane; the edit mode is the map's.
    Frame().RunCommand(CommandId::kWindowNew);
    EXPECT_TRUE(Action(Frame(), CommandId::kViewXY)->isChecked());
    EXPECT_FALSE(Action(Frame(), CommandId::kThreeD)->isChecked());
    EXPECT_TRUE(Action(Frame(), CommandId::kBrushMode)->isChecked());
}

TEST_F(CMainFrameToolBar, CommandsWithoutAHandlerAreDisabled) {
    StartApp();
    for (CommandId id : {CommandId::kEditCut, CommandId::kEditCopy, CommandId::kEditPaste,
                         CommandId::kEditUndo, CommandId::kNextPane, CommandId::kPreviousPane}) {
        EXPECT_FALSE(Action(Frame(), id)->isEnabled()) << static_cast<int>(id);
    }
    // Not run yet, though a view is active.
    for (CommandId id :
         {CommandId::kSnap, CommandId::kTextures, CommandId::kDelete, CommandId::kSetUpperLimit,
          CommandId::kSetLowerLimit, CommandId::kSetInsertionPoint}) {
        EXPECT_TRUE(Action(Frame(), id)->isEnabled()) << static_cast<int>(id);
    }
    EXPECT_TRUE(Action(Frame(), CommandId::kNewBrush)->isEnabled());
    EXPECT_TRUE(Action(Frame(), CommandId::kZoomIn)->isEnabled());
    EXPECT_TRUE(Action(Frame(), CommandId::kFileSave)->isEnabled());

    // With no map open only the application's own commands are left.
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_FALSE(Action(Frame(), CommandId::kFileSave)->isEnabled());
    EXPECT_FALSE(Action(Frame(), CommandId::kZoomIn)->isEnabled());
    EXPECT_FALSE(Action(Frame(), CommandId::kViewXY)->isChecked());
    EXPECT_TRUE(Action(Frame(), CommandId::kFileNew)->isEnabled());
    EXPECT_TRUE(Action(Frame(), CommandId::kAppAbout)->isEnabled());
}

using CMainFrameStatusBar = CAppFixture;

TEST_F(CMainFrameStatusBar, ShowsTheIdleTextAndA150PixelCoordinatePane) {
    StartApp();
    EXPECT_EQ(Frame().GetIdleLabel().text(), "Use \"New Window\" for multiple views");
    EXPECT_TRUE(Frame().GetIdleLabel().isVisible());
    EXPECT_EQ(Frame().GetCoordinatePane().width(), 150);
    EXPECT_EQ(Frame().GetCoordinatePane().text(), "x: 0, y: 0, z: 0");

    // A prompt covers the idle text while it is shown.
    Frame().statusBar()->showMessage(Action(Frame(), CommandId::kFileOpen)->statusTip());
    EXPECT_FALSE(Frame().GetIdleLabel().isVisible());
    Frame().statusBar()->clearMessage();
    EXPECT_TRUE(Frame().GetIdleLabel().isVisible());

    // So does a notice that came before the window was shown, as one of a
    // map opened at start-up does.
    Frame().hide();
    ShowStatusNotice("a notice of the map");
    Frame().show();
    EXPECT_FALSE(Frame().GetIdleLabel().isVisible());
}

TEST_F(CMainFrameStatusBar, TheCoordinatePaneFollowsTheActiveViewsCursor) {
    StartApp();
    CTolveView& view = ActiveFrame()->GetView();
    view.m_cursor = IntPoint(8, -16, 24);
    emit view.CursorChanged();
    EXPECT_EQ(Frame().GetCoordinatePane().text(), "x: 8, y: -16, z: 24");

    // Another window's cursor is not shown, its own is.
    Frame().RunCommand(CommandId::kWindowNew);
    EXPECT_EQ(Frame().GetCoordinatePane().text(), "x: 0, y: 0, z: 0");
    view.m_cursor = IntPoint(1, 2, 3);
    emit view.CursorChanged();
    EXPECT_EQ(Frame().GetCoordinatePane().text(), "x: 0, y: 0, z: 0");

    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_EQ(Frame().GetCoordinatePane().text(), "x:      , y:      , z:      ");
}

// A notice speaks of the map it came with: it goes when another map's window
// becomes the active one, and stays while windows of its own map change.
TEST_F(CMainFrameStatusBar, ANoticeOfOneMapIsNotShownOverAnother) {
    StartApp({WriteMap("a.map"), WriteMap("b.map")});
    QMdiArea& area = Frame().GetMdiArea();
    QMdiSubWindow* first = area.subWindowList(QMdiArea::CreationOrder).front();
    area.setActiveSubWindow(first);
    ShowStatusNotice("about a.map");
    Frame().RunCommand(CommandId::kWindowNew);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "about a.map");
    area.setActiveSubWindow(area.subWindowList(QMdiArea::CreationOrder)[1]);
    ASSERT_NE(&ActiveDoc(), &static_cast<CChildFrame*>(first)->GetDocument());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "");
}

class CActiveWindowFixture : public CAppFixture {
protected:
    void StartActive() {
        StartApp();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        ActiveFrame()->GetView().setFocus();
    }
};

using CMainFrameAccelerators = CActiveWindowFixture;

TEST_F(CMainFrameAccelerators, ArrowsReachTheViewThatHasTheFocus) {
    StartActive();
    CTolveView& view = ActiveFrame()->GetView();
    ASSERT_TRUE(view.hasFocus());
    const int originX = view.m_projection.m_originX;
    const int originY = view.m_projection.m_originY;
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.m_projection.m_originX, originX + 8);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.m_projection.m_originY, originY + 8);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.m_projection.m_originX, originX);
    EXPECT_EQ(view.m_projection.m_originY, originY);
}

TEST_F(CMainFrameAccelerators, TypedMinusAndEqualsZoom) {
    StartActive();
    CTolveView& view = ActiveFrame()->GetView();
    QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_EQ(view.m_projection.m_zoom, 2);
    QTest::keyClick(&view, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(view.m_projection.m_zoom, 4);
    QTest::keyClick(&view, Qt::Key_Equal);
    EXPECT_EQ(view.m_projection.m_zoom, 2);
}

TEST_F(CMainFrameAccelerators, CtrlNMakesANewMapAndCtrlCDoesNothing) {
    StartActive();
    QTest::keyClick(&ActiveFrame()->GetView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Docs().GetDocuments().size(), 1u);
    QTest::keyClick(&ActiveFrame()->GetView(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(Docs().GetDocuments().size(), 2u);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve2");
}

} // namespace
