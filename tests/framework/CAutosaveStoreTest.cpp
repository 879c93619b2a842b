#include "framework/CAutosaveStore.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(ReadFileText(found[0].newestCopy), "new castle");
    EXPECT_EQ(found[0].copyCount, 2u);
    EXPECT_EQ(found[1].origin, (AutosaveOrigin{"Tolve1", ""}));
    EXPECT_EQ(ReadFileText(found[1].newestCopy), "sketch");
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
    std::optional<CFileError> failed = store.SaveCopy(slot, "text", {"a.map", ""});
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->reason.empty());
}
