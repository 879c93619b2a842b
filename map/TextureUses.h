#pragma once

#include "map/CEditorState.h"
#include "map/CMapEdits.h"
#include "map/CSelectionSet.h"
#include "map/CTolveDoc.h"
#include "texture/TextureUses.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One face of one brush, as the texture commands go through them.
struct FaceRef {
    CMapBrush* brush = nullptr;
    int face = 0;
};

// The faces of the set: in face mode the chosen faces, in the other modes
// every face of each brush in it.
std::vector<FaceRef> FacesOfSet(const CSelectionSet& set, EditMode mode);
// Every face of the map, the world's brushes first, then each entity's.
std::vector<FaceRef> FacesOfMap(const CTolveDoc& doc);

// Texture names match as the map compilers match them: in any case.
bool SameTextureName(std::string_view a, std::string_view b);

// Gives the faces named `from` the texture `to`, their other values as they
// were; returns how many changed.
size_t ReplaceTextureName(CMapEdits& edits, const std::vector<FaceRef>& faces,
                          std::string_view from, const std::string& to);

// How many faces of the map show each texture.
TextureUses CountTextureUses(const CTolveDoc& doc);
// The textures the map's faces use that no loaded texture file holds, by
// name, with the number of faces of each.
std::vector<TextureUse> FindMissingTextures(const CTolveDoc& doc);
// The faces of the map that use `name`, as a set of faces.
CSelectionSet FacesUsing(const CTolveDoc& doc, std::string_view name);
