#pragma once

#include "framework/CDocument.h"
#include "map/CTolveDoc.h"
#include "map/MapNotice.h"
#include "view/BoxProjector.h"
#include "view/CCanvas.h"
#include "view/CViewProjection.h"
#include "view/GridColours.h"
#include "view/ScreenRect.h"

#include <vector>

// Draws a map document as a wire-frame in one view: a full repaint, or the
// incremental redraw of single brushes and entities on top of the picture.
class CMapPainter {
public:
    CMapPainter(const CTolveDoc& doc, const CViewProjection& projection, CCanvas& canvas)
        : m_doc(doc), m_projection(projection), m_mapper(projection), m_boxes(projection),
          m_canvas(canvas), m_definitions(doc.GetEntityDefinitions()) {}

    // The grid at the snap step behind the map, when shown (the editor's
    // views show it; plain pictures do not unless asked).
    void ShowGrid(bool shown) { m_showGrid = shown; }
    // The colour of the lines at the snap step; every eighth is drawn darker.
    void SetGridColour(Rgb minor);

    // Everything, in order: grid, insertion point, axes, limits, point
    // entities, brushes, selection.
    void PaintAll(int32_t width, int32_t height);
    // As PaintAll, for a surface clipped to `area`: the brushes and entities
    // that cannot reach it are passed over.
    void PaintArea(const ScreenRect& area, int32_t width, int32_t height);
    // The most anything drawn for an object reaches beyond the pixels its
    // corners or origin map to: markers and the pixel of their outlines.
    static int32_t ObjectMargin(const CViewProjection& projection);
    // With the size boxes of the map's point entity classes, which reach
    // farther from their origins.
    static int32_t ObjectMargin(const CViewProjection& projection, const CTolveDoc& doc);
    // Draws what an incremental notice asks for; false for one that needs a
    // full repaint instead.
    bool PaintNotice(const MapNotice& notice);

    // Whether anything the painter drew lay inside the limits: after a full
    // repaint of a map with objects, false means the limits hide it all.
    bool DrewInsideLimits() const { return m_drewInsideLimits; }

    // Strictly between the limits along the view's depth axis.
    bool InsideLimits(const IntPoint& point) const;
    void DrawMarker(const IntPoint& point, int32_t size, Rgb fill);
    void DrawEdge(const IntPoint& p1, const IntPoint& p2, Rgb colour);
    void DrawBrush(const CMapBrush& brush, Rgb colour);
    void DrawFace(const CMapBrush& brush, int face, Rgb colour);
    void DrawOwnedBrush(const CModelEntity* owner, const CMapBrush& brush);
    void DrawSelectionOverlay();

private:
    template <class Reaches> void Paint(int32_t width, int32_t height, const Reaches& reaches);
    void DrawAxes(int32_t width, int32_t height);
    void DrawGrid(int32_t width, int32_t height);
    void DrawGridLines(int axis, int32_t step, int32_t every, int32_t width, int32_t height);
    void DrawLimits();
    // The leak trace of a point file, over the map: where the map is open.
    template <class Reaches> void DrawPointFile(const Reaches& reaches);
    void DrawPointEntity(const CPointEntity& entity);
    // The box of a class's size around a point entity's origin.
    void DrawEntityBox(const IntPoint& origin, const DefinitionSize& size, Rgb colour);
    const EntityClassDefinition* DefinitionOf(const CPointEntity& entity) const;
    // A point entity's fill when it is not hovered: the set's colour in it,
    // else its class's colour.
    Rgb UnhoveredFill(const CPointEntity& entity) const;
    void DrawSetParts(const CMapBrush& brush, EditMode mode, uint64_t parts);
    // The colour of a brush of `owner` by the selection; `setParts` are its
    // parts in the selection set.
    Rgb BrushColour(const CModelEntity* owner, const CMapBrush& brush, uint64_t setParts) const;
    // A flat view too far out for corner markers shows a brush that is its
    // box (CMapBrush::IsAlignedBox) as the box's rectangle.
    bool ShowsBoxesAsRectangles() const;
    // Draws such a brush from its entry in the map's box index alone, without
    // a look at the brush; false when it must be drawn from its corners.
    bool DrawBoxFromIndex(const CBrushBoxIndex::Entry& entry);
    void DrawOwnerBrushes(const CModelEntity* owner);
    template <class Reaches> void DrawBrushesReaching(const Reaches& reaches);
    bool AnyCornerInsideLimits(const CMapBrush& brush) const;

    const CTolveDoc& m_doc;
    const CViewProjection& m_projection;
    CScreenMapper m_mapper;
    CBoxProjector m_boxes;
    CCanvas& m_canvas;
    bool m_drewInsideLimits = false;
    std::vector<uint32_t> m_reaching; // the brushes a paint draws, by box
    bool m_showGrid = false;
    Rgb m_gridMinor = kGridMinor;
    Rgb m_gridMajor = kGridMajor;
    const CEntityDefinitions* m_definitions; // null: the built-in classes, which have no size
};
