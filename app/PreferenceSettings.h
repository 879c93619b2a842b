#pragma once

#include "dialogs/PreferenceValues.h"

// Every setting of the editor read from, and written to, the user's
// configuration through the functions that own each of them.
PreferenceValues LoadPreferences();
// Writes only what differs from `before`, so that a setting the user left
// alone stays unset and keeps following the editor's default.
void StorePreferences(const PreferenceValues& before, const PreferenceValues& after);
