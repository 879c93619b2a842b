#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/CommandList.h"
#include "app/ViewContextMenu.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "map/FormatConversion.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using enum BrushFaceField;

CBrushFaceDlg& BrushDialog(CModalDialog& dialog) {
    return dynamic_cast<CBrushFaceDlg&>(dialog);
}

void ChooseTexture(CBrushFaceDlg& dialog, const char* name) {
    QComboBox* list = dialog.GetTextureList();
    list->setCurrentIndex(list->findText(QString::fromLatin1(name)));
}

// A view on a map of a world cube and a door with a cube, with the sample
// texture file.
struct BrushCommandFixture {
    CScriptedDialogRunner dialogs;
    CRecordingMessages messages;
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};

    BrushCommandFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(CubeMapText("{\n\"classname\" \"func_door\"\n{\n" +
                                    std::string(kCubeFaceLines) + "}\n}\n"),
                        diagnostics);
        doc.m_textureWad.SetFileName(
            (std::filesystem::path(TOLVE_SAMPLES) / "quake101.wad").string());
        doc.m_textureWad.LoadTextureWad();
        view.resize(801, 600);
        view.m_mouse = {400, 300};
        doc.GetHistory().MarkClean();
    }
    CModelEntity& Door() { return *doc.GetModelEntities().at(0); }
    CMapBrush& World() { return *doc.GetWorldBrushes().at(0); }
    void Select(CMapBrush& brush, CModelEntity* owner, EditMode mode, int face = 0) {
        doc.GetEditorState().SetSelectedBrush(&brush);
        doc.GetEditorState().SetSelectedEntity(owner);
        doc.GetEditorState().SetEditMode(mode);
        doc.GetEditorState().SetSelectedFace(static_cast<uint8_t>(face));
    }
    void Run(CommandId id) {
        const CommandEntry* entry = FindCommandEntry(id);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(IsCommandEnabled(*entry, context)) << static_cast<int>(id);
        entry->run(context);
    }
};

TEST(NewBrushCommand, OkBuildsTheBrushWithTheTextureIntoTheChosenOwner) {
    BrushCommandFixture f;
    f.Select(*f.Door().m_brushes[0], &f.Door(), kCornerMode);
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        EXPECT_EQ(dialog.GetEntityList()->currentIndex(), 1);
        EXPECT_EQ(dialog.GetBox(kWidth)->text(), "64");
        dialog.GetBox(kBaseSides)->setText("4");
        dialog.GetBox(kXOffset)->setText("8");
        ChooseTexture(dialog, "stone1");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kNewBrush);
    EXPECT_EQ(f.dialogs.m_names, (std::vector<std::string>{"Brush & Face Edit"}));
    ASSERT_EQ(f.Door().m_brushes.size(), 2u);
    const CMapBrush& brush = *f.Door().m_brushes[1];
    EXPECT_EQ(brush.m_numVertices, 8);
    EXPECT_EQ(brush.m_numFaces, 6);
    for (int i = 0; i < brush.m_numFaces; ++i) {
        EXPECT_STREQ(brush.m_faces[i].texture, "stone1");
        EXPECT_EQ(brush.m_faces[i].xOffset, 8);
        EXPECT_FLOAT_EQ(brush.m_faces[i].xScale, 1.0f);
    }
    EXPECT_TRUE(f.doc.IsModified());
}

// The second New Brush of a map starts with the shape, sides, size and
// texture of the first; the preview follows the brightness slider as it moves.
TEST(NewBrushCommand, TheNextNewBrushStartsAsTheLastOneWasMade) {
    BrushCommandFixture f;
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        dialog.GetShapeButton(kConeShape)->click();
        dialog.GetBox(kBaseSides)->setText("5");
        dialog.GetBox(kWidth)->setText("128");
        dialog.GetBox(kHeight)->setText("32");
        dialog.GetBox(kXOffset)->setText("8");
        ChooseTexture(dialog, "stone1");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kNewBrush);
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        EXPECT_TRUE(dialog.GetShapeButton(kConeShape)->isChecked());
        EXPECT_EQ(dialog.GetBox(kBaseSides)->text(), "5");
        EXPECT_EQ(dialog.GetBox(kWidth)->text(), "128");
        EXPECT_EQ(dialog.GetBox(kHeight)->text(), "32");
        EXPECT_EQ(dialog.GetBox(kXOffset)->text(), "0"); // texture values start afresh
        EXPECT_EQ(dialog.GetTextureList()->currentText(), "stone1");
        const QImage before = dialog.GetPreview()->pixmap().toImage();
        dialog.GetBrightnessSlider()->setValue(dialog.GetBrightnessSlider()->value() - 20);
        EXPECT_NE(dialog.GetPreview()->pixmap().toImage(), before);
    };
    f.Run(CommandId::kNewBrush);
    EXPECT_EQ(f.dialogs.m_names.size(), 2u);
}

TEST(NewBrushCommand, NothingSelectedPreselectsTheWorldAndCancelMakesNothing) {
    BrushCommandFixture f;
    f.dialogs.m_script = [](CModalDialog& modal) {
        EXPECT_EQ(BrushDialog(modal).GetEntityList()->currentIndex(), 0);
    };
    f.Run(CommandId::kNewBrush);
    EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(NewBrushCommand, SidesBeyondTheBrushKeepTheDialogOpenWithTheBuildersMessage) {
    BrushCommandFixture f;
    bool stayedOpen = false;
    f.dialogs.m_script = [&](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        dialog.GetBox(kBaseSides)->setText("40");
        dialog.GetOkButton()->click();
        stayedOpen = dialog.result() != QDialog::Accepted;
        dialog.GetShapeButton(kConeShape)->setChecked(true);
        dialog.GetBox(kBaseSides)->setText("31");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kNewBrush);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(f.messages.m_boxes.size(), 1u);
    EXPECT_EQ(f.messages.m_boxes[0].title, "New Brush");
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    EXPECT_EQ(f.doc.GetWorldBrushes()[1]->m_numFaces, 32);
}

TEST(EditCommand, BrushModeWithoutChangeTextureMovesTheBrushOnly) {
    BrushCommandFixture f;
    f.Select(f.World(), nullptr, kBrushMode);
    const CMapBrush before = f.World();
    CMapBrush* brush = &f.World();
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        EXPECT_TRUE(dialog.GetChangeTextureBox()->isChecked());
        dialog.GetChangeTextureBox()->setChecked(false);
        ChooseTexture(dialog, "lava1");
        dialog.GetEntityList()->setCurrentIndex(1);
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kEdit);
    EXPECT_TRUE(f.doc.GetWorldBrushes().empty());
    ASSERT_EQ(f.Door().m_brushes.size(), 2u);
    EXPECT_EQ(f.Door().m_brushes[1].get(), brush);
    EXPECT_EQ(std::memcmp(before.m_faces, brush->m_faces, sizeof(BrushFace) * brush->m_numFaces),
              0);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedEntity(), &f.Door());
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(EditCommand, FaceModeWritesTheSelectedFaceOnly) {
    BrushCommandFixture f;
    f.Select(f.World(), nullptr, kFaceMode, 2);
    f.World().m_faces[2].xScale = 0.5f;
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        EXPECT_EQ(dialog.GetBox(kXScale)->text(), "0.5");
        EXPECT_FALSE(dialog.GetChangeTextureBox()->isChecked());
        ChooseTexture(dialog, "tile2");
        dialog.GetBox(kYOffset)->setText("-12");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kEdit);
    EXPECT_STREQ(f.World().m_faces[2].texture, "tile2");
    EXPECT_EQ(f.World().m_faces[2].yOffset, -12);
    EXPECT_FLOAT_EQ(f.World().m_faces[2].xScale, 0.5f);
    EXPECT_STRNE(f.World().m_faces[1].texture, "tile2");
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(EditCommand, NothingSelectedCornerModeOrAFaceBeyondTheBrushOpensNothing) {
    BrushCommandFixture f;
    for (EditMode mode : {kCornerMode, kFaceMode, kBrushMode, kEntityMode}) {
        f.doc.GetEditorState().SetEditMode(mode);
        f.Run(CommandId::kEdit);
    }
    f.Select(f.World(), nullptr, kCornerMode);
    f.Run(CommandId::kEdit);
    f.Select(f.World(), nullptr, kFaceMode, f.World().m_numFaces);
    f.Run(CommandId::kEdit);
    EXPECT_TRUE(f.dialogs.m_names.empty());
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(ViewContextMenuItems, NewBrushAndEditAreEnabled) {
    BrushCommandFixture f;
    std::unique_ptr<QMenu> menu(MakeViewContextMenu(
        f.context, [](CommandId) {}, nullptr));
    QMenu* newMenu = menu->actions().at(0)->menu();
    ASSERT_NE(newMenu, nullptr);
    EXPECT_EQ(newMenu->actions().at(0)->text(), "Brush\tCtrl+B");
    EXPECT_TRUE(newMenu->actions().at(0)->isEnabled());
    EXPECT_EQ(menu->actions().at(1)->text(), "Edit\tCtrl+D");
    EXPECT_TRUE(menu->actions().at(1)->isEnabled());
}

} // namespace

// In a Valve map the dialog edits a face's axes: its offsets are any numbers,
// a change of rotation turns the axes, and a new brush gets the axes of the
// axis planes nearest to its faces.
TEST(ValveFaceCommands, AFaceEditTakesDecimalOffsetsAndTurnsTheAxesByTheRotationsChange) {
    BrushCommandFixture f;
    f.doc.m_mapFormat = MapFormat::kValve;
    GiveValveAxes(f.World());
    f.Select(f.World(), nullptr, kFaceMode, 4); // the floor
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        EXPECT_EQ(dialog.GetBox(kXOffset)->text(), "0");
        dialog.GetBox(kXOffset)->setText("12.25");
        dialog.GetBox(kRotation)->setText("90");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kEdit);
    const ValveAxes& floor = f.World().m_valveAxes.at(4);
    EXPECT_EQ(floor.uOffset, 12.25);
    EXPECT_EQ(floor.u, (Vec3d{0, 1, 0}));
    EXPECT_EQ(floor.v, (Vec3d{1, 0, 0}));
    EXPECT_FLOAT_EQ(f.World().m_faces[4].rotation, 90.0f);
    EXPECT_NE(MapText(f.doc).find(" [ 0 1 0 12.25 ] [ 1 0 0 0 ] 90 1 1\n"), std::string::npos)
        << MapText(f.doc);

    // A standard map keeps whole offsets within 16 bits.
    BrushCommandFixture standard;
    standard.Select(standard.World(), nullptr, kFaceMode, 4);
    standard.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        dialog.GetBox(kXOffset)->setText("12.25");
        dialog.GetOkButton()->click();
        EXPECT_TRUE(dialog.isVisible() || dialog.result() != QDialog::Accepted);
    };
    standard.Run(CommandId::kEdit);
    EXPECT_EQ(standard.World().m_faces[4].xOffset, 0);
}

TEST(ValveFaceCommands, ANewBrushInAValveMapGetsTheAxesOfItsAxisPlanes) {
    BrushCommandFixture f;
    f.doc.m_mapFormat = MapFormat::kValve;
    f.dialogs.m_script = [](CModalDialog& modal) {
        CBrushFaceDlg& dialog = BrushDialog(modal);
        dialog.GetBox(kXOffset)->setText("0.5");
        ChooseTexture(dialog, "stone1");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kNewBrush);
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    const CMapBrush& brush = *f.doc.GetWorldBrushes()[1];
    ASSERT_TRUE(brush.HasValveAxes());
    for (int i = 0; i < brush.m_numFaces; ++i) {
        EXPECT_STREQ(brush.m_faces[i].texture, "stone1");
        EXPECT_EQ(brush.m_valveAxes[i].uOffset, 0.5);
        // Each axis is a unit axis of the world, as on a standard face.
        EXPECT_EQ(Length(brush.m_valveAxes[i].u), 1.0);
        EXPECT_EQ(Dot(brush.m_valveAxes[i].u, brush.m_valveAxes[i].v), 0.0);
    }
    EXPECT_NE(MapText(f.doc).find(" stone1 [ "), std::string::npos);
}
