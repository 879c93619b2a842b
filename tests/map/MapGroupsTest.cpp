#include "map/MapGroups.h"
#include "map/CMapTransaction.h"
#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"
#include "map/GroupEdits.h"
#include "map/SelectionSetEdits.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// What the file itself says of a group: its name, its own brushes and the
// entities that name it.
struct CountedGroup {
    std::string name;
    size_t brushes = 0;
    size_t members = 0;

    friend bool operator==(const CountedGroup&, const CountedGroup&) = default;
};

// Counts the groups of map text line by line, apart from the reader: an
// entity opens at depth 0, a brush at depth 1.
std::map<std::string, CountedGroup> CountGroupsInText(const std::string& text) {
    struct Entity {
        std::map<std::string, std::string> keys;
        size_t brushes = 0;
    };
    std::vector<Entity> entities;
    std::istringstream lines(text);
    std::string line;
    int depth = 0;
    while (std::getline(lines, line)) {
        if (line == "{") {
            if (depth == 0)
                entities.emplace_back();
            else
                ++entities.back().brushes;
            ++depth;
        } else if (line == "}") {
            --depth;
        } else if (depth == 1 && line.size() > 4 && line.front() == '"' && line.back() == '"') {
            // "key" "value": the key ends at the first quote after its opening one.
            const size_t keyEnd = line.find('"', 1);
            if (line.compare(keyEnd, 3, "\" \"") == 0)
                entities.back().keys[line.substr(1, keyEnd - 1)] =
                    line.substr(keyEnd + 3, line.size() - keyEnd - 4);
        }
    }
    std::map<std::string, CountedGroup> groups;
    for (Entity& entity : entities) {
        if (entity.keys["classname"] == "func_group" && entity.keys["_tb_type"] == "_tb_group")
            groups[entity.keys["_tb_id"]] = {entity.keys["_tb_name"], entity.brushes, 0};
    }
    for (Entity& entity : entities) {
        if (entity.keys.contains("_tb_group"))
            ++groups.at(entity.keys["_tb_group"]).members;
    }
    return groups;
}

std::map<std::string, CountedGroup> GroupsOf(const CTolveDoc& doc) {
    std::map<std::string, CountedGroup> groups;
    const CMapGroups found(doc);
    for (const MapGroup& group : found.GetGroups()) {
        groups[group.id] = {group.name, group.brushEntity ? group.brushEntity->m_brushes.size() : 0,
                            group.memberEntities.size() + group.memberPoints.size()};
    }
    return groups;
}

TEST(MapGroups, GroupsOfAnotherProgramReadAsTheFileHoldsThemAndSaveUnchanged) {
    const std::string original = ReadFileText(TestDataPath("maps/ericw_q1_tjunc_matrix.map"));
    const std::map<std::string, CountedGroup> counted = CountGroupsInText(original);
    ASSERT_EQ(counted.size(), 18u);
    std::unique_ptr<ReadMap> read = Read(original);
    EXPECT_EQ(GroupsOf(*read->doc), counted);

    CTempDir dir;
    const std::filesystem::path path = dir.Path("saved.map");
    ASSERT_FALSE(read->doc->WriteMapFile(path.string()));
    EXPECT_EQ(ReadFileText(path), original);
}

// Two world cubes side by side, a third apart, a door of two brushes and a
// light.
std::string RoomText() {
    return "{\n\"classname\" \"worldspawn\"\n{\n" + BoxFaceLines(-64, 64, "wall") + "}\n{\n" +
           BoxFaceLines(64, 128, "wall") + "}\n{\n" + BoxFaceLines(512, 576, "floor") +
           "}\n}\n{\n\"classname\" \"func_door\"\n{\n" + BoxFaceLines(256, 320, "door") + "}\n{\n" +
           BoxFaceLines(320, 384, "door") +
           "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 100\"\n}\n";
}

CSelectionSet WholeBrushes(std::initializer_list<const CMapBrush*> brushes) {
    CSelectionSet set;
    for (const CMapBrush* brush : brushes)
        set.Add(const_cast<CMapBrush&>(*brush), CSelectionSet::kWholeBrush);
    return set;
}

// The brushes the compilers build the world from (the world's and those of
// every "func_group"), each as its sorted corners, sorted.
using Corner = std::tuple<int32_t, int32_t, int32_t>;

std::vector<std::vector<Corner>> CompiledWorld(const CTolveDoc& doc) {
    std::vector<std::vector<Corner>> shapes;
    auto add = [&](const BrushList& brushes) {
        for (const auto& brush : brushes) {
            std::vector<Corner> corners;
            for (int v = 0; v < brush->m_numVertices; ++v) {
                const IntPoint& p = brush->m_vertices[v];
                corners.emplace_back(p.x, p.y, p.z);
            }
            std::sort(corners.begin(), corners.end());
            shapes.push_back(std::move(corners));
        }
    };
    add(doc.GetWorldBrushes());
    for (const auto& entity : doc.GetModelEntities()) {
        if (entity->m_classname == "func_group")
            add(entity->m_brushes);
    }
    std::sort(shapes.begin(), shapes.end());
    return shapes;
}

template <class Edit> GroupOutcome RunStep(CTolveDoc& doc, const char* name, Edit&& edit) {
    CMapTransaction transaction(doc, name);
    GroupOutcome outcome = edit(transaction.Edits());
    transaction.Commit();
    return outcome;
}

class GroupMade : public ::testing::TestWithParam<bool> {};

TEST_P(GroupMade, IsWrittenWithItsKeysReadBackAndUngroupsAsOneStepEach) {
    std::unique_ptr<ReadMap> read = Read(RoomText());
    CTolveDoc& doc = *read->doc;
    doc.m_keepLayout = GetParam();
    doc.GetEditorState().SetEditMode(kBrushMode);
    const std::string original = MapText(doc);
    const auto world = CompiledWorld(doc);
    const BrushList& brushes = doc.GetWorldBrushes();
    const CSelectionSet pair = WholeBrushes({brushes[0].get(), brushes[1].get()});

    const GroupOutcome grouped = RunStep(
        doc, "Group", [&](CMapEdits& edits) { return GroupObjects(edits, doc, pair, "Pillars"); });
    ASSERT_EQ(grouped.refusal, "");
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 1u);
    EXPECT_EQ(doc.GetHistory().GetUndoName(), "Group");
    EXPECT_EQ(CompiledWorld(doc), world);

    CTempDir dir;
    const std::filesystem::path path = dir.Path("grouped.map");
    ASSERT_FALSE(doc.WriteMapFile(path.string()));
    const std::string saved = ReadFileText(path);
    // The whole map written anew is indented; the file's own layout is not.
    std::string keys = saved;
    std::erase(keys, '\t');
    EXPECT_NE(keys.find("\"classname\" \"func_group\"\n\"_tb_type\" \"_tb_group\"\n"
                        "\"_tb_name\" \"Pillars\"\n\"_tb_id\" \"1\"\n"),
              std::string::npos)
        << saved;
    std::unique_ptr<ReadMap> reread = Read(saved);
    EXPECT_EQ(GroupsOf(*reread->doc),
              (std::map<std::string, CountedGroup>{{"1", {"Pillars", 2, 0}}}));
    EXPECT_EQ(CompiledWorld(*reread->doc), world);

    // The selection after Group: the same brushes, now the group's.
    const GroupOutcome ungrouped =
        RunStep(doc, "Ungroup", [&](CMapEdits& edits) { return UngroupObjects(edits, doc, pair); });
    EXPECT_EQ(ungrouped.groups, std::vector<std::string>{"1"});
    EXPECT_EQ(doc.GetHistory().GetStepCount(), 2u);
    EXPECT_TRUE(CMapGroups(doc).GetGroups().empty());
    EXPECT_EQ(doc.GetModelEntities().size(), 1u);
    EXPECT_EQ(doc.GetWorldBrushes().size(), 3u);
    EXPECT_EQ(CompiledWorld(doc), world);

    doc.GetHistory().Undo(doc);
    EXPECT_EQ(GroupsOf(doc).size(), 1u);
    doc.GetHistory().Undo(doc);
    EXPECT_EQ(MapText(doc), original);
}

INSTANTIATE_TEST_SUITE_P(KeepLayout, GroupMade, ::testing::Bool());

TEST(GroupEdits, RefusesPartOfABrushEntityAndLeavesTheMapAsItWas) {
    std::unique_ptr<ReadMap> read = Read(RoomText());
    CTolveDoc& doc = *read->doc;
    doc.GetEditorState().SetEditMode(kBrushMode);
    const std::string original = MapText(doc);
    const CModelEntity& door = *doc.GetModelEntities()[0];
    const CSelectionSet set =
        WholeBrushes({doc.GetWorldBrushes()[0].get(), door.m_brushes[0].get()});
    CMapTransaction transaction(doc, "Group");
    EXPECT_NE(GroupObjects(transaction.Edits(), doc, set, "Part").refusal, "");
    transaction.RollBack();
    EXPECT_EQ(MapText(doc), original);
}

// Group "Outer" (1) holds a brush of its own and group "Inner" (2), which
// holds one brush and a door.
constexpr const char* kNestedGroupsMap = R"({
"classname" "worldspawn"
}
{
"classname" "func_group"
"_tb_type" "_tb_group"
"_tb_name" "Outer"
"_tb_id" "1"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
{
"classname" "func_group"
"_tb_type" "_tb_group"
"_tb_name" "Inner"
"_tb_id" "2"
"_tb_group" "1"
{
( 128 0 1 ) ( 128 -1 0 ) ( 128 0 0 ) wall 0 0 0 1 1
( 192 0 1 ) ( 192 1 0 ) ( 192 0 0 ) wall 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
{
"classname" "func_door"
"_tb_group" "2"
{
( 256 0 1 ) ( 256 -1 0 ) ( 256 0 0 ) door 0 0 0 1 1
( 320 0 1 ) ( 320 1 0 ) ( 320 0 0 ) door 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) door 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) door 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) door 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) door 0 0 0 1 1
}
}
)";

struct OpenGroupCase {
    const char* open;
    size_t selected; // brushes a click on the door's brush selects
};

class ClickInNestedGroups : public ::testing::TestWithParam<OpenGroupCase> {};

TEST_P(ClickInNestedGroups, SelectsTheOutermostClosedGroupWhole) {
    std::unique_ptr<ReadMap> read = Read(kNestedGroupsMap);
    CTolveDoc& doc = *read->doc;
    CEditorState& state = doc.GetEditorState();
    state.SetEditMode(kBrushMode);
    state.SetOpenGroup(GetParam().open);
    CModelEntity& door = *doc.GetModelEntities()[2];
    HoverSelection hover;
    hover.entity = &door;
    hover.brush = door.m_brushes[0].get();
    state.SetHover(hover);
    ASSERT_TRUE(state.ToggleHoverInSet());
    EXPECT_EQ(state.GetSelectionSet().GetBrushes().size(), GetParam().selected);
    ASSERT_TRUE(state.ToggleHoverInSet());
    EXPECT_TRUE(state.GetSelectionSet().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(OpenGroups, ClickInNestedGroups,
                         ::testing::Values(OpenGroupCase{"", 3}, OpenGroupCase{"1", 2},
                                           OpenGroupCase{"2", 1}));

TEST(GroupEdits, UngroupOfANestedGroupGivesItsObjectsToTheGroupAroundIt) {
    std::unique_ptr<ReadMap> read = Read(kNestedGroupsMap);
    CTolveDoc& doc = *read->doc;
    doc.GetEditorState().SetEditMode(kBrushMode);
    doc.GetEditorState().SetOpenGroup("1");
    const auto world = CompiledWorld(doc);
    CModelEntity& inner = *doc.GetModelEntities()[1];
    RunStep(doc, "Ungroup", [&](CMapEdits& edits) {
        return UngroupObjects(edits, doc, WholeBrushes({inner.m_brushes[0].get()}));
    });
    EXPECT_EQ(GroupsOf(doc), (std::map<std::string, CountedGroup>{{"1", {"Outer", 2, 1}}}));
    EXPECT_EQ(CompiledWorld(doc), world);
}

enum class CopyWay { kDuplicate, kPaste };

class GroupCopy : public ::testing::TestWithParam<CopyWay> {};

TEST_P(GroupCopy, OfAWholeGroupIsANewGroupWithAFreshId) {
    std::unique_ptr<ReadMap> read = Read(kNestedGroupsMap);
    CTolveDoc& doc = *read->doc;
    doc.GetEditorState().SetEditMode(kBrushMode);
    const CSelectionSet outer =
        WithClosedGroups(doc, WholeBrushes({doc.GetModelEntities()[0]->m_brushes[0].get()}));
    ASSERT_EQ(outer.GetBrushes().size(), 3u);
    CMapTransaction transaction(doc, "Copy");
    if (GetParam() == CopyWay::kDuplicate) {
        DuplicateObjects(transaction.Edits(), doc, outer, kBrushMode, IntPoint(0, 512, 0));
    } else {
        AddFragmentAsSet(transaction.Edits(), doc, FragmentOfSet(doc, outer, kBrushMode),
                         kBrushMode);
    }
    transaction.Commit();
    EXPECT_EQ(GroupsOf(doc), (std::map<std::string, CountedGroup>{{"1", {"Outer", 1, 1}},
                                                                  {"2", {"Inner", 1, 1}},
                                                                  {"3", {"Outer", 1, 1}},
                                                                  {"4", {"Inner", 1, 1}}}));
    const CMapGroups groups(doc);
    EXPECT_EQ(groups.Find("4")->parent, "3");
}

INSTANTIATE_TEST_SUITE_P(Ways, GroupCopy, ::testing::Values(CopyWay::kDuplicate, CopyWay::kPaste));

} // namespace
