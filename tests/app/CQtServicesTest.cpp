#include "app/CQtFileChooser.h"
#include "app/StartupOptions.h"
#include "dialogs/CLoadingWindow.h"

#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

std::vector<CLoadingWindow*> LoadingWindows() {
    std::vector<CLoadingWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<CLoadingWindow*>(widget))
            windows.push_back(window);
    }
    return windows;
}

TEST(CQtProgressService, ShowsTheLoadingWindowUntilTheWorkEnds) {
    CQtProgressService service;
    std::unique_ptr<CProgressTask> task = service.Begin("Loading Texture Wad...", 3);
    std::vector<CLoadingWindow*> windows = LoadingWindows();
    ASSERT_EQ(windows.size(), 1u);
    CLoadingWindow& window = *windows[0];
    EXPECT_EQ(window.windowTitle(), "Loading");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.GetLabel()->text(), "Loading Texture Wad...");
    EXPECT_EQ(window.GetLabel()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(window.GetProgressBar()->minimum(), 0);
    EXPECT_EQ(window.GetProgressBar()->maximum(), 3);
    EXPECT_EQ(window.GetProgressBar()->value(), 0);

    task->Step();
    EXPECT_EQ(window.GetProgressBar()->value(), 1);
    // More steps than announced stop at the end of the bar.
    for (int i = 0; i < 5; ++i)
        task->Step();
    EXPECT_EQ(window.GetProgressBar()->value(), 3);

    task.reset();
    EXPECT_TRUE(LoadingWindows().empty());
}

TEST(CQtProgressService, NothingToDoStillOpensAndClosesTheWindow) {
    CQtProgressService service;
    std::unique_ptr<CProgressTask> task = service.Begin("Loading Texture Wad...", 0);
    EXPECT_EQ(LoadingWindows().size(), 1u);
    task.reset();
    EXPECT_TRUE(LoadingWindows().empty());
}

TEST(BuildNameFilter, NamesThePatternOnce) {
    EXPECT_EQ(BuildNameFilter({"Quake Map Files (*.map)", "*.map", "map", true}),
              "Quake Map Files (*.map)");
    EXPECT_EQ(BuildNameFilter({"Quake Texture Wad2 files", "*.wad", "wad", true}),
              "Quake Texture Wad2 files (*.wad)");
    EXPECT_EQ(BuildNameFilter({"", "*.pal", "", true}), "*.pal");
}

TEST(ParseCommandLine, ReadsFilesAndTheNewInstanceSwitch) {
    StartupOptions plain = ParseCommandLine({"tolve", "a.map", "b c.map"});
    EXPECT_EQ(plain.files, QStringList({"a.map", "b c.map"}));
    EXPECT_TRUE(plain.singleInstance);

    StartupOptions separate = ParseCommandLine({"tolve", "--new-instance", "a.map"});
    EXPECT_EQ(separate.files, QStringList({"a.map"}));
    EXPECT_FALSE(separate.singleInstance);

    qputenv("TOLVE_NEW_INSTANCE", "1");
    EXPECT_FALSE(ParseCommandLine({"tolve"}).singleInstance);
    qunsetenv("TOLVE_NEW_INSTANCE");
    EXPECT_TRUE(ParseCommandLine({"tolve"}).singleInstance);
}

} // namespace
