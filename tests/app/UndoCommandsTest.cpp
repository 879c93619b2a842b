#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/CCommandTable.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CWorldspawnDlg.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

QAction* Action(CMainFrame& frame, CommandId id) {
    return frame.GetCommands().GetAction(id);
}

// Two lights, the first with its origin kept as it was written.
const std::string kTwoLightsMap =
    std::string(kKeptTextDoorMap) + "{\n\"classname\" \"light\"\n\"origin\" \"200 150 0\"\n}\n";

class UndoCommands : public CAppFixture {
protected:
    void OpenMap() {
        StartApp({WriteMap("undo.map", kTwoLightsMap.c_str())});
        ASSERT_NE(ActiveFrame(), nullptr);
        View().FrameMap(); // commands and drags act only on what the view shows
    }

    CTolveView& View() const { return *Frame().GetActiveView(); }

    void SelectWorldBrush() {
        CTolveDoc& doc = ActiveDoc();
        doc.GetEditorState().SetEditMode(kBrushMode);
        doc.GetEditorState().SetSelectedEntity(nullptr);
        doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[0].get());
    }

    void SelectFirstLight() {
        CTolveDoc& doc = ActiveDoc();
        doc.GetEditorState().SetEditMode(kEntityMode);
        doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities()[0].get());
    }

    // Runs `edit`, then undoes and redoes it: each gives back the map text of
    // the state it returns to.
    void ExpectUndoAndRedo(const std::function<void()>& edit) {
        const std::string before = MapText(ActiveDoc());
        edit();
        const std::string after = MapText(ActiveDoc());
        ASSERT_NE(before, after);
        Frame().RunCommand(CommandId::kEditUndo);
        EXPECT_EQ(MapText(ActiveDoc()), before);
        Frame().RunCommand(CommandId::kEditRedo);
        EXPECT_EQ(MapText(ActiveDoc()), after);
        Frame().RunCommand(CommandId::kEditUndo);
        EXPECT_EQ(MapText(ActiveDoc()), before);
    }

    CMapHistory& History() const { return ActiveDoc().GetHistory(); }

    // Drags from the view's centre, `moves` snapped steps to the right.
    void Drag(int moves) {
        CTolveView& view = View();
        const int y = view.height() / 2;
        int x = view.width() / 2;
        view.OnLButtonDown({x, y});
        for (int i = 0; i < moves; ++i) {
            x += 40;
            view.OnMouseMove(false, {x, y});
        }
        view.OnLButtonUp();
    }
};

void FillLight(CModalDialog& modal) {
    auto& dialog = CastEntityDialog(modal, EntityKind::kPoint);
    QTest::keyClicks(dialog.GetClassCombo()->lineEdit(), "light");
    QTest::keyClicks(dialog.GetBox(PointField::kLight), "300");
    dialog.GetOkButton()->click();
}

TEST_F(UndoCommands, NothingToUndoAtFirst) {
    OpenMap();
    EXPECT_FALSE(Action(Frame(), CommandId::kEditUndo)->isEnabled());
    EXPECT_FALSE(Action(Frame(), CommandId::kEditRedo)->isEnabled());
}

TEST_F(UndoCommands, DeleteOfABrushUndoesToItsPlace) {
    OpenMap();
    SelectWorldBrush();
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kDelete); });
    EXPECT_EQ(ActiveDoc().GetWorldBrushes().size(), 1u);
}

TEST_F(UndoCommands, DeleteOfAPointEntityUndoesToItsListPosition) {
    OpenMap();
    SelectFirstLight();
    CPointEntity* first = ActiveDoc().GetPointEntities()[0].get();
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kDelete); });
    ASSERT_EQ(ActiveDoc().GetPointEntities().size(), 2u);
    EXPECT_EQ(ActiveDoc().GetPointEntities()[0].get(), first);
}

// Three of each kind, so that taking out the middle one shows where undo puts
// it back: the map's order is the file's order.
std::string ThreeOfEachMap() {
    std::string world, doors, lights;
    for (int i = 0; i < 3; ++i) {
        const int x = 200 * i;
        world += "{\n" + BoxFaceLines(x, x + 64, "w" + std::to_string(i)) + "}\n";
        doors += "{\n\"classname\" \"func_door\"\n\"targetname\" \"d" + std::to_string(i) + "\"\n";
        for (int b = 0; b < 3; ++b)
            doors += "{\n" + BoxFaceLines(x + 80 + 16 * b, x + 88 + 16 * b, "door") + "}\n";
        doors += "}\n";
        lights += "{\n\"classname\" \"light\"\n\"origin\" \"" + std::to_string(x) + " 300 0\"\n}\n";
    }
    return "{\n\"classname\" \"worldspawn\"\n" + world + "}\n" + doors + lights;
}

TEST_F(UndoCommands, DeletionsInTheMiddleUndoToTheirPlace) {
    const std::string text = ThreeOfEachMap();
    StartApp({WriteMap("three.map", text.c_str())});
    View().FrameMap();
    CTolveDoc& doc = ActiveDoc();
    ASSERT_EQ(doc.GetWorldBrushes().size(), 3u);
    ASSERT_EQ(doc.GetModelEntities().size(), 3u);
    ASSERT_EQ(doc.GetPointEntities().size(), 3u);
    const std::function<void()> selections[] = {
        [&] {
            doc.GetEditorState().SetEditMode(kBrushMode);
            doc.GetEditorState().SetSelectedEntity(nullptr);
            doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[1].get());
        },
        [&] {
            doc.GetEditorState().SetEditMode(kBrushMode);
            doc.GetEditorState().SetSelectedEntity(doc.GetModelEntities()[1].get());
            doc.GetEditorState().SetSelectedBrush(doc.GetModelEntities()[1]->m_brushes[1].get());
        },
        [&] {
            doc.GetEditorState().SetEditMode(kEntityMode);
            doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities()[1].get());
        },
    };
    for (const auto& select : selections) {
        select();
        ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kDelete); });
        Frame().RunCommand(CommandId::kEditUndo);
    }
    // A brush entity taken out in the middle, with its brushes.
    const std::string before = MapText(doc);
    doc.GetEditorState().SetEditMode(kBrushMode);
    doc.GetEditorState().SetSelectedEntity(nullptr);
    doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[0].get());
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetEntityList()->setCurrentIndex(2);
        dialog.GetDeleteEntityButton()->click();
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    ASSERT_EQ(doc.GetModelEntities().size(), 2u);
    Frame().RunCommand(CommandId::kEditUndo);
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_EQ(MapText(doc), before);
}

TEST_F(UndoCommands, RedoOfADeletionClearsTheSelectionOfIt) {
    OpenMap();
    SelectFirstLight();
    Frame().RunCommand(CommandId::kDelete);
    Frame().RunCommand(CommandId::kEditUndo);
    ActiveDoc().GetEditorState().SetSelectedPointEntity(ActiveDoc().GetPointEntities()[0].get());
    Frame().RunCommand(CommandId::kEditRedo);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectedPointEntity(), nullptr);
}

TEST_F(UndoCommands, NewEntity) {
    OpenMap();
    m_dialogs.m_onRun = FillLight;
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kNewEntity); });
    EXPECT_EQ(ActiveDoc().GetPointEntities().size(), 2u);
}

TEST_F(UndoCommands, EntityDialogOkIsOneStep) {
    OpenMap();
    SelectFirstLight();
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        auto& dialog = CastEntityDialog(modal, EntityKind::kPoint);
        QTest::keyClicks(dialog.GetBox(PointField::kLight), "250");
        dialog.GetOkButton()->click();
    };
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kEdit); });
}

TEST_F(UndoCommands, NewBrush) {
    OpenMap();
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        dynamic_cast<CBrushFaceDlg&>(modal).GetOkButton()->click();
    };
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kNewBrush); });
    EXPECT_EQ(ActiveDoc().GetWorldBrushes().size(), 1u);
}

TEST_F(UndoCommands, BrushEditOfTextureAndOwnerIsOneStep) {
    OpenMap();
    SelectWorldBrush();
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetChangeTextureBox()->setChecked(true);
        dialog.GetTextureList()->setCurrentIndex(1);
        dialog.GetEntityList()->setCurrentIndex(1);
        dialog.GetOkButton()->click();
    };
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kEdit); });
    ASSERT_EQ(ActiveDoc().GetWorldBrushes().size(), 1u);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectedEntity(), nullptr);
    Frame().RunCommand(CommandId::kEditRedo);
    EXPECT_TRUE(ActiveDoc().GetWorldBrushes().empty());
    EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectedEntity(),
              ActiveDoc().GetModelEntities()[0].get());
}

TEST_F(UndoCommands, TheDialogsNewEntityIsOneStepWithItsOK) {
    OpenMap();
    SelectWorldBrush();
    const std::string before = MapText(ActiveDoc());
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        if (auto* entity = AsEntityDialog(modal, EntityKind::kBrush)) {
            QTest::keyClicks(entity->GetClassCombo()->lineEdit(), "func_wall");
            entity->GetOkButton()->click();
            return;
        }
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetNewEntityButton()->click();
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    const std::string after = MapText(ActiveDoc());
    ASSERT_EQ(ActiveDoc().GetModelEntities().size(), 2u);
    ASSERT_TRUE(ActiveDoc().GetWorldBrushes().empty());
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    EXPECT_FALSE(ActiveDoc().GetHistory().CanUndo());
    Frame().RunCommand(CommandId::kEditRedo);
    EXPECT_EQ(MapText(ActiveDoc()), after);
}

// Cancel takes back what the dialog's buttons did: a new entity, a deleted
// one, the world's keys.
TEST_F(UndoCommands, TheDialogsCancelTakesBackItsEntityEdits) {
    OpenMap();
    SelectWorldBrush();
    const std::string before = MapText(ActiveDoc());
    CScriptedDialogRunner runner; // OK and Cancel answer as they would
    runner.m_script = [](CModalDialog& modal) {
        if (auto* entity = AsEntityDialog(modal, EntityKind::kBrush)) {
            QTest::keyClicks(entity->GetClassCombo()->lineEdit(), "func_wall");
            entity->GetOkButton()->click();
            return;
        }
        if (auto* world = dynamic_cast<CWorldspawnDlg*>(&modal)) {
            world->GetBox(WorldField::kTitle)->setText("Changed");
            world->GetOkButton()->click();
            return;
        }
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetEntityList()->setCurrentIndex(1);
        dialog.GetDeleteEntityButton()->click();
        dialog.GetEditEntityButton()->click(); // on "worldspawn"
        dialog.GetNewEntityButton()->click();
        dialog.GetCancelButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_FALSE(ActiveDoc().GetHistory().CanUndo());
    EXPECT_EQ(runner.m_names, (std::vector<std::string>{"Brush & Face Edit", "Worldspawn Entity",
                                                        "Model Entity Variables"}));
}

TEST_F(UndoCommands, TheDialogsDeleteOfAnEntityUndoesWithItsBrushes) {
    OpenMap();
    SelectWorldBrush();
    const std::string before = MapText(ActiveDoc());
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetEntityList()->setCurrentIndex(1);
        dialog.GetDeleteEntityButton()->click();
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    EXPECT_TRUE(ActiveDoc().GetModelEntities().empty());
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_EQ(MapText(ActiveDoc()), before);
}

TEST_F(UndoCommands, FaceEditIsOneStep) {
    OpenMap();
    SelectWorldBrush();
    ActiveDoc().GetEditorState().SetEditMode(kFaceMode);
    ActiveDoc().GetEditorState().SetSelectedFace(1);
    m_dialogs.m_onRun = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.GetTextureList()->setCurrentIndex(1);
        dialog.GetOkButton()->click();
    };
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kEdit); });
}

TEST_F(UndoCommands, ABrushDragOfFiftyMovesIsOneStepThatRestoresTheReadPlanes) {
    OpenMap();
    SelectWorldBrush();
    const size_t steps = History().GetStepCount();
    ExpectUndoAndRedo([this] { Drag(50); });
    EXPECT_EQ(History().GetStepCount(), steps + 1);
}

TEST_F(UndoCommands, ACornerDragIsOneStep) {
    OpenMap();
    SelectWorldBrush();
    ActiveDoc().GetEditorState().SetEditMode(kCornerMode);
    ActiveDoc().GetEditorState().SetSelectedVertex(0);
    ExpectUndoAndRedo([this] { Drag(3); });
}

TEST_F(UndoCommands, AnEntityDragIsOneStep) {
    OpenMap();
    SelectFirstLight();
    ExpectUndoAndRedo([this] { Drag(5); });
}

TEST_F(UndoCommands, TheMenuNamesTheStep) {
    OpenMap();
    SelectWorldBrush();
    Frame().RunCommand(CommandId::kDelete);
    EXPECT_TRUE(Action(Frame(), CommandId::kEditUndo)->isEnabled());
    EXPECT_EQ(Action(Frame(), CommandId::kEditUndo)->text(), QStringLiteral("&Undo Delete Brush"));
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_FALSE(Action(Frame(), CommandId::kEditUndo)->isEnabled());
    EXPECT_EQ(Action(Frame(), CommandId::kEditRedo)->text(), QStringLiteral("&Redo Delete Brush"));
}

TEST_F(UndoCommands, UndoBackToTheSavedStateClearsTheModifiedFlag) {
    OpenMap();
    SelectWorldBrush();
    Frame().RunCommand(CommandId::kFileSave);
    Frame().RunCommand(CommandId::kDelete);
    EXPECT_TRUE(ActiveDoc().IsModified());
    Frame().RunCommand(CommandId::kEditUndo);
    EXPECT_FALSE(ActiveDoc().IsModified());
    Frame().RunCommand(CommandId::kEditRedo);
    EXPECT_TRUE(ActiveDoc().IsModified());
    Frame().RunCommand(CommandId::kEditUndo);
    // Nothing is lost, so closing asks nothing.
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_TRUE(m_messages.m_boxes.empty());
    EXPECT_TRUE(Docs().GetDocuments().empty());
}

TEST_F(UndoCommands, UndoAndRedoKeysInTheMainWindowTakeBackADeletionAndRedoIt) {
    OpenMap();
    SelectWorldBrush();
    const std::string before = MapText(ActiveDoc());
    CTolveView* view = Frame().GetActiveView();
    QTest::mouseMove(view, QPoint(view->width() / 2, view->height() / 2));
    SelectWorldBrush();
    Frame().RefreshState();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    ASSERT_TRUE(ActiveDoc().GetWorldBrushes().empty());
    const std::string after = MapText(ActiveDoc());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(MapText(ActiveDoc()), after);
    QTest::keyClick(view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(MapText(ActiveDoc()), before);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(MapText(ActiveDoc()), after);
}

TEST_F(UndoCommands, PasteFollowsTheClipboardWhoeverFillsIt) {
    OpenMap();
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Action(Frame(), CommandId::kEditPaste)->isEnabled());
    // Another program copies text: nothing in the editor happens meanwhile.
    QGuiApplication::clipboard()->setText(QString::fromLatin1(kCubeFaceLines));
    EXPECT_TRUE(Action(Frame(), CommandId::kEditPaste)->isEnabled());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Action(Frame(), CommandId::kEditPaste)->isEnabled());
}

} // namespace

namespace {

TEST_F(UndoCommands, APasteOfABrushAndAnEntityIsOneStep) {
    OpenMap();
    SelectWorldBrush();
    Frame().RunCommand(CommandId::kEditCopy);
    SelectFirstLight();
    const QString brushText = QGuiApplication::clipboard()->text();
    Frame().RunCommand(CommandId::kEditCopy);
    // A brush and a point entity on the clipboard together.
    QGuiApplication::clipboard()->setText(brushText + QGuiApplication::clipboard()->text());
    const size_t steps = History().GetStepCount();
    ExpectUndoAndRedo([this] { Frame().RunCommand(CommandId::kEditPaste); });
    EXPECT_EQ(History().GetStepCount(), steps + 1);
    EXPECT_EQ(History().GetUndoName(), "");
    EXPECT_EQ(History().GetRedoName(), "Paste");
}

} // namespace
