#include "map/BrushFaceTransfer.h"

#include "framework/TextToNumber.h"
#include "map/CTolveDoc.h"

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
    fields[kBaseSides] = "3"s;
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

void ApplyBrushEdit(CMapTransaction& transaction, const FaceTexture& texture, bool changeTexture,
                    CModelEntity* chosenOwner) {
    CTolveDoc& doc = transaction.GetDocument();
    CMapEdits& edits = transaction.Edits();
    CMapBrush* brush = doc.GetEditorState().GetSelectedBrush();
    if (brush && changeTexture)
        SetBrushTexture(edits, *brush, texture);
    if (brush && chosenOwner != doc.GetEditorState().GetSelectedEntity())
        edits.MoveBrushToOwner(*brush, doc.GetEditorState().GetSelectedEntity(), chosenOwner);
}

void ApplyFaceEdit(CMapTransaction& transaction, const FaceTexture& texture) {
    CTolveDoc& doc = transaction.GetDocument();
    const CEditorState& state = doc.GetEditorState();
    if (!state.GetSelectedBrush())
        return;
    transaction.Edits().SetFaceTexture(*state.GetSelectedBrush(), state.GetSelectedFace(), texture);
}
