#include "map/CMapTransaction.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

std::unique_ptr<ReadMap> ReadDataMap(const std::string& relative) {
    return Read(ReadFileText(TestDataPath(relative)));
}

CModelEntity* FindEntityWithBrushes(CTolveDoc& doc, size_t count) {
    for (auto& entity : doc.GetModelEntities()) {
        if (entity->m_brushes.size() == count)
            return entity.get();
    }
    return nullptr;
}

CPointEntity* FindPointEntity(CTolveDoc& doc, const std::string& classname) {
    for (auto& entity : doc.GetPointEntities()) {
        if (entity->m_classname == classname)
            return entity.get();
    }
    return nullptr;
}

// Copies of every brush of the map, in file order: alike to the map's
// brushes in everything a save writes of them, and in nothing else.
std::vector<CMapBrush> BrushCopies(const CTolveDoc& doc) {
    std::vector<CMapBrush> copies;
    for (const CMapBrush* brush : BrushesInOrder(doc))
        copies.push_back(*brush);
    return copies;
}

struct NamedEdit {
    const char* name;
    std::function<void(CMapEdits&, CTolveDoc&)> run;
};

// One of each edit the map knows, on objects every test map has: a world
// brush, brush entities of one brush and of several, a light.
std::vector<NamedEdit> EveryEdit() {
    auto world = [](CTolveDoc& doc) -> CMapBrush& { return *doc.GetWorldBrushes().at(3); };
    return {
        {"corner",
         [=](CMapEdits& e, CTolveDoc& d) {
             const int corners[] = {0, 2};
             e.MoveVertices(world(d), corners, {0, 0, 8});
         }},
        {"brush",
         [=](CMapEdits& e, CTolveDoc& d) {
             e.MoveBrush(world(d), {16, -8, 0});
         }},
        {"point entity",
         [](CMapEdits& e, CTolveDoc& d) {
             e.MovePointEntity(*FindPointEntity(d, "info_player_start"), {-8, 8, 8});
         }},
        {"add brush",
         [=](CMapEdits& e, CTolveDoc& d) {
             e.AddBrush(FindEntityWithBrushes(d, 1), std::make_unique<CMapBrush>(world(d)), 0);
         }},
        {"remove brush", [=](CMapEdits& e, CTolveDoc& d) { e.RemoveBrush(nullptr, world(d)); }},
        {"remove last brush",
         [](CMapEdits& e, CTolveDoc& d) {
             CModelEntity* owner = FindEntityWithBrushes(d, 1);
             EXPECT_EQ(e.RemoveBrush(owner, *owner->m_brushes[0]), BrushRemoval::kBrushAndEntity);
         }},
        {"add point entity",
         [](CMapEdits& e, CTolveDoc& d) {
             e.AddPointEntity(
                 std::make_unique<CPointEntity>(*FindPointEntity(d, "info_player_start")), 1);
         }},
        {"remove point entity",
         [](CMapEdits& e, CTolveDoc& d) {
             EXPECT_TRUE(e.RemovePointEntity(*FindPointEntity(d, "info_player_start")));
         }},
        {"add brush entity",
         [=](CMapEdits& e, CTolveDoc& d) {
             auto entity = std::make_unique<CModelEntity>();
             entity->m_classname = "func_wall";
             entity->m_brushes.push_back(std::make_unique<CMapBrush>(world(d)));
             e.AddModelEntity(std::move(entity), 0);
         }},
        {"remove brush entity",
         [](CMapEdits& e, CTolveDoc& d) {
             EXPECT_TRUE(e.RemoveModelEntity(*d.GetModelEntities().back()));
         }},
        {"owner",
         [=](CMapEdits& e, CTolveDoc& d) {
             e.MoveBrushToOwner(world(d), nullptr, d.GetModelEntities().back().get(), 0);
         }},
        {"owner emptied",
         [](CMapEdits& e, CTolveDoc& d) {
             CModelEntity* owner = FindEntityWithBrushes(d, 1);
             e.MoveBrushToOwner(*owner->m_brushes[0], owner, nullptr, 2);
         }},
        {"point keys",
         [](CMapEdits& e, CTolveDoc& d) {
             CPointEntity& light = *FindPointEntity(d, "info_player_start");
             CPointEntity keys = light;
             keys.m_classname = "light_fluoro";
             keys.m_otherPairs.push_back({"_color", "1 0.5 0"});
             e.SetPointEntityKeys(light, keys);
         }},
        {"brush entity keys",
         [](CMapEdits& e, CTolveDoc& d) {
             CModelEntity& entity = *d.GetModelEntities().front();
             CModelEntityKeys keys = entity;
             keys.m_targetname = "t99";
             e.SetModelEntityKeys(entity, keys);
         }},
        {"world keys",
         [](CMapEdits& e, CTolveDoc& d) {
             CWorldKeys keys = d;
             keys.m_worldMessage = "Changed";
             keys.m_worldOtherPairs.clear();
             e.SetWorldKeys(keys);
         }},
        {"face texture",
         [=](CMapEdits& e, CTolveDoc& d) {
             FaceTexture texture;
             std::strcpy(texture.texture, "sky4");
             texture.xOffset = 12;
             texture.rotation = 45;
             texture.xScale = 0.5f;
             e.SetFaceTexture(world(d), 1, texture);
         }},
        {"several at once",
         [=](CMapEdits& e, CTolveDoc& d) {
             CMapBrush& brush = world(d);
             e.MoveBrush(brush, {8, 0, 0});
             e.MoveBrush(brush, {8, 0, 0});
             e.MoveBrushToOwner(brush, nullptr, d.GetModelEntities().front().get());
             e.RemoveBrush(d.GetModelEntities().front().get(), brush);
         }},
    };
}

} // namespace

// The map text before, after, before and after again is the very same text,
// and every brush the very same brush, for every edit, in both forms, with
// whatever the file kept as read.
TEST(CMapHistory, EveryEditUndoesAndRedoesToTheSameText) {
    for (const char* map : {"maps/id_dm1.map", "maps-valve/ericw_q1_hull1_content_types.map"}) {
        for (const NamedEdit& edit : EveryEdit()) {
            SCOPED_TRACE(std::string(map) + ": " + edit.name);
            std::unique_ptr<ReadMap> read = ReadDataMap(map);
            CTolveDoc& doc = *read->doc;
            ASSERT_NE(FindEntityWithBrushes(doc, 1), nullptr);
            ASSERT_NE(FindPointEntity(doc, "info_player_start"), nullptr);
            // A texture part its fields cannot hold, which an edit of the
            // brush's texture takes away.
            if (doc.m_mapFormat == MapFormat::kStandard)
                doc.GetWorldBrushes().at(3)->KeepTextureText(1, "wall 0.5 -0.25 0 1 1");
            const std::string before = MapText(doc);
            const std::vector<CMapBrush> brushesBefore = BrushCopies(doc);
            CMapTransaction transaction(doc, edit.name);
            edit.run(transaction.Edits(), doc);
            transaction.Commit();
            const std::string after = MapText(doc);
            const std::vector<CMapBrush> brushesAfter = BrushCopies(doc);
            EXPECT_NE(after, before);
            EXPECT_EQ(doc.GetHistory().GetUndoName(), edit.name);
            doc.GetHistory().Undo(doc);
            EXPECT_EQ(MapText(doc), before);
            EXPECT_TRUE(BrushCopies(doc) == brushesBefore);
            EXPECT_FALSE(doc.IsModified());
            doc.GetHistory().Redo(doc);
            EXPECT_EQ(MapText(doc), after);
            EXPECT_TRUE(BrushCopies(doc) == brushesAfter);
            doc.GetHistory().Undo(doc);
            EXPECT_EQ(MapText(doc), before);
            EXPECT_TRUE(BrushCopies(doc) == brushesBefore);
        }
    }
}

TEST(CMapHistory, ARollBackLeavesTheMapAsItWasAndNoStep) {
    std::unique_ptr<ReadMap> read = ReadDataMap("maps/id_dm1.map");
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    for (const NamedEdit& edit : EveryEdit()) {
        SCOPED_TRACE(edit.name);
        CMapTransaction transaction(doc, edit.name);
        edit.run(transaction.Edits(), doc);
        EXPECT_TRUE(transaction.HasChanges());
        transaction.RollBack();
        EXPECT_EQ(MapText(doc), before);
    }
    {
        CMapTransaction forgotten(doc, "Forgotten");
        forgotten.Edits().MoveBrush(*doc.GetWorldBrushes()[0], {8, 8, 8});
    } // ends without a commit
    EXPECT_EQ(MapText(doc), before);
    EXPECT_FALSE(doc.GetHistory().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

// A dialog inside a dialog: the inner one's Cancel takes back its own edits,
// its OK keeps them in the outer transaction, which commits one step.
TEST(CMapHistory, ANestedTransactionJoinsTheOuterOneAndRollsBackItsOwn) {
    std::unique_ptr<ReadMap> read = Read(CubeMapText());
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    CMapBrush& cube = *doc.GetWorldBrushes()[0];
    CMapTransaction outer(doc, "Brush Edit");
    outer.Edits().MoveBrush(cube, {8, 0, 0});
    const std::string moved = MapText(doc);
    {
        CMapTransaction inner(doc, "World Keys");
        CWorldKeys keys = doc;
        keys.m_worldMessage = "inner";
        inner.Edits().SetWorldKeys(keys);
        inner.Edits().MoveBrush(cube, {0, 8, 0}); // kept by the outer level already
        inner.RollBack();
    }
    EXPECT_EQ(MapText(doc), moved);
    {
        CMapTransaction inner(doc, "World Keys");
        CWorldKeys keys = doc;
        keys.m_worldMessage = "kept";
        inner.Edits().SetWorldKeys(keys);
        inner.Commit();
    }
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 0u); // nothing is a step before the outer commit
    outer.Commit();
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
    EXPECT_EQ(doc.GetHistory().GetUndoName(), "Brush Edit");
    const std::string after = MapText(doc);
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), before);
    doc.GetHistory().Redo(doc);
    EXPECT_EQ(MapText(doc), after);
    EXPECT_EQ(doc.m_worldMessage, "kept");
}

TEST(CMapHistory, AnEditThatChangesNothingLeavesNoStep) {
    std::unique_ptr<ReadMap> read =
        Read(CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n"));
    CTolveDoc& doc = *read->doc;
    CMapTransaction transaction(doc, "Entity Keys");
    transaction.Edits().SetWorldKeys(doc);
    CPointEntity& light = *doc.GetPointEntities()[0];
    transaction.Edits().SetPointEntityKeys(light, CPointEntity(light));
    transaction.Edits().MovePointEntity(light, {8, 0, 0});
    transaction.Edits().MovePointEntity(light, {-8, 0, 0});
    transaction.Commit();
    EXPECT_FALSE(doc.GetHistory().CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST(CMapHistory, OnlyTheSavedStateIsUnmodified) {
    std::unique_ptr<ReadMap> read = Read(CubeMapText());
    CTolveDoc& doc = *read->doc;
    CMapHistory& history = doc.GetHistory();
    auto move = [&doc](int x) {
        CMapTransaction transaction(doc, "Move Brush");
        transaction.Edits().MoveBrush(*doc.GetWorldBrushes()[0], {x, 0, 0});
        transaction.Commit();
    };
    EXPECT_FALSE(doc.IsModified());
    move(8);
    EXPECT_TRUE(doc.IsModified());
    history.MarkClean(); // saved after the first move
    const unsigned long saved = doc.GetRevision();
    move(8);
    EXPECT_TRUE(doc.IsModified());
    history.Undo(doc);
    EXPECT_FALSE(doc.IsModified());
    // The map changed since a copy of the second move was made.
    EXPECT_GT(doc.GetRevision(), saved);
    history.Undo(doc);
    EXPECT_TRUE(doc.IsModified());
    history.Redo(doc);
    EXPECT_FALSE(doc.IsModified());
    // A new step from an older state: the saved one can never come back.
    history.Undo(doc);
    move(16);
    history.Undo(doc);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(history.CanRedo() && history.GetRedoName() != "Move Brush");

    history.MarkNoCleanState(); // a recovered map
    EXPECT_TRUE(doc.IsModified());
    while (history.CanUndo())
        history.Undo(doc);
    EXPECT_TRUE(doc.IsModified());
}

TEST(CMapHistory, NoUndoWhileATransactionIsOpen) {
    std::unique_ptr<ReadMap> read = Read(CubeMapText());
    CTolveDoc& doc = *read->doc;
    MakeModified(doc);
    CMapTransaction drag(doc, "Move Brush");
    drag.Edits().MoveBrush(*doc.GetWorldBrushes()[0], {8, 0, 0});
    // Offered, as a key pressed during a drag ends it first; refused until then.
    EXPECT_TRUE(doc.GetHistory().CanUndo());
    EXPECT_EQ(doc.GetHistory().GetUndoName(), "Move Brush");
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(doc.GetWorldBrushes()[0]->m_vertices[0].x, -64 + 8);
    drag.Commit();
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 2u);
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(doc.GetWorldBrushes()[0]->m_vertices[0].x, -64);
}

// A brush entity without brushes would be saved as a point entity.
TEST(CMapHistory, TheLastBrushOfAnEntityTakesTheEntityAlongAndUndoBringsBothBack) {
    std::unique_ptr<ReadMap> read = Read(CubeMapText(
        "{\n\"classname\" \"func_door\"\n\"speed\" \"1e2\"\n{\n" + BoxFaceLines(64, 96, "door") +
        "}\n}\n{\n\"classname\" \"func_wall\"\n{\n" + BoxFaceLines(96, 128, "wall") + "}\n}\n"));
    CTolveDoc& doc = *read->doc;
    const std::string before = MapText(doc);
    CModelEntity* door = doc.GetModelEntities()[0].get();
    doc.GetEditorState().SetSelectedEntity(door);
    doc.GetEditorState().SetSelectedBrush(door->m_brushes[0].get());
    CMapTransaction transaction(doc, "Delete Brush");
    EXPECT_EQ(transaction.Edits().RemoveBrush(door, *door->m_brushes[0]),
              BrushRemoval::kBrushAndEntity);
    transaction.Commit();
    ASSERT_EQ(doc.GetModelEntities().size(), 1u);
    EXPECT_EQ(doc.GetModelEntities()[0]->m_classname, "func_wall");
    EXPECT_EQ(MapText(doc).find("func_door"), std::string::npos);
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), before);
    EXPECT_EQ(doc.GetModelEntities()[0].get(), door);
}
