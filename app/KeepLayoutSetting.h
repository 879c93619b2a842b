#pragma once

// Whether saves keep a map file's own text where the map did not change
// (comments, blank lines, indentation and line ends, untouched objects byte
// for byte) rather than write the whole file anew; one setting for every map,
// "Save/KeepLayout", on by default.
bool LoadKeepLayoutSetting();
void StoreKeepLayoutSetting(bool keep);
