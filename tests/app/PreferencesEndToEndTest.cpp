// Edit > Preferences... through the real main window: Cancel leaves every
// setting and picture as it was, a value the setting cannot take is refused,
// and OK writes what changed and the open maps follow at once.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "app/GridCommands.h"
#include "app/PickDistanceSetting.h"
#include "dialogs/CPreferencesDlg.h"
#include "framework/CColourChooser.h"
#include "widgets/CTolveView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class PreferencesEndToEnd : public CAppFixture {
protected:
    // Runs Edit > Preferences... with `work` doing what the user does in it.
    void EditPreferences(std::function<void(CPreferencesDlg&)> work) {
        m_runner.m_script = [&work](CModalDialog& modal) {
            auto& dialog = dynamic_cast<CPreferencesDlg&>(modal);
            dialog.show();
            work(dialog);
            dialog.hide();
        };
        Frame().RunCommand(CommandId::kPreferences);
    }
    static void Retype(QLineEdit& box, const char* text) {
        box.selectAll();
        QTest::keyClicks(&box, QString::fromLatin1(text));
    }
    // The pixels of the view's picture in the colour of the grid's lines.
    static int PixelsOf(CTolveView& view, Rgb colour) {
        const QImage& image = view.RenderNow();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == qRgb(colour.r, colour.g, colour.b);
        return count;
    }

    CScriptedDialogRunner m_runner;
};

TEST_F(PreferencesEndToEnd, CancelLeavesAllBadValuesAreRefusedOkIsFollowedAtOnce) {
    StartApp({WriteMap("room.map")});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    const Rgb orange{255, 128, 0};
    ASSERT_GT(PixelsOf(view, kGridMinor), 0);

    EditPreferences([&](CPreferencesDlg& dialog) {
        Retype(*dialog.GetGridColourBox(), "#ff8000");
        QTest::mouseClick(dialog.GetCancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(LoadGridColour(), kGridMinor);
    EXPECT_EQ(PixelsOf(view, orange), 0);

    // Orange is picked, from the grey the grid has.
    class COrangeChooser : public CColourChooser {
    public:
        std::optional<PickedColour> ChooseColour(const PickedColour& initial,
                                                 const std::string&) override {
            EXPECT_EQ(initial, (PickedColour{kGridMinor.r, kGridMinor.g, kGridMinor.b}));
            return PickedColour{255, 128, 0};
        }
    } chooser;
    CServiceGuard<CColourChooser> guard(chooser);
    EditPreferences([&](CPreferencesDlg& dialog) {
        QTest::mouseClick(dialog.GetGridColourButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.GetGridColourBox()->text(), QStringLiteral("#ff8000"));
        dialog.GetPages()->setCurrentIndex(2);
        Retype(*dialog.GetPickDistanceBox(), "-5");
        QTest::keyClick(dialog.GetPickDistanceBox(), Qt::Key_Return);
        // Refused: the message, the page of the box, and the dialog stays.
        EXPECT_EQ(m_messages.Texts().back(), "Please enter an integer between 0 and 10000.");
        EXPECT_EQ(dialog.GetPages()->currentIndex(), 0);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        Retype(*dialog.GetPickDistanceBox(), "12");
        QTest::keyClick(dialog.GetPickDistanceBox(), Qt::Key_Return);
    });
    EXPECT_EQ(LoadGridColour(), orange);
    EXPECT_EQ(LoadPickDistance(), 12);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetPickDistance(), 12);
    EXPECT_GT(PixelsOf(view, orange), 0);
    EXPECT_EQ(PixelsOf(view, kGridMinor), 0);
}

// The map file shows the setting took: with the file's own text no longer
// kept, a save writes the whole map anew, without its comments.
TEST_F(PreferencesEndToEnd, KeepLayoutTurnedOffReachesTheNextSave) {
    std::string original = kRoomMap;
    original.insert(original.find("{\n("), "// the room\n");
    const QString path = WriteMap("room.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    EditPreferences([&](CPreferencesDlg& dialog) {
        ASSERT_TRUE(dialog.GetKeepLayoutBox()->isChecked());
        QTest::mouseClick(dialog.GetKeepLayoutBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
    });
    QTest::keyClick(&view, Qt::Key_3, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Right, Qt::AltModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);

    const std::string saved = ReadFileText(path.toStdString());
    EXPECT_EQ(saved.find("// the room"), std::string::npos);
    EXPECT_EQ(saved, MapText(ActiveDoc()));
    EXPECT_NE(saved, MapText(*Read(original)->doc));
}

} // namespace
