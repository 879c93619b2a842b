#include "CAppFixture.h"
#include "TestSupport.h"
#include "dialogs/CTransformDlg.h"
#include "map/ObjectBounds.h"
#include "widgets/CTolveView.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A box from (0 0 0) to (64 64 64), another from x 200 to 264, and a light.
constexpr const char* kTwoBoxesMap = R"({
"classname" "worldspawn"
{
( 0 0 1 ) ( 0 -1 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) a 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) a 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) a 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) a 0 0 0 1 1
}
{
( 200 0 1 ) ( 200 -1 0 ) ( 200 0 0 ) b 0 0 0 1 1
( 264 0 1 ) ( 264 1 0 ) ( 264 0 0 ) b 0 0 0 1 1
( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 ) b 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) b 0 0 0 1 1
( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 ) b 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) b 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-64 -64 0"
}
)";

void TypeOver(QLineEdit* box, const char* text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

using TransformEndToEnd = CAppFixture;

// Brush mode, Shift+click the first box in the top view, Ctrl+M: move 16 along
// x, turn 30 degrees about z, scale 2 along z, Return. The saved file holds
// that box transformed and the rest as it was; Undo gives back the very file.
TEST_F(TransformEndToEnd, DialogMovesTurnsAndScalesTheSelectedBrushAsOneUndoStep) {
    const std::string original = MapText(*Read(kTwoBoxesMap)->doc);
    const QString path = WriteMap("boxes.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    // World (x, y) at pixel (x + 100, 100 - y), one unit per pixel.
    view.m_projection = CViewProjection();
    view.InvalidateAll();
    QTest::keyClick(&view, Qt::Key_3, Qt::ControlModifier);
    const QPoint westSide(0 + 100, 100 - 32);
    QMouseEvent move(QEvent::MouseMove, westSide, view.mapToGlobal(westSide), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    QTest::mouseClick(&view, Qt::LeftButton, Qt::ShiftModifier, westSide);
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 1u);

    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CTransformDlg&>(modal);
        dialog.show();
        EXPECT_TRUE(dialog.GetSelectionCentreButton()->isChecked());
        EXPECT_TRUE(dialog.GetTurnAxisButton(2)->isChecked());
        TypeOver(dialog.GetMoveBox(0), "16");
        TypeOver(dialog.GetAngleBox(), "30");
        TypeOver(dialog.GetScaleBox(2), "2");
        QTest::keyClick(dialog.GetScaleBox(2), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
    QTest::keyClick(&view, Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Transform"}));
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(ActiveDoc().IsModified());

    const std::string saved = ReadFileText(path.toStdString());
    const std::unique_ptr<ReadMap> read = Read(saved);
    const std::vector<const CMapBrush*> brushes = BrushesInOrder(*read->doc);
    ASSERT_EQ(brushes.size(), 2u);
    // Twice as tall about the middle, turned off the grid, 16 further along x.
    const std::optional<IntBox> box = BoundsOf(*brushes[0]);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->min.z, -32);
    EXPECT_EQ(box->max.z, 96);
    EXPECT_EQ(box->min.x, 32 + 16 - 44); // the half-diagonal 45.25 across, 43.7 after the turn
    EXPECT_NE(saved.find("."), std::string::npos) << "the turned planes keep their decimals";
    const std::unique_ptr<ReadMap> before = Read(original);
    EXPECT_TRUE(*brushes[1] == *BrushesInOrder(*before->doc)[1]);
    EXPECT_EQ(read->doc->GetPointEntities().at(0)->m_origin, IntPoint(-64, -64, 0));

    // Undone, saved again: the very bytes it was.
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(path.toStdString()), original);
}

// Typed values the transform cannot take keep the dialog open with a message
// naming the box, which gets the focus back.
TEST(TransformDlg, RefusesWhatIsNoNumberOrAZeroScaleNamingTheBox) {
    CRecordingMessages messages;
    CTransformDlg dialog(true);
    struct Case {
        QLineEdit* box;
        const char* text;
        const char* message;
    } cases[] = {
        {dialog.GetMoveBox(1), "ten",
         "Please enter a number between -131072 and 131072 for Move Y."},
        {dialog.GetAngleBox(), "400", "Please enter a number between -360 and 360 for the angle."},
        {dialog.GetScaleBox(0), "0",
         "Please enter a number between -1000 and 1000, other than 0, for Scale X."},
    };
    for (const Case& c : cases) {
        dialog.SetFields(TransformFields());
        messages.m_boxes.clear();
        dialog.setResult(QDialog::Rejected);
        TypeOver(c.box, c.text);
        dialog.GetOkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.text;
        ASSERT_EQ(messages.m_boxes.size(), 1u) << c.text;
        EXPECT_EQ(messages.m_boxes[0].text, c.message);
        EXPECT_EQ(dialog.focusWidget(), c.box) << c.text;
    }
}

} // namespace
