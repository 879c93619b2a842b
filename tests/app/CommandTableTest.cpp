#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/CIconCanvas.h"
#include "app/CMenuBars.h"
#include "app/CRecentFileList.h"
#include "app/CommandLayout.h"
#include "app/CommandList.h"
#include "app/ToolBarIcons.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

#include <gmock/gmock.h>

#include <set>

using ::testing::ElementsAre;

namespace {

const CommandEntry& EntryOf(CommandId id) {
    const CommandEntry* entry = FindCommandEntry(id);
    if (!entry)
        throw std::out_of_range("no entry");
    return *entry;
}

QList<QKeySequence> KeysOf(CommandId id) {
    const std::vector<QKeySequence>& keys = EntryOf(id).keys;
    return QList<QKeySequence>(keys.begin(), keys.end());
}

TEST(CommandTable, EveryCommandHasExactlyOneEntry) {
    std::set<CommandId> seen;
    for (const CommandEntry& entry : GetCommandEntries()) {
        EXPECT_TRUE(seen.insert(entry.id).second) << static_cast<int>(entry.id);
        EXPECT_NE(entry.menuText, nullptr);
        EXPECT_NE(entry.prompt, nullptr);
    }
    EXPECT_EQ(seen.size(), 47u);
    EXPECT_EQ(GetCommandEntries().size(), 47u);
}

TEST(CommandTable, EveryKeyIsUniqueAcrossTheTable) {
    std::set<QString> keys;
    for (const CommandEntry& entry : GetCommandEntries()) {
        for (const QKeySequence& key : entry.keys) {
            EXPECT_FALSE(key.isEmpty()) << static_cast<int>(entry.id);
            EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString();
        }
    }
    EXPECT_EQ(keys.size(), 32u);
}

TEST(CommandTable, PromptsAndToolTips) {
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::ViewYZ)), "Select YZ Viewing mode");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::ViewYZ)), "YZ mode");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::Flipped)), "Toggle Flipped Horizontal Axis Mode");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::NewBrush)), "Insert a new brush");
    // Without a tool tip of its own the menu text stands in, without its mnemonic.
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::NewBrush)), "New Brush");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::FrameMap)), "Frame Map");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::WindowNew)), "New Window");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::ScrollUp)), "");
}

TEST(CommandTable, KeysNameTheMenusKeyFirst) {
    EXPECT_THAT(
        KeysOf(CommandId::ZoomOut),
        ElementsAre(QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)));
    EXPECT_THAT(KeysOf(CommandId::ZoomIn),
                ElementsAre(QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Plus),
                            QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)));
    EXPECT_THAT(KeysOf(CommandId::FrameMap), ElementsAre(QKeySequence(Qt::Key_Home)));
    EXPECT_THAT(KeysOf(CommandId::EditCopy),
                ElementsAre(QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")));
    EXPECT_THAT(KeysOf(CommandId::EditPaste),
                ElementsAre(QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")));
    EXPECT_THAT(KeysOf(CommandId::EditUndo),
                ElementsAre(QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")));
    EXPECT_THAT(KeysOf(CommandId::EditCut),
                ElementsAre(QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")));
    EXPECT_THAT(KeysOf(CommandId::Delete), ElementsAre(QKeySequence(Qt::Key_Delete)));
    EXPECT_THAT(KeysOf(CommandId::PreviousPane), ElementsAre(QKeySequence("Shift+F6")));
    EXPECT_THAT(KeysOf(CommandId::SetUpperLimit), ElementsAre(QKeySequence("Ctrl+U")));
    EXPECT_TRUE(KeysOf(CommandId::FileSaveAs).isEmpty());
}

TEST(CommandTable, ACommandWithoutAHandlerIsNeverEnabled) {
    CTolveDoc doc;
    CTolveView view(doc);
    const CommandContext withView{.view = &view};
    int unhandled = 0;
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.run)
            continue;
        ++unhandled;
        EXPECT_FALSE(IsCommandEnabled(entry, withView)) << static_cast<int>(entry.id);
        EXPECT_FALSE(IsCommandEnabled(entry, {})) << static_cast<int>(entry.id);
    }
    // The panes and Recent File.
    EXPECT_EQ(unhandled, 3);
}

TEST(CommandTable, ViewCommandsNeedAView) {
    for (CommandId id : {CommandId::ZoomIn, CommandId::ViewXY, CommandId::CornerMode,
                         CommandId::FileSave, CommandId::WindowNew}) {
        EXPECT_FALSE(IsCommandEnabled(EntryOf(id), {})) << static_cast<int>(id);
        EXPECT_FALSE(IsCommandChecked(EntryOf(id), {})) << static_cast<int>(id);
    }
    EXPECT_TRUE(IsCommandEnabled(EntryOf(CommandId::FileNew), {}));
}

TEST(ToolBarIcons, EveryButtonIsDrawnAtOneAndTwoTimesItsSize) {
    int buttons = 0;
    for (const std::optional<CommandId>& slot : GetToolBarLayout()) {
        if (!slot)
            continue;
        ++buttons;
        ASSERT_NE(EntryOf(*slot).icon, nullptr) << static_cast<int>(*slot);
        QIcon icon = MakeToolBarIcon(EntryOf(*slot).icon);
        EXPECT_THAT(icon.availableSizes(), ElementsAre(QSize(16, 15), QSize(32, 30)))
            << static_cast<int>(*slot);
        QImage picture = icon.pixmap(QSize(16, 15)).toImage();
        // Something is drawn.
        int painted = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                painted += qAlpha(picture.pixel(x, y)) > 0;
        }
        EXPECT_GT(painted, 20) << static_cast<int>(*slot);
    }
    EXPECT_EQ(buttons, 19);
    EXPECT_EQ(EntryOf(CommandId::ScrollUp).icon, nullptr);
}

TEST(ToolBarIcons, NoTwoButtonsLookAlike) {
    std::set<QByteArray> pictures;
    for (const std::optional<CommandId>& slot : GetToolBarLayout()) {
        if (!slot)
            continue;
        QImage picture = MakeToolBarIcon(EntryOf(*slot).icon).pixmap(QSize(16, 15)).toImage();
        QByteArray bytes(reinterpret_cast<const char*>(picture.constBits()),
                         static_cast<int>(picture.sizeInBytes()));
        EXPECT_TRUE(pictures.insert(bytes).second) << static_cast<int>(*slot);
    }
}

// The entry whose action this is, or null.
const CommandEntry* EntryOfAction(const CMainFrame& frame, const QAction* action) {
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (frame.GetCommands().GetAction(entry.id) == action)
            return &entry;
    }
    return nullptr;
}

class CCommandTableInFrame : public CAppFixture {
protected:
    // Every item of the menu bar now shown: each command's action carries its
    // entry's text, prompt and keys; the recent files carry the placeholder's
    // prompt. Returns how many items were looked at.
    int ExpectMenuItemsFromTheTable() {
        int items = 0;
        const QList<QAction*>& recent = Frame().GetMenuBars().GetRecentActions();
        for (QAction* title : Frame().menuBar()->actions()) {
            for (QAction* action : title->menu()->actions()) {
                if (action->isSeparator())
                    continue;
                ++items;
                if (recent.contains(action)) {
                    EXPECT_EQ(action->statusTip(), EntryOf(CommandId::FileRecent).prompt);
                    continue;
                }
                const CommandEntry* entry = EntryOfAction(Frame(), action);
                if (!entry) {
                    ADD_FAILURE() << "not in the table: " << action->text().toStdString();
                    continue;
                }
                EXPECT_EQ(action->text(), entry->menuText);
                EXPECT_EQ(action->statusTip(), GetCommandPrompt(*entry));
                EXPECT_EQ(action->shortcuts().size(), static_cast<int>(entry->keys.size()));
                if (!entry->keys.empty()) {
                    EXPECT_EQ(action->shortcut(), entry->keys.front());
                }
            }
        }
        return items;
    }
};

TEST_F(CCommandTableInFrame, EveryMenuItemOfBothMenuBarsComesFromTheTable) {
    StartApp();
    ASSERT_TRUE(Frame().GetMenuBars().IsShowingMapMenus());
    EXPECT_EQ(ExpectMenuItemsFromTheTable(), 21 + CRecentFileList::kMaxEntries);
    Frame().RunCommand(CommandId::FileClose);
    ASSERT_FALSE(Frame().GetMenuBars().IsShowingMapMenus());
    EXPECT_EQ(ExpectMenuItemsFromTheTable(), 7 + CRecentFileList::kMaxEntries);
}

TEST_F(CCommandTableInFrame, EveryToolBarButtonComesFromTheTable) {
    StartApp();
    int buttons = 0;
    for (QAction* action : Frame().GetToolBar().actions()) {
        if (action->isSeparator())
            continue;
        ++buttons;
        const CommandEntry* entry = EntryOfAction(Frame(), action);
        ASSERT_NE(entry, nullptr) << action->toolTip().toStdString();
        EXPECT_EQ(action->toolTip(), GetCommandToolTip(*entry));
        EXPECT_NE(entry->icon, nullptr) << action->toolTip().toStdString();
        EXPECT_EQ(action->isCheckable(), IsCheckable(*entry));
    }
    EXPECT_EQ(buttons, 19);
}

TEST_F(CCommandTableInFrame, ActionsAreEnabledAsTheirEntriesSay) {
    StartApp();
    for (int round = 0; round < 2; ++round) {
        const CommandContext context = Frame().MakeCommandContext();
        for (const CommandEntry& entry : GetCommandEntries()) {
            QAction* action = Frame().GetCommands().GetAction(entry.id);
            ASSERT_NE(action, nullptr) << static_cast<int>(entry.id);
            EXPECT_EQ(action->isEnabled(), IsCommandEnabled(entry, context))
                << static_cast<int>(entry.id);
            if (!entry.run) {
                EXPECT_FALSE(action->isEnabled()) << static_cast<int>(entry.id);
            }
        }
        Frame().RunCommand(CommandId::FileClose);
    }
}

} // namespace
