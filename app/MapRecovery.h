#pragma once

#include "dialogs/CRecoveryDlg.h"

#include <vector>

class CAutosaver;
class QWidget;

// Reads every copy of each abandoned map, so that the dialog can tell which
// of them read cleanly before anything is opened.
std::vector<RecoverableMap> CheckAbandonedCopies(const std::vector<AbandonedAutosave>& maps);

// At start-up: offers, in one dialog, the autosaved copies that runs which
// ended without saving their maps left, and opens (each from the copy the
// user chose) or discards the ones the user checks. Returns how many maps
// were opened.
int OfferMapRecovery(CAutosaver& autosaver, QWidget* parent);
