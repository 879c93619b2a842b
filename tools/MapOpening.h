#pragma once

#include <string>

class CTolveDoc;

// How opening a map for a command went.
enum class MapOpening {
    kUnreadable,       // no map was read: the file is missing, unreadable or no text map
    kRead,             // read without a word
    kReadWithProblems, // read, after the problem box the editor would show
};

// Opens a map as the editor does and prints what the editor would show in its
// boxes.
MapOpening OpenMapReporting(CTolveDoc& doc, const std::string& path);
// The same, for commands to which any map that could be read will do.
bool OpenMapForCommand(CTolveDoc& doc, const std::string& path);

// The folder the editor looks for a map's texture files in first.
std::string MapFolderOf(const std::string& path);

// Loads the map's texture catalogue without a word, for what the files tell of
// the map's game: a map opened in the editor shows its game once its texture
// files are loaded.
void RecogniseGameQuietly(CTolveDoc& doc);
