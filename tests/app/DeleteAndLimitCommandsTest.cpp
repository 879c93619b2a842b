#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/CommandList.h"
#include "app/ViewContextMenu.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A world brush, a door of two brushes and two lights.
const std::string kDoorMap =
    CubeMapText("{\n\"classname\" \"func_door\"\n{\n" + BoxFaceLines(128, 160, "door") + "}\n{\n" +
                BoxFaceLines(192, 224, "door") +
                "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"-200 -150 0\"\n}\n"
                "{\n\"classname\" \"light\"\n\"origin\" \"200 150 0\"\n}\n");

struct CommandFixture {
    CScriptedDialogRunner dialogs;
    CTolveDoc doc;
    CTolveView view{doc};
    CTolveView otherView{doc};
    CommandContext context{.view = &view};
    QSignalSpy repaints{&view, &CTolveView::ViewChanged};
    QSignalSpy otherRepaints{&otherView, &CTolveView::ViewChanged};

    CommandFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(kDoorMap, diagnostics);
        view.resize(801, 600);
        otherView.resize(801, 600);
        view.FrameMap(); // commands act only on what the view shows
        doc.GetHistory().MarkClean();
    }

    void Run(CommandId id) {
        const CommandEntry* entry = FindCommandEntry(id);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(IsCommandEnabled(*entry, context)) << static_cast<int>(id);
        // The views hear of the map's changes after each edit.
        QCoreApplication::processEvents();
        repaints.clear();
        otherRepaints.clear();
        entry->run(context);
        QCoreApplication::processEvents();
    }

    // Chooses an item of the view's pop-up menu, as a user would after a
    // right click at `position`.
    void ChooseFromPopup(ScreenPoint position, CommandId id) {
        view.OnContextMenu(position, QPoint());
        QMenu* menu = MakeViewContextMenu(
            context, [this](CommandId chosen) { Run(chosen); }, nullptr);
        for (QAction* item : AllItems(*menu)) {
            if (item->text().startsWith(ItemText(id)))
                item->trigger();
        }
        delete menu;
    }

    static QString ItemText(CommandId id) {
        switch (id) {
        case CommandId::kSetUpperLimit:
            return QStringLiteral("Upper limit");
        case CommandId::kSetLowerLimit:
            return QStringLiteral("Lower limit");
        case CommandId::kSetInsertionPoint:
            return QStringLiteral("Insertion point");
        case CommandId::kNewEntity:
            return QStringLiteral("Entity");
        default:
            return QStringLiteral("Delete");
        }
    }

    static std::vector<QAction*> AllItems(QMenu& menu) {
        std::vector<QAction*> items;
        for (QAction* action : menu.actions()) {
            if (QMenu* sub = action->menu()) {
                for (QAction* inner : AllItems(*sub))
                    items.push_back(inner);
            } else {
                items.push_back(action);
            }
        }
        return items;
    }

    CModelEntity& Door() const { return *doc.GetModelEntities()[0]; }
};

// Types a class and presses OK.
void FillLight(CModalDialog& modal) {
    auto& dialog = CastEntityDialog(modal, EntityKind::kPoint);
    QTest::keyClicks(dialog.GetClassCombo()->lineEdit(), "light");
    dialog.GetOkButton()->click();
}

TEST(SetCommands, InsertionPointInAnXZViewTakesXAndZAndRepaintsEveryView) {
    CommandFixture f;
    f.view.m_projection.m_viewMode = kPlaneXZ;
    f.doc.GetEditorState().SetInsertionPoint({1, 2, 3});
    f.view.m_cursor = {40, 99, -24};
    const QImage before = f.otherView.RenderNow().copy();
    f.Run(CommandId::kSetInsertionPoint);
    EXPECT_EQ(f.doc.GetEditorState().GetInsertionPoint(), (IntPoint{40, 2, -24}));
    EXPECT_GE(f.repaints.count(), 1);
    EXPECT_GE(f.otherRepaints.count(), 1);
    // The other view, an XY one, draws its cross-hair at the new point.
    EXPECT_NE(f.otherView.RenderNow(), before);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(SetCommands, LimitsTakeTheTwoComponentsOfTheViewsPlane) {
    CommandFixture f;
    f.view.m_cursor = {-96, 80, 7};
    f.Run(CommandId::kSetUpperLimit);
    EXPECT_EQ(f.doc.GetEditorState().GetUpperLimit(), (IntPoint{-96, 80, 25000}));
    f.view.m_projection.m_viewMode = kPlaneYZ;
    f.view.m_cursor = {5, -48, -16};
    f.Run(CommandId::kSetLowerLimit);
    EXPECT_EQ(f.doc.GetEditorState().GetLowerLimit(), (IntPoint{25000, -48, -16}));
    EXPECT_GE(f.otherRepaints.count(), 1);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(SetCommands, ReversedLimitsAreKeptAsGiven) {
    CommandFixture f;
    f.view.m_cursor = {300, -300, 0};
    f.Run(CommandId::kSetUpperLimit);
    f.view.m_cursor = {-300, 300, 0};
    f.Run(CommandId::kSetLowerLimit);
    EXPECT_EQ(f.doc.GetEditorState().GetUpperLimit(), (IntPoint{300, -300, 25000}));
    EXPECT_EQ(f.doc.GetEditorState().GetLowerLimit(), (IntPoint{-300, 300, -25000}));
}

TEST(SetCommands, TheKeyUsesTheSnappedHoverPointThePopupTheExactClick) {
    CommandFixture f;
    f.doc.GetEditorState().SetSnap(64);
    const ScreenPoint click{413, 297};
    const IntPoint exact = f.view.ScreenToWorld(click.x, click.y);
    ASSERT_NE(exact, SnapPoint(exact, 64));

    f.view.OnMouseMove(false, click);
    const IntPoint hover = f.view.m_cursor;
    EXPECT_EQ(hover, SnapPoint(hover, 64));
    f.Run(CommandId::kSetInsertionPoint);
    EXPECT_EQ(f.doc.GetEditorState().GetInsertionPoint().x, hover.x);
    EXPECT_EQ(f.doc.GetEditorState().GetInsertionPoint().y, hover.y);

    f.doc.GetEditorState().SetInsertionPoint({});
    f.ChooseFromPopup(click, CommandId::kSetInsertionPoint);
    EXPECT_EQ(f.doc.GetEditorState().GetInsertionPoint(), (IntPoint{exact.x, exact.y, 0}));
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(NewEntityDepth, FromThePopupTheClickSnappedAtTheInsertionPointsDepth) {
    CommandFixture f;
    f.doc.GetEditorState().SetInsertionPoint({0, 0, 37});
    f.dialogs.m_script = FillLight;
    const ScreenPoint click{237, 181};
    const IntPoint exact = f.view.ScreenToWorld(click.x, click.y);
    f.ChooseFromPopup(click, CommandId::kNewEntity);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 3u);
    const IntPoint origin = f.doc.GetPointEntities().back()->m_origin;
    EXPECT_EQ(origin, SnapPoint(exact, 8));
    EXPECT_EQ(origin.z, 40);
}

TEST(NewEntityDepth, FromTheKeyTheSnappedHoverPointAtTheInsertionPointsDepth) {
    CommandFixture f;
    f.doc.GetEditorState().SetInsertionPoint({0, 0, 37});
    f.dialogs.m_script = FillLight;
    f.view.OnMouseMove(false, {600, 100});
    const IntPoint hover = f.view.m_cursor;
    f.Run(CommandId::kNewEntity);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 3u);
    const IntPoint origin = f.doc.GetPointEntities().back()->m_origin;
    EXPECT_EQ(origin, hover);
    EXPECT_EQ(origin.z, 40);
}

TEST(NewEntityDepth, SetInsertionPointInAnXZViewMovesTheDepthOfXYViews) {
    CommandFixture f;
    f.view.m_projection.m_viewMode = kPlaneXZ;
    f.view.m_cursor = {0, 0, 77};
    f.Run(CommandId::kSetInsertionPoint);
    f.dialogs.m_script = FillLight;
    CommandContext other{.view = &f.otherView};
    f.otherView.OnMouseMove(false, {400, 300});
    FindCommandEntry(CommandId::kNewEntity)->run(other);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 3u);
    EXPECT_EQ(f.doc.GetPointEntities().back()->m_origin.z, 80);
}

TEST(DeleteCommand, BrushModeRemovesTheSelectedWorldBrush) {
    CommandFixture f;
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    f.doc.GetEditorState().SetSelectedBrush(f.doc.GetWorldBrushes()[0].get());
    f.Run(CommandId::kDelete);
    EXPECT_TRUE(f.doc.GetWorldBrushes().empty());
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.Door().m_brushes.size(), 2u);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_GE(f.otherRepaints.count(), 1);
}

TEST(DeleteCommand, BrushModeRemovesOnlyTheSelectedBrushOfAnEntity) {
    CommandFixture f;
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    CMapBrush* kept = f.Door().m_brushes[1].get();
    f.doc.GetEditorState().SetSelectedEntity(&f.Door());
    f.doc.GetEditorState().SetSelectedBrush(f.Door().m_brushes[0].get());
    f.Run(CommandId::kDelete);
    ASSERT_EQ(f.Door().m_brushes.size(), 1u);
    EXPECT_EQ(f.Door().m_brushes[0].get(), kept);
    EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedEntity(), nullptr);
    EXPECT_TRUE(f.doc.IsModified());

    // With its last brush the entity goes too, in the same step, and the
    // status bar says so; Undo brings both back in their places.
    const std::string before = MapText(f.doc);
    f.doc.GetEditorState().SetSelectedEntity(&f.Door());
    f.doc.GetEditorState().SetSelectedBrush(kept);
    CRecordingNotices notices;
    f.Run(CommandId::kDelete);
    EXPECT_TRUE(f.doc.GetModelEntities().empty());
    EXPECT_EQ(MapText(f.doc).find("func_door"), std::string::npos);
    ASSERT_EQ(notices.m_notices.size(), 1u);
    EXPECT_NE(notices.m_notices[0].find("\"func_door\""), std::string::npos);
    f.doc.GetHistory().Undo(f.doc);
    EXPECT_EQ(MapText(f.doc), before);
}

TEST(DeleteCommand, EntityModeRemovesTheSelectedPointEntity) {
    CommandFixture f;
    f.doc.GetEditorState().SetEditMode(kEntityMode);
    CPointEntity* kept = f.doc.GetPointEntities()[1].get();
    f.doc.GetEditorState().SetSelectedPointEntity(f.doc.GetPointEntities()[0].get());
    f.doc.GetEditorState().SetSelectedBrush(f.doc.GetWorldBrushes()[0].get());
    f.Run(CommandId::kDelete);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 1u);
    EXPECT_EQ(f.doc.GetPointEntities()[0].get(), kept);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_GE(f.repaints.count(), 1);
}

TEST(DeleteCommand, CornerAndFaceModesDeleteNothing) {
    for (EditMode mode : {kCornerMode, kFaceMode}) {
        CommandFixture f;
        f.doc.GetEditorState().SetEditMode(mode);
        f.doc.GetEditorState().SetSelectedBrush(f.doc.GetWorldBrushes()[0].get());
        f.doc.GetEditorState().SetSelectedPointEntity(f.doc.GetPointEntities()[0].get());
        f.Run(CommandId::kDelete);
        EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
        EXPECT_EQ(f.doc.GetPointEntities().size(), 2u);
        EXPECT_NE(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
        EXPECT_FALSE(f.doc.IsModified());
        EXPECT_EQ(f.otherRepaints.count(), 0);
    }
}

TEST(DeleteCommand, NothingSelectedDeletesNothing) {
    for (EditMode mode : {kBrushMode, kEntityMode}) {
        CommandFixture f;
        f.doc.GetEditorState().SetEditMode(mode);
        f.Run(CommandId::kDelete);
        EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
        EXPECT_EQ(f.Door().m_brushes.size(), 2u);
        EXPECT_EQ(f.doc.GetPointEntities().size(), 2u);
        EXPECT_FALSE(f.doc.IsModified());
        EXPECT_EQ(f.otherRepaints.count(), 0);
    }
}

class DeleteEndToEnd : public CAppFixture {
protected:
    void StartOnDemoCopy() {
        std::filesystem::copy_file(std::filesystem::path(TOLVE_SAMPLES) / "demo.map", m_copy);
        StartApp({QString::fromStdString(m_copy.string())});
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        ActiveFrame()->GetView().setFocus();
    }

    static size_t CountBrushes(const CTolveDoc& doc) {
        size_t count = doc.GetWorldBrushes().size();
        for (const auto& entity : doc.GetModelEntities())
            count += entity->m_brushes.size();
        return count;
    }

    const std::filesystem::path m_copy = m_files.Path("demo.map");
};

TEST_F(DeleteEndToEnd, TheDeleteKeyRemovesTheHoveredBrushAndTheSavedFileAgrees) {
    StartOnDemoCopy();
    CTolveView& view = ActiveFrame()->GetView();
    const size_t brushesBefore = CountBrushes(ActiveDoc());
    const size_t entitiesBefore = ActiveDoc().GetPointEntities().size();
    Frame().RunCommand(CommandId::kBrushMode);
    const QPoint hover(300, 200);
    QMouseEvent move(QEvent::MouseMove, hover, view.mapToGlobal(hover), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);

    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(CountBrushes(ActiveDoc()), brushesBefore - 1);
    EXPECT_TRUE(ActiveDoc().IsModified());
    const std::string edited = MapText(ActiveDoc());

    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(m_copy.string(), diagnostics).has_value());
    EXPECT_EQ(CountBrushes(reread), brushesBefore - 1);
    EXPECT_EQ(reread.GetPointEntities().size(), entitiesBefore);
    EXPECT_EQ(MapText(reread), edited);
}

TEST_F(DeleteEndToEnd, CtrlISetsTheInsertionPointThePopupTheUpperLimit) {
    StartOnDemoCopy();
    CTolveView& view = ActiveFrame()->GetView();
    ActiveDoc().GetEditorState().SetSnap(64);
    const QPoint hover(310, 190);
    QMouseEvent move(QEvent::MouseMove, hover, view.mapToGlobal(hover), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    const IntPoint snapped = view.m_cursor;
    QTest::keyClick(&view, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetInsertionPoint().x, snapped.x);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetInsertionPoint().y, snapped.y);

    const QPoint click(237, 181);
    QContextMenuEvent event(QContextMenuEvent::Mouse, click, view.mapToGlobal(click));
    QCoreApplication::sendEvent(&view, &event);
    const IntPoint exact = view.ScreenToWorld(click.x(), click.y());
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* setItem = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == "Set")
            setItem = action;
    }
    ASSERT_NE(setItem, nullptr);
    QAction* upper = setItem->menu()->actions().value(0);
    ASSERT_NE(upper, nullptr);
    EXPECT_TRUE(upper->isEnabled());
    menu->close();
    upper->trigger();
    EXPECT_EQ(ActiveDoc().GetEditorState().GetUpperLimit().x, exact.x);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetUpperLimit().y, exact.y);
    EXPECT_FALSE(ActiveDoc().IsModified());
}

} // namespace

TEST_F(DeleteEndToEnd, CtrlShiftLClearsTheLimitsCtrlUSet) {
    StartOnDemoCopy();
    CTolveView& view = ActiveFrame()->GetView();
    QAction* clear = Frame().GetCommands().GetAction(CommandId::kClearLimits);
    const CEditorState& state = ActiveDoc().GetEditorState();
    const IntPoint upper = state.GetUpperLimit(), lower = state.GetLowerLimit();
    EXPECT_FALSE(clear->isEnabled()); // nothing hidden, nothing to clear
    const QPoint hover(310, 190);
    QMouseEvent move(QEvent::MouseMove, hover, view.mapToGlobal(hover), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    QTest::keyClick(&view, Qt::Key_U, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(state.HasLimits());
    Frame().RefreshState();
    EXPECT_TRUE(clear->isEnabled());

    QTest::keyClick(&view, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(state.HasLimits());
    EXPECT_EQ(state.GetUpperLimit(), upper);
    EXPECT_EQ(state.GetLowerLimit(), lower);
    EXPECT_FALSE(ActiveDoc().IsModified()); // the limits are no part of the map
}
