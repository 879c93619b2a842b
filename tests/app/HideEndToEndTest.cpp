// Hide through the real main window: a brush chosen with the mouse and H put
// out of sight; the pointer over it hovers the other, Select All and Delete
// leave it alone, the saved file keeps it, and Shift+H shows it again.
#include "CAppFixture.h"
#include "TestSupport.h"
#include "map/CMapEdits.h"
#include "widgets/CTolveView.h"

#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class HideEndToEnd : public CAppFixture {
protected:
    void Open(const std::string& text) {
        m_path = WriteMap("hide.map", text.c_str());
        StartApp({m_path});
        ShowActive();
        ActiveFrame()->showMaximized();
        View().setFocus();
        // World (x, y) at pixel (x + 100, 100 - y), one unit per pixel.
        View().m_projection = CViewProjection();
        View().InvalidateAll();
    }

    CTolveView& View() const { return *Frame().GetActiveView(); }
    const CEditorState& State() const { return ActiveDoc().GetEditorState(); }
    QString StatusText() const { return Frame().statusBar()->currentMessage(); }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, at, View().mapToGlobal(at), button, held, modifiers);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void MoveTo(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void ShiftClick(QPoint at) {
        MoveTo(at);
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&View(), static_cast<Qt::Key>(key), modifiers);
    }

    QString m_path;
};

QPoint At(int x, int y) {
    return {x + 100, 100 - y};
}

// Two world boxes meeting at y = 0: the first from y 0 to 48, the second
// from -48 to 0, both from x 0 to 80.
TEST_F(HideEndToEnd, HiddenBrushIsPassedOverKeptBySaveAndShownAgain) {
    const std::string original = ReadFileText(TestDataPath("maps/ericw_q1_csg.map"));
    Open(original);
    ASSERT_EQ(ActiveDoc().GetWorldBrushes().size(), 2u);
    const CMapBrush* hidden = ActiveDoc().GetWorldBrushes()[0].get();
    const CMapBrush* other = ActiveDoc().GetWorldBrushes()[1].get();
    Key(Qt::Key_3, Qt::ControlModifier);
    ShiftClick(At(80, 48));
    ASSERT_TRUE(State().GetSelectionSet().Contains(*hidden));

    Key(Qt::Key_H);
    EXPECT_TRUE(State().IsHidden(*hidden));
    EXPECT_TRUE(State().GetSelectionSet().IsEmpty());
    EXPECT_EQ(StatusText(), QStringLiteral("1 object hidden"));
    // Over its far corner the pointer finds the other box, and no more.
    MoveTo(At(80, 48));
    EXPECT_EQ(State().GetSelectedBrush(), other);
    MoveTo(At(40, 24));
    EXPECT_EQ(State().GetSelectedBrush(), other);

    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(State().GetSelectionSet().CountParts(), 1u);
    Key(Qt::Key_Delete);
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_FALSE(ActiveDoc().IsModified());
    // The file is the original without the other box.
    std::unique_ptr<ReadMap> expected = Read(original);
    CTolveDoc& doc = *expected->doc;
    Edit(doc, [&](CMapEdits& e) { e.RemoveBrush(nullptr, *doc.GetWorldBrushes()[1]); });
    const std::string expectedPath = m_files.Path("expected.map").string();
    ASSERT_FALSE(doc.WriteMapFile(expectedPath));
    EXPECT_EQ(ReadFileText(m_path.toStdString()), ReadFileText(expectedPath));

    Key(Qt::Key_H, Qt::ShiftModifier);
    EXPECT_FALSE(State().IsHidden(*hidden));
    EXPECT_EQ(StatusText(), QStringLiteral("Showed 1 object again"));
    MoveTo(At(80, 48));
    EXPECT_EQ(State().GetSelectedBrush(), hidden);
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(State().GetSelectionSet().Contains(*hidden));
}

} // namespace
