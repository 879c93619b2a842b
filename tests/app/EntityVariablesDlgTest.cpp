#include "AppTestDoubles.h"
#include "TestSupport.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/COtherKeysTable.h"
#include "dialogs/CSpawnflagGroup.h"
#include "entity/EntityClassNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using enum PointField;

struct PointDialogFixture {
    CEntityVariablesDlg dialog{EntityKind::kPoint, GetPointClassNames()};

    PointDialogFixture() {
        PointEntityFields fields;
        fields.style = 0;
        dialog.SetFields(fields);
    }

    std::string Caption(int box) const {
        return dialog.GetSpawnflags()->GetBox(box)->text().toStdString();
    }
};

std::vector<std::string> GroupTitles(const QWidget& widget) {
    std::vector<std::string> titles;
    for (const QGroupBox* group : widget.findChildren<QGroupBox*>()) {
        if (!group->title().isEmpty())
            titles.push_back(group->title().toStdString());
    }
    return titles;
}

// The widgets Tab visits, from the first one on.
std::vector<QWidget*> TabChain(QWidget* first, size_t count) {
    std::vector<QWidget*> chain{first};
    for (QWidget* next = first->nextInFocusChain(); next != first && chain.size() < count;
         next = next->nextInFocusChain()) {
        // The class box's own line edit is part of the class box.
        const bool insideCombo = qobject_cast<QComboBox*>(next->parentWidget()) != nullptr;
        if ((next->focusPolicy() & Qt::TabFocus) && !insideCombo)
            chain.push_back(next);
    }
    return chain;
}

TEST(EntityVariablesDlgLayout, CaptionsGroupsAndButtons) {
    PointDialogFixture f;
    EXPECT_EQ(f.dialog.windowTitle(), "Entity Variables");
    EXPECT_EQ(f.dialog.GetDialogName(), "Entity Variables");
    EXPECT_EQ(GroupTitles(f.dialog),
              (std::vector<std::string>{"Mangle", "Shooter", "Custom", "Spawnflags", "Style",
                                        "Other keys"}));
    EXPECT_TRUE(f.dialog.GetOkButton()->isDefault());
    EXPECT_EQ(f.dialog.GetOkButton()->text(), "OK");
    EXPECT_EQ(f.dialog.GetCancelButton()->text(), "Cancel");
    EXPECT_EQ(f.dialog.GetStyleButton(2)->text(), "Slow Strong Pulse");
    EXPECT_EQ(f.dialog.GetStyleButton(9)->text(), "Slow Stobe");
    EXPECT_EQ(f.dialog.GetStyleButton(10)->text(), "Flourescent Flicker");
    EXPECT_EQ(f.dialog.GetStyleButton(11)->text(), "Slow Pulse, Not Fading to Black");
    EXPECT_EQ(f.Caption(8), "Not In Easy");
    EXPECT_EQ(f.Caption(11), "Not In Deathmatch");
}

TEST(EntityVariablesDlgLayout, TabFollowsReadingOrder) {
    PointDialogFixture f;
    std::vector<QWidget*> expected{f.dialog.GetClassCombo(), f.dialog.GetOkButton(),
                                   f.dialog.GetCancelButton()};
    for (PointField field : {kAngle, kLight, kMangleX, kMangleY, kMangleZ, kNextthink, kCustomKey1,
                             kCustomValue1, kCustomKey2, kCustomValue2})
        expected.push_back(f.dialog.GetBox(field));
    for (int i = 0; i < kSpawnflagBoxCount; ++i)
        expected.push_back(f.dialog.GetSpawnflags()->GetBox(i));
    for (PointField field : {kTarget, kTargetname, kKilltarget, kMessage})
        expected.push_back(f.dialog.GetBox(field));
    expected.push_back(f.dialog.GetStyleButton(0));
    std::vector<QWidget*> chain = TabChain(f.dialog.GetClassCombo(), expected.size());
    EXPECT_EQ(chain, expected);
}

TEST(EntityVariablesDlgOpening, ANewEntityOpensRegularAndEmptyWithTemplateCaptions) {
    PointDialogFixture f;
    EXPECT_TRUE(f.dialog.GetStyleButton(0)->isChecked());
    EXPECT_EQ(f.dialog.GetClassCombo()->currentText(), "");
    for (PointField field : {kAngle, kLight, kMangleX, kNextthink, kTarget, kMessage})
        EXPECT_EQ(f.dialog.GetBox(field)->text(), "");
    for (int i = 0; i < kSpawnflagBoxCount; ++i)
        EXPECT_FALSE(f.dialog.GetSpawnflags()->GetBox(i)->isChecked());
    EXPECT_EQ(f.Caption(0), "1");
    EXPECT_EQ(f.Caption(7), "128");
}

TEST(EntityVariablesDlgOpening, TheClassListIsSortedWithoutRegardToCase) {
    PointDialogFixture f;
    CClassNameCombo& combo = *f.dialog.GetClassCombo();
    ASSERT_EQ(combo.count(), static_cast<int>(GetPointClassNames().size()));
    EXPECT_TRUE(combo.isEditable());
    for (int i = 1; i < combo.count(); ++i)
        EXPECT_LE(QString::compare(combo.itemText(i - 1), combo.itemText(i), Qt::CaseInsensitive),
                  0);
    const int armorInv = combo.findText("item_armorInv");
    EXPECT_EQ(combo.itemText(armorInv + 1), "item_artifact_envirosuit");
}

TEST(EntityVariablesDlgOpening, ControlsGiveBackWhatWasLoaded) {
    PointDialogFixture f;
    PointEntityFields fields;
    fields.text[kClassname] = "light";
    fields.text[kLight] = "70000";
    fields.text[kMangleY] = "-90";
    fields.text[kCustomKey1] = "_color";
    fields.text[kCustomValue1] = "1 0 0";
    fields.text[kMessage] = "caf\xe9";
    fields.spawnflags[1] = true;
    fields.style = 7;
    fields.otherKeys = {{"wait", "2"}};
    f.dialog.SetFields(fields);
    EXPECT_TRUE(f.dialog.GetStyleButton(7)->isChecked());
    EXPECT_EQ(f.dialog.GetPointFields().text.texts, fields.text.texts);
    EXPECT_EQ(f.dialog.GetPointFields().spawnflags, fields.spawnflags);
    EXPECT_EQ(f.dialog.GetPointFields().style, 7);
    EXPECT_EQ(f.dialog.GetPointFields().otherKeys, fields.otherKeys);
}

TEST(EntityVariablesDlgOpening, AStyleWithoutAButtonChoosesNoneAndIsKept) {
    PointDialogFixture f;
    PointEntityFields fields;
    fields.style = 40;
    f.dialog.SetFields(fields);
    for (int i = 0; i < kStyleButtonCount; ++i)
        EXPECT_FALSE(f.dialog.GetStyleButton(i)->isChecked());
    EXPECT_EQ(f.dialog.GetPointFields().style, 40);
    f.dialog.GetStyleButton(4)->click();
    EXPECT_EQ(f.dialog.GetPointFields().style, 4);
}

TEST(EntityVariablesDlgClass, OpeningChoosingAndTypingRelabel) {
    PointDialogFixture f;
    PointEntityFields fields;
    fields.text[kClassname] = "monster_army";
    f.dialog.SetFields(fields);
    EXPECT_EQ(f.Caption(0), "Ambush"); // an existing monster shows its flag at once
    fields.text[kClassname] = "info_null";
    f.dialog.SetFields(fields);
    EXPECT_EQ(f.Caption(0), "1");
    CClassNameCombo& combo = *f.dialog.GetClassCombo();
    combo.setCurrentIndex(combo.findText("monster_army") - 1);
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.currentText(), "monster_army");
    EXPECT_EQ(f.Caption(0), "Ambush");

    combo.lineEdit()->clear();
    QTest::keyClicks(combo.lineEdit(), "ligh");
    EXPECT_EQ(f.Caption(0), "1");
    QTest::keyClicks(combo.lineEdit(), "t");
    EXPECT_EQ(f.Caption(0), "Starts off");
    EXPECT_EQ(f.dialog.GetPointFields().text[kClassname], "light");
}

TEST(EntityVariablesDlgClass, ARelabelledBoxStillStandsForItsBit) {
    PointDialogFixture f;
    f.dialog.UpdateFlagLabels("item_sigil");
    EXPECT_EQ(f.Caption(3), "E4");
    f.dialog.GetSpawnflags()->GetBox(3)->click();
    EXPECT_TRUE(f.dialog.GetPointFields().spawnflags[3]);
}

TEST(EntityVariablesDlgButtons, OkAcceptsAndEscapeCancels) {
    PointDialogFixture f;
    f.dialog.GetClassCombo()->SetClassName("light");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    PointDialogFixture g;
    g.dialog.setResult(QDialog::Accepted);
    QTest::keyClick(&g.dialog, Qt::Key_Escape);
    EXPECT_EQ(g.dialog.result(), QDialog::Rejected);
}

TEST(EntityVariablesDlgButtons, ADoubleQuoteIsRefusedNamingAndFocusingItsBox) {
    CRecordingMessages messages;
    PointDialogFixture f;
    f.dialog.GetClassCombo()->SetClassName("light");
    QTest::keyClicks(f.dialog.GetBox(kTargetname), "door\"1");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "Entity Variables");
    EXPECT_NE(messages.m_boxes[0].text.find("\"Targetname\""), std::string::npos);
    EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetBox(kTargetname));
    f.dialog.GetBox(kTargetname)->setText("door1");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
}

// Typed through the keys: an empty class, then only part of Mangle, each
// refused naming and focusing its box; a row whose key has a box moves into
// it when OK is pressed, and OK then closes the dialog.
TEST(EntityVariablesDlgRules, RefusalsFocusTheirBoxAndRowsMoveIntoBoxes) {
    CRecordingMessages messages;
    PointDialogFixture f;
    f.dialog.show();
    QTest::keyClicks(f.dialog.GetBox(kMangleX), "10");
    QTest::keyClick(f.dialog.GetBox(kMangleX), Qt::Key_Return);
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_NE(messages.m_boxes[0].text.find("class name"), std::string::npos);
    EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetClassCombo());
    QTest::keyClicks(f.dialog.GetClassCombo(), "light");
    QTest::keyClick(f.dialog.GetClassCombo(), Qt::Key_Return);
    ASSERT_EQ(messages.m_boxes.size(), 2u);
    EXPECT_NE(messages.m_boxes[1].text.find("\"Mangle y\""), std::string::npos);
    EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetBox(kMangleY));
    EXPECT_NE(f.dialog.result(), QDialog::Accepted);
    f.dialog.GetBox(kMangleX)->clear();
    f.dialog.GetBox(kAngle)->setText("90");
    COtherKeysTable& table = *f.dialog.GetOtherKeys();
    table.GetAddButton()->click();
    table.GetTable()->item(0, 0)->setText("angle");
    table.GetTable()->item(0, 1)->setText("180");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.m_boxes.size(), 2u);
    EXPECT_EQ(f.dialog.GetBox(kAngle)->text(), "180");
    const PointEntityFields fields = f.dialog.GetPointFields();
    EXPECT_TRUE(fields.otherKeys.empty());
    EXPECT_EQ(fields.text[kClassname], "light");
}

TEST(EntityVariablesDlgOtherKeys, RowsCanBeAddedChangedAndRemoved) {
    PointDialogFixture f;
    COtherKeysTable& table = *f.dialog.GetOtherKeys();
    table.GetAddButton()->click();
    table.GetTable()->item(0, 0)->setText("_sun");
    table.GetTable()->item(0, 1)->setText("1");
    table.GetAddButton()->click();
    table.GetTable()->item(1, 0)->setText("fog");
    EXPECT_EQ(f.dialog.GetPointFields().otherKeys,
              (std::vector<FieldPair>{{"_sun", "1"}, {"fog", ""}}));
    table.GetTable()->setCurrentCell(0, 0);
    table.GetRemoveButton()->click();
    EXPECT_EQ(f.dialog.GetPointFields().otherKeys, (std::vector<FieldPair>{{"fog", ""}}));
}

// The brush entity dialog shares the class; its own parts and order.
struct BrushDialogFixture {
    CEntityVariablesDlg dialog{EntityKind::kBrush, GetBrushClassNames()};

    BrushDialogFixture() { dialog.SetFields(ModelEntityFields{}); }
};

TEST(EntityVariablesDlgKinds, EachKindHasItsOwnTitleGroupsAndClassList) {
    BrushDialogFixture f;
    EXPECT_EQ(f.dialog.GetKind(), EntityKind::kBrush);
    EXPECT_EQ(f.dialog.windowTitle(), "Model Entity Variables");
    EXPECT_EQ(f.dialog.GetDialogName(), "Model Entity Variables");
    EXPECT_EQ(GroupTitles(f.dialog),
              (std::vector<std::string>{"Counter", "Spawnflags", "Changelevel", "Setskill",
                                        "Custom", "Other keys"}));
    EXPECT_EQ(f.dialog.GetClassCombo()->count(), static_cast<int>(GetBrushClassNames().size()));
    EXPECT_GE(f.dialog.GetClassCombo()->findText("func_door"), 0);
    EXPECT_EQ(f.dialog.GetClassCombo()->findText("light"), -1);
    PointDialogFixture g;
    EXPECT_EQ(g.dialog.GetKind(), EntityKind::kPoint);
    EXPECT_EQ(g.dialog.GetClassCombo()->findText("func_door"), -1);
    for (int number = 0; number <= kSoundButtonCount; ++number)
        EXPECT_EQ(g.dialog.GetSoundButton(number), nullptr);
    EXPECT_EQ(g.dialog.GetSkillButton(0), nullptr);
    EXPECT_EQ(g.dialog.GetBox(ModelField::kSpeed), nullptr);
    EXPECT_EQ(f.dialog.GetStyleButton(0), nullptr);
    EXPECT_EQ(f.dialog.GetBox(PointField::kAngle), nullptr);
}

TEST(EntityVariablesDlgKinds, BrushTabFollowsReadingOrder) {
    BrushDialogFixture f;
    std::vector<QWidget*> expected{f.dialog.GetClassCombo(), f.dialog.GetOkButton(),
                                   f.dialog.GetCancelButton()};
    using enum ModelField;
    for (ModelField field : {kSpeed, kWait, kLip, kDmg, kHealth, kDelay, kHeight, kAngle, kCount})
        expected.push_back(f.dialog.GetBox(field));
    for (int i = 0; i < kSpawnflagBoxCount; ++i)
        expected.push_back(f.dialog.GetSpawnflags()->GetBox(i));
    for (ModelField field : {kTarget, kTargetname, kKilltarget, kMessage, kMap})
        expected.push_back(f.dialog.GetBox(field));
    for (int i = 0; i < kSkillButtonCount; ++i)
        expected.push_back(f.dialog.GetSkillButton(i));
    expected.push_back(f.dialog.GetBox(kSound));
    for (int number = 0; number <= kSoundButtonCount; ++number)
        expected.push_back(f.dialog.GetSoundButton(number));
    for (ModelField field : {kCustomKey1, kCustomValue1, kCustomKey2, kCustomValue2})
        expected.push_back(f.dialog.GetBox(field));
    expected.push_back(f.dialog.GetOtherKeys()->GetTable());
    std::vector<QWidget*> chain = TabChain(f.dialog.GetClassCombo(), expected.size());
    EXPECT_EQ(chain, expected);
}

// A refusal names the dialog it comes from and focuses that kind's box.
TEST(EntityVariablesDlgKinds, ARefusalCarriesTheBrushTitle) {
    CRecordingMessages messages;
    BrushDialogFixture f;
    QTest::keyClicks(f.dialog.GetBox(ModelField::kSpeed), "1\"");
    f.dialog.GetOkButton()->click();
    EXPECT_EQ(f.dialog.result(), QDialog::Rejected);
    ASSERT_EQ(messages.m_boxes.size(), 1u);
    EXPECT_EQ(messages.m_boxes[0].title, "Model Entity Variables");
    EXPECT_NE(messages.m_boxes[0].text.find("\"Speed\""), std::string::npos);
    EXPECT_EQ(f.dialog.focusWidget(), f.dialog.GetBox(ModelField::kSpeed));
}

} // namespace
