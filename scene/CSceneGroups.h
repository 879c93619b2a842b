#pragma once

#include "map/CTolveDoc.h"
#include "map/IntBox.h"
#include "map/MapNotice.h"
#include "scene/SceneMesh.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// The brushes of a map in groups of a few hundred, each with the mesh the
// camera view draws it from. A change of the map marks only the groups it
// touches stale (by the notices the map sends), and the view rebuilds just
// those: one brush dragged in a large map costs one group's mesh, never the
// map's.
//
// Groups hold brushes by address but never read through an address they
// have not found again in the map since the last change: a brush deleted, or
// its memory given to a new one, always lies in the area a notice names, and
// that area marks its group stale.
class CSceneGroups {
public:
    static constexpr size_t kGroupSize = 256;

    struct Group {
        std::vector<SceneBrush> brushes;
        std::optional<IntBox> box; // around its brushes as last built
        // Each brush's box as last built, by its place in `brushes`: a change
        // in an area marks only the groups with a brush in it, not every
        // group whose box merely reaches there.
        std::vector<std::optional<IntBox>> brushBoxes;
        SceneMesh mesh;
        uint64_t generation = 0; // counts the builds, so the drawing knows to upload
        bool stale = true;
    };

    // Tells what changed; the work waits for Update.
    void OnMapChanged(const MapNotice& notice);
    // Matches the groups to the map's brushes and rebuilds stale groups until
    // `budget` of them are done; true when none is left stale. `shown` says
    // whether a brush is drawn at all (the limits); when it changes, every
    // group is stale.
    template <class Shown> bool Update(const CTolveDoc& doc, size_t budget, const Shown& shown);

    const std::vector<Group>& GetGroups() const { return m_groups; }
    // How many group meshes the updates built, to show that a change cost
    // what it touched.
    uint64_t GetBuildCount() const { return m_buildCount; }
    void MarkAllStale();

private:
    void MarkAreaStale(const IntBox& area);
    void MarkBrushStale(const CMapBrush* brush);
    void Reconcile(const CTolveDoc& doc);
    void Rebuild(Group& group, const std::vector<const CMapBrush*>& shownBrushes);

    std::vector<Group> m_groups;
    std::unordered_map<const CMapBrush*, uint32_t> m_groupOf;
    std::optional<uint64_t> m_listGeneration; // of the brush lists last matched
    uint64_t m_buildCount = 0;
};

template <class Shown>
bool CSceneGroups::Update(const CTolveDoc& doc, size_t budget, const Shown& shown) {
    doc.GetBrushBoxes();
    if (m_listGeneration != doc.GetBrushListGeneration())
        Reconcile(doc);
    std::vector<const CMapBrush*> shownBrushes;
    for (Group& group : m_groups) {
        if (!group.stale)
            continue;
        if (budget == 0)
            return false;
        --budget;
        shownBrushes.clear();
        for (const SceneBrush& entry : group.brushes) {
            if (shown(*entry.brush))
                shownBrushes.push_back(entry.brush);
        }
        Rebuild(group, shownBrushes);
    }
    return true;
}
