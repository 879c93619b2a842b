#include "AppTestDoubles.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CSpawnflagGroup.h"
#include "dialogs/CWorldspawnDlg.h"
#include "entity/EntityClassNames.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ModelDialogFixture {
    CEntityVariablesDlg dialog{EntityKind::kBrush, GetBrushClassNames()};

    ModelDialogFixture() { dialog.SetFields(ModelEntityFields{}); }

    std::string Sound(int number) const {
        return dialog.GetSoundButton(number)->text().toStdString();
    }
    std::string Flag(int box) const {
        return dialog.GetSpawnflags()->GetBox(box)->text().toStdString();
    }
    QString SoundText() const { return dialog.GetBox(ModelField::kSound)->text(); }
};

TEST(ModelEntityVariablesDlg, ANewEntityOpensWithEasy) {
    ModelDialogFixture f;
    EXPECT_EQ(f.dialog.windowTitle(), "Model Entity Variables");
    EXPECT_TRUE(f.dialog.GetSkillButton(0)->isChecked());
    EXPECT_EQ(f.dialog.GetSkillButton(3)->text(), "Nightmare");
    EXPECT_EQ(f.dialog.GetBrushFields().skill, 0);
    EXPECT_TRUE(f.dialog.GetOkButton()->isDefault());
}

TEST(ModelEntityVariablesDlg, ALoadedSkillIsSelectedAndOneWithoutAButtonKept) {
    ModelDialogFixture f;
    ModelEntityFields fields;
    fields.skill = 2;
    f.dialog.SetFields(fields);
    EXPECT_TRUE(f.dialog.GetSkillButton(2)->isChecked());
    fields.skill = 7;
    f.dialog.SetFields(fields);
    for (int i = 0; i < kSkillButtonCount; ++i)
        EXPECT_FALSE(f.dialog.GetSkillButton(i)->isChecked());
    EXPECT_EQ(f.dialog.GetBrushFields().skill, 7);
}

TEST(ModelEntityVariablesDlg, SoundButtonsWriteTheirNumbersWhateverTheirCaptions) {
    ModelDialogFixture f;
    QTest::keyClicks(f.dialog.GetClassCombo()->lineEdit(), "func_door");
    EXPECT_EQ(f.Sound(4), "Screechy Metal");
    EXPECT_EQ(f.Flag(3), "Gold Key");
    f.dialog.GetSoundButton(4)->click();
    EXPECT_EQ(f.SoundText(), "4");
    f.dialog.GetSoundButton(0)->click();
    EXPECT_EQ(f.SoundText(), "0");
    EXPECT_EQ(f.Sound(0), "No Sound");
    f.dialog.GetSpawnflags()->GetBox(3)->click();
    EXPECT_TRUE(f.dialog.GetBrushFields().spawnflags[3]);
}

TEST(ModelEntityVariablesDlg, ChoosingAnotherClassBringsBackTheTemplateCaptions) {
    ModelDialogFixture f;
    ModelEntityFields fields;
    fields.text[ModelField::kClassname] = "func_door";
    f.dialog.SetFields(fields);
    EXPECT_EQ(f.Sound(1), "Stone"); // an existing door opens with its captions
    EXPECT_EQ(f.Flag(3), "Gold Key");
    CClassNameCombo& combo = *f.dialog.GetClassCombo();
    combo.setCurrentIndex(combo.findText("func_wall") - 1);
    QTest::keyClick(&combo, Qt::Key_Down);
    ASSERT_EQ(combo.currentText(), "func_wall");
    for (int number = 1; number <= kSoundButtonCount; ++number)
        EXPECT_EQ(f.Sound(number), std::to_string(number));
    EXPECT_EQ(f.Flag(0), "1");
}

TEST(ModelEntityVariablesDlg, TheAngleAndCountBoxesAndOtherTextsComeBack) {
    ModelDialogFixture f;
    ModelEntityFields fields;
    fields.text[ModelField::kAngle] = "-1";
    fields.text[ModelField::kCount] = "3";
    fields.text[ModelField::kMap] = "e1m2";
    fields.text[ModelField::kCustomValue2] = "v";
    fields.otherKeys = {{"sky", "x"}};
    fields.skill = 1;
    f.dialog.SetFields(fields);
    ModelEntityFields back = f.dialog.GetBrushFields();
    EXPECT_EQ(back.text.texts, fields.text.texts);
    EXPECT_EQ(back.otherKeys, fields.otherKeys);
}

TEST(ModelEntityVariablesDlg, ADoubleQuoteInTheMapBoxIsRefused) {
    CRecordingMessages messages;
    ModelDialogFixture f;
    f.dialog.GetBox(ModelField::kMap)->setText("e1\"m2");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_NE(messages.m_boxes[0].text.find("\"Map\""), std::string::npos);
    EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetBox(ModelField::kMap));
}

struct WorldDialogFixture {
    CWorldspawnDlg dialog;

    QString Text(WorldField field) const { return dialog.GetBox(field)->text(); }
};

TEST(WorldspawnDlg, ANewDocumentShowsEmptyBoxesAndNoWorldtype) {
    WorldDialogFixture f;
    f.dialog.SetFields(WorldFields{});
    EXPECT_EQ(f.dialog.windowTitle(), "Worldspawn Entity");
    EXPECT_EQ(f.Text(WorldField::kTitle), "");
    for (int i = 0; i < kWorldTypeButtonCount; ++i)
        EXPECT_FALSE(f.dialog.GetWorldTypeButton(i)->isChecked());
    EXPECT_EQ(f.dialog.GetFields().worldType, kNoButton);
    EXPECT_TRUE(f.dialog.GetOkButton()->isDefault());
}

TEST(WorldspawnDlg, DefaultBringsBackTheOpeningTextsAndClearsTheWorldtype) {
    WorldDialogFixture f;
    WorldFields fields;
    fields.text[WorldField::kTitle] = "The Slipgate";
    fields.text[WorldField::kLight] = "200";
    fields.worldType = 1;
    f.dialog.SetFields(fields);
    EXPECT_TRUE(f.dialog.GetWorldTypeButton(1)->isChecked());
    EXPECT_EQ(f.dialog.GetWorldTypeButton(1)->text(), "Runic (Metal)");
    f.dialog.GetBox(WorldField::kTitle)->setText("Something else");
    f.dialog.GetWorldTypeButton(2)->click();
    f.dialog.GetDefaultButton()->click();
    EXPECT_EQ(f.Text(WorldField::kTitle), "The Slipgate");
    EXPECT_EQ(f.Text(WorldField::kLight), "200");
    for (int i = 0; i < kWorldTypeButtonCount; ++i)
        EXPECT_FALSE(f.dialog.GetWorldTypeButton(i)->isChecked());
    EXPECT_EQ(f.dialog.GetFields().worldType, kNoButton);
}

TEST(WorldspawnDlg, AWorldtypeWithoutAButtonIsKeptUntilDefault) {
    WorldDialogFixture f;
    WorldFields fields;
    fields.worldType = 5;
    f.dialog.SetFields(fields);
    EXPECT_EQ(f.dialog.GetFields().worldType, 5);
    f.dialog.GetWorldTypeButton(0)->click();
    EXPECT_EQ(f.dialog.GetFields().worldType, 0);
}

TEST(WorldspawnDlg, EscapeCancels) {
    WorldDialogFixture f;
    f.dialog.setResult(QDialog::Accepted);
    QTest::keyClick(&f.dialog, Qt::Key_Escape);
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
}

} // namespace
