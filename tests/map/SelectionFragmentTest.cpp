#include "map/SelectionSetEdits.h"

#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kDoorAndLight =
    CubeMapText("{\n\"classname\" \"func_door\"\n\"speed\" \"120\"\n{\n" +
                    BoxFaceLines(128, 160, "door") + "}\n{\n" + BoxFaceLines(192, 224, "door") +
                    "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"-200 -150 0\"\n}\n",
                "\"message\" \"Room\"\n");

class SelectionFragment : public ::testing::Test {
protected:
    SelectionFragment() {
        CRecordingDiagnostics diagnostics;
        m_doc.ReadMapText(kDoorAndLight, diagnostics);
    }
    MapFragment HoverFragment() const {
        const CEditorState& state = m_doc.GetEditorState();
        return FragmentOfSet(m_doc, state.GetHoverAsSet(), state.GetEditMode());
    }
    bool HasCopyableHover() const { return !m_doc.GetEditorState().GetHoverAsSet().IsEmpty(); }
    std::string SelectionText() const { return CMapWriter::WriteText(ContentsOf(HoverFragment())); }
    CTolveDoc m_doc;
};

} // namespace

TEST_F(SelectionFragment, NothingSelectedGivesNothing) {
    m_doc.GetEditorState().SetEditMode(kBrushMode);
    EXPECT_FALSE(HasCopyableHover());
    EXPECT_TRUE(HoverFragment().IsEmpty());
    EXPECT_EQ(SelectionText(), "");
}

TEST_F(SelectionFragment, AFaceOrCornerCopiesItsBrushAndAnotherModesObjectNothing) {
    m_doc.GetEditorState().SetEditMode(kFaceMode);
    m_doc.GetEditorState().SetSelectedBrush(m_doc.GetWorldBrushes()[0].get());
    ASSERT_TRUE(HasCopyableHover());
    const std::string faceText = SelectionText();
    m_doc.GetEditorState().SetEditMode(kCornerMode);
    EXPECT_EQ(SelectionText(), faceText);
    EXPECT_NE(faceText.find("wall"), std::string::npos) << faceText;
    m_doc.GetEditorState().SetEditMode(kBrushMode);
    m_doc.GetEditorState().SetSelectedPointEntity(m_doc.GetPointEntities()[0].get());
    m_doc.GetEditorState().SetSelectedBrush(nullptr);
    EXPECT_FALSE(HasCopyableHover());
}

TEST_F(SelectionFragment, AWorldBrushGoesInsideAWorldWithoutTheMapsKeys) {
    m_doc.GetEditorState().SetEditMode(kBrushMode);
    m_doc.GetEditorState().SetSelectedBrush(m_doc.GetWorldBrushes()[0].get());
    ASSERT_TRUE(HasCopyableHover());
    const std::string text = SelectionText();
    EXPECT_NE(text.find("\"worldspawn\""), std::string::npos) << text;
    EXPECT_EQ(text.find("Room"), std::string::npos) << text;
    EXPECT_NE(text.find("wall"), std::string::npos) << text;
    EXPECT_EQ(text.find("light"), std::string::npos) << text;
}

TEST_F(SelectionFragment, AnEntityBrushGoesInsideItsKeysAlone) {
    CModelEntity& door = *m_doc.GetModelEntities()[0];
    m_doc.GetEditorState().SetEditMode(kBrushMode);
    m_doc.GetEditorState().SetSelectedEntity(&door);
    m_doc.GetEditorState().SetSelectedBrush(door.m_brushes[1].get());
    const MapFragment fragment = HoverFragment();
    ASSERT_EQ(fragment.modelEntities.size(), 1u);
    EXPECT_TRUE(fragment.worldBrushes.empty());
    const CModelEntity& copy = *fragment.modelEntities[0];
    EXPECT_EQ(copy.m_classname, "func_door");
    EXPECT_EQ(copy.m_speed, 120);
    ASSERT_EQ(copy.m_brushes.size(), 1u);
    EXPECT_NE(copy.m_brushes[0].get(), door.m_brushes[1].get());
    EXPECT_EQ(copy.m_brushes[0]->m_vertices[0], door.m_brushes[1]->m_vertices[0]);
    EXPECT_EQ(SelectionText().find("worldspawn"), std::string::npos);
}

TEST_F(SelectionFragment, APointEntityInEntityMode) {
    m_doc.GetEditorState().SetEditMode(kEntityMode);
    m_doc.GetEditorState().SetSelectedPointEntity(m_doc.GetPointEntities()[0].get());
    const std::string text = SelectionText();
    EXPECT_NE(text.find("\"light\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"-200 -150 0\""), std::string::npos) << text;
    EXPECT_EQ(text.find("worldspawn"), std::string::npos) << text;
}

TEST_F(SelectionFragment, ABrushOfAValveMapIsCopiedWithItsAxesAndComesBackTheSame) {
    m_doc.m_mapFormat = MapFormat::kValve;
    m_doc.GetEditorState().SetEditMode(kBrushMode);
    m_doc.GetEditorState().SetSelectedBrush(m_doc.GetWorldBrushes()[0].get());
    const std::string text = SelectionText();
    EXPECT_NE(text.find("\t\"mapversion\" \"220\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" wall [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"), std::string::npos) << text;
    CTolveDoc again;
    CRecordingDiagnostics diagnostics;
    again.ReadMapText(text, diagnostics);
    EXPECT_EQ(again.m_mapFormat, MapFormat::kValve);
    ASSERT_TRUE(again.GetWorldBrushes().at(0)->HasValveAxes());
}
