#pragma once

#include "map/CEditorState.h"
#include "map/CModelEntity.h"
#include "map/CPointEntity.h"
#include "map/CSelectionSet.h"
#include "map/CustomPair.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CTolveDoc;
struct MapFragment;

// Groups as the compilers and other tools write them: a "func_group" entity
// with "_tb_type" "_tb_group", a "_tb_name" and a "_tb_id". Its members are
// its own brushes and the entities (nested groups among them) that name its id
// in "_tb_group". The compilers put the brushes of a "func_group" into the
// world, so grouping never changes the geometry they build.
inline constexpr const char* kGroupClass = "func_group";
inline constexpr const char* kGroupTypeKey = "_tb_type";
inline constexpr const char* kGroupTypeValue = "_tb_group";
inline constexpr const char* kGroupNameKey = "_tb_name";
inline constexpr const char* kGroupIdKey = "_tb_id";
inline constexpr const char* kGroupMemberKey = "_tb_group";

// The value of the first pair named `key`, or null.
const std::string* ValueOfPair(const CustomPairList& pairs, std::string_view key);
// Gives the first pair named `key` the value, or appends one.
void SetPair(CustomPairList& pairs, std::string_view key, std::string value);
// Takes every pair named `key` away.
void RemovePair(CustomPairList& pairs, std::string_view key);

// Whether an entity of this class and these pairs stands for a group.
bool IsGroupEntity(const std::string& classname, const CustomPairList& pairs);

// One group of a map. The entity standing for it is a brush entity while it
// has brushes of its own, else a point entity without an origin.
struct MapGroup {
    std::string id;
    std::string name;
    CModelEntity* brushEntity = nullptr;
    CPointEntity* pointEntity = nullptr;
    // The id of the group this one is in; empty at the top.
    std::string parent;
    std::vector<CModelEntity*> memberEntities; // brush entities naming the group
    std::vector<CPointEntity*> memberPoints;   // point entities naming the group
};

// The groups of a map as they are now; made anew after any change.
class CMapGroups {
public:
    explicit CMapGroups(const CTolveDoc& doc);

    const std::vector<MapGroup>& GetGroups() const { return m_groups; }
    const MapGroup* Find(std::string_view id) const;
    // The innermost group a brush of `owner` (null: the world) is in.
    const MapGroup* InnermostOf(const CModelEntity* owner) const;
    const MapGroup* InnermostOf(const CPointEntity& entity) const;
    // What a click on an object in `innermost` takes whole while the group
    // `open` is open: the group just inside the open one, or the outermost
    // group when the open one is not around the object. Null when the object
    // lies straight inside the open group, and so stands alone.
    const MapGroup* OutermostClosed(const MapGroup* innermost, std::string_view open) const;
    // Whether the chain of groups from `innermost` outward holds the group
    // `id`.
    bool Holds(const MapGroup* innermost, std::string_view id) const;
    // The whole brushes (brush mode) or point entities (entity mode) of the
    // group and of the groups inside it.
    void AddToSet(const MapGroup& group, EditMode mode, CSelectionSet& set) const;
    // An id no entity of the map has yet.
    std::string FreshId() const;

private:
    const MapGroup* ByMemberKey(const CustomPairList& pairs) const;

    std::vector<MapGroup> m_groups;
    std::unordered_map<std::string, size_t> m_byId;
    std::unordered_map<const void*, size_t> m_byEntity; // the entity standing for a group
    long long m_largestId = 0;
};

// What a click on the hovered object takes in brush or entity mode: its
// outermost closed group whole, else just the object (see OutermostClosed).
CSelectionSet WithClosedGroups(const CTolveDoc& doc, const CSelectionSet& set);

// Copies of groups on their way into the map (Duplicate, Paste) get ids of
// their own, and their copied members follow.
void GiveGroupsFreshIds(const CTolveDoc& doc, MapFragment& fragment);
