#include "map/FragmentPlacement.h"

#include "map/CMapReader.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A 32-unit cube from (0 0 0) in a door, and a light.
constexpr const char* kDoorAndLight = R"({
"classname" "func_door"
{
( 0 0 32 ) ( 0 0 0 ) ( 0 32 0 ) door 0 0 0 1 1
( 32 32 32 ) ( 32 32 0 ) ( 32 0 0 ) door 0 0 0 1 1
( 32 0 32 ) ( 32 0 0 ) ( 0 0 0 ) door 0 0 0 1 1
( 0 32 32 ) ( 0 32 0 ) ( 32 32 0 ) door 0 0 0 1 1
( 0 32 0 ) ( 0 0 0 ) ( 32 0 0 ) door 0 0 0 1 1
( 0 0 32 ) ( 0 32 32 ) ( 32 32 32 ) door 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-32 100 16"
}
)";

MapFragment ReadFragment(const char* text) {
    MapFragment fragment;
    CRecordingDiagnostics diagnostics;
    CMapReader(fragment, text, diagnostics).ReadMap();
    EXPECT_TRUE(diagnostics.m_entries.empty());
    return fragment;
}

} // namespace

TEST(FragmentPlacement, BoundsTakeBrushCornersAndEntityOrigins) {
    const std::optional<IntBox> box = BoundsOf(ReadFragment(kDoorAndLight));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->min, IntPoint(-32, 0, 0));
    EXPECT_EQ(box->max, IntPoint(32, 100, 32));
    EXPECT_FALSE(BoundsOf(MapFragment()));
}

TEST(FragmentPlacement, MovedObjectsAreWrittenWhereTheyWent) {
    MapFragment fragment = ReadFragment(kDoorAndLight);
    MoveFragment(fragment, IntPoint(64, -8, 0));
    const std::optional<IntBox> box = BoundsOf(fragment);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->min, IntPoint(32, -8, 0));
    EXPECT_EQ(box->max, IntPoint(96, 92, 32));
    // The plane points read from the text would put the brush back.
    const std::string text = CMapWriter::WriteText(ContentsOf(fragment));
    EXPECT_NE(text.find("\"32 92 16\""), std::string::npos) << text;
    const std::optional<IntBox> reread = BoundsOf(ReadFragment(text.c_str()));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->min, box->min);
    EXPECT_EQ(reread->max, box->max);
}

TEST(FragmentPlacement, AddedObjectsJoinTheDocumentAsChanges) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText("{\n\"classname\" \"worldspawn\"\n\"message\" \"Kept\"\n}\n", diagnostics);
    doc.GetHistory().MarkClean();
    MapFragment fragment = ReadFragment(kDoorAndLight);
    fragment.hasWorld = true;
    fragment.world.m_worldMessage = "Not taken";
    const std::string before = MapText(doc);
    Edit(doc, [&](CMapEdits& edits) { AddFragment(edits, std::move(fragment)); });
    ASSERT_EQ(doc.GetModelEntities().size(), 1u);
    EXPECT_EQ(doc.GetModelEntities()[0]->m_classname, "func_door");
    ASSERT_EQ(doc.GetPointEntities().size(), 1u);
    EXPECT_EQ(doc.m_worldMessage, "Kept");
    EXPECT_TRUE(doc.IsModified());
    // One step: its undo leaves the map as it was.
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), before);
}
