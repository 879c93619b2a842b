#include "texture/TextureFileSearch.h"
#include "texture/WadListText.h"

#include "TestDoubles.h"
#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {

// --- The text of the list ---

struct SplitCase {
    const char* value;
    std::vector<std::string> names;
    std::vector<size_t> offsets;
};

class SplitWadListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWadListTest, TrimsBlanksAndSkipsEmptyEntries) {
    const std::vector<WadListEntry> entries = SplitWadList(GetParam().value);
    std::vector<std::string> names;
    std::vector<size_t> offsets;
    for (const WadListEntry& entry : entries) {
        names.push_back(entry.name);
        offsets.push_back(entry.offset);
    }
    EXPECT_EQ(names, GetParam().names);
    EXPECT_EQ(offsets, GetParam().offsets);
    EXPECT_EQ(SplitWadListNames(GetParam().value), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SplitWadListTest,
    ::testing::Values(SplitCase{"quake101.wad", {"quake101.wad"}, {0}}, SplitCase{"", {}, {}},
                      SplitCase{" ;\t; ", {}, {}},
                      SplitCase{" a.wad ; b.wad ", {"a.wad", "b.wad"}, {1, 9}},
                      SplitCase{";;a.wad;;\t;b.wad;", {"a.wad", "b.wad"}, {2, 11}},
                      SplitCase{"my textures/a b.wad", {"my textures/a b.wad"}, {0}},
                      SplitCase{"deprecated/free_wad.wad;deprecated/fence.wad",
                                {"deprecated/free_wad.wad", "deprecated/fence.wad"},
                                {0, 24}},
                      SplitCase{"C:\\q\\id1\\lq_wood.wad;../../texture-wads/lq_greek.wad",
                                {"C:\\q\\id1\\lq_wood.wad", "../../texture-wads/lq_greek.wad"},
                                {0, 21}}));

TEST(WadListText, RewritesOneEntryAndKeepsEverythingAround) {
    const std::string value = " a.wad ;;\tb.wad ;c.wad";
    const std::vector<WadListEntry> entries = SplitWadList(value);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(ReplaceWadListEntry(value, entries[1], "../wads/b.wad"),
              " a.wad ;;\t../wads/b.wad ;c.wad");
    EXPECT_EQ(ReplaceWadListEntry(value, entries[0], "x"), " x ;;\tb.wad ;c.wad");
    EXPECT_EQ(AppendToWadList("a.wad", "b.wad"), "a.wad;b.wad");
    EXPECT_EQ(AppendToWadList("a.wad; ", "b.wad"), "a.wad; b.wad");
    EXPECT_EQ(JoinWadList({"a.wad", "dir/b.wad"}), "a.wad;dir/b.wad");
    EXPECT_EQ(JoinWadList({}), "");
}

TEST(WadListText, FileNamesAndAbsolutePathsOfBothSystems) {
    EXPECT_EQ(WadEntryFileName("C:/Users/x/Desktop/q/texture-wads/lq_wood.wad"), "lq_wood.wad");
    EXPECT_EQ(WadEntryFileName("C:\\Users\\x\\lq_wood.wad"), "lq_wood.wad");
    EXPECT_EQ(WadEntryFileName("..\\../mixed\\lq_greek.wad"), "lq_greek.wad");
    EXPECT_EQ(WadEntryFileName("fence.wad"), "fence.wad");
    EXPECT_EQ(WadEntryFileName("folder/"), "");
    for (const char* absolute :
         {"/usr/share/q.wad", "C:/q.wad", "c:\\q.wad", "\\\\host\\q.wad", "D:q.wad"})
        EXPECT_TRUE(IsAbsoluteWadEntry(absolute)) << absolute;
    for (const char* relative : {"q.wad", "../q.wad", "gfx\\q.wad", "1:q.wad", ""})
        EXPECT_FALSE(IsAbsoluteWadEntry(relative)) << relative;
}

// --- Finding the files ---

// A map folder, the working directory and two texture folders, each with
// files of its own.
class TextureFileSearchTest : public ::testing::Test {
protected:
    TextureFileSearchTest() {
        for (const char* file : {"maps/sub/nested.wad", "maps/both.wad", "maps/own.wad",
                                 "work/both.wad", "work/cwd.wad", "tex1/shared.wad",
                                 "tex2/shared.wad", "tex2/second.wad", "tex1/own.wad"})
            WriteFileText(m_dir.Path(file), "WAD2");
        m_paths.mapFolder = m_dir.Path("maps").string();
        m_paths.textureFolders = {m_dir.Path("tex1").string(), m_dir.Path("tex2").string()};
    }
    std::string Found(std::string_view entry, TextureFilePlace place) const {
        std::optional<FoundTextureFile> found = LocateTextureFile(entry, m_paths);
        if (!found)
            return "missing";
        EXPECT_EQ(found->place, place) << entry;
        return std::filesystem::path(found->path).lexically_normal().string();
    }
    std::string In(const char* file) const { return m_dir.Path(file).string(); }

    static std::filesystem::path MakeFolders(const CTempDir& dir) {
        for (const char* folder : {"maps/sub", "work", "tex1", "tex2"})
            std::filesystem::create_directories(dir.Path(folder));
        return dir.Path("work");
    }

    CTempDir m_dir;
    CWorkingDirectoryGuard m_inWork{MakeFolders(m_dir)};
    TextureSearchPaths m_paths;
};

TEST_F(TextureFileSearchTest, RelativeNamesTryTheMapsFolderThenTheWorkingDirectory) {
    using enum TextureFilePlace;
    EXPECT_EQ(Found("both.wad", kMapFolder), In("maps/both.wad"));
    EXPECT_EQ(Found("sub/nested.wad", kMapFolder), In("maps/sub/nested.wad"));
    EXPECT_EQ(Found("sub\\nested.wad", kMapFolder), In("maps/sub/nested.wad"));
    EXPECT_EQ(Found("cwd.wad", kAsNamed), "cwd.wad");
    EXPECT_EQ(Found(In("work/cwd.wad"), kAsNamed), In("work/cwd.wad"));
    m_paths.mapFolder.clear(); // a map never saved
    EXPECT_EQ(Found("both.wad", kAsNamed), "both.wad");
}

TEST_F(TextureFileSearchTest, OtherMachinesPathsAreFoundByTheirFileName) {
    using enum TextureFilePlace;
    EXPECT_EQ(Found("C:/Users/x/Desktop/q/own.wad", kMapFolderByName), In("maps/own.wad"));
    EXPECT_EQ(Found("../../texture-wads/own.wad", kMapFolderByName), In("maps/own.wad"));
    EXPECT_EQ(Found("D:\\q\\shared.wad", kTextureFolderByName), In("tex1/shared.wad"));
    EXPECT_EQ(Found("/nowhere/second.wad", kTextureFolderByName), In("tex2/second.wad"));
    EXPECT_EQ(Found("/nowhere/absent.wad", kAsNamed), "missing");
    EXPECT_EQ(Found("folder/", kAsNamed), "missing");
    EXPECT_EQ(Found("", kAsNamed), "missing");
    m_paths.textureFolders.clear();
    EXPECT_EQ(Found("D:\\q\\shared.wad", kAsNamed), "missing");
}

} // namespace
