#include "map/CEditorState.h"

#include "CNoticeRecorder.h"
#include "TestSupport.h"
#include "map/CMapEdits.h"
#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"

#include <gtest/gtest.h>

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
