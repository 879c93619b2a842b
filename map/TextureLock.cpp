#include "map/TextureLock.h"

#include "map/TextureProjection.h"

std::vector<Vec3d> GetCornerNormals(const CMapBrush& brush) {
    std::vector<Vec3d> normals(brush.m_numFaces);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        const Vec3d p = ToVec3d(brush.m_vertices[face.vertexIndex[0]]);
        const Vec3d q = ToVec3d(brush.m_vertices[face.vertexIndex[1]]);
        const Vec3d r = ToVec3d(brush.m_vertices[face.vertexIndex[2]]);
        normals[f] = Normalized(Cross(p - q, r - q));
    }
    return normals;
}

void MoveTexturesWithBrush(CMapBrush& brush, const IntPoint& delta) {
    if (!brush.HasValveAxes() || delta == IntPoint())
        return;
    for (int f = 0; f < brush.m_numFaces; ++f) {
        const BrushFace& face = brush.m_faces[f];
        ShiftAxesWithMove(brush.m_valveAxes[f], face.xScale, face.yScale, delta);
        brush.ForgetTextureText(f);
    }
}

void FollowTurnedPlanes(CMapBrush& brush, const std::vector<Vec3d>& normalsBefore) {
    if (!brush.HasValveAxes() || normalsBefore.size() != brush.m_numFaces)
        return;
    const std::vector<Vec3d> normals = GetCornerNormals(brush);
    for (int f = 0; f < brush.m_numFaces; ++f) {
        if (normals[f] == normalsBefore[f])
            continue;
        const BrushFace& face = brush.m_faces[f];
        ProjectAxesOntoPlane(brush.m_valveAxes[f], face.xScale, face.yScale, normals[f],
                             ToVec3d(brush.m_vertices[face.vertexIndex[0]]));
        brush.ForgetTextureText(f);
    }
}
