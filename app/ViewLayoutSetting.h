#pragma once

// How a map opens: in four views tiled in a square (top, camera, front and
// side), in three side by side (top, front and side), or in one top view.
// Kept as "four", "three" or "single" under Views/Layout.
enum class ViewLayout { kFour, kThree, kSingle };

// Four unless the setting names another; anything else reads as the default.
ViewLayout LoadViewLayout();
void SaveViewLayout(ViewLayout layout);
