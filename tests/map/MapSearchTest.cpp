#include "map/MapSearch.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Counts what a query should find straight from the file's lines, as a
// script would: entities by their pairs, brushes by their face lines.
size_t CountInText(const std::string& text, const FindQuery& query) {
    std::istringstream lines(text);
    std::string line;
    int depth = 0;
    size_t count = 0;
    std::vector<std::pair<std::string, std::string>> pairs;
    bool brushHasTexture = false;
    bool world = true;
    while (std::getline(lines, line)) {
        line.erase(0, line.find_first_not_of(" \t"));
        if (line.starts_with("{")) {
            ++depth;
            brushHasTexture = false;
        } else if (line.starts_with("}")) {
            if (depth == 2 && brushHasTexture && query.by == FindBy::kTexture)
                ++count;
            if (depth == 1 && query.by != FindBy::kTexture && !world) {
                const std::string key = query.by == FindBy::kClassName ? "classname" : query.key;
                std::string value;
                bool present = false;
                for (const auto& [k, v] : pairs) {
                    if (k == key)
                        value = v, present = true;
                }
                if (present) {
                    const double number = std::atof(value.c_str()),
                                 wanted = std::atof(query.text.c_str());
                    count += query.test == ValueTest::kIs ? Lowered(value) == Lowered(query.text)
                             : query.test == ValueTest::kNumberAbove
                                 ? number > wanted
                                 : Lowered(value).find(Lowered(query.text)) != std::string::npos;
                }
            }
            if (depth == 1) {
                pairs.clear();
                world = false;
            }
            --depth;
        } else if (depth == 1 && line.starts_with("\"")) {
            const size_t keyEnd = line.find('"', 1);
            const size_t valueBegin = line.find('"', keyEnd + 1) + 1;
            pairs.emplace_back(line.substr(1, keyEnd - 1),
                               line.substr(valueBegin, line.rfind('"') - valueBegin));
        } else if (depth == 2 && line.starts_with("(")) {
            std::istringstream words(line.substr(line.rfind(')') + 1));
            std::string texture;
            words >> texture;
            brushHasTexture |= Lowered(texture) == Lowered(query.text);
        }
    }
    return count;
}

struct FindCase {
    const char* file;
    FindQuery query;
};

class FindInRealMap : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindInRealMap, FindsWhatCountingTheFileFinds) {
    const std::string text = ReadFileText(TestDataPath(GetParam().file));
    const std::unique_ptr<ReadMap> read = Read(text);
    const FindQuery& query = GetParam().query;
    const size_t expected = CountInText(text, query);
    EXPECT_GT(expected, 0u);
    const std::vector<FoundObject> found = FindObjects(*read->doc, query);
    EXPECT_EQ(found.size(), expected);
    // What is found is chosen in its mode: each brush, or each point entity.
    const CSelectionSet set = SelectionOfFound(found, ModeForFound(found));
    if (query.by == FindBy::kTexture) {
        EXPECT_EQ(set.GetBrushes().size(), found.size());
    } else {
        EXPECT_EQ(set.GetPointEntities().size(),
                  std::count_if(found.begin(), found.end(),
                                [](const FoundObject& o) { return o.pointEntity != nullptr; }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    MapSearch, FindInRealMap,
    ::testing::Values(
        FindCase{"maps/id_e1m1.map", {FindBy::kClassName, "", "LIGHT", ValueTest::kIs}},
        FindCase{"maps/id_e1m1.map", {FindBy::kKeyValue, "style", "10", ValueTest::kIs}},
        FindCase{"maps/id_e1m1.map", {FindBy::kKeyValue, "light", "200", ValueTest::kNumberAbove}},
        FindCase{"maps/id_e1m1.map",
                 {FindBy::kKeyValue, "classname", "monster", ValueTest::kContains}},
        FindCase{"maps/id_e1m1.map", {FindBy::kTexture, "", "tech04_3", ValueTest::kIs}},
        FindCase{"maps/lq_castellated.map",
                 {FindBy::kKeyValue, "targetname", "t", ValueTest::kContains}},
        FindCase{"maps-valve/ericw_q1_detail_fence.map",
                 {FindBy::kTexture, "", "skip", ValueTest::kIs}}));

// A button targets a door, which a trigger also kills; the door's brushes
// are what choosing it chooses.
TEST(MapSearch, FollowsTargetsBothWays) {
    const std::unique_ptr<ReadMap> read = Read(
        "{\n\"classname\" \"worldspawn\"\n}\n"
        "{\n\"classname\" \"func_button\"\n\"target\" \"d1\"\n"
        "{\n( 0 0 0 ) ( 0 1 0 ) ( 1 0 0 ) b 0 0 0 1 1\n( 0 0 8 ) ( 1 0 8 ) ( 0 1 8 ) b 0 0 0 1 1\n"
        "( 0 0 0 ) ( 0 0 1 ) ( 0 1 0 ) b 0 0 0 1 1\n( 8 0 0 ) ( 8 1 0 ) ( 8 0 1 ) b 0 0 0 1 1\n"
        "( 0 0 0 ) ( 1 0 0 ) ( 0 0 1 ) b 0 0 0 1 1\n( 0 8 0 ) ( 0 8 1 ) ( 1 8 0 ) b 0 0 0 1 "
        "1\n}\n}\n"
        "{\n\"classname\" \"trigger_relay\"\n\"origin\" \"0 0 0\"\n\"killtarget\" \"d1\"\n}\n"
        "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n\"targetname\" \"d1\"\n\"target\" "
        "\"d2\"\n}\n");
    CTolveDoc& doc = *read->doc;
    const FoundObject button{.modelEntity = doc.GetModelEntities()[0].get(), .entityNumber = 1};
    const std::vector<FoundObject> targets = FindTargetsOf(doc, button);
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].pointEntity, doc.GetPointEntities()[1].get());
    EXPECT_EQ(DescribeFound(targets[0]), "entity 3 (light) \"d1\"");
    const std::vector<FoundObject> targeters = FindTargetersOf(doc, targets[0]);
    ASSERT_EQ(targeters.size(), 2u);
    EXPECT_EQ(targeters[0].modelEntity, button.modelEntity);
    EXPECT_EQ(targeters[1].pointEntity, doc.GetPointEntities()[0].get());
    EXPECT_TRUE(FindTargetsOf(doc, targets[0]).empty()); // nothing is named "d2"

    EXPECT_EQ(ModeForFound(targeters), kEntityMode);
    EXPECT_EQ(SelectionOfFound(targeters, kEntityMode).GetPointEntities().size(), 1u);
    const CSelectionSet chosen = SelectionOfFound({button}, ModeForFound({button}));
    EXPECT_EQ(chosen.GetBrushes().size(), 1u);
    const std::optional<FoundObject> entity = EntityOfSet(doc, chosen);
    ASSERT_TRUE(entity);
    EXPECT_EQ(entity->modelEntity, button.modelEntity);
    EXPECT_EQ(EntityOfSet(doc, SelectionOfFound(targeters, kEntityMode))->pointEntity,
              targeters[1].pointEntity);
    EXPECT_FALSE(EntityOfSet(doc, CSelectionSet()));
}

TEST(MapSearch, RefusesQueriesItCannotRun) {
    EXPECT_TRUE(FindQueryProblem({FindBy::kKeyValue, "light", "bright", ValueTest::kNumberAbove}));
    EXPECT_TRUE(FindQueryProblem({FindBy::kKeyValue, "", "1", ValueTest::kIs}));
    EXPECT_TRUE(FindQueryProblem({FindBy::kTexture, "", "", ValueTest::kIs}));
    EXPECT_FALSE(FindQueryProblem({FindBy::kKeyValue, "message", "", ValueTest::kIs}));
}

} // namespace
