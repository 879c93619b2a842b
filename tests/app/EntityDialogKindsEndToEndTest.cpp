// One dialog class serves point and brush entities: what a user types into
// each kind reaches the saved file under that kind's keys, and no part of the
// other kind is shown or written.
#include "AppTestDoubles.h"
#include "CAppFixture.h"
#include "dialogs/CBrushFaceDlg.h"
#include "dialogs/CClassNameCombo.h"
#include "dialogs/CEntityVariablesDlg.h"
#include "dialogs/CSpawnflagGroup.h"
#include "widgets/CTolveView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

using KeyPairs = std::vector<std::pair<std::string, std::string>>;

class EntityDialogKindsEndToEnd : public CAppFixture {
protected:
    // demo.map and its texture file, opened, with the mouse over the view.
    std::filesystem::path OpenDemoCopy() {
        const std::filesystem::path samples(TOLVE_SAMPLES);
        const std::filesystem::path copy = m_files.Path("demo.map");
        std::filesystem::copy_file(samples / "demo.map", copy);
        std::filesystem::copy_file(samples / "quake101.wad", m_files.Path("quake101.wad"));
        StartApp({QString::fromStdString(copy.string())});
        CTolveView* view = Frame().GetActiveView();
        EXPECT_NE(view, nullptr);
        if (view)
            QTest::mouseMove(view, QPoint(view->width() / 2, view->height() / 2));
        return copy;
    }
};

// The edit box a label stands for, found as a user finds it: by its label.
QLineEdit* BoxLabelled(const QDialog& dialog, const char* label) {
    for (QLabel* text : dialog.findChildren<QLabel*>()) {
        if (text->text() == QLatin1String(label))
            return qobject_cast<QLineEdit*>(text->buddy());
    }
    return nullptr;
}

QLineEdit* BoxNamed(const QDialog& dialog, const char* name) {
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
        if (box->accessibleName() == QLatin1String(name))
            return box;
    }
    return nullptr;
}

void TypeInto(QLineEdit* box, const char* text) {
    ASSERT_NE(box, nullptr) << text;
    box->setFocus();
    QTest::keyClicks(box, QString::fromLatin1(text));
}

void TypeByLabels(const QDialog& dialog,
                  std::initializer_list<std::pair<const char*, const char*>> entries) {
    for (const auto& [label, text] : entries)
        TypeInto(BoxLabelled(dialog, label), text);
}

void TypeCustomPair(const QDialog& dialog) {
    TypeInto(BoxNamed(dialog, "Custom key 1"), "_tag");
    TypeInto(BoxNamed(dialog, "Custom value 1"), "first");
}

// Ticks the first spawnflag box with the space bar.
void TickFirstFlag(CEntityVariablesDlg& dialog) {
    QCheckBox* box = dialog.GetSpawnflags()->GetBox(0);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
}

// The Return key in a box presses the default button, OK.
void PressReturnIn(CEntityVariablesDlg& dialog, QLineEdit* box) {
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

bool HasLabel(const QDialog& dialog, const char* text) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QLatin1String(text))
            return true;
    }
    return false;
}

// The key/value lines of the saved entity that has this targetname, sorted.
KeyPairs SavedKeysOf(const std::filesystem::path& path, const std::string& targetname) {
    std::ifstream in(path);
    std::string line;
    int depth = 0;
    KeyPairs pairs;
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(" \t"));
        if (line == "{") {
            if (++depth == 1)
                pairs.clear();
        } else if (line == "}") {
            if (--depth == 0 &&
                std::ranges::find(pairs, std::pair<std::string, std::string>{
                                             "targetname", targetname}) != pairs.end()) {
                std::ranges::sort(pairs);
                return pairs;
            }
        } else if (depth == 1 && line.size() > 1 && line.front() == '"') {
            const size_t split = line.find("\" \"");
            if (split != std::string::npos)
                pairs.emplace_back(line.substr(1, split - 1),
                                   line.substr(split + 3, line.size() - split - 4));
        }
    }
    return {};
}

TEST_F(EntityDialogKindsEndToEnd, APointEntityShowsAndSavesOnlyPointParts) {
    const std::filesystem::path path = OpenDemoCopy();
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        CEntityVariablesDlg& dialog = CastEntityDialog(modal, EntityKind::kPoint);
        dialog.show();
        for (const char* brushOnly : {"Speed:", "Count:", "Map:", "Sound:"})
            EXPECT_FALSE(HasLabel(dialog, brushOnly)) << brushOnly;
        EXPECT_EQ(dialog.GetSkillButton(0), nullptr);
        EXPECT_EQ(dialog.GetSoundButton(0), nullptr);
        EXPECT_EQ(dialog.GetBox(ModelField::kMap), nullptr);
        TypeInto(dialog.GetClassCombo()->lineEdit(), "light");
        TypeByLabels(dialog, {{"Angle:", "90"},
                              {"Light:", "300"},
                              {"x", "1"},
                              {"y", "2"},
                              {"z", "3"},
                              {"Nextthink:", "5"},
                              {"Target:", "t1"},
                              {"Killtarget:", "k1"},
                              {"Message:", "hello"}});
        TypeCustomPair(dialog);
        TickFirstFlag(dialog);
        QTest::mouseClick(dialog.GetStyleButton(3), Qt::LeftButton);
        TypeByLabels(dialog, {{"Targetname:", "typed_light"}});
        PressReturnIn(dialog, dialog.GetBox(PointField::kTargetname));
    };
    Frame().RunCommand(CommandId::kNewEntity);
    ASSERT_EQ(dialogs.m_names, (std::vector<std::string>{"Entity Variables"}));
    Frame().RunCommand(CommandId::kFileSave);
    ASSERT_FALSE(ActiveDoc().IsModified());

    KeyPairs saved = SavedKeysOf(path, "typed_light");
    ASSERT_FALSE(saved.empty());
    std::erase_if(saved, [](const auto& pair) { return pair.first == "origin"; });
    EXPECT_EQ(saved, (KeyPairs{{"_tag", "first"},
                               {"angle", "90"},
                               {"classname", "light"},
                               {"killtarget", "k1"},
                               {"light", "300"},
                               {"mangle", "1 2 3"},
                               {"message", "hello"},
                               {"nextthink", "5"},
                               {"spawnflags", "1"},
                               {"style", "3"},
                               {"target", "t1"},
                               {"targetname", "typed_light"}}));
}

// New... in "Brush & Face Edit" makes the brush entity the new brush goes into.
TEST_F(EntityDialogKindsEndToEnd, ABrushEntityShowsAndSavesOnlyBrushParts) {
    const std::filesystem::path path = OpenDemoCopy();
    CScriptedDialogRunner dialogs;
    dialogs.m_script = [](CModalDialog& modal) {
        if (CEntityVariablesDlg* entity = AsEntityDialog(modal, EntityKind::kBrush)) {
            CEntityVariablesDlg& dialog = *entity;
            dialog.show();
            for (const char* pointOnly : {"Light:", "x", "Nextthink:"})
                EXPECT_FALSE(HasLabel(dialog, pointOnly)) << pointOnly;
            EXPECT_EQ(dialog.GetStyleButton(0), nullptr);
            EXPECT_EQ(dialog.GetBox(PointField::kLight), nullptr);
            TypeInto(dialog.GetClassCombo()->lineEdit(), "func_door");
            TypeByLabels(dialog, {{"Speed:", "100"},
                                  {"Wait:", "2"},
                                  {"Lip:", "4"},
                                  {"Dmg:", "5"},
                                  {"Health:", "6"},
                                  {"Delay:", "7"},
                                  {"Height:", "8"},
                                  {"Angle:", "-1"},
                                  {"Count:", "3"},
                                  {"Target:", "t2"},
                                  {"Killtarget:", "k2"},
                                  {"Message:", "opened"},
                                  {"Map:", "e1m2"}});
            TypeCustomPair(dialog);
            TickFirstFlag(dialog);
            QTest::mouseClick(dialog.GetSoundButton(2), Qt::LeftButton);
            TypeByLabels(dialog, {{"Targetname:", "typed_door"}});
            PressReturnIn(dialog, dialog.GetBox(ModelField::kTargetname));
            return;
        }
        auto& brushFace = dynamic_cast<CBrushFaceDlg&>(modal);
        brushFace.GetNewEntityButton()->click();
        brushFace.GetBox(BrushFaceField::kBaseSides)->setText("4");
        brushFace.GetOkButton()->click();
    };
    Frame().RunCommand(CommandId::kNewBrush);
    ASSERT_EQ(dialogs.m_names,
              (std::vector<std::string>{"Brush & Face Edit", "Model Entity Variables"}));
    Frame().RunCommand(CommandId::kFileSave);
    ASSERT_FALSE(ActiveDoc().IsModified());

    EXPECT_EQ(SavedKeysOf(path, "typed_door"), (KeyPairs{{"_tag", "first"},
                                                         {"angle", "-1"},
                                                         {"classname", "func_door"},
                                                         {"count", "3"},
                                                         {"delay", "7"},
                                                         {"dmg", "5"},
                                                         {"health", "6"},
                                                         {"height", "8"},
                                                         {"killtarget", "k2"},
                                                         {"lip", "4"},
                                                         {"map", "e1m2"},
                                                         {"message", "opened"},
                                                         {"sounds", "2"},
                                                         {"spawnflags", "1"},
                                                         {"speed", "100"},
                                                         {"target", "t2"},
                                                         {"targetname", "typed_door"},
                                                         {"wait", "2"}}));
}

} // namespace
