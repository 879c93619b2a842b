#pragma once

#include "texture/CTextureFile.h"
#include "texture/TextureFileSearch.h"

#include <string>
#include <string_view>
#include <vector>

// One entry of a map's texture list and what became of it: where its file was
// found, and whether that file could be read as a WAD2 file.
struct TextureWadEntry {
    std::string name; // as written, without the blanks around it
    std::string path; // the file it was found as; empty when missing
    TextureFilePlace place = TextureFilePlace::kAsNamed;
    TextureFileState state = TextureFileState::kMissing;
    bool isWad3 = false;

    bool IsFound() const { return !path.empty(); }
};

// Looks for an entry's file and reads its directory; a file that loaded is
// appended to `loaded`.
TextureWadEntry ReadWadEntry(std::string_view name, const TextureSearchPaths& paths,
                             std::vector<CTextureFile>& loaded);

// The same for a look without keeping the file, e.g. while a list is edited.
TextureWadEntry InspectWadEntry(std::string_view name, const TextureSearchPaths& paths);

// "missing", "unreadable", "not a WAD2 file"; "loaded" for a good file.
const char* DescribeTextureFileState(TextureFileState state);

// Where the entry was found and what is wrong with it, for the user: "missing",
// "/maps/lq_wood.wad (by its file name, in a texture folder)", or
// "/maps/x.wad: not a WAD2 file".
std::string DescribeWadEntry(const TextureWadEntry& entry);
