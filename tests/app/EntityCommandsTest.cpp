#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/CommandList.h"
#include "app/ViewContextMenu.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "map/CMapEdits.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CEntityVariablesDlg& PointDialog(CModalDialog& dialog) {
    return CastEntityDialog(dialog, EntityKind::kPoint);
}

// Types a class and a light value and presses OK.
void FillLight(CModalDialog& modal) {
    CEntityVariablesDlg& dialog = PointDialog(modal);
    QTest::keyClicks(dialog.GetClassCombo()->lineEdit(), "light");
    QTest::keyClicks(dialog.GetBox(PointField::kLight), "300");
    dialog.GetOkButton()->click();
}

struct EntityCommandFixture {
    CScriptedDialogRunner dialogs;
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};

    EntityCommandFixture() {
        view.resize(801, 600);
        doc.GetHistory().MarkClean();
    }

    void Run(CommandId id) {
        const CommandEntry* entry = FindCommandEntry(id);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(IsCommandEnabled(*entry, context)) << static_cast<int>(id);
        entry->run(context);
    }

    CPointEntity& AddLight() {
        auto entity = std::make_unique<CPointEntity>();
        entity->m_classname = "light";
        entity->m_hasLight = true;
        entity->m_light = 200;
        entity->m_spawnflags = 4096;
        CPointEntity& added = *entity;
        Edit(doc, [&](CMapEdits& edits) { edits.AddPointEntity(std::move(entity)); });
        doc.GetHistory().MarkClean();
        return added;
    }
};

TEST(NewEntityCommand, OkAddsTheEntityAtTheSnappedCursor) {
    EntityCommandFixture f;
    f.doc.GetEditorState().SetSnap(16);
    f.view.m_cursor = {37, -9, 100};
    f.dialogs.m_script = [](CModalDialog& modal) {
        EXPECT_TRUE(PointDialog(modal).GetStyleButton(0)->isChecked());
        FillLight(modal);
    };
    f.Run(CommandId::kNewEntity);
    EXPECT_EQ(f.dialogs.m_names, (std::vector<std::string>{"Entity Variables"}));
    ASSERT_EQ(f.doc.GetPointEntities().size(), 1u);
    const CPointEntity& entity = *f.doc.GetPointEntities()[0];
    EXPECT_EQ(entity.m_classname, "light");
    EXPECT_TRUE(entity.m_hasLight);
    EXPECT_EQ(entity.m_light, 300);
    EXPECT_EQ(entity.m_style, 0);
    EXPECT_EQ(entity.m_origin, (IntPoint{32, -16, 96}));
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(NewEntityCommand, CancelCreatesNothing) {
    EntityCommandFixture f;
    f.dialogs.m_script = [](CModalDialog& modal) {
        QTest::keyClicks(PointDialog(modal).GetBox(PointField::kLight), "300");
        PointDialog(modal).GetCancelButton()->click();
    };
    f.Run(CommandId::kNewEntity);
    EXPECT_TRUE(f.doc.GetPointEntities().empty());
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(EditEntityCommand, OkChangesTheSelectedEntityAndKeepsItsOrigin) {
    EntityCommandFixture f;
    CPointEntity& light = f.AddLight();
    light.m_origin = {8, 8, 8};
    f.doc.GetEditorState().SetEditMode(kEntityMode);
    f.doc.GetEditorState().SetSelectedPointEntity(&light);
    f.dialogs.m_script = [](CModalDialog& modal) {
        CEntityVariablesDlg& dialog = PointDialog(modal);
        EXPECT_EQ(dialog.GetBox(PointField::kLight)->text(), "200");
        dialog.GetBox(PointField::kLight)->setText("70000");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kEdit);
    EXPECT_EQ(light.m_light, 4464);
    ASSERT_NE(light.m_keptTexts.Find("light"), nullptr);
    EXPECT_EQ(*light.m_keptTexts.Find("light"), "70000");
    EXPECT_EQ(light.m_spawnflags, 4096);
    EXPECT_EQ(light.m_origin, (IntPoint{8, 8, 8}));
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(EditEntityCommand, CancelLeavesTheEntityAndTheModifiedFlag) {
    for (bool modified : {false, true}) {
        EntityCommandFixture f;
        CPointEntity& light = f.AddLight();
        const CPointEntity before = light;
        if (modified)
            MakeModified(f.doc);
        f.doc.GetEditorState().SetEditMode(kEntityMode);
        f.doc.GetEditorState().SetSelectedPointEntity(&light);
        f.dialogs.m_script = [](CModalDialog& modal) {
            PointDialog(modal).GetBox(PointField::kLight)->setText("5");
            PointDialog(modal).GetCancelButton()->click();
        };
        f.Run(CommandId::kEdit);
        EXPECT_EQ(light.m_light, before.m_light);
        EXPECT_EQ(light.m_classname, before.m_classname);
        EXPECT_EQ(f.doc.IsModified(), modified);
    }
}

TEST(EditEntityCommand, OpensNothingWithoutASelectedEntityOrOutsideEntityMode) {
    EntityCommandFixture f;
    CPointEntity& light = f.AddLight();
    f.doc.GetEditorState().SetEditMode(kEntityMode);
    f.Run(CommandId::kEdit);
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    f.doc.GetEditorState().SetSelectedPointEntity(&light);
    f.Run(CommandId::kEdit);
    EXPECT_TRUE(f.dialogs.m_names.empty());
    EXPECT_FALSE(f.doc.IsModified());
}

std::vector<std::pair<std::string, bool>> MenuItems(const QMenu& menu) {
    std::vector<std::pair<std::string, bool>> items;
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            for (const auto& [text, enabled] : MenuItems(*sub))
                items.push_back({action->text().toStdString() + " > " + text, enabled});
        } else {
            items.push_back({action->text().toStdString(), action->isEnabled()});
        }
    }
    return items;
}

TEST(ViewContextMenu, EveryItemIsEnabled) {
    EntityCommandFixture f;
    std::vector<CommandId> ran;
    QMenu* menu = MakeViewContextMenu(
        f.context, [&](CommandId id) { ran.push_back(id); }, nullptr);
    EXPECT_EQ(MenuItems(*menu),
              (std::vector<std::pair<std::string, bool>>{{"New > Brush\tCtrl+B", true},
                                                         {"New > Entity\tCtrl+E", true},
                                                         {"Edit\tCtrl+D", true},
                                                         {"Set > Upper limit\tCtrl+U", true},
                                                         {"Set > Lower limit\tCtrl+L", true},
                                                         {"Set > Insertion point\tCtrl+I", true},
                                                         {"Delete\tDel", true}}));
    menu->actions()[1]->trigger();
    EXPECT_EQ(ran, (std::vector<CommandId>{CommandId::kEdit}));
    delete menu;
}

TEST(ViewContextMenu, TheRightClickSetsTheUnsnappedCursor) {
    EntityCommandFixture f;
    f.doc.GetEditorState().SetSnap(64);
    QSignalSpy requests(&f.view, &CTolveView::ContextMenuRequested);
    f.view.OnContextMenu({413, 297}, QPoint(1000, 700));
    EXPECT_EQ(f.view.m_cursor, f.view.ScreenToWorld(413, 297));
    EXPECT_NE(f.view.m_cursor, SnapPoint(f.view.m_cursor, 64));
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests[0][0].toPoint(), QPoint(1000, 700));
}

class EntityEndToEnd : public CAppFixture {};

QAction* FindItem(QMenu& menu, const QString& prefix) {
    for (QAction* action : menu.actions()) {
        if (action->text().startsWith(prefix))
            return action;
    }
    return nullptr;
}

TEST_F(EntityEndToEnd, NewEntityFromTheContextMenuIsSavedAtTheSnappedPoint) {
    const std::filesystem::path copy = m_files.Path("demo.map");
    std::filesystem::copy_file(std::filesystem::path(TOLVE_SAMPLES) / "demo.map", copy);
    StartApp({QString::fromStdString(copy.string())});
    CTolveView* view = Frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    const size_t entitiesBefore = ActiveDoc().GetPointEntities().size();
    CScriptedDialogRunner dialogs;
    dialogs.m_script = FillLight;

    const QPoint click(237, 181);
    QContextMenuEvent event(QContextMenuEvent::Mouse, click, view->mapToGlobal(click));
    QCoreApplication::sendEvent(view, &event);
    const IntPoint expected = SnapPoint(view->ScreenToWorld(click.x(), click.y()),
                                        ActiveDoc().GetEditorState().GetSnap());
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* newItem = FindItem(*menu, "New");
    ASSERT_NE(newItem, nullptr);
    QAction* entityItem = FindItem(*newItem->menu(), "Entity");
    ASSERT_NE(entityItem, nullptr);
    menu->close();
    entityItem->trigger();
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Entity Variables"}));
    ASSERT_EQ(ActiveDoc().GetPointEntities().size(), entitiesBefore + 1);
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());

    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(copy.string(), diagnostics).has_value());
    ASSERT_EQ(reread.GetPointEntities().size(), entitiesBefore + 1);
    const CPointEntity& saved = *reread.GetPointEntities().back();
    EXPECT_EQ(saved.m_classname, "light");
    EXPECT_EQ(saved.m_light, 300);
    EXPECT_EQ(saved.m_origin, expected);
}

} // namespace
