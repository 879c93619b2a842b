#include "map/SelectionFragment.h"

#include "map/CMapWriter.h"
#include "map/CTolveDoc.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kDoorAndLight = R"({
"classname" "worldspawn"
"message" "Room"
{
( -64 0 1 ) ( -64 -1 0 ) ( -64 0 0 ) wall 0 0 0 1 1
( 64 0 1 ) ( 64 1 0 ) ( 64 0 0 ) wall 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) wall 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) wall 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) floor 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) floor 0 0 0 1 1
}
}
{
"classname" "func_door"
"speed" "120"
{
( 128 0 1 ) ( 128 -1 0 ) ( 128 0 0 ) door 0 0 0 1 1
( 160 0 1 ) ( 160 1 0 ) ( 160 0 0 ) door 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) door 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) door 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) door 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) door 0 0 0 1 1
}
{
( 192 0 1 ) ( 192 -1 0 ) ( 192 0 0 ) door 0 0 0 1 1
( 224 0 1 ) ( 224 1 0 ) ( 224 0 0 ) door 0 0 0 1 1
( 0 -64 1 ) ( 1 -64 0 ) ( 0 -64 0 ) door 0 0 0 1 1
( 0 64 1 ) ( -1 64 0 ) ( 0 64 0 ) door 0 0 0 1 1
( 0 1 -64 ) ( -1 0 -64 ) ( 0 0 -64 ) door 0 0 0 1 1
( 0 1 64 ) ( 1 0 64 ) ( 0 0 64 ) door 0 0 0 1 1
}
}
{
"classname" "light"
"origin" "-200 -150 0"
}
)";

class SelectionFragment : public ::testing::Test {
protected:
    SelectionFragment() {
        CRecordingDiagnostics diagnostics;
        m_doc.ReadMapText(kDoorAndLight, diagnostics);
    }
    std::string SelectionText() const {
        return CMapWriter::WriteText(ContentsOf(FragmentOfSelection(m_doc)));
    }
    CTolveDoc m_doc;
};

} // namespace

TEST_F(SelectionFragment, NothingSelectedGivesNothing) {
    m_doc.m_editMode = kBrushMode;
    EXPECT_FALSE(HasCopyableSelection(m_doc));
    EXPECT_TRUE(FragmentOfSelection(m_doc).IsEmpty());
    EXPECT_EQ(SelectionText(), "");
}

TEST_F(SelectionFragment, ASelectionOfAnotherModeIsNotCopied) {
    m_doc.m_editMode = kFaceMode;
    m_doc.m_selectedBrush = m_doc.m_worldBrushes[0].get();
    EXPECT_FALSE(HasCopyableSelection(m_doc));
    m_doc.m_editMode = kBrushMode;
    m_doc.m_selectedPointEntity = m_doc.m_pointEntities[0].get();
    m_doc.m_selectedBrush = nullptr;
    EXPECT_FALSE(HasCopyableSelection(m_doc));
}

TEST_F(SelectionFragment, AWorldBrushGoesInsideAWorldWithoutTheMapsKeys) {
    m_doc.m_editMode = kBrushMode;
    m_doc.m_selectedBrush = m_doc.m_worldBrushes[0].get();
    ASSERT_TRUE(HasCopyableSelection(m_doc));
    const std::string text = SelectionText();
    EXPECT_NE(text.find("\"worldspawn\""), std::string::npos) << text;
    EXPECT_EQ(text.find("Room"), std::string::npos) << text;
    EXPECT_NE(text.find("wall"), std::string::npos) << text;
    EXPECT_EQ(text.find("light"), std::string::npos) << text;
}

TEST_F(SelectionFragment, AnEntityBrushGoesInsideItsKeysAlone) {
    CModelEntity& door = *m_doc.m_modelEntities[0];
    m_doc.m_editMode = kBrushMode;
    m_doc.m_selectedEntity = &door;
    m_doc.m_selectedBrush = door.m_brushes[1].get();
    const CMapFragment fragment = FragmentOfSelection(m_doc);
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
    m_doc.m_editMode = kEntityMode;
    m_doc.m_selectedPointEntity = m_doc.m_pointEntities[0].get();
    const std::string text = SelectionText();
    EXPECT_NE(text.find("\"light\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"-200 -150 0\""), std::string::npos) << text;
    EXPECT_EQ(text.find("worldspawn"), std::string::npos) << text;
}
