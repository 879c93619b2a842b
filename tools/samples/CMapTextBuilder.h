#pragma once

#include "map/IntPoint.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace samples {

// One face of a convex brush: three points on its plane, in any order, and
// its texture (offsets 0, rotation 0, scale 1).
struct BrushPlane {
    std::array<IntPoint, 3> points;
    std::string texture;
};

// The textures of a box brush: its four sides, its top and its bottom.
struct BoxTextures {
    std::string sides;
    std::string top;
    std::string bottom;
};

// Writes map text in the classic format, one entity after another. Face points
// are ordered so that (P0 - P1) x (P2 - P1) points out of the brush, the way
// the reader builds brushes.
class CMapTextBuilder {
public:
    void BeginEntity(std::string_view classname);
    void AddKey(std::string_view key, std::string_view value);
    void AddKey(std::string_view key, int value);
    void AddKey(std::string_view key, IntPoint value);
    void EndEntity();

    // An axis-aligned box from its smallest to its largest corner.
    void AddBox(IntPoint min, IntPoint max, const BoxTextures& textures);
    void AddBox(IntPoint min, IntPoint max, const std::string& texture);
    // A convex brush given by its faces and a point strictly inside it.
    void AddConvexBrush(const std::vector<BrushPlane>& planes, IntPoint inside);

    const std::string& GetText() const { return m_text; }

private:
    std::string m_text;
    bool m_inEntity = false;
};

// The points of `plane` in the order whose normal points away from `inside`.
// Throws when `inside` lies on the plane or the points are collinear.
std::array<IntPoint, 3> OrientPlane(const std::array<IntPoint, 3>& points, IntPoint inside);

} // namespace samples
