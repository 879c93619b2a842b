// A compiler's leak trace in the editor: loaded from beside the saved map,
// shown and framed in the views, cleared; a broken file is named by its line.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "LeakTracePixels.h"
#include "TestSupport.h"
#include "app/CCommandTable.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

bool ClearEnabled(CMainFrame& frame) {
    frame.RefreshState();
    return frame.GetCommands().GetAction(CommandId::kClearPointFile)->isEnabled();
}

class PointFileCommands : public CAppFixture {
protected:
    CTolveView& OpenRoom(const char* points) {
        const QString map = WriteMap("room.map");
        if (points)
            WriteFileText(m_files.Path("room.pts"), points);
        StartApp({map});
        return *Frame().GetActiveView();
    }
};

} // namespace

TEST_F(PointFileCommands, TheTraceBesideTheMapIsDrawnFramedAndCleared) {
    CTolveView& view = OpenRoom("-100 -50 16\n100 -50 16\n100 120 16\n");
    view.FrameMap();
    EXPECT_EQ(LeakTracePixels(view), 0);
    EXPECT_FALSE(ClearEnabled(Frame()));
    Frame().RunCommand(CommandId::kLoadPointFile);
    ASSERT_TRUE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(ActiveDoc().m_pointFile->points.size(), 3u);
    EXPECT_TRUE(Frame().statusBar()->currentMessage().startsWith("Point file: 3 points"));
    EXPECT_GT(LeakTracePixels(view), 100);
    EXPECT_TRUE(m_openChooser.m_requests.empty()) << "the file beside the map needs no asking";

    // Frame Selection shows the whole trace, whatever is hovered.
    view.m_projection = CViewProjection();
    view.m_projection.m_originX = 5000;
    Frame().RunCommand(CommandId::kFrameSelection);
    const ScreenPoint start = view.m_projection.WorldToScreen({-100, -50, 16});
    const ScreenPoint end = view.m_projection.WorldToScreen({100, 120, 16});
    for (const ScreenPoint& p : {start, end}) {
        EXPECT_GE(p.x, 0);
        EXPECT_LT(p.x, view.width());
        EXPECT_GE(p.y, 0);
        EXPECT_LT(p.y, view.height());
    }

    EXPECT_TRUE(ClearEnabled(Frame()));
    Frame().RunCommand(CommandId::kClearPointFile);
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(LeakTracePixels(view), 0);
}

TEST_F(PointFileCommands, ABrokenTraceIsNamedByItsLineAndNothingIsDrawn) {
    CTolveView& view = OpenRoom("0 0 0\n1 2 three\n");
    Frame().RunCommand(CommandId::kLoadPointFile);
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Load Point File");
    EXPECT_NE(m_messages.m_boxes[0].text.find("room.pts:2: expected three numbers"),
              std::string::npos);
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(LeakTracePixels(view), 0);
}

// No trace beside the map: the user picks one, or cancels and nothing changes.
TEST_F(PointFileCommands, WithoutATraceBesideTheMapOneIsAskedFor) {
    OpenRoom(nullptr);
    WriteFileText(m_files.Path("elsewhere.pts"), "1 2 3\n");
    m_openChooser.m_answers = {std::nullopt, m_files.Path("elsewhere.pts").string()};
    Frame().RunCommand(CommandId::kLoadPointFile);
    EXPECT_FALSE(ActiveDoc().m_pointFile.has_value());
    Frame().RunCommand(CommandId::kLoadPointFile);
    ASSERT_TRUE(ActiveDoc().m_pointFile.has_value());
    EXPECT_EQ(ActiveDoc().m_pointFile->points.size(), 1u);
    ASSERT_EQ(m_openChooser.m_requests.size(), 2u);
    EXPECT_EQ(m_openChooser.m_requests[0].pattern, "*.pts");
}
