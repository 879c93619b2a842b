#include "AppTestDoubles.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CWorldspawnDlg.h"
#include "dialogs/PreviewPixmap.h"
#include "map/BrushFaceTransfer.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "texture/TexturePalette.h"
#include "texture/WadBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using enum BrushFaceField;

// A world cube and two doors with a cube each; the sample texture file.
struct BrushFaceDlgFixture {
    CRecordingMessages messages;
    CTolveDoc doc;
    BrushFaceDlgFixture() {
        CRecordingDiagnostics diagnostics;
        const std::string door =
            "{\n\"classname\" \"func_door\"\n{\n" + std::string(kCubeFaceLines) + "}\n}\n";
        doc.ReadMapText(CubeMapText(door + door), diagnostics);
        doc.m_textureWad.SetFileName(
            (std::filesystem::path(TOLVE_SAMPLES) / "quake101.wad").string());
        doc.m_textureWad.LoadTextureWad();
        doc.GetHistory().MarkClean();
    }
    // The edits of a dialog's entity buttons; tests commit or roll it back.
    std::optional<CMapTransaction> transaction;
    CModelEntity& Door(size_t i) { return *doc.GetModelEntities().at(i); }
    std::unique_ptr<CBrushFaceDlg> Open(BrushFaceJob job, CModelEntity* owner,
                                        const std::string& texture = "") {
        BrushFaceFields fields = MakeNewBrushFields();
        fields.texture = texture;
        fields.changeTexture = job == BrushFaceJob::kEditBrush;
        transaction.emplace(doc, "Brush Edit");
        return std::make_unique<CBrushFaceDlg>(*transaction, job, fields, owner);
    }
};

TEST(BrushFaceDlg, OpensWithTheOwnerPreselectedAndTheSliderAtForty) {
    BrushFaceDlgFixture f;
    auto world = f.Open(BrushFaceJob::kNewBrush, nullptr);
    EXPECT_EQ(world->windowTitle(), "Brush & Face Edit");
    EXPECT_EQ(world->GetEntityList()->currentIndex(), 0);
    EXPECT_EQ(world->GetEntityList()->currentText(), "worldspawn");
    EXPECT_EQ(world->GetBrightnessSlider()->minimum(), 0);
    EXPECT_EQ(world->GetBrightnessSlider()->maximum(), 63);
    EXPECT_EQ(world->GetBrightnessSlider()->value(), 40);
    EXPECT_TRUE(f.doc.m_textureWad.GetFiles().at(0).IsOpen());
    world->GetBrightnessSlider()->setValue(3);
    world.reset();
    EXPECT_FALSE(f.doc.m_textureWad.GetFiles().at(0).IsOpen());
    auto door = f.Open(BrushFaceJob::kEditBrush, &f.Door(1));
    EXPECT_EQ(door->GetEntityList()->currentIndex(), 2);
    EXPECT_EQ(door->GetChosenOwner(), &f.Door(1));
    EXPECT_EQ(door->GetBrightnessSlider()->value(), 40);
    EXPECT_EQ(door->GetEntities(), ListBrushOwners(f.doc));
}

// A face's texture is found by its name in any case, as the compilers find
// it; a name no loaded file holds (nor a longer one that starts with it) is
// shown as the face has it, so that OK keeps it.
TEST(BrushFaceDlg, TextureIsFoundByItsNameInAnyCaseElseShownAsItIs) {
    BrushFaceDlgFixture f;
    auto dialog = f.Open(BrushFaceJob::kEditFace, nullptr, "BRICK_GREY");
    EXPECT_EQ(dialog->GetTextureList()->currentText(), "brick_grey");
    const int listed = dialog->GetTextureList()->count();
    for (const char* name : {"BRICK_G", "nosuchname"}) {
        auto missing = f.Open(BrushFaceJob::kEditFace, nullptr, name);
        EXPECT_EQ(missing->GetTextureList()->currentText(), name);
        EXPECT_EQ(missing->GetTextureList()->count(), listed + 1);
        EXPECT_EQ(missing->GetTextureSource()->text(), "not in the map's texture files");
        EXPECT_TRUE(missing->GetPreview()->pixmap().isNull());
        EXPECT_EQ(missing->GetFields().texture, name);
        EXPECT_FALSE(missing->GetChanges().texture);
    }
    auto blank = f.Open(BrushFaceJob::kNewBrush, nullptr);
    EXPECT_EQ(blank->GetTextureList()->currentIndex(), 0);
    EXPECT_EQ(blank->GetTextureList()->count(), listed);
}

TEST(BrushFaceDlg, ControlsAreEnabledPerJob) {
    BrushFaceDlgFixture f;
    auto brand = f.Open(BrushFaceJob::kNewBrush, nullptr);
    EXPECT_FALSE(brand->GetChangeTextureBox()->isEnabled());
    EXPECT_TRUE(brand->GetBox(kWidth)->isEnabled());
    EXPECT_TRUE(brand->GetShapeButton(kBoxShape)->isChecked());
    auto brush = f.Open(BrushFaceJob::kEditBrush, nullptr);
    EXPECT_TRUE(brush->GetChangeTextureBox()->isEnabled());
    EXPECT_TRUE(brush->GetChangeTextureBox()->isChecked());
    EXPECT_FALSE(brush->GetBox(kBaseSides)->isEnabled());
    EXPECT_FALSE(brush->GetShapeButton(kConeShape)->isEnabled());
    EXPECT_TRUE(brush->GetEntityList()->isEnabled());
    auto face = f.Open(BrushFaceJob::kEditFace, nullptr);
    EXPECT_FALSE(face->GetEntityList()->isEnabled());
    EXPECT_FALSE(face->GetNewEntityButton()->isEnabled());
    EXPECT_FALSE(face->GetEditEntityButton()->isEnabled());
    EXPECT_TRUE(face->GetDeleteEntityButton()->isEnabled());
    EXPECT_FALSE(face->GetBox(kHeight)->isEnabled());
}

TEST(BrushFaceDlg, PreviewShowsTheSelectedTextureAtNaturalSize) {
    BrushFaceDlgFixture f;
    auto dialog = f.Open(BrushFaceJob::kEditFace, nullptr, "brick_red");
    const PreviewImage& preview = f.doc.m_textureWad.GetPreviewImage();
    ASSERT_FALSE(preview.IsEmpty());
    EXPECT_EQ(dialog->GetPreview()->pixmap().size(), QSize(preview.width, preview.height));
    const uint64_t generation = preview.generation;
    dialog->GetBrightnessSlider()->setValue(0); // the preview is made again at once
    const uint64_t darker = f.doc.m_textureWad.GetPreviewImage().generation;
    EXPECT_GT(darker, generation);
    dialog->GetTextureList()->setCurrentIndex(dialog->GetTextureList()->findText("stone1"));
    EXPECT_GT(f.doc.m_textureWad.GetPreviewImage().generation, darker);
    EXPECT_TRUE(f.messages.m_boxes.empty());
}

TEST(BrushFaceDlg, EveryFilesTexturesAreListedAndTheSelectedOnesFileIsNamed) {
    BrushFaceDlgFixture f;
    f.doc.m_textureWad.SetFileName(TestDataPath("wads/ericw_origin.wad").string() + ";" +
                                   TestDataPath("wads/lq_utility.wad").string());
    f.doc.m_textureWad.LoadTextureWad();
    auto dialog = f.Open(BrushFaceJob::kEditFace, nullptr, "clip");
    QComboBox* list = dialog->GetTextureList();
    EXPECT_EQ(list->count(), 11);
    EXPECT_EQ(list->currentText(), "clip");
    EXPECT_EQ(dialog->GetTextureSource()->text(), "from lq_utility.wad");
    EXPECT_EQ(dialog->GetTextureSource()->toolTip().toStdString(),
              TestDataPath("wads/lq_utility.wad").string());
    EXPECT_FALSE(dialog->GetPreview()->pixmap().isNull());

    list->setCurrentIndex(list->findText("origin"));
    EXPECT_EQ(dialog->GetTextureSource()->text(), "from ericw_origin.wad");
    EXPECT_EQ(list->itemData(list->currentIndex(), Qt::ToolTipRole).toString().toStdString(),
              TestDataPath("wads/ericw_origin.wad").string());
    EXPECT_EQ(dialog->GetFields().texture, "origin");
    for (const CTextureFile& file : f.doc.m_textureWad.GetFiles())
        EXPECT_TRUE(file.IsOpen()) << file.GetPath();
    dialog.reset();
    for (const CTextureFile& file : f.doc.m_textureWad.GetFiles())
        EXPECT_FALSE(file.IsOpen()) << file.GetPath();
}

// The program's palette, black for the length of a test.
class CBlackPalette {
public:
    CBlackPalette() : m_saved(GetTexturePalette()) { GetTexturePalette().ClearPalette(); }
    ~CBlackPalette() { GetTexturePalette() = m_saved; }

private:
    TexturePalette m_saved;
};

TEST(BrushFaceDlg, TheSliderTakesEffectAsItMovesAndStaysForTheNextTexture) {
    BrushFaceDlgFixture f;
    CBlackPalette black;
    auto dialog = f.Open(BrushFaceJob::kEditFace, nullptr, "stone1");
    EXPECT_EQ(f.doc.m_textureWad.GetPreviewImage().rgb.at(0), 40);
    dialog->GetBrightnessSlider()->setValue(0);
    EXPECT_EQ(f.doc.m_textureWad.GetPreviewImage().rgb.at(0), 0);
    dialog->GetTextureList()->setCurrentIndex(dialog->GetTextureList()->findText("tile1"));
    EXPECT_EQ(f.doc.m_textureWad.GetPreviewImage().rgb.at(0), 0);
    dialog->GetBrightnessSlider()->setValue(63);
    EXPECT_EQ(f.doc.m_textureWad.GetPreviewImage().rgb.at(0), 63);
    dialog->GetTextureList()->setCurrentIndex(dialog->GetTextureList()->findText("tile2"));
    EXPECT_EQ(f.doc.m_textureWad.GetPreviewImage().rgb.at(0), 63);
}

TEST(BrushFaceDlg, SixteenCharacterTextureNameIsCutWithTheUserTold) {
    CTempDir dir;
    CWadBuilder().AddMipTexture("abcdefghijklmnop", 4, 4).WriteTo(dir.Path("long.wad"));
    BrushFaceDlgFixture f;
    f.doc.m_textureWad.SetFileName(dir.Path("long.wad").string());
    f.doc.m_textureWad.LoadTextureWad();
    auto dialog = f.Open(BrushFaceJob::kNewBrush, nullptr);
    EXPECT_EQ(dialog->GetTextureList()->currentText(), "abcdefghijklmnop");
    dialog->GetOkButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(f.messages.m_boxes.size(), 1u);
    EXPECT_EQ(f.messages.m_boxes[0].title, "Brush & Face Edit");
    EXPECT_NE(f.messages.m_boxes[0].text.find("\"abcdefghijklmno\""), std::string::npos);
    const FaceTexture texture = MakeFaceTexture(dialog->GetValues(), dialog->GetFields().texture);
    EXPECT_STREQ(texture.texture, "abcdefghijklmno");
}

TEST(BrushFaceDlg, PreviewImageCopiesTheBuffersColours) {
    PreviewImage preview;
    preview.width = 2;
    preview.height = 1;
    preview.rgb = {200, 10, 255, 1, 2, 3};
    const QImage image = MakePreviewImage(preview);
    EXPECT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(200, 10, 255));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(1, 2, 3));
    EXPECT_TRUE(MakePreviewImage(PreviewImage{}).isNull());
}

TEST(BrushFaceDlg, OkRefusesABadBoxWithTheStandardMessageAndFocus) {
    BrushFaceDlgFixture f;
    auto dialog = f.Open(BrushFaceJob::kNewBrush, nullptr);
    dialog->GetBox(kBaseSides)->setText("65");
    dialog->GetBox(kXOffset)->setText("40000");
    dialog->setResult(QDialog::Rejected);
    dialog->GetOkButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    ASSERT_EQ(f.messages.Texts(),
              (std::vector<std::string>{"Please enter an integer between 3 and 64."}));
    EXPECT_EQ(dialog->focusWidget(), dialog->GetBox(kBaseSides));
    dialog->GetBox(kBaseSides)->setText("4");
    dialog->GetOkButton()->click();
    EXPECT_EQ(f.messages.m_boxes.back().text, "Please enter an integer between -32768 and 32767.");
    EXPECT_EQ(dialog->focusWidget(), dialog->GetBox(kXOffset));
    dialog->GetBox(kXOffset)->setText("-8");
    dialog->GetOkButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->GetValues().baseSides, 4);
    EXPECT_EQ(dialog->GetValues().xOffset, -8);
}

TEST(BrushFaceDlg, DeleteRemovesTheEntityWithItsBrushesUntilTheEditIsRolledBack) {
    BrushFaceDlgFixture f;
    const std::string before = MapText(f.doc);
    f.doc.GetEditorState().SetSelectedEntity(&f.Door(0));
    f.doc.GetEditorState().SetSelectedBrush(f.Door(0).m_brushes.at(0).get());
    CModelEntity* second = &f.Door(1);
    auto dialog = f.Open(BrushFaceJob::kEditBrush, &f.Door(0));
    dialog->GetDeleteEntityButton()->click();
    ASSERT_EQ(f.doc.GetModelEntities().size(), 1u);
    EXPECT_EQ(&f.Door(0), second);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(dialog->GetEntityList()->count(), 2);
    EXPECT_EQ(dialog->GetEntityList()->currentIndex(), 0);
    EXPECT_EQ(dialog->GetEntities(), ListBrushOwners(f.doc));
    dialog->GetDeleteEntityButton()->click(); // on "worldspawn": nothing
    EXPECT_EQ(f.doc.GetModelEntities().size(), 1u);
    f.transaction->RollBack();
    EXPECT_EQ(MapText(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(BrushFaceDlg, TwoEntitiesOfOneClassEachEditTheirOwn) {
    BrushFaceDlgFixture f;
    CScriptedDialogRunner runner;
    runner.m_script = [](CModalDialog& modal) {
        auto& entity = CastEntityDialog(modal, EntityKind::kBrush);
        entity.GetBox(ModelField::kSpeed)->setText("250");
        entity.GetOkButton()->click();
    };
    auto dialog = f.Open(BrushFaceJob::kNewBrush, nullptr);
    EXPECT_EQ(dialog->GetEntityList()->itemText(1), dialog->GetEntityList()->itemText(2));
    dialog->GetEntityList()->setCurrentIndex(2);
    dialog->GetEditEntityButton()->click();
    EXPECT_EQ(runner.m_names, (std::vector<std::string>{"Model Entity Variables"}));
    EXPECT_EQ(f.Door(1).m_speed, 250);
    EXPECT_NE(f.Door(0).m_speed, 250);
    f.transaction->Commit();
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(BrushFaceDlg, EditOnWorldspawnOpensTheWorldDialog) {
    BrushFaceDlgFixture f;
    CScriptedDialogRunner runner;
    runner.m_script = [](CModalDialog& modal) {
        auto& world = dynamic_cast<CWorldspawnDlg&>(modal);
        world.GetBox(WorldField::kTitle)->setText("Castle");
        world.GetOkButton()->click();
    };
    auto dialog = f.Open(BrushFaceJob::kNewBrush, nullptr);
    dialog->GetEditEntityButton()->click();
    EXPECT_EQ(runner.m_names, (std::vector<std::string>{"Worldspawn Entity"}));
    EXPECT_EQ(f.doc.m_worldMessage, "Castle");
}

TEST(BrushFaceDlg, NewEntityIsAddedToTheMapAndChosen) {
    BrushFaceDlgFixture f;
    CScriptedDialogRunner runner;
    runner.m_script = [](CModalDialog& modal) {
        auto& entity = CastEntityDialog(modal, EntityKind::kBrush);
        QTest::keyClicks(entity.GetClassCombo()->lineEdit(), "func_plat");
        entity.GetOkButton()->click();
    };
    auto dialog = f.Open(BrushFaceJob::kNewBrush, nullptr);
    dialog->GetNewEntityButton()->click();
    ASSERT_EQ(f.doc.GetModelEntities().size(), 3u);
    EXPECT_EQ(f.doc.GetModelEntities().back()->m_classname, "func_plat");
    EXPECT_EQ(dialog->GetEntityList()->currentText(), "func_plat");
    EXPECT_EQ(dialog->GetChosenOwner(), f.doc.GetModelEntities().back().get());
    EXPECT_EQ(dialog->GetNewEntities(),
              std::vector<CModelEntity*>{f.doc.GetModelEntities().back().get()});
}

} // namespace
