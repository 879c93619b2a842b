#include "map/TransformEdits.h"

#include "map/CMapEdits.h"
#include "map/CsgEdits.h"
#include "map/FormatConversion.h"
#include "map/MapFormat.h"
#include "map/SelectionSetEdits.h"

#include <cctype>

std::vector<TransformedBrush> TransformBrushesOfSet(const CTolveDoc& doc, const CSelectionSet& set,
                                                    const BrushTransform& transform) {
    std::vector<TransformedBrush> transformed;
    const bool valveMap = doc.m_mapFormat == MapFormat::kValve;
    ForEachBrushInSet(doc, set, [&](CModelEntity*, CMapBrush& brush, uint64_t) {
        TransformedBrush& one = transformed.emplace_back();
        one.brush = &brush;
        if (valveMap && !brush.HasValveAxes()) {
            CMapBrush withAxes(brush);
            GiveValveAxes(withAxes);
            one.problem = TransformBrush(withAxes, transform, doc.m_textureLock, one.result);
            return;
        }
        one.problem = TransformBrush(brush, transform, doc.m_textureLock, one.result);
    });
    return transformed;
}

std::string DescribeTransformRefusal(const CTolveDoc& doc,
                                     const std::vector<TransformedBrush>& transformed) {
    for (const TransformedBrush& one : transformed) {
        if (one.problem == TransformProblem::kNone)
            continue;
        std::string sentence = DescribeBrush(doc, *one.brush);
        if (!sentence.empty())
            sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
        return sentence + " " + DescribeTransformProblem(one.problem) + "; nothing was changed.";
    }
    return {};
}

size_t ApplyTransform(CMapEdits& edits, const CSelectionSet& set,
                      const std::vector<TransformedBrush>& transformed,
                      const BrushTransform& transform) {
    size_t withDecimals = 0;
    for (const TransformedBrush& one : transformed) {
        edits.ReshapeBrush(*one.brush, one.result);
        withDecimals += KeepsDecimalPlanePoints(one.result);
    }
    for (CPointEntity* entity : set.GetPointEntities())
        edits.TransformPointEntity(*entity, transform);
    return withDecimals;
}

std::optional<Vec3d> CentreOfSet(const CSelectionSet& set, EditMode mode) {
    const std::optional<IntBox> box = BoundsOfSet(set, mode);
    if (!box)
        return std::nullopt;
    return (ToVec3d(box->min) + ToVec3d(box->max)) * 0.5;
}
