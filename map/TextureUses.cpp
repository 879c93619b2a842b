#include "map/TextureUses.h"

#include "map/FaceTextureChange.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace {

// A face's name, which fills its field to the last byte when it is longest.
std::string_view NameOf(const BrushFace& face) {
    return {face.texture, strnlen(face.texture, sizeof face.texture)};
}

void CountBrushes(const BrushList& brushes, TextureUses& uses) {
    for (const auto& brush : brushes) {
        for (int face = 0; face < brush->m_numFaces; ++face) {
            const std::string_view name = NameOf(brush->m_faces[face]);
            TextureUse& use = uses[FoldTextureName(name)];
            if (use.faces++ == 0)
                use.name = name;
        }
    }
}

void AddFacesOf(CMapBrush& brush, std::vector<FaceRef>& faces) {
    for (int face = 0; face < brush.m_numFaces; ++face)
        faces.push_back({&brush, face});
}

bool TextureFileHolds(const CTextureWad& wad, std::string_view name) {
    return wad.FindTextureFile(name) || wad.FindTextureFile(FoldTextureName(name));
}

} // namespace

std::vector<FaceRef> FacesOfSet(const CSelectionSet& set, EditMode mode) {
    std::vector<FaceRef> faces;
    for (const auto& [brush, parts] : set.GetBrushes()) {
        if (mode != kFaceMode) {
            AddFacesOf(*brush, faces);
            continue;
        }
        for (int face = 0; face < brush->m_numFaces; ++face) {
            if (parts & PartBit(face))
                faces.push_back({brush, face});
        }
    }
    return faces;
}

std::vector<FaceRef> FacesOfMap(const CTolveDoc& doc) {
    std::vector<FaceRef> faces;
    for (const auto& brush : doc.GetWorldBrushes())
        AddFacesOf(*brush, faces);
    for (const auto& entity : doc.GetModelEntities()) {
        for (const auto& brush : entity->m_brushes)
            AddFacesOf(*brush, faces);
    }
    return faces;
}

bool SameTextureName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldTextureName(a) == FoldTextureName(b);
}

size_t ReplaceTextureName(CMapEdits& edits, const std::vector<FaceRef>& faces,
                          std::string_view from, const std::string& to) {
    FaceTextureChange change;
    change.texture = true;
    size_t changed = 0;
    for (const FaceRef& ref : faces) {
        if (!SameTextureName(NameOf(ref.brush->m_faces[ref.face]), from))
            continue;
        FaceTexture texture = GetFaceTexture(*ref.brush, ref.face);
        std::memset(texture.texture, 0, sizeof texture.texture);
        to.copy(texture.texture, kMaxTextureName);
        edits.SetFaceTexture(*ref.brush, ref.face, texture, change);
        ++changed;
    }
    return changed;
}

TextureUses CountTextureUses(const CTolveDoc& doc) {
    TextureUses uses;
    CountBrushes(doc.GetWorldBrushes(), uses);
    for (const auto& entity : doc.GetModelEntities())
        CountBrushes(entity->m_brushes, uses);
    return uses;
}

std::vector<TextureUse> FindMissingTextures(const CTolveDoc& doc) {
    std::map<std::string, TextureUse> missing; // by the folded name
    for (const FaceRef& ref : FacesOfMap(doc)) {
        const std::string_view name = NameOf(ref.brush->m_faces[ref.face]);
        if (TextureFileHolds(doc.m_textureWad, name))
            continue;
        TextureUse& use = missing[FoldTextureName(name)];
        if (use.faces++ == 0)
            use.name = name;
    }
    std::vector<TextureUse> uses;
    for (auto& [folded, use] : missing)
        uses.push_back(std::move(use));
    return uses;
}

CSelectionSet FacesUsing(const CTolveDoc& doc, std::string_view name) {
    CSelectionSet set;
    for (const FaceRef& ref : FacesOfMap(doc)) {
        if (SameTextureName(NameOf(ref.brush->m_faces[ref.face]), name))
            set.Add(*ref.brush, PartBit(ref.face));
    }
    return set;
}
