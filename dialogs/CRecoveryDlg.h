#pragma once

#include "framework/CAutosaveStore.h"
#include "framework/CDialogRunner.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

// Offers the autosaved copies of maps that an earlier run of the editor never
// closed, one row each, all checked: Open opens the checked ones, Discard
// deletes them after a question, Later keeps everything for the next start.
class CRecoveryDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Recover Maps";
    enum class Choice { kOpen, kDiscard, kLater };

    CRecoveryDlg(const std::vector<AbandonedAutosave>& maps, QWidget* parent = nullptr);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    // What the user chose when the dialog was not accepted: Discard or Later.
    Choice GetChoice() const { return m_choice; }
    // The indices of the checked rows, in order.
    std::vector<size_t> GetCheckedMaps() const;

    QTreeWidget* GetMapList() const { return m_list; }
    QPushButton* GetOpenButton() const { return m_open; }
    QPushButton* GetDiscardButton() const { return m_discard; }
    QPushButton* GetLaterButton() const { return m_later; }

private:
    void OnDiscard();
    void FollowChecks();

    QTreeWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_discard;
    QPushButton* m_later;
    Choice m_choice = Choice::kLater;
};
