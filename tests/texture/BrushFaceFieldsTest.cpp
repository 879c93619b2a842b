#include "texture/BrushFaceFields.h"

#include <gtest/gtest.h>

namespace {

using enum BrushFaceField;

CBrushFaceFields MakeValidFields() {
    CBrushFaceFields fields;
    fields[BaseSides] = "6";
    fields[XScale] = "0.5";
    fields[Width] = "128";
    fields[XOffset] = "-16";
    fields[Rotation] = "45";
    fields[Height] = "32";
    fields[YOffset] = " 8 ";
    fields[YScale] = "2";
    return fields;
}

void ExpectRefused(CBrushFaceFields fields, BrushFaceField field, const std::string& text,
                   const std::string& message) {
    fields[field] = text;
    CBrushFaceValues values;
    values.width = 99;
    auto problem = ValidateBrushFaceFields(fields, values);
    ASSERT_TRUE(problem.has_value()) << text;
    EXPECT_EQ(problem->field, field) << text;
    EXPECT_EQ(problem->message, message) << text;
    EXPECT_EQ(values.width, 99) << "values are only written when all pass";
}

TEST(BrushFaceFieldsTest, ValidBoxesGiveTheirNumbers) {
    CBrushFaceValues values;
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
    const CBrushFaceFields fields = MakeValidFields();
    ExpectRefused(fields, BaseSides, "2", "Please enter an integer between 3 and 64.");
    ExpectRefused(fields, BaseSides, "65", "Please enter an integer between 3 and 64.");
    ExpectRefused(fields, Width, "0", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, Width, "25001", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, Height, "0", "Please enter an integer between 1 and 25000.");
    ExpectRefused(fields, Height, "25001", "Please enter an integer between 1 and 25000.");
}

TEST(BrushFaceFieldsTest, BoundsThemselvesPass) {
    CBrushFaceFields fields = MakeValidFields();
    fields[BaseSides] = "64";
    fields[Width] = "25000";
    fields[Height] = "1";
    fields[XOffset] = "-32768";
    fields[YOffset] = "32767";
    CBrushFaceValues values;
    ASSERT_FALSE(ValidateBrushFaceFields(fields, values).has_value());
    EXPECT_EQ(values.baseSides, 64);
    EXPECT_EQ(values.xOffset, -32768);
    EXPECT_EQ(values.yOffset, 32767);
}

TEST(BrushFaceFieldsTest, OffsetsOutsideSixteenBitsAreRefusedNotWrapped) {
    const CBrushFaceFields fields = MakeValidFields();
    const std::string range = "Please enter an integer between -32768 and 32767.";
    ExpectRefused(fields, XOffset, "32768", range);
    ExpectRefused(fields, XOffset, "-32769", range);
    ExpectRefused(fields, YOffset, "65536", range);
    ExpectRefused(fields, YOffset, "99999999999999999999999", range);
}

TEST(BrushFaceFieldsTest, TextThatIsNoNumberIsRefused) {
    const CBrushFaceFields fields = MakeValidFields();
    ExpectRefused(fields, BaseSides, "", kEnterInteger);
    ExpectRefused(fields, Width, "12a", kEnterInteger);
    ExpectRefused(fields, XOffset, "1.5", kEnterInteger);
    ExpectRefused(fields, XScale, "abc", kEnterNumber);
    ExpectRefused(fields, Rotation, "", kEnterNumber);
    ExpectRefused(fields, YScale, "1e999", kEnterNumber);
}

TEST(BrushFaceFieldsTest, FirstFailingBoxInCheckingOrderIsReported) {
    CBrushFaceFields fields = MakeValidFields();
    fields[YScale] = "x";
    fields[Height] = "0";
    fields[XScale] = "y";
    CBrushFaceValues values;
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, XScale);
    fields[XScale] = "1";
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, Height);
    fields[Height] = "5";
    EXPECT_EQ(ValidateBrushFaceFields(fields, values)->field, YScale);
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
