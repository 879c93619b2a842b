#pragma once

#include <string>
#include <vector>

// The texture folders the user keeps: where the files of a map's texture list
// are looked for by file name. One setting ("Textures/Folders") for all maps.
std::vector<std::string> LoadTextureFolders();
void StoreTextureFolders(const std::vector<std::string>& folders);
