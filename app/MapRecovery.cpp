#include "app/MapRecovery.h"

#include "app/CAutosaver.h"
#include "dialogs/CRecoveryDlg.h"

int OfferMapRecovery(CAutosaver& autosaver, QWidget* parent) {
    const std::vector<AbandonedAutosave> maps = autosaver.FindAbandoned();
    if (maps.empty())
        return 0;
    CRecoveryDlg dialog(maps, parent);
    const CRecoveryDlg::Choice choice =
        RunModalDialog(dialog) ? CRecoveryDlg::Choice::kOpen : dialog.GetChoice();
    int opened = 0;
    switch (choice) {
    case CRecoveryDlg::Choice::kOpen:
        for (size_t index : dialog.GetCheckedMaps())
            opened += autosaver.Recover(maps[index]) ? 1 : 0;
        break;
    case CRecoveryDlg::Choice::kDiscard:
        for (size_t index : dialog.GetCheckedMaps())
            autosaver.Discard(maps[index]);
        break;
    case CRecoveryDlg::Choice::kLater:
        break;
    }
    return opened;
}
