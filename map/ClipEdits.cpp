#include "map/ClipEdits.h"

#include "map/CMapEdits.h"
#include "map/FormatConversion.h"
#include "map/MapFormat.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <memory>

namespace {

const BrushList& ListOf(const CTolveDoc& doc, const CModelEntity* owner) {
    return owner ? owner->m_brushes : doc.GetWorldBrushes();
}

// Where the brush stands in its owner's list.
size_t IndexIn(const BrushList& list, const CMapBrush& brush) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const auto& listed) { return listed.get() == &brush; });
    return static_cast<size_t>(found - list.begin());
}

std::string NameBrush(const CTolveDoc& doc, const ClippedBrush& clipped) {
    std::string name =
        "Brush " + std::to_string(IndexIn(ListOf(doc, clipped.owner), *clipped.brush) + 1) + " of ";
    if (!clipped.owner)
        return name + "the world";
    const ModelEntityList& entities = doc.GetModelEntities();
    const auto found = std::find_if(entities.begin(), entities.end(),
                                    [&](const auto& e) { return e.get() == clipped.owner; });
    return name + "brush entity " + std::to_string(found - entities.begin() + 1) + " (" +
           clipped.owner->m_classname + ")";
}

} // namespace

std::vector<ClippedBrush> ClipBrushesOfSet(const CTolveDoc& doc, const CSelectionSet& set,
                                           const ClipRequest& request) {
    std::vector<ClippedBrush> clipped;
    const bool valveMap = doc.m_mapFormat == MapFormat::kValve;
    ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
        const char* texture = request.texture == ClipTexture::kLargestFace
                                  ? LargestFaceTexture(brush)
                                  : request.currentTexture.c_str();
        if (valveMap && !brush.HasValveAxes()) {
            // A Valve map saves every brush in the Valve form; the new face
            // takes axes like the others.
            CMapBrush withAxes(brush);
            GiveValveAxes(withAxes);
            clipped.push_back(
                {owner, &brush, ClipBrush(withAxes, request.plane, request.side, texture)});
            return;
        }
        clipped.push_back({owner, &brush, ClipBrush(brush, request.plane, request.side, texture)});
    });
    return clipped;
}

std::string DescribeClipRefusal(const CTolveDoc& doc, const std::vector<ClippedBrush>& clipped) {
    for (const ClippedBrush& one : clipped) {
        if (one.result.problem != ClipProblem::kNone)
            return NameBrush(doc, one) + " " + DescribeClipProblem(one.result.problem) +
                   "; nothing was cut.";
    }
    return {};
}

void ApplyClip(CMapEdits& edits, CTolveDoc& doc, const std::vector<ClippedBrush>& clipped,
               CSelectionSet& kept) {
    for (const ClippedBrush& one : clipped) {
        kept.Add(*one.brush, CSelectionSet::kWholeBrush);
        if (one.result.LeavesBrushAsItIs())
            continue;
        const ClipResult& result = one.result;
        edits.ReshapeBrush(*one.brush, result.front ? *result.front : *result.back);
        if (result.front && result.back) {
            const size_t index = IndexIn(ListOf(doc, one.owner), *one.brush) + 1;
            CMapBrush& back =
                edits.AddBrush(one.owner, std::make_unique<CMapBrush>(*result.back), index);
            kept.Add(back, CSelectionSet::kWholeBrush);
        }
    }
}
