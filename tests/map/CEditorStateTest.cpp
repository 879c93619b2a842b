#include "map/CEditorState.h"

#include "CNoticeRecorder.h"
#include "TestSupport.h"
#include "map/CMapEdits.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

struct StateFixture {
    CTolveDoc doc;
    CNoticeRecorder views;
    StateFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(CubeDoorLightMapText(), diagnostics);
        doc.AddView(&views);
    }
    ~StateFixture() { doc.RemoveView(&views); }
    CEditorState& State() { return doc.GetEditorState(); }
    CModelEntity& Door() { return *doc.GetModelEntities()[0]; }
    // The notices heard since the last call.
    std::vector<MapNotice> Heard() { return std::exchange(views.m_notices, {}); }
};

} // namespace

TEST(CEditorState, EachSetterRedrawsTheViewsOnceAndOnlyForAChange) {
    StateFixture f;
    const std::vector<MapNotice> repaint{MapNotice::Repaint()};
    f.State().SetEditMode(kFaceMode);
    EXPECT_EQ(f.Heard(), repaint);
    f.State().SetEditMode(kFaceMode);
    EXPECT_TRUE(f.Heard().empty());
    f.State().SetSnap(32);
    EXPECT_EQ(f.Heard(), repaint);
    f.State().SetSnap(32);
    EXPECT_TRUE(f.Heard().empty());
    f.State().SetUpperLimit({-100, 100, 100});
    f.State().SetLowerLimit({100, -100, -100});
    f.State().SetInsertionPoint({0, 0, 16});
    EXPECT_EQ(f.Heard(), std::vector<MapNotice>(3, MapNotice::Repaint()));
    EXPECT_EQ(f.State().GetEditMode(), kFaceMode);
    EXPECT_EQ(f.State().GetSnap(), 32);
    EXPECT_EQ(f.State().GetUpperLimit(), IntPoint(-100, 100, 100));
    EXPECT_EQ(f.State().GetLowerLimit(), IntPoint(100, -100, -100));
    EXPECT_EQ(f.State().GetInsertionPoint(), IntPoint(0, 0, 16));
    EXPECT_TRUE(f.State().HasLimits());
    f.State().ClearLimits();
    EXPECT_EQ(f.Heard(), repaint);
    EXPECT_FALSE(f.State().HasLimits());
    f.State().ClearLimits();
    EXPECT_TRUE(f.Heard().empty());
    // A new map starts from the defaults, quietly: it is drawn whole anyway.
    f.doc.ResetWorld();
    EXPECT_TRUE(f.Heard().empty());
    EXPECT_EQ(f.State().GetEditMode(), kCornerMode);
    EXPECT_EQ(f.State().GetSnap(), 8);
}

TEST(CEditorState, AHoverChangeRedrawsWhatChangedColour) {
    StateFixture f;
    CMapBrush* world = f.doc.GetWorldBrushes()[0].get();
    CMapBrush* door = f.Door().m_brushes[0].get();
    CPointEntity* light = f.doc.GetPointEntities()[0].get();

    f.State().SetHover({nullptr, world, 3, 0, light});
    EXPECT_EQ(f.Heard(), (std::vector<MapNotice>{MapNotice::PointEntitySelection(nullptr),
                                                 MapNotice::BrushSelection(nullptr)}));
    f.State().SetSelectedVertex(4); // the same brush: its marker moves
    EXPECT_EQ(f.Heard(), std::vector<MapNotice>{MapNotice::BrushSelection(nullptr)});
    f.State().SetHover({nullptr, world, 4, 0, light});
    EXPECT_TRUE(f.Heard().empty());
    // Into a brush entity: the world brush alone, then the entity whole.
    f.State().SetHover({&f.Door(), door, 0, 0, light});
    EXPECT_EQ(f.Heard(), (std::vector<MapNotice>{MapNotice::OneBrush(nullptr, world),
                                                 MapNotice::OwnerBrushes(&f.Door())}));
    EXPECT_EQ(f.State().GetHover(), (HoverSelection{&f.Door(), door, 0, 0, light}));
    // None of them changed the map: a view that draws faces keeps them.
    EXPECT_EQ(f.views.m_selectionOnlyCount, 5);
}

TEST(CEditorState, WhatLeavesTheMapIsNoLongerSelectedAndComesBackUnselected) {
    StateFixture f;
    CMapBrush* door = f.Door().m_brushes[0].get();
    CPointEntity* light = f.doc.GetPointEntities()[0].get();
    f.State().SetHover({&f.Door(), door, 2, 0, light});
    {
        CMapTransaction transaction(f.doc, "Delete");
        transaction.Edits().RemoveBrush(&f.Door(), *door); // takes the emptied door along
        transaction.Edits().RemovePointEntity(*light);
        transaction.Commit();
    }
    EXPECT_TRUE(f.doc.GetModelEntities().empty());
    EXPECT_EQ(f.State().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.State().GetSelectedEntity(), nullptr);
    EXPECT_EQ(f.State().GetSelectedPointEntity(), nullptr);
    f.doc.GetHistory().Undo(f.doc);
    ASSERT_EQ(f.doc.GetModelEntities().size(), 1u);
    EXPECT_EQ(f.State().GetSelectedBrush(), nullptr);
    EXPECT_EQ(f.State().GetSelectedPointEntity(), nullptr);
}

TEST(CEditorState, TheHoveredObjectOfTheModeGoesInAndOutOfTheSet) {
    StateFixture f;
    CMapBrush& cube = *f.doc.GetWorldBrushes()[0];
    f.State().SetEditMode(kCornerMode);
    EXPECT_FALSE(f.State().ToggleHoverInSet()); // nothing hovered
    f.State().SetHover({nullptr, &cube, 3, 0, nullptr});
    f.Heard();
    ASSERT_TRUE(f.State().ToggleHoverInSet());
    EXPECT_EQ(f.State().GetSelectionSet().PartsOf(cube), PartBit(3));
    EXPECT_TRUE(f.State().IsHoverInSet());
    // Only the area of the brush is redrawn.
    const std::vector<MapNotice> heard = f.Heard();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].what, MapNotice::What::kArea);
    f.State().SetSelectedVertex(4);
    EXPECT_FALSE(f.State().IsHoverInSet());
    f.State().ToggleHoverInSet();
    EXPECT_EQ(f.State().GetSelectionSet().CountParts(), 2u);
    f.State().SetSelectedVertex(3);
    f.State().ToggleHoverInSet();
    EXPECT_EQ(f.State().GetSelectionSet().PartsOf(cube), PartBit(4));

    f.State().SetEditMode(kEntityMode); // a new mode starts an empty set
    EXPECT_TRUE(f.State().GetSelectionSet().IsEmpty());
    f.State().SetSelectedPointEntity(f.doc.GetPointEntities()[0].get());
    f.State().ToggleHoverInSet();
    EXPECT_TRUE(f.State().GetSelectionSet().Contains(*f.doc.GetPointEntities()[0]));
}

TEST(CEditorState, ObjectsLeavingTheMapLeaveTheSet) {
    StateFixture f;
    f.State().SetEditMode(kBrushMode);
    CSelectionSet set;
    CMapBrush& cube = *f.doc.GetWorldBrushes()[0];
    CMapBrush& door = *f.Door().m_brushes[0];
    set.Add(cube, CSelectionSet::kWholeBrush);
    set.Add(door, CSelectionSet::kWholeBrush);
    f.Heard();
    f.State().SetSelectionSet(set);
    EXPECT_EQ(f.Heard(), std::vector<MapNotice>{MapNotice::Repaint()});
    f.State().SetSelectionSet(set); // the same set: nothing to redraw
    EXPECT_TRUE(f.Heard().empty());
    Edit(f.doc, [&](CMapEdits& e) { e.RemoveModelEntity(f.Door()); });
    EXPECT_FALSE(f.State().GetSelectionSet().Contains(door));
    Edit(f.doc, [&](CMapEdits& e) { e.RemoveBrush(nullptr, cube); });
    EXPECT_TRUE(f.State().GetSelectionSet().IsEmpty());
}

// Hiding is no step of the history: an undo neither hides nor shows. What
// leaves the map leaves the hidden objects, so an undo that brings it back
// brings it shown, and nothing keeps the address of what a dropped step
// destroys.
TEST(CEditorState, HiddenObjectsOutliveUnrelatedUndoAndLeaveWithTheirObjects) {
    StateFixture f;
    CMapBrush& cube = *f.doc.GetWorldBrushes()[0];
    CPointEntity& light = *f.doc.GetPointEntities()[0];
    CSelectionSet hidden;
    hidden.Add(cube, CSelectionSet::kWholeBrush);
    hidden.Add(light);
    f.State().SetEditMode(kBrushMode);
    f.State().SetSelectionSet(hidden);
    f.Heard();
    EXPECT_EQ(f.State().Hide(hidden), 2u);
    EXPECT_TRUE(f.State().GetSelectionSet().IsEmpty()); // hiding deselects
    EXPECT_EQ(f.Heard(), std::vector<MapNotice>{MapNotice::Repaint()});
    EXPECT_EQ(f.State().Hide(hidden), 0u); // already hidden: nothing to redraw
    EXPECT_TRUE(f.Heard().empty());
    EXPECT_FALSE(f.doc.IsModified());
    CSelectionSet lightOnly;
    lightOnly.Add(light);
    EXPECT_EQ(f.State().Show(lightOnly), 1u);
    EXPECT_EQ(f.State().Show(lightOnly), 0u);
    EXPECT_FALSE(f.State().IsHidden(light));
    EXPECT_TRUE(f.State().IsHidden(cube));
    f.State().Hide(lightOnly);

    Edit(f.doc, [&](CMapEdits& e) { e.RemoveModelEntity(f.Door()); });
    f.doc.GetHistory().Undo(f.doc);
    f.doc.GetHistory().Redo(f.doc);
    f.doc.GetHistory().Undo(f.doc);
    EXPECT_TRUE(f.State().IsHidden(cube));
    EXPECT_TRUE(f.State().IsHidden(light));
    EXPECT_FALSE(f.State().IsHidden(*f.Door().m_brushes[0]));

    Edit(f.doc, [&](CMapEdits& e) {
        e.RemoveBrush(nullptr, cube);
        e.RemovePointEntity(light);
    });
    EXPECT_TRUE(f.State().GetHidden().IsEmpty());
    f.doc.GetHistory().Undo(f.doc);
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_FALSE(f.State().IsHidden(*f.doc.GetWorldBrushes()[0]));
    // An added light hidden, its adding undone and the undone step dropped
    // by a new one: the light is destroyed, and nothing hidden points at it.
    CPointEntity* added = nullptr;
    Edit(f.doc, [&](CMapEdits& e) { added = &e.AddPointEntity(std::make_unique<CPointEntity>()); });
    CSelectionSet addedSet;
    addedSet.Add(*added);
    f.State().Hide(addedSet);
    f.doc.GetHistory().Undo(f.doc);
    EXPECT_TRUE(f.State().GetHidden().IsEmpty());
    MakeModified(f.doc);
    EXPECT_EQ(f.State().ShowAll(), 0u);

    // A new or opened map starts with nothing hidden.
    f.State().Hide(hidden);
    f.doc.DeleteContents();
    EXPECT_TRUE(f.State().GetHidden().IsEmpty());
}

TEST(CSelectionSet, MasksAddRemoveToggleAndMerge) {
    CMapBrush a, b;
    CPointEntity light;
    CSelectionSet set;
    set.Add(a, PartBit(1) | PartBit(5));
    set.Toggle(a, PartBit(5));
    EXPECT_EQ(set.PartsOf(a), PartBit(1));
    set.Remove(a, PartBit(1));
    EXPECT_TRUE(set.IsEmpty());
    CSelectionSet other;
    other.Add(b, PartBit(63));
    other.Add(light);
    set.Add(a, PartBit(0));
    set.Merge(other);
    EXPECT_EQ(set.CountParts(), 3u);
    EXPECT_TRUE(set.ContainsPart(b, 63));
    EXPECT_FALSE(set.ContainsPart(b, 64)); // no such part: never in
    set.Toggle(light);
    EXPECT_FALSE(set.Contains(light));
}
