#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "docks/CTexturePickerDlg.h"
#include "widgets/CTolveView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class BrushFaceEndToEnd : public CAppFixture {};

void ChooseTexture(CBrushFaceDlg& dialog, const char* name) {
    QComboBox* list = dialog.GetTextureList();
    const int item = list->findText(QString::fromLatin1(name));
    ASSERT_GE(item, 0) << name;
    list->setCurrentIndex(item);
}

// New... makes a func_door, and the brush goes into it with "metal2".
void MakeDoorBrush(CModalDialog& modal) {
    if (auto* entity = AsEntityDialog(modal, EntityKind::kBrush)) {
        QTest::keyClicks(entity->GetClassCombo()->lineEdit(), "func_door");
        entity->GetOkButton()->click();
        return;
    }
    auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
    dialog.GetNewEntityButton()->click();
    ChooseTexture(dialog, "metal2");
    dialog.GetBox(BrushFaceField::kBaseSides)->setText("4");
    dialog.GetOkButton()->click();
}

int CountFaces(const CTolveDoc& doc, const char* texture, int16_t yOffset) {
    int count = 0;
    auto countBrush = [&](const CMapBrush& brush) {
        for (int i = 0; i < brush.m_numFaces; ++i)
            count += std::strcmp(brush.m_faces[i].texture, texture) == 0 &&
                     brush.m_faces[i].yOffset == yOffset;
    };
    for (const auto& brush : doc.GetWorldBrushes())
        countBrush(*brush);
    for (const auto& entity : doc.GetModelEntities()) {
        for (const auto& brush : entity->m_brushes)
            countBrush(*brush);
    }
    return count;
}

size_t CountBrushes(const CTolveDoc& doc) {
    size_t count = doc.GetWorldBrushes().size();
    for (const auto& entity : doc.GetModelEntities())
        count += entity->m_brushes.size();
    return count;
}

TEST_F(BrushFaceEndToEnd, NewDoorBrushAFaceTextureAndADeletionSurviveSavingAndReopening) {
    const std::filesystem::path samples(TOLVE_SAMPLES);
    const std::filesystem::path copy = m_files.Path("demo.map");
    std::filesystem::copy_file(samples / "demo.map", copy);
    std::filesystem::copy_file(samples / "quake101.wad", m_files.Path("quake101.wad"));
    StartApp({QString::fromStdString(copy.string())});
    CTolveView* view = Frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    ASSERT_GT(ActiveDoc().m_textureWad.GetTextureCount(), 0);
    const size_t entitiesBefore = ActiveDoc().GetModelEntities().size();
    const QPoint centre(view->width() / 2, view->height() / 2);
    QTest::mouseMove(view, centre);

    CScriptedDialogRunner dialogs;
    dialogs.m_script = MakeDoorBrush;
    Frame().RunCommand(CommandId::kNewBrush);
    ASSERT_EQ(dialogs.m_names,
              (std::vector<std::string>{"Brush & Face Edit", "Model Entity Variables"}));
    ASSERT_EQ(ActiveDoc().GetModelEntities().size(), entitiesBefore + 1);
    const CModelEntity& door = *ActiveDoc().GetModelEntities().back();
    ASSERT_EQ(door.m_brushes.size(), 1u);
    const int newFaces = door.m_brushes[0]->m_numFaces;
    EXPECT_EQ(newFaces, 6);

    Frame().RunCommand(CommandId::kFaceMode);
    QTest::mouseMove(view, centre + QPoint(3, 3));
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);
    ASSERT_EQ(CountFaces(ActiveDoc(), "tile1", 24), 0);
    dialogs.m_names.clear();
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        ChooseTexture(dialog, "tile1");
        dialog.GetBox(BrushFaceField::kYOffset)->setText("24");
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Brush & Face Edit"}));
    const int metalFaces = CountFaces(ActiveDoc(), "metal2", 0);
    EXPECT_GE(metalFaces, newFaces - 1);
    EXPECT_EQ(CountFaces(ActiveDoc(), "tile1", 24), 1);

    // A world brush away from the new one goes with the Delete key.
    Frame().RunCommand(CommandId::kBrushMode);
    for (int x = 10;
         x < view->width() && ActiveDoc().GetEditorState().GetSelectedEntity() != nullptr; x += 20)
        QTest::mouseMove(view, QPoint(x, 10));
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectedEntity(), nullptr);
    const size_t brushes = CountBrushes(ActiveDoc());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(CountBrushes(ActiveDoc()), brushes - 1);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);

    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(copy.string(), diagnostics).has_value());
    ASSERT_EQ(reread.GetModelEntities().size(), entitiesBefore + 1);
    EXPECT_EQ(CountBrushes(reread), brushes - 1);
    const CModelEntity& savedDoor = *reread.GetModelEntities().back();
    EXPECT_EQ(savedDoor.m_classname, "func_door");
    ASSERT_EQ(savedDoor.m_brushes.size(), 1u);
    EXPECT_EQ(savedDoor.m_brushes[0]->m_numFaces, newFaces);
    EXPECT_EQ(CountFaces(reread, "metal2", 0), metalFaces);
    EXPECT_EQ(CountFaces(reread, "tile1", 24), 1);
}

// A map of ericw-tools' test set names two texture files. The first could not
// be had; the second lies beside the map. One message names the missing file
// and nothing is asked; a texture of the second file goes into a face, and the
// list is saved as it came.
TEST_F(BrushFaceEndToEnd, ATextureOfTheSecondFileIsUsedAndTheListSavedAsItCame) {
    const std::string list = "deprecated/free_wad.wad;deprecated/fence.wad";
    std::filesystem::create_directories(m_files.Path("deprecated"));
    std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"),
                               m_files.Path("deprecated/fence.wad"));
    std::string text = kRoomMap;
    text.insert(text.find('\n', 2) + 1, "\"wad\" \"" + list + "\"\n");
    const QString path = WriteMap("fence.map", text.c_str());
    StartApp({path});
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Texture File Initialization");
    EXPECT_EQ(m_messages.m_boxes[0].text, "Some texture files of the map could not be loaded:\n"
                                          "deprecated/free_wad.wad: missing");
    EXPECT_TRUE(m_openChooser.m_requests.empty());

    CTolveView* view = Frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    Frame().RunCommand(CommandId::kFaceMode);
    for (int y = 5; y < view->height() && !ActiveDoc().GetEditorState().GetSelectedBrush();
         y += 10) {
        for (int x = 5; x < view->width() && !ActiveDoc().GetEditorState().GetSelectedBrush();
             x += 10)
            QTest::mouseMove(view, QPoint(x, y));
    }
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);
    const std::string before = ActiveDoc()
                                   .GetEditorState()
                                   .GetSelectedBrush()
                                   ->m_faces[ActiveDoc().GetEditorState().GetSelectedFace()]
                                   .texture;
    CScriptedDialogRunner dialogs;
    std::string source;
    dialogs.m_script = [&](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        ChooseTexture(dialog, "{trigger");
        source = dialog.GetTextureSource()->text().toStdString();
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kEdit);
    EXPECT_EQ(source, "from fence.wad");
    EXPECT_EQ(CountFaces(ActiveDoc(), "{trigger", 0), 1);

    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());
    const std::string saved = ReadFileText(m_files.Path("fence.map"));
    // The world's keys are written in the file's layout, which indents nothing.
    EXPECT_NE(saved.find("\n\"wad\" \"" + list + "\"\n"), std::string::npos) << saved;
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(m_files.Path("fence.map").string(), diagnostics));
    EXPECT_EQ(reread.m_textureWad.GetFileName(), list);
    EXPECT_EQ(CountFaces(reread, "{trigger", 0), 1);
    EXPECT_EQ(CountFaces(reread, before.c_str(), 0), CountFaces(ActiveDoc(), before.c_str(), 0));
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
}

// A face whose texture no loaded file holds, edited with Ctrl+D in face mode:
// the dialog shows the face's own name, and OK (Enter) sets only the box the
// user changed. On a real display the pointer leaves the view as the dialog
// opens; the face edited is the one hovered when the key was pressed.
TEST_F(BrushFaceEndToEnd, CtrlDOnAFaceSetsWhatWasTypedAndKeepsTheRest) {
    std::filesystem::copy_file(std::filesystem::path(TOLVE_SAMPLES) / "quake101.wad",
                               m_files.Path("quake101.wad"));
    std::string text = kRoomMap;
    for (const char* texture : {"wall 0 0 0 1 1", "floor 0 0 0 1 1"}) {
        for (size_t at = text.find(texture); at != std::string::npos; at = text.find(texture))
            text.replace(at, std::strlen(texture), "grk_brk17 0 0 0 0.33333333 1");
    }
    text.insert(text.find('\n', 2) + 1, "\"wad\" \"quake101.wad\"\n");
    const QString path = WriteMap("grk.map", text.c_str());
    StartApp({path});
    ShowActive();
    CTolveView* view = Frame().GetActiveView();
    ASSERT_NE(view, nullptr);
    ASSERT_GT(ActiveDoc().m_textureWad.GetTextureCount(), 0);
    Frame().RunCommand(CommandId::kFaceMode);
    const ScreenPoint wall = view->m_projection.WorldToScreen(-60, 0, 0);
    QTest::mouseMove(view, QPoint(wall.x + 20, wall.y + 20)); // from elsewhere
    QTest::mouseMove(view, QPoint(wall.x, wall.y));
    ASSERT_EQ(ActiveDoc().GetEditorState().GetEditMode(), kFaceMode);
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);

    CScriptedDialogRunner dialogs;
    std::string shown;
    dialogs.m_script = [&](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        dialog.show();
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(view, &leave);
        shown = dialog.GetTextureList()->currentText().toStdString();
        QLineEdit* box = dialog.GetBox(BrushFaceField::kXOffset);
        box->selectAll();
        QTest::keyClicks(box, "16");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
    QTest::keyClick(view, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Brush & Face Edit"}));
    EXPECT_EQ(shown, "grk_brk17");
    EXPECT_TRUE(ActiveDoc().IsModified());

    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ActiveDoc().IsModified());
    const std::string saved = ReadFileText(m_files.Path("grk.map"));
    auto count = [&](const std::string& part) {
        size_t n = 0;
        for (size_t at = saved.find(part); at != std::string::npos; at = saved.find(part, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(" grk_brk17 16 0 0.000000 0.33333333 1.000000\n"), 1u) << saved;
    EXPECT_EQ(count(" grk_brk17 0 0 0.000000 0.33333333 1.000000\n"), 5u) << saved;
}

// Browse... in the dialog opens the map's textures as pictures: typing part
// of a name and Enter takes it into the dialog's list, and OK puts it on the
// face. Cancel in the picker leaves the list's choice as it was.
TEST_F(BrushFaceEndToEnd, BrowseChoosesTheTextureFromPicturesOfTheMapsFiles) {
    std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"), m_files.Path("fence.wad"));
    std::string text = kRoomMap;
    text.insert(text.find('\n', 2) + 1, "\"wad\" \"fence.wad\"\n");
    StartApp({WriteMap("fence.map", text.c_str())});
    ShowActive();
    CTolveView* view = Frame().GetActiveView();
    Frame().RunCommand(CommandId::kFaceMode);
    const ScreenPoint wall = view->m_projection.WorldToScreen(-60, 0, 0);
    const QPoint at(wall.x, wall.y);
    QMouseEvent hover(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &hover);
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);

    CScriptedDialogRunner dialogs;
    std::vector<std::string> chosen;
    bool cancelPicker = true;
    dialogs.m_script = [&](CModalDialog& modal) {
        if (auto* picker = dynamic_cast<CTexturePickerDlg*>(&modal)) {
            if (cancelPicker)
                return;
            QTest::keyClicks(&picker->GetFilterBox(), QStringLiteral("TRIG"));
            QTest::keyClick(&picker->GetFilterBox(), Qt::Key_Return);
            return;
        }
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        ASSERT_TRUE(dialog.GetBrowseButton()->isVisibleTo(&dialog));
        for (bool cancel : {true, false}) {
            cancelPicker = cancel;
            dialog.GetBrowseButton()->click();
            chosen.push_back(dialog.GetTextureList()->currentText().toStdString());
        }
        dialog.GetOkButton()->click();
    };
    QTest::keyClick(view, Qt::Key_D, Qt::ControlModifier);
    const std::vector<std::string> names = {dialogs.m_names.begin(), dialogs.m_names.end()};
    EXPECT_EQ(names, (std::vector<std::string>{CBrushFaceDlg::kTitle, CTexturePickerDlg::kTitle,
                                               CTexturePickerDlg::kTitle}));
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_NE(chosen[0], "{trigger");
    EXPECT_EQ(chosen[1], "{trigger");
    EXPECT_EQ(CountFaces(ActiveDoc(), "{trigger", 0), 1);
}

} // namespace
