#include "map/GroupEdits.h"

#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"
#include "map/MapGroups.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <utility>

std::string NewGroupName(const CTolveDoc& doc) {
    const CMapGroups groups(doc);
    std::unordered_set<std::string> taken;
    for (const MapGroup& group : groups.GetGroups())
        taken.insert(group.name);
    for (size_t n = groups.GetGroups().size() + 1;; ++n) {
        std::string name = "Group " + std::to_string(n);
        if (!taken.contains(name))
            return name;
    }
}

namespace {

constexpr const char* kNotWhole = "Only whole brush entities and groups can join a group: select "
                                  "all of their brushes, or move the brushes to the world first.";

GroupOutcome Refusal(std::string text) {
    GroupOutcome outcome;
    outcome.refusal = std::move(text);
    return outcome;
}

template <class T> void AddOnce(std::vector<T*>& list, T* item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

// The set's objects as a new group takes them: brushes that move into its
// own entity, and entities that join it by their "_tb_group".
struct GroupUnits {
    std::vector<std::pair<CModelEntity*, CMapBrush*>> brushes;
    std::vector<CModelEntity*> entities;
    std::vector<CPointEntity*> points;
    // What the entities and groups taken hold; all of it must be in the set.
    CSelectionSet whole;

    bool IsEmpty() const { return brushes.empty() && entities.empty() && points.empty(); }
};

void TakeGroup(const CMapGroups& groups, const MapGroup& group, EditMode mode, GroupUnits& units) {
    if (group.brushEntity)
        AddOnce(units.entities, group.brushEntity);
    else
        AddOnce(units.points, group.pointEntity);
    groups.AddToSet(group, mode, units.whole);
}

GroupUnits UnitsOfSet(const CTolveDoc& doc, const CMapGroups& groups, const CSelectionSet& set) {
    const CEditorState& state = doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    const MapGroup* open = groups.Find(state.GetOpenGroup());
    GroupUnits units;
    if (mode == kBrushMode) {
        ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush& brush, uint64_t) {
            const MapGroup* innermost = groups.InnermostOf(owner);
            if (const MapGroup* group = groups.OutermostClosed(innermost, state.GetOpenGroup())) {
                TakeGroup(groups, *group, mode, units);
            } else if (!owner || (open && owner == open->brushEntity)) {
                units.brushes.emplace_back(owner, &brush);
            } else {
                AddOnce(units.entities, owner);
                for (const auto& each : owner->m_brushes)
                    units.whole.Add(*each, CSelectionSet::kWholeBrush);
            }
        });
    } else if (mode == kEntityMode) {
        for (const auto& entity : doc.GetPointEntities()) {
            if (!set.Contains(*entity) || (open && entity.get() == open->pointEntity))
                continue;
            const MapGroup* innermost = groups.InnermostOf(*entity);
            if (const MapGroup* group = groups.OutermostClosed(innermost, state.GetOpenGroup()))
                TakeGroup(groups, *group, mode, units);
            else
                AddOnce(units.points, entity.get());
        }
    }
    return units;
}

bool HoldsAll(const CSelectionSet& set, const CSelectionSet& part) {
    for (const auto& [brush, parts] : part.GetBrushes()) {
        if (!set.Contains(*brush))
            return false;
    }
    return std::all_of(part.GetPointEntities().begin(), part.GetPointEntities().end(),
                       [&](const CPointEntity* entity) { return set.Contains(*entity); });
}

// The open group would be left without brushes of its own, and so go.
bool EmptiesOpenGroup(const MapGroup* open, const GroupUnits& units) {
    if (!open || !open->brushEntity)
        return false;
    const size_t taken =
        std::count_if(units.brushes.begin(), units.brushes.end(),
                      [&](const auto& pair) { return pair.first == open->brushEntity; });
    return taken == open->brushEntity->m_brushes.size();
}

CustomPairList GroupPairs(const std::string& name, const std::string& id, const MapGroup* around) {
    CustomPairList pairs{
        {kGroupTypeKey, kGroupTypeValue}, {kGroupNameKey, name}, {kGroupIdKey, id}};
    if (around)
        pairs.push_back({kGroupMemberKey, around->id});
    return pairs;
}

// Names the group `id` in the keys, or none (empty `id`).
template <class Keys> void SetGroupKey(Keys& keys, const std::string& id) {
    if (id.empty())
        RemovePair(keys.m_otherPairs, kGroupMemberKey);
    else
        SetPair(keys.m_otherPairs, kGroupMemberKey, id);
}

// Puts the entity into the group `id`, or out of any (empty `id`).
void JoinGroup(CMapEdits& edits, CModelEntity& entity, const std::string& id) {
    CModelEntityKeys keys = entity;
    SetGroupKey(keys, id);
    edits.SetModelEntityKeys(entity, keys);
}

void JoinGroup(CMapEdits& edits, CPointEntity& entity, const std::string& id) {
    CPointEntity keys = entity;
    SetGroupKey(keys, id);
    edits.SetPointEntityKeys(entity, keys);
}

} // namespace

GroupOutcome GroupObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                          const std::string& name) {
    const CMapGroups groups(doc);
    const GroupUnits units = UnitsOfSet(doc, groups, set);
    if (units.IsEmpty())
        return Refusal("Select the brushes or entities to group first.");
    if (!HoldsAll(set, units.whole))
        return Refusal(kNotWhole);
    const MapGroup* open = groups.Find(doc.GetEditorState().GetOpenGroup());
    if (EmptiesOpenGroup(open, units))
        return Refusal("The open group must keep at least one brush of its own: leave one "
                       "out of the new group.");
    const std::string id = groups.FreshId();
    if (units.brushes.empty()) {
        // A group of entities alone has no brushes: it is written without
        // any, and without an origin.
        auto entity = std::make_unique<CPointEntity>();
        entity->m_classname = kGroupClass;
        entity->m_hasOrigin = false;
        entity->m_otherPairs = GroupPairs(name, id, open);
        edits.AddPointEntity(std::move(entity));
    } else {
        auto entity = std::make_unique<CModelEntity>();
        entity->m_classname = kGroupClass;
        entity->m_otherPairs = GroupPairs(name, id, open);
        CModelEntity& made = edits.AddModelEntity(std::move(entity));
        for (const auto& [owner, brush] : units.brushes)
            edits.MoveBrushToOwner(*brush, owner, &made);
    }
    for (CModelEntity* entity : units.entities)
        JoinGroup(edits, *entity, id);
    for (CPointEntity* entity : units.points)
        JoinGroup(edits, *entity, id);
    GroupOutcome outcome;
    outcome.groups.push_back(id);
    return outcome;
}

GroupOutcome UngroupObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set) {
    const CMapGroups groups(doc);
    const GroupUnits units = UnitsOfSet(doc, groups, set);
    std::vector<const MapGroup*> chosen;
    for (CModelEntity* entity : units.entities) {
        if (const MapGroup* group = groups.InnermostOf(entity);
            group && group->brushEntity == entity)
            chosen.push_back(group);
    }
    for (CPointEntity* entity : units.points) {
        if (const MapGroup* group = groups.InnermostOf(*entity);
            group && group->pointEntity == entity)
            chosen.push_back(group);
    }
    if (chosen.empty())
        return Refusal("The selection holds no closed group to ungroup.");
    for (const MapGroup* group : chosen) {
        const MapGroup* around = groups.Find(group->parent);
        if (group->brushEntity && around && !around->brushEntity)
            return Refusal("The group \"" + group->name + "\" lies in the group \"" + around->name +
                           "\", which has no brushes of its own to take its brushes: "
                           "ungroup that one first.");
    }
    GroupOutcome outcome;
    for (const MapGroup* group : chosen) {
        const MapGroup* around = groups.Find(group->parent);
        const std::string aroundId = around ? around->id : std::string();
        for (CModelEntity* member : group->memberEntities)
            JoinGroup(edits, *member, aroundId);
        for (CPointEntity* member : group->memberPoints)
            JoinGroup(edits, *member, aroundId);
        outcome.groups.push_back(group->id);
        if (group->pointEntity) {
            edits.RemovePointEntity(*group->pointEntity);
            continue;
        }
        // The entity goes with its last brush.
        std::vector<CMapBrush*> brushes;
        for (const auto& brush : group->brushEntity->m_brushes)
            brushes.push_back(brush.get());
        CModelEntity* to = around ? around->brushEntity : nullptr;
        for (CMapBrush* brush : brushes)
            edits.MoveBrushToOwner(*brush, group->brushEntity, to);
    }
    return outcome;
}
