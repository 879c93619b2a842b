#pragma once

#include "map/CSelectionSet.h"

#include <string>
#include <vector>

class CMapEdits;
class CTolveDoc;

// What Group or Ungroup did: a refusal, which leaves the map as it was, or
// the ids of the groups made or undone.
struct GroupOutcome {
    std::string refusal;
    std::vector<std::string> groups;
};

// A name no group of the map has: "Group 1", "Group 2"...
std::string NewGroupName(const CTolveDoc& doc);

// Makes the objects of the set (brush or entity mode) a new group named
// `name`, inside the open group if one is open. Selected world brushes (and
// brushes of the open group) move into the group's own "func_group"; brush
// entities, point entities and closed groups join it by "_tb_group", and only
// whole: a brush entity of which only some brushes are selected is refused,
// as it cannot be split between groups without changing what it does.
GroupOutcome GroupObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set,
                          const std::string& name);

// Undoes the closed groups the set holds objects of: their own brushes go
// back to the world (or to the group around them), their members leave them
// for the group around them, and the groups' entities go.
GroupOutcome UngroupObjects(CMapEdits& edits, CTolveDoc& doc, const CSelectionSet& set);
