#include "map/CTolveDoc.h"
#include "texture/TextureWadPrompt.h"

#include "TestDoubles.h"
#include "TestSupport.h"
#include "WadBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Every document loads the texture file its map names, looked up from the
// working directory when the name is relative.
class DocumentTextureTest : public ::testing::Test {
protected:
    CTempDir m_dir;
    CWorkingDirectoryGuard m_inTemp{m_dir.Root()};
    CRecordingMessages m_messages;
    CScriptedFileChooser m_chooser;
    CRecordingProgress m_progress;
};

// Nobody is asked for a texture file before one is wanted, and a map gets
// a "wad" key only when it names a file.
TEST_F(DocumentTextureTest, NewMapWithoutTheDefaultWadNamesNoneAndAsksNothing) {
    CTolveDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    StartNewMapTextures(doc.m_textureWad);
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    EXPECT_FALSE(doc.m_textureWad.IsNamed());
    EXPECT_EQ(MapText(doc), "{\n\t\"classname\" \"worldspawn\"\n}\n");
}

TEST_F(DocumentTextureTest, NewMapLoadsTheDefaultWadFromTheWorkingDirectory) {
    CWadBuilder().AddMipTexture("ground", 16, 16).WriteTo(m_dir.Path("quake101.wad"));
    CTolveDoc doc;
    doc.m_textureWad.SetFileName("left over from before");
    EXPECT_TRUE(doc.OnNewDocument());
    StartNewMapTextures(doc.m_textureWad);
    EXPECT_EQ(doc.m_textureWad.GetFileName(), "quake101.wad");
    EXPECT_THAT(doc.m_textureWad.GetTextureNames(), ElementsAre("ground"));
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    EXPECT_EQ(m_progress.m_displays.size(), 1u);
}

TEST_F(DocumentTextureTest, OpenedMapLoadsTheWadItNames) {
    CWadBuilder().AddMipTexture("sky4", 16, 16).WriteTo(m_dir.Path("own.wad"));
    WriteFileText(m_dir.Path("room.map"),
                  "{\n\"classname\" \"worldspawn\"\n\"wad\" \"own.wad\"\n}\n");
    CTolveDoc doc;
    UserMessages messages;
    EXPECT_TRUE(doc.OnOpenDocument(m_dir.Path("room.map").string(), messages));
    EXPECT_TRUE(messages.empty());
    LoadTextureWadAsking(doc.m_textureWad);
    EXPECT_EQ(doc.m_textureWad.GetFileName(), "own.wad");
    EXPECT_THAT(doc.m_textureWad.GetTextureNames(), ElementsAre("sky4"));
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
}

TEST_F(DocumentTextureTest, UnreadableMapLoadsNoWad) {
    CTolveDoc doc;
    UserMessages messages;
    EXPECT_FALSE(doc.OnOpenDocument(m_dir.Path("absent.map").string(), messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "File Open Error");
    EXPECT_TRUE(m_messages.m_boxes.empty()); // the document itself shows nothing
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    EXPECT_THAT(m_progress.m_displays, IsEmpty());
}

// --- A list of several files travels with the map ---

// The "wad" value in the text of a saved map.
std::string SavedWadValue(const std::filesystem::path& map) {
    const std::string text = ReadFileText(map);
    const std::string key = "\"wad\" \"";
    const size_t start = text.find(key);
    if (start == std::string::npos)
        return "(no wad key)";
    const size_t begin = start + key.size();
    return text.substr(begin, text.find('"', begin) - begin);
}

// Files found relative to the map, by file name in its folder, and one missing.
class DocumentTextureListTest : public DocumentTextureTest {
protected:
    static constexpr const char* kList =
        "  C:\\Users\\x\\Desktop\\q\\texture-wads\\lq_utility.wad ;; wads/fence.wad;"
        "../shared/origin.wad;missing.wad ";

    DocumentTextureListTest() {
        for (const char* folder : {"maps/wads", "shared", "elsewhere"})
            std::filesystem::create_directories(m_dir.Path(folder));
        std::filesystem::copy_file(TestDataPath("wads/lq_utility.wad"),
                                   m_dir.Path("maps/lq_utility.wad"));
        std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"),
                                   m_dir.Path("maps/wads/fence.wad"));
        std::filesystem::copy_file(TestDataPath("wads/ericw_origin.wad"),
                                   m_dir.Path("shared/origin.wad"));
        WriteFileText(m_dir.Path("maps/room.map"), std::string("{\n\"classname\" \"worldspawn\"\n"
                                                               "\"wad\" \"") +
                                                       kList + "\"\n}\n");
    }
    void Open() {
        UserMessages messages;
        ASSERT_TRUE(m_doc.OnOpenDocument(m_dir.Path("maps/room.map").string(), messages));
        LoadTextureWadAsking(m_doc.m_textureWad);
    }
    void SaveAs(const std::string& path) {
        UserMessages messages;
        ASSERT_TRUE(m_doc.OnSaveDocument(m_dir.Path(path).string(), messages));
        EXPECT_TRUE(messages.empty());
    }

    CTolveDoc m_doc;
};

TEST_F(DocumentTextureListTest, OpenAndSaveWriteTheValueBackByteForByte) {
    Open();
    EXPECT_EQ(m_doc.m_textureWad.GetTextureCount(), 12);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "Some texture files of the map could not be loaded:\nmissing.wad: missing");
    EXPECT_THAT(m_chooser.m_requests, IsEmpty());
    SaveAs("maps/room.map");
    EXPECT_EQ(SavedWadValue(m_dir.Path("maps/room.map")), kList);
    EXPECT_EQ(m_doc.m_textureWad.GetFileName(), kList);
}

TEST_F(DocumentTextureListTest, SaveAsElsewhereMovesOnlyWhatWasFoundFromTheMapsFolder) {
    Open();
    // A sibling folder: "../shared/origin.wad" still names the same file, the
    // Windows path and the missing file stay as written.
    SaveAs("elsewhere/room.map");
    const std::string fence = m_dir.Path("maps/wads/fence.wad").string();
    EXPECT_EQ(SavedWadValue(m_dir.Path("elsewhere/room.map")),
              "  C:\\Users\\x\\Desktop\\q\\texture-wads\\lq_utility.wad ;; " + fence +
                  ";../shared/origin.wad;missing.wad ");
    // Only its file name still finds lq_utility.wad, in a texture folder.
    m_doc.m_textureWad.SetTextureFolders({m_dir.Path("maps").string()});
    m_doc.m_textureWad.LoadTextureWad();
    EXPECT_EQ(m_doc.m_textureWad.GetTextureCount(), 12);

    // Above the first folder, a file below it is named relative to it again.
    m_doc.m_textureWad.RestoreLocation(kList, m_dir.Path("maps").string());
    SaveAs("room.map");
    EXPECT_EQ(SavedWadValue(m_dir.Path("room.map")),
              "  C:\\Users\\x\\Desktop\\q\\texture-wads\\lq_utility.wad ;; maps/wads/fence.wad;"
              "shared/origin.wad;missing.wad ");
}

} // namespace

// A file chosen while the map had no folder is named by its full path; the
// first save into that folder or above names it from there.
TEST_F(DocumentTextureTest, AFileChosenBeforeTheFirstSaveIsNamedFromTheMapsFolder) {
    std::filesystem::create_directories(m_dir.Path("maps/textures"));
    CWadBuilder().AddMipTexture("ground", 16, 16).WriteTo(m_dir.Path("maps/textures/a.wad"));
    CTolveDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    doc.m_textureWad.AdoptChosenFile(m_dir.Path("maps/textures/a.wad").string());
    EXPECT_EQ(doc.m_textureWad.GetFileName(), m_dir.Path("maps/textures/a.wad").string());
    UserMessages messages;
    ASSERT_TRUE(doc.OnSaveDocument(m_dir.Path("maps/room.map").string(), messages));
    EXPECT_EQ(SavedWadValue(m_dir.Path("maps/room.map")), "textures/a.wad");
}
