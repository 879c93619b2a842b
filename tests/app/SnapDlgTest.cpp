#include "AppTestDoubles.h"
#include "TestSupport.h"
#include "app/CommandList.h"
#include "dialogs/CSnapDlg.h"
#include "widgets/CTolveView.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include <gtest/gtest.h>

namespace {

CSnapDlg& SnapDialog(CModalDialog& dialog) {
    return dynamic_cast<CSnapDlg&>(dialog);
}

struct SnapDialogFixture {
    CRecordingMessages messages;
    CSnapDlg dialog;

    // Types `text` over the box's contents and presses OK.
    void Confirm(const char* text) {
        dialog.setResult(QDialog::Rejected);
        dialog.GetSnapBox()->selectAll();
        QTest::keyClicks(dialog.GetSnapBox(), text);
        dialog.GetOkButton()->click();
    }
};

TEST(SnapDlg, TheBoundsCloseTheDialog) {
    for (const char* text : {"1", "1024"}) {
        SnapDialogFixture f;
        f.Confirm(text);
        EXPECT_EQ(f.dialog.result(), QDialog::Accepted) << text;
        EXPECT_TRUE(f.messages.m_boxes.empty()) << text;
        EXPECT_EQ(f.dialog.GetFields().snap, text);
    }
}

TEST(SnapDlg, BeyondTheBoundsTheRangeMessageShowsAndTheBoxHasTheFocus) {
    for (const char* text : {"0", "1025"}) {
        SnapDialogFixture f;
        f.Confirm(text);
        EXPECT_EQ(f.dialog.result(), QDialog::Rejected) << text;
        ASSERT_EQ(f.messages.m_boxes.size(), 1u) << text;
        EXPECT_EQ(f.messages.m_boxes[0].title, "Tolve");
        EXPECT_EQ(f.messages.m_boxes[0].text, "Please enter an integer between 1 and 1024.");
        EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetSnapBox());
        EXPECT_EQ(f.dialog.GetSnapBox()->selectedText(), text);
    }
}

TEST(SnapDlg, OkIsTheDefaultAndEscapeCancels) {
    SnapDialogFixture f;
    EXPECT_TRUE(f.dialog.GetOkButton()->isDefault());
    EXPECT_EQ(f.dialog.windowTitle(), "Snap");
    f.dialog.setResult(QDialog::Accepted);
    QTest::keyClick(&f.dialog, Qt::Key_Escape);
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
}

struct SnapCommandFixture {
    CScriptedDialogRunner dialogs;
    CRecordingProgress progress;
    CRecordingNotices notices;
    CTolveDoc doc;
    CTolveView view{doc};
    CommandContext context{.view = &view};

    SnapCommandFixture() { doc.GetHistory().MarkClean(); }

    void Run(CommandId id) {
        const CommandEntry* entry = FindCommandEntry(id);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(IsCommandEnabled(*entry, context)) << static_cast<int>(id);
        entry->run(context);
    }
};

TEST(SnapCommand, OkStoresTheStepWithoutMarkingTheMap) {
    SnapCommandFixture f;
    f.doc.GetEditorState().SetSnap(16);
    f.dialogs.m_script = [](CModalDialog& modal) {
        CSnapDlg& dialog = SnapDialog(modal);
        EXPECT_EQ(dialog.GetSnapBox()->text(), "16");
        dialog.GetSnapBox()->setText("1024");
        dialog.GetOkButton()->click();
    };
    f.Run(CommandId::kSnap);
    EXPECT_EQ(f.dialogs.m_names, (std::vector<std::string>{"Snap"}));
    EXPECT_EQ(f.doc.GetEditorState().GetSnap(), 1024);
    EXPECT_FALSE(f.doc.IsModified());
}

TEST(SnapCommand, CancelAndARefusedStepKeepTheOldStep) {
    SnapCommandFixture f;
    CRecordingMessages messages;
    f.doc.GetEditorState().SetSnap(16);
    f.dialogs.m_script = [](CModalDialog& modal) {
        CSnapDlg& dialog = SnapDialog(modal);
        dialog.GetSnapBox()->setText("0");
        dialog.GetOkButton()->click();
        dialog.GetCancelButton()->click();
    };
    f.Run(CommandId::kSnap);
    EXPECT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(f.doc.GetEditorState().GetSnap(), 16);
}

TEST(TexturesCommand, TheChosenFileIsLoaded) {
    SnapCommandFixture f;
    CRecordingMessages messages;
    CScriptedFileChooser chooser;
    const std::string wad = (std::filesystem::path(TOLVE_SAMPLES) / "quake101.wad").string();
    chooser.m_answers.push_back(wad);
    f.Run(CommandId::kTextures);
    EXPECT_EQ(chooser.m_requests.size(), 1u);
    EXPECT_TRUE(messages.m_boxes.empty());
    EXPECT_GT(f.doc.m_textureWad.GetTextureCount(), 0);
}

TEST(TexturesCommand, CancelLoadsNothing) {
    SnapCommandFixture f;
    CScriptedFileChooser chooser;
    f.Run(CommandId::kTextures);
    EXPECT_EQ(chooser.m_requests.size(), 1u);
    EXPECT_EQ(f.doc.m_textureWad.GetTextureCount(), 0);
}

} // namespace
