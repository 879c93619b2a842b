#include "map/PastedMapText.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kLightText = "{\n\"classname\" \"light\"\n\"origin\" \"8 16 24\"\n}\n";

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void ExpectRefusedWithALineProblem(const std::string& text) {
    const PastedMapText pasted = ReadPastedMapText(text);
    ASSERT_TRUE(pasted.problem);
    EXPECT_NE(*pasted.problem, kNoMapObjects);
    // "<line> : <message>", the reader's first problem.
    EXPECT_NE(pasted.problem->find(" : "), std::string::npos) << *pasted.problem;
    EXPECT_TRUE(pasted.fragment.IsEmpty());
}

} // namespace

TEST(PastedMapText, MapTextGivesItsObjects) {
    const PastedMapText pasted = ReadPastedMapText(kLightText);
    EXPECT_FALSE(pasted.problem);
    ASSERT_EQ(pasted.fragment.pointEntities.size(), 1u);
    EXPECT_EQ(pasted.fragment.pointEntities[0]->m_origin, IntPoint(8, 16, 24));
}

TEST(PastedMapText, ProseHoldsNoMapObjects) {
    const PastedMapText pasted = ReadPastedMapText("Remember to buy milk.");
    ASSERT_TRUE(pasted.problem);
    EXPECT_EQ(*pasted.problem, kNoMapObjects);
}

TEST(PastedMapText, EmptyTextAndALoneWorldHoldNoMapObjects) {
    EXPECT_EQ(ReadPastedMapText("").problem, kNoMapObjects);
    EXPECT_EQ(ReadPastedMapText("{\n\"classname\" \"worldspawn\"\n}\n").problem, kNoMapObjects);
}

TEST(PastedMapText, ABrokenBrushGivesTheFirstProblemWithItsLine) {
    // The second face line stops after its plane points.
    const std::string text = std::string(kLightText) +
                             "{\n\"classname\" \"worldspawn\"\n{\n"
                             "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1\n"
                             "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 )\n}\n}\n";
    ExpectRefusedWithALineProblem(text);
}

TEST(PastedMapText, AValve220MapIsRefused) {
    ExpectRefusedWithALineProblem(ReadWholeFile(
        TestDataPath("maps-other-formats/valve220_tb_valveFormatMapWithoutFormatTag.map")));
}

TEST(PastedMapText, AQuake2MapIsRefused) {
    ExpectRefusedWithALineProblem(ReadWholeFile(
        TestDataPath("maps-other-formats/q2_surfaceflags_ericw_q2_trans33_solid.map")));
}
