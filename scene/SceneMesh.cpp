#include "scene/SceneMesh.h"

#include "map/CMapBrush.h"
#include "map/TextureProjection.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

bool StartsWithNoCase(std::string_view name, std::string_view prefix) {
    if (name.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), name.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

bool EqualsNoCase(std::string_view name, std::string_view other) {
    return name.size() == other.size() && StartsWithNoCase(name, other);
}

struct FaceRef {
    const CMapBrush* brush;
    int face;
    std::string_view texture;
};

void AppendFace(const CMapBrush& brush, int face, SceneMesh& mesh) {
    const BrushFace& f = brush.m_faces[face];
    if (f.numPoints < 3)
        return;
    const TexelMapping mapping = GetTexelMapping(brush, face);
    const Vec3d normal = GetFaceNormal(brush, face);
    const auto first = static_cast<uint32_t>(mesh.vertices.size());
    for (int k = 0; k < f.numPoints; ++k) {
        const Vec3d p = ToVec3d(brush.m_vertices[f.vertexIndex[k]]);
        mesh.vertices.push_back(
            {{static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)},
             {static_cast<float>(normal.x), static_cast<float>(normal.y),
              static_cast<float>(normal.z)},
             {static_cast<float>(mapping.S(p)), static_cast<float>(mapping.T(p))}});
    }
    // The corners run clockwise seen from outside; the triangles keep that
    // turn, and the drawing takes clockwise as the front.
    for (uint32_t k = 1; k + 1 < f.numPoints; ++k) {
        mesh.indices.push_back(first);
        mesh.indices.push_back(first + k);
        mesh.indices.push_back(first + k + 1);
    }
}

void OpenRange(SceneMesh& mesh, std::string_view texture) {
    SceneDrawRange range;
    range.texture = std::string(texture);
    range.kind = ClassifyTexture(texture);
    range.firstIndex = static_cast<uint32_t>(mesh.indices.size());
    mesh.ranges.push_back(std::move(range));
}

void CloseRange(SceneMesh& mesh) {
    SceneDrawRange& range = mesh.ranges.back();
    range.indexCount = static_cast<uint32_t>(mesh.indices.size()) - range.firstIndex;
}

} // namespace

SceneTextureKind ClassifyTexture(std::string_view name) {
    if (!name.empty() && name.front() == '*')
        return SceneTextureKind::kLiquid;
    if (StartsWithNoCase(name, "sky"))
        return SceneTextureKind::kSky;
    static constexpr std::array<std::string_view, 6> kToolNames = {"clip", "trigger",  "skip",
                                                                   "hint", "hintskip", "origin"};
    for (std::string_view tool : kToolNames) {
        if (EqualsNoCase(name, tool))
            return SceneTextureKind::kTool;
    }
    return SceneTextureKind::kNormal;
}

void SceneMesh::Clear() {
    vertices.clear();
    indices.clear();
    ranges.clear();
}

void BuildSceneMesh(std::span<const SceneBrush> brushes, SceneMesh& mesh) {
    mesh.Clear();
    std::vector<FaceRef> faces;
    for (const SceneBrush& entry : brushes) {
        for (int face = 0; face < entry.brush->m_numFaces; ++face)
            faces.push_back({entry.brush, face, entry.brush->m_faces[face].texture});
    }
    std::stable_sort(faces.begin(), faces.end(),
                     [](const FaceRef& a, const FaceRef& b) { return a.texture < b.texture; });
    for (size_t i = 0; i < faces.size(); ++i) {
        if (i == 0 || faces[i].texture != faces[i - 1].texture) {
            if (i > 0)
                CloseRange(mesh);
            OpenRange(mesh, faces[i].texture);
        }
        AppendFace(*faces[i].brush, faces[i].face, mesh);
    }
    if (!faces.empty())
        CloseRange(mesh);
}
