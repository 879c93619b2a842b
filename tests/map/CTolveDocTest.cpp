#include "map/CTolveDoc.h"

#include "CNoticeRecorder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string kSmallMap = CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n");

struct SavedMap {
    CTempDir dir;
    std::filesystem::path path = dir.Path("room.map");
    CTolveDoc doc;
    SavedMap() {
        WriteFileText(path, kSmallMap);
        CRecordingMessages quiet;
        EXPECT_TRUE(OpenShowing(doc, path.string()));
        MakeModified(doc);
    }
};

} // namespace

TEST(CTolveDoc, ResetWorldSetsTheDefaultsAndLeavesTheRest) {
    CTolveDoc doc;
    doc.m_worldMessage = "kept";
    doc.GetEditorState().SetSelectedVertex(5);
    doc.GetEditorState().SetSnap(64);
    doc.GetEditorState().SetEditMode(kEntityMode);
    doc.GetEditorState().SetInsertionPoint({1, 2, 3});
    doc.m_textureWad.SetFileName("x.wad");
    doc.m_worldType = 3;
    doc.ResetWorld();
    EXPECT_EQ(doc.m_worldMessage, "kept");
    EXPECT_EQ(doc.GetEditorState().GetSelectedVertex(), 5);
    EXPECT_EQ(doc.GetEditorState().GetSnap(), 8);
    EXPECT_EQ(doc.GetEditorState().GetEditMode(), kCornerMode);
    EXPECT_EQ(doc.GetEditorState().GetInsertionPoint(), IntPoint(0, 0, 0));
    EXPECT_EQ(doc.GetEditorState().GetUpperLimit(), IntPoint(-25000, 25000, 25000));
    EXPECT_EQ(doc.GetEditorState().GetLowerLimit(), IntPoint(25000, -25000, -25000));
    EXPECT_FALSE(doc.m_textureWad.IsNamed()); // a new map names no texture file
    EXPECT_EQ(doc.m_worldType, -1);
}

TEST(CTolveDoc, SerializingIsRefused) {
    CRecordingMessages messages;
    CTolveDoc doc;
    doc.Serialize();
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "Cop'ing an Attitude");
    EXPECT_EQ(messages.m_boxes[0].text, "I will not serialize");
}

TEST(CTolveDoc, DeleteContentsEmptiesEveryListAndTheSelection) {
    SavedMap map;
    CTolveDoc& doc = map.doc;
    doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[0].get());
    doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities()[0].get());
    doc.DeleteContents();
    EXPECT_TRUE(doc.GetWorldBrushes().empty());
    EXPECT_TRUE(doc.GetPointEntities().empty());
    EXPECT_TRUE(doc.GetModelEntities().empty());
    EXPECT_EQ(doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_FALSE(doc.IsModified());
}

TEST(CTolveDoc, SaveWritesTheMapAndClearsTheModifiedFlag) {
    SavedMap map;
    CRecordingMessages messages;
    ASSERT_TRUE(SaveShowing(map.doc, map.path.string()));
    EXPECT_FALSE(map.doc.IsModified());
    EXPECT_TRUE(messages.m_boxes.empty());
    EXPECT_EQ(MapText(*Read(ReadFileText(map.path))->doc), MapText(map.doc));
}

TEST(CTolveDoc, SaveIntoAMissingFolderSaysSoAndStaysModified) {
    SavedMap map;
    CRecordingMessages messages;
    const std::string path = map.dir.Path("no/such/folder.map").string();
    EXPECT_FALSE(SaveShowing(map.doc, path));
    EXPECT_TRUE(map.doc.IsModified());
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "File Open Error");
    EXPECT_EQ(messages.m_boxes[0].text, "couldn't open file!\n\"" + path +
                                            "\": No such file or directory. The file on disk "
                                            "was left as it was.");
}

TEST(CTolveDoc, ValueWithADoubleQuoteRefusesTheSaveAndKeepsTheOldFile) {
    SavedMap map;
    CRecordingMessages messages;
    map.doc.GetPointEntities()[0]->m_targetname = "a\"b";
    EXPECT_FALSE(SaveShowing(map.doc, map.path.string()));
    EXPECT_TRUE(map.doc.IsModified());
    EXPECT_EQ(ReadFileText(map.path), kSmallMap);
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "File Save Error");
    EXPECT_NE(messages.m_boxes[0].text.find("\"light\""), std::string::npos);
    EXPECT_NE(messages.m_boxes[0].text.find("\"targetname\""), std::string::npos);
}

TEST(CTolveDoc, OpeningAMissingFileFails) {
    CRecordingMessages messages;
    CTempDir dir;
    CTolveDoc doc;
    EXPECT_FALSE(OpenShowing(doc, dir.Path("gone.map").string()));
    ASSERT_FALSE(messages.m_boxes.empty());
    EXPECT_EQ(messages.m_boxes[0].title, "File Open Error");
}

TEST(CTolveDoc, NotifiesEveryViewInOrderUntilRemoved) {
    CTolveDoc doc;
    std::vector<CNoticeRecorder::Hearing> journal;
    CNoticeRecorder first(&journal), second(&journal);
    doc.AddView(&first);
    doc.AddView(&second);
    doc.UpdateAllViews(MapNotice::BrushSelection(nullptr));
    doc.RemoveView(&first);
    doc.UpdateAllViews(MapNotice::Repaint());
    const MapNotice selection = MapNotice::BrushSelection(nullptr);
    EXPECT_EQ(journal,
              (std::vector<CNoticeRecorder::Hearing>{
                  {&first, selection}, {&second, selection}, {&second, MapNotice::Repaint()}}));
}
