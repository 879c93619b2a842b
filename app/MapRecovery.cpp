#include "app/MapRecovery.h"

#include "app/CAutosaver.h"

std::vector<RecoverableMap> CheckAbandonedCopies(const std::vector<AbandonedAutosave>& maps) {
    std::vector<RecoverableMap> checked;
    for (const AbandonedAutosave& map : maps) {
        RecoverableMap recoverable{map, {}};
        for (const std::filesystem::path& copy : map.copies)
            recoverable.problems.push_back(FindFirstMapFileProblem(copy.string()));
        checked.push_back(std::move(recoverable));
    }
    return checked;
}

int OfferMapRecovery(CAutosaver& autosaver, QWidget* parent) {
    const std::vector<RecoverableMap> maps = CheckAbandonedCopies(autosaver.FindAbandoned());
    if (maps.empty())
        return 0;
    CRecoveryDlg dialog(maps, parent);
    const CRecoveryDlg::Choice choice =
        RunModalDialog(dialog) ? CRecoveryDlg::Choice::kOpen : dialog.GetChoice();
    int opened = 0;
    switch (choice) {
    case CRecoveryDlg::Choice::kOpen:
        for (size_t index : dialog.GetCheckedMaps())
            opened += autosaver.Recover(maps[index].abandoned, dialog.GetChosenCopy(index)) ? 1 : 0;
        break;
    case CRecoveryDlg::Choice::kDiscard:
        for (size_t index : dialog.GetCheckedMaps())
            autosaver.Discard(maps[index].abandoned);
        break;
    case CRecoveryDlg::Choice::kLater:
        break;
    }
    return opened;
}
