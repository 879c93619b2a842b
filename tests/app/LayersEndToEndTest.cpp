// Layers through the real main window: View > Layers lists the layers of a
// map kept in them; Space on a layer's Shown box hides exactly its members,
// on its Locked box keeps its members from Select All; the file is saved as
// it was read, and Show All checks the box again.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "docks/CLayersDock.h"
#include "map/MapLayers.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class LayersEndToEnd : public CAppFixture {
protected:
    // Puts the keyboard on a box of the list and presses Space.
    void ToggleBox(int row, CLayersDock::Column column) {
        QTreeWidget& list = Frame().GetLayersDock().GetList();
        list.setFocus();
        list.setCurrentItem(list.topLevelItem(row), column);
        QTest::keyClick(&list, Qt::Key_Space);
    }
    Qt::CheckState Box(int row, CLayersDock::Column column) const {
        return Frame().GetLayersDock().GetList().topLevelItem(row)->checkState(column);
    }
};

TEST_F(LayersEndToEnd, LayersListedHiddenAndLockedAndTheFileSavedAsRead) {
    const std::string original = ReadFileText(TestDataPath("maps/lq_e0m8_standard.map"));
    const QString path = WriteMap("layers.map", original.c_str());
    StartApp({path});
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    Frame().RunCommand(CommandId::kLayers);
    CLayersDock& dock = Frame().GetLayersDock();
    ASSERT_TRUE(dock.isVisible());
    QTreeWidget& list = dock.GetList();
    ASSERT_EQ(list.topLevelItemCount(), 4);
    const char* names[] = {kDefaultLayerName, "mp-only", "sp-only", "tmp"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(list.topLevelItem(row)->text(CLayersDock::kNameColumn).toStdString(), names[row]);
        EXPECT_EQ(Box(row, CLayersDock::kShownColumn), Qt::Checked);
        EXPECT_EQ(Box(row, CLayersDock::kLockedColumn), Qt::Unchecked);
    }

    const CEditorState& state = ActiveDoc().GetEditorState();
    const std::vector<MapLayer> layers = ReadMapLayers(ActiveDoc());
    ToggleBox(1, CLayersDock::kShownColumn);
    EXPECT_EQ(state.GetHidden().Count(), layers[1].members.CountParts());
    for (const auto& [brush, parts] : layers[1].members.GetBrushes())
        EXPECT_TRUE(state.IsHidden(*brush));
    ToggleBox(2, CLayersDock::kLockedColumn);
    EXPECT_EQ(state.GetLocked().Count(), layers[2].members.CountParts());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Box(1, CLayersDock::kShownColumn) == Qt::Unchecked; }));
    EXPECT_EQ(Box(2, CLayersDock::kLockedColumn), Qt::Checked);

    // Select All in brush mode takes the default layer's brushes alone.
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_3, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    const CSelectionSet& set = state.GetSelectionSet();
    EXPECT_EQ(set.GetBrushes().size(), layers[0].members.GetBrushes().size());
    for (const auto& [brush, parts] : layers[0].members.GetBrushes())
        EXPECT_TRUE(set.Contains(*brush));

    // Nothing of the map changed: Save As writes the file as it was read.
    QTest::keyClick(&view, Qt::Key_Escape);
    const std::string copy = m_files.Path("copy.map").string();
    m_saveChooser.m_answers = {copy};
    Frame().RunCommand(CommandId::kFileSaveAs);
    EXPECT_TRUE(ReadFileText(copy) == original);

    QTest::keyClick(&view, Qt::Key_H, Qt::ShiftModifier);
    EXPECT_TRUE(state.GetHidden().IsEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Box(1, CLayersDock::kShownColumn) == Qt::Checked; }));
}

} // namespace
