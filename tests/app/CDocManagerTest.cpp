#include "CAppFixture.h"
#include "app/CMenuBars.h"
#include "app/CRecentFileList.h"
#include "app/SearchFolderSetting.h"
#include "map/CMapEdits.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

QStringList FrameTitles(CDocManager& docs, const CTolveDoc& doc) {
    QStringList titles;
    for (CChildFrame* frame : docs.GetFrames(doc))
        titles.append(frame->windowTitle());
    return titles;
}

using CDocManagerNew = CAppFixture;

TEST_F(CDocManagerNew, CountsUntitledMapsUpAndNeverBack) {
    StartApp();
    Frame().RunCommand(CommandId::kFileNew);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve2");
    ASSERT_TRUE(Docs().CloseDocument(ActiveDoc()));
    Frame().RunCommand(CommandId::kFileNew);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve3");
    EXPECT_EQ(Docs().GetDocuments().size(), 2u);
}

using CDocManagerOpen = CAppFixture;

TEST_F(CDocManagerOpen, AsksForAMapFileAndOpensIt) {
    StartApp();
    m_openChooser.m_answers = {m_files.Path("room.map").string()};
    WriteMap("room.map");
    Frame().RunCommand(CommandId::kFileOpen);
    ASSERT_EQ(m_openChooser.m_requests.size(), 1u);
    EXPECT_EQ(m_openChooser.m_requests[0].filterText, "Quake Map Files (*.map)");
    EXPECT_EQ(m_openChooser.m_requests[0].pattern, "*.map");
    EXPECT_EQ(m_openChooser.m_requests[0].defaultExtension, "map");
    EXPECT_TRUE(m_openChooser.m_requests[0].mustExist);
    EXPECT_EQ(ActiveDoc().GetTitle(), "room.map");
}

TEST_F(CDocManagerOpen, CancellingTheChooserOpensNothing) {
    StartApp();
    Frame().RunCommand(CommandId::kFileOpen);
    EXPECT_EQ(Docs().GetDocuments().size(), 1u);
}

TEST_F(CDocManagerOpen, AnOpenMapIsActivatedInsteadOfOpenedTwice) {
    QString path = WriteMap("room.map");
    StartApp({path});
    Frame().RunCommand(CommandId::kFileNew);
    CTolveDoc* first = Docs().GetDocuments().front().get();
    // Another spelling of the same file.
    std::filesystem::path sameFile = m_files.Root() / ".." / m_files.Root().filename() / "room.map";
    EXPECT_EQ(Docs().OpenDocument(QString::fromStdString(sameFile.string())), first);
    EXPECT_EQ(Docs().GetDocuments().size(), 2u);
    EXPECT_EQ(&ActiveDoc(), first);
}

TEST_F(CDocManagerOpen, AFileDroppedOnTheWindowIsOpened) {
    StartApp();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(WriteMap("dropped.map"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&Frame(), &drop);
    EXPECT_EQ(ActiveDoc().GetTitle(), "dropped.map");
}

TEST_F(CDocManagerOpen, DragsWithoutFilesAreRefused) {
    StartApp();
    QMimeData data;
    data.setText(QStringLiteral("not a file"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(&Frame(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// The texture folders of the setting reach every map's catalogue: a file the
// map names by another machine's path is found there by its name.
TEST_F(CDocManagerOpen, TheMapsTextureFilesAreLookedForInTheTextureFolders) {
    std::filesystem::create_directories(m_userData.Path("textures"));
    std::filesystem::copy_file(TestDataPath("wads/ericw_fence.wad"),
                               m_userData.Path("textures/fence.wad"));
    StoreTextureFolders(
        {m_userData.Path("elsewhere").string(), m_userData.Path("textures").string()});
    std::string text = kRoomMap;
    text.insert(text.find('\n', 2) + 1, "\"wad\" \"C:\\q\\fence.wad\"\n");
    StartApp({WriteMap("fenced.map", text.c_str())});
    EXPECT_THAT(m_messages.m_boxes, IsEmpty());
    EXPECT_THAT(ActiveDoc().m_textureWad.GetTextureNames(), ElementsAre("{trigger"));

    StoreTextureFolders({});
    Docs().OpenDocument(WriteMap("fenced2.map", text.c_str()));
    ASSERT_EQ(m_messages.m_boxes.size(), 1u) << "the setting is read at each opening";
    EXPECT_THAT(m_messages.m_boxes[0].text, HasSubstr("C:\\q\\fence.wad: missing"));
}

using CDocManagerWindows = CAppFixture;

TEST_F(CDocManagerWindows, NewWindowShowsTheSameMapAgainNumbered) {
    StartApp();
    CTolveDoc& doc = ActiveDoc();
    CChildFrame* first = ActiveFrame();
    Frame().RunCommand(CommandId::kWindowNew);
    CChildFrame* second = ActiveFrame();
    ASSERT_NE(second, first);
    EXPECT_EQ(&second->GetDocument(), &doc);
    EXPECT_NE(&second->GetView(), &first->GetView());
    EXPECT_EQ(doc.GetViews().size(), 2u);
    EXPECT_THAT(FrameTitles(Docs(), doc), ElementsAre("Tolve1:1", "Tolve1:2"));
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve1:2]");

    // Closing one window of two asks nothing and leaves the map open.
    MakeModified(doc);
    first->close();
    ProcessDeferredDeletes();
    EXPECT_TRUE(m_messages.m_boxes.empty());
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    EXPECT_THAT(FrameTitles(Docs(), doc), ElementsAre("Tolve1*"));
}

TEST_F(CDocManagerWindows, AMaximisedWindowNamesItsMapOnceInTheTitle) {
    StartApp();
    ActiveFrame()->showMaximized();
    Frame().RunCommand(CommandId::kWindowNew);
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve1:2]");
    MakeModified(ActiveDoc());
    Frame().RefreshState();
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve1:2*]");
    Frame().RunCommand(CommandId::kFileNew);
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve2]");
    ActiveFrame()->showNormal();
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve2]");
}

using CDocManagerClose = CAppFixture;

TEST_F(CDocManagerClose, YesSavesTheModifiedMapThenClosesIt) {
    StartApp();
    MakeModified(ActiveDoc());
    m_messages.m_answers = {MessageAnswer::kYes};
    std::string target = m_files.Path("saved.map").string();
    m_saveChooser.m_answers = {target};
    const std::string mapText = MapText(ActiveDoc());
    Frame().RunCommand(CommandId::kFileClose);

    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "Tolve");
    EXPECT_EQ(m_messages.m_boxes[0].text, "Save changes to \"Tolve1\" before closing?");
    EXPECT_EQ(m_messages.m_boxes[0].icon, MessageIcon::kQuestion);
    ASSERT_EQ(m_saveChooser.m_suggestions.size(), 1u);
    EXPECT_EQ(m_saveChooser.m_suggestions[0], "Tolve1.map");
    EXPECT_EQ(m_saveChooser.m_requests[0].defaultExtension, "map");
    EXPECT_EQ(ReadFileText(target), mapText);
    EXPECT_THAT(mapText, HasSubstr("worldspawn"));
    EXPECT_TRUE(Docs().GetDocuments().empty());
    EXPECT_EQ(Frame().GetActiveFrame(), nullptr);
}

TEST_F(CDocManagerClose, NoDiscardsTheChanges) {
    QString path = WriteMap("room.map");
    StartApp({path});
    MakeModified(ActiveDoc());
    m_messages.m_answers = {MessageAnswer::kNo};
    ActiveFrame()->close();
    ProcessDeferredDeletes();
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_TRUE(Docs().GetDocuments().empty());
    EXPECT_EQ(ReadFileText(path.toStdString()), kRoomMap);
}

TEST_F(CDocManagerClose, CancelKeepsTheMapOpen) {
    StartApp();
    MakeModified(ActiveDoc());
    m_messages.m_answers = {MessageAnswer::kCancel};
    ActiveFrame()->close();
    ProcessDeferredDeletes();
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    EXPECT_NE(ActiveFrame(), nullptr);
    EXPECT_TRUE(ActiveDoc().IsModified());
    EXPECT_TRUE(m_saveChooser.m_requests.empty());
}

TEST_F(CDocManagerClose, ASaveThatIsCancelledKeepsTheMapOpen) {
    StartApp();
    MakeModified(ActiveDoc());
    m_messages.m_answers = {MessageAnswer::kYes};
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_EQ(m_saveChooser.m_requests.size(), 1u);
    EXPECT_EQ(Docs().GetDocuments().size(), 1u);
}

TEST_F(CDocManagerClose, AnUnchangedMapClosesWithoutAQuestion) {
    StartApp();
    Frame().RunCommand(CommandId::kFileClose);
    EXPECT_TRUE(m_messages.m_boxes.empty());
    EXPECT_TRUE(Docs().GetDocuments().empty());
}

TEST_F(CDocManagerClose, ExitAsksForEachModifiedMapAndCancelStopsIt) {
    StartApp({WriteMap("a.map")});
    Frame().RunCommand(CommandId::kFileNew);
    Frame().RunCommand(CommandId::kFileNew);
    MakeModified(*Docs().GetDocuments()[0]);
    MakeModified(*Docs().GetDocuments()[2]);
    m_messages.m_answers = {MessageAnswer::kYes, MessageAnswer::kCancel};
    Frame().RunCommand(CommandId::kAppExit);

    EXPECT_THAT(m_messages.Texts(), ElementsAre("Save changes to \"a.map\" before closing?",
                                                "Save changes to \"Tolve2\" before closing?"));
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Docs().GetDocuments().size(), 3u);
    EXPECT_FALSE(Docs().GetDocuments()[0]->IsModified()); // saved in place

    m_messages.m_answers = {MessageAnswer::kNo};
    Frame().RunCommand(CommandId::kAppExit);
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_TRUE(Docs().GetDocuments().empty());
}

using CDocManagerSave = CAppFixture;

TEST_F(CDocManagerSave, SaveWritesToTheMapsOwnFile) {
    QString path = WriteMap("room.map");
    StartApp({path});
    Edit(ActiveDoc(),
         [&](CMapEdits& edits) { edits.RemovePointEntity(*ActiveDoc().GetPointEntities().at(0)); });
    Frame().RunCommand(CommandId::kFileSave);
    EXPECT_TRUE(m_saveChooser.m_requests.empty());
    EXPECT_FALSE(ActiveDoc().IsModified());
    EXPECT_THAT(ReadFileText(path.toStdString()), Not(HasSubstr("light")));
}

TEST_F(CDocManagerSave, SaveAsRenamesTheMapAndRemembersIt) {
    StartApp();
    std::string target = m_files.Path("renamed.map").string();
    m_saveChooser.m_answers = {target};
    Frame().RunCommand(CommandId::kFileSaveAs);
    EXPECT_EQ(ActiveDoc().GetTitle(), "renamed.map");
    EXPECT_EQ(ActiveDoc().GetPathName(), target);
    EXPECT_EQ(ActiveFrame()->windowTitle(), "renamed.map");
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(QString::fromStdString(target)));
}

TEST_F(CDocManagerSave, AFailedSaveKeepsTheNameAndTheChanges) {
    StartApp();
    MakeModified(ActiveDoc());
    m_saveChooser.m_answers = {m_files.Path("no-such-folder/x.map").string()};
    Frame().RunCommand(CommandId::kFileSaveAs);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve1");
    EXPECT_TRUE(ActiveDoc().IsModified());
    EXPECT_FALSE(m_messages.m_boxes.empty());
    EXPECT_EQ(ActiveFrame()->windowTitle(), "Tolve1*");
}

using CDocManagerRecent = CAppFixture;

TEST_F(CDocManagerRecent, KeepsTheThreeLatestNewestFirst) {
    StartApp();
    QStringList paths;
    for (const char* name : {"1.map", "2.map", "3.map", "4.map"})
        paths.append(WriteMap(name));
    for (const QString& path : paths)
        Docs().OpenDocument(path);
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(paths[3], paths[2], paths[1]));

    // Opening one again moves it to the top without a duplicate.
    Docs().OpenDocument(paths[1]);
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(paths[1], paths[3], paths[2]));

    CRecentFileList reloaded;
    reloaded.LoadRecentFiles();
    EXPECT_EQ(reloaded.GetPaths(), m_app->GetRecentFiles().GetPaths());
}

TEST_F(CDocManagerRecent, AnEntryThatNoLongerOpensLeavesTheList) {
    QString gone = WriteMap("gone.map");
    QString kept = WriteMap("kept.map");
    {
        CRecentFileList list;
        list.AddRecentFile(kept);
        list.AddRecentFile(gone);
    }
    std::filesystem::remove(gone.toStdString());
    StartApp();
    QAction* first = Frame().GetMenuBars().GetRecentActions()[0];
    EXPECT_EQ(first->text(), "&1 " + gone);
    first->trigger();
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(kept));
    Frame().GetMenuBars().GetRecentActions()[0]->trigger();
    EXPECT_EQ(ActiveDoc().GetTitle(), "kept.map");
}

} // namespace
