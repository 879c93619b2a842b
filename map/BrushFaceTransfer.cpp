#include "map/BrushFaceTransfer.h"

#include "framework/TextToNumber.h"
#include "map/CTolveDoc.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A Valve offset as the box shows it: exactly, and no longer than it needs.
std::string FormatFieldNumber(double value) {
    char digits[kShortestTextCapacity];
    return std::string(digits, FormatShortest(value, digits));
}

// Fields take whole strings ("64"s): assigning bare literals trips a false
// -Wrestrict of gcc 12 at -O3.
using namespace std::string_literals;

void SetShapeDefaults(BrushFaceFields& fields) {
    using enum BrushFaceField;
    fields[kBaseSides] = "4"s; // a Box of four sides is a box
    fields[kWidth] = "64"s;
    fields[kHeight] = "64"s;
    fields.shape = kBoxShape;
}

} // namespace

BrushFaceFields MakeNewBrushFields(MapFormat format) {
    using enum BrushFaceField;
    BrushFaceFields fields;
    fields.numberOffsets = format == MapFormat::kValve;
    SetShapeDefaults(fields);
    fields[kXScale] = FormatFieldFloat(1.0f);
    fields[kYScale] = FormatFieldFloat(1.0f);
    fields[kXOffset] = "0"s;
    fields[kYOffset] = "0"s;
    fields[kRotation] = FormatFieldFloat(0.0f);
    return fields;
}

BrushFaceFields LoadFromFace(const CMapBrush& brush, int faceIndex, BrushFaceJob job) {
    using enum BrushFaceField;
    const BrushFace& face = brush.m_faces[faceIndex];
    BrushFaceFields fields;
    SetShapeDefaults(fields);
    fields[kXScale] = FormatFieldFloat(face.xScale);
    fields[kYScale] = FormatFieldFloat(face.yScale);
    if (brush.HasValveAxes()) {
        const ValveAxes& axes = brush.m_valveAxes[faceIndex];
        fields[kXOffset] = FormatFieldNumber(axes.uOffset);
        fields[kYOffset] = FormatFieldNumber(axes.vOffset);
        fields.numberOffsets = true;
    } else {
        fields[kXOffset] = std::to_string(face.xOffset);
        fields[kYOffset] = std::to_string(face.yOffset);
    }
    fields[kRotation] = FormatFieldFloat(face.rotation);
    fields.texture.assign(face.texture, strnlen(face.texture, sizeof face.texture));
    fields.changeTexture = job == BrushFaceJob::kEditBrush;
    return fields;
}

FaceTexture MakeFaceTexture(const BrushFaceValues& values, const std::string& texture) {
    FaceTexture face;
    const std::string kept = CutTextureName(texture);
    std::memcpy(face.texture, kept.data(), kept.size());
    face.xOffset = values.xOffset;
    face.yOffset = values.yOffset;
    face.rotation = values.rotation;
    face.xScale = values.xScale;
    face.yScale = values.yScale;
    return face;
}

std::vector<CModelEntity*> ListBrushOwners(const CTolveDoc& doc) {
    std::vector<CModelEntity*> owners{nullptr};
    for (const auto& entity : doc.GetModelEntities())
        owners.push_back(entity.get());
    return owners;
}

int FindOwnerIndex(const std::vector<CModelEntity*>& owners, const CModelEntity* owner) {
    int chosen = 0;
    for (size_t i = 0; i < owners.size(); ++i) {
        if (owners[i] == owner)
            chosen = static_cast<int>(i);
    }
    return chosen;
}

void SetBrushTexture(CMapBrush& brush, const FaceTexture& texture) {
    for (int face = 0; face < brush.m_numFaces; ++face)
        ApplyFaceTexture(brush, face, texture);
}

void SetBrushTexture(CMapEdits& edits, CMapBrush& brush, const FaceTexture& texture) {
    for (int face = 0; face < brush.m_numFaces; ++face)
        edits.SetFaceTexture(brush, face, texture);
}

std::optional<EditedFace> FindEditedFace(const CTolveDoc& doc, const CSelectionSet& set,
                                         EditMode mode) {
    std::optional<EditedFace> found;
    ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t parts) {
        if (found || brush.m_numFaces == 0)
            return; // a brush kept as text has no faces to show
        int face = 0;
        if (mode == kFaceMode) {
            while (face < brush.m_numFaces && !(parts & PartBit(face)))
                ++face;
            if (face == brush.m_numFaces)
                return;
        }
        found = EditedFace{owner, &brush, face};
    });
    return found;
}

void ApplyBrushEdit(CMapTransaction& transaction, const CSelectionSet& set,
                    const FaceTexture& texture, bool changeTexture, CModelEntity* openedOwner,
                    CModelEntity* chosenOwner) {
    CTolveDoc& doc = transaction.GetDocument();
    CMapEdits& edits = transaction.Edits();
    if (changeTexture) {
        ForEachBrushInSet(doc, set, [&](CModelEntity*, CMapBrush& brush, uint64_t) {
            SetBrushTexture(edits, brush, texture);
        });
    }
    if (chosenOwner != openedOwner)
        MoveBrushesToOwner(edits, doc, set, chosenOwner);
}

void ApplyFaceEdit(CMapTransaction& transaction, const CSelectionSet& set,
                   const FaceTexture& texture, const FaceTextureChange& change) {
    CMapEdits& edits = transaction.Edits();
    ForEachBrushInSet(transaction.GetDocument(), set,
                      [&](CModelEntity*, CMapBrush& brush, uint64_t parts) {
                          for (int face = 0; face < brush.m_numFaces; ++face) {
                              if (parts & PartBit(face))
                                  edits.SetFaceTexture(brush, face, texture, change);
                          }
                      });
}
