#include "scene/SceneSolids.h"

#include "map/CMapBrush.h"
#include "map/TextureProjection.h"
#include "scene/SpaceOrder.h"

#include <algorithm>
#include <utility>

namespace {

void Push(std::vector<SolidVertex>& out, const Vec3d& p, const Vec3d& n, SolidColour c) {
    out.push_back({{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)},
                   {static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z)},
                   {c.red, c.green, c.blue, c.alpha}});
}

} // namespace

void AppendEntityBox(const IntBox& box, SolidColour colour, std::vector<SolidVertex>& out) {
    const Vec3d lo = ToVec3d(box.min), hi = ToVec3d(box.max);
    for (int axis = 0; axis < 3; ++axis) {
        const int a = (axis + 1) % 3, b = (axis + 2) % 3;
        for (int side = 0; side < 2; ++side) {
            Vec3d normal;
            normal[axis] = side == 0 ? -1.0 : 1.0;
            Vec3d corner[4];
            for (int k = 0; k < 4; ++k) {
                corner[k][axis] = side == 0 ? lo[axis] : hi[axis];
                corner[k][a] = (k == 1 || k == 2) ? hi[a] : lo[a];
                corner[k][b] = (k >= 2) ? hi[b] : lo[b];
            }
            // Clockwise seen from outside, like a brush's faces.
            const int order[2][6] = {{0, 1, 2, 0, 2, 3}, {0, 2, 1, 0, 3, 2}};
            for (int k : order[side])
                Push(out, corner[k], normal, colour);
        }
    }
}

void AppendBrushTint(const CMapBrush& brush, int face, SolidColour colour,
                     std::vector<SolidVertex>& out) {
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& bf = brush.m_faces[f];
        if ((face >= 0 && f != face) || bf.numPoints < 3)
            continue;
        const Vec3d normal = GetFaceNormal(brush, f);
        for (int k = 1; k + 1 < bf.numPoints; ++k) {
            for (int corner : {0, k, k + 1})
                Push(out, ToVec3d(brush.m_vertices[bf.vertexIndex[corner]]), normal, colour);
        }
    }
}

std::vector<SolidChunk> ChunkAlongSpace(std::vector<ColouredBox> boxes, size_t perChunk) {
    std::vector<std::pair<uint64_t, size_t>> keys(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        keys[i] = {SpaceKey(boxes[i].box), i};
    std::sort(keys.begin(), keys.end());
    std::vector<SolidChunk> chunks;
    for (size_t first = 0; first < keys.size(); first += perChunk) {
        SolidChunk& chunk = chunks.emplace_back();
        std::optional<IntBox> around;
        const size_t end = std::min(keys.size(), first + perChunk);
        for (size_t k = first; k < end; ++k) {
            const ColouredBox& entry = boxes[keys[k].second];
            Grow(around, entry.box);
            AppendEntityBox(entry.box, entry.colour, chunk.vertices);
        }
        chunk.box = *around;
    }
    return chunks;
}
