// A change confined to an area of the map is redrawn in that area alone; the
// picture must come out as a full repaint of the same map would draw it.
#include "widgets/CTolveView.h"

#include "TestSupport.h"
#include "map/CMapTransaction.h"
#include "view/ViewNavigation.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;

// The cube, a slab overlapping its side, a door beside them and two lights,
// one inside the overlap.
const std::string kMap =
    CubeMapText("{\n\"classname\" \"worldspawn\"\n{\n" + BoxFaceLines(32, 96, "wall") +
                "}\n}\n{\n\"classname\" \"func_door\"\n{\n" + BoxFaceLines(128, 160, "door") +
                "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"48 24 8\"\n}\n"
                "{\n\"classname\" \"light\"\n\"origin\" \"-200 -150 0\"\n}\n");

struct ViewSetting {
    int32_t plane;
    bool threeD;
    int32_t zoom;
    bool flipped = false;
};

std::string DescribeDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "the sizes differ";
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return "none";
}

class AreaRepaintView : public ::testing::TestWithParam<ViewSetting> {
protected:
    AreaRepaintView() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(kMap, diagnostics);
        view = std::make_unique<CTolveView>(doc);
        view->resize(kWidth, kHeight);
        view->m_projection.m_viewMode = GetParam().plane;
        view->m_projection.m_threeD = GetParam().threeD;
        view->m_projection.m_zoom = GetParam().zoom;
        view->m_projection.m_flipped = GetParam().flipped;
        CentreView(view->m_projection, IntPoint(), kWidth, kHeight);
        view->InvalidateAll();
        Remember();
    }

    CMapBrush& Slab() { return *doc.GetWorldBrushes()[1]; }
    CPointEntity& InnerLight() { return *doc.GetPointEntities()[0]; }
    void SelectSlab() {
        doc.GetEditorState().SetEditMode(kBrushMode);
        doc.GetEditorState().SetSelectedEntity(nullptr);
        doc.GetEditorState().SetSelectedBrush(&Slab());
        doc.GetEditorState().SetSelectedVertex(0);
        view->InvalidateAll();
        Remember();
    }
    void Remember() { m_before = view->RenderNow().copy(); }

    // The edit was drawn in part, changed the picture, and left it as a full
    // repaint would.
    void ExpectRedrawnInPlace() {
        ASSERT_FALSE(view->IsFullRepaintPending());
        const QImage part = view->RenderNow().copy();
        EXPECT_FALSE(part == m_before);
        view->InvalidateAll();
        const QImage whole = view->RenderNow().copy();
        EXPECT_TRUE(part == whole) << DescribeDifference(part, whole);
        Remember();
    }

    CTolveDoc doc;
    std::unique_ptr<CTolveView> view;
    CMapTransaction transaction{doc, "Edit"};
    CMapEdits& edits = transaction.Edits();
    QImage m_before;
};

} // namespace

TEST_P(AreaRepaintView, UndoAndRedoOfABrushDrag) {
    SelectSlab();
    const CMapBrush before = Slab();
    edits.MoveBrush(Slab(), {24, 16, 8});
    ExpectRedrawnInPlace();
    transaction.Commit();
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(Slab(), before);
    ExpectRedrawnInPlace();
    doc.GetHistory().Redo(doc);
    ExpectRedrawnInPlace();
}

TEST_P(AreaRepaintView, DeleteOfASelectedBrush) {
    SelectSlab();
    ASSERT_EQ(edits.RemoveBrush(nullptr, Slab()), BrushRemoval::kBrush);
    ExpectRedrawnInPlace();
}

TEST_P(AreaRepaintView, DeleteOfASelectedPointEntity) {
    doc.GetEditorState().SetEditMode(kEntityMode);
    doc.GetEditorState().SetSelectedPointEntity(&InnerLight());
    view->InvalidateAll();
    Remember();
    ASSERT_TRUE(edits.RemovePointEntity(InnerLight()));
    ExpectRedrawnInPlace();
}

TEST_P(AreaRepaintView, AddOfABrushBetweenOthers) {
    SelectSlab();
    auto copy = std::make_unique<CMapBrush>(*doc.GetWorldBrushes()[0]);
    for (int v = 0; v < copy->m_numVertices; ++v) {
        copy->m_vertices[v].x += 20;
        copy->m_vertices[v].z += 40;
    }
    edits.AddBrush(nullptr, std::move(copy), 1);
    ExpectRedrawnInPlace();
}

TEST_P(AreaRepaintView, SeveralChangesBeforeAPaintAreDrawnTogether) {
    SelectSlab();
    // The moves of a drag, then a light moved elsewhere, all before a frame.
    for (int step = 1; step <= 3; ++step)
        edits.MoveBrush(Slab(), {8, 8, 0});
    CPointEntity& light = *doc.GetPointEntities()[1];
    edits.MovePointEntity(light, {-16, 0, 0});
    ExpectRedrawnInPlace();
}

namespace {

std::string SettingName(const ::testing::TestParamInfo<ViewSetting>& info) {
    static const char* const kPlanes[] = {"XY", "XZ", "YZ"};
    return std::string(kPlanes[info.param.plane]) + (info.param.threeD ? "ThreeD" : "Flat") +
           "Zoom" + std::to_string(info.param.zoom) + (info.param.flipped ? "Flipped" : "");
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    EveryPlane, AreaRepaintView,
    ::testing::Values(ViewSetting{kPlaneXY, false, 1}, ViewSetting{kPlaneXZ, false, 1},
                      ViewSetting{kPlaneYZ, false, 1}, ViewSetting{kPlaneXY, true, 2},
                      ViewSetting{kPlaneXZ, true, 2}, ViewSetting{kPlaneYZ, true, 2},
                      ViewSetting{kPlaneXY, true, 1, true}, ViewSetting{kPlaneYZ, false, 2, true}),
    SettingName);

namespace {

struct PlainViewFixture {
    CTolveDoc doc;
    std::unique_ptr<CTolveView> view;
    CMapTransaction transaction{doc, "Edit"};
    CMapEdits& edits = transaction.Edits();
    int viewChanges = 0;
    PlainViewFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(kMap, diagnostics);
        view = std::make_unique<CTolveView>(doc);
        view->resize(kWidth, kHeight);
        CentreView(view->m_projection, IntPoint(), kWidth, kHeight);
        view->InvalidateAll();
        view->RenderNow();
        QObject::connect(view.get(), &CTolveView::ViewChanged, [this] { ++viewChanges; });
    }
    std::unique_ptr<CMapBrush> CubeAt(int32_t dx, int32_t size) {
        auto brush = std::make_unique<CMapBrush>(*doc.GetWorldBrushes()[0]);
        for (int v = 0; v < brush->m_numVertices; ++v) {
            IntPoint& p = brush->m_vertices[v];
            p = {p.x * size / 128 + dx, p.y * size / 128, p.z * size / 128};
        }
        return brush;
    }
    // The scroll bars hear of the map's changes once the edit is over.
    int ViewChangesAfterTheEdit() {
        QCoreApplication::processEvents();
        return viewChanges;
    }
};

} // namespace

TEST(CTolveViewArea, ABrushOutsideTheViewLeavesThePictureAlone) {
    PlainViewFixture f;
    const QImage before = f.view->RenderNow().copy();
    for (int32_t far : {5000, 6000, 7000})
        f.edits.AddBrush(nullptr, f.CubeAt(far, 128));
    EXPECT_FALSE(f.view->IsFullRepaintPending());
    EXPECT_TRUE(f.view->RenderNow() == before);
    // The map grew all the same: the scroll bars hear of it, once per edit
    // however many objects it changed.
    EXPECT_EQ(f.viewChanges, 0);
    EXPECT_EQ(f.ViewChangesAfterTheEdit(), 1);
}

TEST(CTolveViewArea, ABrushAcrossTheEdgeIsRedrawnUpToIt) {
    PlainViewFixture f;
    const QImage before = f.view->RenderNow().copy();
    f.edits.AddBrush(nullptr, f.CubeAt(kWidth / 2, 128)); // centred on the right edge
    EXPECT_FALSE(f.view->IsFullRepaintPending());
    const QImage part = f.view->RenderNow().copy();
    EXPECT_FALSE(part == before);
    f.view->InvalidateAll();
    EXPECT_TRUE(part == f.view->RenderNow());
}

TEST(CTolveViewArea, AChangeOverMostOfTheViewIsRepaintedWhole) {
    PlainViewFixture f;
    f.edits.AddBrush(nullptr, f.CubeAt(0, 1024));
    EXPECT_TRUE(f.view->IsFullRepaintPending());
    EXPECT_EQ(f.ViewChangesAfterTheEdit(), 1);
}

TEST(CTolveViewArea, SmallChangesFarApartAddUpToAWholeRepaint) {
    PlainViewFixture f;
    auto smallCubeAt = [&f](int32_t dx, int32_t dy) {
        std::unique_ptr<CMapBrush> cube = f.CubeAt(dx, 32);
        for (int v = 0; v < cube->m_numVertices; ++v)
            cube->m_vertices[v].y += dy;
        return cube;
    };
    f.edits.AddBrush(nullptr, smallCubeAt(-kWidth / 2 + 40, -kHeight / 2 + 40));
    EXPECT_FALSE(f.view->IsFullRepaintPending());
    // Alone this one would be small too; together they span the view.
    f.edits.AddBrush(nullptr, smallCubeAt(kWidth / 2 - 40, kHeight / 2 - 40));
    EXPECT_TRUE(f.view->IsFullRepaintPending());
}

TEST(CTolveViewArea, DeletingTheSelectedBrushOfAnEntityRecoloursItsOtherBrushes) {
    PlainViewFixture f;
    CRecordingDiagnostics diagnostics;
    f.doc.ReadMapText("{\n\"classname\" \"func_wall\"\n{\n" + BoxFaceLines(200, 232, "a") +
                          "}\n{\n" + BoxFaceLines(264, 296, "b") + "}\n}\n",
                      diagnostics);
    CModelEntity& wall = *f.doc.GetModelEntities().back();
    ASSERT_EQ(wall.m_brushes.size(), 2u);
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    f.doc.GetEditorState().SetSelectedEntity(&wall);
    f.doc.GetEditorState().SetSelectedBrush(wall.m_brushes[0].get());
    f.view->InvalidateAll();
    f.view->RenderNow();

    ASSERT_EQ(f.edits.RemoveBrush(&wall, *wall.m_brushes[0]), BrushRemoval::kBrush);
    const QImage after = f.view->RenderNow().copy();
    f.view->InvalidateAll();
    const QImage whole = f.view->RenderNow().copy();
    EXPECT_TRUE(after == whole) << DescribeDifference(after, whole);
}

TEST(CTolveViewArea, APendingFullRepaintDrawsTheChangeItself) {
    PlainViewFixture f;
    f.view->InvalidateAll();
    f.viewChanges = 0;
    f.edits.RemoveBrush(nullptr, *f.doc.GetWorldBrushes()[1]);
    EXPECT_TRUE(f.view->IsFullRepaintPending());
    EXPECT_EQ(f.ViewChangesAfterTheEdit(), 1);
}
