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

TEST_F(DocumentTextureTest, NewMapWithoutTheDefaultWadReportsItAndAsksForAnother) {
    size_t boxesAtRequest = 0;
    m_chooser.m_onRequest = [&] { boxesAtRequest = m_messages.m_boxes.size(); };
    CTolveDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    LoadTextureWadAsking(doc.m_textureWad);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Texture File Initialization");
    EXPECT_EQ(m_chooser.m_requests.size(), 1u);
    EXPECT_EQ(boxesAtRequest, 1u);
    EXPECT_EQ(doc.m_textureWad.GetFileName(), "quake101.wad");
    EXPECT_THAT(doc.m_textureWad.GetTextureNames(), IsEmpty());
}

TEST_F(DocumentTextureTest, NewMapLoadsTheDefaultWadFromTheWorkingDirectory) {
    CWadBuilder().AddMipTexture("ground", 16, 16).WriteTo(m_dir.Path("quake101.wad"));
    CTolveDoc doc;
    doc.m_textureWad.SetFileName("left over from before");
    EXPECT_TRUE(doc.OnNewDocument());
    LoadTextureWadAsking(doc.m_textureWad);
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

} // namespace
