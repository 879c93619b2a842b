#include "map/MapFragment.h"

#include "map/CMapReader.h"
#include "map/CMapWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

MapFragment ReadFragment(const std::string& text, CRecordingDiagnostics& diagnostics) {
    MapFragment fragment;
    CMapReader(fragment, text, diagnostics).ReadMap();
    return fragment;
}

} // namespace

// What the clipboard will carry: one brush of a door and one light, with no
// document anywhere.
TEST(MapFragment, OneBrushAndOneEntityRoundTripThroughText) {
    const std::string text = "{\n\t\"classname\" \"func_door\"\n\t\"angle\" \"-1\"\n\t{\n"
                             "\t\t( -64 -64 64 ) ( -64 -64 -64 ) ( -64 64 -64 ) wall 0 0 0.000000 "
                             "1.000000 1.000000\n"
                             "\t\t( 64 64 64 ) ( 64 64 -64 ) ( 64 -64 -64 ) wall 0 0 0.000000 "
                             "1.000000 1.000000\n"
                             "\t\t( 64 -64 64 ) ( 64 -64 -64 ) ( -64 -64 -64 ) wall 0 0 0.000000 "
                             "1.000000 1.000000\n"
                             "\t\t( -64 64 64 ) ( -64 64 -64 ) ( 64 64 -64 ) wall 0 0 0.000000 "
                             "1.000000 1.000000\n"
                             "\t\t( -64 64 -64 ) ( -64 -64 -64 ) ( 64 -64 -64 ) floor 0 0 0.000000 "
                             "1.000000 1.000000\n"
                             "\t\t( -64 -64 64 ) ( -64 64 64 ) ( 64 64 64 ) floor 0 0 0.000000 "
                             "1.000000 1.000000\n\t}\n}\n"
                             "{\n\t\"classname\" \"light\"\n\t\"origin\" \"0 0 32\"\n"
                             "\t\"light\" \"300\"\n}\n";
    CRecordingDiagnostics diagnostics;
    MapFragment fragment = ReadFragment(text, diagnostics);
    EXPECT_TRUE(diagnostics.m_entries.empty());
    EXPECT_FALSE(fragment.hasWorld);
    ASSERT_EQ(fragment.modelEntities.size(), 1u);
    EXPECT_EQ(fragment.modelEntities[0]->m_brushes.size(), 1u);
    ASSERT_EQ(fragment.pointEntities.size(), 1u);
    EXPECT_EQ(fragment.pointEntities[0]->m_light, 300);
    // No world was read, so none is written.
    EXPECT_EQ(CMapWriter::WriteText(ContentsOf(fragment)), text);
}

TEST(MapFragment, AWorldBrushIsWrittenInsideAWorldspawn) {
    CRecordingDiagnostics diagnostics;
    MapFragment fragment = ReadFragment(CubeMapText(), diagnostics);
    EXPECT_TRUE(fragment.hasWorld);
    EXPECT_EQ(fragment.worldBrushes.size(), 1u);
    MapFragment brushOnly;
    brushOnly.worldBrushes.push_back(std::move(fragment.worldBrushes[0]));
    brushOnly.wad = "base.wad";
    std::string text = CMapWriter::WriteText(ContentsOf(brushOnly));
    EXPECT_EQ(text.rfind("{\n\t\"classname\" \"worldspawn\"\n\t\"wad\" \"base.wad\"\n\t{\n", 0),
              0u);
}

TEST(MapFragment, ADocumentAdoptsAFragmentAtTheEndOfItsLists) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(CubeMapText("{\n\"classname\" \"info_null\"\n}\n"), diagnostics);
    MapFragment fragment = ReadFragment("{\n\"classname\" \"light\"\n}\n", diagnostics);
    doc.AdoptFragment(std::move(fragment));
    ASSERT_EQ(doc.GetPointEntities().size(), 2u);
    EXPECT_EQ(doc.GetPointEntities()[1]->m_classname, "light");
    EXPECT_EQ(doc.GetWorldBrushes().size(), 1u);
}

// Autosave will write copies this way: no box, no modified flag touched.
TEST(MapFragment, AFailedWriteComesBackAsPathAndReasonWithoutABox) {
    CRecordingMessages messages;
    CTempDir dir;
    CTolveDoc doc;
    MakeModified(doc);
    const std::string path = dir.Path("no/such/folder.map").string();
    std::optional<FileError> error = CMapWriter::WriteFile(doc.GetContents(), path);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->path, path);
    EXPECT_EQ(error->reason, "No such file or directory");
    EXPECT_FALSE(error->inContent);
    EXPECT_TRUE(doc.IsModified());

    error = doc.WriteMapFile(path);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, "No such file or directory");
    EXPECT_TRUE(messages.m_boxes.empty());

    doc.m_worldMessage = "say \"hi\"";
    error = CMapWriter::WriteFile(doc.GetContents(), dir.Path("a.map").string());
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->inContent);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.map")));
}
