#pragma once

#include "framework/CAutosaveStore.h"
#include "framework/CDialogRunner.h"
#include "map/MapFileCheck.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidget;

// A map the recovery dialog offers: its copies, and what reading each found.
struct RecoverableMap {
    AbandonedAutosave abandoned;
    std::vector<std::optional<MapFileProblem>> problems; // one per copy, in the same order
};

// The copy offered first: the newest that reads cleanly, or the newest of all
// when none does.
size_t GetDefaultCopy(const RecoverableMap& map);

// Offers the autosaved copies of maps that an earlier run of the editor never
// saved, one row each, all checked: Open opens the checked ones, Discard
// deletes them after a question, Later keeps everything for the next start.
// Each row chooses one of its map's copies, newest first; a copy that does
// not read cleanly says so with its first problem.
class CRecoveryDlg : public QDialog, public CModalDialog {
    Q_OBJECT

public:
    static constexpr const char* kTitle = "Recover Maps";
    enum class Choice { kOpen, kDiscard, kLater };

    CRecoveryDlg(const std::vector<RecoverableMap>& maps, QWidget* parent = nullptr);

    std::string GetDialogName() const override { return kTitle; }
    bool RunDialog() override { return exec() == QDialog::Accepted; }

    // What the user chose when the dialog was not accepted: Discard or Later.
    Choice GetChoice() const { return m_choice; }
    // The indices of the checked rows, in order.
    std::vector<size_t> GetCheckedMaps() const;
    // The copy chosen for a map: an index into its copies.
    size_t GetChosenCopy(size_t map) const;

    QTreeWidget* GetMapList() const { return m_list; }
    QComboBox* GetCopyChooser(size_t map) const { return m_copyChoosers.at(map); }
    QPushButton* GetOpenButton() const { return m_open; }
    QPushButton* GetDiscardButton() const { return m_discard; }
    QPushButton* GetLaterButton() const { return m_later; }

private:
    QComboBox* MakeCopyChooser(const RecoverableMap& map);
    void OnDiscard();
    void FollowChecks();

    QTreeWidget* m_list;
    std::vector<QComboBox*> m_copyChoosers; // one per row
    QPushButton* m_open;
    QPushButton* m_discard;
    QPushButton* m_later;
    Choice m_choice = Choice::kLater;
};
