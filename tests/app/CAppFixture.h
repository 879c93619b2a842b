#pragma once

#include "AppTestDoubles.h"
#include "app/CChildFrame.h"
#include "app/CDocManager.h"
#include "app/CMainFrame.h"
#include "app/CTolveApp.h"
#include "app/ViewLayoutSetting.h"
#include "widgets/CTolveView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

// A room with a light: enough map for a view to show something.
inline constexpr const char* kRoomMap = R"({
"classname" "worldspawn"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-200 -150 0"
}
)";

// An editor started the way a user starts it, with every service that could
// wait for a person replaced. It runs in the samples folder, where the default
// texture file and the palette are.
class CAppFixture : public ::testing::Test {
protected:
    // Most tests follow one window per map; those of the three-view layout,
    // the default, clear this.
    CAppFixture() { SaveViewLayout(ViewLayout::kSingle); }
    ~CAppFixture() override {
        m_app.reset();
        ProcessDeferredDeletes();
    }

    void StartApp(const QStringList& files = {}) {
        m_app = std::make_unique<CTolveApp>();
        StartupOptions options = TestOptions();
        options.files = files;
        options.singleInstance = false;
        ASSERT_TRUE(m_app->InitInstance(options));
    }

    // The main window shown and active, the keyboard in the active view, so
    // that keys reach the commands as a user's would.
    void ShowActive() {
        Frame().resize(1000, 720);
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        if (CTolveView* view = Frame().GetActiveView())
            view->setFocus();
    }

    // Start-up options that keep the editor's files in the test's folders.
    StartupOptions TestOptions() const {
        StartupOptions options;
        options.autosaveFolder = QString::fromStdString(AutosaveFolder().string());
        return options;
    }
    std::filesystem::path AutosaveFolder() const { return m_userData.Path("autosave"); }

    // A map file in the test's own folder.
    QString WriteMap(const std::string& name, const char* text = kRoomMap) {
        std::filesystem::path path = m_files.Path(name);
        WriteFileText(path, text);
        return QString::fromStdString(path.string());
    }

    CMainFrame& Frame() const { return m_app->GetMainFrame(); }
    CDocManager& Docs() const { return m_app->GetDocManager(); }
    CChildFrame* ActiveFrame() const { return Frame().GetActiveFrame(); }
    CTolveDoc& ActiveDoc() const { return ActiveFrame()->GetDocument(); }

    static void ProcessDeferredDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CWorkingDirectoryGuard m_workingDirectory{TOLVE_SAMPLES};
    CTempSettings m_settings;
    CTempDir m_files;
    CTempDir m_userData;
    CRecordingMessages m_messages;
    CScriptedFileChooser m_openChooser;
    CScriptedSaveChooser m_saveChooser;
    CRecordingProgress m_progress;
    CRecordingDialogRunner m_dialogs;
    CRecordingSoundPlayer m_sound;
    std::unique_ptr<CTolveApp> m_app;
};
