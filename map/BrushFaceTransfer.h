#pragma once

#include "map/CMapEdits.h"
#include "map/CMapTransaction.h"
#include "map/MapFormat.h"
#include "texture/BrushFaceFields.h"

#include <memory>
#include <vector>

class CTolveDoc;

// The "Brush & Face Edit" dialog's values as the map gives and takes them.

// The values a job opens with: a new brush starts from fixed sizes and a
// blank texture; an edit from the selected brush's first face (brush mode) or
// the selected face (face mode). Valve faces, and new brushes of a Valve map,
// take any offsets. Base sides, width, height and shape always
// open as 3, 64, 64 and Box. The entity index is left to the dialog, which
// preselects the owner in its list.
BrushFaceFields MakeNewBrushFields(MapFormat format = MapFormat::kStandard);
BrushFaceFields LoadFromFace(const CMapBrush& brush, int face, BrushFaceJob job);

// The face texture the values stand for; the name cut to what a face holds.
FaceTexture MakeFaceTexture(const BrushFaceValues& values, const std::string& texture);

// The entity list: "worldspawn" (null) first, then every brush entity in
// map order, so that an item's index is its entry's index.
std::vector<CModelEntity*> ListBrushOwners(const CTolveDoc& doc);
// The item to preselect for an owner: the last that is it, else "worldspawn".
int FindOwnerIndex(const std::vector<CModelEntity*>& owners, const CModelEntity* owner);

// Every face of a brush no map holds yet gets the texture.
void SetBrushTexture(CMapBrush& brush, const FaceTexture& texture);
// The same for a brush of the map, face by face through the map edits.
void SetBrushTexture(CMapEdits& edits, CMapBrush& brush, const FaceTexture& texture);

// OK after Edit in brush mode: the texture to every face if asked, the brush
// to the chosen owner if it is another. Nothing happens to a brush the
// dialog's Delete took away.
void ApplyBrushEdit(CMapTransaction& transaction, const FaceTexture& texture, bool changeTexture,
                    CModelEntity* chosenOwner);
// OK after Edit in face mode: the values into the selected face only.
void ApplyFaceEdit(CMapTransaction& transaction, const FaceTexture& texture);
