#include "WrittenEntityText.h"
#include "map/CMapReader.h"
#include "map/CTolveDoc.h"
#include "map/EntityFieldTransfer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using enum PointField;

// A point entity as the reader makes it from one entity's text.
CPointEntity ReadPointEntity(const std::string& keys) {
    CTolveDoc doc;
    CRecordingDiagnostics diagnostics;
    doc.ReadMapText(("{\n\"classname\" \"worldspawn\"\n}\n{\n" + keys + "}\n").c_str(),
                    diagnostics);
    return *doc.GetPointEntities().at(0);
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

PointEntityFields Loaded(const CPointEntity& entity) {
    PointEntityFields fields;
    LoadFromEntity(fields, entity);
    return fields;
}

PointEntityFields Light() {
    PointEntityFields fields;
    fields.text[kClassname] = "light";
    return fields;
}

} // namespace

// "mangle" "10 20" cannot fill three boxes: shown as read and written back
// as read when the boxes are left alone; edited partly, OK refuses it.
TEST(EntityDialogRules, AMangleTheBoxesCannotHoldIsKeptUntilEdited) {
    const CPointEntity read = ReadPointEntity("\"classname\" \"light\"\n\"mangle\" \"10 20\"\n");
    const PointEntityFields loaded = Loaded(read);
    EXPECT_EQ(loaded.text[kMangleX], "10");
    EXPECT_EQ(loaded.text[kMangleY], "20");
    EXPECT_EQ(loaded.text[kMangleZ], "");
    EXPECT_FALSE(FindUnstorableText(loaded, &loaded).has_value());
    CPointEntity stored = read;
    StoreToEntity(loaded, stored);
    EXPECT_NE(WrittenText(stored).find("\"mangle\" \"10 20\""), std::string::npos);

    PointEntityFields edited = loaded;
    edited.text[kMangleX] = "15";
    auto problem = FindUnstorableText(edited, &loaded);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, kMangleZ);
    EXPECT_NE(problem->message.find("\"Mangle z\""), std::string::npos);
    edited.text[kMangleZ] = "0";
    EXPECT_FALSE(FindUnstorableText(edited, &loaded).has_value());
    StoreToEntity(edited, stored);
    EXPECT_NE(WrittenText(stored).find("\"mangle\" \"15 20 0\""), std::string::npos);
}

TEST(EntityDialogRules, OnlyPartOfMangleTypedIsRefusedAllOrNoneIsNot) {
    PointEntityFields fields = Light();
    fields.text[kMangleX] = "10";
    auto problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->field, kMangleY);
    fields.text[kMangleY] = "20";
    fields.text[kMangleZ] = "30";
    EXPECT_FALSE(FindUnstorableText(fields).has_value());
    fields.text[kMangleX] = fields.text[kMangleY] = fields.text[kMangleZ] = "";
    EXPECT_FALSE(FindUnstorableText(fields).has_value());
}

TEST(EntityDialogRules, TypedNumbersMustBeNumbers) {
    for (const char* number : {"300", "-1.5", "+3", ".5", "7.", "0", "70000"})
        EXPECT_TRUE(IsNumberText(number)) << number;
    for (const char* other :
         {"abc", "north", "soon", "", "-", ".", "1e3", " 5", "5 ", "1.2.3", "+-1"})
        EXPECT_FALSE(IsNumberText(other)) << other;

    const struct {
        PointField box;
        const char* text;
        const char* name;
    } refused[] = {{kLight, "abc", "\"Light\""},
                   {kAngle, "north", "\"Angle\""},
                   {kNextthink, "soon", "\"Nextthink\""},
                   {kMangleY, "up", "\"Mangle y\""}};
    for (const auto& c : refused) {
        PointEntityFields fields = Light();
        fields.text[kMangleX] = fields.text[kMangleY] = fields.text[kMangleZ] = "1";
        fields.text[c.box] = c.text;
        auto problem = FindUnstorableText(fields);
        ASSERT_TRUE(problem.has_value()) << c.text;
        EXPECT_EQ(problem->field, c.box);
        EXPECT_NE(problem->message.find(c.name), std::string::npos) << problem->message;
        fields.text[c.box] = "-12.5";
        EXPECT_FALSE(FindUnstorableText(fields).has_value()) << c.text;
    }
    // Words in boxes the game reads as text are the user's business.
    PointEntityFields words = Light();
    words.text[kTarget] = "north";
    words.text[kCustomValue1] = "soon";
    words.text[kCustomKey1] = "delay";
    EXPECT_FALSE(FindUnstorableText(words).has_value());
}

TEST(EntityDialogRules, WhatTheMapSaidIsNotJudgedButAnEditIs) {
    const CPointEntity read =
        ReadPointEntity("\"classname\" \"light\"\n\"light\" \"bright\"\n\"angle\" \"70000\"\n");
    const PointEntityFields loaded = Loaded(read);
    EXPECT_EQ(loaded.text[kLight], "bright");
    EXPECT_FALSE(FindUnstorableText(loaded, &loaded).has_value());
    CPointEntity stored = read;
    StoreToEntity(loaded, stored);
    EXPECT_EQ(WrittenText(stored), WrittenText(read));
    PointEntityFields edited = loaded;
    edited.text[kLight] = "brighter";
    EXPECT_EQ(FindUnstorableText(edited, &loaded)->field, kLight);
    // A number wider than its box is a number: its text is kept as typed.
    edited.text[kLight] = "80000";
    EXPECT_FALSE(FindUnstorableText(edited, &loaded).has_value());
    StoreToEntity(edited, stored);
    EXPECT_NE(WrittenText(stored).find("\"light\" \"80000\""), std::string::npos);
}

TEST(EntityDialogRules, AnEmptyClassNameIsRefusedInBothDialogs) {
    PointEntityFields point;
    auto pointProblem = FindUnstorableText(point);
    ASSERT_TRUE(pointProblem.has_value());
    EXPECT_EQ(pointProblem->field, kClassname);
    point.text[kClassname] = "x";
    EXPECT_FALSE(FindUnstorableText(point).has_value());

    ModelEntityFields brush;
    auto brushProblem = FindUnstorableText(brush);
    ASSERT_TRUE(brushProblem.has_value());
    EXPECT_EQ(brushProblem->field, ModelField::kClassname);
    brush.text[ModelField::kClassname] = "func_wall";
    brush.text[ModelField::kCount] = "three";
    EXPECT_EQ(FindUnstorableText(brush)->field, ModelField::kCount);
    brush.text[ModelField::kCount] = "3";
    EXPECT_FALSE(FindUnstorableText(brush).has_value());

    WorldFields world;
    world.text[WorldField::kCdTrack] = "four";
    EXPECT_EQ(FindUnstorableText(world)->field, WorldField::kCdTrack);
    world.text[WorldField::kCdTrack] = "70000";
    EXPECT_FALSE(FindUnstorableText(world).has_value());
}

// "angle" "180" under Other keys while the Angle box says 90: the row's value
// goes into the box, and the key is written once.
TEST(EntityDialogRules, ARowWhoseKeyHasABoxMovesIntoTheBox) {
    PointEntityFields fields = Light();
    fields.text[kAngle] = "90";
    fields.text[kCustomKey1] = "target";
    fields.text[kCustomValue1] = "door1";
    fields.otherKeys = {{"_color", "1 0 0"}, {"angle", "180"}, {"mangle", "1 2 3"}};
    PointEntityFields moved = fields;
    EXPECT_TRUE(MoveBoxKeysIntoBoxes(moved));
    EXPECT_EQ(moved.text[kAngle], "180");
    EXPECT_EQ(moved.text[kTarget], "door1");
    EXPECT_EQ(moved.text[kMangleX] + moved.text[kMangleY] + moved.text[kMangleZ], "123");
    EXPECT_EQ(moved.text[kCustomKey1], "");
    ASSERT_EQ(moved.otherKeys.size(), 1u);
    EXPECT_EQ(moved.otherKeys[0].key, "_color");
    EXPECT_FALSE(MoveBoxKeysIntoBoxes(moved));

    CPointEntity entity;
    StoreToEntity(fields, entity); // moves them too
    const std::string written = WrittenText(entity);
    EXPECT_EQ(CountOf(written, "\"angle\""), 1u);
    EXPECT_NE(written.find("\"angle\" \"180\""), std::string::npos);
    EXPECT_EQ(CountOf(written, "\"target\""), 1u);

    ModelEntityFields brush;
    brush.text[ModelField::kClassname] = "func_door";
    brush.otherKeys = {{"speed", "200"}, {"angle", "-1"}, {"origin", "0 0 0"}};
    EXPECT_TRUE(MoveBoxKeysIntoBoxes(brush));
    EXPECT_EQ(brush.text[ModelField::kSpeed], "200");
    EXPECT_EQ(brush.text[ModelField::kAngle], "-1");
    ASSERT_EQ(brush.otherKeys.size(), 1u); // a brush entity's origin is a key like others
    EXPECT_FALSE(FindUnstorableText(brush).has_value());
}

TEST(EntityDialogRules, ARowCannotSetWhatChecksButtonsOrTheViewSet) {
    PointEntityFields fields = Light();
    fields.otherKeys = {{"_color", "1 0 0"}, {"spawnflags", "1"}};
    auto problem = FindUnstorableText(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_FALSE(problem->field.has_value());
    EXPECT_EQ(problem->otherRow, 1u);
    EXPECT_NE(problem->message.find("Spawnflags"), std::string::npos);
    fields.otherKeys.pop_back();
    fields.text[kCustomKey2] = "origin";
    EXPECT_EQ(FindUnstorableText(fields)->field, kCustomKey2);
    fields.text[kCustomKey2] = "style";
    EXPECT_EQ(FindUnstorableText(fields)->field, kCustomKey2);
    fields.text[kCustomKey2] = "wait";
    EXPECT_FALSE(FindUnstorableText(fields).has_value());
}
