#include "view/CMapDrag.h"

#include "CNoticeRecorder.h"
#include "TestSupport.h"
#include "widgets/CTolveView.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kMap = R"({
"classname" "worldspawn"
{
( 3 0 1 ) ( 3 -1 0 ) ( 3 0 0 ) t 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) t 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) t 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) t 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) t 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "100 100 0"
}
)";

// An XY view at zoom 1 with pixel (0, 0) on world (0, 0): world (x, y) is
// pixel (x, -y).
struct DragFixture {
    CTolveDoc doc;
    CViewProjection projection;
    std::unique_ptr<CMapDrag> drag;
    IntPoint cursor;
    CNoticeRecorder counter;
    DragFixture() {
        CRecordingDiagnostics diagnostics;
        doc.ReadMapText(kMap, diagnostics);
        projection.m_originX = 0;
        projection.m_originY = 0;
        doc.AddView(&counter);
        doc.GetEditorState().SetSelectedBrush(doc.GetWorldBrushes()[0].get());
    }
    ~DragFixture() { doc.RemoveView(&counter); }
    // A press ends the drag before, as its release would have.
    void Press(int32_t x, int32_t y) {
        if (drag)
            drag->Commit();
        drag.reset();
        counter.m_notices.clear(); // only what the drag tells counts
        drag = std::make_unique<CMapDrag>(doc, projection, ScreenPoint{x, -y},
                                          doc.GetEditorState().GetHoverAsSet());
        cursor = drag->GetCursor();
    }
    bool DragTo(int32_t x, int32_t y) {
        bool moved = drag->Step({x, -y});
        cursor = drag->GetCursor();
        return moved;
    }
    CMapBrush& Brush() { return *doc.GetWorldBrushes()[0]; }
    int VertexAt(IntPoint p) {
        for (int v = 0; v < Brush().m_numVertices; ++v) {
            if (Brush().m_vertices[v] == p)
                return v;
        }
        return -1;
    }
};

} // namespace

TEST(CMapDrag, SnapsEachStepAndKeepsOffGridOffsets) {
    DragFixture f;
    int v = f.VertexAt({3, 0, 0});
    ASSERT_GE(v, 0);
    f.doc.GetEditorState().SetSelectedVertex(v);
    f.Press(9, 0);
    EXPECT_EQ(f.cursor.x, 8);
    EXPECT_FALSE(f.DragTo(11, 0)); // still 8
    EXPECT_EQ(f.counter.CountRepaints(), 0);
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_TRUE(f.DragTo(12, 0)); // 16: one step of +8
    EXPECT_EQ(f.Brush().m_vertices[v], IntPoint(11, 0, 0));
    EXPECT_TRUE(f.DragTo(11, 0)); // back to 8
    EXPECT_EQ(f.Brush().m_vertices[v], IntPoint(3, 0, 0));
    EXPECT_EQ(f.counter.CountRepaints(), 2);
    EXPECT_FALSE(f.doc.IsModified()); // not before the drag ends
    // The corner has moved: the brush now saves through its corners.
    EXPECT_EQ(f.Brush().m_readPlanes, nullptr);
}

// Back where it began, a drag leaves the map exactly as it was, planes read
// from the file included, and no step.
TEST(CMapDrag, ADragBackToItsStartLeavesTheFileAsItWas) {
    DragFixture f;
    const std::string before = MapText(f.doc);
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    f.Press(0, 0);
    EXPECT_TRUE(f.DragTo(16, 8));
    EXPECT_TRUE(f.DragTo(0, 0));
    f.drag->Commit();
    EXPECT_EQ(MapText(f.doc), before);
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(f.doc.GetHistory().CanUndo());
}

// A selected vertex index the brush does not have (a stale selection) must
// not move a corner slot or the counts beside the table, nor drop the planes
// the brush was read with.
TEST(CMapDrag, CornerDragWithAVertexIndexOutOfRangeChangesNothing) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    // The repeated last face line gives no polygon; the brush keeps it to
    // write it back.
    doc.ReadMapText("{\n\"classname\" \"worldspawn\"\n{\n" + std::string(kCubeFaceLines) +
                        "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n}\n}\n",
                    diagnostics);
    ASSERT_EQ(doc.GetWorldBrushes().size(), 1u);
    CMapBrush& brush = *doc.GetWorldBrushes()[0];
    ASSERT_NE(brush.m_readPlanes, nullptr);
    ASSERT_EQ(brush.m_readPlanes->hidden.size(), 1u);
    const ReadPlanePoints* readPlanes = brush.m_readPlanes.get();
    const uint8_t numVertices = brush.m_numVertices, numFaces = brush.m_numFaces;
    IntPoint before[kMaxBrushVertices];
    std::copy(std::begin(brush.m_vertices), std::end(brush.m_vertices), before);

    CViewProjection projection;
    projection.m_originX = 0;
    projection.m_originY = 0;
    doc.GetEditorState().SetEditMode(kCornerMode);
    doc.GetEditorState().SetSelectedBrush(&brush);
    for (int32_t vertex : {int32_t{numVertices}, int32_t{numVertices} + 1, -1}) {
        SCOPED_TRACE(vertex);
        doc.GetEditorState().SetSelectedVertex(vertex);
        CMapDrag(doc, projection, {0, 0}, doc.GetEditorState().GetHoverAsSet()).Step({16, -16});
        EXPECT_EQ(brush.m_numVertices, numVertices);
        EXPECT_EQ(brush.m_numFaces, numFaces);
        EXPECT_TRUE(std::equal(std::begin(brush.m_vertices), std::end(brush.m_vertices), before));
        EXPECT_EQ(brush.m_readPlanes.get(), readPlanes);
    }
}

TEST(CMapDrag, NegativeWorldPointsSnapLikePositiveOnes) {
    DragFixture f;
    const int v = f.VertexAt({3, 0, 0});
    ASSERT_GE(v, 0);
    f.doc.GetEditorState().SetSelectedVertex(v);
    f.Press(-5, 0);
    EXPECT_EQ(f.cursor.x, -8);
    EXPECT_FALSE(f.DragTo(-4 - 8, 0)); // -12 still snaps to -8
    EXPECT_TRUE(f.DragTo(-13, 0));     // -16
    EXPECT_EQ(f.cursor.x, -16);
    EXPECT_EQ(f.Brush().m_vertices[v], IntPoint(-5, 0, 0));
    // Far below zero a pixel or three either way stays put, as it does above.
    f.Press(-160, 0);
    EXPECT_FALSE(f.DragTo(-159, 0));
    EXPECT_FALSE(f.DragTo(-163, 0));
    EXPECT_TRUE(f.DragTo(-156, 0)); // -152
    EXPECT_EQ(f.Brush().m_vertices[v], IntPoint(3, 0, 0));
    EXPECT_TRUE(f.DragTo(-168, 0)); // -168
    EXPECT_EQ(f.Brush().m_vertices[v], IntPoint(-13, 0, 0));
}

TEST(CMapDrag, FaceAndBrushModesMoveTheirVerticesInThePlane) {
    DragFixture f;
    f.doc.GetEditorState().SetEditMode(kFaceMode);
    f.doc.GetEditorState().SetSelectedFace(1); // the x = 64 side
    f.Press(0, 0);
    EXPECT_TRUE(f.DragTo(16, 8));
    const BrushFace& face = f.Brush().m_faces[1];
    for (int k = 0; k < face.numPoints; ++k) {
        const IntPoint& p = f.Brush().m_vertices[face.vertexIndex[k]];
        EXPECT_EQ(p.x, 80);
        EXPECT_TRUE(p.y == 8 || p.y == 72);
    }
    EXPECT_GE(f.VertexAt({3, 0, 64}), 0); // the other side stays

    f.doc.GetEditorState().SetEditMode(kBrushMode);
    IntPoint before[kMaxBrushVertices];
    std::copy(f.Brush().m_vertices, f.Brush().m_vertices + 8, before);
    EXPECT_TRUE(f.DragTo(16, 16));
    for (int v = 0; v < 8; ++v) {
        EXPECT_EQ(f.Brush().m_vertices[v].x, before[v].x);
        EXPECT_EQ(f.Brush().m_vertices[v].y, before[v].y + 8);
        EXPECT_EQ(f.Brush().m_vertices[v].z, before[v].z); // never out of the plane
    }
}

TEST(CMapDrag, EntityModeMovesTheOriginAndWithoutOneChangesNothing) {
    DragFixture f;
    f.doc.GetEditorState().SetEditMode(kEntityMode);
    f.Press(0, 0);
    EXPECT_TRUE(f.DragTo(8, 0));
    EXPECT_EQ(f.counter.CountRepaints(), 0);
    EXPECT_EQ(f.doc.GetPointEntities()[0]->m_origin, IntPoint(100, 100, 0));
    f.drag->Commit();
    EXPECT_FALSE(f.doc.IsModified());
    EXPECT_FALSE(f.doc.GetHistory().CanUndo());

    f.doc.GetEditorState().SetSelectedPointEntity(f.doc.GetPointEntities()[0].get());
    f.Press(0, 0);
    EXPECT_TRUE(f.DragTo(8, -24));
    EXPECT_EQ(f.doc.GetPointEntities()[0]->m_origin, IntPoint(108, 76, 0));
    f.drag->Commit();
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.doc.GetHistory().GetUndoName(), "Move Entity");
}

// The file's fractional origin is kept while the entity stays put; the drag
// gives it the origin the user sees.
TEST(CMapDrag, DraggedEntityReplacesTheOriginTextTheFileGave) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText("{\n\"classname\" \"light\"\n\"origin\" \"100.5 100 0\"\n}\n", diagnostics);
    EXPECT_NE(MapText(doc).find("\"origin\" \"100.5 100 0\""), std::string::npos);
    CViewProjection projection;
    projection.m_originX = 0;
    projection.m_originY = 0;
    doc.GetEditorState().SetEditMode(kEntityMode);
    doc.GetEditorState().SetSelectedPointEntity(doc.GetPointEntities()[0].get());
    CMapDrag drag(doc, projection, {0, 0}, doc.GetEditorState().GetHoverAsSet());
    ASSERT_TRUE(drag.Step({8, 0}));
    drag.Commit();
    EXPECT_NE(MapText(doc).find("\t\"origin\" \"108 100 0\"\n"), std::string::npos);
}

TEST(CMapDrag, DraggingViewFreezesItsSelectionButNotAnotherViews) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(kMap, diagnostics);
    CTolveView dragging(doc), other(doc);
    for (CTolveView* view : {&dragging, &other}) {
        view->resize(400, 300);
        view->m_projection.m_originX = 0;
        view->m_projection.m_originY = 200; // the map in sight: pixel (x, 200 - y)
    }
    dragging.OnMouseMove(false, {64, 136});
    CMapBrush* brush = doc.GetEditorState().GetSelectedBrush();
    ASSERT_NE(brush, nullptr);
    const int32_t vertex = doc.GetEditorState().GetSelectedVertex();
    dragging.OnLButtonDown({64, 136});
    EXPECT_TRUE(dragging.IsDragging());
    EXPECT_FALSE(doc.IsModified());
    dragging.OnLButtonUp();
    EXPECT_FALSE(doc.IsModified()); // press and release without moving changes nothing

    dragging.OnLButtonDown({64, 136});
    dragging.OnMouseMove(false, {0, 200}); // a drag step, not a new selection
    EXPECT_EQ(doc.GetEditorState().GetSelectedVertex(), vertex);
    EXPECT_EQ(brush->m_vertices[vertex], IntPoint(0, 0, brush->m_vertices[vertex].z));
    other.OnMouseMove(false, {100, 100}); // the other view still selects
    EXPECT_NE(doc.GetEditorState().GetSelectedPointEntity(), nullptr);
    dragging.OnLButtonUp();
    EXPECT_FALSE(dragging.IsDragging());
}

TEST(CMapDrag, ADragIsOneStepOfTheHistory) {
    DragFixture f;
    f.doc.GetEditorState().SetEditMode(kBrushMode);
    const std::string before = MapText(f.doc);
    f.Press(0, 0);
    f.drag->Commit(); // nothing moved
    EXPECT_FALSE(f.doc.GetHistory().CanUndo());
    f.Press(0, 0);
    for (int step = 1; step <= 50; ++step)
        f.DragTo(8 * (step % 2 ? step : -step), 0);
    f.drag->Commit();
    EXPECT_EQ(f.counter.CountRepaints(), 50);
    EXPECT_GE(f.VertexAt({3 - 400, 0, 0}), 0); // the sum of the 50 steps
    EXPECT_EQ(f.doc.GetHistory().GetStepCount(), 1u);
    EXPECT_EQ(f.doc.GetHistory().GetUndoName(), "Move Brush");
    f.doc.GetHistory().Undo(f.doc);
    EXPECT_EQ(MapText(f.doc), before);
}

TEST(CMapDrag, EscapeTakesTheWholeDragBack) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(kMap, diagnostics);
    const std::string before = MapText(doc);
    CTolveView view(doc);
    view.resize(400, 300);
    view.m_projection.m_originX = 0;
    view.m_projection.m_originY = 200; // the map in sight: pixel (x, 200 - y)
    for (EditMode mode : {kCornerMode, kFaceMode, kBrushMode}) {
        SCOPED_TRACE(static_cast<int>(mode));
        doc.GetEditorState().SetEditMode(mode);
        view.OnMouseMove(false, {64, 136});
        ASSERT_NE(doc.GetEditorState().GetSelectedBrush(), nullptr);
        view.OnLButtonDown({64, 136});
        view.OnMouseMove(false, {80, 136});
        view.OnMouseMove(false, {96, 152});
        EXPECT_NE(MapText(doc), before);
        view.CancelDrag();
        EXPECT_FALSE(view.IsDragging());
        view.OnLButtonUp(); // the release after it ends nothing
        EXPECT_EQ(MapText(doc), before);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_FALSE(doc.GetHistory().CanUndo());
    }
    view.OnLButtonDown({64, 136});
    view.OnMouseMove(false, {96, -64});
    view.EndDrag(); // a command's key while the button is still held
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
    view.OnMouseMove(false, {128, -64});
    view.OnLButtonUp();
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
}
