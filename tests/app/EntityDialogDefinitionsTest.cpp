// The entity dialogs with a mod's definitions: captions from the class, and
// the class's keys offered in the "Other keys" table.
#include "dialogs/CClassKeyDelegate.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/COtherKeysTable.h"
#include "dialogs/CSpawnflagGroup.h"
#include "entity/EntityDefinitions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr const char* kMod = R"(
@BaseClass = Appear [ spawnflags(flags) = [ 256 : "Not on Easy" : 0 ] ]
@PointClass base(Appear) = monster_x : "X"
[
    spawnflags(flags) = [ 1 : "Ambush" : 0  4 : "Crawls" : 1 ]
    angle(integer) : "Facing"
    skin(integer) : "Skin" : 2 : "Which skin it wears"
    mood(choices) : "Mood" : 0 = [ 0 : "Calm" 1 : "Angry" ]
]
@SolidClass = func_y : "Y"
[
    sounds(choices) : "Sound" : 1 = [ 1 : "Creak" 2 : "Hum" ]
    spawnflags(flags) = [ 2 : "Locked" : 0 ]
]
)";

struct DefinedDialog {
    CEntityDefinitions definitions;
    CEntityVariablesDlg dialog;

    explicit DefinedDialog(EntityKind kind)
        : dialog(kind, kind == EntityKind::kPoint ? std::vector<std::string>{"monster_x"}
                                                  : std::vector<std::string>{"func_y"}) {
        definitions.ReadFgd(kMod, "mod.fgd");
        dialog.SetDefinitions(&definitions);
    }
    std::string Flag(int box) const {
        return dialog.GetSpawnflags()->GetBox(box)->text().toStdString();
    }
};

} // namespace

TEST(EntityDialogDefinitions, CaptionsComeFromTheClassForNewAndExistingEntities) {
    DefinedDialog point(EntityKind::kPoint);
    PointEntityFields fields;
    fields.text[PointField::kClassname] = "monster_x";
    point.dialog.SetFields(fields);
    EXPECT_EQ(point.Flag(0), "Ambush");
    EXPECT_EQ(point.Flag(1), "2");
    EXPECT_EQ(point.Flag(2), "Crawls");
    EXPECT_EQ(point.Flag(8), "Not on Easy");       // the mod names a skill bit its own way
    EXPECT_EQ(point.Flag(9), "Not In Medium");     // and leaves this one as it was
    point.dialog.UpdateFlagLabels("monster_ogre"); // built in, but not in the mod
    EXPECT_EQ(point.Flag(0), "1");

    DefinedDialog brush(EntityKind::kBrush);
    ModelEntityFields model;
    model.text[ModelField::kClassname] = "func_y";
    brush.dialog.SetFields(model);
    EXPECT_EQ(brush.Flag(1), "Locked");
    EXPECT_EQ(brush.dialog.GetSoundButton(1)->text(), "Creak");
    EXPECT_EQ(brush.dialog.GetSoundButton(2)->text(), "Hum");
    EXPECT_EQ(brush.dialog.GetSoundButton(3)->text(), "3");
}

// Keys without a box are offered; one picked brings its default; a value
// picked from choices is written as the value, not its caption.
TEST(EntityDialogDefinitions, TheOtherKeysTableOffersTheClassKeys) {
    DefinedDialog point(EntityKind::kPoint);
    PointEntityFields fields;
    fields.text[PointField::kClassname] = "monster_x";
    fields.otherKeys = {{"skin", ""}}; // as the map has it: no default added
    point.dialog.SetFields(fields);
    COtherKeysTable& keys = *point.dialog.GetOtherKeys();
    EXPECT_EQ(keys.GetDelegate()->GetOfferedKeys(), (std::vector<std::string>{"skin", "mood"}));
    EXPECT_EQ(keys.GetPairs()[0].value, "");
    EXPECT_NE(keys.GetTable()->item(0, 0)->toolTip().indexOf("Which skin it wears"), -1);

    point.dialog.show();
    QTest::mouseClick(keys.GetAddButton(), Qt::LeftButton);
    auto* keyEditor = keys.GetTable()->findChild<QComboBox*>();
    ASSERT_NE(keyEditor, nullptr) << "the key cell offers the class's keys";
    ASSERT_EQ(keyEditor->count(), 1) << "but not \"skin\", which the entity has";
    EXPECT_EQ(keyEditor->itemText(0), "mood");
    keyEditor->setEditText("mood");
    QTest::keyClick(keyEditor, Qt::Key_Tab);
    EXPECT_EQ(keys.GetPairs()[1].key, "mood");
    EXPECT_EQ(keys.GetPairs()[1].value, "0");

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the key's editor
    QTableWidget& table = *keys.GetTable();
    table.setCurrentCell(1, 1);
    table.editItem(table.item(1, 1));
    auto* valueEditor = table.findChild<QComboBox*>();
    ASSERT_NE(valueEditor, nullptr);
    ASSERT_EQ(valueEditor->count(), 2);
    EXPECT_EQ(valueEditor->itemText(1), "1 : Angry");
    valueEditor->setCurrentIndex(1);
    QTest::keyClick(valueEditor, Qt::Key_Tab);
    EXPECT_EQ(keys.GetPairs()[1].value, "1");
}

// Every flag box and every sound button, not only the first few.
TEST(EntityDialogDefinitions, EachFlagBoxAndSoundButtonTakesItsOwnCaption) {
    std::string fgd = "@SolidClass = func_all : \"All\"\n[\n    spawnflags(flags) = [";
    for (int bit = 0; bit < kSpawnflagBoxCount; ++bit)
        fgd += " " + std::to_string(1 << bit) + " : \"Bit " + std::to_string(bit) + "\" : 0";
    fgd += " ]\n    sounds(choices) : \"Sound\" : 1 = [";
    for (int sound = 1; sound <= kSoundButtonCount; ++sound)
        fgd += " " + std::to_string(sound) + " : \"Tune " + std::to_string(sound) + "\"";
    fgd += " ]\n]\n";
    CEntityDefinitions definitions;
    definitions.ReadFgd(fgd, "all.fgd");
    CEntityVariablesDlg dialog(EntityKind::kBrush, {"func_all"});
    dialog.SetDefinitions(&definitions);
    ModelEntityFields fields;
    fields.text[ModelField::kClassname] = "func_all";
    dialog.SetFields(fields);
    for (int bit = 0; bit < kSpawnflagBoxCount; ++bit)
        EXPECT_EQ(dialog.GetSpawnflags()->GetBox(bit)->text().toStdString(),
                  "Bit " + std::to_string(bit));
    for (int sound = 1; sound <= kSoundButtonCount; ++sound)
        EXPECT_EQ(dialog.GetSoundButton(sound)->text().toStdString(),
                  "Tune " + std::to_string(sound));
}
