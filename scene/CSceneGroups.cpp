#include "scene/CSceneGroups.h"

#include "map/CMapBrush.h"
#include "map/CTolveDoc.h"
#include "scene/SpaceOrder.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace {

bool Overlap(const IntBox& a, const IntBox& b) {
    return a.min.x <= b.max.x && b.min.x <= a.max.x && a.min.y <= b.max.y && b.min.y <= a.max.y &&
           a.min.z <= b.max.z && b.min.z <= a.max.z;
}

// Whether the boxes share some volume. A brush only touching the area of a
// change at a face lies beside what changed; a flat box (which no whole brush
// has) is taken as soon as it touches.
bool ShareVolume(const IntBox& a, const IntBox& b) {
    const auto axis = [](int aMin, int aMax, int bMin, int bMax) {
        if (aMin == aMax || bMin == bMax)
            return aMin <= bMax && bMin <= aMax;
        return aMin < bMax && bMin < aMax;
    };
    return axis(a.min.x, a.max.x, b.min.x, b.max.x) && axis(a.min.y, a.max.y, b.min.y, b.max.y) &&
           axis(a.min.z, a.max.z, b.min.z, b.max.z);
}

bool HasBrushIn(const CSceneGroups::Group& group, const IntBox& area) {
    return std::ranges::any_of(group.brushBoxes, [&](const std::optional<IntBox>& box) {
        return !box || ShareVolume(*box, area);
    });
}

uint64_t SpaceKey(const CMapBrush& brush) {
    const IntBox* box = brush.GetBounds();
    return box ? SpaceKey(*box) : 0;
}

void SortAlongSpace(std::vector<SceneBrush>& brushes) {
    std::vector<std::pair<uint64_t, size_t>> keys(brushes.size());
    for (size_t i = 0; i < brushes.size(); ++i)
        keys[i] = {SpaceKey(*brushes[i].brush), i};
    std::sort(keys.begin(), keys.end());
    std::vector<SceneBrush> sorted;
    sorted.reserve(brushes.size());
    for (const auto& key : keys)
        sorted.push_back(brushes[key.second]);
    brushes = std::move(sorted);
}

} // namespace

void CSceneGroups::OnMapChanged(const MapNotice& notice) {
    // The hover and the selection are a tint over the faces.
    if (notice.selectionOnly)
        return;
    switch (notice.what) {
    case MapNotice::What::kAll:
        MarkAllStale();
        break;
    case MapNotice::What::kArea:
        MarkAreaStale(notice.area);
        break;
    case MapNotice::What::kOneBrush:
        MarkBrushStale(notice.brush);
        break;
    case MapNotice::What::kOwnerBrushes:
        MarkAllStale();
        break;
    default:
        break;
    }
}

void CSceneGroups::MarkAllStale() {
    for (Group& group : m_groups)
        group.stale = true;
}

void CSceneGroups::MarkAreaStale(const IntBox& area) {
    for (Group& group : m_groups) {
        if (!group.stale && group.box && Overlap(*group.box, area) && HasBrushIn(group, area))
            group.stale = true;
    }
}

void CSceneGroups::MarkBrushStale(const CMapBrush* brush) {
    const auto found = m_groupOf.find(brush);
    if (found != m_groupOf.end())
        m_groups[found->second].stale = true;
}

void CSceneGroups::Reconcile(const CTolveDoc& doc) {
    const std::vector<CBrushBoxIndex::Entry>& entries = doc.GetBrushBoxes();
    std::vector<size_t> found(m_groups.size(), 0);
    std::vector<SceneBrush> newcomers;
    std::unordered_set<const CMapBrush*> present;
    present.reserve(entries.size());
    for (const CBrushBoxIndex::Entry& entry : entries) {
        present.insert(entry.brush);
        const auto known = m_groupOf.find(entry.brush);
        if (known != m_groupOf.end())
            ++found[known->second];
        else
            newcomers.push_back({entry.brush, entry.owner});
    }
    // A group that lost brushes keeps the ones still there; its mesh is
    // built again.
    for (size_t g = 0; g < m_groups.size(); ++g) {
        Group& group = m_groups[g];
        if (found[g] == group.brushes.size())
            continue;
        std::erase_if(group.brushes, [&](const SceneBrush& entry) {
            if (present.contains(entry.brush))
                return false;
            m_groupOf.erase(entry.brush);
            return true;
        });
        group.stale = true;
    }
    // Newcomers fill new groups in space, not in map order: each group then
    // covers a small part of the map, which the frustum can pass over whole.
    SortAlongSpace(newcomers);
    for (size_t i = 0; i < newcomers.size(); i += kGroupSize) {
        Group group;
        const size_t end = std::min(newcomers.size(), i + kGroupSize);
        group.brushes.assign(newcomers.begin() + static_cast<ptrdiff_t>(i),
                             newcomers.begin() + static_cast<ptrdiff_t>(end));
        for (const SceneBrush& entry : group.brushes)
            m_groupOf[entry.brush] = static_cast<uint32_t>(m_groups.size());
        m_groups.push_back(std::move(group));
    }
    m_listGeneration = doc.GetBrushListGeneration();
}

void CSceneGroups::Rebuild(Group& group, const std::vector<const CMapBrush*>& shownBrushes) {
    std::vector<SceneBrush> shown;
    shown.reserve(shownBrushes.size());
    group.box.reset();
    group.brushBoxes.clear();
    for (const SceneBrush& entry : group.brushes) {
        const IntBox* box = entry.brush->GetBounds();
        if (box)
            Grow(group.box, *box);
        group.brushBoxes.push_back(box ? std::optional<IntBox>(*box) : std::nullopt);
    }
    for (const CMapBrush* brush : shownBrushes)
        shown.push_back({brush, nullptr});
    BuildSceneMesh(shown, group.mesh);
    group.stale = false;
    ++group.generation;
    ++m_buildCount;
}
