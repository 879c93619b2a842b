#include "map/BrushFaceTransfer.h"

#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using enum BrushFaceField;

// A world cube and two doors, each with a cube of its own.
struct TransferFixture {
    CTolveDoc doc;
    TransferFixture() {
        CRecordingDiagnostics diagnostics;
        const std::string door =
            "{\n\"classname\" \"func_door\"\n{\n" + std::string(kCubeFaceLines) + "}\n}\n";
        doc.ReadMapText(CubeMapText(door + door), diagnostics);
        doc.GetHistory().MarkClean();
    }
    CMapBrush& World() { return *doc.GetWorldBrushes().at(0); }
    CModelEntity& Door(size_t i) { return *doc.GetModelEntities().at(i); }
    void SelectFace(CMapBrush& brush, CModelEntity* owner, int face) {
        doc.GetEditorState().SetSelectedBrush(&brush);
        doc.GetEditorState().SetSelectedEntity(owner);
        doc.GetEditorState().SetSelectedFace(static_cast<uint8_t>(face));
    }
};

FaceTexture MakeTexture(const char* name, int16_t xOffset) {
    BrushFaceValues values;
    values.xOffset = xOffset;
    values.yOffset = -3;
    values.xScale = 0.5f;
    values.yScale = 2.0f;
    values.rotation = 90.0f;
    return MakeFaceTexture(values, name);
}

namespace {

CSelectionSet SetOf(CMapBrush& brush, uint64_t parts = CSelectionSet::kWholeBrush) {
    CSelectionSet set;
    set.Add(brush, parts);
    return set;
}

void CommitBrushEdit(CTolveDoc& doc, CMapBrush& brush, const FaceTexture& texture,
                     bool changeTexture, CModelEntity* openedOwner, CModelEntity* chosenOwner) {
    CMapTransaction transaction(doc, "Brush Edit");
    ApplyBrushEdit(transaction, SetOf(brush), texture, changeTexture, openedOwner, chosenOwner);
    transaction.Commit();
}

void CommitFaceEdit(CTolveDoc& doc, const CSelectionSet& faces, const FaceTexture& texture,
                    const FaceTextureChange& change = FaceTextureChange::All()) {
    CMapTransaction transaction(doc, "Face Edit");
    ApplyFaceEdit(transaction, faces, texture, change);
    transaction.Commit();
}

} // namespace

TEST(BrushFaceTransferTest, NewBrushOpensWithFixedValues) {
    const BrushFaceFields fields = MakeNewBrushFields();
    EXPECT_EQ(fields[kBaseSides], "4"); // a Box is a box
    EXPECT_EQ(fields[kWidth], "64");
    EXPECT_EQ(fields[kHeight], "64");
    EXPECT_EQ(fields[kXScale], "1");
    EXPECT_EQ(fields[kYScale], "1");
    EXPECT_EQ(fields[kXOffset], "0");
    EXPECT_EQ(fields[kYOffset], "0");
    EXPECT_EQ(fields[kRotation], "0");
    EXPECT_EQ(fields.shape, kBoxShape);
    EXPECT_EQ(fields.texture, "");
    EXPECT_FALSE(fields.changeTexture);
}

TEST(BrushFaceTransferTest, EditsOpenWithTheFacesValuesAndTheirChangeTextureBox) {
    CMapBrush shape;
    shape.m_numFaces = 1;
    BrushFace& face = shape.m_faces[0];
    std::strcpy(face.texture, "metal1_2");
    face.xOffset = -32768;
    face.yOffset = 17;
    face.xScale = 0.75f;
    face.yScale = 3.0f;
    face.rotation = 22.5f;
    const BrushFaceFields brush = LoadFromFace(shape, 0, BrushFaceJob::kEditBrush);
    EXPECT_EQ(brush[kXOffset], "-32768");
    EXPECT_EQ(brush[kYOffset], "17");
    EXPECT_EQ(brush[kXScale], "0.75");
    EXPECT_EQ(brush[kYScale], "3");
    EXPECT_EQ(brush[kRotation], "22.5");
    EXPECT_EQ(brush[kBaseSides], "4");
    EXPECT_EQ(brush.texture, "metal1_2");
    EXPECT_TRUE(brush.changeTexture);
    EXPECT_FALSE(brush.numberOffsets);
    EXPECT_FALSE(LoadFromFace(shape, 0, BrushFaceJob::kEditFace).changeTexture);
}

TEST(BrushFaceTransferTest, OwnerListIsParallelToTheEntitiesAndPreselectsTheOwner) {
    TransferFixture f;
    const std::vector<CModelEntity*> owners = ListBrushOwners(f.doc);
    ASSERT_EQ(owners.size(), 3u);
    EXPECT_EQ(owners[0], nullptr);
    EXPECT_EQ(owners[1], &f.Door(0));
    EXPECT_EQ(owners[2], &f.Door(1));
    EXPECT_EQ(FindOwnerIndex(owners, nullptr), 0);
    EXPECT_EQ(FindOwnerIndex(owners, &f.Door(1)), 2);
    CModelEntity stranger;
    EXPECT_EQ(FindOwnerIndex(owners, &stranger), 0);
}

TEST(BrushFaceTransferTest, FaceTextureCutsASixteenCharacterName) {
    const FaceTexture texture = MakeTexture("abcdefghijklmnop", 4);
    EXPECT_STREQ(texture.texture, "abcdefghijklmno");
}

TEST(BrushFaceTransferTest, BrushEditWithoutChangeTextureChangesNoFaceButMovesTheBrush) {
    TransferFixture f;
    f.SelectFace(f.World(), nullptr, 0);
    const CMapBrush before = f.World();
    CMapBrush& brush = f.World();
    CommitBrushEdit(f.doc, brush, MakeTexture("other", 5), false, nullptr, &f.Door(1));
    EXPECT_EQ(std::memcmp(before.m_faces, brush.m_faces, sizeof(BrushFace) * brush.m_numFaces), 0);
    EXPECT_TRUE(f.doc.GetWorldBrushes().empty());
    ASSERT_EQ(f.Door(1).m_brushes.size(), 2u);
    EXPECT_EQ(f.Door(1).m_brushes[1].get(), &brush);
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedEntity(), &f.Door(1));
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(BrushFaceTransferTest, BrushEditWithChangeTextureSetsEveryFaceAndMarksModified) {
    TransferFixture f;
    CMapBrush& brush = *f.Door(0).m_brushes.at(0);
    CommitBrushEdit(f.doc, brush, MakeTexture("other", 5), true, &f.Door(0), &f.Door(0));
    for (int i = 0; i < brush.m_numFaces; ++i) {
        EXPECT_STREQ(brush.m_faces[i].texture, "other");
        EXPECT_EQ(brush.m_faces[i].xOffset, 5);
        EXPECT_EQ(brush.m_faces[i].yOffset, -3);
        EXPECT_FLOAT_EQ(brush.m_faces[i].rotation, 90.0f);
    }
    EXPECT_EQ(f.Door(0).m_brushes.size(), 1u);
    EXPECT_TRUE(f.doc.IsModified());
}

TEST(BrushFaceTransferTest, BrushEditAfterItsOwnerWasDeletedChangesNothing) {
    TransferFixture f;
    CMapBrush& brush = *f.Door(0).m_brushes.at(0);
    Edit(f.doc, [&](CMapEdits& edits) { edits.RemoveModelEntity(f.Door(0)); });
    f.doc.GetHistory().MarkClean();
    CommitBrushEdit(f.doc, brush, MakeTexture("other", 5), true, nullptr, nullptr);
    EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(BrushFaceTransferTest, FaceEditWritesTheFacesOfTheSetOnly) {
    TransferFixture f;
    CommitFaceEdit(f.doc, SetOf(f.World(), PartBit(3)), MakeTexture("lava", -7));
    EXPECT_STREQ(f.World().m_faces[3].texture, "lava");
    EXPECT_EQ(f.World().m_faces[3].xOffset, -7);
    EXPECT_FLOAT_EQ(f.World().m_faces[3].xScale, 0.5f);
    EXPECT_STRNE(f.World().m_faces[2].texture, "lava");
    EXPECT_TRUE(f.doc.IsModified());
}

// Only what the user changed goes into each face of the set; every other
// value stays, the text a face was read with included (a scale of
// 0.33333333 is no float).
TEST(BrushFaceTransferTest, FaceEditSetsWhatChangedAndKeepsTheRestOfEachFace) {
    TransferFixture f;
    CMapBrush& world = f.World();
    world.m_faces[1].rotation = 12.25f;
    world.m_faces[4].xScale = 1.0f / 3.0f;
    world.KeepTextureText(4, "floor 0 0 0 0.33333333 1");
    const CMapBrush before = world;
    FaceTextureChange change;
    change.xOffset = true;
    CommitFaceEdit(f.doc, SetOf(world, PartBit(1) | PartBit(4)), MakeTexture("lava", -7), change);
    for (int face : {1, 4}) {
        EXPECT_STREQ(world.m_faces[face].texture, before.m_faces[face].texture) << face;
        EXPECT_EQ(world.m_faces[face].xOffset, -7) << face;
        EXPECT_EQ(world.m_faces[face].rotation, before.m_faces[face].rotation) << face;
        EXPECT_EQ(world.m_faces[face].xScale, before.m_faces[face].xScale) << face;
    }
    EXPECT_EQ(*world.m_keptText->FindTextureText(4), "floor -7 0 0 0.33333333 1");
    EXPECT_EQ(world.m_faces[2], before.m_faces[2]);
}

TEST(BrushFaceTransferTest, NewBrushTextureGoesIntoEveryFace) {
    TransferFixture f;
    CMapBrush brush = f.World();
    SetBrushTexture(brush, MakeTexture("sky4", 16));
    for (int i = 0; i < brush.m_numFaces; ++i) {
        EXPECT_STREQ(brush.m_faces[i].texture, "sky4");
        EXPECT_EQ(brush.m_faces[i].xOffset, 16);
        EXPECT_FLOAT_EQ(brush.m_faces[i].yScale, 2.0f);
    }
}

} // namespace
