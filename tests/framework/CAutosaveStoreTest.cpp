#include "framework/CAutosaveStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Texts(const std::vector<fs::path>& files) {
    std::vector<std::string> texts;
    for (const fs::path& file : files)
        texts.push_back(ReadFileText(file));
    return texts;
}

std::vector<fs::path> Entries(const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        entries.push_back(entry.path());
    return entries;
}

class AutosaveStoreTest : public ::testing::Test {
protected:
    fs::path Root() const { return m_dir.Path("autosave"); }

    CTempDir m_dir;
};

} // namespace

TEST_F(AutosaveStoreTest, KeepsTheNewestTenCopiesOfEachSlot) {
    CAutosaveStore store(Root());
    ASSERT_FALSE(store.Open());
    const int castle = store.AddSlot();
    const int tower = store.AddSlot();
    for (int i = 1; i <= 12; ++i)
        ASSERT_FALSE(store.SaveCopy(castle, "castle " + std::to_string(i), {"castle.map", "/m"}));
    ASSERT_FALSE(store.SaveCopy(tower, "tower", {"Tolve2", ""}));

    std::vector<std::string> expected;
    for (int i = 3; i <= 12; ++i)
        expected.push_back("castle " + std::to_string(i));
    EXPECT_EQ(Texts(store.ListCopies(castle)), expected);
    EXPECT_EQ(Texts(store.ListCopies(tower)), std::vector<std::string>{"tower"});

    store.RemoveSlot(castle);
    EXPECT_TRUE(store.ListCopies(castle).empty());
    EXPECT_EQ(store.ListCopies(tower).size(), 1u);
}

TEST_F(AutosaveStoreTest, ARunThatClosedEverythingLeavesNothingBehind) {
    {
        CAutosaveStore store(Root());
        ASSERT_FALSE(store.Open());
        const int slot = store.AddSlot();
        ASSERT_FALSE(store.SaveCopy(slot, "text", {"a.map", ""}));
        store.RemoveSlot(slot);
    }
    EXPECT_TRUE(Entries(Root()).empty());
}

TEST_F(AutosaveStoreTest, OffersOnlyTheCopiesOfRunsThatEndedWithoutClosingThem) {
    auto crashed = std::make_unique<CAutosaveStore>(Root());
    ASSERT_FALSE(crashed->Open());
    const int untitled = crashed->AddSlot();
    ASSERT_FALSE(crashed->SaveCopy(untitled, "sketch", {"Tolve1", ""}));
    const int castle = crashed->AddSlot();
    ASSERT_FALSE(crashed->SaveCopy(castle, "old castle", {"castle.map", "/maps/castle.map"}));
    ASSERT_FALSE(crashed->SaveCopy(castle, "new castle", {"castle.map", "/maps/castle.map"}));
    crashed->AddSlot(); // a map never autosaved leaves no slot

    CAutosaveStore running(Root());
    ASSERT_FALSE(running.Open());
    ASSERT_FALSE(running.SaveCopy(running.AddSlot(), "busy", {"busy.map", ""}));

    CAutosaveStore starting(Root());
    ASSERT_FALSE(starting.Open());
    EXPECT_TRUE(starting.FindAbandoned().empty()) << "both runs still hold their locks";

    crashed.reset(); // as a crash would: the lock goes, the copies stay
    std::vector<AbandonedAutosave> found = starting.FindAbandoned();
    ASSERT_EQ(found.size(), 2u) << "by title, whatever the case";
    EXPECT_EQ(found[0].origin, (AutosaveOrigin{"castle.map", "/maps/castle.map"}));
    EXPECT_EQ(Texts(found[0].copies), (std::vector<std::string>{"old castle", "new castle"}));
    EXPECT_EQ(found[1].origin, (AutosaveOrigin{"Tolve1", ""}));
    EXPECT_EQ(Texts(found[1].copies), std::vector<std::string>{"sketch"});
}

TEST_F(AutosaveStoreTest, AdoptedCopiesStayUntilTheRecoveredMapIsSavedOrClosed) {
    {
        CAutosaveStore crashed(Root());
        ASSERT_FALSE(crashed.Open());
        ASSERT_FALSE(crashed.SaveCopy(crashed.AddSlot(), "castle", {"castle.map", ""}));
        ASSERT_FALSE(crashed.SaveCopy(crashed.AddSlot(), "tower", {"tower.map", ""}));
    }
    CAutosaveStore store(Root());
    ASSERT_FALSE(store.Open());
    std::vector<AbandonedAutosave> found = store.FindAbandoned();
    ASSERT_EQ(found.size(), 2u);

    std::optional<int> slot = store.AdoptAbandoned(found[0]);
    ASSERT_TRUE(slot);
    store.DiscardAbandoned(found[1]);
    EXPECT_TRUE(store.FindAbandoned().empty());
    EXPECT_EQ(Entries(Root()).size(), 1u) << "the crashed run's folder is gone";

    // The adopted slot goes on numbering after its copies.
    ASSERT_FALSE(store.SaveCopy(*slot, "castle, later", {"castle.map", ""}));
    EXPECT_EQ(Texts(store.ListCopies(*slot)),
              (std::vector<std::string>{"castle", "castle, later"}));
    EXPECT_FALSE(store.AdoptAbandoned(found[0])) << "copies adopted once are gone";
}

TEST_F(AutosaveStoreTest, SaysWhyWhenCopiesCannotBeKept) {
    WriteFileText(Root(), "a file where the folder should be");
    CAutosaveStore blocked(Root());
    std::optional<std::string> error = blocked.Open();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(Root().string()), std::string::npos) << *error;
    EXPECT_TRUE(blocked.SaveCopy(blocked.AddSlot(), "text", {"a.map", ""}));
    EXPECT_TRUE(blocked.FindAbandoned().empty());

    fs::remove(Root());
    CAutosaveStore store(Root());
    ASSERT_FALSE(store.Open());
    const int slot = store.AddSlot();
    const fs::path session = Entries(Root()).front();
    WriteFileText(session / ("map-" + std::to_string(slot)), "in the way");
    std::optional<FileError> failed = store.SaveCopy(slot, "text", {"a.map", ""});
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->reason.empty());
}

// Removing the autosave folder under a running editor used to let its next
// copy make the folder again without the lock, so that another run offered,
// and could discard, the live run's map.
TEST_F(AutosaveStoreTest, ARunLocksItsFolderAgainWhenTheFolderOrItsLockWasRemoved) {
    auto live = std::make_unique<CAutosaveStore>(Root());
    ASSERT_FALSE(live->Open());
    const int slot = live->AddSlot();
    ASSERT_FALSE(live->SaveCopy(slot, "first", {"castle.map", ""}));
    const fs::path session = Entries(Root()).front();

    fs::remove_all(Root());
    ASSERT_FALSE(live->SaveCopy(slot, "after the folder went", {"castle.map", ""}));
    CAutosaveStore other(Root());
    ASSERT_FALSE(other.Open());
    EXPECT_TRUE(other.FindAbandoned().empty()) << "the live run holds its lock again";
    EXPECT_EQ(Texts(live->ListCopies(slot)), std::vector<std::string>{"after the folder went"});

    fs::remove(session / "lock");
    ASSERT_FALSE(live->SaveCopy(slot, "after the lock went", {"castle.map", ""}));
    EXPECT_TRUE(fs::exists(session / "lock"));
    EXPECT_TRUE(other.FindAbandoned().empty());

    live.reset(); // as a crash would
    std::vector<AbandonedAutosave> found = other.FindAbandoned();
    ASSERT_EQ(found.size(), 1u) << "it was only the lock that kept them";
    EXPECT_EQ(Texts(found[0].copies),
              (std::vector<std::string>{"after the folder went", "after the lock went"}));
}

namespace {

constexpr uid_t kNobody = 65534;

// Runs `check` as an ordinary user in a child process, so that permissions
// hold even when the tests run as root: the child's exit status is what
// `check` returns, 77 when the user could not be changed.
template <class Check> int RunAsOrdinaryUser(Check check) {
    pid_t child = fork();
    if (child == 0) {
        if (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(77);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void GiveToNobody(const fs::path& tree) {
    ASSERT_EQ(chown(tree.c_str(), kNobody, kNobody), 0);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree))
        ASSERT_EQ(chown(entry.path().c_str(), kNobody, kNobody), 0);
}

} // namespace

// A run that could not make its own folder used to offer nothing, not even
// what a crash had left there.
TEST_F(AutosaveStoreTest, CopiesInAFolderThisRunCannotWriteAreStillOfferedAndHeld) {
    {
        CAutosaveStore crashed(Root());
        ASSERT_FALSE(crashed.Open());
        const int slot = crashed.AddSlot();
        ASSERT_FALSE(crashed.SaveCopy(slot, "old castle", {"castle.map", ""}));
        ASSERT_FALSE(crashed.SaveCopy(slot, "new castle", {"castle.map", ""}));
    }
    fs::permissions(m_dir.Root(), fs::perms::all);
    if (getuid() == 0)
        GiveToNobody(Root());
    ASSERT_EQ(chmod(Root().c_str(), 0500), 0); // its owner may look, not write

    // Each step that goes wrong exits with a number of its own.
    const int status = RunAsOrdinaryUser([this]() -> int {
        CAutosaveStore store(Root());
        if (!store.Open())
            return 1; // the folder is written after all
        std::vector<AbandonedAutosave> found = store.FindAbandoned();
        if (found.size() != 1 ||
            Texts(found[0].copies) != std::vector<std::string>{"old castle", "new castle"})
            return 2;
        std::optional<int> slot = store.AdoptAbandoned(found[0]);
        if (!slot || Texts(store.ListCopies(*slot)).size() != 2)
            return 3;
        CAutosaveStore another(Root());
        if (!another.FindAbandoned().empty())
            return 4;            // held copies are nobody else's
        store.RemoveSlot(*slot); // the recovered map was saved
        if (fs::exists(found[0].folder))
            return 5;
        return 0;
    });
    chmod(Root().c_str(), 0700);
    if (status == 77)
        GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(status, 0);
}
