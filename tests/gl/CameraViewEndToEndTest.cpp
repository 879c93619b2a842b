#include "app/AppSettings.h"
#include "app/CAppFixture.h"
#include "docks/CTextureBrowserDock.h"
#include "docks/CTextureListModel.h"
#include "gl/CCameraView.h"
#include "texture/WadBuilder.h"
#include "view/CClipTool.h"

#include "TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QRegion>
#include <QSet>

#include <gtest/gtest.h>

namespace {

// A Valve 220 box with every face `texture` on axes of its own plane.
std::string ValveBox(IntPoint lo, IntPoint hi, const std::string& texture) {
    auto face = [&](const std::string& points, const char* axes) {
        return points + " " + texture + " " + axes + " 0 1 1\n";
    };
    auto n = [](int32_t v) { return std::to_string(v); };
    return "{\n" +
           face("( " + n(lo.x) + " 0 1 ) ( " + n(lo.x) + " -1 0 ) ( " + n(lo.x) + " 0 0 )",
                "[ 0 1 0 0 ] [ 0 0 -1 0 ]") +
           face("( " + n(hi.x) + " 0 1 ) ( " + n(hi.x) + " 1 0 ) ( " + n(hi.x) + " 0 0 )",
                "[ 0 1 0 0 ] [ 0 0 -1 0 ]") +
           face("( 0 " + n(lo.y) + " 1 ) ( 1 " + n(lo.y) + " 0 ) ( 0 " + n(lo.y) + " 0 )",
                "[ 1 0 0 0 ] [ 0 0 -1 0 ]") +
           face("( 0 " + n(hi.y) + " 1 ) ( -1 " + n(hi.y) + " 0 ) ( 0 " + n(hi.y) + " 0 )",
                "[ 1 0 0 0 ] [ 0 0 -1 0 ]") +
           face("( 0 1 " + n(lo.z) + " ) ( -1 0 " + n(lo.z) + " ) ( 0 0 " + n(lo.z) + " )",
                "[ 1 0 0 0 ] [ 0 -1 0 0 ]") +
           face("( 0 1 " + n(hi.z) + " ) ( 1 0 " + n(hi.z) + " ) ( 0 0 " + n(hi.z) + " )",
                "[ 1 0 0 0 ] [ 0 -1 0 0 ]") +
           "}\n";
}

// A floor with two crates on it, in the form the editor writes it, so that
// a save of the same map gives the same bytes.
std::string CratesMapText() {
    const std::string text = "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n"
                             "\"wad\" \"quake101.wad\"\n" +
                             ValveBox({-512, -512, -16}, {512, 512, 0}, "floor1") +
                             ValveBox({-96, -32, 0}, {-32, 32, 64}, "crate1") +
                             ValveBox({32, -32, 0}, {96, 32, 64}, "crate1") + "}\n";
    return MapText(*Read(text)->doc);
}

class CameraViewEndToEnd : public CAppFixture {
protected:
    // The active camera view, else the map's first.
    CCameraView& Camera() const {
        if (CCameraView* active = Frame().GetActiveCameraView())
            return *active;
        for (CChildFrame* frame : Docs().GetFrames(ActiveDoc())) {
            if (frame->IsCamera())
                return *frame->GetCameraView();
        }
        throw std::logic_error("no camera view");
    }
    // The picture after enough frames for every texture to have come.
    QImage Picture() {
        QImage picture;
        for (int frame = 0; frame < 6; ++frame)
            picture = Camera().grabFramebuffer();
        return picture;
    }
    QPoint PixelOf(const Vec3d& point) const {
        const CSceneCamera& camera = Camera().GetCamera();
        const double aspect = static_cast<double>(Camera().width()) / Camera().height();
        const ClipPoint c =
            Transform(camera.GetProjectionMatrix(aspect) * camera.GetViewMatrix(), point);
        return {static_cast<int>((c.x / c.w + 1.0) / 2.0 * Camera().width()),
                static_cast<int>((1.0 - c.y / c.w) / 2.0 * Camera().height())};
    }
};

// Both crates' corners as the saved file has them, in brush order.
std::vector<IntPoint> CrateCorners(const std::string& path) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    EXPECT_FALSE(doc.ReadMapFile(path, diagnostics).has_value());
    std::vector<IntPoint> corners;
    for (size_t b = 1; b < doc.GetWorldBrushes().size(); ++b) {
        const CMapBrush& brush = *doc.GetWorldBrushes()[b];
        corners.insert(corners.end(), brush.m_vertices, brush.m_vertices + brush.m_numVertices);
    }
    return corners;
}

// A crate's top dragged in the camera view moves it along the floor, on the
// grid, as one step that saves; Escape in mid-drag leaves the map untouched.
TEST_F(CameraViewEndToEnd, ADragMovesOnTheGrabbedPlaneAndEscapeTakesItBack) {
    SaveViewLayout(ViewLayout::kFour);
    const QString path = WriteMap("crates.map", CratesMapText().c_str());
    StartApp({path});
    ShowActive();
    CSceneCamera pose;
    pose.SetPosition({-64, -300, 260});
    pose.SetAngles(90, -40);
    Camera().SetCamera(pose);
    Frame().RunCommand(CommandId::kBrushMode);
    const std::vector<IntPoint> before = CrateCorners(path.toStdString());

    const QPoint top = PixelOf({-64, 0, 64}), aside = PixelOf({-32, 16, 64});
    QTest::mouseMove(&Camera(), top);
    QTest::mousePress(&Camera(), Qt::LeftButton, Qt::NoModifier, top);
    QTest::mouseMove(&Camera(), aside);
    QTest::keyClick(&Camera(), Qt::Key_Escape);
    QTest::mouseRelease(&Camera(), Qt::LeftButton, Qt::NoModifier, aside);
    EXPECT_FALSE(ActiveDoc().IsModified());

    QTest::mouseMove(&Camera(), top);
    QTest::mousePress(&Camera(), Qt::LeftButton, Qt::NoModifier, top);
    QTest::mouseMove(&Camera(), aside);
    QTest::mouseRelease(&Camera(), Qt::LeftButton, Qt::NoModifier, aside);
    QTest::keyClick(&Camera(), Qt::Key_S, Qt::ControlModifier);
    const std::vector<IntPoint> after = CrateCorners(path.toStdString());
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        const bool first = i < after.size() / 2;
        const IntPoint expected =
            first ? IntPoint{before[i].x + 32, before[i].y + 16, before[i].z} : before[i];
        EXPECT_EQ(after[i], expected) << i;
    }
}

// Four views tile the workspace; the camera view draws textures; W flies;
// Shift+click gathers two crates in the camera view; Delete, Ctrl+Z and Save
// leave the file exactly as it was.
TEST_F(CameraViewEndToEnd, FourViewsFlyPickDeleteUndoSaveKeepsTheFile) {
    SaveViewLayout(ViewLayout::kFour);
    const std::string original = CratesMapText();
    const QString path = WriteMap("crates.map", original.c_str());
    StartApp({path});
    ShowActive();
    const std::vector<CChildFrame*> frames = Docs().GetFrames(ActiveDoc());
    ASSERT_EQ(frames.size(), 4u);
    const QRect workspace(QPoint(), Frame().GetMdiArea().viewport()->size());
    QRegion covered;
    for (CChildFrame* frame : frames) {
        EXPECT_FALSE(covered.intersects(frame->geometry()));
        covered += frame->geometry();
    }
    EXPECT_EQ(covered, QRegion(workspace));
    ASSERT_TRUE(Camera().GetProblem().empty()) << Camera().GetProblem();

    CSceneCamera pose;
    pose.SetPosition({0, -400, 120});
    pose.SetAngles(90, -15);
    Camera().SetCamera(pose);
    QSet<QRgb> colours;
    const QImage picture = Picture();
    for (int y = 0; y < picture.height(); y += 4) {
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    }
    EXPECT_GT(colours.size(), 50);

    Camera().setFocus();
    QTest::keyPress(&Camera(), Qt::Key_W);
    QTest::qWait(100);
    QTest::keyRelease(&Camera(), Qt::Key_W);
    EXPECT_GT(Camera().GetCamera().GetPosition().y, -400 + 10);
    // The map keeps its camera: another camera view starts there, and the top
    // view marks where it stands.
    const CSceneCamera flown = Camera().GetCamera();
    CTolveView& topView = frames[0]->GetView();
    const ScreenPoint eye = topView.m_projection.WorldToScreen(
        {0, static_cast<int32_t>(std::lround(flown.GetPosition().y)), 120});
    EXPECT_EQ(topView.grab().toImage().pixelColor(eye.x + 4, eye.y), QColor(0, 160, 255));
    Frame().RunCommand(CommandId::kWindowNewCamera);
    EXPECT_EQ(Camera().GetCamera().GetPosition(), flown.GetPosition());
    // The marker dragged in the top view takes the camera views along.
    const QPoint marker(eye.x, eye.y);
    const QPoint west = marker - QPoint(20, 0);
    QTest::mousePress(&topView, Qt::LeftButton, Qt::NoModifier, marker);
    QTest::mouseMove(&topView, west);
    QTest::mouseRelease(&topView, Qt::LeftButton, Qt::NoModifier, west);
    EXPECT_EQ(Camera().GetCamera().GetPosition().x, topView.ScreenToWorld(west.x(), west.y()).x);
    EXPECT_LT(Camera().GetCamera().GetPosition().x, flown.GetPosition().x);
    EXPECT_FALSE(ActiveDoc().IsModified());

    Frame().RunCommand(CommandId::kBrushMode);
    for (const Vec3d& crate : {Vec3d{-64, -32, 32}, Vec3d{64, -32, 32}}) {
        const QPoint at = PixelOf(crate);
        QTest::mouseMove(&Camera(), at);
        QTest::mouseClick(&Camera(), Qt::LeftButton, Qt::ShiftModifier, at);
    }
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().GetBrushes().size(), 2u);
    // With brushes chosen, the fly keys still fly: the window's commands on
    // the same keys (Subtract, the nudges) leave the map alone.
    const Vec3d standing = Camera().GetCamera().GetPosition();
    const std::pair<Qt::Key, Qt::KeyboardModifier> keys[] = {{Qt::Key_S, Qt::ShiftModifier},
                                                             {Qt::Key_Left, Qt::NoModifier}};
    for (const auto& [key, modifier] : keys) {
        QTest::keyPress(&Camera(), key, modifier);
        QTest::keyRelease(&Camera(), key, modifier);
    }
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_NE(Camera().GetCamera().GetPosition(), standing);
    QTest::keyClick(&Camera(), Qt::Key_Delete);
    EXPECT_EQ(ActiveDoc().GetWorldBrushes().size(), 1u);
    QTest::keyClick(&Camera(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetWorldBrushes().size(), 3u);
    EXPECT_EQ(MapText(ActiveDoc()), original);
    QTest::keyClick(&Camera(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(Camera().hasFocus());
    EXPECT_EQ(ReadFileText(path.toStdString()), original);
}

// Texturing in the camera view: a texture chosen in the browser's filtered
// list, two crate tops Shift+clicked in face mode, Shift+T and two shifts by
// the snap step; the saved file differs from the original in those two faces
// alone.
TEST_F(CameraViewEndToEnd, BrowserTextureAppliedAndShiftedOnFacesPickedInTheCamera) {
    SaveViewLayout(ViewLayout::kFour);
    CWadBuilder()
        .AddMipTexture("brick", 64, 64, 3)
        .AddMipTexture("METAL1", 64, 32, 7)
        .WriteTo(m_files.Path("quake101.wad"));
    const std::string original = CratesMapText();
    const QString path = WriteMap("crates.map", original.c_str());
    StartApp({path});
    ShowActive();
    CSceneCamera pose;
    pose.SetPosition({0, -300, 260});
    pose.SetAngles(90, -40);
    Camera().SetCamera(pose);

    Camera().setFocus();
    QTest::keyClick(&Camera(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    CTextureBrowserDock& browser = Frame().GetTextureBrowser();
    ASSERT_EQ(QApplication::focusWidget(), &browser.GetFilterBox());
    QTest::keyClicks(&browser.GetFilterBox(), QStringLiteral("met"));
    const QModelIndex metal = browser.GetModel().FindFirstShownTexture();
    const QPoint cell = browser.GetList().visualRect(metal).center();
    QTest::mouseClick(browser.GetList().viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    ASSERT_EQ(ActiveDoc().GetEditorState().GetCurrentTexture(), "METAL1");

    Frame().RunCommand(CommandId::kFaceMode);
    Camera().setFocus();
    for (const Vec3d& top : {Vec3d{-64, 0, 64}, Vec3d{64, 0, 64}}) {
        const QPoint at = PixelOf(top);
        QTest::mouseMove(&Camera(), at);
        QTest::mouseClick(&Camera(), Qt::LeftButton, Qt::ShiftModifier, at);
    }
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 2u);
    QTest::keyClick(&Camera(), Qt::Key_T, Qt::ShiftModifier);
    QTest::keyClick(&Camera(), Qt::Key_J, Qt::AltModifier);
    QTest::keyClick(&Camera(), Qt::Key_J, Qt::AltModifier);
    QTest::keyClick(&Camera(), Qt::Key_S, Qt::ControlModifier);

    const std::string top = "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) ";
    const int shifted = 2 * static_cast<int>(ActiveDoc().GetEditorState().GetSnap());
    std::string expected = original;
    for (int crate = 0; crate < 2; ++crate) {
        const size_t at = expected.find(top + "crate1 [ 1 0 0 0 ]");
        ASSERT_NE(at, std::string::npos);
        expected.replace(at, top.size() + std::string("crate1 [ 1 0 0 0 ]").size(),
                         top + "METAL1 [ 1 0 0 " + std::to_string(shifted) + " ]");
    }
    EXPECT_EQ(ReadFileText(path.toStdString()), expected);
}

// The clip tool in the camera view: X, three clicks on a crate's faces across
// its middle, Enter and Ctrl+S cut that crate in the file and leave the rest
// as it was.
TEST_F(CameraViewEndToEnd, ThreeClicksOnFacesCutTheCrateInTheFile) {
    SaveViewLayout(ViewLayout::kFour);
    const std::string original = CratesMapText();
    const QString path = WriteMap("crates.map", original.c_str());
    StartApp({path});
    ShowActive();
    CSceneCamera pose;
    pose.SetPosition({0, -400, 120});
    pose.SetAngles(90, -15);
    Camera().SetCamera(pose);
    Frame().RunCommand(CommandId::kBrushMode);
    Camera().setFocus();
    const QPoint crate = PixelOf({-64, -32, 32});
    QTest::mouseMove(&Camera(), crate);
    QTest::mouseClick(&Camera(), Qt::LeftButton, Qt::ShiftModifier, crate);
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().GetBrushes().size(), 1u);

    QTest::keyClick(&Camera(), Qt::Key_X);
    ASSERT_NE(Camera().GetClipTool(), nullptr);
    // Up the front face, then over the top: round the plane x = -72.
    for (const Vec3d& at : {Vec3d{-72, -32, 8}, Vec3d{-72, -32, 48}, Vec3d{-72, 8, 64}})
        QTest::mouseClick(&Camera(), Qt::LeftButton, Qt::NoModifier, PixelOf(at));
    ASSERT_EQ(Camera().GetClipTool()->CountPoints(), 3);
    EXPECT_FALSE(Camera().GetClipTool()->PreviewEdges().empty());
    // The part kept is drawn over the picture.
    const QImage preview = Picture();
    int keptPixels = 0;
    for (int y = 0; y < preview.height(); ++y) {
        for (int x = 0; x < preview.width(); ++x)
            keptPixels += preview.pixelColor(x, y) == QColor(0, 220, 90);
    }
    EXPECT_GT(keptPixels, 20);
    QTest::keyClick(&Camera(), Qt::Key_Return);
    EXPECT_TRUE(m_messages.m_boxes.empty());
    QTest::keyClick(&Camera(), Qt::Key_Escape);
    EXPECT_EQ(Camera().GetClipTool(), nullptr);
    EXPECT_TRUE(Camera().hasFocus());
    QTest::keyClick(&Camera(), Qt::Key_S, Qt::ControlModifier);

    const std::unique_ptr<ReadMap> saved = Read(ReadFileText(path.toStdString()));
    const std::unique_ptr<ReadMap> before = Read(original);
    const auto& brushes = saved->doc->GetWorldBrushes();
    ASSERT_EQ(brushes.size(), 3u);
    EXPECT_EQ(*brushes[0], *before->doc->GetWorldBrushes()[0]);
    EXPECT_EQ(*brushes[2], *before->doc->GetWorldBrushes()[2]);
    const IntBox kept = *brushes[1]->GetBounds();
    EXPECT_EQ(kept.min, (IntPoint{-96, -32, 0}));
    EXPECT_EQ(kept.max, (IntPoint{-72, 32, 64}));
}

} // namespace
