// Map > Missing Textures and Edit > Replace Texture through the real main
// window: the missing texture's faces selected, then replaced on them, saved,
// read back and taken back.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/CCommandTable.h"
#include "dialogs/CMissingTexturesDlg.h"
#include "dialogs/CReplaceTextureDlg.h"
#include "map/TextureUses.h"
#include "texture/WadBuilder.h"
#include "widgets/CTolveView.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string Box(int x0, int x1, const std::string& texture) {
    return "{\n" + BoxFaceLines(x0, x1, texture) + "}\n";
}

// Two boxes of a texture the file lacks (in two spellings) and one it has.
std::string ThreeBoxes(const std::string& missing) {
    return "{\n\"classname\" \"worldspawn\"\n\"wad\" \"textures.wad\"\n" + Box(0, 64, missing) +
           Box(128, 192, missing == "wall" ? "WALL" : missing) + Box(256, 320, "brick") + "}\n";
}

using TextureReplaceEndToEnd = CAppFixture;

} // namespace

TEST_F(TextureReplaceEndToEnd, MissingTexturesSelectsItsFacesAndReplaceMendsThem) {
    CWadBuilder().AddMipTexture("brick", 64, 64, 3).WriteTo(m_files.Path("textures.wad"));
    const QString path = WriteMap("boxes.map", ThreeBoxes("wall").c_str());
    StartApp({path});
    ShowActive();
    CScriptedDialogRunner dialogs;
    CRecordingMessages messages;

    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CMissingTexturesDlg&>(modal);
        ASSERT_EQ(dialog.GetList()->count(), 1); // "wall" and "WALL" are one texture
        EXPECT_EQ(dialog.GetList()->item(0)->text(), QStringLiteral("wall  (12 faces)"));
        QTest::keyClick(dialog.GetList(), Qt::Key_Return);
    };
    Frame().GetCommands().GetAction(CommandId::kMissingTextures)->trigger();
    const CEditorState& state = ActiveDoc().GetEditorState();
    EXPECT_EQ(state.GetEditMode(), kFaceMode);
    EXPECT_EQ(state.GetSelectionSet().CountParts(), 12u);

    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CReplaceTextureDlg&>(modal);
        EXPECT_TRUE(SameTextureName(dialog.GetFind(), "wall")) << dialog.GetFind();
        dialog.show(); // Return presses the default button of a dialog shown
        // A name no face line could hold is refused, and the box keeps the keyboard.
        QTest::keyClicks(dialog.GetReplaceBox(), QStringLiteral("a b"));
        QTest::keyClick(dialog.GetReplaceBox(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        dialog.GetReplaceBox()->setText(QStringLiteral("brick"));
        QTest::keyClick(dialog.GetReplaceBox(), Qt::Key_Return);
    };
    Frame().GetCommands().GetAction(CommandId::kReplaceTexture)->trigger();
    EXPECT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(ActiveDoc().GetHistory().GetUndoName(), "Replace Texture");

    QTest::keyClick(Frame().GetActiveView(), Qt::Key_S, Qt::ControlModifier);
    const std::string saved = ReadFileText(path.toStdString());
    EXPECT_EQ(MapText(*Read(saved)->doc), MapText(*Read(ThreeBoxes("brick"))->doc));
    ActiveDoc().GetHistory().Undo(ActiveDoc());
    EXPECT_EQ(MapText(ActiveDoc()), MapText(*Read(ThreeBoxes("wall"))->doc));
}
