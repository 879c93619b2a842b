#include "map/CBrushBoxIndex.h"

#include "map/CTolveDoc.h"

namespace {

constexpr IntBox kNoBox{{1, 1, 1}, {0, 0, 0}};
// How many brushes ahead a build asks for the memory of.
constexpr size_t kAhead = 16;

} // namespace

const std::vector<CBrushBoxIndex::Entry>& CBrushBoxIndex::GetEntries(const CTolveDoc& doc) {
    if (!m_built || !SameLengths(doc))
        Build(doc);
    return m_entries;
}

void CBrushBoxIndex::BrushChanged(const CMapBrush& brush) {
    if (!m_built)
        return;
    const uint32_t slot = brush.m_indexSlot;
    if (slot >= m_entries.size() || m_entries[slot].brush != &brush) {
        m_built = false; // not where it was put: build anew
        return;
    }
    const IntBox* box = brush.GetBounds();
    m_entries[slot].box = box ? *box : kNoBox;
    m_entries[slot].alignedBox = brush.IsAlignedBox();
    if (box)
        Grow(m_runBoxes[slot / kRun], std::optional<IntBox>(*box));
}

// First which brushes go where, from the lists alone, then each brush's box:
// the brushes and entities lie scattered, and a walk of one list at a time
// could ask for the memory of the next few only within an entity's handful.
void CBrushBoxIndex::Build(const CTolveDoc& doc) {
    ++m_buildCount;
    m_entries.clear();
    m_lengths.clear();
    m_runBoxes.clear();
    auto list = [&](const BrushList& brushes, CModelEntity* owner) {
        m_lengths.push_back(brushes.size());
        for (const auto& brush : brushes)
            m_entries.push_back({kNoBox, brush.get(), owner, false});
    };
    list(doc.GetWorldBrushes(), nullptr);
    const ModelEntityList& entities = doc.GetModelEntities();
    for (size_t e = 0; e < entities.size(); ++e) {
        if (e + kAhead < entities.size())
            __builtin_prefetch(&entities[e + kAhead]->m_brushes);
        list(entities[e]->m_brushes, entities[e].get());
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (i + kAhead < m_entries.size())
            __builtin_prefetch(m_entries[i + kAhead].brush, 1);
        Entry& entry = m_entries[i];
        entry.brush->m_indexSlot = static_cast<uint32_t>(i);
        if (const IntBox* box = entry.brush->GetBounds())
            entry.box = *box;
        entry.alignedBox = entry.brush->IsAlignedBox();
    }
    m_runBoxes.assign((m_entries.size() + kRun - 1) / kRun, std::nullopt);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].HasCorners())
            Grow(m_runBoxes[i / kRun], std::optional<IntBox>(m_entries[i].box));
    }
    m_built = true;
}

bool CBrushBoxIndex::SameLengths(const CTolveDoc& doc) const {
    const ModelEntityList& entities = doc.GetModelEntities();
    if (m_lengths.size() != entities.size() + 1 || m_lengths[0] != doc.GetWorldBrushes().size())
        return false;
    for (size_t i = 0; i < entities.size(); ++i) {
        if (m_lengths[i + 1] != entities[i]->m_brushes.size())
            return false;
    }
    return true;
}
