#include "CAppFixture.h"
#include "app/CCommandTable.h"
#include "app/CIconCanvas.h"
#include "app/CMenuBars.h"
#include "app/CRecentFileList.h"
#include "app/CommandLayout.h"
#include "app/CommandList.h"
#include "app/ToolBarIcons.h"
#include "app/ViewContextMenu.h"
#include "widgets/CTolveView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QRegularExpression>
#include <QToolBar>

#include <gmock/gmock.h>

#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

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

// The enumerators of CommandId as its header declares them, name by number.
std::map<int, std::string> DeclaredCommandIds() {
    std::ifstream header(TOLVE_SOURCE_DIR "/view/TolveCommands.h");
    std::stringstream text;
    text << header.rdbuf();
    const QRegularExpression enumerator(QStringLiteral(R"(^\s*(\w+) = (\d+),?\s*$)"),
                                        QRegularExpression::MultilineOption);
    std::map<int, std::string> ids;
    auto matches = enumerator.globalMatch(QString::fromStdString(text.str()));
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        ids[match.captured(2).toInt()] = match.captured(1).toStdString();
    }
    return ids;
}

TEST(CommandTable, EveryCommandIdHasExactlyOneEntry) {
    const std::map<int, std::string> declared = DeclaredCommandIds();
    ASSERT_FALSE(declared.empty()) << "view/TolveCommands.h was not read";
    std::map<int, int> entriesPerId;
    for (const CommandEntry& entry : GetCommandEntries()) {
        ++entriesPerId[static_cast<int>(entry.id)];
        EXPECT_NE(entry.menuText, nullptr);
        EXPECT_NE(entry.prompt, nullptr);
    }
    for (const auto& [number, name] : declared)
        EXPECT_EQ(entriesPerId[number], 1) << name;
    for (const auto& [number, count] : entriesPerId)
        EXPECT_TRUE(declared.contains(number)) << "an entry of no declared id: " << number;
}

TEST(CommandTable, EveryKeyIsUniqueAcrossTheTable) {
    std::set<QString> keys;
    for (const CommandEntry& entry : GetCommandEntries()) {
        for (const QKeySequence& key : entry.keys) {
            EXPECT_FALSE(key.isEmpty()) << static_cast<int>(entry.id);
            EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString();
        }
    }
}

TEST(CommandTable, PromptsAndToolTips) {
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::kViewYZ)), "Select YZ Viewing mode");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::kViewYZ)), "YZ mode");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::kFlipped)),
              "Toggle Flipped Horizontal Axis Mode");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::kNewBrush)), "Insert a new brush");
    // Without a tool tip of its own the menu text stands in, without its mnemonic.
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::kNewBrush)), "New Brush");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::kFrameMap)), "Frame Map");
    EXPECT_EQ(GetCommandToolTip(EntryOf(CommandId::kWindowNew)), "New Window");
    EXPECT_EQ(GetCommandPrompt(EntryOf(CommandId::kScrollUp)), "");
}

TEST(CommandTable, KeysNameTheMenusKeyFirst) {
    EXPECT_THAT(
        KeysOf(CommandId::kZoomOut),
        ElementsAre(QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)));
    EXPECT_THAT(KeysOf(CommandId::kZoomIn),
                ElementsAre(QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Plus),
                            QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)));
    EXPECT_THAT(KeysOf(CommandId::kFrameMap), ElementsAre(QKeySequence(Qt::Key_Home)));
    EXPECT_THAT(KeysOf(CommandId::kEditCopy),
                ElementsAre(QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")));
    EXPECT_THAT(KeysOf(CommandId::kEditPaste),
                ElementsAre(QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")));
    EXPECT_THAT(KeysOf(CommandId::kEditUndo),
                ElementsAre(QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")));
    EXPECT_THAT(KeysOf(CommandId::kEditCut),
                ElementsAre(QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")));
    EXPECT_THAT(KeysOf(CommandId::kDelete), ElementsAre(QKeySequence(Qt::Key_Delete)));
    EXPECT_THAT(KeysOf(CommandId::kPreviousPane), ElementsAre(QKeySequence("Shift+F6")));
    EXPECT_THAT(KeysOf(CommandId::kSetUpperLimit), ElementsAre(QKeySequence("Ctrl+U")));
    EXPECT_TRUE(KeysOf(CommandId::kFileSaveAs).isEmpty());
}

TEST(CommandTable, ACommandWithoutAHandlerIsNeverEnabled) {
    CTolveDoc doc;
    CTolveView view(doc);
    const CommandContext withView{.view = &view};
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.run)
            continue;
        EXPECT_FALSE(IsCommandEnabled(entry, withView)) << static_cast<int>(entry.id);
        EXPECT_FALSE(IsCommandEnabled(entry, {})) << static_cast<int>(entry.id);
    }
}

TEST(CommandTable, ViewCommandsNeedAView) {
    for (CommandId id : {CommandId::kZoomIn, CommandId::kViewXY, CommandId::kCornerMode,
                         CommandId::kFileSave, CommandId::kWindowNew}) {
        EXPECT_FALSE(IsCommandEnabled(EntryOf(id), {})) << static_cast<int>(id);
        EXPECT_FALSE(IsCommandChecked(EntryOf(id), {})) << static_cast<int>(id);
    }
    EXPECT_TRUE(IsCommandEnabled(EntryOf(CommandId::kFileNew), {}));
}

TEST(ToolBarIcons, EveryButtonIsDrawnAtOneAndTwoTimesItsSize) {
    for (const CommandEntry& entry : GetCommandEntries()) {
        // A picture without a button would never be seen.
        ASSERT_EQ(entry.icon != nullptr, entry.button.has_value()) << static_cast<int>(entry.id);
        if (!entry.button)
            continue;
        QIcon icon = MakeToolBarIcon(entry.icon);
        EXPECT_THAT(icon.availableSizes(), ElementsAre(QSize(16, 15), QSize(32, 30)))
            << static_cast<int>(entry.id);
        QImage picture = icon.pixmap(QSize(16, 15)).toImage();
        // Something is drawn.
        int painted = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                painted += qAlpha(picture.pixel(x, y)) > 0;
        }
        EXPECT_GT(painted, 20) << static_cast<int>(entry.id);
    }
}

TEST(ToolBarIcons, NoTwoButtonsLookAlike) {
    std::set<QByteArray> pictures;
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (!entry.button)
            continue;
        QImage picture = MakeToolBarIcon(entry.icon).pixmap(QSize(16, 15)).toImage();
        QByteArray bytes(reinterpret_cast<const char*>(picture.constBits()),
                         static_cast<int>(picture.sizeInBytes()));
        EXPECT_TRUE(pictures.insert(bytes).second) << static_cast<int>(entry.id);
    }
}

// A command shown somewhere must do something when chosen, unless it only
// holds a place: the recent-file placeholder is disabled on purpose.
bool RunsOrHoldsAPlace(const CommandEntry& entry) {
    return entry.run || (entry.menu && entry.menu->role == MenuItemRole::kRecentFiles);
}

TEST(CommandPlaces, EveryPlacedCommandHasAHandler) {
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.menu || entry.button || entry.popUp) {
            EXPECT_TRUE(RunsOrHoldsAPlace(entry)) << static_cast<int>(entry.id);
        }
    }
}

TEST(CommandPlaces, NoTwoItemsShareAPlace) {
    // A submenu's items have places of their own inside it; the submenu
    // itself holds one in its menu.
    std::set<std::tuple<bool, MainMenu, const SubmenuPlace*, int, int>> menuPlaces;
    std::set<std::pair<bool, const SubmenuPlace*>> submenus;
    std::set<std::pair<int, int>> buttons;
    std::set<int> popUpOrders;
    std::set<QString> popUpTexts;
    for (const CommandEntry& entry : GetCommandEntries()) {
        const int id = static_cast<int>(entry.id);
        if (const auto& place = entry.menu) {
            for (bool mapOpen : {false, true}) {
                if (!IsInMenuBar(*place, mapOpen))
                    continue;
                EXPECT_TRUE(
                    menuPlaces
                        .insert({mapOpen, place->menu, place->submenu, place->group, place->order})
                        .second)
                    << id;
                const SubmenuPlace* sub = place->submenu;
                if (sub && submenus.insert({mapOpen, sub}).second) {
                    EXPECT_TRUE(
                        menuPlaces.insert({mapOpen, place->menu, nullptr, sub->group, sub->order})
                            .second)
                        << sub->title;
                }
            }
        }
        if (entry.button) {
            EXPECT_TRUE(buttons.insert({entry.button->group, entry.button->order}).second) << id;
        }
        if (entry.popUp) {
            EXPECT_TRUE(popUpOrders.insert(entry.popUp->order).second) << id;
            const QString submenu = QString::fromLatin1(entry.popUp->submenu);
            EXPECT_TRUE(popUpTexts.insert(submenu + " > " + GetPopUpItemText(entry)).second) << id;
        }
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
    // Every item of the menu bar now shown, in submenus too: each command's
    // action carries its entry's text, prompt and keys and can run; the
    // recent files carry the placeholder's prompt. Returns the entries met.
    std::set<CommandId> ExpectMenuItemsFromTheTable() {
        std::set<CommandId> met;
        for (QAction* title : Frame().menuBar()->actions())
            ExpectItemsFromTheTable(*title->menu(), met);
        return met;
    }

    void ExpectItemsFromTheTable(const QMenu& menu, std::set<CommandId>& met) {
        const QList<QAction*>& recent = Frame().GetMenuBars().GetRecentActions();
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            if (const QMenu* submenu = action->menu()) {
                ExpectItemsFromTheTable(*submenu, met);
                continue;
            }
            if (recent.contains(action)) {
                EXPECT_EQ(action->statusTip(), EntryOf(CommandId::kFileRecent).prompt);
                continue;
            }
            const CommandEntry* entry = EntryOfAction(Frame(), action);
            if (!entry) {
                ADD_FAILURE() << "not in the table: " << action->text().toStdString();
                continue;
            }
            met.insert(entry->id);
            EXPECT_TRUE(RunsOrHoldsAPlace(*entry)) << action->text().toStdString();
            // A label says more after the menu text, never less.
            EXPECT_TRUE(action->text().startsWith(QString::fromUtf8(entry->menuText)))
                << action->text().toStdString();
            EXPECT_EQ(action->statusTip(), GetCommandPrompt(*entry));
            EXPECT_EQ(action->shortcuts().size(), static_cast<int>(entry->keys.size()));
            if (!entry->keys.empty()) {
                EXPECT_EQ(action->shortcut(), entry->keys.front());
            }
        }
    }

    // Every entry placed in the menu bar now shown is in it, and only those.
    void ExpectEveryPlacedMenuItemShown(bool mapOpen) {
        std::set<CommandId> placed;
        for (const CommandEntry& entry : GetCommandEntries()) {
            if (entry.menu && IsInMenuBar(*entry.menu, mapOpen))
                placed.insert(entry.id);
        }
        EXPECT_EQ(ExpectMenuItemsFromTheTable(), placed);
    }
};

TEST_F(CCommandTableInFrame, EveryMenuItemOfBothMenuBarsComesFromTheTable) {
    StartApp();
    ASSERT_TRUE(Frame().GetMenuBars().IsShowingMapMenus());
    ExpectEveryPlacedMenuItemShown(true);
    Frame().RunCommand(CommandId::kFileClose);
    ASSERT_FALSE(Frame().GetMenuBars().IsShowingMapMenus());
    ExpectEveryPlacedMenuItemShown(false);
}

TEST_F(CCommandTableInFrame, EveryToolBarButtonComesFromTheTable) {
    StartApp();
    std::set<CommandId> shown;
    for (QAction* action : Frame().GetToolBar().actions()) {
        if (action->isSeparator())
            continue;
        const CommandEntry* entry = EntryOfAction(Frame(), action);
        ASSERT_NE(entry, nullptr) << action->toolTip().toStdString();
        shown.insert(entry->id);
        EXPECT_NE(entry->run, nullptr) << action->toolTip().toStdString();
        EXPECT_EQ(action->toolTip(), GetCommandToolTip(*entry));
        EXPECT_NE(entry->icon, nullptr) << action->toolTip().toStdString();
        EXPECT_EQ(action->isCheckable(), IsCheckable(*entry));
    }
    std::set<CommandId> placed;
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.button)
            placed.insert(entry.id);
    }
    EXPECT_EQ(shown, placed);
}

// Chooses each item of the pop-up in turn; each runs the command whose place
// it is, and every command with a pop-up place is there.
TEST_F(CCommandTableInFrame, EveryPopUpItemRunsTheCommandPlacedThere) {
    StartApp();
    std::vector<CommandId> ran;
    std::unique_ptr<QMenu> menu(MakeViewContextMenu(
        Frame().MakeCommandContext(), [&](CommandId id) { ran.push_back(id); }, nullptr));
    std::vector<QAction*> items;
    for (QAction* action : menu->actions()) {
        if (QMenu* submenu = action->menu()) {
            for (QAction* item : submenu->actions())
                items.push_back(item);
        } else {
            items.push_back(action);
        }
    }
    std::set<CommandId> placed;
    for (const CommandEntry& entry : GetCommandEntries()) {
        if (entry.popUp)
            placed.insert(entry.id);
    }
    for (QAction* item : items) {
        ran.clear();
        item->trigger();
        ASSERT_EQ(ran.size(), 1u) << item->text().toStdString();
        const CommandEntry& entry = EntryOf(ran.front());
        EXPECT_TRUE(entry.popUp.has_value()) << item->text().toStdString();
        EXPECT_NE(entry.run, nullptr) << item->text().toStdString();
        EXPECT_EQ(item->text(), GetPopUpItemText(entry));
        EXPECT_EQ(placed.erase(entry.id), 1u) << item->text().toStdString();
    }
    EXPECT_TRUE(placed.empty());
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
        Frame().RunCommand(CommandId::kFileClose);
    }
}

} // namespace
