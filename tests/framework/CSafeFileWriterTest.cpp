#include "framework/CSafeFileWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Makes writes past `bytes` fail with EFBIG for the length of a test.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int);
};

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST(CSafeFileWriter, ReplacesTheTargetOnlyOnCommitAndKeepsItsPermissions) {
    CTempDir dir;
    auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    chmod(target.c_str(), 0640);
    {
        CSafeFileWriter writer(target.string());
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("new text", 8));
        EXPECT_EQ(ReadFileText(target), "old");
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadFileText(target), "new text");
    struct stat status;
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderEntries(dir.Root()), std::vector<std::string>{"a.map"});
}

TEST(CSafeFileWriter, AbandonedWriteLeavesNoTraceAndTheOldFile) {
    CTempDir dir;
    auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    {
        CSafeFileWriter writer(target.string());
        ASSERT_TRUE(writer.Open());
        writer.Write("partial", 7);
    }
    EXPECT_EQ(ReadFileText(target), "old");
    EXPECT_EQ(FolderEntries(dir.Root()), std::vector<std::string>{"a.map"});
}

TEST(CSafeFileWriter, FailedWriteIsReportedWithTheSystemsReason) {
    CTempDir dir;
    auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    CSafeFileWriter writer(target.string());
    ASSERT_TRUE(writer.Open());
    {
        CFileSizeLimit limit(16);
        std::string big(4096, 'x');
        EXPECT_FALSE(writer.Write(big.data(), big.size()));
    }
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(writer.GetError(), "File too large");
    EXPECT_EQ(ReadFileText(target), "old");
}

TEST(CSafeFileWriter, CannotCreateInAMissingFolder) {
    CTempDir dir;
    CSafeFileWriter writer(dir.Path("missing/a.map").string());
    EXPECT_FALSE(writer.Open());
    EXPECT_EQ(writer.GetError(), "No such file or directory");
}
