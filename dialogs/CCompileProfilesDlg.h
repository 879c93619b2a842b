#pragma once

#include "compile/CompileProfile.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// A profile as the dialog edits it, and which of the profiles it was given
// it came from (none for one made here), so that the caller knows which file
// holds it.
struct EditedProfile {
    CompileProfile profile;
    std::optional<size_t> origin;
};

// "Compile Profiles": the user's profiles, each a name and its steps (run or
// passed over, program, arguments, folder), and the game folder that
// ${GAMEDIR} stands for. The profile selected on OK is the one Compile > Run
// runs.
class CCompileProfilesDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    CCompileProfilesDlg(const std::vector<CompileProfile>& profiles, std::optional<size_t> current,
                        const std::string& gameFolder, QWidget* parent = nullptr);

    // The profiles as edited, the one shown included.
    std::vector<EditedProfile> GetProfiles();
    // The selected profile's place in GetProfiles(), none when there is none.
    std::optional<size_t> GetCurrentProfile() const;
    std::string GetGameFolder() const;

    std::string GetDialogName() const override { return "Compile Profiles"; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }
    void accept() override;

    void OnNewProfile();
    void OnDefaultProfile();
    void OnDeleteProfile();
    void OnAddStep();
    void OnRemoveStep();
    void OnMoveStep(int by);

    QListWidget* GetProfileList() const { return m_profileList; }
    QLineEdit* GetNameEdit() const { return m_name; }
    QTableWidget* GetStepTable() const { return m_steps; }
    QLineEdit* GetGameFolderEdit() const { return m_gameFolder; }
    QPushButton* GetNewButton() const { return m_new; }
    QPushButton* GetDefaultButton() const { return m_default; }
    QPushButton* GetDeleteButton() const { return m_delete; }
    QPushButton* GetAddStepButton() const { return m_addStep; }
    QPushButton* GetRemoveStepButton() const { return m_removeStep; }
    QPushButton* GetOkButton() const { return m_ok; }

    // The columns of the step table.
    enum Column { kRunColumn, kProgramColumn, kArgumentsColumn, kFolderColumn };

private:
    QWidget* BuildProfileColumn();
    QWidget* BuildStepColumn();
    void AddProfile(EditedProfile profile);
    void ShowProfile(int row);
    void KeepShownProfile();
    void FillStepRow(int row, const CompileStep& step);
    CompileStep ReadStepRow(int row) const;
    void RefreshButtons();
    // The first thing OK cannot accept, shown and focused; false when there is one.
    bool CheckProfiles();

    std::vector<EditedProfile> m_profiles;
    int m_shown = -1; // the row whose profile the editors show
    QListWidget* m_profileList = nullptr;
    QLineEdit* m_name = nullptr;
    QTableWidget* m_steps = nullptr;
    QLineEdit* m_gameFolder = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_default = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_addStep = nullptr;
    QPushButton* m_removeStep = nullptr;
    QPushButton* m_stepUp = nullptr;
    QPushButton* m_stepDown = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
