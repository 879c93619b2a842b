// Groups through the real main window: Shift+click two brushes, Ctrl+Alt+G, the
// name dialog's default button, then a Shift+click on one brush takes both,
// a nudge moves both and the saved file holds the group.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "dialogs/CNumberDlg.h"
#include "map/MapGroups.h"
#include "map/ObjectBounds.h"
#include "widgets/CTolveView.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Box(int x0, int x1) {
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    const std::string rest = " floor 0 0 0 1 1\n";
    return "{\n( " + a + " 0 1 ) ( " + a + " -1 0 ) ( " + a + " 0 0 )" + rest + "( " + b +
           " 0 1 ) ( " + b + " 1 0 ) ( " + b + " 0 0 )" + rest + "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" +
           rest + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + rest + "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" +
           rest + "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + rest + "}\n";
}

const std::string kFarBrush = Box(2000, 2064);
const std::string kLight = "{\n\"classname\" \"light\"\n\"origin\" \"32 -100 32\"\n}\n";
// Two cubes side by side, a third far to the right and a light.
const std::string kMap =
    "{\n\"classname\" \"worldspawn\"\n" + Box(0, 64) + Box(128, 192) + kFarBrush + "}\n" + kLight;

class GroupEndToEnd : public CAppFixture {
protected:
    CTolveView& View() const { return *Frame().GetActiveView(); }

    void ShiftClick(QPoint at) {
        Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, at, View().mapToGlobal(at), button, held, modifiers);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), static_cast<Qt::Key>(key), modifiers);
    }
};

// The pixel of a world point in a view that has not moved: one unit a pixel.
QPoint At(int x, int y) {
    return {x + 100, 100 - y};
}

TEST_F(GroupEndToEnd, GroupedBrushesSelectAndMoveAsOneAndSaveAsAGroup) {
    const QString path = WriteMap("group.map", kMap.c_str());
    StartApp({path});
    ActiveFrame()->showMaximized();
    ShowActive();
    View().m_projection = CViewProjection();
    View().InvalidateAll();
    CTolveDoc& doc = ActiveDoc();
    const std::string before = MapText(doc);
    const IntBox first = *BoundsOf(*doc.GetWorldBrushes()[0]);
    const IntBox second = *BoundsOf(*doc.GetWorldBrushes()[1]);

    Key(Qt::Key_3, Qt::ControlModifier);
    ShiftClick(At(64, 64));
    ShiftClick(At(192, 64));
    CScriptedDialogRunner dialogs;
    std::string offered;
    dialogs.m_script = [&](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CNumberDlg&>(modal);
        dialog.show();
        offered = dialog.GetText();
        QTest::keyClick(dialog.GetBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dialog.GetBox(), "Pillars");
        QTest::keyClick(dialog.GetBox(), Qt::Key_Return);
    };
    Key(Qt::Key_G, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(dialogs.m_names, std::vector<std::string>{"Group"});
    EXPECT_EQ(offered, "Group 1");
    EXPECT_TRUE(m_messages.m_boxes.empty());
    ASSERT_EQ(CMapGroups(doc).GetGroups().size(), 1u);

    Key(Qt::Key_Escape);
    ASSERT_TRUE(doc.GetEditorState().GetSelectionSet().IsEmpty());
    ShiftClick(At(64, 64));
    const CModelEntity& group = *CMapGroups(doc).GetGroups()[0].brushEntity;
    EXPECT_EQ(doc.GetEditorState().GetSelectionSet().CountParts(), 2u);
    for (const auto& brush : group.m_brushes)
        EXPECT_TRUE(doc.GetEditorState().GetSelectionSet().Contains(*brush));
    Key(Qt::Key_Right, Qt::AltModifier);
    const int32_t step = doc.GetEditorState().GetSnap();
    Key(Qt::Key_S, Qt::ControlModifier);

    const std::string saved = ReadFileText(path.toStdString());
    EXPECT_TRUE(saved.starts_with("{\n\"classname\" \"worldspawn\"\n" + kFarBrush + "}\n" + kLight))
        << saved;
    std::unique_ptr<ReadMap> reread = Read(saved);
    const CMapGroups groups(*reread->doc);
    ASSERT_EQ(groups.GetGroups().size(), 1u);
    const MapGroup& read = groups.GetGroups()[0];
    EXPECT_EQ(read.name, "Pillars");
    ASSERT_NE(read.brushEntity, nullptr);
    ASSERT_EQ(read.brushEntity->m_brushes.size(), 2u);
    auto moved = [step](IntBox box) {
        box.min.x += step;
        box.max.x += step;
        return box;
    };
    EXPECT_EQ(*BoundsOf(*read.brushEntity->m_brushes[0]), moved(first));
    EXPECT_EQ(*BoundsOf(*read.brushEntity->m_brushes[1]), moved(second));
    EXPECT_EQ(reread->doc->GetModelEntities().size(), 1u);
    EXPECT_EQ(reread->doc->GetPointEntities().size(), 1u);

    // The nudge and the group are a step each.
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(MapText(doc), before);
}

} // namespace
