#include "entity/EntityDefinitions.h"

#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> KeyNames(const EntityClassDefinition& definition) {
    std::vector<std::string> names;
    for (const KeyDefinition& key : definition.keys)
        names.push_back(key.name);
    return names;
}

// Each flag as "bit=caption".
std::vector<std::string> FlagTexts(const EntityClassDefinition& definition) {
    std::vector<std::string> texts;
    for (const FlagDefinition& flag : definition.flags)
        texts.push_back(std::to_string(flag.bit) + "=" + flag.caption);
    return texts;
}

const EntityClassDefinition& Found(const CEntityDefinitions& definitions, std::string_view name) {
    const EntityClassDefinition* definition = definitions.Find(name);
    EXPECT_NE(definition, nullptr) << name;
    static const EntityClassDefinition kMissing;
    return definition ? *definition : kMissing;
}

const char* const kLayeredFgd = R"text(// three levels of bases
@BaseClass = Targetname [ targetname(target_source) : "Name" ]
@baseclass = Target [
    target(target_destination) : "Target"
    killtarget(target_destination) : "Kill target"
]
@BaseClass base(Targetname) color(10 20 30) = Named
[
    spawnflags(Flags) = [ 256 : "Not on Easy" : 0  512 : "Not on Normal" : 1 : "Hidden" ]
]
@BaseClass base(Named, Target) size(-16 -16 -24, 16 16 32) = Monster
[
    target(string) : "What it fights for"
    spawnflags(flags) = [ 1 : "Ambush" : 0 ]
]
@PointClass base(Monster) size(-32 -32 -24.4, 32 32 63.6) = monster_ogre : "Ogre" + " (big)"
[
    health(integer) : "Health" : 200
    spawnflags(flags) = [ 0 : "Awake" : 0  512 : "Only on Hard" : 0  2 : "Calm" : 1 ]
]
@SolidClass base(Target, Targetname) = func_door : "Door" [ speed(integer) : "Speed" : -1.5 ]
)text";

TEST(FgdDefinitions, ClassesFoldInTheirBasesOverSeveralLevels) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(kLayeredFgd, "layers.fgd");
    EXPECT_TRUE(definitions.GetProblems().empty());
    // Base classes are not offered; the others come in file order.
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kPoint), ElementsAre("monster_ogre"));
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kBrush), ElementsAre("func_door"));
    EXPECT_EQ(definitions.Find("Monster"), nullptr);

    const EntityClassDefinition& ogre = Found(definitions, "monster_ogre");
    EXPECT_EQ(ogre.description, "Ogre (big)");
    EXPECT_EQ(ogre.file, "layers.fgd");
    EXPECT_EQ(ogre.line, 16);
    // Keys of the bases first; Monster's "target" replaced Target's in its place.
    EXPECT_THAT(KeyNames(ogre), ElementsAre("targetname", "target", "killtarget", "health"));
    EXPECT_EQ(ogre.FindKey("target")->caption, "What it fights for");
    EXPECT_EQ(ogre.FindKey("target")->type, "string");
    EXPECT_EQ(ogre.FindKey("targetname")->type, "target_source");
    EXPECT_EQ(ogre.FindKey("health")->defaultValue, "200");
    EXPECT_EQ(ogre.FindKey("spawnflags"), nullptr);
    // Flags of every level by bit, the class's own caption over the base's.
    EXPECT_THAT(FlagTexts(ogre),
                ElementsAre("1=Ambush", "2=Calm", "256=Not on Easy", "512=Only on Hard"));
    EXPECT_TRUE(ogre.FindFlag(2)->onByDefault);
    EXPECT_FALSE(ogre.FindFlag(512)->onByDefault);
    EXPECT_EQ(ogre.FindFlag(4), nullptr);
    // Its own size, rounded; the colour from two levels up.
    EXPECT_EQ(ogre.size, (DefinitionSize{{-32, -32, -24}, {32, 32, 64}}));
    EXPECT_EQ(ogre.colour, (DefinitionColour{10, 20, 30}));

    const EntityClassDefinition& door = Found(definitions, "func_door");
    EXPECT_EQ(door.kind, EntityClassKind::kBrush);
    EXPECT_THAT(KeyNames(door), ElementsAre("target", "killtarget", "targetname", "speed"));
    EXPECT_EQ(door.FindKey("speed")->defaultValue, "-1.5");
    EXPECT_FALSE(door.size.has_value());
    EXPECT_FALSE(door.colour.has_value());
}

TEST(FgdDefinitions, BasesLendSizeAndColourAndTheFirstBaseThatHasOneWins) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(
@BaseClass size(-8 -8 -8, 8 8 8) = Small []
@BaseClass size(-64 -64 0, 64 64 128) color(1 2 3) = Big []
@PointClass base(Small, Big) = both []
@PointClass base(Big, Small) color(300 -5 7.6) = reversed []
@SolidClass base(Big) = trigger_big []
@PointClass size(16 16 15) = centred []
@PointClass base(trigger_big) = on_trigger []
)text",
                        "sizes.fgd");
    EXPECT_TRUE(definitions.GetProblems().empty());
    const EntityClassDefinition& both = Found(definitions, "both");
    EXPECT_EQ(both.size, (DefinitionSize{{-8, -8, -8}, {8, 8, 8}}));
    EXPECT_EQ(both.colour, (DefinitionColour{1, 2, 3}));
    const EntityClassDefinition& reversed = Found(definitions, "reversed");
    EXPECT_EQ(reversed.size, (DefinitionSize{{-64, -64, 0}, {64, 64, 128}}));
    EXPECT_EQ(reversed.colour, (DefinitionColour{255, 0, 8}));
    // One corner gives the dimensions of a box centred on the origin.
    EXPECT_EQ(Found(definitions, "centred").size, (DefinitionSize{{-8, -8, -8}, {8, 8, 8}}));
    // A brush class takes its size from its brushes.
    EXPECT_FALSE(Found(definitions, "trigger_big").size.has_value());
    EXPECT_EQ(Found(definitions, "trigger_big").colour, (DefinitionColour{1, 2, 3}));
    // Nor does it lend one, not even its base's.
    EXPECT_FALSE(Found(definitions, "on_trigger").size.has_value());
}

// Along two ways to a base, a key stands where the base first puts it and
// reads as the base says where it comes last.
TEST(FgdDefinitions, ABaseInheritedTwiceCountsWhereItComesLast) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(@BaseClass = A [ k(string) : "A" ]
@BaseClass base(A) = B [ b(string)  k(string) : "B" ]
@BaseClass base(A) = C [ c(string) ]
@PointClass base(B, C) = d []
)text",
                        "diamond.fgd");
    const EntityClassDefinition& d = Found(definitions, "d");
    EXPECT_THAT(KeyNames(d), ElementsAre("k", "b", "c"));
    EXPECT_EQ(d.FindKey("k")->caption, "A");
}

namespace {

bool IsUnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

} // namespace

// Each of 10000 bases adds a key to the one before; the class at the end of
// the chain holds them all. Folding every base as it came took the square of
// that in memory; the chain is read in a child process held to 384 MB (but
// under AddressSanitizer, whose shadow memory alone is far more).
TEST(FgdDefinitions, AChainOfTenThousandBasesFoldsInLittleMemory) {
    constexpr int kDepth = 10000;
    std::string text = "@BaseClass = b0 [ k0(string) ]\n";
    for (int i = 1; i < kDepth; ++i)
        text += "@BaseClass base(b" + std::to_string(i - 1) + ") = b" + std::to_string(i) + " [ k" +
                std::to_string(i) + "(string) ]\n";
    text += "@PointClass base(b" + std::to_string(kDepth - 1) + ") = leaf []\n";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!IsUnderAddressSanitizer()) {
            const rlimit cap{rlim_t{384} << 20, rlim_t{384} << 20};
            setrlimit(RLIMIT_AS, &cap);
        }
        alarm(120);
        CEntityDefinitions definitions;
        definitions.ReadFgd(text, "chain.fgd");
        const EntityClassDefinition* leaf = definitions.Find("leaf");
        const bool whole = leaf && leaf->keys.size() == kDepth && leaf->keys[0].name == "k0" &&
                           definitions.GetProblemCount() == 0;
        _exit(whole ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(FgdDefinitions, KeysReadEveryOptionalPart) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(@PointClass = light : "Light" // a comment
[
    light(integer) : "Brightness" : 300 : "How bright" + " it is"
    style(Choices) : "Style" : "0" =
    [
        0 : "Normal"
        "1" : "Flicker"
        -1 : "None"
    ]
    wait(float) : : 1.5
    _color(color1)
    mangle(string) : "Angles" : : "Pitch yaw roll"
    message(string) readonly : "Text"
    noise(sound) : "Sound" : "ambience/hum1.wav"
]
)text",
                        "light.fgd");
    EXPECT_TRUE(definitions.GetProblems().empty());
    const EntityClassDefinition& light = Found(definitions, "light");
    EXPECT_EQ(*light.FindKey("light"),
              (KeyDefinition{"light", "integer", "Brightness", "300", "How bright it is", {}}));
    const KeyDefinition& style = *light.FindKey("style");
    EXPECT_EQ(style.type, "choices");
    EXPECT_EQ(style.defaultValue, "0");
    EXPECT_THAT(style.choices, ElementsAre(KeyChoice{"0", "Normal"}, KeyChoice{"1", "Flicker"},
                                           KeyChoice{"-1", "None"}));
    EXPECT_EQ(*light.FindKey("wait"), (KeyDefinition{"wait", "float", "", "1.5", "", {}}));
    EXPECT_EQ(*light.FindKey("_color"), (KeyDefinition{"_color", "color1", "", "", "", {}}));
    EXPECT_EQ(*light.FindKey("mangle"),
              (KeyDefinition{"mangle", "string", "Angles", "", "Pitch yaw roll", {}}));
    EXPECT_EQ(light.FindKey("message")->caption, "Text");
    EXPECT_EQ(light.FindKey("noise")->defaultValue, "ambience/hum1.wav");
    EXPECT_THAT(KeyNames(light),
                ElementsAre("light", "style", "wait", "_color", "mangle", "message", "noise"));
}

TEST(FgdDefinitions, OtherHeaderPropertiesArePassedOver) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(
@PointClass size(-16 -16 -24, 16 16 32) model({ "path": ":progs/player.mdl", "skin": "(" })
    color(0 255 0) = info_player_start : "Start" []
@PointClass
    model(
        {{
            spawnflags & 1 ->   ":maps/b_batt1.bsp",
                                ":maps/b_batt0.bsp"
        }}
    ) studio("models/x.mdl") iconsprite("sprites/light.spr") halfgridsnap = item_cells []
)text",
                        "props.fgd");
    EXPECT_TRUE(definitions.GetProblems().empty());
    const EntityClassDefinition& start = Found(definitions, "info_player_start");
    EXPECT_EQ(start.size, (DefinitionSize{{-16, -16, -24}, {16, 16, 32}}));
    EXPECT_EQ(start.colour, (DefinitionColour{0, 255, 0}));
    EXPECT_EQ(Found(definitions, "item_cells").line, 4);
}

TEST(FgdDefinitions, ABrokenClassIsOneProblemAndTheClassesAroundItAreRead) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(@PointClass = first []
@PointClass size(1 2 3 4) = broken
[
    key(string) : "Key"
]
@PointClass = second [ key(string) ]
@PointClass = unjoined [ key(string) : "Key" + ]
@SolidClass = third [
    sounds(choices) = [ 0 "Silent" ]
]
@Include "base.fgd"
@PointClass = fourth [ spawnflags(flags) = [ 3 : "Two bits" ] ]
@PointClass = fifth [ key(integer)
@PointClass = last []
)text",
                        "broken.fgd");
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kPoint),
                ElementsAre("first", "second", "last"));
    const std::vector<DefinitionProblem>& problems = definitions.GetProblems();
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[0].file, "broken.fgd");
    EXPECT_EQ(problems[0].line, 2);
    EXPECT_EQ(problems[0].message,
              "expected \",\" or \")\" after the first corner of a size, found \"4\"");
    EXPECT_EQ(problems[1].line, 7);
    EXPECT_EQ(problems[1].message, "expected a quoted text, found \"]\"");
    EXPECT_EQ(problems[2].line, 9);
    EXPECT_THAT(problems[2].message, HasSubstr("expected \":\" after the value of a choice"));
    EXPECT_EQ(problems[3].line, 11);
    EXPECT_THAT(problems[3].message, HasSubstr("\"@Include\" is not a class definition"));
    EXPECT_EQ(problems[4].line, 12);
    EXPECT_THAT(problems[4].message, HasSubstr("one spawnflags bit"));
    EXPECT_EQ(problems[5].line, 14);
    EXPECT_EQ(Found(definitions, "last").line, 14);
}

TEST(FgdDefinitions, QuotedTextsRunOverLineEnds) {
    CEntityDefinitions definitions;
    definitions.ReadFgd("@PointClass = item_sigil : \"Sigil\r\n\r\nThe rune.\r\n\" []\r\n"
                        "@PointClass = after [ key(string) : \"Key\" ]\n"
                        "@PointClass = unclosed : \"Never\n[]\n",
                        "long.fgd");
    EXPECT_EQ(Found(definitions, "item_sigil").description, "Sigil\r\n\r\nThe rune.\r\n");
    EXPECT_EQ(Found(definitions, "after").line, 5);
    ASSERT_EQ(definitions.GetProblems().size(), 1u);
    EXPECT_EQ(definitions.GetProblems()[0].line, 6);
    EXPECT_THAT(definitions.GetProblems()[0].message, HasSubstr("not closed"));
    EXPECT_EQ(definitions.Find("unclosed"), nullptr);
}

TEST(FgdDefinitions, AMissingBaseIsAProblemAndTheClassIsReadWithout) {
    CEntityDefinitions definitions;
    definitions.ReadFgd(R"text(@BaseClass = Known [ known(string) ]

@PointClass base(Later, Known) = user [ own(string) ]
@BaseClass = Later [ later(string) ]
)text",
                        "order.fgd");
    ASSERT_EQ(definitions.GetProblems().size(), 1u);
    EXPECT_EQ(definitions.GetProblems()[0].line, 3);
    EXPECT_THAT(definitions.GetProblems()[0].message, HasSubstr("\"Later\""));
    EXPECT_THAT(KeyNames(Found(definitions, "user")), ElementsAre("known", "own"));
}

TEST(FgdDefinitions, AClassDefinedAgainReplacesTheEarlierInPlace) {
    CEntityDefinitions definitions;
    definitions.ReadFgd("@PointClass = a : \"First\" []\n@PointClass = b []\n", "one.fgd");
    definitions.ReadFgd("@SolidClass = a : \"Second\" []\n@PointClass = c []\n", "two.fgd");
    ASSERT_EQ(definitions.GetClasses().size(), 3u);
    EXPECT_EQ(definitions.GetClasses()[0].description, "Second");
    EXPECT_EQ(definitions.GetClasses()[0].file, "two.fgd");
    EXPECT_EQ(definitions.GetClasses()[0].kind, EntityClassKind::kBrush);
    EXPECT_EQ(definitions.GetClasses()[2].name, "c");
    EXPECT_EQ(Found(definitions, "a").description, "Second");
}

TEST(FgdDefinitions, TextsEndingAnywhereAreProblemsNotCrashes) {
    const char* const kCuts[] = {"@",
                                 "@PointClass",
                                 "@PointClass base(",
                                 "@PointClass model({ \"a\"",
                                 "@PointClass size(1 2 3,",
                                 "@PointClass size(1 2 3",
                                 "@PointClass = x : \"never closed\n[]\n",
                                 "@PointClass = x : \"a\" +",
                                 "@PointClass = x [ k(",
                                 "@PointClass = x [ k(choices) = [ 1 :",
                                 "@PointClass = x [ spawnflags(flags) = [ 1 : \"a\" :",
                                 "stray words",
                                 "\"",
                                 "@PointClass = x [ k(string) : \"a\" : \"b\" : \"c\" : \"d\" ]"};
    for (const char* cut : kCuts) {
        CEntityDefinitions definitions;
        definitions.ReadFgd(cut, "cut.fgd");
        EXPECT_TRUE(definitions.IsEmpty()) << cut;
        EXPECT_EQ(definitions.GetProblems().size(), 1u) << cut;
    }
}

TEST(EntityDefinitionFiles, AFileThatCannotBeReadIsAProblemNamingItAndWhy) {
    CTempDir dir;
    const std::string missing = dir.Path("missing.fgd").string();
    CEntityDefinitions definitions;
    EXPECT_FALSE(definitions.ReadFile(missing));
    ASSERT_EQ(definitions.GetProblems().size(), 1u);
    EXPECT_EQ(definitions.GetProblems()[0].file, missing);
    EXPECT_EQ(definitions.GetProblems()[0].message,
              "Couldn't read \"" + missing + "\": No such file or directory.");
    EXPECT_FALSE(definitions.ReadFile(dir.Path("").string()));
    EXPECT_THAT(definitions.GetProblems().back().message, HasSubstr("a directory"));
}

TEST(EntityDefinitionFiles, TheExtensionChoosesTheReader) {
    CTempDir dir;
    const std::string fgd = "@PointClass = from_fgd []\n/*QUAKED from_comment (1 0 0) ?\n*/\n";
    WriteFileText(dir.Path("upper.FGD"), fgd);
    WriteFileText(dir.Path("comments.qc"), "/*QUAKED from_comment (1 0 0) ?\n*/\n");
    CEntityDefinitions definitions;
    EXPECT_TRUE(definitions.ReadFile(dir.Path("upper.FGD").string()));
    EXPECT_TRUE(definitions.ReadFile(dir.Path("comments.qc").string()));
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kPoint), ElementsAre("from_fgd"));
    EXPECT_THAT(definitions.GetClassNames(EntityClassKind::kBrush), ElementsAre("from_comment"));
    // The FGD reader stops at the comment, which is no FGD.
    EXPECT_EQ(definitions.GetProblems().size(), 1u);
}

TEST(EntityDefinitionFiles, AByteOrderMarkIsPassedOver) {
    CTempDir dir;
    WriteFileText(dir.Path("marked.fgd"), "\xEF\xBB\xBF@PointClass = from_fgd []\n");
    WriteFileText(dir.Path("marked.def"), "\xEF\xBB\xBF/*QUAKED from_def (1 0 0) ?\n*/\n");
    CEntityDefinitions definitions;
    EXPECT_TRUE(definitions.ReadFile(dir.Path("marked.fgd").string()));
    EXPECT_TRUE(definitions.ReadFile(dir.Path("marked.def").string()));
    EXPECT_TRUE(definitions.GetProblems().empty());
    EXPECT_EQ(Found(definitions, "from_fgd").line, 1);
    EXPECT_EQ(Found(definitions, "from_def").line, 1);
}

TEST(EntityDefinitionFiles, TheQuakeFgdReadsWithoutAProblem) {
    CEntityDefinitions definitions;
    ASSERT_TRUE(definitions.ReadFile(TestDataPath("defs/tb_Quake.fgd").string()));
    EXPECT_TRUE(definitions.GetProblems().empty());
    EXPECT_EQ(definitions.GetClasses().size(), 100u);

    const EntityClassDefinition& ogre = Found(definitions, "monster_ogre");
    EXPECT_EQ(ogre.kind, EntityClassKind::kPoint);
    EXPECT_EQ(ogre.size, (DefinitionSize{{-32, -32, -24}, {32, 32, 64}}));
    EXPECT_EQ(ogre.colour, (DefinitionColour{220, 0, 0}));
    EXPECT_THAT(FlagTexts(ogre), ElementsAre("1=Ambush", "256=Not on Easy", "512=Not on Normal",
                                             "1024=Not on Hard", "2048=Not in Deathmatch"));
    EXPECT_THAT(KeyNames(ogre), ElementsAre("angle", "target", "killtarget", "targetname"));

    const EntityClassDefinition& door = Found(definitions, "func_door");
    EXPECT_EQ(door.kind, EntityClassKind::kBrush);
    EXPECT_EQ(door.FindKey("sounds")->choices.size(), 5u);
    EXPECT_EQ(door.FindKey("sounds")->choices[4], (KeyChoice{"4", "Screechy Metal"}));
    EXPECT_EQ(door.FindKey("wait")->defaultValue, "3");
    EXPECT_EQ(door.FindFlag(16)->caption, "Silver Key required");
    EXPECT_EQ(door.FindFlag(2048)->caption, "Not in Deathmatch");

    // Sizes and colours come down from PlayerClass, whose model(...) is passed over.
    const EntityClassDefinition& start = Found(definitions, "info_player_start");
    EXPECT_EQ(start.size, (DefinitionSize{{-16, -16, -24}, {16, 16, 32}}));
    EXPECT_EQ(start.colour, (DefinitionColour{0, 255, 0}));
    EXPECT_EQ(Found(definitions, "worldspawn").FindKey("worldtype")->choices[1].caption,
              "Metal (runic)");
}

} // namespace
