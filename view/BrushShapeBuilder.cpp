#include "view/BrushShapeBuilder.h"

#include "framework/CMessageService.h"

#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.1415926535;

bool CheckSides(int sides, bool prism) {
    const int most = prism ? kMaxPrismSides : kMaxPyramidSides;
    if (sides >= kMinBaseSides && sides <= most)
        return true;
    std::string text = std::string("A ") + (prism ? "box" : "cone") + " can have from " +
                       std::to_string(kMinBaseSides) + " to " + std::to_string(most) +
                       " base sides; " + std::to_string(sides) + " is too " +
                       (sides < kMinBaseSides ? "few" : "many") + " for one brush.";
    ShowMessageBox("New Brush", text, MessageIcon::kWarning);
    return false;
}

void SetFace(BrushFace& face, std::initializer_list<int> indices) {
    face = BrushFace();
    for (int index : indices)
        face.vertexIndex[face.numPoints++] = static_cast<uint8_t>(index);
    face.xScale = 1.0f;
    face.yScale = 1.0f;
}

} // namespace

bool brushshapes::BuildBrushShape(CMapBrush& brush, const CViewProjection& projection,
                                  ScreenPoint mouse, const IntPoint& insertionPoint, int16_t width,
                                  int16_t height, int16_t snap, uint8_t sides, bool prism) {
    if (!CheckSides(sides, prism))
        return false;
    const int n = sides;
    const int32_t step = snap > 0 ? snap : 1;
    const double angleStep = (kPi / n) * 2.0;
    const double start = kPi / n;
    const double radius = std::trunc(width / (std::cos(kPi / n) * 2.0)) + 1;

    brush.ForgetReadPlanes();
    BrushFace& base = brush.m_faces[0];
    base = BrushFace();
    base.xScale = base.yScale = 1.0f;
    for (int i = 0; i < n; ++i) {
        const double theta = (i + 1.0) * angleStep + start;
        const int32_t sx = static_cast<int32_t>(std::trunc(std::cos(theta) * radius)) + mouse.x;
        const int32_t sy = mouse.y - static_cast<int32_t>(std::trunc(std::sin(theta) * radius));
        brush.m_vertices[i] = SnapPoint(projection.ScreenToWorld(sx, sy, insertionPoint), step);
        base.vertexIndex[i] = static_cast<uint8_t>(i);
        if (prism) {
            brush.m_vertices[n + i] =
                SnapPoint(projection.ScreenToWorldAtDepth(sx, sy, height, insertionPoint), step);
            const int next = (i + 1) % n;
            SetFace(brush.m_faces[i + 1], {i, n + i, n + next, next});
        } else {
            const int next = (i + 1) % n;
            SetFace(brush.m_faces[i + 1], {i, n, next});
        }
    }
    base.numPoints = static_cast<uint8_t>(n);
    if (prism) {
        BrushFace& top = brush.m_faces[n + 1];
        top = BrushFace();
        top.xScale = top.yScale = 1.0f;
        for (int k = 0; k < n; ++k)
            top.vertexIndex[k] = static_cast<uint8_t>(2 * n - 1 - k);
        top.numPoints = static_cast<uint8_t>(n);
        brush.m_numVertices = static_cast<uint8_t>(2 * n);
        brush.m_numFaces = static_cast<uint8_t>(n + 2);
    } else {
        brush.m_vertices[n] = SnapPoint(
            projection.ScreenToWorldAtDepth(mouse.x, mouse.y, height, insertionPoint), step);
        brush.m_numVertices = static_cast<uint8_t>(n + 1);
        brush.m_numFaces = static_cast<uint8_t>(n + 1);
    }
    return true;
}
