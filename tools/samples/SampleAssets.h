#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace samples {

// One file of the bundled samples: its name and its exact bytes.
struct SampleFile {
    std::string name;
    std::string bytes;
};

// The palette "quake.pal", the texture file "quake101.wad" and the map
// "demo.map". The bytes depend on nothing but this code.
std::vector<SampleFile> MakeSampleFiles();

// Writes every sample file into `folder` (made if missing), each through a
// temporary file. On failure returns false and says why in `error`.
bool WriteSampleFiles(const std::filesystem::path& folder, std::string& error);

} // namespace samples
