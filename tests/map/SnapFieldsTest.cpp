#include "map/SnapFields.h"
#include "framework/FieldMessages.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::string> Problem(const char* text) {
    return FindSnapProblem(SnapFields{text});
}

TEST(SnapFields, LoadShowsTheStep) {
    EXPECT_EQ(LoadSnapFields(8).snap, "8");
    EXPECT_EQ(LoadSnapFields(1024).snap, "1024");
}

TEST(SnapFields, TheBoundsAreAcceptedAndTheirNeighboursRefused) {
    const std::string range = "Please enter an integer between 1 and 1024.";
    EXPECT_EQ(Problem("0"), range);
    EXPECT_EQ(Problem("1"), std::nullopt);
    EXPECT_EQ(Problem("1024"), std::nullopt);
    EXPECT_EQ(Problem("1025"), range);
    EXPECT_EQ(Problem("-8"), range);
    EXPECT_EQ(StoreSnap(SnapFields{"1"}), 1);
    EXPECT_EQ(StoreSnap(SnapFields{"1024"}), 1024);
}

TEST(SnapFields, TextThatIsNoWholeNumberIsRefused) {
    for (const char* text : {"", "  ", "eight", "8x", "8.5", "99999999999"})
        EXPECT_EQ(Problem(text), std::string(kPositiveIntegerMessage)) << text;
}

TEST(SnapFields, BlanksAroundTheNumberAreAllowed) {
    EXPECT_EQ(Problem(" 16 "), std::nullopt);
    EXPECT_EQ(StoreSnap(SnapFields{" 16 "}), 16);
}

} // namespace
