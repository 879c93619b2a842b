// Find through the real main window: its key puts the keyboard in the dock,
// a key and value typed and Enter list what has them, a line chosen selects
// that entity and frames it, Select All takes them all, and Delete and Ctrl+S
// leave the file without them alone; the list follows an undo.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "docks/CFindDock.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Light(const std::string& origin, const std::string& style) {
    return "{\n\"classname\" \"light\"\n\"origin\" \"" + origin + "\"\n\"style\" \"" + style +
           "\"\n}\n";
}

class FindEndToEnd : public CAppFixture {};

TEST_F(FindEndToEnd, KeyAndValueFoundSelectedFramedDeletedAndSaved) {
    const std::string kept = Light("0 0 64", "2");
    const std::string original = MapText(
        *Read(CubeMapText(Light("512 512 64", "5") + kept + Light("-640 128 32", "5")))->doc);
    const QString path = WriteMap("lights.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    CFindDock& find = Frame().GetFindDock();

    QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(find.isVisible());
    find.GetFindBy().setCurrentIndex(static_cast<int>(FindBy::kKeyValue));
    find.GetKey().setFocus();
    QTest::keyClicks(&find.GetKey(), QStringLiteral("style"));
    QTest::keyClick(&find.GetKey(), Qt::Key_Tab);
    find.GetText().setFocus();
    QTest::keyClicks(&find.GetText(), QStringLiteral("5"));
    QTest::keyClick(&find.GetText(), Qt::Key_Return);
    ASSERT_EQ(find.GetResults().count(), 2);
    EXPECT_EQ(find.GetResults().item(0)->text(), QStringLiteral("entity 1 (light)"));
    EXPECT_EQ(find.GetResults().item(1)->text(), QStringLiteral("entity 3 (light)"));

    // The line chosen is selected and the top view shows it.
    const CPointEntity& far = *ActiveDoc().GetPointEntities()[2];
    QTest::mouseClick(find.GetResults().viewport(), Qt::LeftButton, {},
                      find.GetResults().visualItemRect(find.GetResults().item(1)).center());
    const CSelectionSet& set = ActiveDoc().GetEditorState().GetSelectionSet();
    ASSERT_EQ(set.GetPointEntities().size(), 1u);
    EXPECT_TRUE(set.Contains(far));
    const ScreenPoint shown = view.m_projection.WorldToScreen(far.m_origin);
    EXPECT_TRUE(view.rect().contains(shown.x, shown.y));

    QTest::mouseClick(&find.GetSelectAll(), Qt::LeftButton);
    EXPECT_EQ(set.GetPointEntities().size(), 2u);
    QTest::keyClick(&find.GetResults(), Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), &view);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(QTest::qWaitFor([&] { return find.GetResults().count() == 0; }));
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(path.toStdString()), MapText(*Read(CubeMapText(kept))->doc));

    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return find.GetResults().count() == 2; }));
}

TEST_F(FindEndToEnd, NumberTestWithoutANumberIsRefusedWithAMessage) {
    StartApp({WriteMap("lights.map", CubeMapText(Light("0 0 64", "5")).c_str())});
    ShowActive();
    CFindDock& find = Frame().GetFindDock();
    Frame().RunCommand(CommandId::kFind);
    find.GetFindBy().setCurrentIndex(static_cast<int>(FindBy::kKeyValue));
    find.GetKey().setText(QStringLiteral("light"));
    find.GetTest().setCurrentIndex(static_cast<int>(ValueTest::kNumberAbove));
    QTest::keyClicks(&find.GetText(), QStringLiteral("bright"));
    QTest::keyClick(&find.GetText(), Qt::Key_Return);
    EXPECT_EQ(m_messages.m_boxes.size(), 1u);
    EXPECT_EQ(find.GetResults().count(), 0);
}

} // namespace
