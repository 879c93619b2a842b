#include "tools/samples/CMapTextBuilder.h"

#include <cstdint>
#include <stdexcept>

namespace samples {

namespace {

struct Vector {
    int64_t x;
    int64_t y;
    int64_t z;
};

Vector Minus(IntPoint a, IntPoint b) {
    return {int64_t{a.x} - b.x, int64_t{a.y} - b.y, int64_t{a.z} - b.z};
}

Vector Cross(Vector a, Vector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

int64_t Dot(Vector a, Vector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

std::string PointText(IntPoint point) {
    return "( " + std::to_string(point.x) + " " + std::to_string(point.y) + " " +
           std::to_string(point.z) + " )";
}

std::string FaceLine(const BrushPlane& plane, IntPoint inside) {
    if (plane.texture.empty() || plane.texture.size() > 15)
        throw std::invalid_argument("texture name '" + plane.texture +
                                    "' is not 1 to 15 characters");
    std::array<IntPoint, 3> points = OrientPlane(plane.points, inside);
    return PointText(points[0]) + " " + PointText(points[1]) + " " + PointText(points[2]) + " " +
           plane.texture + " 0 0 0 1 1\n";
}

} // namespace

std::array<IntPoint, 3> OrientPlane(const std::array<IntPoint, 3>& points, IntPoint inside) {
    Vector normal = Cross(Minus(points[0], points[1]), Minus(points[2], points[1]));
    if (normal.x == 0 && normal.y == 0 && normal.z == 0)
        throw std::invalid_argument("the points of a brush face are collinear");
    int64_t side = Dot(normal, Minus(inside, points[1]));
    if (side == 0)
        throw std::invalid_argument("the inside point of a brush lies on one of its faces");
    if (side < 0)
        return points;
    return {points[2], points[1], points[0]};
}

void CMapTextBuilder::BeginEntity(std::string_view classname) {
    if (m_inEntity)
        throw std::logic_error("an entity is already open");
    m_inEntity = true;
    m_text += "{\n";
    AddKey("classname", classname);
}

void CMapTextBuilder::AddKey(std::string_view key, std::string_view value) {
    if (key.find('"') != std::string_view::npos || value.find('"') != std::string_view::npos)
        throw std::invalid_argument("map keys and values cannot hold a double quote");
    m_text += "\"";
    m_text += key;
    m_text += "\" \"";
    m_text += value;
    m_text += "\"\n";
}

void CMapTextBuilder::AddKey(std::string_view key, int value) {
    AddKey(key, std::to_string(value));
}

void CMapTextBuilder::AddKey(std::string_view key, IntPoint value) {
    AddKey(key,
           std::to_string(value.x) + " " + std::to_string(value.y) + " " + std::to_string(value.z));
}

void CMapTextBuilder::EndEntity() {
    if (!m_inEntity)
        throw std::logic_error("no entity is open");
    m_inEntity = false;
    m_text += "}\n";
}

void CMapTextBuilder::AddBox(IntPoint min, IntPoint max, const BoxTextures& textures) {
    if (max.x - min.x < 2 || max.y - min.y < 2 || max.z - min.z < 2)
        throw std::invalid_argument("a box must be at least 2 units on every side");
    IntPoint inside(min.x + (max.x - min.x) / 2, min.y + (max.y - min.y) / 2,
                    min.z + (max.z - min.z) / 2);
    // Faces in the usual order: the x sides, the y sides, bottom, top. The
    // middle point of each face is a corner, the other two lie along its edges.
    AddConvexBrush(
        {
            {{IntPoint(min.x, max.y, min.z), min, IntPoint(min.x, min.y, max.z)}, textures.sides},
            {{IntPoint(max.x, max.y, min.z), IntPoint(max.x, min.y, min.z),
              IntPoint(max.x, min.y, max.z)},
             textures.sides},
            {{IntPoint(max.x, min.y, min.z), min, IntPoint(min.x, min.y, max.z)}, textures.sides},
            {{IntPoint(max.x, max.y, min.z), IntPoint(min.x, max.y, min.z),
              IntPoint(min.x, max.y, max.z)},
             textures.sides},
            {{IntPoint(max.x, min.y, min.z), min, IntPoint(min.x, max.y, min.z)}, textures.bottom},
            {{IntPoint(max.x, min.y, max.z), IntPoint(min.x, min.y, max.z),
              IntPoint(min.x, max.y, max.z)},
             textures.top},
        },
        inside);
}

void CMapTextBuilder::AddBox(IntPoint min, IntPoint max, const std::string& texture) {
    AddBox(min, max, BoxTextures{texture, texture, texture});
}

void CMapTextBuilder::AddConvexBrush(const std::vector<BrushPlane>& planes, IntPoint inside) {
    if (!m_inEntity)
        throw std::logic_error("a brush belongs to an entity");
    // Built aside so that a refused face leaves no half-written brush.
    std::string brush = "{\n";
    for (const BrushPlane& plane : planes)
        brush += FaceLine(plane, inside);
    m_text += brush + "}\n";
}

} // namespace samples
