#pragma once

#include "map/CEditorState.h"
#include "map/CMapEdits.h"
#include "map/CMapTransaction.h"
#include "map/MapFormat.h"
#include "texture/BrushFaceFields.h"

#include <memory>
#include <optional>
#include <vector>

class CTolveDoc;

// The "Brush & Face Edit" dialog's values as the map gives and takes them.

// The values a job opens with: a new brush starts from fixed sizes and a
// blank texture; an edit from a brush's first face (brush mode) or a face
// (face mode). Valve faces, and new brushes of a Valve map, take any offsets.
// Base sides, width, height and shape always open as 4, 64, 64 and Box. The entity index is left to
// the dialog, which preselects the owner in its list.
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

// The face an Edit of `set` opens the dialog with: the first face of the set
// in map order (brush mode: the first brush's first face). None when the set
// has no face to show.
struct EditedFace {
    CModelEntity* owner = nullptr; // null: the world
    CMapBrush* brush = nullptr;
    int face = 0;
};
std::optional<EditedFace> FindEditedFace(const CTolveDoc& doc, const CSelectionSet& set,
                                         EditMode mode);

// OK after Edit in brush mode, for the brushes of `set` (taken when the
// dialog opened, so that whatever the pointer did meanwhile does not count):
// the texture to every face if asked, the brushes to the chosen owner when it
// is not the one the dialog opened with. Nothing happens to a brush the
// dialog's Delete took away.
void ApplyBrushEdit(CMapTransaction& transaction, const CSelectionSet& set,
                    const FaceTexture& texture, bool changeTexture, CModelEntity* openedOwner,
                    CModelEntity* chosenOwner);
// OK after Edit in face mode: the values the user changed into every face of
// `set`; the other values of each face stay.
void ApplyFaceEdit(CMapTransaction& transaction, const CSelectionSet& set,
                   const FaceTexture& texture, const FaceTextureChange& change);
