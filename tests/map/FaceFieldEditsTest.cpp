#include "map/FaceFieldEdits.h"

#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct FieldCase {
    const char* name;
    const char* map;
    const char* xOffset; // typed into the field
    double expected;     // what the faces hold then
};

// Three faces of the cube that share their Y offset alone.
constexpr const char* kStandardFaces = R"({
"classname" "worldspawn"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 3 4 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) brick 7 4 15 0.5 2
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 4 30 1 0.25
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
)";

// The same in Valve 220 form; the axes differ too, and the offsets are not
// whole.
constexpr const char* kValveFaces = R"({
"mapversion" "220"
"classname" "worldspawn"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall [ 0 1 0 3.5 ] [ 0 0 -1 4 ] 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) brick [ 0 -1 0 7 ] [ 0 0 -1 4 ] 15 0.5 2
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall [ 1 0 0 0 ] [ 0 0 -1 4 ] 30 1 0.25
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall [ -1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1
}
}
)";

class FaceFieldEdits : public ::testing::TestWithParam<FieldCase> {};

// The first three faces: mixed in every value but the Y offset (and in a
// Valve map the V axis).
TEST_P(FaceFieldEdits, OneFieldChangesOnEveryFaceAloneInOneStepThatUndoes) {
    std::unique_ptr<ReadMap> read = Read(GetParam().map);
    CTolveDoc& doc = *read->doc;
    CMapBrush& brush = *doc.GetWorldBrushes().front();
    CSelectionSet set;
    set.Add(brush, PartBit(0) | PartBit(1) | PartBit(2));
    const std::vector<FaceOfBrush> faces = ListTexturedFaces(doc, set, kFaceMode);
    ASSERT_EQ(faces.size(), 3u);

    const GatheredFaceFields gathered = GatherFaceFields(faces);
    const bool valve = brush.HasValveAxes();
    EXPECT_EQ(gathered.valve, valve);
    for (FaceField mixed : {FaceField::kTexture, FaceField::kXOffset, FaceField::kRotation,
                            FaceField::kXScale, FaceField::kYScale, FaceField::kUAxisX})
        EXPECT_FALSE(gathered[mixed]) << static_cast<int>(mixed);
    EXPECT_EQ(gathered[FaceField::kYOffset], "4");
    EXPECT_EQ(gathered[FaceField::kVAxisZ],
              valve ? std::optional<std::string>("-1") : std::nullopt);

    const std::string before = MapText(doc);
    const std::vector<BrushFace> was(brush.m_faces, brush.m_faces + 3);
    const std::vector<ValveAxes> axesWere = brush.m_valveAxes;
    FaceFieldValue value;
    ASSERT_EQ(CheckFaceField(FaceField::kXOffset, GetParam().xOffset, gathered.valve, value),
              std::nullopt);
    {
        CMapTransaction transaction(doc, "Face Inspector");
        EXPECT_EQ(SetFaceField(transaction.Edits(), faces, value), 3u);
        transaction.Commit();
    }
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
    // Read back from the text a save writes, face by face.
    std::unique_ptr<ReadMap> saved = Read(MapText(doc));
    const CMapBrush& now = *saved->doc->GetWorldBrushes().front();
    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE("face " + std::to_string(f));
        BrushFace expected = was[f];
        // A Valve face's X offset is the one along its U axis; the whole
        // number it also keeps follows it.
        expected.xOffset = now.m_faces[f].xOffset;
        if (valve) {
            ValveAxes expectedAxes = axesWere[f];
            expectedAxes.uOffset = GetParam().expected;
            expectedAxes.line = now.m_valveAxes[f].line;
            EXPECT_EQ(now.m_valveAxes[f], expectedAxes);
        } else {
            expected.xOffset = static_cast<int16_t>(GetParam().expected);
        }
        EXPECT_EQ(now.m_faces[f], expected);
    }
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), before);
}

INSTANTIATE_TEST_SUITE_P(Forms, FaceFieldEdits,
                         ::testing::Values(FieldCase{"Standard", kStandardFaces, "-16", -16.0},
                                           FieldCase{"Valve", kValveFaces, "-16.25", -16.25}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
