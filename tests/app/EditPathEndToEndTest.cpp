// Drags, keys and dialogs through the real main window: every change is one
// step of the map's history, Escape takes a drag back, and a change of
// nothing leaves the map unmodified.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/CCommandTable.h"
#include "view/ViewNavigation.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

class EditPath : public CAppFixture {
protected:
    void OpenMap() {
        m_path = WriteMap("door.map", kKeptTextDoorMap);
        StartApp({m_path});
        ASSERT_NE(ActiveFrame(), nullptr);
        CTolveView& view = View();
        CentreView(view.m_projection, IntPoint(0, 0, 0), view.width(), view.height());
        view.InvalidateAll();
        // Keys reach the commands' shortcuts in the active window only.
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        view.setFocus();
    }

    CTolveView& View() const { return *Frame().GetActiveView(); }
    QPoint ScreenOf(const IntPoint& world) const {
        const ScreenPoint p = View().m_projection.WorldToScreen(world);
        return {p.x, p.y};
    }
    // The mouse moves over the view, with `buttons` held.
    void MoveMouse(const QPoint& to, Qt::MouseButtons buttons = Qt::NoButton) const {
        QMouseEvent move(QEvent::MouseMove, to, View().mapToGlobal(to), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(&View(), &move);
    }
    bool TitleShowsModified() const { return ActiveFrame()->windowTitle().endsWith('*'); }

    // Hovers `from` in `mode`, presses there and moves by two snap steps
    // right and one up; the button stays down.
    void StartDrag(EditMode mode, const IntPoint& from) {
        ActiveDoc().GetEditorState().SetEditMode(mode);
        CTolveView& view = View();
        const QPoint press = ScreenOf(from);
        MoveMouse(press);
        view.setFocus(); // as a click on the view gives it
        QTest::mousePress(&view, Qt::LeftButton, {}, press);
        MoveMouse(ScreenOf({from.x + 16, from.y, from.z}), Qt::LeftButton);
        MoveMouse(ScreenOf({from.x + 16, from.y + 8, from.z}), Qt::LeftButton);
    }

    // Saves with Ctrl+S and reads the file back as a new map.
    std::string SavedText() {
        QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
        std::unique_ptr<ReadMap> reread = Read(ReadFileText(m_path.toStdString()));
        return MapText(*reread->doc);
    }

    QString m_path;
};

TEST_F(EditPath, EscapeDuringACornerBrushOrEntityDragLeavesTheFileAsItWas) {
    OpenMap();
    const std::string before = MapText(ActiveDoc());
    const struct {
        EditMode mode;
        IntPoint from;
    } drags[] = {
        {kCornerMode, {64, 64, 0}}, {kBrushMode, {0, 0, 0}}, {kEntityMode, {-200, -150, 0}}};
    for (const auto& drag : drags) {
        SCOPED_TRACE(static_cast<int>(drag.mode));
        StartDrag(drag.mode, drag.from);
        ASSERT_NE(MapText(ActiveDoc()), before) << "the drag moved nothing";
        QTest::keyClick(&View(), Qt::Key_Escape);
        EXPECT_FALSE(View().IsDragging());
        MoveMouse(ScreenOf({drag.from.x + 64, drag.from.y, 0}), Qt::LeftButton);
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, ScreenOf({drag.from.x + 64, 0, 0}));
        EXPECT_EQ(MapText(ActiveDoc()), before);
        EXPECT_FALSE(ActiveDoc().IsModified());
        EXPECT_FALSE(TitleShowsModified());
        EXPECT_FALSE(ActiveDoc().GetHistory().CanUndo());
    }
    EXPECT_EQ(SavedText(), before);
}

TEST_F(EditPath, UndoAndDeletePressedDuringADragEndItFirst) {
    OpenMap();
    const std::string before = MapText(ActiveDoc());
    StartDrag(kBrushMode, {0, 0, 0});
    const std::string dragged = MapText(ActiveDoc());
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(View().IsDragging());
    EXPECT_EQ(MapText(ActiveDoc()), before);
    EXPECT_EQ(ActiveDoc().GetHistory().GetRedoName(), "Move Brush");
    // The button is still down: the mouse moves nothing more.
    MoveMouse(ScreenOf({64, 64, 0}), Qt::LeftButton);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, ScreenOf({64, 64, 0}));
    EXPECT_EQ(MapText(ActiveDoc()), before);
    QTest::keyClick(&View(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), dragged);

    StartDrag(kBrushMode, {16, 8, 0});
    QTest::keyClick(&View(), Qt::Key_Delete);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, ScreenOf({0, 0, 0}));
    EXPECT_TRUE(ActiveDoc().GetWorldBrushes().empty());
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 3u); // drag, drag, delete
    for (int undo = 0; undo < 3; ++undo)
        QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    EXPECT_FALSE(TitleShowsModified());
}

TEST_F(EditPath, DeletingTheOnlyBrushOfADoorRemovesTheDoorUntilUndo) {
    OpenMap();
    const std::string before = MapText(ActiveDoc());
    ActiveDoc().GetEditorState().SetEditMode(kBrushMode);
    MoveMouse(ScreenOf({144, 0, 0}));
    View().setFocus();
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectedEntity(),
              ActiveDoc().GetModelEntities().at(0).get());
    QTest::keyClick(&View(), Qt::Key_Delete);
    EXPECT_TRUE(ActiveDoc().GetModelEntities().empty());
    EXPECT_TRUE(Frame().statusBar()->currentMessage().contains("\"func_door\""));
    const std::string saved = SavedText();
    EXPECT_EQ(saved.find("func_door"), std::string::npos);
    EXPECT_EQ(saved, MapText(ActiveDoc()));
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    EXPECT_TRUE(TitleShowsModified());
    EXPECT_EQ(SavedText(), before);
}

TEST_F(EditPath, ADragWithNothingToMoveLeavesTheMapUnmodified) {
    StartApp();
    Frame().RunCommand(CommandId::kFileNew);
    ASSERT_NE(ActiveFrame(), nullptr);
    for (EditMode mode : {kCornerMode, kBrushMode, kEntityMode}) {
        StartDrag(mode, {0, 0, 0});
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, ScreenOf({16, 8, 0}));
    }
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_FALSE(TitleShowsModified());
    EXPECT_FALSE(ActiveDoc().GetHistory().CanUndo());
}

} // namespace

TEST_F(EditPath, TheModeKeysChooseWhatDeleteTakes) {
    OpenMap();
    QAction* entityMode = Frame().GetCommands().GetAction(CommandId::kEntityMode);
    QAction* brushMode = Frame().GetCommands().GetAction(CommandId::kBrushMode);
    QTest::keyClick(&View(), Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetEditMode(), kEntityMode);
    EXPECT_TRUE(entityMode->isChecked());
    MoveMouse(ScreenOf({-200, -150, 0}));
    QTest::keyClick(&View(), Qt::Key_Delete);
    EXPECT_TRUE(ActiveDoc().GetPointEntities().empty());

    QTest::keyClick(&View(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetEditMode(), kBrushMode);
    EXPECT_TRUE(brushMode->isChecked());
    EXPECT_FALSE(entityMode->isChecked());
    MoveMouse(ScreenOf({160, 64, 0})); // a corner of the door
    QTest::keyClick(&View(), Qt::Key_Delete);

    std::unique_ptr<ReadMap> saved = Read(SavedText());
    EXPECT_TRUE(saved->doc->GetPointEntities().empty());
    EXPECT_TRUE(saved->doc->GetModelEntities().empty()); // its only brush took the door along
    EXPECT_EQ(saved->doc->GetWorldBrushes().size(), 1u);
    QTest::keyClick(&View(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetEditMode(), kCornerMode);
}
