#include "map/PointFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

// As a compiler writes a leak trace: fixed-point numbers, a point every few
// units along the way out.
TEST(PointFile, AReadTraceGivesEveryPointInOrder) {
    std::string text;
    for (int i = 0; i < 640; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%f %f %f\n", i * 8.0, -1024.5 + i, 64.0 - i * 0.25);
        text += line;
    }
    PointFile file;
    ASSERT_FALSE(ParsePointFile(text, file).has_value());
    ASSERT_EQ(file.points.size(), 640u);
    EXPECT_EQ(file.points[0], (Vec3d{0.0, -1024.5, 64.0}));
    EXPECT_EQ(file.points[639], (Vec3d{639 * 8.0, -1024.5 + 639, 64.0 - 639 * 0.25}));

    ASSERT_FALSE(ParsePointFile("", file).has_value());
    EXPECT_TRUE(file.points.empty());
    // Blank lines, carriage returns, tabs and signs are all a writer's choice.
    ASSERT_FALSE(ParsePointFile("\n1 2 3\r\n\n  \t\n+4\t-5 6", file).has_value());
    EXPECT_EQ(file.points, (std::vector<Vec3d>{{1, 2, 3}, {4, -5, 6}}));
}

TEST(PointFile, AMalformedLineIsNamedAndNothingIsKept) {
    for (const char* bad :
         {"1 2", "1 2 3 4", "1 2 x", "1 2 3x", "nan 1 2", "1e400 0 0", "--1 0 0"}) {
        PointFile file;
        const auto problem = ParsePointFile(std::string("0 0 0\n\n") + bad + "\n5 5 5\n", file);
        ASSERT_TRUE(problem.has_value()) << bad;
        EXPECT_EQ(problem->line, 3) << bad;
        EXPECT_TRUE(file.points.empty()) << bad;
    }
}

TEST(PointFile, FilesAreReadBesideTheirMap) {
    EXPECT_EQ(PointFilePathOf("/maps/e1m1.map"), "/maps/e1m1.pts");
    EXPECT_EQ(PointFilePathOf("/my.maps/start"), "/my.maps/start.pts");
    CTempDir dir;
    WriteFileText(dir.Path("leak.pts"), "1 2 3\n4 5 6\nbroken\n");
    PointFile file;
    const auto message = ReadPointFile(dir.Path("leak.pts").string(), file);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, dir.Path("leak.pts").string() + ":3: expected three numbers \"x y z\"");
    const auto missing = ReadPointFile(dir.Path("none.pts").string(), file);
    ASSERT_TRUE(missing.has_value());
    EXPECT_NE(missing->find("none.pts"), std::string::npos);
}
