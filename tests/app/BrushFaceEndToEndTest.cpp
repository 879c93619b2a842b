#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CModelEntityVariablesDlg.h"
#include "widgets/CTolveView.h"

#include <QComboBox>
#include <QLineEdit>
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
    if (auto* entity = dynamic_cast<CModelEntityVariablesDlg*>(&modal)) {
        QTest::keyClicks(entity->GetClassCombo()->lineEdit(), "func_door");
        entity->GetOkButton()->click();
        return;
    }
    auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
    dialog.GetNewEntityButton()->click();
    ChooseTexture(dialog, "metal2");
    dialog.GetBox(BrushFaceField::BaseSides)->setText("4");
    dialog.GetOkButton()->click();
}

int CountFaces(const CTolveDoc& doc, const char* texture, int16_t yOffset) {
    int count = 0;
    auto countBrush = [&](const CMapBrush& brush) {
        for (int i = 0; i < brush.m_numFaces; ++i)
            count += std::strcmp(brush.m_faces[i].texture, texture) == 0 &&
                     brush.m_faces[i].yOffset == yOffset;
    };
    for (const auto& brush : doc.m_worldBrushes)
        countBrush(*brush);
    for (const auto& entity : doc.m_modelEntities) {
        for (const auto& brush : entity->m_brushes)
            countBrush(*brush);
    }
    return count;
}

size_t CountBrushes(const CTolveDoc& doc) {
    size_t count = doc.m_worldBrushes.size();
    for (const auto& entity : doc.m_modelEntities)
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
    const size_t entitiesBefore = ActiveDoc().m_modelEntities.size();
    const QPoint centre(view->width() / 2, view->height() / 2);
    QTest::mouseMove(view, centre);

    CScriptedDialogRunner dialogs;
    dialogs.m_script = MakeDoorBrush;
    Frame().RunCommand(CommandId::NewBrush);
    ASSERT_EQ(dialogs.m_names,
              (std::vector<std::string>{"Brush & Face Edit", "Model Entity Variables"}));
    ASSERT_EQ(ActiveDoc().m_modelEntities.size(), entitiesBefore + 1);
    const CModelEntity& door = *ActiveDoc().m_modelEntities.back();
    ASSERT_EQ(door.m_brushes.size(), 1u);
    const int newFaces = door.m_brushes[0]->m_numFaces;
    EXPECT_EQ(newFaces, 6);

    Frame().RunCommand(CommandId::FaceMode);
    QTest::mouseMove(view, centre + QPoint(3, 3));
    ASSERT_NE(ActiveDoc().m_selectedBrush, nullptr);
    ASSERT_EQ(CountFaces(ActiveDoc(), "tile1", 24), 0);
    dialogs.m_names.clear();
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CBrushFaceDlg&>(modal);
        ChooseTexture(dialog, "tile1");
        dialog.GetBox(BrushFaceField::YOffset)->setText("24");
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::Edit);
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Brush & Face Edit"}));
    const int metalFaces = CountFaces(ActiveDoc(), "metal2", 0);
    EXPECT_GE(metalFaces, newFaces - 1);
    EXPECT_EQ(CountFaces(ActiveDoc(), "tile1", 24), 1);

    // A world brush away from the new one goes with the Delete key.
    Frame().RunCommand(CommandId::BrushMode);
    for (int x = 10; x < view->width() && ActiveDoc().m_selectedEntity != nullptr; x += 20)
        QTest::mouseMove(view, QPoint(x, 10));
    ASSERT_NE(ActiveDoc().m_selectedBrush, nullptr);
    ASSERT_EQ(ActiveDoc().m_selectedEntity, nullptr);
    const size_t brushes = CountBrushes(ActiveDoc());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(CountBrushes(ActiveDoc()), brushes - 1);
    EXPECT_EQ(ActiveDoc().m_selectedBrush, nullptr);

    Frame().RunCommand(CommandId::FileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(copy.string(), diagnostics).has_value());
    ASSERT_EQ(reread.m_modelEntities.size(), entitiesBefore + 1);
    EXPECT_EQ(CountBrushes(reread), brushes - 1);
    const CModelEntity& savedDoor = *reread.m_modelEntities.back();
    EXPECT_EQ(savedDoor.m_classname, "func_door");
    ASSERT_EQ(savedDoor.m_brushes.size(), 1u);
    EXPECT_EQ(savedDoor.m_brushes[0]->m_numFaces, newFaces);
    EXPECT_EQ(CountFaces(reread, "metal2", 0), metalFaces);
    EXPECT_EQ(CountFaces(reread, "tile1", 24), 1);
}

} // namespace
