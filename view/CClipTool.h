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

// One line of the cut's picture, in client pixels.
struct ClipPreviewLine {
    enum class Kind : uint8_t { kKept, kDropped, kCut };
    ScreenPoint from;
    ScreenPoint to;
    Kind kind = Kind::kKept;
};

// "keep the front", "keep the back", "keep both".
std::string DescribeClipSide(ClipSide side);

// The clip tool of a flat view. Two clicks set a line; the plane through it
// along the view's depth cuts the selected brushes. The points go round the
// plane's front anticlockwise (see ClipPlane): walking from the first point
// to the second, the front lies to the right as the view shows it.
class CClipTool {
public:
    // With nothing in the set, the hovered object becomes the set.
    explicit CClipTool(CTolveDoc& doc);

    // The point a click at `mouse` sets: the nearest brush corner within
    // kClipCornerPixels, else the grid point under the mouse.
    IntPoint SnapPoint(const CViewProjection& projection, ScreenPoint mouse) const;
    // The first point, the second, then a new first point.
    void Click(const CViewProjection& projection, ScreenPoint mouse);
    int CountPoints() const { return m_count; }
    const IntPoint& GetPoint(int index) const { return m_points[index]; }
    // Tab: keep the front, the back, both. The map remembers the choice.
    void CycleSide();
    ClipSide GetSide() const { return m_doc.GetEditorState().GetClipSide(); }
    // The cutting plane once two different points are set.
    std::optional<ClipPlane> GetPlane() const;

    // The cut as it would fall on the selected brushes: the edges of the parts
    // kept and dropped, and the line of the cut itself.
    std::vector<ClipPreviewLine> PreviewLines(const CViewProjection& projection) const;
    // Enter: cuts the selected brushes as one step; the parts kept become the
    // selection. Returns why nothing was cut, or an empty text.
    std::string Apply();

private:
    ClipRequest MakeRequest(ClipSide side) const;

    CTolveDoc& m_doc;
    IntPoint m_points[2];
    int m_count = 0;
    IntPoint m_towardViewer; // one unit along the depth of the view of the points
};
