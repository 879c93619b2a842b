#pragma once

#include "map/CEditorState.h"
#include "map/TextureAlignment.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CTolveDoc;

// The texture alignment commands on the faces of a map, each one step.

struct FaceOfBrush {
    CMapBrush* brush = nullptr;
    int face = 0;
};

// The faces a texture command acts on: the chosen faces in face mode, every
// face of the chosen brushes in brush mode; none in the other modes. In map
// order.
std::vector<FaceOfBrush> ListTexturedFaces(const CTolveDoc& doc, const CSelectionSet& set,
                                           EditMode mode);

// Changes one face's texture, or says why it cannot.
using FaceAligner = std::function<std::optional<std::string>(FaceAlignment&)>;

// Aligns every face as one step of the history named `name`. When some face
// cannot take its result nothing changes, and the reason is returned; a step
// that changes nothing is not kept.
std::optional<std::string> AlignFaces(CTolveDoc& doc, const std::vector<FaceOfBrush>& faces,
                                      const std::string& name, const FaceAligner& align);
