// The face inspector through the real main window: its key, two faces chosen
// in face mode, an offset typed into its field, saved and read back, undone;
// and values the Brush & Face dialog would refuse.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "docks/CFaceInspectorDock.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

// A room whose first two faces share their Y offset alone.
std::string TwoFacesMap(const std::string& firstX, const std::string& secondX) {
    return "{\n\"classname\" \"worldspawn\"\n{\n"
           "( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall " +
           firstX +
           " 4 0 1 1\n"
           "( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) brick " +
           secondX +
           " 4 15 0.5 2\n"
           "( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1\n"
           "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1\n"
           "( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1\n"
           "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1\n}\n}\n";
}

class FaceInspectorEndToEnd : public CAppFixture {
protected:
    CTolveView& View() const { return *Frame().GetActiveView(); }
    CFaceInspectorDock& Inspector() const { return Frame().GetFaceInspector(); }

    // The map open, the dock shown by its key, the first two faces chosen.
    void OpenWithTwoFacesChosen(const QString& path) {
        StartApp({path});
        ShowActive();
        QTest::keyClick(&View(), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(Inspector().isVisible());
        ASSERT_FALSE(Inspector().GetField(FaceField::kXOffset).isEnabled());
        CEditorState& state = ActiveDoc().GetEditorState();
        state.SetEditMode(kFaceMode);
        CSelectionSet set;
        set.Add(*ActiveDoc().GetWorldBrushes().front(), PartBit(0) | PartBit(1));
        state.SetSelectionSet(set);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Inspector().GetFaceCount() == 2; }));
        // Showing the faces takes no keyboard from the view.
        ASSERT_EQ(QApplication::focusWidget(), &View());
    }

    void Type(FaceField field, const char* text) {
        QLineEdit& box = Inspector().GetField(field);
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, QString::fromLatin1(text));
        QTest::keyClick(&box, Qt::Key_Return);
    }
};

} // namespace

TEST_F(FaceInspectorEndToEnd, AnOffsetTypedGoesOnBothFacesAloneAndUndoGivesTheFileBack) {
    // The file as the editor writes it, so that it can come back byte for byte.
    const std::string original = MapText(*Read(TwoFacesMap("3", "7"))->doc);
    const QString path = WriteMap("room.map", original.c_str());
    OpenWithTwoFacesChosen(path);
    QLineEdit& xOffset = Inspector().GetField(FaceField::kXOffset);
    EXPECT_TRUE(xOffset.text().isEmpty());
    EXPECT_EQ(xOffset.placeholderText(), QString::fromLatin1(CFaceInspectorDock::kMixed));
    EXPECT_EQ(Inspector().GetField(FaceField::kYOffset).text(), QStringLiteral("4"));

    Type(FaceField::kXOffset, "-16");
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 1u);
    EXPECT_EQ(xOffset.text(), QStringLiteral("-16"));
    QTest::keyClick(&xOffset, Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), &View());
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    std::unique_ptr<ReadMap> saved = Read(ReadFileText(path.toStdString()));
    std::unique_ptr<ReadMap> expected = Read(TwoFacesMap("-16", "-16"));
    EXPECT_EQ(MapText(*saved->doc), MapText(*expected->doc));

    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    // The dock follows the undo.
    EXPECT_TRUE(QTest::qWaitFor([&] { return xOffset.text().isEmpty(); }));
    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFileText(path.toStdString()), original);
}

TEST_F(FaceInspectorEndToEnd, AValueTheDialogRefusesIsRefusedWithItsMessage) {
    OpenWithTwoFacesChosen(WriteMap("room.map", TwoFacesMap("3", "7").c_str()));
    Type(FaceField::kXScale, "wide");
    Type(FaceField::kYOffset, "1.5"); // a standard face keeps whole offsets
    EXPECT_EQ(m_messages.Texts(), (std::vector<std::string>{kEnterNumber, kEnterInteger}));
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 0u);
    EXPECT_TRUE(Inspector().GetField(FaceField::kXScale).text().isEmpty());
    EXPECT_EQ(Inspector().GetField(FaceField::kYOffset).text(), QStringLiteral("4"));
}
