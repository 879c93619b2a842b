// Hidden objects follow the rule of the limits everywhere the views and the
// commands look: never gathered, hovered, drawn or acted on.
#include "view/CMapPainter.h"
#include "view/CMapSelection.h"
#include "view/CommandTarget.h"

#include "BoxBrushText.h"
#include "CRecordingCanvas.h"
#include "TestSupport.h"
#include "map/SelectionSetEdits.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kWorldBoxes =
    BoxBrushText({0, 0, 0}, {64, 64, 64}) + BoxBrushText({128, 0, 0}, {192, 64, 64});
const std::string kRest = "}\n{\n\"classname\" \"func_door\"\n" +
                          BoxBrushText({0, 128, 0}, {64, 192, 64}) +
                          "}\n{\n\"classname\" \"light\"\n\"origin\" \"160 32 100\"\n}\n";
const std::string kFirstLight = "{\n\"classname\" \"light\"\n\"origin\" \"32 32 100\"\n}\n";

// Two world boxes side by side, a door above the first and a light over
// each box; the first box and the first light are hidden. An XY view at
// zoom 1 whose pixel (0, 0) shows world (0, 0).
struct HiddenFixture {
    std::unique_ptr<ReadMap> read =
        Read("{\n\"classname\" \"worldspawn\"\n" + kWorldBoxes + kRest + kFirstLight);
    CTolveDoc& doc = *read->doc;
    CViewProjection projection;
    IntPoint cursor;

    HiddenFixture() {
        projection.m_originX = 0;
        projection.m_originY = 0;
        CSelectionSet hidden;
        hidden.Add(Hidden(), CSelectionSet::kWholeBrush);
        hidden.Add(HiddenLight());
        EXPECT_EQ(State().Hide(hidden), 2u);
    }
    CEditorState& State() { return doc.GetEditorState(); }
    CMapBrush& Hidden() { return *doc.GetWorldBrushes()[0]; }
    CMapBrush& Shown() { return *doc.GetWorldBrushes()[1]; }
    CMapBrush& Door() { return *doc.GetModelEntities()[0]->m_brushes[0]; }
    CPointEntity& HiddenLight() { return *doc.GetPointEntities()[1]; }
    CPointEntity& ShownLight() { return *doc.GetPointEntities()[0]; }
    // The mouse over world (x, y).
    HoverSelection HoverAt(int32_t x, int32_t y, bool everyBrush = false) {
        CMapSelection selection(doc, projection, {x, -y}, cursor);
        if (everyBrush)
            selection.UpdateSelectionOfferingEveryBrush();
        else
            selection.UpdateSelection(false);
        return State().GetHover();
    }
};

bool HoversNothing(const HoverSelection& hover) {
    return !hover.brush && !hover.entity && !hover.pointEntity;
}

class HiddenInMode : public ::testing::TestWithParam<EditMode> {};

TEST_P(HiddenInMode, SelectAllAndTheMarqueeLeaveHiddenObjectsOut) {
    HiddenFixture f;
    f.State().SetEditMode(GetParam());
    const ScreenRect everywhere{-1000, -1000, 1000, 1000};
    for (const CSelectionSet& set :
         {ObjectsInsideLimits(f.doc), ObjectsInRectangle(f.doc, f.projection, everywhere)}) {
        if (GetParam() == kEntityMode) {
            EXPECT_FALSE(set.Contains(f.HiddenLight()));
            EXPECT_TRUE(set.Contains(f.ShownLight()));
        } else {
            EXPECT_FALSE(set.Contains(f.Hidden()));
            EXPECT_TRUE(set.Contains(f.Shown()));
            EXPECT_TRUE(set.Contains(f.Door()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, HiddenInMode,
                         ::testing::Values(kCornerMode, kFaceMode, kBrushMode, kEntityMode));

TEST(HiddenObjects, TheSetNeverHoldsOneSoDeleteAndNudgesPassItBy) {
    HiddenFixture f;
    f.State().SetEditMode(kBrushMode);
    CSelectionSet all;
    for (CMapBrush* brush : {&f.Hidden(), &f.Shown(), &f.Door()})
        all.Add(*brush, CSelectionSet::kWholeBrush);
    f.State().SetSelectionSet(all);
    EXPECT_FALSE(f.State().GetSelectionSet().Contains(f.Hidden()));
    EXPECT_EQ(f.State().GetSelectionSet().CountParts(), 2u);

    const CSelectionSet target = CommandTarget(f.doc, f.projection, 400, 400);
    EXPECT_FALSE(target.Contains(f.Hidden()));
    const IntPoint corner = f.Hidden().m_vertices[0];
    IntPoint moved = f.Shown().m_vertices[0];
    moved.x += 8;
    Edit(f.doc, [&](CMapEdits& edits) { MoveObjects(edits, target, kBrushMode, {8, 0, 0}); });
    EXPECT_EQ(f.Hidden().m_vertices[0], corner);
    EXPECT_EQ(f.Shown().m_vertices[0], moved);

    CMapBrush* hidden = &f.Hidden();
    Edit(f.doc, [&](CMapEdits& edits) { DeleteObjects(edits, f.doc, target, kBrushMode); });
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 1u);
    EXPECT_EQ(f.doc.GetWorldBrushes()[0].get(), hidden);
    EXPECT_TRUE(f.doc.GetModelEntities().empty());
}

TEST(HiddenObjects, TheHoverPassesOverThem) {
    HiddenFixture f;
    // The hidden box's own corner and the hidden light's origin.
    HoverSelection hover = f.HoverAt(0, 0);
    EXPECT_NE(hover.brush, &f.Hidden());
    EXPECT_NE(hover.brush, nullptr);
    EXPECT_EQ(hover.pointEntity, &f.ShownLight());
    EXPECT_EQ(f.HoverAt(0, 0, true), hover);
    EXPECT_EQ(f.HoverAt(32, 32).pointEntity, &f.ShownLight());
    for (EditMode mode : {kCornerMode, kEntityMode}) {
        f.State().SetEditMode(mode);
        for (const HoverSelection& stacked :
             CMapSelection(f.doc, f.projection, {0, 0}, f.cursor).StackedUnderPointer()) {
            EXPECT_NE(stacked.brush, &f.Hidden());
            EXPECT_NE(stacked.pointEntity, &f.HiddenLight());
        }
    }

    // Hiding what is hovered takes the hover off it; with all hidden nothing
    // is hovered.
    f.State().SetEditMode(kBrushMode);
    f.HoverAt(128, 0);
    ASSERT_EQ(f.State().GetSelectedBrush(), &f.Shown());
    CSelectionSet rest = f.State().GetHoverAsSet();
    rest.Add(f.Door(), CSelectionSet::kWholeBrush);
    rest.Add(f.ShownLight());
    f.State().Hide(rest);
    EXPECT_TRUE(HoversNothing(f.State().GetHover()));
    EXPECT_TRUE(HoversNothing(f.HoverAt(0, 0)));
    EXPECT_TRUE(HoversNothing(f.HoverAt(0, 0, true)));
}

std::string Drawn(const CTolveDoc& doc, const CViewProjection& projection) {
    CRecordingCanvas canvas;
    CMapPainter(doc, projection, canvas).PaintAll(400, 400);
    std::ostringstream text;
    for (const CRecordingCanvas::Call& call : canvas.m_calls)
        text << call.kind << ' ' << call.a << ' ' << call.b << ' ' << call.c << ' ' << call.d
             << '\n';
    return text.str();
}

TEST(HiddenObjects, TheyAreDrawnAsIfTheMapHadNone) {
    HiddenFixture f;
    std::unique_ptr<ReadMap> without = Read("{\n\"classname\" \"worldspawn\"\n" +
                                            BoxBrushText({128, 0, 0}, {192, 64, 64}) + kRest);
    EXPECT_EQ(Drawn(f.doc, f.projection), Drawn(*without->doc, f.projection));
    EXPECT_EQ(f.State().ShowAll(), 2u);
    EXPECT_NE(Drawn(f.doc, f.projection), Drawn(*without->doc, f.projection));
}

} // namespace

// Locked objects are drawn as ever, but out of reach as hidden ones are.
TEST(LockedObjects, AreDrawnButNeverGatheredHoveredOrSelected) {
    HiddenFixture f;
    const std::string before = Drawn(f.doc, f.projection);
    CSelectionSet locked;
    locked.Add(f.Shown(), CSelectionSet::kWholeBrush);
    locked.Add(f.ShownLight());
    f.State().SetEditMode(kBrushMode);
    f.State().SetSelectionSet(locked);
    EXPECT_EQ(f.State().Lock(locked), 2u);
    EXPECT_TRUE(f.State().GetSelectionSet().IsEmpty());
    EXPECT_EQ(Drawn(f.doc, f.projection), before);

    f.State().SetSelectionSet(locked);
    EXPECT_TRUE(f.State().GetSelectionSet().IsEmpty());
    const CSelectionSet all = ObjectsInsideLimits(f.doc);
    EXPECT_FALSE(all.Contains(f.Shown()));
    EXPECT_TRUE(all.Contains(f.Door()));
    EXPECT_EQ(f.HoverAt(192, 0).brush, &f.Door());
    EXPECT_EQ(f.HoverAt(192, 0).pointEntity, nullptr);

    EXPECT_EQ(f.State().Unlock(locked), 2u);
    EXPECT_EQ(f.HoverAt(192, 0).brush, &f.Shown());
}
