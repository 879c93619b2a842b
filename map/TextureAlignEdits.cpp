#include "map/TextureAlignEdits.h"

#include "map/CMapTransaction.h"
#include "map/CTolveDoc.h"
#include "map/SelectionSetEdits.h"

std::vector<FaceOfBrush> ListTexturedFaces(const CTolveDoc& doc, const CSelectionSet& set,
                                           EditMode mode) {
    std::vector<FaceOfBrush> faces;
    if (mode != kFaceMode && mode != kBrushMode)
        return faces;
    ForEachBrushInSet(doc, set, [&](CModelEntity*, CMapBrush& brush, uint64_t parts) {
        for (int face = 0; face < brush.m_numFaces; ++face) {
            if (mode == kBrushMode || (parts & PartBit(face)))
                faces.push_back({&brush, face});
        }
    });
    return faces;
}

std::optional<std::string> AlignFaces(CTolveDoc& doc, const std::vector<FaceOfBrush>& faces,
                                      const std::string& name, const FaceAligner& align) {
    // Every face is worked out before any changes, so that a refusal leaves
    // the map as it was without a step to take back.
    std::vector<AlignedFace> results(faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
        const FaceAlignment before =
            ReadFaceAlignment(*faces[i].brush, faces[i].face, doc.m_mapFormat);
        FaceAlignment after = before;
        if (std::optional<std::string> refusal = align(after))
            return refusal;
        if (std::optional<std::string> refusal = WriteFaceAlignment(before, after, results[i]))
            return refusal;
    }
    CMapTransaction transaction(doc, name);
    for (size_t i = 0; i < faces.size(); ++i) {
        if (results[i].change.Any() || results[i].setsAxes)
            transaction.Edits().SetFaceAlignment(*faces[i].brush, faces[i].face, results[i]);
    }
    if (transaction.HasChanges())
        transaction.Commit();
    return std::nullopt;
}
