#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the files of a map's texture list are looked for: the map's own folder
// (empty for a map never saved) and the texture folders the user keeps.
struct TextureSearchPaths {
    std::string mapFolder;
    std::vector<std::string> textureFolders;
};

// How an entry of the list led to its file.
enum class TextureFilePlace {
    kAsNamed,             // an absolute path, or relative to the working directory
    kMapFolder,           // relative to the map's folder
    kMapFolderByName,     // its file name alone, in the map's folder
    kTextureFolderByName, // its file name alone, in a texture folder
};

struct FoundTextureFile {
    std::string path;
    TextureFilePlace place = TextureFilePlace::kAsNamed;
};

// The file an entry stands for. A relative entry is looked for in the map's
// folder, then in the working directory (with '\' read as '/' too, for lists
// written on Windows); an absolute one as it is. Failing that, its file name
// alone is looked for in the map's folder and then in each texture folder in
// turn, which finds the files of a map made on another machine.
std::optional<FoundTextureFile> LocateTextureFile(std::string_view entry,
                                                  const TextureSearchPaths& paths);

// The file a relative entry names in `folder`, as the search above would find
// it there; nothing for an absolute entry or a file not there.
std::optional<std::string> FindInFolder(std::string_view entry, const std::string& folder);

// What a relative entry found in `oldFolder` must say from `newFolder` to name
// the same file: a path relative to the new folder when the file lies inside
// it, else its full path. Nothing when the entry can stay as written (it is
// absolute, was not found in the old folder, or still finds the same file).
std::optional<std::string> MoveWadEntry(std::string_view entry, const std::string& oldFolder,
                                        const std::string& newFolder);

// An absolute entry of a file inside `folder` or below, as the path relative
// to it; nothing for any other entry.
std::optional<std::string> MakeEntryRelative(std::string_view entry, const std::string& folder);

// A short account of a place for the user, e.g. "by its file name, in a
// texture folder"; empty when the path alone says it (found as named).
const char* DescribeTextureFilePlace(TextureFilePlace place);

// The name under which a file the user chose goes into the list: relative to
// the map's folder when inside it or below, so that it travels with the map;
// anywhere else its full path, which the status bar points out.
std::string MakeStoredWadName(const std::string& chosenPath, const std::string& mapFolder);
