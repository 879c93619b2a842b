#include "map/SelectionSetEdits.h"

#include "map/CMapEdits.h"
#include "map/CMapTransaction.h"
#include "map/CMapWriter.h"
#include "map/ObjectBounds.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The cube and a slab beside it in the world; a door of one slab; a light
// aimed by "mangle" and an intermission camera looking by it.
const std::string kMap =
    CubeMapText("{\n\"classname\" \"func_door\"\n{\n" + BoxFaceLines(192, 224, "door") +
                    "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"96 32 0\"\n\"angle\" \"30\"\n"
                    "\"mangle\" \"30 10 0\"\n}\n{\n\"classname\" \"info_intermission\"\n"
                    "\"origin\" \"0 0 0\"\n\"mangle\" \"10 30 0\"\n}\n",
                "");

class SelectionSetEdits : public ::testing::Test {
protected:
    SelectionSetEdits() : m_read(Read(kMap)), m_doc(*m_read->doc) {}

    CMapBrush& Cube() { return *m_doc.GetWorldBrushes()[0]; }
    CModelEntity& Door() { return *m_doc.GetModelEntities()[0]; }
    CPointEntity& Light() { return *m_doc.GetPointEntities()[0]; }
    CPointEntity& Camera() { return *m_doc.GetPointEntities()[1]; }
    void Run(const std::function<void(CMapEdits&)>& edits) { Edit(m_doc, edits); }

    std::unique_ptr<ReadMap> m_read;
    CTolveDoc& m_doc;
};

// Every face's corners turn so that the face's normal points away from the
// brush's centre.
bool FacesPointOutward(const CMapBrush& brush) {
    Vec3d centre;
    for (int v = 0; v < brush.m_numVertices; ++v)
        centre = centre + ToVec3d(brush.m_vertices[v]) * (1.0 / brush.m_numVertices);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        const Vec3d p = ToVec3d(brush.m_vertices[face.vertexIndex[0]]);
        const Vec3d q = ToVec3d(brush.m_vertices[face.vertexIndex[1]]);
        const Vec3d r = ToVec3d(brush.m_vertices[face.vertexIndex[2]]);
        if (Dot(Cross(p - q, r - q), q - centre) <= 0.0)
            return false;
    }
    return true;
}

CSelectionSet Brushes(std::initializer_list<CMapBrush*> brushes) {
    CSelectionSet set;
    for (CMapBrush* brush : brushes)
        set.Add(*brush, CSelectionSet::kWholeBrush);
    return set;
}

} // namespace

// A brush off the grid (its centre halfway between grid lines) in every
// plane: four quarter turns or two mirrors give the very same map text, and
// every turn keeps the faces outward.
TEST_F(SelectionSetEdits, FourTurnsOrTwoMirrorsGiveTheSameTextInEveryPlane) {
    CMapBrush& slab = *m_doc.GetModelEntities()[0]->m_brushes[0];
    // Off the grid by half a step on every axis; its text is now what its
    // corners give.
    Run([&](CMapEdits& e) { e.MoveBrush(slab, {4, 4, 4}); });
    const std::string before = MapText(m_doc);
    const IntPoint centre = TurnCentreOf(*BoundsOf(slab), 8);
    using Kind = PlaneTurn::Kind;
    for (const auto& [h, v] : {std::pair{0, 1}, std::pair{0, 2}, std::pair{1, 2}}) {
        for (const Kind kind : {Kind::kTurnHToV, Kind::kTurnVToH, Kind::kMirrorH, Kind::kMirrorV}) {
            const int times = kind == Kind::kMirrorH || kind == Kind::kMirrorV ? 2 : 4;
            for (int k = 0; k < times; ++k) {
                const IntPoint turnCentre = TurnCentreOf(*BoundsOf(slab), 8);
                Run([&](CMapEdits& e) { e.TurnBrush(slab, {kind, h, v, turnCentre}); });
                ASSERT_TRUE(FacesPointOutward(slab)) << h << v << int(kind) << k;
                if (k + 1 < times) {
                    EXPECT_NE(MapText(m_doc), before);
                }
            }
            EXPECT_EQ(MapText(m_doc), before) << h << v << int(kind);
            EXPECT_EQ(TurnCentreOf(*BoundsOf(slab), 8), centre);
        }
    }
}

TEST_F(SelectionSetEdits, ATurnTakesTheBrushAboutTheCentreAndUndoBringsItBack) {
    CMapBrush& slab = *Door().m_brushes[0];
    const std::string before = MapText(m_doc);
    // x 192..224 and y -64..64 about (208, 0): a quarter from x to y.
    Run([&](CMapEdits& e) { e.TurnBrush(slab, {PlaneTurn::Kind::kTurnHToV, 0, 1, {208, 0, 0}}); });
    EXPECT_EQ(BoundsOf(slab)->min, IntPoint(144, -16, -64));
    EXPECT_EQ(BoundsOf(slab)->max, IntPoint(272, 16, 64));
    m_doc.GetHistory().Undo(m_doc);
    EXPECT_EQ(MapText(m_doc), before);
}

TEST_F(SelectionSetEdits, TheCentreSnapsToTheGridWithTiesToTheEvenLine) {
    EXPECT_EQ(TurnCentreOf({{0, 0, 0}, {24, 8, 16}}, 8), IntPoint(16, 0, 8));
    EXPECT_EQ(TurnCentreOf({{8, 0, 0}, {32, 8, 18}}, 8), IntPoint(16, 0, 8));
    EXPECT_EQ(TurnCentreOf({{-24, -8, 0}, {0, 0, 0}}, 8), IntPoint(-16, 0, 0));
    EXPECT_EQ(TurnCentreOf({{-3, 0, 0}, {0, 0, 0}}, 1), IntPoint(-2, 0, 0));
    EXPECT_EQ(TurnCentreOf({{5, 5, 5}, {6, 6, 6}}, 0), IntPoint(6, 6, 6));
}

TEST_F(SelectionSetEdits, TheYawOfAnAngleTurnsAndMirrorsOnlyWhereItCan) {
    using Kind = PlaneTurn::Kind;
    auto turn = [](Kind kind, int h, int v) { return PlaneTurn{kind, h, v, {}}; };
    EXPECT_EQ(TurnYaw(30, turn(Kind::kTurnHToV, 0, 1)), 120);
    EXPECT_EQ(TurnYaw(30, turn(Kind::kTurnVToH, 0, 1)), 300);
    EXPECT_EQ(TurnYaw(30, turn(Kind::kMirrorH, 0, 1)), 150);
    EXPECT_EQ(TurnYaw(30, turn(Kind::kMirrorV, 0, 1)), 330);
    EXPECT_EQ(TurnYaw(30, turn(Kind::kMirrorH, 1, 2)), 330); // y mirrored
    EXPECT_EQ(TurnYaw(30, turn(Kind::kMirrorV, 0, 2)), 30);  // z mirrored: yaw stays
    EXPECT_EQ(TurnYaw(30, turn(Kind::kTurnHToV, 0, 2)), 30); // an upright turn
    EXPECT_EQ(TurnYaw(-1, turn(Kind::kMirrorH, 0, 1)), -1);  // straight up
    EXPECT_EQ(TurnYaw(-2, turn(Kind::kTurnHToV, 0, 1)), -2); // straight down
}

TEST_F(SelectionSetEdits, PointEntitiesMoveAndTheirFacingTurnsWithThem) {
    CSelectionSet set;
    set.Add(Light());
    set.Add(Camera());
    Run([&](CMapEdits& e) {
        TurnObjects(e, set, kEntityMode, {PlaneTurn::Kind::kTurnHToV, 0, 1, {0, 0, 0}});
    });
    EXPECT_EQ(Light().m_origin, IntPoint(-32, 96, 0));
    EXPECT_EQ(Light().m_angle, 120);
    EXPECT_EQ(Light().m_mangle, IntPoint(120, 10, 0)); // a light aims "yaw pitch roll"
    EXPECT_EQ(Camera().m_origin, IntPoint(0, 0, 0));
    EXPECT_EQ(Camera().m_mangle, IntPoint(10, 120, 0)); // a camera looks "pitch yaw roll"
    const std::string text = MapText(m_doc);
    EXPECT_NE(text.find("\"angle\" \"120\""), std::string::npos) << text;
}

TEST_F(SelectionSetEdits, CornersOfSeveralBrushesMoveTogether) {
    CMapBrush& slab = *Door().m_brushes[0];
    CSelectionSet set;
    set.Add(Cube(), PartBit(0) | PartBit(1));
    set.Add(slab, PartBit(2));
    const IntPoint cube0 = Cube().m_vertices[0], cube1 = Cube().m_vertices[1],
                   cube2 = Cube().m_vertices[2], slab2 = slab.m_vertices[2];
    Run([&](CMapEdits& e) { MoveObjects(e, set, kCornerMode, {0, 0, 8}); });
    EXPECT_EQ(Cube().m_vertices[0], IntPoint(cube0.x, cube0.y, cube0.z + 8));
    EXPECT_EQ(Cube().m_vertices[1], IntPoint(cube1.x, cube1.y, cube1.z + 8));
    EXPECT_EQ(Cube().m_vertices[2], cube2);
    EXPECT_EQ(slab.m_vertices[2], IntPoint(slab2.x, slab2.y, slab2.z + 8));
    EXPECT_EQ(m_doc.GetHistory().GetStepCount(), 1u);
}

TEST_F(SelectionSetEdits, AFaceMovesAllItsCornersOnce) {
    CSelectionSet set;
    set.Add(Cube(), PartBit(0) | PartBit(2)); // two faces sharing an edge
    Run([&](CMapEdits& e) { MoveObjects(e, set, kFaceMode, {8, 0, 0}); });
    const std::optional<IntBox> box = BoundsOf(Cube());
    // The shared corners moved once, not twice.
    EXPECT_LE(box->max.x, 72);
    EXPECT_GE(box->min.x, -64);
}

TEST_F(SelectionSetEdits, DeletingBrushesTakesAnEmptiedEntityAlongAndSaysWhich) {
    const CSelectionSet set = Brushes({&Cube(), Door().m_brushes[0].get()});
    const std::string before = MapText(m_doc);
    std::vector<std::string> emptied;
    Run([&](CMapEdits& e) { emptied = DeleteObjects(e, m_doc, set, kBrushMode); });
    EXPECT_TRUE(m_doc.GetWorldBrushes().empty());
    EXPECT_TRUE(m_doc.GetModelEntities().empty());
    EXPECT_EQ(emptied, std::vector<std::string>{"func_door"});
    m_doc.GetHistory().Undo(m_doc);
    EXPECT_EQ(MapText(m_doc), before);
}

TEST_F(SelectionSetEdits, ACopyKeepsMapOrderAndOneEntityPerOwner) {
    Run([&](CMapEdits& e) {
        auto second = std::make_unique<CMapBrush>(*Door().m_brushes[0]);
        e.AddBrush(&Door(), std::move(second));
    });
    CSelectionSet set = Brushes({Door().m_brushes[1].get(), &Cube(), Door().m_brushes[0].get()});
    const MapFragment fragment = FragmentOfSet(m_doc, set, kBrushMode);
    ASSERT_EQ(fragment.worldBrushes.size(), 1u);
    ASSERT_EQ(fragment.modelEntities.size(), 1u);
    EXPECT_EQ(fragment.modelEntities[0]->m_brushes.size(), 2u);
    EXPECT_EQ(fragment.modelEntities[0]->m_classname, "func_door");
    EXPECT_TRUE(FragmentOfSet(m_doc, CSelectionSet(), kBrushMode).IsEmpty());
}

TEST_F(SelectionSetEdits, ADuplicateIsMovedAndBecomesTheNewSet) {
    const CSelectionSet set = Brushes({&Cube(), Door().m_brushes[0].get()});
    CSelectionSet copies;
    Run([&](CMapEdits& e) { copies = DuplicateObjects(e, m_doc, set, kBrushMode, {8, -8, 0}); });
    ASSERT_EQ(m_doc.GetWorldBrushes().size(), 2u);
    ASSERT_EQ(m_doc.GetModelEntities().size(), 2u);
    const CMapBrush& copy = *m_doc.GetWorldBrushes()[1];
    EXPECT_EQ(BoundsOf(copy)->min, IntPoint(-56, -72, -64));
    EXPECT_TRUE(copies.Contains(copy));
    EXPECT_TRUE(copies.Contains(*m_doc.GetModelEntities()[1]->m_brushes[0]));
    EXPECT_FALSE(copies.Contains(Cube()));
    EXPECT_EQ(copies.CountParts(), 2u);

    CSelectionSet lights;
    lights.Add(Light());
    Run([&](CMapEdits& e) { copies = DuplicateObjects(e, m_doc, lights, kEntityMode, {8, 0, 0}); });
    ASSERT_EQ(m_doc.GetPointEntities().size(), 3u);
    EXPECT_EQ(m_doc.GetPointEntities()[2]->m_origin, IntPoint(104, 32, 0));
    EXPECT_TRUE(copies.Contains(*m_doc.GetPointEntities()[2]));
}

TEST_F(SelectionSetEdits, BrushesMoveToAnEntityAndBackToTheWorld) {
    const std::string before = MapText(m_doc);
    const CSelectionSet set = Brushes({&Cube()});
    Run([&](CMapEdits& e) { MoveBrushesToOwner(e, m_doc, set, &Door()); });
    EXPECT_TRUE(m_doc.GetWorldBrushes().empty());
    ASSERT_EQ(Door().m_brushes.size(), 2u);
    const CSelectionSet both = Brushes({Door().m_brushes[0].get(), Door().m_brushes[1].get()});
    Run([&](CMapEdits& e) { MoveBrushesToOwner(e, m_doc, both, nullptr); });
    EXPECT_EQ(m_doc.GetWorldBrushes().size(), 2u);
    EXPECT_TRUE(m_doc.GetModelEntities().empty()); // the emptied door went
    m_doc.GetHistory().Undo(m_doc);
    m_doc.GetHistory().Undo(m_doc);
    EXPECT_EQ(MapText(m_doc), before);
}

TEST_F(SelectionSetEdits, TheBoundsOfASetFollowItsMode) {
    CSelectionSet set;
    set.Add(Cube(), PartBit(0));
    const IntPoint corner = Cube().m_vertices[0];
    EXPECT_EQ(BoundsOfSet(set, kCornerMode), (IntBox{corner, corner}));
    EXPECT_EQ(BoundsOfSet(set, kBrushMode), BoundsOf(Cube()));
    EXPECT_FALSE(BoundsOfSet(CSelectionSet(), kBrushMode));
}
