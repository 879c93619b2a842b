#pragma once

#include "map/IntBox.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class CMapBrush;
class CModelEntity;
class CTolveDoc;

// The boxes of all the brushes of a map in one array, in map order (the
// world's brushes, then each brush entity's). The hover search and the views
// test every brush at every move; the brushes themselves lie scattered over
// hundreds of megabytes of a large map, their boxes fit the cache.
//
// The document keeps it current: a change of its lists drops it (it is built
// again when next asked for), a brush whose corners changed has its box
// replaced.
class CBrushBoxIndex {
public:
    struct Entry {
        IntBox box; // min above max for a brush without corners
        CMapBrush* brush;
        CModelEntity* owner; // null: the world
        bool alignedBox;     // the brush is its box (CMapBrush::IsAlignedBox)

        bool HasCorners() const { return box.min.x <= box.max.x; }
    };

    // Entries come in runs of this many; a run's box holds every box in it
    // (and may be larger after an edit), so that a search can pass over a
    // whole run at once. Neighbours in map order mostly lie close together.
    static constexpr size_t kRun = 64;

    const std::vector<Entry>& GetEntries(const CTolveDoc& doc);
    // One per run of entries, as of the last GetEntries; none where a run
    // holds no brush with corners.
    const std::vector<std::optional<IntBox>>& GetRunBoxes() const { return m_runBoxes; }
    void Forget() { m_built = false; }
    // Counts the builds: a new count means brushes may have come or gone.
    uint64_t GetBuildCount() const { return m_buildCount; }
    void BrushChanged(const CMapBrush& brush);

private:
    void Build(const CTolveDoc& doc);
    // The lists' lengths as built, to notice lists changed behind its back.
    bool SameLengths(const CTolveDoc& doc) const;

    std::vector<Entry> m_entries;
    std::vector<std::optional<IntBox>> m_runBoxes;
    std::vector<size_t> m_lengths; // the world's, then each brush entity's
    bool m_built = false;
    uint64_t m_buildCount = 0;
};
