#include "map/CsgEdits.h"

#include "map/BrushHull.h"
#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"
#include "map/FormatConversion.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

struct SelectedBrush {
    CModelEntity* owner = nullptr;
    CMapBrush* brush = nullptr;
};

// A brush of the map and what takes its place.
struct Replacement {
    SelectedBrush original;
    std::vector<std::unique_ptr<CMapBrush>> pieces;
};

std::vector<SelectedBrush> BrushesOfSet(const CTolveDoc& doc, const CSelectionSet& set) {
    std::vector<SelectedBrush> brushes;
    ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
        if (brush.IsHeld() && brush.m_numFaces > 0)
            brushes.push_back({owner, &brush});
    });
    return brushes;
}

const BrushList& ListOf(const CTolveDoc& doc, const CModelEntity* owner) {
    return owner ? owner->m_brushes : doc.GetWorldBrushes();
}

size_t IndexIn(const BrushList& list, const CMapBrush& brush) {
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const auto& listed) { return listed.get() == &brush; });
    return static_cast<size_t>(found - list.begin());
}

// Builds every piece; the first that cannot be a brush refuses the whole.
bool BuildPieces(const CTolveDoc& doc, const SelectedBrush& from,
                 const std::vector<ConvexPiece>& pieces, Replacement& replacement,
                 std::string& refusal) {
    replacement.original = from;
    for (const ConvexPiece& piece : pieces) {
        std::string problem;
        std::unique_ptr<CMapBrush> brush = BuildPieceBrush(piece, problem);
        if (!brush) {
            refusal = "A piece of " + DescribeBrush(doc, *from.brush) +
                      " cannot be a brush: " + problem + ".";
            return false;
        }
        replacement.pieces.push_back(std::move(brush));
    }
    return true;
}

// Each original gives way to its pieces, at its place in its owner's list.
CsgOutcome Replace(CMapEdits& edits, CTolveDoc& doc, std::vector<Replacement>& replacements) {
    CsgOutcome outcome;
    for (Replacement& replacement : replacements) {
        CModelEntity* owner = replacement.original.owner;
        size_t index = IndexIn(ListOf(doc, owner), *replacement.original.brush);
        // The pieces go in first, so that an entity never goes for want of brushes.
        for (std::unique_ptr<CMapBrush>& piece : replacement.pieces) {
            if (doc.m_mapFormat == MapFormat::kValve)
                GiveValveAxes(*piece);
            outcome.made.push_back(&edits.AddBrush(owner, std::move(piece), index++));
        }
        edits.RemoveBrush(owner, *replacement.original.brush);
        ++outcome.replaced;
    }
    return outcome;
}

CsgOutcome Refused(std::string refusal) {
    CsgOutcome outcome;
    outcome.refusal = std::move(refusal);
    return outcome;
}

std::string BoxText(const IntBox& box) {
    auto point = [](const IntPoint& p) {
        std::string text(1, '(');
        text.append(std::to_string(p.x)).append(1, ' ').append(std::to_string(p.y));
        text.append(1, ' ').append(std::to_string(p.z)).append(1, ')');
        return text;
    };
    return point(box.min) + " to " + point(box.max);
}

} // namespace

std::string DescribeBrush(const CTolveDoc& doc, const CMapBrush& brush) {
    const BrushList& world = doc.GetWorldBrushes();
    const size_t inWorld = IndexIn(world, brush);
    if (inWorld < world.size())
        return "the world, brush " + std::to_string(inWorld + 1);
    const ModelEntityList& entities = doc.GetModelEntities();
    for (size_t e = 0; e < entities.size(); ++e) {
        const size_t index = IndexIn(entities[e]->m_brushes, brush);
        if (index < entities[e]->m_brushes.size())
            return "brush entity " + std::to_string(e + 1) + " (" + entities[e]->m_classname +
                   "), brush " + std::to_string(index + 1);
    }
    return "a brush";
}

CsgOutcome SubtractBrush(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                         const CMapBrush& cutter, CutOrder order) {
    if (!cutter.IsHeld() || cutter.m_numFaces == 0)
        return Refused(DescribeBrush(doc, cutter) + " has no shape to cut out.");
    const ConvexPiece cutterPiece = PieceOfBrush(cutter);
    std::vector<Replacement> replacements;
    for (const SelectedBrush& selected : BrushesOfSet(doc, set)) {
        if (selected.brush == &cutter)
            continue;
        const ConvexPiece piece = PieceOfBrush(*selected.brush);
        if (!PiecesOverlap(piece, cutterPiece))
            continue;
        std::string refusal;
        if (!BuildPieces(doc, selected, SubtractPiece(piece, cutterPiece, order),
                         replacements.emplace_back(), refusal))
            return Refused(refusal);
    }
    return Replace(edits, doc, replacements);
}

CsgOutcome HollowBrushes(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                         int32_t thickness) {
    std::vector<Replacement> replacements;
    for (const SelectedBrush& selected : BrushesOfSet(doc, set)) {
        std::optional<std::vector<ConvexPiece>> walls =
            HollowPiece(PieceOfBrush(*selected.brush), thickness);
        if (!walls)
            return Refused(DescribeBrush(doc, *selected.brush) + " is too thin for walls " +
                           std::to_string(thickness) + " units thick.");
        std::string refusal;
        if (!BuildPieces(doc, selected, *walls, replacements.emplace_back(), refusal))
            return Refused(refusal);
    }
    return Replace(edits, doc, replacements);
}

CsgOutcome HollowBrushesTogether(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                                 int32_t thickness) {
    const std::vector<SelectedBrush> selected = BrushesOfSet(doc, set);
    std::vector<ConvexPiece> pieces;
    for (const SelectedBrush& brush : selected) {
        pieces.push_back(PieceOfBrush(*brush.brush));
        if (PieceVolume(InnerPiece(pieces.back(), thickness)) <= kNoVolume)
            return Refused(DescribeBrush(doc, *brush.brush) + " is too thin for walls " +
                           std::to_string(thickness) + " units thick.");
    }
    std::optional<std::vector<SharedWall>> walls = HollowTogether(pieces, thickness);
    if (!walls)
        return Refused("The brushes are too thin for walls " + std::to_string(thickness) +
                       " units thick.");
    std::vector<std::vector<ConvexPiece>> wallsOf(selected.size());
    for (SharedWall& wall : *walls)
        wallsOf[wall.owner].push_back(std::move(wall.piece));
    std::vector<Replacement> replacements;
    for (size_t i = 0; i < selected.size(); ++i) {
        std::string refusal;
        if (!BuildPieces(doc, selected[i], wallsOf[i], replacements.emplace_back(), refusal))
            return Refused(refusal);
    }
    return Replace(edits, doc, replacements);
}

CsgOutcome MergeBrushes(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set) {
    const std::vector<SelectedBrush> selected = BrushesOfSet(doc, set);
    if (selected.size() < 2)
        return Refused("Choose two or more brushes to merge.");
    std::vector<const CMapBrush*> brushes;
    for (const SelectedBrush& brush : selected)
        brushes.push_back(brush.brush);
    std::optional<ConvexPiece> hull = HullOfBrushes(brushes);
    if (!hull)
        return Refused("The brushes enclose no volume together.");
    std::vector<ConvexPiece> extra = {*hull};
    for (const CMapBrush* brush : brushes)
        extra = SubtractFromAll(extra, PieceOfBrush(*brush));
    if (!extra.empty()) {
        std::optional<IntBox> box;
        for (const ConvexPiece& piece : extra) {
            if (std::optional<IntBox> bounds = PieceBounds(piece)) {
                Grow(box, bounds->min);
                Grow(box, bounds->max);
            }
        }
        return Refused("The brushes are not one convex shape: merged, they would also fill " +
                       (box ? BoxText(*box) : std::string("space between them")) + ".");
    }
    std::string problem;
    std::unique_ptr<CMapBrush> merged = BuildPieceBrush(*hull, problem);
    if (!merged)
        return Refused("The merged brush cannot be a brush: " + problem + ".");
    std::vector<Replacement> replacements(1);
    replacements[0].original = selected.front();
    replacements[0].pieces.push_back(std::move(merged));
    CsgOutcome outcome = Replace(edits, doc, replacements);
    for (size_t i = 1; i < selected.size(); ++i)
        edits.RemoveBrush(selected[i].owner, *selected[i].brush);
    outcome.replaced = selected.size();
    return outcome;
}
