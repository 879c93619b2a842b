#pragma once

// How a map opens: in three views side by side (top, front and side), or in
// one top view. Kept as "three" or "single" under Views/Layout.
enum class ViewLayout { kThree, kSingle };

// Three unless the setting says "single"; anything else reads as the default.
ViewLayout LoadViewLayout();
void SaveViewLayout(ViewLayout layout);
