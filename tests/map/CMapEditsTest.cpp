#include "map/CMapTransaction.h"
#include "map/PlaneTurn.h"

#include "CNoticeRecorder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// A world cube, a door with a cube, a light; every edit is heard, and marks
// the document modified once its transaction commits.
struct EditFixture {
    CTolveDoc doc;
    CNoticeRecorder views;
    std::optional<CMapTransaction> transaction;
    CMapEdits& Edits() {
        if (!transaction)
            transaction.emplace(doc, "Edit");
        return transaction->Edits();
    }
    EditFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(CubeDoorLightMapText(), diagnostics);
        doc.AddView(&views);
    }
    ~EditFixture() { doc.RemoveView(&views); }
    CMapBrush& World() { return *doc.GetWorldBrushes()[0]; }
    CModelEntity& Door() { return *doc.GetModelEntities()[0]; }
    CPointEntity& Light() { return *doc.GetPointEntities()[0]; }
    // Once, with `notice`: an edit of one brush or point entity names the area
    // it touched, anything else asks for a full repaint.
    void ExpectHeardOnce(const MapNotice& notice = MapNotice::Repaint()) {
        EXPECT_EQ(views.m_notices, std::vector<MapNotice>{notice});
        views.m_notices.clear();
        ASSERT_TRUE(transaction);
        transaction->Commit();
        transaction.reset();
        EXPECT_TRUE(doc.IsModified());
        doc.GetHistory().MarkClean();
    }
};

// The box around the cube from -64 to 64, grown to `min` and `max`.
MapNotice CubeArea(IntPoint min = {-64, -64, -64}, IntPoint max = {64, 64, 64}) {
    return MapNotice::Area({min, max});
}

MapNotice PointArea(IntPoint min, IntPoint max) {
    return MapNotice::Area({min, max});
}

bool SameBrush(const CMapBrush& a, const CMapBrush& b) {
    return a.m_numVertices == b.m_numVertices && a.m_numFaces == b.m_numFaces &&
           std::equal(a.m_vertices, a.m_vertices + a.m_numVertices, b.m_vertices) &&
           std::memcmp(a.m_faces, b.m_faces, sizeof(BrushFace) * a.m_numFaces) == 0;
}

} // namespace

TEST(CMapEdits, MovesNameTheAreaTheyTouched) {
    EditFixture f;
    const IntPoint corner = f.World().m_vertices[2];
    const int moved[] = {2, 64, -1}; // stale indices move nothing
    f.Edits().MoveVertices(f.World(), moved, {8, 0, 0});
    EXPECT_EQ(f.World().m_vertices[2], IntPoint(corner.x + 8, corner.y, corner.z));
    f.ExpectHeardOnce(CubeArea({-64, -64, -64}, {std::max(64, corner.x + 8), 64, 64}));

    f.Edits().MoveBrush(f.Door().m_brushes[0].operator*(), {0, 0, -16});
    EXPECT_EQ(f.Door().m_brushes[0]->m_vertices[0].z, 64 - 16);
    f.ExpectHeardOnce(CubeArea({-64, -64, -64 - 16}));

    f.Edits().MovePointEntity(f.Light(), {1, 2, 3});
    EXPECT_EQ(f.Light().m_origin, IntPoint(1, 2, 3));
    f.ExpectHeardOnce(PointArea({0, 0, 0}, {1, 2, 3}));
}

TEST(CMapEdits, AddAndRemoveKeepListPositionsAndClearTheSelection) {
    EditFixture f;
    auto copy = std::make_unique<CMapBrush>(f.World());
    CMapBrush* added = copy.get();
    EXPECT_EQ(&f.Edits().AddBrush(&f.Door(), std::move(copy), 0), added);
    EXPECT_EQ(f.Door().m_brushes[0].get(), added);
    f.ExpectHeardOnce(CubeArea());

    f.doc.GetEditorState().SetSelectedEntity(&f.Door());
    f.doc.GetEditorState().SetSelectedBrush(added);
    f.views.m_notices.clear(); // only what the edit below tells
    EXPECT_EQ(f.Edits().RemoveBrush(&f.Door(), *added), BrushRemoval::kBrush);
    EXPECT_EQ(f.Door().m_brushes.size(), 1u);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedEntity(), nullptr);
    // The door's other brushes are no longer the selected entity's, wherever
    // they are.
    f.ExpectHeardOnce(MapNotice::Repaint());
    // Not in that list: nothing happens, nothing is heard, no step is left.
    EXPECT_EQ(f.Edits().RemoveBrush(nullptr, *f.Door().m_brushes[0]), BrushRemoval::kNotFound);
    EXPECT_TRUE(f.views.m_notices.empty());
    f.transaction->Commit();
    f.transaction.reset();
    EXPECT_FALSE(f.doc.IsModified());

    f.doc.GetEditorState().SetSelectedPointEntity(&f.Light());
    f.views.m_notices.clear(); // only what the edit below tells
    EXPECT_TRUE(f.Edits().RemovePointEntity(f.Light()));
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    EXPECT_TRUE(f.doc.GetPointEntities().empty());
    f.ExpectHeardOnce(PointArea({0, 0, 0}, {0, 0, 0}));
    f.Edits().AddPointEntity(std::make_unique<CPointEntity>());
    EXPECT_EQ(f.doc.GetPointEntities().size(), 1u);
    f.ExpectHeardOnce(PointArea({0, 0, 0}, {0, 0, 0}));

    CModelEntity* door = &f.Door();
    f.doc.GetEditorState().SetSelectedEntity(door);
    f.doc.GetEditorState().SetSelectedBrush(door->m_brushes[0].get());
    f.views.m_notices.clear(); // only what the edit below tells
    EXPECT_TRUE(f.Edits().RemoveModelEntity(*door));
    EXPECT_TRUE(f.doc.GetModelEntities().empty()); // its brushes went with it
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    f.ExpectHeardOnce();
}

TEST(CMapEdits, BrushMovesToAnotherOwnerAndTheSelectionFollows) {
    EditFixture f;
    CMapBrush* world = &f.World();
    f.doc.GetEditorState().SetSelectedBrush(world);
    f.views.m_notices.clear(); // only what the edit below tells
    f.Edits().MoveBrushToOwner(*world, nullptr, &f.Door());
    EXPECT_TRUE(f.doc.GetWorldBrushes().empty());
    EXPECT_EQ(f.Door().m_brushes.back().get(), world);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedEntity(), &f.Door());
    f.ExpectHeardOnce();
}

TEST(CMapEdits, SettingKeysLeavesBrushesAndTextureTextsGo) {
    EditFixture f;
    CModelEntityKeys keys = f.Door();
    keys.m_classname = "func_plat";
    keys.m_hasSpeed = true;
    keys.m_speed = 150;
    CMapBrush* brush = f.Door().m_brushes[0].get();
    f.Edits().SetModelEntityKeys(f.Door(), keys);
    EXPECT_EQ(f.Door().m_classname, "func_plat");
    EXPECT_EQ(f.Door().m_brushes[0].get(), brush);
    f.ExpectHeardOnce();

    CPointEntity light = f.Light();
    light.m_light = 300;
    light.m_hasLight = true;
    light.m_origin = {0, -32, 16};
    f.Edits().SetPointEntityKeys(f.Light(), light);
    EXPECT_EQ(f.Light().m_light, 300);
    f.ExpectHeardOnce(PointArea({0, -32, 0}, {0, 0, 16}));

    CWorldKeys world = f.doc;
    world.m_worldMessage = "The Hall";
    f.Edits().SetWorldKeys(world);
    EXPECT_EQ(f.doc.m_worldMessage, "The Hall");
    f.ExpectHeardOnce();

    f.World().m_keptText = std::make_unique<KeptBrushText>();
    f.World().m_keptText->textures.push_back({0, "wall 23.5 0 0 1 1"});
    FaceTexture texture;
    std::strcpy(texture.texture, "metal");
    texture.xOffset = 24;
    f.Edits().SetFaceTexture(f.World(), 0, texture);
    EXPECT_STREQ(f.World().m_faces[0].texture, "metal");
    EXPECT_EQ(f.World().m_faces[0].xOffset, 24);
    EXPECT_EQ(f.World().m_keptText->FindTextureText(0), nullptr);
    f.ExpectHeardOnce(CubeArea());
    f.Edits().SetFaceTexture(f.World(), 6, texture); // no such face
    EXPECT_TRUE(f.views.m_notices.empty());
    EXPECT_FALSE(f.transaction->HasChanges());
}

TEST(CMapBrush, ACopyIsEqualAndIndependent) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    std::string faces = kCubeFaceLines;
    faces += "( 0 0 0 ) ( 1 1 1 ) ( 2 2 2 ) wall 0.5 0 0 1 1\n"; // kept as a hidden face
    doc.ReadMapText("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n", diagnostics);
    const CMapBrush& original = *doc.GetWorldBrushes().at(0);
    ASSERT_NE(original.m_readPlanes, nullptr);
    CMapBrush copy(original);
    EXPECT_TRUE(SameBrush(copy, original));
    EXPECT_EQ(copy, original);
    EXPECT_NE(copy.m_readPlanes.get(), original.m_readPlanes.get());
    EXPECT_EQ(copy.m_readPlanes->hidden.at(0).text, original.m_readPlanes->hidden.at(0).text);
    copy.m_vertices[0].x += 1;
    EXPECT_FALSE(SameBrush(copy, original));
    EXPECT_NE(copy, original);
    copy = original;
    copy.m_readPlanes->hidden[0].text += ' '; // written differently
    EXPECT_NE(copy, original);

    CModelEntity door;
    door.m_classname = "func_door";
    door.m_brushes.push_back(std::make_unique<CMapBrush>(original));
    CModelEntity doorCopy(door);
    EXPECT_EQ(doorCopy.m_classname, "func_door");
    ASSERT_EQ(doorCopy.m_brushes.size(), 1u);
    EXPECT_NE(doorCopy.m_brushes[0].get(), door.m_brushes[0].get());
    EXPECT_TRUE(SameBrush(*doorCopy.m_brushes[0], *door.m_brushes[0]));
}

// A brush kept as text alone is not drawn and has no area to name.
TEST(CMapEdits, ABrushWithoutCornersAsksForAFullRepaint) {
    EditFixture f;
    auto bare = std::make_unique<CMapBrush>();
    CMapBrush& added = *bare;
    f.Edits().AddBrush(nullptr, std::move(bare));
    f.ExpectHeardOnce();
    f.Edits().RemoveBrush(nullptr, added);
    f.ExpectHeardOnce();
}

TEST(CMapEdits, BrushMovesToAGivenPlaceOfAnotherOwner) {
    EditFixture f;
    CMapBrush* world = &f.World();
    CMapBrush* door = f.Door().m_brushes[0].get();
    f.Edits().MoveBrushToOwner(*world, nullptr, &f.Door(), 0);
    ASSERT_EQ(f.Door().m_brushes.size(), 2u);
    EXPECT_EQ(f.Door().m_brushes[0].get(), world);
    EXPECT_EQ(f.Door().m_brushes[1].get(), door);
}

// Reading a map's file again trades the whole map; a second trade gives back
// the very objects the history points at.
TEST(CMapEdits, ExchangingContentsTradesTheWholeMapAndTradesItBack) {
    EditFixture f;
    CMapBrush* world = &f.World();
    CPointEntity* light = &f.Light();
    f.doc.m_worldMessage = "mine";
    f.doc.GetEditorState().SetSelectedBrush(world);
    f.doc.GetEditorState().SetSelectedPointEntity(light);
    f.views.m_notices.clear(); // only what the edit below tells
    MapFragment other;         // a Valve map with nothing but a message
    other.world.m_worldMessage = "theirs";
    other.format = MapFormat::kValve;

    const std::string mine = MapText(f.doc);
    f.Edits().ExchangeContents(std::move(other));
    f.ExpectHeardOnce();
    EXPECT_EQ(f.doc.m_worldMessage, "theirs");
    EXPECT_TRUE(f.doc.GetWorldBrushes().empty());
    EXPECT_TRUE(f.doc.GetPointEntities().empty());
    EXPECT_EQ(f.doc.m_mapFormat, MapFormat::kValve);
    EXPECT_FALSE(f.doc.m_textureWad.IsNamed()) << "as a map without one opens";
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedPointEntity(), nullptr);

    f.doc.GetHistory().Undo(f.doc);
    EXPECT_EQ(f.doc.m_worldMessage, "mine");
    EXPECT_EQ(f.doc.GetWorldBrushes()[0].get(), world);
    EXPECT_EQ(f.doc.GetPointEntities()[0].get(), light);
    EXPECT_EQ(f.doc.m_mapFormat, MapFormat::kStandard);
    EXPECT_EQ(MapText(f.doc), mine);
}

// The box a brush keeps around its corners is the one its corners give after
// every kind of change, undone and redone included.
TEST(CMapBrushBounds, FollowEveryEditUndoAndRedo) {
    EditFixture f;
    auto expectKept = [&](const char* after) {
        for (const CMapBrush* brush : {&f.World(), f.Door().m_brushes[0].get()}) {
            std::optional<IntBox> fresh;
            for (int v = 0; v < brush->m_numVertices; ++v)
                Grow(fresh, brush->m_vertices[v]);
            ASSERT_NE(brush->GetBounds(), nullptr) << after;
            EXPECT_EQ(*brush->GetBounds(), *fresh) << after;
        }
    };
    auto commit = [&] {
        f.transaction->Commit();
        f.transaction.reset();
    };
    expectKept("reading");
    const int corner[] = {0};
    f.Edits().MoveVertices(f.World(), corner, IntPoint(-40, 0, 7));
    expectKept("a corner moved");
    f.Edits().MoveBrush(*f.Door().m_brushes[0], IntPoint(1000, -3, 5));
    expectKept("a brush moved");
    f.Edits().TurnBrush(f.World(),
                        PlaneTurn{PlaneTurn::Kind::kTurnHToV, 0, 1, IntPoint(500, 0, 0)});
    expectKept("a turn");
    commit();
    f.doc.GetHistory().Undo(f.doc);
    expectKept("undo");
    f.doc.GetHistory().Redo(f.doc);
    expectKept("redo");
    CMapBrush copy(f.World());
    f.Edits().MoveBrush(f.World(), IntPoint(8, 8, 8));
    commit();
    EXPECT_NE(*copy.GetBounds(), *f.World().GetBounds()); // a copy is a brush of its own
}

// The map's box index lists every brush in map order with its box, whatever
// the edits did: moves, turns, brushes added, removed, moved between owners,
// entities going with their last brush, undone and redone, and a new read.
TEST(CBrushBoxIndex, MatchesTheMapAfterEveryKindOfEdit) {
    EditFixture f;
    auto expectMatches = [&](const std::string& after) {
        std::vector<CBrushBoxIndex::Entry> expected;
        auto add = [&](const BrushList& brushes, CModelEntity* owner) {
            for (const auto& brush : brushes) {
                std::optional<IntBox> box;
                for (int v = 0; v < brush->m_numVertices; ++v)
                    Grow(box, brush->m_vertices[v]);
                expected.push_back({box.value_or(IntBox{{1, 1, 1}, {0, 0, 0}}), brush.get(), owner,
                                    brush->IsAlignedBox()});
            }
        };
        add(f.doc.GetWorldBrushes(), nullptr);
        for (const auto& entity : f.doc.GetModelEntities())
            add(entity->m_brushes, entity.get());
        const auto& entries = f.doc.GetBrushBoxes();
        ASSERT_EQ(entries.size(), expected.size()) << after;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].brush, expected[i].brush) << after << " " << i;
            EXPECT_EQ(entries[i].owner, expected[i].owner) << after << " " << i;
            EXPECT_EQ(entries[i].box, expected[i].box) << after << " " << i;
            EXPECT_EQ(entries[i].alignedBox, expected[i].alignedBox) << after << " " << i;
        }
    };
    auto step = [&](const std::string& name, const auto& edit) {
        edit();
        expectMatches(name);
        f.transaction->Commit();
        f.transaction.reset();
        f.doc.GetHistory().Undo(f.doc);
        expectMatches(name + ", undone");
        f.doc.GetHistory().Redo(f.doc);
        expectMatches(name + ", redone");
    };
    expectMatches("reading");
    step("a brush moved", [&] { f.Edits().MoveBrush(f.World(), IntPoint(64, 0, 0)); });
    step("a corner moved", [&] {
        const int corner[] = {3};
        f.Edits().MoveVertices(*f.Door().m_brushes[0], corner, IntPoint(0, 0, 32));
    });
    step("a turn", [&] {
        f.Edits().TurnBrush(f.World(), PlaneTurn{PlaneTurn::Kind::kMirrorH, 0, 1, IntPoint()});
    });
    step("a brush added at the front", [&] {
        f.Edits().AddBrush(nullptr, std::make_unique<CMapBrush>(*f.Door().m_brushes[0]), 0);
    });
    step("a brush to the door",
         [&] { f.Edits().MoveBrushToOwner(*f.doc.GetWorldBrushes()[0], nullptr, &f.Door()); });
    step("the door's last brushes out", [&] {
        while (!f.doc.GetModelEntities().empty()) {
            CModelEntity& door = *f.doc.GetModelEntities()[0];
            f.Edits().RemoveBrush(&door, *door.m_brushes[0]);
        }
    });
    CRecordingDiagnostics diagnostics;
    f.doc.DeleteContents();
    expectMatches("emptied");
    f.doc.ReadMapText(CubeDoorLightMapText(), diagnostics);
    expectMatches("read again");
}
