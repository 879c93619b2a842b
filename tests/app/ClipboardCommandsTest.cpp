#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "app/CommandList.h"
#include "map/CMapWriter.h"
#include "map/PastedMapText.h"
#include "widgets/CTolveView.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// A 128-unit world cube about the origin, a door of one brush and a light.
const std::string kClipMap = CubeMapText(
    "{\n\"classname\" \"func_door\"\n\"speed\" \"120\"\n{\n" + BoxFaceLines(128, 160, "door") +
    "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"-200 -150 0\"\n}\n");

IntPoint LowestCorner(const CMapBrush& brush) {
    IntPoint low = brush.m_vertices[0];
    for (int v = 1; v < brush.m_numVertices; ++v) {
        low.x = std::min(low.x, brush.m_vertices[v].x);
        low.y = std::min(low.y, brush.m_vertices[v].y);
        low.z = std::min(low.z, brush.m_vertices[v].z);
    }
    return low;
}

IntPoint HighestCorner(const CMapBrush& brush) {
    IntPoint high = brush.m_vertices[0];
    for (int v = 1; v < brush.m_numVertices; ++v) {
        high.x = std::max(high.x, brush.m_vertices[v].x);
        high.y = std::max(high.y, brush.m_vertices[v].y);
        high.z = std::max(high.z, brush.m_vertices[v].z);
    }
    return high;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct ClipboardFixture {
    CRecordingMessages messages;
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};
    QSignalSpy repaints{&view, &CTolveView::ViewChanged};

    explicit ClipboardFixture(const std::string& text = kClipMap) {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(text, diagnostics);
        view.resize(801, 600);
        view.FrameMap(); // commands act only on what the view shows
        doc.GetHistory().MarkClean();
        QGuiApplication::clipboard()->clear();
    }

    bool IsEnabled(CommandId id) const {
        const CommandEntry* entry = FindCommandEntry(id);
        return entry && IsCommandEnabled(*entry, context);
    }

    void Run(CommandId id) {
        ASSERT_TRUE(IsEnabled(id)) << static_cast<int>(id);
        FindCommandEntry(id)->run(context);
        QCoreApplication::processEvents(); // the view hears of the map's change after the edit
    }

    void SelectWorldBrush() {
        doc.GetEditorState().SetEditMode(kBrushMode);
        doc.GetEditorState().SetSelectedEntity(nullptr);
        doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[0].get());
    }

    void SelectDoorBrush() {
        doc.GetEditorState().SetEditMode(kBrushMode);
        doc.GetEditorState().SetSelectedEntity(doc.GetModelEntities()[0].get());
        doc.GetEditorState().SetSelectedBrush(doc.GetModelEntities()[0]->m_brushes[0].get());
    }

    void SelectLight() {
        doc.GetEditorState().SetEditMode(kEntityMode);
        doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities()[0].get());
    }

    void PasteText(const char* text) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        Run(CommandId::kEditPaste);
    }

    void ExpectRefusedWith(const std::string& message, const std::string& before) {
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0], message);
        EXPECT_EQ(MapText(doc), before);
        EXPECT_FALSE(doc.IsModified());
    }
};

} // namespace

TEST(ClipboardCommands, CopyAndCutNeedASelectionOfTheMode) {
    ClipboardFixture f;
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    EXPECT_FALSE(f.IsEnabled(CommandId::kEditCopy));
    EXPECT_FALSE(f.IsEnabled(CommandId::kEditCut));
    f.SelectLight();
    EXPECT_TRUE(f.IsEnabled(CommandId::kEditCopy));
    EXPECT_TRUE(f.IsEnabled(CommandId::kEditCut));
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    EXPECT_FALSE(f.IsEnabled(CommandId::kEditCopy));
}

TEST(ClipboardCommands, PasteNeedsTextOnTheClipboard) {
    ClipboardFixture f;
    EXPECT_FALSE(f.IsEnabled(CommandId::kEditPaste));
    QGuiApplication::clipboard()->setText("anything");
    EXPECT_TRUE(f.IsEnabled(CommandId::kEditPaste));
}

TEST(ClipboardCommands, CopyPutsMapTextOnTheClipboardAndChangesNothing) {
    ClipboardFixture f;
    const std::string before = MapText(f.doc);
    f.SelectDoorBrush();
    f.Run(CommandId::kEditCopy);
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    EXPECT_NE(text.find("\"func_door\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"120\""), std::string::npos) << text;
    EXPECT_EQ(text.find("worldspawn"), std::string::npos) << text;
    EXPECT_EQ(MapText(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(ClipboardCommands, APastedWorldBrushLandsOnTheSnappedCursorInTheViewPlane) {
    ClipboardFixture f;
    f.SelectWorldBrush();
    f.Run(CommandId::kEditCopy);
    // Snap 8: the cursor snaps to (200 104); the cube's centre is the origin;
    // the height stays.
    f.view.m_cursor = IntPoint(203, 101, 999);
    f.repaints.clear();
    f.Run(CommandId::kEditPaste);
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    EXPECT_EQ(LowestCorner(*f.doc.GetWorldBrushes()[1]), IntPoint(136, 40, -64));
    EXPECT_EQ(HighestCorner(*f.doc.GetWorldBrushes()[1]), IntPoint(264, 168, 64));
    EXPECT_EQ(LowestCorner(*f.doc.GetWorldBrushes()[0]), IntPoint(-64, -64, -64));
    EXPECT_EQ(HighestCorner(*f.doc.GetWorldBrushes()[0]), IntPoint(64, 64, 64));
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_GT(f.repaints.count(), 0);
    EXPECT_TRUE(f.messages.Texts().empty());
}

// What is pasted is saved where it was pasted, not where it was copied from,
// also in a Valve map, whose brushes keep the plane points they were read
// with.
TEST(ClipboardCommands, APastedBrushIsSavedWhereItWasPasted) {
    for (const MapFormat format : {MapFormat::kStandard, MapFormat::kValve}) {
        SCOPED_TRACE(DescribeMapFormat(format));
        std::string text = kClipMap;
        if (format == MapFormat::kValve) {
            CTolveDoc standard;
            CRecordingDiagnostics diagnostics;
            standard.ReadMapText(kClipMap, diagnostics);
            MapContents contents = standard.GetContents();
            contents.format = format;
            text = CMapWriter::WriteText(contents);
        }
        ClipboardFixture f(text);
        ASSERT_EQ(f.doc.m_mapFormat, format);
        f.SelectDoorBrush();
        f.Run(CommandId::kEditCopy);
        f.view.m_cursor = IntPoint(400, -300, 0);
        f.Run(CommandId::kEditPaste);
        ASSERT_EQ(f.doc.GetModelEntities().size(), 2u);
        const IntPoint low = LowestCorner(*f.doc.GetModelEntities()[1]->m_brushes.at(0));
        const IntPoint high = HighestCorner(*f.doc.GetModelEntities()[1]->m_brushes.at(0));
        ASSERT_NE(low, LowestCorner(*f.doc.GetModelEntities()[0]->m_brushes.at(0)));

        CTempDir dir;
        ASSERT_TRUE(SaveShowing(f.doc, dir.Path("pasted.map").string()));
        CTolveDoc saved;
        CRecordingDiagnostics diagnostics;
        ASSERT_FALSE(saved.ReadMapFile(dir.Path("pasted.map").string(), diagnostics));
        ASSERT_EQ(saved.GetModelEntities().size(), 2u);
        const CMapBrush& brush = *saved.GetModelEntities()[1]->m_brushes.at(0);
        EXPECT_EQ(LowestCorner(brush), low);
        EXPECT_EQ(HighestCorner(brush), high);
        EXPECT_EQ(saved.GetModelEntities()[1]->m_speed, 120);
    }
}

TEST(ClipboardCommands, APastedPointEntityMovesByWholeSnapStepsInTheXZPlane) {
    ClipboardFixture f;
    f.SelectLight();
    f.Run(CommandId::kEditCopy);
    f.view.m_projection.m_viewMode = kPlaneXZ;
    // The cursor snaps to (16 _ 24): x moves 216 (27 steps), z 24 (3 steps);
    // y, the depth, stays.
    f.view.m_cursor = IntPoint(13, 500, 27);
    f.Run(CommandId::kEditPaste);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 2u);
    EXPECT_EQ(f.doc.GetPointEntities()[1]->m_classname, "light");
    EXPECT_EQ(f.doc.GetPointEntities()[1]->m_origin, IntPoint(16, -150, 24));
    EXPECT_EQ(f.doc.GetPointEntities()[0]->m_origin, IntPoint(-200, -150, 0));
    // The pasted light is the selection: the next nudge moves it alone.
    const CSelectionSet& set = f.doc.GetEditorState().GetSelectionSet();
    EXPECT_EQ(set.CountParts(), 1u);
    EXPECT_TRUE(set.Contains(*f.doc.GetPointEntities()[1]));
    f.Run(CommandId::kNudgeRight);
    EXPECT_EQ(f.doc.GetPointEntities()[1]->m_origin, IntPoint(24, -150, 24));
    EXPECT_EQ(f.doc.GetPointEntities()[0]->m_origin, IntPoint(-200, -150, 0));
}

TEST(ClipboardCommands, AnOffGridOriginMovesByWholeStepsNotOntoTheGrid) {
    ClipboardFixture f;
    f.SelectLight();
    f.Run(CommandId::kEditCopy);
    // y: from -150 toward 24 is 174, 21.75 steps of 8: 22 steps.
    f.view.m_cursor = IntPoint(0, 24, 0);
    f.Run(CommandId::kEditPaste);
    ASSERT_EQ(f.doc.GetPointEntities().size(), 2u);
    EXPECT_EQ(f.doc.GetPointEntities()[1]->m_origin, IntPoint(0, 26, 0));
}

TEST(ClipboardCommands, CutTakesTheBrushOutAndPasteBringsItBackInItsEntity) {
    ClipboardFixture f;
    f.SelectDoorBrush();
    f.Run(CommandId::kEditCut);
    // The door's only brush: the door goes with it, as one step.
    EXPECT_TRUE(f.doc.GetModelEntities().empty());
    EXPECT_EQ(f.doc.GetHistory().GetUndoName(), "Cut");
    EXPECT_EQ(f.doc.GetEditorState().GetSelectedBrush(), nullptr);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_FALSE(f.IsEnabled(CommandId::kEditCut));

    // The door's centre (144 0 0) goes to the cursor (144 0): no move.
    f.view.m_cursor = IntPoint(144, 0, 0);
    f.Run(CommandId::kEditPaste);
    ASSERT_EQ(f.doc.GetModelEntities().size(), 1u);
    const CModelEntity& pasted = *f.doc.GetModelEntities()[0];
    EXPECT_EQ(pasted.m_classname, "func_door");
    EXPECT_EQ(pasted.m_speed, 120);
    ASSERT_EQ(pasted.m_brushes.size(), 1u);
    EXPECT_EQ(LowestCorner(*pasted.m_brushes[0]), IntPoint(128, -64, -64));
    EXPECT_EQ(f.doc.GetWorldBrushes().size(), 1u);
}

TEST(ClipboardCommands, ProseOnTheClipboardChangesNothing) {
    ClipboardFixture f;
    const std::string before = MapText(f.doc);
    f.PasteText("Meet me at the pier at noon.");
    f.ExpectRefusedWith(kNoMapObjects, before);
}

TEST(ClipboardCommands, AValveBrushPastedIntoAStandardMapIsSavedInTheStandardForm) {
    ClipboardFixture f;
    const std::string text = ReadWholeFile(
        TestDataPath("maps-other-formats/valve220_tb_valveFormatMapWithoutFormatTag.map"));
    f.PasteText(text.c_str());
    EXPECT_TRUE(f.messages.Texts().empty());
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    const std::string saved = MapText(f.doc);
    EXPECT_EQ(saved.find('['), std::string::npos) << saved;
    EXPECT_EQ(saved.find("mapversion"), std::string::npos);
    EXPECT_NE(saved.find("__TB_empty 0 0 0.000000 1.000000 1.000000"), std::string::npos) << saved;
}

TEST(ClipboardCommands, StandardBrushesPastedIntoAValveMapAreSavedWithAxes) {
    ClipboardFixture f;
    f.doc.m_mapFormat = MapFormat::kValve;
    f.PasteText(CubeMapText().c_str());
    EXPECT_TRUE(f.messages.Texts().empty());
    ASSERT_EQ(f.doc.GetWorldBrushes().size(), 2u);
    EXPECT_TRUE(f.doc.GetWorldBrushes()[1]->HasValveAxes());
    const std::string saved = MapText(f.doc);
    EXPECT_NE(saved.find("floor [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"), std::string::npos) << saved;
}

TEST(ClipboardCommands, AQuake2MapChangesNothing) {
    ClipboardFixture f;
    const std::string before = MapText(f.doc);
    const std::string text = ReadWholeFile(
        TestDataPath("maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map"));
    f.PasteText(text.c_str());
    ASSERT_EQ(f.messages.Texts().size(), 1u);
    EXPECT_NE(f.messages.Texts()[0], kNoMapObjects);
    f.ExpectRefusedWith(f.messages.Texts()[0], before);
}

TEST(ClipboardCommands, ABrokenBrushChangesNothingAndNamesItsLine) {
    ClipboardFixture f;
    const std::string before = MapText(f.doc);
    // A good light first: nothing of the text may arrive.
    f.PasteText("{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n"
                "{\n\"classname\" \"worldspawn\"\n{\n"
                "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
                "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )\n}\n}\n");
    ASSERT_EQ(f.messages.Texts().size(), 1u);
    EXPECT_EQ(f.messages.Texts()[0].rfind("9 : ", 0), 0u) << f.messages.Texts()[0];
    f.ExpectRefusedWith(f.messages.Texts()[0], before);
}

TEST(ClipboardCommands, ABrushTooBigToEditChangesNothingAndSaysWhy) {
    ClipboardFixture f;
    const std::string before = MapText(f.doc);
    std::string faces;
    for (int i = 0; i < 6; ++i)
        faces += kCubeFaceLines; // 36 face lines: more than a brush can hold
    f.PasteText(("{\n\"classname\" \"worldspawn\"\n{\n" + faces + "}\n}\n").c_str());
    ASSERT_EQ(f.messages.Texts().size(), 1u);
    EXPECT_NE(f.messages.Texts()[0].find("more than 32 faces"), std::string::npos)
        << f.messages.Texts()[0];
    f.ExpectRefusedWith(f.messages.Texts()[0], before);
}

namespace {

class ClipboardEndToEnd : public CAppFixture {};

size_t CountBrushes(const CTolveDoc& doc) {
    size_t count = doc.GetWorldBrushes().size();
    for (const auto& entity : doc.GetModelEntities())
        count += entity->m_brushes.size();
    return count;
}

} // namespace

TEST_F(ClipboardEndToEnd, CtrlCAndCtrlVCopyTheHoveredBrushAndTheSavedFileHoldsBoth) {
    const std::filesystem::path path = m_files.Path("room.map");
    WriteFileText(path, kClipMap);
    StartApp({QString::fromStdString(path.string())});
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    CTolveView& view = ActiveFrame()->GetView();
    view.setFocus();
    Frame().RunCommand(CommandId::kBrushMode);
    QGuiApplication::clipboard()->clear();
    for (int x = 10; x < view.width() && !ActiveDoc().GetEditorState().GetSelectedBrush(); x += 7) {
        const QPoint hover(x, view.height() / 2);
        QMouseEvent move(QEvent::MouseMove, hover, view.mapToGlobal(hover), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedBrush(), nullptr);
    const CMapBrush original = *ActiveDoc().GetEditorState().GetSelectedBrush();
    const bool inWorld = ActiveDoc().GetEditorState().GetSelectedEntity() == nullptr;
    const size_t brushes = CountBrushes(ActiveDoc());

    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    ASSERT_FALSE(QGuiApplication::clipboard()->text().isEmpty());
    QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(ActiveDoc().IsModified());
    EXPECT_EQ(CountBrushes(ActiveDoc()), brushes + 1);
    const std::string edited = MapText(ActiveDoc());

    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_FALSE(ActiveDoc().IsModified());
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(path.string(), diagnostics).has_value());
    EXPECT_EQ(MapText(reread), edited);
    // The copy has the original's size, moved by whole snap steps.
    ASSERT_EQ(CountBrushes(reread), brushes + 1);
    const CMapBrush* copy = inWorld ? reread.GetWorldBrushes().back().get()
                                    : reread.GetModelEntities().back()->m_brushes.front().get();
    const IntPoint from = LowestCorner(original);
    const IntPoint to = LowestCorner(*copy);
    const int snap = ActiveDoc().GetEditorState().GetSnap();
    EXPECT_EQ((to.x - from.x) % snap, 0);
    EXPECT_EQ((to.y - from.y) % snap, 0);
    EXPECT_EQ(to.z, from.z);
    EXPECT_EQ(HighestCorner(*copy).x - to.x, HighestCorner(original).x - from.x);
}
