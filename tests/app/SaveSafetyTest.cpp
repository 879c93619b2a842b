#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/CRecentFileList.h"
#include "framework/FileAttributes.h"
#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"

#include <QStatusBar>

#include <gmock/gmock.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

namespace {

// Every point entity taken out, as the user deletes them: one step.
void RemovePointEntities(CTolveDoc& doc) {
    Edit(doc, [&doc](CMapEdits& edits) {
        while (!doc.GetPointEntities().empty())
            edits.RemovePointEntity(*doc.GetPointEntities().front());
    });
}

constexpr uid_t kNobody = 65534;

const std::string kOtherRoom = std::string(kRoomMap) + "{\n\"classname\" \"info_null\"\n}\n";

std::vector<std::string> Entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

using SaveAsOntoAnOpenMap = CAppFixture;

TEST_F(SaveAsOntoAnOpenMap, IsRefusedNamingItsWindowAndBothFilesStayAsTheyWere) {
    const QString a = WriteMap("a.map");
    const QString b = WriteMap("b.map", kOtherRoom.c_str());
    std::filesystem::create_symlink("b.map", m_files.Path("link.map"));
    StartApp({a, b});
    CTolveDoc& docA = *Docs().GetDocuments()[0];
    MakeModified(*Docs().GetDocuments()[1]);
    Frame().RefreshState();
    RemovePointEntities(docA);

    // Its own name and a link to it are the same file; each refusal leaves
    // the user to choose again, until Cancel.
    m_saveChooser.m_answers = {b.toStdString(), m_files.Path("link.map").string(), std::nullopt};
    EXPECT_FALSE(Docs().SaveDocumentAs(docA));
    EXPECT_EQ(m_saveChooser.m_suggestions.size(), 3u);
    EXPECT_EQ(m_saveChooser.m_suggestions.back(), m_files.Path("link.map").string());
    ASSERT_EQ(m_messages.m_boxes.size(), 2u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Save As");
    EXPECT_EQ(m_messages.m_boxes[0].text,
              "\"b.map\" is open in the window \"b.map*\". Close that window first to save this "
              "map over its file, or choose another name.");
    EXPECT_EQ(m_messages.m_boxes[1].text, m_messages.m_boxes[0].text);
    EXPECT_EQ(ReadFileText(a.toStdString()), kRoomMap);
    EXPECT_EQ(ReadFileText(b.toStdString()), kOtherRoom);
    EXPECT_EQ(docA.GetPathName(), a.toStdString());
    EXPECT_TRUE(docA.IsModified());

    // A map saved as its own file is no other map's.
    m_saveChooser.m_answers = {a.toStdString()};
    EXPECT_TRUE(Docs().SaveDocumentAs(docA));
    EXPECT_THAT(ReadFileText(a.toStdString()), Not(HasSubstr("light")));
    EXPECT_EQ(m_messages.m_boxes.size(), 2u);
}

// Becomes another user for file access as long as it lives: the effective
// user and group, without supplementary groups. Only root can, and go back.
class CEffectiveUser {
public:
    explicit CEffectiveUser(uid_t user) {
        m_groups.resize(static_cast<size_t>(std::max(getgroups(0, nullptr), 0)));
        m_groups.resize(static_cast<size_t>(
            std::max(getgroups(static_cast<int>(m_groups.size()), m_groups.data()), 0)));
        m_became = setgroups(0, nullptr) == 0 && setegid(user) == 0 && seteuid(user) == 0;
    }
    ~CEffectiveUser() {
        EXPECT_EQ(seteuid(m_user), 0);
        EXPECT_EQ(setegid(m_group), 0);
        EXPECT_EQ(setgroups(m_groups.size(), m_groups.data()), 0);
    }
    bool Became() const { return m_became; }

private:
    uid_t m_user = geteuid();
    gid_t m_group = getegid();
    std::vector<gid_t> m_groups;
    bool m_became = false;
};

using SavingAnotherUsersMap = CAppFixture;

// Saving a user's 0640 map as root used to hand it to root.
TEST_F(SavingAnotherUsersMap, KeepsItsOwnerAndMode) {
    if (getuid() != 0)
        GTEST_SKIP() << "only root may save a file of another user and give it back";
    const QString path = WriteMap("theirs.map");
    ASSERT_EQ(chown(path.toLocal8Bit().constData(), kNobody, kNobody), 0);
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0640), 0);
    StartApp({path});
    RemovePointEntities(ActiveDoc());
    Frame().RunCommand(CommandId::kFileSave);
    struct stat status {};
    ASSERT_EQ(stat(path.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_uid, kNobody);
    EXPECT_EQ(status.st_gid, kNobody);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_THAT(ReadFileText(path.toStdString()), Not(HasSubstr("light")));
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty());
}

TEST_F(SavingAnotherUsersMap, SavesAnywayAndTheStatusBarTellsWhatItCouldNotKeep) {
    if (getuid() != 0)
        GTEST_SKIP() << "only root can give a file a group its saver is not in";
    ASSERT_EQ(chown(m_files.Root().c_str(), kNobody, kNobody), 0);
    const QString path = WriteMap("shared.map");
    ASSERT_EQ(chown(path.toLocal8Bit().constData(), kNobody, 0), 0);
    ASSERT_EQ(chmod(path.toLocal8Bit().constData(), 0660), 0);
    StartApp({path});
    RemovePointEntities(ActiveDoc());
    {
        CEffectiveUser nobody(kNobody);
        if (!nobody.Became())
            GTEST_SKIP() << "cannot become an ordinary user";
        Frame().RunCommand(CommandId::kFileSave);
    }
    EXPECT_THAT(ReadFileText(path.toStdString()), Not(HasSubstr("light")));
    EXPECT_FALSE(ActiveDoc().IsModified());
    const AttributeChange change{{kNobody, 0, 0660}, {kNobody, kNobody, 0660}};
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(),
              DescribeAttributeChange("shared.map", change));
    EXPECT_THAT(Frame().statusBar()->currentMessage().toStdString(), HasSubstr("group"));
}

using StartingTheEditor = CAppFixture;

TEST_F(StartingTheEditor, RemovesWhatKilledSavesLeftBesideTheMapsItOpensAndTheRecentFiles) {
    for (const char* folder : {"opened", "recent", "elsewhere"})
        std::filesystem::create_directory(m_files.Path(folder));
    const std::string dead = ".a.map.tolve-save-2147483000-abcdef"; // no such process
    const std::string live = ".a.map.tolve-save-" + std::to_string(getpid()) + "-abcdef";
    for (const char* folder : {"opened/", "recent/", "elsewhere/"})
        WriteFileText(m_files.Path(folder + dead), "killed");
    WriteFileText(m_files.Path("opened/" + live), "a save going on");
    const QString opened = WriteMap("opened/a.map");
    const QString recent = WriteMap("recent/r.map");
    {
        CRecentFileList list;
        list.AddRecentFile(recent);
    }
    StartApp({opened});
    EXPECT_THAT(Entries(m_files.Path("opened")), UnorderedElementsAre("a.map", live));
    EXPECT_THAT(Entries(m_files.Path("recent")), UnorderedElementsAre("r.map"));
    EXPECT_THAT(Entries(m_files.Path("elsewhere")), UnorderedElementsAre(dead))
        << "no map of that folder was opened or recent";
}

} // namespace
