#include "map/MapGroups.h"

#include "map/CTolveDoc.h"
#include "map/MapFragment.h"
#include "map/SelectionSetEdits.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

const std::string* ValueOfPair(const CustomPairList& pairs, std::string_view key) {
    for (const CustomPair& pair : pairs) {
        if (pair.key == key)
            return &pair.value;
    }
    return nullptr;
}

void SetPair(CustomPairList& pairs, std::string_view key, std::string value) {
    for (CustomPair& pair : pairs) {
        if (pair.key == key) {
            pair.value = std::move(value);
            return;
        }
    }
    pairs.push_back({std::string(key), std::move(value)});
}

void RemovePair(CustomPairList& pairs, std::string_view key) {
    std::erase_if(pairs, [key](const CustomPair& pair) { return pair.key == key; });
}

bool IsGroupEntity(const std::string& classname, const CustomPairList& pairs) {
    const std::string* type = ValueOfPair(pairs, kGroupTypeKey);
    return classname == kGroupClass && type && *type == kGroupTypeValue &&
           ValueOfPair(pairs, kGroupIdKey);
}

namespace {

// Ids far beyond what any map holds are left out of the count, so that the
// next one never overflows.
constexpr long long kLargestCountedId = 1'000'000'000'000LL;

long long NumberOfId(const std::string& id) {
    long long number = 0;
    const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
    if (error != std::errc() || end != id.data() + id.size() || number < 0 ||
        number > kLargestCountedId)
        return 0;
    return number;
}

std::string ParentOf(const CustomPairList& pairs) {
    const std::string* parent = ValueOfPair(pairs, kGroupMemberKey);
    return parent ? *parent : std::string();
}

} // namespace

CMapGroups::CMapGroups(const CTolveDoc& doc) {
    auto offer = [&](auto* entity, MapGroup group) {
        const CustomPairList& pairs = entity->m_otherPairs;
        if (const std::string* id = ValueOfPair(pairs, kGroupIdKey))
            m_largestId = std::max(m_largestId, NumberOfId(*id));
        if (!IsGroupEntity(entity->m_classname, pairs))
            return;
        group.id = *ValueOfPair(pairs, kGroupIdKey);
        // A second group of the same id is not told apart from the first.
        if (m_byId.contains(group.id))
            return;
        const std::string* name = ValueOfPair(pairs, kGroupNameKey);
        group.name = name ? *name : std::string();
        group.parent = ParentOf(pairs);
        m_byId.emplace(group.id, m_groups.size());
        m_byEntity.emplace(entity, m_groups.size());
        m_groups.push_back(std::move(group));
    };
    for (const auto& entity : doc.GetModelEntities()) {
        MapGroup group;
        group.brushEntity = entity.get();
        offer(entity.get(), std::move(group));
    }
    for (const auto& entity : doc.GetPointEntities()) {
        MapGroup group;
        group.pointEntity = entity.get();
        offer(entity.get(), std::move(group));
    }
    for (const auto& entity : doc.GetModelEntities()) {
        if (const MapGroup* group = ByMemberKey(entity->m_otherPairs))
            m_groups[m_byId.at(group->id)].memberEntities.push_back(entity.get());
    }
    for (const auto& entity : doc.GetPointEntities()) {
        if (const MapGroup* group = ByMemberKey(entity->m_otherPairs))
            m_groups[m_byId.at(group->id)].memberPoints.push_back(entity.get());
    }
}

const MapGroup* CMapGroups::Find(std::string_view id) const {
    const auto it = m_byId.find(std::string(id));
    return it == m_byId.end() ? nullptr : &m_groups[it->second];
}

const MapGroup* CMapGroups::ByMemberKey(const CustomPairList& pairs) const {
    const std::string* id = ValueOfPair(pairs, kGroupMemberKey);
    return id ? Find(*id) : nullptr;
}

const MapGroup* CMapGroups::InnermostOf(const CModelEntity* owner) const {
    if (!owner)
        return nullptr;
    if (const auto it = m_byEntity.find(owner); it != m_byEntity.end())
        return &m_groups[it->second];
    return ByMemberKey(owner->m_otherPairs);
}

const MapGroup* CMapGroups::InnermostOf(const CPointEntity& entity) const {
    if (const auto it = m_byEntity.find(&entity); it != m_byEntity.end())
        return &m_groups[it->second];
    return ByMemberKey(entity.m_otherPairs);
}

const MapGroup* CMapGroups::OutermostClosed(const MapGroup* innermost,
                                            std::string_view open) const {
    const MapGroup* inside = nullptr;
    // A file may nest groups in a ring: no chain is longer than all groups.
    for (size_t steps = 0; innermost && steps <= m_groups.size(); ++steps) {
        if (innermost->id == open)
            return inside;
        inside = innermost;
        innermost = innermost->parent.empty() ? nullptr : Find(innermost->parent);
    }
    return inside;
}

bool CMapGroups::Holds(const MapGroup* innermost, std::string_view id) const {
    for (size_t steps = 0; innermost && steps <= m_groups.size(); ++steps) {
        if (innermost->id == id)
            return true;
        innermost = innermost->parent.empty() ? nullptr : Find(innermost->parent);
    }
    return false;
}

void CMapGroups::AddToSet(const MapGroup& group, EditMode mode, CSelectionSet& set) const {
    std::unordered_set<const MapGroup*> seen;
    std::vector<const MapGroup*> waiting{&group};
    auto addBrushes = [&](const CModelEntity* entity) {
        if (mode != kBrushMode)
            return;
        for (const auto& brush : entity->m_brushes)
            set.Add(*brush, CSelectionSet::kWholeBrush);
    };
    auto addPoint = [&](CPointEntity* entity) {
        if (mode == kEntityMode)
            set.Add(*entity);
    };
    while (!waiting.empty()) {
        const MapGroup* next = waiting.back();
        waiting.pop_back();
        if (!seen.insert(next).second)
            continue;
        if (next->brushEntity)
            addBrushes(next->brushEntity);
        for (const CModelEntity* member : next->memberEntities) {
            if (const auto it = m_byEntity.find(member); it != m_byEntity.end())
                waiting.push_back(&m_groups[it->second]);
            else
                addBrushes(member);
        }
        for (CPointEntity* member : next->memberPoints) {
            if (const auto it = m_byEntity.find(member); it != m_byEntity.end())
                waiting.push_back(&m_groups[it->second]);
            else
                addPoint(member);
        }
    }
}

std::string CMapGroups::FreshId() const {
    return std::to_string(m_largestId + 1);
}

CSelectionSet WithClosedGroups(const CTolveDoc& doc, const CSelectionSet& set) {
    const CEditorState& state = doc.GetEditorState();
    const EditMode mode = state.GetEditMode();
    if (mode != kBrushMode && mode != kEntityMode)
        return set;
    const CMapGroups groups(doc);
    if (groups.GetGroups().empty())
        return set;
    CSelectionSet whole = set;
    auto take = [&](const MapGroup* innermost) {
        if (const MapGroup* group = groups.OutermostClosed(innermost, state.GetOpenGroup()))
            groups.AddToSet(*group, mode, whole);
    };
    if (mode == kBrushMode) {
        ForEachBrushInSet(doc, set, [&](CModelEntity* owner, CMapBrush&, uint64_t) {
            take(groups.InnermostOf(owner));
        });
    } else {
        for (CPointEntity* entity : set.GetPointEntities())
            take(groups.InnermostOf(*entity));
    }
    return whole;
}

void GiveGroupsFreshIds(const CTolveDoc& doc, MapFragment& fragment) {
    std::unordered_map<std::string, std::string> renamed;
    long long next = std::stoll(CMapGroups(doc).FreshId());
    auto rename = [&](const std::string& classname, CustomPairList& pairs) {
        if (!IsGroupEntity(classname, pairs))
            return;
        std::string id = std::to_string(next++);
        renamed.emplace(*ValueOfPair(pairs, kGroupIdKey), id);
        SetPair(pairs, kGroupIdKey, std::move(id));
    };
    for (auto& entity : fragment.modelEntities)
        rename(entity->m_classname, entity->m_otherPairs);
    for (auto& entity : fragment.pointEntities)
        rename(entity->m_classname, entity->m_otherPairs);
    if (renamed.empty())
        return;
    // Members whose group came along join the copy; the others stay in the
    // group they were copied from.
    auto follow = [&](CustomPairList& pairs) {
        const std::string* group = ValueOfPair(pairs, kGroupMemberKey);
        if (!group)
            return;
        if (const auto it = renamed.find(*group); it != renamed.end())
            SetPair(pairs, kGroupMemberKey, it->second);
    };
    for (auto& entity : fragment.modelEntities)
        follow(entity->m_otherPairs);
    for (auto& entity : fragment.pointEntities)
        follow(entity->m_otherPairs);
}
