#include "map/TextureApplication.h"
#include "map/TextureUses.h"

#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ApplyCase {
    const char* map;
    EditMode mode;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ApplyTexture : public ::testing::TestWithParam<ApplyCase> {
protected:
    // Every third brush of the map whole, or in face mode every second face
    // of every fourth brush: brushes of the world and of entities alike.
    CSelectionSet ChooseSome(const CTolveDoc& doc) const {
        CSelectionSet set;
        const std::vector<const CMapBrush*> brushes = BrushesInOrder(doc);
        for (size_t i = 0; i < brushes.size(); ++i) {
            auto& brush = const_cast<CMapBrush&>(*brushes[i]);
            if (GetParam().mode == kBrushMode && i % 3 == 0)
                set.Add(brush, CSelectionSet::kWholeBrush);
            if (GetParam().mode == kFaceMode && i % 4 == 1) {
                for (int face = 0; face < brush.m_numFaces; face += 2)
                    set.Add(brush, PartBit(face));
            }
        }
        return set;
    }
};

// The saved map differs from the original in the chosen faces' texture names
// alone, and Undo writes the original text again.
TEST_P(ApplyTexture, ChangesTheChosenFacesOnlyAndUndoRestoresTheFile) {
    const std::string original = ReadFileText(TestDataPath(GetParam().map));
    std::unique_ptr<ReadMap> read = Read(original);
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    const CSelectionSet set = ChooseSome(doc);
    ASSERT_FALSE(set.IsEmpty());
    const std::string name = "new_texture";
    {
        CMapTransaction transaction(doc, "Apply Texture");
        EXPECT_GT(ApplyTextureToSet(transaction.Edits(), doc, set, GetParam().mode, name), 0u);
        transaction.Commit();
    }
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
    const std::string applied = MapText(doc);

    std::unique_ptr<ReadMap> saved = Read(applied);
    const std::vector<const CMapBrush*> was = BrushesInOrder(*read->doc);
    const std::vector<const CMapBrush*> now = BrushesInOrder(*saved->doc);
    ASSERT_EQ(now.size(), was.size());
    size_t chosenFaces = 0;
    for (size_t b = 0; b < was.size(); ++b) {
        ASSERT_EQ(now[b]->m_numFaces, was[b]->m_numFaces);
        const uint64_t parts = set.PartsOf(*was[b]);
        for (int f = 0; f < was[b]->m_numFaces; ++f) {
            SCOPED_TRACE("brush " + std::to_string(b) + " face " + std::to_string(f));
            const bool chosen = GetParam().mode == kBrushMode ? parts != 0 : (parts & PartBit(f));
            BrushFace expected = was[b]->m_faces[f];
            if (chosen) {
                std::memset(expected.texture, 0, sizeof expected.texture);
                std::memcpy(expected.texture, name.data(), name.size());
                ++chosenFaces;
            }
            EXPECT_TRUE(now[b]->m_faces[f] == expected);
        }
    }
    // Line by line, only face lines changed, and only as many as faces were
    // chosen (none of the chosen faces showed the name before).
    const std::vector<std::string> beforeLines = Lines(before);
    const std::vector<std::string> appliedLines = Lines(applied);
    ASSERT_EQ(appliedLines.size(), beforeLines.size());
    size_t changedLines = 0;
    for (size_t i = 0; i < beforeLines.size(); ++i) {
        if (appliedLines[i] != beforeLines[i]) {
            ++changedLines;
            EXPECT_NE(appliedLines[i].find(name), std::string::npos) << appliedLines[i];
        }
    }
    EXPECT_EQ(changedLines, chosenFaces);

    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), before);
    EXPECT_FALSE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Maps, ApplyTexture,
                         ::testing::Values(ApplyCase{"maps/id_e1m1.map", kBrushMode},
                                           ApplyCase{"maps/id_e1m1.map", kFaceMode},
                                           ApplyCase{"maps-valve/ericw_q1_detail_fence.map",
                                                     kFaceMode}));

TEST(ApplyTextureToSet, LeavesFacesThatShowTheNameAndHoldsNoCornersOrEntities) {
    std::unique_ptr<ReadMap> read = Read(CubeDoorLightMapText());
    CTolveDoc& doc = *read->doc;
    CMapBrush& cube = *doc.GetWorldBrushes()[0];
    const std::string shown(cube.m_faces[0].texture);
    CSelectionSet set;
    set.Add(cube, PartBit(0));
    CMapTransaction transaction(doc, "Apply Texture");
    EXPECT_EQ(ApplyTextureToSet(transaction.Edits(), doc, set, kFaceMode, shown), 0u);
    EXPECT_EQ(ApplyTextureToSet(transaction.Edits(), doc, set, kCornerMode, "other"), 0u);
    EXPECT_FALSE(doc.GetHistory().KeepsStateOf(&cube));
}

TEST(CountTextureUses, CountsFacesOfEveryBrushByNameInAnyCase) {
    std::unique_ptr<ReadMap> read =
        Read("{\n\"classname\" \"worldspawn\"\n{\n" + BoxFaceLines(0, 64, "Wall") + "}\n}\n" +
             "{\n\"classname\" \"func_door\"\n{\n" + BoxFaceLines(128, 192, "WALL") + "}\n}\n");
    const TextureUses uses = CountTextureUses(*read->doc);
    ASSERT_EQ(uses.size(), 1u);
    EXPECT_EQ(uses.at("wall").faces, 12);
    EXPECT_EQ(uses.at("wall").name, "Wall");
}

} // namespace
