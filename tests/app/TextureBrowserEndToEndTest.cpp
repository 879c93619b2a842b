// The texture browser through the real main window: its key, its filter, the
// current texture it chooses and Apply Texture on the brushes of the flat
// view, saved and read back.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "docks/CTextureBrowserDock.h"
#include "docks/CTextureListModel.h"
#include "texture/WadBuilder.h"
#include "widgets/CTolveView.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string Box(int x0, int x1, const std::string& texture) {
    const std::string a = std::to_string(x0), b = std::to_string(x1);
    const std::string rest = " " + texture + " 0 0 0 1 1\n";
    return "{\n( " + a + " 0 1 ) ( " + a + " -1 0 ) ( " + a + " 0 0 )" + rest + "( " + b +
           " 0 1 ) ( " + b + " 1 0 ) ( " + b + " 0 0 )" + rest + "( 0 0 1 ) ( 1 0 0 ) ( 0 0 0 )" +
           rest + "( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 )" + rest + "( 0 1 0 ) ( -1 0 0 ) ( 0 0 0 )" +
           rest + "( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 )" + rest + "}\n";
}

// Three cubes along x; the first two textured `near`, the third "floor".
std::string ThreeCubes(const std::string& near) {
    return "{\n\"classname\" \"worldspawn\"\n\"wad\" \"textures.wad\"\n" + Box(0, 64, near) +
           Box(128, 192, near) + Box(2000, 2064, "floor") +
           "}\n{\n\"classname\" \"light\"\n\"origin\" \"32 -100 32\"\n}\n";
}

class TextureBrowserEndToEnd : public CAppFixture {
protected:
    CTolveView& View() const { return *Frame().GetActiveView(); }
    CTextureBrowserDock& Browser() const { return Frame().GetTextureBrowser(); }
    // The pixel of a world point in a view that opened at one unit per pixel
    // with world (0, 0) at (100, 100).
    static QPoint At(int x, int y) { return {x + 100, 100 - y}; }
    void ShiftClick(QPoint at) {
        for (QEvent::Type type :
             {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButton button =
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, at, View().mapToGlobal(at), button, held, Qt::ShiftModifier);
            QCoreApplication::sendEvent(&View(), &event);
        }
    }
};

} // namespace

TEST_F(TextureBrowserEndToEnd, FilterEnterThenShiftTPutsTheTextureOnTheSelectedBrushes) {
    CWadBuilder()
        .AddMipTexture("brick", 64, 64, 3)
        .AddMipTexture("METAL1", 64, 32, 7)
        .AddMipTexture("stone", 32, 32, 9)
        .WriteTo(m_files.Path("textures.wad"));
    const QString path = WriteMap("cubes.map", ThreeCubes("wall").c_str());
    StartApp({path});
    ShowActive();
    ASSERT_FALSE(Browser().isVisible());

    QTest::keyClick(&View(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(Browser().isVisible());
    ASSERT_EQ(QApplication::focusWidget(), &Browser().GetFilterBox());
    QTest::keyClicks(&Browser().GetFilterBox(), QStringLiteral("tal"));
    CTextureListModel& model = Browser().GetModel();
    ASSERT_EQ(model.rowCount(), 2); // the file's heading and METAL1
    const QModelIndex shown = model.FindFirstShownTexture();
    EXPECT_EQ(model.GetTextureName(shown), "METAL1");
    // Its picture is made on the event loop, at the texture's aspect.
    // (Qt's QTRY macros only return from the test: GoogleTest would not see them fail.)
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !model.data(shown, Qt::DecorationRole).value<QImage>().isNull(); }));
    const QImage picture = model.data(shown, Qt::DecorationRole).value<QImage>();
    EXPECT_EQ(picture.width(), 2 * picture.height());
    EXPECT_EQ(model.data(shown, CTextureListModel::kSizeRole).toString(), QStringLiteral("64×32"));

    QTest::keyClick(&Browser().GetFilterBox(), Qt::Key_Return);
    EXPECT_EQ(ActiveDoc().GetEditorState().GetCurrentTexture(), "METAL1");
    ASSERT_EQ(QApplication::focusWidget(), &View());

    View().m_projection = CViewProjection();
    View().InvalidateAll();
    QTest::keyClick(&View(), Qt::Key_3, Qt::ControlModifier);
    ShiftClick(At(64, 64));
    ShiftClick(At(192, 64));
    ASSERT_EQ(ActiveDoc().GetEditorState().GetSelectionSet().CountParts(), 2u);
    QTest::keyClick(&View(), Qt::Key_T, Qt::ShiftModifier);
    EXPECT_EQ(ActiveDoc().GetHistory().GetUndoName(), "Apply Texture");
    // The browser counts the faces again once the map changed.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return model.data(shown, CTextureListModel::kUsesRole).toInt() == 12;
    })) << model.data(shown, CTextureListModel::kUsesRole).toInt();

    QTest::keyClick(&View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ActiveDoc().IsModified());
    std::unique_ptr<ReadMap> saved = Read(ReadFileText(path.toStdString()));
    std::unique_ptr<ReadMap> expected = Read(ThreeCubes("METAL1"));
    EXPECT_EQ(MapText(*saved->doc), MapText(*expected->doc));
}
