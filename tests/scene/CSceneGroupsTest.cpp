#include "map/CMapEdits.h"
#include "scene/CSceneModel.h"

#include "TestSupport.h"
#include "view/BoxBrushText.h"

#include <gtest/gtest.h>

namespace {

// Rows of cubes 32 units wide with gaps, in the world, forty to a row.
std::unique_ptr<ReadMap> RowsOfCubes(int count) {
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < count; ++i) {
        const IntPoint at{i % 40 * 64, i / 40 * 64, 0};
        text += BoxBrushText(at, {at.x + 32, at.y + 32, 32});
    }
    return Read(text + "}\n");
}

size_t CountFaces(const CSceneModel& model) {
    size_t triangles = 0;
    for (const CSceneGroups::Group& group : model.GetGroups().GetGroups())
        triangles += group.mesh.indices.size() / 3;
    return triangles;
}

// A change costs the groups it touches: a moved brush rebuilds its own group,
// a deleted one its group, an undo the same again, a hover none; and what the
// groups hold afterwards is what a fresh build of the map gives.
TEST(CSceneGroups, AChangeRebuildsOnlyTheGroupsItTouches) {
    std::unique_ptr<ReadMap> read = RowsOfCubes(1000);
    CTolveDoc& doc = *read->doc;
    CSceneModel model(doc);
    ASSERT_TRUE(model.Update(SIZE_MAX));
    const uint64_t first = model.GetGroups().GetBuildCount();
    EXPECT_EQ(first, (1000 + CSceneGroups::kGroupSize - 1) / CSceneGroups::kGroupSize);
    EXPECT_EQ(CountFaces(model), 1000u * 12);

    std::vector<const CMapBrush*> brushes = BrushesInOrder(doc);
    Edit(doc, [&](CMapEdits& edits) {
        edits.MoveBrush(const_cast<CMapBrush&>(*brushes[600]), {0, 0, 8});
    });
    model.Update(SIZE_MAX);
    EXPECT_EQ(model.GetGroups().GetBuildCount(), first + 1);
    // Row 12 is shared by the second and third groups: only the brush's own
    // group holds what moved.
    Edit(doc, [&](CMapEdits& edits) {
        edits.MoveBrush(const_cast<CMapBrush&>(*brushes[500]), {0, 0, 8});
    });
    model.Update(SIZE_MAX);
    EXPECT_EQ(model.GetGroups().GetBuildCount(), first + 2);

    // A hover changes its own tint, never the set's (which may be huge).
    model.TakeSetTintChanged();
    doc.GetEditorState().SetHover({nullptr, const_cast<CMapBrush*>(brushes[10]), 0, 0, nullptr});
    model.Update(SIZE_MAX);
    EXPECT_EQ(model.GetGroups().GetBuildCount(), first + 2);
    EXPECT_FALSE(model.TakeSetTintChanged());
    EXPECT_TRUE(model.TakeHoverTintChanged());
    EXPECT_FALSE(model.GetHoverTint().empty());

    Edit(doc, [&](CMapEdits& edits) {
        edits.RemoveBrush(nullptr, const_cast<CMapBrush&>(*brushes[900]));
    });
    model.Update(SIZE_MAX);
    EXPECT_EQ(model.GetGroups().GetBuildCount(), first + 3);
    EXPECT_EQ(CountFaces(model), 999u * 12);

    doc.GetHistory().Undo(doc);
    model.Update(SIZE_MAX);
    EXPECT_EQ(CountFaces(model), 1000u * 12);
    CSceneModel fresh(doc);
    fresh.Update(SIZE_MAX);
    EXPECT_EQ(CountFaces(fresh), CountFaces(model));
}

// Texture names come in runs, each range of one texture, and the kinds the
// drawing treats apart are told by name.
TEST(SceneMesh, FacesComeInRunsOfOneTextureOfTheirKind) {
    std::unique_ptr<ReadMap> read = Read(CubeMapText());
    const CMapBrush& cube = *read->doc->GetWorldBrushes().front();
    SceneMesh mesh;
    const SceneBrush brushes[] = {{&cube, nullptr}};
    BuildSceneMesh(brushes, mesh);
    ASSERT_FALSE(mesh.ranges.empty());
    uint32_t next = 0;
    for (const SceneDrawRange& range : mesh.ranges) {
        EXPECT_EQ(range.firstIndex, next);
        next += range.indexCount;
        for (uint32_t i = range.firstIndex; i < range.firstIndex + range.indexCount; ++i)
            EXPECT_LT(mesh.indices[i], mesh.vertices.size());
    }
    EXPECT_EQ(next, mesh.indices.size());
    EXPECT_EQ(ClassifyTexture("*water0"), SceneTextureKind::kLiquid);
    EXPECT_EQ(ClassifyTexture("SKY4"), SceneTextureKind::kSky);
    EXPECT_EQ(ClassifyTexture("Clip"), SceneTextureKind::kTool);
    EXPECT_EQ(ClassifyTexture("hintskip"), SceneTextureKind::kTool);
    EXPECT_EQ(ClassifyTexture("clipboard"), SceneTextureKind::kNormal);
}

} // namespace
