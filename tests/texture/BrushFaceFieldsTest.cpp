#include "texture/BrushFaceFields.h"

#include <gtest/gtest.h>

namespace {

using enum BrushFaceField;

BrushFaceFields MakeValidFields() {
    BrushFaceFields fields;
    fields[kBaseSides] = "6";
    fields[kXScale] = "0.5";
    fields[kWidth] = "128";
    fields[kXOffset] = "-16";
    fields[kRotation] = "45";
    fields[kHeight] = "32";
    fields[kYOffset] = " 8 ";
    fields[kYScale] = "2";
    return fields;
}

void ExpectRefused(BrushFaceFields fields, BrushFaceField field, const std::string& text,
                   const std::string& message) {
    fields[field] = text;
    BrushFaceValues values;
    values.width = 99;
    auto problem = ValidateBrushFaceFields(fields, values);
    ASSERT_TRUE(problem.has_value()) << text;
    EXPECT_EQ(problem->field, field) << text;
    EXPECT_EQ(problem->message, message) << text;
    EXPECT_EQ(values.width, 99) << "values are only written when all pass";
}

TEST(BrushFaceFieldsTest, ValidBoxesGiveTheirNumbers) {
    BrushFaceValues values;
    ASSERT_FALSE(ValidateBrushFaceFields(MakeValidFields(), values).has_value());
    EXPECT_EQ(values.baseSides, 6);
    EXPECT_FLOAT_EQ(values.xScale, 0.5f);
    EXPECT_EQ(values.width, 128);
    EXPECT_EQ(values.xOffset, -16);
    EXPECT_FLOAT_EQ(values.rotation, 45.0f);
    EXPECT_EQ(values.height, 32);
    EXPECT_EQ(values.yOffset, 8);
    EXPECT_FLOAT_EQ(values.yScale, 2.0f);
}

TEST(BrushFaceFieldsTest, BoundsOfSidesAndSizesAreRefusedWithTheRange) {
    const BrushFaceFields fields = MakeValidFields();
    ExpectRefused(fields, kBaseSides, "2", "Please enter an integer between 3 and 64.");
    ExpectRefused(fields, kBaseSides, "65", "Please enter an integer between 3 and 64.");
    ExpectRefused(fields, kWidth, "0", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, kWidth, "25001", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, kHeight, "0", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, kHeight, "25001", "Please enter an integer between 1 and 25000.");
}

TEST(BrushFaceFieldsTest, BoundsThemselvesPass) {
    BrushFaceFields fields = MakeValidFields();
    fields[kBaseSides] = "64";
    fields[kWidth] = "25000";
    fields[kHeight] = "1";
    fields[kXOffset] = "-32768";
    fields[kYOffset] = "32767";
    BrushFaceValues values;
    ASSERT_FALSE(ValidateBrushFaceFields(fields, values).has_value());
    EXPECT_EQ(values.baseSides, 64);
    EXPECT_EQ(values.xOffset, -32768);
    EXPECT_EQ(values.yOffset, 32767);
}

TEST(BrushFaceFieldsTest, OffsetsOutsideSixteenBitsAreRefusedNotWrapped) {
    const BrushFaceFields fields = MakeValidFields();
    const std::string range = "Please enter an integer between -32768 and 32767.";
    ExpectRefused(fields, kXOffset, "32768", range);
    ExpectRefused(fields, kXOffset, "-32769", range);
    ExpectRefused(fields, kYOffset, "65536", range);
    ExpectRefused(fields, kYOffset, "99999999999999999999999", range);
}

TEST(BrushFaceFieldsTest, TextThatIsNoNumberIsRefused) {
    const BrushFaceFields fields = MakeValidFields();
    ExpectRefused(fields, kBaseSides, "", kEnterInteger);
    ExpectRefused(fields, kWidth, "12a", kEnterInteger);
    ExpectRefused(fields, kXOffset, "1.5", kEnterInteger);
    ExpectRefused(fields, kXScale, "abc", kEnterNumber);
    ExpectRefused(fields, kRotation, "", kEnterNumber);
    ExpectRefused(fields, kYScale, "1e999", kEnterNumber);
}

TEST(BrushFaceFieldsTest, FirstFailingBoxInCheckingOrderIsReported) {
    BrushFaceFields fields = MakeValidFields();
    fields[kYScale] = "x";
    fields[kHeight] = "0";
    fields[kXScale] = "y";
    BrushFaceValues values;
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, kXScale);
    fields[kXScale] = "1";
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, kHeight);
    fields[kHeight] = "5";
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, kYScale);
}

TEST(BrushFaceFieldsTest, FloatsShowInShortGeneralForm) {
    EXPECT_EQ(FormatFieldFloat(1.0f), "1");
    EXPECT_EQ(FormatFieldFloat(0.25f), "0.25");
    EXPECT_EQ(FormatFieldFloat(1234567.0f), "1.23457e+06");
}

TEST(BrushFaceFieldsTest, SixteenCharacterNamesAreCutToFifteenWithANotice) {
    EXPECT_EQ(CutTextureName("abcdefghijklmnop"), "abcdefghijklmno");
    EXPECT_EQ(CutTextureName("short"), "short");
    EXPECT_FALSE(DescribeCutTextureName("abcdefghijklmno").has_value());
    auto notice = DescribeCutTextureName("abcdefghijklmnop");
    ASSERT_TRUE(notice.has_value());
    EXPECT_NE(notice->find("\"abcdefghijklmno\""), std::string::npos);
}

} // namespace
