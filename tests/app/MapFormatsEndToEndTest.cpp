// Maps of today's editors through the real window: Valve maps with several
// texture files, other games' maps, the form chosen at Save As, texture lock.
#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/TextureLockCommand.h"
#include "map/FormatConversion.h"
#include "map/MapFileMessages.h"
#include "map/TextureProjection.h"
#include "widgets/CTolveView.h"

#include "map/MapPairs.h"

#include <QAction>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

constexpr const char* kFenceMap = "ericw_q1_detail_fence.map";

std::vector<std::string> FaceLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line[first] == '(')
            lines.push_back(line.substr(first));
    }
    return lines;
}

class MapFormatsEndToEnd : public CAppFixture {
protected:
    void StartShown(const QStringList& files) {
        StartApp(files);
        Frame().resize(1000, 720);
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    // The fence map of ericw-tools beside three of the four texture files it
    // names; the first, deprecated/free_wad.wad, is not to be had.
    QString CopyFenceMap() {
        std::filesystem::create_directories(m_files.Path("deprecated"));
        for (const char* wad : {"fence", "origin", "hintskip"})
            std::filesystem::copy_file(TestDataPath(std::string("wads/ericw_") + wad + ".wad"),
                                       m_files.Path(std::string("deprecated/") + wad + ".wad"));
        const std::filesystem::path map = m_files.Path(kFenceMap);
        std::filesystem::copy_file(TestDataPath(std::string("maps-valve/") + kFenceMap), map);
        return QString::fromStdString(map.string());
    }

    // Drags the first brush of the world with the left button in brush mode,
    // by `pixels` in the top view at zoom 1.
    void DragFirstWorldBrush(QPoint pixels) {
        CTolveView& view = *Frame().GetActiveView();
        Frame().RunCommand(CommandId::kBrushMode);
        const CMapBrush& brush = *ActiveDoc().GetWorldBrushes().at(0);
        const IntPoint corner = CornerOfItsOwnInTheTopView(brush);
        view.m_projection = CViewProjection(); // one unit per pixel
        view.m_projection.m_originX = corner.x - 200;
        view.m_projection.m_originY = corner.y + 150;
        view.InvalidateAll();
        const ScreenPoint screen = view.m_projection.WorldToScreen(corner);
        const QPoint at(screen.x, screen.y);
        // From elsewhere: a move to where the pointer is already is no move.
        QTest::mouseMove(&view, at + QPoint(40, 40));
        QTest::mouseMove(&view, at);
        ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectedBrush(), &brush);
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(&view, at + pixels);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, at + pixels);
    }

    // A corner of the brush that no other brush has above or below it, so
    // that hovering it picks this brush.
    IntPoint CornerOfItsOwnInTheTopView(const CMapBrush& brush) {
        for (int v = 0; v < brush.m_numVertices; ++v) {
            const IntPoint& corner = brush.m_vertices[v];
            bool shared = false;
            for (const auto& other : ActiveDoc().GetWorldBrushes()) {
                for (int w = 0; w < other->m_numVertices && other.get() != &brush; ++w)
                    shared = shared || (other->m_vertices[w].x == corner.x &&
                                        other->m_vertices[w].y == corner.y);
            }
            if (!shared)
                return corner;
        }
        ADD_FAILURE() << "every corner is shared";
        return brush.m_vertices[0];
    }

    void SaveWithTheKeys() {
        QWidget* view = Frame().GetActiveView();
        QTest::keyPress(view, Qt::Key_Control);
        QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
        QTest::keyRelease(view, Qt::Key_Control);
    }
};

double TexelS(const CMapBrush& brush, int face, const IntPoint& point) {
    const ValveAxes& axes = brush.m_valveAxes.at(face);
    return Dot(ToVec3d(point), axes.u) / brush.m_faces[face].xScale + axes.uOffset;
}

} // namespace

TEST_F(MapFormatsEndToEnd, AValveMapOfSeveralTextureFilesKeepsItsTexturesThroughAMoveAndASave) {
    const QString path = CopyFenceMap();
    const std::string original = ReadFileText(path.toStdString());
    StartShown({path});
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Texture File Initialization");
    EXPECT_NE(m_messages.m_boxes[0].text.find("deprecated/free_wad.wad"), std::string::npos);
    EXPECT_TRUE(m_openChooser.m_requests.empty());
    EXPECT_EQ(ActiveDoc().m_mapFormat, MapFormat::kValve);
    EXPECT_GT(ActiveDoc().m_textureWad.GetTextureCount(), 0);

    const CMapBrush& brush = *ActiveDoc().GetWorldBrushes().at(0);
    const IntPoint corner = brush.m_vertices[brush.m_faces[1].vertexIndex[0]];
    const double before = TexelS(brush, 1, corner);
    DragFirstWorldBrush(QPoint(32, 0));
    ASSERT_TRUE(ActiveDoc().IsModified());
    const IntPoint moved(corner.x + 32, corner.y, corner.z);
    ASSERT_EQ(brush.m_vertices[brush.m_faces[1].vertexIndex[0]], moved);
    SaveWithTheKeys();
    EXPECT_FALSE(ActiveDoc().IsModified());

    const std::string saved = ReadFileText(path.toStdString());
    EXPECT_EQ(FindLostPairs(original, saved), std::vector<std::string>());
    // Entities, keys and heading comments where the file had them.
    EXPECT_EQ(ListEntitySequence(saved), ListEntitySequence(original));
    EXPECT_NE(saved.find("\"wad\" \"deprecated/free_wad.wad;deprecated/fence.wad;deprecated/"
                         "origin.wad;deprecated/hintskip.wad\""),
              std::string::npos);
    CTolveDoc reread;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(reread.ReadMapFile(path.toStdString(), diagnostics));
    EXPECT_TRUE(diagnostics.m_entries.empty());
    EXPECT_EQ(reread.m_mapFormat, MapFormat::kValve);
    // The moved brush's face shows at its moved corner what it showed before.
    const CMapBrush& read = *reread.GetWorldBrushes().at(0);
    EXPECT_NEAR(TexelS(read, 1, moved), before, 1e-6);
    // Every other brush comes back line for line.
    const std::vector<std::string> originalLines = FaceLines(original);
    const std::vector<std::string> savedLines = FaceLines(saved);
    ASSERT_EQ(savedLines.size(), originalLines.size());
    EXPECT_TRUE(std::equal(originalLines.begin() + brush.m_numFaces, originalLines.end(),
                           savedLines.begin() + brush.m_numFaces));
}

TEST_F(MapFormatsEndToEnd, WithTextureLockOffTheTexturesStayInTheWorld) {
    StartShown({CopyFenceMap()});
    QAction* lock = Frame().GetCommands().GetAction(CommandId::kTextureLock);
    ASSERT_TRUE(lock->isChecked());
    lock->trigger();
    EXPECT_FALSE(ActiveDoc().m_textureLock);
    EXPECT_FALSE(LoadTextureLockSetting());
    const ValveAxes axes = ActiveDoc().GetWorldBrushes().at(0)->m_valveAxes.at(1);
    DragFirstWorldBrush(QPoint(32, 0));
    EXPECT_EQ(ActiveDoc().GetWorldBrushes().at(0)->m_valveAxes.at(1), axes);
    // Nor does a quarter turn (Ctrl+R) or a mirror (Ctrl+F) of the brush under
    // the pointer: faces that keep facing the way they did keep their axes.
    const CMapBrush& brush = *ActiveDoc().GetWorldBrushes().at(0);
    for (const Qt::Key key : {Qt::Key_R, Qt::Key_F}) {
        const CMapBrush before = brush;
        QTest::keyClick(Frame().GetActiveView(), key, Qt::ControlModifier);
        ASSERT_FALSE(std::equal(brush.m_vertices, brush.m_vertices + brush.m_numVertices,
                                before.m_vertices));
        int kept = 0;
        for (int face = 0; face < brush.m_numFaces; ++face) {
            if (!(GetFaceNormal(brush, face) == GetFaceNormal(before, face)))
                continue;
            EXPECT_EQ(brush.m_valveAxes[face], before.m_valveAxes[face]) << face;
            ++kept;
        }
        EXPECT_GE(kept, 2);
    }
    // A map opened later follows the setting.
    Docs().NewDocument();
    EXPECT_FALSE(ActiveDoc().m_textureLock);
}

TEST_F(MapFormatsEndToEnd, AnotherGamesMapOpensReadOnlyAndIsSavedOnlyAsAnotherFile) {
    const std::filesystem::path q2 = m_files.Path("q2.map");
    std::filesystem::copy_file(
        TestDataPath("maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map"), q2);
    const std::string original = ReadFileText(q2);
    StartShown({QString::fromStdString(q2.string())});
    ASSERT_FALSE(m_messages.m_boxes.empty());
    EXPECT_EQ(m_messages.m_boxes.back().title, "Another Game's Map");
    EXPECT_EQ(m_messages.m_boxes.back().text,
              DescribeOtherGameMap("q2.map", MapGame::kQuake2).text);
    EXPECT_EQ(ActiveFrame()->windowTitle(), "q2.map (Quake 2, read-only)");
    EXPECT_FALSE(Frame().GetCommands().GetAction(CommandId::kFileSave)->isEnabled());

    // The keys of Save ask before anything is written, and "No" writes nothing.
    m_messages.m_boxes.clear();
    m_messages.m_answers = {MessageAnswer::kNo};
    Docs().SaveDocument(ActiveDoc());
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_NE(m_messages.m_boxes[0].text.find("is a Quake 2 map"), std::string::npos);
    EXPECT_TRUE(m_saveChooser.m_requests.empty());
    EXPECT_EQ(ReadFileText(q2), original);

    // Save As, agreed to, writes what was read into another file.
    m_messages.m_answers = {MessageAnswer::kYes};
    m_saveChooser.m_answers = {m_files.Path("copy.map").string()};
    Frame().RunCommand(CommandId::kFileSaveAs);
    const std::string copy = ReadFileText(m_files.Path("copy.map"));
    EXPECT_EQ(FaceLines(copy), FaceLines(original));
    EXPECT_EQ(ReadFileText(q2), original);
}

TEST_F(MapFormatsEndToEnd, SaveAsOffersTheFormsAndAsksBeforeApproximatingTextures) {
    const QString path = CopyFenceMap();
    std::string text = ReadFileText(path.toStdString());
    // One face whose u axis leans out of its axis plane.
    text.replace(text.find("[ 0 1 0 16 ]"), 12, "[ 0 1 1 16 ]");
    WriteFileText(path.toStdString(), text);
    StartShown({path});
    const std::filesystem::path standard = m_files.Path("standard.map");

    m_saveChooser.m_answers = {standard.string()};
    m_saveChooser.m_kindAnswers = {0};
    m_messages.m_boxes.clear();
    m_messages.m_answers = {MessageAnswer::kNo};
    Frame().RunCommand(CommandId::kFileSaveAs);
    ASSERT_EQ(m_saveChooser.m_kinds.size(), 1u);
    EXPECT_EQ(
        m_saveChooser.m_kinds[0].names,
        (std::vector<std::string>{"Quake map, standard format", "Quake map, Valve 220 format"}));
    EXPECT_EQ(m_saveChooser.m_kinds[0].chosen, 1); // offered as it is
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_NE(m_messages.m_boxes[0].text.find("the world, brush 1, face 1 (line 12)"),
              std::string::npos)
        << m_messages.m_boxes[0].text;
    EXPECT_FALSE(std::filesystem::exists(standard));
    EXPECT_EQ(ActiveDoc().m_mapFormat, MapFormat::kValve);

    m_saveChooser.m_answers = {standard.string()};
    m_saveChooser.m_kindAnswers = {0};
    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileSaveAs);
    EXPECT_EQ(ActiveDoc().m_mapFormat, MapFormat::kStandard);
    EXPECT_FALSE(ActiveDoc().IsModified());
    const std::string saved = ReadFileText(standard);
    EXPECT_EQ(saved.find('['), std::string::npos);
    EXPECT_EQ(saved.find("mapversion"), std::string::npos);
    EXPECT_EQ(FindLostPairs(text, saved).size(), 1u); // only "mapversion" "220"
}

TEST_F(MapFormatsEndToEnd, FractionalPlanePointsAreToldInTheStatusBarNotInABox) {
    const std::filesystem::path map = m_files.Path("swtest.map");
    std::filesystem::copy_file(TestDataPath("maps/ericw_swtest.map"), map);
    StartShown({QString::fromStdString(map.string())});
    for (const auto& box : m_messages.m_boxes)
        EXPECT_NE(box.title, "Map Read Error") << box.text;
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(),
              DescribeFractionalBrushes(ActiveDoc().m_fractionalBrushLines.size()));
}
