// The entity inspector through the real main window: three lights of a real
// map chosen in entity mode, the dock shown by its key, a value typed into
// the table's editor, saved and compared with the file line by line, undone
// in one step; and a key the lights have added again through the dock.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "docks/CEntityInspectorDock.h"
#include "docks/CEntityKeyDelegate.h"
#include "framework/CColourChooser.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

class EntityInspectorEndToEnd : public CAppFixture {
protected:
    CTolveView& View() const { return *Frame().GetActiveView(); }
    CEntityInspectorDock& Inspector() const { return Frame().GetEntityInspector(); }
    QTableWidget& Table() const { return Inspector().GetTable(); }

    // A real map open, its first three lights chosen in entity mode and the
    // dock shown by its key.
    void OpenWithThreeLightsChosen() {
        m_original = ReadFileText(TestDataPath("maps/id_dm1.map"));
        m_path = WriteMap("dm1.map", m_original.c_str());
        StartApp({m_path});
        ShowActive();
        m_messages.m_boxes.clear(); // the map's texture files are not here
        CEditorState& state = ActiveDoc().GetEditorState();
        state.SetEditMode(kEntityMode);
        CSelectionSet set;
        for (const auto& entity : ActiveDoc().GetPointEntities()) {
            if (entity->m_classname == "light" && entity->m_hasLight && set.CountParts() < 3)
                set.Add(*entity);
        }
        state.SetSelectionSet(set);
        QTest::keyClick(&View(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(Inspector().isVisible());
        ASSERT_TRUE(QTest::qWaitFor([&] { return Inspector().GetEntityCount() == 3; }));
        // Showing the keys takes no keyboard from the view.
        ASSERT_EQ(QApplication::focusWidget(), &View());
    }

    QModelIndex ValueCell(const std::string& key) const {
        const int row = Inspector().FindRow(key);
        return row < 0 ? QModelIndex()
                       : Table().model()->index(row, CEntityInspectorDock::kValueColumn);
    }

    void Save() { QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier); }
    std::string Saved() const { return ReadFileText(m_path.toStdString()); }

    std::string m_original;
    QString m_path;
};

} // namespace

TEST_F(EntityInspectorEndToEnd, AValueTypedGoesOnTheThreeLightsAloneAndUndoGivesTheFileBack) {
    OpenWithThreeLightsChosen();
    ASSERT_TRUE(ValueCell("light").isValid());
    EXPECT_EQ(CEntityKeyDelegate::ShownText(ValueCell("origin")),
              QString::fromLatin1(CEntityKeyDelegate::kDifferent));

    Table().setFocus();
    Table().setCurrentIndex(ValueCell("light"));
    QTest::keyClick(&Table(), Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &Table());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("275"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its value over once its key is handled.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ActiveDoc().GetHistory().GetStepCount() == 1; }));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return CEntityKeyDelegate::ShownText(ValueCell("light")) == "275"; }));
    QTest::keyClick(&Table(), Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), &View());

    Save();
    const std::vector<std::string> before = Lines(m_original);
    const std::vector<std::string> after = Lines(Saved());
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::string> changed;
    for (size_t i = 0; i < before.size(); ++i) {
        if (after[i] != before[i])
            changed.push_back(after[i]);
    }
    EXPECT_EQ(changed, std::vector<std::string>(3, "\"light\" \"275\"\r"));

    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return CEntityKeyDelegate::ShownText(ValueCell("light")) == CEntityKeyDelegate::kDifferent;
    }));
    Save();
    EXPECT_EQ(Saved(), m_original);
}

TEST_F(EntityInspectorEndToEnd, AKeyTheLightsHaveAddedAgainIsWrittenOnce) {
    OpenWithThreeLightsChosen();
    QLineEdit& key = Inspector().GetNewKey();
    key.setFocus();
    QTest::keyClicks(&key, QStringLiteral("light"));
    QTest::keyClick(&key, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("90"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 1u);
    EXPECT_TRUE(m_messages.Texts().empty());
    Save();
    const std::vector<std::string> before = Lines(m_original);
    const std::vector<std::string> after = Lines(Saved());
    ASSERT_EQ(after.size(), before.size());
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (after[i] != before[i]) {
            EXPECT_EQ(after[i], "\"light\" \"90\"\r") << "line " << i + 1;
            ++changed;
        }
    }
    EXPECT_EQ(changed, 3);
}

TEST_F(EntityInspectorEndToEnd, AValueTheDialogRefusesIsRefusedWithItsMessage) {
    OpenWithThreeLightsChosen();
    QLineEdit& key = Inspector().GetNewKey();
    key.setFocus();
    QTest::keyClicks(&key, QStringLiteral("light"));
    QTest::keyClick(&key, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("bright"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts().front().find("\"bright\" is not one"), std::string::npos);
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 0u);
}

TEST_F(EntityInspectorEndToEnd, AKeyRenamedInItsCellAndRemovedByDeleteEachTakeOneStep) {
    OpenWithThreeLightsChosen();
    const size_t entityCount = ActiveDoc().GetPointEntities().size();
    Table().setFocus();
    Table().setCurrentIndex(ValueCell("light").siblingAtColumn(CEntityInspectorDock::kKeyColumn));
    QTest::keyClick(&Table(), Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &Table());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral("_light"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ValueCell("_light").isValid(); }));
    EXPECT_FALSE(ValueCell("light").isValid());
    const CPointEntity& first =
        **ActiveDoc().GetEditorState().GetSelectionSet().GetPointEntities().begin();
    EXPECT_FALSE(first.m_hasLight);

    Table().setCurrentIndex(ValueCell("_light"));
    QTest::keyClick(&Table(), Qt::Key_Delete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ValueCell("_light").isValid(); }));
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 2u);
    // Delete removed the key, not the selected entities.
    EXPECT_EQ(ActiveDoc().GetPointEntities().size(), entityCount);
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&View(), Qt::Key_Z, Qt::ControlModifier);
    Save();
    EXPECT_EQ(Saved(), m_original);
}

TEST_F(EntityInspectorEndToEnd, AColourChosenIsWrittenInTheValuesOwnScaleAndBrightness) {
    OpenWithThreeLightsChosen();
    QLineEdit& key = Inspector().GetNewKey();
    key.setFocus();
    QTest::keyClicks(&key, QStringLiteral("_color"));
    QTest::keyClick(&key, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("255 128 0 300"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(m_messages.Texts().empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ValueCell("_color").isValid(); }));
    Table().setCurrentIndex(ValueCell("_color"));
    ASSERT_TRUE(Inspector().GetColourButton().isEnabled());

    // Green is picked, from the orange the value holds.
    class CGreenChooser : public CColourChooser {
    public:
        std::optional<PickedColour> ChooseColour(const PickedColour& initial,
                                                 const std::string&) override {
            m_initial = initial;
            return PickedColour{0, 255, 0};
        }
        PickedColour m_initial;
    } chooser;
    CServiceGuard<CColourChooser> guard(chooser);
    QTest::mouseClick(&Inspector().GetColourButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.m_initial, (PickedColour{255, 128, 0}));
    EXPECT_EQ(ActiveDoc().GetHistory().GetStepCount(), 2u);
    Save();
    const std::string saved = Saved();
    size_t count = 0;
    for (size_t at = saved.find("\"_color\" \"0 255 0 300\""); at != std::string::npos;
         at = saved.find("\"_color\" \"0 255 0 300\"", at + 1))
        ++count;
    EXPECT_EQ(count, 3u);
}
