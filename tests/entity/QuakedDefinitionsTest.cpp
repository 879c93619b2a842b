#include "entity/EntityDefinitions.h"

#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> FlagTexts(const EntityClassDefinition& definition) {
    std::vector<std::string> texts;
    for (const FlagDefinition& flag : definition.flags)
        texts.push_back(std::to_string(flag.bit) + "=" + flag.caption);
    return texts;
}

TEST(QuakedDefinitions, PointAndBrushClassesWithScaledColoursAndDescriptions) {
    CEntityDefinitions definitions;
    definitions.ReadQuaked(R"text(void() monster_ogre = { };
/*QUAKED monster_ogre (1 0 .5) (-32 -32 -24.5) (32 32 64) AMBUSH x x X SPAWN_SILENT
{ model(":progs/ogre.mdl"); }
  Ogre, 200 health points.

Flags: "ambush"  
*/
// text between the comments is passed over
/*QUAKED func_door (0 .5 .8) ? START_OPEN
   A door.
*/
/*QUAKED info_null (0.3 0.1 0.6) (-4 -4 -4) (4 4 4) */
/*QUAKED light_fixture (0 1 0) (-8 -8 -8) (8 8 24)
{
    model(":progs/fixture1.mdl");
}
Wall light.
*/)text",
                           "mod.qc");
    EXPECT_TRUE(definitions.GetProblems().empty());
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kPoint),
                ElementsAre("monster_ogre", "info_null", "light_fixture"));
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kBrush), ElementsAre("func_door"));

    const EntityClassDefinition& ogre = *definitions.Find("monster_ogre");
    EXPECT_EQ(ogre.line, 2);
    EXPECT_EQ(ogre.file, "mod.qc");
    EXPECT_EQ(ogre.colour, (DefinitionColour{255, 0, 128}));
    EXPECT_EQ(ogre.size, (DefinitionSize{{-32, -32, -25}, {32, 32, 64}}));
    // "x" keeps its bit without a flag.
    EXPECT_THAT(FlagTexts(ogre), ElementsAre("1=AMBUSH", "16=SPAWN_SILENT"));
    EXPECT_EQ(ogre.description, "Ogre, 200 health points.\n\nFlags: \"ambush\"");
    EXPECT_TRUE(ogre.keys.empty());

    const EntityClassDefinition& door = *definitions.Find("func_door");
    EXPECT_EQ(door.line, 9);
    EXPECT_FALSE(door.size.has_value());
    EXPECT_EQ(door.colour, (DefinitionColour{0, 128, 204}));
    EXPECT_THAT(FlagTexts(door), ElementsAre("1=START_OPEN"));
    EXPECT_EQ(door.description, "A door.");

    EXPECT_EQ(definitions.Find("info_null")->colour, (DefinitionColour{77, 26, 153}));
    EXPECT_EQ(definitions.Find("info_null")->description, "");
    EXPECT_EQ(definitions.Find("light_fixture")->description, "Wall light.");
    EXPECT_EQ(definitions.Find("light_fixture")->line, 13);
}

TEST(QuakedDefinitions, AHeaderThatCannotBeReadIsAProblemAndTheCommentIsSkipped) {
    CEntityDefinitions definitions;
    definitions.ReadQuaked("/*QUAKED good (1 0 0) ?\n*/\n"
                           "/*QUAKED no_colour ? A\n*/\n"
                           "/*QUAKED half_size (1 0 0) (-8 -8 -8)\n*/\n"
                           "/*QUAKED bad_number (1 0 0) (-8 -8 a) (8 8 8)\n*/\n"
                           "/*QUAKED\n*/\n"
                           "/*QUAKED short (1 0) ?\n*/\n"
                           "/*QUAKED also_good (1 1 1) (0 0 0) (1 1 1) A\n*/",
                           "broken.def");
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kBrush), ElementsAre("good"));
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kPoint), ElementsAre("also_good"));
    std::vector<int> lines;
    for (const DefinitionProblem& problem : definitions.GetProblems()) {
        EXPECT_EQ(problem.file, "broken.def");
        lines.push_back(problem.line);
    }
    EXPECT_THAT(lines, ElementsAre(3, 5, 7, 9, 11));
    EXPECT_THAT(definitions.GetProblems()[0].message, HasSubstr("colour of \"no_colour\""));
    EXPECT_THAT(definitions.GetProblems()[1].message, HasSubstr("size of \"half_size\""));
}

// Each comment left open used to run to the end of the file, every later
// comment in its description: thousands of them took gigabytes.
TEST(QuakedDefinitions, ACommentLeftOpenEndsAtTheNextAndIsAProblem) {
    CEntityDefinitions definitions;
    definitions.ReadQuaked("/*QUAKED first (1 0 0) ?\nFirst.\n"
                           "/*QUAKED second (1 0 0) ?\nSecond.\n*/\n"
                           "/*QUAKED last (1 0 0) ?\nLast.\n",
                           "open.def");
    EXPECT_EQ(definitions.Find("first")->description, "First.");
    EXPECT_EQ(definitions.Find("second")->description, "Second.");
    EXPECT_EQ(definitions.Find("last")->description, "Last.");
    EXPECT_THAT(definitions.GetProblems(),
                ElementsAre(DefinitionProblem{"open.def", 1,
                                              "the QUAKED comment of \"first\" is not closed "
                                              "before the next one"},
                            DefinitionProblem{"open.def", 6,
                                              "the QUAKED comment of \"last\" is not closed at "
                                              "the end of the file"}));
}

TEST(QuakedDefinitions, FlagWordsReachTheLastBitOfSpawnflags) {
    std::string header = "/*QUAKED many (1 0 0) ?";
    for (int bit = 0; bit < 31; ++bit)
        header += " x";
    CEntityDefinitions definitions;
    definitions.ReadQuaked(header + " LAST\n*/\n" + header + " LAST ONE_TOO_MANY\n*/\n",
                           "bits.def");
    ASSERT_NE(definitions.Find("many"), nullptr);
    EXPECT_THAT(FlagTexts(*definitions.Find("many")), ElementsAre("2147483648=LAST"));
    ASSERT_EQ(definitions.GetProblems().size(), 1u);
    EXPECT_EQ(definitions.GetProblems()[0].line, 3);
}

TEST(QuakedDefinitions, TheRubiconDefReadsWithoutAProblem) {
    CEntityDefinitions definitions;
    ASSERT_TRUE(definitions.ReadFile(TestDataPath("defs/tb_Rubicon2.def").string()));
    EXPECT_TRUE(definitions.GetProblems().empty());
    EXPECT_EQ(definitions.GetClasses().size(), 123u);

    const EntityClassDefinition& ogre = *definitions.Find("monster_ogre");
    EXPECT_EQ(ogre.size, (DefinitionSize{{-32, -32, -24}, {32, 32, 64}}));
    EXPECT_EQ(ogre.colour, (DefinitionColour{255, 0, 0}));
    EXPECT_THAT(FlagTexts(ogre), ElementsAre("1=AMBUSH", "64=SPAWN_TRIGGERED", "128=SPAWN_SILENT"));
    EXPECT_TRUE(ogre.description.starts_with("Ogre, 200 health points.\n\nFlags:"));
    EXPECT_TRUE(ogre.description.ends_with("monster getting angry"));

    const EntityClassDefinition& laser = *definitions.Find("func_laser");
    EXPECT_EQ(laser.kind, EntityClassKind::kBrush);
    EXPECT_THAT(FlagTexts(laser), ElementsAre("1=START_OFF", "2=LASER_SOLID"));
    EXPECT_EQ(laser.line, 33);
    EXPECT_EQ(definitions.Find("weapon_axe")->description, "Axe.");
    EXPECT_EQ(definitions.Find("worldspawn")->kind, EntityClassKind::kBrush);
}

} // namespace
