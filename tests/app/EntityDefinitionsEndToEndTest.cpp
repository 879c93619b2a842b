// A mod's definitions chosen for a map: the entity dialog offers its classes,
// narrowing as a name is typed, captions the flags from them, and the choice
// travels with the saved map.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "TestSupport.h"
#include "dialogs/CClassKeyDelegate.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/COtherKeysTable.h"
#include "dialogs/CSearchedFilesDlg.h"
#include "dialogs/CSpawnflagGroup.h"
#include "map/CMapDefinitions.h"
#include "map/CMapTransaction.h"
#include "widgets/CTolveView.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class EntityDefinitionsEndToEnd : public CAppFixture {
protected:
    std::filesystem::path OpenRoomWithDefinitions() {
        const QString map = WriteMap("room.map");
        std::filesystem::copy_file(TestDataPath("defs/tb_Quake.fgd"), m_files.Path("quake.fgd"));
        StartApp({map});
        return map.toStdString();
    }

    // File > Entity Definitions..., Add File... answered with the FGD, OK.
    void ChooseDefinitions() {
        m_openChooser.m_answers = {m_files.Path("quake.fgd").string()};
        CScriptedDialogRunner dialogs;
        dialogs.m_script = [](CModalDialog& modal) {
            auto& dialog = dynamic_cast<CSearchedFilesDlg&>(modal);
            dialog.show();
            QTest::mouseClick(dialog.GetAddFileButton(), Qt::LeftButton);
            QTest::keyClick(dialog.GetOkButton(), Qt::Key_Space);
        };
        Frame().RunCommand(CommandId::kEntityDefinitions);
        ASSERT_EQ(dialogs.m_names, std::vector<std::string>{"Entity Definitions"});
    }
};

QCheckBox* BoxCaptioned(CEntityVariablesDlg& dialog, const char* caption) {
    for (int box = 0; box < kSpawnflagBoxCount; ++box) {
        if (dialog.GetSpawnflags()->GetBox(box)->text() == QLatin1String(caption))
            return dialog.GetSpawnflags()->GetBox(box);
    }
    return nullptr;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST_F(EntityDefinitionsEndToEnd, AClassPickedByPartOfItsNameIsSavedWithItsFlag) {
    const std::filesystem::path path = OpenRoomWithDefinitions();
    ChooseDefinitions();
    EXPECT_EQ(GetDefinitionsValue(ActiveDoc()), "quake.fgd");
    ASSERT_NE(ActiveDoc().GetEntityDefinitions(), nullptr);
    EXPECT_TRUE(m_messages.m_boxes.empty()) << m_messages.m_boxes[0].text;

    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        CEntityVariablesDlg& dialog = CastEntityDialog(modal, EntityKind::kPoint);
        dialog.show();
        CClassNameCombo& combo = *dialog.GetClassCombo();
        EXPECT_GE(combo.findText("monster_ogre"), 0);
        EXPECT_LT(combo.findText("worldspawn"), 0); // the world is no class to place
        combo.lineEdit()->setFocus();
        QTest::keyClicks(combo.lineEdit(), "ogre");
        QAbstractItemView* popup = combo.completer()->popup();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_EQ(popup->model()->rowCount(), 2); // monster_ogre, monster_ogre_marksman
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        EXPECT_EQ(dialog.GetPointFields().text[PointField::kClassname], "monster_ogre");
        QCheckBox* ambush = BoxCaptioned(dialog, "Ambush");
        ASSERT_NE(ambush, nullptr);
        ambush->setFocus();
        QTest::keyClick(ambush, Qt::Key_Space);
        QLineEdit* targetname = dialog.GetBox(PointField::kTargetname);
        targetname->setFocus();
        QTest::keyClicks(targetname, "ogre1");
        QTest::keyClick(targetname, Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
    Frame().RunCommand(CommandId::kNewEntity);
    ASSERT_EQ(dialogs.m_names, std::vector<std::string>{"Entity Variables"});
    Frame().RunCommand(CommandId::kFileSave);
    ASSERT_FALSE(ActiveDoc().IsModified());

    CTolveDoc saved;
    CRecordingDiagnostics diagnostics;
    ASSERT_FALSE(saved.ReadMapFile(path.string(), diagnostics));
    EXPECT_EQ(GetDefinitionsValue(saved), "quake.fgd");
    const CPointEntity* ogre = nullptr;
    for (const auto& entity : saved.GetPointEntities()) {
        if (entity->m_targetname == "ogre1")
            ogre = entity.get();
    }
    ASSERT_NE(ogre, nullptr) << FileText(path);
    EXPECT_EQ(ogre->m_classname, "monster_ogre");
    EXPECT_EQ(ogre->m_spawnflags, 1);
}

// Without a choice the built-in classes serve, as they always have; another
// editor's "external:" key is honoured, found by its file name beside the map.
TEST_F(EntityDefinitionsEndToEnd, AnotherEditorsKeyIsFollowedAndNoKeyMeansTheBuiltInClasses) {
    OpenRoomWithDefinitions();
    EXPECT_EQ(ActiveDoc().GetEntityDefinitions(), nullptr);
    CWorldKeys keys = ActiveDoc();
    keys.m_worldOtherPairs.push_back({"_tb_def", "external:C:/mods/quake.fgd"});
    {
        CMapTransaction transaction(ActiveDoc(), "Keys");
        transaction.Edits().SetWorldKeys(keys);
        transaction.Commit();
    }
    const CEntityDefinitions* definitions = ActiveDoc().GetEntityDefinitions();
    ASSERT_NE(definitions, nullptr);
    EXPECT_NE(definitions->Find("monster_ogre"), nullptr);
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        auto& dialog = dynamic_cast<CSearchedFilesDlg&>(modal);
        EXPECT_EQ(dialog.GetEntryNames(), std::vector<std::string>{"C:/mods/quake.fgd"});
        dialog.reject();
    };
    Frame().RunCommand(CommandId::kEntityDefinitions);
    EXPECT_EQ(GetDefinitionsValue(ActiveDoc()), ""); // nothing chosen, nothing written
}

// A key added in the "Other keys" table is offered no more once the entity has
// it, and a second row giving it is refused: the key is written once.
TEST_F(EntityDefinitionsEndToEnd, AKeyAddedThroughOtherKeysIsWrittenOnce) {
    const std::filesystem::path path = OpenRoomWithDefinitions();
    ChooseDefinitions();
    ShowActive();
    CTolveView& view = *Frame().GetActiveView();
    Frame().RunCommand(CommandId::kEntityMode);
    const ScreenPoint light = view.m_projection.WorldToScreen(-200, -150, 0);
    QTest::mouseMove(&view, QPoint(light.x, light.y));
    ASSERT_NE(ActiveDoc().GetEditorState().GetSelectedPointEntity(), nullptr);

    auto addRow = [](CEntityVariablesDlg& dialog, const char* key, const char* value) {
        QTableWidget* table = dialog.GetOtherKeys()->GetTable();
        QTest::mouseClick(dialog.GetOtherKeys()->GetAddButton(), Qt::LeftButton);
        const int row = table->rowCount() - 1;
        table->item(row, 0)->setText(QString::fromLatin1(key));
        table->item(row, 1)->setText(QString::fromLatin1(value));
        return row;
    };
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [&](CModalDialog& modal) {
        CEntityVariablesDlg& dialog = CastEntityDialog(modal, EntityKind::kPoint);
        addRow(dialog, "wait", "2");
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    };
    QTest::keyClick(&view, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(dialogs.m_names.size(), 1u);

    bool refused = false;
    dialogs.m_script = [&](CModalDialog& modal) {
        CEntityVariablesDlg& dialog = CastEntityDialog(modal, EntityKind::kPoint);
        COtherKeysTable& keys = *dialog.GetOtherKeys();
        const int row = addRow(dialog, "delay", "");
        const std::vector<std::string> offered =
            keys.GetDelegate()->GetKeysOfferedFor(*keys.GetTable()->model(), row);
        EXPECT_FALSE(offered.empty());
        EXPECT_EQ(std::find(offered.begin(), offered.end(), "wait"), offered.end());
        keys.GetTable()->item(row, 0)->setText(QStringLiteral("wait"));
        keys.GetTable()->item(row, 1)->setText(QStringLiteral("3"));
        QTest::mouseClick(dialog.GetOkButton(), Qt::LeftButton);
        refused = dialog.result() != QDialog::Accepted;
        dialog.reject();
    };
    const size_t boxes = m_messages.m_boxes.size();
    QTest::keyClick(&view, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(refused);
    ASSERT_EQ(m_messages.m_boxes.size(), boxes + 1);
    EXPECT_NE(m_messages.m_boxes.back().text.find("\"wait\" key is given in two rows"),
              std::string::npos);

    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    const std::string saved = FileText(path);
    EXPECT_NE(saved.find("\n\"wait\" \"2\"\n"), std::string::npos) << saved; // the file's layout
    EXPECT_EQ(saved.find("\"wait\"", saved.find("\"wait\"") + 1), std::string::npos) << saved;
}
