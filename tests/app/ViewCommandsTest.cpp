#include "app/CommandList.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The navigation and edit-mode commands need nothing but the view they act on.
struct ViewCommandFixture {
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};
    QSignalSpy changes{&view, &CTolveView::ViewChanged};

    ViewCommandFixture() { view.resize(801, 600); }

    void Run(CommandId id) {
        const CommandEntry* entry = FindCommandEntry(id);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(IsCommandEnabled(*entry, context)) << static_cast<int>(id);
        changes.clear();
        entry->run(context);
    }

    bool IsChecked(CommandId id) const { return IsCommandChecked(*FindCommandEntry(id), context); }
};

TEST(NavigationCommands, PlanesAndFlagsAreCheckedAndRepaint) {
    ViewCommandFixture f;
    EXPECT_TRUE(f.IsChecked(CommandId::kViewXY));
    f.Run(CommandId::kViewYZ);
    EXPECT_EQ(f.view.m_projection.m_viewMode, kPlaneYZ);
    EXPECT_FALSE(f.IsChecked(CommandId::kViewXY));
    EXPECT_TRUE(f.IsChecked(CommandId::kViewYZ));
    EXPECT_EQ(f.changes.count(), 1);
    f.Run(CommandId::kThreeD);
    EXPECT_TRUE(f.IsChecked(CommandId::kThreeD));
    EXPECT_EQ(f.changes.count(), 1);
    f.Run(CommandId::kFlipped);
    EXPECT_TRUE(f.IsChecked(CommandId::kFlipped));
    EXPECT_EQ(f.changes.count(), 1);
    f.Run(CommandId::kFlipped);
    EXPECT_FALSE(f.IsChecked(CommandId::kFlipped));
    EXPECT_FALSE(IsCheckable(*FindCommandEntry(CommandId::kZoomIn)));
}

TEST(NavigationCommands, ScrollingMovesTheOriginsAndRepaints) {
    ViewCommandFixture f;
    const int32_t x = f.view.m_projection.m_originX, y = f.view.m_projection.m_originY;
    f.Run(CommandId::kScrollRight);
    EXPECT_EQ(f.view.m_projection.m_originX, x + 8);
    EXPECT_EQ(f.changes.count(), 1);
    f.Run(CommandId::kScrollUp);
    EXPECT_EQ(f.view.m_projection.m_originY, y + 8);
    f.Run(CommandId::kScrollLeft);
    f.Run(CommandId::kScrollDown);
    EXPECT_EQ(f.view.m_projection.m_originX, x);
    EXPECT_EQ(f.view.m_projection.m_originY, y);
}

TEST(NavigationCommands, ZoomInStopsAtSixteenToOneAndZoomOutUsesTheClientSize) {
    ViewCommandFixture f;
    f.view.m_projection.m_magnify = 16;
    f.Run(CommandId::kZoomIn);
    EXPECT_EQ(f.view.m_projection.m_magnify, 16);
    EXPECT_EQ(f.changes.count(), 0);
    f.Run(CommandId::kActualSize); // about the centre: 400, 300 are 25, 18.75 units away
    EXPECT_FALSE(f.view.m_projection.IsMagnified());
    EXPECT_EQ(f.view.m_projection.WorldToScreen(-100 + 25, 100 - 19, 0), (ScreenPoint{400, 300}));
    EXPECT_EQ(f.changes.count(), 1);
    f.Run(CommandId::kActualSize);
    EXPECT_EQ(f.changes.count(), 0);
    f.view.m_projection.m_originX = -100;
    f.view.m_projection.m_originY = 100;
    f.Run(CommandId::kZoomOut);
    EXPECT_EQ(f.view.m_projection.m_zoom, 2);
    EXPECT_EQ(f.view.m_projection.m_originX, -500);
    EXPECT_EQ(f.changes.count(), 1);
}

TEST(NavigationCommands, FrameMapCentresAnEmptyMapOnTheOrigin) {
    ViewCommandFixture f;
    f.view.m_projection.m_zoom = 16;
    f.Run(CommandId::kFrameMap);
    EXPECT_EQ(f.view.m_projection.m_zoom, 1);
    EXPECT_EQ(f.view.m_projection.WorldToScreen(0, 0, 0), (ScreenPoint{400, 300}));
    EXPECT_EQ(f.changes.count(), 1);
}

TEST(EditModeCommands, ModesBelongToTheDocument) {
    CTolveDoc doc;
    CTolveView first(doc), second(doc);
    const CommandEntry& faceMode = *FindCommandEntry(CommandId::kFaceMode);
    faceMode.run({.view = &first});
    EXPECT_EQ(doc.GetEditorState().GetEditMode(), kFaceMode);
    const CommandContext other{.view = &second};
    EXPECT_TRUE(IsCommandChecked(faceMode, other));
    EXPECT_FALSE(IsCommandChecked(*FindCommandEntry(CommandId::kCornerMode), other));
    FindCommandEntry(CommandId::kEntityMode)->run(other);
    EXPECT_EQ(doc.GetEditorState().GetEditMode(), kEntityMode);
}

} // namespace
