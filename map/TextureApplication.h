#pragma once

#include "map/CEditorState.h"
#include "map/CSelectionSet.h"

#include <cstddef>
#include <string>

class CMapBrush;
class CMapEdits;
class CTolveDoc;

// Apply Texture: a texture put on faces by its name alone. The offsets,
// scales, rotation and Valve axes of each face stay as they are, so the new
// texture lies as the old one did, with texture lock or without.

// Every face of each whole brush of the set (brush mode), or the chosen faces
// (face mode); other modes hold no faces. A face that shows the name already
// is left alone. Returns the number of faces changed.
size_t ApplyTextureToSet(CMapEdits& edits, const CTolveDoc& doc, const CSelectionSet& set,
                         EditMode mode, const std::string& name);

// One face, e.g. the one a texture was dropped on; false when it shows the
// name already or the brush has no such face.
bool ApplyTextureToFace(CMapEdits& edits, CMapBrush& brush, int face, const std::string& name);
