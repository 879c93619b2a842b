#include "AppTestDoubles.h"
#include "TestSupport.h"
#include "app/CommandList.h"
#include "app/SearchFolderSetting.h"
#include "dialogs/CSearchedFilesDlg.h"
#include "texture/WadListText.h"
#include "widgets/CTolveView.h"

#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A map folder holding LibreQuake's utility textures and ericw-tools'
// origin.wad one folder down; a texture folder holding fence.wad; and a list
// written the way maps made elsewhere are.
struct TextureFilesFixture {
    static constexpr const char* kList = " lq_utility.wad ;C:\\q\\fence.wad;gone.wad";

    CTempSettings settings;
    CTempDir dir;
    CRecordingMessages messages;
    CScriptedFileChooser files;
    CScriptedFolderChooser folders;
    CRecordingNotices notices;
    CRecordingProgress progress;

    TextureFilesFixture() {
        for (const char* folder : {"maps/sub", "textures"})
            std::filesystem::create_directories(dir.Path(folder));
        std::filesystem::copy_file(TestDataPath("wads/lq_utility.wad"),
                                   dir.Path("maps/lq_utility.wad"));
        std::filesystem::copy_file(TestDataPath("wads/ericw_origin.wad"),
                                   dir.Path("maps/sub/origin.wad"));
        std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"),
                                   dir.Path("textures/fence.wad"));
    }
    std::string Path(const char* name) const { return dir.Path(name).string(); }
    std::string MapFolder() const { return Path("maps"); }
};

std::vector<std::string> Column(const QTreeWidget& list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts.push_back(list.topLevelItem(i)->text(column).toStdString());
    return texts;
}

void Select(CSearchedFilesDlg& dialog, int row) {
    dialog.GetFileList()->setCurrentItem(dialog.GetFileList()->topLevelItem(row));
}

TEST(TextureFilesDlg, ShowsWhereEachFileWasFoundAndFoldersFindMore) {
    TextureFilesFixture f;
    CSearchedFilesDlg dialog(f.kList, f.MapFolder(), {});
    EXPECT_EQ(dialog.windowTitle(), "Texture Files");
    EXPECT_THAT(Column(*dialog.GetFileList(), 0),
                ElementsAre("lq_utility.wad", "C:\\q\\fence.wad", "gone.wad"));
    EXPECT_THAT(Column(*dialog.GetFileList(), 1),
                ElementsAre(f.Path("maps/lq_utility.wad"), "missing", "missing"));
    EXPECT_FALSE(dialog.GetRemoveFolderButton()->isEnabled());

    f.folders.m_answers = {f.Path("textures"), f.Path("textures")};
    dialog.GetAddFolderButton()->click();
    dialog.GetAddFolderButton()->click(); // the same folder once only
    EXPECT_THAT(f.folders.m_titles, ElementsAre("Add Texture Folder", "Add Texture Folder"));
    EXPECT_THAT(dialog.GetTextureFolders(), ElementsAre(f.Path("textures")));
    EXPECT_EQ(Column(*dialog.GetFileList(), 1)[1],
              f.Path("textures/fence.wad") + " (by its file name, in a texture folder)");
    // Folders are no change of the list: the value stays byte for byte.
    EXPECT_EQ(dialog.GetWadValue(), f.kList);

    dialog.GetFolderList()->setCurrentRow(0);
    dialog.GetRemoveFolderButton()->click();
    EXPECT_THAT(dialog.GetTextureFolders(), IsEmpty());
    EXPECT_EQ(Column(*dialog.GetFileList(), 1)[1], "missing");
    dialog.GetAddFolderButton()->click(); // cancelled: nothing added
    EXPECT_EQ(dialog.GetFolderList()->count(), 0);
}

TEST(TextureFilesDlg, FilesAreAddedRemovedAndReordered) {
    TextureFilesFixture f;
    CSearchedFilesDlg dialog(f.kList, f.MapFolder(), {f.Path("textures")});
    EXPECT_FALSE(dialog.GetMoveUpButton()->isEnabled()) << "the first file is selected";
    EXPECT_TRUE(dialog.GetMoveDownButton()->isEnabled());

    Select(dialog, 2);
    EXPECT_FALSE(dialog.GetMoveDownButton()->isEnabled());
    dialog.GetMoveUpButton()->click();
    dialog.GetMoveUpButton()->click();
    EXPECT_THAT(dialog.GetEntryNames(),
                ElementsAre("gone.wad", "lq_utility.wad", "C:\\q\\fence.wad"));
    dialog.GetMoveDownButton()->click();
    EXPECT_THAT(dialog.GetEntryNames(),
                ElementsAre("lq_utility.wad", "gone.wad", "C:\\q\\fence.wad"));
    dialog.GetRemoveFileButton()->click();
    EXPECT_THAT(dialog.GetEntryNames(), ElementsAre("lq_utility.wad", "C:\\q\\fence.wad"));

    // Inside the map's folder a file is named relative to it.
    f.files.m_answers = {f.Path("maps/sub/origin.wad")};
    dialog.GetAddFileButton()->click();
    ASSERT_EQ(f.files.m_requests.size(), 1u);
    EXPECT_EQ(f.files.m_requests[0].pattern, "*.wad");
    EXPECT_THAT(dialog.GetEntryNames(),
                ElementsAre("lq_utility.wad", "C:\\q\\fence.wad", "sub/origin.wad"));
    EXPECT_EQ(Column(*dialog.GetFileList(), 1)[2], f.Path("maps/sub/origin.wad"));
    EXPECT_EQ(dialog.GetWadValue(), "lq_utility.wad;C:\\q\\fence.wad;sub/origin.wad");
    EXPECT_THAT(f.notices.m_notices, IsEmpty());
}

// The Textures command on a map whose files were looked for already.
struct TexturesCommandFixture : TextureFilesFixture {
    CScriptedDialogRunner dialogs;
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};

    TexturesCommandFixture() {
        doc.m_textureWad.SetMapFolder(MapFolder());
        doc.m_textureWad.SetFileName(kList);
        doc.m_textureWad.LoadTextureWad();
        doc.GetHistory().MarkClean();
    }
    void Run() { FindCommandEntry(CommandId::kTextures)->run(context); }
};

// Adds the texture folder and puts the last entry first, then presses `button`.
auto ArrangeAndPress(QPushButton* (CSearchedFilesDlg::*button)() const) {
    return [button](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CSearchedFilesDlg&>(modal);
        dialog.GetAddFolderButton()->click();
        Select(dialog, 2);
        dialog.GetMoveUpButton()->click();
        dialog.GetMoveUpButton()->click();
        (dialog.*button)()->click();
    };
}

TEST(TexturesCommand, OkAppliesTheListAndTheFoldersAndLoadsAgain) {
    TexturesCommandFixture f;
    f.folders.m_answers = {f.Path("textures")};
    f.dialogs.m_script = ArrangeAndPress(&CSearchedFilesDlg::GetOkButton);
    f.Run();
    EXPECT_THAT(f.dialogs.m_names, ElementsAre("Texture Files"));
    EXPECT_EQ(f.doc.m_textureWad.GetFileName(), "gone.wad;lq_utility.wad;C:\\q\\fence.wad");
    EXPECT_THAT(LoadTextureFolders(), ElementsAre(f.Path("textures")));
    EXPECT_THAT(f.doc.m_textureWad.GetTextureFolders(), ElementsAre(f.Path("textures")));
    EXPECT_EQ(f.doc.m_textureWad.GetTextureCount(), 12) << "fence.wad's {trigger joined";
    EXPECT_THAT(f.messages.m_boxes, IsEmpty()) << "the dialog showed what is missing";
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(TexturesCommand, CancelChangesNothing) {
    TexturesCommandFixture f;
    f.folders.m_answers = {f.Path("textures")};
    f.dialogs.m_script = ArrangeAndPress(&CSearchedFilesDlg::GetCancelButton);
    f.Run();
    EXPECT_EQ(f.doc.m_textureWad.GetFileName(), f.kList);
    EXPECT_THAT(LoadTextureFolders(), IsEmpty());
    EXPECT_EQ(f.doc.m_textureWad.GetTextureCount(), 11);
    EXPECT_THAT(f.files.m_requests, IsEmpty());
}

} // namespace
