// Files that claim more than memory holds, as a sparse file does at no cost
// of disk, are refused with a message by every reader: nothing takes them
// whole, and nothing aborts.
#include "ToolRun.h"

#include "entity/EntityDefinitions.h"
#include "framework/CAutosaveStore.h"
#include "framework/RegularFile.h"
#include "map/MapFileCheck.h"
#include "map/PointFile.h"
#include "texture/TextureWadEntry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

using ::testing::HasSubstr;

namespace {

using namespace std::string_literals;

constexpr off_t kTenTebibytes = off_t{10} << 40;

void MakeSparse(const std::filesystem::path& path, const std::string& head) {
    WriteFileText(path, head);
    ASSERT_EQ(::truncate(path.c_str(), kTenTebibytes), 0);
}

struct OversizedFile {
    const char* reader;
    const char* name;
    std::string head; // what the file starts with before its holes
    // Reads the file as its reader does; what the user is told.
    std::string (*read)(const CTempDir& dir, const std::string& path);
};

void PrintTo(const OversizedFile& file, std::ostream* out) {
    *out << file.reader;
}

std::string OpenMap(const CTempDir&, const std::string& path) {
    CRecordingMessages messages;
    CTolveDoc doc;
    return OpenShowing(doc, path) ? "opened" : ::testing::PrintToString(messages.Texts());
}

std::string ReadDefinitions(const CTempDir&, const std::string& path) {
    CEntityDefinitions definitions;
    if (definitions.ReadFile(path) || definitions.GetProblems().empty())
        return "read";
    return definitions.GetProblems().front().message;
}

std::string ReadPoints(const CTempDir&, const std::string& path) {
    PointFile file;
    return ReadPointFile(path, file).value_or("read");
}

std::string LoadTextureFile(const CTempDir&, const std::string& path) {
    return DescribeTextureFileState(CTextureFile(path).Load());
}

// A copy that a crashed run left behind, its origin as large as the copy.
std::string OfferAbandonedCopy(const CTempDir& dir, const std::string& path) {
    const std::filesystem::path root = dir.Path("autosave");
    {
        auto crashed = std::make_unique<CAutosaveStore>(root);
        if (crashed->Open() || crashed->SaveCopy(crashed->AddSlot(), "{\n}\n", {"a.map", path}))
            return "no copy";
        const std::filesystem::path copy = crashed->ListCopies(1).at(0);
        MakeSparse(copy, "{\n");
        MakeSparse(copy.parent_path() / "origin", "a.map\n");
    }
    CAutosaveStore starting(root);
    const std::vector<AbandonedAutosave> found = starting.FindAbandoned();
    if (found.size() != 1)
        return "not offered";
    const std::optional<MapFileProblem> problem = FindFirstMapFileProblem(found[0].copies[0]);
    return problem ? problem->message : "read";
}

std::string CheckWithTool(const CTempDir& dir, const std::string& path) {
    const ToolRun run = RunTool(dir, "check", {path});
    return run.status == 2 ? run.err : "exit status " + std::to_string(run.status);
}

class OversizedFileTest : public ::testing::TestWithParam<OversizedFile> {};

} // namespace

TEST_P(OversizedFileTest, IsRefusedAsTooLarge) {
    CTempDir dir;
    const std::string path = dir.Path(GetParam().name).string();
    MakeSparse(path, GetParam().head);
    EXPECT_THAT(GetParam().read(dir, path), HasSubstr("larger than"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryReader, OversizedFileTest,
    ::testing::Values(
        OversizedFile{"map", "a.map", "{\n", OpenMap},
        OversizedFile{"fgd", "a.fgd", "@PointClass = a []\n", ReadDefinitions},
        OversizedFile{"quaked", "a.def", "/*QUAKED a (1 0 0) ?\n*/\n", ReadDefinitions},
        OversizedFile{"point file", "a.pts", "0 0 0\n", ReadPoints},
        // A directory of 2^31 - 1 entries right after the header.
        OversizedFile{"wad", "a.wad", "WAD2\xFF\xFF\xFF\x7F\x0C\0\0\0"s, LoadTextureFile},
        OversizedFile{"autosave copy", "b.map", "", OfferAbandonedCopy},
        OversizedFile{"tolve-map", "c.map", "{\n", CheckWithTool}));

// A file may hold more than it says it does, as those of /proc do.
TEST(RegularFile, WhatIsReadIsHeldToTheLimitToo) {
    std::string text, reason;
    EXPECT_FALSE(ReadRegularFile("/proc/self/maps", text, reason, 64));
    EXPECT_EQ(reason, "it is larger than 64 bytes, too large to be read");
    EXPECT_TRUE(text.empty());
}
