#include "scene/ScenePicking.h"

#include "TestSupport.h"
#include "bench/CLargeMapGenerator.h"
#include "map/TextureProjection.h"
#include "view/BoxBrushText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Two world boxes one behind the other along +X, a door beside them and a
// player start above the first.
std::unique_ptr<ReadMap> SmallMap() {
    return Read("{\n\"classname\" \"worldspawn\"\n" + BoxBrushText({0, 0, 0}, {64, 64, 64}) +
                BoxBrushText({128, 0, 0}, {192, 64, 64}) + "}\n{\n\"classname\" \"func_door\"\n" +
                BoxBrushText({0, 128, 0}, {64, 192, 64}) +
                "}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"32 32 200\"\n}\n");
}

struct Rays {
    std::unique_ptr<ReadMap> read = SmallMap();
    CTolveDoc& doc = *read->doc;
    CMapBrush& near = *doc.GetWorldBrushes()[0];
    CMapBrush& far = *doc.GetWorldBrushes()[1];
    CModelEntity& door = *doc.GetModelEntities()[0];
    CPointEntity& start = *doc.GetPointEntities()[0];
};

// Along +X from (-200, y, z).
SceneRay AlongX(double y, double z, double x = -200) {
    return {{x, y, z}, {1, 0, 0}};
}

TEST(ScenePicking, FindsTheNearestShownFaceAlongTheRay) {
    Rays m;
    ScenePick pick = PickAlongRay(m.doc, AlongX(10, 50));
    ASSERT_EQ(pick.brush, &m.near);
    EXPECT_EQ(pick.owner, nullptr);
    EXPECT_EQ(GetFaceNormal(m.near, pick.face), (Vec3d{-1, 0, 0}));
    EXPECT_DOUBLE_EQ(pick.distance, 200);
    EXPECT_EQ(pick.point, (Vec3d{0, 10, 50}));

    // From inside the first box its faces turn away: the one behind is hit.
    pick = PickAlongRay(m.doc, AlongX(10, 50, 32));
    EXPECT_EQ(pick.brush, &m.far);
    EXPECT_DOUBLE_EQ(pick.distance, 96);

    pick = PickAlongRay(m.doc, {{48, 160, 1000}, Normalized({-1, 0, -64})});
    EXPECT_EQ(pick.owner, &m.door);
    EXPECT_EQ(GetFaceNormal(*pick.brush, pick.face), (Vec3d{0, 0, 1}));
    EXPECT_NEAR(pick.point.z, 64, 1e-9);

    pick = PickAlongRay(m.doc, {{40, 20, 1000}, {0, 0, -1}});
    EXPECT_EQ(pick.pointEntity, &m.start);
    EXPECT_DOUBLE_EQ(pick.distance, 1000 - 216);

    EXPECT_FALSE(PickAlongRay(m.doc, AlongX(100, 50)).IsHit());
    EXPECT_FALSE(PickAlongRay(m.doc, {{0, 0, 0}, {0, 0, 0}}).IsHit());
}

// Hidden objects are never hit: the ray goes on to what is shown behind them.
TEST(ScenePicking, PassesThroughWhatTheLimitsHide) {
    Rays m;
    CEditorState& state = m.doc.GetEditorState();
    state.SetUpperLimit({96, 25000, 150}); // x from 96 up, z below 150
    EXPECT_EQ(PickAlongRay(m.doc, AlongX(10, 50)).brush, &m.far);
    EXPECT_FALSE(PickAlongRay(m.doc, {{40, 20, 1000}, {0, 0, -1}}).IsHit());
    state.ClearLimits();
    EXPECT_EQ(PickAlongRay(m.doc, {{40, 20, 1000}, {0, 0, -1}}).pointEntity, &m.start);
}

// Hidden objects are passed through as those beyond the limits are.
TEST(ScenePicking, PassesThroughWhatIsHidden) {
    Rays m;
    CSelectionSet hidden;
    hidden.Add(m.near, CSelectionSet::kWholeBrush);
    hidden.Add(m.start);
    m.doc.GetEditorState().Hide(hidden);
    EXPECT_EQ(PickAlongRay(m.doc, AlongX(10, 50)).brush, &m.far);
    EXPECT_EQ(PickAlongRayTestingEveryBrush(m.doc, AlongX(10, 50)).brush, &m.far);
    EXPECT_FALSE(PickAlongRay(m.doc, {{40, 20, 1000}, {0, 0, -1}}).IsHit());
    const CSceneLimits limits(m.doc.GetEditorState());
    EXPECT_FALSE(limits.Shows(m.near));
    EXPECT_FALSE(limits.Shows(m.start));
    EXPECT_TRUE(limits.Shows(m.far));

    // A locked box is drawn, but the ray passes through it.
    m.doc.GetEditorState().ShowAll();
    CSelectionSet locked;
    locked.Add(m.near, CSelectionSet::kWholeBrush);
    m.doc.GetEditorState().Lock(locked);
    EXPECT_EQ(PickAlongRay(m.doc, AlongX(10, 50)).brush, &m.far);
    EXPECT_TRUE(CSceneLimits(m.doc.GetEditorState()).Shows(m.near));
    EXPECT_FALSE(CSceneLimits(m.doc.GetEditorState(), SceneUse::kPicking).Shows(m.near));
}

struct ModeCase {
    EditMode mode;
    int target; // 0: world box, 1: door, 2: player start
};

class HoverFromPickTest : public testing::TestWithParam<ModeCase> {};

// Each mode hovers what its flat views would: a corner, a face, a brush, an
// entity; the world is no entity.
TEST_P(HoverFromPickTest, HoversWhatTheModePicks) {
    Rays m;
    const SceneRay rays[] = {AlongX(10, 50), AlongX(150, 50), {{40, 20, 1000}, {0, 0, -1}}};
    const EditMode mode = GetParam().mode;
    const int target = GetParam().target;
    const ScenePick pick = PickAlongRay(m.doc, rays[target]);
    const HoverSelection hover = HoverFromPick(pick, mode, CSceneLimits(m.doc.GetEditorState()));
    HoverSelection expected;
    if (target == 2) {
        expected.pointEntity = &m.start;
    } else if (mode != kEntityMode || target == 1) {
        expected.brush = pick.brush;
        expected.entity = target == 1 ? &m.door : nullptr;
        expected.face = mode == kFaceMode ? static_cast<uint8_t>(pick.face) : 0;
    }
    if (mode == kCornerMode && target != 2) {
        const IntPoint corner = target == 0 ? IntPoint{0, 0, 64} : IntPoint{0, 128, 64};
        ASSERT_LT(hover.vertex, pick.brush->m_numVertices);
        EXPECT_EQ(pick.brush->m_vertices[hover.vertex], corner);
        expected.vertex = hover.vertex;
    }
    EXPECT_EQ(hover, expected);
}

INSTANTIATE_TEST_SUITE_P(SceneModes, HoverFromPickTest,
                         testing::Values(ModeCase{kCornerMode, 0}, ModeCase{kCornerMode, 1},
                                         ModeCase{kFaceMode, 0}, ModeCase{kBrushMode, 1},
                                         ModeCase{kEntityMode, 0}, ModeCase{kEntityMode, 1},
                                         ModeCase{kEntityMode, 2}, ModeCase{kBrushMode, 2}));

// Passing over boxes the ray misses never changes the pick: rays from all over
// a generated map, with and without limits.
TEST(ScenePicking, SearchOfTheBoxesFindsWhatTestingEveryBrushFinds) {
    const GeneratedMap generated = CLargeMapGenerator().GenerateMap(3000);
    std::unique_ptr<ReadMap> read = Read(generated.text);
    CTolveDoc& doc = *read->doc;
    std::optional<IntBox> bounds;
    doc.GetBrushBoxes(); // builds the runs
    for (const auto& run : doc.GetBrushRunBoxes())
        Grow(bounds, run);
    ASSERT_TRUE(bounds);
    std::mt19937 random(5);
    auto within = [&](int axis) {
        return std::uniform_real_distribution<double>(bounds->min.Component(axis),
                                                      bounds->max.Component(axis))(random);
    };
    std::normal_distribution<double> component;
    int hits = 0;
    for (int i = 0; i < 600; ++i) {
        if (i == 300)
            doc.GetEditorState().SetLowerLimit({int32_t(within(0)), -25000, int32_t(within(2))});
        const SceneRay ray{{within(0), within(1), within(2)},
                           Normalized({component(random), component(random), component(random)})};
        const ScenePick fast = PickAlongRay(doc, ray);
        const ScenePick plain = PickAlongRayTestingEveryBrush(doc, ray);
        ASSERT_EQ(fast.brush, plain.brush) << i;
        EXPECT_EQ(fast.face, plain.face);
        EXPECT_EQ(fast.pointEntity, plain.pointEntity);
        EXPECT_EQ(fast.distance, plain.distance);
        hits += fast.IsHit();
    }
    EXPECT_GT(hits, 300); // the rays mostly start inside rooms
}

} // namespace
