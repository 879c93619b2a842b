#include "map/MapFileCheck.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class MapFileCheckTest : public ::testing::Test {
protected:
    std::optional<MapFileProblem> Check(const std::string& text) {
        WriteFileText(m_dir.Path("copy.map"), text);
        return FindFirstMapFileProblem(m_dir.Path("copy.map").string());
    }

    CTempDir m_dir;
};

// The line a user is shown for the text's last line that starts with `start`.
int LastLineStarting(const std::string& text, const std::string& start) {
    int line = 0;
    int found = 0;
    size_t begin = 0;
    while (begin < text.size()) {
        ++line;
        if (text.compare(begin, start.size(), start) == 0)
            found = line;
        const size_t end = text.find('\n', begin);
        begin = end == std::string::npos ? text.size() : end + 1;
    }
    return found;
}

} // namespace

TEST_F(MapFileCheckTest, AWholeMapReadsCleanly) {
    EXPECT_EQ(Check(CubeMapText("{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n")),
              std::nullopt);
    EXPECT_EQ(Check("{\n\"classname\" \"worldspawn\"\n}\n"), std::nullopt)
        << "a world without brushes is still a map";
}

TEST_F(MapFileCheckTest, AMapCutOffBetweenLinesNamesTheOpenBrushOrEntity) {
    const std::string whole = CubeMapText("{\n\"classname\" \"func_wall\"\n{\n" +
                                          BoxFaceLines(64, 96, "wall") + "}\n}\n");
    const std::string inBrush = whole.substr(0, whole.find("( 96 0 1 )"));
    EXPECT_EQ(Check(inBrush), (MapFileProblem{LastLineStarting(inBrush, "{"),
                                              "Brush is not closed at the end of the file"}));

    const std::string inEntity = whole.substr(0, whole.rfind("}\n}\n") + 2);
    EXPECT_EQ(Check(inEntity),
              (MapFileProblem{LastLineStarting(inEntity, "\"classname\" \"func_wall\"") - 1,
                              "Entity is not closed at the end of the file"}));
}

TEST_F(MapFileCheckTest, AFileWithoutAWorldOrThatCannotBeReadIsBroken) {
    EXPECT_EQ(Check(""), (MapFileProblem{0, kEmptyMapFile}));
    EXPECT_EQ(Check(" \n\t\r\n"), (MapFileProblem{0, kEmptyMapFile}));
    EXPECT_EQ(Check("\xEF\xBB\xBF\n"), (MapFileProblem{0, kEmptyMapFile})) << "a mark alone";
    EXPECT_EQ(Check("// only a comment\n"), (MapFileProblem{0, kNoWorldInMapFile}));
    EXPECT_EQ(Check("{\n\"classname\" \"light\"\n}\n"), (MapFileProblem{0, kNoWorldInMapFile}));
    EXPECT_EQ(FindFirstMapFileProblem(m_dir.Path("gone.map").string()),
              (MapFileProblem{0, "No such file or directory"}));
}
