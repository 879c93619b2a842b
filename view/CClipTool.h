#pragma once

#include "map/CTolveDoc.h"
#include "map/ClipEdits.h"
#include "view/CViewProjection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How near a brush corner must lie to the pointer, in pixels, to be taken
// rather than the grid point: an off-grid brush can then be cut exactly at
// its corner.
inline constexpr int32_t kClipCornerPixels = 6;

enum class ClipLineKind : uint8_t { kKept, kDropped, kCut };

// One edge of the parts a cut would leave, in the world.
struct ClipPreviewEdge {
    IntPoint from;
    IntPoint to;
    ClipLineKind kind = ClipLineKind::kKept;

    friend bool operator==(const ClipPreviewEdge&, const ClipPreviewEdge&) = default;
};

// One line of the cut's picture, in client pixels.
struct ClipPreviewLine {
    using Kind = ClipLineKind;
    ScreenPoint from;
    ScreenPoint to;
    Kind kind = Kind::kKept;
};

// How the points of the cut are set: two clicks in a flat view, the plane
// running along its depth, or three clicks on faces in the camera view.
enum class ClipClicks : uint8_t { kTwoInFlatView, kThreeOnFaces };

// "keep the front", "keep the back", "keep both".
std::string DescribeClipSide(ClipSide side);

// The clip tool. In a flat view two clicks set a line, and the plane through
// it along the view's depth cuts the selected brushes; in the camera view
// three points on faces set the plane. The points go round the plane's front
// anticlockwise (see ClipPlane): walking from the first point to the second
// in a flat view, the front lies to the right as the view shows it; three
// points clicked anticlockwise in the camera view face it toward the eye.
class CClipTool {
public:
    // With nothing in the set, the hovered object becomes the set.
    explicit CClipTool(CTolveDoc& doc, ClipClicks clicks = ClipClicks::kTwoInFlatView);

    // The point a click at `mouse` sets: the nearest brush corner within
    // kClipCornerPixels, else the grid point under the mouse.
    IntPoint SnapPoint(const CViewProjection& projection, ScreenPoint mouse) const;
    // The first point, the second, then a new first point.
    void Click(const CViewProjection& projection, ScreenPoint mouse);
    // A point already snapped, in the camera view: the first, the second,
    // the third, then a new first.
    void AddPoint(const IntPoint& point);
    int CountPoints() const { return m_count; }
    int PointsWanted() const { return m_clicks == ClipClicks::kThreeOnFaces ? 3 : 2; }
    const IntPoint& GetPoint(int index) const { return m_points[index]; }
    // Tab: keep the front, the back, both. The map remembers the choice.
    void CycleSide();
    ClipSide GetSide() const { return m_doc.GetEditorState().GetClipSide(); }
    // The cutting plane once two different points are set.
    std::optional<ClipPlane> GetPlane() const;

    // The cut as it would fall on the selected brushes: the edges of the parts
    // kept and dropped. Worked out once for each set, side and points, and
    // kept while the map stays as it is: the views repaint it often.
    const std::vector<ClipPreviewEdge>& PreviewEdges() const;
    // The owner calls this when the map changes under the tool.
    void ForgetPreview() { m_previewKnown = false; }
    // The edges in a flat view, and the line of the cut itself.
    std::vector<ClipPreviewLine> PreviewLines(const CViewProjection& projection) const;
    // Enter: cuts the selected brushes as one step; the parts kept become the
    // selection. Returns why nothing was cut, or an empty text.
    std::string Apply();

private:
    ClipRequest MakeRequest(ClipSide side) const;

    CTolveDoc& m_doc;
    ClipClicks m_clicks;
    IntPoint m_points[3];
    int m_count = 0;
    IntPoint m_towardViewer; // one unit along the depth of the view of the points

    // The preview and what it was worked out for.
    mutable std::vector<ClipPreviewEdge> m_preview;
    mutable bool m_previewKnown = false;
    mutable uint64_t m_previewSet = 0;
    mutable ClipSide m_previewSide = ClipSide::kFront;
};
