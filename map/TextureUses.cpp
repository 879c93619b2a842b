#include "map/TextureUses.h"

#include "map/FaceTextureChange.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace {

std::string Lowered(std::string_view name) {
    std::string lowered(name);
    std::ranges::transform(lowered, lowered.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

void AddFacesOf(CMapBrush& brush, std::vector<FaceRef>& faces) {
    for (int face = 0; face < brush.m_numFaces; ++face)
        faces.push_back({&brush, face});
}

bool TextureFileHolds(const CTextureWad& wad, std::string_view name) {
    return wad.FindTextureFile(name) || wad.FindTextureFile(Lowered(name));
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
    return a.size() == b.size() && Lowered(a) == Lowered(b);
}

size_t ReplaceTextureName(CMapEdits& edits, const std::vector<FaceRef>& faces,
                          std::string_view from, const std::string& to) {
    FaceTextureChange change;
    change.texture = true;
    size_t changed = 0;
    for (const FaceRef& ref : faces) {
        if (!SameTextureName(ref.brush->m_faces[ref.face].texture, from))
            continue;
        FaceTexture texture = GetFaceTexture(*ref.brush, ref.face);
        std::memset(texture.texture, 0, sizeof texture.texture);
        to.copy(texture.texture, kMaxTextureName);
        edits.SetFaceTexture(*ref.brush, ref.face, texture, change);
        ++changed;
    }
    return changed;
}

std::vector<TextureUse> FindMissingTextures(const CTolveDoc& doc) {
    std::map<std::string, TextureUse> missing; // by the lowered name
    for (const FaceRef& ref : FacesOfMap(doc)) {
        const char* name = ref.brush->m_faces[ref.face].texture;
        if (TextureFileHolds(doc.m_textureWad, name))
            continue;
        TextureUse& use = missing[Lowered(name)];
        if (use.faces++ == 0)
            use.name = name;
    }
    std::vector<TextureUse> uses;
    for (auto& [lowered, use] : missing)
        uses.push_back(std::move(use));
    return uses;
}

CSelectionSet FacesUsing(const CTolveDoc& doc, std::string_view name) {
    CSelectionSet set;
    for (const FaceRef& ref : FacesOfMap(doc)) {
        if (SameTextureName(ref.brush->m_faces[ref.face].texture, name))
            set.Add(*ref.brush, PartBit(ref.face));
    }
    return set;
}
