#include "framework/CStaleSaveSweeper.h"

#include "TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using ::testing::UnorderedElementsAre;

// No process has a number this high.
const std::string kDeadPid = "2147483000";

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(CStaleSaveSweeper, RemovesOnlyFilesOfDeadSavesThatFollowTheScheme) {
    CTempDir dir;
    const std::string live = ".a.map.tolve-save-" + std::to_string(getpid()) + "-abcdef";
    WriteFileText(dir.Path("a.map"), "map");
    WriteFileText(dir.Path(".a.map.tolve-save-" + kDeadPid + "-abcdef"), "killed");
    WriteFileText(dir.Path(".b.map.tolve-save-" + kDeadPid + "-XyZ123"), "killed");
    WriteFileText(dir.Path(live), "a save going on");
    WriteFileText(dir.Path(".a.map.tolve-save-" + kDeadPid + "-abc"), "not mkstemp's");
    WriteFileText(dir.Path(".a.map.tolve-save-12x-abcdef"), "no number");
    WriteFileText(dir.Path("notes.tolve-save-" + kDeadPid + "-abcdef"), "not hidden");
    std::filesystem::create_directory(dir.Path(".c.map.tolve-save-" + kDeadPid + "-abcdef"));
    std::filesystem::create_symlink("a.map", dir.Path(".d.map.tolve-save-" + kDeadPid + "-abcdef"));

    EXPECT_EQ(CStaleSaveSweeper::SweepFolder(dir.Root().string()), 2);
    EXPECT_THAT(Entries(dir.Root()),
                UnorderedElementsAre("a.map", live, ".a.map.tolve-save-" + kDeadPid + "-abc",
                                     ".a.map.tolve-save-12x-abcdef",
                                     "notes.tolve-save-" + kDeadPid + "-abcdef",
                                     ".c.map.tolve-save-" + kDeadPid + "-abcdef",
                                     ".d.map.tolve-save-" + kDeadPid + "-abcdef"));
}

TEST(CStaleSaveSweeper, SweepsEachFolderOnceAndOneFilesSavesWhenNamed) {
    CTempDir dir;
    const std::string staleA = ".a.map.tolve-save-" + kDeadPid + "-aaaaaa";
    const std::string staleB = ".b.map.tolve-save-" + kDeadPid + "-bbbbbb";
    WriteFileText(dir.Path(staleA), "killed");
    WriteFileText(dir.Path(staleB), "killed");
    EXPECT_EQ(CStaleSaveSweeper::SweepFolder(dir.Root().string(), "a.map"), 1);
    EXPECT_THAT(Entries(dir.Root()), UnorderedElementsAre(staleB));

    CStaleSaveSweeper sweeper;
    sweeper.SweepFolderOf(dir.Path("b.map").string());
    EXPECT_TRUE(Entries(dir.Root()).empty());
    WriteFileText(dir.Path(staleA), "killed later");
    sweeper.SweepFolderOf(dir.Path("a.map").string());
    EXPECT_THAT(Entries(dir.Root()), UnorderedElementsAre(staleA)) << "once per folder";
}

} // namespace
