#include "app/CommandTexts.h"
#include "app/ToolBarIcons.h"

#include <QPixmap>

#include <gmock/gmock.h>

#include <set>

using ::testing::ElementsAre;

namespace {

const CommandText& TextOf(CommandId id) {
    for (const CommandText& text : GetCommandTexts()) {
        if (text.id == id)
            return text;
    }
    throw std::out_of_range("no text");
}

TEST(CommandTexts, EveryCommandHasExactlyOneText) {
    std::set<CommandId> seen;
    for (const CommandText& text : GetCommandTexts())
        EXPECT_TRUE(seen.insert(text.id).second) << static_cast<int>(text.id);
    EXPECT_EQ(seen.size(), 45u);
}

TEST(CommandTexts, PromptAndTipSplitAtTheLineFeed) {
    EXPECT_EQ(GetCommandPrompt(TextOf(CommandId::ViewYZ)), "Select YZ Viewing mode");
    EXPECT_EQ(GetCommandToolTip(TextOf(CommandId::ViewYZ)), "YZ mode");
    EXPECT_EQ(GetCommandPrompt(TextOf(CommandId::Flipped)), "Toggle Flipped Horizontal Axis Mode");
    // Without a tip part the menu text stands in, without its mnemonic.
    EXPECT_EQ(GetCommandPrompt(TextOf(CommandId::NewBrush)), "Insert a new brush");
    EXPECT_EQ(GetCommandToolTip(TextOf(CommandId::WindowNew)), "New Window");
    EXPECT_EQ(GetCommandPrompt(TextOf(CommandId::ScrollUp)), "");
}

TEST(CommandKeys, FollowTheAcceleratorTable) {
    EXPECT_THAT(
        GetCommandKeys(CommandId::ZoomOut),
        ElementsAre(QKeySequence(Qt::Key_Minus), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)));
    EXPECT_THAT(GetCommandKeys(CommandId::ZoomIn),
                ElementsAre(QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Plus),
                            QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)));
    EXPECT_THAT(GetCommandKeys(CommandId::FrameMap), ElementsAre(QKeySequence(Qt::Key_Home)));
    EXPECT_THAT(GetCommandKeys(CommandId::EditCopy),
                ElementsAre(QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")));
    EXPECT_THAT(GetCommandKeys(CommandId::EditPaste),
                ElementsAre(QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")));
    EXPECT_THAT(GetCommandKeys(CommandId::EditUndo),
                ElementsAre(QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")));
    EXPECT_THAT(GetCommandKeys(CommandId::Delete), ElementsAre(QKeySequence(Qt::Key_Delete)));
    EXPECT_THAT(GetCommandKeys(CommandId::PreviousPane), ElementsAre(QKeySequence("Shift+F6")));
    EXPECT_THAT(GetCommandKeys(CommandId::SetUpperLimit), ElementsAre(QKeySequence("Ctrl+U")));
    EXPECT_TRUE(GetCommandKeys(CommandId::FileSaveAs).isEmpty());
}

TEST(CommandKeys, NoKeyRunsTwoCommands) {
    std::set<QString> keys;
    for (const CommandText& text : GetCommandTexts()) {
        for (const QKeySequence& key : GetCommandKeys(text.id))
            EXPECT_TRUE(keys.insert(key.toString()).second) << key.toString().toStdString();
    }
    EXPECT_EQ(keys.size(), 30u);
}

TEST(ToolBarIcons, EveryButtonIsDrawnAtOneAndTwoTimesItsSize) {
    int buttons = 0;
    for (const std::optional<CommandId>& slot : GetToolBarLayout()) {
        if (!slot)
            continue;
        ++buttons;
        QIcon icon = MakeCommandIcon(*slot);
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
    EXPECT_TRUE(MakeCommandIcon(CommandId::ScrollUp).isNull());
}

TEST(ToolBarIcons, NoTwoButtonsLookAlike) {
    std::set<QByteArray> pictures;
    for (const std::optional<CommandId>& slot : GetToolBarLayout()) {
        if (!slot)
            continue;
        QImage picture = MakeCommandIcon(*slot).pixmap(QSize(16, 15)).toImage();
        QByteArray bytes(reinterpret_cast<const char*>(picture.constBits()),
                         static_cast<int>(picture.sizeInBytes()));
        EXPECT_TRUE(pictures.insert(bytes).second) << static_cast<int>(*slot);
    }
}

} // namespace
