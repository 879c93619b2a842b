#include "framework/CSafeFileWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

bool WriteWhole(const std::string& target, const std::string& text, std::string* error = nullptr) {
    CSafeFileWriter writer(target);
    bool ok = writer.Open() && writer.Write(text.data(), text.size()) && writer.Commit();
    if (error)
        *error = writer.GetError();
    return ok;
}

constexpr uid_t kNobody = 65534;

// Runs `save` as an ordinary user in a child process: its exit status is 0 when
// the save was refused with "Permission denied", 1 when it was not, 77 when
// the user could not be changed.
int RefusalAsOrdinaryUser(const std::string& target) {
    pid_t child = fork();
    if (child == 0) {
        if (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(77);
        std::string error;
        bool saved = WriteWhole(target, "new", &error);
        _exit(!saved && error == "Permission denied" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct stat StatusOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0);
    return status;
}

// A group of the user's other than the one new files get; none when the user
// has no other.
std::optional<gid_t> AnotherGroupOfTheUser() {
    std::vector<gid_t> groups(static_cast<size_t>(std::max(getgroups(0, nullptr), 0)));
    groups.resize(static_cast<size_t>(
        std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    for (gid_t group : groups) {
        if (group != getegid())
            return group;
    }
    return std::nullopt;
}

constexpr gid_t kSecondGroup = 4242; // any number will do as a group

enum SaveAsNobodyResult { kKeptAll = 0, kNotSaved = 1, kKeptSome = 2, kNotNobody = 77 };

// Saves `target` as the ordinary user nobody, in `groups` besides its own, in
// a child process; tells whether the save went through and whether it said it
// kept every attribute.
int SaveAsNobody(const std::string& target, const std::vector<gid_t>& groups) {
    pid_t child = fork();
    if (child == 0) {
        if (setgroups(groups.size(), groups.data()) != 0 || setgid(kNobody) != 0 ||
            setuid(kNobody) != 0)
            _exit(kNotNobody);
        CSafeFileWriter writer(target);
        if (!writer.Open() || !writer.Write("new", 3) || !writer.Commit())
            _exit(kNotSaved);
        _exit(writer.GetAttributeChange().IsEmpty() ? kKeptAll : kKeptSome);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A folder and a map in it that nobody may write, the map of `group`.
void PrepareNobodysMap(const CTempDir& dir, const std::filesystem::path& target, gid_t group,
                       mode_t mode) {
    ASSERT_EQ(chown(dir.Root().c_str(), kNobody, kNobody), 0);
    WriteFileText(target, "old");
    ASSERT_EQ(chown(target.c_str(), kNobody, group), 0);
    ASSERT_EQ(chmod(target.c_str(), mode), 0);
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

// A map linked into a game folder used to be replaced by a plain copy.
TEST(CSafeFileWriter, SymlinkedTargetInAnotherFolderIsWrittenThroughTheLink) {
    CTempDir dir;
    std::filesystem::create_directory(dir.Path("game"));
    std::filesystem::create_directory(dir.Path("work"));
    WriteFileText(dir.Path("game/real.map"), "old");
    std::filesystem::create_symlink("../game/real.map", dir.Path("work/link.map"));
    std::filesystem::create_symlink("link.map", dir.Path("work/link2.map"));
    ASSERT_TRUE(WriteWhole(dir.Path("work/link2.map").string(), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("work/link.map")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("work/link2.map")));
    EXPECT_EQ(ReadFileText(dir.Path("game/real.map")), "new");
    EXPECT_EQ(FolderEntries(dir.Path("game")), std::vector<std::string>{"real.map"});
    EXPECT_EQ(FolderEntries(dir.Path("work")).size(), 2u);
}

TEST(CSafeFileWriter, LinkLoopIsRefused) {
    CTempDir dir;
    std::filesystem::create_symlink("b.map", dir.Path("a.map"));
    std::filesystem::create_symlink("a.map", dir.Path("b.map"));
    std::string error;
    EXPECT_FALSE(WriteWhole(dir.Path("a.map").string(), "x", &error));
    EXPECT_EQ(error, "Too many levels of symbolic links");
}

// Saving onto /dev/null as root used to replace the device with a plain file.
TEST(CSafeFileWriter, TargetThatIsNoRegularFileIsRefusedAndLeftAsItIs) {
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.Path("pipe.map").c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteWhole(dir.Path("pipe.map").string(), "x", &error));
    EXPECT_EQ(error, "it is a named pipe (FIFO), not a regular file");
    EXPECT_EQ(FolderEntries(dir.Root()), std::vector<std::string>{"pipe.map"});

    EXPECT_FALSE(WriteWhole("/dev/null", "x", &error));
    EXPECT_EQ(error, "it is a character device, not a regular file");
    struct stat status;
    ASSERT_EQ(stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

// A 0444 map in a writable folder used to be overwritten.
TEST(CSafeFileWriter, ReadOnlyTargetOrFolderIsRefusedForAnOrdinaryUser) {
    CTempDir dir;
    std::filesystem::permissions(dir.Root(), std::filesystem::perms::all);
    const auto target = dir.Path("locked.map");
    WriteFileText(target, "old");
    chmod(target.c_str(), 0444);
    std::filesystem::create_directory(dir.Path("shut"));
    chmod(dir.Path("shut").c_str(), 0555);
    if (getuid() == 0) {
        ASSERT_EQ(chown(target.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(dir.Path("shut").c_str(), kNobody, kNobody), 0);
    }
    int refusedFile = RefusalAsOrdinaryUser(target.string());
    if (refusedFile == 77)
        GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(refusedFile, 0);
    EXPECT_EQ(ReadFileText(target), "old");
    EXPECT_EQ(RefusalAsOrdinaryUser(dir.Path("shut/new.map").string()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("shut/new.map")));
}

TEST(CSafeFileWriter, TemporaryFileOfAKilledSaveIsRemovedByTheNextSave) {
    CTempDir dir;
    const std::string prefix = CSafeFileWriter::TempPrefix("a.map");
    EXPECT_EQ(prefix, ".a.map.tolve-save-");
    // No process has a number this high; process 1 is always there.
    WriteFileText(dir.Path(prefix + "2147483000-abcdef"), "stale");
    WriteFileText(dir.Path(prefix + "1-ghijkl"), "someone else's save");
    WriteFileText(dir.Path(".b.map.tolve-save-2147483000-abcdef"), "another map's");
    ASSERT_TRUE(WriteWhole(dir.Path("a.map").string(), "saved"));
    auto entries = FolderEntries(dir.Root());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{prefix + "1-ghijkl",
                                                 ".b.map.tolve-save-2147483000-abcdef", "a.map"}));
}

TEST(CSafeFileWriter, TemporaryFileSitsBesideTheTargetUnderARecognisableName) {
    CTempDir dir;
    CSafeFileWriter writer(dir.Path("a.map").string());
    ASSERT_TRUE(writer.Open());
    auto entries = FolderEntries(dir.Root());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].rfind(".a.map.tolve-save-" + std::to_string(getpid()) + "-", 0), 0u);
}

// Saving a user's 0640 map as root used to hand it to root.
TEST(CSafeFileWriter, TheNewFileKeepsTheOwnerGroupAndModeItMaySet) {
    CTempDir dir;
    const auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    uid_t owner = getuid();
    gid_t group = getegid();
    if (getuid() == 0) {
        owner = kNobody;
        group = kNobody;
    } else if (std::optional<gid_t> other = AnotherGroupOfTheUser()) {
        group = *other;
    } else {
        GTEST_SKIP() << "an ordinary user without a second group cannot give a file a group "
                        "that new files do not get";
    }
    ASSERT_EQ(chown(target.c_str(), owner, group), 0);
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);

    CSafeFileWriter writer(target.string());
    ASSERT_TRUE(writer.Open() && writer.Write("new", 3) && writer.Commit());
    const struct stat status = StatusOf(target);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(status.st_gid, group);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(writer.GetAttributeChange().IsEmpty());
    EXPECT_EQ(writer.GetWrittenFile().stamp, ReadFileStamp(target.string()));
    EXPECT_EQ(ReadFileText(target), "new");
}

// New files of nobody get its own group: the one of the map is given back.
TEST(CSafeFileWriter, AnOrdinaryUserKeepsAGroupOfTheirsAndTheMode) {
    if (getuid() != 0)
        GTEST_SKIP() << "only root can make a user of a second group";
    CTempDir dir;
    const auto target = dir.Path("shared.map");
    PrepareNobodysMap(dir, target, kSecondGroup, 02640);
    const int result = SaveAsNobody(target.string(), {kSecondGroup});
    if (result == kNotNobody)
        GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(result, kKeptAll);
    EXPECT_EQ(ReadFileText(target), "new");
    EXPECT_EQ(StatusOf(target).st_uid, kNobody);
    EXPECT_EQ(StatusOf(target).st_gid, kSecondGroup);
    EXPECT_EQ(StatusOf(target).st_mode & 07777, 02640u) << "set-group-id too, in its group";
}

TEST(CSafeFileWriter, WhatCannotBeKeptIsToldAndTheSaveStillHappens) {
    if (getuid() != 0)
        GTEST_SKIP() << "only root can give a file a group its saver is not in";
    CTempDir dir;
    const auto target = dir.Path("shared.map");
    PrepareNobodysMap(dir, target, 0, 0660);
    const int result = SaveAsNobody(target.string(), {});
    if (result == kNotNobody)
        GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(result, kKeptSome);
    EXPECT_EQ(ReadFileText(target), "new");
    EXPECT_EQ(StatusOf(target).st_gid, kNobody);
    EXPECT_EQ(StatusOf(target).st_mode & 07777, 0660u);
}

// Another program's write lands between the text and the rename: it is kept,
// and the writer says why it gave up.
TEST(CSafeFileWriter, AWriteByAnotherProgramDuringTheSaveIsKept) {
    CTempDir dir;
    auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    CSafeFileWriter::SetBeforeReplaceHook(
        [](const std::string& path) { WriteFileText(path, "old and theirs"); });
    std::string error;
    const bool saved = WriteWhole(target.string(), "mine", &error);
    CSafeFileWriter::SetBeforeReplaceHook({});
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, "another program changed it while Tolve was saving; the file was left as "
                     "that program wrote it");
    EXPECT_EQ(ReadFileText(target), "old and theirs");
    EXPECT_EQ(FolderEntries(dir.Root()), std::vector<std::string>{"a.map"});
}

// A link another program put in the place of a file that was not reached
// through one is replaced itself; the file it names is never written.
TEST(CSafeFileWriter, ALinkNotExpectedIsReplacedAndItsTargetLeftAlone) {
    CTempDir dir;
    auto target = dir.Path("a.map");
    WriteFileText(target, "old");
    const ExpectedTarget before{ReadEntryStamp(target.string()), false};
    WriteFileText(dir.Path("victim"), "precious");
    std::filesystem::remove(target);
    std::filesystem::create_symlink("victim", target);

    CSafeFileWriter unexpected(target.string());
    unexpected.Expect(before);
    EXPECT_FALSE(unexpected.Open());
    EXPECT_TRUE(unexpected.WasChangedMeanwhile());

    CSafeFileWriter agreed(target.string());
    agreed.Expect({ReadEntryStamp(target.string()), false});
    ASSERT_TRUE(agreed.Open() && agreed.Write("mine", 4) && agreed.Commit());
    EXPECT_FALSE(std::filesystem::is_symlink(target));
    EXPECT_EQ(ReadFileText(target), "mine");
    EXPECT_EQ(ReadFileText(dir.Path("victim")), "precious");
}
