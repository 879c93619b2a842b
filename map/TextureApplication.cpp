#include "map/TextureApplication.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"
#include "map/SelectionSetEdits.h"

#include <cstring>

namespace {

FaceTexture NameOnly(const std::string& name) {
    FaceTexture texture;
    const std::string kept = CutTextureName(name);
    std::memcpy(texture.texture, kept.data(), kept.size());
    return texture;
}

bool ShowsName(const BrushFace& face, const FaceTexture& texture) {
    return std::strncmp(face.texture, texture.texture, sizeof face.texture) == 0;
}

} // namespace

size_t ApplyTextureToSet(CMapEdits& edits, const CTolveDoc& doc, const CSelectionSet& set,
                         EditMode mode, const std::string& name) {
    if (mode != kBrushMode && mode != kFaceMode)
        return 0;
    const FaceTexture texture = NameOnly(name);
    FaceTextureChange change;
    change.texture = true;
    size_t changed = 0;
    ForEachBrushInSet(doc, set, [&](CModelEntity*, CMapBrush& brush, uint64_t parts) {
        for (int face = 0; face < brush.m_numFaces; ++face) {
            const bool chosen = mode == kBrushMode || (parts & PartBit(face));
            if (!chosen || ShowsName(brush.m_faces[face], texture))
                continue;
            edits.SetFaceTexture(brush, face, texture, change);
            ++changed;
        }
    });
    return changed;
}

bool ApplyTextureToFace(CMapEdits& edits, CMapBrush& brush, int face, const std::string& name) {
    const FaceTexture texture = NameOnly(name);
    if (face < 0 || face >= brush.m_numFaces || ShowsName(brush.m_faces[face], texture))
        return false;
    FaceTextureChange change;
    change.texture = true;
    edits.SetFaceTexture(brush, face, texture, change);
    return true;
}
