#pragma once

#include "map/CEditorState.h"
#include "map/CSelectionSet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CMapBrush;
class CModelEntity;
class CPointEntity;
class CTolveDoc;

// What Find looks for: entities by class name or by a key's value, or
// brushes with faces of a texture. Names and texts compare without regard to
// case, as the game and the texture files take them; a number test takes the
// whole value as one number.
enum class FindBy : uint8_t { kClassName, kKeyValue, kTexture };
enum class ValueTest : uint8_t { kIs, kContains, kNumberEqual, kNumberBelow, kNumberAbove };

struct FindQuery {
    FindBy by = FindBy::kClassName;
    std::string key; // for kKeyValue
    std::string text;
    ValueTest test = ValueTest::kIs;
};

// Why the query cannot be run ("Type a number to compare with."), or nothing.
std::optional<std::string> FindQueryProblem(const FindQuery& query);

// One thing found: a point entity, a brush entity, or a brush (with the
// number of its faces that have the texture).
struct FoundObject {
    CPointEntity* pointEntity = nullptr;
    CModelEntity* modelEntity = nullptr;
    CMapBrush* brush = nullptr;
    CModelEntity* owner = nullptr; // the brush's; null: the world
    int faces = 0;
    // Counted as the file and the compilers count them: the entity, or the
    // brush's, the world being entity 0; the brush within it from 1.
    size_t entityNumber = 0;
    size_t brushNumber = 0;

    friend bool operator==(const FoundObject&, const FoundObject&) = default;
};

// Entities in map order; brushes in map order, the world's first.
std::vector<FoundObject> FindObjects(const CTolveDoc& doc, const FindQuery& query);

// The entities an entity's "target" and "killtarget" name, and those whose
// "target" or "killtarget" names its "targetname".
std::vector<FoundObject> FindTargetsOf(const CTolveDoc& doc, const FoundObject& entity);
std::vector<FoundObject> FindTargetersOf(const CTolveDoc& doc, const FoundObject& entity);

// The entity as the map holds it now (its number may have changed), or
// nothing when it left the map. Only compares addresses.
std::optional<FoundObject> FindEntityAgain(const CTolveDoc& doc, const FoundObject& entity);

// The entity the set holds alone (a point entity, or every brush of one brush
// entity), for a search of its targets.
std::optional<FoundObject> EntityOfSet(const CTolveDoc& doc, const CSelectionSet& set);

// "entity 7 (light) "door3"", or "entity 0 (worldspawn), brush 3: 2 faces".
std::string DescribeFound(const FoundObject& found);

// The mode that chooses the objects: a point entity is chosen in entity
// mode, brushes and brush entities (as their brushes) in brush mode.
EditMode ModeForFound(const std::vector<FoundObject>& found);
// What selecting the objects chooses in `mode`: point entities in entity
// mode; every brush of the brush entities and the brushes found in brush
// mode. Objects of the other mode are left out.
CSelectionSet SelectionOfFound(const std::vector<FoundObject>& found, EditMode mode);
