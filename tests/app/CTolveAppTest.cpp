#include "CAppFixture.h"
#include "app/CAboutBox.h"
#include "app/CInstanceServer.h"
#include "app/CMenuBars.h"
#include "app/CQtSoundPlayer.h"
#include "app/CRecentFileList.h"
#include "map/CTolveDoc.h"
#include "widgets/CTolveView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using CTolveAppStartUp = CAppFixture;

TEST_F(CTolveAppStartUp, WithoutArgumentsOpensOneEmptyMapTolve1) {
    StartApp();
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    CTolveDoc& doc = *Docs().GetDocuments().front();
    EXPECT_EQ(doc.GetTitle(), "Tolve1");
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetWorldBrushes().empty());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [Tolve1]");
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
    // The new map loaded the default texture file beside it, with progress.
    ASSERT_EQ(m_progress.m_displays.size(), 1u);
    EXPECT_TRUE(m_progress.m_displays[0].closed);
}

TEST_F(CTolveAppStartUp, WithAPathOpensOnlyThatMap) {
    QString path = WriteMap("room.map");
    StartApp({path});
    ASSERT_EQ(Docs().GetDocuments().size(), 1u);
    CTolveDoc& doc = *Docs().GetDocuments().front();
    EXPECT_EQ(doc.GetTitle(), "room.map");
    EXPECT_EQ(doc.GetPathName(), m_files.Path("room.map").string());
    EXPECT_EQ(doc.GetWorldBrushes().size(), 1u);
    EXPECT_EQ(doc.GetPointEntities().size(), 1u);
    EXPECT_TRUE(Frame().GetMenuBars().IsShowingMapMenus());
    EXPECT_EQ(Frame().windowTitle(), "Tolve - [room.map]");
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(path));
}

TEST_F(CTolveAppStartUp, WithSeveralPathsOpensEachOfThem) {
    StartApp({WriteMap("a.map"), WriteMap("b.map")});
    ASSERT_EQ(Docs().GetDocuments().size(), 2u);
    EXPECT_EQ(Docs().GetDocuments()[1]->GetTitle(), "b.map");
    EXPECT_EQ(ActiveDoc().GetTitle(), "b.map");
}

TEST_F(CTolveAppStartUp, AMapThatCannotBeReadLeavesAnEmptyEditor) {
    StartApp({QString::fromStdString(m_files.Path("missing.map").string())});
    EXPECT_TRUE(Docs().GetDocuments().empty());
    ASSERT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(m_messages.m_boxes[0].title, "File Open Error");
    EXPECT_FALSE(Frame().GetMenuBars().IsShowingMapMenus());
    EXPECT_EQ(Frame().windowTitle(), "Tolve");
    EXPECT_TRUE(Frame().isVisible());
    // A later New still counts from one.
    Frame().RunCommand(CommandId::kFileNew);
    EXPECT_EQ(ActiveDoc().GetTitle(), "Tolve1");
}

TEST_F(CTolveAppStartUp, RecentFilesComeBackFromTheSettings) {
    QString path = WriteMap("kept.map");
    {
        CRecentFileList list;
        list.AddRecentFile(path);
    }
    StartApp();
    EXPECT_THAT(m_app->GetRecentFiles().GetPaths(), ElementsAre(path));
}

TEST_F(CTolveAppStartUp, TheSoundIsLookedForWhereTheEditorStarted) {
    CTempDir startDir;
    {
        CWorkingDirectoryGuard startHere(startDir.Root());
        StartApp();
    }
    std::string expected = std::filesystem::canonical(startDir.Root()).string() + "/al'tolve.wav";
    EXPECT_EQ(m_app->GetSoundPath(), expected);

    // Moving elsewhere later does not move the sound.
    Frame().RunCommand(CommandId::kAppAbout);
    EXPECT_THAT(m_sound.m_played, ElementsAre(expected));
}

using CTolveAppAbout = CAppFixture;

TEST_F(CTolveAppAbout, ShowsTheBoxWithIconVersionAndOk) {
    StartApp();
    bool inspected = false;
    m_dialogs.m_onRun = [&](CModalDialog& dialog) {
        auto* about = dynamic_cast<CAboutBox*>(&dialog);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), "About Tolve");
        EXPECT_EQ(about->GetVersionLabel()->text(), "Tolve Version 0.92");
        EXPECT_EQ(about->GetOkButton()->text(), "OK");
        EXPECT_FALSE(about->GetIconLabel()->pixmap().isNull());
        inspected = true;
    };
    Frame().RunCommand(CommandId::kAppAbout);
    EXPECT_THAT(m_dialogs.m_names, ElementsAre("About Tolve"));
    EXPECT_TRUE(inspected);
}

TEST_F(CTolveAppAbout, AMissingSoundShowsTheBoxAndNoMessage) {
    CQtSoundPlayer realPlayer;
    CServiceGuard<CSoundPlayer> useRealPlayer(realPlayer);
    CTempDir silentDir;
    {
        CWorkingDirectoryGuard startHere(silentDir.Root());
        StartApp();
    }
    // The new map missed its texture file there; that is not About's doing.
    m_messages.m_boxes.clear();
    Frame().RunCommand(CommandId::kAppAbout);
    EXPECT_THAT(m_dialogs.m_names, ElementsAre("About Tolve"));
    EXPECT_THAT(m_messages.Texts(), IsEmpty());
}

using CTolveAppSingleInstance = CAppFixture;

TEST_F(CTolveAppSingleInstance, FilesSentByALaterStartAreOpenedHere) {
    m_app = std::make_unique<CTolveApp>();
    StartupOptions options = TestOptions();
    options.serverName = QStringLiteral("tolve-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(m_app->InitInstance(options));
    ASSERT_NE(m_app->GetInstanceServer(), nullptr);

    QString path = WriteMap("sent.map");
    ASSERT_TRUE(CInstanceServer::SendToRunningInstance(options.serverName, {path}));
    QElapsedTimer timer;
    timer.start();
    while (Docs().GetDocuments().size() < 2 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(Docs().GetDocuments().size(), 2u);
    EXPECT_EQ(ActiveDoc().GetTitle(), "sent.map");
}

} // namespace
