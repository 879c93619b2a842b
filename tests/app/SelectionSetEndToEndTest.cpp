#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/AppSettings.h"
#include "app/CCommandTable.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityChoiceDlg.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CNumberDlg.h"
#include "map/FaceFlatness.h"
#include "map/ObjectBounds.h"
#include "view/CMapPainter.h"
#include "view/CommandTarget.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string Box(int x0, int x1, int y0, int y1) {
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    const std::string c = std::to_string(y0), d = std::to_string(y1);
    const std::string rest = " floor 0 0 0 1 1\n";
    return "{\n( " + a + " 0 1 ) ( " + a + " -1 0 ) ( " + a + " 0 0 )" + rest + "( " + b +
           " 0 1 ) ( " + b + " 1 0 ) ( " + b + " 0 0 )" + rest + "( 0 " + c + " 1 ) ( 1 " + c +
           " 0 ) ( 0 " + c + " 0 )" + rest + "( 0 " + d + " 1 ) ( -1 " + d + " 0 ) ( 0 " + d +
           " 0 )" + rest + "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" + rest +
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + rest + "}\n";
}

// Two cubes side by side, a third far to the right and a light above them.
// The view opens with world (x, y) at pixel (x + 100, 100 - y).
const std::string kMap = "{\n\"classname\" \"worldspawn\"\n" + Box(0, 64, 0, 64) +
                         Box(128, 192, 0, 64) + Box(2000, 2064, 0, 64) +
                         "}\n{\n\"classname\" \"light\"\n\"origin\" \"32 -100 32\"\n}\n";

class SelectionSetEndToEnd : public CAppFixture {
protected:
    void Open(const std::string& text = kMap) {
        m_path = WriteMap("set.map", text.c_str());
        StartApp({m_path});
        Frame().resize(1000, 720);
        ActiveFrame()->showMaximized();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        View().setFocus();
        ASSERT_GT(View().width(), 400);
        // Where a new view stood before framing: world (x, y) at pixel
        // (x + 100, 100 - y), one unit per pixel.
        View().m_projection = CViewProjection();
        View().InvalidateAll();
    }

    CTolveView& View() const { return *Frame().GetActiveView(); }
    CTolveDoc& Doc() const { return ActiveDoc(); }
    CMapBrush& Brush(size_t i) const { return *Doc().GetWorldBrushes().at(i); }
    const CSelectionSet& Set() const { return Doc().GetEditorState().GetSelectionSet(); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, at, View().mapToGlobal(at), button, held, modifiers);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void MoveTo(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void ShiftClick(QPoint at) {
        MoveTo(at);
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        MoveTo(from);
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
        Send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), static_cast<Qt::Key>(key), modifiers);
    }
    // Saves with Ctrl+S and reads the file back: it holds what the editor shows.
    void ExpectSavedAsShown() {
        Key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_FALSE(Doc().IsModified());
        CTolveDoc reread;
        CRecordingDiagnostics diagnostics;
        ASSERT_FALSE(reread.ReadMapFile(m_path.toStdString(), diagnostics).has_value());
        EXPECT_EQ(MapText(reread), MapText(Doc()));
    }
    QString StatusText() const { return Frame().statusBar()->currentMessage(); }

    QString m_path;
};

// The pixel of a world point in the view as it opens.
QPoint At(int x, int y) {
    return {x + 100, 100 - y};
}

} // namespace

TEST_F(SelectionSetEndToEnd, ShiftClickTwoBrushesDragOneBothMoveUndoPutsBothBack) {
    Open();
    const std::string before = MapText(Doc());
    Key(Qt::Key_3, Qt::ControlModifier);
    ShiftClick(At(64, 64));
    ShiftClick(At(192, 64));
    ASSERT_EQ(Set().CountParts(), 2u);
    EXPECT_TRUE(Set().Contains(Brush(0)));
    EXPECT_TRUE(Set().Contains(Brush(1)));
    EXPECT_TRUE(Frame().GetSelectionPane().text().contains("2 brushes selected"))
        << Frame().GetSelectionPane().text().toStdString();

    const IntBox first = *BoundsOf(Brush(0)), second = *BoundsOf(Brush(1));
    Drag(At(64, 64), At(64 + 13, 64 - 18)); // snapped to 16 and -16
    EXPECT_EQ(BoundsOf(Brush(0))->min, IntPoint(first.min.x + 16, first.min.y - 16, 0));
    EXPECT_EQ(BoundsOf(Brush(1))->min, IntPoint(second.min.x + 16, second.min.y - 16, 0));
    EXPECT_EQ(*BoundsOf(Brush(2)), (IntBox{{2000, 0, 0}, {2064, 64, 64}})); // not in the set
    EXPECT_EQ(Doc().GetHistory().GetStepCount(), 1u);

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(Doc()), before);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(BoundsOf(Brush(1))->min.x, second.min.x + 16);
    ExpectSavedAsShown();

    // A Shift+click on a brush of the set takes it out; Escape empties it.
    ShiftClick(At(192 + 16, 64 - 16));
    EXPECT_EQ(Set().CountParts(), 1u);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Set().IsEmpty());
}

TEST_F(SelectionSetEndToEnd, DeleteFarFromEverythingDrawnDeletesNothingAndSaysSo) {
    Open();
    // The far cube sits just past the right edge: the nearest to the pointer,
    // and not drawn.
    View().m_projection.m_originX = 2000 - (View().width() + 40);
    View().InvalidateAll();
    Key(Qt::Key_3, Qt::ControlModifier);
    MoveTo({View().width() - 3, 60});
    ASSERT_EQ(Doc().GetEditorState().GetSelectedBrush(), &Brush(2));
    const std::string before = MapText(Doc());
    Key(Qt::Key_Delete);
    EXPECT_EQ(MapText(Doc()), before);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(StatusText(), QString::fromLatin1(kNothingUnderPointer));
    // Nor does a drag from there move it, and a pointer gone from the view
    // leaves nothing hovered.
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&View(), &leave);
    EXPECT_EQ(Doc().GetEditorState().GetSelectedBrush(), nullptr);
    Drag({View().width() - 3, 60}, {View().width() - 60, 60});
    EXPECT_EQ(MapText(Doc()), before);

    // With a pick distance of 20 pixels nothing that far is hovered at all.
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CNumberDlg&>(modal);
        EXPECT_TRUE(dialog.GetBox()->hasFocus() || !dialog.isVisible());
        dialog.GetBox()->setText("20");
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kPickDistance);
    EXPECT_EQ(Doc().GetEditorState().GetPickDistance(), 20);
    MoveTo({View().width() - 3, 60});
    EXPECT_EQ(Doc().GetEditorState().GetSelectedBrush(), nullptr);
}

TEST_F(SelectionSetEndToEnd, TurnsAndMirrorsComeBackExactlyAndDuplicateMakesTheNewSet) {
    Open();
    Key(Qt::Key_3, Qt::ControlModifier);
    // The limits leave the far cube out of Select All.
    MoveTo(At(1000, -200));
    Key(Qt::Key_L, Qt::ControlModifier);
    Key(Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(Set().CountParts(), 2u);
    // A nudge there and back leaves the text the corners give.
    Key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(BoundsOf(Brush(0))->min.x, 8);
    Key(Qt::Key_Left, Qt::AltModifier);
    const std::string start = MapText(Doc());
    MoveTo(At(100, 300)); // the hover plays no part while there is a set
    for (int turn = 0; turn < 4; ++turn) {
        Key(Qt::Key_R, Qt::ControlModifier);
        if (turn == 0) {
            EXPECT_NE(MapText(Doc()), start);
        }
    }
    EXPECT_EQ(MapText(Doc()), start);
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(BoundsOf(Brush(0))->min.x, 128); // the two cubes trade places
    Key(Qt::Key_F, Qt::ControlModifier);
    Key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(MapText(Doc()), start);

    Key(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Doc().GetWorldBrushes().size(), 5u);
    EXPECT_EQ(Set().CountParts(), 2u);
    EXPECT_TRUE(Set().Contains(Brush(3)));
    EXPECT_EQ(BoundsOf(Brush(3))->min, IntPoint(8, -8, 0)); // right and down a snap step
    ExpectSavedAsShown();
}

TEST_F(SelectionSetEndToEnd, ARectangleGathersAndBrushesMoveToANewEntityAndBack) {
    Open();
    Key(Qt::Key_3, Qt::ControlModifier);
    Drag(At(-8, 72), At(200, -8), Qt::ShiftModifier);
    ASSERT_EQ(Set().CountParts(), 2u);
    EXPECT_FALSE(Set().Contains(Brush(2)));

    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        if (auto* chooser = dynamic_cast<CEntityChoiceDlg*>(&modal)) {
            EXPECT_EQ(chooser->GetChoice(), CEntityChoiceDlg::kNewEntity);
            chooser->GetOkButton()->click();
            return;
        }
        auto& dialog = CastEntityDialog(modal, EntityKind::kBrush);
        QTest::keyClicks(dialog.GetClassCombo()->lineEdit(), "func_wall");
        dialog.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kMoveToEntity);
    ASSERT_EQ(Doc().GetModelEntities().size(), 1u);
    EXPECT_EQ(Doc().GetModelEntities()[0]->m_classname, "func_wall");
    EXPECT_EQ(Doc().GetModelEntities()[0]->m_brushes.size(), 2u);
    EXPECT_EQ(Doc().GetWorldBrushes().size(), 1u);
    EXPECT_EQ(Doc().GetHistory().GetStepCount(), 1u);
    ExpectSavedAsShown();
    // Entities of one class are told apart by where their brushes are.
    std::string listed;
    dialogs.m_script = [&](CModalDialog& modal) {
        auto& chooser = dynamic_cast<CEntityChoiceDlg&>(modal);
        listed = chooser.GetList()->item(1)->text().toStdString();
        chooser.reject();
    };
    Frame().RunCommand(CommandId::kMoveToEntity);
    EXPECT_EQ(listed.rfind("func_wall (2 brushes around ", 0), 0u) << listed;

    Frame().RunCommand(CommandId::kMoveToWorld);
    EXPECT_TRUE(Doc().GetModelEntities().empty());
    EXPECT_EQ(Doc().GetWorldBrushes().size(), 3u);
    Key(Qt::Key_4, Qt::ControlModifier); // another mode starts an empty set
    EXPECT_TRUE(Set().IsEmpty());
}

TEST_F(SelectionSetEndToEnd, AViewWhoseLimitsHideEverythingSaysSoUntilTheyAreCleared) {
    Open();
    View().RenderNow();
    EXPECT_FALSE(View().LimitsHideTheMap());
    // An XY view's depth is z: limits above every object hide them all.
    MoveTo(At(0, 0));
    View().m_projection.m_viewMode = kPlaneXZ;
    View().m_cursor = {0, 0, 500};
    Key(Qt::Key_L, Qt::ControlModifier); // the lower limit: z above the map
    View().m_projection.m_viewMode = kPlaneXY;
    View().InvalidateAll();
    View().RenderNow();
    EXPECT_TRUE(View().LimitsHideTheMap());
    Key(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    View().RenderNow();
    EXPECT_FALSE(View().LimitsHideTheMap());
}

TEST_F(SelectionSetEndToEnd, ACornerDragInTheTopViewMovesTheWholeEdgeAndAltOneCorner) {
    Open();
    Key(Qt::Key_1, Qt::ControlModifier);
    Drag(At(64, 64), At(80, 80));
    ExpectSavedAsShown();
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(m_path.toStdString(), diagnostics).has_value());
    const CMapBrush& saved = *reread.GetWorldBrushes().at(0);
    EXPECT_EQ(CountNonFlatFaces(saved), 0);
    int moved = 0;
    for (int v = 0; v < saved.m_numVertices; ++v)
        moved += saved.m_vertices[v].x == 80 && saved.m_vertices[v].y == 80;
    EXPECT_EQ(moved, 2); // the top and the bottom of the edge

    Drag(At(192, 64), At(200, 72), Qt::AltModifier);
    EXPECT_GT(CountNonFlatFaces(Brush(1)), 0); // one corner alone bends faces
}

TEST_F(SelectionSetEndToEnd, TheGridShowsTheSnapStepAndTheKeysChangeIt) {
    Open();
    // World x = 8 is a light grid line at pixel 108, x = 64 a dark one.
    auto pixel = [&](int x) { return View().RenderNow().pixelColor(x, 400); };
    ASSERT_TRUE(View().IsGridShown());
    EXPECT_EQ(pixel(108), QColor(kGridMinor.r, kGridMinor.g, kGridMinor.b));
    EXPECT_EQ(pixel(164), QColor(kGridMajor.r, kGridMajor.g, kGridMajor.b));
    EXPECT_EQ(pixel(112), QColor(Qt::white));
    EXPECT_EQ(Frame().GetScalePane().text(), QString::fromUtf8("Snap 8 \u00b7 1:1"));

    Key(Qt::Key_BracketRight);
    EXPECT_EQ(Doc().GetEditorState().GetSnap(), 16);
    EXPECT_EQ(pixel(108), QColor(Qt::white)); // 8 is no longer a step
    EXPECT_EQ(pixel(116), QColor(kGridMinor.r, kGridMinor.g, kGridMinor.b));
    EXPECT_EQ(Frame().GetScalePane().text(), QString::fromUtf8("Snap 16 \u00b7 1:1"));
    Key(Qt::Key_BracketLeft);
    Key(Qt::Key_BracketLeft);
    EXPECT_EQ(Doc().GetEditorState().GetSnap(), 4);
    // At either end of the range the keys leave the step where it is.
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_BracketLeft);
    EXPECT_EQ(Doc().GetEditorState().GetSnap(), 1);
    for (int i = 0; i < 12; ++i)
        Key(Qt::Key_BracketRight);
    EXPECT_EQ(Doc().GetEditorState().GetSnap(), 1024);

    Key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_FALSE(View().IsGridShown());
    EXPECT_EQ(pixel(164), QColor(Qt::white));
    EXPECT_FALSE(OpenAppSettings().value("View/Grid").toBool());
    EXPECT_FALSE(Doc().IsModified()); // the grid and the snap are no part of the map
}

namespace {

// A box from z0 to z1 over the square 0..64 of x and y.
std::string Slab(int z0, int z1) {
    const std::string rest = " floor 0 0 0 1 1\n";
    const std::string a = std::to_string(z0), b = std::to_string(z1);
    return "{\n( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 )" + rest + "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )" + rest +
           "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" + rest + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + rest +
           "( 0 1 " + a + " ) ( -1 0 " + a + " ) ( 0 0 " + a + " )" + rest + "( 0 1 " + b +
           " ) ( 1 0 " + b + " ) ( 0 0 " + b + " )" + rest + "}\n";
}

} // namespace

TEST_F(SelectionSetEndToEnd, TabCyclesThroughThreeStackedBrushesAndShiftTabGoesBack) {
    Open("{\n\"classname\" \"worldspawn\"\n" + Slab(0, 64) + Slab(128, 192) + Slab(256, 320) +
         "}\n");
    Key(Qt::Key_3, Qt::ControlModifier);
    MoveTo(At(60, 60));
    const CMapBrush* first = Doc().GetEditorState().GetSelectedBrush();
    ASSERT_NE(first, nullptr);
    std::vector<const CMapBrush*> seen{first};
    for (int press = 0; press < 3; ++press) {
        Key(Qt::Key_Tab);
        seen.push_back(Doc().GetEditorState().GetSelectedBrush());
    }
    EXPECT_TRUE(View().hasFocus()); // Tab stayed in the view
    EXPECT_EQ(seen[3], first);      // round and back to the first
    EXPECT_NE(seen[1], seen[0]);
    EXPECT_NE(seen[2], seen[1]);
    EXPECT_NE(seen[2], seen[0]);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Doc().GetEditorState().GetSelectedBrush(), seen[2]);
    EXPECT_TRUE(StatusText().endsWith(" of 3 under the pointer")) << StatusText().toStdString();

    // The brush Tab reached is the one Delete takes.
    Key(Qt::Key_Delete);
    ASSERT_EQ(Doc().GetWorldBrushes().size(), 2u);
    for (const auto& brush : Doc().GetWorldBrushes())
        EXPECT_NE(brush.get(), seen[2]);
    ExpectSavedAsShown();
}

TEST_F(SelectionSetEndToEnd, ShiftHomeFramesTheSelectionOrTheHoveredObject) {
    Open();
    Key(Qt::Key_3, Qt::ControlModifier);
    MoveTo(At(64, 64));
    ShiftClick(At(64, 64));
    Key(Qt::Key_Home, Qt::ShiftModifier);
    // The first cube fills the view's middle: its corners far apart on screen.
    const ScreenPoint a = View().m_projection.WorldToScreen(0, 0, 0);
    const ScreenPoint b = View().m_projection.WorldToScreen(64, 64, 0);
    // Centred to the nearest world unit: within a unit's pixels.
    const int32_t unit = View().m_projection.m_magnify;
    EXPECT_NEAR((a.x + b.x) / 2, View().width() / 2, unit);
    EXPECT_NEAR((a.y + b.y) / 2, View().height() / 2, unit);
    // A 64-unit cube is framed closer than one to one, and still fits.
    EXPECT_TRUE(View().m_projection.IsMagnified());
    EXPECT_LE(std::abs(b.x - a.x), View().width());
    EXPECT_GT(std::abs(b.x - a.x), View().width() / 4);
    // With nothing selected, the hovered far cube.
    Key(Qt::Key_Escape);
    Doc().GetEditorState().SetHover({nullptr, &Brush(2), 0, 0, nullptr});
    Key(Qt::Key_Home, Qt::ShiftModifier);
    const ScreenPoint far = View().m_projection.WorldToScreen(2032, 32, 0);
    EXPECT_NEAR(far.x, View().width() / 2, View().m_projection.m_magnify);
    EXPECT_FALSE(Doc().IsModified());
}
