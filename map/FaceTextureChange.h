#pragma once

#include "map/CMapEdits.h"
#include "texture/BrushFaceFields.h"

// An edit of some of a face's texture values, as the Brush & Face dialog
// makes it when the user changed a few boxes.

// The values a face has now: its texture name, its offsets (a Valve face's
// along its axes), rotation and scales.
FaceTexture GetFaceTexture(const CMapBrush& brush, int face);

// Gives a face the values `change` names from `texture`, by the rules of its
// form; every other value stays as it is. A face read with a texture text the
// fields cannot hold keeps that text but for the numbers that change.
void ApplyFaceTextureChange(CMapBrush& brush, int face, const FaceTexture& texture,
                            const FaceTextureChange& change);
